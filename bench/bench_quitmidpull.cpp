// Quitting mid-pull, timed over the whole process: the program's own start
// over a large store, a first pull (2,000 events from a local Radicale, or
// 5,000 from the fake Google server) and a four-year range read, and
// File → Quit in the middle; the figure is the time from the quit request
// to the process's exit.
//   bench_quitmidpull <store folder> [requests|apply] [runs] [caldav|google]
// The store folder holds a calendar.db made with `bench_startup fill 50000`;
// each run starts from a fresh copy of it. "requests" quits while the pull's
// requests are out, "apply" (the default) while its rows are being written.
// After each run the store is checked: its integrity, and how much of the
// pull it holds (all of it or nothing, never part).
#include "app/application.h"
#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/preferencekeys.h"
#include "store/preferencesrepository.h"
#include "sync/caldav/caldavsyncclient.h"
#include "sync/core/calendarsyncclient.h"
#include "sync/core/pullapplyworker.h"
#include "sync/google/googleauthservice.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/radicaleserver.h"
#include "ui/mainwindow.h"
#include "ui/sync/syncorchestrator.h"
#include "views/common/viewrangeloader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

const QString kAccountId = QStringLiteral("bench-dav");
const QString kCalendarId = QStringLiteral("bench-dav-cal");

// Milliseconds on the monotonic clock, which every process on the machine
// shares: the child notes the quit request, the driver the exit.
qint64 monotonicMs()
{
    QElapsedTimer clock;
    clock.start();
    return clock.msecsSinceReference();
}

QByteArray serverEvent(int i)
{
    const QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(8, 0), Qt::UTC).addSecs(qint64(i) * 5400);
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\nBEGIN:VEVENT\r\nUID:bench-dav-"
        + QByteArray::number(i) + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:"
        + start.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toUtf8() + "\r\nDTEND:"
        + start.addSecs(3600).toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toUtf8()
        + "\r\nSUMMARY:Bench event " + QByteArray::number(i) + "\r\nLOCATION:Room "
        + QByteArray::number(i % 40) + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// The account, its calendar and its password or tokens, laid into the
// copied store before the program starts, as the accounts dialog would
// leave them.
bool addAccount(bool google, const QUrl &principal, const QUrl &calendarUrl, const QString &user,
                const QString &password)
{
    Database db;
    if (!db.open(databasePath(), QStringLiteral("bench_setup")) || !db.migrate())
        return false;
    AccountRepository accounts(&db);
    CalendarRepository calendars(&db);
    PreferencesRepository preferences(&db);
    Account account;
    account.id = kAccountId;
    account.name = QStringLiteral("Radicale");
    account.type = google ? AccountType::Google : AccountType::CalDav;
    account.server_url = google ? QString() : principal.toString();
    account.username = user;
    account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
    Calendar calendar;
    calendar.id = kCalendarId;
    calendar.account_id = account.id;
    calendar.url = calendarUrl.toString();
    calendar.name = QStringLiteral("Pull");
    calendar.sync_enabled = true;
    if (google)
        calendar.url = QStringLiteral("primary@example.com");
    const bool secret = google
        ? Google::AuthService::saveTokens(account.id, Google::StoredTokens{password, QStringLiteral("1//bench"),
                                                                           QDateTime::currentDateTimeUtc().addDays(1)})
        : TindAccount::TokenStore::create(applicationServiceId())->write(caldavPasswordKey(account.id), password);
    return secret && accounts.insert(account) && calendars.insert(calendar)
        && preferences.set(QLatin1String(PreferenceKeys::ViewMode), QStringLiteral("year"))
        && preferences.setBool(QLatin1String(PreferenceKeys::FirstLaunchSeen), true);
}

// In the program's process: syncs once the window is built, and quits at
// the chosen moment with a four-year read in flight.
class QuitDriver : public QObject
{
public:
    QuitDriver(Application *app, bool whileWriting)
        : m_app(app)
        , m_whileWriting(whileWriting)
    {
        connect(&m_poll, &QTimer::timeout, this, [this] { step(); });
        m_poll.start(2);
    }

private:
    void step()
    {
        MainWindow *window = m_app->mainWindow();
        if (!window || !window->isBuilt())
            return;
        if (!m_synced) {
            m_synced = true;
            window->syncAll();
            return;
        }
        SyncOrchestrator *sync = window->syncOrchestrator();
        const auto clients = sync->findChildren<Sync::CalendarSyncClient *>();
        if (clients.isEmpty())
            return;
        if (!m_whileWriting) {
            quit();
            return;
        }
        // CalDAV tells of its first rows written; Google's pull is being
        // written once its worker holds the store.
        if (auto *calDav = qobject_cast<CalDavSyncClient *>(clients.first())) {
            if (!m_listening)
                connect(calDav, &CalDavSyncClient::calendarSyncProgress, this, [this] { quit(); });
            m_listening = true;
            return;
        }
        for (const PullApplyWorker *worker : sync->findChildren<PullApplyWorker *>()) {
            if (worker->isRunning() && writeLockHeld())
                quit();
        }
    }

    // True while the pull's worker holds the store's write lock (the
    // window's own connection holds nothing between two turns).
    bool writeLockHeld()
    {
        if (!m_probe) {
            m_probe = std::make_unique<Database>();
            if (!m_probe->open(databasePath(), QStringLiteral("bench_probe")))
                return false;
            QSqlQuery(m_probe->database()).exec(QStringLiteral("PRAGMA busy_timeout=0"));
        }
        QSqlQuery query(m_probe->database());
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return true;
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }

    void quit()
    {
        if (m_quit)
            return;
        m_quit = true;
        m_poll.stop();
        MainWindow *window = m_app->mainWindow();
        // A read of four years of the large store, under way as the quit comes.
        auto *loader = new ViewRangeLoader(m_app->appState(), window);
        const QDateTime now = QDateTime::currentDateTime();
        loader->request(now.addYears(-2), now.addYears(2));
        std::printf("quit requested at %lld\n", static_cast<long long>(monotonicMs()));
        std::fflush(stdout);
        QMetaObject::invokeMethod(window, "quitApplication");
    }

    Application *m_app;
    bool m_whileWriting;
    QTimer m_poll;
    bool m_synced = false;
    bool m_quit = false;
    bool m_listening = false;
    std::unique_ptr<Database> m_probe;
};

int runChild(int argc, char **argv)
{
    const bool whileWriting = qEnvironmentVariable("BENCH_QUIT_AT") != QLatin1String("requests");
    Application app(argc, argv, Application::Assets::AfterTheFirstFrame);
    const bool google = qEnvironmentVariable("BENCH_PROVIDER") == QLatin1String("google");
    if (!addAccount(google, QUrl(qEnvironmentVariable("BENCH_PRINCIPAL")),
                    QUrl(qEnvironmentVariable("BENCH_CALENDAR")), qEnvironmentVariable("BENCH_USER"),
                    qEnvironmentVariable("BENCH_PASSWORD"))) {
        std::fprintf(stderr, "could not add the account\n");
        return 3;
    }
    QuitDriver driver(&app, whileWriting);
    const int code = app.run();
    std::printf("event loop ended at %lld\n", static_cast<long long>(monotonicMs()));
    std::fflush(stdout);
    return code;
}

// What the quit left: the store's integrity and the pull's rows and tag.
QString storeState(const QString &path)
{
    // Left by the program, before this check opens the file.
    const QFileInfo wal(path + QStringLiteral("-wal"));
    const QString walState = wal.exists() ? QStringLiteral("%1 KB").arg(wal.size() / 1024) : QStringLiteral("none");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_check"));
    db.setDatabaseName(path);
    QString state;
    if (db.open()) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA integrity_check"));
        state = QStringLiteral("integrity %1").arg(q.next() ? q.value(0).toString() : QStringLiteral("?"));
        q.exec(QStringLiteral("SELECT COUNT(*) FROM events WHERE calendar_id = '%1'").arg(kCalendarId));
        state += QStringLiteral(", pulled rows %1").arg(q.next() ? q.value(0).toInt() : -1);
        q.exec(QStringLiteral("SELECT ctag, sync_token FROM calendars WHERE id = '%1'").arg(kCalendarId));
        const bool found = q.next();
        state += QStringLiteral(", tag '%1', token '%2'")
                     .arg(found ? q.value(0).toString() : QStringLiteral("?"),
                          found ? q.value(1).toString() : QStringLiteral("?"));
        state += QStringLiteral(", log left %1").arg(walState);
        db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("bench_check"));
    return state;
}

// One start of the program on a fresh copy of the store, quit at `at`, and
// its figures; false when it did not start or never ended.
bool runOnce(int run, const QString &source, const QString &at, bool google, const QProcessEnvironment &serverEnv)
{
    QTemporaryDir home;
    QDir(home.path()).mkpath(QStringLiteral("data"));
    QDir(home.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString db = home.filePath(QStringLiteral("data/calendar.db"));
    if (!QFile::copy(source, db))
        return false;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("share")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("CALENDAR_DATA_DIR"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("CALENDAR_SECRET_STORE"), QStringLiteral("file"));
    env.insert(QStringLiteral("CALENDAR_NONINTERACTIVE"), QStringLiteral("1"));
    for (const char *name : {"CALENDAR_UPDATE_MANIFEST_URL", "AUTH_API_URL", "ACCOUNT_API_URL", "SYNC_API_URL",
                             "WEATHER_FORECAST_URL", "WEATHER_GEOCODING_URL"})
        env.insert(QLatin1String(name), QStringLiteral("http://127.0.0.1:9/"));
    env.insert(QStringLiteral("BENCH_QUIT_CHILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("BENCH_QUIT_AT"), at);
    env.insert(serverEnv);
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    qint64 exitedAt = 0;
    QObject::connect(&child, &QProcess::finished, &child,
                     [&exitedAt] { exitedAt = monotonicMs(); });
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("child")});
    // The fake Google server answers from this process's event loop.
    QEventLoop loop;
    QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&child, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    loop.exec();
    if (child.state() != QProcess::NotRunning) {
        std::fprintf(stderr, "the program did not end\n");
        child.kill();
        return false;
    }
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    qint64 quitAt = 0;
    qint64 loopEndedAt = 0;
    for (const QString &line : out.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("quit requested at ")))
            quitAt = line.mid(18).toLongLong();
        else if (line.startsWith(QLatin1String("event loop ended at ")))
            loopEndedAt = line.mid(20).toLongLong();
    }
    if (quitAt == 0) {
        std::fprintf(stderr, "the program never quit:\n%s\n%s\n", qPrintable(out),
                     qPrintable(QString::fromLocal8Bit(child.readAllStandardError())));
        return false;
    }
    std::printf("%s run %d, quit while %s: quit to exit %5lld ms (event loop ended after %lld ms), exit code %d, "
                "%s\n",
                google ? "Google" : "CalDAV", run + 1,
                at == QLatin1String("requests") ? "requests are out" : "the pull is written",
                static_cast<long long>(exitedAt - quitAt), static_cast<long long>(loopEndedAt - quitAt),
                child.exitCode(), qPrintable(storeState(db)));
    std::fflush(stdout);
    return true;
}

int runDriver(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString source = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("calendar.db"));
    const QString at = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("apply");
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
    if (!QFile::exists(source)) {
        std::fprintf(stderr, "no %s: make it with bench_startup fill 50000\n", qPrintable(source));
        return 2;
    }
    const bool google = argc > 4 && QString::fromLocal8Bit(argv[4]) == QLatin1String("google");
    RadicaleServer server;
    FakeGoogleServer googleServer;
    QProcessEnvironment serverEnv;
    if (google) {
        if (!googleServer.start())
            return 1;
        googleServer.addAccessToken(QStringLiteral("ya29.bench"));
        const QDateTime origin(QDate(2026, 1, 1), QTime(8, 0), Qt::UTC);
        for (int i = 0; i < 5000; ++i) {
            const QDateTime start = origin.addSecs(qint64(i) * 5400);
            googleServer.putEvent(
                QStringLiteral("primary@example.com"),
                QJsonObject{{QStringLiteral("summary"), QStringLiteral("Bench event %1").arg(i)},
                            {QStringLiteral("location"), QStringLiteral("Room %1").arg(i % 40)},
                            {QStringLiteral("start"), QJsonObject{{QStringLiteral("dateTime"),
                                                                   start.toString(Qt::ISODate)}}},
                            {QStringLiteral("end"), QJsonObject{{QStringLiteral("dateTime"),
                                                                 start.addSecs(3600).toString(Qt::ISODate)}}}});
        }
        for (const char *name : {"GOOGLE_API_URL", "GOOGLE_TOKEN_URL", "GOOGLE_ACCOUNTS_URL"})
            serverEnv.insert(QLatin1String(name), googleServer.baseUrl().toString());
        serverEnv.insert(QStringLiteral("BENCH_PROVIDER"), QStringLiteral("google"));
        serverEnv.insert(QStringLiteral("BENCH_PASSWORD"), QStringLiteral("ya29.bench"));
    } else {
        if (!server.start() || !server.createCalendar(QStringLiteral("pull"), QStringLiteral("Pull"))) {
            std::fprintf(stderr, "Radicale: %s\n", qPrintable(server.errorText()));
            return 1;
        }
        const QString folder =
            server.storageRoot() + QStringLiteral("/collection-root/") + server.user() + QStringLiteral("/pull");
        for (int i = 0; i < 2000; ++i) {
            QFile file(folder + QStringLiteral("/bench-%1.ics").arg(i));
            if (!file.open(QIODevice::WriteOnly) || file.write(serverEvent(i)) < 0)
                return 1;
        }
        // Radicale builds its cache of files laid behind its back on the
        // first listing; that is not the program's work.
        if (server.itemHrefs(server.calendarUrl(QStringLiteral("pull"))).size() != 2000) {
            std::fprintf(stderr, "Radicale does not list the 2,000 events\n");
            return 1;
        }
        serverEnv.insert(QStringLiteral("BENCH_PRINCIPAL"), server.principalUrl().toString());
        serverEnv.insert(QStringLiteral("BENCH_CALENDAR"), server.calendarUrl(QStringLiteral("pull")).toString());
        serverEnv.insert(QStringLiteral("BENCH_USER"), server.user());
        serverEnv.insert(QStringLiteral("BENCH_PASSWORD"), server.password());
    }
    for (int run = 0; run < runs; ++run) {
        if (!runOnce(run, source, at, google, serverEnv))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // As the program's main() does.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    if (qEnvironmentVariableIsSet("BENCH_QUIT_CHILD") && argc > 1 && std::strcmp(argv[1], "child") == 0)
        return runChild(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <store folder> [requests|apply] [runs] [caldav|google]\n", argv[0]);
        return 2;
    }
    return runDriver(argc, argv);
}
