#include "store/taskrepository.h"

#include "store/database.h"
#include "store/remindertrigger.h"
#include "store/savepoint.h"
#include "store/sqllists.h"
#include "store/movelinks.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QTimer>

namespace {

constexpr SqlQuery::Columns columns(
    "id, calendar_id, uid, etag, href, title, description, status, priority, percent_complete, "
    "due_date, start_date, completed_date, categories, parent_task_uid, sort_order, color, "
    "recurrence_rule, sequence, raw_icalendar, created, last_modified, sync_status, deleted_at, "
    "due_is_date_only, start_is_date_only, repeat_mode, item_type");

QVariant nullText()
{
    return QVariant(QMetaType::fromType<QString>());
}

// Date-only values are calendar dates; timed ones UTC instants.
QVariant taskTime(const std::optional<QDateTime> &value, bool dateOnly)
{
    if (!value || !value->isValid())
        return nullText();
    return dateOnly ? StoredTime::date(value->date()) : StoredTime::instant(*value);
}

QString orDefault(const QString &value, const char *fallback)
{
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

QDateTime anchorOf(const std::optional<QDateTime> &value, bool dateOnly)
{
    if (!value || !value->isValid())
        return QDateTime();
    return dateOnly ? QDateTime(value->date(), QTime(0, 0)) : *value;
}

// Task alarms count back from the due time, or from the start without one
// (the iCalendar form says RELATED=END or RELATED=START the same way).
QDateTime reminderAnchor(const Task &t)
{
    const QDateTime due = anchorOf(t.due_date, t.due_is_date_only);
    return due.isValid() ? due : anchorOf(t.start_date, t.start_is_date_only);
}

// The columns insert and update both write, in the order bindContent and
// bindState bind them.
constexpr char kContentColumns[] =
    "calendar_id, uid, etag, href, title, description, status, priority, percent_complete, due_date, "
    "start_date, completed_date, categories, parent_task_uid, sort_order, color, recurrence_rule, sequence, "
    "raw_icalendar";
constexpr char kStateColumns[] =
    "sync_status, deleted_at, due_is_date_only, start_is_date_only, repeat_mode, item_type";

QStringList columnNames(const char *list)
{
    return QString::fromLatin1(list).split(QStringLiteral(", "));
}

// "a = ?, b = ?" for an UPDATE of the columns.
QString assignments(const char *list)
{
    return columnNames(list).join(QStringLiteral(" = ?, ")) + QStringLiteral(" = ?");
}

QString insertStatement()
{
    const QString columns = QStringLiteral("id, %1, created, last_modified, %2")
                                .arg(QLatin1String(kContentColumns), QLatin1String(kStateColumns));
    QStringList marks;
    marks.fill(QStringLiteral("?"), columns.count(QLatin1Char(',')) + 1);
    return QStringLiteral("INSERT INTO tasks (%1) VALUES (%2)").arg(columns, marks.join(QStringLiteral(", ")));
}

QString updateStatement()
{
    return QStringLiteral("UPDATE tasks SET %1, last_modified = ?, %2 WHERE id = ?")
        .arg(assignments(kContentColumns), assignments(kStateColumns));
}

// Columns calendar_id .. raw_icalendar, shared by insert and update.
void bindContent(QSqlQuery &q, const Task &t)
{
    q.addBindValue(StoredTime::text(t.calendar_id));
    q.addBindValue(StoredTime::text(t.uid));
    q.addBindValue(StoredTime::text(t.etag));
    q.addBindValue(StoredTime::text(t.href));
    q.addBindValue(StoredTime::text(t.title));
    q.addBindValue(StoredTime::text(t.description));
    q.addBindValue(toText(t.status));
    q.addBindValue(t.priority);
    q.addBindValue(t.percent_complete);
    q.addBindValue(taskTime(t.due_date, t.due_is_date_only));
    q.addBindValue(taskTime(t.start_date, t.start_is_date_only));
    q.addBindValue(StoredTime::instantOrNull(t.completed_date));
    q.addBindValue(TaskRepository::categoriesJson(t.categories));
    q.addBindValue(StoredTime::text(t.parent_task_uid));
    q.addBindValue(t.sort_order);
    q.addBindValue(StoredTime::text(t.color));
    q.addBindValue(StoredTime::text(t.recurrence_rule));
    q.addBindValue(t.sequence);
    q.addBindValue(StoredTime::text(t.raw_icalendar));
}

// Columns sync_status .. item_type, shared by insert and update.
void bindState(QSqlQuery &q, const Task &t)
{
    q.addBindValue(toText(t.sync_status));
    q.addBindValue(StoredTime::instantOrNull(t.deleted_at));
    q.addBindValue(t.due_is_date_only ? 1 : 0);
    q.addBindValue(t.start_is_date_only ? 1 : 0);
    q.addBindValue(orDefault(t.repeat_mode, "fromDueDate"));
    q.addBindValue(orDefault(t.item_type, "task"));
}

} // namespace

TaskRepository::TaskRepository(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
    , m_changeTimer(new QTimer(this))
{
    m_changeTimer->setSingleShot(true);
    m_changeTimer->setInterval(150);
    connect(m_changeTimer, &QTimer::timeout, this, &TaskRepository::emitPendingChange);
}

QStringList TaskRepository::parseCategories(const QString &json)
{
    QStringList out;
    if (json.isEmpty())
        return out;
    const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8());
    if (!doc.isArray())
        return out;
    for (const QJsonValue &value : doc.array())
        out.append(value.isString() ? value.toString() : QString(QLatin1String("")));
    return out;
}

QString TaskRepository::categoriesJson(const QStringList &categories)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(categories)).toJson(QJsonDocument::Compact));
}

Task TaskRepository::fromRow(const QSqlQuery &q)
{
    Task t;
    t.id = q.value(0).toString();
    t.calendar_id = q.value(1).toString();
    t.uid = q.value(2).toString();
    t.etag = q.value(3).toString();
    t.href = q.value(4).toString();
    t.title = q.value(5).toString();
    t.description = q.value(6).toString();
    t.status = taskStatusFromText(q.value(7).toString());
    t.priority = q.value(8).toInt();
    t.percent_complete = q.value(9).toInt();
    t.due_date = StoredTime::parseOptional(q.value(10).toString());
    t.start_date = StoredTime::parseOptional(q.value(11).toString());
    t.completed_date = StoredTime::parseOptional(q.value(12).toString());
    t.categories = parseCategories(q.value(13).toString());
    t.parent_task_uid = q.value(14).toString();
    t.sort_order = q.value(15).toInt();
    t.color = q.value(16).toString();
    t.recurrence_rule = q.value(17).toString();
    t.sequence = q.value(18).toInt();
    t.raw_icalendar = q.value(19).toString();
    t.created = StoredTime::parse(q.value(20).toString());
    t.last_modified = StoredTime::parse(q.value(21).toString());
    t.sync_status = syncStatusFromText(q.value(22).toString());
    t.deleted_at = StoredTime::parseOptional(q.value(23).toString());
    t.due_is_date_only = q.value(24).toInt() != 0;
    t.start_is_date_only = q.value(25).toInt() != 0;
    t.repeat_mode = orDefault(q.value(26).toString(), "fromDueDate");
    t.item_type = orDefault(q.value(27).toString(), "task");
    return t;
}

QList<Task> TaskRepository::select(const QString &sql, const QVariantList &binds) const
{
    QList<Task> out = SqlQuery::select(m_db->database(), sql, binds, fromRow);
    // A task without its reminders, handed back to update(), would erase them.
    if (!loadReminders(out))
        return {};
    return out;
}

std::optional<Task> TaskRepository::selectOne(const QString &sql, const QVariantList &binds) const
{
    const QList<Task> rows = select(sql, binds);
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

bool TaskRepository::loadReminders(QList<Task> &tasks) const
{
    if (tasks.isEmpty())
        return true;
    QStringList ids;
    ids.reserve(tasks.size());
    for (const Task &t : tasks)
        ids.append(t.id);

    QHash<QString, QList<Reminder>> groups;
    for (const QStringList &chunk : SqlLists::chunks(ids)) {
        QSqlQuery query(m_db->database());
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT id, task_id, minutes_before, action, acknowledged, "
                                     "trigger_time FROM task_reminders WHERE task_id IN (%1)")
                          .arg(SqlLists::placeholders(chunk.size(), QStringLiteral(","))));
        for (const QString &id : chunk)
            query.addBindValue(id);
        if (!query.exec()) {
            qWarning().noquote() << "TaskRepository::loadReminders failed:"
                                 << query.lastError().text();
            return false;
        }
        while (query.next()) {
            Reminder r;
            r.id = query.value(0).toString();
            r.task_id = query.value(1).toString();
            r.minutes_before = query.value(2).toInt();
            r.action = query.value(3).toString();
            r.acknowledged = query.value(4).toInt() != 0;
            r.trigger_time = StoredTime::parseOptional(query.value(5).toString());
            groups[r.task_id].append(r);
        }
    }
    for (Task &t : tasks)
        t.reminders = groups.value(t.id);
    return true;
}

std::optional<Task> TaskRepository::getByUid(const QString &uid) const
{
    if (uid.isEmpty())
        return std::nullopt;
    return selectOne(columns("SELECT %1 FROM tasks WHERE uid = ? AND deleted_at IS NULL LIMIT 1"),
                     {uid});
}

QList<Task> TaskRepository::getByCalendar(const QString &calendarId) const
{
    return select(columns("SELECT %1 FROM tasks WHERE calendar_id = ? AND deleted_at IS NULL "
                          "ORDER BY due_date IS NULL, due_date, sort_order"),
                  {calendarId});
}

std::optional<Task> TaskRepository::getById(const QString &id) const
{
    return selectOne(columns("SELECT %1 FROM tasks WHERE id = ?"), {id});
}

std::optional<Task> TaskRepository::getByUidAndCalendar(const QString &uid,
                                                        const QString &calendarId) const
{
    return selectOne(columns("SELECT %1 FROM tasks WHERE uid = ? AND calendar_id = ?"),
                     {uid, calendarId});
}

QList<Task> TaskRepository::getInRange(const QDateTime &from, const QDateTime &to,
                                       const QStringList &calendarIds) const
{
    if (!from.isValid() || !to.isValid())
        return {};
    // Timed values are UTC instants in [from, to); date-only values count
    // when their day lies within the days the range touches.
    QString sql = columns("SELECT %1 FROM tasks WHERE deleted_at IS NULL AND ("
                          "(due_date IS NOT NULL AND ("
                          "(due_is_date_only != 0 AND substr(due_date, 1, 10) >= ? AND "
                          "substr(due_date, 1, 10) <= ?) OR "
                          "(due_is_date_only = 0 AND due_date >= ? AND due_date < ?))) OR "
                          "(start_date IS NOT NULL AND ("
                          "(start_is_date_only != 0 AND substr(start_date, 1, 10) >= ? AND "
                          "substr(start_date, 1, 10) <= ?) OR "
                          "(start_is_date_only = 0 AND start_date >= ? AND start_date < ?))))");
    if (!calendarIds.isEmpty()) {
        sql += QStringLiteral(" AND calendar_id IN (%1)")
                   .arg(SqlLists::placeholders(calendarIds.size(), QStringLiteral(",")));
    }
    sql += QStringLiteral(" ORDER BY due_date, sort_order");

    const QDate lastDay = to.time() == QTime(0, 0) ? to.date().addDays(-1) : to.date();
    const QString firstDayText = StoredTime::date(from.date());
    const QString lastDayText = StoredTime::date(lastDay);
    const QString fromUtc = StoredTime::instant(from);
    const QString toUtc = StoredTime::instant(to);
    QVariantList binds = {firstDayText, lastDayText, fromUtc, toUtc,
                          firstDayText, lastDayText, fromUtc, toUtc};
    for (const QString &id : calendarIds)
        binds.append(id);
    return select(sql, binds);
}

QList<Task> TaskRepository::getPending(const QString &calendarId) const
{
    return select(columns("SELECT %1 FROM tasks WHERE calendar_id = ? AND "
                          "sync_status = 'pending' ORDER BY last_modified"),
                  {calendarId});
}

QList<Task> TaskRepository::getByHref(const QString &calendarId, const QString &href) const
{
    return select(columns("SELECT %1 FROM tasks WHERE calendar_id = ? AND href = ? AND deleted_at IS NULL"),
                  {calendarId, href});
}

QList<Task> TaskRepository::getDeletedByHref(const QString &calendarId, const QString &href) const
{
    return select(columns("SELECT %1 FROM tasks WHERE calendar_id = ? AND href = ? AND deleted_at IS NOT NULL "
                          "AND sync_status = 'pending'"),
                  {calendarId, href});
}

bool TaskRepository::writeWithReminders(const char *operation, QSqlQuery &main, const Task &task)
{
    const auto writeChildren = [&](QString *error) { return writeReminders(task, error); };
    if (!SqlQuery::execWithChildren(m_db->database(), QStringLiteral("task_write"),
                                    "TaskRepository", operation, main, writeChildren))
        return false;
    notifyChanged(task.calendar_id);
    return true;
}

bool TaskRepository::insert(const Task &t)
{
    static const QString sql = insertStatement();
    QSqlQuery query(m_db->database());
    query.prepare(sql);
    query.addBindValue(StoredTime::text(t.id));
    bindContent(query, t);
    query.addBindValue(StoredTime::instantOrNow(t.created));
    query.addBindValue(StoredTime::instantOrNow(t.last_modified));
    bindState(query, t);
    return writeWithReminders("insert", query, t);
}

bool TaskRepository::update(const Task &t)
{
    static const QString sql = updateStatement();
    QSqlQuery query(m_db->database());
    query.prepare(sql);
    bindContent(query, t);
    query.addBindValue(StoredTime::now());
    bindState(query, t);
    query.addBindValue(t.id);
    return writeWithReminders("update", query, t);
}

bool TaskRepository::writeReminders(const Task &task, QString *error)
{
    return ReminderTrigger::replace(m_db->database(), QStringLiteral("task_reminders"),
                                    QStringLiteral("task_id"), task.id, task.reminders,
                                    reminderAnchor(task), "TaskRepository::writeReminders", error);
}

QString TaskRepository::calendarIdOf(const QString &id) const
{
    return SqlQuery::firstValue(m_db->database(),
                                QStringLiteral("SELECT calendar_id FROM tasks WHERE id = ?"), {id})
        .toString();
}

bool TaskRepository::remove(const QString &id)
{
    const QString calendarId = calendarIdOf(id);
    const QString stamp = StoredTime::now();
    if (!SqlQuery::execOnRow(m_db->database(), "TaskRepository", "remove",
                           QStringLiteral("UPDATE tasks SET deleted_at = ?, sync_status = 'pending', "
                                          "last_modified = ? WHERE id = ?"),
                           {stamp, stamp, id}))
        return false;
    notifyChanged(calendarId);
    return true;
}

bool TaskRepository::hardDelete(const QString &id)
{
    const QString calendarId = calendarIdOf(id);
    QSqlDatabase &db = m_db->database();
    SavePoint savepoint(db, QStringLiteral("task_delete"));
    if (!savepoint.isActive()) {
        qWarning().noquote() << "TaskRepository::hardDelete failed:" << savepoint.errorText();
        return false;
    }
    // A copy moved on passes its link on before the cascade takes it: the
    // task it was moved from still waits for where the task went next.
    if (!SqlQuery::exec(db, "TaskRepository", "hardDelete",
                        QStringLiteral("UPDATE task_moves SET to_id = (SELECT to_id FROM task_moves WHERE from_id = ?) "
                                       "WHERE to_id = ? AND EXISTS (SELECT 1 FROM task_moves WHERE from_id = ?)"),
                        {id, id, id}))
        return false;
    // The alarms go with the row: task_reminders cascades on delete.
    if (!SqlQuery::execOnRow(db, "TaskRepository", "hardDelete", QStringLiteral("DELETE FROM tasks WHERE id = ?"),
                             {id}))
        return false;
    if (!savepoint.release()) {
        qWarning().noquote() << "TaskRepository::hardDelete failed:" << savepoint.errorText();
        return false;
    }
    notifyChanged(calendarId);
    return true;
}

std::optional<TaskSyncBase> TaskRepository::syncBase(const QString &id) const
{
    QSqlQuery query(m_db->database());
    query.setForwardOnly(true);
    if (!SqlQuery::run(query, QStringLiteral("SELECT etag, raw_icalendar FROM task_sync_bases WHERE task_id = ?"),
                       {id})) {
        qWarning().noquote() << "TaskRepository::syncBase failed:" << query.lastError().text();
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    return TaskSyncBase{query.value(0).toString(), query.value(1).toString()};
}

bool TaskRepository::keepSyncBase(const QString &id, const TaskSyncBase &base)
{
    return SqlQuery::exec(m_db->database(), "TaskRepository", "keepSyncBase",
                          QStringLiteral("INSERT OR REPLACE INTO task_sync_bases (task_id, etag, raw_icalendar) "
                                         "VALUES (?, ?, ?)"),
                          {id, StoredTime::text(base.etag), StoredTime::text(base.raw_icalendar)});
}

bool TaskRepository::keepMove(const QString &fromId, const QString &toId)
{
    return MoveLinks::keep(m_db->database(), "TaskRepository", QStringLiteral("task_moves"), fromId, toId);
}

QString TaskRepository::movedTo(const QString &fromId) const
{
    return MoveLinks::to(m_db->database(), QStringLiteral("task_moves"), fromId);
}

QString TaskRepository::movedFrom(const QString &toId) const
{
    return MoveLinks::from(m_db->database(), QStringLiteral("task_moves"), toId);
}

QStringList TaskRepository::leftPendingByMoves(const QString &calendarId) const
{
    return MoveLinks::leftPendingIn(m_db->database(), QStringLiteral("task_moves"), QStringLiteral("tasks"), calendarId);
}

bool TaskRepository::markSynced(const QString &id, const QString &href, const QString &etag)
{
    const QString calendarId = calendarIdOf(id);
    if (!SqlQuery::execOnRow(m_db->database(), "TaskRepository", "markSynced",
                           QStringLiteral("UPDATE tasks SET href = ?, etag = ?, sync_status = 'synced' "
                                          "WHERE id = ?"),
                           {StoredTime::text(href), StoredTime::text(etag), id}))
        return false;
    notifyChanged(calendarId);
    return true;
}

bool TaskRepository::markSent(const QString &id, const QString &href, const QString &etag, const QString &text)
{
    const QString calendarId = calendarIdOf(id);
    if (!SqlQuery::execOnRow(m_db->database(), "TaskRepository", "markSent",
                             QStringLiteral("UPDATE tasks SET href = ?, etag = ?, raw_icalendar = ?, "
                                            "sync_status = 'synced' WHERE id = ?"),
                             {StoredTime::text(href), StoredTime::text(etag), StoredTime::text(text), id}))
        return false;
    notifyChanged(calendarId);
    return true;
}

bool TaskRepository::retag(const QString &calendarId, const QString &href, const QStringList &ids,
                           const QString &etag)
{
    if (ids.isEmpty())
        return true;
    if (!SqlQuery::exec(m_db->database(), "TaskRepository", "retag",
                        QStringLiteral("UPDATE tasks SET etag = ? WHERE calendar_id = ? AND href = ? AND id IN "
                                       "(SELECT value FROM json_each(?))"),
                        {StoredTime::text(etag), calendarId, href, SqlLists::jsonArray(ids)}))
        return false;
    notifyChanged(calendarId);
    return true;
}

void TaskRepository::notifyChanged(const QString &calendarId)
{
    m_pendingCalendarId = calendarId;
    m_changeTimer->start();
}

void TaskRepository::emitPendingChange()
{
    // Cleared first, so a listener that writes again gets its own signal.
    const QString calendarId = m_pendingCalendarId;
    m_pendingCalendarId.clear();
    Q_EMIT tasksChanged(calendarId);
}
