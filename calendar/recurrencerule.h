#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// A parsed RRULE. The first five fields are the core of the rule; the rest
// are the BY… parts the expander honours as RFC 5545 defines them.
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
    QList<int> byMonthDay;
    QList<int> byMonth;
    QList<int> bySetPos;
    // First day of the week, 1 Monday … 7 Sunday.
    int weekStart = 1;
};
