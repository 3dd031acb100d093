// Wall time, requests and database writes of CalDAV sync runs against a
// local Radicale: a first pull of 2,000 events, an unchanged re-pull, and a
// push of 500 pending events.
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/caldav/caldavsyncclient.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/teststore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>

namespace {

QByteArray serverEvent(int i)
{
    const QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(8, 0), Qt::UTC).addSecs(qint64(i) * 5400);
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\nBEGIN:VEVENT\r\nUID:bench-"
        + QByteArray::number(i) + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:"
        + start.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toUtf8() + "\r\nDTEND:"
        + start.addSecs(3600).toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toUtf8()
        + "\r\nSUMMARY:Bench event " + QByteArray::number(i) + "\r\nDESCRIPTION:Line one\\nLine two\r\n"
        + "LOCATION:Room " + QByteArray::number(i % 40) + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

struct Figures
{
    bool ok = false;
    qint64 ms = 0;
    int requests = 0;
    int writes = 0;
    int count = 0;
};

class Bench
{
public:
    Bench(RadicaleServer *server, const QString &calendarName)
        : events(store.db())
        , tasks(store.db())
        , calendars(store.db())
        , accounts(store.db())
        , client(CalDavRepositories{store.db(), &events, &tasks, &calendars, &accounts})
        , m_server(server)
    {
        Account account;
        account.id = QStringLiteral("acc");
        account.name = QStringLiteral("Radicale");
        account.type = QStringLiteral("caldav");
        account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
        accounts.insert(account);
        calendar.id = QStringLiteral("cal");
        calendar.account_id = account.id;
        calendar.url = server->calendarUrl(calendarName).toString();
        calendar.name = calendarName;
        calendar.sync_enabled = true;
        calendars.insert(calendar);
    }

    Figures run()
    {
        Figures figures;
        QSignalSpy completed(&client, &CalDavSyncClient::calendarSyncCompleted);
        QSignalSpy failed(&client, &CalDavSyncClient::calendarSyncFailed);
        const int requestsBefore = client.requestsSent();
        const int writesBefore = store.scalar(QStringLiteral("SELECT total_changes()")).toInt();
        QElapsedTimer timer;
        timer.start();
        client.syncCalendar(calendars.getById(calendar.id).value(), QString(), m_server->user(),
                            m_server->password(), QString());
        while (completed.isEmpty() && failed.isEmpty() && timer.elapsed() < 600000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        figures.ms = timer.elapsed();
        figures.ok = !completed.isEmpty();
        figures.count = figures.ok ? completed.first().at(1).toInt() : -1;
        figures.requests = client.requestsSent() - requestsBefore;
        figures.writes = store.scalar(QStringLiteral("SELECT total_changes()")).toInt() - writesBefore;
        if (!failed.isEmpty())
            std::printf("  failed: %s\n", qPrintable(failed.first().at(1).toString()));
        return figures;
    }

    TestStore store;
    EventRepository events;
    TaskRepository tasks;
    CalendarRepository calendars;
    AccountRepository accounts;
    CalDavSyncClient client;
    Calendar calendar;

private:
    RadicaleServer *m_server;
};

void report(const char *what, const Figures &f)
{
    std::printf("%-34s %s  wall %6lld ms  requests %4d  db writes %5d  items %d\n", what, f.ok ? "ok  " : "FAIL",
                static_cast<long long>(f.ms), f.requests, f.writes, f.count);
    std::fflush(stdout);
}

} // namespace

class BenchCalDav : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void radicale()
    {
        RadicaleServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        QVERIFY2(server.createCalendar(QStringLiteral("pull"), QStringLiteral("Pull")), qPrintable(server.errorText()));
        QVERIFY(server.createCalendar(QStringLiteral("push"), QStringLiteral("Push")));

        // 2,000 events laid straight into Radicale's folder, as its own
        // storage would hold them, so the set-up is not what is measured.
        const QString folder = server.storageRoot() + QStringLiteral("/collection-root/") + server.user()
            + QStringLiteral("/pull");
        QVERIFY(QDir(folder).exists());
        for (int i = 0; i < 2000; ++i) {
            QFile file(folder + QStringLiteral("/bench-%1.ics").arg(i));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(serverEvent(i));
        }

        {
            Bench pull(&server, QStringLiteral("pull"));
            const Figures first = pull.run();
            report("first pull, 2000 events", first);
            QVERIFY(first.ok);
            QCOMPARE(first.count, 2000);
            const Figures again = pull.run();
            report("unchanged re-pull", again);
            QVERIFY(again.ok);
            QCOMPARE(again.writes, 0);
        }
        {
            // The same pull into another empty store, once the server has
            // read its files: what is left is this side's work.
            Bench warm(&server, QStringLiteral("pull"));
            const Figures first = warm.run();
            report("first pull, server cache warm", first);
            QVERIFY(first.ok);
        }
        {
            Bench push(&server, QStringLiteral("push"));
            for (int i = 0; i < 500; ++i) {
                Event event;
                event.id = QStringLiteral("local-%1").arg(i);
                event.uid = event.id + QStringLiteral("@bench");
                event.calendar_id = push.calendar.id;
                event.title = QStringLiteral("Pending %1").arg(i);
                event.start_time = QDateTime(QDate(2026, 6, 1), QTime(9, 0), Qt::UTC).addSecs(qint64(i) * 3600);
                event.end_time = event.start_time.addSecs(1800);
                event.created = event.last_modified = QDateTime::currentDateTimeUtc();
                event.sync_status = QStringLiteral("pending");
                event.raw_icalendar = IcsCodec::buildEventIcs(event);
                QVERIFY(push.events.insert(event));
            }
            const Figures pushed = push.run();
            report("push of 500 pending events", pushed);
            QVERIFY(pushed.ok);
            QCOMPARE(push.events.getPending(push.calendar.id).size(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(BenchCalDav)
#include "bench_caldav.moc"
