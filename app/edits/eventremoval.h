#pragma once

#include "app/edits/undostack.h"
#include "store/event.h"

#include <optional>

class Database;
class EventRepository;

// Deleting an event from the views, with its undo. A moved occurrence (a
// row that replaces one occurrence of a series) is more than its own row:
// with only its row gone, the series would show the original occurrence
// again. So its series gains an exclusion of that occurrence in the same
// write, whatever kind of calendar holds it, and the undo restores both.
namespace EventRemoval {

struct Removal
{
    Event removed;
    // The series as it was, when the removal changed it.
    std::optional<Event> seriesBefore;
};

// Tombstones the stored row (and excludes a moved occurrence from its
// series). Nothing is changed and nullopt is returned when the store
// refused any of it.
std::optional<Removal> remove(Database *database, EventRepository *events, const Event &stored);
// Writes both rows back as they were, as new local changes, in one write.
UndoStack::Outcome undo(Database *database, EventRepository *events, const Removal &removal);

} // namespace EventRemoval
