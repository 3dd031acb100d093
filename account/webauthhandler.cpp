#include "account/webauthhandler.h"

#include <QRandomGenerator>
#include <QUrlQuery>

#include "app/platform/loopbacklistener.h"

namespace TindAccount {

namespace {

const char CallbackPath[] = "/callback";
const char StateKey[] = "state";

QString randomState()
{
    QByteArray bytes(24, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    return QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

} // namespace

WebAuthHandler::WebAuthHandler(QObject *parent)
    : QObject(parent)
    , m_listener(new LoopbackListener(this))
{
    connect(m_listener, &LoopbackListener::redirectReceived, this, [this](const QUrlQuery &query) {
        QUrl url(redirectUri(), QUrl::TolerantMode);
        url.setQuery(query);
        Q_EMIT callbackReceived(url);
    });
    connect(m_listener, &LoopbackListener::timedOut, this, &WebAuthHandler::abandoned);
    connect(m_listener, &LoopbackListener::superseded, this, &WebAuthHandler::abandoned);
    connect(m_listener, &LoopbackListener::startReused, this, &WebAuthHandler::startReused);
}

QByteArray WebAuthHandler::successPage()
{
    return QByteArrayLiteral(
        "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n"
        "<html><body style='font-family: sans-serif; text-align: center; padding: 40px;'>"
        "<h2>Authentication complete!</h2><p>You can close this tab and return to the application.</p>"
        "</body></html>");
}

QString WebAuthHandler::start()
{
    if (m_listener->isListening())
        return redirectUri();
    LoopbackListener::Options options;
    // A new cloud sign-in closes an abandoned one, freeing the usual port.
    options.purpose = QStringLiteral("tindlebrook-sign-in");
    options.port = PreferredPort;
    options.redirectPath = QLatin1String(CallbackPath);
    options.successPage = successPage();
    options.failurePage = successPage();
    options.timeLimitMs = m_timeLimitMs;
    m_state = randomState();
    const QString expected = m_state;
    options.accepts = [expected](const QUrlQuery &query) {
        return query.queryItemValue(QLatin1String(StateKey), QUrl::FullyDecoded) == expected;
    };
    if (!m_listener->listen(options)) {
        options.port = 0;
        if (!m_listener->listen(options))
            return {};
    }
    m_port = m_listener->port();
    return redirectUri();
}

QUrl WebAuthHandler::startAt(const QUrl &signInPage)
{
    return m_listener->serveStart(signInPage);
}

QString WebAuthHandler::redirectUri() const
{
    // The address itself, not "localhost": a name can resolve elsewhere.
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QLatin1String(CallbackPath));
}

} // namespace TindAccount
