#pragma once

#include "store/calendar.h"
#include "store/event.h"

// The bookkeeping every edit of an event carries, set here and nowhere
// else: the modification time, the "pending" mark, SEQUENCE and the stored
// text. The calendar decides the mark (an unknown one counts as any other).
namespace EventStamp {

// An existing event was changed: SEQUENCE goes up by one, so that
// attendees' clients take the new version over the one they hold.
void changed(Event &record, const Calendar &calendar = Calendar());
// A new event: created now, SEQUENCE 0, its text written from the record
// (clear the text first when it is a copy of another event's).
void created(Event &record, const Calendar &calendar = Calendar());

// The user's own answer to an invitation: the organizer's SEQUENCE stays,
// as an attendee's reply never raises it.
void answered(Event &record, const Calendar &calendar = Calendar());

} // namespace EventStamp
