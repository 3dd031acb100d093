#include "app/edits/eventstamp.h"

#include "app/edits/pendingrule.h"
#include "app/edits/storedtextafteredit.h"

namespace EventStamp {

namespace {

void markPending(Event &record, const Calendar &calendar)
{
    if (becomesPending(calendar))
        record.sync_status = SyncStatus::Pending;
}

} // namespace

void changed(Event &record, const Calendar &calendar)
{
    record.last_modified = QDateTime::currentDateTimeUtc();
    ++record.sequence;
    markPending(record, calendar);
    record.raw_icalendar = storedTextAfterEdit(record);
}

void answered(Event &record, const Calendar &calendar)
{
    record.last_modified = QDateTime::currentDateTimeUtc();
    markPending(record, calendar);
    record.raw_icalendar = storedTextAfterEdit(record);
}

void created(Event &record, const Calendar &calendar)
{
    record.created = record.last_modified = QDateTime::currentDateTimeUtc();
    record.sequence = 0;
    markPending(record, calendar);
    record.raw_icalendar = storedTextAfterEdit(record);
}

} // namespace EventStamp
