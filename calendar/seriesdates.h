#pragma once

#include <QDateTime>
#include <QMap>
#include <QString>

#include <functional>
#include <optional>

class SeriesShift;
struct Event;

// A series' skipped days (exception_dates) and extra dates
// (recurrence_dates), JSON lists of "yyyyMMdd", UTC "yyyyMMddTHHmmssZ" or
// the computer's wall-clock "yyyyMMddTHHmmss" texts, moved with the series.
namespace SeriesDates {

// A list of skipped days by instant (as the expansion reads each), each
// text as it was written; a text that names no instant is left out.
QMap<qint64, QString> byInstant(const QString &json);
// Such days as a JSON list again, in the order of their instants; empty
// when there are none.
QString listOf(const QMap<qint64, QString> &days);

// Where an occurrence goes: its new start, or none where it leaves the list.
using Move = std::function<std::optional<QDateTime>(const QDateTime &)>;

// The skipped days `move` keeps, sorted, each where it moves to: a date
// for an all-day series, a wall-clock text where it was one (a floating
// series' own), else UTC. Empty when none is left.
QString exceptions(const QString &json, bool allDay, const Move &move);

// The extra dates moved as the series moves, each in the form it was
// written in: a date names the occurrence at the series' time of day and
// stays a date (SeriesShift::movedDay); a period's end moves with its
// start, a duration stays.
QString extraDates(const QString &json, const SeriesShift &shift);

// A series' extra dates on either side of a split at its occurrence
// `split`: those before it as written, for the series that ends there;
// those from it on (a date names its occurrence at the series' time of
// day that day) moved as extraDates() moves them, for the series that
// carries it on. Each empty when none is left.
struct Split
{
    QString before;
    QString from;
};
Split splitExtraDates(const Event &series, const QDateTime &split, const SeriesShift &shift);

} // namespace SeriesDates
