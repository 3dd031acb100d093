#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include "store/event.h"
#include "sync/oauth/listingpage.h"

namespace Google {

// One event resource of a listing, read once off the window's thread: what
// the pull decides on, and the record it would write.
struct ListedEvent
{
    QString id;
    QString etag;
    bool cancelled = false;
    // "recurringEventId": the series an instance belongs to.
    QString seriesId;
    // Of a cancelled instance, the day it takes from its series as the
    // series' skipped days name it (skippedDayFromJson); empty without one.
    QString recurrenceId;
    // The resource as a record, its calendar id left to the caller; none for
    // a cancelled resource, which is never written.
    Event record;
};

ListedEvent listedEventFromJson(const QJsonObject &item);

// One page of an events listing as it came.
using EventPage = OAuth::ListingPage<ListedEvent>;

// A body that is no JSON object reads as an unreadable page.
EventPage readEventPage(const QByteArray &body);

} // namespace Google
