#include "calendar/seriesoverrides.h"

#include <QHash>
#include <QSet>

#include "calendar/recurrence.h"
#include "calendar/seriessplittext.h"
#include "store/seriesrows.h"

#include <algorithm>

namespace SeriesOverrides {

void move(const Event &master, const Event &series, const QList<Event> &own, const QDateTime &from,
          const Moved &moved, SeriesRows *rows)
{
    // The rows under the series' UID, tombstones too, by recurrence id:
    // the places a moved change may land on.
    QHash<QString, const Event *> places;
    for (const Event &row : own) {
        if (row.uid == series.uid && !row.recurrence_id.isEmpty())
            places.insert(Recurrence::storedRecurrenceId(row.recurrence_id), &row);
    }
    struct Move
    {
        const Event *row;
        QString recurrenceId;
        const Event *place;
    };
    // Every place is found before anything is written.
    QList<Move> moves;
    QSet<QString> taken;
    for (const Event &row : own) {
        if (row.deleted_at || row.master_event_uid != master.uid || row.recurrence_id.isEmpty())
            continue;
        const QDateTime replaced = Recurrence::readRecurrenceId(row.recurrence_id);
        if (!replaced.isValid() || (from.isValid() && !SeriesSplitText::fromSplitOn(master, replaced, from)))
            continue;
        const QString recurrenceId = Recurrence::recurrenceIdOf(series, moved(replaced));
        const Event *place = places.value(recurrenceId, nullptr);
        moves.append({&row, recurrenceId, place});
        if (place)
            taken.insert(place->id);
    }
    for (const Move &move : std::as_const(moves)) {
        const Event &row = *move.row;
        if (!move.place && row.href.isEmpty() && !taken.contains(row.id)) {
            Event rekeyed = row;
            // One read under the series' UID (imported, written by another
            // client) takes the new series' UID with it, as a copy does:
            // under the old one it would still be read as the old series'
            // and hold that series' place at its recurrence id, where a
            // change the split moves onto (or one left behind) already is.
            if (row.uid == master.uid)
                rekeyed.uid = series.uid;
            rekeyed.master_event_uid = series.uid;
            rekeyed.recurrence_id = move.recurrenceId;
            rows->rekeyed.append(rekeyed);
            continue;
        }
        Event copy = occurrenceUnder(row, series);
        copy.recurrence_id = move.recurrenceId;
        if (move.place) {
            copy.id = move.place->id;
            copy.uid = move.place->uid;
            copy.href = move.place->href;
            copy.etag = move.place->etag;
            copy.provider_event_id = move.place->provider_event_id;
            copy.sequence = std::max(copy.sequence, move.place->sequence);
            claimChildRows(copy);
            rows->withdrawals.removeAll(copy.id);
            rows->updates.append(copy);
        } else {
            rows->inserts.append(copy);
        }
        if (!taken.contains(row.id))
            rows->withdrawals.append(row.id);
    }
}

void withdrawDeleted(const Event &master, const QList<Event> &own, SeriesRows *rows)
{
    const QSet<qint64> skipped = Recurrence::parseExceptionDates(master.exception_dates);
    for (const Event &row : own) {
        if (row.master_event_uid != master.uid || !row.deleted_at || row.href.isEmpty()
            || row.sync_status != SyncStatus::Pending || isWithdrawnOccurrence(row))
            continue;
        const QDateTime replaced = Recurrence::readRecurrenceId(row.recurrence_id);
        if (replaced.isValid() && skipped.contains(replaced.toMSecsSinceEpoch()))
            rows->withdrawals.append(row.id);
    }
}

} // namespace SeriesOverrides
