#include "sync/oauth/bearerclient.h"

#include <QDebug>
#include <QDeadlineTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace OAuth {

BearerClient::BearerClient(Rules rules, QObject *parent)
    : QObject(parent)
    , m_rules(std::move(rules))
    , m_network(new QNetworkAccessManager(this))
{
}

void BearerClient::send(std::shared_ptr<BearerCall> call, Done done)
{
    QNetworkRequest request = call->request;
    call->sentWith = m_accessToken;
    if (!m_accessToken.isEmpty())
        request.setRawHeader("Authorization", "Bearer " + m_accessToken.toUtf8());
    QNetworkReply *reply = call->hasBody ? m_network->sendCustomRequest(request, call->method, call->body)
                                         : m_network->sendCustomRequest(request, call->method);
    Net::ReplyGuard::watch(reply, m_rules.limits.replyLimits);
    ++m_inFlight;
    connect(reply, &QNetworkReply::finished, this, [this, reply, call, done] { finish(reply, call, done); });
}

void BearerClient::finish(QNetworkReply *reply, std::shared_ptr<BearerCall> call, Done done)
{
    ReplyData data = m_rules.readReply(reply, m_rules.limits.transferTimeoutMs);
    // A proxy's page may echo the header the request came with.
    data.secrets = QStringList{call->sentWith, m_accessToken};
    // Still counted while a renewer is asked: it may answer at once.
    const bool renewing = renewAfterRefusal(
        data.status, call->renewed, m_renewToken, call->sentWith, this, [this, call, done, data](const QString &token) {
            --m_inFlight;
            if (token.isEmpty()) {
                handOver(data, done);
                return;
            }
            m_accessToken = token;
            send(call, done);
        });
    if (renewing)
        return;
    --m_inFlight;
    const qint64 fallbackMs =
        call->attempt < m_rules.limits.maxRetries ? m_rules.retryWaitMs(data, call->attempt) : -1;
    if (fallbackMs < 0) {
        handOver(data, done);
        return;
    }
    const qint64 asked = data.retryAfterSeconds >= 0 ? qint64(data.retryAfterSeconds) * 1000 : fallbackMs;
    const int waitMs = int(qBound(qint64(0), asked, qint64(m_rules.limits.maxRetryWaitMs)));
    ++call->attempt;
    qInfo().noquote() << QStringLiteral("[%1]").arg(m_rules.logName) << "HTTP" << data.status
                      << "— asking again in" << waitMs << "ms";
    const bool counted = m_rules.waitsInFlight;
    if (counted)
        ++m_inFlight;
    sendAfter(QDeadlineTimer(waitMs, Qt::PreciseTimer), call, [this, done, counted](std::shared_ptr<BearerCall> due) {
        if (counted)
            --m_inFlight;
        send(due, done);
    });
}

void BearerClient::handOver(const ReplyData &data, const Done &done) const
{
    // The caller's words for a refusal leave the rest of the answer out.
    if (!data.ok() && data.status != 0)
        qInfo().noquote() << QStringLiteral("[%1]").arg(m_rules.logName) << "HTTP" << data.status
                          << "answer:" << data.loggedBody();
    done(data);
}

void BearerClient::sendAfter(const QDeadlineTimer &due, std::shared_ptr<BearerCall> call,
                             std::function<void(std::shared_ptr<BearerCall>)> go)
{
    // A service that names a wait refuses a request sent before it is over:
    // a precise timer (a coarse one may fire 5% early), and a timer that
    // fires early all the same waits out the rest.
    QTimer::singleShot(due.remainingTime(), Qt::PreciseTimer, this, [this, due, call, go] {
        if (due.hasExpired())
            go(call);
        else
            sendAfter(due, call, go);
    });
}

} // namespace OAuth
