#include "sync/oauth/pulledevent.h"

#include <QJsonDocument>
#include <QUuid>

namespace OAuth {

Event pulledEvent(const QString &calendarId, const QString &providerEventId, const QString &etag,
                  const QString &title)
{
    Event event;
    event.calendar_id = calendarId;
    event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.provider_event_id = providerEventId;
    event.uid = event.provider_event_id;
    event.etag = etag;
    event.title = title.isEmpty() ? QStringLiteral("Untitled Event") : title;
    return event;
}

void settlePulledEvent(Event &event, const QJsonObject &resource, const QString &modifiedText,
                       QDateTime (*parse)(const QString &text))
{
    event.last_modified = modifiedText.isEmpty() ? QDateTime::currentDateTimeUtc() : parse(modifiedText);
    event.created = event.last_modified;
    event.raw_icalendar = QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
    event.sync_status = SyncStatus::Synced;
}

QDateTime parseIsoInstant(const QString &value)
{
    QDateTime parsed = QDateTime::fromString(value, Qt::ISODateWithMs);
    if (!parsed.isValid())
        parsed = QDateTime::fromString(value, Qt::ISODate);
    return parsed;
}

QDateTime endOrDefault(const Event &event)
{
    if (event.end_time && event.end_time->isValid())
        return *event.end_time;
    return event.is_all_day ? event.start_time.addDays(1) : event.start_time.addSecs(3600);
}

} // namespace OAuth
