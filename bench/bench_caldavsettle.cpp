// CPU and wall time of the CalDAV sync that meets an upload whose answer
// never came: a daily series with 500 or 1,000 changed days, dragged a day
// "All events" here, goes up; the server stores it but the answer is lost.
// The next sync finds the server's copy holding that upload and takes it
// for this device's own, for every row of the series: that settling is
// what is measured, against the upload's own run. Figures: the upload's run
// (its CPU), and the run after it until its first upload reaches the server
// (the pull, which settles) and whole, each as wall and CPU time of the
// process. The calendar is a fake served in this process, so its own work
// is in the figures too.
// Run: bench_caldavsettle (each row once: a run changes its store).
#include "app/edits/eventeditor.h"
#include "app/edits/recurringeditscope.h"
#include "sync/caldav/caldavclient.h"
#include "tests/sync/caldavsyncharness.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

QByteArray dayText(int day)
{
    return QDate(2026, 3, 2).addDays(day).toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

// A daily series as another client writes it, every one of the days after
// the first up to `changed` retitled and an hour later.
QByteArray seriesText(int days, int changed)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\nBEGIN:VEVENT\r\nUID:daily\r\n"
                      "DTSTAMP:20260101T000000Z\r\nDTSTART:"
        + dayText(0) + "T080000Z\r\nDTEND:" + dayText(0) + "T090000Z\r\nRRULE:FREQ=DAILY;COUNT="
        + QByteArray::number(days) + "\r\nSUMMARY:Daily\r\nEND:VEVENT\r\n";
    for (int day = 1; day <= changed; ++day) {
        const QByteArray date = dayText(day);
        text += "BEGIN:VEVENT\r\nUID:daily\r\nDTSTAMP:20260101T000000Z\r\nRECURRENCE-ID:" + date
            + "T080000Z\r\nDTSTART:" + date + "T090000Z\r\nDTEND:" + date + "T100000Z\r\nSUMMARY:Daily, changed "
            + QByteArray::number(day) + "\r\nEND:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

qint64 cpuMs(std::clock_t since)
{
    return qint64(std::clock() - since) * 1000 / CLOCKS_PER_SEC;
}

struct Figures
{
    bool completed = false;
    QString failure;
    qint64 ms = 0; // the whole run
    qint64 cpuMs = 0;
    qint64 pullMs = -1; // until the first upload came; the whole run without one
    qint64 pullCpuMs = -1;
};

// One run; an upload's answer is lost (the server stores it) when `lose`.
Figures timedSync(CalDavSyncHarness &device, bool lose)
{
    Figures figures;
    CalDavSyncClient *client = device.client.get();
    QSignalSpy completed(client, &CalDavSyncClient::calendarSyncCompleted);
    QSignalSpy failed(client, &CalDavSyncClient::calendarSyncFailed);
    QEventLoop loop;
    QObject::connect(client, &CalDavSyncClient::calendarSyncCompleted, &loop, &QEventLoop::quit);
    QObject::connect(client, &CalDavSyncClient::calendarSyncFailed, &loop, &QEventLoop::quit);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    std::clock_t cpu = 0;
    FakeCalDavCalendar *fake = device.fake.get();
    fake->hook = [&](const LocalHttpServer::Request &request) -> std::optional<LocalHttpServer::Reply> {
        if (request.method != "PUT")
            return std::nullopt;
        if (figures.pullMs < 0) {
            figures.pullMs = timer.elapsed();
            figures.pullCpuMs = cpuMs(cpu);
        }
        if (!lose)
            return std::nullopt;
        LocalHttpServer::Reply lost = fake->answer(request);
        lost.hang = true;
        return lost;
    };
    client->setTransferTimeout(lose ? 1500 : CalDavClient::kDefaultTransferTimeoutMs);
    cpu = std::clock();
    timer.start();
    client->syncCalendar(device.calendars.getById(device.calendar.id).value(), QString(), QStringLiteral("u"),
                         QStringLiteral("p"), QString());
    if (completed.isEmpty() && failed.isEmpty())
        loop.exec();
    figures.ms = timer.elapsed();
    figures.cpuMs = cpuMs(cpu);
    fake->hook = nullptr;
    figures.completed = !completed.isEmpty() && failed.isEmpty();
    if (!failed.isEmpty())
        figures.failure = failed.first().at(1).toString();
    if (figures.pullMs < 0) {
        figures.pullMs = figures.ms;
        figures.pullCpuMs = figures.cpuMs;
    }
    return figures;
}

} // namespace

class BenchCalDavSettle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lostAnswerToADraggedSeries_data()
    {
        QTest::addColumn<int>("changed");
        for (int changed : {500, 1000})
            QTest::addRow("%d changed days", changed) << changed;
    }

    void lostAnswerToADraggedSeries()
    {
        QFETCH(int, changed);
        CalDavSyncHarness device;
        device.fake->putItem("daily.ics", seriesText(changed + 10, changed));
        QVERIFY(timedSync(device, false).completed);
        const Event series = device.events.getByUidAndRecurrenceId(QStringLiteral("daily"), device.calendar.id,
                                                                   QString())
                                 .value();
        EventEditor editor(&device.events, &device.calendars, device.store.db(), nullptr);
        QVERIFY(editor.changeTimes(series, series.start_time, *EventEditor::moved(series, series.start_time, 1, 0),
                                   EventEditor::TimeEdit::Move, SeriesScope::AllEvents)
                    .ok);

        const Figures upload = timedSync(device, true);
        QVERIFY2(!upload.completed, "the upload's answer was not lost");
        const Figures settle = timedSync(device, false);
        QVERIFY2(settle.completed, qPrintable(settle.failure));
        std::printf("%-18s upload run cpu %6lld ms | next run: pull %6lld ms (cpu %6lld ms), whole %6lld ms "
                    "(cpu %6lld ms)\n",
                    QTest::currentDataTag(), static_cast<long long>(upload.cpuMs),
                    static_cast<long long>(settle.pullMs), static_cast<long long>(settle.pullCpuMs),
                    static_cast<long long>(settle.ms), static_cast<long long>(settle.cpuMs));
        std::fflush(stdout);
    }
};

QTEST_GUILESS_MAIN(BenchCalDavSettle)
#include "bench_caldavsettle.moc"
