#include "app/platform/loopbacklistener.h"

#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace {

// Listeners that are listening now, so that a new sign-in can close an
// abandoned one of the same purpose.
QList<QPointer<LoopbackListener>> &liveListeners()
{
    static QList<QPointer<LoopbackListener>> listeners;
    return listeners;
}

} // namespace

LoopbackListener::LoopbackListener(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        close();
        Q_EMIT timedOut();
    });
}

LoopbackListener::~LoopbackListener()
{
    liveListeners().removeAll(QPointer<LoopbackListener>(this));
}

bool LoopbackListener::listen(const Options &options)
{
    close();
    m_options = options;
    m_error.clear();
    m_startTarget.clear();
    m_startUsed = false;
    if (!m_options.purpose.isEmpty()) {
        const QList<QPointer<LoopbackListener>> others = liveListeners();
        for (const QPointer<LoopbackListener> &other : others) {
            if (other && other != this && other->isListening() && other->m_options.purpose == m_options.purpose) {
                other->close();
                Q_EMIT other->superseded();
            }
        }
    }
    m_server = new QTcpServer(this);
    if (!m_server->listen(QHostAddress::LocalHost, m_options.port)) {
        m_error = m_server->errorString();
        m_server->deleteLater();
        m_server = nullptr;
        return false;
    }
    connect(m_server, &QTcpServer::newConnection, this, &LoopbackListener::acceptPending);
    liveListeners().removeAll(QPointer<LoopbackListener>());
    liveListeners().append(this);
    if (m_options.timeLimitMs > 0)
        m_timer->start(m_options.timeLimitMs);
    return true;
}

void LoopbackListener::close()
{
    m_timer->stop();
    liveListeners().removeAll(QPointer<LoopbackListener>(this));
    if (m_server) {
        m_server->close();
        m_server->deleteLater();
        m_server = nullptr;
    }
    // Connections still sending their request are of no use any more.
    const QList<QTcpSocket *> waiting = std::exchange(m_arrivals, {});
    m_buffers.clear();
    for (QTcpSocket *socket : waiting)
        socket->abort();
}

bool LoopbackListener::isListening() const
{
    return m_server && m_server->isListening();
}

quint16 LoopbackListener::port() const
{
    return m_server ? m_server->serverPort() : 0;
}

QUrl LoopbackListener::serveStart(const QUrl &target)
{
    m_startTarget = target;
    m_startUsed = false;
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(QLatin1String(StartPath)));
}

QByteArray LoopbackListener::notFoundPage()
{
    return QByteArrayLiteral("HTTP/1.1 404 Not Found\r\nContent-Type: text/plain; charset=utf-8\r\n"
                             "Content-Length: 0\r\nConnection: close\r\n\r\n");
}

QByteArray LoopbackListener::forbiddenPage()
{
    static const QByteArray body = "This sign-in answers only the user of this computer who started it.";
    return "HTTP/1.1 403 Forbidden\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

bool LoopbackListener::isOwnUsers(const QTcpSocket &socket) const
{
    if (!m_options.peerOwner)
        return true;
    const std::optional<uint> owner = m_options.peerOwner(socket);
    if (!owner)
        qWarning("LoopbackListener: the owner of a connection from port %u cannot be found; it is refused",
                 unsigned(socket.peerPort()));
    return owner == LoopbackPeer::ownUid();
}

void LoopbackListener::acceptPending()
{
    while (m_server) {
        QTcpSocket *socket = m_server->nextPendingConnection();
        if (!socket)
            return;
        socket->setParent(this);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        // Asked while the peer is surely still connected. A stranger is not
        // kept waiting for a request: held open by the thousand, its
        // connections would use up the program's files.
        if (!isOwnUsers(*socket)) {
            refuse(socket);
            continue;
        }
        if (m_arrivals.size() >= qMax(1, m_options.maxWaitingConnections))
            drop(m_arrivals.constFirst());
        m_buffers.insert(socket, QByteArray());
        m_arrivals.append(socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { forget(socket); });
        QTimer::singleShot(m_options.requestWaitMs, socket, [this, socket] { drop(socket); });
        if (socket->bytesAvailable() > 0)
            readFrom(socket);
    }
}

void LoopbackListener::readFrom(QTcpSocket *socket)
{
    auto buffered = m_buffers.find(socket);
    if (buffered == m_buffers.end())
        return;
    buffered->append(socket->readAll());
    const qsizetype lineEnd = buffered->indexOf('\n');
    if (lineEnd < 0) {
        if (buffered->size() > MaxRequestLineBytes)
            answer(socket, m_options.failurePage);
        return;
    }
    const QByteArray line = buffered->left(lineEnd).trimmed();
    forget(socket);

    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() < 3 || parts.at(1).isEmpty()) {
        answer(socket, m_options.failurePage);
        return;
    }
    const QUrl target(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(parts.at(1)));
    if (parts.at(0) == "GET" && !m_startTarget.isEmpty() && target.path() == QLatin1String(StartPath)) {
        answerStart(socket);
        return;
    }
    const bool startPending = !m_startTarget.isEmpty() && !m_startUsed;
    if (parts.at(0) != "GET" || !target.isValid() || target.path() != m_options.redirectPath || startPending) {
        answer(socket, notFoundPage());
        return;
    }
    const QUrlQuery query(target);
    if (m_options.accepts && !m_options.accepts(query)) {
        answer(socket, notFoundPage());
        return;
    }
    const bool success = !m_options.isSuccess || m_options.isSuccess(query);
    answer(socket, success ? m_options.successPage : m_options.failurePage);
    close();
    // Handed over once this socket's signal has returned: whoever hears of
    // the redirect may show a dialog or delete this listener, and neither
    // may happen while the socket is still on the stack.
    QMetaObject::invokeMethod(
        this, [this, query] { Q_EMIT redirectReceived(query); }, Qt::QueuedConnection);
}

void LoopbackListener::answerStart(QTcpSocket *socket)
{
    if (!m_startUsed) {
        m_startUsed = true;
        answer(socket, "HTTP/1.1 302 Found\r\nLocation: " + m_startTarget.toEncoded()
                           + "\r\nCache-Control: no-store\r\nReferrer-Policy: no-referrer\r\n"
                             "Content-Length: 0\r\nConnection: close\r\n\r\n");
        return;
    }
    answer(socket, QByteArrayLiteral("HTTP/1.1 403 Forbidden\r\nContent-Type: text/plain; charset=utf-8\r\n"
                                     "Connection: close\r\n\r\n"
                                     "This sign-in address has already been used. Return to Tindlebrook Calendar "
                                     "and sign in again."));
    close();
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT startReused(); }, Qt::QueuedConnection);
}

void LoopbackListener::refuse(QTcpSocket *socket)
{
    socket->write(forbiddenPage());
    socket->disconnectFromHost();
}

void LoopbackListener::answer(QTcpSocket *socket, const QByteArray &page)
{
    forget(socket);
    socket->write(page);
    socket->disconnectFromHost();
}

void LoopbackListener::drop(QTcpSocket *socket)
{
    if (!m_buffers.contains(socket))
        return;
    forget(socket);
    socket->disconnectFromHost();
}

void LoopbackListener::forget(QTcpSocket *socket)
{
    m_buffers.remove(socket);
    m_arrivals.removeOne(socket);
}
