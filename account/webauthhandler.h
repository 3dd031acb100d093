#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class LoopbackListener;

namespace TindAccount {

// Receives the browser's redirect at the end of a cloud sign-in: a one-shot
// listener on 127.0.0.1 that answers GET "/callback" with a page telling the
// user to return to the program. Only a callback that carries this sign-in's
// random state counts; any other request (another local program handing in
// tokens of its own) gets 404 and the sign-in goes on waiting.
class WebAuthHandler : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 PreferredPort = 19876;
    static constexpr int DefaultTimeLimitMs = 10 * 60 * 1000;

    explicit WebAuthHandler(QObject *parent = nullptr);

    // Starts listening (port 19876, else any free one) and returns the
    // redirect URI; empty when no port could be opened.
    QString start();
    QString redirectUri() const;
    // The random value the sign-in page must hand back with the tokens.
    QString state() const { return m_state; }
    quint16 port() const { return m_port; }
    void setTimeLimit(int ms) { m_timeLimitMs = ms; }

    static QByteArray successPage();

Q_SIGNALS:
    void callbackReceived(QUrl url);
    // The listener closed without a redirect: its time ran out or a newer
    // sign-in took over.
    void abandoned();

private:
    LoopbackListener *m_listener;
    quint16 m_port = 0;
    QString m_state;
    int m_timeLimitMs = DefaultTimeLimitMs;
};

} // namespace TindAccount
