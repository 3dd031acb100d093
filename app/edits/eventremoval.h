#pragma once

#include "app/edits/undostack.h"
#include "store/event.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

class Database;
class ErasedRows;
class EventRepository;

// Deleting an event from the views, with its undo. A series goes with its
// changed occurrences: they are part of its resource on a server, and left
// alone here they would show as events of their own. A moved occurrence (a
// row that replaces one occurrence of a series) is more than its own row:
// with only its row gone, the series would show the original occurrence
// again. So its series gains an exclusion of that occurrence in the same
// write, whatever kind of calendar holds it, and the undo takes that
// exclusion back.
namespace EventRemoval {

struct Removal
{
    // Every row the delete removed, as it was: the row given, then a
    // series' changed occurrences.
    QList<Event> removed;
    // The series a removed changed occurrence belongs to, and the day the
    // delete made it skip; empty when it skipped that day already.
    QString seriesId;
    QString skippedDay;
    // Those of the rows the push has erased since, as they were last, and
    // the changed occurrences a removed series' deletion took along.
    std::shared_ptr<const ErasedRows> erased;
};

// Tombstones the stored row (a series with its changed occurrences) and
// excludes a moved occurrence from its series, in one write. Nothing is
// changed and nullopt is returned when the store refused any of it.
std::optional<Removal> remove(Database *database, EventRepository *events, const Event &stored);
// Gives back what the delete removed, as new local changes, in one write:
// the rows, and the series' day. What others changed since stays (a pulled
// rename of the series, a change pulled into a row before its deletion
// went up, an occurrence changed elsewhere that the series' deletion took
// along). A series stored anew takes its changed occurrences back as its
// own. Nothing is written, and ChangedSince answered, when a removed row is
// live again or the series no longer skips that day; Reinvited when a
// meeting the account organizes goes up again to guests its deletion told.
UndoStack::Outcome undo(Database *database, EventRepository *events, const Removal &removal);

} // namespace EventRemoval
