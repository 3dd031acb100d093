#include "tests/support/localhttpserver.h"
#include "update/client.h"
#include "update/updatedialog.h"
#include "update/updatemanifest.h"
#include "update/updateversion.h"

#include <QDialogButtonBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QJsonObject artifact(const QString &version)
{
    return QJsonObject{{"version", version},
                       {"released_at", "2026-03-01T10:00:00Z"},
                       {"url", "https://downloads.example.test/calendar/setup.exe"},
                       {"size", 1234567},
                       {"sha256", QString(64, QLatin1Char('a'))}};
}

QByteArray manifest(const QJsonObject &artifacts)
{
    const QJsonObject root{{"schema", 1}, {"app", "calendar"}, {"channel", "stable"}, {"artifacts", artifacts}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

} // namespace

class TestUpdateClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void versionsParseAndCompare_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("less");
        QTest::newRow("equal") << "1.3.5" << "1.3.5" << false;
        QTest::newRow("two parts equal three") << "1.3" << "1.3.0" << false;
        QTest::newRow("newer minor") << "1.3.5" << "1.4" << true;
        QTest::newRow("numbers, not text") << "1.3.9" << "1.3.10" << true;
        QTest::newRow("suffix reads as zero") << "1.3.5-beta" << "0.0.1" << true;
        QTest::newRow("four parts read as zero") << "1.2.3.4" << "0.0.1" << true;
        QTest::newRow("empty reads as zero") << "" << "0.0.0" << false;
    }

    void versionsParseAndCompare()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, less);
        QCOMPARE(UpdateVersion::lessThan(UpdateVersion::parse(a), UpdateVersion::parse(b)), less);
    }

    void manifestErrorsName_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        QJsonObject shortSha = artifact("1.4.0");
        shortSha["sha256"] = QString(63, QLatin1Char('a'));
        QJsonObject zeroSize = artifact("1.4.0");
        zeroSize["size"] = 0.9;
        QJsonObject hugeSize = artifact("1.4.0");
        hugeSize["size"] = 1e30;
        QJsonObject noVersionNoUrl = artifact("1.4.0");
        noVersionNoUrl.remove("version");
        noVersionNoUrl.remove("url");

        QTest::newRow("not JSON") << QByteArray("{") << "JSON parse error";
        QTest::newRow("array root") << QByteArray("[]") << "manifest root is not a JSON object";
        QTest::newRow("schema as text") << QByteArray(R"({"schema":"1"})") << "missing or non-integer field: schema";
        QTest::newRow("fractional schema") << QByteArray(R"({"schema":1.5})") << "unsupported manifest schema: 0 (expected 1)";
        QTest::newRow("no app") << QByteArray(R"({"schema":1,"channel":"stable"})") << "missing or non-string field: app";
        QTest::newRow("no artifacts") << QByteArray(R"({"schema":1,"app":"a","channel":"c"})")
                                      << "missing or non-object field: artifacts";
        QTest::newRow("empty artifacts") << manifest({}) << "manifest failed validation";
        QTest::newRow("other platform broken") << manifest({{"linux-x64", artifact("1.4.0")}, {"mac-arm64", shortSha}})
                                               << "artifact mac-arm64 failed validation";
        QTest::newRow("size truncates below one") << manifest({{"linux-x64", zeroSize}})
                                                  << "artifact linux-x64 failed validation";
        QTest::newRow("size beyond any file") << manifest({{"linux-x64", hugeSize}})
                                              << "artifact linux-x64 failed validation";
        QTest::newRow("first missing field only") << manifest({{"linux-x64", noVersionNoUrl}})
                                                  << "missing or non-string field: version";
        QTest::newRow("artifact not object") << manifest({{"linux-x64", 3}}) << "artifact linux-x64 is not an object";
        QJsonObject plainHttp = artifact("1.4.0");
        plainHttp["url"] = "http://downloads.example.test/calendar/setup.exe";
        QJsonObject otherPlainHttp = artifact("1.4.0");
        otherPlainHttp["url"] = "ftp://downloads.example.test/calendar/setup.exe";
        QTest::newRow("download over plain http") << manifest({{"linux-x64", plainHttp}})
                                                  << "artifact linux-x64 url is not https";
        QTest::newRow("other platform not https") << manifest({{"linux-x64", artifact("1.4.0")}, {"windows-x64", otherPlainHttp}})
                                                  << "artifact windows-x64 url is not https";
        QTest::newRow("valid") << manifest({{"linux-x64", artifact("1.4.0")}}) << "";
    }

    void manifestErrorsName()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        QString found;
        const UpdateManifest parsed = UpdateManifest::parse(json, &found);
        if (error.isEmpty()) {
            QVERIFY2(found.isEmpty(), qPrintable(found));
            QVERIFY(parsed.isValid());
        } else {
            QVERIFY2(found.startsWith(error), qPrintable(found));
        }
    }

    void manifestUrlJoinsLatestJson_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("expected");
        QTest::newRow("with slash") << "https://dl.example.test/calendar/stable/"
                                    << "https://dl.example.test/calendar/stable/latest.json";
        QTest::newRow("without slash") << "https://dl.example.test/calendar/stable"
                                       << "https://dl.example.test/calendar/stable/latest.json";
        QTest::newRow("port and query kept") << "http://127.0.0.1:8080/c/s?x=1"
                                             << "http://127.0.0.1:8080/c/s/latest.json?x=1";
    }

    void manifestUrlJoinsLatestJson()
    {
        QFETCH(QString, base);
        QFETCH(QString, expected);
        TindUpdate::Client client({"calendar", "stable", QUrl(base), "1.3.5"});
        QCOMPARE(client.manifestUrl().toString(), expected);
    }

    void checkReportsOneOutcome_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("outcome");
        QJsonObject gated = artifact("1.4.0");
        gated["min_upgradable_from"] = "1.4.0";
        QJsonObject olderGated = artifact("1.3.0");
        olderGated["min_upgradable_from"] = "9.0.0";

        QTest::newRow("newer") << 200 << manifest({{"linux-x64", artifact("1.4")}}) << "available 1.4";
        QTest::newRow("same") << 200 << manifest({{"linux-x64", artifact("1.3.5")}}) << "up to date";
        QTest::newRow("platform not shipped") << 200 << manifest({{"windows-x64", artifact("9.0")}}) << "up to date";
        QTest::newRow("not found") << 404 << QByteArray() << "up to date";
        QTest::newRow("server error") << 500 << QByteArray("oops") << "failed network error:";
        QTest::newRow("invalid") << 200 << QByteArray("{") << "failed manifest invalid: JSON parse error";
        QTest::newRow("needs intermediate release")
            << 200 << manifest({{"linux-x64", gated}})
            << "failed current version 1.3.5 is older than min_upgradable_from 1.4.0; please upgrade to an "
               "intermediate release first";
        QTest::newRow("gate ignored when not newer") << 200 << manifest({{"linux-x64", olderGated}}) << "up to date";
    }

    void checkReportsOneOutcome()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, outcome);

        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([&](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            reply.status = status;
            reply.body = body;
            return reply;
        });
        TindUpdate::Client client({"calendar", "stable", server.url("/calendar/stable/"), "1.3.5"});
        QStringList outcomes;
        connect(&client, &TindUpdate::Client::updateAvailable,
                [&](const TindUpdate::Artifact &a) { outcomes << "available " + a.version; });
        connect(&client, &TindUpdate::Client::upToDate, [&] { outcomes << "up to date"; });
        connect(&client, &TindUpdate::Client::checkFailed, [&](const QString &r) { outcomes << "failed " + r; });
        client.check();
        QVERIFY(client.isChecking());
        QTRY_COMPARE(outcomes.size(), 1);
        QVERIFY2(outcomes.first().startsWith(outcome), qPrintable(outcomes.first()));
        QVERIFY(!client.isChecking());

        QCOMPARE(server.requests().size(), 1);
        const LocalHttpServer::Request request = server.requests().first();
        QCOMPARE(request.method, QByteArray("GET"));
        QCOMPARE(request.target, QByteArray("/calendar/stable/latest.json"));
        QCOMPARE(request.header("User-Agent"), QByteArray("TindUpdateQt/0.1 (calendar)"));
    }

    void plainHttpDownloadIsNeverOffered()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        QJsonObject plainHttp = artifact("9.0.0");
        plainHttp["url"] = "http://downloads.example.test/calendar/setup.exe";
        server.setHandler([&](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            reply.body = manifest({{"linux-x64", plainHttp}, {"windows-x64", plainHttp}});
            return reply;
        });
        TindUpdate::Client client({"calendar", "stable", server.url("/calendar/stable/"), "1.3.5"});
        QSignalSpy available(&client, &TindUpdate::Client::updateAvailable);
        QSignalSpy failed(&client, &TindUpdate::Client::checkFailed);
        client.check();
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toString(),
                 QStringLiteral("manifest invalid: artifact linux-x64 url is not https"));
        QCOMPARE(available.count(), 0);
    }

    void checkGivesUpOnAHungServer()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            reply.hang = true;
            return reply;
        });
        TindUpdate::Client::Config config{"calendar", "stable", server.url("/calendar/stable/"), "1.3.5"};
        config.timeoutMs = 300;
        TindUpdate::Client client(config);
        QSignalSpy failed(&client, &TindUpdate::Client::checkFailed);
        client.check();
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 20000);
        QCOMPARE(failed.first().first().toString(), QStringLiteral("network error: no answer within 300 ms"));
        QVERIFY(!client.isChecking());
    }

    void oversizeOrTricklingManifestFails_data()
    {
        QTest::addColumn<bool>("trickle");
        QTest::addColumn<QString>("reason");
        QTest::newRow("oversize") << false << "network error: The answer from 127.0.0.1 is larger than 1 MB.";
        QTest::newRow("trickling") << true << "network error: 127.0.0.1 did not finish its answer within 1 seconds.";
    }

    void oversizeOrTricklingManifestFails()
    {
        QFETCH(bool, trickle);
        QFETCH(QString, reason);
        LocalHttpServer server;
        QVERIFY(server.listen());
        const QByteArray body = manifest({{"linux-x64", artifact("1.4")}});
        server.setHandler([&](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            // Spaces before the JSON keep it a valid manifest in all but size.
            reply.body = trickle ? body : QByteArray(TindUpdate::Client::MaxManifestBytes, ' ') + body;
            // Slower than the deadline over the whole body, never silent for
            // the transfer timeout.
            reply.trickleMs = trickle ? 50 : 0;
            return reply;
        });
        TindUpdate::Client::Config config{"calendar", "stable", server.url("/calendar/stable/"), "1.3.5"};
        config.deadlineMs = 1000;
        TindUpdate::Client client(config);
        QSignalSpy available(&client, &TindUpdate::Client::updateAvailable);
        QSignalSpy failed(&client, &TindUpdate::Client::checkFailed);
        client.check();
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 10000);
        QCOMPARE(failed.first().first().toString(), reason);
        QCOMPARE(available.count(), 0);
    }

    void releaseNotesOnlyOverHttpsOnTheManifestHost_data()
    {
        QTest::addColumn<QString>("manifest");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<bool>("allowed");
        const QString https = QStringLiteral("https://downloads.tindlebrook.app/calendar/stable/latest.json");
        QTest::newRow("https, same host") << https << "https://downloads.tindlebrook.app/calendar/1.4/notes.md" << true;
        QTest::newRow("host in capitals") << https << "https://DOWNLOADS.tindlebrook.app/n.md" << true;
        QTest::newRow("http, same host") << https << "http://downloads.tindlebrook.app/n.md" << false;
        QTest::newRow("local file") << https << "file:///etc/passwd" << false;
        QTest::newRow("other host") << https << "https://evil.example/n.md" << false;
        QTest::newRow("sub-domain") << https << "https://x.downloads.tindlebrook.app/n.md" << false;
        QTest::newRow("loopback manifest, its own scheme") << "http://127.0.0.1:8000/latest.json"
                                                          << "http://127.0.0.1:8000/n.md" << true;
        QTest::newRow("loopback manifest, file") << "http://127.0.0.1:8000/latest.json" << "file:///tmp/n.md"
                                                 << false;
        QTest::newRow("plain-http manifest elsewhere") << "http://mirror.example/latest.json"
                                                       << "http://mirror.example/n.md" << false;
    }

    void releaseNotesOnlyOverHttpsOnTheManifestHost()
    {
        QFETCH(QString, manifest);
        QFETCH(QString, notes);
        QFETCH(bool, allowed);
        QCOMPARE(TindUpdate::notesUrlAllowed(QUrl(notes), QUrl(manifest)), allowed);
    }

    void offeredReleaseLosesNotesFromElsewhere()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        QJsonObject offered = artifact("1.4.0");
        offered["release_notes_url"] = "file:///etc/passwd";
        server.setHandler([&](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            reply.body = manifest({{UpdateManifest::platformKey(), offered}});
            return reply;
        });
        TindUpdate::Client client({"calendar", "stable", server.url("/calendar/stable/"), "1.3.5"});
        QSignalSpy available(&client, &TindUpdate::Client::updateAvailable);
        client.check();
        QTRY_COMPARE(available.count(), 1);
        const auto release = available.first().first().value<TindUpdate::Artifact>();
        QCOMPARE(release.version, QStringLiteral("1.4.0"));
        QCOMPARE(release.release_notes_url, QUrl());
    }

    void checkRefusesBadConfigurationAndSecondCheck()
    {
        QStringList failures;
        TindUpdate::Client noBase({"calendar", "stable", QUrl(), "1.3.5"});
        connect(&noBase, &TindUpdate::Client::checkFailed, [&](const QString &r) { failures << r; });
        noBase.check();
        TindUpdate::Client noVersion({"calendar", "stable", QUrl("http://127.0.0.1:9/"), QString()});
        connect(&noVersion, &TindUpdate::Client::checkFailed, [&](const QString &r) { failures << r; });
        noVersion.check();
        QCOMPARE(failures, (QStringList{"manifestBaseUrl is not valid", "currentVersion is empty"}));

        LocalHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            reply.body = manifest({{"linux-x64", artifact("1.3.5")}});
            return reply;
        });
        TindUpdate::Client client({"calendar", "stable", server.url("/"), "1.3.5"});
        QSignalSpy upToDate(&client, &TindUpdate::Client::upToDate);
        client.check();
        client.check(); // in flight: ignored, no signal
        QTRY_COMPARE(upToDate.count(), 1);
        QCOMPARE(server.requests().size(), 1);
        client.check(); // a finished check allows the next one
        QTRY_COMPARE(upToDate.count(), 2);
    }

    void updateDialogOffersLaterOnlyWhenNotMandatory()
    {
        TindUpdate::Artifact release;
        release.version = QStringLiteral("1.4.0");
        release.url = QUrl(QStringLiteral("https://downloads.example.test/setup.exe"));
        for (bool mandatory : {false, true}) {
            release.mandatory = mandatory;
            TindUpdate::UpdateDialog dialog(release, QStringLiteral("1.3.5"), QStringLiteral("Tindlebrook Calendar"));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Update available"));
            QVERIFY(dialog.isModal());
            const QList<QAbstractButton *> buttons = dialog.findChild<QDialogButtonBox *>()->buttons();
            QStringList texts;
            for (QAbstractButton *button : buttons)
                texts << button->text();
            texts.sort();
            QCOMPARE(texts, mandatory ? QStringList({"Download"}) : QStringList({"Download", "Later"}));
        }
    }
};

QTEST_MAIN(TestUpdateClient)
#include "tst_updateclient.moc"
