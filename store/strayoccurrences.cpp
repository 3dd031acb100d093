#include "store/strayoccurrences.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "calendar/icscodec.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/sqlquery.h"
#include "store/storetransaction.h"

#include <algorithm>
#include <optional>

namespace StrayOccurrences {

namespace {

const char kClass[] = "StrayOccurrences";

// The lone changed occurrences of the account `calendarId` is of that a
// move made here may have left: pending, never taken by a server, in a
// calendar holding no row of their series, linked from the row the move
// left or under a UID this device gave them (their own row id). Through
// the pending rows of the account's calendars alone.
const char kCandidates[] =
    "SELECT o.id FROM calendars h JOIN calendars c ON c.account_id = h.account_id JOIN events o "
    "ON o.calendar_id = c.id WHERE h.id = ? AND o.sync_status = 'pending' AND o.deleted_at IS NULL "
    "AND coalesce(o.recurrence_id, '') <> '' AND coalesce(o.master_event_uid, '') <> '' "
    "AND coalesce(o.href, '') = '' AND coalesce(o.provider_event_id, '') = '' "
    "AND NOT EXISTS (SELECT 1 FROM events s WHERE s.calendar_id = o.calendar_id AND s.uid = o.master_event_uid "
    "AND COALESCE(s.recurrence_id, '') = '') "
    "AND (o.uid = o.id OR EXISTS (SELECT 1 FROM event_moves m WHERE m.to_id = o.id))";

// The calendars of the account `calendarId` is of, each with whether it
// takes writes: it is not read-only and it syncs (the return waits for its
// sync).
const char kAccountCalendars[] =
    "SELECT c.id, c.is_read_only = 0 AND c.sync_enabled <> 0 FROM calendars c "
    "JOIN calendars h ON h.account_id = c.account_id WHERE h.id = ?";

// An occurrence put back, the series it goes back to, and the row it left
// there when that is still kept.
struct Return
{
    Event stray;
    Event series;
    std::optional<Event> left;
};

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

// The day as the series' skipped days name it.
QString skippedForm(const Event &series, const QString &recurrenceId)
{
    return series.is_all_day ? recurrenceId.left(8) : recurrenceId;
}

bool skips(const Event &series, const QString &recurrenceId)
{
    return QJsonDocument::fromJson(series.exception_dates.toUtf8())
        .array()
        .contains(QJsonValue(skippedForm(series, recurrenceId)));
}

// The series no longer skipping the occurrence's day, which the old
// calendar's push gave it when the occurrence left.
bool unskip(EventRepository &events, Event series, const QString &recurrenceId)
{
    const QJsonArray stored = QJsonDocument::fromJson(series.exception_dates.toUtf8()).array();
    const QString skipped = skippedForm(series, recurrenceId);
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

// The calendars of the account `calendarId` is of, each with whether it
// takes writes (kAccountCalendars); none when the read fails.
QHash<QString, bool> accountCalendars(Database *db, const QString &calendarId)
{
    QHash<QString, bool> writable;
    QSqlQuery query(db->database());
    query.setForwardOnly(true);
    if (!SqlQuery::run(query, QString::fromLatin1(kAccountCalendars), {calendarId})) {
        qWarning().noquote() << "StrayOccurrences::accountCalendars failed:" << query.lastError().text();
        return {};
    }
    while (query.next())
        writable.insert(query.value(0).toString(), query.value(1).toBool());
    return writable;
}

// Where `stray` goes back to, when it is what a move made here left:
// `from` is the row its link starts at, if it has one. None for any other
// lone occurrence, and wherever going back would write over what the
// series' server holds.
std::optional<Return> returnOf(EventRepository &events, const QHash<QString, bool> &writable, const Event &stray,
                               const std::optional<Event> &from)
{
    const QString seriesUid = stray.master_event_uid;
    // The link names the same occurrence of the series, left in another
    // calendar of the account; with none, the UID the move gave it does.
    if (from
        ? (from->recurrence_id != stray.recurrence_id
           || (from->uid != seriesUid && from->master_event_uid != seriesUid))
        : stray.uid != stray.id)
        return std::nullopt;
    // Its series' calendar: the one its old row is in, else the one other
    // calendar of its account that holds the series. Another account's
    // calendar (another server, a subscription, this device's) is never it.
    const QStringList places = from ? QStringList{from->calendar_id} : writable.keys();
    std::optional<Event> series;
    for (const QString &calendarId : places) {
        if (calendarId == stray.calendar_id || !writable.contains(calendarId))
            continue;
        const std::optional<Event> found = events.getByUidAndRecurrenceId(seriesUid, calendarId, QString());
        if (!found || found->deleted_at)
            continue;
        if (series)
            return std::nullopt;
        series = found;
    }
    if (!series || !writable.value(series->calendar_id))
        return std::nullopt;
    // Never over a live change of that day there; a row left there (the
    // linked one first) is the one it goes back into.
    std::optional<Event> left = from;
    for (const Event &row : events.getSeriesRows(seriesUid, series->calendar_id)) {
        if (row.recurrence_id != stray.recurrence_id)
            continue;
        if (!row.deleted_at)
            return std::nullopt;
        if (!left)
            left = row;
    }
    if (left && !left->deleted_at)
        return std::nullopt;
    // While the row it left is kept, its deletion never went up: a day the
    // series skips is one its server skipped since, and stays skipped.
    if (left && skips(*series, stray.recurrence_id))
        return std::nullopt;
    return Return{stray, *series, left};
}

// Every occurrence that goes back to or from a calendar of the account
// `calendarId` is of; false when a read failed.
bool findReturns(Database *db, EventRepository &events, const QString &calendarId, QList<Return> *returns)
{
    QSqlQuery query(db->database());
    query.setForwardOnly(true);
    if (!SqlQuery::run(query, QString::fromLatin1(kCandidates), {calendarId})) {
        qWarning().noquote() << "StrayOccurrences::findReturns failed:" << query.lastError().text();
        return false;
    }
    QStringList candidates;
    while (query.next())
        candidates.append(query.value(0).toString());
    if (candidates.isEmpty())
        return true;
    const QHash<QString, bool> writable = accountCalendars(db, calendarId);
    for (const QString &strayId : std::as_const(candidates)) {
        const std::optional<Event> stray = events.getById(strayId);
        if (!stray)
            continue;
        const QStringList fromIds = SqlQuery::select<QString>(
            db->database(), QStringLiteral("SELECT from_id FROM event_moves WHERE to_id = ?"), {strayId},
            [](const QSqlQuery &row) { return row.value(0).toString(); });
        // A linked one goes back only by its link.
        std::optional<Return> found = fromIds.isEmpty() ? returnOf(events, writable, *stray, std::nullopt)
                                                        : std::nullopt;
        for (qsizetype i = 0; i < fromIds.size() && !found; ++i) {
            if (const std::optional<Event> from = events.getById(fromIds.at(i)))
                found = returnOf(events, writable, *stray, from);
        }
        if (found)
            returns->append(std::move(*found));
    }
    return true;
}

bool putBack(Database *db, EventRepository &events, const Return &found)
{
    const Event &stray = found.stray;
    const std::optional<Event> &left = found.left;
    Event back = stray;
    back.calendar_id = found.series.calendar_id;
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
    // The link of the move that took it away goes: it is back. No server
    // holds the copy.
    if (!SqlQuery::exec(db->database(), kClass, "putBack", QStringLiteral("DELETE FROM event_moves WHERE to_id = ?"),
                        {stray.id})
        || !events.hardDelete(stray.id))
        return false;
    if (left)
        return events.update(back);
    return events.insert(back) && unskip(events, found.series, stray.recurrence_id);
}

} // namespace

QStringList returnToSeries(Database *db, EventRepository *events, const QString &calendarId, QSet<QString> *waiting)
{
    if (!db || !events)
        return {};
    QList<Return> found;
    if (!findReturns(db, *events, calendarId, &found))
        return {};
    // Those standing here wait for their series' calendar; those whose
    // series is here go back now.
    found.removeIf([&](const Return &one) {
        if (waiting && one.stray.calendar_id == calendarId)
            waiting->insert(one.stray.id);
        return one.series.calendar_id != calendarId;
    });
    if (found.isEmpty())
        return {};
    StoreTransaction work(db, QStringLiteral("stray_occurrences"));
    QStringList titles;
    for (const Return &one : std::as_const(found)) {
        if (!work.isActive() || !putBack(db, *events, one)) {
            qWarning().noquote() << "StrayOccurrences::returnToSeries failed for" << one.stray.id << work.errorText();
            return {};
        }
        qInfo().noquote() << "[Sync] Occurrence" << one.stray.id << "went back to the calendar of its series"
                          << one.series.id;
        titles.append(one.stray.title);
    }
    if (!work.commit()) {
        qWarning().noquote() << "StrayOccurrences::returnToSeries failed:" << work.errorText();
        return {};
    }
    return titles;
}

} // namespace StrayOccurrences
