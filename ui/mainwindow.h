#pragma once

#include <QDate>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

#include <functional>
#include <optional>

#include "store/calendarview.h"
#include "store/sampledata.h"
#include "update/client.h"
#include "update/feedbackconfig.h"

class AppState;
class CommandPalette;
class DayView;
class IcsImportFlow;
class QuickAddDialog;
class QStackedWidget;
class StatusPills;
class ViewArea;
class DetachedWindows;
class RemindersPane;
class Sidebar;
class QSplitter;
class TasksPane;
class NotificationService;
class QAction;
class QMenu;
class SyncOrchestrator;
class UrlOpener;
struct CalDavSyncContext;

namespace Sync {
class CalendarSyncClient;
}
namespace TindAccount {
class AccountScreen;
}

namespace UpdateUi {
struct StatusHooks;
}

// The application's one top-level window. It persists its geometry, hides to
// the tray where a tray exists, and offers the slots through which the
// single-instance channel, the tray and notifications bring it forward.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(AppState *appState, QWidget *parent = nullptr);
    // The start-up shows the frame (title and saved geometry) and builds the
    // contents after its first paint, so the window appears at once however
    // big the store is.
    enum class Contents { Now, Later };
    MainWindow(AppState *appState, Contents contents, QWidget *parent = nullptr);
    // Builds the menus, views, panes and status bar; once.
    void build();
    // The same, one step per turn of the event loop; built() follows.
    void buildInSteps();
    bool isBuilt() const { return m_buildStep > LastBuildStep; }
    // How many steps of the build have run (for measuring the start).
    int buildStepsDone() const { return m_buildStep; }

    // Set by the start-up once the tray exists; either may stay null.
    void setTrayIcon(QSystemTrayIcon *trayIcon) { m_trayIcon = trayIcon; }
    void setNotificationService(NotificationService *service) { m_notificationService = service; }
    // Whether the desktop shows a tray at all; QSystemTrayIcon's answer
    // unless a test stands in for a desktop.
    void setTrayAvailableCheck(std::function<bool()> check) { m_trayAvailable = std::move(check); }
    bool isQuitting() const { return m_quitting; }
    // The updater's and the feedback page's settings, asked for anew at each
    // use; set by the start-up.
    void setUpdateConfigs(std::function<TindUpdate::Client::Config()> update,
                          std::function<FeedbackConfig()> feedback);
    // Where the feedback page opens; the desktop's browser until set.
    void setUrlOpener(UrlOpener *opener) { m_urlOpener = opener; }
    // The status bar, as the updater's flows report through it.
    UpdateUi::StatusHooks makeUpdateStatusHooks();
    // The first time a newer version runs with its window shown: its
    // release notes. True when they were asked for.
    bool showWhatsNewAfterUpgrade();
    DayView *dayView() const { return m_dayView; }
    ViewArea *viewArea() const { return m_viewArea; }
    Sidebar *sidebar() const { return m_sidebar; }
    TasksPane *tasksPane() const { return m_tasksPane; }
    RemindersPane *remindersPane() const { return m_remindersPane; }
    DetachedWindows *detachedWindows() const { return m_detachedWindows; }
    SyncOrchestrator *syncOrchestrator() const { return m_sync; }
    StatusPills *statusPills() const { return m_statusPills; }
    CommandPalette *commandPalette() const { return m_commandPalette; }
    QuickAddDialog *quickAddDialog() const { return m_quickAddDialog; }
    QStackedWidget *centralStack() const { return m_centralStack; }
    QAction *newEventAction() const { return m_newEventAction; }
    QSplitter *mainSplitter() const { return m_mainSplitter; }
    QSplitter *rightSplitter() const { return m_rightSplitter; }

    // The keys of Quit and Preferences: the platform's, or Ctrl+Q and
    // Ctrl+, where it binds none.
    static QList<QKeySequence> quitKeys();
    static QList<QKeySequence> preferencesKeys();
    // The calendar-group form for the view area's group menu: a new group,
    // or a copy of one; the saved group's id, empty when cancelled.
    static QString runGroupForm(AppState *state, const std::optional<CalendarView> &group, QWidget *parent);

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
    void showTindlebrookAccountScreen();
    void syncAll();
    // Asks first: unsent edits of synced items give way to the servers.
    void forceFullSync();
    // Brings the window up on the event's day and opens its card; for an
    // occurrence of a repeating event, the card of that occurrence.
    void focusOnEvent(const QString &eventId, const QDate &date);
    void focusOnTask(const QString &taskUid);
    void openSettingsDialog();
    void quitApplication();
    // On the first launch of a user who is not signed in: the welcome, then
    // the calendar accounts when the user asked to add one. Runs once.
    void showWelcomeIfFirstLaunch();
    // The test reminder, through the same way real reminders take.
    void fireTestNotification();
    void openNewTaskDialog();
    void openQuickAddDialog();
    void openCommandPalette();
    void openCalendarAccounts();
    // Filters, calendar groups, templates and invitations
    // (mainwindowconfigdialogs.cpp).
    void openAddFilter();
    void openManageFilters();
    void openAddCalendarGroup();
    void openManageCalendarGroups();
    void openManageTemplates();
    void openInvitations();
    void updateEmptyState();
    void updateAccountButton();
    // Help menu: the updater and the feedback page (mainwindowupdates.cpp).
    void checkForUpdates();
    void showWhatsNew();
    void sendFeedback();

Q_SIGNALS:
    // After the last step of buildInSteps().
    void built();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Menus and window shortcuts (mainwindowmenus.cpp).
    void buildMenuBar();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildToolsMenu();
    void buildDeveloperMenu();
    void buildHelpMenu();
    void buildShortcuts();
    void updateInvitationsActionText(QAction *action);
    void toggleCompactDensity(bool compact);
    void refreshDensityCheck(QAction *action);
    void chooseIcsFileToImport();
    void openSearch();
    // Day view at the event's date, with the event selected.
    void showFoundEvent(const QString &eventId);
    void openPdfExport();
    void showAbout();
    // File → Tindlebrook Account: the account screen once signed in, the
    // cloud sign-in before.
    void openAccountEntry();
    // The page shown while no calendar exists.
    QWidget *buildEmptyState();
    void buildStatusPills();
    // One step of build(); false after the last.
    bool buildStep();
    void buildViewColumn();
    void buildViewArea();
    void finishBuild();
    // The sidebar left of the views and the task and reminder panes right
    // of them, with the Window menu's detached windows (mainwindowpanes.cpp).
    void buildSidebar();
    void buildTasksColumn();
    void placeColumns();
    void showColumns();
    // The Window menu's detached windows.
    void buildWindowMenu();
    // The View menu's sidebar, agenda and pane entries.
    void wireViewToggles();
    // The right column shows while either of its panes does.
    void updateRightColumn();
    // Sign-in and sign-out reach the File menu and the status bar.
    void connectAccountState();
    void setUpSync();
    void restoreWindowGeometry();
    // Tool bars and the splitter, once the contents exist.
    void restoreWindowLayout();
    void saveWindowState();
    // Closing hides to the tray only where one is really shown.
    bool canHideToTray() const;
    SampleData::Repositories sampleStore() const;
    void loadSampleData();
    void clearSampleData();

    AppState *m_appState;
    QAction *m_newEventAction = nullptr;
    QAction *m_accountAction = nullptr;
    QAction *m_signOutAction = nullptr;
    QAction *m_sidebarAction = nullptr;
    QAction *m_showEmptyDaysAction = nullptr;
    QAction *m_tasksPaneAction = nullptr;
    QAction *m_remindersPaneAction = nullptr;
    QMenu *m_windowMenu = nullptr;
    QStackedWidget *m_centralStack = nullptr;
    StatusPills *m_statusPills = nullptr;
    CommandPalette *m_commandPalette = nullptr;
    QPointer<TindAccount::AccountScreen> m_accountScreen;
    QuickAddDialog *m_quickAddDialog = nullptr;
    DayView *m_dayView = nullptr;
    ViewArea *m_viewArea = nullptr;
    QSplitter *m_mainSplitter = nullptr;
    QSplitter *m_rightSplitter = nullptr;
    Sidebar *m_sidebar = nullptr;
    TasksPane *m_tasksPane = nullptr;
    RemindersPane *m_remindersPane = nullptr;
    DetachedWindows *m_detachedWindows = nullptr;
    NotificationService *m_notificationService = nullptr;
    QSystemTrayIcon *m_trayIcon = nullptr;
    SyncOrchestrator *m_sync = nullptr;
    IcsImportFlow *m_icsImport = nullptr;
    std::function<bool()> m_trayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
    std::function<TindUpdate::Client::Config()> m_updateConfig;
    std::function<FeedbackConfig()> m_feedbackConfig;
    UrlOpener *m_urlOpener = nullptr;
    bool m_quitting = false;
    static constexpr int LastBuildStep = 9;
    int m_buildStep = 0;
};
