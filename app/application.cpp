#include "app/application.h"

#include <QDBusConnection>
#include <QDebug>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QThreadPool>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include "app/appstate.h"
#include "app/notifications/desktopnotifier.h"
#include "app/notifications/notificationservice.h"
#include "app/notifications/traymessagemarkup.h"
#include "app/platform/datadirectory.h"
#include "app/platform/desktopintegration.h"
#include "app/platform/heapthresholds.h"
#include "app/platform/singleinstance.h"
#include "app/secrets/credentialbackend.h"
#include "app/secrets/secretservicecache.h"
#include "app/secrets/tokenstore.h"
#include "app/theme/theme.h"
#include "app/tray/traymanager.h"
#include "app/unencryptedsecretsnotice.h"
#include "app/version.h"
#include "store/accountrepository.h"
#include "store/preferencesrepository.h"
#include "ui/mainwindow.h"
#include "ui/sync/syncorchestrator.h"
#include "update/updatedialog.h"
#include "store/preferencekeys.h"
#include "views/common/rangereaderthread.h"

#include <algorithm>
#include <functional>

namespace {

// The release download service and the feedback portal; the download
// location may be pointed elsewhere for a private channel.
QUrl manifestBaseUrl()
{
    const QString override = QString::fromUtf8(qgetenv("CALENDAR_UPDATE_MANIFEST_URL"));
    return QUrl(override.isEmpty() ? QStringLiteral(TINDLE_UPDATE_MANIFEST_URL) : override);
}

// How long the start-up waits for the frame's first paint before building
// the window's contents anyway.
constexpr int FrameWaitMs = 300;

// Runs once, at the first paint of the watched window.
class FirstPaintHook : public QObject
{
public:
    FirstPaintHook(QWidget *window, std::function<void()> action)
        : QObject(window)
        , m_action(std::move(action))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After this paint has finished, in a turn of its own: a posted
            // call would run in the same turn as the paint.
            QTimer::singleShot(1, Qt::PreciseTimer, QCoreApplication::instance(), m_action);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_action;
};

} // namespace

Application::Application(int &argc, char **argv, Assets assets)
    : QApplication(argc, argv)
{
    fixHeapThresholds();
    setOrganizationName(QStringLiteral("Tindlebrook"));
    setOrganizationDomain(QStringLiteral("tindlebrook.app"));
    setApplicationName(QStringLiteral("Calendar"));
    setApplicationVersion(QString::fromLatin1(ProgramVersion));
    // Closing a detached window must never end the program; the main window
    // quits explicitly when it closes without a tray to hide in.
    setQuitOnLastWindowClosed(false);
    loadTranslations();
    if (assets == Assets::WithTheApplication)
        loadFirstAssets();
    setFont(QFont(Theme::defaultFontFamily(), Theme::fontBody()));
}

Application::~Application()
{
    // Whatever keeps a pointer into the state hub or its store goes before
    // it: the reminders, the tray and the main window (which has no parent).
    delete m_notificationService;
    m_notificationService = nullptr;
    delete m_notifier;
    m_notifier = nullptr;
    delete m_trayManager;
    m_trayManager = nullptr;
    delete m_mainWindow;
    m_mainWindow = nullptr;
    delete m_appState;
    m_appState = nullptr;
}

void Application::loadFirstAssets()
{
    if (m_firstAssetsLoaded)
        return;
    m_firstAssetsLoaded = true;
    setWindowIcon(QIcon(QStringLiteral(":/icons/app-icon.png")));
    loadFirstFonts();
}

void Application::loadFirstFonts()
{
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/IBMPlexSans.ttf"));
    // Icons are drawn from the icon font when a widget is built (tinted
    // pixmaps) as well as when it paints: the font must be there before the
    // first window or dialog, or they keep a missing-glyph box.
    const int icons = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/MaterialIcons-Regular.otf"));
    if (icons < 0) {
        qWarning() << "[Fonts] Failed to load Material Icons font — indicators will fall back to a missing-glyph box.";
        return;
    }
    const QStringList families = QFontDatabase::applicationFontFamilies(icons);
    if (!families.isEmpty())
        Theme::setFontFamily(families.first());
}

void Application::deferFontsUntilShown()
{
    if (m_mainWindow && m_mainWindow->isVisible())
        new FirstPaintHook(m_mainWindow, [this] { loadDeferredFonts(); });
    else
        QTimer::singleShot(0, this, &Application::loadDeferredFonts);
}

void Application::loadDeferredFonts()
{
    if (m_deferredFontsLoaded)
        return;
    m_deferredFontsLoaded = true;
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/IBMPlexSans-Italic.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/IBMPlexMono-Medium.ttf"));
}

QStringList Application::supportedLanguages()
{
    return {QStringLiteral("en"), QStringLiteral("es"), QStringLiteral("de"), QStringLiteral("fr"),
            QStringLiteral("ja")};
}

QString Application::resolveLanguage()
{
    const QString stored = QSettings().value(QLatin1String(PreferenceKeys::Language), QStringLiteral("system")).toString();
    if (stored != QLatin1String("system"))
        return stored;
    const QString language = QLocale().name().left(2);
    return supportedLanguages().contains(language) ? language : QStringLiteral("en");
}

void Application::loadTranslations()
{
    // A second call replaces what the first installed.
    for (QTranslator **translator : {&m_qtTranslator, &m_appTranslator}) {
        if (*translator) {
            removeTranslator(*translator);
            delete *translator;
            *translator = nullptr;
        }
    }
    const QString language = resolveLanguage();
    preferGlyphsOf(language);
    if (language != QLatin1String("en")) {
        auto *qt = new QTranslator(this);
        if (qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            installTranslator(qt);
            m_qtTranslator = qt;
        } else {
            delete qt;
        }
    }
    auto *own = new QTranslator(this);
    if (own->load(QStringLiteral(":/i18n/calendar_%1.qm").arg(language))) {
        installTranslator(own);
        m_appTranslator = own;
    } else {
        delete own;
    }
    // Month and weekday names, and the AM/PM marker, come from the default
    // locale: they follow the interface's language, not the desktop's.
    // American English names and markers are the ones the English interface
    // has always shown.
    const bool translated = m_appTranslator && language != QLatin1String("en");
    QLocale::setDefault(translated ? QLocale(language) : QLocale(QLocale::English, QLocale::UnitedStates));
}

// The program's own fonts hold no Japanese, so its text comes from the
// desktop's fallback font, and the fallback for ideographs follows the
// desktop's language: on a Chinese or Korean desktop it draws their forms.
// A Japanese interface asks for the Japanese forms first.
void Application::preferGlyphsOf(const QString &language)
{
    const QString family = Theme::defaultFontFamily();
    QFont::removeSubstitutions(family);
    if (language == QLatin1String("ja"))
        QFont::insertSubstitution(family, QStringLiteral("Noto Sans CJK JP"));
}

TindUpdate::Client::Config Application::updateConfig()
{
    return {QStringLiteral("calendar"), QStringLiteral("stable"), manifestBaseUrl(),
            QString::fromLatin1(ProgramVersion)};
}

FeedbackConfig Application::feedbackConfig()
{
    return {QStringLiteral("calendar"), QUrl(QStringLiteral("https://feedback.tindlebrook.app"))};
}

bool Application::startsHidden(const QStringList &arguments, bool startMinimized, bool trayPresent)
{
    const bool asked = startMinimized || arguments.contains(QStringLiteral("--background"));
    if (asked && !trayPresent)
        qInfo() << "[Startup] No tray to start hidden in: the window is shown";
    return asked && trayPresent;
}

const QList<int> &Application::reminderOffsetChoices()
{
    static const QList<int> choices = {0, 5, 10, 15, 30, 60, 120, 1440};
    return choices;
}

int Application::run()
{
    // The keyring is read in the background while the rest starts.
    CredentialBackend::prepare();
    m_appState = new AppState(this);
    // A start in another zone pins the floating times once the frame shows.
    if (!m_appState->initialize(AppState::FloatingTimes::PinnedLater)) {
        showDatabaseError();
        return 1;
    }

    PreferencesRepository *preferences = m_appState->preferences();
    if (!preferences->getBool(QLatin1String(PreferenceKeys::AccountsDeduped), false)) {
        const int merged = m_appState->accounts()->dedupeAccounts();
        if (merged > 0)
            qInfo() << "[ConfigSync] Collapsed" << merged << "duplicate CalDAV account rows";
        // Unrecorded, the merge only runs again at the next start and finds nothing.
        (void)preferences->setBool(QLatin1String(PreferenceKeys::AccountsDeduped), true);
    }

    // The frame shows first; its contents, the tray and the reminders are
    // built once it has painted.
    m_mainWindow = new MainWindow(m_appState, MainWindow::Contents::Later);
    // However the loop ends (the window, the tray, the session), what would
    // hold the exit is given up first.
    connect(this, &QCoreApplication::aboutToQuit, this, &Application::abandonWork, Qt::UniqueConnection);
    m_mainWindow->setUpdateConfigs(&Application::updateConfig, &Application::feedbackConfig);
    // Qt chooses here, for the session, where the tray's messages go: the
    // panel is asked about it at the same moment. A presence set from
    // outside is no look of Qt's; the tray then asks at its own.
    bool trayPresent = false;
    if (m_trayPresent) {
        trayPresent = m_trayPresent();
    } else {
        m_trayMarkup = new TrayMessageMarkup(QDBusConnection::sessionBus(), this);
        trayPresent = m_trayMarkup->askAround(&QSystemTrayIcon::isSystemTrayAvailable);
    }
    const bool startHidden = startsHidden(arguments(), preferences->getBool(QLatin1String(PreferenceKeys::StartMinimized), false),
                                          trayPresent);
    if (startHidden) {
        finishStart();
    } else {
        m_mainWindow->show();
        new FirstPaintHook(m_mainWindow, [this] { finishStart(); });
        // A window the desktop keeps from painting (minimised, say) is
        // built all the same.
        QTimer::singleShot(FrameWaitMs, this, &Application::finishStart);
    }
    return exec();
}

void Application::abandonWork()
{
    RangeReaderThread::closeAll();
    if (m_mainWindow && m_mainWindow->syncOrchestrator())
        m_mainWindow->syncOrchestrator()->abandonForQuit();
}

void Application::finishStart()
{
    if (m_startFinished)
        return;
    m_startFinished = true;
    // Before the contents, the tray, the reminders or a sync read or write
    // an event: the frame painted shows none, and the event loop takes no
    // input until they are pinned.
    m_appState->pinFloatingTimes();
    // Before anything that draws icons is built.
    loadFirstAssets();
    if (m_mainWindow->isVisible()) {
        connect(m_mainWindow, &MainWindow::built, this, &Application::startServices, Qt::SingleShotConnection);
        // The fonts took a turn of their own.
        QTimer::singleShot(1, Qt::PreciseTimer, m_mainWindow, &MainWindow::buildInSteps);
    } else {
        m_mainWindow->build();
        startServices();
    }
}

void Application::startServices()
{
    deferFontsUntilShown();

    connectSingleInstance();
    dispatchPendingCommand();

    // The tray and the reminders lead into the window, so they come after it.
    m_trayManager = new TrayManager(m_appState, m_mainWindow, this);
    connect(m_trayManager, &TrayManager::syncNowRequested, m_mainWindow, &MainWindow::syncAll, Qt::DirectConnection);
    m_trayManager->setup(m_trayMarkup);
    m_mainWindow->setTrayIcon(m_trayManager->trayIcon());
    m_notifier = new DesktopNotifier(m_trayManager->trayIcon(), m_trayManager->messageMarkup(), this);
    m_notificationService = new NotificationService(m_appState->database(), m_appState->events(),
                                                    m_appState->preferences(), m_notifier, this);
    m_notificationService->start();
    m_mainWindow->setNotificationService(m_notificationService);
    connect(m_notificationService, &NotificationService::reminderClicked, m_mainWindow, &MainWindow::focusOnEvent);
    connect(m_notificationService, &NotificationService::taskReminderClicked, m_mainWindow, &MainWindow::focusOnTask);

    QTimer::singleShot(1500, this, &Application::startUpdateCheck);
    noticeUnencryptedSecrets();
    // The file association is written at each start and waits for the disk
    // to keep it: beside the window, once it is up.
    QThreadPool::globalInstance()->start([] { registerIcsFileAssociation(); });
}

void Application::noticeUnencryptedSecrets()
{
    // Only the fallback is news to the user; a file store asked for by name
    // (CALENDAR_SECRET_STORE) is not.
    if (CredentialBackend::selected() != CredentialBackend::Kind::SecretService)
        return;
    auto *notice = new UnencryptedSecretsNotice(m_mainWindow, m_appState->preferences(), m_mainWindow);
    notice->watch(SecretServiceCache::instance(), [this] { return secretsKept(); });
}

bool Application::secretsKept() const
{
    const std::unique_ptr<TindAccount::TokenStore> store = TindAccount::TokenStore::create(applicationServiceId());
    if (!store)
        return false;
    QStringList keys{QLatin1String(TindAccount::AccessTokenKey), QLatin1String(TindAccount::RefreshTokenKey)};
    for (const Account &account : m_appState->accounts()->getAll()) {
        keys << caldavPasswordKey(account.id) << QLatin1String(TindAccount::GoogleTokensKeyPrefix) + account.id
             << QLatin1String(TindAccount::MicrosoftTokensKeyPrefix) + account.id;
    }
    return std::any_of(keys.cbegin(), keys.cend(),
                       [&store](const QString &key) { return store->read(key).has_value(); });
}

void Application::showDatabaseError()
{
    showStartError(tr("Database Error"), tr("Failed to initialize the database.\n\nData directory: %1\n\n"
                                            "Please check file permissions and try again.")
                                             .arg(dataDirectory()));
}

void Application::showDataFolderInUse()
{
    showStartError(tr("Calendar Already Running"),
                   tr("Tindlebrook Calendar is already running on this data folder and did not respond.\n\n"
                      "Data directory: %1\n\nClose the running calendar, or wait for it to respond, and try again.")
                       .arg(dataDirectory()));
}

void Application::showDataFolderUnwritable()
{
    showStartError(tr("Data Folder Not Writable"),
                   tr("Tindlebrook Calendar cannot write to its data folder.\n\n"
                      "Data directory: %1\n\nMake the folder writable for your user and try again.")
                       .arg(dataDirectory()));
}

void Application::showDataFolderOfAnotherComputer(const QString &lockPath, const QString &host)
{
    showStartError(tr("Data Folder Used by Another Computer"),
                   tr("The data folder is in use by Tindlebrook Calendar on another computer (%1).\n\n"
                      "Lock file: %2\n\nClose the calendar on that computer and try again. If it is not running "
                      "there (for example, the folder was copied from that computer), delete the lock file and "
                      "start again.")
                       .arg(host, lockPath));
}

void Application::showStartError(const QString &title, const QString &text)
{
    qCritical().noquote() << text;
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
    // The folder's name is the user's (or the environment's), not markup.
    box.setTextFormat(Qt::PlainText);
    // Without anyone at the screen (a headless or scripted session) the box
    // is answered at once, so the process still ends.
    if (!qEnvironmentVariableIsEmpty("CALENDAR_NONINTERACTIVE"))
        QTimer::singleShot(0, &box, &QMessageBox::accept);
    box.exec();
}

void Application::connectSingleInstance()
{
    if (!m_singleInstance)
        return;
    MainWindow *window = m_mainWindow;
    connect(m_singleInstance, &SingleInstance::focusRequested, window, &MainWindow::focusWindow, Qt::QueuedConnection);
    connect(m_singleInstance, &SingleInstance::showTodayRequested, window, &MainWindow::showToday,
            Qt::QueuedConnection);
    connect(
        m_singleInstance, &SingleInstance::newEventRequested, window,
        [window] {
            window->focusWindow();
            window->openNewEventDialog();
        },
        Qt::QueuedConnection);
    connect(m_singleInstance, &SingleInstance::quickAddRequested, window, &MainWindow::quickAddFromCommand,
            Qt::QueuedConnection);
    connect(m_singleInstance, &SingleInstance::openIcsRequested, window, &MainWindow::importIcsFromCommand,
            Qt::QueuedConnection);
}

void Application::dispatchPendingCommand()
{
    if (m_pendingCommand.isEmpty() || !m_singleInstance)
        return;
    const QString cmd = QJsonDocument::fromJson(m_pendingCommand).object().value(QStringLiteral("cmd")).toString();
    if (cmd == QLatin1String("focus"))
        return;
    SingleInstance *channel = m_singleInstance;
    const QByteArray command = m_pendingCommand;
    QTimer::singleShot(0, channel, [channel, command] {
        QMetaObject::invokeMethod(channel, "dispatchCommand", Qt::QueuedConnection, Q_ARG(QByteArray, command));
    });
}

void Application::startUpdateCheck()
{
    if (m_updateCheckStarted)
        return;
    m_updateCheckStarted = true;
    m_mainWindow->showWhatsNewAfterUpgrade();
    auto *client = new TindUpdate::Client(updateConfig(), this);
    MainWindow *window = m_mainWindow;
    connect(client, &TindUpdate::Client::updateAvailable, window, [window](const TindUpdate::Artifact &artifact) {
        auto *dialog = new TindUpdate::UpdateDialog(artifact, QString::fromLatin1(ProgramVersion),
                                                    QStringLiteral("Tindlebrook Calendar"), window);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
    });
    connect(client, &TindUpdate::Client::checkFailed, this,
            [](const QString &reason) { qWarning().noquote() << "update check failed:" << reason; });
    client->check();
}
