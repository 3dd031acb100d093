#include "calendar/recurrence.h"

#include "calendar/icstext.h"

#include <algorithm>

// Start generation after RFC 5545, 3.3.10: each interval of the rule (a day,
// a week, a month or a year counted from the series start) gives a set of
// dates through the BY… parts, BYSETPOS picks from that set, and the series
// start is always the first occurrence.
namespace Recurrence {

namespace {

// Starts handed out by one call, whatever the range.
constexpr int MaxStarts = 10000;
// Intervals looked at by one call: bounds a rule that never matches.
constexpr qint64 MaxPeriods = 2000000;

struct WeekdayEntry
{
    int ordinal = 0;
    int weekday = 0;
};

class Stepper
{
public:
    Stepper(const RecurrenceRule &rule, const QDateTime &seriesStart)
        : m_rule(rule)
        , m_start(seriesStart)
        , m_startDate(seriesStart.date())
        , m_time(seriesStart.time())
    {
        for (const QString &code : rule.byDay) {
            WeekdayEntry entry;
            if (parseByDayEntry(code, &entry.ordinal, &entry.weekday))
                m_byDay.append(entry);
        }
        for (int month : rule.byMonth) {
            if (month >= 1 && month <= 12)
                m_months[month] = true;
        }
        m_hasByMonth = std::any_of(std::begin(m_months), std::end(m_months), [](bool on) { return on; });
        for (int day : rule.byMonthDay) {
            if (day != 0 && day >= -31 && day <= 31)
                m_monthDays.append(day);
        }
        for (int position : rule.bySetPos) {
            if (position != 0)
                m_setPos.append(position);
        }
        m_weekStart = (rule.weekStart >= 1 && rule.weekStart <= 7) ? rule.weekStart : 1;
        m_interval = std::max(1, rule.interval);
    }

    // First interval worth looking at for starts from `from` on.
    qint64 periodBefore(const QDate &from) const
    {
        if (!from.isValid() || from <= m_startDate)
            return 0;
        qint64 index = 0;
        if (m_rule.freq == QLatin1String("DAILY")) {
            index = m_startDate.daysTo(from) / m_interval;
        } else if (m_rule.freq == QLatin1String("WEEKLY")) {
            index = weekStartOf(m_startDate).daysTo(weekStartOf(from)) / 7 / m_interval;
        } else if (m_rule.freq == QLatin1String("MONTHLY")) {
            const qint64 months = qint64(from.year() - m_startDate.year()) * 12 + from.month() - m_startDate.month();
            index = months / m_interval;
        } else {
            index = qint64(from.year() - m_startDate.year()) / m_interval;
        }
        return std::max<qint64>(0, index - 1);
    }

    // First day of interval n, and its dates in order.
    QDate periodStart(qint64 n) const
    {
        const qint64 steps = n * m_interval;
        if (m_rule.freq == QLatin1String("DAILY"))
            return m_startDate.addDays(steps);
        if (m_rule.freq == QLatin1String("WEEKLY"))
            return weekStartOf(m_startDate).addDays(steps * 7);
        if (m_rule.freq == QLatin1String("MONTHLY")) {
            const QDate first(m_startDate.year(), m_startDate.month(), 1);
            return first.addMonths(int(steps));
        }
        return QDate(m_startDate.year() + int(steps), 1, 1);
    }

    QList<QDate> periodDates(qint64 n) const
    {
        QList<QDate> dates;
        const qint64 steps = n * m_interval;
        if (m_rule.freq == QLatin1String("DAILY"))
            dailyDates(m_startDate.addDays(steps), dates);
        else if (m_rule.freq == QLatin1String("WEEKLY"))
            weeklyDates(weekStartOf(m_startDate).addDays(steps * 7), dates);
        else if (m_rule.freq == QLatin1String("MONTHLY"))
            monthlyDates(steps, dates);
        else
            yearlyDates(steps, dates);
        std::sort(dates.begin(), dates.end());
        dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
        return applySetPos(dates);
    }

private:
    QDate weekStartOf(const QDate &day) const
    {
        return day.addDays(-((day.dayOfWeek() - m_weekStart + 7) % 7));
    }

    bool monthAllowed(int month) const { return !m_hasByMonth || m_months[month]; }

    bool monthDayMatches(const QDate &day) const
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

    // Weekday test; an ordinal counts within the month (or the year when
    // `yearScope`), as BYDAY limits a BYMONTHDAY set.
    bool weekdayMatches(const QDate &day, bool useOrdinals, bool yearScope) const
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

    void dailyDates(const QDate &day, QList<QDate> &dates) const
    {
        if (monthAllowed(day.month()) && monthDayMatches(day) && weekdayMatches(day, false, false))
            dates.append(day);
    }

    void weeklyDates(const QDate &weekStart, QList<QDate> &dates) const
    {
        for (int i = 0; i < 7; ++i) {
            const QDate day = weekStart.addDays(i);
            const bool onDay = m_byDay.isEmpty() ? day.dayOfWeek() == m_startDate.dayOfWeek()
                                                 : weekdayMatches(day, false, false);
            if (onDay && monthAllowed(day.month()))
                dates.append(day);
        }
    }

    // Every day of a span (a month or a year) with the weekday, or the one
    // the ordinal names.
    void expandWeekdays(const QDate &first, const QDate &last, QList<QDate> &dates) const
    {
        for (const WeekdayEntry &entry : m_byDay) {
            const QDate firstMatch = first.addDays((entry.weekday - first.dayOfWeek() + 7) % 7);
            if (entry.ordinal == 0) {
                for (QDate day = firstMatch; day <= last; day = day.addDays(7))
                    dates.append(day);
            } else if (entry.ordinal > 0) {
                const QDate day = firstMatch.addDays(qint64(entry.ordinal - 1) * 7);
                if (day <= last)
                    dates.append(day);
            } else {
                const QDate lastMatch = last.addDays(-((last.dayOfWeek() - entry.weekday + 7) % 7));
                const QDate day = lastMatch.addDays(qint64(entry.ordinal + 1) * 7);
                if (day >= first)
                    dates.append(day);
            }
        }
    }

    void monthDays(const QDate &first, QList<QDate> &dates, bool limitByWeekday) const
    {
        const int length = first.daysInMonth();
        for (int wanted : m_monthDays) {
            const int day = wanted > 0 ? wanted : length + wanted + 1;
            if (day < 1 || day > length)
                continue; // no such day this month: RFC 5545 drops it
            const QDate date(first.year(), first.month(), day);
            if (!limitByWeekday || weekdayMatches(date, true, false))
                dates.append(date);
        }
    }

    void monthlyDates(qint64 steps, QList<QDate> &dates) const
    {
        const QDate first = QDate(m_startDate.year(), m_startDate.month(), 1).addMonths(int(steps));
        if (!monthAllowed(first.month()))
            return;
        if (!m_monthDays.isEmpty()) {
            monthDays(first, dates, true);
        } else if (!m_byDay.isEmpty()) {
            expandWeekdays(first, first.addDays(first.daysInMonth() - 1), dates);
        } else {
            // Counted from the series start each time, clamped to the end
            // of a shorter month: 31 Jan, 29 Feb, 31 Mar, 30 Apr.
            dates.append(m_startDate.addMonths(int(steps)));
        }
    }

    void yearlyDates(qint64 steps, QList<QDate> &dates) const
    {
        const int year = m_startDate.year() + int(steps);
        if (!m_monthDays.isEmpty()) {
            for (int month = 1; month <= 12; ++month) {
                if (monthAllowed(month))
                    monthDays(QDate(year, month, 1), dates, true);
            }
        } else if (!m_byDay.isEmpty()) {
            if (m_hasByMonth) {
                for (int month = 1; month <= 12; ++month) {
                    if (!m_months[month])
                        continue;
                    const QDate first(year, month, 1);
                    expandWeekdays(first, first.addDays(first.daysInMonth() - 1), dates);
                }
            } else {
                expandWeekdays(QDate(year, 1, 1), QDate(year, 12, 31), dates);
            }
        } else if (m_hasByMonth) {
            for (int month = 1; month <= 12; ++month) {
                if (!m_months[month])
                    continue;
                const QDate first(year, month, 1);
                dates.append(QDate(year, month, std::min(m_startDate.day(), first.daysInMonth())));
            }
        } else {
            dates.append(m_startDate.addYears(int(steps)));
        }
    }

    QList<QDate> applySetPos(const QList<QDate> &dates) const
    {
        if (m_setPos.isEmpty() || dates.isEmpty())
            return dates;
        QList<QDate> picked;
        const int size = int(dates.size());
        for (int position : m_setPos) {
            const int index = position > 0 ? position - 1 : size + position;
            if (index >= 0 && index < size)
                picked.append(dates.at(index));
        }
        std::sort(picked.begin(), picked.end());
        picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
        return picked;
    }

    const RecurrenceRule &m_rule;
    QDateTime m_start;
    QDate m_startDate;
    QTime m_time;
    QList<WeekdayEntry> m_byDay;
    bool m_months[13] = {};
    bool m_hasByMonth = false;
    QList<int> m_monthDays;
    QList<int> m_setPos;
    int m_weekStart = 1;
    int m_interval = 1;
};

bool knownFrequency(const QString &freq)
{
    return freq == QLatin1String("DAILY") || freq == QLatin1String("WEEKLY")
           || freq == QLatin1String("MONTHLY") || freq == QLatin1String("YEARLY");
}

} // namespace

QList<QDateTime> step(const RecurrenceRule &rule, const QDateTime &seriesStart,
                      const QDateTime &rangeEnd, const QDateTime &skipBefore)
{
    QList<QDateTime> starts;
    if (!seriesStart.isValid())
        return starts;
    if (!knownFrequency(rule.freq)) {
        starts.append(seriesStart);
        return starts;
    }
    if (!rangeEnd.isValid())
        return starts;

    const QDate untilDate = rule.until.isValid()
                                ? (rule.untilIsDate ? rule.until.date() : QDate())
                                : QDate();
    auto pastUntil = [&](const QDateTime &when) {
        if (!rule.until.isValid())
            return false;
        if (rule.untilIsDate)
            return when.date() > untilDate;
        return when > rule.until;
    };
    // Starts before skipBefore are left out of the result (and of the cap);
    // whole intervals are jumped over only when no COUNT has to be counted
    // from the first start.
    const QDateTime keepFrom = (skipBefore.isValid() && skipBefore > seriesStart) ? skipBefore : QDateTime();
    const QDateTime skipTo = rule.count == 0 ? keepFrom : QDateTime();

    int produced = 0;
    auto offer = [&](const QDateTime &when) {
        ++produced;
        if (!keepFrom.isValid() || when >= keepFrom)
            starts.append(when);
    };
    auto done = [&]() {
        return (rule.count >= 1 && produced >= rule.count) || starts.size() >= MaxStarts;
    };

    // The series start is always the first occurrence.
    if (pastUntil(seriesStart) || seriesStart >= rangeEnd)
        return starts;
    offer(seriesStart);
    if (done())
        return starts;

    const Stepper stepper(rule, seriesStart);
    const QDate skipDate = skipTo.isValid() ? IcsText::inSpecOf(skipTo, seriesStart).date() : QDate();
    const qint64 firstPeriod = stepper.periodBefore(skipDate);
    const QTime time = seriesStart.time();
    for (qint64 n = firstPeriod; n < firstPeriod + MaxPeriods; ++n) {
        const QDate first = stepper.periodStart(n);
        if (!first.isValid())
            break;
        const QDateTime firstStart = IcsText::wallClockLike(first, time, seriesStart);
        if (firstStart >= rangeEnd || pastUntil(firstStart))
            break;
        for (const QDate &day : stepper.periodDates(n)) {
            const QDateTime when = IcsText::wallClockLike(day, time, seriesStart);
            if (when <= seriesStart)
                continue;
            if (pastUntil(when) || when >= rangeEnd)
                return starts;
            offer(when);
            if (done())
                return starts;
        }
    }
    return starts;
}

} // namespace Recurrence
