#include "app/edits/storedtextafteredit.h"

#include <QJsonDocument>

#include "calendar/icscodec.h"

QString storedTextAfterEdit(const Event &record)
{
    if (!record.provider_event_id.isEmpty() && record.raw_icalendar.trimmed().startsWith(QLatin1Char('{'))
        && QJsonDocument::fromJson(record.raw_icalendar.toUtf8()).isObject())
        return record.raw_icalendar;
    return IcsCodec::buildEventIcs(record);
}
