#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

class QNetworkReply;
class QNetworkRequest;

namespace Google {

// One finished reply, read once. A reply without an HTTP answer (refused,
// timed out, reset) has status 0 and its body says why in words.
struct ReplyData
{
    int status = 0;
    QByteArray body;

    bool ok() const { return status >= 200 && status <= 299; }
    // The body as text, for failure messages.
    QString text() const { return QString::fromUtf8(body); }
    // The body as a JSON object; empty when it is none.
    QJsonObject object() const;
};

// Reads the reply and schedules it for deletion.
ReplyData takeReply(QNetworkReply *reply, int timeoutMs);

// Sets the time limit every Google request carries.
void limitTime(QNetworkRequest &request, int timeoutMs);

} // namespace Google
