#include "app/application.h"
#include "app/appstate.h"
#include "app/platform/singleinstance.h"
#include "app/theme/theme.h"
#include "app/version.h"
#include "calendar/taskmarks.h"
#include "calendar/timeformat.h"
#include "store/preferencesrepository.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/programstart.h"
#include "ui/mainwindow.h"
#include "update/updatedialog.h"
#include "views/area/viewmodes.h"

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

    // The program's date patterns stay as they are; the names in them and
    // the AM/PM marker come in the interface's language, and English is the
    // American English it has always been, whatever the desktop's locale.
    void datesFollowTheInterfaceLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("monthTitle");
        QTest::addColumn<QString>("weekTitle");
        QTest::addColumn<QString>("dayTitle");
        QTest::addColumn<QString>("dueDay");
        QTest::addColumn<QString>("time");
        QTest::newRow("German") << "de" << "Dezember 2026" << "Dez. 28 – Jan. 3, 2027" << "Montag, Dezember 7, 2026"
                                << "Dez. 21, 2031" << "2:05 PM";
        QTest::newRow("Japanese") << "ja" << "12月 2026" << "12月 28 – 1月 3, 2027" << "月曜日, 12月 7, 2026"
                                  << "12月 21, 2031" << "2:05 午後";
        QTest::newRow("Spanish") << "es" << "diciembre 2026" << "dic 28 – ene 3, 2027" << "lunes, diciembre 7, 2026"
                                 << "dic 21, 2031" << "2:05 P.\u00A0M.";
        QTest::newRow("French") << "fr" << "décembre 2026" << "déc. 28 – janv. 3, 2027"
                                << "lundi, décembre 7, 2026" << "déc. 21, 2031" << "2:05 PM";
        QTest::newRow("English") << "en" << "December 2026" << "Dec 28 – Jan 3, 2027" << "Monday, December 7, 2026"
                                 << "Dec 21, 2031" << "2:05 PM";
        QTest::newRow("no catalogue") << "it" << "December 2026" << "Dec 28 – Jan 3, 2027"
                                      << "Monday, December 7, 2026" << "Dec 21, 2031" << "2:05 PM";
    }

    void datesFollowTheInterfaceLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, monthTitle);
        QFETCH(QString, weekTitle);
        QFETCH(QString, dayTitle);
        QFETCH(QString, dueDay);
        QFETCH(QString, time);
        // A desktop in another language than the interface's.
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QSettings().setValue(QStringLiteral("ui/language"), language);
        m_app->loadTranslations();

        const QDate day(2026, 12, 7);
        const QDate notToday(2020, 1, 1);
        QCOMPARE(ViewModes::title(QStringLiteral("month"), day, Qt::Monday, 7, notToday, QString()), monthTitle);
        QCOMPARE(ViewModes::title(QStringLiteral("week"), QDate(2026, 12, 30), Qt::Monday, 7, notToday, QString()),
                 weekTitle);
        QCOMPARE(ViewModes::title(QStringLiteral("day"), day, Qt::Monday, 7, notToday, QString()), dayTitle);
        QCOMPARE(formatRelativeDay(QDate(2031, 12, 21)), dueDay);
        QCOMPARE(TimeFormat::formatTimeWith(QDateTime(day, QTime(14, 5)), false), time);
        QCOMPARE(TimeFormat::formatTimeWith(QDateTime(day, QTime(14, 5)), true), QStringLiteral("14:05"));

        QSettings().setValue(QStringLiteral("ui/language"), QStringLiteral("en"));
        m_app->loadTranslations();
        QCOMPARE(ViewModes::title(QStringLiteral("month"), day, Qt::Monday, 7, notToday, QString()),
                 QStringLiteral("December 2026"));
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
            QVERIFY(before.preferences()->setBool("ui/startMinimized", true));
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
    ProgramStart start;
    Application app(argc, argv);
    TestApplication test(&app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
