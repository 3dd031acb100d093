#pragma once

#include <QString>
#include <QStringList>

class Database;
class EventRepository;

// A changed occurrence an earlier version moved alone to another calendar
// (a row naming a series that calendar does not hold) was refused by that
// calendar's server at every sync. It goes back to its series' calendar,
// pending, so that it goes up inside its series' resource there: into the
// row it left behind when that is still kept (a tombstone waiting for it),
// else as a new row, the series then no longer skipping its day. Its copy
// in the other calendar goes as a move's old copy goes: erased when no
// server holds it, else a tombstone whose deletion the sync sends.
namespace StrayOccurrences {

// Puts back every such occurrence that stands in `calendarId` or whose
// series does, in one transaction, and returns their titles; none when
// the store refused (nothing changed then).
QStringList returnToSeries(Database *db, EventRepository *events, const QString &calendarId);

} // namespace StrayOccurrences
