#pragma once

#include <QList>
#include <QString>

#include "store/event.h"

// What a calendar file, feed or server reply held: its events, or, when it
// was not iCalendar text at all, ok false and a message that says so.
struct IcsReadResult
{
    bool ok = false;
    QString error;
    QList<Event> events;
};
