#include "ui/sidebar/detachedtaskswindow.h"

#include <QCloseEvent>

#include "app/appstate.h"
#include "dialogs/editing/screenfit.h"
#include "ui/panes/taskspane.h"
#include "ui/sidebar/detachedwindowgeometry.h"

DetachedTasksWindow::DetachedTasksWindow(AppState *appState, QWidget *parent)
    : QMainWindow(parent)
    , m_appState(appState)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Closing this window never ends the program, also while the main
    // window is hidden in the tray.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(tr("Tasks — Tindlebrook Calendar"));
    resize(360, 720);
    m_pane = new TasksPane(m_appState, this);
    setCentralWidget(m_pane);
    DetachedWindowGeometry::restore(this, m_appState->preferences(), QString::fromLatin1(GeometryKey));
    // Its default height, or one kept from a larger screen, may not fit this one.
    ScreenFit::keepOnScreen(this);
}

void DetachedTasksWindow::closeEvent(QCloseEvent *event)
{
    DetachedWindowGeometry::save(this, m_appState->preferences(), QString::fromLatin1(GeometryKey));
    QWidget::closeEvent(event);
}
