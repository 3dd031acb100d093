#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "app/platform/loopbacklistener.h"
#include "app/platform/loopbackpeer.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include <unistd.h>

namespace {

QByteArray exchange(quint16 port, const QByteArray &request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(3000))
        return QByteArray();
    socket.write(request);
    QByteArray answer;
    QElapsedTimer timer;
    timer.start();
    while (socket.state() == QAbstractSocket::ConnectedState && timer.elapsed() < 3000) {
        QTest::qWait(10);
        answer += socket.readAll();
    }
    return answer + socket.readAll();
}

LoopbackListener::Options options()
{
    LoopbackListener::Options options;
    options.purpose = QStringLiteral("test");
    options.redirectPath = QStringLiteral("/callback");
    options.successPage = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nyes";
    options.failurePage = "HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\nno";
    options.isSuccess = [](const QUrlQuery &query) { return query.hasQueryItem(QStringLiteral("code")); };
    return options;
}

} // namespace

// The loopback end of browser sign-ins, configured per caller.
class TestLoopbackListener : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyAGetOnTheRedirectPathEndsIt()
    {
        LoopbackListener listener;
        QSignalSpy received(&listener, &LoopbackListener::redirectReceived);
        QVERIFY(listener.listen(options()));
        const quint16 port = listener.port();
        QVERIFY(exchange(port, "GET / HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 404"));
        QVERIFY(exchange(port, "HEAD /callback?code=1 HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 404"));
        QCOMPARE(received.size(), 0);
        QVERIFY(listener.isListening());
        QCOMPARE(exchange(port, "GET /callback?error=x HTTP/1.1\r\n\r\n"),
                 QByteArray("HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\nno"));
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.at(0).at(0).value<QUrlQuery>().queryItemValue(QStringLiteral("error")), QStringLiteral("x"));
        QVERIFY(!listener.isListening());
    }

    // The browser is handed the start address: its first visit is sent on
    // to the sign-in page, a redirect before that is nobody's, and a second
    // visit closes the listener.
    void startAddressLeadsOnOnce()
    {
        LoopbackListener listener;
        QSignalSpy received(&listener, &LoopbackListener::redirectReceived);
        QSignalSpy reused(&listener, &LoopbackListener::startReused);
        QVERIFY(listener.listen(options()));
        const QUrl page(QStringLiteral("https://signin.example/authorize?state=secret"));
        const QUrl start = listener.serveStart(page);
        QCOMPARE(start, QUrl(QStringLiteral("http://127.0.0.1:%1/start").arg(listener.port())));
        QVERIFY(exchange(listener.port(), "GET /callback?code=1 HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 404"));
        QVERIFY(exchange(listener.port(), "POST /start HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 404"));
        const QByteArray first = exchange(listener.port(), "GET /start HTTP/1.1\r\n\r\n");
        QVERIFY2(first.startsWith("HTTP/1.1 302 Found\r\nLocation: https://signin.example/authorize?state=secret\r\n"),
                 first.constData());
        QVERIFY(exchange(listener.port(), "GET /start HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 403"));
        QVERIFY(!listener.isListening());
        QTRY_COMPARE(reused.size(), 1);
        QCOMPARE(received.size(), 0);
    }

    // A connection of another user, or of an owner that cannot be found,
    // is refused whatever it asks, and the sign-in goes on waiting for the
    // user's own browser.
    void onlyThisUsersConnectionsAreAnswered_data()
    {
        QTest::addColumn<bool>("ownerFound");
        QTest::newRow("another user") << true;
        QTest::newRow("owner not found") << false;
    }

    void onlyThisUsersConnectionsAreAnswered()
    {
        QFETCH(bool, ownerFound);
        LoopbackListener listener;
        QSignalSpy received(&listener, &LoopbackListener::redirectReceived);
        LoopbackListener::Options guarded = options();
        std::optional<uint> owner = LoopbackPeer::ownUid();
        guarded.peerOwner = [&owner](const QTcpSocket &) { return owner; };
        QVERIFY(listener.listen(guarded));
        listener.serveStart(QUrl(QStringLiteral("https://signin.example/authorize")));
        QVERIFY(exchange(listener.port(), "GET /start HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 302"));
        owner = ownerFound ? std::optional<uint>(LoopbackPeer::ownUid() + 1) : std::nullopt;
        for (const QByteArray request : {"GET /start HTTP/1.1\r\n\r\n", "GET /callback?code=1 HTTP/1.1\r\n\r\n"}) {
            if (!ownerFound)
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("owner .* cannot be found")));
            QCOMPARE(exchange(listener.port(), request), LoopbackListener::forbiddenPage());
        }
        QVERIFY(listener.isListening());
        owner = LoopbackPeer::ownUid();
        QVERIFY(exchange(listener.port(), "GET /callback?code=1 HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 200"));
        QTRY_COMPARE(received.size(), 1);
    }

    // Connections held open without a request, this user's (a browser's
    // spares, a stray program) or another user's, keep only a few of the
    // program's files and never keep the browser's redirect from its answer.
    void idleConnectionsLeaveRoomForTheRedirect_data()
    {
        QTest::addColumn<bool>("stranger");
        QTest::newRow("this user's") << false;
        QTest::newRow("another user's") << true;
    }

    void idleConnectionsLeaveRoomForTheRedirect()
    {
        QFETCH(bool, stranger);
        LoopbackListener listener;
        QSignalSpy received(&listener, &LoopbackListener::redirectReceived);
        LoopbackListener::Options guarded = options();
        uint owner = LoopbackPeer::ownUid() + (stranger ? 1 : 0);
        guarded.peerOwner = [&owner](const QTcpSocket &) { return std::optional<uint>(owner); };
        // Within the test none waits long enough to be closed for that.
        guarded.requestWaitMs = 10 * 60 * 1000;
        QVERIFY(listener.listen(guarded));

        // Fewer than the listen queue holds, so that each reaches the listener.
        constexpr int Held = 40;
        std::vector<std::unique_ptr<QTcpSocket>> idle;
        QList<QByteArray> answers(Held);
        int connected = 0;
        for (int i = 0; i < Held; ++i) {
            auto socket = std::make_unique<QTcpSocket>();
            QTcpSocket *raw = socket.get();
            connect(raw, &QTcpSocket::connected, this, [&connected] { ++connected; });
            connect(raw, &QTcpSocket::readyRead, this, [&answers, raw, i] { answers[i] += raw->readAll(); });
            raw->connectToHost(QHostAddress::LocalHost, listener.port());
            idle.push_back(std::move(socket));
        }
        const auto stillOpen = [&idle] {
            return int(std::count_if(idle.cbegin(), idle.cend(), [](const std::unique_ptr<QTcpSocket> &socket) {
                return socket->state() == QAbstractSocket::ConnectedState;
            }));
        };
        QTRY_COMPARE_WITH_TIMEOUT(connected, Held, 30000);
        if (stranger) {
            // Each is refused at once, without having asked anything.
            QTRY_COMPARE_WITH_TIMEOUT(stillOpen(), 0, 30000);
            QCOMPARE(answers, QList<QByteArray>(Held, LoopbackListener::forbiddenPage()));
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(stillOpen() <= guarded.maxWaitingConnections, 30000);
        }

        owner = LoopbackPeer::ownUid();
        QVERIFY(exchange(listener.port(), "GET /callback?code=1 HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 200"));
        QTRY_COMPARE(received.size(), 1);
    }

    // One that never sends its request does not hold its file for ever.
    void silentConnectionIsClosedAfterItsWait()
    {
        LoopbackListener listener;
        LoopbackListener::Options quick = options();
        quick.requestWaitMs = 100;
        QVERIFY(listener.listen(quick));
        QTcpSocket silent;
        QSignalSpy connected(&silent, &QTcpSocket::connected);
        silent.connectToHost(QHostAddress::LocalHost, listener.port());
        QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 1, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QAbstractSocket::UnconnectedState, 30000);
        QCOMPARE(silent.readAll(), QByteArray());
        QVERIFY(listener.isListening());
    }

    // The system's tables find the owner of a connection on either family,
    // and of an IPv6 client of an IPv4 listener.
    void ownersOfOwnConnectionsAreFound_data()
    {
        QTest::addColumn<QString>("listenOn");
        QTest::addColumn<QString>("connectTo");
        QTest::newRow("IPv4") << "127.0.0.1" << "127.0.0.1";
        QTest::newRow("IPv6") << "::1" << "::1";
        QTest::newRow("IPv4-mapped IPv6") << "127.0.0.1" << "::ffff:127.0.0.1";
    }

    void ownersOfOwnConnectionsAreFound()
    {
        QFETCH(QString, listenOn);
        QFETCH(QString, connectTo);
        QTcpServer server;
        if (!server.listen(QHostAddress(listenOn)))
            QSKIP(qPrintable(QStringLiteral("Cannot listen on %1 here").arg(listenOn)));
        QTcpSocket client;
        client.connectToHost(QHostAddress(connectTo), server.serverPort());
        QVERIFY(server.waitForNewConnection(30000));
        const QTcpSocket *peer = server.nextPendingConnection();
        QCOMPARE(LoopbackPeer::ownerUid(*peer).value_or(uint(-1)), uint(geteuid()));
    }

    void bindFailureSaysWhy()
    {
        QTcpServer occupant;
        QVERIFY(occupant.listen(QHostAddress::LocalHost, 0));
        LoopbackListener listener;
        LoopbackListener::Options taken = options();
        taken.port = occupant.serverPort();
        QVERIFY(!listener.listen(taken));
        QVERIFY(!listener.errorString().isEmpty());
        QVERIFY(!listener.isListening());
    }

    // A request line that never ends is cut off rather than buffered for ever.
    void endlessRequestLineIsRefused()
    {
        LoopbackListener listener;
        QVERIFY(listener.listen(options()));
        const QByteArray answer =
            exchange(listener.port(), "GET /callback?code=" + QByteArray(LoopbackListener::MaxRequestLineBytes + 10, 'a'));
        QVERIFY(answer.startsWith("HTTP/1.1 400"));
        QVERIFY(listener.isListening());
    }

    void samePurposeReplacesOtherPurposesStay()
    {
        LoopbackListener first;
        LoopbackListener other;
        LoopbackListener second;
        QSignalSpy superseded(&first, &LoopbackListener::superseded);
        QVERIFY(first.listen(options()));
        LoopbackListener::Options different = options();
        different.purpose = QStringLiteral("cloud");
        QVERIFY(other.listen(different));
        QVERIFY(second.listen(options()));
        QCOMPARE(superseded.size(), 1);
        QVERIFY(!first.isListening());
        QVERIFY(other.isListening());
        QVERIFY(second.isListening());
    }
};

QTEST_MAIN(TestLoopbackListener)
#include "tst_loopbacklistener.moc"
