#include "sync/oauth/replydata.h"

#include <QJsonDocument>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "app/network/replyguard.h"

namespace OAuth {

QJsonObject ReplyData::object() const
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    return document.isObject() ? document.object() : QJsonObject();
}

ReplyData readReply(QNetworkReply *reply, int timeoutMs, const std::function<QString(int seconds)> &timeoutText)
{
    ReplyData data;
    data.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    data.body = reply->readAll();
    bool ok = false;
    const int retryAfter = reply->rawHeader("Retry-After").trimmed().toInt(&ok);
    if (ok && retryAfter >= 0)
        data.retryAfterSeconds = retryAfter;
    const QString stopped = Net::ReplyGuard::failure(reply);
    if (!stopped.isEmpty()) {
        // Headers may have arrived before the guard cut the body off: what
        // there is of it is no answer.
        data.status = 0;
        data.body = stopped.toUtf8();
    } else if (data.status == 0) {
        // The transfer timeout aborts the reply as if it were cancelled.
        if (reply->error() == QNetworkReply::OperationCanceledError)
            data.body = timeoutText(qMax(1, timeoutMs / 1000)).toUtf8();
        else
            data.body = reply->errorString().toUtf8();
    }
    reply->deleteLater();
    return data;
}

} // namespace OAuth
