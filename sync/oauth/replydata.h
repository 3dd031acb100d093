#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>

class QNetworkReply;

namespace OAuth {

// The most of a service's words the user reads; longer ones are cut.
inline constexpr int ErrorWordsMaxChars = 300;

// One finished reply of a provider's service, read once. A reply without
// an HTTP answer (refused, timed out, reset) has status 0 and its body says
// why in words.
struct ReplyData
{
    // How the service's words stand in readableError().
    enum class Words { Alone, ThenStatus };

    int status = 0;
    QByteArray body;
    // Seconds from a Retry-After header; -1 without one.
    int retryAfterSeconds = -1;
    // What the request carried that its answer may echo (an access token,
    // a refresh token, a client secret): taken out of whatever of the
    // answer is shown or logged.
    QStringList secrets;

    bool ok() const { return status >= 200 && status <= 299; }
    // Too many requests, or the service busy: worth asking again later.
    bool throttled() const { return status == 429 || status == 503; }
    // The body as text. A token endpoint's answer may hold tokens: its
    // body is never shown or logged, only its readableError().
    QString text() const { return QString::fromUtf8(body); }
    // The body as a JSON object; empty when it is none.
    QJsonObject object() const;
    // What the user reads of a refusal, on one line, bounded and without
    // the secrets: the service's own words (an OAuth error's description,
    // else its code; a Google or Graph API error's message, else its code
    // or status), followed by " (HTTP n)" for Words::ThenStatus. An answer
    // without such words (an HTML page, a proxy's text, a token answer)
    // reads as `statusOnly` with the status as %1: empty when that is.
    // Without an HTTP answer, the body is this program's words for why.
    QString readableError(Words words = Words::Alone, const QString &statusOnly = statusSentence()) const;
    // The body for a log line: on one line, cut short, without the secrets.
    QString loggedBody() const;
    // "The service answered HTTP %1."
    static QString statusSentence();
};

// Reads the reply and schedules it for deletion. A reply stopped by its
// Net::ReplyGuard has status 0 and the guard's reason as its body. A transfer that ran out of
// time gets timeoutText(seconds) as its body, seconds being timeoutMs in
// whole seconds (at least one).
ReplyData readReply(QNetworkReply *reply, int timeoutMs, const std::function<QString(int seconds)> &timeoutText);

} // namespace OAuth
