#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// A parsed RRULE. The first five fields are the core of the rule; the rest
// are the further parts RFC 5545 defines, which the expander honours.
struct RecurrenceRule
{
    QString freq;
    int interval = 1;
    int count = 0;
    QDateTime until;
    QStringList byDay;

    // UNTIL was a plain date: the series ends after that calendar day in
    // the series' own zone (until then holds 00:00 UTC of the day).
    bool untilIsDate = false;
    // UNTIL was a date-time without "Z": a floating series ends at that
    // time on the computer's wall clock (until holds it as UTC, as read).
    bool untilIsFloating = false;
    QList<int> byMonthDay;
    QList<int> byMonth;
    QList<int> bySetPos;
    QList<int> byYearDay;
    QList<int> byWeekNo;
    QList<int> byHour;
    QList<int> byMinute;
    QList<int> bySecond;
    // First day of the week, 1 Monday … 7 Sunday.
    int weekStart = 1;
    // False when a part could not be read (an unknown frequency or part, a
    // value out of its range, a part the frequency does not allow): such a
    // series is its first occurrence alone, never a guess at another one.
    bool readable = true;
};
