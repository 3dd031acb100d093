#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QTimeZone>

// Value forms shared by the iCalendar reader, the writers and the expander.
namespace IcsText {

// "yyyyMMdd"; invalid for anything else.
QDate readDate(QStringView text);
// "yyyyMMddTHHmmss"; false for anything else.
bool readDateTime(QStringView text, QDate *day, QTime *time);

// "yyyyMMddTHHmmssZ" of the instant.
QString utcText(const QDateTime &value);
// "yyyyMMddTHHmmss" of a wall-clock time.
QString localText(const QDate &day, const QTime &time);
// "yyyyMMdd".
QString dateText(const QDate &day);

// The instant a wall-clock time names in a zone. A time skipped by a
// daylight-saving change is read with the offset before the change, a time
// that occurs twice means the first of the two (RFC 5545, 3.3.5).
QDateTime wallClock(const QDate &day, const QTime &time, const QTimeZone &zone);
// The same for the computer's own zone, as a local date-time.
QDateTime localWallClock(const QDate &day, const QTime &time);
// The same wall-clock time in the time spec of like (zone, local, UTC or
// fixed offset).
QDateTime wallClockLike(const QDate &day, const QTime &time, const QDateTime &like);
// The instant seen in the time spec of like.
QDateTime inSpecOf(const QDateTime &value, const QDateTime &like);
// "yyyyMMddTHHmmss" of the instant on the zone's wall clock (the
// computer's where the zone is invalid); empty where that wall-clock time
// names another instant: the second time of a repeated hour reads as the
// first.
QString wallText(const QDateTime &value, const QTimeZone &zone);
// The same text whatever it reads back as: the times of a series, which
// every reader steps on the wall clock.
QString wallClockText(const QDateTime &value, const QTimeZone &zone);
// The instant wallClockText() names: the value itself, or for the second
// time of a repeated hour the first.
QDateTime namedByWallClock(const QDateTime &value, const QTimeZone &zone);

// The longest duration read, in seconds (a thousand years): anything
// longer is not a duration this program can use, and sums of such values
// with dates stay far from overflowing.
inline constexpr qint64 MaxDurationSeconds = 1000LL * 366 * 86400;

// Seconds of a duration body (the text after "P"), read as the unsigned
// DURATION form: weeks, days, and after "T" hours, minutes and seconds; a
// month before "T" counts 30 days. 0 and *ok false past MaxDurationSeconds.
qint64 durationBody(QStringView body, bool *ok = nullptr);
// A DURATION with an optional sign; *ok tells whether it was a readable one.
qint64 signedDuration(QStringView text, bool *ok);
// The same split as RFC 5545 counts it: *days the weeks and days (nominal:
// added on the wall clock), *seconds the exact rest, each with the sign.
// False, and nothing set, where signedDuration() reads no duration.
bool durationParts(QStringView text, qint64 *days, qint64 *seconds);
// The end of a duration from start: the days on start's wall clock (in its
// time spec, a time skipped by a change read as wallClock() does), then the
// seconds. A UTC start gets exactly 86,400 s a day.
QDateTime afterDuration(const QDateTime &start, qint64 days, qint64 seconds);

// True for a "BEGIN:" or "END:" line (any letter case); *begin tells which
// and *component receives the upper-cased component name.
bool componentMarker(const QString &line, bool *begin, QString *component);

// Where a content line's name and parameters end: the first colon outside
// double quotes (a parameter value such as ALTREP="http://…" may hold
// colons), or with an unbalanced quote the first colon of all; -1 for none.
qsizetype valueColon(const QString &line);

// The items of a list value split at commas that no backslash escapes; the
// items keep their escapes.
QStringList splitEscapedList(const QString &value);

// Whether a character may not stand inside a content line's value: the
// ASCII controls (line breaks among them) but the tab, and the Unicode line
// and paragraph separators some readers also break lines at.
bool isLineControl(QChar c);
// Whether a character cannot stand in a TEXT value even escaped: the ASCII
// controls but the line feed (escaped "\n") and the tab. A CR breaks the
// line, a NUL ends it for many readers.
bool isUnwritableControl(QChar c);
// A parameter value as iCalendar allows it: no double quotes or line
// breaks inside, quoted when it holds a separator.
QString paramValue(const QString &text);
// The name of an unfolded content line, upper-cased: up to its first ';'
// or ':'.
QString propertyName(const QString &line);
// A value of a type without escapes (RECUR, DATE-TIME, DURATION) as one
// line: what would break it is dropped.
QString plainValue(const QString &value);
// A URI value (URL, CAL-ADDRESS) as one line: what would break it is
// percent-encoded, as a URI carries such characters.
QString uriValue(const QString &value);
// The text with every line longer than 75 octets of UTF-8 folded onto
// continuation lines that start with a space, never inside a character.
// Lines end with CR LF; a text already folded comes back unchanged.
QString foldLines(const QString &text);

} // namespace IcsText
