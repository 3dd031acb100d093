#include "sync/google/googlereply.h"

#include <QCoreApplication>

namespace Google {

ReplyData takeReply(QNetworkReply *reply, int timeoutMs)
{
    return OAuth::readReply(reply, timeoutMs, [](int seconds) {
        return QCoreApplication::translate("Google", "Google did not answer within %n second(s).", nullptr, seconds);
    });
}

} // namespace Google
