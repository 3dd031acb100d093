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
#include "bench/caldavbenchsync.h"

#include <QTest>

#include <cstdio>

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
        device.fake->putItem("daily.ics", dailySeriesText(changed + 10, 0));
        QVERIFY(timedCalDavSync(device).completed);
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
        device.fake->putItem("daily.ics", dailySeriesText(changed + 10, changed));
        device.fake->ctag = "ctag-2";

        const CalDavBenchRun run = timedCalDavSync(device);
        QVERIFY2(run.completed, qPrintable(run.failure));
        std::printf("%-28s pull %6lld ms  whole run %6lld ms  cpu %6lld ms  rows %d\n", QTest::currentDataTag(),
                    static_cast<long long>(run.pullMs), static_cast<long long>(run.ms),
                    static_cast<long long>(run.cpuMs), int(device.events.getByCalendar(device.calendar.id).size()));
        std::fflush(stdout);
    }
};

QTEST_GUILESS_MAIN(BenchCalDavMovedSeries)
#include "bench_caldavmovedseries.moc"
