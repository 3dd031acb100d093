#include "sync/caldav/caldavsyncclient.h"

#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavsyncrun.h"

#include <algorithm>

CalDavSyncClient::CalDavSyncClient(const CalDavRepositories &store, QObject *parent)
    : Sync::CalendarSyncClient(parent)
    , m_store(store)
    , m_transferTimeoutMs(CalDavClient::kDefaultTransferTimeoutMs)
{
}

void CalDavSyncClient::syncCalendar(const Calendar &calendar)
{
    syncCalendar(calendar, m_connection.serverUrl, m_connection.username, m_connection.password,
                 m_connection.pinnedFingerprint);
}

bool CalDavSyncClient::isSyncing(const QString &calendarId) const
{
    // A run reports its end only after marking itself ended; a refusal it
    // reports on the way leaves it going.
    const QList<CalDavSyncRun *> runs = findChildren<CalDavSyncRun *>(QString(), Qt::FindDirectChildrenOnly);
    return std::any_of(runs.cbegin(), runs.cend(), [&calendarId](const CalDavSyncRun *run) {
        return !run->hasEnded() && run->calendarId() == calendarId;
    });
}

void CalDavSyncClient::syncCalendar(const Calendar &calendar, const QString &serverUrl,
                                    const QString &username, const QString &password,
                                    const QString &pinnedFingerprint)
{
    // Every request goes to the calendar's own URL; the account's server URL
    // plays no part in a run.
    Q_UNUSED(serverUrl)
    qCDebug(caldavLog) << "[CalDav] syncCalendar started for" << calendar.name;
    Q_EMIT calendarSyncStarted(calendar.id);

    auto *client = new CalDavClient;
    client->setCredentials(username, password);
    if (!pinnedFingerprint.isEmpty())
        client->setPinnedFingerprint(pinnedFingerprint);
    client->setTransferTimeout(m_transferTimeoutMs);
    auto *run = new CalDavSyncRun(this, client, calendar);
    run->start();
}
