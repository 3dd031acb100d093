#include "app/tray/traypopover.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

#include "app/appstate.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/viewrepository.h"
#include "tests/support/tempdatadir.h"

#include <memory>

namespace {

const QString kCalendar = QString::fromLatin1(AppState::LocalCalendarId);

Event allDayEvent(const QString &id, const QString &title, const QDate &day)
{
    Event e;
    e.id = id;
    e.uid = id;
    e.calendar_id = kCalendar;
    e.title = title;
    e.is_all_day = true;
    e.start_time = QDateTime(day, QTime(0, 0));
    e.end_time = QDateTime(day.addDays(1), QTime(0, 0));
    e.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    return e;
}

QStringList rowsOf(const QListWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->text());
    return rows;
}

} // namespace

class TestTrayPopover : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_state = std::make_unique<AppState>();
        QVERIFY(m_state->initialize());
        QVERIFY(m_state->preferences()->set(QStringLiteral("ui/timeFormat"), QStringLiteral("24")));
        m_popover = std::make_unique<WinTrayPopover>(m_state.get());
    }

    void cleanup()
    {
        m_popover.reset();
        m_state.reset();
        m_dir.reset();
    }

    void relativeStartText_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");

        QTest::newRow("started") << -600 << "now";
        QTest::newRow("this second") << 0 << "now";
        QTest::newRow("30 s") << 30 << "in 1 min";
        QTest::newRow("59 min 59 s") << 3599 << "in 59 min";
        QTest::newRow("exactly an hour") << 3600 << "in 1h";
        QTest::newRow("an hour and a minute") << 3660 << "in 1h 1m";
        QTest::newRow("an hour and 59 s") << 3659 << "in 1h 0m";
    }

    void relativeStartText()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        const QDateTime now(QDate(2026, 3, 10), QTime(10, 0));
        QCOMPARE(WinTrayPopover::relativeStartText(now.addSecs(seconds), now), text);
    }

    void placement_data()
    {
        QTest::addColumn<QPoint>("anchor");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("topLeft");

        const QRect screen(0, 0, 1920, 1040); // a taskbar below
        const QSize size(340, 500);
        Q_UNUSED(size)
        QTest::newRow("centred above") << QPoint(1000, 1030) << screen << QPoint(830, 522);
        QTest::newRow("bottom-right corner") << QPoint(1919, 1039) << screen
                                             << QPoint(1919 - 8 - 340, 1039 - 8 - 500);
        QTest::newRow("left edge") << QPoint(20, 1030) << screen << QPoint(8, 522);
        QTest::newRow("top panel opens downwards") << QPoint(1800, 12) << QRect(0, 28, 1920, 1052)
                                                   << QPoint(1919 - 8 - 340, 36);
        QTest::newRow("cursor near the top") << QPoint(500, 100) << screen << QPoint(330, 108);
        QTest::newRow("no screen") << QPoint(500, 600) << QRect() << QPoint(330, 92);
    }

    void placement()
    {
        QFETCH(QPoint, anchor);
        QFETCH(QRect, available);
        QFETCH(QPoint, topLeft);
        QCOMPARE(WinTrayPopover::placement(QSize(340, 500), anchor, available), topLeft);
    }

    void quickAddPreview_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("preview");

        QTest::newRow("date, time and title")
            << "lunch Thursday 1pm" << "h:mm AP" << QStringLiteral("Thu, Mar 12  1:00 PM \u2013 2:00 PM  ·  lunch");
        QTest::newRow("24-hour with a duration")
            << "review tomorrow 9am for 30 min" << "HH:mm" << QStringLiteral("Wed, Mar 11  09:00 \u2013 09:30  ·  review");
        QTest::newRow("all day") << "offsite friday" << "HH:mm" << QStringLiteral("Fri, Mar 13  \u2012  All-day  ·  offsite");
        QTest::newRow("blank") << "   " << "HH:mm" << QString();
    }

    void quickAddPreview()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QString, preview);
        const QDateTime now(QDate(2026, 3, 10), QTime(10, 0)); // a Tuesday
        QCOMPARE(WinTrayPopover::previewText(text, now, pattern), preview);
    }

    void listsTodayAndTomorrowUnderHeaders()
    {
        const QDate today = QDate::currentDate();
        QVERIFY(m_state->events()->insert(allDayEvent(QStringLiteral("a"), QStringLiteral("Team day"), today)));
        QVERIFY(m_state->events()->insert(allDayEvent(QStringLiteral("b"), QStringLiteral("Offsite"), today.addDays(1))));
        m_popover->refresh();
        QCOMPARE(rowsOf(list()), (QStringList{QStringLiteral("Today"), QStringLiteral("All-day  Team day"),
                                              QStringLiteral("Tomorrow"), QStringLiteral("All-day  Offsite")}));
        QVERIFY(list()->item(0)->data(WinTrayPopover::HeaderRole).toBool());
        QCOMPARE(list()->item(0)->flags(), Qt::NoItemFlags);
        QCOMPARE(list()->item(1)->data(WinTrayPopover::EventIdRole).toString(), QStringLiteral("a"));
        QCOMPARE(list()->item(1)->data(WinTrayPopover::StartDateRole).toDate(), today);
        QCOMPARE(list()->item(3)->data(WinTrayPopover::StartDateRole).toDate(), today.addDays(1));
        QVERIFY(list()->item(3)->flags() & Qt::ItemIsEnabled);
    }

    void changesWhileHiddenAreReadWhenShown()
    {
        const QDate today = QDate::currentDate();
        m_popover->refresh();
        const QStringList empty = rowsOf(list());
        QSignalSpy changed(m_state->events(), &EventRepository::eventsChanged);
        QVERIFY(m_state->events()->insert(allDayEvent(QStringLiteral("a"), QStringLiteral("Team day"), today)));
        // Announced while hidden: nothing is read yet.
        QVERIFY(changed.wait(20000));
        QCOMPARE(rowsOf(list()), empty);
        m_popover->show();
        const QStringList shown{QStringLiteral("Today"), QStringLiteral("All-day  Team day")};
        QTRY_COMPARE(rowsOf(list()).mid(0, 2), shown);

        // While shown, a change is read at once.
        QVERIFY(m_state->events()->insert(allDayEvent(QStringLiteral("b"), QStringLiteral("Offsite"), today)));
        QTRY_VERIFY(rowsOf(list()).contains(QStringLiteral("All-day  Offsite")));
    }

    void cardShowsTheNextEvent()
    {
        Event e = allDayEvent(QStringLiteral("a"), QStringLiteral("x"), QDate::currentDate().addDays(1));
        e.location = QStringLiteral("Harbour hall");
        e.color = QStringLiteral("not a colour");
        QVERIFY(m_state->events()->insert(e));
        // The store keeps no empty titles itself; a synced item may carry one.
        QVERIFY(QSqlQuery(m_state->database()->database())
                    .exec(QStringLiteral("UPDATE events SET title = '' WHERE id = 'a'")));
        m_popover->refresh();
        QCOMPARE(label("cardTitle")->text(), QStringLiteral("Untitled"));
        QCOMPARE(label("cardWhen")->text(), QStringLiteral("Tomorrow, all day"));
        QCOMPARE(label("cardDetail")->text(), QStringLiteral("Harbour hall"));
        QVERIFY(!label("cardDetail")->isHidden());
        QVERIFY(label("headerLabel")->text().startsWith(QDate::currentDate().toString(QStringLiteral("dddd, MMM d"))
                                                        + QStringLiteral("  ·  ")));
    }

    void emptyDaysSayNothingIsScheduled()
    {
        m_popover->refresh();
        QCOMPARE(rowsOf(list()), (QStringList{QStringLiteral("Today"), QStringLiteral("  No more events today"),
                                              QStringLiteral("Tomorrow"), QStringLiteral("  Nothing scheduled")}));
        QCOMPARE(label("cardTitle")->text(), QStringLiteral("No upcoming events"));
        QCOMPARE(label("cardWhen")->text(), QStringLiteral("Nothing scheduled in the next 24 hours."));
        QVERIFY(label("cardDetail")->isHidden());
    }

    void cardCallsAnEventRunningSinceYesterdayToday()
    {
        const QDate today = QDate::currentDate();
        Event running = allDayEvent(QStringLiteral("r"), QStringLiteral("Night shift"), today);
        running.is_all_day = false;
        running.start_time = QDateTime(today.addDays(-1), QTime(22, 0));
        running.end_time = QDateTime::currentDateTime().addSecs(2 * 3600);
        QVERIFY(m_state->events()->insert(running));
        m_popover->refresh();
        QCOMPARE(label("cardTitle")->text(), QStringLiteral("Night shift"));
        QCOMPARE(label("cardWhen")->text(), QStringLiteral("Today at 22:00 · now"));

        QCOMPARE(rowsOf(list()).mid(0, 2),
                 (QStringList{QStringLiteral("Today"), QStringLiteral("22:00  Night shift")}));
    }

    void clickingAnEventLeadsToItAndHeadersDoNothing()
    {
        const QDate today = QDate::currentDate();
        QVERIFY(m_state->events()->insert(allDayEvent(QStringLiteral("a"), QStringLiteral("Team day"), today)));
        m_popover->showAt(QPoint(400, 400));
        QVERIFY(m_popover->isVisible());
        QSignalSpy focus(m_popover.get(), &WinTrayPopover::requestFocusOnEvent);

        Q_EMIT list()->itemClicked(list()->item(0)); // "Today"
        Q_EMIT list()->itemClicked(list()->item(3)); // "  Nothing scheduled"
        QCOMPARE(focus.size(), 0);
        QVERIFY(m_popover->isVisible());

        Q_EMIT list()->itemClicked(list()->item(1));
        QCOMPARE(focus.size(), 1);
        QCOMPARE(focus.first().at(0).toString(), QStringLiteral("a"));
        QCOMPARE(focus.first().at(1).toDate(), today);
        QVERIFY(!m_popover->isVisible());
    }

    void groupPickerSwitchesTheActiveGroup()
    {
        CalendarView work;
        work.id = QStringLiteral("group-work");
        work.name = QStringLiteral("Work");
        work.sort_order = 10;
        QVERIFY(m_state->views()->insert(work));
        QTRY_COMPARE(groups()->count(), 2); // refilled on the repository's signal
        CalendarView unnamed;
        unnamed.id = QStringLiteral("group-unnamed");
        unnamed.name = QStringLiteral("x");
        unnamed.sort_order = 20;
        QVERIFY(m_state->views()->insert(unnamed));
        QVERIFY(QSqlQuery(m_state->database()->database())
                    .exec(QStringLiteral("UPDATE calendar_views SET name = '' WHERE id = 'group-unnamed'")));
        m_popover->fillGroupPicker();
        QCOMPARE(groups()->count(), 3);

        QCOMPARE(groups()->currentData().toString(), QStringLiteral("all-calendars"));
        const int workIndex = groups()->findData(QStringLiteral("group-work"));
        QVERIFY(workIndex >= 0);
        QCOMPARE(groups()->itemText(groups()->findData(QStringLiteral("group-unnamed"))), QStringLiteral("(Unnamed)"));

        QSignalSpy changed(m_state.get(), &AppState::activeViewChanged);
        Q_EMIT groups()->activated(workIndex);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(m_state->activeViewId(), QStringLiteral("group-work"));
        QCOMPARE(groups()->currentData().toString(), QStringLiteral("group-work"));
    }

    void choosingTheActiveGroupChangesNothing()
    {
        QSignalSpy changed(m_state.get(), &AppState::activeViewChanged);
        Q_EMIT groups()->activated(groups()->findData(m_state->activeViewId()));
        Q_EMIT groups()->activated(-1);
        QCOMPARE(changed.size(), 0);
    }

    void returnStoresTheLineAndCloses()
    {
        m_popover->showAt(QPoint(400, 400));
        line()->setText(QStringLiteral("dentist tomorrow 3pm"));
        QVERIFY(!label("previewLabel")->text().isEmpty());
        QVERIFY(label("previewLabel")->text().endsWith(QStringLiteral("  ·  dentist")));
        QTest::keyClick(line(), Qt::Key_Return);
        QVERIFY(!m_popover->isVisible());
        QSqlQuery query(m_state->database()->database());
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM events WHERE title = 'dentist'")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 1);

        // Shown again: the line and the preview start empty.
        m_popover->showAt(QPoint(400, 400));
        QVERIFY(line()->text().isEmpty());
        QVERIFY(label("previewLabel")->text().isEmpty());
    }

    void withoutCalendarsReturnOpensTheMainWindow()
    {
        QSqlQuery(m_state->database()->database()).exec(QStringLiteral("DELETE FROM calendars"));
        m_popover->showAt(QPoint(400, 400));
        QCOMPARE(rowsOf(list()), QStringList{QStringLiteral("No calendars yet")});
        QCOMPARE(list()->item(0)->flags(), Qt::NoItemFlags);
        QVERIFY(m_popover->findChild<QFrame *>(QStringLiteral("nextEventCard"))->isHidden());

        QSignalSpy open(m_popover.get(), &WinTrayPopover::openMainWindow);
        line()->setText(QStringLiteral("lunch tomorrow 1pm"));
        QTest::keyClick(line(), Qt::Key_Return);
        QCOMPARE(open.size(), 1);
        QVERIFY(!m_popover->isVisible());
        QSqlQuery query(m_state->database()->database());
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM events")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 0);
    }

    void escapeHides()
    {
        m_popover->showAt(QPoint(400, 400));
        QVERIFY(m_popover->isVisible());
        QTest::keyClick(m_popover.get(), Qt::Key_Escape);
        QVERIFY(!m_popover->isVisible());
    }

private:
    QListWidget *list() { return m_popover->findChild<QListWidget *>(QStringLiteral("upcomingList")); }
    QComboBox *groups() { return m_popover->findChild<QComboBox *>(QStringLiteral("groupCombo")); }
    QLineEdit *line() { return m_popover->findChild<QLineEdit *>(QStringLiteral("quickAddLine")); }
    QLabel *label(const char *name) { return m_popover->findChild<QLabel *>(QLatin1String(name)); }

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<WinTrayPopover> m_popover;
};

QTEST_MAIN(TestTrayPopover)
#include "tst_traypopover.moc"
