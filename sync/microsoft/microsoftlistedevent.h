#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include "store/event.h"
#include "sync/oauth/listingpage.h"

namespace Microsoft {

// One Graph object of a listing, read once off the window's thread: what
// the pull decides on, and the record it would write.
struct ListedEvent
{
    QString id;
    // "seriesMasterId": the series an occurrence or exception belongs to.
    QString seriesMasterId;
    // A deletion ("@removed").
    bool removed = false;
    // An occurrence: the series' own, never written apart.
    bool occurrence = false;
    // "transactionId": the local id of the row whose insert made the event
    // here (empty for events made elsewhere).
    QString transactionId;
    // The object as a record, its calendar id left to the caller; none for
    // a deletion or an occurrence.
    Event record;
};

ListedEvent listedEventFromGraph(const QJsonObject &object);

// One page of an events listing as it came.
using EventPage = OAuth::ListingPage<ListedEvent>;

// A body that is no JSON object reads as an unreadable page.
EventPage readEventPage(const QByteArray &body);

} // namespace Microsoft
