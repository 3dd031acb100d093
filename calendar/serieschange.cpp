#include "calendar/serieschange.h"

#include <QCoreApplication>
#include <QStringList>
#include <QUuid>

#include "calendar/recurrence.h"
#include "calendar/rulestarts.h"
#include "calendar/seriesdates.h"
#include "calendar/seriesoverrides.h"
#include "calendar/seriesshift.h"
#include "calendar/seriessplittext.h"

#include <algorithm>

namespace {

QString ruleKey(const QString &part)
{
    return part.section(QLatin1Char('='), 0, 0).trimmed().toUpper();
}

// The original rule for the series that starts at the split: its UNTIL as
// it was, its COUNT less the occurrences left behind.
QString continuedRule(const Event &master, const QDateTime &occurrenceStart)
{
    QStringList parts;
    for (const QString &part : master.recurrence_rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (part.contains(QLatin1Char('=')) && ruleKey(part) == QLatin1String("COUNT")) {
            const int count = part.section(QLatin1Char('='), 1).trimmed().toInt();
            // Skipped days count, as they do for COUNT; extra dates do not.
            const qint64 left = count - RuleStarts::countBefore(master, occurrenceStart);
            parts.append(QStringLiteral("COUNT=%1").arg(std::max<qint64>(left, 1)));
            continue;
        }
        parts.append(part);
    }
    return parts.join(QLatin1Char(';'));
}

// A row of its own for an override or a new series: the master's visible
// fields, its reminders and attendees (so a moved occurrence still alerts
// and still invites), new times and a new identity.
Event childOf(const Event &master, const QDateTime &newStart, const std::optional<QDateTime> &newEnd)
{
    Event child;
    child.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    child.uid = child.id;
    child.calendar_id = master.calendar_id;
    child.title = master.title;
    child.description = master.description;
    child.location = master.location;
    child.color = master.color;
    child.timezone = master.timezone;
    child.status = master.status;
    child.organizer_email = master.organizer_email;
    child.organizer_name = master.organizer_name;
    child.is_all_day = master.is_all_day;
    child.start_time = newStart;
    child.end_time = newEnd;
    for (Reminder reminder : master.reminders) {
        reminder.id.clear();
        reminder.event_id.clear();
        reminder.acknowledged = false;
        reminder.trigger_time.reset();
        child.reminders.append(reminder);
    }
    for (Attendee attendee : master.attendees) {
        attendee.id.clear();
        attendee.event_id.clear();
        child.attendees.append(attendee);
    }
    return child;
}

// The series' own length from a new start: its end as it was where the
// start stays (a DURATION stays one), else its whole days on the wall clock
// and the rest exact, as every occurrence is read.
std::optional<QDateTime> seriesEndFrom(const Event &master, const QDateTime &start)
{
    if (start == master.start_time)
        return master.end_time;
    return Recurrence::occurrenceEnd(master, start);
}

// The length the user gave the occurrence, laid onto a new start the same
// way: an occurrence across a daylight-saving change is a day on the wall
// clock, not 23 or 25 hours.
QDateTime withLengthOf(const Event &master, const QDateTime &start, const QDateTime &newStart,
                       const QDateTime &newEnd)
{
    if (master.is_all_day)
        return QDateTime(start.date().addDays(newStart.date().daysTo(newEnd.date())), start.time());
    Event edited = master;
    edited.start_time = newStart;
    edited.end_time = newEnd;
    return Recurrence::occurrenceEnd(edited, start).value_or(start.addSecs(newStart.secsTo(newEnd)));
}

// A time on the clock the series steps on.
QDateTime onSeriesClock(const Event &series, const QDateTime &value)
{
    Event at = series;
    at.start_time = value;
    return Recurrence::steppedStart(at);
}

QString shownTitle(const Event &series)
{
    return series.title.isEmpty() ? QCoreApplication::translate("RecurringEditScope", "The event") : series.title;
}

QString refusedMoveText(const Event &series)
{
    return QCoreApplication::translate(
               "RecurringEditScope",
               "\"%1\" was left as it was: its repeat rule cannot move every occurrence by the same days (a day "
               "such as the 31st, or the second Monday of a month). Change the rule in the event form, or move "
               "the occurrences one at a time.")
        .arg(shownTitle(series));
}

QString refusedSplitText(const Event &series)
{
    return QCoreApplication::translate(
               "RecurringEditScope",
               "\"%1\" was left as it was: its repeat rule cannot start again from this occurrence and keep the "
               "same days (a day such as the 31st, which shorter months move to their last day). Change the rule "
               "in the event form, or move the occurrences one at a time.")
        .arg(shownTitle(series));
}

} // namespace

SeriesChange SeriesChange::refused(const Event &series, const QString &detail)
{
    return refused(refusedMoveText(series), detail);
}

SeriesChange SeriesChange::refused(const QString &words, const QString &detail)
{
    SeriesChange change;
    change.m_refusal = words;
    change.m_detail = detail;
    return change;
}

QString SeriesChange::truncatedRule(const QString &rule, const QString &until)
{
    QStringList parts;
    bool replaced = false;
    for (const QString &part : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!part.contains(QLatin1Char('='))) {
            parts.append(part);
            continue;
        }
        const QString key = ruleKey(part);
        if (key == QLatin1String("COUNT"))
            continue;
        if (key == QLatin1String("UNTIL")) {
            parts.append(QStringLiteral("UNTIL=") + until);
            replaced = true;
            continue;
        }
        parts.append(part);
    }
    if (!replaced)
        parts.append(QStringLiteral("UNTIL=") + until);
    return parts.join(QLatin1Char(';'));
}

SeriesChange SeriesChange::wholeSeries(const Event &before, const Event &after, const QList<Event> &own)
{
    SeriesChange change;
    Event stored = after;
    // A series made all-day or timed has no occurrence to name alike.
    const SeriesShift shift = SeriesShift::between(before, after);
    const bool moves = before.is_all_day == after.is_all_day && Recurrence::isSeries(before) && !shift.isNone();
    if (moves) {
        // A rule given anew in the same edit is the user's, as written.
        if (stored.recurrence_rule == before.recurrence_rule && !stored.recurrence_rule.isEmpty()) {
            const std::optional<QString> rule = shift.movedRule(stored.recurrence_rule);
            if (!rule)
                return refused(before, QStringLiteral("the rule %1 of %2 cannot move from %3 to %4")
                                           .arg(before.recurrence_rule, before.id,
                                                before.start_time.toString(Qt::ISODate),
                                                after.start_time.toString(Qt::ISODate)));
            stored.recurrence_rule = *rule;
        }
        stored.exception_dates = SeriesDates::exceptions(
            stored.exception_dates, stored.is_all_day,
            [&shift](const QDateTime &skipped) -> std::optional<QDateTime> { return shift.moved(skipped); });
        if (!stored.recurrence_dates.trimmed().isEmpty())
            stored.recurrence_dates = SeriesDates::extraDates(stored.recurrence_dates, shift);
    }
    change.m_rows.master = stored;
    if (moves) {
        SeriesOverrides::withdrawDeleted(before, own, &change.m_rows);
        SeriesOverrides::move(before, stored, own, QDateTime(),
                              [&shift](const QDateTime &value) { return shift.moved(value); }, &change.m_rows);
    }
    return change;
}

Event SeriesChange::newRowLike(const Event &master, const QDateTime &newStart, const std::optional<QDateTime> &newEnd)
{
    return childOf(master, newStart, newEnd);
}

SeriesChange SeriesChange::allOccurrences(const Event &master, const QDateTime &occurrenceStart,
                                          const QDateTime &newStart, const std::optional<QDateTime> &newEnd,
                                          const QList<Event> &own)
{
    Event after = master;
    const SeriesShift shift(onSeriesClock(master, occurrenceStart), onSeriesClock(master, newStart),
                            master.is_all_day);
    const QDateTime start = shift.isNone() ? master.start_time : shift.moved(master.start_time);
    if (master.end_time) {
        // The occurrence as the series would have it at its new time: an
        // edit that leaves its end there leaves the series' length alone.
        const bool sameLength = !newEnd || Recurrence::occurrenceEnd(master, newStart) == newEnd;
        after.end_time = sameLength ? seriesEndFrom(master, start) : withLengthOf(master, start, newStart, *newEnd);
    }
    after.start_time = start;
    return wholeSeries(master, after, own);
}

SeriesChange SeriesChange::thisAndFollowing(const Event &master, const Event &fields, const QDateTime &occurrenceStart,
                                            const QDateTime &newStart, const std::optional<QDateTime> &newEnd,
                                            const QList<Event> &own)
{
    const QDateTime split = onSeriesClock(master, occurrenceStart);
    SeriesShift shift(split, onSeriesClock(master, newStart), master.is_all_day);
    Event series = childOf(fields, newStart, newEnd);
    series.recurrence_rule = continuedRule(master, occurrenceStart);
    // An extra date off the rule is no start for it: the new series starts
    // at the rule's next occurrence, moved as the dragged one moved, and
    // keeps the dragged one among its extra dates. Where the rule gives no
    // more, the new series is its dates alone.
    const std::optional<QDateTime> ruleStart = RuleStarts::firstFrom(master, split);
    if (!ruleStart) {
        series.recurrence_rule.clear();
    } else if (master.is_all_day ? ruleStart->date() != split.date() : *ruleStart != split) {
        shift = shift.from(*ruleStart, Recurrence::steppedTime(master));
        series.start_time = shift.moved(*ruleStart);
        if (newEnd) {
            const bool sameLength = Recurrence::occurrenceEnd(master, newStart) == newEnd;
            series.end_time = sameLength ? Recurrence::occurrenceEnd(master, series.start_time)
                                         : withLengthOf(master, series.start_time, newStart, *newEnd);
        }
    }
    if (!shift.isNone() && !series.recurrence_rule.isEmpty()) {
        const std::optional<QString> rule = shift.movedRule(series.recurrence_rule);
        if (!rule)
            return refused(master, QStringLiteral("the rule %1 of %2 cannot move from %3 to %4 from there on")
                                       .arg(master.recurrence_rule, master.id,
                                            occurrenceStart.toString(Qt::ISODate), newStart.toString(Qt::ISODate)));
        series.recurrence_rule = *rule;
    }
    if (!series.recurrence_rule.isEmpty()
        && !shift.carriesOn(master.recurrence_rule, Recurrence::steppedStart(master), Recurrence::steppedTime(master),
                            series.recurrence_rule))
        return refused(refusedSplitText(master),
                       QStringLiteral("the rule %1 of %2 cannot go on as %3 from %4")
                           .arg(master.recurrence_rule, master.id, series.recurrence_rule,
                                series.start_time.toString(Qt::ISODate)));
    // The days the old series skipped from the split on are skipped by the
    // new one, moved as it moved; the old one keeps those before.
    series.exception_dates = SeriesDates::exceptions(
        master.exception_dates, master.is_all_day, [&](const QDateTime &skipped) -> std::optional<QDateTime> {
            if (!SeriesSplitText::fromSplitOn(master, skipped, occurrenceStart))
                return std::nullopt;
            return shift.moved(skipped);
        });
    // Extra dates from the split on go with it, moved as its start moves;
    // the ended rule's UNTIL does not end them.
    const SeriesDates::Split extraDates = SeriesDates::splitExtraDates(master, occurrenceStart, shift);
    series.recurrence_dates = extraDates.from;
    series.raw_icalendar = SeriesSplitText::lengthTemplate(master);

    SeriesChange change;
    Event ended = master;
    // An all-day series ends on a date: UNTIL takes the value type of DTSTART.
    // A series of dates alone has no rule to end, only its dates.
    if (!master.recurrence_rule.trimmed().isEmpty())
        ended.recurrence_rule = truncatedRule(
            master.recurrence_rule,
            master.is_all_day ? occurrenceStart.date().addDays(-1).toString(QStringLiteral("yyyyMMdd"))
                              : occurrenceStart.addSecs(-1).toUTC().toString(QStringLiteral("yyyyMMddTHHmmss'Z'")));
    ended.exception_dates = SeriesDates::exceptions(
        master.exception_dates, master.is_all_day, [&](const QDateTime &skipped) -> std::optional<QDateTime> {
            if (SeriesSplitText::fromSplitOn(master, skipped, occurrenceStart))
                return std::nullopt;
            return skipped;
        });
    ended.recurrence_dates = extraDates.before;
    ended.raw_icalendar = SeriesSplitText::withoutChangesFrom(master, occurrenceStart);
    change.m_rows.master = ended;
    change.m_rows.newSeries = series;
    SeriesOverrides::move(master, series, own, occurrenceStart,
                          [&shift](const QDateTime &value) { return shift.moved(value); }, &change.m_rows);
    return change;
}
