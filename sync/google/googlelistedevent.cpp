#include "sync/google/googlelistedevent.h"

#include <QJsonArray>
#include <QJsonDocument>

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
        listed.recurrenceId = recurrenceIdFromJson(item);
    else if (!listed.id.isEmpty())
        listed.record = eventFromJson(item, QString());
    return listed;
}

EventPage readEventPage(const QByteArray &body)
{
    EventPage page;
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isObject())
        return page;
    page.readable = true;
    const QJsonObject object = document.object();
    const QJsonArray items = object.value(QStringLiteral("items")).toArray();
    page.items.reserve(items.size());
    page.listed.reserve(items.size());
    for (const QJsonValue &value : items) {
        const QJsonObject item = value.toObject();
        page.items.append(item);
        page.listed.append(listedEventFromJson(item));
    }
    page.nextPageToken = object.value(QStringLiteral("nextPageToken")).toString();
    page.nextSyncToken = object.value(QStringLiteral("nextSyncToken")).toString();
    return page;
}

} // namespace Google
