#include "tests/support/localhttpserver.h"
#include "tests/support/recordingurlopener.h"
#include "update/feedbackportal.h"
#include "update/notesbrowser.h"
#include "update/releasenotesfetcher.h"
#include "update/updatedialog.h"
#include "update/updateui.h"
#include "update/updatemanifest.h"
#include "update/whatsnewdialog.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMap>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

namespace {

const char AppName[] = "Tindlebrook Calendar";

// Files served by path; anything else is 404.
class ReleaseServer
{
public:
    ReleaseServer()
    {
        m_server.setHandler([this](const LocalHttpServer::Request &request) {
            LocalHttpServer::Reply reply;
            if (m_hang) {
                reply.hang = true;
                return reply;
            }
            const auto found = m_files.constFind(request.target);
            if (found == m_files.constEnd()) {
                reply.status = 404;
                reply.body = "not found";
            } else {
                reply.body = found.value();
            }
            return reply;
        });
    }

    bool listen() { return m_server.listen(); }
    void put(const QByteArray &path, const QByteArray &body) { m_files.insert(path, body); }
    void setHang(bool hang) { m_hang = hang; }
    QUrl url(const QString &path) const { return m_server.url(path); }
    QStringList requested() const
    {
        QStringList paths;
        for (const LocalHttpServer::Request &request : m_server.requests())
            paths << QString::fromLatin1(request.target);
        return paths;
    }

    TindUpdate::Client::Config config(const QString &language = QStringLiteral("en")) const
    {
        TindUpdate::Client::Config config{"calendar", "stable", url("/calendar/stable/"), "1.3.5"};
        config.notesLanguage = language;
        config.timeoutMs = 2000;
        return config;
    }

    // A manifest offering `version` for this platform.
    void offer(const QString &version, bool withNotes, bool mandatory = false)
    {
        QJsonObject artifact{{"version", version},
                             {"released_at", "2026-03-01T10:00:00Z"},
                             {"url", "https://downloads.example.test/calendar/" + version + "/setup.exe"},
                             {"size", 1234567},
                             {"sha256", QString(64, QLatin1Char('a'))},
                             {"mandatory", mandatory}};
        if (withNotes)
            artifact["release_notes_url"] = url("/calendar/" + version + "/release-notes.md").toString();
        const QJsonObject root{{"schema", 1},
                               {"app", "calendar"},
                               {"channel", "stable"},
                               {"artifacts", QJsonObject{{UpdateManifest::platformKey(), artifact}}}};
        put("/calendar/stable/latest.json", QJsonDocument(root).toJson());
    }

private:
    LocalHttpServer m_server;
    QMap<QByteArray, QByteArray> m_files;
    bool m_hang = false;
};

// What the flows told the status bar, in order.
struct StatusLog
{
    QStringList lines;

    UpdateUi::StatusHooks hooks()
    {
        UpdateUi::StatusHooks hooks;
        hooks.showMessage = [this](const QString &text) { lines << "show " + text; };
        hooks.clearMessage = [this] { lines << QStringLiteral("clear"); };
        hooks.showTimedMessage = [this](const QString &text, int ms) {
            lines << QStringLiteral("show %1 for %2").arg(text).arg(ms);
        };
        return hooks;
    }
};

QStringList buttonTexts(const QWidget *dialog)
{
    QStringList texts;
    for (const QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
        texts << button->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}

} // namespace

class TestUpdateUi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void notesUrlSitsBesideTheChannel_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("expected");
        QTest::newRow("channel directory") << "https://dl.example.test/calendar/stable/"
                                           << "https://dl.example.test/calendar/1.3.5/release-notes.md";
        QTest::newRow("without slash") << "https://dl.example.test/calendar/stable"
                                       << "https://dl.example.test/calendar/1.3.5/release-notes.md";
        QTest::newRow("bare host") << "https://dl.example.test" << "https://dl.example.test/1.3.5/release-notes.md";
        QTest::newRow("query kept") << "http://127.0.0.1:8080/c/s/?k=v" << "http://127.0.0.1:8080/c/1.3.5/release-notes.md?k=v";
    }

    void notesUrlSitsBesideTheChannel()
    {
        QFETCH(QString, base);
        QFETCH(QString, expected);
        const TindUpdate::Client::Config config{"calendar", "stable", QUrl(base), "1.3.5"};
        QCOMPARE(TindUpdate::ReleaseNotesFetcher::notesUrlFor(config).toString(), expected);
    }

    void localizedNotesNameTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("expected");
        const QString md = QStringLiteral("https://dl.example.test/calendar/1.3.5/release-notes.md");
        QTest::newRow("german") << "de" << md << "https://dl.example.test/calendar/1.3.5/release-notes.de.md";
        QTest::newRow("locale name") << "de_DE" << md << "https://dl.example.test/calendar/1.3.5/release-notes.de.md";
        QTest::newRow("english has none") << "en" << md << "";
        QTest::newRow("no language has none") << "" << md << "";
        QTest::newRow("posix locale") << "C" << md << "https://dl.example.test/calendar/1.3.5/release-notes.C.md";
        QTest::newRow("not markdown: unchanged") << "fr" << "https://dl.example.test/notes.txt"
                                                 << "https://dl.example.test/notes.txt";
    }

    void localizedNotesNameTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, notes);
        QFETCH(QString, expected);
        TindUpdate::ReleaseNotesFetcher fetcher(QUrl(notes), QStringLiteral("test"));
        fetcher.setLanguage(language);
        QCOMPARE(fetcher.localizedUrl(QUrl(notes)).toString(), expected);
    }

    void fetcherTriesTheLanguageFirst_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("localized"); // empty: not on the server
        QTest::addColumn<QByteArray>("base");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QStringList>("requested");
        const QString de = QStringLiteral("/calendar/1.3.5/release-notes.de.md");
        const QString en = QStringLiteral("/calendar/1.3.5/release-notes.md");
        QTest::newRow("translation found") << "de" << QByteArray("\n# Neu\n") << QByteArray("# New")
                                           << "ready # Neu" << QStringList{de};
        QTest::newRow("translation missing") << "de" << QByteArray() << QByteArray("# New\n")
                                             << "ready # New" << QStringList{de, en};
        QTest::newRow("translation blank") << "de" << QByteArray(" \n\t ") << QByteArray("# New")
                                           << "ready # New" << QStringList{de, en};
        QTest::newRow("english asks once") << "en" << QByteArray("# Neu") << QByteArray("# New")
                                           << "ready # New" << QStringList{en};
        QTest::newRow("no notes at all") << "de" << QByteArray() << QByteArray() << "unavailable"
                                         << QStringList{de, en};
        QTest::newRow("blank default notes") << "en" << QByteArray() << QByteArray("  \n") << "unavailable"
                                             << QStringList{en};
    }

    void fetcherTriesTheLanguageFirst()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, localized);
        QFETCH(QByteArray, base);
        QFETCH(QString, outcome);
        QFETCH(QStringList, requested);
        ReleaseServer server;
        QVERIFY(server.listen());
        if (!localized.isEmpty())
            server.put("/calendar/1.3.5/release-notes.de.md", localized);
        if (!base.isEmpty())
            server.put("/calendar/1.3.5/release-notes.md", base);

        TindUpdate::ReleaseNotesFetcher fetcher(server.config(language));
        QStringList outcomes;
        connect(&fetcher, &TindUpdate::ReleaseNotesFetcher::notesReady, [&](const QString &md) { outcomes << "ready " + md; });
        connect(&fetcher, &TindUpdate::ReleaseNotesFetcher::notesUnavailable, [&] { outcomes << "unavailable"; });
        fetcher.fetch();
        QTRY_COMPARE(outcomes.size(), 1);
        QCOMPARE(outcomes.first(), outcome);
        QCOMPARE(server.requested(), requested);
    }

    void fetcherGivesUpOnAHungServer()
    {
        ReleaseServer server;
        QVERIFY(server.listen());
        server.setHang(true);
        TindUpdate::Client::Config config = server.config(QStringLiteral("de"));
        config.timeoutMs = 300;
        TindUpdate::ReleaseNotesFetcher fetcher(config);
        QSignalSpy unavailable(&fetcher, &TindUpdate::ReleaseNotesFetcher::notesUnavailable);
        fetcher.fetch();
        // The translation and then the default file each time out.
        QTRY_COMPARE_WITH_TIMEOUT(unavailable.count(), 1, 20000);
        QCOMPARE(server.requested().size(), 2);
    }

    void notesShowMarkdownWithoutRawHtml()
    {
        TindUpdate::NotesBrowser browser;
        browser.showMarkdown(QStringLiteral("# Changes\n\n- **Faster** sync\n\n<b>bold</b> <img src=\"file:///etc/passwd\">\n"));
        const QString text = browser.document()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("Faster sync")), qPrintable(text));
        // The tags stay text: nothing is bolded, nothing is loaded.
        QVERIFY2(text.contains(QStringLiteral("<b>bold</b>")), qPrintable(text));
        QVERIFY2(!browser.document()->toHtml().contains(QStringLiteral("<img")), qPrintable(browser.document()->toHtml()));
    }

    void notesOpenOnlyWebLinks_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("opened");
        QTest::newRow("https") << "https://tindlebrook.example.test/blog" << true;
        QTest::newRow("http") << "http://tindlebrook.example.test/blog" << true;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("mail") << "mailto:someone@example.test" << false;
        QTest::newRow("script") << "javascript:alert(1)" << false;
        QTest::newRow("program") << "ms-settings:windowsupdate" << false;
        QTest::newRow("relative") << "other.md" << false;
    }

    void notesOpenOnlyWebLinks()
    {
        QFETCH(QString, link);
        QFETCH(bool, opened);
        RecordingUrlOpener opener;
        TindUpdate::WhatsNewDialog dialog(QStringLiteral("[read more](%1)").arg(link), "1.3.5", "1.3.5", AppName);
        dialog.setUrlOpener(&opener);
        TindUpdate::NotesBrowser *browser = dialog.notesBrowser();
        QVERIFY(!browser->openExternalLinks());
        QVERIFY(!browser->openLinks());
        Q_EMIT browser->anchorClicked(QUrl(link));
        QCOMPARE(opener.opened, opened ? QList<QUrl>{QUrl(link)} : QList<QUrl>{});
        // A click never navigates the notes away.
        QVERIFY(browser->document()->toPlainText().contains(QStringLiteral("read more")));
    }

    void updateDialogShowsTheReleaseNotes()
    {
        ReleaseServer server;
        QVERIFY(server.listen());
        server.put("/calendar/1.4.0/release-notes.md", "# What changed\n\n* Weather in the week view\n");
        TindUpdate::Artifact release;
        release.version = QStringLiteral("1.4.0");
        release.url = QUrl(QStringLiteral("https://downloads.example.test/setup.exe"));
        release.release_notes_url = server.url("/calendar/1.4.0/release-notes.md");

        TindUpdate::UpdateDialog dialog(release, "1.3.5", AppName, nullptr, QStringLiteral("en"));
        QVERIFY(dialog.notesBrowser());
        QCOMPARE(dialog.notesBrowser()->placeholderText(), QStringLiteral("Loading release notes…"));
        QCOMPARE(dialog.size(), QSize(520, 420));
        QTRY_VERIFY(dialog.notesBrowser()->document()->toPlainText().contains(QStringLiteral("Weather in the week view")));

        // Missing notes leave a note in their place, never an error box.
        release.release_notes_url = server.url("/calendar/1.4.1/release-notes.md");
        TindUpdate::UpdateDialog missing(release, "1.3.5", AppName, nullptr, QStringLiteral("en"));
        QTRY_COMPARE(missing.notesBrowser()->document()->toPlainText(),
                     QStringLiteral("Release notes are not available for this version."));

        // Without a notes address there is no notes area.
        release.release_notes_url = QUrl();
        TindUpdate::UpdateDialog plain(release, "1.3.5", AppName);
        QVERIFY(!plain.notesBrowser());
        QCOMPARE(plain.findChildren<TindUpdate::NotesBrowser *>().size(), 0);
    }

    void downloadOpensTheArtifactAndCloses()
    {
        TindUpdate::Artifact release;
        release.version = QStringLiteral("1.4.0");
        release.url = QUrl(QStringLiteral("https://downloads.example.test/setup.exe"));
        RecordingUrlOpener opener;
        opener.result = false; // a failed opening is only logged
        TindUpdate::UpdateDialog dialog(release, "1.3.5", AppName);
        dialog.setUrlOpener(&opener);
        dialog.show();
        dialog.findChild<QDialogButtonBox *>()->buttons().first()->click();
        QCOMPARE(opener.opened, QList<QUrl>{release.url});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void manualCheckReports_data()
    {
        QTest::addColumn<QString>("offered"); // empty: nothing newer
        QTest::addColumn<bool>("mandatory");
        QTest::addColumn<QStringList>("buttons"); // empty: no dialog
        QTest::addColumn<QStringList>("status");
        const QString checking = QStringLiteral("show Checking for updates…");
        QTest::newRow("update") << "1.4.0" << false << QStringList{"Download", "Later"}
                                << QStringList{checking, "clear"};
        QTest::newRow("mandatory update") << "1.4.0" << true << QStringList{"Download"}
                                          << QStringList{checking, "clear"};
        QTest::newRow("up to date")
            << "1.3.5" << false << QStringList()
            << QStringList{checking, "clear", "show Tindlebrook Calendar is up to date (version 1.3.5) for 5000"};
    }

    void manualCheckReports()
    {
        QFETCH(QString, offered);
        QFETCH(bool, mandatory);
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, status);
        ReleaseServer server;
        QVERIFY(server.listen());
        server.offer(offered, false, mandatory);
        QWidget window;
        StatusLog log;
        UpdateUi::runManualCheck(server.config(), AppName, &window, log.hooks());
        QTRY_COMPARE(log.lines, status);
        QTest::qWait(50);
        auto *dialog = window.findChild<TindUpdate::UpdateDialog *>();
        if (buttons.isEmpty()) {
            QVERIFY(!dialog);
            return;
        }
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(buttonTexts(dialog), buttons);
        const QString expected = QStringLiteral("You have version 1.3.5. The latest version is 1.4.0.");
        bool named = false;
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            named = named || label->text() == expected;
        QVERIFY(named);
    }

    void manualCheckReportsAFailure_data()
    {
        QTest::addColumn<bool>("hang");
        QTest::newRow("server down") << false;
        QTest::newRow("server hangs") << true;
    }

    void manualCheckReportsAFailure()
    {
        QFETCH(bool, hang);
        ReleaseServer server;
        QVERIFY(server.listen());
        TindUpdate::Client::Config config = server.config();
        config.timeoutMs = 300;
        if (hang)
            server.setHang(true);
        else
            config.manifestBaseUrl = QUrl(QStringLiteral("http://127.0.0.1:9/calendar/stable/"));
        QWidget window;
        StatusLog log;
        UpdateUi::runManualCheck(config, AppName, &window, log.hooks());
        QTRY_COMPARE_WITH_TIMEOUT(log.lines.size(), 3, 20000);
        QCOMPARE(log.lines.at(1), QStringLiteral("clear"));
        const QString failure = log.lines.at(2);
        QVERIFY2(failure.startsWith(QStringLiteral("show Update check failed: network error: ")), qPrintable(failure));
        QVERIFY2(failure.endsWith(QStringLiteral(" for 5000")), qPrintable(failure));
        if (hang)
            QVERIFY2(failure.contains(QStringLiteral("no answer within 300 ms")), qPrintable(failure));
        QVERIFY(!window.findChild<TindUpdate::UpdateDialog *>());
    }

    void whatsNewShowsTheRunningVersion()
    {
        ReleaseServer server;
        QVERIFY(server.listen());
        server.put("/calendar/1.3.5/release-notes.md", "# 1.3.5\n\nDetached agenda window.");
        QWidget window;
        StatusLog log;
        UpdateUi::showWhatsNew(server.config(), AppName, &window, log.hooks());
        QTRY_VERIFY(window.findChild<TindUpdate::WhatsNewDialog *>());
        auto *dialog = window.findChild<TindUpdate::WhatsNewDialog *>();
        QCOMPARE(log.lines, (QStringList{"show Loading release notes…", "clear"}));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("What's New in Tindlebrook Calendar 1.3.5"));
        QVERIFY(!dialog->isModal());
        QCOMPARE(buttonTexts(dialog), QStringList{"Close"});
        QVERIFY(dialog->notesBrowser()->document()->toPlainText().contains(QStringLiteral("Detached agenda window.")));
    }

    void whatsNewFallsBackToANewerRelease()
    {
        ReleaseServer server;
        QVERIFY(server.listen());
        server.offer(QStringLiteral("1.4.0"), true);
        server.put("/calendar/1.4.0/release-notes.md", "# 1.4.0\n\nWeather.");
        QWidget window;
        StatusLog log;
        UpdateUi::showWhatsNew(server.config(), AppName, &window, log.hooks());
        QTRY_VERIFY(window.findChild<TindUpdate::WhatsNewDialog *>());
        auto *dialog = window.findChild<TindUpdate::WhatsNewDialog *>();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("What's New in Tindlebrook Calendar 1.4.0"));
        QCOMPARE(buttonTexts(dialog), (QStringList{"Close", "Download 1.4.0"}));
        bool running = false;
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            running = running || label->text() == QStringLiteral("You are running version 1.3.5");
        QVERIFY(running);

        RecordingUrlOpener opener;
        dialog->setUrlOpener(&opener);
        dialog->show();
        for (QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons()) {
            if (button->text() == QStringLiteral("Download 1.4.0"))
                button->click();
        }
        QCOMPARE(opener.opened, QList<QUrl>{QUrl("https://downloads.example.test/calendar/1.4.0/setup.exe")});
    }

    void whatsNewWithoutNotesOnlyTells_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("nothing newer") << "same";
        QTest::newRow("newer without notes") << "newer-no-notes";
        QTest::newRow("newer, notes missing") << "newer-notes-missing";
        QTest::newRow("offline") << "offline";
    }

    void whatsNewWithoutNotesOnlyTells()
    {
        QFETCH(QString, situation);
        ReleaseServer server;
        QVERIFY(server.listen());
        TindUpdate::Client::Config config = server.config();
        if (situation == QLatin1String("same"))
            server.offer(QStringLiteral("1.3.5"), true);
        else if (situation == QLatin1String("newer-no-notes"))
            server.offer(QStringLiteral("1.4.0"), false);
        else if (situation == QLatin1String("newer-notes-missing"))
            server.offer(QStringLiteral("1.4.0"), true);
        else
            config.manifestBaseUrl = QUrl(QStringLiteral("http://127.0.0.1:9/calendar/stable/"));
        QWidget window;
        StatusLog log;
        UpdateUi::showWhatsNew(config, AppName, &window, log.hooks());
        QTRY_COMPARE(log.lines.size(), 3);
        QCOMPARE(log.lines, (QStringList{"show Loading release notes…", "clear",
                                         "show No release notes available for Tindlebrook Calendar 1.3.5 for 5000"}));
        QTest::qWait(50);
        QVERIFY(!window.findChild<TindUpdate::WhatsNewDialog *>());
    }

    void flowsOutliveTheirWindow()
    {
        ReleaseServer server;
        QVERIFY(server.listen());
        server.offer(QStringLiteral("1.4.0"), false);
        StatusLog log;
        {
            QWidget window;
            UpdateUi::runManualCheck(server.config(), AppName, &window, log.hooks());
        }
        // The answer comes after the window is gone: no dialog, no crash.
        QTRY_COMPARE(log.lines, (QStringList{"show Checking for updates…", "clear"}));
    }

    void feedbackPageCarriesTheProductTag_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bare host") << "https://feedback.example.test" << "https://feedback.example.test/?tags=calendar";
        QTest::newRow("path without slash") << "https://feedback.example.test/board"
                                            << "https://feedback.example.test/board/?tags=calendar";
        QTest::newRow("path with slash") << "https://feedback.example.test/board/"
                                         << "https://feedback.example.test/board/?tags=calendar";
        QTest::newRow("query replaced") << "https://feedback.example.test/board?ref=menu"
                                        << "https://feedback.example.test/board/?tags=calendar";
    }

    void feedbackPageCarriesTheProductTag()
    {
        QFETCH(QString, base);
        QFETCH(QString, expected);
        RecordingUrlOpener opener;
        openFeedbackPortal({QStringLiteral("calendar"), QUrl(base)}, &opener);
        QCOMPARE(opener.opened, QList<QUrl>{QUrl(expected)});
    }
};

QTEST_MAIN(TestUpdateUi)
#include "tst_updateui.moc"
