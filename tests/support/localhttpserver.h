#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>

class QTcpServer;
class QTcpSocket;

// A scriptable HTTP(S) server on 127.0.0.1 for what real servers will not do
// on demand: redirects, truncated or wrong bodies, hangs, 5xx, TLS with a
// self-signed certificate. Every request is recorded.
class LocalHttpServer : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray method;
        QByteArray target;                   // request target as sent
        QMap<QByteArray, QByteArray> headers; // names lower-cased
        QByteArray body;

        QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }
    };

    struct Reply
    {
        int status = 200;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        // Never answer: the connection stays open until the server stops.
        bool hang = false;
        // Send only this many body bytes, then close, while Content-Length
        // announces the whole body (a dropped connection).
        int truncateAt = -1;
        // Send no Content-Length and close after the body: the client cannot
        // tell a cut body from a whole one.
        bool closeWithoutLength = false;
        // Send the body one byte every this many milliseconds: never silent
        // long enough for an idle timeout, never done in reasonable time.
        int trickleMs = 0;
        // Answer only at releaseHeld(): an answer that comes after whatever
        // the test waits for first.
        bool held = false;
        // Close the connection without a byte of answer, as a dropped
        // connection does: a client that had sent the request and waits may
        // send it again (Qt's network access does, on a new connection).
        bool dropped = false;

        static Reply status207(const QByteArray &body);
        static Reply redirect(int status, const QByteArray &location);
        // 200 with the body sent gzip-compressed (Content-Encoding: gzip).
        static Reply gzipped(const QByteArray &body);
    };

    using Handler = std::function<Reply(const Request &)>;

    explicit LocalHttpServer(QObject *parent = nullptr);
    ~LocalHttpServer() override;

    bool listen();
    bool listenTls(const QString &certificatePath, const QString &keyPath);

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    QUrl url(const QString &path = QStringLiteral("/")) const;
    quint16 port() const;

    QList<Request> requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }
    // Sends the held answers, in the order their requests came.
    void releaseHeld();
    int heldCount() const { return int(m_held.size()); }

private:
    struct Connection;

    void accept(QTcpSocket *socket);
    void readFrom(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const Request &request);
    void send(QTcpSocket *socket, const Reply &reply);
    void trickle(QTcpSocket *socket, const QByteArray &rest, int intervalMs);

    std::unique_ptr<QTcpServer> m_server;
    bool m_tls = false;
    Handler m_handler;
    QList<Request> m_requests;
    QMap<QTcpSocket *, QByteArray> m_buffers;
    QList<QPointer<QTcpSocket>> m_sockets;
    QList<QPair<QPointer<QTcpSocket>, Reply>> m_held;
};
