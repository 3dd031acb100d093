#pragma once

#include "store/event.h"

#include <QDateTime>
#include <QString>

namespace Sync {

// One event changed locally while the server's copy changed too.
struct Conflict
{
    QString id;
    Event local;
    Event remote;
    QDateTime detectedAt;
};

} // namespace Sync
