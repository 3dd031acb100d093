#pragma once

#include <QDate>
#include <QString>
#include <QTimeZone>

// VTIMEZONE blocks for the zones the writer names in TZID parameters.
namespace IcsTimeZone {

// The VTIMEZONE of zone under the id tzid, with the observances in force
// around the given date: yearly rules where the zone's changes follow one,
// single observances otherwise. Lines end with CR LF.
QString block(const QTimeZone &zone, const QString &tzid, const QDate &around);

} // namespace IcsTimeZone
