#pragma once

#include "calendar/nlpattern.h"

#include <QString>
#include <QTime>

#include <optional>

namespace NLParser::Detail {

struct TimeMatch
{
    QTime start;
    QTime end;
    bool hasEnd = false;
    Spans spans;
};

// The time of day or the time range the text names ("3pm", "at noon",
// "from 9 to 11", "9:30-10:30").
std::optional<TimeMatch> matchTime(const QString &text);

} // namespace NLParser::Detail
