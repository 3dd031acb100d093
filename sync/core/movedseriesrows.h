#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "calendar/movedseriesplaces.h"
#include "store/event.h"

class EventRepository;

// The rows of a series this device moved in time ("All events") or split
// ("This and following") since its provider last had it, as a change made
// elsewhere meanwhile reaches them: the series itself (`local`, as it
// stands here) and the new series each split made of it (`splits`, as the
// split recorded them: EventRepository::splitsFrom). Where each occurrence
// stands the one rule says (`places`, MovedSeriesPlaces); this writes what
// the provider's newer copy of the series changed to the rows it reaches,
// pending, so that they go up with the series. The same for CalDAV, Google
// and Outlook: a row that holds a provider's own copy (its JSON) keeps it,
// as an edit here does, so that only what changed goes up.
class MovedSeriesRows
{
public:
    // The live new series the splits made here of `local` recorded, in its
    // calendar; none without a record (a series made anew in its place, a
    // split the previous version made).
    static QList<Event> splitsOf(const EventRepository *events, const Event &local);

    MovedSeriesRows(EventRepository *events, const Event &local, const QList<Event> &splits,
                    MovedSeriesPlaces places);

    EventRepository *events() const { return m_events; }
    const Event &local() const { return m_local; }
    bool hasSplits() const { return !m_splits.isEmpty(); }
    const MovedSeriesPlaces &places() const { return m_places; }

    // What the provider's copy changed on the series since the sync base
    // (MovedSeriesPlaces::continuedWith) written to each new series a split
    // made here of it, as stored now: with its changed occurrences and
    // skipped days where its time moves (SeriesChange). Where the rule
    // cannot name the moved days, the new series keeps its times and takes
    // the rest. The ids of the new series written go to `written`. False
    // when a row could not be saved.
    bool handOnToSplits(QStringList *written = nullptr) const;

    // The days the provider's copy of the series (`server`) skips, or gives
    // back, since the sync base, laid onto `merged`, the series as the pull
    // or the push merges it: each where its occurrence stands now, a day
    // past a split skipped in the new series that continues it there (as
    // stored now, written pending; its id to `written`). The days skipped
    // here stay. Where the provider moved the series in time and `merged`
    // takes its times, the end a split gave the series moves alike. False
    // when a new series could not be saved.
    bool keepSkippedDays(const Event &server, Event *merged, QStringList *written = nullptr) const;

private:
    // The new series `row` as stored now, as continuedWith() gives it.
    bool handOnTo(const Event &row, bool *changed) const;

    EventRepository *m_events = nullptr;
    Event m_local;
    // The live series the splits of this one started, in its calendar.
    QList<Event> m_splits;
    MovedSeriesPlaces m_places;
};
