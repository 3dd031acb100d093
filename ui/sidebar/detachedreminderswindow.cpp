#include "ui/sidebar/detachedreminderswindow.h"

#include <QCloseEvent>

#include "app/appstate.h"
#include "dialogs/editing/screenfit.h"
#include "ui/panes/reminderspane.h"
#include "ui/sidebar/detachedwindowgeometry.h"

DetachedRemindersWindow::DetachedRemindersWindow(AppState *appState, QWidget *parent)
    : QMainWindow(parent)
    , m_appState(appState)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Closing this window never ends the program, also while the main
    // window is hidden in the tray.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(tr("Reminders — Tindlebrook Calendar"));
    resize(360, 720);
    m_pane = new RemindersPane(m_appState, this);
    setCentralWidget(m_pane);
    DetachedWindowGeometry::restore(this, m_appState->preferences(), QString::fromLatin1(GeometryKey));
    // Its default height, or one kept from a larger screen, may not fit this one.
    ScreenFit::keepOnScreen(this);
}

void DetachedRemindersWindow::closeEvent(QCloseEvent *event)
{
    DetachedWindowGeometry::save(this, m_appState->preferences(), QString::fromLatin1(GeometryKey));
    QWidget::closeEvent(event);
}
