#include "views/common/taskdrop.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

#include "app/appstate.h"
#include "app/edits/taskeditor.h"
#include "dialogs/editing/eventformdialog.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "ui/popovers/eventdetailspopover.h"

namespace TaskDrop {

namespace {

QMainWindow *mainWindowOf(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (auto *window = qobject_cast<QMainWindow *>(w))
            return window;
    }
    return nullptr;
}

} // namespace

void handleDrop(AppState *state, const QString &taskId, const QDateTime &at, bool allDay,
                const QPoint &globalPos, QWidget *widget)
{
    if (!state || taskId.isEmpty() || !at.isValid())
        return;
    const std::optional<Task> task = state->tasks()->getById(taskId);
    // The look-up hands tombstones back too; a deleted task is no task.
    if (!task || task->deleted_at)
        return;
    const std::optional<QString> setting =
        state->preferences() ? state->preferences()->get(QString::fromLatin1(ActionSettingKey)) : std::nullopt;
    switch (actionFor(setting)) {
    case Action::CreateEvent:
        createEventFromTask(state, *task, at, allDay, widget);
        return;
    case Action::SetStartDate:
        setTaskDate(state, *task, TaskDate::Start, at, allDay, widget);
        return;
    case Action::SetDueDate:
        setTaskDate(state, *task, TaskDate::Due, at, allDay, widget);
        return;
    case Action::Ask:
        break;
    }
    if (!widget)
        return;
    Drop drop{state, *task, at, allDay, globalPos, widget};
    QTimer::singleShot(0, widget, [drop] { showMenu(drop); });
}

void showMenu(const Drop &drop)
{
    if (!drop.widget)
        return;
    auto *menu = new QMenu(drop.widget);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *createEvent = menu->addAction(QCoreApplication::translate("TaskDrop", "Create event from task"));
    QAction *setStart = menu->addAction(QCoreApplication::translate("TaskDrop", "Set start date"));
    QAction *setDue = menu->addAction(QCoreApplication::translate("TaskDrop", "Set due date"));
    QWidget *context = drop.widget;
    QObject::connect(createEvent, &QAction::triggered, context, [drop] {
        createEventFromTask(drop.state, drop.task, drop.at, drop.allDay, drop.widget.data());
    });
    QObject::connect(setStart, &QAction::triggered, context, [drop] {
        setTaskDate(drop.state, drop.task, TaskDate::Start, drop.at, drop.allDay, drop.widget.data());
    });
    QObject::connect(setDue, &QAction::triggered, context, [drop] {
        setTaskDate(drop.state, drop.task, TaskDate::Due, drop.at, drop.allDay, drop.widget.data());
    });
    menu->popup(drop.globalPos);
}

void createEventFromTask(AppState *state, const Task &task, const QDateTime &at, bool allDay, QWidget *widget)
{
    if (!state)
        return;
    // A card left open over the form would show the day as it was before.
    EventDetailsPopover::closeCurrent();
    EventFormDialog dialog(state, eventFromTask(task, at, allDay), widget);
    dialog.exec();
}

void setTaskDate(AppState *state, const Task &task, TaskDate which, const QDateTime &at, bool allDay,
                 QWidget *widget)
{
    if (!state)
        return;
    const bool ok = TaskEditor(state->tasks(), state->calendars()).setDropDate(task.id, which, at, allDay).ok;

    QMainWindow *window = mainWindowOf(widget);
    if (!window)
        return;
    if (!ok) {
        window->statusBar()->showMessage(QCoreApplication::translate("TaskDrop", "Couldn't update task — see log."), 5000);
        return;
    }
    const QString name = task.title.isEmpty() ? QCoreApplication::translate("TaskDrop", "Task") : task.title;
    const QDateTime value = dropValue(at, allDay);
    const QString when = allDay ? QLocale::system().toString(value.date(), QLocale::ShortFormat)
                                : QLocale::system().toString(value, QLocale::ShortFormat);
    const QString text = which == TaskDate::Start ? QCoreApplication::translate("TaskDrop", "Set start date for \"%1\" to %2")
                                                  : QCoreApplication::translate("TaskDrop", "Set due date for \"%1\" to %2");
    window->statusBar()->showMessage(text.arg(name, when), 4000);
}

} // namespace TaskDrop
