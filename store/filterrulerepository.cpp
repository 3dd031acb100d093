#include "store/filterrulerepository.h"

#include "store/database.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

namespace {

constexpr SqlQuery::Columns columns(
    "id, name, type, enabled, calendar_ids, conditions, action, priority, event_uid, "
    "event_calendar_id, suppress_reminders, sync_status, created_at, updated_at, deleted_at");

// name .. sync_status, the columns insert and update share.
QVariantList contentValues(const FilterRule &r)
{
    return {StoredTime::text(r.name), StoredTime::text(r.type), r.enabled ? 1 : 0,
            StoredTime::text(r.calendar_ids), StoredTime::text(r.conditions),
            StoredTime::text(r.action), r.priority, StoredTime::text(r.event_uid),
            StoredTime::text(r.event_calendar_id), r.suppress_reminders ? 1 : 0,
            toText(r.sync_status)};
}

} // namespace

FilterRuleRepository::FilterRuleRepository(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{
}

FilterRule FilterRuleRepository::fromRow(const QSqlQuery &q)
{
    FilterRule r;
    r.id = q.value(0).toString();
    r.name = q.value(1).toString();
    r.type = q.value(2).toString();
    r.enabled = q.value(3).toBool();
    r.calendar_ids = q.value(4).toString();
    r.conditions = q.value(5).toString();
    r.action = q.value(6).toString();
    r.priority = q.value(7).toInt();
    r.event_uid = q.value(8).toString();
    r.event_calendar_id = q.value(9).toString();
    r.suppress_reminders = q.value(10).toBool();
    r.sync_status = syncStatusFromText(q.value(11).toString());
    r.created_at = StoredTime::parse(q.value(12).toString());
    r.updated_at = StoredTime::parse(q.value(13).toString());
    r.deleted_at = StoredTime::parseOptional(q.value(14).toString());
    return r;
}

QList<FilterRule> FilterRuleRepository::select(const QString &sql, const QVariantList &binds) const
{
    return SqlQuery::select(m_db->database(), sql, binds, fromRow);
}

bool FilterRuleRepository::exec(const char *operation, const QString &sql, const QVariantList &binds)
{
    if (!SqlQuery::execOnRow(m_db->database(), "FilterRuleRepository", operation, sql, binds))
        return false;
    Q_EMIT filterRulesChanged();
    return true;
}

QList<FilterRule> FilterRuleRepository::getAll() const
{
    return select(columns("SELECT %1 FROM filter_rules WHERE deleted_at IS NULL ORDER BY priority, name"));
}

QList<FilterRule> FilterRuleRepository::getAllIncludingDeleted() const
{
    return select(columns("SELECT %1 FROM filter_rules ORDER BY priority, name"));
}

QList<FilterRule> FilterRuleRepository::getEnabled() const
{
    return select(columns("SELECT %1 FROM filter_rules WHERE deleted_at IS NULL AND enabled = 1 "
                          "ORDER BY priority, name"));
}

std::optional<FilterRule> FilterRuleRepository::getById(const QString &id) const
{
    const QList<FilterRule> rows = select(columns("SELECT %1 FROM filter_rules WHERE id = ?"),
                                          {id.isNull() ? QStringLiteral("") : id});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

bool FilterRuleRepository::insert(const FilterRule &r)
{
    return exec("insert",
                QStringLiteral("INSERT INTO filter_rules (id, name, type, enabled, calendar_ids, "
                               "conditions, action, priority, event_uid, event_calendar_id, "
                               "suppress_reminders, sync_status, created_at, updated_at) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                QVariantList{StoredTime::text(r.id)} + contentValues(r)
                    + QVariantList{StoredTime::instantOrNow(r.created_at),
                                   StoredTime::instantOrNow(r.updated_at)});
}

bool FilterRuleRepository::update(const FilterRule &r)
{
    return writeUpdate("update", r, StoredTime::now());
}

bool FilterRuleRepository::writeUpdate(const char *operation, const FilterRule &r, const QString &stamp)
{
    return exec(operation,
                QStringLiteral("UPDATE filter_rules SET name = ?, type = ?, enabled = ?, "
                               "calendar_ids = ?, conditions = ?, action = ?, priority = ?, "
                               "event_uid = ?, event_calendar_id = ?, suppress_reminders = ?, "
                               "sync_status = ?, updated_at = ? WHERE id = ?"),
                contentValues(r) + QVariantList{stamp, StoredTime::text(r.id)});
}

bool FilterRuleRepository::setPriority(const QStringList &ids)
{
    if (ids.isEmpty())
        return true;
    if (!SqlQuery::renumber(m_db->database(), "FilterRuleRepository", "setPriority",
                            QStringLiteral("UPDATE filter_rules SET priority = ?, "
                                           "sync_status = 'pending', updated_at = ? WHERE id = ?"),
                            ids))
        return false;
    Q_EMIT filterRulesChanged();
    return true;
}

bool FilterRuleRepository::setEnabled(const QString &id, bool enabled)
{
    return exec("setEnabled",
                QStringLiteral("UPDATE filter_rules SET enabled = ?, sync_status = 'pending', "
                               "updated_at = ? WHERE id = ?"),
                {enabled ? 1 : 0, StoredTime::now(), StoredTime::text(id)});
}

bool FilterRuleRepository::remove(const QString &id)
{
    const QString now = StoredTime::now();
    return exec("remove",
                QStringLiteral("UPDATE filter_rules SET deleted_at = ?, sync_status = 'pending', "
                               "updated_at = ? WHERE id = ?"),
                {now, now, StoredTime::text(id)});
}

bool FilterRuleRepository::hardDelete(const QString &id)
{
    return exec("hardDelete", QStringLiteral("DELETE FROM filter_rules WHERE id = ?"),
                {StoredTime::text(id)});
}

bool FilterRuleRepository::updateKeepingTime(const FilterRule &rule)
{
    return writeUpdate("updateKeepingTime", rule, StoredTime::instantOrNow(rule.updated_at));
}
