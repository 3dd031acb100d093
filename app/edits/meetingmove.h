#pragma once

#include <QString>

#include "store/event.h"

class CalendarRepository;
class Database;

// Whether an event may move to another calendar without its guests hearing
// of it. Outlook (Microsoft Graph) has no move for events: the copy is a new
// event, and creating one with attendees sends them invitations, as deleting
// the organizer's old one sends them its cancellation. Google moves an event
// within an account as it is and makes a copy anywhere else telling no
// one, but the copy is the account's own meeting: one organized by someone
// else stays where it is. A calendar server without scheduling tells no one
// either.
namespace MeetingMove {

// The words the user reads when moving `event` (as it was stored) to the
// calendar `toCalendarId` would tell its guests, translated; empty when it
// may move.
QString refusal(Database *database, CalendarRepository *calendars, const Event &event, const QString &toCalendarId);

} // namespace MeetingMove
