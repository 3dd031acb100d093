#include "sync/microsoft/microsoftreply.h"

#include <QCoreApplication>

namespace Microsoft {

ReplyData takeReply(QNetworkReply *reply, int timeoutMs)
{
    return OAuth::readReply(reply, timeoutMs, [](int seconds) {
        return QCoreApplication::translate("Microsoft", "Microsoft did not answer within %n second(s).", nullptr,
                                           seconds);
    });
}

} // namespace Microsoft
