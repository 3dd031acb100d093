#include <QFile>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTest>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/webcal/webcalsyncclient.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/selfsignedcertificate.h"
#include "tests/support/teststore.h"

using Reply = LocalHttpServer::Reply;
Q_DECLARE_METATYPE(Reply)

namespace {

QByteArray vevent(const QByteArray &uid, const QByteArray &title, const QByteArray &extra = {})
{
    return "BEGIN:VEVENT\r\n" + (uid.isEmpty() ? QByteArray() : "UID:" + uid + "\r\n")
        + "DTSTART:20260310T090000Z\r\nDTEND:20260310T100000Z\r\nSUMMARY:" + title + "\r\n" + extra + "END:VEVENT\r\n";
}

QByteArray feed(const QByteArray &events)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Feeds//EN\r\n" + events + "END:VCALENDAR\r\n";
}

const QByteArray kSeries = vevent("s", "Standup", "RRULE:FREQ=DAILY;COUNT=5\r\n");
const QByteArray kMoved = vevent("s", "Standup moved", "RECURRENCE-ID:20260311T090000Z\r\n");
// Zoned with an alarm and an attendee, and all-day: what the store rounds.
const QByteArray kRich = "BEGIN:VEVENT\r\nUID:z\r\nDTSTART;TZID=Europe/Berlin:20260401T180000\r\nDURATION:PT2H\r\n"
                         "SUMMARY:Zoned\r\nATTENDEE;CN=Ann;PARTSTAT=ACCEPTED:mailto:ann@example.org\r\n"
                         "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
                         + vevent("d", "Holiday").replace("DTSTART:20260310T090000Z\r\nDTEND:20260310T100000Z",
                                                          "DTSTART;VALUE=DATE:20260501");

// A subscription calendar fed by a local server, and its client.
struct Fixture
{
    TestStore store;
    EventRepository events{store.db()};
    AccountRepository accounts{store.db()};
    Webcal::SyncClient client{Sync::Repositories{store.db(), &events, nullptr, nullptr, &accounts}};
    LocalHttpServer server;
    Calendar calendar;
    QByteArray body = feed(kSeries + kMoved + kRich);

    Fixture()
    {
        server.listen();
        server.setHandler([this](const LocalHttpServer::Request &) { return Reply{200, {}, body}; });
        calendar.id = QStringLiteral("sub");
        calendar.name = QStringLiteral("Feed");
        calendar.account_id = Webcal::SyncClient::ensureSubscriptionsAccount(&accounts).id;
        calendar.url = server.url(QStringLiteral("/feed.ics")).toString();
        QVERIFY(CalendarRepository(store.db()).insert(calendar));
    }

    // The signals of one run, as the main window sees them through the
    // shared interface: "started, completed 4" or "started, failed: why".
    QString sync(const QString &url = QString())
    {
        using Shared = Sync::CalendarSyncClient;
        Shared *shared = &client;
        QStringList seen;
        QObject context;
        QObject::connect(shared, &Shared::calendarSyncStarted, &context, [&] { seen << "started"; });
        QObject::connect(shared, &Shared::calendarSyncCompleted, &context, [&](const QString &, int n) { seen << QString("completed %1").arg(n); });
        QObject::connect(shared, &Shared::calendarSyncFailed, &context, [&](const QString &, const QString &why) { seen << "failed: " + why; });
        Calendar target = calendar;
        target.url = url.isNull() ? calendar.url : url;
        shared->syncCalendar(target);
        if (!QTest::qWaitFor([&] { return seen.size() > 1; }, 15000))
            seen << "no answer";
        return seen.join(QStringLiteral(", "));
    }

    // Each stored row as uid, recurrence id, title, sync status and id.
    QStringList rows()
    {
        QStringList out;
        for (const Event &e : events.getByCalendar(calendar.id))
            out << QStringList{e.uid, e.recurrence_id, e.title, toText(e.sync_status), e.id}.join('|');
        out.sort();
        return out;
    }

    int writes() { return store.scalar(QStringLiteral("SELECT total_changes()")).toInt(); }
};

} // namespace

class TestWebcalSyncClient : public QObject
{
    Q_OBJECT

    SelfSignedCertificate m_certificate;

private Q_SLOTS:
    void initTestCase()
    {
        // The local TLS server's certificate is trusted like a public one.
        QVERIFY2(m_certificate.isValid(), qPrintable(m_certificate.errorText()));
        QFile file(m_certificate.certificatePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificate(QSslCertificate(file.readAll(), QSsl::Pem));
        QSslConfiguration::setDefaultConfiguration(tls);
    }

    void fetchesFeedOverEveryTransport_data()
    {
        QTest::addColumn<QString>("url"); // %1: the port; webcal schemes are served over TLS
        QTest::addColumn<bool>("gzip");
        QTest::newRow("plain") << "http://127.0.0.1:%1/feed.ics" << false;
        QTest::newRow("gzip") << "http://127.0.0.1:%1/feed.ics" << true;
        QTest::newRow("redirect") << "http://127.0.0.1:%1/old" << false;
        QTest::newRow("webcal") << "webcal://127.0.0.1:%1/feed.ics" << false;
        QTest::newRow("webcals upper case") << "WEBCALS://127.0.0.1:%1/feed.ics" << false;
    }

    void fetchesFeedOverEveryTransport()
    {
        QFETCH(QString, url);
        QFETCH(bool, gzip);
        Fixture f;
        LocalHttpServer server;
        QVERIFY(url.startsWith("webcal", Qt::CaseInsensitive) ? server.listenTls(m_certificate.certificatePath(), m_certificate.keyPath()) : server.listen());
        server.setHandler([&](const LocalHttpServer::Request &request) {
            return request.target == "/old" ? Reply::redirect(301, "/feed.ics") : gzip ? Reply::gzipped(f.body) : Reply{200, {}, f.body};
        });
        QCOMPARE(f.sync(url.arg(server.port())), QStringLiteral("started, completed 4"));
        const LocalHttpServer::Request last = server.requests().last();
        QCOMPARE(last.target, QByteArray("/feed.ics"));
        QCOMPARE(last.header("user-agent"), QByteArray("TindlebrookCalendar/1.0 (+webcal)"));
        QCOMPARE(last.header("accept"), QByteArray("text/calendar, text/plain, */*"));
    }

    void failedFetchLeavesEventsAlone_data()
    {
        QTest::addColumn<Reply>("reply");
        QTest::addColumn<QString>("url"); // %1: the feed's own
        QTest::addColumn<QString>("outcome"); // the start of it
        // The client's waits: short only where the row is about them, so a
        // busy machine's slow transfer trips no other row.
        QTest::addColumn<int>("transferMs");
        QTest::addColumn<int>("deadlineMs");
        const auto row = [](const char *name, const Reply &reply, const QString &url, const QString &outcome,
                            int transferMs = 5000, int deadlineMs = 10000) {
            QTest::newRow(name) << reply << url << outcome << transferMs << deadlineMs;
        };
        const QByteArray whole = feed(kSeries + kMoved);
        row("login page with 200", Reply{200, {{"Content-Type", "text/html"}}, "<!DOCTYPE html><html>Sign in</html>"}, "%1", "started, failed: Subscription did not return a calendar");
        row("cut off, no length", Reply{200, {}, whole.left(whole.size() - 40), false, -1, true}, "%1", "started, failed: Subscription returned an incomplete calendar");
        row("closed out of order", Reply{200, {}, "BEGIN:VCALENDAR\r\n" + vevent("a", "A").replace("END:VEVENT", "END:VCALENDAR")}, "%1", "started, failed: Subscription returned an incomplete calendar");
        row("too many events", Reply{200, {}, feed(QByteArray("BEGIN:VEVENT\r\nEND:VEVENT\r\n").repeated(50001))}, "%1", "started, failed: Subscription has more than 50000 events");
        row("not found", Reply{404, {}, "gone"}, "%1", "started, failed: Subscription fetch failed (404): ");
        row("empty", Reply{200, {}, {}}, "%1", "started, failed: Subscription returned an empty body");
        row("larger than 32 MB", Reply{200, {}, feed(QByteArray(33 * 1024 * 1024, 'x'))}, "%1", "started, failed: Subscription fetch failed (200): The feed is larger than 32 MB.");
        row("not modified", Reply{304, {}, {}}, "%1", "started, failed: Subscription fetch failed: HTTP 304");
        row("server hangs", Reply{200, {}, {}, true}, "%1", "started, failed: Subscription fetch failed (0): The server did not answer within 0.3 seconds.", 300);
        Reply trickling{200, {}, whole};
        trickling.trickleMs = 50;
        row("trickling", trickling, "%1", "started, failed: Subscription fetch failed (200): 127.0.0.1 did not finish its answer within 3 seconds.", 5000, 3000);
        row("no address", Reply{}, "", "started, failed: Invalid subscription URL: ");
        row("local file", Reply{}, "file:///etc/hosts", "started, failed: Invalid subscription URL: file:///etc/hosts");
    }

    void failedFetchLeavesEventsAlone()
    {
        QFETCH(Reply, reply);
        QFETCH(QString, url);
        QFETCH(QString, outcome);
        QFETCH(int, transferMs);
        QFETCH(int, deadlineMs);
        Fixture f;
        QCOMPARE(f.sync(), QStringLiteral("started, completed 4"));
        const QStringList before = f.rows();
        const int writesBefore = f.writes();
        f.server.setHandler([&](const LocalHttpServer::Request &) { return reply; });
        f.client.setTransferTimeout(transferMs);
        f.client.setDeadline(deadlineMs);
        const QString seen = f.sync(url.replace(QLatin1String("%1"), f.calendar.url));
        QVERIFY2(seen.startsWith(outcome), qPrintable(seen));
        QCOMPARE(f.rows(), before);
        QCOMPARE(f.writes(), writesBefore);
    }

    void httpsToHttpRedirectIsRefused()
    {
        Fixture f;
        LocalHttpServer tls;
        QVERIFY(tls.listenTls(m_certificate.certificatePath(), m_certificate.keyPath()));
        tls.setHandler([&](const LocalHttpServer::Request &) { return Reply::redirect(302, f.calendar.url.toUtf8()); });
        const QString seen = f.sync(tls.url(QStringLiteral("/feed.ics")).toString());
        QVERIFY2(seen.startsWith(QLatin1String("started, failed: Subscription fetch failed (")), qPrintable(seen));
        QVERIFY(f.server.requests().isEmpty());
    }

    void seriesAndOverridesKeepTheirOwnRows()
    {
        Fixture f;
        f.body = feed(kSeries + kMoved + vevent("s", "Late", "RECURRENCE-ID:20260312T090000Z\r\n") + vevent("", "No uid"));
        QCOMPARE(f.sync(), QStringLiteral("started, completed 3"));
        const QStringList first = f.rows();
        // The feed drops one changed occurrence and renames another.
        f.body = feed(kSeries + QByteArray(kMoved).replace("moved", "moved again"));
        QCOMPARE(f.sync(), QStringLiteral("started, completed 2"));
        // Sorted: the two occurrences by recurrence id, then the series.
        QCOMPARE(f.rows(), (QStringList{QString(first[0]).replace("moved", "moved again"), first[2]}));
    }

    void unchangedRefreshWritesNothing()
    {
        Fixture f;
        QCOMPARE(f.sync(), QStringLiteral("started, completed 4"));
        const QStringList stored = f.rows();
        const int writesBefore = f.writes();
        QCOMPARE(f.sync(), QStringLiteral("started, completed 4"));
        QCOMPARE(f.writes(), writesBefore);
        // Local edits and deletions give way to the feed's copy.
        Event edited = *f.events.getByUid("z", f.calendar.id);
        edited.title = QStringLiteral("Mine");
        QVERIFY(f.events.update(edited));
        QVERIFY(f.events.remove(f.events.getByUid("d", f.calendar.id)->id));
        QCOMPARE(f.sync(), QStringLiteral("started, completed 4"));
        QCOMPARE(f.rows(), stored);
    }

    // A batch the store cannot keep is undone whole and is no success.
    void feedThatCannotBeSavedFailsAndChangesNothing()
    {
        Fixture f;
        QCOMPARE(f.sync(), QStringLiteral("started, completed 4"));
        const QStringList before = f.rows();
        // Removed while its feed was on the way: the rows for it break a
        // rule the store here checks only when the batch ends.
        const QString kept = f.calendar.id;
        f.calendar.id = QStringLiteral("removed");
        QVERIFY(f.store.exec(QStringLiteral("PRAGMA defer_foreign_keys = ON")));
        QCOMPARE(f.sync(), QStringLiteral("started, failed: Subscription events could not be saved"));
        QCOMPARE(f.rows(), QStringList());
        f.calendar.id = kept;
        QCOMPARE(f.rows(), before);
        QCOMPARE(f.store.count(QStringLiteral("events")), before.size());
    }

    // Views reload once per fetch that changed rows, never for one that
    // changed nothing.
    void onlyAFetchThatChangesRowsAnnouncesIt()
    {
        Fixture f;
        QSignalSpy changed(&f.events, &EventRepository::eventsChanged);
        QCOMPARE(f.sync(), QStringLiteral("started, completed 4"));
        QTRY_VERIFY(!changeAnnouncementPending(&f.events));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(0).toString(), f.calendar.id);
        QCOMPARE(f.sync(), QStringLiteral("started, completed 4"));
        QTest::qWait(200);
        QVERIFY(!changeAnnouncementPending(&f.events));
        QCOMPARE(changed.size(), 1);
    }

    void feedAddressIsFetchedOverHttpsForWebcalSchemes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fetched");
        QTest::newRow("webcal") << "webcal://example.org/cal.ics?x=1" << "https://example.org/cal.ics?x=1";
        QTest::newRow("WEBCALS") << "WEBCALS://example.org:8443/a%20b.ics" << "https://example.org:8443/a%20b.ics";
        QTest::newRow("http stays") << "http://example.org/cal.ics" << "http://example.org/cal.ics";
        QTest::newRow("https stays") << "https://example.org/cal.ics" << "https://example.org/cal.ics";
    }

    void feedAddressIsFetchedOverHttpsForWebcalSchemes()
    {
        QFETCH(QString, text);
        QFETCH(QString, fetched);
        QCOMPARE(Webcal::SyncClient::normalizeUrl(text).toString(QUrl::FullyEncoded), fetched);
    }

    void subscriptionsAccountIsCreatedOnceAndAfterRemoval()
    {
        Fixture f; // has ensured it once
        const Account account = Webcal::SyncClient::ensureSubscriptionsAccount(&f.accounts);
        Account expected;
        expected.id = QStringLiteral("webcal-subscriptions-account");
        expected.name = QStringLiteral("Calendar Subscriptions");
        expected.type = AccountType::Webcal;
        expected.sync_interval_minutes = 15;
        expected.enabled = true;
        expected.color = QStringLiteral("#4285F4");
        expected.created_at = expected.updated_at = account.created_at;
        QCOMPARE(account, expected);
        QVERIFY(qAbs(account.created_at.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        QCOMPARE(account.id + ' ' + toText(account.type) + ' ' + QString::number(f.accounts.getAllIncludingDeleted().size()),
                 QStringLiteral("webcal-subscriptions-account webcal 1"));
        QVERIFY(f.accounts.remove(account.id));
        QVERIFY(!Webcal::SyncClient::ensureSubscriptionsAccount(&f.accounts).deleted_at && f.accounts.getById(account.id));
    }
};

QTEST_GUILESS_MAIN(TestWebcalSyncClient)
#include "tst_webcalsyncclient.moc"
