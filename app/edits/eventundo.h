#pragma once

#include "app/edits/undostack.h"
#include "store/event.h"

#include <QString>

#include <optional>

class Database;
class EventRepository;

// Undo of an edit or a delete made in the views, written as a new local
// change: stamped "pending" with a fresh modification time, keeping the
// server identity (etag, href, provider id) the row has now. A row written
// back with its old "synced" status and old etag would never be pushed,
// and the next pull would overwrite the undo.
namespace EventUndo {

using Outcome = UndoStack::Outcome;

// The key an undo entry of this event's changes is known by on the stack
// (UndoStack::markChanged): its series (a changed occurrence's too) in its
// calendar.
QString itemOf(const Event &event);

// Undo of a delete, for one of the rows it removed (`removed`, as it was
// before), given the row as stored now (`now`; none when erased): the
// tombstone live again as it is now, so that what a pull merged into it
// since stays; a row changed so goes on from its SEQUENCE, one higher,
// never the older one of the copy. When the row is gone (its deletion was
// pushed and the row erased), it comes back as a new item without any
// server identity, as it was when erased (`erased`, with what a pull
// merged into it before the push), else as the copy; the provider's copy it
// holds as its stored text is what goes up again. None when the row is
// live again: nothing of it is written.
std::optional<Event> restoredRow(const Event &removed, const std::optional<Event> &now,
                                 const std::optional<Event> &erased);

// The row as it is now with what an edit changed given back, field by
// field: a field still as the edit left it (`left`) returns to its value
// before the edit; one changed since (another device's change, pulled
// here) keeps the newer value. A start, its end and the all-day flag go
// together.
Event takenBack(const Event &now, const Event &before, const Event &left);
// Whether both hold the same value in every field an edit can change.
bool sameFields(const Event &a, const Event &b);

// Undo of an edit of one row: what takenBack() gives, as a new edit of the
// row (SEQUENCE above the one it holds now, its stored text patched, so
// properties this program does not model survive). A row deleted or gone
// since was someone's later change and stays so: nothing is written.
Outcome undoEdit(EventRepository *events, const Event &before, const Event &left);

// Undo of "This event only": the occurrence returns to its times in the
// series (`replaced`: the override's fields at those times; `added`: the
// override as the edit stored it). When nothing else was changed in it
// since, the override is withdrawn, so that the series brings the
// occurrence back, here and on the server, and the series gets a higher
// SEQUENCE; otherwise the override stays with the later changes, at the
// series' times. One write; none when the override is gone since.
Outcome undoOccurrenceEdit(Database *database, EventRepository *events, const Event &series, const Event &replaced,
                           const Event &added);

} // namespace EventUndo
