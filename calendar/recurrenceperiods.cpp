#include "calendar/recurrenceperiods.h"

#include "calendar/recurrence.h"

#include <algorithm>

namespace {

constexpr qint64 Day = 86400;
constexpr int LastYear = 9999;

qint64 lastWallClock()
{
    static const qint64 last = QDate(LastYear, 12, 31).toJulianDay() * Day + Day - 1;
    return last;
}

// Floor division for the negative differences of the skip-ahead.
qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

template<typename Flags>
void setFlags(Flags &flags, const QList<int> &values, int size)
{
    for (int value : values) {
        if (value >= 0 && value < size)
            flags[value] = true;
    }
}

std::vector<int> sortedOrDefault(const QList<int> &values, int fallback, int limit)
{
    std::vector<int> out;
    for (int value : values) {
        if (value >= 0 && value < limit)
            out.push_back(value);
    }
    if (values.isEmpty())
        out.push_back(fallback);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

} // namespace

RecurrencePeriods::RecurrencePeriods(const RecurrenceRule &rule, const QDate &startDate, int startSecond)
    : m_interval(std::max(1, rule.interval))
    , m_startDate(startDate)
    , m_startSecond(startSecond)
    , m_startMonth(qint64(startDate.year()) * 12 + startDate.month() - 1)
    , m_weekStart((rule.weekStart >= 1 && rule.weekStart <= 7) ? rule.weekStart : 1)
{
    static const struct
    {
        const char *name;
        Frequency frequency;
    } frequencies[] = {{"SECONDLY", Frequency::Secondly}, {"MINUTELY", Frequency::Minutely},
                       {"HOURLY", Frequency::Hourly},     {"DAILY", Frequency::Daily},
                       {"WEEKLY", Frequency::Weekly},     {"MONTHLY", Frequency::Monthly},
                       {"YEARLY", Frequency::Yearly}};
    for (const auto &entry : frequencies) {
        if (rule.freq == QLatin1String(entry.name))
            m_frequency = entry.frequency;
    }
    // Dates outside the years a calendar can name are not stepped.
    if (!startDate.isValid() || startDate.year() < 1 || startDate.year() > LastYear)
        m_frequency = Frequency::None;

    for (const QString &code : rule.byDay) {
        WeekdayEntry entry;
        if (Recurrence::parseByDayEntry(code, &entry.ordinal, &entry.weekday))
            m_byDay.append(entry);
    }
    setFlags(m_months, rule.byMonth, 13);
    m_months[0] = false;
    m_hasByMonth = !rule.byMonth.isEmpty();
    m_monthDays = rule.byMonthDay;
    m_yearDays = rule.byYearDay;
    m_weekNumbers = rule.byWeekNo;
    m_setPositions = rule.bySetPos;
    readTimes(rule);

    const qint64 startWall = wallClockOf(startDate, startSecond);
    switch (m_frequency) {
    case Frequency::Secondly:
        m_base = startWall;
        m_step = m_interval;
        break;
    case Frequency::Minutely:
        m_base = startWall - startSecond % 60;
        m_step = m_interval * 60;
        break;
    case Frequency::Hourly:
        m_base = startWall - startSecond % 3600;
        m_step = m_interval * 3600;
        break;
    case Frequency::Daily:
        m_base = startDate.toJulianDay() * Day;
        m_step = m_interval * Day;
        break;
    case Frequency::Weekly:
        m_base = weekStartOf(startDate.toJulianDay()) * Day;
        m_step = m_interval * 7 * Day;
        break;
    default:
        break;
    }
}

void RecurrencePeriods::readTimes(const RecurrenceRule &rule)
{
    const int startHour = m_startSecond / 3600;
    const int startMinute = m_startSecond / 60 % 60;
    const int startSec = m_startSecond % 60;
    // A leap second has no place on this clock: BYSECOND=60 names nothing.
    const std::vector<int> hours = sortedOrDefault(rule.byHour, startHour, 24);
    const std::vector<int> minutes = sortedOrDefault(rule.byMinute, startMinute, 60);
    const std::vector<int> seconds = sortedOrDefault(rule.bySecond, startSec, 60);
    for (int hour : hours) {
        for (int minute : minutes) {
            for (int second : seconds)
                m_dayTimes.push_back(hour * 3600 + minute * 60 + second);
        }
    }
    for (int minute : minutes) {
        for (int second : seconds)
            m_hourOffsets.push_back(minute * 60 + second);
    }
    m_minuteOffsets = seconds;

    std::fill(std::begin(m_hours), std::end(m_hours), rule.byHour.isEmpty());
    std::fill(std::begin(m_minutes), std::end(m_minutes), rule.byMinute.isEmpty());
    std::fill(std::begin(m_seconds), std::end(m_seconds), rule.bySecond.isEmpty());
    setFlags(m_hours, rule.byHour, 24);
    setFlags(m_minutes, rule.byMinute, 60);
    setFlags(m_seconds, rule.bySecond, 60);
}

qint64 RecurrencePeriods::wallClockOf(const QDate &day, int second)
{
    return day.toJulianDay() * Day + second;
}

QDate RecurrencePeriods::dateOf(qint64 wallClock)
{
    return QDate::fromJulianDay(floorDiv(wallClock, Day));
}

int RecurrencePeriods::secondOf(qint64 wallClock)
{
    return int(wallClock - floorDiv(wallClock, Day) * Day);
}

qint64 RecurrencePeriods::weekStartOf(qint64 julianDay) const
{
    const int weekday = int(julianDay % 7) + 1; // Julian day 0 was a Monday
    return julianDay - (weekday - m_weekStart + 7) % 7;
}

// First day of week 1: the week (from WKST) that holds at least four days
// of the year.
qint64 RecurrencePeriods::firstWeekOf(int year) const
{
    const qint64 newYear = QDate(std::clamp(year, 1, LastYear + 1), 1, 1).toJulianDay();
    const qint64 weekStart = weekStartOf(newYear);
    return newYear - weekStart > 3 ? weekStart + 7 : weekStart;
}

qint64 RecurrencePeriods::periodBefore(qint64 wallClock) const
{
    qint64 index = 0;
    switch (m_frequency) {
    case Frequency::Monthly: {
        const QDate day = dateOf(wallClock);
        index = (qint64(day.year()) * 12 + day.month() - 1 - m_startMonth) / m_interval;
        break;
    }
    case Frequency::Yearly:
        index = (qint64(dateOf(wallClock).year()) - m_startDate.year()) / m_interval;
        break;
    case Frequency::None:
        break;
    default:
        index = floorDiv(wallClock - m_base, m_step);
        break;
    }
    return std::max<qint64>(0, index - 1);
}

bool RecurrencePeriods::periodStart(qint64 n, qint64 *wallClock) const
{
    if (n < 0)
        return false;
    switch (m_frequency) {
    case Frequency::None:
        return false;
    case Frequency::Monthly: {
        const qint64 lastMonth = qint64(LastYear) * 12 + 11;
        if (n > (lastMonth - m_startMonth) / m_interval)
            return false;
        const qint64 month = m_startMonth + n * m_interval;
        *wallClock = wallClockOf(QDate(int(month / 12), int(month % 12) + 1, 1), 0);
        return true;
    }
    case Frequency::Yearly:
        if (n > (qint64(LastYear) - m_startDate.year()) / m_interval)
            return false;
        *wallClock = wallClockOf(QDate(int(m_startDate.year() + n * m_interval), 1, 1), 0);
        return true;
    default:
        if (n > (lastWallClock() - m_base) / m_step)
            return false;
        *wallClock = m_base + n * m_step;
        return true;
    }
}

qint64 RecurrencePeriods::periodAtOrAfter(qint64 wallClock, qint64 after) const
{
    const qint64 n = floorDiv(wallClock - m_base + m_step - 1, m_step);
    return std::max(n, after + 1);
}

qint64 RecurrencePeriods::fill(qint64 n, qint64 start)
{
    m_dates.clear();
    m_times.clear();
    m_picked.clear();
    m_timesInUse = &m_dayTimes;
    const QDate first = dateOf(start);
    switch (m_frequency) {
    case Frequency::Secondly:
    case Frequency::Minutely:
    case Frequency::Hourly: {
        const qint64 next = skipSubDaily(n, start);
        if (next != n)
            return next;
        fillSubDaily(start);
        break;
    }
    case Frequency::Daily:
        if (dayAllowed(first))
            m_dates.push_back(first);
        break;
    case Frequency::Weekly:
        weeklyDates(first.toJulianDay());
        break;
    case Frequency::Monthly:
        monthlyDates(first.year(), first.month());
        break;
    case Frequency::Yearly:
        yearlyDates(first.year());
        break;
    case Frequency::None:
        return n + 1;
    }
    std::sort(m_dates.begin(), m_dates.end());
    m_dates.erase(std::unique(m_dates.begin(), m_dates.end()), m_dates.end());
    pickPositions();
    return n + 1;
}

// A sub-daily interval on a day, hour or minute that the limits rule out
// moves on to the first interval past it; n itself when it is worth a look.
qint64 RecurrencePeriods::skipSubDaily(qint64 n, qint64 start) const
{
    const qint64 dayStart = floorDiv(start, Day) * Day;
    if (!dayAllowed(dateOf(start)))
        return periodAtOrAfter(dayStart + Day, n);
    const int second = secondOf(start);
    const qint64 hourStart = dayStart + second / 3600 * 3600;
    if (!m_hours[second / 3600])
        return periodAtOrAfter(hourStart + 3600, n);
    if (m_frequency == Frequency::Hourly)
        return n;
    const qint64 minuteStart = dayStart + second / 60 * 60;
    if (!m_minutes[second / 60 % 60])
        return periodAtOrAfter(minuteStart + 60, n);
    if (m_frequency == Frequency::Secondly && !m_seconds[second % 60])
        return n + 1;
    return n;
}

void RecurrencePeriods::fillSubDaily(qint64 start)
{
    const int second = secondOf(start);
    m_dates.push_back(dateOf(start));
    m_timesInUse = &m_times;
    if (m_frequency == Frequency::Hourly) {
        for (int offset : m_hourOffsets)
            m_times.push_back(second - second % 3600 + offset);
    } else if (m_frequency == Frequency::Minutely) {
        for (int offset : m_minuteOffsets)
            m_times.push_back(second - second % 60 + offset);
    } else {
        m_times.push_back(second);
    }
}

qint64 RecurrencePeriods::size() const
{
    if (!m_setPositions.isEmpty())
        return qint64(m_picked.size());
    return qint64(m_dates.size()) * qint64(m_timesInUse->size());
}

qint64 RecurrencePeriods::at(qint64 index) const
{
    if (!m_setPositions.isEmpty())
        index = m_picked.at(size_t(index));
    const qint64 times = qint64(m_timesInUse->size());
    return wallClockOf(m_dates.at(size_t(index / times)), m_timesInUse->at(size_t(index % times)));
}

void RecurrencePeriods::pickPositions()
{
    if (m_setPositions.isEmpty())
        return;
    const qint64 total = qint64(m_dates.size()) * qint64(m_timesInUse->size());
    for (int position : std::as_const(m_setPositions)) {
        const qint64 index = position > 0 ? position - 1 : total + position;
        if (index >= 0 && index < total)
            m_picked.push_back(index);
    }
    std::sort(m_picked.begin(), m_picked.end());
    m_picked.erase(std::unique(m_picked.begin(), m_picked.end()), m_picked.end());
}

bool RecurrencePeriods::monthDayMatches(const QDate &day) const
{
    if (m_monthDays.isEmpty())
        return true;
    const int length = day.daysInMonth();
    for (int wanted : m_monthDays) {
        if ((wanted > 0 && day.day() == wanted) || (wanted < 0 && day.day() == length + wanted + 1))
            return true;
    }
    return false;
}

bool RecurrencePeriods::yearDayMatches(const QDate &day) const
{
    if (m_yearDays.isEmpty())
        return true;
    const int length = day.daysInYear();
    for (int wanted : m_yearDays) {
        if ((wanted > 0 && day.dayOfYear() == wanted) || (wanted < 0 && day.dayOfYear() == length + wanted + 1))
            return true;
    }
    return false;
}

// firstWeeks holds the first days of week 1 of year − 1, year, year + 1
// and year + 2. A day early in January may belong to the last week of the
// year before, one late in December to week 1 of the next.
bool RecurrencePeriods::weekNumberMatches(qint64 julianDay, const qint64 firstWeeks[4]) const
{
    int slot = 1;
    if (julianDay < firstWeeks[1])
        slot = 0;
    else if (julianDay >= firstWeeks[2])
        slot = 2;
    const qint64 weeks = (firstWeeks[slot + 1] - firstWeeks[slot]) / 7;
    const qint64 number = (julianDay - firstWeeks[slot]) / 7 + 1;
    for (int wanted : m_weekNumbers) {
        if (wanted == number || wanted == number - weeks - 1)
            return true;
    }
    return false;
}

// An ordinal counts within the month (or the year when `yearScope`).
bool RecurrencePeriods::weekdayMatches(const QDate &day, bool useOrdinals, bool yearScope) const
{
    if (m_byDay.isEmpty())
        return true;
    for (const WeekdayEntry &entry : m_byDay) {
        if (entry.weekday != day.dayOfWeek())
            continue;
        if (!useOrdinals || entry.ordinal == 0)
            return true;
        const int position = yearScope ? day.dayOfYear() : day.day();
        const int length = yearScope ? day.daysInYear() : day.daysInMonth();
        const int fromStart = (position - 1) / 7 + 1;
        const int fromEnd = -((length - position) / 7 + 1);
        if (entry.ordinal == fromStart || entry.ordinal == fromEnd)
            return true;
    }
    return false;
}

// The day limits of DAILY and shorter intervals; an ordinal weekday has
// no meaning there and counts as the plain weekday.
bool RecurrencePeriods::dayAllowed(const QDate &day) const
{
    return monthAllowed(day.month()) && monthDayMatches(day) && yearDayMatches(day)
           && weekdayMatches(day, false, false);
}

void RecurrencePeriods::weeklyDates(qint64 weekStart)
{
    for (qint64 i = 0; i < 7; ++i) {
        const QDate day = QDate::fromJulianDay(weekStart + i);
        const bool onDay = m_byDay.isEmpty() ? day.dayOfWeek() == m_startDate.dayOfWeek()
                                             : weekdayMatches(day, false, false);
        if (onDay && monthAllowed(day.month()))
            m_dates.push_back(day);
    }
}

// Every day of a span (a month or a year) with the weekday, or the one
// the ordinal names.
void RecurrencePeriods::expandWeekdays(const QDate &first, const QDate &last)
{
    for (const WeekdayEntry &entry : std::as_const(m_byDay)) {
        const QDate firstMatch = first.addDays((entry.weekday - first.dayOfWeek() + 7) % 7);
        if (entry.ordinal == 0) {
            for (QDate day = firstMatch; day <= last; day = day.addDays(7))
                m_dates.push_back(day);
        } else if (entry.ordinal > 0) {
            const QDate day = firstMatch.addDays(qint64(entry.ordinal - 1) * 7);
            if (day <= last)
                m_dates.push_back(day);
        } else {
            const QDate lastMatch = last.addDays(-((last.dayOfWeek() - entry.weekday + 7) % 7));
            const QDate day = lastMatch.addDays(qint64(entry.ordinal + 1) * 7);
            if (day >= first)
                m_dates.push_back(day);
        }
    }
}

void RecurrencePeriods::monthDays(const QDate &first, bool limitByWeekday)
{
    const int length = first.daysInMonth();
    for (int wanted : std::as_const(m_monthDays)) {
        const int day = wanted > 0 ? wanted : length + wanted + 1;
        if (day < 1 || day > length)
            continue; // no such day this month: RFC 5545 drops it
        const QDate date(first.year(), first.month(), day);
        if (!limitByWeekday || weekdayMatches(date, true, false))
            m_dates.push_back(date);
    }
}

void RecurrencePeriods::monthlyDates(int year, int month)
{
    if (!monthAllowed(month))
        return;
    const QDate first(year, month, 1);
    if (!m_monthDays.isEmpty()) {
        monthDays(first, true);
    } else if (!m_byDay.isEmpty()) {
        expandWeekdays(first, first.addDays(first.daysInMonth() - 1));
    } else {
        // The series start's day, clamped to the end of a shorter month:
        // 31 Jan, 29 Feb, 31 Mar, 30 Apr.
        m_dates.push_back(QDate(year, month, std::min(m_startDate.day(), first.daysInMonth())));
    }
}

void RecurrencePeriods::yearlyDates(int year)
{
    if (!m_weekNumbers.isEmpty() || !m_yearDays.isEmpty()) {
        scanYear(year);
        return;
    }
    if (!m_monthDays.isEmpty()) {
        for (int month = 1; month <= 12; ++month) {
            if (monthAllowed(month))
                monthDays(QDate(year, month, 1), true);
        }
    } else if (!m_byDay.isEmpty()) {
        if (m_hasByMonth) {
            for (int month = 1; month <= 12; ++month) {
                if (!m_months[month])
                    continue;
                const QDate first(year, month, 1);
                expandWeekdays(first, first.addDays(first.daysInMonth() - 1));
            }
        } else {
            expandWeekdays(QDate(year, 1, 1), QDate(year, 12, 31));
        }
    } else if (m_hasByMonth) {
        for (int month = 1; month <= 12; ++month) {
            if (m_months[month])
                m_dates.push_back(QDate(year, month, std::min(m_startDate.day(), QDate(year, month, 1).daysInMonth())));
        }
    } else {
        // 29 February falls on the 28th in a common year.
        const QDate first(year, m_startDate.month(), 1);
        m_dates.push_back(QDate(year, m_startDate.month(), std::min(m_startDate.day(), first.daysInMonth())));
    }
}

// BYWEEKNO and BYYEARDAY: every day of the year tested against all parts.
void RecurrencePeriods::scanYear(int year)
{
    const qint64 firstWeeks[4] = {firstWeekOf(year - 1), firstWeekOf(year), firstWeekOf(year + 1),
                                  firstWeekOf(year + 2)};
    const bool weekNumbers = !m_weekNumbers.isEmpty();
    // With week numbers, BYDAY picks days of those weeks (no ordinals);
    // without any day part the series start's weekday does.
    const bool startWeekday = weekNumbers && m_byDay.isEmpty() && m_monthDays.isEmpty() && m_yearDays.isEmpty();
    const qint64 first = QDate(year, 1, 1).toJulianDay();
    const qint64 last = QDate(year, 12, 31).toJulianDay();
    for (qint64 julianDay = first; julianDay <= last; ++julianDay) {
        const QDate day = QDate::fromJulianDay(julianDay);
        if (!monthAllowed(day.month()) || !monthDayMatches(day) || !yearDayMatches(day))
            continue;
        if (weekNumbers && !weekNumberMatches(julianDay, firstWeeks))
            continue;
        if (startWeekday ? day.dayOfWeek() != m_startDate.dayOfWeek()
                         : !weekdayMatches(day, !weekNumbers, !m_hasByMonth))
            continue;
        m_dates.push_back(day);
    }
}
