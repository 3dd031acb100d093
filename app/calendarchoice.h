#pragma once

#include "app/edits/writablecalendar.h"
#include "store/account.h"
#include "store/calendar.h"

#include <QHash>
#include <QList>
#include <QString>

class PreferencesRepository;

// How calendars are named and preselected in every calendar pick list.

// Each account's id with the name it is shown under.
QHash<QString, QString> shownAccountNames(const QList<Account> &accounts);
// "Account / Calendar", or the calendar name alone when its account has no
// name in the map.
QString calendarLabel(const QHash<QString, QString> &accountNames, const Calendar &calendar);
// The stored default calendar for new events or tasks ("__last_used__"
// follows the last one used); not checked against existing calendars.
QString defaultCalendarIdFor(const PreferencesRepository *preferences, bool forTask);
QString lastUsedCalendarKey(bool forTask);

// Which calendars a pick list offers, beyond being writable.
struct CalendarPick
{
    // Only calendars that hold tasks.
    bool forTasks = false;
    // Hidden calendars too, not only those shown.
    bool withHidden = false;
    // The edited item's own calendar, offered while hidden or not declaring
    // tasks, so that an edit does not turn into a move.
    QString keepId;
};

// The writable calendars the pick offers, ordered by their label in the
// user's collation.
QList<Calendar> writableCalendars(const QList<Calendar> &all, const QHash<QString, QString> &accountNames,
                                  const CalendarPick &pick);
