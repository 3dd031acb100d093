#pragma once

#include "calendar/seriesshift.h"
#include "store/event.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class EventRepository;

// A series this device moved in time ("All events") or split ("This and
// following") since it last synced it, as a pull meets it: the server,
// where another device changed it meanwhile, still names the occurrences
// by their old recurrence ids. Where each stands here now: moved as the
// series' start moved from its sync base, or, past the end a split gave the
// series, in the new series that continues it, moved as that series' start
// moved from the occurrence it replaced. The change made elsewhere goes
// there, and the series' resource goes up with it. A split's new series is
// the one the split recorded (EventRepository::splitsFrom); without one the
// change stays with the series it was made to. A pull reads each series once
// (Cache).
class CalDavMovedSeries
{
public:
    // The series `uid` of the calendar, when its master is a pending edit
    // of a synced copy (it has a sync base) that moved or ended it.
    static std::optional<CalDavMovedSeries> of(EventRepository *events, const QString &calendarId,
                                               const QString &uid);

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

    private:
        EventRepository *m_events;
        QString m_calendarId;
        // Null where the uid names no such series.
        QHash<QString, std::shared_ptr<const CalDavMovedSeries>> m_read;
    };

    // Where the occurrence the server names `recurrenceId` stands here: the
    // series that holds it now and its recurrence id there. None where it
    // stands as it stood.
    struct Place
    {
        Event series;
        QString recurrenceId;
    };
    std::optional<Place> placeOf(const QString &recurrenceId) const;

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
    // base, laid onto `merged`, the master merged from this device's edit:
    // each moved as its occurrence moved, a day past a split skipped in the
    // series that continues it. The local skipped days stay.
    void keepSkippedDays(const Event &server, Event *merged) const;

private:
    CalDavMovedSeries(EventRepository *events, const Event &local, const Event &base, const QList<Event> &splits);

    // The new series a split left the occurrence `recurrenceId` to, and how
    // far it moved them; none when the series here ends otherwise, or when
    // no split made here recorded a series that continues it there.
    struct Continuation
    {
        Event series;
        SeriesShift shift;
    };
    std::optional<Continuation> continuation(const QString &recurrenceId) const;
    // Whether the rule of `series` gives an occurrence at `recurrenceId`,
    // skipped or not.
    bool startsAt(const Event &series, const QString &recurrenceId) const;
    struct RuleDays;

    EventRepository *m_events = nullptr;
    Event m_local;
    Event m_base;
    SeriesShift m_shift;
    // The live series the splits of this one started, in this calendar.
    QList<Event> m_splits;
    // The first occurrence the series had and has no more, once looked for.
    mutable QDateTime m_split;
    // The days the rules asked about give, as far as stepped.
    std::shared_ptr<RuleDays> m_days;
};
