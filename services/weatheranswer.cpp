#include "services/weatheranswer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "app/network/replyguard.h"

namespace Weather {

void get(QNetworkAccessManager *network, const Endpoints &endpoints, const QUrl &url, QObject *receiver,
         const std::function<void(const Answer &answer)> &done)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(endpoints.transferTimeoutMs);
    QNetworkReply *reply = network->get(request);
    Net::ReplyGuard::watch(reply, {endpoints.maxReplyBytes, endpoints.deadlineMs});
    QObject::connect(reply, &QNetworkReply::finished, receiver, [reply, done] {
        Answer answer;
        answer.body = reply->readAll();
        answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QNetworkReply::NetworkError error = reply->error();
        answer.timedOut = answer.status == 0
            && (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError);
        answer.stopped = Net::ReplyGuard::failure(reply);
        reply->deleteLater();
        done(answer);
    });
}

} // namespace Weather
