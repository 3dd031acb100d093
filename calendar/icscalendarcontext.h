#pragma once

#include "calendar/icscontentline.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimeZone>

// What the items of one calendar text share: the VTIMEZONE definitions by
// TZID (each kept only up to a size, so one definition cannot swell every
// item that names it) and the calendar's own zone (X-WR-TIMEZONE), in which
// floating times are read. Each item's stored text takes copies of what it
// shares while a budget of a few times the input lasts, so that the items of
// a text stay proportional to it however many there are. What gives times
// their meaning outlives the budget: every item names the calendar's zone,
// and each definition goes with the first item that names it.
struct IcsCalendarContext
{
    // Longest VTIMEZONE kept, in characters; real ones are a few hundred.
    static constexpr qsizetype MaxZoneLength = 64 * 1024;
    // Zones one item's stored text may carry; further TZIDs are read but
    // their definitions are not copied.
    static constexpr qsizetype MaxZonesPerItem = 16;
    // Characters of copies the items may take per character of input.
    static constexpr qsizetype CopiesPerInputCharacter = 4;

    QHash<QString, QString> zones;
    QString floatingZoneId;
    QTimeZone floatingZone;
    // Characters of copies the items' stored texts may still take.
    qsizetype copyBudget = 0;
    // The zones whose definition an item has taken.
    QSet<QString> copiedZones;

    static IcsCalendarContext read(const QString &text);

    // Whether the budget still pays for a copy of `size` characters; it is
    // spent when it does.
    bool spend(qsizetype size);
    // The definitions of the zones named, in the order given: each one known
    // that the budget pays for or that no item has taken yet.
    QString zoneCopies(const QStringList &ids);
    // The calendar's X-WR-TIMEZONE line, ended by CRLF; empty when it names
    // no zone known here.
    QString zoneLine() const;
    // Notes the zone a property line names (its TZID), once, up to
    // MaxZonesPerItem.
    static void noteZone(QStringList &ids, const ContentLine &line);

    // The parameters of a date-time property, with the calendar's zone
    // standing in for a missing TZID.
    QHash<QString, QString> timeParams(const QHash<QString, QString> &params) const;
};
