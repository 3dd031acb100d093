#pragma once

#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Owns the program's one SQLite connection and brings its schema up to date.
class WalCheckpointer;

class Database : public QObject
{
    Q_OBJECT
public:
    struct Migration
    {
        int version;
        QString name;
        QString resourcePath;
    };

    explicit Database(QObject *parent = nullptr);
    ~Database() override;

    // How long a statement waits for another connection's write lock (a
    // pull written on a worker, the reminder settler) before it fails with
    // "database is locked". Connections that must give up sooner set their
    // own after open().
    static constexpr int LockWaitMs = 5000;

    // A second store in one process (two devices side by side in tests and
    // benchmarks) opens under a connection name of its own.
    bool open(const QString &path, const QString &connectionName = QStringLiteral("qt_sql_default_connection"));
    // Opens `path` for reading only, under a connection name of its own: a
    // connection belongs to the thread that opens it, so a worker thread
    // opens its own beside the program's one. The schema is left as it is.
    bool openReader(const QString &path, const QString &connectionName);
    QString path() const;
    // Brings the schema up to date (migrateSchema()) and pins the floating
    // times on the computer's zone (pinFloatingTimes()).
    bool migrate();
    // The schema alone, with what its migrations marked due; the floating
    // times stay pinned where they were. A caller that shows something
    // first (the program's window frame) pins them itself before anything
    // reads or writes an event.
    bool migrateSchema();
    // Pins the floating rows again where the computer's zone is not the one
    // they were pinned in (FloatingZone). False, and left for the next
    // start, when that could not be written.
    bool pinFloatingTimes();
    QSqlDatabase &database();


    // The fixed, ordered list of migrations compiled into the program.
    static const QList<Migration> &migrations();
    // The largest applied version, 0 for a new database.
    int schemaVersion() const;

    bool applyMigration(int version, const QString &name, const QString &script);

    // Copies the write-ahead log into the file on a thread of its own (after
    // a large write that kept its commit from doing so); nothing for a
    // database in memory.
    void checkpointLater();
    // While held, this connection's commits leave copying the log back into
    // the file to checkpointLater(), beside the caller's thread: a writer on
    // a connection of its own (an import) lengthens the log meanwhile.
    // Holds nest; the last release puts the connection's setting back.
    void holdCheckpoints(bool held);
    WalCheckpointer *checkpointer();
    static QStringList splitStatements(const QString &script);

Q_SIGNALS:
    void migrationApplied(int version, const QString &name);
    void migrationError(int version, const QString &error);

private:
    QSqlDatabase m_db;
    bool m_open = false;
    WalCheckpointer *m_checkpointer = nullptr;
    int m_checkpointHolds = 0;
    // The connection's own setting while checkpoints are held.
    QString m_autoCheckpoint;
};
