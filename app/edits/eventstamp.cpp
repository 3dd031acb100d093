#include "app/edits/eventstamp.h"

#include <QJsonDocument>

#include "app/edits/pendingrule.h"
#include "calendar/icscodec.h"

namespace EventStamp {

namespace {

// The text an edited event keeps. A provider's own copy of the event (the
// JSON Google or Graph last sent) stays as it is: the sync compares the
// record with it to send only what the edit changed, so attendees and
// whatever else the record does not model stay the provider's. Any other
// event gets its iCalendar text written anew from the record.
QString storedTextAfterEdit(const Event &record)
{
    if (!record.provider_event_id.isEmpty() && record.raw_icalendar.trimmed().startsWith(QLatin1Char('{'))
        && QJsonDocument::fromJson(record.raw_icalendar.toUtf8()).isObject())
        return record.raw_icalendar;
    return IcsCodec::buildEventIcs(record);
}

} // namespace

void changed(Event &record)
{
    record.last_modified = QDateTime::currentDateTimeUtc();
    ++record.sequence;
    record.sync_status = ChangedItemStatus;
    record.raw_icalendar = storedTextAfterEdit(record);
}

void answered(Event &record)
{
    record.last_modified = QDateTime::currentDateTimeUtc();
    record.sync_status = ChangedItemStatus;
    record.raw_icalendar = storedTextAfterEdit(record);
}

void created(Event &record)
{
    record.created = record.last_modified = QDateTime::currentDateTimeUtc();
    record.sequence = 0;
    record.sync_status = ChangedItemStatus;
    record.raw_icalendar = storedTextAfterEdit(record);
}

} // namespace EventStamp
