// The main window's columns: the sidebar left of the views, the task and
// reminder panes right of them, the View menu entries that show and hide
// them, and the Window menu's detached windows.
#include "ui/mainwindow.h"

#include <QAction>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>

#include "app/appstate.h"
#include "store/calendarrepository.h"
#include "store/preferencesrepository.h"
#include "ui/panes/agendalistwidget.h"
#include "ui/panes/reminderspane.h"
#include "ui/panes/taskspane.h"
#include "ui/sidebar/detachedwindows.h"
#include "ui/sidebar/sidebar.h"
#include "store/preferencekeys.h"

#include <algorithm>

namespace {

constexpr const char *TasksPaneVisibleKey = PreferenceKeys::TasksPaneVisible;
constexpr const char *RemindersPaneVisibleKey = PreferenceKeys::RemindersPaneVisible;

} // namespace

void MainWindow::buildSidebar()
{
    m_mainSplitter->setObjectName(QStringLiteral("mainSplitter"));
    m_mainSplitter->setChildrenCollapsible(false);
    m_sidebar = new Sidebar(m_appState, m_mainSplitter);
}

void MainWindow::buildTasksColumn()
{
    m_rightSplitter = new QSplitter(Qt::Vertical, m_mainSplitter);
    m_tasksPane = new TasksPane(m_appState, m_rightSplitter);
    m_remindersPane = new RemindersPane(m_appState, m_rightSplitter);
    m_rightSplitter->setObjectName(QStringLiteral("rightSplitter"));
    m_rightSplitter->setChildrenCollapsible(false);
    m_rightSplitter->addWidget(m_tasksPane);
    m_rightSplitter->addWidget(m_remindersPane);
    m_rightSplitter->setStretchFactor(0, 1);
    m_rightSplitter->setStretchFactor(1, 1);
}

void MainWindow::placeColumns()
{
    m_mainSplitter->addWidget(m_sidebar);
    m_mainSplitter->addWidget(m_centralStack);
    m_mainSplitter->addWidget(m_rightSplitter);
    m_mainSplitter->setStretchFactor(0, 0);
    m_mainSplitter->setStretchFactor(1, 1);
    m_mainSplitter->setStretchFactor(2, 0);
    m_mainSplitter->setSizes({360, std::max(width() - 680, 200), 320});
    setCentralWidget(m_mainSplitter);
    restoreWindowLayout();
    wireViewToggles();
    // The view area or the empty state, whichever the calendars call for,
    // is the page that shows first.
    connect(m_appState->calendars(), &CalendarRepository::calendarsChanged, this, &MainWindow::updateEmptyState);
    updateEmptyState();
}

void MainWindow::showColumns()
{
    // Everything in its place first, so nothing moves once it shows; the
    // status bar shows with the columns, not before them. Showing polishes
    // and lays out the columns; their first paint waits for the next step,
    // so the two are not one long turn.
    setUpdatesEnabled(false);
    statusBar();
    m_mainSplitter->show();
}

void MainWindow::buildWindowMenu()
{
    m_detachedWindows = new DetachedWindows(m_appState, this);
    QMenu *window = m_windowMenu ? m_windowMenu : menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("Detached &Agenda Window"), this, [this] { m_detachedWindows->openAgenda(); });
    window->addAction(tr("Detached &Tasks Window"), this, [this] { m_detachedWindows->openTasks(); });
    window->addAction(tr("Detached &Reminders Window"), this, [this] { m_detachedWindows->openReminders(); });
}

void MainWindow::wireViewToggles()
{
    if (m_sidebarAction)
        connect(m_sidebarAction, &QAction::toggled, m_sidebar, &QWidget::setVisible);

    if (AgendaListWidget *agenda = m_sidebar->agenda(); agenda && m_showEmptyDaysAction) {
        // The agenda keeps its own mode; the entry only mirrors it.
        m_showEmptyDaysAction->setChecked(agenda->showEmptyDays());
        connect(m_showEmptyDaysAction, &QAction::toggled, agenda, &AgendaListWidget::setMode);
        connect(agenda, &AgendaListWidget::showEmptyDaysChanged, m_showEmptyDaysAction, &QAction::setChecked);
    }

    PreferencesRepository *preferences = m_appState->preferences();
    const struct
    {
        QWidget *pane;
        QAction *action;
        const char *key;
    } panes[] = {{m_tasksPane, m_tasksPaneAction, TasksPaneVisibleKey},
                 {m_remindersPane, m_remindersPaneAction, RemindersPaneVisibleKey}};
    for (const auto &entry : panes) {
        const QString key = QString::fromLatin1(entry.key);
        const bool shown = preferences->getBool(key, true);
        entry.pane->setVisible(shown);
        if (!entry.action)
            continue;
        // Checked before it is connected, so restoring writes nothing.
        entry.action->setChecked(shown);
        QWidget *pane = entry.pane;
        connect(entry.action, &QAction::toggled, this, [this, pane, key](bool show) {
            pane->setVisible(show);
            // Only the remembered layout is lost when the store refuses (and logs) it.
            (void)m_appState->preferences()->setBool(key, show);
            updateRightColumn();
        });
    }
    updateRightColumn();
}

void MainWindow::updateRightColumn()
{
    m_rightSplitter->setVisible(!m_tasksPane->isHidden() || !m_remindersPane->isHidden());
}
