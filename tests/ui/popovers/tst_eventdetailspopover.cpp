#include "app/appstate.h"
#include "app/edits/undostack.h"
#include "store/eventrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/recordingfakes.h"
#include "tests/support/widgetfixture.h"
#include "ui/pickers/datetimepicker.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/popoverplacement.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Event)

namespace {

const QDate Monday(2025, 3, 3);

Event timed(const QTime &start, const std::optional<QTime> &end, int endDays = 0)
{
    return WidgetFixture::timedEvent(QStringLiteral("Standup"), QDateTime(Monday, start),
                                     end ? std::optional<QDateTime>(QDateTime(Monday.addDays(endDays), *end))
                                         : std::nullopt);
}

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
    void occurrenceActionsWorkOnTheStoredSeries();
    void deletedMovedOccurrenceLeavesItsDayEmpty();
    void renamingAnOccurrenceAsksHowFarItReaches_data();
    void renamingAnOccurrenceAsksHowFarItReaches();
    void storedTextStaysTextAndOnlyWebLinksOpen();
    void deletedEventClosesItsPopover();

private:
    EventDetailsPopover *show(const Event &event);

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

EventDetailsPopover *TestEventDetailsPopover::show(const Event &event)
{
    auto *popover = new EventDetailsPopover(m_fixture->state(), event, m_window.get());
    showPopoverCentered(popover);
    return popover;
}

void TestEventDetailsPopover::whenLine_data()
{
    QTest::addColumn<Event>("event");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one all-day") << WidgetFixture::allDayEvent({}, Monday, Monday.addDays(1))
                                 << QStringLiteral("Monday, March 3, 2025  ·  All-day");
    QTest::newRow("all-day range") << WidgetFixture::allDayEvent({}, Monday, Monday.addDays(3))
                                   << QStringLiteral("Monday, Mar 3 – Wednesday, Mar 5, 2025  ·  All-day");
    // A date that arrived as midnight UTC is that date west of Greenwich too.
    Event utcDate = WidgetFixture::allDayEvent({}, Monday, Monday.addDays(1));
    utcDate.start_time = QDateTime(Monday, QTime(0, 0), Qt::UTC);
    utcDate.end_time = QDateTime(Monday.addDays(1), QTime(0, 0), Qt::UTC);
    QTest::newRow("all-day from UTC midnight") << utcDate << QStringLiteral("Monday, March 3, 2025  ·  All-day");
    QTest::newRow("timed") << timed(QTime(9, 0), QTime(10, 30)) << QStringLiteral("Monday, March 3, 2025\n9:00 AM – 10:30 AM");
    QTest::newRow("ends another day") << timed(QTime(22, 0), QTime(1, 0), 1)
                                      << QStringLiteral("Monday, March 3, 2025\n10:00 PM – Tuesday, March 4, 2025 1:00 AM");
    QTest::newRow("no end") << timed(QTime(9, 0), std::nullopt) << QStringLiteral("Monday, March 3, 2025\n9:00 AM");
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
    QTest::addColumn<QString>("edge");
    QTest::addColumn<int>("expected");
    QTest::newRow("room on the right") << QRect(100, 100, 100, 40) << "left" << 100 + 100 + 8 - 1;
    QTest::newRow("at the right edge") << QRect(600, 100, 150, 40) << "right" << 600 - 8 - 1;
    QTest::newRow("neither side: below") << QRect(250, 100, 300, 40) << "top" << 100 + 40 + 8 - 1;
    QTest::newRow("nor below: above") << QRect(250, 590, 300, 8) << "bottom" << 590 - 8 - 1;
}

void TestEventDetailsPopover::placementBesideTheAnchor()
{
    QFETCH(QRect, anchor);
    QFETCH(QString, edge);
    QFETCH(int, expected);
    auto *popover = new EventDetailsPopover(m_fixture->state(), m_fixture->addEvent(timed(QTime(9, 0), QTime(10, 0))),
                                            m_window.get());
    positionPopoverNear(popover, QRect(m_window->mapToGlobal(anchor.topLeft()), anchor.size()));
    const QRect r = popover->geometry();
    const QHash<QString, int> edges = {{"left", r.left()}, {"right", r.right()}, {"top", r.top()}, {"bottom", r.bottom()}};
    QCOMPARE(edges.value(edge), expected);
}

void TestEventDetailsPopover::pressesElsewhereInTheWindowClose()
{
    auto *behind = new QPushButton(QStringLiteral("behind"), m_window.get());
    behind->show();
    QPointer<EventDetailsPopover> popover = show(m_fixture->addEvent(timed(QTime(9, 0), QTime(10, 0))));
    QTest::mouseClick(label(popover, "title"), Qt::LeftButton);
    QVERIFY(popover && popover->isVisible());
    QSignalSpy pressed(behind, &QPushButton::pressed);
    QTest::mousePress(behind, Qt::LeftButton);
    QCOMPARE(pressed.size(), 1);
    QTRY_VERIFY(!popover);

    popover = show(timed(QTime(9, 0), QTime(10, 0)));
    QTest::keyClick(popover, Qt::Key_Escape);
    QTRY_VERIFY(!popover);
}

void TestEventDetailsPopover::duplicateIsANewItemOfItsOwn()
{
    Event original = timed(QTime(9, 0), QTime(10, 0));
    original.etag = QStringLiteral("\"e1\"");
    original.href = QStringLiteral("/cal/standup.ics");
    original.provider_event_id = QStringLiteral("remote-standup");
    original.sync_status = SyncStatus::Synced;
    original.reminders = {Reminder()};
    original = m_fixture->addEvent(original);
    click(show(original), "duplicate");
    original.title.clear();
    click(show(original), "duplicate");

    QMap<QString, Event> byTitle;
    for (const Event &event : m_fixture->state()->events()->getByCalendar(AppState::LocalCalendarId))
        byTitle.insert(event.title, event);
    QCOMPARE(byTitle.keys(), QStringList({"Event (copy)", "Standup", "Standup (copy)"}));
    const Event copy = byTitle.value(QStringLiteral("Standup (copy)"));
    QVERIFY(copy.uid != original.uid);
    QVERIFY(copy.etag.isEmpty() && copy.href.isEmpty() && copy.provider_event_id.isEmpty());
    QCOMPARE(copy.sync_status, SyncStatus::Pending);
    QVERIFY(copy.raw_icalendar.contains(QStringLiteral("UID:") + copy.uid));
    QVERIFY(!copy.raw_icalendar.contains(original.uid));
    QCOMPARE(copy.reminders.size(), 1);
    QCOMPARE(byTitle.value(QStringLiteral("Standup")).sync_status, SyncStatus::Synced);
}

void TestEventDetailsPopover::occurrenceActionsWorkOnTheStoredSeries()
{
    Event weekly = timed(QTime(11, 0), QTime(11, 30));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    weekly = m_fixture->addEvent(weekly);
    Event occurrence = weekly;
    occurrence.start_time = weekly.start_time.addDays(14);
    occurrence.end_time = weekly.end_time->addDays(14);

    // Editing the card of one occurrence opens the form on that occurrence.
    ModalAnswerer answerer;
    QDateTime formStart;
    answerer.answer([&formStart](QWidget *form) {
        formStart = form->findChild<DateTimePicker *>(QStringLiteral("start"))->dateTime();
        static_cast<QDialog *>(form)->reject();
    });
    QPointer<EventDetailsPopover> popover = show(occurrence);
    click(popover, "edit");
    QTRY_COMPARE(formStart, occurrence.start_time);
    QVERIFY(!popover);

    // Undoing its deletion brings the series back, not a copy on that day.
    answerer.pressButton(QMessageBox::Yes);
    click(show(occurrence), "delete");
    QVERIFY(m_fixture->storedEvent(weekly.id).deleted_at);
    m_fixture->state()->undoStack()->undo();
    const Event restored = m_fixture->storedEvent(weekly.id);
    Event expected = weekly;
    expected.sync_status = SyncStatus::Pending;
    expected.last_modified = restored.last_modified;
    QCOMPARE(restored, expected);
}

// The card of an occurrence moved to another time deletes it for good: the
// series skips its day; the undo brings back the moved occurrence.
void TestEventDetailsPopover::deletedMovedOccurrenceLeavesItsDayEmpty()
{
    Event weekly = timed(QTime(11, 0), QTime(11, 30));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    weekly = m_fixture->addEvent(weekly);
    Event moved = weekly;
    moved.id.clear();
    moved.raw_icalendar.clear();
    moved.recurrence_rule.clear();
    moved.master_event_uid = weekly.uid;
    moved.recurrence_id = weekly.start_time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    moved.start_time = weekly.start_time.addSecs(7200);
    moved.end_time = weekly.end_time->addSecs(7200);
    moved = m_fixture->addEvent(moved);

    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Yes);
    click(show(moved), "delete");
    QVERIFY(m_fixture->storedEvent(moved.id).deleted_at);
    QCOMPARE(m_fixture->storedEvent(weekly.id).exception_dates, QStringLiteral("[\"%1\"]").arg(moved.recurrence_id));
    m_fixture->state()->undoStack()->undo();
    QVERIFY(!m_fixture->storedEvent(moved.id).deleted_at);
    QCOMPARE(m_fixture->storedEvent(weekly.id).exception_dates, QString());
}

void TestEventDetailsPopover::renamingAnOccurrenceAsksHowFarItReaches_data()
{
    QTest::addColumn<QString>("scope");
    QTest::newRow("this event only") << QStringLiteral("This event only");
    QTest::newRow("this and following") << QStringLiteral("This and following events");
    QTest::newRow("all events") << QStringLiteral("All events in the series");
    QTest::newRow("cancel") << QStringLiteral("Cancel");
}

void TestEventDetailsPopover::renamingAnOccurrenceAsksHowFarItReaches()
{
    QFETCH(QString, scope);
    Event weekly = timed(QTime(11, 0), QTime(11, 30));
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    weekly = m_fixture->addEvent(weekly);
    Event occurrence = weekly;
    occurrence.start_time = weekly.start_time.addDays(14);
    occurrence.end_time = weekly.end_time->addDays(14);

    ModalAnswerer answerer;
    answerer.answer([](QWidget *form) {
        form->findChild<QLineEdit *>(QStringLiteral("title"))->setText(QStringLiteral("Retro"));
        for (QPushButton *button : form->findChildren<QPushButton *>()) {
            if (button->text() == QLatin1String("Save changes"))
                button->click();
        }
    });
    answerer.clickButton(scope);
    // A cancelled question leaves the form open with the typed change.
    QString titleAfterCancel;
    if (scope == QLatin1String("Cancel")) {
        answerer.answer([&titleAfterCancel](QWidget *form) {
            titleAfterCancel = form->findChild<QLineEdit *>(QStringLiteral("title"))->text();
            static_cast<QDialog *>(form)->reject();
        });
    }
    click(show(occurrence), "edit");
    QTRY_COMPARE(answerer.pending(), 0);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    // The form may be seen once more as the question closes, on its way out.
    QCOMPARE(answerer.seen().mid(0, 2), QStringList({QStringLiteral("EventFormDialog Edit Event"),
                                                     QStringLiteral("RecurringEditScopeDialog Edit Recurring Event")}));

    const QList<Event> rows = m_fixture->state()->events()->getByCalendar(weekly.calendar_id);
    const Event master = m_fixture->storedEvent(weekly.id);
    if (scope == QLatin1String("This event only")) {
        QCOMPARE(master, weekly);
        QCOMPARE(rows.size(), 2);
        const Event override = rows.at(0).id == weekly.id ? rows.at(1) : rows.at(0);
        QCOMPARE(QStringList({override.title, override.master_event_uid, override.recurrence_id,
                              override.start_time.toString(Qt::ISODate), override.end_time->toString(Qt::ISODate),
                              override.recurrence_rule}),
                 QStringList({QStringLiteral("Retro"), weekly.uid,
                              occurrence.start_time.toUTC().toString(QStringLiteral("yyyyMMddTHHmmss'Z'")),
                              occurrence.start_time.toString(Qt::ISODate), occurrence.end_time->toString(Qt::ISODate),
                              QString()}));
    } else if (scope == QLatin1String("This and following events")) {
        // The earlier weeks keep their name; the new series from this one on
        // takes the new one.
        QCOMPARE(rows.size(), 2);
        const Event series = rows.at(0).id == weekly.id ? rows.at(1) : rows.at(0);
        QCOMPARE(QStringList({master.title, master.recurrence_rule, series.title, series.recurrence_rule,
                              series.start_time.toString(Qt::ISODate), series.end_time->toString(Qt::ISODate)}),
                 QStringList({QStringLiteral("Standup"),
                              QStringLiteral("FREQ=WEEKLY;UNTIL=")
                                  + occurrence.start_time.addSecs(-1).toUTC().toString(
                                      QStringLiteral("yyyyMMddTHHmmss'Z'")),
                              QStringLiteral("Retro"), QStringLiteral("FREQ=WEEKLY"),
                              occurrence.start_time.toString(Qt::ISODate),
                              occurrence.end_time->toString(Qt::ISODate)}));
    } else if (scope == QLatin1String("All events in the series")) {
        QCOMPARE(rows.size(), 1);
        Event expected = weekly;
        expected.title = QStringLiteral("Retro");
        expected.sequence = weekly.sequence + 1;
        expected.sync_status = SyncStatus::Pending;
        expected.last_modified = master.last_modified;
        expected.raw_icalendar = master.raw_icalendar;
        QCOMPARE(master, expected);
        QVERIFY(master.raw_icalendar.contains(QStringLiteral("SUMMARY:Retro")));
    } else {
        QCOMPARE(titleAfterCancel, QStringLiteral("Retro"));
        QCOMPARE(rows, QList<Event>{weekly});
    }
}

void TestEventDetailsPopover::storedTextStaysTextAndOnlyWebLinksOpen()
{
    Event event = timed(QTime(9, 0), QTime(10, 0));
    event.title = QStringLiteral("<b>Launch</b>");
    event.location = QStringLiteral("<a href=\"file:///etc\">Room</a>");
    event.organizer_name = QStringLiteral("Ann");
    event.organizer_email = QStringLiteral("ann@example.com");
    event.description = QStringLiteral("<p><a href=\"javascript:alert(1)\">run</a> <a href=\"https://example.com/doc\">doc</a></p>");
    EventDetailsPopover *popover = show(m_fixture->addEvent(event));
    RecordingUrlOpener opener;
    popover->setUrlOpener(&opener);
    for (const char *name : {"title", "when", "location", "organizer"})
        QCOMPARE(label(popover, name)->textFormat(), Qt::PlainText);
    QCOMPARE(label(popover, "organizer")->text(), QStringLiteral("Organizer: Ann <ann@example.com>"));
    QLabel *description = label(popover, "description");
    QVERIFY(!description->text().contains(QStringLiteral("javascript")));
    QVERIFY(!description->openExternalLinks());
    for (const char *href : {"javascript:alert(1)", "file:///etc/passwd", "https://example.com/doc", "mailto:ann@example.com"})
        Q_EMIT description->linkActivated(QString::fromLatin1(href));
    QCOMPARE(opener.opened, QList<QUrl>({QUrl("https://example.com/doc"), QUrl("mailto:ann@example.com")}));
}

void TestEventDetailsPopover::deletedEventClosesItsPopover()
{
    const Event event = m_fixture->addEvent(timed(QTime(9, 0), QTime(10, 0)));
    QVERIFY(m_fixture->waitForEventsChanged());
    QPointer<EventDetailsPopover> popover = show(event);
    QVERIFY(m_fixture->state()->events()->remove(event.id));
    QTRY_VERIFY(!popover);
    QVERIFY(!EventDetailsPopover::current());
}

QTEST_MAIN(TestEventDetailsPopover)
#include "tst_eventdetailspopover.moc"
