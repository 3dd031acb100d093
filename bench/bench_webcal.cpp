// Wall time and database writes of webcal feed syncs against a local HTTP
// server: the first import of a 5,000-event feed, an unchanged refresh
// (which must write nothing) and a refresh where one event changed.
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/webcal/webcalsyncclient.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/teststore.h"

#include <cstdio>

namespace {

constexpr int kEvents = 5000;

// Mostly zoned one-off events with an alarm, every tenth all-day, every
// fiftieth a weekly series followed by one changed occurrence.
QByteArray feedBody(const QByteArray &firstTitle)
{
    QByteArray body = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n"
                      "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
                      "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    const QDateTime base(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC);
    for (int i = 0; i < kEvents; ++i) {
        const QDateTime start = base.addSecs(qint64(i) * 5400);
        const QByteArray uid = "bench-" + QByteArray::number(i);
        const QByteArray title = i == 0 ? firstTitle : "Feed event " + QByteArray::number(i);
        body += "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:" + title
            + "\r\nDESCRIPTION:Line one\\nLine two\r\nLOCATION:Room " + QByteArray::number(i % 40) + "\r\n";
        if (i % 10 == 9) {
            body += "DTSTART;VALUE=DATE:" + start.toString(QStringLiteral("yyyyMMdd")).toUtf8() + "\r\n";
        } else {
            body += "DTSTART;TZID=Europe/Berlin:" + start.toString(QStringLiteral("yyyyMMdd'T'HHmmss")).toUtf8()
                + "\r\nDURATION:PT1H\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT10M\r\nEND:VALARM\r\n";
        }
        if (i % 50 == 0) {
            body += "RRULE:FREQ=WEEKLY;COUNT=10\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:" + uid
                + "\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Moved\r\nRECURRENCE-ID;TZID=Europe/Berlin:"
                + start.addDays(7).toString(QStringLiteral("yyyyMMdd'T'HHmmss")).toUtf8()
                + "\r\nDTSTART;TZID=Europe/Berlin:"
                + start.addDays(7).addSecs(3600).toString(QStringLiteral("yyyyMMdd'T'HHmmss")).toUtf8()
                + "\r\nDURATION:PT1H\r\n";
            ++i;
        }
        body += "END:VEVENT\r\n";
    }
    return body + "END:VCALENDAR\r\n";
}

} // namespace

class BenchWebcal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importAndRefresh()
    {
        TestStore store;
        EventRepository events(store.db());
        AccountRepository accounts(store.db());
        CalendarRepository calendars(store.db());
        Webcal::SyncClient client(Sync::Repositories{store.db(), &events, nullptr, &calendars, &accounts});
        LocalHttpServer server;
        QVERIFY(server.listen());
        QByteArray body = feedBody("First");
        server.setHandler([&](const LocalHttpServer::Request &) { return LocalHttpServer::Reply{200, {}, body}; });
        Calendar calendar;
        calendar.id = QStringLiteral("feed");
        calendar.name = QStringLiteral("Feed");
        calendar.account_id = Webcal::SyncClient::ensureSubscriptionsAccount(&accounts).id;
        calendar.url = server.url(QStringLiteral("/feed.ics")).toString();
        calendar.sync_enabled = true;
        QVERIFY(calendars.insert(calendar));
        std::printf("feed: %d VEVENTs, %lld bytes\n", int(body.count("BEGIN:VEVENT")), static_cast<long long>(body.size()));

        const auto run = [&](const char *what) {
            QSignalSpy completed(&client, &Webcal::SyncClient::calendarSyncCompleted);
            QSignalSpy failed(&client, &Webcal::SyncClient::calendarSyncFailed);
            const int writesBefore = store.scalar(QStringLiteral("SELECT total_changes()")).toInt();
            QElapsedTimer timer;
            timer.start();
            client.syncCalendar(calendar);
            while (completed.isEmpty() && failed.isEmpty() && timer.elapsed() < 600000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const qint64 ms = timer.elapsed();
            const int writes = store.scalar(QStringLiteral("SELECT total_changes()")).toInt() - writesBefore;
            std::printf("%-26s %s  wall %6lld ms  db rows written %6d  events %d\n", what,
                        completed.isEmpty() ? "FAIL" : "ok  ", static_cast<long long>(ms), writes,
                        completed.isEmpty() ? -1 : completed.first().at(1).toInt());
            std::fflush(stdout);
        };
        run("first import");
        run("unchanged refresh");
        body = feedBody("First, renamed");
        run("refresh, one event changed");
    }
};

QTEST_GUILESS_MAIN(BenchWebcal)
#include "bench_webcal.moc"
