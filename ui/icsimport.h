#pragma once

#include "store/event.h"

#include <QList>
#include <QString>

class AppState;

// Puts the events of an .ics file into one calendar: an event whose uid the
// calendar already knows (a tombstone included) updates that row, any other
// is inserted as new.
namespace IcsImport {

struct Result
{
    int imported = 0;
    int updated = 0;
};

Result importEvents(AppState *state, const QList<Event> &events, const QString &calendarId);
// The status-bar line for a finished import into the calendar so labelled.
QString reportText(const Result &result, const QString &calendarLabel);

} // namespace IcsImport
