#pragma once

#include "update/client.h"
#include "update/feedbackconfig.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class AppState;
class MainWindow;
class NotificationService;
class Notifier;
class QTranslator;
class SingleInstance;
class TrayManager;
class TrayMessageMarkup;

// The program's application object: names, version, language, icon and
// fonts, and the start-up sequence that builds the long-lived objects in
// their fixed order.
class Application : public QApplication
{
    Q_OBJECT
public:
    // The program's own start shows its window's frame before the fonts and
    // the window icon are read (they take longer than the frame); they come
    // before the window's contents. Everything else that builds windows from
    // an application object has them from the start.
    enum class Assets { WithTheApplication, AfterTheFirstFrame };
    Application(int &argc, char **argv, Assets assets = Assets::WithTheApplication);
    ~Application() override;

    // The start-up sequence and the event loop: the loop's result, or 1 when
    // the database cannot be initialised.
    int run();

    // Tells the user that another running instance uses the data folder and
    // could not be reached, so this one does not start.
    void showDataFolderInUse();
    // Tells the user that the data folder cannot be written, so this one
    // does not start.
    void showDataFolderUnwritable();
    // Tells the user that a lock in the data folder names a program on
    // another computer (`host`), so this one does not start, and how to go
    // on: the lock file at `lockPath` is theirs to remove.
    void showDataFolderOfAnotherComputer(const QString &lockPath, const QString &host);

    // Set by main when this process became the first instance.
    void setSingleInstance(SingleInstance *channel) { m_singleInstance = channel; }
    void setPendingCommand(const QByteArray &command) { m_pendingCommand = command; }

    static QString resolveLanguage();
    static QStringList supportedLanguages();
    // Installs the catalogues of the chosen language and the font fallback
    // its script needs.
    void loadTranslations();
    static TindUpdate::Client::Config updateConfig();
    static FeedbackConfig feedbackConfig();
    void startUpdateCheck();

    // Whether the main window starts hidden: "--background" or the
    // preference asks for it, and only a tray icon could bring it back, so
    // without a tray the window is shown.
    static bool startsHidden(const QStringList &arguments, bool startMinimized, bool trayPresent);
    // Whether the desktop has a tray; QSystemTrayIcon's answer until set.
    void setTrayPresence(std::function<bool()> present) { m_trayPresent = std::move(present); }

    // The minute offsets the template editor offers for reminders.
    static const QList<int> &reminderOffsetChoices();

    AppState *appState() const { return m_appState; }
    MainWindow *mainWindow() const { return m_mainWindow; }
    QTranslator *qtTranslator() const { return m_qtTranslator; }
    QTranslator *appTranslator() const { return m_appTranslator; }

private:
    static void preferGlyphsOf(const QString &language);
    void noticeUnencryptedSecrets();
    // Whether a password or sign-in of the user's is kept already.
    bool secretsKept() const;
    // The text and icon fonts the window's contents and the first dialog
    // need; the others once the window is shown.
    void loadFirstFonts();
    // The window icon and the first fonts; once.
    void loadFirstAssets();
    void loadDeferredFonts();
    void deferFontsUntilShown();
    void showDatabaseError();
    void showStartError(const QString &title, const QString &text);
    void connectSingleInstance();
    void dispatchPendingCommand();
    // The window's contents, the tray and the reminders: after the frame's
    // first paint, or at once when the window starts hidden.
    void finishStart();
    // The tray, the reminders and the command channel, once the window's
    // contents exist.
    void startServices();
    // Quitting: the store's reads under way stop at once, pulls being written
    // are rolled back and requests still out are aborted.
    void abandonWork();

    AppState *m_appState = nullptr;
    MainWindow *m_mainWindow = nullptr;
    TrayManager *m_trayManager = nullptr;
    // Asked with the first look for a tray, when Qt chose how the icon
    // shows messages; the tray takes its answer.
    TrayMessageMarkup *m_trayMarkup = nullptr;
    Notifier *m_notifier = nullptr;
    NotificationService *m_notificationService = nullptr;
    SingleInstance *m_singleInstance = nullptr;
    QByteArray m_pendingCommand;
    QTranslator *m_qtTranslator = nullptr;
    QTranslator *m_appTranslator = nullptr;
    bool m_updateCheckStarted = false;
    bool m_startFinished = false;
    bool m_firstAssetsLoaded = false;
    bool m_deferredFontsLoaded = false;
    std::function<bool()> m_trayPresent;
};
