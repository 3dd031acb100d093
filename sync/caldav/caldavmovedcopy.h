#pragma once

#include "store/event.h"
#include "store/task.h"

#include <QString>

class EventRepository;
class TaskRepository;

// What a CalDAV pull finds changed on the server in the copy of an item
// this device has since moved to another calendar: the row left behind
// takes the change (CalDavPulledRow::keepLocalEdit) and is then deleted
// with the server's copy, so the item's copy (the last of its moves) takes
// it too, merged as a conflict is merged, its own edits winning, and waits
// as pending for its own calendar's server.
namespace CalDavMovedCopy {

// `old`, a row left behind pending under `storedTag`, whose server copy is
// now `server`: a moved row's copy takes what changed. *handed says whether
// it was moved; false when its copy could not take the change. Call it
// before the row left behind takes the change, while the synced copy its
// edits started from is still kept.
bool handOn(EventRepository *events, const Event &old, const QString &storedTag, const Event &server,
            bool *handed);
// The same for a task. A copy already on its own server is sent from the
// synced copy its edits started from: that copy takes the occurrences
// changed on the old server, so that they go up with it.
bool handOn(TaskRepository *tasks, const Task &old, const QString &storedTag, const Task &server);

// An occurrence of a moved series that another device changed before the
// move and this one never saw (`pulled`): it goes to the series' copy
// `seriesCopy` as an occurrence of its own, unless the copy has one for
// that day already (the change made here wins). The id of that row; empty
// when it could not be stored.
QString takeOccurrence(EventRepository *events, const Event &pulled, const Event &seriesCopy);

// The copy the row's local edits started from, as the server had it: its
// synced copy, else the row as it was stored.
Event startedFrom(EventRepository *events, const Event &old);

} // namespace CalDavMovedCopy
