#pragma once

#include "store/event.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTimeZone>

// The content lines the event writer produces for each property an Event
// models; shared by the fresh writer and the patch of a stored text.
namespace IcsEventLines {

using Params = QList<QPair<QString, QString>>;

// Property names the record models, in the order a fresh VEVENT lists them.
const QStringList &modelledProperties();

// The lines of one modelled property (empty when the record has no value).
QStringList propertyLines(const Event &event, const QString &property);

// The RRULE lines as the record holds them, one per stored rule.
QStringList ruleLinesAsStored(const Event &event);
// A rule as written: on a timed event a date UNTIL becomes the UTC instant
// ending that day in the event's zone; an all-day event keeps the date.
QString writtenRule(const Event &event, const QString &rule);

// The UID to write: an override carries its series' uid.
QString writtenUid(const Event &event);

// The zone the times are written in (TZID), invalid for UTC and all-day
// events or a zone name nobody knows; *tzid receives the id to write.
QTimeZone writtenZone(const Event &event, QString *tzid);

// ATTENDEE / ORGANIZER lines, keeping the parameters of an earlier line of
// the same address that the record does not model.
QString attendeeLine(const Attendee &attendee, const Params &kept = Params());
QString organizerLine(const Event &event, const Params &kept = Params());

// The VALARM block of one reminder, lines ending with CR LF.
QString alarmBlock(const Reminder &reminder, const Event &event);

// A line's parameters in written order, and its value.
Params orderedParams(const QString &line, QString *value);

} // namespace IcsEventLines
