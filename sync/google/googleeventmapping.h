#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "store/event.h"

// Between Google Calendar API v3 event resources and event records. Pure:
// no storage, no network.
namespace Google {

struct EventTime
{
    QDateTime dateTime;
    bool isAllDay = false;
    QString timeZone;
};

bool operator==(const EventTime &a, const EventTime &b);

// "dateTime" (with its offset) or "date" (a calendar date, read as local
// midnight of that date as the store reads dates).
EventTime eventTimeFromJson(const QJsonObject &time);
// All-day: {"date"} of the value's own date. Timed: the instant in the
// event's zone when `timeZone` names a valid zone other than UTC, so a
// series keeps its wall-clock time across daylight-saving changes; else
// UTC with "timeZone" "UTC".
QJsonObject eventTimeToJson(const QDateTime &when, bool allDay, const QString &timeZone = QString());
QString recurrenceRuleFromJson(const QJsonObject &event);
// The dates the "EXDATE" lines of "recurrence" leave out, as recurrence ids
// ("yyyyMMddTHHmmssZ" in UTC, or "yyyyMMdd" for dates): a time with "TZID"
// read in that zone, a time without one in the event's own zone.
QStringList exceptionDatesFromJson(const QJsonObject &event);
QString mapEventStatus(const QString &googleStatus);
// The recurrence id of an instance, as the store names occurrences
// (Recurrence::recurrenceIdAt): its "originalStartTime" in UTC
// ("yyyyMMddTHHmmssZ"), or the date of an all-day one at midnight
// ("yyyyMMddT000000Z"); empty when there is none.
QString recurrenceIdFromJson(const QJsonObject &event);
// The day a cancelled instance takes from its series, as a series' skipped
// days are written (exceptionDatesFromJson): its recurrence id, or the date
// alone ("yyyyMMdd") of an all-day one; empty when there is none.
QString skippedDayFromJson(const QJsonObject &event);

Event eventFromJson(const QJsonObject &event, const QString &calendarId);
// The body of an insert: only what the record models, a series' skipped
// days as "EXDATE" lines.
QJsonObject eventToJson(const Event &event);
// The body of an insert of an event moved here from another calendar, or
// made here: the record over what `heldThere` (the event as Google held it
// in the calendar it left, empty when that was no Google calendar or there
// was none) holds beyond it: guests, conference, private and shared
// properties, extra dates; the record's guests when Google held none.
QJsonObject eventToJsonForCopy(const Event &event, const QJsonObject &heldThere);
// The body of an insert of an event Google held once and holds no more (its
// deletion went up and was undone here): the copy it held (the stored
// `raw_icalendar`) with the record's fields over it, as an update writes
// them, without what Google gives a new event itself: its ids, tag, links
// and stamps, its creator and organizer, an instance's series and the
// start it replaces.
QJsonObject eventToJsonFromHeld(const Event &event);
// The PATCH that makes Google's `instance` of a series the changed
// occurrence `event` held a copy of (eventToJsonFromHeld): what differs,
// and null for what the copy does not have.
QJsonObject instanceChangesFromHeld(const Event &event, const QJsonObject &instance);
// The body of an update: the record's fields over the resource as Google
// last sent it (the stored `raw_icalendar`), so that what the record does
// not model (attendees, conference data, colour, extra recurrence lines)
// survives; the user's own answers to invitations go into the matching
// attendees' "responseStatus".
QJsonObject eventToJsonForUpdate(const Event &event);

} // namespace Google
