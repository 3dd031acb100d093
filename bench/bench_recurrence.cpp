// Expansion speed and memory: 1,000 mixed series (daily, weekdays, weekly,
// every other week, monthly by day and by weekday, last day, yearly; UTC,
// zoned and all-day; some bounded, some with exceptions and moved
// occurrences) expanded over one year and over ten years, and 20,000 such
// series over one year. Memory is the peak resident size while expanding.

#include <QElapsedTimer>
#include <QTest>
#include <QTimeZone>

#include "calendar/recurrence.h"
#include "peakresident.h"

#include <algorithm>

namespace {

QList<Event> mixedSeries(int count)
{
    static const char *const rules[] = {
        "FREQ=DAILY",
        "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR",
        "FREQ=WEEKLY",
        "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE,FR",
        "FREQ=MONTHLY;BYMONTHDAY=15",
        "FREQ=MONTHLY;BYDAY=1TH",
        "FREQ=MONTHLY;BYDAY=-1FR",
        "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
        "FREQ=YEARLY",
        "FREQ=DAILY;COUNT=200",
        "FREQ=WEEKLY;UNTIL=20300101T000000Z;BYDAY=TU,TH",
        "FREQ=MONTHLY;INTERVAL=3",
    };
    static const char *const zones[] = {"UTC", "Europe/Berlin", "America/New_York", "Asia/Tokyo"};
    QList<Event> events;
    const QDate first(2021, 1, 4);
    for (int i = 0; i < count; ++i) {
        Event event;
        event.id = QStringLiteral("series-%1").arg(i);
        event.uid = event.id;
        event.title = QStringLiteral("Series %1").arg(i);
        event.recurrence_rule = QString::fromLatin1(rules[i % 12]);
        event.timezone = QString::fromLatin1(zones[i % 4]);
        const QDate day = first.addDays((i * 37) % 1500);
        if (i % 10 == 9) {
            event.is_all_day = true;
            event.start_time = QDateTime(day, QTime(0, 0));
            event.end_time = QDateTime(day.addDays(1), QTime(0, 0));
        } else {
            event.start_time = QDateTime(day, QTime(8 + i % 9, 30), QTimeZone(zones[i % 4])).toUTC();
            event.end_time = event.start_time.addSecs(3600);
        }
        if (i % 5 == 0)
            event.exception_dates = QStringLiteral("[\"%1\"]").arg(
                event.start_time.addDays(7).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
        events.append(event);
        if (i % 7 == 0) {
            Event moved = event;
            moved.id += QStringLiteral("-moved");
            moved.recurrence_rule.clear();
            moved.master_event_uid = event.uid;
            moved.recurrence_id = event.start_time.addDays(1).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
            events.append(moved);
        }
    }
    return events;
}

void expandOver(int series, int years)
{
    const QList<Event> events = mixedSeries(series);
    PeakResident::reset();
    const double residentBefore = PeakResident::megabytes();
    const QDateTime from(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to = from.addYears(years);
    double best = 1e18;
    qsizetype produced = 0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QList<Occurrence> expanded = Recurrence::occurrences(events, from, to);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        produced = expanded.size();
    }
    const double peak = PeakResident::megabytes();
    printf("expand %d series over %d year(s): %.1f ms, %lld occurrences, %.0f occurrences/s, "
           "peak resident %.0f MB (%.0f MB above the %.0f MB before)\n",
           series, years, best, static_cast<long long>(produced),
           produced / (best / 1000.0), peak, peak - residentBefore, residentBefore);
    fflush(stdout);
}

} // namespace

class BenchRecurrence : public QObject
{
    Q_OBJECT

private slots:
    void expandOneYear() { expandOver(1000, 1); }
    void expandHugeIntervals();
    void expandTenYears() { expandOver(1000, 10); }
    void expandManySeriesOneYear() { expandOver(20000, 1); }
};

// Rules whose next interval lies beyond every representable date.
void BenchRecurrence::expandHugeIntervals()
{
    for (const char *rule : {"FREQ=YEARLY;INTERVAL=1073741824", "FREQ=MONTHLY;INTERVAL=2147483647"}) {
        Event event;
        event.uid = QStringLiteral("huge");
        event.start_time = QDateTime(QDate(2024, 6, 3), QTime(9, 0), Qt::UTC);
        event.end_time = event.start_time.addSecs(3600);
        event.recurrence_rule = QString::fromLatin1(rule);
        const QDateTime from(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
        QElapsedTimer timer;
        timer.start();
        const qsizetype found = Recurrence::expandForRange({event}, from, from.addYears(10)).size();
        printf("%s over ten years: %.1f ms, %lld occurrences\n", rule, timer.nsecsElapsed() / 1e6,
               static_cast<long long>(found));
    }
    fflush(stdout);
}

QTEST_GUILESS_MAIN(BenchRecurrence)
#include "bench_recurrence.moc"
