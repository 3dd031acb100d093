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

// Pending changed occurrences a move took to another calendar, each with
// the row it left behind, standing in the calendar bound first or having
// left that row in the one bound second: read through the moves' links
// alone (the links drive the join, so no other row of the store is read).
const char kLinked[] =
    "SELECT o.id, f.id FROM event_moves m CROSS JOIN events o CROSS JOIN events f "
    "WHERE o.id = m.to_id AND f.id = m.from_id AND (o.calendar_id = ? OR f.calendar_id = ?) "
    "AND f.calendar_id <> o.calendar_id AND o.sync_status = 'pending' AND o.deleted_at IS NULL "
    "AND coalesce(o.recurrence_id, '') <> '' AND f.recurrence_id = o.recurrence_id";

// Pending changed occurrences under a UID this device gave them (their own
// row id), which no server ever took and no link names: what an earlier
// version's move left once the deletion of the row it left behind went up,
// taking the link along. Through the pending rows of the calendars named.
const char kUnlinked[] =
    "o.sync_status = 'pending' AND o.deleted_at IS NULL AND coalesce(o.recurrence_id, '') <> '' AND o.uid = o.id "
    "AND coalesce(o.master_event_uid, '') NOT IN ('', o.id) AND coalesce(o.href, '') = '' "
    "AND coalesce(o.provider_event_id, '') = '' AND NOT EXISTS (SELECT 1 FROM event_moves m WHERE m.to_id = o.id)";
// Those standing in the calendar.
const char kUnlinkedIn[] = "SELECT o.id FROM events o WHERE o.calendar_id = ? AND %1";
// Those in the account's other calendars whose series the calendar holds.
const char kUnlinkedOf[] =
    "SELECT o.id FROM calendars h JOIN calendars c ON c.account_id = h.account_id AND c.id <> h.id "
    "JOIN events o ON o.calendar_id = c.id WHERE h.id = ? AND %1 AND EXISTS (SELECT 1 FROM events s "
    "WHERE s.calendar_id = h.id AND s.uid = o.master_event_uid AND COALESCE(s.recurrence_id, '') = '')";

// The calendars of the account `calendarId` is of, each with whether it is
// read-only.
const char kAccountCalendars[] =
    "SELECT c.id, c.is_read_only FROM calendars c JOIN calendars h ON h.account_id = c.account_id WHERE h.id = ?";

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
// takes writes; none when the read fails.
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
        writable.insert(query.value(0).toString(), !query.value(1).toBool());
    return writable;
}

// Where `stray` goes back to, when it is what a move made here left: `from`
// is the row its link starts at, if it has one. None for any other lone
// occurrence, and wherever going back would write over what the series'
// server holds.
std::optional<Return> returnOf(Database *db, EventRepository &events, const Event &stray,
                               const std::optional<Event> &from)
{
    const QString seriesUid = stray.master_event_uid;
    // It stands with its series (or its series' tombstone): nothing strayed.
    if (seriesUid.isEmpty() || events.getByUidAndRecurrenceId(seriesUid, stray.calendar_id, QString()))
        return std::nullopt;
    if (from && from->uid != seriesUid && from->master_event_uid != seriesUid)
        return std::nullopt;
    // Its series' calendar: the one its old row is in, else the one other
    // calendar of its account that holds the series. Another account's
    // calendar (another server, a subscription, this device's) is never it.
    const QHash<QString, bool> writable = accountCalendars(db, stray.calendar_id);
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

// Which end of its way back a calendar is: where the occurrence stands, or
// where its series is.
enum class Side { Stray, Series };

// Every occurrence that goes back from `calendarId` or to it; false when a
// read failed.
bool findReturns(Database *db, EventRepository &events, const QString &calendarId, Side side,
                 QList<Return> *returns)
{
    QList<std::pair<QString, QString>> candidates;
    QSqlQuery linked(db->database());
    linked.setForwardOnly(true);
    const bool ofSeries = side == Side::Series;
    if (!SqlQuery::run(linked, QString::fromLatin1(kLinked),
                       {ofSeries ? QString() : calendarId, ofSeries ? calendarId : QString()})) {
        qWarning().noquote() << "StrayOccurrences::findReturns failed:" << linked.lastError().text();
        return false;
    }
    while (linked.next())
        candidates.append({linked.value(0).toString(), linked.value(1).toString()});
    QSqlQuery unlinked(db->database());
    unlinked.setForwardOnly(true);
    const QString unlinkedSql = QString::fromLatin1(ofSeries ? kUnlinkedOf : kUnlinkedIn).arg(QLatin1String(kUnlinked));
    if (!SqlQuery::run(unlinked, unlinkedSql, {calendarId})) {
        qWarning().noquote() << "StrayOccurrences::findReturns failed:" << unlinked.lastError().text();
        return false;
    }
    while (unlinked.next())
        candidates.append({unlinked.value(0).toString(), QString()});
    QSet<QString> seen;
    for (const auto &[strayId, fromId] : std::as_const(candidates)) {
        if (seen.contains(strayId))
            continue;
        seen.insert(strayId);
        const std::optional<Event> stray = events.getById(strayId);
        const std::optional<Event> from = fromId.isEmpty() ? std::nullopt : events.getById(fromId);
        if (!stray || (!fromId.isEmpty() && !from))
            continue;
        std::optional<Return> found = returnOf(db, events, *stray, from);
        if (found && (!ofSeries || found->series.calendar_id == calendarId))
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
    // The link of the move that took it away goes: it is back.
    if (!SqlQuery::exec(db->database(), kClass, "putBack", QStringLiteral("DELETE FROM event_moves WHERE to_id = ?"),
                        {stray.id}))
        return false;
    const bool held = !stray.href.isEmpty() || !stray.provider_event_id.isEmpty();
    if (!(held ? events.remove(stray.id) : events.hardDelete(stray.id)))
        return false;
    if (left)
        return events.update(back);
    return events.insert(back) && unskip(events, found.series, stray.recurrence_id);
}

} // namespace

QStringList returnToSeries(Database *db, EventRepository *events, const QString &calendarId)
{
    if (!db || !events)
        return {};
    QList<Return> found;
    if (!findReturns(db, *events, calendarId, Side::Series, &found) || found.isEmpty())
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

QSet<QString> awaitingReturn(Database *db, EventRepository *events, const QString &calendarId)
{
    QList<Return> found;
    if (!db || !events || !findReturns(db, *events, calendarId, Side::Stray, &found))
        return {};
    QSet<QString> ids;
    for (const Return &one : std::as_const(found))
        ids.insert(one.stray.id);
    return ids;
}

} // namespace StrayOccurrences
