// The main window's menu bar and its window shortcuts.
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QStatusBar>

#include "account/authclient.h"
#include "account/client.h"
#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "app/theme/theme.h"
#include "app/edits/undostack.h"
#include "app/version.h"
#include "dialogs/accounts/keyboardhelpdialog.h"
#include "dialogs/accounts/weathersettingsdialog.h"
#include "services/invitationsservice.h"
#include "store/calendarrepository.h"
#include "ui/palette/commandpalette.h"

namespace {

// The platform's keys for a standard action, or the fallback where the
// platform binds none (Quit and Preferences under X11 and offscreen), so
// no key is ever bound twice.
QList<QKeySequence> standardOr(QKeySequence::StandardKey key, const char *fallback)
{
    const QList<QKeySequence> bound = QKeySequence::keyBindings(key);
    return bound.isEmpty() ? QList<QKeySequence>{QKeySequence(QString::fromLatin1(fallback))} : bound;
}

} // namespace

QList<QKeySequence> MainWindow::quitKeys()
{
    return standardOr(QKeySequence::Quit, "Ctrl+Q");
}

QList<QKeySequence> MainWindow::preferencesKeys()
{
    return standardOr(QKeySequence::Preferences, "Ctrl+,");
}

void MainWindow::buildMenuBar()
{
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    m_windowMenu = menuBar()->addMenu(tr("&Window"));
    buildToolsMenu();
    if (isDevInstance())
        buildDeveloperMenu();
    buildHelpMenu();
}

void MainWindow::buildFileMenu()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    m_newEventAction = file->addAction(tr("&New Event…"), this, &MainWindow::openNewEventDialog);
    m_newEventAction->setShortcut(QKeySequence::New);
    QAction *newTask = file->addAction(tr("New &Task…"), this, &MainWindow::openNewTaskDialog);
    newTask->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+T")));
    QAction *quickAdd = file->addAction(tr("Quick &Add…"), this, &MainWindow::openQuickAddDialog);
    quickAdd->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+N")));
    quickAdd->setStatusTip(tr("Type an event in plain English (\"lunch Thursday 1pm\")"));
    file->addSeparator();
    file->addAction(tr("Calendar &Accounts…"), this, &MainWindow::openCalendarAccounts);
    file->addSeparator();
    QAction *syncNow = file->addAction(tr("&Sync Now"), this, &MainWindow::syncAll);
    syncNow->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    QAction *forceSync = file->addAction(tr("Force F&ull Sync…"), this, &MainWindow::forceFullSync);
    forceSync->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+R")));
    forceSync->setStatusTip(tr("Re-pull every event from every account, ignoring sync tokens"));
    QAction *invitations = file->addAction(tr("&Invitations…"), this, &MainWindow::openInvitations);
    updateInvitationsActionText(invitations);
    connect(file, &QMenu::aboutToShow, this, [this, invitations] { updateInvitationsActionText(invitations); });
    if (Invitations::Service *service = m_appState->invitations()) {
        connect(service, &Invitations::Service::invitationsChanged, this,
                [this, invitations] { updateInvitationsActionText(invitations); });
    }
    file->addAction(tr("&Import ICS File…"), this, &MainWindow::chooseIcsFileToImport);
    file->addAction(tr("&Export Agenda PDF…"), this, &MainWindow::openPdfExport);
    file->addSeparator();
    m_accountAction = file->addAction(tr("Tindlebrook &Account…"), this, &MainWindow::openAccountEntry);
    m_accountAction->setStatusTip(tr("Sign in or sign up"));
    m_signOutAction = file->addAction(tr("Sign &Out"), this, [this] {
        if (TindAccount::Client *cloud = m_appState->accountClient())
            cloud->authClient()->logout();
    });
    file->addSeparator();
    QAction *quit = file->addAction(tr("&Quit"), this, &MainWindow::quitApplication);
    quit->setShortcuts(quitKeys());
    quit->setMenuRole(QAction::QuitRole);
}

void MainWindow::buildEditMenu()
{
    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    QAction *preferences = edit->addAction(tr("&Preferences…"), this, &MainWindow::openSettingsDialog);
    preferences->setShortcuts(preferencesKeys());
    preferences->setMenuRole(QAction::PreferencesRole);
    edit->addSeparator();
    QAction *find = edit->addAction(tr("&Find Events…"), this, &MainWindow::openSearch);
    find->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
    for (const char *key : {"F3", "/"}) {
        auto *shortcut = new QShortcut(QKeySequence(QString::fromLatin1(key)), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &MainWindow::openSearch);
    }
}

void MainWindow::buildViewMenu()
{
    QMenu *view = menuBar()->addMenu(tr("&View"));
    m_sidebarAction = view->addAction(tr("Toggle &Sidebar"));
    m_sidebarAction->setCheckable(true);
    m_sidebarAction->setChecked(true);
    m_showEmptyDaysAction = view->addAction(tr("Show &Empty Days in Agenda"));
    m_showEmptyDaysAction->setCheckable(true);
    m_showEmptyDaysAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+E")));
    QAction *density = view->addAction(tr("&Compact Density"));
    density->setCheckable(true);
    density->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+D")));
    m_tasksPaneAction = view->addAction(tr("Toggle &Tasks Pane"));
    m_tasksPaneAction->setCheckable(true);
    m_tasksPaneAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+K")));
    m_remindersPaneAction = view->addAction(tr("Toggle &Reminders Pane"));
    m_remindersPaneAction->setCheckable(true);
    m_remindersPaneAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+J")));
    for (QAction *action : view->actions())
        action->setShortcutContext(Qt::WindowShortcut);

    connect(density, &QAction::triggered, this, &MainWindow::toggleCompactDensity);
    connect(m_appState, &AppState::viewModeChanged, this, [this, density] { refreshDensityCheck(density); });
    connect(m_appState, &AppState::densityChanged, this, [this, density](const QString &mode, const QString &) {
        if (mode == m_appState->viewMode())
            refreshDensityCheck(density);
    });
    refreshDensityCheck(density);
}

void MainWindow::buildToolsMenu()
{
    QMenu *tools = menuBar()->addMenu(tr("&Tools"));
    tools->addAction(tr("Add &Filter…"), this, &MainWindow::openAddFilter);
    tools->addAction(tr("Add Calendar &Group…"), this, &MainWindow::openAddCalendarGroup);
    tools->addAction(tr("Manage Calendar Gr&oups…"), this, &MainWindow::openManageCalendarGroups);
    tools->addAction(tr("Manage Te&mplates…"), this, &MainWindow::openManageTemplates);
    tools->addSeparator();
    tools->addAction(tr("&Weather…"), this, [this] {
        WeatherSettingsDialog dialog(m_appState, this);
        dialog.exec();
    });
}

void MainWindow::buildDeveloperMenu()
{
    QMenu *developer = menuBar()->addMenu(tr("&Developer"));
    developer->addAction(tr("Load Sample &Data"), this, &MainWindow::loadSampleData);
    developer->addAction(tr("&Clear Sample Data"), this, &MainWindow::clearSampleData);
    developer->addSeparator();
    developer->addAction(tr("Send Test &Notification"), this, &MainWindow::fireTestNotification);
    // The cloud sign-in against the service named by AUTH_API_URL and its
    // neighbours, for trying it before the account button reaches it.
    if (TindAccount::Client *cloud = m_appState->accountClient()) {
        developer->addSeparator();
        developer->addAction(tr("Sign In to Tindlebrook &Account"), cloud->authClient(),
                             &TindAccount::AuthClient::login);
        developer->addAction(tr("Sign &Out of Tindlebrook Account"), cloud->authClient(),
                             &TindAccount::AuthClient::logout);
    }
}

void MainWindow::buildHelpMenu()
{
    QMenu *help = menuBar()->addMenu(tr("&Help"));
    QAction *keys = help->addAction(tr("&Keyboard Shortcuts"), this, [this] {
        KeyboardHelpDialog dialog(this);
        dialog.exec();
    });
    keys->setShortcut(QKeySequence::HelpContents);
    QAction *test = help->addAction(tr("Send Test &Notification"), this, &MainWindow::fireTestNotification);
    test->setStatusTip(tr("Fire a sample reminder toast to verify your desktop notification setup."));
    help->addSeparator();
    help->addAction(tr("&What's New"), this, &MainWindow::showWhatsNew);
    QAction *feedback = help->addAction(tr("Send &Feedback…"), this, &MainWindow::sendFeedback);
    feedback->setIcon(Theme::tintedIcon(QChar(0xE89E), 16, Theme::textPrimary()));
    help->addAction(tr("Check for &Updates…"), this, &MainWindow::checkForUpdates);
    help->addSeparator();
    QAction *about = help->addAction(tr("&About Tindlebrook Calendar"), this, &MainWindow::showAbout);
    about->setMenuRole(QAction::AboutRole);
}

void MainWindow::buildShortcuts()
{
    auto add = [this](const QKeySequence &keys, auto slot) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
        return shortcut;
    };
    add(QKeySequence(QStringLiteral("Ctrl+K")), [this] { openCommandPalette(); });
    add(QKeySequence(QStringLiteral("Alt+Left")), [this] { m_appState->goBack(); });
    add(QKeySequence(QStringLiteral("Alt+Right")), [this] { m_appState->goForward(); });
    // Ctrl+1 … Ctrl+9, Ctrl+] and Ctrl+[ pick the calendar group; the view
    // area binds them with its own keys, so they are not bound twice here.

    UndoStack *undoStack = m_appState->undoStack();
    auto *undo = new QShortcut(QKeySequence::Undo, this);
    undo->setContext(Qt::ApplicationShortcut);
    connect(undo, &QShortcut::activated, this, [undoStack] {
        // A text field that has focus keeps its own Ctrl+Z.
        if (undoStack->count() > 0)
            undoStack->undo();
    });
    connect(undoStack, &UndoStack::undone, this, [this](const QString &label, UndoStack::Outcome how) {
        // The deletion told the meeting's guests it was cancelled.
        statusBar()->showMessage(how == UndoStack::Outcome::Reinvited
                                     ? tr("Undid: %1. Its guests are invited again.").arg(label)
                                     : tr("Undid: %1").arg(label),
                                 4000);
    });
    connect(undoStack, &UndoStack::notUndone, this, [this](const QString &label, UndoStack::Outcome why) {
        statusBar()->showMessage(why == UndoStack::Outcome::ChangedSince
                                     ? tr("Could not undo: %1. The event was changed since.").arg(label)
                                     : tr("Could not undo: %1. The log has the details.").arg(label),
                                 4000);
    });
}

void MainWindow::updateInvitationsActionText(QAction *action)
{
    const Invitations::Service *service = m_appState->invitations();
    const int pending = service ? service->pendingCount() : 0;
    action->setText(pending < 1 ? tr("&Invitations…") : tr("&Invitations… (%1)").arg(pending));
}

void MainWindow::toggleCompactDensity(bool compact)
{
    m_appState->setDensity(m_appState->viewMode(), compact ? QStringLiteral("compact") : QStringLiteral("comfortable"));
}

void MainWindow::refreshDensityCheck(QAction *action)
{
    const QSignalBlocker blocker(action);
    action->setChecked(m_appState->isCompact(m_appState->viewMode()));
}

void MainWindow::openCommandPalette()
{
    if (!m_commandPalette)
        m_commandPalette = new CommandPalette(m_appState, this, this);
    m_commandPalette->showPalette();
}

void MainWindow::chooseIcsFileToImport()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Import ICS file"), QString(),
                                                      tr("iCalendar files (*.ics);;All files (*)"));
    if (!path.isEmpty())
        importIcsFromCommand(path);
}

void MainWindow::showAbout()
{
    QMessageBox::about(this, tr("About Tindlebrook Calendar"),
                       tr("<h3>Tindlebrook Calendar</h3><p>Version %1</p><p>A CalDAV-first calendar with client-side "
                          "filters and Views, the killer feature competitors don't have.</p><p>Built with Qt %2.</p>")
                           .arg(QString::fromLatin1(ProgramVersion), QString::fromLatin1(qVersion())));
}
