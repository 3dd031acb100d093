#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include "app/platform/loopbackpeer.h"

#include <functional>
#include <optional>

class QTcpServer;
class QTcpSocket;
class QTimer;

// The receiving end of a browser sign-in: a one-shot HTTP listener on
// 127.0.0.1 that waits for the provider's redirect, shows the browser a
// page and hands the redirect's query to its owner. Each sign-in configures
// its own port, redirect path and pages.
//
// Only a GET on the redirect path counts; anything else (a browser asking
// for its icon, a stray client) gets 404 and the listener keeps waiting. A
// request is buffered until its request line is complete. The listener
// closes after the redirect, after its time limit, and when a newer
// sign-in for the same purpose starts listening.
//
// The browser is best sent to a one-time start address (serveStart) rather
// than to the sign-in page itself: that page's address carries the
// sign-in's secrets (its state), and whatever is handed to the browser
// rides a command line any local user can read. The start address carries
// none; its first visit is sent on to the sign-in page, and a second visit
// means someone else has been given the way in: it is refused and the
// sign-in given up.
//
// Only connections of this user are answered: that command line is there
// for other users too, so one of them could otherwise take the start
// address first, or call back with a code of their own. Another user's
// connection, or one whose owner cannot be told, gets 403 as soon as it is
// accepted and is closed, and the listener keeps waiting, so no stranger can
// end the sign-in either, nor use up the program's files with connections
// that never send anything.
//
// This user's connections are bounded too: a few may wait for their request
// at once (a browser opens several); a newer one closes the oldest waiting,
// and one that has not sent its request line in time is closed.
class LoopbackListener : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        // Sign-ins with the same purpose replace each other.
        QString purpose;
        // 0: the system picks a free port.
        quint16 port = 0;
        QString redirectPath = QStringLiteral("/");
        // Complete HTTP responses, written as they are.
        QByteArray successPage;
        QByteArray failurePage;
        // Which page a redirect gets; without it every redirect succeeds.
        std::function<bool(const QUrlQuery &query)> isSuccess;
        // Which redirects belong to this sign-in (its state matches); one
        // refused gets 404 and the listener keeps waiting. Without it every
        // redirect belongs.
        std::function<bool(const QUrlQuery &query)> accepts;
        int timeLimitMs = 5 * 60 * 1000;
        // Connections waiting for their request at once, and how long each
        // may wait.
        int maxWaitingConnections = 8;
        int requestWaitMs = 10 * 1000;
        // Who owns a connection; none when that cannot be found. Empty
        // where the system does not tell us: every connection is answered.
#ifdef Q_OS_LINUX
        std::function<std::optional<uint>(const QTcpSocket &)> peerOwner = &LoopbackPeer::ownerUid;
#else
        std::function<std::optional<uint>(const QTcpSocket &)> peerOwner;
#endif
    };

    static constexpr int MaxRequestLineBytes = 16 * 1024;

    explicit LoopbackListener(QObject *parent = nullptr);
    ~LoopbackListener() override;

    // Stops any earlier listening of this object first. False when the port
    // cannot be bound; errorString() then says why.
    bool listen(const Options &options);
    // While listening: answers the first GET on the start path with a 302 to
    // `target` and returns the start address to hand to the browser. Until
    // then no redirect is taken (the browser has not seen the sign-in page).
    QUrl serveStart(const QUrl &target);
    void close();
    bool isListening() const;
    quint16 port() const;
    QString errorString() const { return m_error; }

    static QByteArray notFoundPage();
    static QByteArray forbiddenPage();

    static constexpr const char *StartPath = "/start";

Q_SIGNALS:
    // The browser has been answered and the listener is closed; emitted in
    // a later turn of the event loop than the request's arrival.
    void redirectReceived(const QUrlQuery &query);
    // Nothing arrived in time; the listener is closed.
    void timedOut();
    // A newer sign-in with the same purpose took over; the listener is closed.
    void superseded();
    // The start address was asked for a second time; the listener is closed.
    // Emitted in a later turn of the event loop, as redirectReceived.
    void startReused();

private:
    void acceptPending();
    bool isOwnUsers(const QTcpSocket &socket) const;
    void refuse(QTcpSocket *socket);
    void readFrom(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QByteArray &page);
    // Closes a connection still waiting for its request, without an answer.
    void drop(QTcpSocket *socket);
    void forget(QTcpSocket *socket);
    void answerStart(QTcpSocket *socket);

    Options m_options;
    QTcpServer *m_server = nullptr;
    QTimer *m_timer;
    // Connections waiting for their request line, with what came so far;
    // m_arrivals holds the same ones, oldest first.
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<QTcpSocket *> m_arrivals;
    QString m_error;
    // Where the start address leads; empty when there is none.
    QUrl m_startTarget;
    bool m_startUsed = false;
};
