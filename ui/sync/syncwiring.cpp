#include "ui/sync/syncwiring.h"

#include <QHash>
#include <QSet>
#include <QString>

#include "app/appstate.h"
#include "sync/core/calendarsyncclient.h"

#include <memory>

namespace {

// Held by the client's four connections and freed with the last of them,
// so a signal after the client is gone finds nothing to touch.
struct RunningCalendars
{
    QHash<QString, int> running;
    QSet<QString> failed;

    bool finish(const QString &calendarId)
    {
        auto found = running.find(calendarId);
        if (found == running.end())
            return false;
        if (--found.value() == 0)
            running.erase(found);
        return true;
    }
};

} // namespace

void wireSyncClient(Sync::CalendarSyncClient *client, AppState *appState)
{
    auto calendars = std::make_shared<RunningCalendars>();
    QObject::connect(client, &Sync::CalendarSyncClient::calendarSyncStarted, appState,
                     [calendars, appState](const QString &calendarId) {
                         ++calendars->running[calendarId];
                         appState->beginSync();
                     });
    QObject::connect(client, &Sync::CalendarSyncClient::calendarSyncCompleted, appState,
                     [calendars, appState](const QString &calendarId, int) {
                         if (!calendars->finish(calendarId))
                             return;
                         // A failure reported on the way still marks the calendar failed.
                         appState->endSync(calendars->failed.remove(calendarId));
                     });
    QObject::connect(client, &Sync::CalendarSyncClient::calendarSyncFailed, appState,
                     [calendars, appState, client](const QString &calendarId, const QString &reason) {
                         if (!calendars->running.contains(calendarId))
                             return;
                         appState->setLastSyncError(calendarId, reason);
                         if (client->isSyncing(calendarId)) {
                             calendars->failed.insert(calendarId);
                             return;
                         }
                         calendars->finish(calendarId);
                         calendars->failed.remove(calendarId);
                         appState->endSync(true);
                     });
    QObject::connect(client, &QObject::destroyed, appState, [calendars, appState] {
        for (auto it = calendars->running.cbegin(); it != calendars->running.cend(); ++it) {
            for (int i = 0; i < it.value(); ++i)
                appState->endSync(true);
        }
        calendars->running.clear();
        calendars->failed.clear();
    });
}
