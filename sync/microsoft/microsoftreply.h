#pragma once

#include <QString>

#include "sync/oauth/replydata.h"

class QNetworkReply;

namespace Microsoft {

// One finished reply, read once. A reply without an HTTP answer (refused,
// timed out, reset) has status 0 and its body says why in words.
using ReplyData = OAuth::ReplyData;

// Reads the reply and schedules it for deletion.
ReplyData takeReply(QNetworkReply *reply, int timeoutMs);

// What the user reads of a refused request: Graph's own words for it
// ("error"."message", else its "code"), or the body as it came when it is
// no Graph error. Graph's whole answer, which the words leave out, goes to
// the log.
QString readableError(const ReplyData &data);

} // namespace Microsoft
