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
#include "bench/caldavbenchsync.h"

#include <QTest>

#include <cstdio>

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
        device.fake->putItem("daily.ics", dailySeriesText(changed + 10, changed));
        QVERIFY(timedCalDavSync(device).completed);
        const Event series = device.events.getByUidAndRecurrenceId(QStringLiteral("daily"), device.calendar.id,
                                                                   QString())
                                 .value();
        EventEditor editor(&device.events, &device.calendars, device.store.db(), nullptr);
        QVERIFY(editor.changeTimes(series, series.start_time, *EventEditor::moved(series, series.start_time, 1, 0),
                                   EventEditor::TimeEdit::Move, SeriesScope::AllEvents)
                    .ok);

        const CalDavBenchRun upload = timedCalDavSync(device, true);
        QVERIFY2(!upload.completed, "the upload's answer was not lost");
        const CalDavBenchRun settle = timedCalDavSync(device);
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
