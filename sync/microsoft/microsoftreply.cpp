#include "sync/microsoft/microsoftreply.h"

#include <QCoreApplication>
#include <QDebug>
#include <QJsonObject>

namespace Microsoft {

ReplyData takeReply(QNetworkReply *reply, int timeoutMs)
{
    return OAuth::readReply(reply, timeoutMs, [](int seconds) {
        return QCoreApplication::translate("Microsoft", "Microsoft did not answer within %n second(s).", nullptr,
                                           seconds);
    });
}

QString readableError(const ReplyData &data)
{
    const QJsonObject error = data.object().value(QStringLiteral("error")).toObject();
    QString words = error.value(QStringLiteral("message")).toString().trimmed();
    if (words.isEmpty())
        words = error.value(QStringLiteral("code")).toString().trimmed();
    if (words.isEmpty())
        return data.text();
    qInfo().noquote() << "[Microsoft] HTTP" << data.status << "answer:" << data.text();
    return words;
}

} // namespace Microsoft
