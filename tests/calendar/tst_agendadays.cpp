#include "calendar/agendadays.h"

#include <QTest>

namespace {

const QDate Start(2026, 3, 9); // a Monday
const QDateTime Now(QDate(2026, 3, 9), QTime(12, 0));

Event timed(const QString &title, const QDateTime &start, const std::optional<QDateTime> &end)
{
    Event event;
    event.id = title;
    event.title = title;
    event.start_time = start;
    event.end_time = end;
    return event;
}

// As the store reads an all-day event back: its dates at midnight. A
// server may have written them as midnight UTC.
Event allDay(const QString &title, const QDate &first, const QDate &endExclusive, Qt::TimeSpec spec)
{
    Event event = timed(title, QDateTime(first, QTime(0, 0), spec), QDateTime(endExclusive, QTime(0, 0), spec));
    event.is_all_day = true;
    return event;
}

Task task(const QString &title, std::optional<QDate> start, std::optional<QDate> due, int priority = 0,
          const QString &status = QStringLiteral("needs-action"))
{
    Task out;
    out.id = title;
    out.title = title;
    if (start)
        out.start_date = QDateTime(*start, QTime(0, 0));
    if (due)
        out.due_date = QDateTime(*due, QTime(0, 0));
    out.priority = priority;
    out.status = taskStatusFromText(status);
    return out;
}

// Day offset to the titles listed that day, events then tasks; empty days left out.
QMap<int, QStringList> listing(const QList<AgendaDays::Day> &days)
{
    QMap<int, QStringList> out;
    for (int i = 0; i < days.size(); ++i) {
        QStringList titles;
        for (const Event &event : days.at(i).events)
            titles.append(event.title);
        for (const Task &item : days.at(i).tasks)
            titles.append(item.title);
        if (!titles.isEmpty())
            out.insert(i, titles);
    }
    return out;
}

} // namespace

class TestAgendaDays : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eventsAreListedOnTheDaysTheyCover()
    {
        const QList<Event> events{
            timed(QStringLiteral("ended"), QDateTime(Start, QTime(8, 0)), QDateTime(Start, QTime(9, 0))),
            timed(QStringLiteral("later"), QDateTime(Start, QTime(15, 0)), QDateTime(Start, QTime(16, 0))),
            timed(QStringLiteral("running"), QDateTime(Start, QTime(11, 0)), QDateTime(Start, QTime(12, 30))),
            timed(QStringLiteral("late night"), QDateTime(Start.addDays(1), QTime(23, 0)),
                  QDateTime(Start.addDays(2), QTime(0, 0))),
            timed(QStringLiteral("no end"), QDateTime(Start.addDays(3), QTime(7, 0)), std::nullopt),
            allDay(QStringLiteral("one day"), Start.addDays(4), Start.addDays(5), Qt::LocalTime),
            allDay(QStringLiteral("three days"), Start.addDays(5), Start.addDays(8), Qt::UTC),
            timed(QStringLiteral("outside"), QDateTime(Start.addDays(40), QTime(9, 0)), std::nullopt),
        };
        const QList<AgendaDays::Day> days = AgendaDays::spread(events, {}, Start, 30, Now);
        QCOMPARE(days.size(), 30);
        QCOMPARE(days.at(29).date, Start.addDays(29));
        const QMap<int, QStringList> expected{
            // Today drops what has ended and sorts by start.
            {0, {"running", "later"}},
            {1, {"late night"}},
            {2, {"late night"}},
            {3, {"no end"}},
            {4, {"one day"}},
            // The stored dates, whatever the zone: D to D + 3 covers three days.
            {5, {"three days"}},
            {6, {"three days"}},
            {7, {"three days"}},
        };
        QCOMPARE(listing(days), expected);
    }

    void pastDaysOfTheWindowKeepTheirEndedEvents()
    {
        const QList<Event> events{
            timed(QStringLiteral("yesterday"), QDateTime(Start, QTime(8, 0)), QDateTime(Start, QTime(9, 0)))};
        const QDateTime tomorrowNoon = Now.addDays(1);
        QCOMPARE(listing(AgendaDays::spread(events, {}, Start, 7, tomorrowNoon)),
                 (QMap<int, QStringList>{{0, {"yesterday"}}}));
    }

    void tasksAreListedOnTheirStartAndDueDays()
    {
        const QList<Task> tasks{
            task(QStringLiteral("same day"), Start.addDays(2), Start.addDays(2)),
            task(QStringLiteral("two days"), Start.addDays(1), Start.addDays(3)),
            task(QStringLiteral("due only"), std::nullopt, Start.addDays(3), 5),
            task(QStringLiteral("done"), std::nullopt, Start.addDays(3), 1, QStringLiteral("completed")),
            task(QStringLiteral("urgent"), std::nullopt, Start.addDays(3), 1),
            task(QStringLiteral("before window"), Start.addDays(-1), std::nullopt),
        };
        const QMap<int, QStringList> expected{
            {1, {"two days"}},
            {2, {"same day"}},
            // Open before completed, then priority, none last.
            {3, {"urgent", "due only", "two days", "done"}},
        };
        QCOMPARE(listing(AgendaDays::spread({}, tasks, Start, 30, Now)), expected);
    }

    void windowStartsOnTheWeekInWeekAndGridViews_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<QDate>("expected");
        const QDate wednesday(2026, 3, 11);
        QTest::newRow("day") << "day" << int(Qt::Monday) << wednesday;
        QTest::newRow("month") << "month" << int(Qt::Monday) << wednesday;
        QTest::newRow("week from Monday") << "week" << int(Qt::Monday) << QDate(2026, 3, 9);
        QTest::newRow("grid from Sunday") << "grid" << int(Qt::Sunday) << QDate(2026, 3, 8);
        QTest::newRow("week from Thursday") << "week" << int(Qt::Thursday) << QDate(2026, 3, 5);
    }

    void windowStartsOnTheWeekInWeekAndGridViews()
    {
        QFETCH(QString, mode);
        QFETCH(int, firstDay);
        QFETCH(QDate, expected);
        QCOMPARE(AgendaDays::windowStart(QDate(2026, 3, 11), mode, Qt::DayOfWeek(firstDay)), expected);
    }
};

QTEST_APPLESS_MAIN(TestAgendaDays)
#include "tst_agendadays.moc"
