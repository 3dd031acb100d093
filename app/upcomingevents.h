#pragma once

#include "store/event.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>

class AppState;
class CalendarRepository;
class EventRepository;
class FilterRuleRepository;
class ViewRepository;

// Today's and tomorrow's events that are not over yet, in the calendars of
// the active calendar group, expanded and filtered, in event order. The tray
// shows the first of them and lists them.
namespace UpcomingEvents {

// The repositories the list is read through: the program's own, or a
// reader's on a worker thread.
struct Sources
{
    CalendarRepository *calendars = nullptr;
    EventRepository *events = nullptr;
    FilterRuleRepository *filterRules = nullptr;
    ViewRepository *views = nullptr;
};

QList<Event> load(AppState *state);
// The same through `sources`, for the calendar group `activeViewId`; touches
// nothing else, so it runs on any thread that owns the sources.
QList<Event> load(const Sources &sources, const QString &activeViewId);
std::optional<Event> next(AppState *state);
// Whether an upcoming event belongs under today rather than tomorrow: it
// starts today or began earlier and is still running.
bool belongsToToday(const Event &event, const QDate &today);
// The active group's calendars; the visible calendars when the group is
// missing or lists none.
QStringList calendarSet(AppState *state);
QStringList calendarSet(const Sources &sources, const QString &activeViewId);

} // namespace UpcomingEvents
