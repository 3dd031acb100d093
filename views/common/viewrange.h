#pragma once

#include "store/event.h"
#include "store/task.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class AccountRepository;
class AppState;
class CalendarRepository;
class EventRepository;
class FilterRuleRepository;
class TaskRepository;
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
    // The calendars read; empty when the group shows none.
    QStringList calendarIds;
    // Tasks starting or due in the range, when asked for.
    QList<Task> tasks;
    // What the options' digest made of the rest, on the loading thread.
    QVariant digest;
};

struct ViewRangeSources;

// What a load reads beyond the views' events.
struct ViewRangeOptions
{
    // Also read the tasks of the range (the agenda lists them).
    bool withTasks = false;
    // A group that does not exist shows every visible calendar (the mini
    // month) rather than none (the views).
    bool missingGroupShowsVisible = false;
    // Runs where the data was read (a worker thread) and may reduce it: a
    // pane turns the events into what it shows, so the GUI thread only
    // applies the result. Must touch nothing but its argument.
    std::function<void(ViewRangeData &)> digest;
    // Reads in place of the range's events (a pane that lists something
    // else), through the same repositories and on the same thread; it puts
    // what it read in the digest (a digest, if given, runs after it). Must
    // touch nothing but its arguments.
    std::function<void(const ViewRangeSources &, ViewRangeData &)> read;
    // Takes the kept events a slice at a time, in the order a whole read
    // lists them, where they are read; events then stays empty and the
    // colours are there before the first slice. A page that only marks days
    // never holds a year of occurrences at once. Must touch nothing but its
    // arguments.
    using Slice = std::function<void(const QList<Event> &slice, ViewRangeData &data)>;
    Slice eachSlice;
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
    TaskRepository *tasks = nullptr;
    // Whether the read is still wanted: a worker says no once its request
    // is superseded or its loader is gone. A long read of an options' read
    // may ask it between its own steps.
    std::function<bool()> abandoned;
};

namespace ViewRange {

ViewRangeSources sourcesOf(AppState *state);

// Loads [from, to) on the calling thread for the calendars of the active
// group (activeViewCalendarIds). With no visible calendar the
// events are not read. Views load through ViewRangeLoader instead, which
// runs this off the GUI thread.
ViewRangeData load(AppState *state, const QDateTime &from, const QDateTime &to);
// The options' digest, when there is one, has run over the result.
ViewRangeData load(const ViewRangeSources &sources, const QString &activeViewId, const QDateTime &from,
                   const QDateTime &to, const ViewRangeOptions &options = {});
// The same, but the sources' abandoned() is asked between the steps (the
// calendars, the tasks, the rows, the expansion and filter, the colours, the
// digest): once it says yes the rest is skipped and there is no result.
std::optional<ViewRangeData> loadUnlessAbandoned(const ViewRangeSources &sources, const QString &activeViewId,
                                                 const QDateTime &from, const QDateTime &to,
                                                 const ViewRangeOptions &options);

// Steps finished by every load in the process, for tests and benchmarks: an
// abandoned load stops short of the count a whole one reaches.
quint64 stepsFinished();

} // namespace ViewRange
