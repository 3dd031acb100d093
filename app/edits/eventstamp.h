#pragma once

#include "store/event.h"

// The bookkeeping every edit of an event carries, set here and nowhere
// else: the modification time, the "pending" mark, SEQUENCE and the stored
// text.
namespace EventStamp {

// An existing event was changed: SEQUENCE goes up by one, so that
// attendees' clients take the new version over the one they hold.
void changed(Event &record);
// A new event: created now, SEQUENCE 0, its text written from the record
// (clear the text first when it is a copy of another event's).
void created(Event &record);

// The user's own answer to an invitation: the organizer's SEQUENCE stays,
// as an attendee's reply never raises it.
void answered(Event &record);

} // namespace EventStamp
