#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/calendarchoice.h"
#include "app/notifications/notificationservice.h"
#include "app/platform/datadirectory.h"
#include "app/quickadd.h"
#include "app/theme/theme.h"
#include "app/edits/undostack.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "dialogs/accounts/settingsdialog.h"
#include "dialogs/accounts/welcomedialog.h"
#include "dialogs/editing/eventformdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/sampledata.h"
#include "store/taskrepository.h"
#include "ui/icsimportflow.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/popoverplacement.h"
#include "ui/popovers/taskdetailspopover.h"
#include "ui/sync/syncorchestrator.h"
#include "views/area/viewarea.h"
#include "store/preferencekeys.h"

#include <algorithm>

namespace {

constexpr const char *GeometryKey = PreferenceKeys::WindowGeometry;
constexpr const char *StateKey = PreferenceKeys::WindowState;
constexpr const char *SplitterKey = PreferenceKeys::WindowSplitter;
constexpr const char *FirstLaunchSeenKey = PreferenceKeys::FirstLaunchSeen;

} // namespace

MainWindow::MainWindow(AppState *appState, QWidget *parent)
    : MainWindow(appState, Contents::Now, parent)
{
}

MainWindow::MainWindow(AppState *appState, Contents contents, QWidget *parent)
    : QMainWindow(parent)
    , m_appState(appState)
{
    setWindowTitle(tr("Tindlebrook Calendar"));
    resize(1440, 900);
    restoreWindowGeometry();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        const QSize limit(available.width(), std::max(available.height() - 60, 0));
        if (width() > limit.width() || height() > limit.height())
            resize(size().boundedTo(limit));
    }
    if (contents == Contents::Now)
        build();
}

void MainWindow::build()
{
    while (buildStep()) {
    }
}

void MainWindow::buildInSteps()
{
    // A timer, not a posted call: posted calls can run back to back before
    // the loop reads input or paints.
    if (buildStep())
        QTimer::singleShot(1, Qt::PreciseTimer, this, &MainWindow::buildInSteps);
    else
        Q_EMIT built();
}

bool MainWindow::buildStep()
{
    // Each step is a few milliseconds of a big start, so the window keeps
    // answering (and painting) between them; the columns are made and
    // placed out of sight and show together in a step of their own.
    switch (m_buildStep++) {
    case 0:
        m_icsImport = new IcsImportFlow(m_appState, this);
        buildMenuBar();
        return true;
    case 1:
        buildViewColumn();
        return true;
    case 2:
        // The views are the biggest piece of the window: a turn of their own.
        buildViewArea();
        return true;
    case 3:
        buildSidebar();
        return true;
    case 4:
        buildTasksColumn();
        return true;
    case 5:
        placeColumns();
        return true;
    case 6:
        showColumns();
        return true;
    case 7:
        // The columns, laid out a turn ago, paint in this one, all at once.
        setUpdatesEnabled(true);
        return true;
    case 8:
        buildWindowMenu();
        return true;
    case 9:
        finishBuild();
        return true;
    case 10:
        // A turn of its own: its buttons are polished under their own
        // style sheets while the columns paint for the first time.
        buildStatusPills();
        return false;
    default:
        return false;
    }
}

void MainWindow::finishBuild()
{
    connectAccountState();
    setUpSync();
    QTimer::singleShot(3000, this, &MainWindow::syncAll);
    // After the start-up has decided whether to show the window.
    QTimer::singleShot(0, this, &MainWindow::showWelcomeIfFirstLaunch);
    buildShortcuts();
    // The mouse's back and forward buttons step the history anywhere in
    // the program, dialogs included.
    qApp->installEventFilter(this);
}

void MainWindow::buildViewColumn()
{
    // Each widget is made inside its final parent: moving a built tree to
    // another parent polishes all of it again under the style sheet. The
    // splitter stays hidden until its columns are placed.
    m_mainSplitter = new QSplitter(Qt::Horizontal, this);
    m_mainSplitter->hide();
    m_centralStack = new QStackedWidget(m_mainSplitter);
    m_centralStack->addWidget(buildEmptyState());
}

void MainWindow::buildViewArea()
{
    m_viewArea = new ViewArea(m_appState, m_centralStack);
    m_dayView = m_viewArea->dayView();
    // Dropped .ics files go through the same import as the command line.
    m_viewArea->setIcsImportSink([this](const QString &path) { importIcsFromCommand(path); });
    m_viewArea->setGroupFormRunner(&MainWindow::runGroupForm);
    m_centralStack->addWidget(m_viewArea);
}

namespace {

// Text that is not Base64 decodes to nothing and leaves the defaults.
QByteArray storedState(PreferencesRepository *preferences, const char *key)
{
    return QByteArray::fromBase64(preferences->getString(QString::fromLatin1(key)).toLatin1());
}

} // namespace

void MainWindow::restoreWindowGeometry()
{
    const QByteArray geometry = storedState(m_appState->preferences(), GeometryKey);
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

void MainWindow::restoreWindowLayout()
{
    PreferencesRepository *preferences = m_appState->preferences();
    const QByteArray state = storedState(preferences, StateKey);
    if (!state.isEmpty())
        restoreState(state, 0);
    const QByteArray splitter = storedState(preferences, SplitterKey);
    if (!splitter.isEmpty() && m_mainSplitter)
        m_mainSplitter->restoreState(splitter);
}

void MainWindow::saveWindowState()
{
    // Window state is a convenience: a write the store refused (and logged)
    // costs only the remembered layout, not worth a box at closing time.
    PreferencesRepository *preferences = m_appState->preferences();
    (void)preferences->set(QString::fromLatin1(GeometryKey), QString::fromLatin1(saveGeometry().toBase64()));
    // A window closed before its contents were built keeps the layout it
    // had last time.
    if (!isBuilt())
        return;
    (void)preferences->set(QString::fromLatin1(StateKey), QString::fromLatin1(saveState(0).toBase64()));
    if (m_mainSplitter)
        (void)preferences->set(QString::fromLatin1(SplitterKey), QString::fromLatin1(m_mainSplitter->saveState().toBase64()));
}

bool MainWindow::canHideToTray() const
{
    return m_trayIcon && m_trayIcon->isVisible() && m_trayAvailable && m_trayAvailable();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    const bool closeToTray = m_appState->preferences()->getBool(QLatin1String(PreferenceKeys::CloseToTray), true);
    const bool hidesToTray = !m_quitting && closeToTray && canHideToTray();
    // Closing for good: a pull being written holds the store, and saving the
    // state would wait for all of it.
    if (!hidesToTray && m_sync)
        m_sync->abandonForQuit();
    saveWindowState();
    if (hidesToTray) {
        event->ignore();
        hide();
        if (!m_appState->preferences()->getBool(QLatin1String(PreferenceKeys::CloseToTrayBalloonShown), false)) {
            // Unrecorded, the hint only shows once more.
            (void)m_appState->preferences()->setBool(QLatin1String(PreferenceKeys::CloseToTrayBalloonShown), true);
            m_trayIcon->showMessage(tr("Tindlebrook Calendar"),
                                    tr("Calendar is still running in the system tray. Use File → Quit to exit, "
                                       "or turn off Preferences → Startup → Close to tray."),
                                    QSystemTrayIcon::Information, 6000);
        }
        return;
    }
    QMainWindow::closeEvent(event);
    // The application does not end with its last window (a detached window
    // closing must not end it), so closing the main window without a tray to
    // hide in quits explicitly; otherwise the program would run on unseen.
    if (!m_quitting) {
        m_quitting = true;
        QMetaObject::invokeMethod(this, &MainWindow::quitApplication, Qt::QueuedConnection);
    }
}

void MainWindow::quitApplication()
{
    m_quitting = true;
    if (m_sync)
        m_sync->abandonForQuit();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void MainWindow::focusWindow()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::showToday()
{
    focusWindow();
    m_appState->setCurrentDate(QDate::currentDate());
}

namespace {

// A repeating master opened for one of its days shows the occurrence that
// starts on that local date. The stored start may be in UTC or another
// zone, so the day is matched in local time, never set onto the stored
// start. Without an occurrence that day it keeps the master's local time
// of day and length on the asked date.
Event occurrenceOn(const Event &master, const QDate &date)
{
    Event shown = master;
    const QDateTime dayStart(date, QTime(0, 0));
    const QList<Occurrence> found = Recurrence::occurrencesOf(master, dayStart, QDateTime(date.addDays(1), QTime(0, 0)));
    const auto onDay = std::find_if(found.cbegin(), found.cend(), [&date](const Occurrence &occurrence) {
        return occurrence.start.toLocalTime().date() == date;
    });
    if (onDay != found.cend()) {
        const Event occurrence = Recurrence::eventFor(master, *onDay);
        shown.start_time = occurrence.start_time;
        shown.end_time = occurrence.end_time;
        return shown;
    }
    const QDateTime start(date, master.start_time.toLocalTime().time());
    shown.end_time = Recurrence::occurrenceEnd(master, start);
    shown.start_time = start;
    return shown;
}

} // namespace

void MainWindow::focusOnEvent(const QString &eventId, const QDate &date)
{
    if (date.isValid())
        m_appState->setCurrentDate(date);
    if (!eventId.isEmpty())
        m_appState->setSelectedEventId(eventId);
    focusWindow();
    if (eventId.isEmpty())
        return;
    const std::optional<Event> found = m_appState->events()->getById(eventId);
    if (!found)
        return;
    Event shown = *found;
    if (date.isValid() && !shown.recurrence_rule.isEmpty() && shown.recurrence_id.isEmpty())
        shown = occurrenceOn(shown, date);
    TaskDetailsPopover::closeCurrent();
    auto *popover = new EventDetailsPopover(m_appState, shown, this);
    showPopoverCentered(popover);
}

void MainWindow::focusOnTask(const QString &taskUid)
{
    if (taskUid.isEmpty())
        return;
    focusWindow();
    const std::optional<Task> task = m_appState->tasks()->getByUid(taskUid);
    if (!task || task->deleted_at)
        return;
    EventDetailsPopover::closeCurrent();
    auto *popover = new TaskDetailsPopover(m_appState, *task, this);
    showPopoverCentered(popover);
}

void MainWindow::openNewEventDialog()
{
    if (m_appState->calendars()->getAll().isEmpty()) {
        openCalendarAccounts();
        if (m_appState->calendars()->getAll().isEmpty())
            return;
    }
    EventFormDialog dialog(m_appState, this);
    dialog.exec();
}

void MainWindow::openSettingsDialog()
{
    SettingsDialog dialog(m_appState, m_appState->themeManager(), this);
    dialog.exec();
}

void MainWindow::showWelcomeIfFirstLaunch()
{
    PreferencesRepository *preferences = m_appState->preferences();
    const QString key = QString::fromLatin1(FirstLaunchSeenKey);
    if (preferences->getBool(key, false))
        return;
    // A signed-in user has brought accounts along; there is nothing to greet.
    const TindAccount::Client *cloud = m_appState->accountClient();
    // Unrecorded, the greeting only shows once more.
    if (cloud && cloud->isAuthenticated()) {
        (void)preferences->setBool(key, true);
        return;
    }

    WelcomeDialog welcome(m_appState, this);
    // Without anyone at the screen (a headless or scripted session) nobody
    // could answer, so the greeting is answered "Get Started" at once.
    if (!qEnvironmentVariableIsEmpty("CALENDAR_NONINTERACTIVE")) {
        qInfo().noquote() << "[MainWindow] non-interactive session: welcome answered with \"Get Started\"";
        QTimer::singleShot(0, &welcome, &QDialog::reject);
    }
    const int answer = welcome.exec();
    (void)preferences->setBool(key, true);
    if (answer != QDialog::Accepted)
        return;
    ManageSourcesDialog sources(m_appState, this, this);
    sources.exec();
}

void MainWindow::quickAddFromCommand(const QString &text)
{
    focusWindow();
    if (text.trimmed().isEmpty())
        return;
    if (m_appState->calendars()->getAll().isEmpty()) {
        statusBar()->showMessage(tr("Quick-add ignored: no calendars configured."), 5000);
        return;
    }
    switch (QuickAdd::addLine(m_appState, text, QString()).outcome) {
    case QuickAdd::Result::Outcome::Stored:
        statusBar()->showMessage(tr("Added: %1").arg(text), 4000);
        break;
    case QuickAdd::Result::Outcome::NotUnderstood:
        statusBar()->showMessage(tr("Quick-add couldn't parse: \"%1\"").arg(text), 5000);
        break;
    case QuickAdd::Result::Outcome::NotSaved:
        // The line was understood; saying it could not be parsed would send
        // the user rewording it in vain.
        statusBar()->showMessage(tr("Quick-add: \"%1\" was not saved.").arg(text), 5000);
        break;
    }
}

void MainWindow::importIcsFromCommand(const QString &path)
{
    focusWindow();
    m_icsImport->importFile(path);
}

SampleData::Repositories MainWindow::sampleStore() const
{
    return m_appState->recordRepositories();
}

void MainWindow::loadSampleData()
{
    const int count = SampleData::load(sampleStore());
    statusBar()->showMessage(tr("Loaded %n sample row(s).", nullptr, count), 4000);
}

void MainWindow::clearSampleData()
{
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, tr("Clear sample data?"),
                              tr("Remove the sample calendars, events, and tasks? Your real data is untouched."),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    const int count = SampleData::clear(sampleStore());
    statusBar()->showMessage(tr("Removed %n sample row(s).", nullptr, count), 4000);
}

void MainWindow::fireTestNotification()
{
    if (m_notificationService)
        m_notificationService->showTestReminder();
    statusBar()->showMessage(tr("Test notification fired"), 3000);
}
