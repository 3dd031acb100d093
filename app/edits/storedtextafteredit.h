#pragma once

#include <QString>

#include "store/event.h"

// The text an edited event keeps. A provider's own copy of the event (the
// JSON Google or Graph last sent) stays as it is: the sync compares the
// record with it to send only what the edit changed, so attendees and
// whatever else the record does not model stay the provider's. Any other
// event gets its iCalendar text written anew from the record.
QString storedTextAfterEdit(const Event &record);
