#pragma once

#include "services/weatherendpoints.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QObject;

namespace Weather {

// What one request to a weather service brought back.
struct Answer
{
    QByteArray body;
    int status = 0;
    // Why the reply was abandoned (too late, too large); empty otherwise.
    QString stopped;
    // No answer at all before the transfer was given up.
    bool timedOut = false;
};

// Sends a GET of `url` within the limits of `endpoints`; `done` hears the
// answer in `receiver`'s thread, unless `receiver` has gone by then.
void get(QNetworkAccessManager *network, const Endpoints &endpoints, const QUrl &url, QObject *receiver,
         const std::function<void(const Answer &answer)> &done);

} // namespace Weather
