#pragma once

#include "sync/caldav/discoveredcalendar.h"

#include <QList>
#include <QString>

class AccountRepository;
class CalendarRepository;

// Stores a discovery result as calendar rows of one account: adds calendars
// the account lacks, reactivates its placeholder rows, leaves every other row
// alone. Returns the number of rows inserted.
int mergeDiscoveredCalendars(CalendarRepository *calendars, AccountRepository *accounts,
                             const QString &accountId,
                             const QList<CalDavParse::DiscoveredCalendar> &discovered);
