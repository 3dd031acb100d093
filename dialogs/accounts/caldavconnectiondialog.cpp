#include "dialogs/accounts/caldavconnectiondialog.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHostAddress>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QUuid>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/network/guardedrequest.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "app/theme/plaintext.h"
#include "dialogs/accounts/caldavcertificatedialog.h"
#include "dialogs/editing/calendarformdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavdiscovery.h"
#include "sync/core/canonicalcalendarkey.h"

#include <memory>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString componentsJson(const QStringList &components)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(components)).toJson(QJsonDocument::Compact));
}

} // namespace

CalDavConnectionDialog::CalDavConnectionDialog(AppState *state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_client(new CalDavClient(this))
    , m_discovery(new CalDavDiscovery(m_client, this))
{
    setWindowTitle(tr("Add CalDAV Server"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);

    auto *intro = new QLabel(tr("Connect to a CalDAV server (Radicale, Baikal, Nextcloud, iCloud, Fastmail, Zoho, ...). "
                                "Enter the server URL or your account URL, discovery will find your calendars from "
                                "there."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    m_urlEdit = new QLineEdit(this);
    m_urlEdit->setObjectName(QStringLiteral("serverUrl"));
    m_urlEdit->setPlaceholderText(QStringLiteral("https://calendar.example.org/dav/"));
    m_userEdit = new QLineEdit(this);
    m_userEdit->setObjectName(QStringLiteral("username"));
    m_userEdit->setPlaceholderText(tr("Your username or email"));
    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("password"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("accountName"));
    m_nameEdit->setPlaceholderText(tr("e.g. Work Nextcloud"));
    form->addRow(tr("&Server URL:"), m_urlEdit);
    form->addRow(tr("&Username:"), m_userEdit);
    form->addRow(tr("&Password:"), m_passwordEdit);
    form->addRow(tr("&Account name:"), m_nameEdit);
    layout->addLayout(form);

    auto *discoverRow = new QHBoxLayout;
    discoverRow->addStretch();
    m_discoverButton = new QPushButton(tr("Discover Calendars"), this);
    m_discoverButton->setAutoDefault(false);
    discoverRow->addWidget(m_discoverButton);
    layout->addLayout(discoverRow);

    m_status = PlainText::label(QString(), this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    m_list = new QListWidget(this);
    m_list->setMinimumHeight(140);
    layout->addWidget(m_list);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_addButton = buttons->button(QDialogButtonBox::Ok);
    m_addButton->setText(tr("Add Calendars"));
    m_addButton->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CalDavConnectionDialog::addCalendars);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_discoverButton, &QPushButton::clicked, this, &CalDavConnectionDialog::discover);
    connect(m_passwordEdit, &QLineEdit::returnPressed, this, &CalDavConnectionDialog::discover);
    connect(m_discovery, &CalDavDiscovery::completed, this, &CalDavConnectionDialog::onDiscovered);
    connect(m_discovery, &CalDavDiscovery::failed, this, &CalDavConnectionDialog::onDiscoveryFailed);

    resize(560, sizeHint().height());
    m_urlEdit->setFocus();
}

QString CalDavConnectionDialog::userName() const
{
    const QString typed = m_userEdit->text().trimmed();
    return typed.isEmpty() ? QUrl(m_urlEdit->text().trimmed()).userName(QUrl::FullyDecoded) : typed;
}

QString CalDavConnectionDialog::password() const
{
    // A password typed into the URL counts when the field is left empty.
    const QString typed = m_passwordEdit->text();
    return typed.isEmpty() ? QUrl(m_urlEdit->text().trimmed()).password(QUrl::FullyDecoded) : typed;
}

void CalDavConnectionDialog::setBusy(bool busy)
{
    if (busy && !m_waitCursor)
        m_waitCursor.emplace();
    else if (!busy)
        m_waitCursor.reset();
    m_discoverButton->setEnabled(!busy);
}

void CalDavConnectionDialog::done(int result)
{
    setBusy(false);
    QDialog::done(result);
}

void CalDavConnectionDialog::discover()
{
    const QString url = m_urlEdit->text().trimmed();
    const QString user = userName();
    if (url.isEmpty() || user.isEmpty()) {
        m_status->setText(tr("Enter the server URL and your username first."));
        return;
    }
    // Asked before the first request: discovery sends the password with each.
    const QUrl typed(url);
    if (!password().isEmpty() && !Net::sameOrigin(typed, m_clearTextAllowed)) {
        if (!confirmPasswordInClear(this, typed, ClearTextUse::Connect)) {
            m_status->setText(tr("Connection cancelled: the password would have travelled unencrypted."));
            return;
        }
        if (sendsPasswordInClear(typed))
            m_clearTextAllowed = typed;
    }
    m_list->clear();
    m_discovered.clear();
    m_addButton->setEnabled(false);
    m_status->setText(tr("Connecting…"));
    setBusy(true);
    m_client->setCredentials(user, password());
    m_discovery->start(QUrl(url));
}

void CalDavConnectionDialog::onDiscovered(const QList<CalDavParse::DiscoveredCalendar> &calendars)
{
    setBusy(false);
    m_discovered = calendars;
    m_list->clear();
    for (const CalDavParse::DiscoveredCalendar &calendar : calendars) {
        auto *item = new QListWidgetItem(calendar.displayName, m_list);
        item->setToolTip(PlainText::forAutoText(calendar.url));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    m_status->setText(tr("Found %1 calendar(s). Pick which to add.").arg(calendars.size()));
    m_addButton->setEnabled(!calendars.isEmpty());
}

void CalDavConnectionDialog::onDiscoveryFailed(const QString &reason)
{
    setBusy(false);
    m_addButton->setEnabled(false);
    const CalDavClient::UntrustedCertInfo untrusted = m_client->lastUntrustedCert();
    if (untrusted.fingerprint.isEmpty()) {
        // A server without calendars can be given its first one.
        const bool canCreate = !m_discovery->emptyHomeSet().isEmpty();
        m_status->setText(canCreate ? reason + u' ' + tr("\"Add Calendars\" creates one on the server.") : reason);
        m_addButton->setEnabled(canCreate);
        return;
    }
    CalDavCertificateDialog certificate(untrusted, this);
    if (certificate.exec() != QDialog::Accepted) {
        m_status->setText(tr("Connection cancelled, certificate not trusted."));
        return;
    }
    m_pinnedFingerprint = untrusted.fingerprint;
    m_client->setPinnedFingerprint(m_pinnedFingerprint);
    m_status->setText(tr("Certificate trusted. Retrying…"));
    setBusy(true);
    m_discovery->start(QUrl(m_urlEdit->text().trimmed()));
}

bool CalDavConnectionDialog::sendsPasswordInClear(const QUrl &url)
{
    if (url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) != 0)
        return false;
    // This machine's own server: nothing travels over a network.
    const QString host = url.host();
    const QHostAddress address(host);
    return host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0
        && (address.isNull() || !address.isLoopback());
}

bool CalDavConnectionDialog::confirmPasswordInClear(QWidget *parent, const QUrl &url, ClearTextUse use)
{
    if (!sendsPasswordInClear(url))
        return true;
    const QString host = url.host(QUrl::FullyDecoded);
    if (use == ClearTextUse::Connect) {
        return PlainText::warning(parent, tr("Unencrypted Connection"),
                                  tr("%1 is reached over plain http: your password will travel unencrypted, and "
                                     "anyone on the network between you and the server can read it.\n\n"
                                     "Connect anyway?")
                                      .arg(host),
                                  QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel)
            == QMessageBox::Yes;
    }
    return PlainText::warning(parent, tr("Unencrypted Connection"),
                              tr("%1 is reached over plain http: your password will travel unencrypted, and "
                                 "anyone on the network between you and the server can read it.\n\n"
                                 "Save this account anyway?")
                                  .arg(host),
                              QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Cancel)
        == QMessageBox::Save;
}

void CalDavConnectionDialog::addCalendars()
{
    if (m_discovered.isEmpty()) {
        if (!m_discovery->emptyHomeSet().isEmpty()) {
            createFirstCalendar();
            return;
        }
        QMessageBox::warning(this, tr("Discover first"), tr("Click \"Discover Calendars\" before saving."));
        return;
    }
    QList<CalDavParse::DiscoveredCalendar> picked;
    for (int i = 0; i < m_list->count() && i < m_discovered.size(); ++i) {
        if (m_list->item(i)->checkState() == Qt::Checked)
            picked << m_discovered.at(i);
    }
    if (picked.isEmpty()) {
        QMessageBox::warning(this, tr("Pick at least one"), tr("Select one or more calendars to add."));
        return;
    }
    const QString serverUrl = CalDavClient::withoutUserInfo(QUrl(m_urlEdit->text().trimmed())).toString();
    const QString user = userName();
    const QString secret = password();
    const std::optional<Account> account = storeAccount(QString());
    if (!account)
        return;
    const QDateTime now = account->created_at;

    QList<Calendar> inserted;
    int sortOrder = 0;
    for (const CalDavParse::DiscoveredCalendar &found : picked) {
        Calendar calendar;
        calendar.id = newId();
        calendar.account_id = account->id;
        calendar.url = found.url;
        calendar.name = found.displayName;
        calendar.description = found.description;
        calendar.color = found.color.isEmpty() ? QStringLiteral("#4285F4") : found.color;
        calendar.timezone = QStringLiteral("UTC");
        calendar.is_visible = true;
        calendar.is_read_only = false;
        calendar.is_default = m_state->calendars()->getAll().isEmpty();
        calendar.ctag = found.ctag;
        calendar.sync_token = found.syncToken;
        calendar.supported_components = componentsJson(found.supportedComponents);
        calendar.allow_tasks_override = false;
        calendar.sort_order = sortOrder++;
        calendar.canonical_key = Sync::canonicalCalendarKey(toText(account->type), found.url).value_or(QString());
        // On: the flag decides whether a CalDAV calendar syncs.
        calendar.sync_enabled = true;
        calendar.created_at = calendar.updated_at = now;
        if (m_state->calendars()->insert(calendar))
            inserted << calendar;
    }

    if (!inserted.isEmpty()) {
        // The sync orchestration runs the first syncs, so closing this
        // dialog doesn't stop them; they go with what was just typed.
        CalendarSyncRequest request;
        for (const Calendar &calendar : std::as_const(inserted))
            request.calendarIds.append(calendar.id);
        request.serverUrl = serverUrl;
        request.username = user;
        request.password = secret;
        request.pinnedFingerprint = m_pinnedFingerprint;
        Q_EMIT m_state->calendarSyncRequested(request);
    }
    accept();
}

std::optional<Account> CalDavConnectionDialog::storeAccount(const QString &calendarHome)
{
    // Credentials typed into the URL go to the secret store, never into a
    // stored URL.
    const QUrl typedUrl(m_urlEdit->text().trimmed());
    const QString serverUrl = CalDavClient::withoutUserInfo(typedUrl).toString();
    const QString user = userName();
    const QString secret = password();
    // Not asked twice for the address the password was already sent to.
    if (!Net::sameOrigin(typedUrl, m_clearTextAllowed)
        && !confirmPasswordInClear(this, typedUrl, ClearTextUse::Save))
        return std::nullopt;
    if (const std::optional<Account> existing = m_state->accounts()->findByTypeAndUsername(
            AccountType::CalDav, user, serverUrl, QString(), QString())) {
        PlainText::information(this, tr("Already added"),
                               tr("This server is already added as \"%1\". Its calendars are already available "
                                  "— no need to add it again.")
                                   .arg(existing->name));
        return std::nullopt;
    }

    const QDateTime now = QDateTime::currentDateTimeUtc();
    Account account;
    account.id = newId();
    account.name = m_nameEdit->text().trimmed();
    if (account.name.isEmpty())
        account.name = tr("CalDAV (%1)").arg(typedUrl.host(QUrl::FullyDecoded));
    account.type = AccountType::CalDav;
    account.server_url = serverUrl;
    account.username = user;
    account.sync_interval_minutes = 15;
    account.enabled = true;
    account.color = QStringLiteral("#4285F4");
    account.trusted_cert_sha256 = m_pinnedFingerprint;
    account.calendar_home_set = calendarHome;
    account.created_at = account.updated_at = now;
    if (!m_state->accounts()->insert(account)) {
        QMessageBox::critical(this, tr("Database Error"), tr("Could not save the account."));
        return std::nullopt;
    }
    // Only now that the account exists: a password without its account
    // would be an orphan nobody removes.
    if (!secret.isEmpty()) {
        std::unique_ptr<TindAccount::TokenStore> store =
            m_secretStoreMaker ? m_secretStoreMaker() : TindAccount::TokenStore::create(applicationServiceId());
        if (store)
            store->write(caldavPasswordKey(account.id), secret);
    }

    return account;
}

void CalDavConnectionDialog::createFirstCalendar()
{
    const std::optional<Account> account = storeAccount(m_discovery->emptyHomeSet().toString());
    if (!account)
        return;
    CalendarFormDialog form(m_state, *account, this);
    if (m_secretStoreMaker)
        form.setSecretStoreMaker(m_secretStoreMaker);
    if (form.exec() == QDialog::Accepted) {
        accept();
        return;
    }
    // No calendar, no account: the server is added again from the start.
    if (!m_state->accounts()->remove(account->id))
        QMessageBox::critical(this, tr("Database Error"), tr("Could not remove the account that has no calendar."));
    std::unique_ptr<TindAccount::TokenStore> store =
        m_secretStoreMaker ? m_secretStoreMaker() : TindAccount::TokenStore::create(applicationServiceId());
    if (store)
        store->remove(caldavPasswordKey(account->id));
}
