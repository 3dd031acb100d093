#include "app/appstate.h"
#include "app/quickadd.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "tests/support/tempdatadir.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// The next date with this weekday, today included.
QDate nextWeekday(int dayOfWeek, const QDate &today = QDate::currentDate())
{
    int delta = dayOfWeek - today.dayOfWeek();
    if (delta < 0)
        delta += 7;
    return today.addDays(delta);
}

// Where "<weekday> <time>" lands, read at `now`: that weekday, or a week on
// when its time has passed today.
QDateTime nextWeekdayAt(int dayOfWeek, QTime time, const QDateTime &now)
{
    const QDateTime at(nextWeekday(dayOfWeek, now.date()), time);
    return at < now ? at.addDays(7) : at;
}

} // namespace

class TestQuickAdd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_state = std::make_unique<AppState>();
        QVERIFY(m_state->initialize());
    }

    void cleanup()
    {
        m_state.reset();
        m_dir.reset();
    }

    void linesBecomeTheRightKindOfItem_data()
    {
        const QDate today = QDate::currentDate();
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<bool>("dueIsDateOnly");
        QTest::addColumn<int>("reminders");
        QTest::addColumn<QStringList>("tags");

        QTest::newRow("reminder with a day rings at nine")
            << "remind me to call Mum tomorrow" << "reminder" << "call Mum"
            << QDateTime(today.addDays(1), QTime(9, 0)) << false << 1 << QStringList();
        QTest::newRow("reminder with a time")
            << "remind me to take the bins out tomorrow at 7pm" << "reminder" << "take the bins out"
            << QDateTime(today.addDays(1), QTime(19, 0)) << false << 1 << QStringList();
        QTest::newRow("reminder without a date") << "remind me to stretch" << "reminder" << "stretch" << QDateTime()
                                                 << true << 0 << QStringList();
        QTest::newRow("task with a day is date-only")
            << "task: renew passport friday" << "task" << "renew passport"
            << QDateTime(nextWeekday(5), QTime(0, 0)) << true << 0 << QStringList();
        QTest::newRow("task with a time") << "todo: call the bank tomorrow at 10am" << "task" << "call the bank"
                                          << QDateTime(today.addDays(1), QTime(10, 0)) << false << 0 << QStringList();
        QTest::newRow("no date and no time is a task") << "dentist" << "task" << "dentist" << QDateTime() << true << 0
                                                       << QStringList();
        QTest::newRow("tags go to categories") << "#Home #errands buy stamps" << "task" << "buy stamps" << QDateTime()
                                               << true << 0 << QStringList{"Home", "errands"};
        QTest::newRow("timed line is an event") << "lunch tomorrow 1pm" << "event" << "lunch"
                                                << QDateTime(today.addDays(1), QTime(13, 0)) << false << 0
                                                << QStringList();
    }

    void linesBecomeTheRightKindOfItem()
    {
        QFETCH(QString, line);
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(QDateTime, due);
        QFETCH(bool, dueIsDateOnly);
        QFETCH(int, reminders);
        QFETCH(QStringList, tags);

        const QString id = QuickAdd::add(m_state.get(), line, QString());
        QVERIFY(!id.isEmpty());
        QCOMPARE(id.size(), 36);

        if (kind == QLatin1String("event")) {
            const std::optional<Event> event = m_state->events()->getById(id);
            QVERIFY(event);
            QCOMPARE(event->title, title);
            QCOMPARE(event->start_time, due);
            QCOMPARE(event->end_time.value_or(QDateTime()), due.addSecs(3600));
            QVERIFY(!m_state->tasks()->getById(id));
            return;
        }
        const std::optional<Task> task = m_state->tasks()->getById(id);
        QVERIFY(task);
        QVERIFY(!m_state->events()->getById(id));
        QCOMPARE(task->item_type, kind);
        QCOMPARE(task->uid, id);
        QCOMPARE(task->title, title);
        QCOMPARE(task->status, TaskStatus::NeedsAction);
        QCOMPARE(task->sync_status, SyncStatus::Pending);
        QCOMPARE(task->categories, tags);
        QCOMPARE(task->due_date.has_value(), due.isValid());
        if (due.isValid())
            QCOMPARE(task->due_date->toLocalTime(), due);
        QCOMPARE(task->due_is_date_only, dueIsDateOnly);
        QCOMPARE(task->reminders.size(), reminders);
        if (reminders > 0) {
            QCOMPARE(task->reminders.first().minutes_before, 0);
            QCOMPARE(task->reminders.first().action, QStringLiteral("display"));
            QCOMPARE(task->reminders.first().task_id, id);
            QVERIFY(!task->reminders.first().acknowledged);
        }
        QVERIFY(task->raw_icalendar.contains(QStringLiteral("UID:") + id));
    }

    void eventCarriesIdentityAndCalendarText()
    {
        const QString id = QuickAdd::add(m_state.get(), QStringLiteral("Lunch, Bob; Alice tomorrow 1pm"), QString());
        const std::optional<Event> event = m_state->events()->getById(id);
        QVERIFY(event);
        QCOMPARE(event->uid, id);
        QCOMPARE(event->status, QStringLiteral("confirmed"));
        QCOMPARE(event->sync_status, SyncStatus::Pending);
        QCOMPARE(event->timezone, QStringLiteral("UTC"));
        QCOMPARE(event->sequence, 0);
        QVERIFY(event->created.isValid());
        QVERIFY(!event->is_all_day);
        QVERIFY(event->raw_icalendar.contains(QStringLiteral("UID:") + id));
        QVERIFY2(event->raw_icalendar.contains(QStringLiteral("SUMMARY:Lunch\\, Bob\\; Alice")),
                 qPrintable(event->raw_icalendar));
    }

    void eventPreviewHasNoIdentity()
    {
        const Event preview = QuickAdd::buildEvent(m_state.get(), QStringLiteral("gym next monday"), QString(), false);
        QCOMPARE(preview.title, QStringLiteral("gym"));
        QVERIFY(preview.is_all_day);
        QVERIFY(preview.id.isEmpty());
        QVERIFY(preview.uid.isEmpty());
        QVERIFY(preview.raw_icalendar.isEmpty());
        QCOMPARE(preview.calendar_id, QString::fromLatin1(AppState::LocalCalendarId));
        QVERIFY(m_state->events()->getByCalendar(AppState::LocalCalendarId).isEmpty());

        const Event blank = QuickAdd::buildEvent(m_state.get(), QStringLiteral("   "), QString(), true);
        QVERIFY(blank.title.isEmpty());
        QVERIFY(blank.id.isEmpty());
    }

    void titleFallsBackToTheWholeText()
    {
        const QString id = QuickAdd::add(m_state.get(), QStringLiteral("  tomorrow at 5pm "), QString());
        const std::optional<Event> event = m_state->events()->getById(id);
        QVERIFY(event);
        QCOMPARE(event->title, QStringLiteral("tomorrow at 5pm"));
    }

    void forwardedLineLandsInTheDefaultCalendar()
    {
        // An earlier visible calendar does not win over the one flagged default.
        addCalendar(QStringLiteral("aaa-work"), QStringLiteral("Work"), -10, true, false);
        QSignalSpy changed(m_state->events(), &EventRepository::eventsChanged);
        // The line is read at a moment between these two: one on each side
        // of Thursday 1pm lands either way.
        const QDateTime before = QDateTime::currentDateTime();
        const QString id = QuickAdd::add(m_state.get(), QStringLiteral("lunch Thursday 1pm"), QString());
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(!id.isEmpty());
        const std::optional<Event> event = m_state->events()->getById(id);
        QVERIFY(event);
        QCOMPARE(event->calendar_id, QString::fromLatin1(AppState::LocalCalendarId));
        QCOMPARE(event->title, QStringLiteral("lunch"));
        if (event->start_time != nextWeekdayAt(4, QTime(13, 0), before))
            QCOMPARE(event->start_time, nextWeekdayAt(4, QTime(13, 0), after));
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QString::fromLatin1(AppState::LocalCalendarId));
    }

    void calendarIsChosenAsTheRoadSays_data()
    {
        QTest::addColumn<QString>("requested");
        QTest::addColumn<bool>("withDefault");
        QTest::addColumn<bool>("withVisible");
        QTest::addColumn<QString>("expected");
        QTest::newRow("requested, even hidden") << "c-hidden" << true << true << "c-hidden";
        QTest::newRow("missing request: default before earlier visible") << "gone" << true << true << "c-default";
        QTest::newRow("no default: first visible") << "" << false << true << "c-visible";
        QTest::newRow("neither: first in order") << "" << false << false << "c-hidden";
    }

    void calendarIsChosenAsTheRoadSays()
    {
        QFETCH(QString, requested);
        QFETCH(bool, withDefault);
        QFETCH(bool, withVisible);
        QFETCH(QString, expected);
        QVERIFY(m_state->calendars()->remove(AppState::LocalCalendarId));
        addCalendar(QStringLiteral("c-hidden"), QStringLiteral("A"), 1, false, false);
        addCalendar(QStringLiteral("c-visible"), QStringLiteral("B"), 2, withVisible, false);
        addCalendar(QStringLiteral("c-default"), QStringLiteral("C"), 3, false, withDefault);
        QCOMPARE(QuickAdd::resolveCalendar(m_state.get(), requested), expected);

        const QString id = QuickAdd::add(m_state.get(), QStringLiteral("standup tomorrow 9am"), requested);
        QCOMPARE(m_state->events()->getById(id)->calendar_id, expected);
    }

    void nothingIsStoredWithoutCalendarOrText()
    {
        QCOMPARE(QuickAdd::add(m_state.get(), QStringLiteral("   "), QString()), QString());
        QVERIFY(m_state->calendars()->remove(AppState::LocalCalendarId));
        QCOMPARE(QuickAdd::resolveCalendar(m_state.get(), QString()), QString());
        QCOMPARE(QuickAdd::add(m_state.get(), QStringLiteral("lunch tomorrow 1pm"), QString()), QString());
        QCOMPARE(QuickAdd::add(m_state.get(), QStringLiteral("remind me to stretch"), QString()), QString());
        QCOMPARE(QuickAdd::add(m_state.get(), QStringLiteral("dentist"), QString()), QString());
    }

    void neverLandsInAReadOnlyCalendar_data()
    {
        QTest::addColumn<QString>("requested");
        QTest::addColumn<QString>("line");
        QTest::newRow("feed requested, event") << "c-feed" << "standup tomorrow 9am";
        QTest::newRow("feed requested, task") << "c-feed" << "task: file taxes";
        QTest::newRow("feed flagged default, event") << "" << "standup tomorrow 9am";
        QTest::newRow("feed flagged default, reminder") << "" << "remind me to stretch tomorrow";
    }

    void neverLandsInAReadOnlyCalendar()
    {
        QFETCH(QString, requested);
        QFETCH(QString, line);
        // A subscribed feed, flagged default and ordered before the local one.
        addCalendar(QStringLiteral("c-feed"), QStringLiteral("Holidays"), -10, true, true);
        Calendar feed = *m_state->calendars()->getById(QStringLiteral("c-feed"));
        feed.is_read_only = true;
        QVERIFY(m_state->calendars()->update(feed));

        const QString id = QuickAdd::add(m_state.get(), line, requested);
        const std::optional<Task> task = m_state->tasks()->getById(id);
        const std::optional<Event> event = m_state->events()->getById(id);
        QVERIFY(task || event);
        QCOMPARE(task ? task->calendar_id : event->calendar_id, QString::fromLatin1(AppState::LocalCalendarId));
    }

    void impossibleDateOrHourStoresNothing_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("30 February") << "party feb 30";
        QTest::newRow("hour 25") << "call at 25";
        QTest::newRow("range to hour 27") << "meeting from 9 to 27";
        QTest::newRow("task due 31 April") << "task: file taxes apr 31";
    }

    void impossibleDateOrHourStoresNothing()
    {
        QFETCH(QString, line);
        QCOMPARE(QuickAdd::add(m_state.get(), line, QString()), QString());
        QVERIFY(m_state->events()->getByCalendar(AppState::LocalCalendarId).isEmpty());
        QVERIFY(m_state->tasks()->getByCalendar(AppState::LocalCalendarId).isEmpty());
    }

    void reminderIsNeverCreatedAlreadyDue_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("a day already gone") << "remind me to call Ann yesterday";
        QTest::newRow("an hour already gone today") << "remind me to call Ann today at 12am";
    }

    void reminderIsNeverCreatedAlreadyDue()
    {
        QFETCH(QString, line);
        const QDateTime before = QDateTime::currentDateTime();
        const std::optional<Task> task = m_state->tasks()->getById(QuickAdd::add(m_state.get(), line, QString()));
        QVERIFY(task && task->due_date);
        // It rings at the next half hour.
        QVERIFY2(*task->due_date > before, qPrintable(task->due_date->toString(Qt::ISODate)));
        QVERIFY(*task->due_date <= before.addSecs(30 * 60));
        QCOMPARE(task->reminders.size(), 1);
    }

private:
    void addCalendar(const QString &id, const QString &name, int order, bool visible, bool isDefault)
    {
        Calendar calendar;
        calendar.id = id;
        calendar.account_id = QString::fromLatin1(AppState::LocalAccountId);
        calendar.url = QStringLiteral("local://calendar/") + id;
        calendar.name = name;
        calendar.sort_order = order;
        calendar.is_visible = visible;
        calendar.is_default = isDefault;
        QVERIFY(m_state->calendars()->insert(calendar));
    }

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
};

QTEST_MAIN(TestQuickAdd)
#include "tst_quickadd.moc"
