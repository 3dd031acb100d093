#pragma once

#include "calendar/icscomponentwalk.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// What the properties of one iCalendar component say, as texts that are
// equal when two writers say the same thing in their own forms: servers
// store durations in other units ("-PT1440M" as "-P1D"), reorder and
// upper-case recurrence rule parts, keep or change the letter case of
// parameters, re-encode a date-time in another zone, write DTEND as a
// DURATION and add parameters that only state the default. Values whose
// meaning differs keep different texts: a series' start keeps its zone, a
// rule that gives a part twice and a duration the program's reader cannot
// read stay as written, a trigger at a date-time is no duration.
namespace CalDavPropertyMeaning {

using Line = std::pair<ContentLine, IcsComponentWalk::Level>;

// One text per property of a component of `kind` (VEVENT, VTODO,
// VJOURNAL) and of its alarms, in no particular order; the same property
// written twice gives two texts, which name their order where the reader
// takes the last of them (SUMMARY, DTSTART, ...). The component's EXDATEs
// and its RDATEs give one text each, the set of their dates, empty when it
// has none; its CATEGORIES one, the set of its categories, when it has any.
// Parameters a scheduling server sets (SCHEDULE-STATUS and the like) are
// left out.
QStringList texts(const QList<Line> &lines, const QString &kind);

// One text per property of one alarm, as texts() gives them.
QStringList alarmTexts(const QList<Line> &lines);

// The value of a DATE or DATE-TIME property (RECURRENCE-ID) as compared:
// the instant of a UTC or zoned time, a floating time or a date as it is.
QString timeText(const ContentLine &line);

} // namespace CalDavPropertyMeaning
