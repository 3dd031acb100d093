#include "sync/google/googlelistedevent.h"

#include "sync/google/googleeventmapping.h"

namespace Google {

ListedEvent listedEventFromJson(const QJsonObject &item)
{
    ListedEvent listed;
    listed.id = item.value(QStringLiteral("id")).toString();
    listed.etag = item.value(QStringLiteral("etag")).toString();
    listed.cancelled = item.value(QStringLiteral("status")).toString() == QLatin1String("cancelled");
    listed.seriesId = item.value(QStringLiteral("recurringEventId")).toString();
    if (listed.cancelled)
        listed.recurrenceId = skippedDayFromJson(item);
    else if (!listed.id.isEmpty())
        listed.record = eventFromJson(item, QString());
    return listed;
}

EventPage readEventPage(const QByteArray &body)
{
    return OAuth::readListingPage(body, QLatin1String("items"), QLatin1String("nextPageToken"),
                                  QLatin1String("nextSyncToken"), &listedEventFromJson);
}

} // namespace Google
