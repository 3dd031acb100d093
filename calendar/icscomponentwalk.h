#pragma once

#include "calendar/icscontentline.h"

#include <QString>

#include <functional>

// Reads the components of one kind (VEVENT, VTODO) of an iCalendar text
// line by line: their properties, the VALARMs directly inside them, and
// each one's whole text. A component left open at the end is dropped.
namespace IcsComponentWalk {

// Whose a property line is: the component's own, a VALARM's directly
// inside it, or another nested component's.
enum class Level { Own, Alarm, Other };

struct Steps
{
    // A component starts.
    std::function<void()> begin;
    std::function<void(const ContentLine &line, Level level)> property;
    std::function<void()> alarmBegin;
    std::function<void()> alarmEnd;
    // The component ends; `text` holds its lines, BEGIN to END, each
    // ended by CRLF.
    std::function<void(const QString &text)> end;
};

void walk(const QString &text, const QString &component, const Steps &steps);

} // namespace IcsComponentWalk
