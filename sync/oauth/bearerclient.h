#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>
#include <QString>

#include "sync/oauth/replydata.h"
#include "sync/oauth/servicelimits.h"
#include "sync/oauth/tokenrenewer.h"

#include <functional>
#include <memory>

class QDeadlineTimer;
class QNetworkAccessManager;
class QNetworkReply;

namespace OAuth {

// One request of a provider's REST client; the access token is added as it
// is sent, so a renewed one replaces it.
struct BearerCall
{
    QByteArray method;
    QNetworkRequest request;
    QByteArray body;
    bool hasBody = false;
    // Times asked again after a throttled answer.
    int attempt = 0;
    bool renewed = false;
    // The access token it was last sent with: a 401 refuses that one, which
    // another request of the client may have renewed already.
    QString sentWith;
};

// The sending half of a provider's REST client: sends its requests with the
// current access token, once more with a renewed token after a 401, and
// again after an answer the provider asks to be asked again later. Counts
// what is in flight.
class BearerClient : public QObject
{
    Q_OBJECT
public:
    // How one provider's service is asked.
    struct Rules
    {
        // Reads a finished reply in the provider's words.
        ReplyData (*readReply)(QNetworkReply *reply, int timeoutMs) = nullptr;
        ServiceLimits limits;
        // The wait before asking again after `data`, before the cap, when
        // the Retry-After header names none; below zero when `data` is not
        // worth asking again. attempt: the times asked again so far.
        std::function<qint64(const ReplyData &data, int attempt)> retryWaitMs;
        // Whether a request waiting to be asked again counts as in flight.
        bool waitsInFlight = false;
        // Names the provider in the log.
        QString logName;
    };
    using Done = std::function<void(const ReplyData &data)>;

    void setAccessToken(const QString &token) { m_accessToken = token; }
    // Asked for a new access token when the service answers 401, once per
    // request; without a token the request fails with its 401.
    void setTokenRenewer(TokenRenewer renewer) { m_renewToken = std::move(renewer); }

    // Requests sent and not yet answered.
    int requestsInFlight() const { return m_inFlight; }

protected:
    BearerClient(Rules rules, QObject *parent);

    QString accessToken() const { return m_accessToken; }
    void send(std::shared_ptr<BearerCall> call, Done done);

private:
    void finish(QNetworkReply *reply, std::shared_ptr<BearerCall> call, Done done);
    // Hands the final answer to the request's caller; a refusal's body goes
    // to the log, cut short.
    void handOver(const ReplyData &data, const Done &done) const;
    // Runs `go` with `call` once `due` has passed, never before.
    void sendAfter(const QDeadlineTimer &due, std::shared_ptr<BearerCall> call,
                   std::function<void(std::shared_ptr<BearerCall>)> go);

    Rules m_rules;
    QNetworkAccessManager *m_network;
    QString m_accessToken;
    TokenRenewer m_renewToken;
    int m_inFlight = 0;
};

} // namespace OAuth
