#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUrlQuery>

#include <functional>

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
    };

    static constexpr int MaxRequestLineBytes = 16 * 1024;

    explicit LoopbackListener(QObject *parent = nullptr);
    ~LoopbackListener() override;

    // Stops any earlier listening of this object first. False when the port
    // cannot be bound; errorString() then says why.
    bool listen(const Options &options);
    void close();
    bool isListening() const;
    quint16 port() const;
    QString errorString() const { return m_error; }

    static QByteArray notFoundPage();

Q_SIGNALS:
    // The browser has been answered and the listener is closed; emitted in
    // a later turn of the event loop than the request's arrival.
    void redirectReceived(const QUrlQuery &query);
    // Nothing arrived in time; the listener is closed.
    void timedOut();
    // A newer sign-in with the same purpose took over; the listener is closed.
    void superseded();

private:
    void acceptPending();
    void readFrom(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QByteArray &page);

    Options m_options;
    QTcpServer *m_server = nullptr;
    QTimer *m_timer;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QString m_error;
};
