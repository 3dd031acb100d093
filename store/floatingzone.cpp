#include "store/floatingzone.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

#include "store/database.h"
#include "store/floatingpinsql.h"
#include "store/preferencekeys.h"
#include "store/readinzones.h"
#include "store/sqlquery.h"
#include "store/storetransaction.h"
#include "store/wallclockpin.h"

namespace FloatingZone {

namespace {

const char kClass[] = "FloatingZone";

// Each floating row's times where one of them changes: one statement, so
// that a new zone costs no more than SQLite's own writes.
const char kPinRows[] =
    "UPDATE events SET start_time = floating_pinned(start_time, id), end_time = floating_pinned(end_time, id), "
    "exception_dates = floating_pinned_dates(exception_dates, id), "
    "recurrence_dates = floating_pinned_dates(recurrence_dates, id) "
    "WHERE is_all_day = 0 AND timezone = '' AND (start_time IS NOT floating_pinned(start_time, id) "
    "OR end_time IS NOT floating_pinned(end_time, id) "
    "OR exception_dates IS NOT floating_pinned_dates(exception_dates, id) "
    "OR recurrence_dates IS NOT floating_pinned_dates(recurrence_dates, id))";
// The occurrences a floating series names by their instants: each changed
// one, whatever its own times, in the zone of its series. Read from the
// changed occurrences through the master-uid index, each finding its
// series through the uid index: left to itself, the planner walks a
// floating row's whole calendar for each.
const char kPinOccurrences[] =
    "UPDATE events SET recurrence_id = floating_pinned(recurrence_id, named.series) FROM (SELECT o.rowid AS row, "
    "s.id AS series FROM events o INDEXED BY idx_events_master_uid CROSS JOIN events s "
    "ON s.calendar_id = o.calendar_id AND s.uid = o.master_event_uid AND COALESCE(s.recurrence_id, '') = '' "
    "AND s.id <> o.id WHERE o.master_event_uid > '' AND COALESCE(o.recurrence_id, '') <> '' "
    "AND s.is_all_day = 0 AND s.timezone = '') AS named "
    "WHERE events.rowid = named.row AND events.recurrence_id IS NOT floating_pinned(events.recurrence_id, named.series)";
// The reminders of floating rows: due at their wall-clock time as well.
const char kPinReminders[] =
    "UPDATE reminders SET trigger_time = floating_pinned(trigger_time, event_id) WHERE trigger_time IS NOT NULL "
    "AND EXISTS (SELECT 1 FROM events e WHERE e.id = reminders.event_id AND e.is_all_day = 0 AND e.timezone = '') "
    "AND trigger_time IS NOT floating_pinned(trigger_time, event_id)";

// Runs one of the statements; the rows it changed, -1 when it failed.
int pin(QSqlDatabase &db, const char *sql)
{
    QSqlQuery query(db);
    if (!query.exec(QString::fromLatin1(sql))) {
        qWarning().noquote() << "FloatingZone::repin failed:" << query.lastError().text();
        return -1;
    }
    return query.numRowsAffected();
}

} // namespace

QString repinned(const QString &text, const QTimeZone &from)
{
    return WallClockPin(from)(text);
}

int repin(Database *db, const ReadInZones &zones)
{
    QSqlDatabase &sql = db->database();
    const FloatingPinSql functions(sql, zones);
    if (!functions.isValid()) {
        qWarning().noquote() << "FloatingZone::repin failed:" << functions.errorText();
        return -1;
    }
    const int rows = pin(sql, kPinRows);
    const int occurrences = rows < 0 ? -1 : pin(sql, kPinOccurrences);
    // A reminder is no row of its own to count.
    if (occurrences < 0 || pin(sql, kPinReminders) < 0)
        return -1;
    return rows + occurrences;
}

int repin(Database *db, const QTimeZone &from)
{
    return repin(db, ReadInZones(from));
}

bool repinIfMoved(Database *db)
{
    const QTimeZone here = QTimeZone::systemTimeZone();
    if (!here.isValid())
        return true;
    const QString hereId = QString::fromUtf8(here.id());
    const QString key = QLatin1String(PreferenceKeys::FloatingZone);
    const QVariant stored =
        SqlQuery::firstValue(db->database(), QStringLiteral("SELECT value FROM settings WHERE key = ?"), {key});
    if (stored.isValid() && stored.toString() == hereId)
        return true;
    // Without a zone recorded, the rows were read in the zones they tell;
    // a zone this computer does not know leaves them as they are.
    const std::optional<ReadInZones> zones = ReadInZones::of(db);
    // The log of a whole table pinned again is copied back into the file
    // on a thread of its own, not inside the commit.
    db->holdCheckpoints(true);
    StoreTransaction work(db, QStringLiteral("floating_zone"));
    const int changed = !work.isActive() || !zones ? -1 : zones->allHere() ? 0 : repin(db, *zones);
    if (changed < 0
        || !SqlQuery::exec(db->database(), kClass, "repinIfMoved",
                           QStringLiteral("INSERT OR REPLACE INTO settings (key, value) VALUES (?, ?)"),
                           {key, hereId})
        || !work.commit()) {
        db->holdCheckpoints(false);
        qWarning().noquote() << "FloatingZone::repinIfMoved failed; the next start tries again" << work.errorText();
        return false;
    }
    db->holdCheckpoints(false);
    if (changed > 0) {
        db->checkpointLater();
        qInfo().noquote() << "Floating times of" << changed << "row(s) read in"
                          << QString::fromUtf8(zones->common().id()) << "now on" << hereId;
    }
    return true;
}

} // namespace FloatingZone
