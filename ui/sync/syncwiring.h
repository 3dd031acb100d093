#pragma once

class AppState;

namespace Sync {
class CalendarSyncClient;
}

// Ties a sync client to the hub's busy and error state: every calendar it
// starts is one running sync until its final signal, and one that fails
// (on the way or at the end) makes the busy period end as errored. A
// client destroyed with calendars running ends each of them as failed.
// Call it before connecting anything else to the client, so the state is
// current when other handlers of the same signal run.
void wireSyncClient(Sync::CalendarSyncClient *client, AppState *appState);
