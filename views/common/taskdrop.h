#pragma once

#include "calendar/taskdropplan.h"
#include "store/task.h"

#include <QDateTime>
#include <QPoint>
#include <QPointer>
#include <QString>

class AppState;
class QWidget;

// A task dropped on a calendar view becomes an event, gets its start or due
// date, or first asks which, as the "ui/taskDropAction" setting says. Texts
// are translated in the context "TaskDrop".
namespace TaskDrop {

// The one entry point of the views. Nothing happens without a state, with
// an empty id, an invalid time or an unknown task. The question menu opens
// on the next turn of the event loop, after the drag has ended, and only
// while the widget still exists.
void handleDrop(AppState *state, const QString &taskId, const QDateTime &at, bool allDay,
                const QPoint &globalPos, QWidget *widget);

struct Drop
{
    AppState *state = nullptr;
    Task task;
    QDateTime at;
    bool allDay = false;
    QPoint globalPos;
    QPointer<QWidget> widget;
};

void showMenu(const Drop &drop);
// Opens the event form on a new event made from the task; the task stays.
void createEventFromTask(AppState *state, const Task &task, const QDateTime &at, bool allDay,
                         QWidget *widget);
// Stores the date and says so in the status bar of the widget's main window.
void setTaskDate(AppState *state, const Task &task, TaskDate which, const QDateTime &at, bool allDay,
                 QWidget *widget);

} // namespace TaskDrop
