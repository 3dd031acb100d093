#include "calendar/seriesshift.h"

#include <QStringList>

#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "calendar/rulestarts.h"

#include <algorithm>

namespace {

constexpr qint64 DayMSecs = 86400000;
// How far a moved rule is stepped beside the old one: three leap-year
// cycles, so that every month length and weekday of a month day comes up.
constexpr int CheckedYears = 12;

const char *const WeekdayCodes[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

// A list of day numbers of a month or a year, each moved by `days` within
// `limit`. A day counted from the end moved past it is counted from the
// start of the next (the last day a day later is the 1st), and one counted
// from the start moved before it from the end of the one before; whether
// the months still agree the check of the whole rule tells.
std::optional<QString> movedNumbers(const QString &value, qint64 days, int limit)
{
    QStringList out;
    for (const QString &item : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 number = item.trimmed().toLongLong(&ok);
        if (!ok || number == 0)
            return std::nullopt;
        qint64 moved = number + days;
        if (number < 0 && moved >= 0)
            ++moved;
        else if (number > 0 && moved <= 0)
            --moved;
        if (moved > limit || moved < -limit)
            return std::nullopt;
        out.append(QString::number(moved));
    }
    return out.join(QLatin1Char(','));
}

// Whether a rule takes its day of the month from the series' start (it
// names no day of its own) and some start falls on another day: a month
// too short for it, where this device falls back to the month's last day.
bool fallsBackToMonthEnd(const RecurrenceRule &rule, const QDate &start, const QList<QDateTime> &starts)
{
    const bool byStartDay = (rule.freq == QLatin1String("MONTHLY") || rule.freq == QLatin1String("YEARLY"))
                            && rule.byMonthDay.isEmpty() && rule.byDay.isEmpty() && rule.byYearDay.isEmpty()
                            && rule.byWeekNo.isEmpty();
    if (!byStartDay)
        return false;
    return std::any_of(starts.cbegin(), starts.cend(),
                       [&start](const QDateTime &when) { return when.date().day() != start.day(); });
}

// Weekdays moved by `days`; a numbered one ("2MO") only by whole weeks,
// as the second Monday a day later is not always the second Tuesday.
std::optional<QString> movedWeekdays(const QString &value, qint64 days)
{
    QStringList out;
    for (const QString &item : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        int ordinal = 0;
        int weekday = 0;
        if (!Recurrence::parseByDayEntry(item, &ordinal, &weekday))
            return std::nullopt;
        const int movedDay = int(((weekday - 1 + days) % 7 + 7) % 7);
        QString entry = QLatin1String(WeekdayCodes[movedDay]);
        if (ordinal != 0) {
            if (days % 7 != 0)
                return std::nullopt;
            const qint64 movedOrdinal = ordinal + days / 7;
            if (movedOrdinal == 0 || (movedOrdinal > 0) != (ordinal > 0) || movedOrdinal > 53 || movedOrdinal < -53)
                return std::nullopt;
            entry.prepend(QString::number(movedOrdinal));
        }
        out.append(entry);
    }
    return out.join(QLatin1Char(','));
}

using RuleStarts::naive;
using RuleStarts::onWallClock;

} // namespace

SeriesShift::SeriesShift(const QDateTime &from, const QDateTime &to, bool allDay)
    : m_from(from)
    , m_to(to)
    , m_allDay(allDay)
    , m_fromTime(from.time())
    , m_toTime(to.time())
    , m_days(from.date().daysTo(to.date()))
    , m_seconds(allDay ? 0 : (to.time().msecsSinceStartOfDay() - from.time().msecsSinceStartOfDay()) / 1000)
{
}

SeriesShift SeriesShift::between(const Event &before, const Event &after)
{
    SeriesShift shift(Recurrence::steppedStart(before), Recurrence::steppedStart(after), before.is_all_day);
    if (shift.m_allDay)
        return shift;
    // A start written in a skipped hour is measured at the time written; a
    // start moved since is where it now reads.
    shift.m_fromTime = Recurrence::steppedTime(before);
    if (after.start_time == before.start_time)
        shift.m_toTime = Recurrence::steppedTime(after);
    shift.m_seconds = (shift.m_toTime.msecsSinceStartOfDay() - shift.m_fromTime.msecsSinceStartOfDay()) / 1000;
    return shift;
}

bool SeriesShift::isNone() const
{
    if (m_days != 0 || m_seconds != 0)
        return false;
    if (m_allDay)
        return true;
    return m_from.timeSpec() == m_to.timeSpec()
        && (m_from.timeSpec() != Qt::TimeZone || m_from.timeZone() == m_to.timeZone());
}

QDateTime SeriesShift::moved(const QDateTime &instant) const
{
    if (m_allDay)
        return instant.addDays(m_days);
    const QDateTime wall = IcsText::inSpecOf(instant, m_from);
    // An occurrence a daylight-saving gap pushed off the series' time of
    // day is read at that time, as the series names it.
    QTime time = wall.time();
    if (time != m_fromTime && IcsText::wallClockLike(wall.date(), m_fromTime, m_from) == instant)
        time = m_fromTime;
    const QDateTime after = wallMoved(naive(wall.date(), time));
    return IcsText::wallClockLike(after.date(), after.time(), m_to);
}

// A wall-clock time (held as UTC) moved by the days and the time of day.
QDateTime SeriesShift::wallMoved(const QDateTime &wall) const
{
    return wall.addDays(m_days).addSecs(m_seconds);
}

QDate SeriesShift::movedDay(const QDate &day) const
{
    if (m_allDay)
        return day.addDays(m_days);
    return moved(IcsText::wallClockLike(day, m_fromTime, m_from)).date();
}

std::optional<QString> SeriesShift::movedRule(const QString &rule) const
{
    QStringList lines;
    for (const QString &line : Recurrence::ruleLines(rule)) {
        const std::optional<QString> moved = movedRuleLine(line);
        if (!moved)
            return std::nullopt;
        lines.append(*moved);
    }
    return lines.join(QLatin1Char('\n'));
}

std::optional<QString> SeriesShift::movedRuleLine(const QString &line) const
{
    QStringList parts;
    for (const QString &part : line.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            parts.append(part);
            continue;
        }
        const std::optional<QString> value = movedPart(part.left(eq).trimmed().toUpper(), part.mid(eq + 1).trimmed());
        if (!value)
            return std::nullopt;
        parts.append(part.left(eq) + QLatin1Char('=') + *value);
    }
    const QString moved = parts.join(QLatin1Char(';'));
    if (!movesEveryOccurrence(line, moved))
        return std::nullopt;
    return moved;
}

std::optional<QString> SeriesShift::movedPart(const QString &key, const QString &value) const
{
    if (key == QLatin1String("UNTIL"))
        return movedUntil(value);
    if (m_days == 0)
        return value;
    if (key == QLatin1String("BYDAY"))
        return movedWeekdays(value, m_days);
    if (key == QLatin1String("BYMONTHDAY"))
        return movedNumbers(value, m_days, 31);
    if (key == QLatin1String("BYYEARDAY"))
        return movedNumbers(value, m_days, 366);
    // Which days these pick depends on where a week or a set begins.
    if (key == QLatin1String("BYWEEKNO") || key == QLatin1String("BYSETPOS"))
        return std::nullopt;
    return value;
}

// UNTIL moves as the last occurrence does, in the form it was written in.
QString SeriesShift::movedUntil(const QString &value) const
{
    if (const QDate day = IcsText::readDate(value); day.isValid())
        return IcsText::dateText(day.addDays(m_days));
    const bool utc = value.endsWith(QLatin1Char('Z'), Qt::CaseInsensitive);
    QDate day;
    QTime time;
    if (!IcsText::readDateTime(utc ? QStringView(value).chopped(1) : QStringView(value), &day, &time))
        return value;
    if (utc)
        return IcsText::utcText(moved(QDateTime(day, time, Qt::UTC)));
    const QDateTime after = IcsText::inSpecOf(moved(IcsText::wallClockLike(day, time, m_from)), m_to);
    return IcsText::localText(after.date(), after.time());
}

SeriesShift SeriesShift::from(const QDateTime &occurrence, const QTime &time) const
{
    SeriesShift shift = *this;
    shift.m_from = IcsText::inSpecOf(occurrence, m_from);
    if (m_allDay) {
        shift.m_to = shift.m_from.addDays(m_days);
        return shift;
    }
    // An occurrence a change to summer time shows an hour on is read at
    // the time of day the series names.
    const bool atTime = IcsText::wallClockLike(shift.m_from.date(), time, m_from) == shift.m_from;
    shift.m_fromTime = atTime ? time : shift.m_from.time();
    const QDateTime after = wallMoved(naive(shift.m_from.date(), shift.m_fromTime));
    shift.m_toTime = after.time();
    shift.m_to = IcsText::wallClockLike(after.date(), after.time(), m_to);
    return shift;
}

bool SeriesShift::carriesOn(const QString &rule, const QDateTime &seriesStart, const QTime &time,
                            const QString &carried) const
{
    const QTime midnight(0, 0);
    const QDateTime first = naive(seriesStart.date(), m_allDay ? midnight : time);
    const QDateTime from = naive(m_from.date(), m_allDay ? midnight : m_fromTime);
    const QDateTime to = naive(m_to.date(), m_allDay ? midnight : m_toTime);
    const QDateTime end = from.addYears(CheckedYears);
    const QList<QDateTime> before = RuleStarts::between(rule, m_from, first, from, end);
    const QList<QDateTime> after = RuleStarts::between(carried, m_to, to, to, wallMoved(end));
    if (before.size() != after.size())
        return false;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (wallMoved(before.at(i)) != after.at(i))
            return false;
    }
    return true;
}

// The moved rule, stepped from the new start, gives each old occurrence
// moved and nothing else: checked rather than trusted, for the month
// lengths and leap days a rule's parts meet. Both are stepped on their wall
// clocks with no zone: a rule names wall-clock times, whatever a change of
// summer time does to an hour of them, and no zone's data runs out in the
// years checked.
bool SeriesShift::movesEveryOccurrence(const QString &before, const QString &after) const
{
    const RecurrenceRule oldRule = onWallClock(Recurrence::parseRule(before), m_from);
    const RecurrenceRule newRule = onWallClock(Recurrence::parseRule(after), m_to);
    if (oldRule.readable != newRule.readable)
        return false;
    const QDateTime from = naive(m_from.date(), m_allDay ? QTime(0, 0) : m_fromTime);
    const QDateTime to = naive(m_to.date(), m_allDay ? QTime(0, 0) : m_toTime);
    const QDateTime end = from.addYears(CheckedYears);
    const QList<QDateTime> oldStarts = Recurrence::step(oldRule, from, end);
    const QList<QDateTime> newStarts = Recurrence::step(newRule, to, wallMoved(end).addMSecs(DayMSecs));
    if (newStarts.size() < oldStarts.size())
        return false;
    if (m_days != 0 && fallsBackToMonthEnd(newRule, to.date(), newStarts))
        return false;
    for (qsizetype i = 0; i < oldStarts.size(); ++i) {
        if (wallMoved(oldStarts.at(i)) != newStarts.at(i))
            return false;
    }
    // One more start of the new rule inside the moved range is an
    // occurrence the old one never had.
    return newStarts.size() == oldStarts.size() || newStarts.at(oldStarts.size()) >= wallMoved(end);
}
