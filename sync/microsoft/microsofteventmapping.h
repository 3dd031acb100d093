#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include "store/event.h"

// Between Microsoft Graph event objects and event records. Pure: no
// storage, no network.
namespace Microsoft {

// A Graph time object read: the instant (invalid when absent or
// unreadable), whether an all-day date was read, and the "timeZone" text.
struct GraphTime
{
    QDateTime dateTime;
    bool dateOnly = false;
    QString timeZone;
};

bool operator==(const GraphTime &a, const GraphTime &b);

// An IANA zone for a zone name Graph uses: IANA names as they are, Windows
// names ("W. Europe Standard Time") mapped, Graph's UTC names
// ("tzone://Microsoft/Utc") as "UTC"; empty for a name no zone answers to.
QString ianaZoneName(const QString &graphZone);

// "dateTime" carries no offset: it is read in the zone "timeZone" names
// (UTC when the listing asked for UTC). Fractions beyond milliseconds are
// cut. All-day: the date, as local midnight, as the store reads dates.
GraphTime dateTimeFromGraph(const QJsonObject &time, bool allDay);
// All-day: midnight of the value's own date, "UTC". Timed: the wall clock
// in `timeZone` when that names a zone other than UTC, so a series keeps
// its hour across daylight-saving changes; else the instant in UTC.
QJsonObject dateTimeToGraph(const QDateTime &when, bool allDay, const QString &timeZone = QString());

// The recurrence id of an exception or occurrence: the start the
// occurrence originally had ("originalStart"), in UTC as
// "yyyyMMddTHHmmssZ"; an all-day one as its date at midnight UTC. Empty
// for an event that is no instance of a series.
QString recurrenceIdFromGraph(const QJsonObject &graph, bool allDay);

// The exclusions of a series master: its "cancelledOccurrences" (ids ending
// in the occurrence's date) at the series' time of day, as a JSON list
// for `exception_dates`; empty text when there are none.
QString exclusionsFromGraph(const QJsonObject &master, const Event &series);

Event eventFromGraph(const QJsonObject &graph, const QString &calendarId);
// The body of an insert.
QJsonObject eventToGraph(const Event &event);
// The body of an insert of an event moved here from another calendar: the
// record over what `heldThere` (the event as Graph held it in the calendar
// it left, empty when that was no Outlook calendar) holds beyond it:
// categories, importance, sensitivity, the online meeting, the body's
// content type.
QJsonObject eventToGraphForCopy(const Event &event, const QJsonObject &heldThere);
// The body of an insert of an event Graph held once and holds no more (its
// deletion went up and was undone here): the object it held (the stored
// `raw_icalendar`) with the record's fields over it, its pattern kept where
// the record's rule is the one Graph held, without what Graph gives a new
// event itself: its ids, change key, links and stamps, its organizer and
// the user's answer, its online meeting's details (Graph makes a new one
// where the object asks for one), an instance's series and the start it
// replaces, the days its series cancelled.
QJsonObject eventToGraphFromHeld(const Event &event);
// The PATCH that makes Graph's `instance` of a series the changed
// occurrence `event` held a copy of (eventToGraphFromHeld): the members
// that differ.
QJsonObject instanceChangesFromHeld(const Event &event, const QJsonObject &instance);
// The body of an update: only what changed against the object Graph last
// sent (the stored `raw_icalendar`): the body keeps its content type and
// is left out when its text is unchanged, the recurrence is left out when
// the rule is unchanged (so a pattern this program cannot express stays as
// the server has it).
QJsonObject eventToGraphForUpdate(const Event &event);

// Whether the event still holds the Graph object last seen in
// `raw_icalendar`; an edit here that rewrote it as iCalendar leaves none,
// and an update then needs the object read afresh to know what changed.
bool holdsGraphObject(const Event &event);

// The invitation answer the user gave here and the server does not know
// yet: "accept", "tentativelyAccept" or "decline" for the attendee at
// `myAddress` (any attendee whose answer changed when it is empty); empty
// text when there is none.
QString responseActionFor(const Event &event, const QString &myAddress);

} // namespace Microsoft
