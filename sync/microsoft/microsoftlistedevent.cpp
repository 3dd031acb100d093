#include "sync/microsoft/microsoftlistedevent.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "sync/microsoft/microsofteventmapping.h"

namespace Microsoft {

ListedEvent listedEventFromGraph(const QJsonObject &object)
{
    ListedEvent listed;
    listed.id = object.value(QStringLiteral("id")).toString();
    listed.seriesMasterId = object.value(QStringLiteral("seriesMasterId")).toString();
    listed.removed = object.contains(QStringLiteral("@removed"));
    listed.occurrence = object.value(QStringLiteral("type")).toString() == QLatin1String("occurrence");
    if (!listed.removed && !listed.occurrence && !listed.id.isEmpty())
        listed.record = eventFromGraph(object, QString());
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
    const QJsonArray values = object.value(QStringLiteral("value")).toArray();
    page.events.reserve(values.size());
    page.listed.reserve(values.size());
    for (const QJsonValue &value : values) {
        const QJsonObject event = value.toObject();
        page.events.append(event);
        page.listed.append(listedEventFromGraph(event));
    }
    page.nextLink = object.value(QStringLiteral("@odata.nextLink")).toString();
    page.deltaLink = object.value(QStringLiteral("@odata.deltaLink")).toString();
    return page;
}

} // namespace Microsoft
