#pragma once

#include <QDate>
#include <QJsonObject>
#include <QString>

// Between Graph's patterned recurrence ({"pattern", "range"}) and RRULE text
// (without the "RRULE:" prefix). Graph fills every pattern field whether
// the pattern type uses it or not ("month": 0, "index": "first"), so each
// type reads only its own fields. Pure: no storage, no network.
namespace Microsoft {

// Empty text for a pattern this program cannot express (an unknown type, a
// relative pattern without days or with an unknown index): such a series is
// left to the server as it is.
QString recurrenceToRrule(const QJsonObject &recurrence);

// `firstDay`: the date the series starts on in its own zone, which fills
// what the rule leaves to its start (the weekday of a weekly rule, the day
// and month of a monthly or yearly one) and the range's "startDate".
// `lastDay`: for a rule that ends at an instant (UNTIL as a date-time), the
// date of the last occurrence it keeps, on the same clock: Graph's
// "endDate" is the last date the pattern applies on, and the instant's own
// date may be the day of the first occurrence left out. Without it the
// range ends on UNTIL's date as written. An empty object for a rule Graph
// cannot express (HOURLY, a fifth or second-to-last weekday, a negative
// month day).
QJsonObject rruleToRecurrence(const QString &rrule, const QDate &firstDay, const QDate &lastDay = QDate());

// "SU" -> "sunday" and back; empty for anything else.
QString graphDayFromCode(const QString &code);
QString codeFromGraphDay(const QString &day);

} // namespace Microsoft
