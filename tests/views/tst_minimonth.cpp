#include "app/appstate.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "tests/support/widgetfixture.h"
#include "views/minimonth/minimonthcalendar.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <memory>

class TestMiniMonth : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        m_fixture->state()->setCurrentDate(QDate(2026, 3, 10));
    }
    void cleanup() { m_fixture.reset(); }

    void gridStartsOnTheFirstDayOfTheWeek_data()
    {
        QTest::addColumn<QDate>("month");
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<QDate>("gridStart");
        // March 2026 begins on a Sunday.
        QTest::newRow("Sunday start, month on a Sunday") << QDate(2026, 3, 1) << 7 << QDate(2026, 3, 1);
        QTest::newRow("Monday start, month on a Sunday") << QDate(2026, 3, 1) << 1 << QDate(2026, 2, 23);
        QTest::newRow("Sunday start, month on a Wednesday") << QDate(2026, 4, 1) << 7 << QDate(2026, 3, 29);
        QTest::newRow("Saturday start") << QDate(2026, 4, 1) << 6 << QDate(2026, 3, 28);
    }

    void gridStartsOnTheFirstDayOfTheWeek()
    {
        QFETCH(QDate, month);
        QFETCH(int, firstDay);
        QFETCH(QDate, gridStart);
        QVERIFY(m_fixture->state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), firstDay));
        m_fixture->state()->setCurrentDate(month);
        MiniMonthCalendar calendar(m_fixture->state());
        calendar.resize(240, 274);
        QCOMPARE(MiniMonthCalendar::gridStart(month, Qt::DayOfWeek(firstDay)), gridStart);
        // The first cell and the last cell show the grid's first and 42nd day.
        QCOMPARE(calendar.dayAt(MiniMonthCalendar::cellRect(0, 0, 240).center()), gridStart);
        QCOMPARE(calendar.dayAt(MiniMonthCalendar::cellRect(5, 6, 240).center()), gridStart.addDays(41));
        QCOMPARE(calendar.dayAt(QPoint(120, 20)), QDate());
    }

    void leftoverPixelsGoToTheLeftColumns()
    {
        QCOMPARE(MiniMonthCalendar::cellRect(0, 0, 240), QRect(4, 66, 34, 34));
        QCOMPARE(MiniMonthCalendar::cellRect(0, 1, 240), QRect(38, 66, 33, 34));
        QCOMPARE(MiniMonthCalendar::cellRect(5, 6, 240), QRect(203, 236, 33, 34));
    }

    void wheelPagesOnlyPastTheThreshold_data()
    {
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<int>("step");
        QTest::newRow("59 both ways") << QPoint(59, 59) << 0;
        QTest::newRow("-59 both ways") << QPoint(-59, -59) << 0;
        QTest::newRow("120 up") << QPoint(0, 120) << -1;
        QTest::newRow("60 down") << QPoint(0, -60) << 1;
        QTest::newRow("60 right") << QPoint(60, 0) << 1;
        QTest::newRow("vertical wins") << QPoint(-120, 120) << -1;
    }

    void wheelPagesOnlyPastTheThreshold()
    {
        QFETCH(QPoint, delta);
        QFETCH(int, step);
        MiniMonthCalendar calendar(m_fixture->state());
        calendar.resize(240, 274);
        QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), delta, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&calendar, &wheel);
        QCOMPARE(calendar.shownMonth(), QDate(2026, 3, 1).addMonths(step));
        QCOMPARE(wheel.isAccepted(), step != 0);
        // Paging never moves the current date.
        QCOMPARE(m_fixture->state()->currentDate(), QDate(2026, 3, 10));
    }

    void clickMakesTheDayCurrentAndFollowsIt()
    {
        QVERIFY(m_fixture->state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1));
        MiniMonthCalendar calendar(m_fixture->state());
        calendar.resize(240, 274);
        // Row 5, column 6 of March 2026 from Monday is April 5.
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, MiniMonthCalendar::cellRect(5, 6, 240).center());
        QCOMPARE(m_fixture->state()->currentDate(), QDate(2026, 4, 5));
        QCOMPARE(calendar.shownMonth(), QDate(2026, 4, 1));
    }

    void busyDaysFollowTheEventsTheViewsShow()
    {
        const QDate march(2026, 3, 1);
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Late"), QDateTime(QDate(2026, 3, 9), QTime(23, 0)),
                                                      QDateTime(QDate(2026, 3, 10), QTime(0, 0))));
        m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Trip"), QDate(2026, 3, 3), QDate(2026, 3, 5)));
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Gym"), QDateTime(QDate(2026, 3, 20), QTime(18, 0)),
                                                      QDateTime(QDate(2026, 3, 20), QTime(19, 0))));
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Dim me"), QDateTime(QDate(2026, 3, 21), QTime(8, 0)),
                                                      QDateTime(QDate(2026, 3, 21), QTime(9, 0))));
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Far"), QDateTime(QDate(2026, 6, 1), QTime(8, 0)),
                                                      std::nullopt));
        FilterRule hide;
        hide.id = hide.name = QStringLiteral("no-gym");
        hide.type = QStringLiteral("pattern");
        hide.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"gym\"]}");
        QVERIFY(m_fixture->state()->filterRules()->insert(hide));
        FilterRule dim = hide;
        dim.id = dim.name = QStringLiteral("dim");
        dim.action = QStringLiteral("dim");
        dim.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"dim me\"]}");
        QVERIFY(m_fixture->state()->filterRules()->insert(dim));

        QVERIFY(m_fixture->state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 7));
        MiniMonthCalendar calendar(m_fixture->state());
        QCOMPARE(calendar.shownMonth(), march);
        QSignalSpy loaded(&calendar, &MiniMonthCalendar::busyDaysLoaded);
        calendar.reloadBusyDays();
        QVERIFY(loaded.wait(20000));
        const QSet<QDate> expected{QDate(2026, 3, 3), QDate(2026, 3, 4), QDate(2026, 3, 9), QDate(2026, 3, 10),
                                   QDate(2026, 3, 21)};
        QCOMPARE(calendar.busyDays(), expected);
    }

    void busyDaysAreReadOnFirstShowAndAfterHiddenChangesOnTheNext()
    {
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Gym"), QDateTime(QDate(2026, 3, 12), QTime(18, 0)),
                                                      QDateTime(QDate(2026, 3, 12), QTime(19, 0))));
        MiniMonthCalendar calendar(m_fixture->state());
        calendar.resize(240, 274);
        QSignalSpy loaded(&calendar, &MiniMonthCalendar::busyDaysLoaded);
        QVERIFY(!loaded.wait(300));
        QVERIFY(calendar.isLoading());
        QVERIFY(calendar.busyDays().isEmpty());

        calendar.show();
        QVERIFY(loaded.wait(20000));
        QCOMPARE(calendar.busyDays(), QSet<QDate>{QDate(2026, 3, 12)});

        calendar.hide();
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Swim"), QDateTime(QDate(2026, 3, 14), QTime(8, 0)),
                                                      QDateTime(QDate(2026, 3, 14), QTime(9, 0))));
        QVERIFY(m_fixture->waitForEventsChanged());
        QVERIFY(!loaded.wait(300));
        calendar.show();
        QVERIFY(loaded.wait(20000));
        QCOMPARE(calendar.busyDays(), (QSet<QDate>{QDate(2026, 3, 12), QDate(2026, 3, 14)}));
    }

    void allDayEventsCoverTheirStoredDatesInEveryZone()
    {
        // An all-day event read as midnight UTC stays on its dates.
        Event trip;
        trip.is_all_day = true;
        trip.start_time = QDateTime(QDate(2026, 3, 3), QTime(0, 0), Qt::UTC);
        trip.end_time = QDateTime(QDate(2026, 3, 6), QTime(0, 0), Qt::UTC);
        QCOMPARE(MiniMonthCalendar::busyDaysOf({trip}, QDate(2026, 3, 1), QDate(2026, 4, 12)),
                 (QSet<QDate>{QDate(2026, 3, 3), QDate(2026, 3, 4), QDate(2026, 3, 5)}));
    }

private:
    std::unique_ptr<WidgetFixture> m_fixture;
};

QTEST_MAIN(TestMiniMonth)
#include "tst_minimonth.moc"
