#include "store/importundolog.h"

#include <QDebug>

#include "store/database.h"
#include "store/eventrepository.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

void ImportUndoLog::noteInserted(const QString &id)
{
    m_inserted.append(id);
}

void ImportUndoLog::noteUpdated(const Event &before)
{
    // A second copy of the event later in the file changes it again; the
    // first state is the one to go back to.
    if (m_updatedIds.contains(before.id))
        return;
    m_updatedIds.insert(before.id);
    m_updated.append(before);
}

bool ImportUndoLog::undo(Database *database, EventRepository *events) const
{
    if (!database || !events)
        return false;
    for (const QString &id : m_inserted) {
        if (!events->hardDelete(id)) {
            qWarning().noquote() << "ImportUndoLog::undo failed: could not erase" << id;
            return false;
        }
    }
    for (const Event &before : m_updated) {
        // The update stamps the time of the write; the row gets back its own.
        const bool restored = events->update(before)
            && SqlQuery::execOnRow(database->database(), "ImportUndoLog", "undo",
                                   QStringLiteral("UPDATE events SET last_modified = ? WHERE id = ?"),
                                   {StoredTime::instantOrNow(before.last_modified), before.id});
        if (!restored) {
            qWarning().noquote() << "ImportUndoLog::undo failed: could not write back" << before.id;
            return false;
        }
    }
    return true;
}
