#include "store/accountrepository.h"

#include "store/database.h"
#include "store/savepoint.h"
#include "store/sqlquery.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSet>
#include <QSqlError>
#include <QUrl>

#include <algorithm>

namespace {

constexpr SqlQuery::Columns columns(
    "id, name, type, server_url, username, calendar_home_set, principal_url, "
    "sync_interval_minutes, last_sync_time, last_sync_error, enabled, color, exclude_from_sync, "
    "trusted_cert_sha256, pending_cert_sha256, created_at, updated_at, deleted_at");

// name .. pending_cert_sha256, the columns insert and update share.
QVariantList contentValues(const Account &a)
{
    return {StoredTime::text(a.name),
            StoredTime::text(typeText(a)),
            StoredTime::text(a.server_url),
            StoredTime::text(a.username),
            StoredTime::text(a.calendar_home_set),
            StoredTime::text(a.principal_url),
            a.sync_interval_minutes,
            StoredTime::instantOrNull(a.last_sync_time),
            StoredTime::text(a.last_sync_error),
            a.enabled ? 1 : 0,
            StoredTime::text(a.color),
            a.exclude_from_sync ? 1 : 0,
            StoredTime::text(a.trusted_cert_sha256),
            StoredTime::text(a.pending_cert_sha256)};
}

QString withoutTrailingSlashes(QString text)
{
    while (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    return text;
}

// "host:port", the scheme's own port when none is written; empty without a
// host. Another port on the same host is another server.
QString hostAndPortOf(const QString &url)
{
    const QUrl parsed(url.trimmed(), QUrl::TolerantMode);
    const QString host = parsed.host(QUrl::FullyDecoded).toLower();
    if (host.isEmpty())
        return QString();
    const QString scheme = parsed.scheme().toLower();
    const int defaultPort = scheme == QLatin1String("https") ? 443 : scheme == QLatin1String("http") ? 80 : -1;
    return host + QLatin1Char(':') + QString::number(parsed.port(defaultPort));
}

} // namespace

AccountRepository::AccountRepository(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{
}

QDateTime AccountRepository::parseDbDateTime(const QString &value)
{
    if (value.isEmpty())
        return QDateTime();
    return StoredTime::parse(value);
}

Account AccountRepository::fromRow(const QSqlQuery &q)
{
    Account a;
    a.id = q.value(0).toString();
    a.name = q.value(1).toString();
    setTypeText(a, q.value(2).toString());
    a.server_url = q.value(3).toString();
    a.username = q.value(4).toString();
    a.calendar_home_set = q.value(5).toString();
    a.principal_url = q.value(6).toString();
    a.sync_interval_minutes = q.value(7).toInt();
    a.last_sync_time = StoredTime::parseOptional(q.value(8).toString());
    a.last_sync_error = q.value(9).toString();
    a.enabled = q.value(10).toBool();
    a.color = q.value(11).toString();
    a.exclude_from_sync = q.value(12).toBool();
    a.trusted_cert_sha256 = q.value(13).toString();
    a.pending_cert_sha256 = q.value(14).toString();
    a.created_at = parseDbDateTime(q.value(15).toString());
    a.updated_at = parseDbDateTime(q.value(16).toString());
    a.deleted_at = StoredTime::parseOptional(q.value(17).toString());
    return a;
}

QList<Account> AccountRepository::select(const QString &sql, const QVariantList &binds) const
{
    return SqlQuery::select(m_db->database(), sql, binds, fromRow);
}

QList<Account> AccountRepository::getAll() const
{
    return select(columns("SELECT %1 FROM accounts WHERE deleted_at IS NULL ORDER BY sort_order, name"));
}

QList<Account> AccountRepository::getAllIncludingDeleted() const
{
    return select(columns("SELECT %1 FROM accounts ORDER BY sort_order, name"));
}

std::optional<Account> AccountRepository::getById(const QString &id) const
{
    const QList<Account> rows =
        select(columns("SELECT %1 FROM accounts WHERE id = ? AND deleted_at IS NULL"), {id});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

std::optional<Account> AccountRepository::findByTypeAndUsername(AccountType type,
                                                                const QString &username,
                                                                const QString &serverUrl,
                                                                const QString &calendarHomeSet,
                                                                const QString &principalUrl) const
{
    if (username.isEmpty())
        return std::nullopt;
    const QList<Account> rows = select(
        columns("SELECT %1 FROM accounts WHERE type = ? AND username = ? AND deleted_at IS NULL"),
        {toText(type), username});
    for (const Account &row : rows) {
        if (sameServer(serverUrl, calendarHomeSet, principalUrl, row.server_url,
                       row.calendar_home_set, row.principal_url))
            return row;
    }
    return std::nullopt;
}

bool AccountRepository::insert(const Account &a)
{
    const QString sql = QStringLiteral(
        "INSERT INTO accounts (id, name, type, server_url, username, calendar_home_set, "
        "principal_url, sync_interval_minutes, last_sync_time, last_sync_error, enabled, color, "
        "exclude_from_sync, trusted_cert_sha256, pending_cert_sha256, created_at, updated_at) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QVariantList binds = QVariantList{StoredTime::text(a.id)} + contentValues(a)
        + QVariantList{StoredTime::instantOrNow(a.created_at), StoredTime::instantOrNow(a.updated_at)};
    if (!SqlQuery::exec(m_db->database(), "AccountRepository", "insert", sql, binds))
        return false;
    Q_EMIT accountsChanged();
    return true;
}

bool AccountRepository::update(const Account &a)
{
    return writeUpdate("update", a, StoredTime::now());
}

bool AccountRepository::writeUpdate(const char *operation, const Account &a, const QString &stamp)
{
    const QString sql = QStringLiteral(
        "UPDATE accounts SET name = ?, type = ?, server_url = ?, username = ?, "
        "calendar_home_set = ?, principal_url = ?, sync_interval_minutes = ?, last_sync_time = ?, "
        "last_sync_error = ?, enabled = ?, color = ?, exclude_from_sync = ?, "
        "trusted_cert_sha256 = ?, pending_cert_sha256 = ?, updated_at = ? WHERE id = ?");
    const QVariantList binds = contentValues(a) + QVariantList{stamp, a.id};
    if (!SqlQuery::execOnRow(m_db->database(), "AccountRepository", operation, sql, binds))
        return false;
    Q_EMIT accountsChanged();
    return true;
}

bool AccountRepository::reorder(const QStringList &ids)
{
    if (ids.isEmpty())
        return true;
    QSqlDatabase &db = m_db->database();
    if (!db.transaction())
        return false;
    const QString now = StoredTime::now();
    int order = 10;
    for (const QString &id : ids) {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("UPDATE accounts SET sort_order = ?, updated_at = ? WHERE id = ?"));
        query.addBindValue(order);
        query.addBindValue(now);
        query.addBindValue(id);
        // An unknown id fails the whole reorder.
        if (!query.exec() || query.numRowsAffected() == 0) {
            db.rollback();
            return false;
        }
        order += 10;
    }
    if (!db.commit())
        return false;
    Q_EMIT accountsChanged();
    return true;
}

bool AccountRepository::remove(const QString &id)
{
    // The tombstone and the cascade are one write: an account that failed
    // half-way must not look removed while calendars of it remain.
    SavePoint savepoint(m_db->database(), QStringLiteral("account_remove"));
    if (!savepoint.isActive()) {
        qWarning().noquote() << "AccountRepository::remove failed:" << savepoint.errorText();
        return false;
    }
    const QString now = StoredTime::now();
    if (!SqlQuery::execOnRow(
            m_db->database(), "AccountRepository", "remove",
            QStringLiteral("UPDATE accounts SET deleted_at = ?, updated_at = ? WHERE id = ?"),
            {now, now, id}))
        return false;
    if (!cascadeDeleteCalendars(id))
        return false;
    if (!savepoint.release()) {
        qWarning().noquote() << "AccountRepository::remove failed:" << savepoint.errorText();
        return false;
    }
    Q_EMIT accountsChanged();
    return true;
}

bool AccountRepository::reapTombstone(const QString &id)
{
    return SqlQuery::exec(
        m_db->database(), "AccountRepository", "reapTombstone",
        QStringLiteral("DELETE FROM accounts WHERE id = ? AND deleted_at IS NOT NULL"), {id});
}

bool AccountRepository::runCascadeStatement(const char *operation, const QString &sql,
                                            const QString &id)
{
    QSqlQuery query(m_db->database());
    query.prepare(sql);
    query.addBindValue(id);
    if (query.exec())
        return true;
    qWarning().noquote() << QStringLiteral("AccountRepository::%1 failed: %2\n  %3")
                                .arg(QLatin1String(operation), query.lastError().text(), sql);
    return false;
}

bool AccountRepository::cascadeDeleteCalendars(const QString &accountId)
{
    const QString calendars = QStringLiteral("SELECT id FROM calendars WHERE account_id = ?");
    const QString events = QStringLiteral("SELECT id FROM events WHERE calendar_id IN (%1)").arg(calendars);
    const QString tasks = QStringLiteral("SELECT id FROM tasks WHERE calendar_id IN (%1)").arg(calendars);
    const QString eventChild = QStringLiteral("event_id IN (%1)").arg(events);

    const QStringList statements = {
        QStringLiteral("DELETE FROM attendees WHERE ") + eventChild,
        QStringLiteral("DELETE FROM attachments WHERE ") + eventChild,
        QStringLiteral("DELETE FROM reminders WHERE ") + eventChild,
        QStringLiteral("DELETE FROM task_reminders WHERE task_id IN (%1)").arg(tasks),
        QStringLiteral("DELETE FROM events WHERE calendar_id IN (%1)").arg(calendars),
        QStringLiteral("DELETE FROM tasks WHERE calendar_id IN (%1)").arg(calendars),
        QStringLiteral("DELETE FROM calendars WHERE account_id = ?"),
    };
    for (const QString &sql : statements) {
        if (!runCascadeStatement("cascadeDeleteCalendars", sql, accountId))
            return false;
    }
    return true;
}

bool AccountRepository::deleteCalendarDeep(const QString &calendarId)
{
    static const QStringList statements = {
        QStringLiteral("DELETE FROM attendees WHERE event_id IN (SELECT id FROM events WHERE calendar_id = ?)"),
        QStringLiteral("DELETE FROM attachments WHERE event_id IN (SELECT id FROM events WHERE calendar_id = ?)"),
        QStringLiteral("DELETE FROM reminders WHERE event_id IN (SELECT id FROM events WHERE calendar_id = ?)"),
        QStringLiteral("DELETE FROM task_reminders WHERE task_id IN (SELECT id FROM tasks WHERE calendar_id = ?)"),
        QStringLiteral("DELETE FROM events WHERE calendar_id = ?"),
        QStringLiteral("DELETE FROM tasks WHERE calendar_id = ?"),
        QStringLiteral("DELETE FROM calendars WHERE id = ?"),
    };
    // Stops at the first refusal: the calendar row goes last, so a failed
    // delete leaves it listed rather than its items orphaned.
    for (const QString &sql : statements) {
        if (!runCascadeStatement("deleteCalendarDeep", sql, calendarId))
            return false;
    }
    return true;
}

bool AccountRepository::mergeInto(const QString &duplicateId, const QString &survivorId)
{
    QSet<QString> known;
    {
        QSqlQuery query(m_db->database());
        query.prepare(QStringLiteral("SELECT url FROM calendars WHERE account_id = ?"));
        query.addBindValue(survivorId);
        if (query.exec()) {
            while (query.next())
                known.insert(normalizeServerUrl(query.value(0).toString()));
        }
    }

    QList<QPair<QString, QString>> duplicates;
    {
        QSqlQuery query(m_db->database());
        query.prepare(QStringLiteral("SELECT id, url FROM calendars WHERE account_id = ?"));
        query.addBindValue(duplicateId);
        if (!query.exec())
            return false;
        while (query.next())
            duplicates.append({query.value(0).toString(), query.value(1).toString()});
    }

    bool allMoved = true;

    for (const auto &[calendarId, url] : duplicates) {
        const QString normalized = normalizeServerUrl(url);
        if (!normalized.isEmpty() && known.contains(normalized)) {
            // A copy that could not be deleted still belongs to the duplicate.
            if (!deleteCalendarDeep(calendarId))
                allMoved = false;
            continue;
        }
        QSqlQuery move(m_db->database());
        move.prepare(QStringLiteral("UPDATE calendars SET account_id = ? WHERE id = ?"));
        move.addBindValue(survivorId);
        move.addBindValue(calendarId);
        if (!move.exec()) {
            qWarning().noquote() << "AccountRepository::mergeInto failed:" << move.lastError().text();
            allMoved = false;
            continue;
        }
        known.insert(normalized);
    }
    return allMoved;
}

int AccountRepository::dedupeAccounts()
{
    QList<Account> candidates;
    for (const Account &a : getAllIncludingDeleted()) {
        if (!a.deleted_at && isCalDavFamily(a.type) && !a.username.isEmpty())
            candidates.append(a);
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Account &l, const Account &r) { return l.created_at < r.created_at; });

    QList<Account> kept;
    int merged = 0;
    for (const Account &candidate : candidates) {
        auto survivor = std::find_if(kept.cbegin(), kept.cend(), [&](const Account &k) {
            return k.type == candidate.type && k.username == candidate.username
                && sameServer(candidate.server_url, candidate.calendar_home_set,
                              candidate.principal_url, k.server_url, k.calendar_home_set,
                              k.principal_url);
        });
        if (survivor == kept.cend()) {
            kept.append(candidate);
            continue;
        }
        // Removing the duplicate deletes whatever it still owns: only do it
        // once every calendar of it has found its place.
        if (!mergeInto(candidate.id, survivor->id))
            continue;
        if (remove(candidate.id))
            ++merged;
    }
    return merged;
}

QString AccountRepository::normalizeServerUrl(const QString &url)
{
    const QString trimmed = url.trimmed();
    if (trimmed.isEmpty())
        return QString();
    const QUrl parsed(trimmed, QUrl::TolerantMode);
    const QString host = parsed.host(QUrl::FullyDecoded);
    if (!parsed.isValid() || host.isEmpty())
        return withoutTrailingSlashes(trimmed);

    const QString scheme = parsed.scheme().toLower();
    const int port = parsed.port();
    QString portPart;
    const bool defaultPort = (scheme == QLatin1String("https") && port == 443)
        || (scheme == QLatin1String("http") && port == 80);
    if (port != -1 && !defaultPort)
        portPart = QStringLiteral(":%1").arg(port);
    return scheme + QStringLiteral("://") + host.toLower() + portPart
        + withoutTrailingSlashes(parsed.path(QUrl::FullyDecoded));
}

bool AccountRepository::sameServer(const QString &serverA, const QString &homeSetA,
                                   const QString &principalA, const QString &serverB,
                                   const QString &homeSetB, const QString &principalB)
{
    const QString homeA = normalizeServerUrl(homeSetA);
    if (!homeA.isEmpty() && homeA == normalizeServerUrl(homeSetB))
        return true;
    const QString principalNormA = normalizeServerUrl(principalA);
    if (!principalNormA.isEmpty() && principalNormA == normalizeServerUrl(principalB))
        return true;
    const QString serverNormA = normalizeServerUrl(serverA);
    if (!serverNormA.isEmpty() && serverNormA == normalizeServerUrl(serverB))
        return true;
    const QString hostA = hostAndPortOf(serverA);
    return !hostA.isEmpty() && hostA == hostAndPortOf(serverB);
}

bool AccountRepository::updateKeepingTime(const Account &account)
{
    return writeUpdate("updateKeepingTime", account, StoredTime::instantOrNow(account.updated_at));
}

bool AccountRepository::recordSyncState(const Account &account)
{
    if (!SqlQuery::execOnRow(m_db->database(), "AccountRepository", "recordSyncState",
                             QStringLiteral("UPDATE accounts SET last_sync_time = ?, last_sync_error = ? WHERE id = ?"),
                             {StoredTime::instantOrNull(account.last_sync_time),
                              StoredTime::text(account.last_sync_error), account.id}))
        return false;
    Q_EMIT accountsChanged();
    return true;
}
