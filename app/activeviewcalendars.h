#pragma once

#include <QString>
#include <QStringList>

class AppState;
class CalendarRepository;
class ViewRepository;

// The calendars the active calendar group shows: its stored list as it is,
// or every visible calendar when the list is empty or unreadable; nothing
// when the active group does not exist. Views, panes and the agenda export
// all show this same set.
QStringList activeViewCalendarIds(AppState *state);
// The same through given repositories (a StoreReader's on a worker thread).
// With missingGroupShowsVisible a group that does not exist shows every
// visible calendar (the mini month's rule).
QStringList activeViewCalendarIds(ViewRepository *views, CalendarRepository *calendars,
                                  const QString &activeViewId, bool missingGroupShowsVisible = false);
