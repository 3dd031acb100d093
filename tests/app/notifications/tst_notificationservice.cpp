#include "app/notifications/notificationservice.h"

#include <QDBusConnection>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

#include "app/notifications/dbusnotifier.h"
#include "app/notifications/desktopnotifier.h"
#include "app/notifications/inappnotifier.h"
#include "app/notifications/notifier.h"
#include "app/notifications/traynotifier.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "store/storedtime.h"
#include "store/taskrepository.h"
#include "tests/support/fakenotificationserver.h"
#include "tests/support/privatesessionbus.h"
#include "tests/support/teststore.h"

#include <functional>
#include <memory>

namespace {

const QString kCalendar = QStringLiteral("personal");
// A morning a month ahead, local time: the store treats reminders of moved
// events by the real clock, so the test's day lies in the future.
const QDateTime kDay(QDate::currentDate().addDays(30), QTime(9, 30));

// Records every message; answers as told, at once or when released.
class RecordingNotifier : public Notifier
{
public:
    void notify(const Notification &notification, Done done) override
    {
        messages.append(notification);
        if (holding)
            held.append(std::move(done));
        else
            done(delivers);
    }

    void release(bool delivered)
    {
        const QList<Done> waiting = std::exchange(held, {});
        for (const Done &done : waiting)
            done(delivered);
    }

    void click(int index) { Q_EMIT activated(messages.at(index).context); }

    QList<Notification> messages;
    QList<Done> held;
    bool delivers = true;
    bool holding = false;
};

Event timedEvent(const QString &id, const QDateTime &start, const QList<int> &offsets,
                 const QString &title = QStringLiteral("Standup"))
{
    Event e;
    e.id = id;
    e.uid = id;
    e.calendar_id = kCalendar;
    e.title = title;
    e.start_time = start;
    e.end_time = start.addSecs(1800);
    e.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    for (int minutes : offsets) {
        Reminder r;
        r.id = id + QStringLiteral("-r") + QString::number(minutes);
        r.minutes_before = minutes;
        e.reminders.append(r);
    }
    return e;
}

Task dueTask(const QString &id, const QDateTime &due, bool dateOnly, int minutesBefore,
             const QString &status = QStringLiteral("needs-action"))
{
    Task t;
    t.id = id;
    t.uid = id;
    t.calendar_id = kCalendar;
    t.title = QStringLiteral("Task ") + id;
    t.status = taskStatusFromText(status);
    t.due_date = due;
    t.due_is_date_only = dateOnly;
    t.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    Reminder r;
    r.id = id + QStringLiteral("-r");
    r.minutes_before = minutesBefore;
    t.reminders.append(r);
    return t;
}

} // namespace

class TestNotificationService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void dueAtTheTriggerAndUntilHalfAnHourAfterTheStart_data();
    void dueAtTheTriggerAndUntilHalfAnHourAfterTheStart();
    void bodyFollowsTheOffset_data();
    void bodyFollowsTheOffset();
    void untitledEventWithLocation();
    void reminderIsAcknowledgedOnlyWhenDelivered();
    void staleReminderIsSkippedButKept();
    void acknowledgedReminderIsNotShownAgain();
    void movedEventRemindsAgainAtItsNewTime();
    void messageOnItsWayIsNotShownTwice();
    void recurringEventRemindsBeforeEveryOccurrence();
    void recurringReminderSkipsExceptionsAndEndsWithTheSeries();
    void recurringOccurrenceNotDeliveredIsTriedAgain();
    void movedOccurrenceRemindsAtItsNewTime();
    void taskReminders_data();
    void taskReminders();
    void clickLeadsToTheEventOfThatMessage();
    void clickOnATaskReminderOpensThatTask();
    void severalDueRemindersInOnePass();
    void failedEventQueryShowsNothing();
    void reminderReachesTheDesktopWithoutATray();
    void passInSlicesFiresWhatIsDueAndWritesTheSameState();
    void destroyingTheServiceMidPassShowsNothingMore();
    void passWrittenBesideALockedStoreKeepsItsStateAndDelaysTheNextPass();
    void quittingWhileTheWriteWaitsForTheLockLosesNothing();

private:
    void insertEvent(const Event &event);
    void insertTask(const Task &task);
    bool acknowledged(const QString &reminderId, const QString &table = QStringLiteral("reminders"));
    // The store as the program's connection sees it, without waiting for a
    // pass's write.
    bool storedAcknowledged(const QString &reminderId, const QString &table = QStringLiteral("reminders"));
    void waitForWrites();
    QString triggerOf(const QString &reminderId);
    void pollAt(const QDateTime &now);

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<TaskRepository> m_tasks;
    std::unique_ptr<PreferencesRepository> m_preferences;
    std::unique_ptr<RecordingNotifier> m_notifier;
    std::unique_ptr<NotificationService> m_service;
    QDateTime m_now;
};

void TestNotificationService::init()
{
    m_store = std::make_unique<TestStore>();
    QVERIFY(m_store->isOpen());
    QVERIFY(seedLocalCalendars(m_store->db(), {kCalendar}));
    m_events = std::make_unique<EventRepository>(m_store->db());
    m_tasks = std::make_unique<TaskRepository>(m_store->db());
    m_preferences = std::make_unique<PreferencesRepository>(m_store->db());
    m_notifier = std::make_unique<RecordingNotifier>();
    m_service = std::make_unique<NotificationService>(m_store->db(), m_events.get(), m_preferences.get(),
                                                      m_notifier.get());
    m_now = kDay;
    m_service->setClock([this] { return m_now; });
}

void TestNotificationService::cleanup()
{
    m_service.reset();
    m_notifier.reset();
    m_preferences.reset();
    m_tasks.reset();
    m_events.reset();
    m_store.reset();
}

void TestNotificationService::insertEvent(const Event &event)
{
    QVERIFY(m_events->insert(event));
}

void TestNotificationService::insertTask(const Task &task)
{
    QVERIFY(m_tasks->insert(task));
}

void TestNotificationService::waitForWrites()
{
    // A pass's outcome is written on a thread of its own.
    if (m_service)
        QVERIFY(QTest::qWaitFor([this] { return !m_service->isSettling(); }, 20000));
}

bool TestNotificationService::acknowledged(const QString &reminderId, const QString &table)
{
    waitForWrites();
    return storedAcknowledged(reminderId, table);
}

bool TestNotificationService::storedAcknowledged(const QString &reminderId, const QString &table)
{
    QSqlQuery query(m_store->db()->database());
    query.prepare(QStringLiteral("SELECT acknowledged FROM %1 WHERE id = ?").arg(table));
    query.addBindValue(reminderId);
    return query.exec() && query.next() && query.value(0).toInt() == 1;
}

QString TestNotificationService::triggerOf(const QString &reminderId)
{
    waitForWrites();
    QSqlQuery query(m_store->db()->database());
    query.prepare(QStringLiteral("SELECT trigger_time FROM reminders WHERE id = ?"));
    query.addBindValue(reminderId);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

void TestNotificationService::pollAt(const QDateTime &now)
{
    m_now = now;
    // A pass over many reminders runs in slices; this waits for its end.
    QSignalSpy finished(m_service.get(), &NotificationService::passFinished);
    m_service->poll();
    if (finished.isEmpty())
        finished.wait(20000);
}

void TestNotificationService::dueAtTheTriggerAndUntilHalfAnHourAfterTheStart_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("secondsFromStart"); // where the clock stands
    QTest::addColumn<bool>("fires");

    QTest::newRow("at the trigger") << 15 << -900 << true;
    QTest::newRow("a second before the trigger") << 15 << -901 << false;
    QTest::newRow("between trigger and start") << 15 << -60 << true;
    QTest::newRow("started 1799 s ago") << 15 << 1799 << true;
    QTest::newRow("started exactly 1800 s ago") << 15 << 1800 << false;
    QTest::newRow("day before, a day ahead") << 1440 << -86400 << true;
    QTest::newRow("after the start, offset 0") << 0 << 1 << true;
    // The pass reads triggers back as far as the largest waiting offset.
    QTest::newRow("two weeks ahead") << 20160 << -1209600 << true;
}

void TestNotificationService::dueAtTheTriggerAndUntilHalfAnHourAfterTheStart()
{
    QFETCH(int, offset);
    QFETCH(int, secondsFromStart);
    QFETCH(bool, fires);

    insertEvent(timedEvent(QStringLiteral("e1"), kDay, {offset}));
    pollAt(kDay.addSecs(secondsFromStart));
    QCOMPARE(m_notifier->messages.size(), fires ? 1 : 0);
    QCOMPARE(acknowledged(QStringLiteral("e1-r%1").arg(offset)), fires);
}

void TestNotificationService::bodyFollowsTheOffset_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("timeFormat");
    QTest::addColumn<QString>("body");

    QTest::newRow("0") << 0 << "12" << "Starting now (9:30 AM)";
    QTest::newRow("15 in 24-hour time") << 15 << "24" << "In 15 minutes (09:30)";
    QTest::newRow("59") << 59 << "12" << "In 59 minutes (9:30 AM)";
    QTest::newRow("60") << 60 << "12" << "In 1h (9:30 AM)";
    QTest::newRow("90") << 90 << "12" << "In 1h (9:30 AM)";
    QTest::newRow("1439") << 1439 << "12" << "In 23h (9:30 AM)";
    QTest::newRow("1440") << 1440 << "12" << "Tomorrow at 9:30 AM";
    QTest::newRow("after the start") << -10 << "12" << "In -10 minutes (9:30 AM)";
}

void TestNotificationService::bodyFollowsTheOffset()
{
    QFETCH(int, offset);
    QFETCH(QString, timeFormat);
    QFETCH(QString, body);

    QVERIFY(m_preferences->set(QStringLiteral("ui/timeFormat"), timeFormat));
    insertEvent(timedEvent(QStringLiteral("e1"), kDay, {offset}));
    pollAt(kDay.addSecs(-60LL * offset));
    QCOMPARE(m_notifier->messages.size(), 1);
    QCOMPARE(m_notifier->messages.first().title, QStringLiteral("Standup"));
    QCOMPARE(m_notifier->messages.first().body, body);
    QCOMPARE(m_notifier->messages.first().timeoutMs, 15000);
}

void TestNotificationService::untitledEventWithLocation()
{
    Event e = timedEvent(QStringLiteral("e1"), kDay, {15});
    e.location = QStringLiteral("Room 4");
    insertEvent(e);
    // The store keeps no empty titles itself; a synced item may carry one.
    QVERIFY(QSqlQuery(m_store->db()->database())
                .exec(QStringLiteral("UPDATE events SET title = '' WHERE id = 'e1'")));
    // Started ten minutes ago: the text still speaks of the offset.
    pollAt(kDay.addSecs(600));
    QCOMPARE(m_notifier->messages.size(), 1);
    QCOMPARE(m_notifier->messages.first().title, QStringLiteral("Reminder"));
    QCOMPARE(m_notifier->messages.first().body, QStringLiteral("In 15 minutes (9:30 AM) · Room 4"));
}

void TestNotificationService::reminderIsAcknowledgedOnlyWhenDelivered()
{
    insertEvent(timedEvent(QStringLiteral("e1"), kDay, {10}));
    insertTask(dueTask(QStringLiteral("t1"), kDay, false, 5));
    m_notifier->delivers = false;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("2 reminder\\(s\\) could not be shown"));
    pollAt(kDay.addSecs(-300));
    QCOMPARE(m_notifier->messages.size(), 2);
    QVERIFY(!acknowledged(QStringLiteral("e1-r10")));
    QVERIFY(!acknowledged(QStringLiteral("t1-r"), QStringLiteral("task_reminders")));

    // Still not delivered: kept again, and the warning is not repeated.
    pollAt(kDay.addSecs(-270));
    QCOMPARE(m_notifier->messages.size(), 4);
    QVERIFY(!acknowledged(QStringLiteral("e1-r10")));

    m_notifier->delivers = true;
    pollAt(kDay.addSecs(-240));
    QCOMPARE(m_notifier->messages.size(), 6);
    QVERIFY(acknowledged(QStringLiteral("e1-r10")));
    QVERIFY(acknowledged(QStringLiteral("t1-r"), QStringLiteral("task_reminders")));
    pollAt(kDay.addSecs(-210));
    QCOMPARE(m_notifier->messages.size(), 6);
}

void TestNotificationService::staleReminderIsSkippedButKept()
{
    insertEvent(timedEvent(QStringLiteral("old"), kDay.addSecs(-7200), {15}));
    for (int pass = 0; pass < 3; ++pass) {
        pollAt(kDay.addSecs(30 * pass));
        QCOMPARE(m_notifier->messages.size(), 0);
        QVERIFY(!acknowledged(QStringLiteral("old-r15")));
    }
}

void TestNotificationService::acknowledgedReminderIsNotShownAgain()
{
    insertEvent(timedEvent(QStringLiteral("e1"), kDay, {15, 5}));
    pollAt(kDay.addSecs(-900));
    QCOMPARE(m_notifier->messages.size(), 1);
    pollAt(kDay.addSecs(-870));
    QCOMPARE(m_notifier->messages.size(), 1);
    // The second reminder of the same event has its own time.
    pollAt(kDay.addSecs(-300));
    QCOMPARE(m_notifier->messages.size(), 2);
    QCOMPARE(m_notifier->messages.last().body, QStringLiteral("In 5 minutes (9:30 AM)"));
    QVERIFY(acknowledged(QStringLiteral("e1-r15")));
    QVERIFY(acknowledged(QStringLiteral("e1-r5")));
}

void TestNotificationService::movedEventRemindsAgainAtItsNewTime()
{
    insertEvent(timedEvent(QStringLiteral("e1"), kDay, {15}));
    pollAt(kDay.addSecs(-900));
    QCOMPARE(m_notifier->messages.size(), 1);
    QVERIFY(acknowledged(QStringLiteral("e1-r15")));

    // Snoozed: the meeting moves an hour later, so its reminder is due again.
    Event moved = *m_events->getById(QStringLiteral("e1"));
    moved.start_time = kDay.addSecs(3600);
    moved.end_time = kDay.addSecs(5400);
    QVERIFY(m_events->update(moved));
    QVERIFY(!acknowledged(QStringLiteral("e1-r15")));
    pollAt(kDay.addSecs(-600));
    QCOMPARE(m_notifier->messages.size(), 1);
    pollAt(kDay.addSecs(2700));
    QCOMPARE(m_notifier->messages.size(), 2);
    QCOMPARE(m_notifier->messages.last().body, QStringLiteral("In 15 minutes (10:30 AM)"));
}

void TestNotificationService::messageOnItsWayIsNotShownTwice()
{
    insertEvent(timedEvent(QStringLiteral("e1"), kDay, {15}));
    m_notifier->holding = true;
    pollAt(kDay.addSecs(-900));
    pollAt(kDay.addSecs(-870));
    QCOMPARE(m_notifier->messages.size(), 1);
    QVERIFY(!acknowledged(QStringLiteral("e1-r15")));
    m_notifier->release(true);
    QVERIFY(acknowledged(QStringLiteral("e1-r15")));
}

void TestNotificationService::recurringEventRemindsBeforeEveryOccurrence()
{
    Event daily = timedEvent(QStringLiteral("daily"), kDay.addDays(-3), {15});
    daily.recurrence_rule = QStringLiteral("FREQ=DAILY");
    insertEvent(daily);

    QSignalSpy clicked(m_service.get(), &NotificationService::reminderClicked);
    for (int day = 0; day < 3; ++day) {
        const QDateTime occurrence = kDay.addDays(day);
        pollAt(occurrence.addSecs(-901));
        QCOMPARE(m_notifier->messages.size(), day);
        pollAt(occurrence.addSecs(-900));
        QCOMPARE(m_notifier->messages.size(), day + 1);
        QCOMPARE(m_notifier->messages.last().body, QStringLiteral("In 15 minutes (9:30 AM)"));
        pollAt(occurrence.addSecs(-600));
        QCOMPARE(m_notifier->messages.size(), day + 1);

        // The series' reminder is never acknowledged; it waits for the next day.
        QVERIFY(!acknowledged(QStringLiteral("daily-r15")));
        QCOMPARE(triggerOf(QStringLiteral("daily-r15")), StoredTime::instant(occurrence.addDays(1).addSecs(-900)));

        m_notifier->click(day);
        QCOMPARE(clicked.size(), day + 1);
        QCOMPARE(clicked.last().at(0).toString(), QStringLiteral("daily"));
        QCOMPARE(clicked.last().at(1).toDate(), occurrence.date());
    }
}

void TestNotificationService::recurringReminderSkipsExceptionsAndEndsWithTheSeries()
{
    Event series = timedEvent(QStringLiteral("s"), kDay, {10});
    series.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=3");
    // The second day is cancelled.
    series.exception_dates = QStringLiteral("[\"%1\"]").arg(
        kDay.addDays(1).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
    insertEvent(series);

    pollAt(kDay.addSecs(-600));
    QCOMPARE(m_notifier->messages.size(), 1);
    QCOMPARE(triggerOf(QStringLiteral("s-r10")), StoredTime::instant(kDay.addDays(2).addSecs(-600)));
    pollAt(kDay.addDays(1).addSecs(-600));
    QCOMPARE(m_notifier->messages.size(), 1);
    pollAt(kDay.addDays(2).addSecs(-600));
    QCOMPARE(m_notifier->messages.size(), 2);
    // The last occurrence was shown: the series is done with.
    QVERIFY(acknowledged(QStringLiteral("s-r10")));
    pollAt(kDay.addDays(3).addSecs(-600));
    QCOMPARE(m_notifier->messages.size(), 2);
}

void TestNotificationService::recurringOccurrenceNotDeliveredIsTriedAgain()
{
    Event weekly = timedEvent(QStringLiteral("w"), kDay.addDays(-7), {5});
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
    insertEvent(weekly);

    m_notifier->delivers = false;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not be shown"));
    pollAt(kDay.addSecs(-300));
    QCOMPARE(m_notifier->messages.size(), 1);
    QCOMPARE(triggerOf(QStringLiteral("w-r5")), StoredTime::instant(kDay.addSecs(-300)));

    m_notifier->delivers = true;
    pollAt(kDay.addSecs(-60));
    QCOMPARE(m_notifier->messages.size(), 2);
    QCOMPARE(triggerOf(QStringLiteral("w-r5")), StoredTime::instant(kDay.addDays(7).addSecs(-300)));
    pollAt(kDay.addSecs(-30));
    QCOMPARE(m_notifier->messages.size(), 2);
}

void TestNotificationService::movedOccurrenceRemindsAtItsNewTime()
{
    Event daily = timedEvent(QStringLiteral("d"), kDay.addDays(-1), {15});
    daily.recurrence_rule = QStringLiteral("FREQ=DAILY");
    insertEvent(daily);
    // Today's occurrence moved to the afternoon.
    Event moved = timedEvent(QStringLiteral("d-today"), kDay.addSecs(5 * 3600), {});
    moved.uid = QStringLiteral("d");
    moved.title = QStringLiteral("Standup (moved)");
    moved.master_event_uid = QStringLiteral("d");
    moved.recurrence_id = kDay.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    insertEvent(moved);

    pollAt(kDay.addSecs(-900));
    QCOMPARE(m_notifier->messages.size(), 0);
    pollAt(kDay.addSecs(5 * 3600 - 900));
    QCOMPARE(m_notifier->messages.size(), 1);
    QCOMPARE(m_notifier->messages.first().title, QStringLiteral("Standup (moved)"));
    QCOMPARE(m_notifier->messages.first().body, QStringLiteral("In 15 minutes (2:30 PM)"));
}

void TestNotificationService::taskReminders_data()
{
    QTest::addColumn<bool>("dateOnly");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("secondsFromDue");
    QTest::addColumn<QString>("body"); // empty: never fires

    QTest::newRow("timed, offset 0") << false << 0 << "needs-action" << 0 << "Due now (9:30 AM)";
    QTest::newRow("timed, offset 30") << false << 30 << "in-process" << -1800 << "Due soon (9:30 AM)";
    QTest::newRow("timed, a second early") << false << 30 << "needs-action" << -1801 << "";
    QTest::newRow("timed, stale") << false << 0 << "needs-action" << 1800 << "";
    QTest::newRow("completed") << false << 0 << "completed" << 0 << "";
    QTest::newRow("cancelled") << false << 0 << "cancelled" << 0 << "";
    QTest::newRow("date-only, offset 0") << true << 0 << "needs-action" << 0 << "Due today";
    QTest::newRow("date-only, a day ahead") << true << 1440 << "needs-action" << -86400 << "Due soon";
}

void TestNotificationService::taskReminders()
{
    QFETCH(bool, dateOnly);
    QFETCH(int, offset);
    QFETCH(QString, status);
    QFETCH(int, secondsFromDue);
    QFETCH(QString, body);

    const QDateTime due = dateOnly ? QDateTime(kDay.date(), QTime(0, 0)) : kDay;
    insertTask(dueTask(QStringLiteral("t"), due, dateOnly, offset, status));
    pollAt(due.addSecs(secondsFromDue));
    QCOMPARE(m_notifier->messages.size(), body.isEmpty() ? 0 : 1);
    if (!body.isEmpty()) {
        QCOMPARE(m_notifier->messages.first().title, QStringLiteral("Task t"));
        QCOMPARE(m_notifier->messages.first().body, body);
    }
    QCOMPARE(acknowledged(QStringLiteral("t-r"), QStringLiteral("task_reminders")), !body.isEmpty());
}

void TestNotificationService::clickLeadsToTheEventOfThatMessage()
{
    insertEvent(timedEvent(QStringLiteral("first"), kDay, {15}));
    insertEvent(timedEvent(QStringLiteral("second"), kDay.addDays(1).addSecs(-3600), {1440}));
    insertTask(dueTask(QStringLiteral("t"), kDay, false, 15));
    QSignalSpy clicked(m_service.get(), &NotificationService::reminderClicked);
    pollAt(kDay.addSecs(-900));
    QCOMPARE(m_notifier->messages.size(), 3);

    // In trigger order: the day-ahead reminder of "second", then "first".
    QCOMPARE(m_notifier->messages.at(0).body, QStringLiteral("Tomorrow at 8:30 AM"));
    m_notifier->click(2); // the task's: nothing to open
    QCOMPARE(clicked.size(), 0);
    m_notifier->click(1);
    m_notifier->click(0);
    QCOMPARE(clicked.size(), 2);
    QCOMPARE(clicked.at(0).at(0).toString(), QStringLiteral("first"));
    QCOMPARE(clicked.at(0).at(1).toDate(), kDay.date());
    QCOMPARE(clicked.at(1).at(0).toString(), QStringLiteral("second"));
    QCOMPARE(clicked.at(1).at(1).toDate(), kDay.addDays(1).addSecs(-3600).date());

    m_service->showTestReminder();
    QCOMPARE(m_notifier->messages.size(), 4);
    QCOMPARE(m_notifier->messages.last().title, QStringLiteral("Test reminder"));
    m_notifier->click(3);
    QCOMPARE(clicked.size(), 2);
}

// "Open" on a task's message leads to that task, by its uid.
void TestNotificationService::clickOnATaskReminderOpensThatTask()
{
    Task task = dueTask(QStringLiteral("t"), kDay, false, 15);
    task.uid = QStringLiteral("task-uid@example.com");
    insertTask(task);
    QSignalSpy events(m_service.get(), &NotificationService::reminderClicked);
    QSignalSpy tasks(m_service.get(), &NotificationService::taskReminderClicked);
    pollAt(kDay.addSecs(-900));
    QCOMPARE(m_notifier->messages.size(), 1);
    m_notifier->click(0);
    QCOMPARE(events.size(), 0);
    QCOMPARE(tasks.size(), 1);
    QCOMPARE(tasks.first().first().toString(), QStringLiteral("task-uid@example.com"));
}

void TestNotificationService::severalDueRemindersInOnePass()
{
    insertEvent(timedEvent(QStringLiteral("late"), kDay.addSecs(600), {20}, QStringLiteral("Late")));
    insertEvent(timedEvent(QStringLiteral("early"), kDay, {15}, QStringLiteral("Early")));
    insertTask(dueTask(QStringLiteral("t"), kDay.addSecs(300), false, 10));
    pollAt(kDay.addSecs(-300));
    QCOMPARE(m_notifier->messages.size(), 3);
    // Event reminders by trigger time, then task reminders.
    QCOMPARE(m_notifier->messages.at(0).title, QStringLiteral("Early"));
    QCOMPARE(m_notifier->messages.at(1).title, QStringLiteral("Late"));
    QCOMPARE(m_notifier->messages.at(2).title, QStringLiteral("Task t"));
    QVERIFY(acknowledged(QStringLiteral("early-r15")));
    QVERIFY(acknowledged(QStringLiteral("late-r20")));
    QVERIFY(acknowledged(QStringLiteral("t-r"), QStringLiteral("task_reminders")));
}

void TestNotificationService::failedEventQueryShowsNothing()
{
    insertEvent(timedEvent(QStringLiteral("e1"), kDay, {15}));
    insertTask(dueTask(QStringLiteral("t"), kDay, false, 15));
    QSqlQuery(m_store->db()->database()).exec(QStringLiteral("ALTER TABLE events RENAME TO events_gone"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^NotificationService poll failed:"));
    pollAt(kDay.addSecs(-900));
    QCOMPARE(m_notifier->messages.size(), 0);
    QVERIFY(!acknowledged(QStringLiteral("t-r"), QStringLiteral("task_reminders")));
}

void TestNotificationService::reminderReachesTheDesktopWithoutATray()
{
    PrivateSessionBus bus;
    QVERIFY2(bus.start(), qPrintable(bus.errorText()));
    QDBusConnection client = QDBusConnection::connectToBus(bus.address(), QStringLiteral("service-client"));
    QDBusConnection serverSide = QDBusConnection::connectToBus(bus.address(), QStringLiteral("service-server"));
    {
        FakeNotificationServer server(serverSide);
        QVERIFY(server.start());
        DesktopNotifier notifier({new TrayNotifier(nullptr), new DBusNotifier(client), new InAppNotifier});
        NotificationService service(m_store->db(), m_events.get(), m_preferences.get(), &notifier);
        service.setClock([this] { return m_now; });
        QSignalSpy clicked(&service, &NotificationService::reminderClicked);

        insertEvent(timedEvent(QStringLiteral("e1"), kDay, {15}));
        insertEvent(timedEvent(QStringLiteral("e2"), kDay.addSecs(3600), {15}));
        m_now = kDay.addSecs(-900);
        service.poll();
        QTRY_VERIFY(acknowledged(QStringLiteral("e1-r15")));
        QCOMPARE(server.messages().size(), 1);
        QCOMPARE(server.messages().first().summary, QStringLiteral("Standup"));
        QCOMPARE(server.messages().first().body, QStringLiteral("In 15 minutes (9:30 AM)"));

        server.click(server.messages().first().id);
        QVERIFY(clicked.wait(20000));
        QCOMPARE(clicked.first().at(0).toString(), QStringLiteral("e1"));

        // The desktop refuses and no window is shown: the reminder is kept.
        server.setRefusing(true);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("desktop notification failed"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("1 reminder\\(s\\) could not be shown"));
        m_now = kDay.addSecs(2700);
        service.poll();
        QTest::qWait(300);
        QVERIFY(!acknowledged(QStringLiteral("e2-r15")));
        server.setRefusing(false);
        m_now = kDay.addSecs(2730);
        service.poll();
        QTRY_VERIFY(acknowledged(QStringLiteral("e2-r15")));
        QCOMPARE(server.messages().size(), 2);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("service-client"));
    QDBusConnection::disconnectFromBus(QStringLiteral("service-server"));
}

// Enough overdue series that the pass takes several slices, beside one-off
// reminders that are due, overdue, stale, acknowledged and moved later
// (snoozed): each due one fires once, and the stored state is as a pass in
// one go leaves it.
void TestNotificationService::passInSlicesFiresWhatIsDueAndWritesTheSameState()
{
    const auto oneOff = [this](const char *id, const QDateTime &start) {
        insertEvent(timedEvent(QString::fromLatin1(id), start, {15}, QString::fromLatin1(id)));
    };
    oneOff("done", kDay.addSecs(300));
    pollAt(kDay.addSecs(-600));
    oneOff("snoozed", kDay.addSecs(-7200));
    pollAt(kDay.addSecs(-7200 - 900));
    QCOMPARE(m_notifier->messages.size(), 2);
    Event snoozed = *m_events->getById(QStringLiteral("snoozed"));
    snoozed.start_time = kDay.addSecs(300);
    snoozed.end_time = kDay.addSecs(900);
    QVERIFY(m_events->update(snoozed));
    oneOff("due", kDay.addSecs(600));
    oneOff("overdue", kDay.addSecs(-1200));
    oneOff("stale", kDay.addSecs(-2400));
    for (int i = 0; i < 60; ++i) {
        Event series = timedEvent(QStringLiteral("series-%1").arg(i), kDay.addDays(-10).addSecs(600), {15},
                                  QStringLiteral("series %1").arg(i, 2, 10, QLatin1Char('0')));
        series.recurrence_rule = QStringLiteral("FREQ=DAILY");
        insertEvent(series);
    }
    m_notifier->messages.clear();

    pollAt(kDay);
    QStringList fired;
    for (const Notification &message : std::as_const(m_notifier->messages))
        fired.append(message.title + QLatin1String(": ") + message.body);
    fired.sort();
    QStringList expected = {QStringLiteral("due: In 15 minutes (9:40 AM)"),
                            QStringLiteral("overdue: In 15 minutes (9:10 AM)"),
                            QStringLiteral("snoozed: In 15 minutes (9:35 AM)")};
    for (int i = 0; i < 60; ++i)
        expected.append(QStringLiteral("series %1: In 15 minutes (9:40 AM)").arg(i, 2, 10, QLatin1Char('0')));
    expected.sort();
    QCOMPARE(fired, expected);
    QCOMPARE((QList<bool>{acknowledged("due-r15"), acknowledged("overdue-r15"), acknowledged("stale-r15"),
                          acknowledged("done-r15"), acknowledged("snoozed-r15")}),
             (QList<bool>{true, true, false, true, true}));
    const QString tomorrow = StoredTime::instant(kDay.addDays(1).addSecs(600 - 900));
    for (int i = 0; i < 60; ++i)
        QCOMPARE(triggerOf(QStringLiteral("series-%1-r15").arg(i)), tomorrow);

    // Nothing is due twice.
    pollAt(kDay.addSecs(60));
    QCOMPARE(m_notifier->messages.size(), expected.size());
}

void TestNotificationService::destroyingTheServiceMidPassShowsNothingMore()
{
    for (int i = 0; i < 200; ++i) {
        Event series = timedEvent(QStringLiteral("series-%1").arg(i), kDay.addDays(-400).addSecs(600), {15});
        series.recurrence_rule = QStringLiteral("FREQ=DAILY");
        insertEvent(series);
    }
    m_now = kDay;
    m_service->poll();
    const int shown = int(m_notifier->messages.size());
    m_service.reset();
    QTest::qWait(100);
    QCOMPARE(m_notifier->messages.size(), shown);
}

// The program's connection holds the write lock (a large import) while a
// pass ends: its messages show at once, its write waits for the lock, a poll
// meanwhile runs after the write, an event moved meanwhile keeps its new
// reminder, and the rest is what a pass in one go leaves.
void TestNotificationService::passWrittenBesideALockedStoreKeepsItsStateAndDelaysTheNextPass()
{
    insertEvent(timedEvent(QStringLiteral("one"), kDay.addSecs(600), {15}, QStringLiteral("one")));
    Event series = timedEvent(QStringLiteral("daily"), kDay.addDays(-3).addSecs(600), {15}, QStringLiteral("daily"));
    series.recurrence_rule = QStringLiteral("FREQ=DAILY");
    insertEvent(series);
    insertTask(dueTask(QStringLiteral("t"), kDay.addSecs(300), false, 10));

    QVERIFY(m_store->exec(QStringLiteral("BEGIN IMMEDIATE")));
    pollAt(kDay);
    QCOMPARE(m_notifier->messages.size(), 3);
    QTest::qWait(100);
    QVERIFY(m_service->isSettling());
    QCOMPARE((QList<bool>{storedAcknowledged("one-r15"), storedAcknowledged("t-r", "task_reminders")}),
             (QList<bool>{false, false}));
    QSignalSpy passes(m_service.get(), &NotificationService::passFinished);
    m_service->poll();
    QCOMPARE(passes.size(), 0);
    // Moved while the write waits: its reminder stands for the new time.
    Event moved = *m_events->getById(QStringLiteral("one"));
    moved.start_time = kDay.addSecs(3 * 3600);
    moved.end_time = moved.start_time.addSecs(1800);
    QVERIFY(m_events->update(moved));

    QVERIFY(m_store->exec(QStringLiteral("COMMIT")));
    QVERIFY(passes.wait(20000));
    QCOMPARE((QList<bool>{acknowledged("one-r15"), acknowledged("t-r", "task_reminders"), acknowledged("daily-r15")}),
             (QList<bool>{false, true, false}));
    QCOMPARE(triggerOf(QStringLiteral("one-r15")), StoredTime::instant(moved.start_time.addSecs(-900)));
    QCOMPARE(triggerOf(QStringLiteral("daily-r15")), StoredTime::instant(kDay.addDays(1).addSecs(-300)));
    // The delayed pass read the written state: nothing showed twice.
    QCOMPARE(m_notifier->messages.size(), 3);
}

void TestNotificationService::quittingWhileTheWriteWaitsForTheLockLosesNothing()
{
    insertEvent(timedEvent(QStringLiteral("one"), kDay.addSecs(600), {15}));
    Event series = timedEvent(QStringLiteral("daily"), kDay.addDays(-3).addSecs(600), {15});
    series.recurrence_rule = QStringLiteral("FREQ=DAILY");
    insertEvent(series);
    QVERIFY(m_store->exec(QStringLiteral("BEGIN IMMEDIATE")));
    pollAt(kDay);
    QCOMPARE(m_notifier->messages.size(), 2);
    QVERIFY(m_service->isSettling());
    m_service.reset();
    QVERIFY(m_store->exec(QStringLiteral("COMMIT")));
    QCOMPARE((QList<QString>{storedColumn(m_store->db(), QStringLiteral("reminders"), QStringLiteral("one-r15"),
                                          QStringLiteral("acknowledged")),
                             storedColumn(m_store->db(), QStringLiteral("reminders"), QStringLiteral("daily-r15"),
                                          QStringLiteral("trigger_time"))}),
             (QList<QString>{QStringLiteral("1"), StoredTime::instant(kDay.addDays(1).addSecs(-300))}));
}

QTEST_MAIN(TestNotificationService)
#include "tst_notificationservice.moc"
