#include "sync/microsoft/microsoftlistedevent.h"

#include "sync/microsoft/microsofteventmapping.h"

namespace Microsoft {

ListedEvent listedEventFromGraph(const QJsonObject &object)
{
    ListedEvent listed;
    listed.id = object.value(QStringLiteral("id")).toString();
    listed.seriesMasterId = object.value(QStringLiteral("seriesMasterId")).toString();
    listed.removed = object.contains(QStringLiteral("@removed"));
    listed.occurrence = object.value(QStringLiteral("type")).toString() == QLatin1String("occurrence");
    listed.transactionId = object.value(QStringLiteral("transactionId")).toString();
    if (!listed.removed && !listed.occurrence && !listed.id.isEmpty())
        listed.record = eventFromGraph(object, QString());
    return listed;
}

EventPage readEventPage(const QByteArray &body)
{
    return OAuth::readListingPage(body, QLatin1String("value"), QLatin1String("@odata.nextLink"),
                                  QLatin1String("@odata.deltaLink"), &listedEventFromGraph);
}

} // namespace Microsoft
