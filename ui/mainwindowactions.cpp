// The main window's empty state, status-bar widgets and the slots behind
// menu entries that open other windows.
#include "ui/mainwindow.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

#include "account/authclient.h"
#include "account/client.h"
#include "account/widgets/accountscreen.h"
#include "app/appstate.h"
#include "app/theme/theme.h"
#include "dialogs/accounts/cloudsignin.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "dialogs/editing/pdfexportdialog.h"
#include "dialogs/editing/quickadddialog.h"
#include "dialogs/editing/taskformdialog.h"
#include "dialogs/search/searchdialog.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "ui/palette/commandpalette.h"
#include "ui/statusbar/statuspills.h"

QWidget *MainWindow::buildEmptyState()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->setAlignment(Qt::AlignCenter);
    layout->addStretch(1);

    auto *icon = new QLabel(page);
    icon->setPixmap(Theme::tintedIcon(QChar(0xE853), 80, Theme::textMuted()).pixmap(80, 80));
    icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon);
    layout->addSpacing(20);

    auto *title = new QLabel(tr("No accounts configured"), page);
    QFont titleFont = title->font();
    titleFont.setWeight(QFont::Bold);
    titleFont.setPointSize(Theme::fontXxl());
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addSpacing(8);

    auto *description = new QLabel(tr("Add a Tindlebrook Calendar account to store calendars on this device, connect "
                                      "Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, "
                                      "Radicale, iCloud)."),
                                   page);
    description->setWordWrap(true);
    description->setMaximumWidth(560);
    description->setAlignment(Qt::AlignCenter);
    description->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    layout->addWidget(description, 0, Qt::AlignHCenter);
    layout->addSpacing(28);

    auto *add = new QPushButton(tr("  Add Account…"), page);
    add->setObjectName(QStringLiteral("emptyStateAddAccount"));
    add->setIcon(Theme::tintedIcon(QChar(0xE145), 16, add->palette().color(QPalette::ButtonText)));
    add->setMinimumSize(200, 36);
    add->setDefault(true);
    add->setCursor(Qt::PointingHandCursor);
    connect(add, &QPushButton::clicked, this, &MainWindow::openCalendarAccounts);
    layout->addWidget(add, 0, Qt::AlignHCenter);
    layout->addStretch(2);
    return page;
}

void MainWindow::updateEmptyState()
{
    const bool any = !m_appState->calendars()->getAll().isEmpty();
    if (m_centralStack)
        m_centralStack->setCurrentIndex(any ? 1 : 0);
    m_newEventAction->setEnabled(any);
}

void MainWindow::buildStatusPills()
{
    StatusPills::Hooks hooks;
    hooks.openAccounts = [this] {
        ManageSourcesDialog dialog(m_appState, this, this);
        dialog.exec();
    };
    hooks.addFilter = [this] { openAddFilter(); };
    hooks.manageFilters = [this] { openManageFilters(); };
    m_statusPills = new StatusPills(m_appState, statusBar(), hooks, this);
}

void MainWindow::updateAccountButton()
{
    const TindAccount::Client *cloud = m_appState->accountClient();
    const bool signedIn = cloud && cloud->isAuthenticated();
    m_signOutAction->setVisible(signedIn);
    m_accountAction->setStatusTip(signedIn ? tr("Manage your account") : tr("Sign in or sign up"));
}

void MainWindow::connectAccountState()
{
    TindAccount::Client *cloud = m_appState->accountClient();
    if (cloud) {
        TindAccount::AuthClient *auth = cloud->authClient();
        connect(auth, &TindAccount::AuthClient::stateChanged, this, &MainWindow::updateAccountButton);
        connect(auth, &TindAccount::AuthClient::loginSucceeded, this, [this] {
            statusBar()->showMessage(tr("Signed in to Tindlebrook"), 3000);
            updateAccountButton();
        });
        connect(auth, &TindAccount::AuthClient::logoutCompleted, this, [this] {
            statusBar()->showMessage(tr("Signed out of Tindlebrook"), 3000);
            updateAccountButton();
        });
        // A session restored at start may be near its end: renew it now.
        if (auth->isAuthenticated())
            auth->refreshToken({});
    }
    updateAccountButton();
}

void MainWindow::openCalendarAccounts()
{
    ManageSourcesDialog dialog(m_appState, this, this);
    dialog.exec();
    if (m_statusPills)
        m_statusPills->refreshAccountStatusPill();
}

void MainWindow::openNewTaskDialog()
{
    if (m_appState->calendars()->getAll().isEmpty()) {
        openCalendarAccounts();
        if (m_appState->calendars()->getAll().isEmpty())
            return;
    }
    TaskFormDialog dialog(m_appState, this);
    dialog.exec();
}

void MainWindow::openQuickAddDialog()
{
    // Kept and reused: every show starts empty.
    if (!m_quickAddDialog) {
        m_quickAddDialog = new QuickAddDialog(m_appState, this);
        m_quickAddDialog->setObjectName(QStringLiteral("quickAddDialog"));
        connect(m_quickAddDialog, &QuickAddDialog::openMainWindow, this, &MainWindow::focusWindow);
    }
    m_quickAddDialog->show();
    m_quickAddDialog->raise();
    m_quickAddDialog->activateWindow();
}

void MainWindow::openSearch()
{
    SearchDialog dialog(m_appState, this);
    connect(&dialog, &SearchDialog::eventActivated, this, &MainWindow::showFoundEvent);
    dialog.exec();
}

void MainWindow::showFoundEvent(const QString &eventId)
{
    const std::optional<Event> event = m_appState->events()->getById(eventId);
    if (!event)
        return;
    m_appState->navigateTo(QStringLiteral("day"), event->start_time.toLocalTime().date());
    m_appState->setSelectedEventId(eventId);
}

void MainWindow::openPdfExport()
{
    PdfExportDialog dialog(m_appState, this);
    dialog.exec();
}

void MainWindow::openAccountEntry()
{
    TindAccount::Client *cloud = m_appState->accountClient();
    if (cloud && !cloud->isAuthenticated()) {
        CloudSignIn::start(cloud, this);
        return;
    }
    showTindlebrookAccountScreen();
}

void MainWindow::showTindlebrookAccountScreen()
{
    TindAccount::Client *cloud = m_appState->accountClient();
    if (!cloud || !cloud->isAuthenticated())
        return;
    if (!m_accountScreen) {
        // A window of its own, reused on every opening for the main
        // window's life.
        m_accountScreen = new TindAccount::AccountScreen(cloud, nullptr);
        m_accountScreen->setWindowTitle(tr("Tindlebrook Account"));
        connect(m_accountScreen, &TindAccount::AccountScreen::logoutRequested, cloud->authClient(),
                &TindAccount::AuthClient::logout);
        connect(this, &QObject::destroyed, m_accountScreen, [screen = m_accountScreen] { delete screen; });
    }
    m_accountScreen->refreshAll();
    m_accountScreen->resize(640, 560);
    m_accountScreen->show();
    m_accountScreen->raise();
    m_accountScreen->activateWindow();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::BackButton) {
            m_appState->goBack();
            return true;
        }
        if (mouse->button() == Qt::ForwardButton) {
            m_appState->goForward();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
