#include "store/floatingstamps.h"

#include <QDebug>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/eventrows.h"
#include "store/oldstepping.h"
#include "store/preferencekeys.h"
#include "store/readinzones.h"
#include "store/savepoint.h"
#include "store/sqlquery.h"
#include "store/storetransaction.h"
#include "store/wallclockpin.h"

#include <functional>

namespace FloatingStamps {

namespace {

const char kClass[] = "FloatingStamps";

// The live floating series that name a day: they skip one, or a live
// changed occurrence names them (read through the uid and master-uid
// indexes, as EventRepository::getSeriesRows reads).
const char kSeries[] =
    "SELECT %1 FROM events s WHERE deleted_at IS NULL AND is_all_day = 0 AND timezone = '' "
    "AND coalesce(recurrence_id, '') = '' AND (coalesce(recurrence_rule, '') <> '' "
    "OR coalesce(recurrence_dates, '') NOT IN ('', '[]')) AND (coalesce(exception_dates, '') NOT IN ('', '[]') "
    "OR EXISTS (SELECT 1 FROM events o WHERE o.calendar_id = s.calendar_id AND o.uid = s.uid "
    "AND coalesce(o.recurrence_id, '') <> '' AND o.deleted_at IS NULL) "
    "OR EXISTS (SELECT 1 FROM events o INDEXED BY idx_events_master_uid WHERE o.master_event_uid = s.uid "
    "AND o.calendar_id = s.calendar_id AND coalesce(o.recurrence_id, '') <> '' AND o.deleted_at IS NULL))";
// A series' changed occurrences, tombstones too: each name they hold is
// taken. Their ids, names and whether they are live; a row renamed is read
// whole.
const char kChanges[] = "SELECT id, recurrence_id, deleted_at IS NULL FROM events WHERE calendar_id = ? AND uid = ? "
                        "AND coalesce(recurrence_id, '') <> '' UNION ALL SELECT id, recurrence_id, deleted_at IS NULL "
                        "FROM events INDEXED BY idx_events_master_uid WHERE master_event_uid = ? AND calendar_id = ? "
                        "AND uid <> ? AND coalesce(recurrence_id, '') <> ''";

struct Change
{
    QString id;
    QString name;
    bool live = false;
};

// A floating row as the computer's wall clock shows it, where it was pinned
// in another zone (the first start after the upgrade away from where it
// was read): each time it writes on the wall clock pinned here, so that
// its text names the times it was read at. Its changed occurrence's name
// was pinned in the zone of its series.
Event shownHere(Event row, const ReadInZones &zones, const QTimeZone &seriesZone)
{
    if (!Recurrence::isFloating(row))
        return row;
    const QByteArray here = QTimeZone::systemTimeZoneId();
    const QTimeZone own = zones.zoneOf(row.id);
    if (own.isValid() && own.id() != here) {
        WallClockPin pin(own);
        const auto pinned = [&pin](const QDateTime &instant) {
            return QDateTime::fromMSecsSinceEpoch(pin.pinned(instant.toMSecsSinceEpoch()), Qt::UTC);
        };
        row.start_time = pinned(row.start_time);
        if (row.end_time)
            row.end_time = pinned(*row.end_time);
        row.exception_dates = pin.list(row.exception_dates);
        row.recurrence_dates = pin.list(row.recurrence_dates);
    }
    if (!row.recurrence_id.isEmpty() && seriesZone.isValid() && seriesZone.id() != here)
        row.recurrence_id = WallClockPin(seriesZone)(row.recurrence_id);
    return row;
}

// What an edit does to a row's bookkeeping (EventStamp, which the store
// cannot reach): SEQUENCE up, pending, its text written from the record
// but for a provider's own JSON.
void stampChanged(Event &row, const ReadInZones &zones, const QTimeZone &seriesZone)
{
    row.last_modified = QDateTime::currentDateTimeUtc();
    ++row.sequence;
    row.sync_status = SyncStatus::Pending;
    const bool providerCopy = !row.provider_event_id.isEmpty()
                              && row.raw_icalendar.trimmed().startsWith(QLatin1Char('{'));
    if (!providerCopy)
        row.raw_icalendar = IcsCodec::buildEventIcs(shownHere(row, zones, seriesZone));
}

// A stored row rewritten with one change: read whole (its reminders and
// attendees, which the writer rewrites from the record), changed, stamped.
bool rewrite(EventRepository &events, const QString &id, const std::function<void(Event &)> &change,
             const ReadInZones &zones, const QTimeZone &seriesZone)
{
    std::optional<Event> row = events.getById(id);
    if (!row)
        return false;
    change(*row);
    stampChanged(*row, zones, seriesZone);
    return events.update(*row);
}

// The series' new names: for its skipped days and for each live changed
// occurrence by id. A name another change of the series holds (or a
// skipped day already given) stays as it was.
struct Renames
{
    QJsonArray skipped;
    bool skipsChanged = false;
    QHash<QString, QString> changes;
};

Renames renamesOf(const Event &series, const QList<Change> &changes, const QTimeZone &zone)
{
    const OldStepping stepping(series, zone);
    Renames renames;
    renames.skipped = QJsonDocument::fromJson(series.exception_dates.toUtf8()).array();
    QSet<QString> skipped;
    for (const QJsonValue &entry : std::as_const(renames.skipped))
        skipped.insert(entry.toString());
    for (qsizetype i = 0; i < renames.skipped.size(); ++i) {
        const QString name = stepping.renamed(renames.skipped.at(i).toString());
        if (name.isEmpty() || skipped.contains(name))
            continue;
        skipped.remove(renames.skipped.at(i).toString());
        skipped.insert(name);
        renames.skipped[i] = name;
        renames.skipsChanged = true;
    }
    QSet<QString> held;
    for (const Change &change : changes)
        held.insert(change.name);
    for (const Change &change : changes) {
        if (!change.live)
            continue;
        const QString name = stepping.renamed(change.name);
        if (name.isEmpty())
            continue;
        if (held.contains(name)) {
            qInfo().noquote() << QStringLiteral("FloatingStamps::rename: the change %1 of %2 stays at %3, as "
                                                "another change holds %4")
                                     .arg(change.id, series.id, change.name, name);
            continue;
        }
        held.remove(change.name);
        held.insert(name);
        renames.changes.insert(change.id, name);
    }
    return renames;
}

// Renames one series and its changed occurrences, all or nothing; the
// number of rows changed, -1 when a write failed.
int renameSeries(Database *db, EventRepository &events, const Event &series, const QList<Change> &changes,
                 const ReadInZones &zones)
{
    // Named on the wall clock of the zone the series was read in, wherever
    // this start is.
    const QTimeZone zone = zones.zoneOf(series.id);
    const Renames renames = renamesOf(series, changes, zone);
    if (!renames.skipsChanged && renames.changes.isEmpty())
        return 0;
    SavePoint savepoint(db->database(), QStringLiteral("floating_stamps_series"));
    if (!savepoint.isActive())
        return -1;
    if (renames.skipsChanged && !rewrite(
            events, series.id,
            [&renames](Event &row) {
                row.exception_dates =
                    QString::fromUtf8(QJsonDocument(renames.skipped).toJson(QJsonDocument::Compact));
            },
            zones, zone))
        return -1;
    for (auto change = renames.changes.cbegin(); change != renames.changes.cend(); ++change) {
        const QString name = change.value();
        if (!rewrite(events, change.key(), [&name](Event &row) { row.recurrence_id = name; }, zones, zone))
            return -1;
    }
    if (!savepoint.release())
        return -1;
    return (renames.skipsChanged ? 1 : 0) + int(renames.changes.size());
}

} // namespace

QString renamed(const Event &series, const QString &stamp)
{
    return OldStepping(series).renamed(stamp);
}

bool runIfDue(Database *db)
{
    const QString mark = QLatin1String(PreferenceKeys::FloatingStampsRenameDue);
    if (!SqlQuery::firstValue(db->database(), QStringLiteral("SELECT 1 FROM settings WHERE key = ?"), {mark}).isValid())
        return true;
    // A start cut short leaves nothing of it and the mark: the next one
    // runs it whole again. A series that could not be written keeps the
    // mark too, the others being done.
    StoreTransaction work(db, QStringLiteral("floating_stamps"));
    bool everyWrite = false;
    const int changed = work.isActive() ? rename(db, &everyWrite) : -1;
    if (changed < 0
        || (everyWrite
            && !SqlQuery::exec(db->database(), kClass, "runIfDue",
                               QStringLiteral("DELETE FROM settings WHERE key = ?"), {mark}))
        || !work.commit()) {
        qWarning().noquote() << "FloatingStamps::runIfDue failed; the next start tries again" << work.errorText();
        return false;
    }
    if (changed > 0)
        qInfo() << "Renamed the skipped or changed days of" << changed << "floating row(s)";
    if (!everyWrite)
        qWarning().noquote() << "FloatingStamps::runIfDue: a series could not be renamed; the next start tries again";
    return everyWrite;
}

int rename(Database *db, bool *everyWrite)
{
    if (everyWrite)
        *everyWrite = true;
    QSqlDatabase &sql = db->database();
    QSqlQuery seriesRead(sql);
    seriesRead.setForwardOnly(true);
    if (!SqlQuery::run(seriesRead, EventRows::withColumns(kSeries), {})) {
        qWarning().noquote() << "FloatingStamps::rename failed:" << seriesRead.lastError().text();
        return -1;
    }
    QList<Event> series;
    while (seriesRead.next())
        series.append(EventRows::fromRow(seriesRead));
    QSqlQuery changesRead(sql);
    changesRead.setForwardOnly(true);
    if (!changesRead.prepare(QString::fromLatin1(kChanges))) {
        qWarning().noquote() << "FloatingStamps::rename failed:" << changesRead.lastError().text();
        return -1;
    }
    if (series.isEmpty())
        return 0;
    const std::optional<ReadInZones> zones = ReadInZones::of(db);
    if (!zones)
        return -1;
    EventRepository events(db);
    events.holdChanges(true); // before the window: nothing listens yet
    int changed = 0;
    for (const Event &one : std::as_const(series)) {
        const QStringList binds{one.calendar_id, one.uid, one.uid, one.calendar_id, one.uid};
        for (int i = 0; i < binds.size(); ++i)
            changesRead.bindValue(i, binds.at(i));
        if (!changesRead.exec()) {
            qWarning().noquote() << "FloatingStamps::rename failed:" << changesRead.lastError().text();
            return -1;
        }
        QList<Change> changes;
        while (changesRead.next())
            changes.append(Change{changesRead.value(0).toString(), changesRead.value(1).toString(),
                                  changesRead.value(2).toBool()});
        changesRead.finish();
        // A series that cannot be written stays as it was, as before the
        // upgrade; the others go on.
        const int rows = renameSeries(db, events, one, changes, *zones);
        if (rows < 0) {
            qWarning().noquote() << "FloatingStamps::rename failed: the days of" << one.id
                                 << "stay as they were";
            if (everyWrite)
                *everyWrite = false;
        } else {
            changed += rows;
        }
    }
    return changed;
}

} // namespace FloatingStamps
