#include "store/reminderrepository.h"

#include <QDebug>
#include <QSqlError>
#include <QVariant>

#include "store/database.h"
#include "store/savepoint.h"
#include "store/storedtime.h"

#include <algorithm>

namespace {

// Room for triggers written in another form than the store's own (SQLite's
// stamps sort apart from ISO text within a day).
constexpr qint64 MarginSeconds = 86400;

const QString kEventOffset = QStringLiteral(
    "SELECT MAX(minutes_before) FROM reminders WHERE acknowledged = 0");
const QString kTaskOffset = QStringLiteral(
    "SELECT MAX(minutes_before) FROM task_reminders WHERE acknowledged = 0");

// "+" keeps the acknowledged flag off the index choice: the trigger range is
// what bounds these reads.
const QString kOneOff = QStringLiteral(
    "SELECT r.id, e.id, e.title, e.start_time, e.location, r.minutes_before, r.trigger_time "
    "FROM reminders r JOIN events e ON r.event_id = e.id "
    "WHERE r.trigger_time > ? AND r.trigger_time <= ? AND +r.acknowledged = 0 "
    "AND e.deleted_at IS NULL AND (e.recurrence_rule IS NULL OR e.recurrence_rule = '')");

// The series index names every live recurring event; the join reads only
// their reminders.
const QString kSeries = QStringLiteral(
    "SELECT r.id, e.id, r.minutes_before, r.trigger_time "
    "FROM events e INDEXED BY idx_events_series CROSS JOIN reminders r ON r.event_id = e.id "
    "WHERE e.recurrence_rule IS NOT NULL AND e.recurrence_rule <> '' AND e.deleted_at IS NULL "
    "AND +r.acknowledged = 0 AND r.trigger_time <= ?");

const QString kTasks = QStringLiteral(
    "SELECT tr.id, t.title, t.due_date, t.due_is_date_only, tr.minutes_before, tr.trigger_time, t.uid "
    "FROM task_reminders tr JOIN tasks t ON tr.task_id = t.id "
    "WHERE tr.trigger_time > ? AND tr.trigger_time <= ? AND +tr.acknowledged = 0 "
    "AND t.deleted_at IS NULL AND t.due_date IS NOT NULL "
    "AND t.status NOT IN ('completed', 'cancelled') ORDER BY t.due_date ASC");

const QString kMove = QStringLiteral("UPDATE reminders SET trigger_time = ? WHERE id = ? AND trigger_time IS ?");

} // namespace

ReminderRepository::ReminderRepository(Database *db)
    : m_db(db)
    // Bound to this connection from the start: a default query would look
    // up the program's connection, which may belong to another thread.
    , m_eventOffset(db->database())
    , m_oneOff(db->database())
    , m_series(db->database())
    , m_taskOffset(db->database())
    , m_tasks(db->database())
    , m_move(db->database())
{
}

bool ReminderRepository::prepare(QSqlQuery &query, const QString &sql, QString *error)
{
    if (query.lastQuery() == sql)
        return true;
    query = QSqlQuery(m_db->database());
    query.setForwardOnly(true);
    if (query.prepare(sql))
        return true;
    *error = query.lastError().text();
    query = QSqlQuery();
    return false;
}

std::optional<QString> ReminderRepository::lowestTrigger(QSqlQuery &maxOffset, const QDateTime &staleCut,
                                                         QString *error)
{
    if (!maxOffset.exec()) {
        *error = maxOffset.lastError().text();
        return std::nullopt;
    }
    // A reminder is due only until its item is stale, and its trigger lies
    // its offset before the item: the largest waiting offset bounds them all.
    const qint64 offset = maxOffset.next() ? std::max<qint64>(maxOffset.value(0).toLongLong(), 0) : 0;
    maxOffset.finish();
    return StoredTime::instant(staleCut.addSecs(-60 * offset - MarginSeconds));
}

std::optional<QList<ReminderRepository::EventRow>>
ReminderRepository::eventRemindersDue(const QDateTime &now, const QDateTime &staleCut, QString *error)
{
    if (!prepare(m_eventOffset, kEventOffset, error) || !prepare(m_oneOff, kOneOff, error)
        || !prepare(m_series, kSeries, error))
        return std::nullopt;
    const std::optional<QString> lowest = lowestTrigger(m_eventOffset, staleCut, error);
    if (!lowest)
        return std::nullopt;
    const QString until = StoredTime::instant(now);

    QList<EventRow> rows;
    m_oneOff.addBindValue(*lowest);
    m_oneOff.addBindValue(until);
    if (!m_oneOff.exec()) {
        *error = m_oneOff.lastError().text();
        return std::nullopt;
    }
    while (m_oneOff.next()) {
        rows.append({m_oneOff.value(0).toString(), m_oneOff.value(1).toString(), m_oneOff.value(2).toString(),
                     m_oneOff.value(3).toString(), m_oneOff.value(4).toString(), m_oneOff.value(5).toInt(),
                     m_oneOff.value(6).toString(), false});
    }
    m_oneOff.finish();

    m_series.addBindValue(until);
    if (!m_series.exec()) {
        *error = m_series.lastError().text();
        return std::nullopt;
    }
    while (m_series.next()) {
        EventRow row;
        row.id = m_series.value(0).toString();
        row.eventId = m_series.value(1).toString();
        row.minutesBefore = m_series.value(2).toInt();
        row.trigger = m_series.value(3).toString();
        row.recurring = true;
        rows.append(row);
    }
    m_series.finish();

    std::stable_sort(rows.begin(), rows.end(),
                     [](const EventRow &a, const EventRow &b) { return a.trigger < b.trigger; });
    return rows;
}

std::optional<QList<ReminderRepository::TaskRow>>
ReminderRepository::taskRemindersDue(const QDateTime &now, const QDateTime &staleCut, QString *error)
{
    if (!prepare(m_taskOffset, kTaskOffset, error) || !prepare(m_tasks, kTasks, error))
        return std::nullopt;
    const std::optional<QString> lowest = lowestTrigger(m_taskOffset, staleCut, error);
    if (!lowest)
        return std::nullopt;

    m_tasks.addBindValue(*lowest);
    m_tasks.addBindValue(StoredTime::instant(now.addSecs(MarginSeconds)));
    if (!m_tasks.exec()) {
        *error = m_tasks.lastError().text();
        return std::nullopt;
    }
    QList<TaskRow> rows;
    while (m_tasks.next()) {
        rows.append({m_tasks.value(0).toString(), m_tasks.value(1).toString(), m_tasks.value(2).toString(),
                     m_tasks.value(3).toInt() != 0, m_tasks.value(4).toInt(), m_tasks.value(5).toString(),
                     m_tasks.value(6).toString()});
    }
    m_tasks.finish();
    return rows;
}

QHash<QString, QStringList> ReminderRepository::movedOccurrenceIds()
{
    QHash<QString, QStringList> ids;
    QSqlQuery query(m_db->database());
    query.setForwardOnly(true);
    // "> ''" names the same rows as "IS NOT NULL AND <> ''" in a text
    // column, and lets the index on master_event_uid find them instead of a
    // scan of every event.
    if (!query.exec(QStringLiteral("SELECT id, master_event_uid, calendar_id FROM events "
                                   "WHERE master_event_uid > '' AND deleted_at IS NULL"))) {
        qWarning().noquote() << "ReminderRepository::movedOccurrenceIds failed:" << query.lastError().text();
        return ids;
    }
    while (query.next())
        ids[query.value(1).toString() + QLatin1Char('|') + query.value(2).toString()].append(query.value(0).toString());
    return ids;
}

bool ReminderRepository::acknowledge(const QString &table, const QList<Ack> &acks)
{
    if (acks.isEmpty())
        return true;
    QSqlQuery update(m_db->database());
    if (!update.prepare(QStringLiteral("UPDATE %1 SET acknowledged = 1 WHERE id = ? AND trigger_time IS ?").arg(table))) {
        qWarning().noquote() << "ReminderRepository::settle failed:" << table << update.lastError().text();
        return false;
    }
    bool ok = true;
    for (const Ack &ack : acks) {
        update.addBindValue(ack.reminderId);
        update.addBindValue(ack.storedTrigger);
        if (!update.exec()) {
            qWarning().noquote() << "ReminderRepository::settle failed:" << table << update.lastError().text();
            ok = false;
        }
    }
    return ok;
}

bool ReminderRepository::settle(const QList<Ack> &eventAcks, const QList<Ack> &taskAcks, const QList<Move> &moves)
{
    if (eventAcks.isEmpty() && taskAcks.isEmpty() && moves.isEmpty())
        return true;
    SavePoint write(m_db->database(), QStringLiteral("reminder_pass"));
    bool ok = true;
    QString error;
    for (const Move &move : moves) {
        if (!prepare(m_move, kMove, &error)) {
            qWarning().noquote() << "ReminderRepository::settle failed:" << error;
            ok = false;
            break;
        }
        m_move.addBindValue(StoredTime::instant(move.trigger));
        m_move.addBindValue(move.reminderId);
        m_move.addBindValue(move.storedTrigger);
        if (!m_move.exec()) {
            qWarning().noquote() << "ReminderRepository::settle failed:" << m_move.lastError().text();
            ok = false;
        }
    }
    ok = acknowledge(QStringLiteral("reminders"), eventAcks) && ok;
    ok = acknowledge(QStringLiteral("task_reminders"), taskAcks) && ok;
    if (write.isActive() && !write.release()) {
        qWarning().noquote() << "ReminderRepository::settle failed:" << write.errorText();
        ok = false;
    }
    return ok;
}
