#include "app/appstate.h"
#include "app/edits/undostack.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "tests/views/undoneedit.h"
#include "ui/popovers/eventdetailspopover.h"
#include "views/common/alldaystrip.h"
#include "views/week/weektimelinewidget.h"
#include "views/week/weekview.h"

#include <QLabel>
#include <QLocale>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

#include <memory>

namespace {

// A Tuesday; the fixture's clock reads 09:30 on it.
const QDate Day(2026, 3, 10);

} // namespace

class TestWeekView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void rangeFollowsModeFirstDayAndHorizon_data();
    void rangeFollowsModeFirstDayAndHorizon();
    void dayHeadersNameTheDaysInTheDefaultLanguage_data();
    void dayHeadersNameTheDaysInTheDefaultLanguage();
    void loadsTheRangeIntoBothWidgets();
    void unknownGroupLeavesTheWidgetsEmpty();
    void refreshWithTheSameDateDoesNotReload();
    void firstShowScrollsToTheWorkingDay_data();
    void firstShowScrollsToTheWorkingDay();
    void dayDeltaMoveGoesThroughUndoAndPending();
    void dayDeltaMoveOffersNoUndoWhenTheWriteFails();
    void controlWheelZoomsByEightUpTo200();
    void densityFollowsOnlyItsOwnModesSetting_data();
    void densityFollowsOnlyItsOwnModesSetting();
    void nextDayPartOfAnOvernightSeriesOpensItsOccurrence();
    void clickAfterNewEventsHitsOnlyTheNewBlocks();
    void narrowViewScrollsHeaderAndColumnsTogether();
    void reloadsWhenEventsOrFiltersChangeUnderIt();

private:
    WeekView *view(bool weekMode);
    Event synced(const QDateTime &start, const QDateTime &end);

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<WeekView> m_view;
};

void TestWeekView::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
}

void TestWeekView::cleanup()
{
    EventDetailsPopover::closeCurrent();
    m_view.reset();
    m_fixture.reset();
}

WeekView *TestWeekView::view(bool weekMode)
{
    m_view = std::make_unique<WeekView>(m_fixture->state(), weekMode);
    m_view->setClock(m_fixture->clock());
    m_view->refresh(Day);
    m_view->resize(1200, 700);
    // The days are read off the GUI thread and fill in a moment later.
    if (!QTest::qWaitFor([this] { return !m_view->isLoading(); }, 20000))
        qWarning("the days did not load");
    return m_view.get();
}

Event TestWeekView::synced(const QDateTime &start, const QDateTime &end)
{
    Event event = WidgetFixture::timedEvent(QStringLiteral("Planning"), start, end);
    event.etag = QStringLiteral("\"etag-1\"");
    event.href = QStringLiteral("/cal/planning.ics");
    event.sync_status = SyncStatus::Synced;
    return m_fixture->addEvent(event);
}

void TestWeekView::rangeFollowsModeFirstDayAndHorizon_data()
{
    QTest::addColumn<bool>("weekMode");
    QTest::addColumn<int>("firstDay");
    QTest::addColumn<int>("horizon");
    QTest::addColumn<QDate>("viewDate");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<int>("days");
    QTest::newRow("week from Monday") << true << 1 << 7 << QDate(2024, 3, 10) << QDate(2024, 3, 4) << 7;
    QTest::newRow("week from Sunday") << true << 7 << 7 << QDate(2024, 3, 10) << QDate(2024, 3, 10) << 7;
    QTest::newRow("week across the year") << true << 1 << 7 << QDate(2026, 1, 1) << QDate(2025, 12, 29) << 7;
    QTest::newRow("days, horizon 1") << false << 1 << 1 << QDate(2024, 3, 10) << QDate(2024, 3, 10) << 2;
    QTest::newRow("days, horizon 14") << false << 1 << 14 << QDate(2024, 3, 10) << QDate(2024, 3, 10) << 14;
}

void TestWeekView::rangeFollowsModeFirstDayAndHorizon()
{
    QFETCH(bool, weekMode);
    QFETCH(int, firstDay);
    QFETCH(int, horizon);
    QFETCH(QDate, viewDate);
    QFETCH(QDate, first);
    QFETCH(int, days);
    AppState *state = m_fixture->state();
    QVERIFY(state->preferences()->setInt(QStringLiteral("ui/weekStartDay"), firstDay));
    state->setWeekHorizon(horizon);
    WeekView *v = view(weekMode);
    v->refresh(viewDate);
    QTRY_VERIFY(!v->isLoading());
    QCOMPARE(v->rangeStart(), first);
    QCOMPARE(v->dayCount(), days);
    QCOMPARE(v->timeline()->rangeStart(), first);
    QCOMPARE(v->timeline()->dayCount(), days);
    QCOMPARE(v->headerLabels().size(), days);
    QCOMPARE(v->headerLabels().first()->text(), first.toString(QStringLiteral("ddd\nMMM d")));
}

void TestWeekView::dayHeadersNameTheDaysInTheDefaultLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("monday");
    QTest::addColumn<QString>("sunday");
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "Mo.\nMärz 9" << "So.\nMärz 15";
    QTest::newRow("Japanese") << QLocale(QLocale::Japanese, QLocale::Japan) << "月\n3月 9" << "日\n3月 15";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "Mon\nMar 9" << "Sun\nMar 15";
}

void TestWeekView::dayHeadersNameTheDaysInTheDefaultLanguage()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, monday);
    QFETCH(QString, sunday);
    const QLocale before;
    QLocale::setDefault(locale);
    QVERIFY(m_fixture->state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1));
    const QList<QLabel *> labels = view(true)->headerLabels();
    QStringList texts;
    for (const QLabel *label : labels)
        texts << label->text();
    QLocale::setDefault(before);
    QCOMPARE(texts.size(), 7);
    QCOMPARE(texts.first(), monday);
    QCOMPARE(texts.last(), sunday);
}

void TestWeekView::loadsTheRangeIntoBothWidgets()
{
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Day, QTime(9, 0)),
                                                  QDateTime(Day, QTime(9, 30))));
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Next week"), QDateTime(Day.addDays(7), QTime(9, 0)),
                                                  QDateTime(Day.addDays(7), QTime(10, 0))));
    m_fixture->addEvent(WidgetFixture::allDayEvent(QStringLiteral("Offsite"), Day.addDays(1), Day.addDays(3)));
    QVERIFY(m_fixture->state()->preferences()->setInt(QStringLiteral("ui/weekStartDay"), 1));
    WeekView *v = view(true);
    v->timeline()->grab();
    QCOMPARE(v->timeline()->hitRects().size(), 1);
    QCOMPARE(v->timeline()->hitRects().first().rect.left(), 64 + v->timeline()->columnWidth() + 4);
    QCOMPARE(v->allDayStrip()->lanes().size(), 1);
    QCOMPARE(v->allDayStrip()->lanes().first().startCol, 2);
    QCOMPARE(v->allDayStrip()->lanes().first().endCol, 3);
    // Today's label is bold.
    QVERIFY(v->headerLabels().at(1)->font().bold());
    QVERIFY(!v->headerLabels().at(0)->font().bold());
}

void TestWeekView::unknownGroupLeavesTheWidgetsEmpty()
{
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Day, QTime(9, 0)),
                                                  QDateTime(Day, QTime(9, 30))));
    m_fixture->state()->setActiveViewId(QStringLiteral("no-such-group"));
    WeekView *v = view(true);
    v->timeline()->grab();
    QCOMPARE(v->timeline()->hitRects().size(), 0);
    QCOMPARE(v->headerLabels().size(), 7);
}

void TestWeekView::refreshWithTheSameDateDoesNotReload()
{
    WeekView *v = view(true);
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Day, QTime(9, 0)),
                                                  QDateTime(Day, QTime(9, 30))));
    v->refresh(Day);
    QVERIFY(!v->isLoading());
    v->timeline()->grab();
    QCOMPARE(v->timeline()->hitRects().size(), 0);
    v->refresh(Day.addDays(1));
    QTRY_VERIFY(!v->isLoading());
    v->timeline()->grab();
    QCOMPARE(v->timeline()->hitRects().size(), 1);
}

void TestWeekView::firstShowScrollsToTheWorkingDay_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDate>("viewDate");
    QTest::addColumn<int>("hour");
    QTest::addColumn<bool>("third");
    QTest::newRow("inside the working day") << QDateTime(Day, QTime(11, 0)) << Day << 8 << false;
    QTest::newRow("evening with today shown") << QDateTime(Day, QTime(20, 0)) << Day << 20 << true;
    QTest::newRow("evening, today not shown") << QDateTime(Day, QTime(20, 0)) << Day.addDays(14) << 8 << false;
}

void TestWeekView::firstShowScrollsToTheWorkingDay()
{
    QFETCH(QDateTime, now);
    QFETCH(QDate, viewDate);
    QFETCH(int, hour);
    QFETCH(bool, third);
    m_fixture->setNow(now);
    WeekView *v = view(true);
    v->refresh(viewDate);
    v->show();
    QTRY_VERIFY(!v->isFirstShowPending());
    const int viewport = v->scrollArea()->viewport()->height();
    const int expected = hour * v->timeline()->hourPixels() - (third ? viewport / 3 : 0);
    QCOMPARE(v->scrollArea()->verticalScrollBar()->value(), std::min(expected, v->scrollArea()->verticalScrollBar()->maximum()));
}

void TestWeekView::dayDeltaMoveGoesThroughUndoAndPending()
{
    const Event before = synced(QDateTime(Day, QTime(9, 0)), QDateTime(Day, QTime(10, 0)));
    WeekView *v = view(true);
    QSignalSpy labels(m_fixture->state()->undoStack(), &UndoStack::undone);
    v->onEventMoveRequested(before.id, before.start_time, 2, 45);
    Event moved = m_fixture->storedEvent(before.id);
    QCOMPARE(moved.start_time, QDateTime(Day.addDays(2), QTime(9, 45)));
    QCOMPARE(*moved.end_time, QDateTime(Day.addDays(2), QTime(10, 45)));
    QCOMPARE(moved.sync_status, SyncStatus::Pending);
    QCOMPARE(m_fixture->state()->undoStack()->count(), 1);

    // The move reached the server; the undo is a new change to push.
    QVERIFY(m_fixture->state()->events()->markSynced(before.id, before.href, QStringLiteral("\"etag-2\"")));
    m_fixture->state()->undoStack()->undo();
    QCOMPARE(labels.value(0).value(0).toString(), QStringLiteral("Moved \"Planning\""));
    const Event restored = m_fixture->storedEvent(before.id);
    Event expected = undoneEdit(before, restored, 1);
    expected.etag = QStringLiteral("\"etag-2\"");
    QCOMPARE(restored, expected);
}

void TestWeekView::dayDeltaMoveOffersNoUndoWhenTheWriteFails()
{
    const Event before = synced(QDateTime(Day, QTime(9, 0)), QDateTime(Day, QTime(10, 0)));
    WeekView *v = view(true);
    QVERIFY(m_fixture->failEventWrites());
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    v->onEventMoveRequested(before.id, before.start_time, -1, 0);
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(answerer.seen().first().startsWith(QStringLiteral("QMessageBox \"Planning\" could not be stored")));
    QCOMPARE(m_fixture->storedEvent(before.id), before);
    QCOMPARE(m_fixture->state()->undoStack()->count(), 0);
}

void TestWeekView::controlWheelZoomsByEightUpTo200()
{
    AppState *state = m_fixture->state();
    state->setHourHeight(190);
    WeekView *v = view(false);
    Q_EMIT v->timeline()->zoomRequested(1);
    QCOMPARE(state->hourHeight(), 198);
    QCOMPARE(v->timeline()->hourHeight(), 198);
    Q_EMIT v->timeline()->zoomRequested(1);
    QCOMPARE(v->timeline()->hourHeight(), 200);
}

void TestWeekView::densityFollowsOnlyItsOwnModesSetting_data()
{
    QTest::addColumn<bool>("weekMode");
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("other");
    QTest::newRow("week") << true << QStringLiteral("week") << QStringLiteral("days");
    QTest::newRow("days") << false << QStringLiteral("days") << QStringLiteral("week");
}

void TestWeekView::densityFollowsOnlyItsOwnModesSetting()
{
    QFETCH(bool, weekMode);
    QFETCH(QString, own);
    QFETCH(QString, other);
    const QString compact = QStringLiteral("compact");
    const QString comfortable = QStringLiteral("comfortable");
    AppState *state = m_fixture->state();
    state->setDensity(own, compact);
    WeekView *v = view(weekMode);
    QList<bool> seen{v->timeline()->isCompact()};
    state->setDensity(other, comfortable);
    seen << v->timeline()->isCompact();
    state->setDensity(own, comfortable);
    seen << v->timeline()->isCompact();
    state->setDensity(other, compact);
    seen << v->timeline()->isCompact();
    QCOMPARE(seen, QList<bool>({true, true, false, false}));
}


// The point at `time` in the column of `date`.
static QPoint pointAt(WeekTimelineWidget *t, const QDate &date, const QTime &time)
{
    const int column = int(t->rangeStart().daysTo(date));
    return QPoint(64 + column * t->columnWidth() + t->columnWidth() / 2, t->timeToY(time));
}

void TestWeekView::nextDayPartOfAnOvernightSeriesOpensItsOccurrence()
{
    Event nightly = WidgetFixture::timedEvent(QStringLiteral("Night shift"), QDateTime(Day.addDays(-2), QTime(22, 0)),
                                              QDateTime(Day.addDays(-1), QTime(2, 0)));
    nightly.recurrence_rule = QStringLiteral("FREQ=DAILY");
    nightly.timezone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    nightly = m_fixture->addEvent(nightly);
    WeekTimelineWidget *t = view(true)->timeline();
    t->grab();
    QTest::mouseClick(t, Qt::LeftButton, {}, pointAt(t, Day, QTime(1, 0)));
    Event expected = nightly;
    expected.start_time = QDateTime(Day.addDays(-1), QTime(22, 0));
    expected.end_time = QDateTime(Day, QTime(2, 0));
    QVERIFY(EventDetailsPopover::current());
    QCOMPARE(EventDetailsPopover::current()->event(), expected);
}

void TestWeekView::clickAfterNewEventsHitsOnlyTheNewBlocks()
{
    const auto hour = [](const char *id, int from) {
        Event event = WidgetFixture::timedEvent(QString::fromLatin1(id), QDateTime(Day, QTime(from, 0)),
                                                QDateTime(Day, QTime(from + 1, 0)));
        event.id = event.title;
        return event;
    };
    WeekTimelineWidget *t = view(true)->timeline();
    const QDate first = t->rangeStart();
    t->setEvents(first, 7, {hour("early", 9)}, {}, {}, {});
    t->grab();
    t->setEvents(first, 7, {hour("late", 14)}, {}, {}, {});
    QSignalSpy selected(t, &WeekTimelineWidget::eventSelected);
    QTest::mouseClick(t, Qt::LeftButton, {}, pointAt(t, Day, QTime(9, 30)));
    QTest::mouseClick(t, Qt::LeftButton, {}, pointAt(t, Day, QTime(14, 30)));
    QCOMPARE(selected.size(), 2);
    QCOMPARE(QVariantList({selected.at(0).at(0), selected.at(1).at(0), selected.at(1).at(1)}),
             QVariantList({QString(), QStringLiteral("late"), QDateTime(Day, QTime(14, 0))}));
}
// Where seven columns cannot fit, the labels move with their columns.
void TestWeekView::narrowViewScrollsHeaderAndColumnsTogether()
{
    WeekView *v = view(true);
    v->resize(300, 600);
    v->show();
    QVERIFY(QTest::qWaitForWindowExposed(v));
    QScrollBar *sideways = v->sidewaysScrollArea()->horizontalScrollBar();
    QTRY_VERIFY(sideways->isVisible());
    for (int value : {0, sideways->maximum()}) {
        sideways->setValue(value);
        WeekTimelineWidget *t = v->timeline();
        QList<int> labelCentres;
        QList<int> columnCentres;
        for (int i = 0; i < 7; ++i) {
            const QLabel *label = v->headerLabels().at(i);
            labelCentres << label->mapTo(v, QPoint(label->width() / 2, 0)).x();
            columnCentres << t->mapTo(v, pointAt(t, t->rangeStart().addDays(i), QTime(0, 0))).x();
        }
        QCOMPARE(labelCentres, columnCentres);
    }
}

// The page reloads on its loader's notice, not on the store's signals.
void TestWeekView::reloadsWhenEventsOrFiltersChangeUnderIt()
{
    WeekTimelineWidget *t = view(true)->timeline();
    const auto shown = [t] {
        t->grab();
        return t->hitRects().size();
    };
    QCOMPARE(shown(), 0);
    m_fixture->addEvent(WidgetFixture::timedEvent(QStringLiteral("Gym"), QDateTime(Day, QTime(18, 0)),
                                                  QDateTime(Day, QTime(19, 0))));
    QTRY_COMPARE(shown(), 1);
    FilterRule hide;
    hide.id = hide.name = QStringLiteral("no-gym");
    hide.type = QStringLiteral("pattern");
    hide.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"gym\"]}");
    QVERIFY(m_fixture->state()->filterRules()->insert(hide));
    QTRY_COMPARE(shown(), 0);
}

QTEST_MAIN(TestWeekView)
#include "tst_weekview.moc"
