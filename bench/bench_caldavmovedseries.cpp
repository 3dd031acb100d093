// Wall time of one CalDAV sync of a daily series whose days another client
// changed (1,000 or 2,000 of them, each retitled an hour later) while an
// edit of the series waits here: none (the reference), the series retitled,
// or split "This and following" a week in. The pull hands every change made
// elsewhere to where its occurrence stands here, so what it reads per day is
// what is measured: the wall time until the first upload reaches the server
// (the pull, and the push's reading of what to send) apart from the whole
// run, whose push of the series' 1,000 or 2,000 rows writes each row's mark
// on its own and so waits for the disk, and the CPU time of the process.
// The calendar is a fake served in this process, so its own work (a few ms
// per request) is in the figures too.
// Run: bench_caldavmovedseries (each row once: a run changes its store).
#include "app/edits/eventeditor.h"
#include "app/edits/recurringeditscope.h"
#include "tests/sync/caldavsyncharness.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

const QByteArray kDay0 = "20260302";

QByteArray dayText(int day)
{
    return QDate(2026, 3, 2).addDays(day).toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

// The series as another client writes it, with its first `changed` days
// after the first retitled and an hour later.
QByteArray seriesText(int days, int changed)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\nBEGIN:VEVENT\r\nUID:daily\r\n"
                      "DTSTAMP:20260101T000000Z\r\nDTSTART:"
        + kDay0 + "T080000Z\r\nDTEND:" + kDay0 + "T090000Z\r\nRRULE:FREQ=DAILY;COUNT=" + QByteArray::number(days)
        + "\r\nSUMMARY:Daily\r\nEND:VEVENT\r\n";
    for (int day = 1; day <= changed; ++day) {
        const QByteArray date = dayText(day);
        text += "BEGIN:VEVENT\r\nUID:daily\r\nDTSTAMP:20260101T000000Z\r\nRECURRENCE-ID:" + date
            + "T080000Z\r\nDTSTART:" + date + "T090000Z\r\nDTEND:" + date + "T100000Z\r\nSUMMARY:Daily, changed "
            + QByteArray::number(day) + "\r\nEND:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

struct Figures
{
    qint64 ms = -1; // the whole run; -1 when it failed
    qint64 pullMs = -1; // until the first upload came
    qint64 cpuMs = 0;
};

Figures timedSync(CalDavSyncHarness &device)
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
    device.fake->hook = [&](const LocalHttpServer::Request &request) -> std::optional<LocalHttpServer::Reply> {
        if (request.method == "PUT" && figures.pullMs < 0)
            figures.pullMs = timer.elapsed();
        return std::nullopt;
    };
    const std::clock_t cpu = std::clock();
    timer.start();
    client->syncCalendar(device.calendars.getById(device.calendar.id).value(), QString(), QStringLiteral("u"),
                         QStringLiteral("p"), QString());
    if (completed.isEmpty() && failed.isEmpty())
        loop.exec();
    const qint64 ms = timer.elapsed();
    figures.cpuMs = qint64(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC;
    device.fake->hook = nullptr;
    if (!failed.isEmpty())
        std::printf("  failed: %s\n", qPrintable(failed.first().at(1).toString()));
    figures.ms = completed.isEmpty() ? -1 : ms;
    if (figures.pullMs < 0)
        figures.pullMs = figures.ms;
    return figures;
}

} // namespace

class BenchCalDavMovedSeries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changedElsewhere_data()
    {
        QTest::addColumn<int>("changed");
        QTest::addColumn<QString>("waiting");
        for (int changed : {1000, 2000}) {
            for (const char *waiting : {"nothing", "retitled", "split"})
                QTest::addRow("%d days, %s here", changed, waiting) << changed << QString::fromLatin1(waiting);
        }
    }

    void changedElsewhere()
    {
        QFETCH(int, changed);
        QFETCH(QString, waiting);
        CalDavSyncHarness device;
        device.fake->putItem("daily.ics", seriesText(changed + 10, 0));
        QVERIFY(timedSync(device).ms >= 0);
        const Event series = device.events.getByUidAndRecurrenceId(QStringLiteral("daily"), device.calendar.id,
                                                                   QString())
                                 .value();
        EventEditor editor(&device.events, &device.calendars, device.store.db(), nullptr);
        if (waiting == QLatin1String("retitled")) {
            Event edited = series;
            edited.title = QStringLiteral("Daily, renamed here");
            QVERIFY(editor.saveForm(series, edited).ok);
        } else if (waiting == QLatin1String("split")) {
            const QDateTime week = series.start_time.addDays(7);
            QVERIFY(editor.changeTimes(series, week, *EventEditor::moved(series, week, 0, 30),
                                       EventEditor::TimeEdit::Move, SeriesScope::ThisAndFollowing)
                        .ok);
        }
        device.fake->putItem("daily.ics", seriesText(changed + 10, changed));
        device.fake->ctag = "ctag-2";

        const Figures run = timedSync(device);
        QVERIFY(run.ms >= 0);
        std::printf("%-28s pull %6lld ms  whole run %6lld ms  cpu %6lld ms  rows %d\n", QTest::currentDataTag(),
                    static_cast<long long>(run.pullMs), static_cast<long long>(run.ms),
                    static_cast<long long>(run.cpuMs), int(device.events.getByCalendar(device.calendar.id).size()));
        std::fflush(stdout);
    }
};

QTEST_GUILESS_MAIN(BenchCalDavMovedSeries)
#include "bench_caldavmovedseries.moc"
