#include "tests/support/widgetfixture.h"
#include "views/common/sharedeventlist.h"

#include <QTest>

namespace {

const QDateTime Start(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC);

Event series()
{
    Event event = WidgetFixture::timedEvent(QStringLiteral("Standup"), Start, Start.addSecs(900));
    event.id = event.uid = QStringLiteral("standup");
    event.recurrence_rule = QStringLiteral("FREQ=DAILY");
    event.description = QStringLiteral("Notes");
    return event;
}

Event occurrence(int day)
{
    Event event = series();
    event.start_time = Start.addDays(day);
    event.end_time = Start.addDays(day).addSecs(900);
    event.recurrence_id = event.start_time.toString(Qt::ISODate);
    return event;
}

} // namespace

class TestSharedEventList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void givesBackEveryEventAsAdded_data()
    {
        QTest::addColumn<QList<Event>>("events");
        QTest::addColumn<int>("records");
        QList<Event> month;
        for (int day = 0; day < 30; ++day)
            month.append(occurrence(day));
        QTest::newRow("a month of one series") << month << 1;

        Event moved = occurrence(2);
        moved.title = QStringLiteral("Standup, moved");
        Event allDay = occurrence(3);
        allDay.is_all_day = true;
        allDay.end_time.reset();
        Event single = WidgetFixture::timedEvent(QStringLiteral("Lunch"), Start.addSecs(3 * 3600), std::nullopt);
        single.id = QStringLiteral("lunch");
        // Whatever else differs under one id is a record of its own; the
        // series' occurrences after it share the series' record again.
        QTest::newRow("an override, an all-day copy, a single between")
            << QList<Event>{occurrence(0), occurrence(1), moved, occurrence(3), single, allDay, occurrence(5)} << 4;
        QTest::newRow("nothing") << QList<Event>{} << 0;
    }

    void givesBackEveryEventAsAdded()
    {
        QFETCH(QList<Event>, events);
        QFETCH(int, records);
        SharedEventList list;
        for (const Event &event : std::as_const(events))
            list.append(event);
        QList<Event> back;
        for (qsizetype i = 0; i < list.size(); ++i)
            back.append(list.at(i));
        QCOMPARE(back, events);
        QCOMPARE(list.recordCount(), records);
    }
};

QTEST_MAIN(TestSharedEventList)
#include "tst_sharedeventlist.moc"
