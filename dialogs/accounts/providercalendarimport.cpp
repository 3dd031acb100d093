#include "dialogs/accounts/providercalendarimport.h"

#include <QDateTime>
#include <QHash>
#include <QMessageBox>
#include <QUuid>

#include "app/appstate.h"
#include "app/theme/plaintext.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"

namespace {

// The provider's colour as the store reads it back; nothing when it sent
// none or one the store cannot read (which it would show as the default).
std::optional<QString> readableColour(const QString &colour)
{
    const QString normal = CalendarRepository::normalizeColor(colour);
    if (normal == CalendarRepository::normalizeColor(QString())
        && colour.trimmed().compare(normal, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return normal;
}

} // namespace

ProviderCalendarImport::ProviderCalendarImport(AppState *state, QWidget *messageParent, const Provider &provider)
    : m_state(state)
    , m_messageParent(messageParent)
    , m_provider(provider)
{
}

std::optional<Account> ProviderCalendarImport::storeAccount(const QString &accountId, const QString &name,
                                                            const QString &email) const
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!accountId.isEmpty()) {
        std::optional<Account> account = m_state->accounts()->getById(accountId);
        if (!account) {
            QMessageBox::critical(
                m_messageParent, ManageSourcesDialog::tr("Database Error"),
                ManageSourcesDialog::tr("The account row this sign-in was bound to no longer exists."));
            return std::nullopt;
        }
        if (!name.isEmpty())
            account->name = name;
        else if (!email.isEmpty())
            account->name = email;
        account->username = email;
        account->last_sync_error.clear();
        account->updated_at = now;
        if (!m_state->accounts()->update(*account)) {
            QMessageBox::critical(m_messageParent, ManageSourcesDialog::tr("Database Error"),
                                  ManageSourcesDialog::tr("Could not save the account."));
            return std::nullopt;
        }
        return account;
    }
    Account account;
    account.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    account.name = !name.isEmpty() ? name : !email.isEmpty() ? email : m_provider.fallbackName;
    account.type = m_provider.type;
    account.username = email;
    account.color = m_provider.accountColor;
    account.enabled = true;
    account.created_at = account.updated_at = now;
    if (!m_state->accounts()->insert(account)) {
        QMessageBox::critical(m_messageParent, ManageSourcesDialog::tr("Database Error"), m_provider.insertFailedText);
        return std::nullopt;
    }
    return account;
}

QStringList ProviderCalendarImport::storeCalendars(const QString &accountId, const QList<Entry> &entries) const
{
    QStringList unstored;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    bool hasDefault = false;
    for (const Calendar &calendar : m_state->calendars()->getAll())
        hasDefault = hasDefault || calendar.is_default;
    QHash<QString, Calendar> known;
    for (const Calendar &calendar : m_state->calendars()->getByAccount(accountId))
        known.insert(calendar.url, calendar);
    for (const Entry &entry : entries) {
        if (known.contains(entry.id)) {
            Calendar calendar = known.value(entry.id);
            calendar.name = entry.name;
            if (m_provider.updatesDescription)
                calendar.description = entry.description;
            if (const std::optional<QString> colour = readableColour(entry.color))
                calendar.color = *colour;
            calendar.is_read_only = entry.readOnly;
            calendar.sync_enabled = true;
            calendar.updated_at = now;
            if (!m_state->calendars()->update(calendar))
                unstored << entry.name;
            continue;
        }
        Calendar calendar;
        calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        calendar.account_id = accountId;
        calendar.url = entry.id;
        calendar.name = entry.name;
        calendar.description = entry.description;
        // The column needs a colour; a calendar without one gets the default.
        calendar.color = readableColour(entry.color).value_or(QStringLiteral("#4285F4"));
        calendar.timezone = QStringLiteral("UTC");
        calendar.is_visible = true;
        calendar.is_read_only = entry.readOnly;
        calendar.is_default = !hasDefault && entry.isDefaultCandidate;
        calendar.supported_components = QStringLiteral("[\"VEVENT\"]");
        calendar.canonical_key = Sync::canonicalCalendarKey(toText(m_provider.type), entry.id).value_or(QString());
        calendar.sync_enabled = true;
        calendar.created_at = calendar.updated_at = now;
        if (!m_state->calendars()->insert(calendar))
            unstored << entry.name;
    }
    return unstored;
}

void ProviderCalendarImport::reportUnstored(const QStringList &names) const
{
    if (names.isEmpty())
        return;
    PlainText::warning(m_messageParent, ManageSourcesDialog::tr("Database Error"),
                       ManageSourcesDialog::tr("These calendars could not be saved: %1")
                           .arg(names.join(QStringLiteral(", "))));
}
