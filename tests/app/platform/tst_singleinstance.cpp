#include "app/platform/channelrecord.h"
#include "app/platform/datadirectory.h"
#include "app/platform/lockrecord.h"
#include "app/platform/singleinstance.h"
#include "tests/support/tempdatadir.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// The line a start sends to open an .ics file (built here: moc misreads a
// raw string that ends in a quote inside a class body).
QByteArray openIcs(const QString &path, const char *text = nullptr)
{
    QJsonObject command{{QStringLiteral("cmd"), QStringLiteral("open-ics")}, {QStringLiteral("path"), path}};
    if (text)
        command.insert(QStringLiteral("text"), QString::fromUtf8(text));
    return QJsonDocument(command).toJson(QJsonDocument::Compact);
}

// Far longer ago than any start takes to write its lock.
constexpr qint64 LongAgoSeconds = 3600;
// Above any pid_max: no process has it.
constexpr const char *GonePid = "1073741823";
// Another local user, for what this user must not trust.
constexpr uid_t Stranger = 65534;

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file left with `contents`, last written `ageSeconds` ago.
bool plantFile(const QString &path, const QByteArray &contents, qint64 ageSeconds)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size()
           && file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
}

// The record QLockFile writes for this process.
QByteArray ownLockRecord()
{
    QTemporaryDir folder;
    QLockFile lock(folder.filePath(QStringLiteral("own.lock")));
    return lock.tryLock(0) ? fileContents(folder.filePath(QStringLiteral("own.lock"))) : QByteArray();
}

// One running peer process with the output it printed so far.
class Peer
{
public:
    // `launcher` (a program and its arguments) starts the peer when given.
    explicit Peer(const QStringList &arguments, const QString &workingDirectory = QString(),
                  const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                  const QStringList &launcher = QStringList())
    {
        m_process.setProcessEnvironment(environment);
        if (launcher.isEmpty()) {
            m_process.setProgram(QStringLiteral(SINGLEINSTANCE_PEER));
            m_process.setArguments(arguments);
        } else {
            m_process.setProgram(launcher.first());
            m_process.setArguments(launcher.mid(1) + QStringList{QStringLiteral(SINGLEINSTANCE_PEER)} + arguments);
        }
        if (!workingDirectory.isEmpty())
            m_process.setWorkingDirectory(workingDirectory);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start();
    }
    ~Peer()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QProcess &process() { return m_process; }

    // Waits until the peer printed the line; every line seen is kept.
    bool waitForLine(const QString &line, int timeoutMs = 60000)
    {
        return waitFor([this, &line] { return m_lines.contains(line); }, {}, timeoutMs);
    }
    bool waitForAnyLine() { return waitFor([this] { return !m_lines.isEmpty(); }); }
    // Until the peer warned with `fragment`, calling `meanwhile` between looks.
    bool waitForWarning(const QString &fragment, const std::function<void()> &meanwhile = {})
    {
        return waitFor([this, &fragment] { return m_errors.contains(fragment); }, meanwhile);
    }
    QStringList lines()
    {
        collect();
        return m_lines;
    }
    // Everything the peer printed, for a failure's message.
    QString output()
    {
        collect();
        return m_lines.join(QLatin1Char('|')) + QStringLiteral(" / ") + m_errors;
    }
    int finish(int timeoutMs = 120000)
    {
        if (!m_process.waitForFinished(timeoutMs))
            return -1;
        collect();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -2;
    }

private:
    bool waitFor(const std::function<bool()> &done, const std::function<void()> &meanwhile = {},
                 int timeoutMs = 60000)
    {
        QElapsedTimer timer;
        timer.start();
        while (true) {
            collect();
            if (done())
                return true;
            if (timer.elapsed() > timeoutMs || m_process.state() == QProcess::NotRunning)
                return false;
            if (meanwhile)
                meanwhile();
            m_process.waitForReadyRead(50);
        }
    }
    void collect()
    {
        m_errors += QString::fromUtf8(m_process.readAllStandardError());
        m_pending += m_process.readAllStandardOutput();
        int newline;
        while ((newline = m_pending.indexOf('\n')) >= 0) {
            m_lines.append(QString::fromUtf8(m_pending.left(newline)));
            m_pending.remove(0, newline + 1);
        }
    }

    QProcess m_process;
    QByteArray m_pending;
    QStringList m_lines;
    QString m_errors;
};

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_dir = std::make_unique<TempDataDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(m_runtime.isValid());
        QVERIFY(QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                            | QFileDevice::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
        qunsetenv("CALENDAR_INSTANCE");
        QFile existing(m_files.filePath(QStringLiteral("Invite.ICS")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    }

    void cleanup()
    {
        // A test that failed half-way leaves no lock or record to the next.
        for (const QString &path : {dataLockPath(), instanceLockPath(), channelRecordPath()})
            QFile::remove(path);
    }

    void buildCommandReadsTheCommandLine_data()
    {
        const QString existing = m_files.filePath(QStringLiteral("Invite.ICS"));
        const QString missing = m_files.filePath(QStringLiteral("nothing-here.ics"));

        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("no arguments") << QStringList{} << QByteArray(R"({"cmd":"focus"})");
        QTest::newRow("quick add") << QStringList{"--quick-add", "lunch Thursday 1pm"}
                                   << QByteArray(R"({"cmd":"quick-add","text":"lunch Thursday 1pm"})");
        QTest::newRow("quick add = keeps later =") << QStringList{"--quick-add=a=b"}
                                                   << QByteArray(R"({"cmd":"quick-add","text":"a=b"})");
        QTest::newRow("empty quick add =") << QStringList{"--quick-add="}
                                           << QByteArray(R"({"cmd":"quick-add","text":""})");
        QTest::newRow("quick add last is ignored") << QStringList{"--quick-add"}
                                                   << QByteArray(R"({"cmd":"focus"})");
        QTest::newRow("quick add consumes an option") << QStringList{"--quick-add", "--new-event"}
                                                      << QByteArray(R"({"cmd":"quick-add","text":"--new-event"})");
        QTest::newRow("ics of a missing file") << QStringList{"--ics", missing}
                                               << openIcs(missing);
        QTest::newRow("ics last is ignored") << QStringList{"--ics"} << QByteArray(R"({"cmd":"focus"})");
        QTest::newRow("bare existing .ICS") << QStringList{existing}
                                            << openIcs(existing);
        QTest::newRow("bare missing .ics is ignored") << QStringList{missing} << QByteArray(R"({"cmd":"focus"})");
        QTest::newRow("last option decides") << QStringList{"--show-today", "--new-event"}
                                             << QByteArray(R"({"cmd":"new-event"})");
        QTest::newRow("show today") << QStringList{"--show-today"} << QByteArray(R"({"cmd":"show-today"})");
        QTest::newRow("background alone") << QStringList{"--background"} << QByteArray(R"({"cmd":"focus"})");
        QTest::newRow("options are case-sensitive") << QStringList{"--SHOW-TODAY"} << QByteArray(R"({"cmd":"focus"})");
        QTest::newRow("text and path both kept")
            << QStringList{"--quick-add", "x", "--ics", missing}
            << openIcs(missing, "x");
    }

    void buildCommandReadsTheCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        arguments.prepend(QStringLiteral("/usr/bin/tindlebrook-calendar"));
        QCOMPARE(SingleInstance::buildCommand(arguments), expected + '\n');
    }

    void relativeIcsPathTravelsAbsolute_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("relative");
        QTest::newRow("--ics") << QStringList{"--ics", "relative/path.ics"} << "relative/path.ics";
        QTest::newRow("--ics with dots") << QStringList{"--ics", "./a/../relative/path.ics"} << "relative/path.ics";
        QTest::newRow("bare file") << QStringList{"Invite.ICS"} << "Invite.ICS";
    }

    void relativeIcsPathTravelsAbsolute()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, relative);
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_files.path()));
        arguments.prepend(QStringLiteral("tindlebrook-calendar"));
        const QByteArray line = SingleInstance::buildCommand(arguments);
        QDir::setCurrent(before);
        const QJsonObject command = QJsonDocument::fromJson(line).object();
        QCOMPARE(command.value("cmd").toString(), QStringLiteral("open-ics"));
        QCOMPARE(command.value("path").toString(), QDir(m_files.path()).filePath(relative));
    }

    void dispatchEmitsTheMatchingSignal_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("warns");
        QTest::newRow("focus") << QByteArray("{\"cmd\":\"focus\"}\n") << "focus" << false;
        QTest::newRow("show today") << QByteArray("{\"cmd\":\"show-today\"}\n") << "show-today" << false;
        QTest::newRow("new event") << QByteArray("{\"cmd\":\"new-event\"}") << "new-event" << false;
        QTest::newRow("quick add") << QByteArray("{\"cmd\":\"quick-add\",\"text\":\"tea\"}\n") << "quick-add:tea" << false;
        QTest::newRow("quick add without text") << QByteArray("{\"cmd\":\"quick-add\"}\n") << "quick-add:" << false;
        QTest::newRow("open ics") << QByteArray("{\"cmd\":\"open-ics\",\"path\":\"/x.ics\"}\n") << "open-ics:/x.ics" << false;
        QTest::newRow("unknown command") << QByteArray("{\"cmd\":\"explode\"}\n") << "focus" << false;
        QTest::newRow("cmd not text") << QByteArray("{\"cmd\":3}\n") << "focus" << false;
        QTest::newRow("not JSON") << QByteArray("show-today\n") << "focus" << true;
        QTest::newRow("array") << QByteArray("[\"show-today\"]\n") << "focus" << true;
    }

    void dispatchEmitsTheMatchingSignal()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        QFETCH(bool, warns);
        SingleInstance channel;
        QStringList seen;
        connect(&channel, &SingleInstance::focusRequested, [&] { seen << "focus"; });
        connect(&channel, &SingleInstance::showTodayRequested, [&] { seen << "show-today"; });
        connect(&channel, &SingleInstance::newEventRequested, [&] { seen << "new-event"; });
        connect(&channel, &SingleInstance::quickAddRequested, [&](const QString &t) { seen << "quick-add:" + t; });
        connect(&channel, &SingleInstance::openIcsRequested, [&](const QString &p) { seen << "open-ics:" + p; });
        if (warns)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[SingleInstance\\] bad command:"));
        channel.dispatchCommand(line);
        QCOMPARE(seen, QStringList{expected});
    }

    void serverNameSeparatesInstances()
    {
        const QString normal = SingleInstance::serverName();
        QCOMPARE(normal, QStringLiteral("tindlebrook-calendar-") + QDir(QDir::homePath()).dirName());
        qputenv("CALENDAR_INSTANCE", "dev");
        const QString dev = SingleInstance::serverName();
        qunsetenv("CALENDAR_INSTANCE");
        QCOMPARE(dev, normal + QStringLiteral("-dev"));
    }

    void socketIsReachableOnlyByThisUser()
    {
        SingleInstance channel;
        QVERIFY(!channel.tryForwardOrListen({QStringLiteral("self")}));
        QVERIFY(channel.isListening());
        const QFileInfo socket(SingleInstance::serverPath());
        QCOMPARE(socket.absolutePath(), QFileInfo(m_runtime.path()).absoluteFilePath());
        QVERIFY(socket.exists());
        QCOMPARE(socket.permissions() & others(), QFileDevice::Permissions());
    }

    void socketFolderIsThisUsersAlone_data()
    {
        QTest::addColumn<bool>("runtimeRefused");
        QTest::newRow("runtime folder") << false;
        // No XDG_RUNTIME_DIR, and the runtime folder's name in the shared
        // temporary folder taken by someone else: Qt gives none.
        QTest::newRow("runtime folder refused") << true;
    }

    void socketFolderIsThisUsersAlone()
    {
        QFETCH(bool, runtimeRefused);
        const QByteArray tmp = qgetenv("TMPDIR");
        const auto restore = qScopeGuard([this, tmp] {
            qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
            qputenv("TMPDIR", tmp);
        });
        QTemporaryDir sharedTemp;
        if (runtimeRefused) {
            QFile taken(sharedTemp.filePath(QStringLiteral("runtime-")
                                            + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name)));
            QVERIFY(taken.open(QIODevice::WriteOnly));
            qunsetenv("XDG_RUNTIME_DIR");
            qputenv("TMPDIR", sharedTemp.path().toUtf8());
        }
        const QFileInfo folder(QFileInfo(SingleInstance::serverPath()).absolutePath());
        const QString expected = runtimeRefused ? dataDirectory() : m_runtime.path();
        QCOMPARE(folder.absoluteFilePath(), QFileInfo(expected).absoluteFilePath());
        QCOMPARE(folder.ownerId(), uint(::geteuid()));
        QCOMPARE(folder.permissions() & others(), QFileDevice::Permissions());
    }

    // Only root can hand a socket to another user: a file in this user's own
    // folder that someone else made.
    void socketOfAnotherUserGetsNoCommand()
    {
        QLocalServer squatter;
        QLocalServer::removeServer(SingleInstance::serverPath());
        QVERIFY(squatter.listen(SingleInstance::serverPath()));
        if (::chown(QFile::encodeName(SingleInstance::serverPath()).constData(), 65534, 65534) != 0)
            QSKIP("only root can give the socket to another user");
        SingleInstance channel;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("belongs to another user"));
        QVERIFY(!channel.tryForwardOrListen({QStringLiteral("self"), QStringLiteral("--quick-add"),
                                             QStringLiteral("secret")}));
        QVERIFY(!channel.forwarded());
        QVERIFY(channel.isListening());
        QVERIFY(!squatter.waitForNewConnection(0));
        QCOMPARE(QFileInfo(SingleInstance::serverPath()).ownerId(), uint(::geteuid()));
    }

    void linesOfOneConnectionDispatchInOrder()
    {
        SingleInstance channel;
        QVERIFY(!channel.tryForwardOrListen({QStringLiteral("self")}));
        QStringList seen;
        connect(&channel, &SingleInstance::showTodayRequested, [&] { seen << "show-today"; });
        connect(&channel, &SingleInstance::quickAddRequested, [&](const QString &t) { seen << t; });

        QLocalSocket socket;
        socket.connectToServer(SingleInstance::serverPath());
        QVERIFY(socket.waitForConnected(60000));
        socket.write("{\"cmd\":\"quick-add\",\"text\":\"one\"}\n{\"cmd\":\"show-today\"}\n{\"cmd\":\"quick-add\",\"text\":\"unterminated\"}");
        socket.flush();
        QTRY_COMPARE(seen, (QStringList{"one", "show-today"}));
        socket.disconnectFromServer();
        QTest::qWait(100);
        // Bytes without a final newline are never dispatched.
        QCOMPARE(seen, (QStringList{"one", "show-today"}));
    }

    void secondStartForwardsItsCommandAndExits_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("received");
        QTest::newRow("quick add") << QStringList{"--quick-add", "lunch Thursday 1pm"}
                                   << "quick-add lunch Thursday 1pm";
        QTest::newRow("relative ics") << QStringList{"--ics", "relative/path.ics"}
                                      << "open-ics " + QDir(m_files.path()).filePath("relative/path.ics");
    }

    void secondStartForwardsItsCommandAndExits()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, received);

        Peer first({});
        QVERIFY2(first.waitForLine("listening"), qPrintable(first.lines().join('|')));

        Peer second(arguments, m_files.path());
        QCOMPARE(second.finish(), 0);
        QCOMPARE(second.lines(), QStringList{"forwarded"});
        QVERIFY2(first.waitForLine(received), qPrintable(first.lines().join('|')));

        Peer closer({"--quick-add", "quit"});
        QCOMPARE(closer.finish(), 0);
        QCOMPARE(first.finish(), 0);
    }

    void thirdStartWhileFirstIsBusyDoesNotListen()
    {
        Peer first({});
        QVERIFY(first.waitForLine("listening"));

        Peer blocker({"--quick-add", "busy 6000"});
        QCOMPARE(blocker.finish(), 0);
        QVERIFY(first.waitForLine("quick-add busy 6000"));

        // While the first instance's event loop is blocked, fill its accept queue
        // so that a new start cannot connect in time: the situation in which a
        // start used to take the socket over.
        std::vector<std::unique_ptr<QLocalSocket>> queue;
        bool full = false;
        for (int i = 0; i < 400 && !full; ++i) {
            auto socket = std::make_unique<QLocalSocket>();
            socket->connectToServer(SingleInstance::serverPath());
            full = !socket->waitForConnected(150);
            queue.push_back(std::move(socket));
        }
        QVERIFY2(full, "the accept queue never filled up");

        Peer third({"--show-today"});
        QCOMPARE(third.finish(), 0);
        QCOMPARE(third.lines(), QStringList{"forwarded"});
        QVERIFY(first.waitForLine("awake"));
        QVERIFY2(first.waitForLine("show-today"), qPrintable(first.lines().join('|')));
        queue.clear();

        Peer closer({"--quick-add", "quit"});
        QCOMPARE(closer.finish(), 0);
        QCOMPARE(first.finish(), 0);
    }

    // Instances under other names, or started from other homes, have
    // channels of their own; on one data folder the second start still goes
    // to the instance that uses it.
    void startOnADataFolderInUseForwardsToItsInstance_data()
    {
        QTest::addColumn<bool>("otherHome");
        QTest::newRow("another instance name") << false;
        QTest::newRow("another home") << true;
    }

    void startOnADataFolderInUseForwardsToItsInstance()
    {
        QFETCH(bool, otherHome);
        Peer first({});
        QVERIFY2(first.waitForLine("listening"), qPrintable(first.lines().join('|')));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QTemporaryDir home;
        const QTemporaryDir runtime;
        if (otherHome) {
            environment.insert(QStringLiteral("HOME"), home.path());
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        } else {
            environment.insert(QStringLiteral("CALENDAR_INSTANCE"), QStringLiteral("work"));
        }
        Peer second({"--quick-add", "lunch"}, QString(), environment);
        QCOMPARE(second.finish(), 0);
        QCOMPARE(second.lines(), QStringList{"forwarded"});
        QVERIFY2(first.waitForLine("quick-add lunch"), qPrintable(first.lines().join('|')));

        Peer closer({"--quick-add", "quit"});
        QCOMPARE(closer.finish(), 0);
        QCOMPARE(first.finish(), 0);
    }

    void startAfterCrashedInstanceTakesOver_data()
    {
        QTest::addColumn<QString>("crashedInstance");
        QTest::newRow("same instance") << "";
        // It held the data folder: that lock must not outlive it either.
        QTest::newRow("another instance name") << "work";
    }

    void startAfterCrashedInstanceTakesOver()
    {
        QFETCH(QString, crashedInstance);
        {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            if (!crashedInstance.isEmpty())
                environment.insert(QStringLiteral("CALENDAR_INSTANCE"), crashedInstance);
            Peer crashed({}, QString(), environment);
            QVERIFY(crashed.waitForLine("listening"));
            crashed.process().kill();
            QVERIFY(crashed.process().waitForFinished(60000));
        }
        // Its data folder lock stays behind, and with the same name its socket.
        QVERIFY(QFileInfo::exists(m_dir->dataPath() + QStringLiteral("/calendar.lock")));
        if (crashedInstance.isEmpty())
            QVERIFY(QFileInfo::exists(SingleInstance::serverPath()));

        Peer next({});
        QVERIFY2(next.waitForLine("listening"), qPrintable(next.lines().join('|')));
        Peer second({"--show-today"});
        QCOMPARE(second.finish(), 0);
        QVERIFY(next.waitForLine("show-today"));
        Peer closer({"--quick-add", "quit"});
        QCOMPARE(closer.finish(), 0);
        QCOMPARE(next.finish(), 0);
    }

    // A lock that names no process and that no process holds, left by a
    // start killed before it wrote its record, or by a broken disk, is taken
    // over, whichever lock it is.
    void abandonedLockIsTakenOver_data()
    {
        QTest::addColumn<bool>("dataFolderLock");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<qint64>("ageSeconds");
        QTest::newRow("empty data-folder lock") << true << QByteArray() << LongAgoSeconds;
        QTest::newRow("empty instance lock") << false << QByteArray() << LongAgoSeconds;
        QTest::newRow("text in the data-folder lock") << true << QByteArray("not a lock\n") << LongAgoSeconds;
        QTest::newRow("bytes in the instance lock") << false << QByteArray("\0\xff\xfe\n", 4) << LongAgoSeconds;
        QTest::newRow("process id zero") << false << "0\npeer\n" + QSysInfo::machineHostName().toUtf8() + "\n"
                                         << LongAgoSeconds;
        QTest::newRow("a megabyte on one line") << true << QByteArray(1 << 20, 'x') << LongAgoSeconds;
        // Its start died before writing it: taken over once old enough.
        QTest::newRow("empty and just made") << true << QByteArray() << qint64(0);
        // QLockFile knows this one by its machine id: not another computer's.
        QTest::newRow("this machine under an older name")
            << true << QByteArray(GonePid) + "\npeer\nold-name\n" + QSysInfo::machineUniqueId() + "\n"
            << LongAgoSeconds;
    }

    void abandonedLockIsTakenOver()
    {
        QFETCH(bool, dataFolderLock);
        QFETCH(QByteArray, contents);
        QFETCH(qint64, ageSeconds);
        const QString path = dataFolderLock ? dataLockPath() : instanceLockPath();
        QVERIFY(plantFile(path, contents, ageSeconds));

        Peer first({});
        QVERIFY2(first.waitForLine("listening"), qPrintable(first.output()));
        qint64 pid = 0;
        QVERIFY(QLockFile(path).getLockInfo(&pid, nullptr, nullptr));
        QCOMPARE(pid, first.process().processId());
        Peer second({"--show-today"});
        QCOMPARE(second.finish(), 0);
        QVERIFY2(first.waitForLine("show-today"), qPrintable(first.output()));
        QVERIFY(quit(first));
    }

    // Many starts at once over one abandoned lock: one takes it over and the
    // rest hand it their commands; never two instances on one data folder.
    void startsRacingOverAnAbandonedLockMakeOneInstance_data()
    {
        QTest::addColumn<bool>("dataFolderLock");
        QTest::addColumn<bool>("instanceLock");
        QTest::newRow("empty data-folder lock") << true << false;
        QTest::newRow("empty instance lock") << false << true;
        QTest::newRow("both empty") << true << true;
    }

    void startsRacingOverAnAbandonedLockMakeOneInstance()
    {
        QFETCH(bool, dataFolderLock);
        QFETCH(bool, instanceLock);
        if (dataFolderLock)
            QVERIFY(plantFile(dataLockPath(), QByteArray(), LongAgoSeconds));
        if (instanceLock)
            QVERIFY(plantFile(instanceLockPath(), QByteArray(), LongAgoSeconds));

        constexpr int Starts = 8;
        std::vector<std::unique_ptr<Peer>> starts;
        for (int i = 0; i < Starts; ++i)
            starts.push_back(std::make_unique<Peer>(QStringList{"--quick-add", QStringLiteral("start %1").arg(i)}));
        Peer *instance = nullptr;
        QStringList sent;
        for (int i = 0; i < Starts; ++i) {
            Peer &start = *starts[i];
            QVERIFY2(start.waitForAnyLine(), qPrintable(start.output()));
            if (start.lines().constFirst() == QLatin1String("listening")) {
                QVERIFY2(!instance, "two starts both took the data folder");
                instance = &start;
                continue;
            }
            QCOMPARE(start.lines(), QStringList{"forwarded"});
            QCOMPARE(start.finish(), 0);
            sent << QStringLiteral("quick-add start %1").arg(i);
        }
        QVERIFY(instance);
        QCOMPARE(sent.size(), Starts - 1);
        for (const QString &line : std::as_const(sent))
            QVERIFY2(instance->waitForLine(line), qPrintable(instance->output()));
        QVERIFY(quit(*instance));
    }

    // A start between creating its lock and locking it: the file is empty
    // and unlocked for a moment. A start racing it leaves it alone, and hands
    // its command to that start once it listens.
    void youngEmptyLockIsLeftToTheStartWritingIt_data()
    {
        QTest::addColumn<bool>("dataFolderLock");
        QTest::newRow("data-folder lock") << true;
        QTest::newRow("instance lock") << false;
    }

    void youngEmptyLockIsLeftToTheStartWritingIt()
    {
        QFETCH(bool, dataFolderLock);
        const QString path = dataFolderLock ? dataLockPath() : instanceLockPath();
        QVERIFY(plantFile(path, QByteArray(), 0));
        const QByteArray encoded = QFile::encodeName(path);

        Peer start({"--quick-add", "to the writer"});
        // Kept young however slowly the start comes up.
        const auto keepYoung = [&encoded] { ::utimensat(AT_FDCWD, encoded.constData(), nullptr, 0); };
        QVERIFY2(start.waitForWarning(QStringLiteral("names no program yet"), keepYoung), qPrintable(start.output()));

        // The other start goes on: it locks the file, writes its record and
        // listens.
        const int fd = ::open(encoded.constData(), O_WRONLY | O_CLOEXEC);
        QVERIFY(fd >= 0);
        const auto release = qScopeGuard([fd] { ::close(fd); });
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        const QByteArray record = ownLockRecord();
        QVERIFY(!record.isEmpty());
        QCOMPARE(::write(fd, record.constData(), size_t(record.size())), ssize_t(record.size()));
        const QString socket =
            dataFolderLock ? m_runtime.filePath(QStringLiteral("holder")) : SingleInstance::serverPath();
        QLocalServer holder;
        QLocalServer::removeServer(socket);
        QVERIFY(holder.listen(socket));
        if (dataFolderLock)
            QVERIFY(plantFile(channelRecordPath(), socket.toUtf8(), 0));

        QCOMPARE(start.finish(), 0);
        QCOMPARE(start.lines(), QStringList{"forwarded"});
        QVERIFY(holder.waitForNewConnection(60000));
        QLocalSocket *connection = holder.nextPendingConnection();
        QTRY_VERIFY_WITH_TIMEOUT(connection->canReadLine(), 60000);
        QCOMPARE(connection->readLine(), SingleInstance::buildCommand({"calendar", "--quick-add", "to the writer"}));
        QCOMPARE(fileContents(path), record);
    }

    // A folder shared with, or copied from, another computer: the lock is
    // left as it is, and the start ends saying whose it is.
    void lockOfAnotherComputerIsLeftAlone_data()
    {
        const QByteArray otherMachine("0123456789abcdef0123456789abcdef");
        QTest::addColumn<bool>("dataFolderLock");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("host");
        QTest::newRow("data-folder lock of another host")
            << true << QByteArray("4242\ntindlebrook-calendar\nfar-away\n") << "far-away";
        QTest::newRow("instance lock of another host and machine")
            << false << "4242\ntindlebrook-calendar\nfar-away\n" + otherMachine + "\nboot\n" << "far-away";
        if (!QSysInfo::machineUniqueId().isEmpty()) {
            const QString host = QSysInfo::machineHostName();
            QTest::newRow("this host's name on another machine")
                << true << "4242\ntindlebrook-calendar\n" + host.toUtf8() + "\n" + otherMachine + "\n" << host;
        }
    }

    void lockOfAnotherComputerIsLeftAlone()
    {
        QFETCH(bool, dataFolderLock);
        QFETCH(QByteArray, contents);
        QFETCH(QString, host);
        const QString path = dataFolderLock ? dataLockPath() : instanceLockPath();
        QVERIFY(plantFile(path, contents, LongAgoSeconds));

        Peer start({"--quick-add", "lunch"});
        QCOMPARE(start.finish(), 1);
        QCOMPARE(start.lines(), QStringList{QStringLiteral("other-computer %1 %2").arg(host, path)});
        QCOMPARE(fileContents(path), contents);
        // Nothing else is left held or recorded.
        QVERIFY(!QFileInfo::exists(dataFolderLock ? instanceLockPath() : dataLockPath()));
        QVERIFY(!QFileInfo::exists(channelRecordPath()));
    }

    void channelRecordReplacesAPlantedLink_data()
    {
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("link to a file of the user's") << true;
        QTest::newRow("link to no file") << false;
    }

    void channelRecordReplacesAPlantedLink()
    {
        QFETCH(bool, targetExists);
        const QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("precious"));
        if (targetExists)
            QVERIFY(plantFile(target, "the user's own\n", 0));
        const QString record = folder.filePath(QStringLiteral("calendar.channel"));
        QVERIFY(QFile::link(target, record));
        const QString socket = m_runtime.filePath(QStringLiteral("tindlebrook-calendar-home"));

        QString error;
        QVERIFY2(ChannelRecord::write(record, socket, &error), qPrintable(error));
        if (targetExists)
            QCOMPARE(fileContents(target), QByteArray("the user's own\n"));
        else
            QVERIFY(!QFileInfo::exists(target));
        QVERIFY(!QFileInfo(record).isSymLink());
        QCOMPARE(QFileInfo(record).permissions() & others(), QFileDevice::Permissions());
        QCOMPARE(fileContents(record), socket.toUtf8());
        // No file of the writing is left beside it.
        QStringList expected{QStringLiteral("calendar.channel")};
        if (targetExists)
            expected << QStringLiteral("precious");
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
                 expected);
    }

    void channelRecordIsReadOnlyFromThisUsersOwnFile_data()
    {
        const QByteArray socket = "/run/user/1000/tindlebrook-calendar-home";
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("this user's record") << "file" << socket << QString::fromUtf8(socket) << "";
        QTest::newRow("link to this user's record") << "link" << socket << "" << "it is a link";
        QTest::newRow("bare socket name") << "file" << QByteArray("tindlebrook-calendar-home") << ""
                                          << "it names no absolute path";
        QTest::newRow("another user's record") << "stranger's" << socket << "" << "it belongs to another user";
        QTest::newRow("writable by others") << "writable" << socket << "" << "other users may write to it";
        QTest::newRow("FIFO") << "fifo" << QByteArray() << "" << "it is not a regular file";
        QTest::newRow("longer than any record") << "file" << "/" + QByteArray(5000, 'a') << "" << "it is too long";
    }

    void channelRecordIsReadOnlyFromThisUsersOwnFile()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, contents);
        QFETCH(QString, expected);
        QFETCH(QString, refusal);
        const QTemporaryDir folder;
        const QString record = folder.filePath(QStringLiteral("calendar.channel"));
        const QByteArray encoded = QFile::encodeName(record);
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(encoded.constData(), 0600), 0);
        } else if (kind == QLatin1String("link")) {
            QVERIFY(ChannelRecord::write(folder.filePath(QStringLiteral("elsewhere")), QString::fromUtf8(contents)));
            QVERIFY(QFile::link(folder.filePath(QStringLiteral("elsewhere")), record));
        } else {
            QVERIFY(plantFile(record, contents, 0));
            QCOMPARE(::chmod(encoded.constData(), kind == QLatin1String("writable") ? 0622 : 0600), 0);
            if (kind == QLatin1String("stranger's") && ::chown(encoded.constData(), Stranger, Stranger) != 0)
                QSKIP("only root can give the record to another user");
        }
        QString refused = QStringLiteral("not read");
        QCOMPARE(ChannelRecord::read(record, &refused), expected);
        QCOMPARE(refused, refusal);
    }

    // The record names a socket that another user's program answers, or
    // that a bare name would find in the temporary folder: the start hands it
    // nothing, and waits for the data folder's holder as for one that does
    // not answer.
    void commandGoesOnlyToThisUsersProgram_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::addColumn<QString>("warning");
        QTest::newRow("bare socket name") << "bare" << "it names no absolute path";
        QTest::newRow("another user's program") << "stranger" << "belongs to another user";
        QTest::newRow("another user's program at this user's socket file") << "stranger at own file"
                                                                           << "runs as another user";
    }

    void commandGoesOnlyToThisUsersProgram()
    {
        QFETCH(QString, holder);
        QFETCH(QString, warning);
        QTemporaryDir temporary;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temporary.path());
        QLocalServer squatter;
        QTemporaryDir strangerFolder;
        std::unique_ptr<Peer> stranger;
        QString socket;
        if (holder == QLatin1String("bare")) {
            socket = QStringLiteral("tindlebrook-squat");
            QVERIFY(squatter.listen(temporary.filePath(socket)));
        } else {
            if (::geteuid() != 0)
                QSKIP("only root can start a program as another user");
            stranger = startStranger(strangerFolder, &socket);
            QVERIFY2(stranger->waitForLine("listening"), qPrintable(stranger->output()));
            if (holder == QLatin1String("stranger at own file"))
                QCOMPARE(::chown(QFile::encodeName(socket).constData(), ::geteuid(), ::getegid()), 0);
        }
        QVERIFY(ChannelRecord::write(channelRecordPath(), socket));
        QLockFile held(dataLockPath());
        QVERIFY(held.tryLock(0));

        Peer start({"--quick-add", "secret"}, QString(), environment);
        QVERIFY2(start.waitForWarning(warning), qPrintable(start.output()));
        held.unlock();
        QVERIFY2(start.waitForLine("listening"), qPrintable(start.output()));
        QCOMPARE(start.lines(), QStringList{"listening"});
        if (stranger) {
            // A line of the test's own comes after anything the start sent.
            QLocalSocket marker;
            marker.connectToServer(socket);
            QVERIFY(marker.waitForConnected(60000));
            marker.write(SingleInstance::buildCommand({"calendar", "--quick-add", "marker"}));
            QVERIFY(marker.waitForBytesWritten(60000));
            QVERIFY2(stranger->waitForLine("quick-add marker"), qPrintable(stranger->output()));
            QCOMPARE(stranger->lines(), (QStringList{"listening", "quick-add marker"}));
        } else {
            QVERIFY(!squatter.waitForNewConnection(0));
        }
        QVERIFY(quit(start));
    }

private:
    static QString dataLockPath() { return dataDirectory() + QStringLiteral("/calendar.lock"); }
    static QString instanceLockPath()
    {
        return dataDirectory() + QLatin1Char('/') + SingleInstance::serverName() + QStringLiteral(".lock");
    }
    static QString channelRecordPath() { return dataDirectory() + QStringLiteral("/calendar.channel"); }

    // Ends a running peer as the user would, with a later start's command.
    static bool quit(Peer &instance)
    {
        Peer closer({"--quick-add", "quit"});
        return closer.finish() == 0 && instance.finish() == 0;
    }

    // The peer run by another local user, in folders of that user's, and
    // the path of its socket.
    static std::unique_ptr<Peer> startStranger(const QTemporaryDir &folder, QString *socket)
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        ::chown(QFile::encodeName(folder.path()).constData(), Stranger, Stranger);
        const std::pair<const char *, const char *> folders[] = {
            {"HOME", "home"}, {"XDG_RUNTIME_DIR", "runtime"}, {"CALENDAR_DATA_DIR", "data"}};
        for (const auto &[variable, name] : folders) {
            const QString path = folder.filePath(QString::fromLatin1(name));
            QDir().mkpath(path);
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            if (::chown(QFile::encodeName(path).constData(), Stranger, Stranger) != 0)
                qWarning() << "cannot give" << path << "to another user";
            environment.insert(QString::fromLatin1(variable), path);
        }
        *socket = folder.filePath(QStringLiteral("runtime/tindlebrook-calendar-home"));
        const QString user = QString::number(Stranger);
        return std::make_unique<Peer>(QStringList{}, QString(), environment,
                                      QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=") + user,
                                                  QStringLiteral("--regid=") + user, QStringLiteral("--clear-groups")});
    }

    static QFileDevice::Permissions others()
    {
        return QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
               | QFileDevice::WriteOther | QFileDevice::ExeOther;
    }

    std::unique_ptr<TempDataDir> m_dir;
    QTemporaryDir m_runtime;
    QTemporaryDir m_files;
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
