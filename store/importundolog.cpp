#include "store/importundolog.h"

#include <QDebug>
#include <QSqlDatabase>

#include "store/database.h"
#include "store/eventrepository.h"
#include "store/sqllists.h"
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
    // Children first: an event row with children cannot go. In batches of
    // ids, so a large import is taken back in a few statements.
    QSqlDatabase &db = database->database();
    for (const QStringList &ids : SqlLists::chunks(m_inserted)) {
        const QString list = SqlLists::placeholders(int(ids.size()), QStringLiteral(", "));
        const QVariantList binds(ids.cbegin(), ids.cend());
        for (const char *table : {"attendees", "attachments", "reminders", "events"}) {
            const QString column = qstrcmp(table, "events") == 0 ? QStringLiteral("id") : QStringLiteral("event_id");
            if (!SqlQuery::exec(db, "ImportUndoLog", "undo",
                                QStringLiteral("DELETE FROM %1 WHERE %2 IN (%3)")
                                    .arg(QLatin1String(table), column, list),
                                binds))
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
