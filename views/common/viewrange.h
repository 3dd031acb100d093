#pragma once

#include "store/event.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QSet>
#include <QString>
#include <QStringList>

class AccountRepository;
class AppState;
class CalendarRepository;
class EventRepository;
class FilterRuleRepository;
class ViewRepository;

// What every calendar view paints for a date range: the events of the
// visible calendars with repeating events expanded and the filter rules
// applied, and the colours and marks to paint them with.
struct ViewRangeData
{
    // The range [from, to) the data was read for.
    QDateTime from;
    QDateTime to;
    // Kept events, occurrences included (they carry their master's id).
    QList<Event> events;
    QSet<QString> dimmedIds;
    int hiddenCount = 0;
    // Calendar id to colour text.
    QHash<QString, QString> calendarColors;
    // Calendars of remote accounts: only their events show the upload mark.
    QSet<QString> pendingMarkCalendarIds;
};

Q_DECLARE_METATYPE(ViewRangeData)

// The repositories a range is read through: the program's own on the GUI
// thread, a StoreReader's on a worker.
struct ViewRangeSources
{
    AccountRepository *accounts = nullptr;
    CalendarRepository *calendars = nullptr;
    EventRepository *events = nullptr;
    FilterRuleRepository *filterRules = nullptr;
    ViewRepository *views = nullptr;
};

namespace ViewRange {

ViewRangeSources sourcesOf(AppState *state);

// The calendars the active calendar group shows: its stored list as it is,
// or every visible calendar when the list is empty or unreadable; nothing
// when the active group does not exist.
QStringList activeViewCalendarIds(AppState *state);
QStringList activeViewCalendarIds(const ViewRangeSources &sources, const QString &activeViewId);

// Loads [from, to) on the calling thread. With no visible calendar the
// events are not read. Views load through ViewRangeLoader instead, which
// runs this off the GUI thread.
ViewRangeData load(AppState *state, const QDateTime &from, const QDateTime &to);
ViewRangeData load(const ViewRangeSources &sources, const QString &activeViewId, const QDateTime &from,
                   const QDateTime &to);

} // namespace ViewRange
