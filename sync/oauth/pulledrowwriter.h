#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "store/calendar.h"
#include "store/event.h"
#include "store/eventproviderkey.h"
#include "sync/core/syncrepositories.h"
#include "sync/oauth/pullapplyresult.h"

#include <memory>
#include <optional>

class EventBatchWriter;
class EventRepository;
class MovedSeriesRows;

namespace OAuth {

// What a provider's pull keeps while it writes one listing into a calendar:
// the calendar's rows by provider id, read once when first asked for (a
// read per listed item would cost more than its write, and an empty
// listing needs none) and kept as the pull writes them, new rows through
// statements prepared once, and the counts.
class PulledRowWriter
{
public:
    PulledRowWriter(const Sync::Repositories &store, const Calendar &calendar);
    virtual ~PulledRowWriter();

    PullApplyResult result() const { return m_result; }

protected:
    // The calendar's rows by provider id; keysRead() says whether the read
    // succeeded.
    QHash<QString, EventProviderKey> &keys();
    bool keysRead()
    {
        keys();
        return m_keysRead;
    }
    // Writes a row the calendar does not hold yet and keeps it (remember).
    // A changed occurrence whose series here (`series`) was moved to another
    // calendar since the last sync goes to the series' copy, and is written
    // as left behind with the series, linked to the copy
    // (MovedCopy::leaveWithMovedSeries): the series' deletion would take it
    // along unseen. One whose series this device moved in time since the
    // provider had it is written where its occurrence stands now
    // (placeInMovedSeries), or not at all where a change made here holds
    // that place; one past the end a split here gave the series goes to
    // the new series that continues it there. False when it could not be
    // written.
    bool insertNew(Event &row, const std::optional<EventProviderKey> &series);
    // Writes a pulled version of a row the calendar holds (`stored`) over it
    // and keeps it. The row keeps the names it goes by here: its id; its
    // uid, which a series made here keeps after its push and by which its
    // changed occurrences and the views pair them; and, for a changed
    // occurrence, the series it names while that is the series the provider
    // names. False when it could not be written.
    bool updateKnown(Event &pulled, const Event &stored);
    // The same resource may be listed twice in one listing.
    void remember(const Event &written);
    // `pulled`, the provider's newer copy of the series `seriesId`, which
    // is pending here: when this device moved it in time or split it since
    // the provider had it, the days the provider skips since then (or
    // gives back) are laid onto it where their occurrences stand now, a
    // day past a split onto the new series that continues it there
    // (MovedSeriesPlaces::skippedDaysWith); the rest waits for the push,
    // which joins both sides. False when that could not be written.
    bool takeSkippedDays(const Event &pulled, const QString &seriesId);
    // Where the occurrences of `series` stand here, when it is a pending
    // edit that moved it in time or split it since the provider last had
    // it (its sync base): the provider, where another device changed the
    // series meanwhile, names them by their old starts, and the ones past
    // a split stand in the new series the split recorded. Read once a pull.
    const MovedSeriesRows *movedHere(const Event &series);
    // The record a resource's stored text (the provider's JSON) maps to;
    // none for a text that is none.
    virtual std::optional<Event> eventFromStored(const QString &text) const = 0;
    // Whether the provider dropped the day `recurrenceId` (the start it had
    // before the move) from `series` with this device's move of it in
    // time, whose write went up since the last pull, answered or not
    // (EventRepository::droppedOccurrences): its next listing names such
    // days gone, or cancelled at their old starts, where the moved series
    // may have other days. A day the series skips here is no such day.
    bool droppedWithMove(const Event &series, const QString &recurrenceId);
    // `row`, a changed occurrence the provider names gone or cancelled,
    // whose copy there stood at `heldAt` (its recurrence id there), still
    // to be written where this device moved its series: that move dropped
    // it (droppedWithMove), and it stays for the push to write it where
    // its occurrence stands now. Removed before the move went up, it was
    // removed elsewhere.
    bool droppedByOwnMove(const Event &row, const QString &heldAt);
    // Once a listing is read, the days the moves dropped name nothing gone
    // any more.
    void forgetDroppedDays();

    EventRepository *m_events;
    const Calendar &m_calendar;
    QHash<QString, EventProviderKey> m_keys;
    PullApplyResult m_result;

private:
    // `row`, an occurrence changed on the provider that names its old start
    // in a series this device moved in time or split: it goes where that
    // occurrence stands now, pending, so that the push writes it to the
    // provider's instance there once the series is up; past a split, to the
    // new series' instance, as the provider held the day. False when a
    // change made here holds that place: that one wins, and `row` is not
    // written.
    bool placeInMovedSeries(Event &row, const QString &seriesId);

    std::unique_ptr<EventBatchWriter> m_newRows;
    // By the series' row id; none where it did not move.
    QHash<QString, std::shared_ptr<const MovedSeriesRows>> m_moved;
    // The days providers dropped from series this device moved, by the
    // series' row id; read when first asked for.
    std::optional<QHash<QString, QStringList>> m_dropped;
    bool m_keysAsked = false;
    bool m_keysRead = false;
};

} // namespace OAuth
