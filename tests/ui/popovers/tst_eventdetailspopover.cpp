#include "app/appstate.h"
#include "app/undostack.h"
#include "store/eventrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/recordingfakes.h"
#include "tests/support/widgetfixture.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/popoverplacement.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Event)

namespace {

const QDate Monday(2025, 3, 3);

QLabel *label(QWidget *popover, const char *name)
{
    return popover->findChild<QLabel *>(QString::fromLatin1(name));
}

void click(QWidget *popover, const char *button)
{
    popover->findChild<QPushButton *>(QString::fromLatin1(button))->click();
}

} // namespace

class TestEventDetailsPopover : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void whenLine_data();
    void whenLine();
    void placementBesideTheAnchor_data();
    void placementBesideTheAnchor();
    void pressesElsewhereInTheWindowClose();
    void duplicateIsANewItemOfItsOwn();
    void deleteUndoRestoresTheStoredSeries();
    void storedTextStaysTextAndOnlyWebLinksOpen();
    void deletedEventClosesItsPopover();
    void editOfAnOccurrenceEditsTheSeries();

private:
    EventDetailsPopover *showPopover(const Event &event);

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<QWidget> m_window;
};

void TestEventDetailsPopover::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_window = std::make_unique<QWidget>();
    m_window->resize(800, 600);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestEventDetailsPopover::cleanup()
{
    EventDetailsPopover::closeCurrent();
    m_window.reset();
    m_fixture.reset();
}

EventDetailsPopover *TestEventDetailsPopover::showPopover(const Event &event)
{
    auto *popover = new EventDetailsPopover(m_fixture->state(), event, m_window.get());
    showPopoverCentered(popover);
    return popover;
}

void TestEventDetailsPopover::whenLine_data()
{
    QTest::addColumn<Event>("event");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one all-day")
        << WidgetFixture::allDayEvent(QStringLiteral("a"), Monday, Monday.addDays(1))
        << QStringLiteral("Monday, March 3, 2025  ·  All-day");
    QTest::newRow("all-day range")
        << WidgetFixture::allDayEvent(QStringLiteral("a"), Monday, Monday.addDays(3))
        << QStringLiteral("Monday, Mar 3 – Wednesday, Mar 5, 2025  ·  All-day");
    // A date that arrived as midnight UTC is still that date west of Greenwich.
    Event utcDate = WidgetFixture::allDayEvent(QStringLiteral("a"), Monday, Monday.addDays(1));
    utcDate.start_time = QDateTime(Monday, QTime(0, 0), Qt::UTC);
    utcDate.end_time = QDateTime(Monday.addDays(1), QTime(0, 0), Qt::UTC);
    QTest::newRow("all-day from UTC midnight") << utcDate << QStringLiteral("Monday, March 3, 2025  ·  All-day");
    QTest::newRow("timed")
        << WidgetFixture::timedEvent(QStringLiteral("t"), QDateTime(Monday, QTime(9, 0)), QDateTime(Monday, QTime(10, 30)))
        << QStringLiteral("Monday, March 3, 2025\n9:00 AM – 10:30 AM");
    QTest::newRow("ends another day")
        << WidgetFixture::timedEvent(QStringLiteral("t"), QDateTime(Monday, QTime(22, 0)),
                                     QDateTime(Monday.addDays(1), QTime(1, 0)))
        << QStringLiteral("Monday, March 3, 2025\n10:00 PM – Tuesday, March 4, 2025 1:00 AM");
    QTest::newRow("no end") << WidgetFixture::timedEvent(QStringLiteral("t"), QDateTime(Monday, QTime(9, 0)), std::nullopt)
                            << QStringLiteral("Monday, March 3, 2025\n9:00 AM");
}

void TestEventDetailsPopover::whenLine()
{
    QFETCH(Event, event);
    QFETCH(QString, expected);
    QCOMPARE(EventDetailsPopover::formatWhen(event, QStringLiteral("h:mm AP")), expected);
}

void TestEventDetailsPopover::placementBesideTheAnchor_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QString>("side");
    QTest::newRow("room on the right") << QRect(100, 100, 100, 40) << "right";
    QTest::newRow("at the right edge") << QRect(600, 100, 150, 40) << "left";
    QTest::newRow("no room either side") << QRect(250, 100, 300, 40) << "below";
    QTest::newRow("no room below either") << QRect(250, 590, 300, 8) << "above";
}

void TestEventDetailsPopover::placementBesideTheAnchor()
{
    QFETCH(QRect, anchor);
    QFETCH(QString, side);
    const Event event = m_fixture->addEvent(
        WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Monday, QTime(9, 0)), QDateTime(Monday, QTime(9, 15))));
    auto *popover = new EventDetailsPopover(m_fixture->state(), event, m_window.get());
    QCOMPARE(popover->parentWidget(), m_window.get());
    positionPopoverNear(popover, QRect(m_window->mapToGlobal(anchor.topLeft()), anchor.size()));
    QVERIFY(popover->isVisible());
    const QRect placed = popover->geometry();
    if (side == QLatin1String("right"))
        QCOMPARE(placed.left(), anchor.right() + 8);
    else if (side == QLatin1String("left"))
        QCOMPARE(placed.right(), anchor.left() - 8 - 1);
    else if (side == QLatin1String("below"))
        QCOMPARE(placed.top(), anchor.bottom() + 8);
    else
        QCOMPARE(placed.bottom(), anchor.top() - 8 - 1);
}

void TestEventDetailsPopover::pressesElsewhereInTheWindowClose()
{
    auto *behind = new QPushButton(QStringLiteral("behind"), m_window.get());
    behind->setGeometry(0, 0, 60, 30);
    behind->show();
    const Event event = m_fixture->addEvent(
        WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Monday, QTime(9, 0)), QDateTime(Monday, QTime(9, 15))));
    QPointer<EventDetailsPopover> popover = showPopover(event);
    QTest::mousePress(label(popover, "title"), Qt::LeftButton);
    QTest::mouseRelease(label(popover, "title"), Qt::LeftButton);
    QVERIFY(popover && popover->isVisible());

    QSignalSpy pressed(behind, &QPushButton::pressed);
    QTest::mousePress(behind, Qt::LeftButton);
    QCOMPARE(pressed.size(), 1);
    QTRY_VERIFY(!popover);

    QPointer<EventDetailsPopover> again = showPopover(event);
    QTest::keyClick(again, Qt::Key_Escape);
    QTRY_VERIFY(!again);
}

void TestEventDetailsPopover::duplicateIsANewItemOfItsOwn()
{
    Event original = WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Monday, QTime(9, 0)),
                                               QDateTime(Monday, QTime(9, 15)));
    original.etag = QStringLiteral("\"e1\"");
    original.href = QStringLiteral("/cal/standup.ics");
    original.provider_event_id = QStringLiteral("remote-standup");
    original.sync_status = QStringLiteral("synced");
    Reminder reminder;
    reminder.minutes_before = 10;
    original.reminders = {reminder};
    original = m_fixture->addEvent(original);
    QCOMPARE(original.reminders.size(), 1);

    click(showPopover(original), "duplicate");
    QList<Event> rows = m_fixture->state()->events()->getByCalendar(AppState::LocalCalendarId);
    QCOMPARE(rows.size(), 2);
    const Event copy = rows.at(0).id == original.id ? rows.at(1) : rows.at(0);
    QCOMPARE(copy.title, QStringLiteral("Standup (copy)"));
    QVERIFY(copy.uid != original.uid);
    QVERIFY(copy.etag.isEmpty() && copy.href.isEmpty() && copy.provider_event_id.isEmpty());
    QCOMPARE(copy.sync_status, QStringLiteral("pending"));
    QVERIFY(copy.raw_icalendar.contains(QStringLiteral("UID:") + copy.uid));
    QVERIFY(!copy.raw_icalendar.contains(original.uid));
    QCOMPARE(copy.reminders.size(), 1);
    QCOMPARE(copy.start_time, original.start_time);
    QCOMPARE(m_fixture->storedEvent(original.id).sync_status, QStringLiteral("synced"));

    Event untitled = original;
    untitled.title.clear();
    click(showPopover(untitled), "duplicate");
    rows = m_fixture->state()->events()->getByCalendar(AppState::LocalCalendarId);
    QVERIFY(std::any_of(rows.cbegin(), rows.cend(), [](const Event &e) { return e.title == QLatin1String("Event (copy)"); }));
}

void TestEventDetailsPopover::deleteUndoRestoresTheStoredSeries()
{
    Event weekly = WidgetFixture::timedEvent(QStringLiteral("Weekly sync"), QDateTime(Monday, QTime(11, 0)),
                                             QDateTime(Monday, QTime(11, 30)));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    weekly = m_fixture->addEvent(weekly);
    Event occurrence = weekly;
    occurrence.start_time = weekly.start_time.addDays(14);
    occurrence.end_time = weekly.end_time->addDays(14);

    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Yes);
    QPointer<EventDetailsPopover> popover = showPopover(occurrence);
    click(popover, "delete");
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(m_fixture->storedEvent(weekly.id).deleted_at);

    m_fixture->state()->undoStack()->undo();
    const Event restored = m_fixture->storedEvent(weekly.id);
    QVERIFY(!restored.deleted_at);
    QCOMPARE(restored.start_time, weekly.start_time);
    QCOMPARE(restored.end_time, weekly.end_time);
    QCOMPARE(restored.recurrence_rule, weekly.recurrence_rule);
}

void TestEventDetailsPopover::storedTextStaysTextAndOnlyWebLinksOpen()
{
    Event event = WidgetFixture::timedEvent(QStringLiteral("<b>Launch</b>"), QDateTime(Monday, QTime(9, 0)),
                                            QDateTime(Monday, QTime(10, 0)));
    event.location = QStringLiteral("<a href=\"file:///etc\">Room</a>");
    event.organizer_name = QStringLiteral("Ann");
    event.organizer_email = QStringLiteral("ann@example.com");
    event.description = QStringLiteral("<p>Agenda <a href=\"javascript:alert(1)\">run</a> "
                                       "<a href=\"https://example.com/doc\">doc</a></p>");
    EventDetailsPopover *popover = showPopover(m_fixture->addEvent(event));
    RecordingUrlOpener opener;
    popover->setUrlOpener(&opener);

    for (const char *name : {"title", "when", "location", "organizer"})
        QCOMPARE(label(popover, name)->textFormat(), Qt::PlainText);
    QCOMPARE(label(popover, "title")->text(), event.title);
    QCOMPARE(label(popover, "organizer")->text(), QStringLiteral("Organizer: Ann <ann@example.com>"));
    QLabel *description = label(popover, "description");
    QVERIFY(!description->text().contains(QStringLiteral("javascript")));
    QVERIFY(!description->openExternalLinks());

    for (const char *href : {"javascript:alert(1)", "file:///etc/passwd", "tindlebrook://x", "https://example.com/doc",
                             "mailto:ann@example.com"})
        Q_EMIT description->linkActivated(QString::fromLatin1(href));
    QCOMPARE(opener.opened, QList<QUrl>({QUrl(QStringLiteral("https://example.com/doc")),
                                          QUrl(QStringLiteral("mailto:ann@example.com"))}));
}

void TestEventDetailsPopover::deletedEventClosesItsPopover()
{
    const Event event = m_fixture->addEvent(
        WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Monday, QTime(9, 0)), QDateTime(Monday, QTime(9, 15))));
    QVERIFY(m_fixture->waitForEventsChanged());
    QPointer<EventDetailsPopover> popover = showPopover(event);
    QVERIFY(m_fixture->state()->events()->remove(event.id));
    QTRY_VERIFY(!popover);
    QVERIFY(!EventDetailsPopover::current());
    // Presses after it went reach nothing freed.
    QTest::mouseClick(m_window.get(), Qt::LeftButton);
}

void TestEventDetailsPopover::editOfAnOccurrenceEditsTheSeries()
{
    Event weekly = WidgetFixture::timedEvent(QStringLiteral("Weekly sync"), QDateTime(Monday, QTime(11, 0)),
                                             QDateTime(Monday, QTime(11, 30)));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    weekly = m_fixture->addEvent(weekly);
    Event occurrence = weekly;
    occurrence.start_time = weekly.start_time.addDays(14);
    occurrence.end_time = weekly.end_time->addDays(14);

    ModalAnswerer answerer;
    QDateTime shownStart;
    answerer.answer([&shownStart](QWidget *window) {
        shownStart = window->findChild<QDateTimeEdit *>(QStringLiteral("start"))->dateTime();
        static_cast<QDialog *>(window)->reject();
    });
    QPointer<EventDetailsPopover> popover = showPopover(occurrence);
    click(popover, "edit");
    QTRY_COMPARE(answerer.pending(), 0);
    QTRY_VERIFY(shownStart.isValid());
    QCOMPARE(shownStart, weekly.start_time);
    QVERIFY(!popover);
}

QTEST_MAIN(TestEventDetailsPopover)
#include "tst_eventdetailspopover.moc"
