#include "store/eventrepository.h"

#include "store/database.h"
#include "store/eventrangebounds.h"
#include "store/eventrows.h"
#include "store/remindertrigger.h"
#include "store/savepoint.h"
#include "store/sqllists.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QHash>
#include <QMetaMethod>
#include <QSqlError>
#include <QTimer>

#include <algorithm>

namespace {

using EventRows::newId;
using EventRows::reminderAnchor;

// A search text matches itself: LIKE's wildcards are escaped.
QString likePattern(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped.append(QLatin1Char('\\'));
        escaped.append(c);
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

bool childReadFailed(const QSqlQuery &query)
{
    qWarning().noquote() << "EventRepository::loadChildren failed:" << query.lastError().text();
    return false;
}

} // namespace

EventRepository::EventRepository(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
    , m_changeTimer(new QTimer(this))
{
    m_changeTimer->setSingleShot(true);
    m_changeTimer->setInterval(150);
    connect(m_changeTimer, &QTimer::timeout, this, &EventRepository::emitPendingChange);
}

QList<Event> EventRepository::select(const QString &sql, const QVariantList &binds) const
{
    return SqlQuery::select(m_db->database(), sql, binds, EventRows::fromRow);
}

std::optional<Event> EventRepository::selectOne(const QString &sql, const QVariantList &binds) const
{
    QList<Event> rows = select(sql, binds);
    if (rows.isEmpty())
        return std::nullopt;
    rows.erase(rows.begin() + 1, rows.end());
    if (!loadChildren(rows))
        return std::nullopt;
    return rows.first();
}

QList<Event> EventRepository::selectWithChildren(const QString &sql,
                                                 const QVariantList &binds) const
{
    QList<Event> events = select(sql, binds);
    if (!loadChildren(events))
        return {};
    return events;
}

// Every read carries its children: a record handed back to update()
// rewrites the child rows from its lists, so a record without them would
// erase the stored reminders and attendees. A read whose children cannot be
// read therefore fails as a whole.
bool EventRepository::loadChildren(QList<Event> &events) const
{
    if (events.isEmpty())
        return true;
    QStringList ids;
    ids.reserve(events.size());
    for (const Event &e : events)
        ids.append(e.id);
    // One bound value whatever the number of events: a JSON array of the ids.
    const QString idArray = SqlLists::jsonArray(ids);

    QHash<QString, QList<Reminder>> reminders;
    QHash<QString, QList<Attendee>> attendees;
    QSqlDatabase &db = m_db->database();
    QSqlQuery r(db);
    r.setForwardOnly(true);
    if (!SqlQuery::run(r, QStringLiteral("SELECT id, event_id, minutes_before, action, acknowledged, "
                                         "trigger_time FROM reminders WHERE event_id IN "
                                         "(SELECT value FROM json_each(?)) ORDER BY minutes_before ASC"),
                       {idArray}))
        return childReadFailed(r);
    while (r.next()) {
        Reminder reminder = EventRows::reminderFromRow(r, 2);
        reminder.id = r.value(0).toString();
        reminder.event_id = r.value(1).toString();
        reminders[reminder.event_id].append(reminder);
    }

    QSqlQuery a(db);
    a.setForwardOnly(true);
    if (!SqlQuery::run(a, QStringLiteral("SELECT id, event_id, email, name, role, status, type, rsvp "
                                         "FROM attendees WHERE event_id IN "
                                         "(SELECT value FROM json_each(?)) ORDER BY name, email"),
                       {idArray}))
        return childReadFailed(a);
    while (a.next()) {
        Attendee attendee = EventRows::attendeeFromRow(a, 2);
        attendee.id = a.value(0).toString();
        attendee.event_id = a.value(1).toString();
        attendees[attendee.event_id].append(attendee);
    }

    for (Event &e : events) {
        e.reminders = reminders.value(e.id);
        e.attendees = attendees.value(e.id);
    }
    return true;
}

bool EventRepository::loadChildren(Event &event) const
{
    QSqlDatabase &db = m_db->database();
    QSqlQuery r(db);
    r.setForwardOnly(true);
    r.prepare(QStringLiteral("SELECT id, minutes_before, action, acknowledged, trigger_time "
                             "FROM reminders WHERE event_id = ? ORDER BY minutes_before ASC"));
    r.addBindValue(event.id);
    if (!r.exec())
        return childReadFailed(r);
    while (r.next()) {
        Reminder reminder = EventRows::reminderFromRow(r, 1);
        reminder.id = r.value(0).toString();
        reminder.event_id = event.id;
        event.reminders.append(reminder);
    }

    QSqlQuery a(db);
    a.setForwardOnly(true);
    a.prepare(QStringLiteral("SELECT id, email, name, role, status, type, rsvp FROM attendees "
                             "WHERE event_id = ? ORDER BY name, email"));
    a.addBindValue(event.id);
    if (!a.exec())
        return childReadFailed(a);
    while (a.next()) {
        Attendee attendee = EventRows::attendeeFromRow(a, 1);
        attendee.id = a.value(0).toString();
        attendee.event_id = event.id;
        event.attendees.append(attendee);
    }
    return true;
}

QList<Event> EventRepository::getRelatedTo(const QString &uid) const
{
    if (uid.isEmpty())
        return {};
    return selectWithChildren(EventRows::withColumns("SELECT %1 FROM events WHERE related_to_uid = ? "
                                                     "AND deleted_at IS NULL ORDER BY start_time ASC"),
                              {uid});
}

QList<Event> EventRepository::getByCalendar(const QString &calendarId) const
{
    return selectWithChildren(EventRows::withColumns("SELECT %1 FROM events WHERE calendar_id = ? "
                                                     "AND deleted_at IS NULL ORDER BY start_time"),
                              {calendarId});
}

std::optional<Event> EventRepository::getById(const QString &id) const
{
    const QList<Event> rows =
        select(EventRows::withColumns("SELECT %1 FROM events WHERE id = ?"), {id});
    if (rows.isEmpty())
        return std::nullopt;
    Event event = rows.first();
    if (!loadChildren(event))
        return std::nullopt;
    return event;
}

std::optional<Event> EventRepository::getByUid(const QString &uid, const QString &calendarId) const
{
    // A series and its changed occurrences share the uid; the series itself
    // (no recurrence id) is the one callers mean.
    return selectOne(
        EventRows::withColumns("SELECT %1 FROM events WHERE uid = ? AND calendar_id = ? "
                               "ORDER BY COALESCE(recurrence_id, '') != '', recurrence_id LIMIT 1"),
        {uid, calendarId});
}

std::optional<Event> EventRepository::getByUidAndRecurrenceId(const QString &uid,
                                                              const QString &calendarId,
                                                              const QString &recurrenceId) const
{
    return selectOccurrence(uid, calendarId, recurrenceId, QString());
}

std::optional<Event> EventRepository::getLiveByUidAndRecurrenceId(const QString &uid, const QString &calendarId,
                                                                  const QString &recurrenceId) const
{
    return selectOccurrence(uid, calendarId, recurrenceId, QStringLiteral(" AND deleted_at IS NULL"));
}

std::optional<Event> EventRepository::selectOccurrence(const QString &uid, const QString &calendarId,
                                                       const QString &recurrenceId, const QString &rowTest) const
{
    std::optional<Event> found = selectOne(
        EventRows::withColumns("SELECT %1 FROM events WHERE uid = ? AND calendar_id = ? AND "
                               "COALESCE(recurrence_id, '') = COALESCE(?, '')")
            + rowTest,
        {uid, calendarId, StoredTime::text(recurrenceId)});
    if (found || recurrenceId.isEmpty())
        return found;
    // An occurrence changed here has a uid of its own and names its series
    // by master_event_uid; the server knows it by the series' uid.
    return selectOne(EventRows::withColumns("SELECT %1 FROM events WHERE master_event_uid = ? AND calendar_id = ? "
                                            "AND recurrence_id = ?")
                         + rowTest + QStringLiteral(" LIMIT 1"),
                     {uid, calendarId, recurrenceId});
}

QList<Event> EventRepository::getOccurrencesOf(const QString &uid, const QString &calendarId) const
{
    if (uid.isEmpty())
        return {};
    // Two reads, each through its own index (the calendar's uids, the
    // series' uid), instead of one that visits every row of the calendar:
    // left to itself, the planner reads the second by calendar.
    return selectWithChildren(
        EventRows::withColumns("SELECT %1 FROM events WHERE calendar_id = ? AND uid = ? "
                               "AND COALESCE(recurrence_id, '') <> '' AND deleted_at IS NULL UNION ALL "
                               "SELECT %1 FROM events INDEXED BY idx_events_master_uid WHERE master_event_uid = ? "
                               "AND calendar_id = ? "
                               "AND uid <> ? AND COALESCE(recurrence_id, '') <> '' AND deleted_at IS NULL "
                               "ORDER BY recurrence_id"),
        {calendarId, uid, uid, calendarId, uid});
}

QString EventRepository::rangeStatement(int calendarIdCount, bool bounded)
{
    // Every row must pass this test: timed rows against UTC instants,
    // all-day rows against dates. The start bound before it is the later of
    // the two upper limits, so that the start index can cut the scan.
    QString test = QStringLiteral(
        " AND deleted_at IS NULL AND ("
        "(is_all_day = 0 AND start_time < ? AND (end_time > ? OR start_time >= ? OR "
        "(recurrence_rule IS NOT NULL AND recurrence_rule != ''))) OR "
        "(is_all_day != 0 AND substr(start_time, 1, 10) <= ? AND "
        "(substr(end_time, 1, 10) > ? OR substr(start_time, 1, 10) >= ? OR "
        "(recurrence_rule IS NOT NULL AND recurrence_rule != ''))))");
    if (calendarIdCount > 0) {
        test += QStringLiteral(" AND calendar_id IN (%1)")
                    .arg(SqlLists::placeholders(calendarIdCount, QStringLiteral(", ")));
    }
    const QString order = QStringLiteral(" ORDER BY start_time");
    if (!bounded)
        return EventRows::withColumns("SELECT %1 FROM events WHERE start_time < ?") + test + order;

    // Before the window only the events kept apart can reach into the range:
    // those that recur or end after its start, found through their own index.
    const QString apart = QStringLiteral(" INDEXED BY %1 WHERE %2 AND start_time < ? AND "
                                         "((recurrence_rule IS NOT NULL AND recurrence_rule != '') OR "
                                         "end_time > ? OR substr(end_time, 1, 10) > ?) AND start_time < ?")
                              .arg(QLatin1String(EventRangeBounds::kApartIndex),
                                   QLatin1String(EventRangeBounds::kApartCondition));
    return EventRows::withColumns("SELECT %1 FROM events WHERE start_time >= ? AND start_time < ?")
        + test + EventRows::withColumns(" UNION ALL SELECT %1 FROM events") + apart + test + order;
}

QVariantList EventRepository::rangeBinds(const QDateTime &from, const QDateTime &to,
                                         const QStringList &calendarIds, bool bounded)
{
    const QString fromUtc = StoredTime::instant(from);
    const QString toUtc = StoredTime::instant(to);
    // The last day the range touches: a range ending at midnight ends the day before.
    const QDate lastDay = to.time() == QTime(0, 0) ? to.date().addDays(-1) : to.date();
    const QString firstDayText = StoredTime::date(from.date());
    const QString lastDayText = StoredTime::date(lastDay);
    const QString dayAfter = StoredTime::date(lastDay.addDays(1));
    const QString scanTo = qMax(toUtc, dayAfter);

    QVariantList binds = {scanTo, toUtc, fromUtc, fromUtc, lastDayText, firstDayText, firstDayText};
    for (const QString &id : calendarIds)
        binds.append(id);
    if (!bounded)
        return binds;
    // The window opens a day earlier than an ordinary event can last: a date
    // sorts before every instant of its day, and a stored time with an
    // offset differs from UTC by less.
    const QDate firstDay = std::min(from.toUTC().date(), from.date());
    const QString windowStart = StoredTime::date(firstDay.addDays(-EventRangeBounds::kWindowDays - 1));
    return QVariantList{windowStart} + binds + QVariantList{windowStart, fromUtc, firstDayText}
        + binds;
}

QList<Event> EventRepository::getInRange(const QDateTime &from, const QDateTime &to,
                                         const QStringList &calendarIds) const
{
    if (!from.isValid() || !to.isValid())
        return {};
    return selectWithChildren(rangeStatement(calendarIds.size(), true),
                              rangeBinds(from, to, calendarIds, true));
}

QList<Event> EventRepository::getPending(const QString &calendarId) const
{
    // Named, or the order by start would pick the calendar's start index
    // and read every row of the calendar after each sync, not its few
    // pending ones.
    return selectWithChildren(EventRows::withColumns("SELECT %1 FROM events INDEXED BY idx_events_calendar_pending "
                                                     "WHERE calendar_id = ? AND sync_status = 'pending' "
                                                     "ORDER BY start_time"),
                              {calendarId});
}

QList<Event> EventRepository::search(const QString &text, int limit) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QString pattern = likePattern(trimmed);
    return selectWithChildren(
        EventRows::withColumns(
            "SELECT %1 FROM events WHERE deleted_at IS NULL AND (title LIKE ? ESCAPE '\\' "
            "OR location LIKE ? ESCAPE '\\' OR description LIKE ? ESCAPE '\\') "
            "ORDER BY start_time ASC LIMIT ?"),
        {pattern, pattern, pattern, qMax(1, limit)});
}

bool EventRepository::writeWithChildren(const char *operation, QSqlQuery &main, const Event &event)
{
    const auto writeChildren = [&](QString *error) {
        return writeReminderRows(event, error) && writeAttendeeRows(event, error);
    };
    if (!SqlQuery::execWithChildren(m_db->database(), QStringLiteral("event_write"),
                                    "EventRepository", operation, main, writeChildren))
        return false;
    notifyChanged(event.calendar_id);
    return true;
}

bool EventRepository::insert(const Event &e)
{
    QSqlQuery query(m_db->database());
    query.prepare(EventRows::insertStatement());
    EventRows::bindInsert(query, e);
    return writeWithChildren("insert", query, e);
}

bool EventRepository::update(const Event &e)
{
    QSqlQuery query(m_db->database());
    query.prepare(QStringLiteral(
        "UPDATE events SET calendar_id = ?, uid = ?, provider_event_id = ?, etag = ?, href = ?, "
        "title = ?, description = ?, location = ?, geo_location = ?, start_time = ?, "
        "end_time = ?, is_all_day = ?, timezone = ?, recurrence_rule = ?, recurrence_dates = ?, "
        "exception_dates = ?, recurrence_id = ?, master_event_uid = ?, status = ?, "
        "event_url = ?, conference_url = ?, organizer_email = ?, organizer_name = ?, "
        "sequence = ?, raw_icalendar = ?, color = ?, last_modified = ?, sync_status = ?, "
        "deleted_at = ?, related_to_uid = ? WHERE id = ?"));
    EventRows::bindContent(query, e);
    query.addBindValue(StoredTime::now());
    query.addBindValue(toText(e.sync_status));
    query.addBindValue(StoredTime::instantOrNull(e.deleted_at));
    query.addBindValue(StoredTime::text(e.related_to_uid));
    query.addBindValue(e.id);
    return writeWithChildren("update", query, e);
}

bool EventRepository::writeReminderRows(const Event &event, QString *error)
{
    return ReminderTrigger::replace(m_db->database(), QStringLiteral("reminders"),
                                    QStringLiteral("event_id"), event.id, event.reminders,
                                    reminderAnchor(event), "writeReminderRows", error);
}

bool EventRepository::writeAttendeeRows(const Event &event, QString *error)
{
    QSqlDatabase &db = m_db->database();
    QSqlQuery remove(db);
    remove.prepare(QStringLiteral("DELETE FROM attendees WHERE event_id = ?"));
    remove.addBindValue(event.id);
    if (!remove.exec()) {
        *error = remove.lastError().text();
        qWarning().noquote() << "writeAttendeeRows delete failed:" << *error;
        return false;
    }

    for (const Attendee &attendee : event.attendees) {
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO attendees (id, event_id, email, name, role, "
                                      "status, type, rsvp) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        insert.addBindValue(attendee.id.isEmpty() ? newId() : attendee.id);
        insert.addBindValue(event.id);
        insert.addBindValue(StoredTime::text(attendee.email));
        insert.addBindValue(StoredTime::text(attendee.name));
        insert.addBindValue(attendee.role.isEmpty() ? QStringLiteral("required") : attendee.role);
        insert.addBindValue(attendee.status.isEmpty() ? QStringLiteral("needs-action")
                                                      : attendee.status);
        insert.addBindValue(StoredTime::text(attendee.type));
        insert.addBindValue(attendee.rsvp ? 1 : 0);
        if (!insert.exec()) {
            *error = insert.lastError().text();
            qWarning().noquote() << "writeAttendeeRows insert failed:" << *error;
            return false;
        }
    }
    return true;
}

QString EventRepository::calendarIdOf(const QString &id) const
{
    return SqlQuery::firstValue(m_db->database(),
                                QStringLiteral("SELECT calendar_id FROM events WHERE id = ?"), {id})
        .toString();
}

bool EventRepository::remove(const QString &id)
{
    const QString calendarId = calendarIdOf(id);
    const QString stamp = StoredTime::now();
    if (!SqlQuery::execOnRow(m_db->database(), "EventRepository", "remove",
                           QStringLiteral("UPDATE events SET deleted_at = ?, sync_status = 'pending', "
                                          "last_modified = ? WHERE id = ?"),
                           {stamp, stamp, id}))
        return false;
    notifyChanged(calendarId);
    return true;
}

bool EventRepository::withdraw(const QString &id)
{
    const QString calendarId = calendarIdOf(id);
    const QString stamp = StoredTime::now();
    if (!SqlQuery::execOnRow(m_db->database(), "EventRepository", "withdraw",
                             QStringLiteral("UPDATE events SET deleted_at = ?, status = ?, sync_status = 'pending', "
                                            "last_modified = ? WHERE id = ? AND recurrence_id IS NOT NULL "
                                            "AND recurrence_id != ''"),
                             {stamp, QString(WithdrawnOccurrenceStatus), stamp, id}))
        return false;
    notifyChanged(calendarId);
    return true;
}

bool EventRepository::hardDelete(const QString &id)
{
    const QString calendarId = calendarIdOf(id);
    QSqlDatabase &db = m_db->database();
    // All or nothing: an event must not survive without its children.
    SavePoint savepoint(db, QStringLiteral("event_delete"));
    if (!savepoint.isActive()) {
        qWarning().noquote() << "EventRepository::hardDelete failed:" << savepoint.errorText();
        return false;
    }
    // The row's last record, for the undo of a delete, when one waits.
    const bool told = !signalsBlocked() && isSignalConnected(QMetaMethod::fromSignal(&EventRepository::eventErased));
    const std::optional<Event> erased =
        told ? selectOne(EventRows::withColumns("SELECT %1 FROM events WHERE id = ?"), {id}) : std::nullopt;
    // A copy moved on passes its link on before the cascade takes it: the
    // row it was moved from still hands what its server changes to where
    // the event went next.
    if (!SqlQuery::exec(db, "EventRepository", "hardDelete",
                        QStringLiteral("UPDATE event_moves SET to_id = (SELECT to_id FROM event_moves WHERE from_id = ?) "
                                       "WHERE to_id = ? AND EXISTS (SELECT 1 FROM event_moves WHERE from_id = ?)"),
                        {id, id, id}))
        return false;
    for (const char *table : {"attendees", "attachments", "reminders"}) {
        QSqlQuery child(db);
        child.prepare(
            QStringLiteral("DELETE FROM %1 WHERE event_id = ?").arg(QLatin1String(table)));
        child.addBindValue(id);
        if (!child.exec()) {
            qWarning().noquote() << "EventRepository::hardDelete child cleanup failed:" << table
                                 << ":" << child.lastError().text();
            return false;
        }
    }
    if (!SqlQuery::execOnRow(db, "EventRepository", "hardDelete",
                           QStringLiteral("DELETE FROM events WHERE id = ?"), {id}))
        return false;
    if (!savepoint.release()) {
        qWarning().noquote() << "EventRepository::hardDelete failed:" << savepoint.errorText();
        return false;
    }
    if (erased)
        Q_EMIT eventErased(*erased);
    notifyChanged(calendarId);
    return true;
}

bool EventRepository::restore(const Event &event)
{
    Event copy = event;
    copy.deleted_at.reset();
    copy.sync_status = SyncStatus::Pending;

    if (getById(copy.id)) {
        const bool ok = update(copy);
        qInfo() << "[Undo] cleared tombstone on existing row" << copy.id << "ok=" << ok;
        return ok;
    }
    // The server copy is gone; pushing it again must create a new one.
    copy.provider_event_id.clear();
    copy.etag.clear();
    copy.href.clear();
    const bool ok = insert(copy);
    qInfo() << "[Undo] re-inserted row" << copy.id << "title=" << copy.title << "ok=" << ok;
    return ok;
}

void EventRepository::notifyChanged(const QString &calendarId)
{
    m_pendingCalendarId = calendarId;
    if (m_changesHeld)
        m_changeHeldBack = true;
    else
        m_changeTimer->start();
}

void EventRepository::holdChanges(bool held)
{
    m_changesHeld = held;
    if (!held && m_changeHeldBack) {
        m_changeHeldBack = false;
        m_changeTimer->start();
    }
}

void EventRepository::emitPendingChange()
{
    // Cleared first, so a listener that writes again gets its own signal.
    const QString calendarId = m_pendingCalendarId;
    m_pendingCalendarId.clear();
    Q_EMIT eventsChanged(calendarId);
}

QList<Event> EventRepository::searchInRange(const QString &text, const QDateTime &from, const QDateTime &to,
                                            const QStringList &calendarIds, int limit) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || calendarIds.isEmpty() || !from.isValid() || !to.isValid() || to < from)
        return {};
    const QString pattern = likePattern(trimmed);
    // An all-day row starts at local midnight of its date: inside the range
    // when that midnight is not before `from` and the date not after `to`.
    const QDate firstDay = from.time() == QTime(0, 0) ? from.date() : from.date().addDays(1);
    return selectWithChildren(
        EventRows::withColumns(
            "SELECT %1 FROM events WHERE deleted_at IS NULL "
            "AND calendar_id IN (SELECT value FROM json_each(?)) "
            "AND ((is_all_day = 0 AND start_time >= ? AND start_time <= ?) OR "
            "(is_all_day != 0 AND substr(start_time, 1, 10) >= ? AND substr(start_time, 1, 10) <= ?)) "
            "AND (title LIKE ? ESCAPE '\\' OR location LIKE ? ESCAPE '\\' OR description LIKE ? ESCAPE '\\') "
            "ORDER BY start_time ASC LIMIT ?"),
        {SqlLists::jsonArray(calendarIds), StoredTime::instant(from), StoredTime::instant(to),
         StoredTime::date(firstDay), StoredTime::date(to.date()), pattern, pattern, pattern, qMax(1, limit)});
}

int EventRepository::countInCalendar(const QString &calendarId) const
{
    QSqlQuery query(m_db->database());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM events WHERE calendar_id = ?"));
    query.addBindValue(calendarId);
    if (!query.exec()) {
        qWarning().noquote() << "EventRepository::countInCalendar failed:" << query.lastError().text();
        return 0;
    }
    return query.next() ? query.value(0).toInt() : 0;
}
