#include "views/common/timedlayout.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTimeZone>

// The overlap layout runs on every paint of a timeline with the events of one
// day: spread events at several counts, and the worst case of one cluster in
// which every event overlaps every other.
class BenchTimedLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout_data();
    void layout();
};

namespace {

QList<Event> dayOfEvents(int count, bool allOverlapping)
{
    QRandomGenerator random(4711);
    // Instants as the store reads them: UTC.
    const QDateTime midnight(QDate(2026, 3, 10), QTime(0, 0), QTimeZone::utc());
    QList<Event> events;
    events.reserve(count);
    for (int i = 0; i < count; ++i) {
        Event event;
        event.id = QStringLiteral("event-%1").arg(i);
        event.title = QStringLiteral("Event %1").arg(i);
        event.calendar_id = QStringLiteral("calendar");
        event.start_time = allOverlapping ? midnight.addSecs(8 * 3600 + i) : midnight.addSecs(60 * 15 * random.bounded(92));
        event.end_time = allOverlapping ? midnight.addSecs(18 * 3600) : event.start_time.addSecs(60 * (15 + 15 * random.bounded(8)));
        events.append(event);
    }
    return events;
}

} // namespace

void BenchTimedLayout::layout_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("allOverlapping");
    QTest::newRow("50 spread") << 50 << false;
    QTest::newRow("500 spread") << 500 << false;
    QTest::newRow("5000 spread") << 5000 << false;
    QTest::newRow("500 all overlapping") << 500 << true;
}

void BenchTimedLayout::layout()
{
    QFETCH(int, count);
    QFETCH(bool, allOverlapping);
    const QList<Event> events = dayOfEvents(count, allOverlapping);
    QList<TimedLayoutEntry> result;
    QBENCHMARK {
        result = layoutTimedEvents(events);
    }
    QCOMPARE(result.size(), count);
}

QTEST_GUILESS_MAIN(BenchTimedLayout)
#include "bench_timedlayout.moc"
