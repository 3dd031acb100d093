#pragma once

#include "store/event.h"
#include "store/task.h"
#include "sync/caldav/caldavlog.h"

#include <QDateTime>
#include <QList>
#include <QString>

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
// applies the edit to the server's newer text. True when the row was saved.
template <typename Row, typename Rows, typename Merge>
bool keepLocalEdit(Rows *rows, Row &local, const QString &storedTag, const Row &server, Merge merge)
{
    const bool conflict = !storedTag.isEmpty() && storedTag != server.etag;
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

// The row's reminders (and an event's attendees) as new child rows of it.
void claimChildren(Event &event);
void claimChildren(Task &task);

} // namespace CalDavPulledRow
