#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>

#include "cloud/cloudpullapply.h"
#include "store/calendar.h"
#include "store/event.h"
#include "sync/core/calendarsyncclient.h"
#include "sync/core/syncrepositories.h"

class PullApplyQueue;

namespace TindAccount {
class ApiClient;
}

namespace Sync {
class ConflictResolutionService;
}

namespace Tindlebrook {

// Keeps the user's cloud calendars and the local store in step over the
// cloud sync service. A cloud calendar's url is "tindlebrook://" and the
// server's calendar id; its pull cursor lives in delta_sync_token.
//
// pullCalendarList adds the cloud calendars that have no local counterpart.
// syncCalendar pulls the changes since the cursor and writes them with the
// new cursor in one transaction (reading and writing on a worker), then
// pushes the calendar's pending rows (see PushRun); the server knows each
// event by serverEventId. Short-lived: one per sync pass or calendar-list pull.
// The repositories, the conflict store (may be null) and the API client are
// borrowed and must outlive the client.
class SyncClient : public Sync::CalendarSyncClient
{
    Q_OBJECT
public:
    SyncClient(const Sync::Repositories &store, Sync::ConflictResolutionService *conflicts,
               TindAccount::ApiClient *api, QObject *parent = nullptr);

    // Fetches the cloud calendar list and adds the calendars that are new
    // here; ends with calendarListPulled.
    void pullCalendarList();
    void syncCalendar(const Calendar &calendar) override;

    // The server's id of a cloud calendar, from its url.
    static QString serverCalendarId(const QString &url);
    // The id the service holds an event under: its uid, or, for a moved
    // occurrence that shares its series' uid, the uid and recurrence id.
    static QString serverEventId(const Event &event);
    // The JSON an event travels in to the sync service.
    static QJsonObject eventToJson(const Event &event);

    // Whether pulls are written on a worker (the default, for a store in a
    // file) or on this thread; off for measuring and comparing.
    void setApplyOnWorker(bool onWorker);

Q_SIGNALS:
    void calendarListPulled(int newCount);

private:
    void handleCalendarListReply(bool ok, int status, const QJsonObject &json);
    void runPull(const Calendar &calendar);
    void handlePullReply(const Calendar &calendar, bool ok, int status, const QByteArray &body);
    // Back on this thread once the pull is written (with its cursor, when
    // every row was stored): the views are told, conflicts recorded.
    void landPull(const Calendar &calendar, const PullApplyResult &result, const QList<PulledConflict> &conflicts);
    void runPush(const Calendar &calendar, int pulledCount, int unstoredCount);

    Sync::Repositories m_store;
    Sync::ConflictResolutionService *m_conflicts;
    TindAccount::ApiClient *m_api;
    // Writes the pulls, one at a time.
    PullApplyQueue *m_pulls;
};

} // namespace Tindlebrook
