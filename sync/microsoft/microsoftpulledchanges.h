#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include "sync/microsoft/microsoftlistedevent.h"

namespace Microsoft {

// Everything one pull of a calendar brought, ready to be applied.
struct PulledChanges
{
    // The listing's objects in the order received: single events, the
    // exceptions and occurrences of series, and deletions ("@removed").
    QList<QJsonObject> events;
    // The same objects as read off the window's thread, page by page.
    QList<QList<ListedEvent>> listedPages;
    // Series masters read one by one: a window or delta listing holds only
    // their instances, and a series that began before the window would
    // otherwise be missed.
    QList<QJsonObject> masters;
    // Masters Graph answered 404 or 410 for.
    QStringList goneMasters;
    // Masters that could not be read this time.
    int unreadMasters = 0;
    QString deltaToken;
    // The calendar holds a delta token but is no longer the default one.
    bool dropDeltaToken = false;
    // A whole window listing: synced rows inside the window that it did not
    // name are gone on the server.
    bool wholeWindow = false;
    QDateTime windowStart;
    QDateTime windowEnd;
};

} // namespace Microsoft
