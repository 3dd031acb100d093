#include "store/daydurationreread.h"

#include <QDebug>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

#include "calendar/durationend.h"
#include "store/database.h"
#include "store/preferencekeys.h"
#include "store/remindertrigger.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"
#include "store/storetransaction.h"

#include <optional>

namespace DayDurationReread {

namespace {

const char kClass[] = "DayDurationReread";

// A live timed row whose text names a DURATION somewhere: the server's copy
// its edit started from when it is pending with one, else its own. `own` is
// the row's own text when the server's copy is another.
struct Candidate
{
    QString id;
    QString uid;
    QString recurrenceId;
    QString start;
    QString end;
    QString text;
    QString own;
};

const char kEvents[] =
    "SELECT e.id, e.uid, e.recurrence_id, e.start_time, e.end_time, "
    "coalesce(nullif(b.raw_icalendar, ''), e.raw_icalendar) AS text, "
    "CASE WHEN nullif(b.raw_icalendar, '') IS NULL THEN '' ELSE e.raw_icalendar END "
    "FROM events e LEFT JOIN event_sync_bases b ON b.event_id = e.id "
    "WHERE e.deleted_at IS NULL AND e.is_all_day = 0 AND e.end_time IS NOT NULL AND text LIKE '%DURATION%'";
const char kTasks[] =
    "SELECT t.id, t.uid, '', t.start_date, t.due_date, "
    "coalesce(nullif(b.raw_icalendar, ''), t.raw_icalendar) AS text, "
    "CASE WHEN nullif(b.raw_icalendar, '') IS NULL THEN '' ELSE t.raw_icalendar END "
    "FROM tasks t LEFT JOIN task_sync_bases b ON b.task_id = t.id "
    "WHERE t.deleted_at IS NULL AND t.due_is_date_only = 0 AND t.due_date IS NOT NULL "
    "AND t.start_date IS NOT NULL AND text LIKE '%DURATION%'";

// False when the read fails: the rows would then be taken for none.
bool candidates(QSqlDatabase &db, const char *sql, QList<Candidate> *rows)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!SqlQuery::run(query, QString::fromLatin1(sql), {})) {
        qWarning().noquote() << "DayDurationReread::candidates failed:" << query.lastError().text();
        return false;
    }
    while (query.next())
        rows->append({query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                      query.value(3).toString(), query.value(4).toString(), query.value(5).toString(),
                      query.value(6).toString()});
    return true;
}

// Whether the row still holds its text's start and the end read before.
bool stillReadBefore(const Candidate &row, const std::optional<DurationEnd> &read)
{
    return read && StoredTime::parse(row.start) == read->start && StoredTime::parse(row.end) == read->before;
}

// Whether a pending row's own text still gives the start and DURATION of
// the server's copy its edit started from. An edit here that wrote other
// times is the user's, whatever they are: an end moved by the very hour of
// a change of summer time lands on the end read before.
bool timesAsOnServer(const Candidate &row, const std::optional<DurationEnd> &read,
                     std::optional<DurationEnd> (*readText)(const Candidate &))
{
    if (row.own.isEmpty())
        return true;
    Candidate own = row;
    own.text = row.own;
    const std::optional<DurationEnd> mine = readText(own);
    return read && mine && mine->start == read->start && mine->now == read->now && mine->before == read->before;
}

std::optional<DurationEnd> readEvent(const Candidate &row)
{
    return DurationEnd::ofEvent(row.text, row.uid, row.recurrenceId);
}

std::optional<DurationEnd> readTask(const Candidate &row)
{
    return DurationEnd::ofTask(row.text, row.uid);
}

// Where a kind of row keeps its end and its reminders.
struct Table
{
    const char *select;
    const char *name;
    const char *endColumn;
    const char *reminders;
    const char *owner;
    // A task's reminders count back from its due date, an event's from its
    // start.
    bool remindedFromEnd;
    std::optional<DurationEnd> (*read)(const Candidate &row);
};

const Table kTables[] = {
    {kEvents, "events", "end_time", "reminders", "event_id", false, &readEvent},
    {kTasks, "tasks", "due_date", "task_reminders", "task_id", true, &readTask},
};

// The reminders of one row counted back from `anchor` again: a task's
// from its due time, an event's from its start, those of an event's alarms
// counted from its end with the minutes they are read as now (`minutes`,
// keyed by those read before). An acknowledged one that now lies ahead is
// due again, as after any move.
bool moveReminders(QSqlDatabase &db, const QString &table, const QString &ownerColumn, const QString &id,
                   const QDateTime &anchor, const QHash<int, int> &minutes)
{
    QList<ReminderTrigger::StoredRow> rows;
    QString error;
    if (!ReminderTrigger::stored(db, table, ownerColumn, id, &rows, &error)) {
        qWarning().noquote() << "DayDurationReread::moveReminders failed:" << error;
        return false;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const ReminderTrigger::StoredRow &row : std::as_const(rows)) {
        Reminder reminder;
        reminder.id = row.id;
        reminder.minutes_before = minutes.value(row.minutesBefore, row.minutesBefore);
        QList<ReminderTrigger::StoredRow> own{row};
        ReminderTrigger::apply(reminder, anchor, own, now);
        const QString trigger = StoredTime::instant(reminder.trigger_time.value_or(QDateTime()));
        if (reminder.minutes_before == row.minutesBefore && trigger == row.triggerTime
            && reminder.acknowledged == row.acknowledged)
            continue;
        if (!SqlQuery::exec(db, kClass, "moveReminders",
                            QStringLiteral("UPDATE %1 SET minutes_before = ?, trigger_time = ?, acknowledged = ? "
                                           "WHERE id = ?")
                                .arg(table),
                            {reminder.minutes_before, StoredTime::text(trigger), reminder.acknowledged ? 1 : 0,
                             row.id}))
            return false;
    }
    return true;
}

} // namespace

bool runIfDue(Database *db)
{
    const QString mark = QLatin1String(PreferenceKeys::DayDurationsRereadDue);
    if (!SqlQuery::firstValue(db->database(), QStringLiteral("SELECT 1 FROM settings WHERE key = ?"), {mark}).isValid())
        return true;
    // Without a transaction a start cut short could leave a task's
    // reminders behind its moved due date.
    StoreTransaction work(db, QStringLiteral("day_duration_reread"));
    const int changed = work.isActive() ? reread(db) : -1;
    if (changed < 0
        || !SqlQuery::exec(db->database(), kClass, "runIfDue", QStringLiteral("DELETE FROM settings WHERE key = ?"),
                           {mark})
        || !work.commit()) {
        qWarning().noquote() << "DayDurationReread::runIfDue failed; the next start tries again" << work.errorText();
        return false;
    }
    if (changed > 0)
        qInfo() << "Read again" << changed << "row(s) whose end is a DURATION of days";
    return true;
}

int reread(Database *db)
{
    QSqlDatabase &sql = db->database();
    int changed = 0;
    for (const Table &table : kTables) {
        QList<Candidate> rows;
        if (!candidates(sql, table.select, &rows))
            return -1;
        for (const Candidate &row : std::as_const(rows)) {
            const std::optional<DurationEnd> read = table.read(row);
            if (!stillReadBefore(row, read) || !timesAsOnServer(row, read, table.read))
                continue;
            const QDateTime anchor = table.remindedFromEnd ? read->now : read->start;
            if (!SqlQuery::exec(sql, kClass, "reread",
                                QStringLiteral("UPDATE %1 SET %2 = ? WHERE id = ? AND %2 = ?")
                                    .arg(QLatin1String(table.name), QLatin1String(table.endColumn)),
                                {StoredTime::instant(read->now), row.id, row.end})
                || !moveReminders(sql, QLatin1String(table.reminders), QLatin1String(table.owner), row.id, anchor,
                                  read->endReminders))
                return -1;
            ++changed;
        }
    }
    return changed;
}

} // namespace DayDurationReread
