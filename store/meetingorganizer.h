#pragma once

#include <QString>

#include "store/event.h"

class AccountRepository;
class CalendarRepository;

// Whose meeting an event is, seen from one account: a copy of it made in
// that account's calendars (a provider without a move for it) makes that
// account its organizer.
namespace MeetingOrganizer {

// Whether the account organizes the event: it names no organizer (an event
// of one's own), or its organizer is one of the account's own addresses:
// its user name, or a calendar it writes to (Google names the calendar an
// event was made in as its organizer). A calendar shared into the account
// only to be read is someone else's, and names them. Without the
// repositories, only an event without an organizer is the account's.
bool organizedBy(const AccountRepository *accounts, const CalendarRepository *calendars, const Event &event,
                 const QString &accountId);

// Whether the event is a meeting: it names an attendee besides its
// organizer.
bool hasGuests(const Event &event);

} // namespace MeetingOrganizer
