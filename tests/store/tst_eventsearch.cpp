#include "store/eventrepository.h"
#include "tests/support/teststore.h"

#include <QTest>
#include <QTimeZone>

#include <memory>

// The search behind the search dialog: text, date range and calendars
// narrowed in one query, before its row limit.
class TestEventSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void rangeBoundsAreInclusive_data();
    void rangeBoundsAreInclusive();
    void onlyTheGivenCalendarsAreSearched();
    void limitCountsOnlyRowsInsideTheRange();
    void textMatchesLiterallyInsideTheRange_data();
    void textMatchesLiterallyInsideTheRange();

private:
    Event add(const QString &id, const QDateTime &start, const QString &calendarId = QStringLiteral("a"),
              const QString &title = QStringLiteral("Standup"));
    QStringList found(const QString &text, const QDateTime &from, const QDateTime &to,
                      const QStringList &calendars = {QStringLiteral("a"), QStringLiteral("b")}, int limit = 300);

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<EventRepository> m_repo;
};

void TestEventSearch::init()
{
    m_store = std::make_unique<TestStore>();
    QVERIFY(m_store->isOpen());
    QVERIFY(seedLocalCalendars(m_store->db(), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    m_repo = std::make_unique<EventRepository>(m_store->db());
}

void TestEventSearch::cleanup()
{
    m_repo.reset();
    m_store.reset();
}

Event TestEventSearch::add(const QString &id, const QDateTime &start, const QString &calendarId,
                           const QString &title)
{
    Event e;
    e.id = e.uid = id;
    e.calendar_id = calendarId;
    e.title = title;
    e.start_time = start;
    e.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    [&] { QVERIFY(m_repo->insert(e)); }();
    return e;
}

QStringList TestEventSearch::found(const QString &text, const QDateTime &from, const QDateTime &to,
                                   const QStringList &calendars, int limit)
{
    QStringList ids;
    for (const Event &e : m_repo->searchInRange(text, from, to, calendars, limit))
        ids.append(e.id);
    return ids;
}

void TestEventSearch::rangeBoundsAreInclusive_data()
{
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    QTest::addColumn<QStringList>("expected");
    const QDate day(2026, 3, 10);
    // Stored: "before" 08:59, "first" 09:00, "last" 17:00, "after" 17:01 on
    // the day, and an all-day event on the day and on the next day.
    QTest::newRow("exact edges") << QDateTime(day, QTime(9, 0)) << QDateTime(day, QTime(17, 0))
                                 << QStringList{QStringLiteral("first"), QStringLiteral("last")};
    QTest::newRow("from midnight takes the all-day event")
        << QDateTime(day, QTime(0, 0)) << QDateTime(day, QTime(23, 59))
        << QStringList{QStringLiteral("allday"), QStringLiteral("before"), QStringLiteral("first"),
                       QStringLiteral("last"), QStringLiteral("after")};
    QTest::newRow("from after midnight leaves the all-day event out")
        << QDateTime(day, QTime(0, 1)) << QDateTime(day.addDays(1), QTime(0, 0))
        << QStringList{QStringLiteral("before"), QStringLiteral("first"), QStringLiteral("last"),
                       QStringLiteral("after"), QStringLiteral("nextday")};
    QTest::newRow("reversed range finds nothing") << QDateTime(day, QTime(17, 0)) << QDateTime(day, QTime(9, 0))
                                                  << QStringList{};
}

void TestEventSearch::rangeBoundsAreInclusive()
{
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    QFETCH(QStringList, expected);
    const QDate day(2026, 3, 10);
    add(QStringLiteral("before"), QDateTime(day, QTime(8, 59)));
    add(QStringLiteral("first"), QDateTime(day, QTime(9, 0)));
    add(QStringLiteral("last"), QDateTime(day, QTime(17, 0)));
    add(QStringLiteral("after"), QDateTime(day, QTime(17, 1)));
    Event allDay = add(QStringLiteral("allday"), QDateTime(day, QTime(0, 0)));
    allDay.is_all_day = true;
    QVERIFY(m_repo->update(allDay));
    Event next = add(QStringLiteral("nextday"), QDateTime(day.addDays(1), QTime(0, 0)));
    next.is_all_day = true;
    QVERIFY(m_repo->update(next));
    QStringList ids = found(QStringLiteral("standup"), from, to);
    ids.sort();
    expected.sort();
    QCOMPARE(ids, expected);
}

void TestEventSearch::onlyTheGivenCalendarsAreSearched()
{
    const QDateTime start(QDate(2026, 3, 10), QTime(9, 0));
    add(QStringLiteral("in-a"), start, QStringLiteral("a"));
    add(QStringLiteral("in-b"), start.addSecs(60), QStringLiteral("b"));
    add(QStringLiteral("in-c"), start.addSecs(120), QStringLiteral("c"));
    const Event gone = add(QStringLiteral("deleted"), start.addSecs(180), QStringLiteral("a"));
    QVERIFY(m_repo->remove(gone.id));
    const QDateTime from = start.addDays(-1);
    const QDateTime to = start.addDays(1);
    QCOMPARE(found(QStringLiteral("standup"), from, to, {QStringLiteral("a"), QStringLiteral("c")}),
             (QStringList{QStringLiteral("in-a"), QStringLiteral("in-c")}));
    QCOMPARE(found(QStringLiteral("standup"), from, to, {QStringLiteral("b")}), QStringList{QStringLiteral("in-b")});
    QCOMPARE(found(QStringLiteral("standup"), from, to, {}), QStringList{});
}

// 400 matching events before the range and one inside it: a limit applied
// before the range would see only the early ones and report nothing.
void TestEventSearch::limitCountsOnlyRowsInsideTheRange()
{
    const QDateTime early(QDate(2020, 1, 1), QTime(9, 0), QTimeZone::utc());
    for (int i = 0; i < 400; ++i)
        add(QStringLiteral("early-%1").arg(i), early.addSecs(3600LL * i));
    add(QStringLiteral("hidden-calendar"), QDateTime(QDate(2026, 3, 10), QTime(8, 0)), QStringLiteral("c"));
    add(QStringLiteral("inside"), QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
    const QDateTime from(QDate(2026, 3, 1), QTime(0, 0));
    const QDateTime to(QDate(2026, 3, 31), QTime(0, 0));
    QCOMPARE(found(QStringLiteral("standup"), from, to, {QStringLiteral("a")}, 300),
             QStringList{QStringLiteral("inside")});
    QCOMPARE(found(QStringLiteral("standup"), early, early.addDays(100), {QStringLiteral("a")}, 5).size(), 5);
}

void TestEventSearch::textMatchesLiterallyInsideTheRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("percent") << QStringLiteral("%") << QStringList{QStringLiteral("percent")};
    QTest::newRow("percent inside") << QStringLiteral("0% d") << QStringList{QStringLiteral("percent")};
    QTest::newRow("underscore") << QStringLiteral("a_b") << QStringList{QStringLiteral("underscore")};
    QTest::newRow("case-insensitive") << QStringLiteral("GOAL") << QStringList{QStringLiteral("percent"),
                                                                                QStringLiteral("thousand")};
    QTest::newRow("blank") << QStringLiteral("   ") << QStringList{};
}

void TestEventSearch::textMatchesLiterallyInsideTheRange()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    const QDateTime start(QDate(2026, 3, 10), QTime(9, 0));
    add(QStringLiteral("percent"), start, QStringLiteral("a"), QStringLiteral("Goal 100% done"));
    add(QStringLiteral("thousand"), start.addSecs(60), QStringLiteral("a"), QStringLiteral("Goal 1000 done"));
    add(QStringLiteral("underscore"), start.addSecs(120), QStringLiteral("a"), QStringLiteral("file a_b.txt"));
    add(QStringLiteral("axb"), start.addSecs(180), QStringLiteral("a"), QStringLiteral("file axb.txt"));
    QCOMPARE(found(text, start.addDays(-1), start.addDays(1)), expected);
}

QTEST_GUILESS_MAIN(TestEventSearch)
#include "tst_eventsearch.moc"
