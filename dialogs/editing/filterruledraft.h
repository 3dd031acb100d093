#pragma once

#include "store/filterrule.h"

#include <QString>
#include <QStringList>
#include <QTime>

// What the filter form holds, turned into the stored rule's JSON columns.
// Only the conditions of the current type are written.
struct FilterRuleDraft
{
    QString type;
    QString patternText;
    bool caseSensitive = false;
    bool exactOn = false;
    QTime exactTime;
    bool rangeOn = false;
    QTime rangeStart;
    QTime rangeEnd;
    // Weekday keys "mon" … "sun"; written in that order whatever the order here.
    QStringList days;
    bool recurringOnly = false;
    bool allDayRecurringOnly = false;
    // Ticked calendars, in list order.
    QStringList calendarIds;
    QString eventUid;
    QString eventCalendarId;

    // The comma-separated phrases, trimmed, empty ones dropped, in order.
    static QStringList splitPatterns(const QString &text);
    static const QStringList &weekdayKeys();

    // Compact JSON of the current type's conditions.
    QString conditionsJson() const;
    // "[]" (every calendar) for a specific-event rule.
    QString calendarIdsJson() const;
    // Fills type, conditions, calendar scope and event binding of the rule.
    void applyTo(FilterRule &rule) const;
};
