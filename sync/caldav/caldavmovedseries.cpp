#include "sync/caldav/caldavmovedseries.h"

#include "calendar/eventconflictmerge.h"
#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "calendar/seriesdates.h"
#include "store/eventrepository.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavmovedcopy.h"
#include "sync/core/movedcopy.h"

#include <QMap>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

// The occurrence a recurrence id in the store's "yyyyMMddTHHmmssZ" form
// names, read field by field as UTC (an all-day one at midnight).
QDateTime replacedOccurrence(const QString &recurrenceId)
{
    return Recurrence::readRecurrenceId(recurrenceId);
}

// The recurrence id of the series' occurrence at `start`, as a move names
// it: an all-day one by its date.
QString recurrenceIdAt(const Event &series, const QDateTime &start)
{
    return Recurrence::recurrenceIdOf(series, start);
}

// What fixes where a series' occurrences fall.
QString stepsOf(const Event &series)
{
    return QStringList{series.recurrence_rule, series.recurrence_dates, IcsText::utcText(series.start_time),
                       series.timezone, series.is_all_day ? QStringLiteral("all-day") : QString()}
        .join(QLatin1Char('\n'));
}

// The starts of the series' rule in [from, to), skipped days too.
QList<QDateTime> startsOf(Event series, const QDateTime &from, const QDateTime &to)
{
    series.exception_dates.clear();
    QList<QDateTime> starts;
    for (const Event &occurrence : Recurrence::expandEvent(series, from, to))
        starts.append(occurrence.start_time);
    return starts;
}

// A rule's parts without its end (COUNT, UNTIL), in one order: a split's
// new series continues the old rule with an end of its own.
QStringList unboundedParts(const QString &rule)
{
    QStringList parts;
    for (const QString &part : rule.toUpper().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed();
        if (key != QLatin1String("COUNT") && key != QLatin1String("UNTIL"))
            parts.append(part.trimmed());
    }
    parts.sort();
    return parts;
}

// Whether `row` steps by the rule of `series` moved by `shift` (or as
// written), whatever their ends.
bool continuesRule(const Event &row, const Event &series, const SeriesShift &shift)
{
    const QStringList own = unboundedParts(row.recurrence_rule);
    if (own == unboundedParts(series.recurrence_rule))
        return true;
    const std::optional<QString> moved = shift.movedRule(series.recurrence_rule);
    return moved && own == unboundedParts(*moved);
}

// A skipped day named as the sync clients name one: an all-day series' by
// its date.
QString skippedEntry(const Event &series, const QString &recurrenceId)
{
    return series.is_all_day ? recurrenceId.left(8) : recurrenceId;
}

// The recurrence id a skipped day of the server's text stands for.
QString skippedRecurrenceId(const Event &series, qint64 instant)
{
    return recurrenceIdAt(series, QDateTime::fromMSecsSinceEpoch(instant, Qt::UTC));
}

} // namespace

// The recurrence ids each series' rule gives, skipped days too, stepped once
// as far as asked and as far again: a pull asks for each of thousands of
// changed days, and stepping from the start for each took as long as all of
// them together. Series that step alike share theirs.
struct CalDavMovedSeries::RuleDays
{
    struct Stepped
    {
        QDateTime until;
        QSet<QString> ids;
    };
    QHash<QString, Stepped> bySteps;
};

CalDavMovedSeries::CalDavMovedSeries(EventRepository *events, const Event &local, const Event &base,
                                     const QList<Event> &splits)
    : m_events(events)
    , m_local(local)
    , m_base(base)
    , m_shift(SeriesShift::between(base, local))
    , m_splits(splits)
    , m_days(std::make_shared<RuleDays>())
{
}

bool CalDavMovedSeries::startsAt(const Event &series, const QString &recurrenceId) const
{
    const QDateTime at = replacedOccurrence(recurrenceId);
    if (!at.isValid() || !series.start_time.isValid())
        return false;
    RuleDays::Stepped &stepped = m_days->bySteps[stepsOf(series)];
    // Each occurrence within a day of it named, as the expansion names them.
    if (!stepped.until.isValid() || stepped.until <= at.addDays(1)) {
        const QDateTime from = series.start_time.addDays(-1);
        const QDateTime until = at.addDays(1).addSecs(std::max<qint64>(from.secsTo(at), 86400));
        Event rule = series;
        rule.exception_dates.clear();
        for (const Event &occurrence : Recurrence::expandEvent(rule, stepped.until.isValid() ? stepped.until : from,
                                                               until))
            stepped.ids.insert(Recurrence::recurrenceIdOf(rule, occurrence.start_time));
        stepped.until = until;
    }
    return stepped.ids.contains(recurrenceId);
}

CalDavMovedSeries::Cache::Cache(EventRepository *events, const QString &calendarId)
    : m_events(events)
    , m_calendarId(calendarId)
{
}

const CalDavMovedSeries *CalDavMovedSeries::Cache::of(const QString &uid)
{
    const auto found = m_read.constFind(uid);
    if (found != m_read.cend())
        return found->get();
    std::optional<CalDavMovedSeries> series = CalDavMovedSeries::of(m_events, m_calendarId, uid);
    const std::shared_ptr<const CalDavMovedSeries> kept =
        series ? std::make_shared<const CalDavMovedSeries>(std::move(*series)) : nullptr;
    m_read.insert(uid, kept);
    return kept.get();
}

std::optional<CalDavMovedSeries> CalDavMovedSeries::of(EventRepository *events, const QString &calendarId,
                                                       const QString &uid)
{
    const std::optional<Event> local = events->getLiveByUidAndRecurrenceId(uid, calendarId, QString());
    if (!local || local->sync_status != SyncStatus::Pending || !Recurrence::isSeries(*local))
        return std::nullopt;
    const std::optional<EventSyncBase> base = events->syncBase(local->id);
    if (!base)
        return std::nullopt;
    for (const Event &candidate : IcsCodec::parseEvents(base->raw_icalendar)) {
        // A series made all-day or timed has no occurrence to name alike.
        if (candidate.recurrence_id.isEmpty() && candidate.uid == uid && Recurrence::isSeries(candidate)
            && candidate.is_all_day == local->is_all_day) {
            QList<Event> splits;
            for (const QString &id : events->splitsFrom(local->id)) {
                const std::optional<Event> row = events->getById(id);
                if (row && !row->deleted_at && row->calendar_id == calendarId && row->recurrence_id.isEmpty())
                    splits.append(*row);
            }
            return CalDavMovedSeries(events, *local, candidate, splits);
        }
    }
    return std::nullopt;
}

std::optional<CalDavMovedSeries::Place> CalDavMovedSeries::placeOf(const QString &recurrenceId) const
{
    const QDateTime replaced = replacedOccurrence(recurrenceId);
    if (!replaced.isValid())
        return std::nullopt;
    if (!m_shift.isNone())
        return Place{m_local, recurrenceIdAt(m_local, m_shift.moved(replaced))};
    if (startsAt(m_local, recurrenceId) || !startsAt(m_base, recurrenceId))
        return std::nullopt;
    const std::optional<Continuation> next = continuation(recurrenceId);
    if (!next)
        return std::nullopt;
    return Place{next->series, recurrenceIdAt(next->series, next->shift.moved(replaced))};
}

std::optional<CalDavMovedSeries::Continuation> CalDavMovedSeries::continuation(const QString &recurrenceId) const
{
    if (m_splits.isEmpty())
        return std::nullopt;
    // The split: the first occurrence the series had and has no more, the
    // same for each later occurrence, so it is looked for until found.
    const QDateTime at = replacedOccurrence(recurrenceId);
    if (!m_split.isValid()) {
        const QList<QDateTime> kept = startsOf(m_local, m_base.start_time, at.addSecs(1));
        for (const QDateTime &start : startsOf(m_base, m_base.start_time, at.addSecs(1))) {
            if (!kept.contains(start)) {
                m_split = start;
                break;
            }
        }
    }
    if (!m_split.isValid() || m_split > at)
        return std::nullopt;
    Event replaced = m_base;
    replaced.start_time = m_split;
    // A series a split made here of this one, still in the same zone,
    // starting at the split occurrence moved, stepping by the old rule
    // (moved alike) and holding the occurrence moved alike: the latest of
    // them when this series was split more than once.
    std::optional<Continuation> found;
    for (const Event &row : m_splits) {
        if (row.uid == m_local.uid || !Recurrence::isSeries(row) || row.is_all_day != m_local.is_all_day
            || row.timezone != m_base.timezone)
            continue;
        const SeriesShift shift = SeriesShift::between(replaced, row);
        if (!continuesRule(row, m_base, shift)
            || !startsAt(row, recurrenceIdAt(row, shift.moved(at))))
            continue;
        if (!found || found->series.created < row.created)
            found = Continuation{row, shift};
    }
    return found;
}

bool CalDavMovedSeries::handOn(EventRepository *events, Cache *cache, const Event &old, const QString &storedTag,
                               const Event &server, bool *handed)
{
    *handed = false;
    if (!isWithdrawnOccurrence(old) || storedTag.isEmpty() || storedTag == server.etag)
        return true;
    const CalDavMovedSeries *series = cache->of(old.master_event_uid.isEmpty() ? old.uid : old.master_event_uid);
    const std::optional<Place> place = series ? series->placeOf(old.recurrence_id) : std::nullopt;
    const std::optional<Event> live = place ? events->getLiveByUidAndRecurrenceId(place->series.uid,
                                                                                   old.calendar_id, place->recurrenceId)
                                            : std::nullopt;
    if (!live)
        return true;
    qCInfo(caldavLog).noquote() << "[CalDav]" << live->title << "was changed on the server before its series moved"
                                << "here; the change goes to where the occurrence stands now";
    *handed = true;
    // Both copies named at the new place, so that only what each side
    // changed counts; the change's text is its own, the record's edits
    // written over it.
    Event base = CalDavMovedCopy::startedFrom(events, old);
    base.recurrence_id = live->recurrence_id;
    Event changed = server;
    changed.recurrence_id = live->recurrence_id;
    return MovedCopy::handOn(events, *live, base, changed, &EventConflictMerge::merged,
                             [](const Event &merged, const Event &copy) {
                                 Event written = merged;
                                 written.raw_icalendar = copy.raw_icalendar;
                                 return IcsCodec::buildEventIcs(written);
                             });
}

CalDavMovedSeries::Arrival CalDavMovedSeries::take(Event &pulled) const
{
    const std::optional<Place> place = placeOf(pulled.recurrence_id);
    if (!place)
        return Arrival::Stays;
    if (m_events->getLiveByUidAndRecurrenceId(place->series.uid, place->series.calendar_id, place->recurrenceId))
        return Arrival::HeldThere;
    qCInfo(caldavLog).noquote() << "[CalDav]" << pulled.title << "was changed on the server before its series moved"
                                << "here; it is kept where the occurrence stands now";
    pulled = occurrenceUnder(pulled, place->series);
    pulled.recurrence_id = place->recurrenceId;
    pulled.sync_status = SyncStatus::Pending;
    pulled.raw_icalendar = IcsCodec::buildEventIcs(pulled);
    return Arrival::Moved;
}

void CalDavMovedSeries::keepSkippedDays(const Event &server, Event *merged) const
{
    const QMap<qint64, QString> before = SeriesDates::byInstant(m_base.exception_dates);
    const QMap<qint64, QString> after = SeriesDates::byInstant(server.exception_dates);
    QMap<qint64, QString> kept = SeriesDates::byInstant(m_local.exception_dates);
    // Rows of a split's new series, by id, with the days they now skip.
    QMap<QString, Event> continued;
    const auto lay = [&](qint64 instant, bool skip) {
        const QString recurrenceId = skippedRecurrenceId(m_base, instant);
        const std::optional<Place> place = placeOf(recurrenceId);
        if (place && place->series.id != m_local.id) {
            // The row as stored now: the pull may have written it since
            // this series was read.
            Event &row = continued.contains(place->series.id)
                ? continued[place->series.id]
                : (continued[place->series.id] = m_events->getById(place->series.id).value_or(place->series));
            QMap<qint64, QString> days = SeriesDates::byInstant(row.exception_dates);
            const qint64 moved = replacedOccurrence(place->recurrenceId).toMSecsSinceEpoch();
            if (skip)
                days.insert(moved, skippedEntry(row, place->recurrenceId));
            else
                days.remove(moved);
            row.exception_dates = SeriesDates::listOf(days);
            return;
        }
        const QString at = place ? place->recurrenceId : recurrenceId;
        const qint64 moved = replacedOccurrence(at).toMSecsSinceEpoch();
        if (skip)
            kept.insert(moved, place ? skippedEntry(m_local, at) : after.value(instant));
        else
            kept.remove(moved);
    };
    bool changed = false;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key())) {
            lay(it.key(), true);
            changed = true;
        }
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key())) {
            lay(it.key(), false);
            changed = true;
        }
    }
    if (!changed)
        return;
    merged->exception_dates = SeriesDates::listOf(kept);
    for (Event row : std::as_const(continued)) {
        row.sync_status = SyncStatus::Pending;
        row.last_modified = QDateTime::currentDateTimeUtc();
        if (!m_events->update(row))
            qCWarning(caldavLog) << "[CalDav] Could not skip in" << row.title << "a day skipped on the server";
    }
}
