#pragma once

#include "calendar/compiledfilterrule.h"
#include "calendar/filterconditions.h"
#include "calendar/filterresult.h"
#include "store/event.h"
#include "store/filterrule.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// Applies the user's filter rules to events. Pure functions: every call
// compiles its rules once and keeps nothing.
namespace FilterEngine {

// Hides or dims each event by the first rule, in priority order, that
// captures it.
FilterResult apply(const QList<Event> &events, QList<FilterRule> rules);

// The rule that decides the event, whatever its action.
std::optional<FilterRule> findMatchingRule(const Event &event, QList<FilterRule> rules);

// Enabled, live rules whose conditions parse, sorted by priority; rules of
// equal priority keep their given order.
QList<CompiledFilterRule> compile(const QList<FilterRule> &rules);

// Reads a rule's calendar_ids: the empty array is every calendar; anything
// unreadable scopes the rule to no calendar rather than to all of them.
void parseCalendarScope(const QString &json, bool *everyCalendar, QSet<QString> *scope);

bool matches(const Event &event, const FilterRule &rule, const FilterConditions &conditions);
bool matchPattern(const Event &event, const PatternConditions &conditions);
bool matchTime(const Event &event, const TimeConditions &conditions);

} // namespace FilterEngine
