#pragma once

#include "store/calendar.h"

#include <QHash>
#include <QString>

class PreferencesRepository;

// How calendars are named and preselected in every calendar pick list.

// "Account / Calendar", or the calendar name alone when its account has no
// name in the map.
QString calendarLabel(const QHash<QString, QString> &accountNames, const Calendar &calendar);
// The stored default calendar for new events or tasks ("__last_used__"
// follows the last one used); not checked against existing calendars.
QString defaultCalendarIdFor(const PreferencesRepository *preferences, bool forTask);
QString lastUsedCalendarKey(bool forTask);
