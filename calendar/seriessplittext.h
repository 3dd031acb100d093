#pragma once

#include <QDateTime>
#include <QString>

struct Event;

// The stored texts of a series split at one occurrence ("This and
// following"), for the records to be written over.
namespace SeriesSplitText {

// A text for the new series to be written over, when the series' own text
// gives its length as a DURATION: the new series says it the same way, so
// that a day stays a day on the wall clock for every reader (a DTEND is an
// exact number of hours). Empty otherwise.
QString lengthTemplate(const Event &master);

// The old series' stored text, which its resource is written from, without
// the occurrences changed from the split on: they go to the new series.
QString withoutChangesFrom(const Event &master, const QDateTime &occurrenceStart);

// Whether an occurrence lies on or after the split (by date, all-day).
bool fromSplitOn(const Event &master, const QDateTime &occurrence, const QDateTime &occurrenceStart);

} // namespace SeriesSplitText
