#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

// The VTIMEZONEs a calendar text lacks for the zones it names.
namespace IcsZoneDefinitions {

// A zone a TZID names, with a date its definition is to cover.
struct Named
{
    QString tzid;
    QTimeZone zone;
    QDate around;
};

// The unfolded lines of a calendar text with the VTIMEZONE of each zone
// given that it does not define yet, before its first component that is no
// VTIMEZONE.
QStringList withDefinitions(const QStringList &calendar, const QList<Named> &named);

// The same for every zone known here that a property of its components
// names in a TZID parameter, covering the date of the first time naming it.
// What is added stays within the text's own size (a few dozen definitions
// for a small one) but for the first id of each zone, which is always
// defined: ids that name one zone by many names (/v1/Europe/Berlin,
// /v2/Europe/Berlin, ...) cannot swell the text many times over.
QStringList withNamedDefinitions(const QStringList &calendar);

} // namespace IcsZoneDefinitions
