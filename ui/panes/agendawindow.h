#pragma once

#include "calendar/agendadays.h"
#include "store/task.h"
#include "views/common/sharedeventlist.h"

#include <QDate>
#include <QList>
#include <QMetaType>

// The agenda's days as the list keeps them between reads: the events of
// every day in one SharedEventList, so a window over daily series holds
// each series once rather than a full copy per day it lists.
struct AgendaWindow
{
    struct Day
    {
        QDate date;
        // The day's events are events.at(firstEvent + i), i < eventCount.
        qsizetype firstEvent = 0;
        qsizetype eventCount = 0;
        QList<Task> tasks;
    };

    QList<Day> days;
    SharedEventList events;

    // Takes the spread's days, releasing each day's event copies as it goes.
    static AgendaWindow take(QList<AgendaDays::Day> &&days);
};

Q_DECLARE_METATYPE(AgendaWindow)
