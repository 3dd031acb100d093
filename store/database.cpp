#include "store/database.h"

#include <QFile>
#include <QFileInfo>
#include <QDebug>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include "store/daydurationreread.h"
#include "store/floatingstamps.h"
#include "store/floatingzone.h"
#include "store/walcheckpointer.h"

#include <sqlite3.h>

#include <utility>

namespace {

// SQLite counts the memory it holds under one lock for the whole process:
// with the views' readers busy at start-up, every allocation of the
// program's connection queued behind theirs. Nothing here reads the count.
// It can only be turned off before SQLite's first connection opens.
void configureSqliteOnce()
{
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    Q_UNUSED(configured);
}

const char kSchemaVersionTable[] =
    "CREATE TABLE IF NOT EXISTS schema_version (  version    INTEGER PRIMARY KEY,  "
    "name       TEXT NOT NULL,  applied_at TEXT NOT NULL DEFAULT (datetime('now')))";

// Closes the pending statement into the result list, without its semicolon.
void closeStatement(QString &buffer, QStringList &out)
{
    QString statement = buffer.trimmed();
    buffer.clear();
    if (statement.isEmpty() || statement == QLatin1String(";"))
        return;
    if (statement.endsWith(QLatin1Char(';')))
        statement.chop(1);
    statement = statement.trimmed();
    if (!statement.isEmpty())
        out.append(statement);
}

// Walks a script a line at a time and finds where statements end: at a
// semicolon outside quotes and comments, except inside a trigger's
// BEGIN … END body (CASE … END nests within it), whose statements end with
// semicolons of their own. Only a statement that starts CREATE [TEMP]
// TRIGGER has such a body, so a word like "beginning" or a BEGIN
// TRANSACTION changes nothing.
class ScriptScanner
{
public:
    enum class Stop { Semicolon, Comment, LineEnd };

    bool inQuote() const { return !m_quote.isNull(); }

    // Scans line from `from` to the next statement end or comment start;
    // *at is its position.
    Stop scan(const QString &line, qsizetype from, qsizetype *at)
    {
        qsizetype i = from;
        while (i < line.size()) {
            const QChar c = line.at(i);
            if (inQuote()) {
                if (c == m_quote)
                    m_quote = QChar();
                ++i;
            } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
                m_quote = c;
                ++i;
            } else if (c == QLatin1Char('[')) {
                m_quote = QLatin1Char(']');
                ++i;
            } else if (c == QLatin1Char('-') && i + 1 < line.size()
                       && line.at(i + 1) == QLatin1Char('-')) {
                *at = i;
                return Stop::Comment;
            } else if (c == QLatin1Char(';') && m_depth == 0) {
                *at = i;
                m_words = 0;
                m_trigger = false;
                return Stop::Semicolon;
            } else if (isWordChar(c)) {
                const qsizetype start = i;
                while (i < line.size() && isWordChar(line.at(i)))
                    ++i;
                word(QStringView(line).mid(start, i - start));
            } else {
                ++i;
            }
        }
        *at = line.size();
        return Stop::LineEnd;
    }

private:
    static bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

    void word(QStringView w)
    {
        const auto is = [w](const char *keyword) {
            return w.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
        };
        ++m_words;
        if (m_words == 1) {
            m_create = is("CREATE");
        } else if (m_create && m_words <= 3 && !m_trigger) {
            if (is("TRIGGER"))
                m_trigger = true;
            else if (!(m_words == 2 && (is("TEMP") || is("TEMPORARY"))))
                m_create = false;
        } else if (m_trigger) {
            if (is("BEGIN") || is("CASE"))
                ++m_depth;
            else if (is("END") && m_depth > 0)
                --m_depth;
        }
    }

    QChar m_quote;
    int m_words = 0;
    bool m_create = false;
    bool m_trigger = false;
    int m_depth = 0;
};

constexpr QFileDevice::Permissions GroupAndOthers =
    QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
    | QFileDevice::WriteOther | QFileDevice::ExeOther;

// A file path, not an in-memory database or a URI.
bool isFilePath(const QString &path)
{
    return !path.isEmpty() && !path.startsWith(QLatin1Char(':')) && !path.startsWith(QLatin1String("file:"));
}

void createPrivately(const QString &path)
{
    if (!isFilePath(path) || QFileInfo::exists(path))
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        qWarning() << "Database::open failed: could not create" << path << file.errorString();
}

// The database and its journals, for the owner alone; what is already
// tighter stays as it is.
void restrictToOwner(const QString &path)
{
    if (!isFilePath(path))
        return;
    for (const char *suffix : {"", "-wal", "-shm", "-journal"}) {
        const QString file = path + QLatin1String(suffix);
        if (!QFileInfo::exists(file))
            continue;
        const QFileDevice::Permissions current = QFile::permissions(file);
        if ((current & GroupAndOthers) && !QFile::setPermissions(file, current & ~GroupAndOthers))
            qWarning() << "Database::open failed: could not restrict" << file << "to its owner";
    }
}

} // namespace

Database::Database(QObject *parent)
    : QObject(parent)
{
}

Database::~Database()
{
    const QString connection = m_db.connectionName();
    if (m_open) {
        m_db.close();
        m_open = false;
    }
    m_db = QSqlDatabase();
    // Lets a later Database (a restart in tests) register the name again.
    if (!connection.isEmpty())
        QSqlDatabase::removeDatabase(connection);
}

const QList<Database::Migration> &Database::migrations()
{
    static const QList<Migration> table = {
        {1, QStringLiteral("initial"), QStringLiteral(":/sql/sql/migrations/001_initial.sql")},
        {2, QStringLiteral("event_sync"), QStringLiteral(":/sql/sql/migrations/002_event_sync.sql")},
        {3, QStringLiteral("tasks_sync"), QStringLiteral(":/sql/sql/migrations/003_tasks_sync.sql")},
        {4, QStringLiteral("accounts_sort_order"),
         QStringLiteral(":/sql/sql/migrations/004_accounts_sort_order.sql")},
        {5, QStringLiteral("provider_event_idx"),
         QStringLiteral(":/sql/sql/migrations/005_provider_event_id_index.sql")},
        {6, QStringLiteral("events_uid_unique"),
         QStringLiteral(":/sql/sql/migrations/006_events_uid_unique.sql")},
        {7, QStringLiteral("tasks_dateonly_repeat"),
         QStringLiteral(":/sql/sql/migrations/007_tasks_dateonly_and_repeat_mode.sql")},
        {8, QStringLiteral("accounts_soft_delete"),
         QStringLiteral(":/sql/sql/migrations/008_accounts_soft_delete.sql")},
        {9, QStringLiteral("event_related_to"),
         QStringLiteral(":/sql/sql/migrations/009_event_related_to.sql")},
        {10, QStringLiteral("task_reminders"),
         QStringLiteral(":/sql/sql/migrations/010_task_reminders.sql")},
        {11, QStringLiteral("task_item_type"),
         QStringLiteral(":/sql/sql/migrations/011_task_item_type.sql")},
        {12, QStringLiteral("reap_orphaned_calendars"),
         QStringLiteral(":/sql/sql/migrations/012_reap_orphaned_calendars.sql")},
        {13, QStringLiteral("calendar_allow_tasks_override"),
         QStringLiteral(":/sql/sql/migrations/013_calendar_allow_tasks_override.sql")},
        {14, QStringLiteral("local_calendars_support_tasks"),
         QStringLiteral(":/sql/sql/migrations/014_local_calendars_support_tasks.sql")},
        {15, QStringLiteral("drop_sync_queue"),
         QStringLiteral(":/sql/sql/migrations/015_drop_sync_queue.sql")},
        {16, QStringLiteral("reminder_poll_indexes"),
         QStringLiteral(":/sql/sql/migrations/016_reminder_poll_indexes.sql")},
        {17, QStringLiteral("event_range_apart_index"),
         QStringLiteral(":/sql/sql/migrations/017_event_range_apart_index.sql")},
        {18, QStringLiteral("event_sync_bases"),
         QStringLiteral(":/sql/sql/migrations/018_event_sync_bases.sql")},
        {19, QStringLiteral("caldav_calendars_sync_enabled"),
         QStringLiteral(":/sql/sql/migrations/019_caldav_calendars_sync_enabled.sql")},
        {20, QStringLiteral("task_sync_bases"),
         QStringLiteral(":/sql/sql/migrations/020_task_sync_bases.sql")},
        {21, QStringLiteral("drop_redundant_event_indexes"),
         QStringLiteral(":/sql/sql/migrations/021_drop_redundant_event_indexes.sql")},
        {22, QStringLiteral("task_moves"), QStringLiteral(":/sql/sql/migrations/022_task_moves.sql")},
        {23, QStringLiteral("reread_day_durations"),
         QStringLiteral(":/sql/sql/migrations/023_reread_day_durations.sql")},
        {24, QStringLiteral("event_moves"), QStringLiteral(":/sql/sql/migrations/024_event_moves.sql")},
        {25, QStringLiteral("floating_event_zones"),
         QStringLiteral(":/sql/sql/migrations/025_floating_event_zones.sql")},
        {26, QStringLiteral("rename_floating_stamps"),
         QStringLiteral(":/sql/sql/migrations/026_rename_floating_stamps.sql")},
        {27, QStringLiteral("event_dropped_occurrences"),
         QStringLiteral(":/sql/sql/migrations/027_event_dropped_occurrences.sql")},
        {28, QStringLiteral("split_links_and_sent_copies"),
         QStringLiteral(":/sql/sql/migrations/028_split_links_and_sent_copies.sql")},
    };
    return table;
}

bool Database::open(const QString &path, const QString &connectionName)
{
    // SQLite gives its -wal, -shm and -journal files the database file's
    // mode, so a database made for the owner alone keeps its journals so.
    createPrivately(path);
    restrictToOwner(path);
    configureSqliteOnce();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(LockWaitMs));
    if (!m_db.open()) {
        qCritical() << "Failed to open database:" << m_db.lastError().text();
        return false;
    }
    QSqlQuery pragma(m_db);
    pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    restrictToOwner(path);
    pragma.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    // A week's read touches rows spread over the whole events table; the
    // default 2 MB page cache would fetch them from the file again each time.
    pragma.exec(QStringLiteral("PRAGMA cache_size=-8192"));
    m_open = true;
    return true;
}

bool Database::openReader(const QString &path, const QString &connectionName)
{
    configureSqliteOnce();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    m_db.setDatabaseName(path);
    // Waits for a writer's checkpoint instead of failing at once.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!m_db.open()) {
        qWarning().noquote() << "Database::openReader failed:" << m_db.lastError().text();
        return false;
    }
    QSqlQuery pragma(m_db);
    pragma.exec(QStringLiteral("PRAGMA query_only=ON"));
    // The views' ranges are read through one such connection for the whole
    // process; 2 MB holds a week's pages (about 3 MB was resident with 8 MB
    // allowed), and the file's pages stay in the system's cache beyond it.
    pragma.exec(QStringLiteral("PRAGMA cache_size=-2048"));
    m_open = true;
    return true;
}

WalCheckpointer *Database::checkpointer()
{
    if (!m_checkpointer)
        m_checkpointer = new WalCheckpointer(path(), this);
    return m_checkpointer;
}

void Database::checkpointLater()
{
    if (m_open)
        checkpointer()->request();
}

void Database::holdCheckpoints(bool held)
{
    QSqlQuery pragma(database());
    if (held && m_checkpointHolds++ == 0) {
        if (pragma.exec(QStringLiteral("PRAGMA wal_autocheckpoint")) && pragma.next())
            m_autoCheckpoint = pragma.value(0).toString();
        pragma.exec(QStringLiteral("PRAGMA wal_autocheckpoint=0"));
    } else if (!held && m_checkpointHolds > 0 && --m_checkpointHolds == 0 && !m_autoCheckpoint.isEmpty()) {
        pragma.exec(QStringLiteral("PRAGMA wal_autocheckpoint=%1").arg(m_autoCheckpoint.toInt()));
    }
}

QString Database::path() const
{
    return m_db.databaseName();
}

QSqlDatabase &Database::database()
{
    return m_db;
}

int Database::schemaVersion() const
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !query.next())
        return 0;
    return query.value(0).toInt();
}

bool Database::migrate()
{
    if (!migrateSchema())
        return false;
    // Its failure leaves it for the next start and the program usable.
    pinFloatingTimes();
    return true;
}

bool Database::pinFloatingTimes()
{
    return FloatingZone::repinIfMoved(this);
}

bool Database::migrateSchema()
{
    QSqlQuery create(m_db);
    if (!create.exec(QString::fromLatin1(kSchemaVersionTable))) {
        qCritical() << "Failed to create schema_version table:" << create.lastError().text();
        return false;
    }

    const int current = schemaVersion();
    for (const Migration &migration : migrations()) {
        if (migration.version <= current)
            continue;
        QFile file(migration.resourcePath);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            const QString message =
                QStringLiteral("Cannot read migration file: %1").arg(migration.resourcePath);
            qCritical().noquote() << message;
            Q_EMIT migrationError(migration.version, message);
            return false;
        }
        const QString script = QString::fromUtf8(file.readAll());
        if (!applyMigration(migration.version, migration.name, script))
            return false;
    }
    // What a migration marked due and SQL cannot do (reading stored
    // iCalendar text) runs on the current schema. Its failure leaves it due
    // for the next start and the program usable.
    DayDurationReread::runIfDue(this);
    // Named in the zone the floating rows were read in, before they are
    // pinned in another.
    FloatingStamps::runIfDue(this);
    return true;
}

bool Database::applyMigration(int version, const QString &name, const QString &script)
{
    m_db.transaction();

    for (const QString &statement : splitStatements(script)) {
        QSqlQuery query(m_db);
        if (!query.exec(statement)) {
            const QString error = query.lastError().text();
            qCritical() << "Migration" << version << "failed:" << error << "\nStatement:"
                        << statement.left(200);
            m_db.rollback();
            Q_EMIT migrationError(version, error);
            return false;
        }
    }

    QSqlQuery record(m_db);
    record.prepare(QStringLiteral("INSERT INTO schema_version (version, name) VALUES (?, ?)"));
    record.addBindValue(version);
    record.addBindValue(name);
    if (!record.exec()) {
        const QString error = record.lastError().text();
        m_db.rollback();
        Q_EMIT migrationError(version, error);
        return false;
    }

    // A commit can fail (disk full, a locked file); the migration must then not
    // count as applied, or the schema and its recorded version drift apart.
    if (!m_db.commit()) {
        const QString error = m_db.lastError().text();
        qCritical() << "Migration" << version << "failed to commit:" << error;
        m_db.rollback();
        Q_EMIT migrationError(version, error);
        return false;
    }

    qInfo() << "Applied migration" << version << name;
    Q_EMIT migrationApplied(version, name);
    return true;
}

QStringList Database::splitStatements(const QString &script)
{
    QStringList out;
    QString buffer;
    ScriptScanner scanner;

    const QStringList lines = script.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (!scanner.inQuote() && line.trimmed().startsWith(QLatin1String("--")))
            continue;
        qsizetype taken = 0;
        qsizetype end = 0;
        while (true) {
            const ScriptScanner::Stop stop = scanner.scan(line, end, &end);
            if (stop == ScriptScanner::Stop::LineEnd)
                break;
            buffer += QStringView(line).mid(taken, end - taken);
            if (stop == ScriptScanner::Stop::Comment) {
                // The rest of the line is a comment and never reaches SQLite.
                taken = line.size();
                break;
            }
            closeStatement(buffer, out);
            taken = ++end;
        }
        buffer += QStringView(line).mid(taken);
        buffer += QLatin1Char('\n');
    }
    closeStatement(buffer, out);
    return out;
}
