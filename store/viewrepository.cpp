#include "store/viewrepository.h"

#include "store/database.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSqlError>

namespace {

const char kColumns[] =
    "id, name, color, calendar_ids, is_default, sort_order, sync_status, created_at, updated_at, "
    "deleted_at";

QString columns(const char *sql)
{
    return QString::fromLatin1(sql).arg(QLatin1String(kColumns));
}

// Records without stamps get "now" rather than failing the NOT NULL columns.
QString stampOrNow(const QDateTime &value)
{
    return value.isValid() ? StoredTime::instant(value) : StoredTime::now();
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
    v.sync_status = q.value(6).toString();
    v.created_at = StoredTime::parse(q.value(7).toString());
    v.updated_at = StoredTime::parse(q.value(8).toString());
    v.deleted_at = StoredTime::parseOptional(q.value(9).toString());
    return v;
}

QList<CalendarView> ViewRepository::select(const QString &sql, const QString &bind) const
{
    QList<CalendarView> out;
    QSqlQuery query(m_db->database());
    query.prepare(sql);
    if (!bind.isNull())
        query.addBindValue(bind);
    if (!query.exec())
        return out;
    while (query.next())
        out.append(fromRow(query));
    return out;
}

bool ViewRepository::exec(const char *operation, const QString &sql, const QVariantList &binds)
{
    QSqlQuery query(m_db->database());
    query.prepare(sql);
    for (const QVariant &value : binds)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning().noquote() << QStringLiteral("ViewRepository::%1 failed:").arg(QLatin1String(operation))
                             << query.lastError().text();
        return false;
    }
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
                                            id.isNull() ? QStringLiteral("") : id);
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
                {StoredTime::text(v.id), StoredTime::text(v.name), StoredTime::text(v.color),
                 StoredTime::text(v.calendar_ids), v.is_default ? 1 : 0, v.sort_order,
                 StoredTime::text(v.sync_status), stampOrNow(v.created_at),
                 stampOrNow(v.updated_at)});
}

bool ViewRepository::update(const CalendarView &v)
{
    return exec("update",
                QStringLiteral("UPDATE calendar_views SET name = ?, color = ?, calendar_ids = ?, "
                               "is_default = ?, sort_order = ?, sync_status = ?, updated_at = ? "
                               "WHERE id = ?"),
                {StoredTime::text(v.name), StoredTime::text(v.color), StoredTime::text(v.calendar_ids),
                 v.is_default ? 1 : 0, v.sort_order, StoredTime::text(v.sync_status),
                 StoredTime::now(), StoredTime::text(v.id)});
}

bool ViewRepository::reorder(const QStringList &ids)
{
    if (ids.isEmpty())
        return true;
    QSqlDatabase &db = m_db->database();
    if (!db.transaction()) {
        qWarning() << "ViewRepository::reorder failed:" << db.lastError().text();
        return false;
    }
    const QString now = StoredTime::now();
    int order = 10;
    for (const QString &id : ids) {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("UPDATE calendar_views SET sort_order = ?, sync_status = 'pending', "
                                     "updated_at = ? WHERE id = ?"));
        query.addBindValue(order);
        query.addBindValue(now);
        query.addBindValue(id);
        if (!query.exec()) {
            qWarning() << "ViewRepository::reorder failed:" << query.lastError().text();
            db.rollback();
            return false;
        }
        order += 10;
    }
    if (!db.commit()) {
        qWarning() << "ViewRepository::reorder failed:" << db.lastError().text();
        db.rollback();
        return false;
    }
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
