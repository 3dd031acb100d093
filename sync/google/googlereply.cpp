#include "sync/google/googlereply.h"

#include <QCoreApplication>
#include <QNetworkRequest>

namespace Google {

ReplyData takeReply(QNetworkReply *reply, int timeoutMs)
{
    return OAuth::readReply(reply, timeoutMs, [](int seconds) {
        return QCoreApplication::translate("Google", "Google did not answer within %n second(s).", nullptr, seconds);
    });
}

void limitTime(QNetworkRequest &request, int timeoutMs)
{
    request.setTransferTimeout(timeoutMs);
}

} // namespace Google
