#include "app/edits/taskeditor.h"

#include <QDebug>
#include <QUuid>

#include "app/edits/pendingrule.h"
#include "app/edits/writablecalendar.h"
#include "calendar/icscodec.h"
#include "store/calendarrepository.h"
#include "store/taskrepository.h"
#include "store/taskrollforward.h"

namespace {

// A subtask chain deeper than this is a loop in the stored data.
constexpr int MaxSubtaskDepth = 32;

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString nameOf(const Task &task)
{
    return task.title.isEmpty() ? TaskEditor::tr("Task") : task.title;
}

// A task stored anew: its own identity, no place on any server yet.
Task asNewCopy(Task task)
{
    task.id = newId();
    task.uid = task.id;
    task.href.clear();
    task.etag.clear();
    task.created = QDateTime::currentDateTimeUtc();
    task.deleted_at.reset();
    for (Reminder &reminder : task.reminders) {
        reminder.id.clear();
        reminder.task_id = task.id;
    }
    return task;
}

} // namespace

TaskEditor::TaskEditor(TaskRepository *tasks, CalendarRepository *calendars)
    : m_tasks(tasks)
    , m_calendars(calendars)
{
}

EditResult TaskEditor::setCompleted(const QString &taskId, bool completed)
{
    std::optional<Task> task = live(taskId);
    if (!task)
        return gone();
    TaskRollForward::setCompleted(*task, completed, QDateTime::currentDateTime());
    return store(*task, false);
}

EditResult TaskEditor::setStatus(const QString &taskId, TaskStatus status, std::optional<int> percentComplete)
{
    std::optional<Task> task = live(taskId);
    if (!task)
        return gone();
    task->status = status;
    if (percentComplete)
        task->percent_complete = *percentComplete;
    return store(*task, false);
}

EditResult TaskEditor::update(const Task &changed)
{
    if (!live(changed.id))
        return gone();
    return store(changed, false);
}

EditResult TaskEditor::create(Task task)
{
    if (task.id.isEmpty())
        task.id = newId();
    if (task.uid.isEmpty())
        task.uid = task.id;
    if (!task.created.isValid())
        task.created = QDateTime::currentDateTimeUtc();
    return store(task, true);
}

EditResult TaskEditor::saveFromForm(const Task &record, const std::optional<Task> &original, QString *storedId)
{
    if (!original || original->id.isEmpty()) {
        const Task fresh = asNewCopy(record);
        const EditResult result = store(fresh, true);
        if (result && storedId)
            *storedId = fresh.id;
        return result;
    }
    if (record.calendar_id != original->calendar_id)
        return moveToCalendar(record, *original, storedId);
    const EditResult result = store(record, false);
    if (result && storedId)
        *storedId = record.id;
    return result;
}

EditResult TaskEditor::remove(const QString &taskId)
{
    const std::optional<Task> task = live(taskId);
    if (!task)
        return gone();
    if (!m_tasks->remove(task->id))
        return EditResult::failed(tr("\"%1\" could not be deleted. The log has the details.").arg(nameOf(*task)));
    return EditResult::done();
}

EditResult TaskEditor::setDropDate(const QString &taskId, TaskDrop::TaskDate which, const QDateTime &at, bool allDay)
{
    const std::optional<Task> task = live(taskId);
    if (!task)
        return gone();
    return store(TaskDrop::withDropDate(*task, which, at, allDay), false);
}

std::optional<Task> TaskEditor::live(const QString &taskId) const
{
    if (!m_tasks || taskId.isEmpty())
        return std::nullopt;
    std::optional<Task> task = m_tasks->getById(taskId);
    if (!task || task->deleted_at)
        return std::nullopt;
    return task;
}

void TaskEditor::stamp(Task &task, bool isNew) const
{
    task.last_modified = QDateTime::currentDateTimeUtc();
    task.sync_status = ChangedItemStatus;
    // One more than the copy the change was made on.
    task.sequence = isNew ? 0 : task.sequence + 1;
    // Written over the stored text, so that what other clients keep in the
    // server's copy stays in it through every edit. A task the writer
    // refuses keeps its text; the record holds the edit.
    const QString written = IcsCodec::patchTodoIcs(task.raw_icalendar, task);
    if (!written.isEmpty())
        task.raw_icalendar = written;
}

EditResult TaskEditor::store(Task task, bool isNew)
{
    if (!m_tasks)
        return saveFailed(task);
    stamp(task, isNew);
    const bool stored = isNew ? m_tasks->insert(task) : m_tasks->update(task);
    return stored ? EditResult::done() : saveFailed(task);
}

// A task keeps its place on a server by the href of its old collection, so
// a move is a deletion there and a new item here (new id and uid, no href).
// Its subtasks follow it: they stay in their parent's calendar.
EditResult TaskEditor::moveToCalendar(Task record, const Task &original, QString *storedId)
{
    const Task copy = asNewCopy(record);
    // The new copy is stored first, so a failed move loses nothing.
    if (EditResult result = store(copy, true); !result)
        return result;
    if (storedId)
        *storedId = copy.id;
    // A read-only calendar refuses the deletion; what stays there is its own.
    const std::optional<Calendar> old = m_calendars ? m_calendars->getById(original.calendar_id) : std::nullopt;
    if (old && !isWritableCalendar(*old))
        return EditResult::done();
    const bool removed = removeMoved(original, copy.id);
    const bool childrenMoved =
        moveSubtasks(original.uid, copy.uid, original.calendar_id, copy.calendar_id, 0);
    if (!removed || !childrenMoved)
        return EditResult::failed(
            tr("\"%1\" was copied to its new calendar, but not all of it could be removed from the old one. "
               "The log has the details.")
                .arg(nameOf(record)));
    return EditResult::done();
}

bool TaskEditor::moveSubtasks(const QString &oldUid, const QString &newUid, const QString &fromCalendar,
                              const QString &toCalendar, int depth)
{
    if (oldUid.isEmpty() || depth >= MaxSubtaskDepth)
        return true;
    bool allMoved = true;
    for (const Task &child : m_tasks->getByCalendar(fromCalendar)) {
        if (child.parent_task_uid != oldUid)
            continue;
        Task copy = asNewCopy(child);
        copy.calendar_id = toCalendar;
        copy.parent_task_uid = newUid;
        if (!store(copy, true)) {
            allMoved = false;
            continue;
        }
        allMoved = removeMoved(child, copy.id) && allMoved;
        allMoved = moveSubtasks(child.uid, copy.uid, fromCalendar, toCalendar, depth + 1) && allMoved;
    }
    return allMoved;
}

bool TaskEditor::removeMoved(const Task &original, const QString &copyId)
{
    if (!m_tasks->remove(original.id))
        return false;
    // The old server's copy goes once the new one is on its server; without
    // the link it would go at once. A task no server holds (never uploaded,
    // or kept on this device) is linked to nothing: the link that led to it,
    // if it was itself a copy, leads to its copy instead.
    const QString fromId = original.href.isEmpty() ? m_tasks->movedFrom(original.id) : original.id;
    if (!fromId.isEmpty() && !m_tasks->keepMove(fromId, copyId))
        qWarning() << "[TaskEditor] Could not link moved task" << fromId << "to its copy" << copyId;
    return true;
}

EditResult TaskEditor::saveFailed(const Task &task)
{
    return EditResult::failed(
        tr("\"%1\" could not be stored, so nothing was changed. The log has the details.").arg(nameOf(task)));
}

EditResult TaskEditor::gone()
{
    return EditResult::failed(tr("The task no longer exists."));
}
