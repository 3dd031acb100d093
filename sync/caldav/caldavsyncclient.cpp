#include "sync/caldav/caldavsyncclient.h"

#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavsyncrun.h"

CalDavSyncClient::CalDavSyncClient(const CalDavRepositories &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_transferTimeoutMs(CalDavClient::kDefaultTransferTimeoutMs)
{
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
