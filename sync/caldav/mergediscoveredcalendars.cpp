#include "sync/caldav/mergediscoveredcalendars.h"

#include "sync/core/canonicalcalendarkey.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/caldav/caldavclient.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QUuid>

namespace {

QString componentText(const QStringList &components)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(components)).toJson(QJsonDocument::Compact));
}

// A calendar URL is stored without any user name or password a server or
// a user put into it.
QString storableUrl(const QString &url)
{
    const QUrl parsed(url, QUrl::TolerantMode);
    if (parsed.userInfo().isEmpty())
        return url;
    return CalDavClient::withoutUserInfo(parsed).toString();
}

bool isPlaceholder(const Calendar &calendar)
{
    return !calendar.sync_enabled && calendar.is_read_only && !calendar.canonical_key.isEmpty();
}

} // namespace

int mergeDiscoveredCalendars(CalendarRepository *calendars, AccountRepository *accounts,
                             const QString &accountId,
                             const QList<CalDavParse::DiscoveredCalendar> &discovered)
{
    if (!calendars || accountId.isEmpty())
        return 0;

    QHash<QString, Calendar> byUrl;
    for (const Calendar &calendar : calendars->getByAccount(accountId))
        byUrl.insert(calendar.url, calendar);

    std::optional<Account> account;
    if (accounts)
        account = accounts->getById(accountId);

    int inserted = 0;
    for (const CalDavParse::DiscoveredCalendar &found : discovered) {
        const QString url = storableUrl(found.url);
        const QString components = componentText(found.supportedComponents);
        const auto existing = byUrl.find(url);
        if (existing != byUrl.end()) {
            Calendar &row = existing.value();
            if (!isPlaceholder(row))
                continue;
            row.name = found.displayName;
            row.description = found.description;
            if (!found.color.isEmpty())
                row.color = found.color;
            row.supported_components = components;
            row.is_read_only = false;
            row.sync_enabled = true;
            row.updated_at = QDateTime::currentDateTimeUtc();
            if (!calendars->update(row))
                qWarning() << "[CalDav] Could not fill in discovered calendar" << row.name;
            continue;
        }

        const QDateTime now = QDateTime::currentDateTimeUtc();
        Calendar calendar;
        calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        calendar.account_id = accountId;
        calendar.url = url;
        calendar.name = found.displayName;
        calendar.description = found.description;
        calendar.color = found.color.isEmpty() ? QStringLiteral("#4285F4") : found.color;
        calendar.timezone = QStringLiteral("UTC");
        calendar.is_visible = true;
        calendar.is_read_only = false;
        calendar.is_default = calendars->getAll().isEmpty();
        calendar.supported_components = components;
        calendar.allow_tasks_override = false;
        calendar.sort_order = 0;
        if (account)
            calendar.canonical_key = Sync::canonicalCalendarKey(toText(account->type), url).value_or(QString());
        calendar.sync_enabled = true;
        calendar.is_shared = false;
        calendar.shared_with_me = false;
        calendar.created_at = now;
        calendar.updated_at = now;
        if (calendars->insert(calendar)) {
            ++inserted;
            byUrl.insert(url, calendar);
        }
    }
    return inserted;
}
