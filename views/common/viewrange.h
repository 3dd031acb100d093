#pragma once

#include "store/event.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class AppState;

// What every calendar view paints for a date range: the events of the
// visible calendars with repeating events expanded and the filter rules
// applied, and the colours and marks to paint them with.
struct ViewRangeData
{
    // Kept events, occurrences included (they carry their master's id).
    QList<Event> events;
    QSet<QString> dimmedIds;
    int hiddenCount = 0;
    // Calendar id to colour text.
    QHash<QString, QString> calendarColors;
    // Calendars of remote accounts: only their events show the upload mark.
    QSet<QString> pendingMarkCalendarIds;
};

namespace ViewRange {

// The calendars the active calendar group shows: its stored list as it is,
// or every visible calendar when the list is empty or unreadable; nothing
// when the active group does not exist.
QStringList activeViewCalendarIds(AppState *state);

// Loads [from, to). With no visible calendar the store is not read.
ViewRangeData load(AppState *state, const QDateTime &from, const QDateTime &to);

} // namespace ViewRange
