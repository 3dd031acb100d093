#pragma once

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/event.h"
#include "store/syncstatus.h"

#include <QDateTime>
#include <QDebug>
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

// The copy that the row `id`, moved to another calendar, went to last,
// live or deleted since: the copies between may have been moved on before
// any of them was uploaded. None for a row not moved; none with *loops set
// for links that run in a loop.
template <typename Row, typename Rows>
std::optional<Row> lastOfMoves(Rows *rows, const QString &id, bool *loops)
{
    *loops = false;
    std::optional<Row> copy;
    QString next = rows->movedTo(id);
    for (int moves = 0; !next.isEmpty(); ++moves) {
        if (moves == MaxMoves) {
            *loops = true;
            return std::nullopt;
        }
        copy = rows->getById(next);
        next = copy && copy->deleted_at ? rows->movedTo(copy->id) : QString();
    }
    return copy;
}

// The live copy that the row `id` went to last (lastOfMoves). None for a
// row not moved, a copy deleted since, or links that run in a loop.
template <typename Row, typename Rows>
std::optional<Row> last(Rows *rows, const QString &id)
{
    bool loops = false;
    const std::optional<Row> copy = lastOfMoves<Row>(rows, id, &loops);
    return copy && !copy->deleted_at ? copy : std::nullopt;
}

// Whether the row `id`, left behind by a move, stays on its server for now:
// its last copy is live and `awaitsUpload` says it is not yet on the server
// of its own calendar, which takes it. Until then the old copy is the only
// one any server holds. Links that run in a loop keep it there too, as no
// copy can be told.
template <typename Row, typename Rows, typename AwaitsUpload>
bool keptForCopy(Rows *rows, const QString &id, AwaitsUpload awaitsUpload)
{
    bool loops = false;
    const std::optional<Row> copy = lastOfMoves<Row>(rows, id, &loops);
    if (loops)
        qWarning() << "[MovedCopy] The moves of" << id << "run in a loop; its old copy stays";
    return loops || (copy && !copy->deleted_at && awaitsUpload(*copy));
}

// Whether `copy`, an event stored anew by a move, is not yet on the server
// of its own calendar (neither a resource there nor the provider's id)
// while that server takes it: a CalDAV, Google or Outlook account's. A copy
// in a calendar no server holds (this device's, a subscription) is never
// uploaded, so it holds no old copy back (keptForCopy).
template <typename Repositories>
bool eventAwaitsUpload(const Repositories &store, const Event &copy)
{
    if (!copy.href.isEmpty() || !copy.provider_event_id.isEmpty() || !store.calendars || !store.accounts)
        return false;
    const std::optional<Calendar> calendar = store.calendars->getById(copy.calendar_id);
    const std::optional<Account> account = calendar ? store.accounts->getById(calendar->account_id) : std::nullopt;
    return account
        && (isCalDavFamily(account->type) || account->type == AccountType::Google
            || account->type == AccountType::Microsoft);
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

// An occurrence of a moved series that another device changed before the
// move and this one never saw (`pulled`, as its server has it): it goes to
// the series' copy `seriesCopy` as an occurrence of its own under the
// copy's UID, pending for the copy's server, unless the copy has one for
// that day already (the change made here wins). `write` gives the new
// row's text from its record. The id of that row; empty when it could not
// be stored.
template <typename Row, typename Rows, typename Write>
QString takeOccurrence(Rows *rows, const Row &pulled, const Row &seriesCopy, Write write)
{
    if (const std::optional<Row> held =
            rows->getByUidAndRecurrenceId(seriesCopy.uid, seriesCopy.calendar_id, pulled.recurrence_id))
        return held->id;
    Row copy = occurrenceUnder(pulled, seriesCopy);
    copy.sync_status = SyncStatus::Pending;
    copy.raw_icalendar = write(copy);
    return rows->insert(copy) ? copy.id : QString();
}

// `pulled`, a changed occurrence that no row here holds yet, about to be
// stored under its series' row `seriesId`, a tombstone: when that series
// was moved to another calendar, the series' copy takes the occurrence
// (takeOccurrence) and `pulled` turns into the row left behind with the
// series, deleted and pending like it, to be linked to *copyId once stored
// (keepLeftBehind). *copyId stays empty when the series was not moved.
// False when the copy could not take the occurrence.
template <typename Row, typename Rows, typename Write>
bool leaveWithMovedSeries(Rows *rows, Row &pulled, const QString &seriesId, Write write, QString *copyId)
{
    const std::optional<Row> seriesCopy = last<Row>(rows, seriesId);
    if (!seriesCopy)
        return true;
    *copyId = takeOccurrence(rows, pulled, *seriesCopy, write);
    pulled.deleted_at = QDateTime::currentDateTimeUtc();
    pulled.sync_status = SyncStatus::Pending;
    return !copyId->isEmpty();
}

// `left`, stored as left behind with its moved series, linked to its copy
// `copyId`; the server's copy it holds is kept as the one its edits
// started from, so that a later change there reaches the copy as any moved
// row's does. False when either could not be stored.
template <typename Row, typename Rows>
bool keepLeftBehind(Rows *rows, const Row &left, const QString &copyId)
{
    return rows->keepMove(left.id, copyId) && rows->keepSyncBase(left.id, {left.etag, left.raw_icalendar});
}

} // namespace MovedCopy
