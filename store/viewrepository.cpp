#include "store/viewrepository.h"

#include "store/database.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

namespace {

constexpr SqlQuery::Columns columns(
    "id, name, color, calendar_ids, is_default, sort_order, sync_status, created_at, updated_at, "
    "deleted_at");

// name .. sync_status, the columns insert and update share.
QVariantList contentValues(const CalendarView &v)
{
    return {StoredTime::text(v.name), StoredTime::text(v.color), StoredTime::text(v.calendar_ids),
            v.is_default ? 1 : 0, v.sort_order, toText(v.sync_status)};
}

} // namespace

ViewRepository::ViewRepository(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{
}

CalendarView ViewRepository::fromRow(const QSqlQuery &q)
{
    CalendarView v;
    v.id = q.value(0).toString();
    v.name = q.value(1).toString();
    v.color = q.value(2).toString();
    v.calendar_ids = q.value(3).toString();
    v.is_default = q.value(4).toBool();
    v.sort_order = q.value(5).toInt();
    v.sync_status = syncStatusFromText(q.value(6).toString());
    v.created_at = StoredTime::parse(q.value(7).toString());
    v.updated_at = StoredTime::parse(q.value(8).toString());
    v.deleted_at = StoredTime::parseOptional(q.value(9).toString());
    return v;
}

QList<CalendarView> ViewRepository::select(const QString &sql, const QVariantList &binds) const
{
    return SqlQuery::select(m_db->database(), sql, binds, fromRow);
}

bool ViewRepository::exec(const char *operation, const QString &sql, const QVariantList &binds)
{
    if (!SqlQuery::execOnRow(m_db->database(), "ViewRepository", operation, sql, binds))
        return false;
    Q_EMIT viewsChanged();
    return true;
}

QList<CalendarView> ViewRepository::getAll() const
{
    return select(columns("SELECT %1 FROM calendar_views WHERE deleted_at IS NULL "
                          "ORDER BY is_default DESC, sort_order, name"));
}

QList<CalendarView> ViewRepository::getAllIncludingDeleted() const
{
    return select(columns("SELECT %1 FROM calendar_views ORDER BY is_default DESC, sort_order, name"));
}

std::optional<CalendarView> ViewRepository::getById(const QString &id) const
{
    const QList<CalendarView> rows = select(columns("SELECT %1 FROM calendar_views WHERE id = ?"),
                                            {id.isNull() ? QStringLiteral("") : id});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

bool ViewRepository::insert(const CalendarView &v)
{
    return exec("insert",
                QStringLiteral("INSERT INTO calendar_views (id, name, color, calendar_ids, is_default, "
                               "sort_order, sync_status, created_at, updated_at) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                QVariantList{StoredTime::text(v.id)} + contentValues(v)
                    + QVariantList{StoredTime::instantOrNow(v.created_at),
                                   StoredTime::instantOrNow(v.updated_at)});
}

bool ViewRepository::update(const CalendarView &v)
{
    return writeUpdate("update", v, StoredTime::now());
}

bool ViewRepository::writeUpdate(const char *operation, const CalendarView &v, const QString &stamp)
{
    return exec(operation,
                QStringLiteral("UPDATE calendar_views SET name = ?, color = ?, calendar_ids = ?, "
                               "is_default = ?, sort_order = ?, sync_status = ?, updated_at = ? "
                               "WHERE id = ?"),
                contentValues(v) + QVariantList{stamp, StoredTime::text(v.id)});
}

bool ViewRepository::reorder(const QStringList &ids)
{
    if (ids.isEmpty())
        return true;
    if (!SqlQuery::renumber(m_db->database(), "ViewRepository", "reorder",
                            QStringLiteral("UPDATE calendar_views SET sort_order = ?, "
                                           "sync_status = 'pending', updated_at = ? WHERE id = ?"),
                            ids))
        return false;
    Q_EMIT viewsChanged();
    return true;
}

bool ViewRepository::remove(const QString &id)
{
    const QString now = StoredTime::now();
    return exec("remove",
                QStringLiteral("UPDATE calendar_views SET deleted_at = ?, sync_status = 'pending', "
                               "updated_at = ? WHERE id = ?"),
                {now, now, StoredTime::text(id)});
}

bool ViewRepository::hardDelete(const QString &id)
{
    return exec("hardDelete", QStringLiteral("DELETE FROM calendar_views WHERE id = ?"),
                {StoredTime::text(id)});
}

bool ViewRepository::updateKeepingTime(const CalendarView &view)
{
    return writeUpdate("updateKeepingTime", view, StoredTime::instantOrNow(view.updated_at));
}
