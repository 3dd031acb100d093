#include "sync/oauth/replydata.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonValue>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "app/network/onelinetext.h"
#include "app/network/replyguard.h"

#include <initializer_list>

namespace OAuth {

namespace {

// Enough of a body to tell what answered.
constexpr int LoggedBodyMaxChars = 1000;

QString firstText(const QJsonObject &object, std::initializer_list<const char *> keys)
{
    for (const char *key : keys) {
        const QString words = object.value(QLatin1String(key)).toString().simplified();
        if (!words.isEmpty())
            return words;
    }
    return QString();
}

} // namespace

QJsonObject ReplyData::object() const
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    return document.isObject() ? document.object() : QJsonObject();
}

QString ReplyData::readableError(Words form, const QString &statusOnly) const
{
    if (status == 0)
        return Net::oneBoundedLine(text(), secrets, ErrorWordsMaxChars);
    const QJsonObject answer = object();
    const QJsonValue error = answer.value(QStringLiteral("error"));
    QString words;
    if (error.isString()) // OAuth: RFC 6749, section 5.2.
        words = firstText(answer, {"error_description", "error"});
    else if (error.isObject()) // Google's numeric code says less than its status.
        words = firstText(error.toObject(), {"message", "code", "status"});
    if (words.isEmpty())
        return statusOnly.isEmpty() ? QString() : statusOnly.arg(status);
    words = Net::oneBoundedLine(words, secrets, ErrorWordsMaxChars);
    return form == Words::ThenStatus ? words + QStringLiteral(" (HTTP %1)").arg(status) : words;
}

QString ReplyData::loggedBody() const
{
    // JSON as one compact line: its escapes ("\/", "\u0041") cannot hide a secret.
    const QJsonDocument document = QJsonDocument::fromJson(body);
    const QString whole =
        document.isNull() ? text() : QString::fromUtf8(document.toJson(QJsonDocument::Compact));
    return Net::oneBoundedLine(whole, secrets, LoggedBodyMaxChars);
}

QString ReplyData::statusSentence()
{
    return QCoreApplication::translate("OAuth", "The service answered HTTP %1.");
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
