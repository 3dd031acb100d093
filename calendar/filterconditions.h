#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// The parsed "conditions" JSON of a filter rule. "runtimeType" picks one of
// the four alternatives; keys that do not belong to it are ignored.

struct PatternConditions
{
    QStringList titleContains;
    QStringList titleExact;
    QStringList descriptionContains;
    QStringList locationContains;
    bool caseSensitive = false;
};

struct TimeConditions
{
    QString timeExact;   // "HH:mm"
    QString rangeStart;  // "HH:mm", both ends included
    QString rangeEnd;
    QStringList daysOfWeek; // "mon" … "sun"; empty means every day
    bool recurringOnly = false;
};

// The event identity lives in the rule's event_uid and event_calendar_id.
struct SpecificConditions
{
};

struct AllDayConditions
{
    bool recurringOnly = false;
};

using FilterConditions =
    std::variant<PatternConditions, TimeConditions, SpecificConditions, AllDayConditions>;

// Empty, malformed or unknown conditions give no value: the rule is inert.
std::optional<FilterConditions> parseFilterConditions(const QString &json);

// Monday 1 … Sunday 7 for "mon" … "sun" in any letter case, otherwise 0.
int parseWeekdayName(const QString &key);
