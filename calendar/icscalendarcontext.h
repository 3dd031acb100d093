#pragma once

#include <QHash>
#include <QString>
#include <QTimeZone>

// What the items of one calendar text share: the VTIMEZONE definitions by
// TZID (each kept only up to a size, so one definition cannot swell every
// item that names it) and the calendar's own zone (X-WR-TIMEZONE), in which
// floating times are read.
struct IcsCalendarContext
{
    // Longest VTIMEZONE kept, in characters; real ones are a few hundred.
    static constexpr qsizetype MaxZoneLength = 64 * 1024;

    QHash<QString, QString> zones;
    QString floatingZoneId;
    QTimeZone floatingZone;

    static IcsCalendarContext read(const QString &text);

    // The parameters of a date-time property, with the calendar's zone
    // standing in for a missing TZID.
    QHash<QString, QString> timeParams(const QHash<QString, QString> &params) const;
};
