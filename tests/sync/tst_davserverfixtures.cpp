#include "tests/support/radicaleserver.h"
#include "tests/support/refusedport.h"
#include "tests/support/xandikosserver.h"

#include <QNetworkAccessManager>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

// The fixtures the sync tests rely on: each server starts on a free port,
// requires the password, and shows the layout the discovery tests expect.
class TestDavServerFixtures : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DavServerProcess> make(const QString &kind)
    {
        if (kind == QLatin1String("radicale"))
            return std::make_unique<RadicaleServer>();
        return std::make_unique<XandikosServer>();
    }

private Q_SLOTS:
    void serverRunsWithAuthAndLayout_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("wellKnownStatus");
        QTest::newRow("radicale") << "radicale" << 301;
        QTest::newRow("xandikos") << "xandikos" << 302;
    }

    void serverRunsWithAuthAndLayout()
    {
        QFETCH(QString, kind);
        QFETCH(int, wellKnownStatus);
        std::unique_ptr<DavServerProcess> server = make(kind);
        QVERIFY2(server->start(), qPrintable(server->errorText()));

        const DavServerProcess::HttpResult wellKnown =
            server->request("PROPFIND", server->baseUrl().resolved(QUrl(QStringLiteral("/.well-known/caldav"))),
                            QByteArray(), {{"Depth", "0"}});
        QCOMPARE(wellKnown.status, wellKnownStatus);

        QVERIFY2(server->createCalendar(QStringLiteral("work"), QStringLiteral("Work")),
                 qPrintable(server->errorText()));
        const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\nBEGIN:VEVENT\r\n"
                               "UID:fixture-1\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260101T100000Z\r\n"
                               "DTEND:20260101T110000Z\r\nSUMMARY:x\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        const QUrl item = server->calendarUrl(QStringLiteral("work")).resolved(QUrl(QStringLiteral("fixture-1.ics")));
        const DavServerProcess::HttpResult put = server->putIcs(item, ics);
        QVERIFY2(put.status == 201 || put.status == 204, put.body.constData());
        QCOMPARE(server->itemHrefs(server->calendarUrl(QStringLiteral("work"))).size(), 1);

        // Without the password the server refuses.
        QNetworkAccessManager manager;
        QNetworkReply *reply = manager.get(QNetworkRequest(item));
        QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 10000);
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 401);
        delete reply;
    }

    // A port where a test expects a refusal stays refused while the test
    // runs: no server, of this test or another, can be started there.
    void refusedPortCannotBeTakenWhileHeld()
    {
        const RefusedPort refused;
        QVERIFY(refused.isValid());
        QTcpServer taker;
        QVERIFY(!taker.listen(QHostAddress::LocalHost, refused.port()));
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, refused.port());
        QTRY_COMPARE_WITH_TIMEOUT(client.error(), QAbstractSocket::ConnectionRefusedError, 60000);
    }
};

QTEST_GUILESS_MAIN(TestDavServerFixtures)
#include "tst_davserverfixtures.moc"
