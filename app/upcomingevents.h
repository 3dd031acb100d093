#pragma once

#include "store/event.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>

class AppState;

// Today's and tomorrow's events that are not over yet, in the calendars of
// the active calendar group, expanded and filtered, in event order. The tray
// shows the first of them and lists them.
namespace UpcomingEvents {

QList<Event> load(AppState *state);
std::optional<Event> next(AppState *state);
// Whether an upcoming event belongs under today rather than tomorrow: it
// starts today or began earlier and is still running.
bool belongsToToday(const Event &event, const QDate &today);
// The active group's calendars; the visible calendars when the group is
// missing or lists none.
QStringList calendarSet(AppState *state);

} // namespace UpcomingEvents
