#include "dialogs/editing/taskactions.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>

#include "app/appstate.h"
#include "app/edits/taskeditor.h"
#include "calendar/tasktree.h"
#include "dialogs/editing/confirmbox.h"
#include "dialogs/editing/taskformdialog.h"
#include "store/taskrepository.h"

namespace TaskActions {

namespace {

TaskEditor editorOf(AppState *state)
{
    return TaskEditor(state->tasks(), state->calendars());
}

bool shown(QWidget *parent, const EditResult &result)
{
    showFailure(parent, result);
    return result.ok;
}

} // namespace

void showMenu(AppState *state, QWidget *parent, const QString &taskId, const QPoint &globalPos,
              const TaskMenuTexts &texts)
{
    if (!state)
        return;
    const std::optional<Task> found = state->tasks()->getById(taskId);
    if (!found || found->deleted_at)
        return;
    const Task task = *found;
    QMenu menu(parent);
    auto offer = [&menu, parent](const QString &text, auto effect) {
        if (!text.isEmpty())
            menu.addAction(text, parent, effect);
    };
    offer(texts.edit, [state, parent, task] { openEditor(state, task.id, parent); });
    offer(texts.addSubtask, [state, parent, task] { openNewSubtask(state, task, parent); });
    const bool completed = task.status == TaskStatus::Completed;
    offer(completed ? texts.markIncomplete : texts.markComplete,
          [state, parent, task] { toggleCompleted(state, task, parent); });
    const bool inProgress = task.status == TaskStatus::InProcess;
    offer(inProgress ? texts.clearInProgress : texts.markInProgress, [state, parent, task, inProgress] {
        setStatus(state, task, inProgress ? TaskStatus::NeedsAction : TaskStatus::InProcess,
                  inProgress ? 0 : 50, parent);
    });
    const bool cancelled = task.status == TaskStatus::Cancelled;
    offer(cancelled ? texts.restoreTask : texts.markCancelled, [state, parent, task, cancelled] {
        setStatus(state, task, cancelled ? TaskStatus::NeedsAction : TaskStatus::Cancelled,
                  std::nullopt, parent);
    });
    if (!task.parent_task_uid.isEmpty()) {
        offer(texts.makeTopLevel, [state, parent, task] {
            Task changed = task;
            changed.parent_task_uid.clear();
            update(state, changed, parent);
        });
    }
    if (texts.separatorBeforeDelete)
        menu.addSeparator();
    offer(texts.remove, [state, parent, task, texts] {
        confirmAndDelete(state, task, texts.deleteTitle, texts.deleteQuestion.arg(task.title), parent);
    });
    menu.exec(globalPos);
}

void openEditor(AppState *state, const QString &taskId, QWidget *parent)
{
    const std::optional<Task> task = state ? state->tasks()->getById(taskId) : std::nullopt;
    if (!task || task->deleted_at)
        return;
    TaskFormDialog dialog(state, *task, parent);
    dialog.exec();
}

void openNewSubtask(AppState *state, const Task &parentTask, QWidget *parent)
{
    TaskFormDialog dialog(state, parent);
    dialog.setParentTaskUid(parentTask.uid);
    dialog.setCalendarId(parentTask.calendar_id);
    dialog.exec();
}

bool toggleCompleted(AppState *state, const Task &task, QWidget *parent)
{
    return shown(parent, editorOf(state).setCompleted(task.id, !isTaskCompleted(task)));
}

bool setStatus(AppState *state, const Task &task, TaskStatus status, std::optional<int> percentComplete,
               QWidget *parent)
{
    return shown(parent, editorOf(state).setStatus(task.id, status, percentComplete));
}

bool update(AppState *state, const Task &changed, QWidget *parent)
{
    return shown(parent, editorOf(state).update(changed));
}

bool confirmAndDelete(AppState *state, const Task &task, const QString &title, const QString &question,
                      QWidget *parent)
{
    if (!confirmed(parent, title, question))
        return false;
    return remove(state, task.id, parent);
}

bool remove(AppState *state, const QString &taskId, QWidget *parent)
{
    return shown(parent, editorOf(state).remove(taskId));
}

void showFailure(QWidget *parent, const EditResult &result)
{
    if (result.ok)
        return;
    QMessageBox box(QMessageBox::Warning, QCoreApplication::translate("TaskActions", "Couldn't change the task"),
                    result.error, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace TaskActions
