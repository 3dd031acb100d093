#include "store/templaterepository.h"

#include "store/database.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUuid>

namespace {

const char kSelect[] =
    "SELECT id, name, title, description, location, color, is_all_day, duration_minutes, "
    "recurrence_rule, calendar_id, reminders, sort_order, created_at, updated_at, deleted_at "
    "FROM event_templates";

// name .. sort_order, the columns insert and update share.
QVariantList contentValues(const EventTemplate &t)
{
    return {StoredTime::text(t.name), StoredTime::text(t.title), StoredTime::text(t.description),
            StoredTime::text(t.location), StoredTime::text(t.color), t.is_all_day ? 1 : 0,
            t.duration_minutes, StoredTime::text(t.recurrence_rule),
            StoredTime::text(t.calendar_id), TemplateRepository::remindersToJson(t.reminders),
            t.sort_order};
}

} // namespace

TemplateRepository::TemplateRepository(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{
}

QString TemplateRepository::remindersToJson(const QList<int> &minutes)
{
    QJsonArray array;
    for (int value : minutes)
        array.append(value);
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QList<int> TemplateRepository::remindersFromJson(const QString &text)
{
    QList<int> out;
    if (text.isEmpty())
        return out;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return out;
    for (const QJsonValue &value : doc.array()) {
        // Fractions and numbers beyond int read as 0, as QJsonValue::toInt does.
        if (value.isDouble())
            out.append(value.toInt(0));
    }
    return out;
}

EventTemplate TemplateRepository::fromRow(const QSqlQuery &q)
{
    EventTemplate t;
    t.id = q.value(0).toString();
    t.name = q.value(1).toString();
    t.title = q.value(2).toString();
    t.description = q.value(3).toString();
    t.location = q.value(4).toString();
    t.color = q.value(5).toString();
    t.is_all_day = q.value(6).toInt() != 0;
    t.duration_minutes = q.value(7).toInt();
    t.recurrence_rule = q.value(8).toString();
    t.calendar_id = q.value(9).toString();
    t.reminders = remindersFromJson(q.value(10).toString());
    t.sort_order = q.value(11).toInt();
    t.created_at = StoredTime::parse(q.value(12).toString());
    t.updated_at = StoredTime::parse(q.value(13).toString());
    t.deleted_at = StoredTime::parseOptional(q.value(14).toString());
    return t;
}

QList<EventTemplate> TemplateRepository::select(const QString &tail, const QVariantList &binds) const
{
    return SqlQuery::select(m_db->database(), QLatin1String(kSelect) + tail, binds, fromRow);
}

bool TemplateRepository::exec(const char *operation, const QString &sql, const QVariantList &binds)
{
    if (!SqlQuery::execOnRow(m_db->database(), "TemplateRepository", operation, sql, binds))
        return false;
    Q_EMIT templatesChanged();
    return true;
}

QList<EventTemplate> TemplateRepository::getAll() const
{
    return select(QStringLiteral(" WHERE deleted_at IS NULL ORDER BY sort_order, name"));
}

QList<EventTemplate> TemplateRepository::getAllIncludingDeleted() const
{
    return select(QStringLiteral(" ORDER BY sort_order, name"));
}

std::optional<EventTemplate> TemplateRepository::getById(const QString &id) const
{
    const QList<EventTemplate> rows = select(QStringLiteral(" WHERE deleted_at IS NULL AND id = ?"),
                                             {id.isNull() ? QStringLiteral("") : id});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

bool TemplateRepository::insert(const EventTemplate &t)
{
    return writeInsert("insert", t, StoredTime::now());
}

bool TemplateRepository::writeInsert(const char *operation, const EventTemplate &t, const QString &stamp)
{
    const QString now = StoredTime::now();
    const QString id = t.id.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : t.id;
    return exec(operation,
                QStringLiteral("INSERT INTO event_templates (id, name, title, description, location, "
                               "color, is_all_day, duration_minutes, recurrence_rule, calendar_id, "
                               "reminders, sort_order, sync_status, created_at, updated_at) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'pending', ?, ?)"),
                QVariantList{id} + contentValues(t)
                    + QVariantList{t.created_at.isValid() ? StoredTime::instant(t.created_at) : now,
                                   stamp});
}

bool TemplateRepository::update(const EventTemplate &t)
{
    return writeUpdate("update", t, StoredTime::now());
}

bool TemplateRepository::writeUpdate(const char *operation, const EventTemplate &t, const QString &stamp)
{
    return exec(operation,
                QStringLiteral("UPDATE event_templates SET name = ?, title = ?, description = ?, "
                               "location = ?, color = ?, is_all_day = ?, duration_minutes = ?, "
                               "recurrence_rule = ?, calendar_id = ?, reminders = ?, sort_order = ?, "
                               "sync_status = 'pending', updated_at = ? WHERE id = ?"),
                contentValues(t) + QVariantList{stamp, StoredTime::text(t.id)});
}

bool TemplateRepository::remove(const QString &id)
{
    const QString now = StoredTime::now();
    return exec("remove",
                QStringLiteral("UPDATE event_templates SET deleted_at = ?, sync_status = 'pending', "
                               "updated_at = ? WHERE id = ?"),
                {now, now, StoredTime::text(id)});
}

bool TemplateRepository::hardDelete(const QString &id)
{
    return exec("hardDelete", QStringLiteral("DELETE FROM event_templates WHERE id = ?"),
                {StoredTime::text(id)});
}

bool TemplateRepository::insertKeepingTime(const EventTemplate &eventTemplate)
{
    return writeInsert("insertKeepingTime", eventTemplate, StoredTime::instantOrNow(eventTemplate.updated_at));
}

bool TemplateRepository::updateKeepingTime(const EventTemplate &eventTemplate)
{
    return writeUpdate("updateKeepingTime", eventTemplate, StoredTime::instantOrNow(eventTemplate.updated_at));
}
