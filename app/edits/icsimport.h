#pragma once

#include "app/edits/icsimportresult.h"
#include "store/event.h"

#include <QList>
#include <QString>

class Database;
class EventRepository;

// Puts the events of an .ics file into one calendar. An event is known by
// its uid and recurrence id, so that an occurrence moved out of a series is
// a row of its own beside the series: a known one (a tombstone included)
// updates its row, unless the calendar already holds it exactly as the file
// has it, and any other is inserted as new.
namespace IcsImport {

// Stores them at once, in one transaction beside the program's `database`,
// and announces the change through the program's `programEvents`;
// IcsImportRun stores a large file in slices, each its own.
Result importEvents(Database *database, EventRepository *programEvents, const QList<Event> &events,
                    const QString &calendarId);

} // namespace IcsImport
