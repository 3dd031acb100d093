#pragma once

#include "store/event.h"
#include "store/task.h"
#include "sync/caldav/caldavlog.h"
#include "sync/core/movedcopy.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// What a CalDAV pull does alike to an event row and a task row.
namespace CalDavPulledRow {

// A row read from the server as this calendar stores it: in step with the
// resource it came from, dated when the text names no date.
template <typename Row>
void stamp(Row &row, const QString &calendarId, const QString &href, const QString &etag)
{
    row.calendar_id = calendarId;
    row.href = href;
    row.etag = etag;
    row.sync_status = SyncStatus::Synced;
    if (!row.created.isValid())
        row.created = QDateTime::currentDateTimeUtc();
    if (!row.last_modified.isValid())
        row.last_modified = row.created;
}

// `local` merged onto the server's copy, property by property against the
// copy of `baseRows` that `same` picks; without one, `local` as it is. The
// stored text is the server's either way.
template <typename Row, typename Same, typename Merge>
Row mergedOnto(const Row &local, const Row &server, const QList<Row> &baseRows, Same same, Merge merge)
{
    Row out = local;
    for (const Row &candidate : baseRows) {
        if (same(candidate)) {
            out = merge(candidate, local, server);
            break;
        }
    }
    out.raw_icalendar = server.raw_icalendar;
    return out;
}

// A pending row whose server copy changed: the local edit stays and learns
// the server's tag and place, so its push replaces that copy. `storedTag` is
// the tag the row was last synced with; when both sides changed, `merge`
// applies the edit to the server's newer text. `landed`: the row's upload
// reached the server unanswered, and the row was last in step with what it
// sent (its base now), under a tag it never heard. True when the row was
// saved.
template <typename Row, typename Rows, typename Merge>
bool keepLocalEdit(Rows *rows, Row &local, const QString &storedTag, const Row &server, Merge merge,
                   bool landed = false)
{
    const bool conflict = landed || (!storedTag.isEmpty() && storedTag != server.etag);
    if (conflict) {
        qCWarning(caldavLog).noquote() << "[CalDav]" << local.title << "was changed on the server and here; the local"
                                       << "changes are applied to the server's newer copy and win where both differ";
        local = merge(local, server);
    }
    local.etag = server.etag;
    if (!server.href.isEmpty())
        local.href = server.href;
    const bool saved = rows->update(local);
    // The next conflict starts from the copy merged here.
    if (saved && conflict && !rows->keepSyncBase(local.id, {server.etag, server.raw_icalendar}))
        qCWarning(caldavLog) << "[CalDav] Could not keep the synced copy of" << local.title;
    return saved;
}

using MovedCopy::MaxMoves;

// The live copy a moved row went to last (MovedCopy::last).
template <typename Row, typename Rows>
std::optional<Row> movedCopy(Rows *rows, const QString &id)
{
    return MovedCopy::last<Row>(rows, id);
}

// The copy of `old`, a row moved to another calendar, when the server
// changed its copy of `old` since the row was last synced under
// `storedTag`: that change is the copy's to take. None otherwise.
template <typename Row, typename Rows>
std::optional<Row> movedCopyToTell(Rows *rows, const Row &old, const QString &storedTag, const Row &server)
{
    if (!old.deleted_at || storedTag.isEmpty() || storedTag == server.etag)
        return std::nullopt;
    return movedCopy<Row>(rows, old.id);
}

// What the server changed since `base` handed on to `copy`
// (MovedCopy::handOn), said in the log. True when the copy was saved.
template <typename Row, typename Rows, typename Merge, typename Write>
bool handOnToCopy(Rows *rows, const Row &copy, const Row &base, const Row &server, Merge merge, Write write)
{
    qCInfo(caldavLog).noquote() << "[CalDav]" << copy.title << "was changed on the server of the calendar it was"
                                << "moved from; the change goes to its new calendar too";
    return MovedCopy::handOn(rows, copy, base, server, merge, write);
}

} // namespace CalDavPulledRow
