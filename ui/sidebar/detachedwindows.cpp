#include "ui/sidebar/detachedwindows.h"

#include "ui/sidebar/detachedagendawindow.h"
#include "ui/sidebar/detachedreminderswindow.h"
#include "ui/sidebar/detachedtaskswindow.h"

namespace {

template<typename Window>
Window *openOnce(QPointer<Window> &slot, AppState *appState)
{
    if (slot) {
        slot->show();
        slot->raise();
        slot->activateWindow();
        return slot;
    }
    auto *window = new Window(appState, nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose, true);
    slot = window;
    window->show();
    return window;
}

} // namespace

DetachedWindows::DetachedWindows(AppState *appState, QObject *parent)
    : QObject(parent)
    , m_appState(appState)
{
}

// The windows have no parent; they close with the application's
// closeAllWindows on quit, and are deleted here when still around.
DetachedWindows::~DetachedWindows()
{
    delete m_agenda.data();
    delete m_tasks.data();
    delete m_reminders.data();
}

DetachedAgendaWindow *DetachedWindows::openAgenda()
{
    return openOnce(m_agenda, m_appState);
}

DetachedTasksWindow *DetachedWindows::openTasks()
{
    return openOnce(m_tasks, m_appState);
}

DetachedRemindersWindow *DetachedWindows::openReminders()
{
    return openOnce(m_reminders, m_appState);
}
