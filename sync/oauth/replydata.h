#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <functional>

class QNetworkReply;

namespace OAuth {

// One finished reply of a provider's service, read once. A reply without
// an HTTP answer (refused, timed out, reset) has status 0 and its body says
// why in words.
struct ReplyData
{
    int status = 0;
    QByteArray body;
    // Seconds from a Retry-After header; -1 without one.
    int retryAfterSeconds = -1;

    bool ok() const { return status >= 200 && status <= 299; }
    // Too many requests, or the service busy: worth asking again later.
    bool throttled() const { return status == 429 || status == 503; }
    // The body as text. A token endpoint's answer may hold tokens: its
    // body is never shown or logged, only its errorWords().
    QString text() const { return QString::fromUtf8(body); }
    // The body as a JSON object; empty when it is none.
    QJsonObject object() const;
    // The service's own words for a refusal, on one line and bounded: an
    // OAuth error's description, else its code; a Google or Graph API
    // error's message, else its code or status. Empty when the body is no
    // such error (an HTML page, a proxy's text, a token answer).
    QString errorWords() const;
};

// Reads the reply and schedules it for deletion. A reply stopped by its
// Net::ReplyGuard has status 0 and the guard's reason as its body. A transfer that ran out of
// time gets timeoutText(seconds) as its body, seconds being timeoutMs in
// whole seconds (at least one).
ReplyData readReply(QNetworkReply *reply, int timeoutMs, const std::function<QString(int seconds)> &timeoutText);

} // namespace OAuth
