// The main window's share of syncing: it builds the orchestration, shows its
// messages and asks before a forced full sync; everything else is
// SyncOrchestrator's.

#include "ui/mainwindow.h"

#include <QMessageBox>
#include <QStatusBar>

#include "app/appstate.h"
#include "ui/sync/syncorchestrator.h"
#include "ui/sync/syncwiring.h"

void MainWindow::setUpSync()
{
    m_sync = new SyncOrchestrator(m_appState, this);
    connect(m_sync, &SyncOrchestrator::statusMessage, this,
            [this](const QString &text, int timeoutMs) { statusBar()->showMessage(text, timeoutMs); });
    connect(m_sync, &SyncOrchestrator::statusMessageEnded, this, [this](const QString &text) {
        if (statusBar()->currentMessage() == text)
            statusBar()->clearMessage();
    });
    connect(m_appState, &AppState::syncNowRequested, this, &MainWindow::syncAll);
}

void MainWindow::syncAll()
{
    m_sync->syncAll();
}

void MainWindow::forceFullSync()
{
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, tr("Force full sync?"),
        tr("Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look "
           "stale or out of date.\n\nAny unsynced local edits will be discarded in favour of the server's copy. "
           "Pending deletions are preserved.\n\nHeavy accounts may take a minute or two and use more bandwidth "
           "than usual."),
        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Yes)
        return;
    m_sync->forceFullSync();
}

void MainWindow::onPeriodicSyncTick()
{
    m_sync->onPeriodicSyncTick();
}

void MainWindow::queueAutoSync(const QString &calendarId)
{
    m_sync->queueAutoSync(calendarId);
}

void MainWindow::runAutoSync()
{
    m_sync->runAutoSync();
}

void MainWindow::wireSyncClient(Sync::CalendarSyncClient *client, AppState *appState)
{
    ::wireSyncClient(client, appState);
}

void MainWindow::syncCalDavCalendars(const CalDavSyncContext &context)
{
    m_sync->syncCalDavCalendars(context);
}
