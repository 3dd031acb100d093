#pragma once

#include <QObject>
#include <QPointer>

class AppState;
class DetachedAgendaWindow;
class DetachedRemindersWindow;
class DetachedTasksWindow;

// Opens each kind of detached window at most once: an open one is raised,
// a closed one is built anew (and restores its last geometry).
class DetachedWindows : public QObject
{
    Q_OBJECT
public:
    explicit DetachedWindows(AppState *appState, QObject *parent = nullptr);
    ~DetachedWindows() override;

    DetachedAgendaWindow *openAgenda();
    DetachedTasksWindow *openTasks();
    DetachedRemindersWindow *openReminders();

private:
    AppState *m_appState;
    QPointer<DetachedAgendaWindow> m_agenda;
    QPointer<DetachedTasksWindow> m_tasks;
    QPointer<DetachedRemindersWindow> m_reminders;
};
