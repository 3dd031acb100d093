#pragma once

#include "store/syncstatus.h"

#include <QDateTime>
#include <QString>

#include <optional>

// An item moved to another calendar is stored there anew and left behind as
// a tombstone linked to its copy. What a server changed in the old copy
// before the move reached it belongs to the copy: every provider's sync
// hands it on the same way, an event's or a task's.
namespace MovedCopy {

// More moves of one item between two syncs than anyone makes: links past
// this run in a loop.
constexpr int MaxMoves = 64;

// The live copy that the row `id`, moved to another calendar, went to last:
// the copies between may have been moved on before any of them was
// uploaded. None for a row not moved, a copy deleted since, or links that
// run in a loop.
template <typename Row, typename Rows>
std::optional<Row> last(Rows *rows, const QString &id)
{
    QString next = rows->movedTo(id);
    for (int moves = 0; !next.isEmpty() && moves < MaxMoves; ++moves) {
        std::optional<Row> copy = rows->getById(next);
        if (!copy || !copy->deleted_at)
            return copy;
        next = rows->movedTo(copy->id);
    }
    return std::nullopt;
}

// What the server changed since `base` (the copy the old row's edits started
// from) merged into `copy` the way a conflict is merged: the copy's own
// edits win where both changed the same property. The copy keeps its own
// identity and place and turns pending, so that its server gets the change;
// `write` gives its text from the merged record (whose text is the
// server's) and the copy. True when the copy was saved.
template <typename Row, typename Rows, typename Merge, typename Write>
bool handOn(Rows *rows, const Row &copy, const Row &base, const Row &server, Merge merge, Write write)
{
    Row merged = merge(base, copy, server);
    merged.raw_icalendar = server.raw_icalendar;
    merged.raw_icalendar = write(merged, copy);
    merged.last_modified = QDateTime::currentDateTimeUtc();
    merged.sync_status = SyncStatus::Pending;
    return rows->update(merged);
}

} // namespace MovedCopy
