#include "app/appstate.h"
#include "tests/support/widgetfixture.h"
#include "ui/popovers/eventdetailspopover.h"
#include "views/weekgrid/weekgridview.h"
#include "views/weekgrid/weekgridwidget.h"

#include <QLayout>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QDate Day(2026, 3, 10);

} // namespace

class TestWeekGridView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void columnsFollowTheWidth_data();
    void columnsFollowTheWidth();
    void cardsOverflowAtTheMinimumRow_data();
    void cardsOverflowAtTheMinimumRow();
    void lineTexts_data();
    void lineTexts();
    void allDayEventOnTheFirstDayIsShownInEveryZone();
    void clicksOnCardsAndGaps();

private:
    WeekGridView *view(const QSize &size);

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<WeekGridView> m_view;
};

void TestWeekGridView::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_fixture->state()->setCurrentDate(Day);
}

void TestWeekGridView::cleanup()
{
    EventDetailsPopover::closeCurrent();
    m_view.reset();
    m_fixture.reset();
}

WeekGridView *TestWeekGridView::view(const QSize &size)
{
    m_view = std::make_unique<WeekGridView>(m_fixture->state());
    m_view->setPopoverFactory([](AppState *, const Event &, QWidget *) -> QWidget * { return nullptr; });
    m_view->layout()->setContentsMargins(0, 0, 0, 0);
    m_view->widget()->setMinimumSize(0, 0);
    m_view->resize(size);
    // The days are read off the GUI thread and fill in a moment later.
    if (!QTest::qWaitFor([this] { return !m_view->isLoading(); }, 20000))
        qWarning("the days did not load");
    m_view->widget()->grab();
    return m_view.get();
}

void TestWeekGridView::columnsFollowTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rowHeight");
    QTest::newRow("1759: four by two") << 1759 << 4 << 300;
    QTest::newRow("1760: one row of eight") << 1760 << 8 << 600;
    QTest::newRow("880: four") << 880 << 4 << 300;
    QTest::newRow("879: two") << 879 << 2 << 150;
    QTest::newRow("439: one column, rows at least 120") << 439 << 1 << 120;
}

void TestWeekGridView::columnsFollowTheWidth()
{
    QFETCH(int, width);
    QFETCH(int, columns);
    QFETCH(int, rowHeight);
    WeekGridView *v = view(QSize(width, 600));
    const QList<WeekGridWidget::DayHit> &cards = v->widget()->dayHits();
    QCOMPARE(cards.size(), 8);
    const int pitch = width / columns;
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(cards.at(i).date, Day.addDays(i));
        QCOMPARE(cards.at(i).rect,
                 QRect((i % columns) * pitch + 3, (i / columns) * rowHeight + 3, pitch - 6, rowHeight - 6));
    }
}

void TestWeekGridView::cardsOverflowAtTheMinimumRow_data()
{
    QTest::addColumn<bool>("compact");
    QTest::addColumn<int>("events");
    QTest::addColumn<int>("pills");
    QTest::addColumn<QString>("overflow");
    QTest::newRow("two fit") << false << 2 << 2 << "";
    QTest::newRow("three: one and the rest") << false << 3 << 1 << "+2 more";
    QTest::newRow("compact holds three") << true << 3 << 3 << "";
    QTest::newRow("compact, five") << true << 5 << 2 << "+3 more";
}

void TestWeekGridView::cardsOverflowAtTheMinimumRow()
{
    QFETCH(bool, compact);
    QFETCH(int, events);
    QFETCH(int, pills);
    QFETCH(QString, overflow);
    // Listed in order of start, whatever the store's order.
    for (int i = events - 1; i >= 0; --i) {
        const QDateTime start(Day, QTime(8 + i, 0));
        m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("E%1").arg(i), start, start.addSecs(1800)));
    }
    m_fixture->state()->setDensity(QStringLiteral("grid"), compact ? QStringLiteral("compact") : QStringLiteral("comfortable"));
    // One column of eight rows at the 120-pixel minimum.
    WeekGridView *v = view(QSize(400, 960));
    QCOMPARE(v->widget()->isCompact(), compact);
    QCOMPARE(v->widget()->eventHits().size(), pills);
    if (pills > 0)
        QCOMPARE(v->widget()->eventHits().first().occurrenceStart, QDateTime(Day, QTime(8, 0)));
    QCOMPARE(v->widget()->overflowTexts().value(Day), overflow);
}

void TestWeekGridView::lineTexts_data()
{
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QString>("text");
    QTest::newRow("all day") << true << QTime(0, 0) << "• Offsite";
    QTest::newRow("half past midnight") << false << QTime(0, 30) << "12:30a  Offsite";
    QTest::newRow("just after noon") << false << QTime(12, 5) << "12:05p  Offsite";
    QTest::newRow("morning") << false << QTime(9, 5) << "9:05a  Offsite";
}

void TestWeekGridView::lineTexts()
{
    QFETCH(bool, allDay);
    QFETCH(QTime, start);
    QFETCH(QString, text);
    Event event = WidgetFixture::timedEvent(QStringLiteral("Offsite"), QDateTime(Day, start), std::nullopt);
    event.is_all_day = allDay;
    QCOMPARE(WeekGridWidget::lineText(event), text);
    event.title.clear();
    QCOMPARE(WeekGridWidget::lineText(event), QString());
}

void TestWeekGridView::allDayEventOnTheFirstDayIsShownInEveryZone()
{
    const Event offsite = m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Offsite"), Day, Day.addDays(2)));
    // Occurrences of an all-day series are filed by their date as well.
    Event weekly = WidgetFixture::allDayEvent(QStringLiteral("Bins"), Day.addDays(-14), Day.addDays(-13));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    m_fixture->addEvent(weekly);
    // Began the day before: shown nowhere, only on its start day.
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Trip"), QDateTime(Day.addDays(-1), QTime(9, 0)),
                                                  QDateTime(Day.addDays(1), QTime(9, 0))));
    WeekGridView *v = view(QSize(1760, 400));
    QStringList cards;
    for (const EventHitRect &hit : v->widget()->eventHits()) {
        for (const WeekGridWidget::DayHit &card : v->widget()->dayHits()) {
            if (card.rect.contains(hit.rect))
                cards << QString::number(Day.daysTo(card.date)) + (hit.eventId == offsite.id ? "o" : "w");
        }
    }
    cards.sort();
    QCOMPARE(cards, QStringList({"0o", "0w", "7w"}));

    // As a provider hands it over: midnight UTC of its first day.
    Event fromServer = offsite;
    fromServer.start_time = QDateTime(Day, QTime(0, 0), Qt::UTC);
    fromServer.end_time = QDateTime(Day.addDays(2), QTime(0, 0), Qt::UTC);
    v->widget()->setContent(Day, {fromServer}, {}, {}, {});
    v->widget()->grab();
    QCOMPARE(v->widget()->eventHits().size(), 1);
    QVERIFY(v->widget()->dayHits().first().rect.contains(v->widget()->eventHits().first().rect));
}

void TestWeekGridView::clicksOnCardsAndGaps()
{
    const Event lunch = m_fixture->addEvent(WidgetFixture::timedEvent(
        QStringLiteral("Lunch"), QDateTime(Day.addDays(1), QTime(12, 0)), QDateTime(Day.addDays(1), QTime(13, 0))));
    WeekGridView *v = view(QSize(880, 600));
    QSignalSpy days(v, &WeekGridView::dayActivated);
    QSignalSpy selected(v->widget(), &WeekGridWidget::eventSelected);
    QTest::mouseClick(v->widget(), Qt::LeftButton, {}, v->widget()->eventHits().first().rect.center());
    QCOMPARE(m_fixture->state()->selectedEventId(), lunch.id);
    QTest::mouseClick(v->widget(), Qt::LeftButton, {}, v->widget()->dayHits().at(5).rect.bottomLeft() + QPoint(20, -20));
    QTest::mouseClick(v->widget(), Qt::LeftButton, {}, QPoint(220, 150)); // between two cards
    QCOMPARE(days, QList<QVariantList>({{Day.addDays(5)}}));
    QCOMPARE(selected.size(), 2);
    QCOMPARE(selected.last(), QVariantList({QString(), QDateTime(), QRect()}));
    QCOMPARE(m_fixture->state()->selectedEventId(), QString());
}

QTEST_MAIN(TestWeekGridView)
#include "tst_weekgridview.moc"
