#pragma once

#include "sync/oauth/replydata.h"

class QNetworkReply;

namespace Microsoft {

// One finished reply, read once. A reply without an HTTP answer (refused,
// timed out, reset) has status 0 and its body says why in words.
using ReplyData = OAuth::ReplyData;

// Reads the reply and schedules it for deletion.
ReplyData takeReply(QNetworkReply *reply, int timeoutMs);

} // namespace Microsoft
