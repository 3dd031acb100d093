#include "ui/mainwindow.h"

#include <QMenuBar>
#include <QSplitter>

#include "app/appstate.h"
#include "ui/panes/reminderspane.h"
#include "ui/panes/taskspane.h"
#include "ui/sidebar/detachedwindows.h"
#include "ui/sidebar/sidebar.h"

void MainWindow::buildPanes(QWidget *centre)
{
    m_mainSplitter = new QSplitter(Qt::Horizontal, this);
    m_mainSplitter->setObjectName(QStringLiteral("mainSplitter"));
    m_mainSplitter->setChildrenCollapsible(false);
    m_sidebar = new Sidebar(m_appState, m_mainSplitter);
    m_tasksPane = new TasksPane(m_appState, this);
    m_remindersPane = new RemindersPane(m_appState, this);
    auto *rightSplitter = new QSplitter(Qt::Vertical, this);
    rightSplitter->setObjectName(QStringLiteral("rightSplitter"));
    rightSplitter->setChildrenCollapsible(false);
    rightSplitter->addWidget(m_tasksPane);
    rightSplitter->addWidget(m_remindersPane);
    rightSplitter->setStretchFactor(0, 1);
    rightSplitter->setStretchFactor(1, 1);

    m_mainSplitter->addWidget(m_sidebar);
    m_mainSplitter->addWidget(centre);
    m_mainSplitter->addWidget(rightSplitter);
    m_mainSplitter->setStretchFactor(0, 0);
    m_mainSplitter->setStretchFactor(1, 1);
    m_mainSplitter->setStretchFactor(2, 0);
    m_mainSplitter->setSizes({360, std::max(width() - 680, 200), 320});
    setCentralWidget(m_mainSplitter);

    m_detachedWindows = new DetachedWindows(m_appState, this);
    QMenu *window = m_windowMenu ? m_windowMenu : menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("Detached &Agenda Window"), this, [this] { m_detachedWindows->openAgenda(); });
    window->addAction(tr("Detached &Tasks Window"), this, [this] { m_detachedWindows->openTasks(); });
    window->addAction(tr("Detached &Reminders Window"), this, [this] { m_detachedWindows->openReminders(); });
}
