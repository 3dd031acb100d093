#include "ui/sidebar/detachedagendawindow.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "dialogs/editing/screenfit.h"
#include "ui/panes/agendalistwidget.h"
#include "ui/sidebar/detachedwindowgeometry.h"
#include "views/minimonth/minimonthcalendar.h"
#include "store/preferencekeys.h"

DetachedAgendaWindow::DetachedAgendaWindow(AppState *appState, QWidget *parent)
    : QMainWindow(parent)
    , m_appState(appState)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Closing this window never ends the program, also while the main
    // window is hidden in the tray.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(tr("Agenda — Tindlebrook Calendar"));
    resize(380, 720);
    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    m_miniMonth = new MiniMonthCalendar(m_appState, content);
    layout->addWidget(m_miniMonth, 0);
    m_agenda = new AgendaListWidget(m_appState, true, 30, QLatin1String(PreferenceKeys::DetachedAgendaMode), content);
    layout->addWidget(m_agenda, 1);
    setCentralWidget(content);
    DetachedWindowGeometry::restore(this, m_appState->preferences(), QString::fromLatin1(GeometryKey));
    // Its default height, or one kept from a larger screen, may not fit this one.
    ScreenFit::keepOnScreen(this);
}

void DetachedAgendaWindow::closeEvent(QCloseEvent *event)
{
    DetachedWindowGeometry::save(this, m_appState->preferences(), QString::fromLatin1(GeometryKey));
    QWidget::closeEvent(event);
}
