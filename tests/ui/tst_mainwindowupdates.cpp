#include "app/appstate.h"
#include "store/preferencesrepository.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/recordingurlopener.h"
#include "tests/support/widgetfixture.h"
#include "ui/mainwindow.h"
#include "update/updatedialog.h"
#include "update/updatemanifest.h"
#include "update/whatsnewdialog.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace {

QAction *helpAction(const QMenuBar *bar, const QString &text)
{
    for (const QAction *menu : bar->actions()) {
        if (menu->text() != QLatin1String("&Help"))
            continue;
        for (QAction *action : menu->menu()->actions()) {
            if (action->text() == text)
                return action;
        }
    }
    return nullptr;
}

QByteArray manifestOffering(const QString &version)
{
    const QJsonObject artifact{{"version", version},
                               {"released_at", "2026-03-01T10:00:00Z"},
                               {"url", "https://downloads.example.test/setup.exe"},
                               {"size", 1234567},
                               {"sha256", QString(64, QLatin1Char('a'))}};
    const QJsonObject root{{"schema", 1},
                           {"app", "calendar"},
                           {"channel", "stable"},
                           {"artifacts", QJsonObject{{UpdateManifest::platformKey(), artifact}}}};
    return QJsonDocument(root).toJson();
}

} // namespace

// The Help menu's updater entries and the release notes after an upgrade,
// against a local release server.
class TestMainWindowUpdates : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<LocalHttpServer> m_server;
    QMap<QByteArray, QByteArray> m_files;
    QString m_version = QStringLiteral("1.3.5");

    void configure(MainWindow &window)
    {
        window.setUpdateConfigs(
            [this] {
                TindUpdate::Client::Config config{"calendar", "stable", m_server->url("/calendar/stable/"), m_version};
                config.notesLanguage = QStringLiteral("en");
                return config;
            },
            [] { return FeedbackConfig{QStringLiteral("calendar"), QUrl(QStringLiteral("https://feedback.example.test"))}; });
    }

    int notesRequests() const
    {
        int count = 0;
        for (const LocalHttpServer::Request &request : m_server->requests())
            count += request.target.endsWith("release-notes.md") ? 1 : 0;
        return count;
    }

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        m_server = std::make_unique<LocalHttpServer>();
        QVERIFY(m_server->listen());
        m_files.clear();
        m_version = QStringLiteral("1.3.5");
        m_server->setHandler([this](const LocalHttpServer::Request &request) {
            LocalHttpServer::Reply reply;
            reply.status = m_files.contains(request.target) ? 200 : 404;
            reply.body = m_files.value(request.target);
            return reply;
        });
    }

    void cleanup()
    {
        m_server.reset();
        m_fixture.reset();
    }

    void checkForUpdatesOpensTheUpdateDialog()
    {
        m_files.insert("/calendar/stable/latest.json", manifestOffering(QStringLiteral("1.4.0")));
        MainWindow window(m_fixture->state());
        configure(window);
        window.show();
        helpAction(window.menuBar(), QStringLiteral("Check for &Updates…"))->trigger();
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Checking for updates…"));
        QTRY_VERIFY(window.findChild<TindUpdate::UpdateDialog *>());
        QVERIFY(window.findChild<TindUpdate::UpdateDialog *>()->isVisible());
        QCOMPARE(window.statusBar()->currentMessage(), QString());
    }

    void checkForUpdatesTellsWhenUpToDate()
    {
        m_files.insert("/calendar/stable/latest.json", manifestOffering(QStringLiteral("1.3.5")));
        MainWindow window(m_fixture->state());
        configure(window);
        helpAction(window.menuBar(), QStringLiteral("Check for &Updates…"))->trigger();
        QTRY_COMPARE(window.statusBar()->currentMessage(),
                     QStringLiteral("Tindlebrook Calendar is up to date (version 1.3.5)"));
        QVERIFY(!window.findChild<TindUpdate::UpdateDialog *>());
    }

    void feedbackOpensThePortalWithTheProductTag()
    {
        MainWindow window(m_fixture->state());
        configure(window);
        RecordingUrlOpener opener;
        window.setUrlOpener(&opener);
        helpAction(window.menuBar(), QStringLiteral("Send &Feedback…"))->trigger();
        QCOMPARE(opener.opened, QList<QUrl>{QUrl(QStringLiteral("https://feedback.example.test/?tags=calendar"))});
    }

    // No browser opened: the address is shown to copy, not dropped.
    void feedbackWithoutABrowserShowsTheAddressToCopy()
    {
        MainWindow window(m_fixture->state());
        configure(window);
        RecordingUrlOpener opener;
        opener.result = false;
        window.setUrlOpener(&opener);
        QString shown;
        QString copied;
        ModalAnswerer answerer;
        answerer.answer([&](QWidget *dialog) {
            shown = dialog->findChild<QLineEdit *>(QStringLiteral("address"))->text();
            dialog->findChild<QPushButton *>(QStringLiteral("copyAddress"))->click();
            copied = QGuiApplication::clipboard()->text();
            qobject_cast<QDialog *>(dialog)->reject();
        });
        helpAction(window.menuBar(), QStringLiteral("Send &Feedback…"))->trigger();
        QCOMPARE(answerer.seen(), QStringList{QStringLiteral("AddressDialog No browser opened")});
        QCOMPARE(shown, QStringLiteral("https://feedback.example.test/?tags=calendar"));
        QCOMPARE(copied, shown);
    }

    void whatsNewShowsOnceAfterAnUpgrade()
    {
        m_files.insert("/calendar/1.3.5/release-notes.md", "# 1.3.5\n\nDetached agenda window.");
        PreferencesRepository *preferences = m_fixture->state()->preferences();
        QVERIFY(preferences->set(QStringLiteral("update/lastRunVersion"), QStringLiteral("1.3.4")));
        MainWindow window(m_fixture->state());
        configure(window);

        // A window started hidden waits for a start that shows it.
        QVERIFY(!window.showWhatsNewAfterUpgrade());
        QCOMPARE(preferences->getString(QStringLiteral("update/lastRunVersion")), QStringLiteral("1.3.4"));

        window.show();
        QVERIFY(window.showWhatsNewAfterUpgrade());
        QTRY_VERIFY(window.findChild<TindUpdate::WhatsNewDialog *>());
        QCOMPARE(window.findChild<TindUpdate::WhatsNewDialog *>()->windowTitle(),
                 QStringLiteral("What's New in Tindlebrook Calendar 1.3.5"));
        QCOMPARE(preferences->getString(QStringLiteral("update/lastRunVersion")), QStringLiteral("1.3.5"));

        // The next start of the same version shows nothing.
        MainWindow again(m_fixture->state());
        configure(again);
        again.show();
        QVERIFY(!again.showWhatsNewAfterUpgrade());
        QCOMPARE(notesRequests(), 1);
    }

    void whatsNewNotShownOnFirstInstallOrDowngrade_data()
    {
        QTest::addColumn<QString>("lastRun");
        QTest::newRow("first install") << "";
        QTest::newRow("downgrade") << "1.4.0";
    }

    void whatsNewNotShownOnFirstInstallOrDowngrade()
    {
        QFETCH(QString, lastRun);
        m_files.insert("/calendar/1.3.5/release-notes.md", "# 1.3.5");
        PreferencesRepository *preferences = m_fixture->state()->preferences();
        if (!lastRun.isEmpty())
            QVERIFY(preferences->set(QStringLiteral("update/lastRunVersion"), lastRun));
        MainWindow window(m_fixture->state());
        configure(window);
        window.show();
        QVERIFY(!window.showWhatsNewAfterUpgrade());
        QCOMPARE(preferences->getString(QStringLiteral("update/lastRunVersion")), QStringLiteral("1.3.5"));
        QTest::qWait(50);
        QCOMPARE(notesRequests(), 0);
    }
};

QTEST_MAIN(TestMainWindowUpdates)
#include "tst_mainwindowupdates.moc"
