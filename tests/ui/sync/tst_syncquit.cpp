// Quitting while a sync runs: the orchestration gives up its pulls and
// requests, and the calendars stay exactly as they were before the run.
#include <QJsonObject>
#include <QNetworkReply>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QThread>
#include <QSqlQuery>
#include <QTest>

#include "app/appstate.h"
#include "app/secrets/tokenstore.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "sync/core/pullapplyworker.h"
#include "sync/google/googleauthservice.h"
#include "tests/support/fakecaldavcalendar.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/tempdatadir.h"
#include "ui/sync/syncorchestrator.h"

namespace {

const QString CalendarId = QStringLiteral("cal");

QByteArray plain(int i)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:plain-" + QByteArray::number(i)
        + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260310T090000Z\r\nSUMMARY:Plain " + QByteArray::number(i)
        + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// True while another connection holds the store's write lock.
bool writeLockHeld(Database *probe)
{
    QSqlQuery query(probe->database());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return true;
    query.exec(QStringLiteral("ROLLBACK"));
    return false;
}

// The worker's write of a pull takes a few tens of milliseconds, shorter
// than QTRY's poll: look at the lock after every turn of the loop instead.
bool waitForWriteLock(Database *probe)
{
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (writeLockHeld(probe))
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(100);
    }
    return false;
}

bool workerRunning(const SyncOrchestrator &sync)
{
    for (const PullApplyWorker *worker : sync.findChildren<PullApplyWorker *>()) {
        if (worker->isRunning())
            return true;
    }
    return false;
}

} // namespace

class TestSyncQuit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void abandoningForQuitLeavesTheCalendarAsItWas_data()
    {
        QTest::addColumn<bool>("google");
        QTest::addColumn<bool>("requestsOut");
        QTest::newRow("CalDAV, rows being written") << false << false;
        QTest::newRow("CalDAV, listing still out") << false << true;
        QTest::newRow("Google, rows being written") << true << false;
        QTest::newRow("Google, page still out") << true << true;
    }

    void abandoningForQuitLeavesTheCalendarAsItWas()
    {
        QFETCH(bool, google);
        QFETCH(bool, requestsOut);
        TempDataDir dir;
        AppState state;
        QVERIFY(state.initialize());
        LocalHttpServer davServer;
        QVERIFY(davServer.listen());
        FakeCalDavCalendar dav(&davServer);
        FakeGoogleServer googleServer;
        QVERIFY(googleServer.start());
        const QByteArray base = googleServer.baseUrl().toString().toUtf8();
        for (const char *name : {"GOOGLE_API_URL", "GOOGLE_TOKEN_URL", "GOOGLE_ACCOUNTS_URL"})
            qputenv(name, base);
        MemoryTokenStore::Entries secrets = std::make_shared<QHash<QString, QString>>();

        Account account;
        account.id = QStringLiteral("acc");
        account.name = QStringLiteral("Server");
        account.type = google ? AccountType::Google : AccountType::CalDav;
        account.username = QStringLiteral("u");
        QVERIFY(state.accounts()->insert(account));
        Calendar calendar;
        calendar.id = CalendarId;
        calendar.account_id = account.id;
        calendar.name = QStringLiteral("Work");
        calendar.sync_enabled = true;
        if (google) {
            calendar.url = QStringLiteral("primary@example.com");
            googleServer.addAccessToken(QStringLiteral("ya29.app"));
            QVERIFY(Google::AuthService::saveTokens(
                account.id, Google::StoredTokens{QStringLiteral("ya29.app"), QStringLiteral("1//r"),
                                                 QDateTime::currentDateTimeUtc().addSecs(3600)}));
            for (int i = 0; i < 3000; ++i)
                googleServer.putEvent(calendar.url,
                                      QJsonObject{{QStringLiteral("summary"), QStringLiteral("Event %1").arg(i)},
                                                  {QStringLiteral("start"),
                                                   QJsonObject{{QStringLiteral("dateTime"),
                                                                QStringLiteral("2026-03-02T09:00:00Z")}}}});
            QVERIFY(state.calendars()->insert(calendar));
            if (requestsOut) {
                ScriptedHttpFront::Failure hang;
                hang.method = "GET";
                hang.targetPart = "/events";
                hang.hang = true;
                hang.times = -1;
                googleServer.failNext(hang);
            }
        } else {
            // As an earlier pull left it: one event, the tag it was read at.
            calendar.url = dav.url().toString();
            calendar.ctag = QStringLiteral("ctag-1");
            QVERIFY(state.calendars()->insert(calendar));
            const QByteArray etag = dav.putItem("plain-0.ics", plain(0));
            Event pulled;
            pulled.id = QStringLiteral("pulled-0");
            pulled.uid = QStringLiteral("plain-0");
            pulled.calendar_id = calendar.id;
            pulled.title = QStringLiteral("Plain 0");
            pulled.start_time = QDateTime(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC);
            pulled.href = QString::fromLatin1(dav.path() + "plain-0.ics");
            pulled.etag = QString::fromLatin1(etag);
            pulled.sync_status = SyncStatus::Synced;
            pulled.raw_icalendar = QString::fromLatin1(plain(0));
            QVERIFY(state.events()->insert(pulled));
            for (int i = 1; i < 3000; ++i)
                dav.putItem("plain-" + QByteArray::number(i) + ".ics", plain(i));
            dav.ctag = "ctag-2";
            if (requestsOut)
                dav.hook = [](const LocalHttpServer::Request &request) -> std::optional<LocalHttpServer::Reply> {
                    if (request.method != "REPORT")
                        return std::nullopt;
                    LocalHttpServer::Reply hang;
                    hang.hang = true;
                    return hang;
                };
            secrets->insert(caldavPasswordKey(account.id), QStringLiteral("p"));
        }
        const std::optional<Calendar> calendarBefore = state.calendars()->getById(CalendarId);
        const QList<Event> eventsBefore = state.events()->getByCalendar(CalendarId);
        QVERIFY(calendarBefore);

        Database probe;
        QVERIFY(probe.open(state.database()->path(), QStringLiteral("probe")));
        QSqlQuery(probe.database()).exec(QStringLiteral("PRAGMA busy_timeout=0"));
        SyncOrchestrator sync(&state);
        sync.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        QDateTime now(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);
        sync.setClock([&now] { return now; });
        QSignalSpy messages(&sync, &SyncOrchestrator::statusMessage);
        sync.syncAll();
        const auto stuck = [&] {
            if (google)
                return !googleServer.requestsTo("/calendar/v3/calendars/", "GET").isEmpty();
            for (const LocalHttpServer::Request &request : davServer.requests()) {
                if (request.method == "REPORT")
                    return true;
            }
            return false;
        };
        if (requestsOut)
            QTRY_VERIFY_WITH_TIMEOUT(stuck(), 20000);
        else
            QVERIFY(waitForWriteLock(&probe));
        const qsizetype messagesBefore = messages.size();

        sync.abandonForQuit();
        // As the start-up's delayed sync or the periodic check would, an hour
        // on: nothing starts, not even the accounts' stamp.
        const std::optional<Account> stamped = state.accounts()->getById(account.id);
        now = now.addSecs(3600);
        sync.syncAll();
        QCOMPARE(state.accounts()->getById(account.id), stamped);
        // The worker rolled back and its end was handled: the result it would
        // have handed over is gone.
        QTRY_VERIFY_WITH_TIMEOUT(!workerRunning(sync) && !writeLockHeld(&probe), 20000);
        const QList<QNetworkReply *> replies = sync.findChildren<QNetworkReply *>();
        for (const QNetworkReply *reply : replies)
            QVERIFY2(reply->isFinished(), qPrintable(reply->url().toString()));
        QCOMPARE(state.calendars()->getById(CalendarId), calendarBefore);
        QCOMPARE(state.events()->getByCalendar(CalendarId), eventsBefore);
        QCOMPARE(state.lastSyncError(), QString());
        QCOMPARE(messages.size(), messagesBefore);
    }
};

QTEST_MAIN(TestSyncQuit)
#include "tst_syncquit.moc"
