#include "store/storedtime.h"
#include "store/taskrepository.h"
#include "store/taskrollforward.h"
#include "tests/support/taskrecords.h"
#include "tests/store/repositorychecks.h"
#include "tests/support/teststore.h"

#include <QSet>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <memory>

namespace {

const QString kCalA = QStringLiteral("cal-a");
const QString kCalB = QStringLiteral("cal-b");

QDateTime local(const QDate &day, int hour, int minute = 0)
{
    return QDateTime(day, QTime(hour, minute));
}

QDateTime utc(int y, int m, int d, int hour, int minute = 0)
{
    return QDateTime(QDate(y, m, d), QTime(hour, minute), QTimeZone::utc());
}

QSet<QString> idsOf(const QList<Task> &tasks)
{
    QSet<QString> ids;
    for (const Task &t : tasks)
        ids.insert(t.id);
    return ids;
}

} // namespace

using namespace TaskRecords;

class TestTaskRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        QVERIFY(seedLocalCalendars(m_store->db(), {kCalA, kCalB}));
        m_repo = std::make_unique<TaskRepository>(m_store->db());
    }

    void cleanup()
    {
        m_repo.reset();
        m_store.reset();
    }

    void insertKeepsEveryFieldAndReminder()
    {
        Task t = dueAt(QStringLiteral("t1"), utc(2024, 6, 3, 15, 30));
        t.etag = QStringLiteral("etag");
        t.href = QStringLiteral("/t1.ics");
        t.description = QStringLiteral("Ünïcode notes");
        t.status = TaskStatus::InProcess;
        t.priority = 5;
        t.percent_complete = 40;
        t.start_date = QDateTime(QDate(2024, 6, 1), QTime(0, 0));
        t.start_is_date_only = true;
        t.completed_date = utc(2024, 6, 2, 8);
        t.categories = {QStringLiteral("work"), QStringLiteral("urgent, really")};
        t.parent_task_uid = QStringLiteral("parent");
        t.sort_order = 30;
        t.color = QStringLiteral("#ff0000");
        t.recurrence_rule = QStringLiteral("FREQ=DAILY");
        t.repeat_mode = QStringLiteral("fromCompletionDate");
        t.item_type = QStringLiteral("reminder");
        t.sequence = 2;
        t.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
        t.created = utc(2024, 5, 1, 0);
        t.last_modified = utc(2024, 5, 2, 0);
        t.reminders = {reminder(QStringLiteral("r1"), 10), reminder(QString(), 0)};
        t.reminders[0].action = QStringLiteral("email");
        QVERIFY(m_repo->insert(t));

        // Reminders get the task, a fresh id where none was given and the
        // trigger before the due time; they are compared by minutes.
        Task read = m_repo->getById(t.id).value_or(Task());
        std::sort(read.reminders.begin(), read.reminders.end(),
                  [](const Reminder &a, const Reminder &b) { return a.minutes_before < b.minutes_before; });
        Task expected = t;
        expected.reminders = {t.reminders.at(1), t.reminders.at(0)};
        for (Reminder &r : expected.reminders) {
            r.task_id = t.id;
            r.trigger_time = t.due_date->addSecs(-60 * r.minutes_before);
        }
        expected.reminders[0].id = read.reminders.value(0).id;
        QVERIFY(!expected.reminders[0].id.isEmpty());
        QCOMPARE(read, expected);

        QVERIFY(m_repo->getByUid(t.uid));
        QVERIFY(m_repo->getByUidAndCalendar(t.uid, kCalA));
        QVERIFY(!m_repo->getByUidAndCalendar(t.uid, kCalB));
        QVERIFY(!m_repo->getByUid(QString()));
    }

    void storesTimedValuesInUtcAndDateOnlyAsDates()
    {
        const QDateTime evening = local(QDate(2024, 1, 15), 23, 30);
        Task timed = dueAt(QStringLiteral("timed"), evening);
        timed.start_date = evening.addSecs(-3600);
        timed.start_is_date_only = false;
        QVERIFY(m_repo->insert(timed));
        QCOMPARE(column(timed.id, QStringLiteral("due_date")), StoredTime::instant(evening));
        QVERIFY(column(timed.id, QStringLiteral("start_date")).endsWith(QLatin1Char('Z')));

        // A date given as UTC midnight is still that date, whatever the local zone.
        Task dated = plainTask(QStringLiteral("dated"));
        dated.due_date = utc(2024, 6, 3, 0);
        dated.due_is_date_only = true;
        QVERIFY(m_repo->insert(dated));
        QCOMPARE(column(dated.id, QStringLiteral("due_date")), QStringLiteral("2024-06-03"));
        QCOMPARE(m_repo->getById(dated.id)->due_date->date(), QDate(2024, 6, 3));

        QVERIFY(m_repo->remove(dated.id));
        QVERIFY(column(dated.id, QStringLiteral("deleted_at")).endsWith(QLatin1Char('Z')));
    }

    void emptyDefaultsOnInsertAndUpdate()
    {
        Task t = plainTask(QStringLiteral("t"));
        t.repeat_mode = QString();
        t.item_type = QString();
        QVERIFY(m_repo->insert(t));
        QCOMPARE(column(t.id, QStringLiteral("repeat_mode")), QStringLiteral("fromDueDate"));
        QCOMPARE(column(t.id, QStringLiteral("item_type")), QStringLiteral("task"));
        QCOMPARE(column(t.id, QStringLiteral("sync_status")), QStringLiteral("synced"));
        QVERIFY(m_repo->update(t));
        QCOMPARE(column(t.id, QStringLiteral("repeat_mode")), QStringLiteral("fromDueDate"));
        QCOMPARE(column(t.id, QStringLiteral("item_type")), QStringLiteral("task"));
        // A record always carries a status now: an update writes it as it stands.
        QCOMPARE(column(t.id, QStringLiteral("sync_status")), QStringLiteral("synced"));

        // Empty columns written by other code read as the defaults.
        QVERIFY(exec(QStringLiteral("UPDATE tasks SET repeat_mode = '', item_type = ''")));
        const std::optional<Task> read = m_repo->getById(t.id);
        QCOMPARE(read->repeat_mode, QStringLiteral("fromDueDate"));
        QCOMPARE(read->item_type, QStringLiteral("task"));
    }

    void categoriesReadFromStoredText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty text") << QStringLiteral("") << QStringList();
        QTest::newRow("not json") << QStringLiteral("work, home") << QStringList();
        QTest::newRow("object") << QStringLiteral("{\"a\":1}") << QStringList();
        QTest::newRow("empty array") << QStringLiteral("[]") << QStringList();
        QTest::newRow("mixed") << QStringLiteral("[\"a\", 7, \"b\"]")
                               << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    }

    void categoriesReadFromStoredText()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, expected);
        QVERIFY(m_repo->insert(plainTask(QStringLiteral("t"))));
        QSqlQuery q(m_store->db()->database());
        q.prepare(QStringLiteral("UPDATE tasks SET categories = ? WHERE id = 't'"));
        q.addBindValue(stored);
        QVERIFY(q.exec());
        QCOMPARE(m_repo->getById(QStringLiteral("t"))->categories, expected);
        QCOMPARE(TaskRepository::parseCategories(QString()), QStringList());
    }

    void categoriesWrittenCompact()
    {
        Task t = plainTask(QStringLiteral("t"));
        t.categories = {QStringLiteral("home"), QStringLiteral("garden \"shed\"")};
        QVERIFY(m_repo->insert(t));
        QCOMPARE(column(t.id, QStringLiteral("categories")),
                 QStringLiteral("[\"home\",\"garden \\\"shed\\\"\"]"));
        t.categories.clear();
        QVERIFY(m_repo->update(t));
        QCOMPARE(column(t.id, QStringLiteral("categories")), QStringLiteral("[]"));
    }

    void tombstonesHiddenFromDisplayReadsOnly()
    {
        Task t = dueOn(QStringLiteral("gone"), QDate(2024, 6, 3));
        t.reminders = {reminder(QStringLiteral("r"), 15)};
        QVERIFY(m_repo->insert(t));
        QVERIFY(m_repo->remove(t.id));

        const std::optional<Task> byId = m_repo->getById(t.id);
        QVERIFY(byId);
        QVERIFY(byId->deleted_at);
        QCOMPARE(byId->sync_status, SyncStatus::Pending);
        QCOMPARE(byId->reminders.size(), 1);
        QVERIFY(m_repo->getByUidAndCalendar(t.uid, kCalA));
        QCOMPARE(idsOf(m_repo->getPending(kCalA)), QSet<QString>{t.id});

        QVERIFY(!m_repo->getByUid(t.uid));
        QVERIFY(m_repo->getByCalendar(kCalA).isEmpty());
        QVERIFY(
            m_repo->getInRange(local(QDate(2024, 6, 1), 0), local(QDate(2024, 6, 10), 0)).isEmpty());

        // An update with no tombstone brings it back.
        Task back = *byId;
        back.deleted_at.reset();
        QVERIFY(m_repo->update(back));
        QCOMPARE(m_repo->getByCalendar(kCalA).size(), 1);
    }

    void hardDeleteTakesRemindersWithIt()
    {
        Task t = dueOn(QStringLiteral("t"), QDate(2024, 6, 3));
        t.reminders = {reminder(QStringLiteral("r1"), 15), reminder(QStringLiteral("r2"), 60)};
        QVERIFY(m_repo->insert(t));
        QVERIFY(m_repo->remove(t.id));
        QCOMPARE(reminderRows(t.id), 2);
        QVERIFY(m_repo->hardDelete(t.id));
        QVERIFY(!m_repo->getById(t.id));
        QCOMPARE(reminderRows(t.id), 0);
    }

    void markSyncedChangesOnlySyncFields()
    {
        Task t = plainTask(QStringLiteral("t"));
        t.sync_status = SyncStatus::Pending;
        t.last_modified = utc(2021, 3, 3, 3);
        t.reminders = {reminder(QStringLiteral("r"), 10)};
        QVERIFY(m_repo->insert(t));
        Task expected = m_repo->getById(t.id).value_or(Task());
        QVERIFY(m_repo->markSynced(t.id, QStringLiteral("/t.ics"), QStringLiteral("etag-9")));
        expected.href = QStringLiteral("/t.ics");
        expected.etag = QStringLiteral("etag-9");
        expected.sync_status = SyncStatus::Synced;
        QCOMPARE(m_repo->getById(t.id).value_or(Task()), expected);
    }

    // A confirmed upload: the row holds what went up, and the next local
    // edit starts from it.
    void markSentKeepsTheTextThatWentUp()
    {
        Task t = plainTask(QStringLiteral("t"));
        t.etag = QStringLiteral("etag-1");
        t.raw_icalendar = QStringLiteral("BEGIN:VTODO\r\nSUMMARY:server\r\nEND:VTODO\r\n");
        QVERIFY(m_repo->insert(t));
        t = m_repo->getById(t.id).value();
        t.title = QStringLiteral("edited");
        t.sync_status = SyncStatus::Pending;
        QVERIFY(m_repo->update(t));
        QVERIFY(m_repo->syncBase(t.id));
        // The edit is stamped when it is stored, which may be a second
        // after the row was read.
        t.last_modified = m_repo->getById(t.id).value().last_modified;

        const QString sent = QStringLiteral("BEGIN:VTODO\r\nSUMMARY:edited\r\nEND:VTODO\r\n");
        QVERIFY(m_repo->markSent(t.id, QStringLiteral("/t.ics"), QStringLiteral("etag-2"), sent));
        Task expected = t;
        expected.href = QStringLiteral("/t.ics");
        expected.etag = QStringLiteral("etag-2");
        expected.raw_icalendar = sent;
        expected.sync_status = SyncStatus::Synced;
        QCOMPARE(m_repo->getById(t.id).value_or(Task()), expected);
        QCOMPARE(m_repo->syncBase(t.id), std::nullopt);

        expected.priority = 3;
        expected.sync_status = SyncStatus::Pending;
        QVERIFY(m_repo->update(expected));
        QCOMPARE(m_repo->syncBase(t.id), std::optional<TaskSyncBase>(TaskSyncBase{QStringLiteral("etag-2"), sent}));
        QVERIFY(!m_repo->markSent(QStringLiteral("none"), QString(), QString(), sent));
    }

    void getByCalendarListsDueTasksFirst()
    {
        Task late = dueOn(QStringLiteral("late"), QDate(2024, 6, 9));
        Task early = dueOn(QStringLiteral("early"), QDate(2024, 6, 2));
        Task undatedB = plainTask(QStringLiteral("undated-b"));
        undatedB.sort_order = 20;
        Task undatedA = plainTask(QStringLiteral("undated-a"));
        undatedA.sort_order = 10;
        for (const Task &t : {undatedB, late, undatedA, early})
            QVERIFY(m_repo->insert(t));
        QStringList order;
        for (const Task &t : m_repo->getByCalendar(kCalA))
            order.append(t.id);
        QCOMPARE(order, (QStringList{QStringLiteral("early"), QStringLiteral("late"),
                                     QStringLiteral("undated-a"), QStringLiteral("undated-b")}));
    }

    void burstOfWritesGivesOneSignalWithLastCalendar()
    {
        QSignalSpy spy(m_repo.get(), &TaskRepository::tasksChanged);
        QVERIFY(m_repo->insert(plainTask(QStringLiteral("1"), kCalA)));
        QVERIFY(m_repo->insert(plainTask(QStringLiteral("2"), kCalA)));
        QVERIFY(m_repo->insert(plainTask(QStringLiteral("3"), kCalB)));
        QCOMPARE(spy.count(), 0);
        QTRY_VERIFY(!changeAnnouncementPending(m_repo.get()));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toString(), kCalB);

        QVERIFY(m_repo->hardDelete(QStringLiteral("1")));
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).first().toString(), kCalA);
    }

    void notifyChangedWithEmptyCalendar()
    {
        QSignalSpy spy(m_repo.get(), &TaskRepository::tasksChanged);
        m_repo->notifyChanged(QString());
        QTRY_COMPARE(spy.count(), 1);
        QVERIFY(spy.first().first().toString().isEmpty());
    }

    void rangeNearMidnight_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::newRow("summer day") << QDate(2024, 6, 15);
        QTest::newRow("new york spring forward") << QDate(2024, 3, 10);
        QTest::newRow("berlin fall back") << QDate(2024, 10, 27);
        QTest::newRow("adelaide spring forward") << QDate(2024, 10, 6);
    }

    void rangeNearMidnight()
    {
        QFETCH(QDate, day);
        const QDate after = day.addDays(1);
        const QDateTime from = local(day, 0);
        const QDateTime to = local(after, 0);

        Task startOnly = plainTask(QStringLiteral("start-only"));
        startOnly.start_date = local(day, 12);
        startOnly.start_is_date_only = false;
        Task dateOnlyStart = plainTask(QStringLiteral("date-only-start"));
        dateOnlyStart.start_date = QDateTime(day, QTime(0, 0));
        const QList<Task> tasks = {
            dueOn(QStringLiteral("date-only"), day),
            dueOn(QStringLiteral("date-only-next"), after),
            dueOn(QStringLiteral("date-only-before"), day.addDays(-1)),
            dueAt(QStringLiteral("at-from"), from),
            dueAt(QStringLiteral("at-to"), to),
            dueAt(QStringLiteral("late"), local(day, 23, 59)),
            dueAt(QStringLiteral("just-before"), from.addSecs(-60)),
            startOnly,
            dateOnlyStart,
            plainTask(QStringLiteral("undated")),
        };
        for (const Task &t : tasks)
            QVERIFY2(m_repo->insert(t), qPrintable(t.id));

        const QSet<QString> expected = {QStringLiteral("date-only"), QStringLiteral("at-from"),
                                        QStringLiteral("late"), QStringLiteral("start-only"),
                                        QStringLiteral("date-only-start")};
        QCOMPARE(idsOf(m_repo->getInRange(from, to)), expected);
        QCOMPARE(idsOf(m_repo->getInRange(to, local(after.addDays(1), 0))),
                 (QSet<QString>{QStringLiteral("date-only-next"), QStringLiteral("at-to")}));
        // The same instants given in another zone find the same timed tasks.
        const QTimeZone tokyo("Asia/Tokyo");
        QSet<QString> timedOnly =
            idsOf(m_repo->getInRange(from.toTimeZone(tokyo), to.toTimeZone(tokyo)));
        QVERIFY(timedOnly.contains(QStringLiteral("at-from")));
        QVERIFY(timedOnly.contains(QStringLiteral("late")));
        QVERIFY(!timedOnly.contains(QStringLiteral("at-to")));
        QVERIFY(!timedOnly.contains(QStringLiteral("just-before")));
    }

    void rangeFiltersByCalendar()
    {
        Task a = dueOn(QStringLiteral("a"), QDate(2024, 6, 3));
        Task b = dueOn(QStringLiteral("b"), QDate(2024, 6, 3));
        b.calendar_id = kCalB;
        QVERIFY(m_repo->insert(a));
        QVERIFY(m_repo->insert(b));
        const QDateTime from = local(QDate(2024, 6, 1), 0);
        const QDateTime to = local(QDate(2024, 6, 8), 0);
        QCOMPARE(idsOf(m_repo->getInRange(from, to)).size(), 2);
        QCOMPARE(idsOf(m_repo->getInRange(from, to, {kCalB})), QSet<QString>{QStringLiteral("b")});
        QCOMPARE(idsOf(m_repo->getInRange(from, to, {kCalA, kCalB})).size(), 2);
    }

    void failedReminderDeleteLeavesNoDuplicateRows()
    {
        Task t = dueOn(QStringLiteral("t"), QDate(2030, 6, 3));
        t.title = QStringLiteral("Original");
        t.reminders = {reminder(QString(), 15), reminder(QString(), 60)};
        QVERIFY(m_repo->insert(t));
        QCOMPARE(reminderRows(t.id), 2);

        QVERIFY(exec(QStringLiteral("CREATE TEMP TRIGGER block_task_reminder_delete BEFORE DELETE ON "
                                    "task_reminders BEGIN SELECT RAISE(ABORT, 'locked'); END")));
        Task edit = *m_repo->getById(t.id);
        edit.title = QStringLiteral("Edited");
        for (Reminder &r : edit.reminders)
            r.id.clear();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                               "^TaskRepository::writeReminders delete failed:")));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^TaskRepository::update failed:")));
        QVERIFY(!m_repo->update(edit));
        QCOMPARE(reminderRows(t.id), 2);
        QCOMPARE(column(t.id, QStringLiteral("title")), QStringLiteral("Original"));
    }

    void failedReminderInsertRollsBackNewTask()
    {
        QSignalSpy spy(m_repo.get(), &TaskRepository::tasksChanged);
        Task t = dueOn(QStringLiteral("t"), QDate(2030, 6, 3));
        t.reminders = {reminder(QStringLiteral("same"), 15), reminder(QStringLiteral("same"), 60)};
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                               "^TaskRepository::writeReminders insert failed:")));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^TaskRepository::insert failed:")));
        QVERIFY(!m_repo->insert(t));
        QVERIFY(!m_repo->getById(t.id));
        QCOMPARE(reminderRows(t.id), 0);
        QVERIFY(!changeAnnouncementPending(m_repo.get()));
        QCOMPARE(spy.count(), 0);
    }

    void reminderTriggerFollowsDueDate()
    {
        Task t = dueAt(QStringLiteral("t"), utc(2030, 1, 10, 10));
        t.reminders = {reminder(QStringLiteral("r"), 30)};
        QVERIFY(m_repo->insert(t));
        QCOMPARE(m_repo->getById(t.id)->reminders.first().trigger_time, utc(2030, 1, 10, 9, 30));

        // A date-only due reminds before its local midnight; a task with only a
        // start counts back from the start.
        Task dated = dueOn(QStringLiteral("dated"), QDate(2030, 2, 1));
        dated.reminders = {reminder(QStringLiteral("rd"), 60)};
        QVERIFY(m_repo->insert(dated));
        QCOMPARE(m_repo->getById(dated.id)->reminders.first().trigger_time,
                 local(QDate(2030, 1, 31), 23));
        Task started = plainTask(QStringLiteral("started"));
        started.start_date = utc(2030, 3, 1, 8);
        started.start_is_date_only = false;
        started.reminders = {reminder(QStringLiteral("rs"), 0)};
        QVERIFY(m_repo->insert(started));
        QCOMPARE(m_repo->getById(started.id)->reminders.first().trigger_time, utc(2030, 3, 1, 8));

        // Without any date the reminder keeps what it carries.
        Task undated = plainTask(QStringLiteral("undated"));
        undated.reminders = {reminder(QStringLiteral("ru"), 5)};
        QVERIFY(m_repo->insert(undated));
        QVERIFY(!m_repo->getById(undated.id)->reminders.first().trigger_time);
    }

    void countedDownRewritesOnlyCount_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("expected");
        QTest::newRow("count last") << QStringLiteral("FREQ=DAILY;COUNT=10")
                                    << QStringLiteral("FREQ=DAILY;COUNT=9");
        QTest::newRow("count first") << QStringLiteral("COUNT=2;FREQ=WEEKLY;BYDAY=MO")
                                     << QStringLiteral("COUNT=1;FREQ=WEEKLY;BYDAY=MO");
        QTest::newRow("lower case") << QStringLiteral("freq=daily;count=4")
                                    << QStringLiteral("freq=daily;count=3");
        QTest::newRow("no count") << QStringLiteral("FREQ=DAILY;UNTIL=20240601")
                                  << QStringLiteral("FREQ=DAILY;UNTIL=20240601");
        QTest::newRow("last one stays")
            << QStringLiteral("FREQ=DAILY;COUNT=1") << QStringLiteral("FREQ=DAILY;COUNT=1");
        QTest::newRow("not a part named count")
            << QStringLiteral("FREQ=DAILY;X-ACCOUNT=5") << QStringLiteral("FREQ=DAILY;X-ACCOUNT=5");
    }

    void countedDownRewritesOnlyCount()
    {
        QFETCH(QString, rule);
        QFETCH(QString, expected);
        QCOMPARE(TaskRollForward::countedDown(rule), expected);
    }

    // A task read without its reminders would erase them when saved back (a
    // completion does exactly that): such a read fails instead.
    // A conflict needs the copy the local edits started from: kept on the
    // first local edit of a synced task (a completion too), not moved by
    // later edits, gone once the task is synced again or deleted.
    void syncBaseIsTheSyncedCopyTheLocalEditsStartedFrom()
    {
        Task t = plainTask(QStringLiteral("t"));
        t.etag = QStringLiteral("etag-1");
        t.raw_icalendar = QStringLiteral("BEGIN:VTODO\r\nX-COPY:server\r\nEND:VTODO\r\n");
        QVERIFY(m_repo->insert(t));
        QCOMPARE(m_repo->syncBase(t.id), std::nullopt);

        const TaskSyncBase started{QStringLiteral("etag-1"), t.raw_icalendar};
        Task done = m_repo->getById(t.id).value();
        done.status = TaskStatus::Completed;
        done.sync_status = SyncStatus::Pending;
        QVERIFY(m_repo->update(done));
        QCOMPARE(m_repo->syncBase(t.id), std::optional<TaskSyncBase>(started));
        t = m_repo->getById(t.id).value();
        t.title = QStringLiteral("edited");
        t.raw_icalendar = QStringLiteral("BEGIN:VTODO\r\nX-COPY:edited\r\nEND:VTODO\r\n");
        QVERIFY(m_repo->update(t));
        QCOMPARE(m_repo->syncBase(t.id), std::optional<TaskSyncBase>(started));
        QVERIFY(m_repo->markSynced(t.id, QStringLiteral("/t.ics"), QStringLiteral("etag-2")));
        QCOMPARE(m_repo->syncBase(t.id), std::nullopt);

        QVERIFY(m_repo->remove(t.id));
        QCOMPARE(m_repo->syncBase(t.id)->etag, QStringLiteral("etag-2"));
        QVERIFY(m_repo->hardDelete(t.id));
        QCOMPARE(m_store->count(QStringLiteral("task_sync_bases")), 0);
    }

    // A move's link reads from either end and goes with either task; a copy
    // moved on hands the original's link on to its own copy.
    void moveLinkGoesWithEitherTask_data() { RepositoryChecks::moveLinkRows(); }

    void moveLinkGoesWithEitherTask()
    {
        RepositoryChecks::moveLinkGoesWith(m_repo.get(), m_store.get(), QStringLiteral("task_moves"),
                                           plainTask(QStringLiteral("original")), plainTask(QStringLiteral("copy")),
                                           plainTask(QStringLiteral("next")));
    }

    void readsFailWhenRemindersCannotBeRead()
    {
        Task t = dueOn(QStringLiteral("t"), QDate(2024, 6, 3));
        t.reminders = {reminder(QStringLiteral("r"), 30)};
        QVERIFY(m_repo->insert(t));
        QVERIFY(exec(QStringLiteral("ALTER TABLE task_reminders RENAME TO task_reminders_away")));
        QVERIFY(!m_repo->getById(t.id));
        QVERIFY(m_repo->getByCalendar(kCalA).isEmpty());
        QVERIFY(exec(QStringLiteral("ALTER TABLE task_reminders_away RENAME TO task_reminders")));
        QCOMPARE(reminderRows(t.id), 1);
    }

private:
    QString column(const QString &id, const QString &name) const
    {
        return storedColumn(m_store->db(), QStringLiteral("tasks"), id, name);
    }

    int reminderRows(const QString &taskId) const
    {
        return m_store->count(QStringLiteral("task_reminders"), QStringLiteral("task_id = '%1'").arg(taskId));
    }

    bool exec(const QString &sql) const { return m_store->exec(sql); }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<TaskRepository> m_repo;
};

QTEST_GUILESS_MAIN(TestTaskRepository)
#include "tst_taskrepository.moc"
