#include "app/edits/taskeditor.h"
#include "store/calendarrepository.h"
#include "store/taskrepository.h"
#include "tests/support/taskrecords.h"
#include "tests/support/teststore.h"

#include <QTest>
#include <QTimeZone>

#include <memory>

namespace {

const QString kCalA = QStringLiteral("cal-a");

// A server's copy with a line another client added.
const QString kServerText =
    QStringLiteral("BEGIN:VTODO\r\nUID:t\r\nSUMMARY:Task t\r\nX-OTHER-CLIENT-NOTE:blue bag\r\nEND:VTODO\r\n");

QDateTime local(const QDate &day, int hour, int minute = 0)
{
    return QDateTime(day, QTime(hour, minute));
}

QDateTime utc(int y, int m, int d, int hour)
{
    return QDateTime(QDate(y, m, d), QTime(hour, 0), QTimeZone::utc());
}

} // namespace

using namespace TaskRecords;

// Completing a task, as the panes, the agenda and the popovers do it through
// the task editor: a plain one is stamped completed, a repeating one moves
// on to its next date and stays open until its rule runs out. Runs in every
// test zone: a timed task keeps its wall-clock time across a daylight-saving
// change.
class TestTaskCompletion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        QVERIFY(seedLocalCalendars(m_store->db(), {kCalA}));
        m_tasks = std::make_unique<TaskRepository>(m_store->db());
        m_calendars = std::make_unique<CalendarRepository>(m_store->db());
        m_editor = std::make_unique<TaskEditor>(m_tasks.get(), m_calendars.get());
    }

    void cleanup()
    {
        m_editor.reset();
        m_calendars.reset();
        m_tasks.reset();
        m_store.reset();
    }

    void completingPlainTaskStampsCompletion()
    {
        Task t = dueOn(QStringLiteral("t"), QDate(2024, 6, 3));
        t.sequence = 3;
        t.raw_icalendar = kServerText;
        QVERIFY(m_tasks->insert(t));
        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        QVERIFY(m_editor->setCompleted(t.id, true).ok);
        Task read = *m_tasks->getById(t.id);
        QCOMPARE(read.status, TaskStatus::Completed);
        QCOMPARE(read.percent_complete, 100);
        QCOMPARE(read.sequence, 4);
        QCOMPARE(read.sync_status, SyncStatus::Pending);
        QVERIFY(read.completed_date && *read.completed_date >= before);
        QVERIFY(column(t.id, QStringLiteral("completed_date")).endsWith(QLatin1Char('Z')));
        QVERIFY(read.raw_icalendar.contains(QLatin1String("STATUS:COMPLETED")));
        QVERIFY(read.raw_icalendar.contains(QLatin1String("X-OTHER-CLIENT-NOTE:blue bag\r\n")));

        // Completing again re-stamps and counts the sequence again.
        QVERIFY(m_store->exec(QStringLiteral("UPDATE tasks SET completed_date = '2000-01-01T00:00:00Z'")));
        QVERIFY(m_editor->setCompleted(t.id, true).ok);
        read = *m_tasks->getById(t.id);
        QCOMPARE(read.sequence, 5);
        QVERIFY(*read.completed_date >= before);
    }

    void completingRecurringTask_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("dated"); // due on 3 June 2024, date-only
        QTest::addColumn<QString>("status");
        QTest::addColumn<QDate>("nextDue"); // null: completed where it stands
        QTest::addColumn<QString>("nextRule");
        const QString open = QStringLiteral("needs-action");
        const QString weekly = QStringLiteral("FREQ=WEEKLY");
        const QString due = QStringLiteral("fromDueDate");
        QTest::newRow("weekly rolls to the next due date") << weekly << due << true << open << QDate(2024, 6, 10) << weekly;
        QTest::newRow("counted rule counts down") << "FREQ=DAILY;COUNT=3" << due << true << open << QDate(2024, 6, 4)
                                                  << "FREQ=DAILY;COUNT=2";
        QTest::newRow("count of one completes") << "FREQ=DAILY;COUNT=1" << due << true << open << QDate() << "FREQ=DAILY;COUNT=1";
        QTest::newRow("until before next step completes") << "FREQ=WEEKLY;UNTIL=20240605T000000Z" << due << true << open
                                                          << QDate() << "FREQ=WEEKLY;UNTIL=20240605T000000Z";
        QTest::newRow("beyond five years completes") << "FREQ=YEARLY;INTERVAL=6" << due << true << open << QDate()
                                                     << "FREQ=YEARLY;INTERVAL=6";
        QTest::newRow("unknown frequency completes") << "FREQ=FORTNIGHTLY" << due << true << open << QDate() << "FREQ=FORTNIGHTLY";
        QTest::newRow("completed recurring task is recompleted") << weekly << due << true << "completed" << QDate() << weekly;
        QTest::newRow("undated, from due date") << "FREQ=DAILY" << due << false << open << QDate() << "FREQ=DAILY";
        QTest::newRow("undated, from completion date") << "FREQ=DAILY" << "fromCompletionDate" << false << open << QDate()
                                                       << "FREQ=DAILY";
    }

    void completingRecurringTask()
    {
        QFETCH(QString, rule);
        QFETCH(QString, mode);
        QFETCH(bool, dated);
        QFETCH(QString, status);
        QFETCH(QDate, nextDue);
        QFETCH(QString, nextRule);
        Task t = dated ? dueOn(QStringLiteral("t"), QDate(2024, 6, 3)) : plainTask(QStringLiteral("t"));
        t.recurrence_rule = rule;
        t.repeat_mode = mode;
        t.status = taskStatusFromText(status);
        QVERIFY(m_tasks->insert(t));
        QVERIFY(m_editor->setCompleted(t.id, true).ok);

        const Task read = m_tasks->getById(t.id).value_or(Task());
        QCOMPARE(read.recurrence_rule, nextRule);
        QCOMPARE(read.sync_status, SyncStatus::Pending);
        if (nextDue.isNull()) {
            QCOMPARE(read.status, TaskStatus::Completed);
            QCOMPARE(read.percent_complete, 100);
            QVERIFY(read.completed_date);
            QCOMPARE(read.due_date.has_value(), dated);
            if (dated)
                QCOMPARE(read.due_date->date(), QDate(2024, 6, 3));
            return;
        }
        QCOMPARE(read.status, TaskStatus::NeedsAction);
        QCOMPARE(column(t.id, QStringLiteral("due_date")), nextDue.toString(Qt::ISODate));
        QVERIFY(!read.completed_date);
        QCOMPARE(read.percent_complete, 0);
        QCOMPARE(read.sequence, 1);
        QVERIFY(read.raw_icalendar.contains(QLatin1String("DUE;VALUE=DATE:") + nextDue.toString(u"yyyyMMdd")));
        QVERIFY(read.raw_icalendar.contains(QLatin1String("RRULE:") + nextRule));
        QVERIFY(read.raw_icalendar.contains(QLatin1String("SEQUENCE:1")));
    }

    void fromCompletionDateCountsFromToday()
    {
        Task t = dueOn(QStringLiteral("t"), QDate(2024, 6, 3));
        t.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        t.repeat_mode = QStringLiteral("fromCompletionDate");
        QVERIFY(m_tasks->insert(t));
        const QDate today = QDate::currentDate();
        QVERIFY(m_editor->setCompleted(t.id, true).ok);
        const QDate due = m_tasks->getById(t.id)->due_date->date();
        // Midnight may pass during the call.
        QVERIFY2(due == today.addDays(7) || due == today.addDays(8),
                 qPrintable(due.toString(Qt::ISODate)));
        QCOMPARE(column(t.id, QStringLiteral("due_date")).size(), 10);
    }

    void startOnlyTaskMovesItsStart()
    {
        Task t = plainTask(QStringLiteral("t"));
        t.start_date = utc(2024, 6, 3, 9);
        t.start_is_date_only = false;
        t.due_is_date_only = true;
        t.recurrence_rule = QStringLiteral("FREQ=DAILY");
        QVERIFY(m_tasks->insert(t));
        QVERIFY(m_editor->setCompleted(t.id, true).ok);
        const Task read = *m_tasks->getById(t.id);
        QCOMPARE(read.status, TaskStatus::NeedsAction);
        QVERIFY(!read.due_date);
        // The start keeps its time of day although the due flag says date-only.
        QCOMPARE(*read.start_date, t.start_date->toLocalTime().addDays(1));
    }

    void reopenKeepsRolledDate()
    {
        Task t = dueOn(QStringLiteral("t"), QDate(2024, 6, 3));
        t.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        t.raw_icalendar = kServerText;
        QVERIFY(m_tasks->insert(t));
        QVERIFY(m_editor->setCompleted(t.id, true).ok);
        QVERIFY(m_editor->setCompleted(t.id, false).ok);
        const Task read = *m_tasks->getById(t.id);
        QCOMPARE(read.raw_icalendar.count(QLatin1String("X-OTHER-CLIENT-NOTE:blue bag\r\n")), 1);
        QCOMPARE(read.status, TaskStatus::NeedsAction);
        QCOMPARE(read.due_date->date(), QDate(2024, 6, 10));
        QCOMPARE(read.sequence, 2);
        QVERIFY(!read.completed_date);
    }

    void rollForwardRearmsReminders()
    {
        // Due yesterday at noon, reminded and acknowledged; the next one is ahead.
        const QDateTime due(QDate::currentDate().addDays(-1), QTime(12, 0));
        Task t = dueAt(QStringLiteral("t"), due);
        t.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        t.reminders = {reminder(QStringLiteral("r"), 15)};
        QVERIFY(m_tasks->insert(t));
        QVERIFY(m_store->exec(QStringLiteral("UPDATE task_reminders SET acknowledged = 1")));

        QVERIFY(m_editor->setCompleted(t.id, true).ok);
        const Task read = *m_tasks->getById(t.id);
        QCOMPARE(*read.due_date, due.addDays(7));
        QCOMPARE(read.reminders.size(), 1);
        QCOMPARE(read.reminders.first().id, QStringLiteral("r"));
        QVERIFY(!read.reminders.first().acknowledged);
        QCOMPARE(*read.reminders.first().trigger_time, due.addDays(7).addSecs(-15 * 60));
    }

    void timedTaskKeepsWallClockAcrossDaylightSaving()
    {
        // Weekly at 09:00 local, across the spring change of New York, Berlin
        // or Adelaide (whichever zone the test runs in).
        for (const QDate &day : {QDate(2024, 3, 5), QDate(2024, 3, 28), QDate(2024, 10, 2)}) {
            Task t = dueAt(day.toString(Qt::ISODate), local(day, 9));
            t.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
            QVERIFY(m_tasks->insert(t));
            QVERIFY(m_editor->setCompleted(t.id, true).ok);
            const QDateTime next = m_tasks->getById(t.id)->due_date->toLocalTime();
            QCOMPARE(next.date(), day.addDays(7));
            QCOMPARE(next.time(), QTime(9, 0));
        }
    }
private:
    QString column(const QString &id, const QString &name) const
    {
        return storedColumn(m_store->db(), QStringLiteral("tasks"), id, name);
    }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<TaskRepository> m_tasks;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<TaskEditor> m_editor;
};

QTEST_GUILESS_MAIN(TestTaskCompletion)
#include "tst_taskcompletion.moc"
