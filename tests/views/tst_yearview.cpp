#include "app/appstate.h"
#include "store/preferencesrepository.h"
#include "tests/support/widgetfixture.h"
#include "views/year/yeargridwidget.h"
#include "views/year/yearview.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestYearView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void busyDaysCarryTheFirstEventsColour();
    void allDayEventsMarkTheirStoredDate();
    void newDateInsideTheYearDoesNotReload();
    void clickActivatesADayAlsoOutsideTheMonth();
    void monthsFitTheWidth_data();
    void monthsFitTheWidth();

private:
    YearView *view(const QDate &date);
    Event add(const QString &title, const QDateTime &start, const QString &color = QString());

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<YearView> m_view;
};

void TestYearView::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    QVERIFY(m_fixture->state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1));
}

void TestYearView::cleanup()
{
    m_view.reset();
    m_fixture.reset();
}

YearView *TestYearView::view(const QDate &date)
{
    m_view = std::make_unique<YearView>(m_fixture->state());
    m_view->setDate(date);
    m_view->resize(1100, 720);
    // The year is read off the GUI thread and fills in a moment later.
    if (!QTest::qWaitFor([this] { return !m_view->isLoading(); }, 20000))
        qWarning("the year did not load");
    return m_view.get();
}

Event TestYearView::add(const QString &title, const QDateTime &start, const QString &color)
{
    Event event = WidgetFixture::timedEvent(title, start, start.addSecs(3600));
    event.color = color;
    return m_fixture->addEvent(event);
}

void TestYearView::busyDaysCarryTheFirstEventsColour()
{
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("#0B8043"));
    add(QStringLiteral("Early"), QDateTime(QDate(2026, 5, 4), QTime(8, 0)), QStringLiteral("#D50000"));
    add(QStringLiteral("Later"), QDateTime(QDate(2026, 5, 4), QTime(15, 0)), QStringLiteral("#F4511E"));
    Event work = WidgetFixture::timedEvent(QStringLiteral("Work"), QDateTime(QDate(2026, 7, 1), QTime(9, 0)),
                                           QDateTime(QDate(2026, 7, 1), QTime(10, 0)), QStringLiteral("work"));
    m_fixture->addEvent(work);
    // Began the year before: only start days are marked.
    Event trip = WidgetFixture::timedEvent(QStringLiteral("Trip"), QDateTime(QDate(2025, 12, 30), QTime(9, 0)),
                                           QDateTime(QDate(2026, 1, 3), QTime(9, 0)));
    m_fixture->addEvent(trip);
    // A daily series marks every day it occurs.
    Event daily = WidgetFixture::timedEvent(QStringLiteral("Daily"), QDateTime(QDate(2026, 12, 29), QTime(7, 0)),
                                            QDateTime(QDate(2026, 12, 29), QTime(7, 30)));
    daily.recurrence_rule = QStringLiteral("FREQ=DAILY");
    m_fixture->addEvent(daily);
    YearView *v = view(QDate(2026, 2, 1));
    const QHash<QDate, QString> expected = {{QDate(2026, 5, 4), QStringLiteral("#D50000")},
                                            {QDate(2026, 7, 1), QStringLiteral("#0B8043")},
                                            {QDate(2026, 12, 29), QStringLiteral("#4285F4")},
                                            {QDate(2026, 12, 30), QStringLiteral("#4285F4")},
                                            {QDate(2026, 12, 31), QStringLiteral("#4285F4")}};
    QCOMPARE(v->grid()->dotColors(), expected);
    QCOMPARE(v->grid()->busyDays(), QSet<QDate>(expected.keyBegin(), expected.keyEnd()));
}

void TestYearView::allDayEventsMarkTheirStoredDate()
{
    // West of UTC the first day of the year would fall on December 31 and
    // leave the year unmarked.
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("New Year"), QDate(2026, 1, 1), QDate(2026, 1, 2)));
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Eve"), QDate(2026, 12, 31), QDate(2027, 1, 1)));
    Event birthday = WidgetFixture::allDayEvent(QStringLiteral("Birthday"), QDate(2020, 7, 4), QDate(2020, 7, 5));
    birthday.recurrence_rule = QStringLiteral("FREQ=YEARLY");
    m_fixture->addEvent(birthday);
    YearView *v = view(QDate(2026, 6, 1));
    QCOMPARE(v->grid()->busyDays(), QSet<QDate>({QDate(2026, 1, 1), QDate(2026, 7, 4), QDate(2026, 12, 31)}));

    // As a provider hands them over: midnight UTC of the day they name,
    // which west of UTC is the evening before.
    Event fromServer = WidgetFixture::allDayEvent(QStringLiteral("Holiday"), QDate(2026, 1, 1), QDate(2026, 1, 2));
    fromServer.start_time = QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    fromServer.end_time = QDateTime(QDate(2026, 1, 2), QTime(0, 0), Qt::UTC);
    fromServer.color = QStringLiteral("#D50000");
    const YearView::BusyDays busy = YearView::busyDaysOf({fromServer}, {}, 2026);
    QCOMPARE(busy.days, QSet<QDate>({QDate(2026, 1, 1)}));
    QCOMPARE(busy.dotColors.value(QDate(2026, 1, 1)), QStringLiteral("#D50000"));
}

void TestYearView::newDateInsideTheYearDoesNotReload()
{
    YearView *v = view(QDate(2026, 3, 10));
    // Stored without a turn of the event loop: only a reload can see it.
    add(QStringLiteral("Dentist"), QDateTime(QDate(2026, 4, 2), QTime(9, 0)));
    v->setDate(QDate(2026, 11, 30));
    QVERIFY(!v->isLoading());
    QTest::qWait(50);
    QCOMPARE(v->grid()->busyDays(), QSet<QDate>());
    QCOMPARE(v->date(), QDate(2026, 11, 30));
    v->setDate(QDate(2027, 1, 1));
    QVERIFY(v->isLoading());
    QTRY_COMPARE(v->grid()->year(), 2027);
    v->setDate(QDate(2026, 1, 1));
    QTRY_COMPARE(v->grid()->busyDays(), QSet<QDate>({QDate(2026, 4, 2)}));
}

void TestYearView::clickActivatesADayAlsoOutsideTheMonth()
{
    YearView *v = view(QDate(2026, 3, 10));
    v->grid()->grab();
    QSignalSpy activated(v, &YearView::dayActivated);
    // The first card is January; 2026 starts on a Thursday, so its grid
    // opens with Monday December 29.
    const QList<YearGridWidget::DayHit> &hits = v->grid()->hitRects();
    QCOMPARE(hits.size(), 12 * 42);
    QCOMPARE(hits.first().date, QDate(2025, 12, 29));
    QTest::mouseClick(v->grid(), Qt::LeftButton, {}, hits.first().rect.center());
    QTest::mouseClick(v->grid(), Qt::LeftButton, {}, hits.at(42 + 10).rect.center());
    QTest::mouseClick(v->grid(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(activated, QList<QVariantList>({{QDate(2025, 12, 29)}, {QDate(2026, 2, 5)}}));
}

void TestYearView::monthsFitTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("columns");
    // Three or four months would fit these two widths, but with their day
    // numbers run together.
    QTest::newRow("view of a 1024-pixel window") << 513 << 2;
    QTest::newRow("view of the default window") << 758 << 3;
    QTest::newRow("wide") << 1100 << 4;
    QTest::newRow("narrow") << 300 << 1;
}

// Every day of every month lies inside the view: a narrow view puts fewer
// months side by side and scrolls down to the rest.
void TestYearView::monthsFitTheWidth()
{
    QFETCH(int, width);
    QFETCH(int, columns);
    YearView *v = view(QDate(2026, 6, 1));
    v->resize(width, 700);
    v->show();
    QVERIFY(QTest::qWaitForWindowExposed(v));
    v->grid()->grab();
    const QList<YearGridWidget::DayHit> &hits = v->grid()->hitRects();
    QCOMPARE(hits.size(), 12 * 42);
    int right = 0;
    int monthsInFirstRow = 0;
    for (int month = 0; month < 12; ++month) {
        const QRect first = hits.at(month * 42).rect;
        right = std::max(right, v->grid()->mapTo(v, hits.at(month * 42 + 41).rect.topRight()).x());
        monthsInFirstRow += first.top() == hits.first().rect.top() ? 1 : 0;
    }
    QVERIFY2(right < width, qPrintable(QString::number(right)));
    QCOMPARE(monthsInFirstRow, columns);
}

QTEST_MAIN(TestYearView)
#include "tst_yearview.moc"
