#pragma once

#include "store/event.h"
#include "store/task.h"

#include <QDate>
#include <QDateTime>
#include <QList>

// The agenda's days: which events and tasks each day of a window lists, in
// the order it lists them. Works on the records it is given.
namespace AgendaDays {

struct Day
{
    QDate date;
    // By start time.
    QList<Event> events;
    // Open before completed, then by priority (none last), then by title.
    QList<Task> tasks;
};

// One entry per day of [windowStart, windowStart + dayCount). An event is
// listed on every day it covers (an all-day event on its stored dates, the
// exclusive end not counted); on today only while it has not ended by now.
// A task is listed on the day it starts and the day it is due, once when
// both fall on the same day.
QList<Day> spread(const QList<Event> &events, const QList<Task> &tasks, const QDate &windowStart, int dayCount,
                  const QDateTime &now);

// The window start: the current date, or in the week and grid views the
// first day of its week.
QDate windowStart(const QDate &current, const QString &viewMode, Qt::DayOfWeek firstDayOfWeek);

} // namespace AgendaDays
