#include "app/network/replyguard.h"

#include <QCoreApplication>
#include <QLocale>
#include <QNetworkReply>
#include <QTimer>
#include <QVariant>

namespace Net {

namespace {

const char FailureProperty[] = "tindnetGuardFailure";

} // namespace

void ReplyGuard::watch(QNetworkReply *reply, const Limits &limits)
{
    if (reply && (limits.maxBytes > 0 || limits.deadlineMs > 0))
        new ReplyGuard(reply, limits);
}

QString ReplyGuard::failure(const QNetworkReply *reply)
{
    return reply ? reply->property(FailureProperty).toString() : QString();
}

ReplyGuard::ReplyGuard(QNetworkReply *reply, const Limits &limits)
    : QObject(reply)
    , m_reply(reply)
    , m_limits(limits)
{
    if (m_limits.maxBytes > 0) {
        connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
            bool ok = false;
            const qint64 announced = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&ok);
            if (ok)
                checkSize(announced);
        });
        connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
            checkSize(qMax(received, m_reply->bytesAvailable()));
        });
        // The last piece of a body may come with the end of the reply.
        connect(reply, &QNetworkReply::finished, this, [this] { checkSize(m_reply->bytesAvailable()); });
    }
    if (m_limits.deadlineMs > 0) {
        auto *timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this] {
            const double seconds = m_limits.deadlineMs / 1000.0;
            stop(QCoreApplication::translate("Net", "%1 did not finish its answer within %2 seconds.")
                     .arg(m_reply->url().host())
                     .arg(seconds));
        });
        connect(reply, &QNetworkReply::finished, timer, &QTimer::stop);
        timer->start(m_limits.deadlineMs);
    }
}

void ReplyGuard::checkSize(qint64 received)
{
    if (received <= m_limits.maxBytes)
        return;
    stop(QCoreApplication::translate("Net", "The answer from %1 is larger than %2.")
             .arg(m_reply->url().host(),
                  QLocale().formattedDataSize(m_limits.maxBytes, 0, QLocale::DataSizeTraditionalFormat)));
}

void ReplyGuard::stop(const QString &why)
{
    if (!m_reply->property(FailureProperty).isNull())
        return;
    m_reply->setProperty(FailureProperty, why);
    // A reply already finished keeps its body, but the mark makes it a
    // failure all the same.
    if (!m_reply->isFinished())
        m_reply->abort();
}

} // namespace Net
