#include "sync/google/googlereply.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace Google {

QJsonObject ReplyData::object() const
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    return document.isObject() ? document.object() : QJsonObject();
}

ReplyData takeReply(QNetworkReply *reply, int timeoutMs)
{
    ReplyData data;
    data.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    data.body = reply->readAll();
    if (data.status == 0) {
        // The transfer timeout aborts the reply as if it were cancelled.
        const int seconds = qMax(1, timeoutMs / 1000);
        if (reply->error() == QNetworkReply::OperationCanceledError)
            data.body = QCoreApplication::translate("Google", "Google did not answer within %n second(s).", nullptr,
                                                    seconds)
                            .toUtf8();
        else
            data.body = reply->errorString().toUtf8();
    }
    reply->deleteLater();
    return data;
}

void limitTime(QNetworkRequest &request, int timeoutMs)
{
    request.setTransferTimeout(timeoutMs);
}

} // namespace Google
