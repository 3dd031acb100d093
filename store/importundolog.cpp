#include "store/importundolog.h"

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "store/database.h"
#include "store/eventrepository.h"
#include "store/sqllists.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

void ImportUndoLog::noteInserted(const Event &written)
{
    note(written, std::nullopt);
}

void ImportUndoLog::noteUpdated(const Event &before, const Event &written)
{
    note(written, before);
}

void ImportUndoLog::note(const Event &written, const std::optional<Event> &before)
{
    auto found = m_entries.find(written.id);
    if (found == m_entries.end()) {
        m_order.append(written.id);
        found = m_entries.insert(written.id, Entry{{}, 0, {}, {}, before});
    }
    // A second copy of the event later in the file writes it again: the
    // first state is the one to go back to, the last write the one to find.
    found->rawIcalendar = written.raw_icalendar;
    found->sequence = written.sequence;
    found->syncStatus = toText(written.sync_status);
    found->etag = written.etag;
}

bool ImportUndoLog::stillAsWritten(Database *database, QSet<QString> *ids) const
{
    QSqlQuery query(database->database());
    query.setForwardOnly(true);
    for (const QStringList &chunk : SqlLists::chunks(m_order)) {
        const QString sql = QStringLiteral("SELECT id, raw_icalendar, sequence, sync_status, etag, "
                                           "deleted_at IS NULL FROM events WHERE id IN (%1)")
                                .arg(SqlLists::placeholders(int(chunk.size()), QStringLiteral(", ")));
        if (!SqlQuery::run(query, sql, QVariantList(chunk.cbegin(), chunk.cend()))) {
            qWarning().noquote() << "ImportUndoLog::undo failed:" << query.lastError().text();
            return false;
        }
        while (query.next()) {
            const Entry &entry = *m_entries.constFind(query.value(0).toString());
            if (query.value(1).toString() == entry.rawIcalendar && query.value(2).toInt() == entry.sequence
                && query.value(3).toString() == entry.syncStatus && query.value(4).toString() == entry.etag
                && query.value(5).toBool())
                ids->insert(query.value(0).toString());
        }
    }
    return true;
}

bool ImportUndoLog::undo(Database *database, EventRepository *events) const
{
    if (!database || !events)
        return false;
    QSet<QString> untouched;
    if (!stillAsWritten(database, &untouched))
        return false;
    QStringList inserted;
    for (const QString &id : m_order) {
        if (untouched.contains(id) && !m_entries.constFind(id)->before)
            inserted.append(id);
    }
    // Children first: an event row with children cannot go. In batches of
    // ids, so a large import is taken back in a few statements.
    QSqlDatabase &db = database->database();
    for (const QStringList &ids : SqlLists::chunks(inserted)) {
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
    for (const QString &id : m_order) {
        const std::optional<Event> &before = m_entries.constFind(id)->before;
        if (!before || !untouched.contains(id))
            continue;
        // The update stamps the time of the write; the row gets back its own.
        const bool restored = events->update(*before)
            && SqlQuery::execOnRow(db, "ImportUndoLog", "undo",
                                   QStringLiteral("UPDATE events SET last_modified = ? WHERE id = ?"),
                                   {StoredTime::instantOrNow(before->last_modified), before->id});
        if (!restored) {
            qWarning().noquote() << "ImportUndoLog::undo failed: could not write back" << before->id;
            return false;
        }
    }
    return true;
}
