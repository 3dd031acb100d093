#pragma once

#include "calendar/nlpattern.h"

#include <QDate>
#include <QString>

#include <optional>

namespace NLParser::Detail {

struct DateMatch
{
    QDate date;
    // A bare weekday name that named today; with a time already past it
    // means the same weekday next week.
    bool weekdayIsToday = false;
    Spans spans;
};

// The first date the text names ("tomorrow", "next fri", "in 3 weeks",
// "march 5"), read against `today`.
std::optional<DateMatch> matchDate(const QString &text, const QDate &today);

} // namespace NLParser::Detail
