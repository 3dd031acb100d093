#pragma once

#include "calendar/filterconditions.h"
#include "store/filterrule.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringMatcher>

// One usable rule for the length of one filter call.
struct CompiledFilterRule
{
    FilterRule rule;
    FilterConditions conditions;
    // True only when the rule's calendar list is the empty array, the user's
    // choice of every calendar. Otherwise the rule touches only the calendars
    // in calendarScope, which may be none at all when the list is unreadable.
    bool everyCalendar = false;
    QSet<QString> calendarScope;
    // A pattern rule's phrases, prepared once per call: substring search is
    // most of the cost of filtering a long list.
    QList<QStringMatcher> titleMatchers;
    QList<QStringMatcher> descriptionMatchers;
    QList<QStringMatcher> locationMatchers;

    bool appliesToCalendar(const QString &calendarId) const
    {
        return everyCalendar || calendarScope.contains(calendarId);
    }
};
