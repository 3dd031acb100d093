#pragma once

#include "app/edits/editresult.h"
#include "store/task.h"

#include <QPoint>
#include <QString>

class AppState;
class QWidget;

// The texts of the task menu. Each pane fills them with its own tr(), so
// each keeps its translation context; an empty entry is not offered.
struct TaskMenuTexts
{
    QString edit;
    QString addSubtask;
    QString markComplete;
    QString markIncomplete;
    QString markInProgress;
    QString clearInProgress;
    QString markCancelled;
    QString restoreTask;
    QString makeTopLevel;
    QString remove;
    QString deleteTitle;
    QString deleteQuestion;   // %1: the title as stored
    bool separatorBeforeDelete = false;
};

// What the panes, the agenda and the task card offer for a task: the
// asking (menu, question, form) here, the change itself in TaskEditor.
// Every refused change is shown in a warning box over the parent.
namespace TaskActions {

// The task menu for a live task at the global position; nothing for an
// unknown or deleted one.
void showMenu(AppState *state, QWidget *parent, const QString &taskId, const QPoint &globalPos,
              const TaskMenuTexts &texts);

// The task form on the live task, modal over the parent.
void openEditor(AppState *state, const QString &taskId, QWidget *parent);
// The new-task form for a subtask of the task, in its calendar.
void openNewSubtask(AppState *state, const Task &parentTask, QWidget *parent);

// Each answers whether the store took the change.
bool toggleCompleted(AppState *state, const Task &task, QWidget *parent);
bool setStatus(AppState *state, const Task &task, TaskStatus status, std::optional<int> percentComplete,
               QWidget *parent);
bool update(AppState *state, const Task &changed, QWidget *parent);
// Asks with a question box (title, text, Yes and No with No the default)
// and deletes on Yes.
bool confirmAndDelete(AppState *state, const Task &task, const QString &title, const QString &question,
                      QWidget *parent);
// Deletes without asking: the caller asked.
bool remove(AppState *state, const QString &taskId, QWidget *parent);

// The warning box of a refused change; nothing for a done one.
void showFailure(QWidget *parent, const EditResult &result);

} // namespace TaskActions
