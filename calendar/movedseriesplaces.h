#pragma once

#include "calendar/seriesshift.h"
#include "store/event.h"

#include <QDateTime>
#include <QString>

#include <optional>

// A series this device moved in time ("All events") since its server last
// had it: `base` as the server had it, `local` as it stands here. Another
// device, changing the series on the server meanwhile, names its
// occurrences by their old starts; each stands here moved as the series'
// start moved (SeriesShift::between), the same move the change gave its
// skipped days and changed occurrences. The way back names what the server
// held at an old start for a place here. Pure: no store, no server.
class MovedSeriesPlaces
{
public:
    // None when the series stands where it stood, or was made all-day or
    // timed (its occurrences have no place to name alike).
    static std::optional<MovedSeriesPlaces> between(const Event &base, const Event &local);

    // The recurrence id here of the occurrence the server names
    // `recurrenceId`; empty for a text that names no start.
    QString placeOf(const QString &recurrenceId) const;
    // The recurrence id the server gave the occurrence that stands here at
    // `recurrenceId`; empty where no old start moves there.
    QString originalOf(const QString &recurrenceId) const;
    // Skipped days (a JSON list) of the server's series, each where its
    // occurrence stands here, in the form it was written in.
    QString placesOfSkipped(const QString &json) const;
    // Skipped days here, each at the start the server gave its occurrence,
    // where one moves there.
    QString originalsOfSkipped(const QString &json) const;
    // The days the series skips here (`localSkipped`) once the server's
    // copy skips `serverSkipped`: a day the server skips that it did not
    // when this device moved the series is skipped where its occurrence
    // stands here, and one it gives back is given back there; the rest as
    // they are.
    QString skippedDaysWith(const QString &serverSkipped, const QString &localSkipped) const;

private:
    MovedSeriesPlaces(const Event &base, const Event &local);
    // The start the server gave the occurrence starting here at `start`;
    // invalid where none moves there.
    QDateTime original(const QDateTime &start) const;

    Event m_base;
    Event m_local;
    SeriesShift m_forward;
    SeriesShift m_back;
};
