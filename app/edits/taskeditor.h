#pragma once

#include "app/edits/editresult.h"
#include "calendar/taskdropplan.h"
#include "store/task.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <optional>

class CalendarRepository;
class TaskRepository;

// Every change a user makes to a task. Each write stamps the task once:
// the modification time, the pending state of its calendar, SEQUENCE (one
// more for a stored task, 0 for a new one) and its iCalendar text: the
// stored one with the record written over it, so that what other clients
// put there stays. A refused write answers with words the caller shows.
// Deleting a task has no undo: the question before it says so.
class TaskEditor
{
    Q_DECLARE_TR_FUNCTIONS(TaskEditor)
public:
    TaskEditor(TaskRepository *tasks, CalendarRepository *calendars);

    // Completes or reopens the stored task; a repeating one being completed
    // moves on to its next date instead.
    EditResult setCompleted(const QString &taskId, bool completed);
    // A new status, with its percentage when given, else the one stored.
    EditResult setStatus(const QString &taskId, TaskStatus status,
                         std::optional<int> percentComplete = std::nullopt);
    // Stores the caller's changes to an existing task.
    EditResult update(const Task &changed);
    // Stores a new task; an id and uid are made when it has none.
    EditResult create(Task task);
    // The task form's record: new when `original` is empty, else the
    // original changed. A change of calendar stores a copy there and removes
    // the original with its subtasks (a read-only calendar keeps its own);
    // the sync deletes an original from its server only once its copy is on
    // the new calendar's.
    // `storedId` receives the id the record was stored under, also when a
    // later step of a move failed.
    EditResult saveFromForm(const Task &record, const std::optional<Task> &original, QString *storedId = nullptr);
    // Soft-deletes the task; the sync removes it from its server.
    EditResult remove(const QString &taskId);
    // A task dropped on a calendar view gets its start or due date.
    EditResult setDropDate(const QString &taskId, TaskDrop::TaskDate which, const QDateTime &at, bool allDay);

private:
    std::optional<Task> live(const QString &taskId) const;
    void stamp(Task &task, bool isNew) const;
    EditResult store(Task task, bool isNew);
    EditResult moveToCalendar(Task record, const Task &original, QString *storedId);
    // Leaves the original of a move as a tombstone linked to its copy, when
    // a server holds it.
    bool removeMoved(const Task &original, const QString &copyId);
    bool moveSubtasks(const QString &oldUid, const QString &newUid, const QString &fromCalendar,
                      const QString &toCalendar, int depth);
    static EditResult saveFailed(const Task &task);
    static EditResult gone();

    TaskRepository *m_tasks;
    CalendarRepository *m_calendars;
};
