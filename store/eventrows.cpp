#include "store/eventrows.h"

#include "store/sqlquery.h"
#include "store/storedtime.h"

#include <QTimeZone>
#include <QUuid>

namespace EventRows {

namespace {

constexpr SqlQuery::Columns kColumns(
    "id, calendar_id, uid, provider_event_id, etag, href, title, description, location, "
    "geo_location, start_time, end_time, is_all_day, timezone, recurrence_rule, "
    "recurrence_dates, exception_dates, recurrence_id, master_event_uid, status, event_url, "
    "conference_url, organizer_email, organizer_name, sequence, raw_icalendar, color, created, "
    "last_modified, sync_status, deleted_at, related_to_uid");

// All-day values are calendar dates; everything else is a UTC instant.
QString eventTime(const QDateTime &value, bool allDay)
{
    if (!value.isValid())
        return QString();
    return allDay ? StoredTime::date(value.date()) : StoredTime::instant(value);
}

QString eventTime(const std::optional<QDateTime> &value, bool allDay)
{
    return value ? eventTime(*value, allDay) : QString();
}

QString instantOrNull(const std::optional<QDateTime> &value)
{
    return value ? StoredTime::instant(*value) : QString();
}

// Binds to a QSqlQuery in order.
class QueryBinder : public Binder
{
public:
    explicit QueryBinder(QSqlQuery &query)
        : m_query(query)
    {
    }
    void text(const QString &value) override { m_query.addBindValue(StoredTime::text(value)); }
    void integer(int value) override { m_query.addBindValue(value); }

private:
    QSqlQuery &m_query;
};

void contentValues(const Event &e, Binder &bind)
{
    bind.text(e.calendar_id);
    bind.text(e.uid);
    bind.text(e.provider_event_id);
    bind.text(e.etag);
    bind.text(e.href);
    bind.text(e.title);
    bind.text(e.description);
    bind.text(e.location);
    bind.text(e.geo_location);
    bind.text(eventTime(e.start_time, e.is_all_day));
    bind.text(eventTime(e.end_time, e.is_all_day));
    bind.integer(e.is_all_day ? 1 : 0);
    bind.text(e.timezone);
    bind.text(e.recurrence_rule);
    bind.text(e.recurrence_dates);
    bind.text(e.exception_dates);
    bind.text(e.recurrence_id);
    bind.text(e.master_event_uid);
    bind.text(e.status);
    bind.text(e.event_url);
    bind.text(e.conference_url);
    bind.text(e.organizer_email);
    bind.text(e.organizer_name);
    bind.integer(e.sequence);
    bind.text(e.raw_icalendar);
    bind.text(e.color);
}

} // namespace

QString withColumns(const char *sql)
{
    return kColumns(sql);
}

Event fromRow(const QSqlQuery &q)
{
    Event e;
    e.id = q.value(0).toString();
    e.calendar_id = q.value(1).toString();
    e.uid = q.value(2).toString();
    e.provider_event_id = q.value(3).toString();
    e.etag = q.value(4).toString();
    e.href = q.value(5).toString();
    e.title = q.value(6).toString();
    e.description = q.value(7).toString();
    e.location = q.value(8).toString();
    e.geo_location = q.value(9).toString();
    e.start_time = StoredTime::parse(q.value(10).toString());
    e.end_time = StoredTime::parseOptional(q.value(11).toString());
    e.is_all_day = q.value(12).toInt() != 0;
    e.timezone = q.value(13).toString();
    e.recurrence_rule = q.value(14).toString();
    e.recurrence_dates = q.value(15).toString();
    e.exception_dates = q.value(16).toString();
    e.recurrence_id = q.value(17).toString();
    e.master_event_uid = q.value(18).toString();
    e.status = q.value(19).toString();
    e.event_url = q.value(20).toString();
    e.conference_url = q.value(21).toString();
    e.organizer_email = q.value(22).toString();
    e.organizer_name = q.value(23).toString();
    e.sequence = q.value(24).toInt();
    e.raw_icalendar = q.value(25).toString();
    e.color = q.value(26).toString();
    e.created = StoredTime::parse(q.value(27).toString());
    e.last_modified = StoredTime::parse(q.value(28).toString());
    e.sync_status = syncStatusFromText(q.value(29).toString());
    e.deleted_at = StoredTime::parseOptional(q.value(30).toString());
    e.related_to_uid = q.value(31).toString();

    // Timed events are shown in their own zone; all-day dates stay dates.
    if (!e.is_all_day && !e.timezone.isEmpty() && e.timezone != QLatin1String("UTC")) {
        const QTimeZone zone(e.timezone.toUtf8());
        if (zone.isValid()) {
            if (e.start_time.isValid())
                e.start_time = e.start_time.toTimeZone(zone);
            if (e.end_time && e.end_time->isValid())
                e.end_time = e.end_time->toTimeZone(zone);
        }
    }
    return e;
}

// Columns calendar_id .. color, shared by insert and update.
QString insertStatement()
{
    return QStringLiteral(
        "INSERT INTO events (id, calendar_id, uid, provider_event_id, etag, href, title, "
        "description, location, geo_location, start_time, end_time, is_all_day, timezone, "
        "recurrence_rule, recurrence_dates, exception_dates, recurrence_id, master_event_uid, "
        "status, event_url, conference_url, organizer_email, organizer_name, sequence, "
        "raw_icalendar, color, created, last_modified, sync_status, deleted_at, related_to_uid) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?)");
}

void insertValues(const Event &e, Binder &bind)
{
    bind.text(e.id);
    contentValues(e, bind);
    bind.text(StoredTime::instantOrNow(e.created));
    bind.text(StoredTime::instantOrNow(e.last_modified));
    bind.text(toText(e.sync_status));
    bind.text(instantOrNull(e.deleted_at));
    bind.text(e.related_to_uid);
}

void bindInsert(QSqlQuery &q, const Event &e)
{
    QueryBinder bind(q);
    insertValues(e, bind);
}

void bindContent(QSqlQuery &q, const Event &e)
{
    QueryBinder bind(q);
    contentValues(e, bind);
}

Reminder reminderFromRow(const QSqlQuery &q, int first)
{
    Reminder r;
    r.minutes_before = q.value(first).toInt();
    r.action = q.value(first + 1).toString();
    r.acknowledged = q.value(first + 2).toInt() != 0;
    r.trigger_time = StoredTime::parseOptional(q.value(first + 3).toString());
    return r;
}

Attendee attendeeFromRow(const QSqlQuery &q, int first)
{
    Attendee a;
    a.email = q.value(first).toString();
    a.name = q.value(first + 1).toString();
    a.role = q.value(first + 2).toString();
    a.status = q.value(first + 3).toString();
    a.type = q.value(first + 4).toString();
    a.rsvp = q.value(first + 5).toInt() != 0;
    return a;
}

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QDateTime reminderAnchor(const Event &event)
{
    if (event.is_all_day && event.start_time.isValid())
        return QDateTime(event.start_time.date(), QTime(0, 0));
    return event.start_time;
}

} // namespace EventRows
