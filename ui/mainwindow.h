#pragma once

#include <QDate>
#include <QMainWindow>
#include <QString>

#include "store/sampledata.h"

class AppState;
class DayView;
class IcsImportFlow;
class ViewArea;
class NotificationService;
class QAction;
class QSystemTrayIcon;
class SyncOrchestrator;
struct CalDavSyncContext;

namespace Sync {
class CalendarSyncClient;
}

// The application's one top-level window. It persists its geometry, hides to
// the tray where a tray exists, and offers the slots through which the
// single-instance channel, the tray and notifications bring it forward.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(AppState *appState, QWidget *parent = nullptr);

    // Set by the start-up once the tray exists; either may stay null.
    void setTrayIcon(QSystemTrayIcon *trayIcon) { m_trayIcon = trayIcon; }
    void setNotificationService(NotificationService *service) { m_notificationService = service; }
    bool isQuitting() const { return m_quitting; }
    DayView *dayView() const { return m_dayView; }
    ViewArea *viewArea() const { return m_viewArea; }
    SyncOrchestrator *syncOrchestrator() const { return m_sync; }

    // Sync orchestration, kept in SyncOrchestrator (mainwindowsync.cpp).
    void onPeriodicSyncTick();
    void queueAutoSync(const QString &calendarId);
    void runAutoSync();
    void wireSyncClient(Sync::CalendarSyncClient *client, AppState *appState);
    void syncCalDavCalendars(const CalDavSyncContext &context);

public Q_SLOTS:
    void focusWindow();
    void showToday();
    void quickAddFromCommand(const QString &text);
    void importIcsFromCommand(const QString &path);
    void openNewEventDialog();
    void syncAll();
    // Asks first: unsent edits of synced items give way to the servers.
    void forceFullSync();
    void focusOnEvent(const QString &eventId, const QDate &date);
    void openSettingsDialog();
    void quitApplication();
    // On the first launch of a user who is not signed in: the welcome, then
    // the calendar accounts when the user asked to add one. Runs once.
    void showWelcomeIfFirstLaunch();
    // The test reminder, through the same way real reminders take.
    void fireTestNotification();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenuBar();
    void buildCentre();
    void setUpSync();
    void restoreWindowState();
    void saveWindowState();
    // Closing hides to the tray only where one is really shown.
    bool canHideToTray() const;
    SampleData::Repositories sampleStore() const;
    void loadSampleData();
    void clearSampleData();

    AppState *m_appState;
    QAction *m_newEventAction = nullptr;
    DayView *m_dayView = nullptr;
    ViewArea *m_viewArea = nullptr;
    NotificationService *m_notificationService = nullptr;
    QSystemTrayIcon *m_trayIcon = nullptr;
    SyncOrchestrator *m_sync = nullptr;
    IcsImportFlow *m_icsImport = nullptr;
    bool m_quitting = false;
};
