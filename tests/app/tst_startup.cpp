#include "app/platform/singleinstance.h"
#include "store/database.h"
#include "tests/support/tempdatadir.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <unistd.h>

// The program itself, started as a user would start it, headless.
class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_runtime = std::make_unique<QTemporaryDir>();
        QVERIFY(m_runtime->isValid());
        QFile::setPermissions(m_runtime->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void cleanup()
    {
        m_runtime.reset();
        m_dir.reset();
    }

    void freshStartCreatesTheStoreAndASecondStartAddsItsLine()
    {
        QProcess first;
        first.setProcessEnvironment(environment());
        first.start(QStringLiteral(CALENDAR_PROGRAM), {});
        QVERIFY(first.waitForStarted(120000));

        QCOMPARE(waitForValue("SELECT name FROM accounts WHERE id = 'personal-local-account' AND deleted_at IS NULL")
                     .toString(),
                 QStringLiteral("On This Device"));
        QCOMPARE(waitForValue("SELECT name FROM calendars WHERE id = 'tindlebrook-personal-default' AND is_default = 1")
                     .toString(),
                 QStringLiteral("Personal"));
        QCOMPARE(waitForValue("SELECT value FROM settings WHERE key = 'sync/accountsDedupedV3'").toString(),
                 QStringLiteral("1"));
        // Headless, the first-launch welcome answers itself and is not shown again.
        QCOMPARE(waitForValue("SELECT value FROM settings WHERE key = 'ui/firstLaunchSeen'").toString(),
                 QStringLiteral("1"));
        // Read only now: the migrations commit one by one while the program starts.
        QCOMPARE(waitForValue("SELECT MAX(version) FROM schema_version").toInt(),
                 Database::migrations().constLast().version);

        QProcess second;
        second.setProcessEnvironment(environment());
        second.start(QStringLiteral(CALENDAR_PROGRAM), {"--quick-add", "lunch Thursday 1pm"});
        QVERIFY(second.waitForFinished(120000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);

        QCOMPARE(waitForValue("SELECT calendar_id FROM events WHERE title = 'lunch'").toString(),
                 QStringLiteral("tindlebrook-personal-default"));
        QCOMPARE(waitForValue("SELECT sync_status FROM events WHERE title = 'lunch'").toString(),
                 QStringLiteral("pending"));
        QCOMPARE(waitForValue("SELECT COUNT(*) FROM events").toInt(), 1);
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate();
        QVERIFY(first.waitForFinished(120000));
    }

    // A data folder the program cannot use ends the start with the reason
    // and code one.
    void unusableDataDirectoryEndsWithTheErrorAndCodeOne_data()
    {
        QTest::addColumn<QString>("left"); // what the read-only folder holds; none: not read-only
        QTest::addColumn<QString>("error");
        // A data directory below a plain file cannot be created by anyone,
        // root included.
        QTest::newRow("below a plain file") << "" << "Failed to initialize the database.";
        // Its abandoned lock names no program that could be waited for.
        QTest::newRow("read-only, an abandoned lock in it")
            << "empty lock" << "Tindlebrook Calendar cannot write to its data folder.";
        // Its locks name a program that is gone, and cannot be replaced.
        QTest::newRow("read-only after a crash")
            << "crashed program" << "Tindlebrook Calendar cannot write to its data folder.";
    }

    void unusableDataDirectoryEndsWithTheErrorAndCodeOne()
    {
        QFETCH(QString, left);
        QFETCH(QString, error);
        const bool readOnly = !left.isEmpty();
        QString dataDir = m_dir->dataPath();
        if (readOnly) {
            if (::geteuid() == 0 && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
                QSKIP("root writes to a read-only folder all the same, and setpriv is not here to stop it");
            if (left == QLatin1String("crashed program")) {
                QProcess crashed;
                crashed.setProcessEnvironment(environment());
                crashed.start(QStringLiteral(CALENDAR_PROGRAM), {});
                QVERIFY(crashed.waitForStarted(120000));
                QVERIFY(waitForValue("SELECT id FROM accounts", &crashed).isValid());
                qint64 pid = 0;
                QVERIFY(QLockFile(dataLockPath()).getLockInfo(&pid, nullptr, nullptr));
                QCOMPARE(pid, crashed.processId());
                crashed.kill();
                QVERIFY(crashed.waitForFinished(120000));
            } else {
                QFile lock(dataLockPath());
                QVERIFY(lock.open(QIODevice::WriteOnly));
                QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                         QFileDevice::FileModificationTime));
                lock.close();
            }
            QVERIFY(QFile::setPermissions(dataDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        } else {
            QFile blocker(m_dir->path() + QStringLiteral("/blocker"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.close();
            dataDir = blocker.fileName() + QStringLiteral("/data");
        }
        const auto writable = qScopeGuard([this] {
            QFile::setPermissions(m_dir->dataPath(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        });
        QProcessEnvironment env = environment();
        env.insert("CALENDAR_DATA_DIR", dataDir);

        QString errors;
        QVERIFY2(endsWithCodeOne(env, &errors, readOnly), qPrintable(errors));
        QVERIFY2(errors.contains(error), qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("Data directory: ") + dataDir), qPrintable(errors));
    }

    // Held by a program that cannot be reached (here the test itself), the
    // data folder is not opened a second time, whatever the instance's name;
    // the user is told why nothing opens.
    void dataFolderOfAnUnreachableProgramIsLeftAlone_data()
    {
        QTest::addColumn<bool>("instanceLock");
        QTest::addColumn<QString>("instance");
        QTest::newRow("data-folder lock, another instance name") << false << "work";
        QTest::newRow("instance lock") << true << "";
    }

    void dataFolderOfAnUnreachableProgramIsLeftAlone()
    {
        QFETCH(bool, instanceLock);
        QFETCH(QString, instance);
        QLockFile held(instanceLock ? instanceLockPath() : dataLockPath());
        QVERIFY(held.tryLock(0));
        QProcessEnvironment env = environment();
        if (!instance.isEmpty())
            env.insert("CALENDAR_INSTANCE", instance);

        QString errors;
        QVERIFY2(endsWithCodeOne(env, &errors), qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("Tindlebrook Calendar is already running on this data folder")),
                 qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("Data directory: ") + m_dir->dataPath()), qPrintable(errors));
        QVERIFY(!QFile::exists(m_dir->databasePath()));
    }

    // Left by a start killed before it wrote it: the next start takes it
    // over and opens the store.
    void abandonedLockDoesNotKeepTheProgramFromStarting_data()
    {
        QTest::addColumn<bool>("instanceLock");
        QTest::newRow("empty data-folder lock") << false;
        QTest::newRow("empty instance lock") << true;
    }

    void abandonedLockDoesNotKeepTheProgramFromStarting()
    {
        QFETCH(bool, instanceLock);
        const QString path = instanceLock ? instanceLockPath() : dataLockPath();
        QFile left(path);
        QVERIFY(left.open(QIODevice::WriteOnly));
        QVERIFY(left.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        left.close();

        QProcess first;
        first.setProcessEnvironment(environment());
        first.start(QStringLiteral(CALENDAR_PROGRAM), {});
        QVERIFY(first.waitForStarted(120000));
        QCOMPARE(waitForValue("SELECT name FROM accounts WHERE id = 'personal-local-account'", &first).toString(),
                 QStringLiteral("On This Device"));
        qint64 pid = 0;
        QVERIFY(QLockFile(path).getLockInfo(&pid, nullptr, nullptr));
        QCOMPARE(pid, first.processId());
        first.terminate();
        QVERIFY(first.waitForFinished(120000));
    }

    // A folder shared with, or copied from, another computer whose program
    // holds it: the store is not opened, the lock is left, and the user is
    // told which file it is and what to do.
    void lockOfAnotherComputerStopsTheStartWithItsBox_data()
    {
        QTest::addColumn<bool>("instanceLock");
        QTest::addColumn<QByteArray>("host");
        QTest::addColumn<QString>("shown");
        const QString fake = QStringLiteral("far-awayLock file: /tmp/elsewhere");
        QTest::newRow("data-folder lock") << false << QByteArray("far-away") << "far-away";
        QTest::newRow("instance lock") << true << QByteArray("far-away") << "far-away";
        // A crafted host shows on its one line, adding none of its own.
        QTest::newRow("line separator") << false << QByteArray("far-away\u2028Lock file: /tmp/elsewhere") << fake;
        QTest::newRow("paragraph separator") << false << QByteArray("far-away\u2029Lock file: /tmp/elsewhere") << fake;
        QTest::newRow("carriage return") << false << QByteArray("far-away\rLock file: /tmp/elsewhere") << fake;
        QTest::newRow("CR LF") << true << QByteArray("far-away\r\nLock file: /tmp/elsewhere") << "far-away";
        QTest::newRow("other control characters")
            << false << QByteArray("far\x1b[2J\t\x7f\x07-\xc2\x85" "away\xe2\x80\xae") << "far[2J-away";
        QTest::newRow("very long host line") << false << QByteArray(3000, 'x') << QString(255, QLatin1Char('x'));
    }

    void lockOfAnotherComputerStopsTheStartWithItsBox()
    {
        QFETCH(bool, instanceLock);
        QFETCH(QByteArray, host);
        QFETCH(QString, shown);
        const QString path = instanceLock ? instanceLockPath() : dataLockPath();
        const QByteArray record("4242\ntindlebrook-calendar\n" + host + "\n0123456789abcdef0123456789abcdef\n");
        QFile lock(path);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        QCOMPARE(lock.write(record), qint64(record.size()));
        lock.close();

        QString errors;
        QVERIFY2(endsWithCodeOne(environment(), &errors), qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("The data folder is in use by Tindlebrook Calendar on another computer "
                                                "(%1).")
                                     .arg(shown)),
                 qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("Lock file: ") + path), qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("delete the lock file and start again.")), qPrintable(errors));
        QVERIFY(!QFile::exists(m_dir->databasePath()));
        QVERIFY(lock.open(QIODevice::ReadOnly));
        QCOMPARE(lock.readAll(), record);
    }

    void logOutputIsQuietUnlessAskedFor_data()
    {
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<bool>("infoShown");
        QTest::newRow("ordinary start") << "" << "" << false;
        QTest::newRow("other instance") << "work" << "" << false;
        QTest::newRow("developer instance") << "dev" << "" << true;
        QTest::newRow("user's own rules") << "" << "qt.qpa.*=false" << true;
    }

    void logOutputIsQuietUnlessAskedFor()
    {
        QFETCH(QString, instance);
        QFETCH(QString, rules);
        QFETCH(bool, infoShown);
        // The start ends early at the database, after its info line.
        QFile blocker(m_dir->path() + QStringLiteral("/blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QProcessEnvironment env = environment();
        env.insert("CALENDAR_DATA_DIR", blocker.fileName() + QStringLiteral("/data"));
        if (!instance.isEmpty())
            env.insert("CALENDAR_INSTANCE", instance);
        if (!rules.isEmpty())
            env.insert("QT_LOGGING_RULES", rules);

        QString errors;
        QVERIFY2(endsWithCodeOne(env, &errors), qPrintable(errors));
        QCOMPARE(errors.contains(QStringLiteral("Opening database at:")), infoShown);
        QVERIFY(errors.contains(QStringLiteral("Failed to initialize the database.")));
    }

private:
    // Starts the program and waits until it ends by itself; true when it
    // ended with code 1. What it wrote to standard error goes to *errors.
    // `keepPermissions`: root's program gives up its power to write where
    // the folder's permissions say no, as any other user's has none.
    static bool endsWithCodeOne(const QProcessEnvironment &env, QString *errors, bool keepPermissions = false)
    {
        QProcess program;
        program.setProcessEnvironment(env);
        if (keepPermissions && ::geteuid() == 0) {
            const QString powers = QStringLiteral("-dac_override,-dac_read_search");
            program.start(QStringLiteral("setpriv"), {QStringLiteral("--bounding-set"), powers, QStringLiteral("--inh-caps"),
                                                      powers, QStringLiteral(CALENDAR_PROGRAM)});
        } else {
            program.start(QStringLiteral(CALENDAR_PROGRAM), {});
        }
        const bool ended = program.waitForFinished(120000);
        *errors = QString::fromUtf8(program.readAllStandardError());
        return ended && program.exitStatus() == QProcess::NormalExit && program.exitCode() == 1;
    }

    QString dataLockPath() const { return m_dir->dataPath() + QStringLiteral("/calendar.lock"); }
    // The program's own: the test runs with the same home.
    QString instanceLockPath() const
    {
        return m_dir->dataPath() + QLatin1Char('/') + SingleInstance::serverName() + QStringLiteral(".lock");
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", m_runtime->path());
        env.insert("CALENDAR_DATA_DIR", m_dir->dataPath());
        // Nothing leaves this machine: the update check meets a closed port.
        env.insert("CALENDAR_UPDATE_MANIFEST_URL", "http://127.0.0.1:9/");
        env.insert("CALENDAR_NONINTERACTIVE", "1");
        env.remove("CALENDAR_INSTANCE");
        env.remove("QT_LOGGING_RULES");
        return env;
    }

    // A value read from the program's database, polled until it appears, or
    // until `program` (when given) has ended.
    QVariant waitForValue(const QString &sql, const QProcess *program = nullptr, int timeoutMs = 120000)
    {
        const QString connection = QStringLiteral("observer");
        QVariant value;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(m_dir->databasePath());
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
            QElapsedTimer timer;
            timer.start();
            while (timer.elapsed() < timeoutMs && (!program || program->state() != QProcess::NotRunning)) {
                if (QFile::exists(m_dir->databasePath()) && db.open()) {
                    QSqlQuery query(db);
                    if (query.exec(sql) && query.next() && !query.value(0).isNull()) {
                        value = query.value(0);
                        break;
                    }
                    db.close();
                }
                QTest::qWait(100);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
        return value;
    }

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_runtime;
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
