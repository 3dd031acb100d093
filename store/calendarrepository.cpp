#include "store/calendarrepository.h"

#include "store/database.h"
#include "store/movelinks.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSqlError>

namespace {

constexpr SqlQuery::Columns columns(
    "id, account_id, url, name, description, color, timezone, is_visible, is_read_only, "
    "is_default, ctag, sync_token, delta_sync_token, supported_components, sort_order, "
    "canonical_key, sync_enabled, is_shared, shared_with_me, last_sync_error, created_at, "
    "updated_at, allow_tasks_override");

const QString kDefaultColor = QStringLiteral("#4285F4");

// account_id .. last_sync_error, the columns insert and update share.
QVariantList contentValues(const Calendar &c)
{
    return {StoredTime::text(c.account_id),
            StoredTime::text(c.url),
            StoredTime::text(c.name),
            StoredTime::text(c.description),
            StoredTime::text(c.color),
            StoredTime::text(c.timezone),
            c.is_visible ? 1 : 0,
            c.is_read_only ? 1 : 0,
            c.is_default ? 1 : 0,
            StoredTime::text(c.ctag),
            StoredTime::text(c.sync_token),
            StoredTime::text(c.delta_sync_token),
            StoredTime::text(c.supported_components),
            c.sort_order,
            StoredTime::text(c.canonical_key),
            c.sync_enabled ? 1 : 0,
            c.is_shared ? 1 : 0,
            c.shared_with_me ? 1 : 0,
            StoredTime::text(c.last_sync_error)};
}

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

} // namespace

CalendarRepository::CalendarRepository(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{
}

QString CalendarRepository::normalizeColor(const QString &color)
{
    const QString trimmed = color.trimmed();
    if (trimmed.isEmpty())
        return kDefaultColor;
    const bool hasHash = trimmed.startsWith(QLatin1Char('#'));
    const QString hex = hasHash ? trimmed.mid(1) : trimmed;
    for (QChar c : hex) {
        if (!isHexDigit(c))
            return kDefaultColor;
    }
    if (hex.size() != 3 && hex.size() != 6 && hex.size() != 8)
        return kDefaultColor;
    return hasHash ? trimmed : QLatin1Char('#') + trimmed;
}

Calendar CalendarRepository::fromRow(const QSqlQuery &q)
{
    Calendar c;
    c.id = q.value(0).toString();
    c.account_id = q.value(1).toString();
    c.url = q.value(2).toString();
    c.name = q.value(3).toString();
    c.description = q.value(4).toString();
    c.color = normalizeColor(q.value(5).toString());
    c.timezone = q.value(6).toString();
    c.is_visible = q.value(7).toBool();
    c.is_read_only = q.value(8).toBool();
    c.is_default = q.value(9).toBool();
    c.ctag = q.value(10).toString();
    c.sync_token = q.value(11).toString();
    c.delta_sync_token = q.value(12).toString();
    c.supported_components = q.value(13).toString();
    c.sort_order = q.value(14).toInt();
    c.canonical_key = q.value(15).toString();
    c.sync_enabled = q.value(16).toBool();
    c.is_shared = q.value(17).toBool();
    c.shared_with_me = q.value(18).toBool();
    c.last_sync_error = q.value(19).toString();
    c.created_at = StoredTime::parse(q.value(20).toString());
    c.updated_at = StoredTime::parse(q.value(21).toString());
    c.allow_tasks_override = q.value(22).toBool();
    return c;
}

QList<Calendar> CalendarRepository::select(const QString &sql, const QVariantList &binds) const
{
    return SqlQuery::select(m_db->database(), sql, binds, fromRow);
}

QList<Calendar> CalendarRepository::getAll() const
{
    return select(columns("SELECT %1 FROM calendars ORDER BY sort_order, name"));
}

QList<Calendar> CalendarRepository::getByAccount(const QString &accountId) const
{
    return select(columns("SELECT %1 FROM calendars WHERE account_id = ? ORDER BY sort_order, name"),
                  {accountId.isNull() ? QStringLiteral("") : accountId});
}

std::optional<Calendar> CalendarRepository::getById(const QString &id) const
{
    const QList<Calendar> rows =
        select(columns("SELECT %1 FROM calendars WHERE id = ?"), {id.isNull() ? QStringLiteral("") : id});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

QStringList CalendarRepository::otherEndsOfUnsentMoves(const QString &calendarId) const
{
    return MoveLinks::otherEnds(m_db->database(), calendarId);
}

bool CalendarRepository::insert(const Calendar &c)
{
    const QString sql = QStringLiteral(
        "INSERT INTO calendars (id, account_id, url, name, description, color, timezone, "
        "is_visible, is_read_only, is_default, ctag, sync_token, delta_sync_token, "
        "supported_components, sort_order, canonical_key, sync_enabled, is_shared, "
        "shared_with_me, last_sync_error, created_at, updated_at, allow_tasks_override) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QVariantList binds = QVariantList{StoredTime::text(c.id)} + contentValues(c)
        + QVariantList{StoredTime::instantOrNow(c.created_at), StoredTime::instantOrNow(c.updated_at),
                       c.allow_tasks_override ? 1 : 0};
    if (!SqlQuery::exec(m_db->database(), "CalendarRepository", "insert", sql, binds))
        return false;
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::update(const Calendar &c)
{
    return writeUpdate("update", c, StoredTime::now());
}

bool CalendarRepository::writeUpdate(const char *operation, const Calendar &c, const QString &stamp)
{
    const QString sql = QStringLiteral(
        "UPDATE calendars SET account_id = ?, url = ?, name = ?, description = ?, color = ?, "
        "timezone = ?, is_visible = ?, is_read_only = ?, is_default = ?, ctag = ?, "
        "sync_token = ?, delta_sync_token = ?, supported_components = ?, sort_order = ?, "
        "canonical_key = ?, sync_enabled = ?, is_shared = ?, shared_with_me = ?, "
        "last_sync_error = ?, allow_tasks_override = ?, updated_at = ? WHERE id = ?");
    const QVariantList binds = contentValues(c)
        + QVariantList{c.allow_tasks_override ? 1 : 0, stamp, c.id};
    if (!SqlQuery::execOnRow(m_db->database(), "CalendarRepository", operation, sql, binds))
        return false;
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::remove(const QString &id)
{
    if (!SqlQuery::execOnRow(m_db->database(), "CalendarRepository", "remove",
                           QStringLiteral("DELETE FROM calendars WHERE id = ?"), {id}))
        return false;
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::setDefault(const QString &id)
{
    const QString now = StoredTime::now();
    QSqlDatabase &db = m_db->database();
    if (!db.transaction())
        return false;

    QSqlQuery clear(db);
    clear.prepare(QStringLiteral(
        "UPDATE calendars SET is_default = 0, updated_at = ? WHERE is_default = 1 AND id != ?"));
    clear.addBindValue(now);
    clear.addBindValue(id);
    if (!clear.exec()) {
        qWarning() << "CalendarRepository::setDefault clear failed:" << clear.lastError().text();
        db.rollback();
        return false;
    }

    QSqlQuery set(db);
    set.prepare(QStringLiteral("UPDATE calendars SET is_default = 1, updated_at = ? WHERE id = ?"));
    set.addBindValue(now);
    set.addBindValue(id);
    if (!set.exec()) {
        qWarning() << "CalendarRepository::setDefault set failed:" << set.lastError().text();
        db.rollback();
        return false;
    }
    // An unknown id would otherwise leave no default calendar at all.
    if (set.numRowsAffected() == 0) {
        db.rollback();
        return false;
    }

    if (!db.commit()) {
        db.rollback();
        return false;
    }
    Q_EMIT calendarsChanged();
    return true;
}

bool CalendarRepository::updateKeepingTime(const Calendar &calendar)
{
    return writeUpdate("updateKeepingTime", calendar, StoredTime::instantOrNow(calendar.updated_at));
}

bool CalendarRepository::recordSyncState(const Calendar &calendar)
{
    if (!SqlQuery::execOnRow(m_db->database(), "CalendarRepository", "recordSyncState",
                             QStringLiteral("UPDATE calendars SET ctag = ?, sync_token = ?, delta_sync_token = ?, "
                                            "last_sync_error = ? WHERE id = ?"),
                             {StoredTime::text(calendar.ctag), StoredTime::text(calendar.sync_token),
                              StoredTime::text(calendar.delta_sync_token), StoredTime::text(calendar.last_sync_error),
                              calendar.id}))
        return false;
    Q_EMIT calendarsChanged();
    return true;
}
