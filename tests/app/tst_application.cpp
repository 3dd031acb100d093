#include "app/application.h"
#include "app/appstate.h"
#include "app/platform/singleinstance.h"
#include "app/theme/theme.h"
#include "app/version.h"
#include "store/preferencesrepository.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/tempdatadir.h"
#include "ui/mainwindow.h"
#include "update/updatedialog.h"

#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

namespace {

// Stands in for the desktop's tray: answers as told and counts the questions.
struct RecordingTray
{
    bool present = false;
    int asked = 0;

    std::function<bool()> presence()
    {
        return [this] {
            ++asked;
            return present;
        };
    }
};

} // namespace

// The application object is the process's one QApplication, so this test
// builds it itself and runs the start-up once.
class TestApplication : public QObject
{
    Q_OBJECT

public:
    explicit TestApplication(Application *app)
        : m_app(app)
    {
    }

private Q_SLOTS:
    void cleanup()
    {
        QSettings().remove(QStringLiteral("ui/language"));
        QLocale::setDefault(QLocale::c());
    }

    // Icons drawn from the icon font when a dialog is built (the welcome's
    // "Add Account…") need the font before any window: it comes with the
    // application object, not once the main window has painted.
    void iconFontIsThereBeforeAnyWindow()
    {
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        const QFont icons(Theme::fontFamily());
        QCOMPARE(QFontInfo(icons).family(), QStringLiteral("Material Icons"));
        QVERIFY(QFontMetrics(icons).inFont(QChar(0xE145)));
    }

    void identityIconAndFonts()
    {
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Tindlebrook"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Calendar"));
        QCOMPARE(QCoreApplication::applicationVersion(), QString::fromLatin1(ProgramVersion));
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
        QVERIFY(!QGuiApplication::windowIcon().isNull());
        QCOMPARE(QApplication::font().family(), QStringLiteral("IBM Plex Sans"));
        QCOMPARE(QApplication::font().pointSize(), 11);
        QCOMPARE(Theme::fontFamily(), QStringLiteral("Material Icons"));
        QCOMPARE(Application::reminderOffsetChoices(), (QList<int>{0, 5, 10, 15, 30, 60, 120, 1440}));
        QCOMPARE(Application::supportedLanguages(), (QStringList{"en", "es", "de", "fr", "ja"}));
    }

    void languageComesFromTheSettingOrTheLocale_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German system") << QString() << "de_DE" << "de";
        QTest::newRow("Brazilian system") << QString() << "pt_BR" << "en";
        QTest::newRow("Japanese system") << QString() << "ja_JP" << "ja";
        QTest::newRow("system spelled out") << "system" << "es_ES" << "es";
        QTest::newRow("stored French wins") << "fr" << "de_DE" << "fr";
        QTest::newRow("stored unsupported kept") << "it" << "de_DE" << "it";
    }

    void languageComesFromTheSettingOrTheLocale()
    {
        QFETCH(QString, stored);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        if (!stored.isEmpty())
            QSettings().setValue(QStringLiteral("ui/language"), stored);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(Application::resolveLanguage(), expected);
    }

    void catalogueOfTheLanguageIsInstalled_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("appCatalogue");
        QTest::addColumn<QString>("databaseError");
        QTest::newRow("German") << "de" << true << "Datenbankfehler";
        QTest::newRow("Spanish") << "es" << true << "Error de base de datos";
        QTest::newRow("French") << "fr" << true << "Erreur de base de données";
        QTest::newRow("Japanese") << "ja" << true << "データベースエラー";
        QTest::newRow("English") << "en" << true << "Database Error";
        QTest::newRow("no catalogue") << "it" << false << "Database Error";
    }

    void catalogueOfTheLanguageIsInstalled()
    {
        QFETCH(QString, language);
        QFETCH(bool, appCatalogue);
        QFETCH(QString, databaseError);
        QSettings().setValue(QStringLiteral("ui/language"), language);
        m_app->loadTranslations();
        QCOMPARE(m_app->appTranslator() != nullptr, appCatalogue);
        if (language == QLatin1String("en"))
            QVERIFY(!m_app->qtTranslator());
        QCOMPARE(QCoreApplication::translate("Application", "Database Error"), databaseError);

        QSettings().setValue(QStringLiteral("ui/language"), QStringLiteral("en"));
        m_app->loadTranslations();
        QCOMPARE(QCoreApplication::translate("Application", "Database Error"), QStringLiteral("Database Error"));
    }

    void updateAndFeedbackConfiguration()
    {
        const QByteArray override = qgetenv("CALENDAR_UPDATE_MANIFEST_URL");
        qunsetenv("CALENDAR_UPDATE_MANIFEST_URL");
        const TindUpdate::Client::Config config = Application::updateConfig();
        qputenv("CALENDAR_UPDATE_MANIFEST_URL", override);
        QCOMPARE(config.app, QStringLiteral("calendar"));
        QCOMPARE(config.channel, QStringLiteral("stable"));
        QCOMPARE(config.currentVersion, QString::fromLatin1(ProgramVersion));
        QCOMPARE(config.manifestBaseUrl.scheme(), QStringLiteral("https"));
        QCOMPARE(config.manifestBaseUrl.path(), QStringLiteral("/calendar/stable/"));
        const FeedbackConfig feedback = Application::feedbackConfig();
        QCOMPARE(feedback.app, QStringLiteral("calendar"));
        QCOMPARE(feedback.baseUrl.scheme(), QStringLiteral("https"));
        QVERIFY(feedback.baseUrl.path().isEmpty());
    }

    // "--background" (the autostart entry) or the preference hide the
    // window only where a tray icon can bring it back.
    void hiddenStartWithoutATrayShowsTheWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("startMinimized");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("hidden");
        const QStringList background{"tindlebrook-calendar", "--background"};
        const QStringList plain{"tindlebrook-calendar"};
        QTest::newRow("background, tray") << background << false << true << true;
        QTest::newRow("background, no tray") << background << false << false << false;
        QTest::newRow("preference, tray") << plain << true << true << true;
        QTest::newRow("preference, no tray") << plain << true << false << false;
        QTest::newRow("plain start, tray") << plain << false << true << false;
        QTest::newRow("flag in capitals") << QStringList{"tindlebrook-calendar", "--BACKGROUND"} << false << true << false;
    }

    void hiddenStartWithoutATrayShowsTheWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, startMinimized);
        QFETCH(bool, tray);
        QFETCH(bool, hidden);
        RecordingTray desktop;
        desktop.present = tray;
        QCOMPARE(Application::startsHidden(arguments, startMinimized, desktop.presence()()), hidden);
    }

    void startUpShowsForwardedCommandAfterTheShowingRuleAndChecksForUpdates()
    {
        // A newer release waits on the local download service.
        LocalHttpServer server;
        QVERIFY(server.listen());
        const QJsonObject artifact{{"version", "9.0.0"},
                                   {"released_at", "2026-03-01T10:00:00Z"},
                                   {"url", "https://downloads.example.test/setup"},
                                   {"size", 100},
                                   {"sha256", QString(64, QLatin1Char('b'))}};
        const QJsonObject manifest{{"schema", 1},
                                   {"app", "calendar"},
                                   {"channel", "stable"},
                                   {"artifacts", QJsonObject{{"linux-x64", artifact}, {"windows-x64", artifact}}}};
        server.setHandler([&](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            reply.body = QJsonDocument(manifest).toJson();
            return reply;
        });
        qputenv("CALENDAR_UPDATE_MANIFEST_URL", server.url("/calendar/stable/").toString().toUtf8());

        // The window is to start hidden; the forwarded show-today still shows it.
        {
            AppState before;
            QVERIFY(before.initialize());
            before.preferences()->setBool("ui/startMinimized", true);
        }
        // The desktop has a tray to start hidden in.
        RecordingTray desktop;
        desktop.present = true;
        m_app->setTrayPresence(desktop.presence());
        SingleInstance channel;
        m_app->setSingleInstance(&channel);
        m_app->setPendingCommand(SingleInstance::buildCommand({"tindlebrook-calendar", "--show-today"}));

        bool shownAfterStart = true;
        bool shownLater = false;
        bool dialogShown = false;
        QTimer::singleShot(0, m_app, [&] { shownAfterStart = m_app->mainWindow()->isVisible(); });
        bool fontsLoaded = false;
        // Waits for what the start-up does after the window is up, however
        // slow the machine, rather than for a fixed time.
        QElapsedTimer waited;
        waited.start();
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, m_app, [&] {
            shownLater = shownLater || m_app->mainWindow()->isVisible();
            dialogShown = dialogShown || m_app->mainWindow()->findChild<TindUpdate::UpdateDialog *>() != nullptr;
            fontsLoaded = QFontDatabase::families().contains(QStringLiteral("Material Icons"));
            if ((shownLater && dialogShown && fontsLoaded) || waited.hasExpired(30000))
                QCoreApplication::quit();
        });
        QTimer::singleShot(0, &poll, qOverload<>(&QTimer::start));
        QCOMPARE(m_app->run(), 0);
        QCOMPARE(desktop.asked, 1);
        QVERIFY(!shownAfterStart);
        QVERIFY(shownLater);
        QVERIFY(dialogShown);
        QCOMPARE(server.requests().size(), 1);
        QCOMPARE(m_app->appState()->currentDate(), QDate::currentDate());
        // The fonts the first window does not need arrive once it is up.
        QVERIFY(fontsLoaded);
        QVERIFY(m_app->appState()->preferences()->getBool("sync/accountsDedupedV3", false));
    }

private:
    Application *m_app;
};

int main(int argc, char **argv)
{
    TempDataDir dir;
    qputenv("CALENDAR_UPDATE_MANIFEST_URL", "http://127.0.0.1:9/");
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    // A headless start: the first-launch welcome answers itself.
    qputenv("CALENDAR_NONINTERACTIVE", "1");
    Application app(argc, argv);
    TestApplication test(&app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
