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
// tokens of its own) gets 404 and the sign-in goes on waiting. The browser
// is sent to a one-time start address that leads on to the sign-in page, so
// the state never rides a command line; a second visit there gives the
// sign-in up (startReused).
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
    // The address to hand to the browser, leading once to `signInPage`.
    QUrl startAt(const QUrl &signInPage);
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
    // The start address was asked for twice: someone else has seen the way
    // in. The listener is closed.
    void startReused();

private:
    LoopbackListener *m_listener;
    quint16 m_port = 0;
    QString m_state;
    int m_timeLimitMs = DefaultTimeLimitMs;
};

} // namespace TindAccount
