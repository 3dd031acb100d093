#include "store/strayoccurrences.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "calendar/icscodec.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/sqlquery.h"
#include "store/storetransaction.h"

#include <algorithm>

namespace StrayOccurrences {

namespace {

const char kClass[] = "StrayOccurrences";

// Pending live occurrences whose calendar holds no row of their series,
// with the one live series of that uid in another calendar.
const char kStrays[] =
    "SELECT o.id, min(s.id) FROM events o JOIN events s ON s.uid = o.master_event_uid "
    "AND s.calendar_id <> o.calendar_id AND coalesce(s.recurrence_id, '') = '' AND s.deleted_at IS NULL "
    "WHERE o.sync_status = 'pending' AND o.deleted_at IS NULL AND (o.calendar_id = ? OR s.calendar_id = ?) "
    "AND coalesce(o.recurrence_id, '') <> '' AND coalesce(o.master_event_uid, '') <> '' "
    "AND NOT EXISTS (SELECT 1 FROM events h WHERE h.calendar_id = o.calendar_id AND h.uid = o.master_event_uid "
    "AND coalesce(h.recurrence_id, '') = '') "
    "GROUP BY o.id HAVING count(*) = 1";

bool isProviderCopy(const Event &row)
{
    return !row.provider_event_id.isEmpty() && row.raw_icalendar.trimmed().startsWith(QLatin1Char('{'));
}

// An edit's bookkeeping (EventStamp, which the store cannot reach).
void stamp(Event &row, int sequence)
{
    row.last_modified = QDateTime::currentDateTimeUtc();
    row.sequence = sequence;
    row.sync_status = SyncStatus::Pending;
    if (!isProviderCopy(row))
        row.raw_icalendar = IcsCodec::buildEventIcs(row);
}

// The series no longer skipping the occurrence's day, which the old
// calendar's push gave it when the occurrence left.
bool unskip(EventRepository &events, Event series, const QString &recurrenceId)
{
    const QJsonArray stored = QJsonDocument::fromJson(series.exception_dates.toUtf8()).array();
    const QString skipped = series.is_all_day ? recurrenceId.left(8) : recurrenceId;
    QJsonArray dates;
    for (const QJsonValue &date : stored) {
        if (date.toString() != skipped)
            dates.append(date);
    }
    if (dates.size() == stored.size())
        return true;
    series.exception_dates = QString::fromUtf8(QJsonDocument(dates).toJson(QJsonDocument::Compact));
    stamp(series, series.sequence + 1);
    return events.update(series);
}

bool putBack(Database *db, EventRepository &events, const Event &stray, const Event &series)
{
    const std::optional<Event> left =
        events.getByUidAndRecurrenceId(series.uid, series.calendar_id, stray.recurrence_id);
    Event back = stray;
    back.calendar_id = series.calendar_id;
    back.deleted_at.reset();
    back.id = left ? left->id : QUuid::createUuid().toString(QUuid::WithoutBraces);
    back.uid = left ? left->uid : stray.uid;
    back.href = left ? left->href : QString();
    back.etag = left ? left->etag : QString();
    back.provider_event_id = left ? left->provider_event_id : QString();
    for (Reminder &reminder : back.reminders)
        reminder.id.clear();
    for (Attendee &attendee : back.attendees)
        attendee.id.clear();
    stamp(back, std::max(stray.sequence, left ? left->sequence : 0) + 1);
    // The link of the move that took it away goes: it is back.
    if (!SqlQuery::exec(db->database(), kClass, "putBack", QStringLiteral("DELETE FROM event_moves WHERE to_id = ?"),
                        {stray.id}))
        return false;
    const bool held = !stray.href.isEmpty() || !stray.provider_event_id.isEmpty();
    if (!(held ? events.remove(stray.id) : events.hardDelete(stray.id)))
        return false;
    if (left)
        return events.update(back);
    return events.insert(back) && unskip(events, series, stray.recurrence_id);
}

} // namespace

QStringList returnToSeries(Database *db, EventRepository *events, const QString &calendarId)
{
    if (!db || !events)
        return {};
    QSqlQuery query(db->database());
    query.setForwardOnly(true);
    if (!SqlQuery::run(query, QString::fromLatin1(kStrays), {calendarId, calendarId})) {
        qWarning().noquote() << "StrayOccurrences::returnToSeries failed:" << query.lastError().text();
        return {};
    }
    QList<std::pair<QString, QString>> found;
    while (query.next())
        found.append({query.value(0).toString(), query.value(1).toString()});
    if (found.isEmpty())
        return {};
    StoreTransaction work(db, QStringLiteral("stray_occurrences"));
    QStringList titles;
    for (const auto &[strayId, seriesId] : std::as_const(found)) {
        const std::optional<Event> stray = events->getById(strayId);
        const std::optional<Event> series = events->getById(seriesId);
        if (!stray || !series || !work.isActive() || !putBack(db, *events, *stray, *series)) {
            qWarning().noquote() << "StrayOccurrences::returnToSeries failed for" << strayId << work.errorText();
            return {};
        }
        qInfo().noquote() << "[Sync] Occurrence" << strayId << "went back to the calendar of its series" << seriesId;
        titles.append(stray->title);
    }
    if (!work.commit()) {
        qWarning().noquote() << "StrayOccurrences::returnToSeries failed:" << work.errorText();
        return {};
    }
    return titles;
}

} // namespace StrayOccurrences
