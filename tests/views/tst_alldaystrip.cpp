#include "views/common/alldaystrip.h"
#include "views/common/timelinegeometry.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

const QDate Monday(2026, 3, 9);

// Days are counted from Monday; an end of -1 means none.
Event allDay(const char *id, int first, int endExclusive, Qt::TimeSpec spec = Qt::LocalTime)
{
    Event event;
    event.id = event.title = QString::fromLatin1(id);
    event.is_all_day = true;
    event.start_time = QDateTime(Monday.addDays(first), QTime(0, 0), spec);
    if (endExclusive >= 0)
        event.end_time = QDateTime(Monday.addDays(endExclusive), QTime(0, 0), spec);
    return event;
}

QStringList describe(const QList<AllDayStrip::Lane> &lanes)
{
    QStringList out;
    for (const AllDayStrip::Lane &lane : lanes)
        out << QStringLiteral("%1 %2-%3@%4").arg(lane.eventId).arg(lane.startCol).arg(lane.endCol).arg(lane.lane);
    out.sort();
    return out;
}

} // namespace

class TestAllDayStrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lanesFollowStoredDates();
    void fourLanesCollapseToChipsAndExpand();
    void clicksSelectOrClear();
    void columnsStopBeforeTheScrollBar();
    void gutterLabelFitsInEveryLanguage_data();
    void gutterLabelFitsInEveryLanguage();
};

void TestAllDayStrip::lanesFollowStoredDates()
{
    // The longer of two bars starting on Monday takes the lower lane; the
    // stored end is exclusive; bars are cut to the range.
    const QList<Event> events = {allDay("monday", 0, 1), allDay("noEnd", 2, -1), allDay("before", -3, 2),
                                 allDay("after", 5, 12), allDay("long", 0, 4), allDay("outside", 8, 9)};
    QCOMPARE(describe(AllDayStrip::layoutLanes(events, Monday, 7)),
             QStringList({"after 5-6@0", "before 0-1@1", "long 0-3@0", "monday 0-0@2", "noEnd 2-2@1"}));
    // A date handed over as midnight UTC is that date, also west of Greenwich.
    QCOMPARE(describe(AllDayStrip::layoutLanes({allDay("holiday", 1, 2, Qt::UTC)}, Monday, 7)),
             QStringList({"holiday 1-1@0"}));
}

void TestAllDayStrip::fourLanesCollapseToChipsAndExpand()
{
    AllDayStrip strip;
    strip.resize(64 + 7 * 100, 72);
    QList<Event> three = {allDay("e0", 0, 2), allDay("e1", 0, 3), allDay("e2", 0, 4)};
    strip.setEvents(64, Monday, 7, three, {}, {});
    strip.grab();
    QCOMPARE(strip.sizeHint().height(), 72);
    QCOMPARE(strip.hitRects().size(), 3);
    QVERIFY(strip.moreRects().isEmpty() && strip.collapseRect().isNull());

    strip.setEvents(64, Monday, 7, three << allDay("e3", 0, 5), {}, {});
    QCOMPARE(strip.laneCount(), 4);
    QCOMPARE(strip.sizeHint().height(), 72);
    strip.grab();
    QCOMPARE(strip.hitRects().size(), 2);
    // Hidden are Monday–Tuesday and Monday–Wednesday: a chip on three days.
    QCOMPARE(strip.moreRects().size(), 3);
    QCOMPARE(strip.moreRects().first(), QRect(66, 48, 96, 20));

    QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.moreRects().first().center());
    QCOMPARE(strip.sizeHint().height(), 108);
    strip.resize(strip.width(), 108);
    strip.grab();
    QCOMPARE(strip.hitRects().size(), 4);
    QCOMPARE(strip.collapseRect(), QRect(0, 94, strip.width(), 14));
    QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.collapseRect().center());
    QCOMPARE(strip.sizeHint().height(), 72);
}

void TestAllDayStrip::clicksSelectOrClear()
{
    AllDayStrip strip;
    strip.resize(764, 28);
    strip.setEvents(64, Monday, 7, {allDay("bar", 0, 1)}, {}, {});
    strip.grab();
    QSignalSpy selected(&strip, &AllDayStrip::eventSelected);
    QSignalSpy activated(&strip, &AllDayStrip::eventActivated);
    const QRect bar = strip.hitRects().first().rect;
    QTest::mouseClick(&strip, Qt::LeftButton, {}, bar.center());
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(700, 10));
    QCOMPARE(selected.size(), 2);
    QCOMPARE(selected.at(0), QVariantList({QStringLiteral("bar"), QRect(strip.mapToGlobal(bar.topLeft()), bar.size())}));
    QCOMPARE(selected.at(1), QVariantList({QString(), QRect()}));
    QTest::mouseDClick(&strip, Qt::LeftButton, {}, bar.center());
    QCOMPARE(activated.first().first().toString(), QStringLiteral("bar"));

    QSignalSpy menu(&strip, &AllDayStrip::eventContextRequested);
    for (const QPoint &pos : {bar.center(), QPoint(700, 10)}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, strip.mapToGlobal(pos));
        QCoreApplication::sendEvent(&strip, &event);
    }
    QCOMPARE(menu, QList<QVariantList>({{QStringLiteral("bar"), strip.mapToGlobal(bar.center())}}));
}

// Beside the timeline's scroll bar the day columns line up with the
// timeline's; without one they take the whole width.
void TestAllDayStrip::columnsStopBeforeTheScrollBar()
{
    QWidget view;
    view.resize(764, 300);
    auto *strip = new AllDayStrip(&view);
    strip->setGeometry(0, 0, 764, 28);
    auto *bar = new QScrollBar(Qt::Vertical, &view);
    bar->setGeometry(750, 28, 14, 272);
    strip->followScrollBar(bar);
    strip->setEvents(64, Monday, 7, {allDay("week", 0, 7)}, {}, {});
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    strip->grab();
    QCOMPARE(strip->hitRects().first().rect, QRect(66, 4, 7 * ((764 - 64 - 14) / 7) - 4, 20));

    bar->hide();
    strip->grab();
    QCOMPARE(strip->hitRects().first().rect, QRect(66, 4, 7 * ((764 - 64) / 7) - 4, 20));
    bar->show();
    strip->grab();
    QCOMPARE(strip->hitRects().first().rect.right(), 66 + 7 * 98 - 4 - 1);
}

QTEST_MAIN(TestAllDayStrip)
// The gutter is as wide as the timeline's hour labels; the label's words
// each fit in it, the longer translations drawn smaller, English as before.
void TestAllDayStrip::gutterLabelFitsInEveryLanguage_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("smaller");
    QTest::newRow("English") << QStringLiteral("all-day") << false;
    QTest::newRow("German") << QStringLiteral("ganztägig") << false;
    QTest::newRow("French") << QStringLiteral("toute la journée") << false;
    QTest::newRow("Spanish") << QStringLiteral("todo el día") << false;
    QTest::newRow("Japanese") << QStringLiteral("終日") << false;
    QTest::newRow("a word wider than the gutter") << QStringLiteral("Ganztagstermin") << true;
}

void TestAllDayStrip::gutterLabelFitsInEveryLanguage()
{
    QFETCH(QString, label);
    QFETCH(bool, smaller);
    const int width = TimelineGeometry::Gutter;
    AllDayStrip strip;
    const QFont font = AllDayStrip::gutterLabelFont(strip.font(), label, width);
    QCOMPARE(font.pointSizeF() < std::max(strip.font().pointSizeF() - 2, 7.0), smaller);
    QStringList tooWide;
    for (const QString &word : label.split(QLatin1Char(' '))) {
        if (QFontMetrics(font).horizontalAdvance(word) > width)
            tooWide << word;
    }
    QVERIFY2(tooWide.isEmpty(), qPrintable(tooWide.join(QLatin1Char(' '))));
}

#include "tst_alldaystrip.moc"
