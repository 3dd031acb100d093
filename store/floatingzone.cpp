#include "store/floatingzone.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>

#include "calendar/icstext.h"
#include "store/database.h"
#include "store/preferencekeys.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"
#include "store/storetransaction.h"

namespace FloatingZone {

namespace {

const char kClass[] = "FloatingZone";

// A floating row's times, as stored.
const char kFloatingRows[] = "SELECT id, start_time, end_time, exception_dates, recurrence_dates FROM events "
                             "WHERE is_all_day = 0 AND timezone = ''";
// The occurrences a floating series names by their instants: each changed
// one, whatever its own times.
const char kOccurrences[] =
    "SELECT o.id, o.recurrence_id FROM events s JOIN events o "
    "ON o.calendar_id = s.calendar_id AND o.master_event_uid = s.uid AND o.id <> s.id "
    "WHERE s.is_all_day = 0 AND s.timezone = '' AND coalesce(s.recurrence_id, '') = '' "
    "AND coalesce(o.recurrence_id, '') <> ''";
const char kReminders[] = "SELECT r.id, r.trigger_time FROM reminders r JOIN events e ON e.id = r.event_id "
                          "WHERE e.is_all_day = 0 AND e.timezone = '' AND r.trigger_time IS NOT NULL";

// The rows of a read, each as its columns' texts; false when it fails.
bool readRows(QSqlDatabase &db, const char *sql, int columns, QList<QStringList> *rows)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!SqlQuery::run(query, QString::fromLatin1(sql), {})) {
        qWarning().noquote() << "FloatingZone::readRows failed:" << query.lastError().text();
        return false;
    }
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < columns; ++i)
            row.append(query.value(i).toString());
        rows->append(row);
    }
    return true;
}

// A JSON date list with each instant pinned again, a period's end too.
QString repinnedList(const QString &json, const QTimeZone &from)
{
    if (json.trimmed().isEmpty())
        return json;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isArray())
        return json;
    QJsonArray entries;
    for (const QJsonValue &entry : document.array()) {
        QStringList parts = entry.toString().split(QLatin1Char('/'));
        for (QString &part : parts)
            part = repinned(part, from);
        entries.append(parts.join(QLatin1Char('/')));
    }
    const QString written = QString::fromUtf8(QJsonDocument(entries).toJson(QJsonDocument::Compact));
    return entries == document.array() ? json : written;
}

// Writes the columns of one row whose value changed, those alone.
bool writeChanged(QSqlDatabase &db, const char *table, const QStringList &columns, const QStringList &before,
                  const QStringList &after, const QString &id, int *changed)
{
    if (before == after)
        return true;
    QStringList sets;
    QVariantList binds;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (before.at(i) == after.at(i))
            continue;
        sets.append(columns.at(i) + QLatin1String(" = ?"));
        binds.append(after.at(i));
    }
    binds.append(id);
    ++*changed;
    return SqlQuery::exec(db, kClass, "repin",
                          QStringLiteral("UPDATE %1 SET %2 WHERE id = ?")
                              .arg(QLatin1String(table), sets.join(QLatin1String(", "))),
                          binds);
}

} // namespace

QString repinned(const QString &text, const QTimeZone &from)
{
    const QString value = text.trimmed();
    if (!value.endsWith(QLatin1Char('Z')) || !value.contains(QLatin1Char('T')))
        return text;
    const bool iso = value.contains(QLatin1Char('-'));
    QDateTime instant;
    if (iso) {
        instant = StoredTime::parse(value);
    } else {
        QDate day;
        QTime time;
        if (IcsText::readDateTime(QStringView(value).chopped(1), &day, &time))
            instant = QDateTime(day, time, Qt::UTC);
    }
    if (!instant.isValid())
        return text;
    const QDateTime wall = instant.toTimeZone(from);
    const QDateTime pinned = IcsText::localWallClock(wall.date(), wall.time());
    return iso ? StoredTime::instant(pinned) : IcsText::utcText(pinned);
}

int repin(Database *db, const QTimeZone &from)
{
    QSqlDatabase &sql = db->database();
    QList<QStringList> rows;
    QList<QStringList> occurrences;
    QList<QStringList> reminders;
    if (!readRows(sql, kFloatingRows, 5, &rows) || !readRows(sql, kOccurrences, 2, &occurrences)
        || !readRows(sql, kReminders, 2, &reminders))
        return -1;
    int changed = 0;
    const QStringList times = {QStringLiteral("start_time"), QStringLiteral("end_time"),
                               QStringLiteral("exception_dates"), QStringLiteral("recurrence_dates")};
    for (const QStringList &row : std::as_const(rows)) {
        const QStringList before = row.mid(1);
        const QStringList after = {repinned(row.at(1), from), repinned(row.at(2), from),
                                   repinnedList(row.at(3), from), repinnedList(row.at(4), from)};
        if (!writeChanged(sql, "events", times, before, after, row.at(0), &changed))
            return -1;
    }
    for (const QStringList &row : std::as_const(occurrences)) {
        if (!writeChanged(sql, "events", {QStringLiteral("recurrence_id")}, {row.at(1)},
                          {repinned(row.at(1), from)}, row.at(0), &changed))
            return -1;
    }
    // A reminder is due at its wall-clock time as well; it is no row of
    // its own to count.
    int triggers = 0;
    for (const QStringList &row : std::as_const(reminders)) {
        if (!writeChanged(sql, "reminders", {QStringLiteral("trigger_time")}, {row.at(1)},
                          {repinned(row.at(1), from)}, row.at(0), &triggers))
            return -1;
    }
    return changed;
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
    // A first start keeps the zone its rows were read in; a zone this
    // computer does not know leaves them as they are.
    const QTimeZone from(stored.toString().toUtf8());
    StoreTransaction work(db, QStringLiteral("floating_zone"));
    const int changed = !work.isActive() ? -1 : stored.isValid() && from.isValid() ? repin(db, from) : 0;
    if (changed < 0
        || !SqlQuery::exec(db->database(), kClass, "repinIfMoved",
                           QStringLiteral("INSERT OR REPLACE INTO settings (key, value) VALUES (?, ?)"),
                           {key, hereId})
        || !work.commit()) {
        qWarning().noquote() << "FloatingZone::repinIfMoved failed; the next start tries again" << work.errorText();
        return false;
    }
    if (changed > 0)
        qInfo().noquote() << "Floating times of" << changed << "row(s) read in" << stored.toString() << "now on"
                          << hereId;
    return true;
}

} // namespace FloatingZone
