#pragma once

#include "calendar/movedseriesplaces.h"
#include "store/event.h"
#include "sync/core/movedseriesrows.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class EventRepository;

// A series this device moved in time ("All events") or split ("This and
// following") since it last synced it, as a pull meets it: the server,
// where another device changed it meanwhile, names the occurrences by
// their old recurrence ids (or by their starts in its copy, where it moved
// the series itself). Where each stands here the one rule of where a
// change made elsewhere lands says (MovedSeriesPlaces): moved as the
// series' start moved from its sync base, or, past the end a split gave
// the series, in the new series that continues it. The change made
// elsewhere goes there, and the series' resource goes up with it. A split's
// new series is the one the split recorded (EventRepository::splitsFrom);
// without one the change stays with the series it was made to. What the
// server changed on the series itself reaches that new series too, where
// the split kept what the series had (handOnToSplits). A pull reads each
// series once (Cache).
class CalDavMovedSeries
{
public:
    // The series `uid` of the calendar, when its master is a pending edit
    // of a synced copy (it has a sync base) that moved or ended it;
    // `server`, when given, is the server's newer copy of it.
    static std::optional<CalDavMovedSeries> of(EventRepository *events, const QString &calendarId,
                                               const QString &uid, const std::optional<Event> &server = std::nullopt);

    // The series of one calendar a pull meets, each read once by its uid:
    // the sync base of a series with thousands of changed occurrences is
    // read and parsed once, not once per occurrence. What the pull writes
    // to a series' own row does not change where its occurrences stand.
    class Cache
    {
    public:
        Cache(EventRepository *events, const QString &calendarId);
        // The series `uid` as of() gives it; null when there is none.
        const CalDavMovedSeries *of(const QString &uid);
        // `server`, the server's copy of a series pending here, met before
        // the rows of its resource: the series is read against it from
        // here on, and what it changed on the series reaches the new
        // series splits made here of it (handOnToSplits). False when one
        // of those could not be saved.
        bool meet(const Event &server);

    private:
        EventRepository *m_events;
        QString m_calendarId;
        // Null where the uid names no such series.
        QHash<QString, std::shared_ptr<const CalDavMovedSeries>> m_read;
        // The server's copies met, by uid.
        QHash<QString, Event> m_servers;
    };

    // `old`, an occurrence change withdrawn from its place by the move of
    // its series (the series as `cache` gives it), left pending under
    // `storedTag`, whose server copy is now `server`: the live change at the
    // new place takes what the server changed, merged as a conflict is, its
    // own edits winning. *handed says whether it did; false when it could
    // not be saved.
    static bool handOn(EventRepository *events, Cache *cache, const Event &old, const QString &storedTag,
                       const Event &server, bool *handed);

    // What becomes of `pulled`, an occurrence the server changed that no
    // row here holds yet.
    enum class Arrival {
        Stays, // stored as it came
        Moved, // `pulled` now stands at its new place, pending
        HeldThere, // a change made here holds that place and wins
    };
    Arrival take(Event &pulled) const;

    // The days the server's master skips (or gives back) since the sync
    // base, laid onto `merged`, the master merged from this device's edit
    // (MovedSeriesRows::keepSkippedDays).
    void keepSkippedDays(const Event &server, Event *merged) const;

    // What the server's copy changed on the series since the sync base
    // written to each new series a split made here of it, pending
    // (MovedSeriesRows::handOnToSplits). False when a row could not be
    // saved.
    bool handOnToSplits() const;

private:
    explicit CalDavMovedSeries(MovedSeriesRows rows);

    MovedSeriesRows m_rows;
};
