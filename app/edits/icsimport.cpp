#include "app/edits/icsimport.h"

#include "app/edits/icsimportrun.h"

namespace IcsImport {

Result importEvents(Database *database, EventRepository *programEvents, const QList<Event> &events,
                    const QString &calendarId)
{
    IcsImportRun run(database, programEvents, events, calendarId);
    return run.runToEnd();
}

} // namespace IcsImport
