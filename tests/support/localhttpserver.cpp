#include "tests/support/localhttpserver.h"

#include <QFile>
#include <QHostAddress>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <utility>

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 201: return "Created";
    case 204: return "No Content";
    case 207: return "Multi-Status";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 412: return "Precondition Failed";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

quint32 crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void appendLittleEndian(QByteArray &out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

} // namespace

LocalHttpServer::Reply LocalHttpServer::Reply::gzipped(const QByteArray &body)
{
    // qCompress gives a 4-byte length, a 2-byte zlib header, the deflate
    // stream and a 4-byte Adler-32; gzip wants the bare deflate stream.
    const QByteArray zlib = qCompress(body, 9);
    Reply reply;
    reply.headers.append(qMakePair(QByteArray("Content-Encoding"), QByteArray("gzip")));
    reply.body = QByteArray("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10);
    reply.body += zlib.mid(6, zlib.size() - 10);
    appendLittleEndian(reply.body, crc32(body));
    appendLittleEndian(reply.body, quint32(body.size()));
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::Reply::status207(const QByteArray &body)
{
    Reply reply;
    reply.status = 207;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/xml; charset=utf-8")));
    reply.body = body;
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::Reply::redirect(int status, const QByteArray &location)
{
    Reply reply;
    reply.status = status;
    reply.headers.append(qMakePair(QByteArray("Location"), location));
    return reply;
}

LocalHttpServer::LocalHttpServer(QObject *parent)
    : QObject(parent)
{
}

LocalHttpServer::~LocalHttpServer()
{
    for (const QPointer<QTcpSocket> &socket : std::as_const(m_sockets)) {
        if (socket)
            socket->abort();
    }
}

bool LocalHttpServer::listen()
{
    m_server = std::make_unique<QTcpServer>();
    connect(m_server.get(), &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection())
            accept(socket);
    });
    return m_server->listen(QHostAddress::LocalHost, 0);
}

bool LocalHttpServer::listenTls(const QString &certificatePath, const QString &keyPath)
{
    QFile certFile(certificatePath);
    QFile keyFile(keyPath);
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly))
        return false;
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificate(QSslCertificate(certFile.readAll(), QSsl::Pem));
    config.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Rsa, QSsl::Pem));
    config.setPeerVerifyMode(QSslSocket::VerifyNone);

    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(config);
    connect(server.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection())
            accept(socket);
    });
    m_server = std::move(server);
    m_tls = true;
    return m_server->listen(QHostAddress::LocalHost, 0);
}

QUrl LocalHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                    .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(port())
                    .arg(path));
}

quint16 LocalHttpServer::port() const
{
    return m_server ? m_server->serverPort() : 0;
}

void LocalHttpServer::accept(QTcpSocket *socket)
{
    socket->setParent(this);
    m_sockets.append(socket);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        m_buffers.remove(socket);
        socket->deleteLater();
    });
    if (socket->bytesAvailable() > 0)
        readFrom(socket);
}

void LocalHttpServer::readFrom(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer.append(socket->readAll());
    // Several requests may arrive on one kept-alive connection.
    while (true) {
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        Request request;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.target = first.value(1);
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const int colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        const int length = request.header("content-length").toInt();
        if (buffer.size() < headerEnd + 4 + length)
            return;
        request.body = buffer.mid(headerEnd + 4, length);
        buffer.remove(0, headerEnd + 4 + length);
        m_requests.append(request);
        answer(socket, request);
        if (socket->state() != QAbstractSocket::ConnectedState)
            return;
    }
}

void LocalHttpServer::answer(QTcpSocket *socket, const Request &request)
{
    Reply reply;
    if (m_handler)
        reply = m_handler(request);
    else
        reply.status = 404;
    if (reply.hang)
        return;
    if (reply.dropped) {
        socket->disconnectFromHost();
        return;
    }
    if (reply.held) {
        m_held.append(qMakePair(QPointer<QTcpSocket>(socket), reply));
        return;
    }
    send(socket, reply);
}

void LocalHttpServer::releaseHeld()
{
    const auto held = std::exchange(m_held, {});
    for (const auto &answer : held) {
        if (answer.first && answer.first->state() == QAbstractSocket::ConnectedState)
            send(answer.first, answer.second);
    }
}

void LocalHttpServer::send(QTcpSocket *socket, const Reply &reply)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status) + "\r\n";
    for (const auto &header : std::as_const(reply.headers))
        out += header.first + ": " + header.second + "\r\n";
    if (reply.closeWithoutLength)
        out += "Connection: close\r\n";
    else
        out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    out += "\r\n";
    if (reply.trickleMs > 0) {
        socket->write(out);
        trickle(socket, reply.body, reply.trickleMs);
        return;
    }
    if (reply.truncateAt >= 0)
        out += reply.body.left(reply.truncateAt);
    else
        out += reply.body;
    socket->write(out);
    if (reply.truncateAt >= 0 || reply.closeWithoutLength) {
        socket->flush();
        socket->disconnectFromHost();
    }
}

void LocalHttpServer::trickle(QTcpSocket *socket, const QByteArray &rest, int intervalMs)
{
    if (rest.isEmpty())
        return;
    QPointer<QTcpSocket> guarded(socket);
    QTimer::singleShot(intervalMs, this, [this, guarded, rest, intervalMs] {
        if (!guarded || guarded->state() != QAbstractSocket::ConnectedState)
            return;
        guarded->write(rest.left(1));
        trickle(guarded, rest.mid(1), intervalMs);
    });
}
