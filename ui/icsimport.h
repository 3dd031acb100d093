#pragma once

#include "store/event.h"

#include <QList>
#include <QMetaType>
#include <QString>

class AppState;

// Puts the events of an .ics file into one calendar. An event is known by
// its uid and recurrence id, so that an occurrence moved out of a series is
// a row of its own beside the series: a known one (a tombstone included)
// updates its row, unless the calendar already holds it exactly as the file
// has it, and any other is inserted as new.
namespace IcsImport {

struct Result
{
    int imported = 0;
    int updated = 0;
    // Already stored as the file has it: nothing written.
    int unchanged = 0;
    // Could not be stored.
    int failed = 0;
};

// Stores them at once, in one transaction; IcsImportRun stores a large file
// in slices, each its own.
Result importEvents(AppState *state, const QList<Event> &events, const QString &calendarId);
// The status-bar line for a finished import into the calendar so labelled.
QString reportText(const Result &result, const QString &calendarLabel);

} // namespace IcsImport

Q_DECLARE_METATYPE(IcsImport::Result)
