#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include "store/zoneoffsets.h"

#include <functional>
#include <optional>

// Pins stored instants again on the computer's zone, each keeping the
// wall-clock reading it had in the zone it was read in (FloatingZone).
// A new zone pins tens of thousands of them before the window shows, so
// each zone's offset is looked up once for each span between two of its
// changes, and the store's own forms are read and written digit by digit;
// a time within two days of a change of the computer's zone is pinned the
// long way (IcsText::localWallClock).
class WallClockPin
{
public:
    explicit WallClockPin(const QTimeZone &from);

    // The stored instant text (ISO "…Z", or the iCalendar
    // "yyyyMMddTHHmmssZ") pinned again, in its own form; any other text as
    // it is.
    QString operator()(const QString &text);
    // A JSON date list with each instant pinned again, a period's end too;
    // the text as it is where nothing changed or it is no list.
    QString list(const QString &json);

    // The same on UTF-8 text, as SQL hands it over: none where the text
    // stays as it is.
    std::optional<QByteArray> changedText(QByteArrayView text);
    std::optional<QByteArray> changedList(QByteArrayView json);

    // An instant, in milliseconds since the epoch, pinned again.
    qint64 pinned(qint64 msecs);

    // A JSON date list with each value (each end of a period) as `value`
    // gives it; the text as it is where nothing changed or it is no list.
    static QString eachDate(const QString &json, const std::function<QString(const QString &)> &value);

private:
    QTimeZone m_fromZone;
    ZoneOffsets m_from;
    ZoneOffsets m_here;
};
