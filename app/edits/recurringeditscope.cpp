#include "app/edits/recurringeditscope.h"

#include <QDebug>
#include <QThreadPool>

#include "app/edits/eventstamp.h"
#include "calendar/recurrence.h"
#include "calendar/serieschange.h"
#include "store/eventrepository.h"

#include <algorithm>

namespace {

QString utcStamp(const QDateTime &value)
{
    return value.toUTC().toString(QStringLiteral("yyyyMMddTHHmmss")) + QLatin1Char('Z');
}

// A series' own rows, tombstones too: all a change of it may rewrite,
// read through its UID alone, not the calendar's.
QList<Event> ownRowsOf(EventRepository *repository, const Event &series)
{
    return Recurrence::isSeries(series) ? repository->getSeriesRows(series.uid, series.calendar_id) : QList<Event>();
}

// Rows changed, each with its text written anew: the longest part of a
// change of a series with many changed occurrences, so many are written
// side by side (the writer keeps what it caches per thread).
void stampChanged(QList<Event> &rows)
{
    constexpr qsizetype Alone = 64;
    if (rows.size() < Alone) {
        for (Event &row : rows)
            EventStamp::changed(row);
        return;
    }
    Event *data = rows.data();
    QThreadPool pool;
    const qsizetype step = (rows.size() + pool.maxThreadCount() - 1) / std::max(1, pool.maxThreadCount());
    for (qsizetype from = 0; from < rows.size(); from += step) {
        const qsizetype to = std::min(rows.size(), from + step);
        pool.start([data, from, to] {
            for (qsizetype i = from; i < to; ++i)
                EventStamp::changed(data[i]);
        });
    }
    pool.waitForDone();
}

// The change stamped and stored in one write, or refused with nothing
// stored. `stored`, when given, becomes the series as stored.
bool store(EventRepository *repository, const SeriesChange &change, QString *refusal, Event *stored = nullptr)
{
    if (change.isRefused()) {
        qWarning().noquote() << "applyRecurringEditScope refused:" << change.refusalDetail();
        if (refusal)
            *refusal = change.refusal();
        return false;
    }
    SeriesRows rows = change.rows();
    EventStamp::changed(rows.master);
    if (rows.newSeries)
        EventStamp::created(*rows.newSeries);
    stampChanged(rows.rekeyed);
    stampChanged(rows.updates);
    stampChanged(rows.inserts);
    if (!repository->storeSeriesChange(rows))
        return false;
    if (stored)
        *stored = rows.master;
    return true;
}

// What the event form changes on one occurrence, laid onto the series.
Event withFormFields(Event master, const Event &edited)
{
    master.title = edited.title;
    master.description = edited.description;
    master.location = edited.location;
    master.color = edited.color;
    master.reminders = edited.reminders;
    master.attendees = edited.attendees;
    return master;
}

// The split: the master ends before the occurrence, and a new series with
// the given fields starts at the new time.
bool splitSeries(EventRepository *repository, const Event &master, const Event &fields,
                 const QDateTime &occurrenceStart, const QDateTime &newStart, const std::optional<QDateTime> &newEnd,
                 QString *refusal)
{
    return store(repository,
                 SeriesChange::thisAndFollowing(master, fields, occurrenceStart, newStart, newEnd,
                                                ownRowsOf(repository, master)),
                 refusal);
}

} // namespace

QString truncateRruleBefore(const QString &rule, const QDateTime &cutoff)
{
    return SeriesChange::truncatedRule(rule, utcStamp(cutoff));
}

bool applyToThisOccurrence(EventRepository *repository, Event master, const QDateTime &occurrenceStart,
                           const QDateTime &newStart, const std::optional<QDateTime> &newEnd)
{
    Event moved = SeriesChange::newRowLike(master, newStart, newEnd);
    moved.master_event_uid = master.uid;
    moved.recurrence_id = Recurrence::recurrenceIdOf(master, occurrenceStart);
    // The text names the series' UID, so the sync sends it inside the
    // series' resource.
    EventStamp::created(moved);
    return repository->insert(moved);
}

bool applyToThisAndFollowing(EventRepository *repository, Event master, const QDateTime &occurrenceStart,
                             const QDateTime &newStart, const std::optional<QDateTime> &newEnd, QString *refusal)
{
    return splitSeries(repository, master, master, occurrenceStart, newStart, newEnd, refusal);
}

bool applyToAllOccurrences(EventRepository *repository, Event master, const QDateTime &occurrenceStart,
                           const QDateTime &newStart, const std::optional<QDateTime> &newEnd, QString *refusal)
{
    return store(repository,
                 SeriesChange::allOccurrences(master, occurrenceStart, newStart, newEnd,
                                              ownRowsOf(repository, master)),
                 refusal);
}

bool storeMovedSeries(EventRepository *repository, const Event &before, Event &after, QString *refusal)
{
    return store(repository, SeriesChange::wholeSeries(before, after, ownRowsOf(repository, before)), refusal,
                 &after);
}

bool applyRecurringEditScope(EventRepository *repository, const Event &master, const QDateTime &occurrenceStart,
                             const QDateTime &newStart, const std::optional<QDateTime> &newEnd, int scope,
                             QString *refusal)
{
    if (!repository)
        return false;
    switch (scope) {
    case SeriesScope::Cancel:
        return true;
    case SeriesScope::ThisEvent:
        return applyToThisOccurrence(repository, master, occurrenceStart, newStart, newEnd);
    case SeriesScope::ThisAndFollowing:
        return applyToThisAndFollowing(repository, master, occurrenceStart, newStart, newEnd, refusal);
    case SeriesScope::AllEvents:
        return applyToAllOccurrences(repository, master, occurrenceStart, newStart, newEnd, refusal);
    default:
        return false;
    }
}

bool applyRecurringEditScope(EventRepository *repository, const Event &master, const QDateTime &occurrenceStart,
                             const Event &edited, int scope, QString *refusal)
{
    if (!repository)
        return false;
    const Event changed = withFormFields(master, edited);
    if (scope == SeriesScope::ThisAndFollowing)
        return splitSeries(repository, master, changed, occurrenceStart, edited.start_time, edited.end_time, refusal);
    return applyRecurringEditScope(repository, changed, occurrenceStart, edited.start_time, edited.end_time, scope,
                                   refusal);
}
