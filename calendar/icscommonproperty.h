#pragma once

#include "calendar/icscodec.h"
#include "calendar/icscontentline.h"

// Reads the properties an event and a to-do hold alike; false when `line`
// is none of them.
template <typename Row>
bool applyCommonProperty(Row &row, const ContentLine &line)
{
    const QString &name = line.name;
    if (name == QLatin1String("UID"))
        row.uid = IcsCodec::unescapeText(line.value);
    else if (name == QLatin1String("SUMMARY"))
        row.title = IcsCodec::unescapeText(line.value);
    else if (name == QLatin1String("DESCRIPTION"))
        row.description = IcsCodec::unescapeText(line.value);
    else if (name == QLatin1String("SEQUENCE"))
        row.sequence = line.value.toInt();
    else if (name == QLatin1String("CREATED"))
        row.created = IcsCodec::parseDateTimeValue(line.value, line.params);
    else if (name == QLatin1String("LAST-MODIFIED"))
        row.last_modified = IcsCodec::parseDateTimeValue(line.value, line.params);
    else
        return false;
    return true;
}
