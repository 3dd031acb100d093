#pragma once

#include "calendar/icscodec.h"
#include "store/event.h"

#include <QString>

// What the undo of an edit gives back: the record's fields as they were, as
// a new edit after `edits` edits of the row, whose text says the same.
inline Event undoneEdit(Event before, const Event &restored, int edits)
{
    before.sync_status = SyncStatus::Pending;
    before.last_modified = restored.last_modified;
    before.sequence += edits + 1;
    // The text names an event without an end as ending at its start.
    const Event text = IcsCodec::parseEvents(restored.raw_icalendar).value(0);
    const bool saysTheSame = text.start_time == before.start_time
        && text.end_time == before.end_time.value_or(before.start_time) && text.sequence == before.sequence;
    before.raw_icalendar = saysTheSame ? restored.raw_icalendar : QStringLiteral("a text saying otherwise");
    return before;
}
