#pragma once

#include "store/calendar.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Sync {

// What calendarIdsForKeys found: local ids in the order of the keys asked
// for, and the keys no local calendar carries.
struct CalendarKeyResolution
{
    QStringList ids;
    QStringList unresolved;
};

// A device-independent name for a remote calendar: lower-case hex SHA-256 of
// "<family>:<identity>". Every device must compute it bit for bit alike.
std::optional<QString> canonicalCalendarKey(const QString &providerType, const QString &url);

QStringList calendarKeysForIds(const QStringList &localIds, const QList<Calendar> &calendars);
CalendarKeyResolution calendarIdsForKeys(const QStringList &keys, const QList<Calendar> &calendars);

} // namespace Sync
