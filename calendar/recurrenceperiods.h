#pragma once

#include <QDate>
#include <QList>

#include "calendar/recurrencerule.h"

#include <vector>

// The intervals of a recurrence rule (RFC 5545, 3.3.10) on the wall-clock
// time line of its series: interval n is the n-th second, minute, hour,
// day, week, month or year counted from the series start in steps of
// INTERVAL, and holds the date-times its BY… parts give, BYSETPOS applied.
// Wall-clock times are counted in seconds from the start of the Julian day
// count, so stepping needs no time zone; nothing is computed past the last
// date a calendar can name (9999-12-31).
class RecurrencePeriods
{
public:
    RecurrencePeriods(const RecurrenceRule &rule, const QDate &startDate, int startSecond);

    // False for a frequency this class does not step.
    bool isValid() const { return m_frequency != Frequency::None; }

    // An interval that ends before `wallClock`, or 0.
    qint64 periodBefore(qint64 wallClock) const;
    // The first wall-clock second interval n can hold; false once the
    // interval lies past the last date.
    bool periodStart(qint64 n, qint64 *wallClock) const;
    // Computes the candidates of interval n, which starts at `start`, and
    // returns the next interval worth looking at: n + 1, or a later one
    // when a limit rules out the rest of a day, an hour or a minute.
    qint64 fill(qint64 n, qint64 start);
    // The candidates of the interval last filled, in wall-clock order.
    qint64 size() const;
    qint64 at(qint64 index) const;

    static qint64 wallClockOf(const QDate &day, int second);
    static QDate dateOf(qint64 wallClock);
    static int secondOf(qint64 wallClock);

private:
    enum class Frequency { None, Secondly, Minutely, Hourly, Daily, Weekly, Monthly, Yearly };
    struct WeekdayEntry
    {
        int ordinal = 0;
        int weekday = 0;
    };

    void readTimes(const RecurrenceRule &rule);
    qint64 weekStartOf(qint64 julianDay) const;
    qint64 firstWeekOf(int year) const;
    qint64 periodAtOrAfter(qint64 wallClock, qint64 after) const;

    bool monthAllowed(int month) const { return !m_hasByMonth || m_months[month]; }
    bool monthDayMatches(const QDate &day) const;
    bool yearDayMatches(const QDate &day) const;
    bool weekNumberMatches(qint64 julianDay, const qint64 firstWeeks[4]) const;
    bool weekdayMatches(const QDate &day, bool useOrdinals, bool yearScope) const;
    bool dayAllowed(const QDate &day) const;

    void fillSubDaily(qint64 start);
    qint64 skipSubDaily(qint64 n, qint64 start) const;
    void weeklyDates(qint64 weekStart);
    void expandWeekdays(const QDate &first, const QDate &last);
    void monthDays(const QDate &first, bool limitByWeekday);
    void monthlyDates(int year, int month);
    void yearlyDates(int year);
    void scanYear(int year);
    void pickPositions();

    Frequency m_frequency = Frequency::None;
    qint64 m_interval = 1;
    QDate m_startDate;
    int m_startSecond = 0;
    qint64 m_base = 0;     // first wall-clock second of interval 0 (unit frequencies)
    qint64 m_step = 0;     // seconds between intervals (unit frequencies)
    qint64 m_startMonth = 0; // year × 12 + month − 1 of the series start
    int m_weekStart = 1;

    QList<WeekdayEntry> m_byDay;
    bool m_months[13] = {};
    bool m_hasByMonth = false;
    QList<int> m_monthDays;
    QList<int> m_yearDays;
    QList<int> m_weekNumbers;
    QList<int> m_setPositions;
    bool m_hours[24] = {};
    bool m_minutes[60] = {};
    bool m_seconds[61] = {};

    std::vector<int> m_dayTimes;      // seconds of the day, for a day or longer
    std::vector<int> m_hourOffsets;   // seconds into the hour, HOURLY
    std::vector<int> m_minuteOffsets; // seconds into the minute, MINUTELY

    // The interval last filled: its dates × times, or the picked positions.
    std::vector<QDate> m_dates;
    std::vector<int> m_times;
    const std::vector<int> *m_timesInUse = &m_times;
    std::vector<qint64> m_picked;
};
