#pragma once

#include <QtGlobal>

#include "app/network/replyguard.h"

namespace OAuth {

// How long and how much a provider's service may take, how often a
// throttled answer is asked again, and how the browser sign-in waits.
struct ServiceLimits
{
    // A request without an answer within this time fails, so a hung server
    // cannot hold a sync open.
    int transferTimeoutMs = 30000;
    // A page of events is far below this size and time; a reply past
    // either fails.
    Net::ReplyGuard::Limits replyLimits{16 * 1024 * 1024, 2 * 60 * 1000};
    // How long the browser sign-in waits for the provider's redirect, and
    // on which loopback port (0: one the system picks).
    int signInTimeLimitMs = 5 * 60 * 1000;
    quint16 signInPort = 0;
    // Throttled answers are asked again this many times; waits are capped
    // so that a sync cannot sleep for hours.
    int maxRetries = 3;
    int maxRetryWaitMs = 120000;
};

} // namespace OAuth
