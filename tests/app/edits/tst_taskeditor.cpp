#include "app/edits/taskeditor.h"
#include "calendar/icscodec.h"
#include "store/calendarrepository.h"
#include "store/taskrepository.h"
#include "tests/support/teststore.h"

#include <QTest>

#include <memory>

namespace {

const QString kCalA = QStringLiteral("cal-a");
const QString kCalB = QStringLiteral("cal-b");
const QDateTime kDropAt(QDate(2026, 3, 12), QTime(14, 30));

enum class Change { Complete, Reopen, InProgress, Cancel, Update, DropDue, FormSave };

// A task as a server handed it over: synced, with its own text.
Task syncedTask()
{
    Task task;
    task.id = task.uid = QStringLiteral("t1");
    task.calendar_id = kCalA;
    task.title = QStringLiteral("Pay rent");
    task.percent_complete = 30;
    task.due_date = QDateTime(QDate(2026, 3, 10), QTime(0, 0));
    task.sequence = 3;
    task.etag = QStringLiteral("\"e1\"");
    task.href = QStringLiteral("/cal-a/t1.ics");
    task.raw_icalendar = QStringLiteral(
        "BEGIN:VTODO\r\nUID:t1\r\nSUMMARY:Pay rent\r\nX-OTHER-CLIENT-NOTE:blue bag\r\nEND:VTODO\r\n");
    task.sync_status = SyncStatus::Synced;
    return task;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestTaskEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        QVERIFY(seedLocalCalendars(m_store->db(), {kCalA, kCalB}));
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

    void everyChangeStampsTheTaskOnce_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("startStatus");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("percent");
        QTest::newRow("complete") << Change::Complete << "needs-action" << "completed" << 100;
        QTest::newRow("reopen") << Change::Reopen << "completed" << "needs-action" << 0;
        QTest::newRow("in progress") << Change::InProgress << "needs-action" << "in-process" << 50;
        QTest::newRow("cancel keeps the percentage") << Change::Cancel << "needs-action" << "cancelled" << 30;
        QTest::newRow("pane save") << Change::Update << "needs-action" << "needs-action" << 30;
        QTest::newRow("drop on the calendar") << Change::DropDue << "needs-action" << "needs-action" << 30;
        QTest::newRow("form save") << Change::FormSave << "in-process" << "in-process" << 30;
    }

    // SEQUENCE one up, pending, a new modification time and the stored
    // text rewritten with the changed record, whichever way the task was
    // changed.
    void everyChangeStampsTheTaskOnce()
    {
        QFETCH(Change, change);
        QFETCH(QString, startStatus);
        QFETCH(QString, status);
        QFETCH(int, percent);
        Task before = syncedTask();
        before.status = taskStatusFromText(startStatus);
        QVERIFY(m_tasks->insert(before));
        before = *m_tasks->getById(before.id);
        const QDateTime started = QDateTime::currentDateTimeUtc().addSecs(-1);

        Task expected = before;
        expected.status = taskStatusFromText(status);
        expected.percent_complete = percent;
        EditResult result;
        switch (change) {
        case Change::Complete:
        case Change::Reopen:
            result = m_editor->setCompleted(before.id, change == Change::Complete);
            break;
        case Change::InProgress:
            result = m_editor->setStatus(before.id, taskStatusFromText(status), percent);
            break;
        case Change::Cancel:
            result = m_editor->setStatus(before.id, taskStatusFromText(status));
            break;
        case Change::Update:
            expected.sort_order = 20000;
            result = m_editor->update(expected);
            break;
        case Change::DropDue:
            expected.due_date = kDropAt;
            expected.due_is_date_only = false;
            result = m_editor->setDropDate(before.id, TaskDrop::TaskDate::Due, kDropAt, false);
            break;
        case Change::FormSave:
            expected.title = QStringLiteral("Pay the rent");
            result = m_editor->saveFromForm(expected, before);
            break;
        }
        QVERIFY2(result.ok, qPrintable(result.error));

        const Task after = *m_tasks->getById(before.id);
        expected.sequence = before.sequence + 1;
        expected.sync_status = SyncStatus::Pending;
        expected.completed_date = status == QLatin1String("completed") ? after.completed_date : std::nullopt;
        expected.last_modified = after.last_modified;
        expected.raw_icalendar = after.raw_icalendar;
        QCOMPARE(after, expected);
        QVERIFY(after.last_modified >= started);
        if (status == QLatin1String("completed"))
            QVERIFY(after.completed_date && *after.completed_date >= started);

        const QList<Task> written = IcsCodec::parseTodos(after.raw_icalendar);
        QCOMPARE(written.size(), 1);
        QCOMPARE(written.first().sequence, expected.sequence);
        QCOMPARE(written.first().status, expected.status);
        QCOMPARE(written.first().title, expected.title);
        QCOMPARE(written.first().due_date, expected.due_date);
        // What another client added to the server's copy stays.
        QVERIFY(after.raw_icalendar.contains(QLatin1String("X-OTHER-CLIENT-NOTE:blue bag\r\n")));
    }

    void newTasksStartAtSequenceZero_data()
    {
        QTest::addColumn<bool>("fromForm");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<bool>("onServer");
        QTest::newRow("quick add") << false << false << true;
        QTest::newRow("form, new") << true << false << true;
        QTest::newRow("form, moved to another calendar") << true << true << true;
        QTest::newRow("form, moved out of a list on this device") << true << true << false;
    }

    void newTasksStartAtSequenceZero()
    {
        QFETCH(bool, fromForm);
        QFETCH(bool, moved);
        QFETCH(bool, onServer);
        Task original = syncedTask();
        if (!onServer)
            original.href.clear();
        QVERIFY(m_tasks->insert(original));
        original = *m_tasks->getById(original.id);
        Task child = syncedTask();
        child.id = child.uid = QStringLiteral("t2");
        child.parent_task_uid = original.uid;
        child.href = original.href;
        QVERIFY(m_tasks->insert(child));

        Task record = syncedTask();
        record.calendar_id = kCalB;
        record.sequence = 7;
        QString storedId;
        EditResult result;
        if (!fromForm) {
            record.id = record.uid = QStringLiteral("t9");
            result = m_editor->create(record);
            storedId = record.id;
        } else {
            result = m_editor->saveFromForm(record, moved ? std::optional<Task>(original) : std::nullopt, &storedId);
        }
        QVERIFY2(result.ok, qPrintable(result.error));
        const std::optional<Task> stored = m_tasks->getById(storedId);
        QVERIFY(stored);
        QCOMPARE(QList<int>({stored->sequence, IcsCodec::parseTodos(stored->raw_icalendar).value(0).sequence}),
                 QList<int>({0, 0}));
        QCOMPARE(stored->sync_status, SyncStatus::Pending);
        QCOMPARE(stored->calendar_id, kCalB);
        if (fromForm) {
            // A copy there has no place on any server yet.
            QVERIFY(stored->id != original.id && stored->uid == stored->id);
            QCOMPARE(QStringList({stored->etag, stored->href}), QStringList({QString(), QString()}));
        }
        QCOMPARE(m_tasks->getById(original.id)->deleted_at.has_value(), moved);
        const QList<Task> inB = m_tasks->getByCalendar(kCalB);
        const bool childFollowed = std::any_of(inB.cbegin(), inB.cend(), [&](const Task &t) {
            return t.parent_task_uid == stored->uid && t.sequence == 0 && t.sync_status == SyncStatus::Pending;
        });
        QCOMPARE(childFollowed, moved);
        // The originals left behind name their copies, so their servers keep
        // them until the copies are on theirs; with no server, nothing does.
        const bool linked = moved && onServer;
        const std::optional<Task> childCopy = m_tasks->getById(m_tasks->movedTo(child.id));
        QCOMPARE(m_tasks->movedTo(original.id), linked ? storedId : QString());
        QCOMPARE(childCopy ? childCopy->parent_task_uid : QString(), linked ? stored->uid : QString());
    }

    void refusedWritesAnswerWithWordsToShow_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("error");
        const QString unchanged =
            QStringLiteral(" could not be stored, so nothing was changed. The log has the details.");
        const QString notSaved = QStringLiteral("\"Pay rent\"") + unchanged;
        QTest::newRow("complete") << "complete" << notSaved;
        QTest::newRow("status") << "status" << notSaved;
        QTest::newRow("pane save") << "update" << notSaved;
        QTest::newRow("drop") << "drop" << notSaved;
        QTest::newRow("form save") << "form"
                                   << QStringLiteral("\"Pay the rent\"") + unchanged;
        QTest::newRow("new task") << "create" << QStringLiteral("\"New\"") + unchanged;
        QTest::newRow("delete") << "remove"
                                << QStringLiteral("\"Pay rent\" could not be deleted. The log has the details.");
        QTest::newRow("deleted meanwhile") << "gone" << QStringLiteral("The task no longer exists.");
    }

    void refusedWritesAnswerWithWordsToShow()
    {
        QFETCH(QString, operation);
        QFETCH(QString, error);
        QVERIFY(m_tasks->insert(syncedTask()));
        const Task before = *m_tasks->getById(QStringLiteral("t1"));
        QVERIFY(m_store->exec(QStringLiteral("CREATE TRIGGER refuse_updates BEFORE UPDATE ON tasks "
                                             "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        QVERIFY(m_store->exec(QStringLiteral("CREATE TRIGGER refuse_inserts BEFORE INSERT ON tasks "
                                             "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        Task changed = before;
        changed.title = QStringLiteral("Pay the rent");
        Task fresh;
        fresh.title = QStringLiteral("New");
        fresh.calendar_id = kCalA;

        EditResult result;
        if (operation == QLatin1String("complete"))
            result = m_editor->setCompleted(before.id, true);
        else if (operation == QLatin1String("status"))
            result = m_editor->setStatus(before.id, TaskStatus::Cancelled);
        else if (operation == QLatin1String("update"))
            result = m_editor->update(before);
        else if (operation == QLatin1String("drop"))
            result = m_editor->setDropDate(before.id, TaskDrop::TaskDate::Start, kDropAt, true);
        else if (operation == QLatin1String("form"))
            result = m_editor->saveFromForm(changed, before);
        else if (operation == QLatin1String("create"))
            result = m_editor->create(fresh);
        else if (operation == QLatin1String("remove"))
            result = m_editor->remove(before.id);
        else
            result = m_editor->setCompleted(QStringLiteral("no-such-task"), true);

        QCOMPARE(QVariantList({result.ok, result.error}), QVariantList({false, error}));
        QCOMPARE(*m_tasks->getById(before.id), before);
        QCOMPARE(m_store->count(QStringLiteral("tasks")), 1);
    }

private:
    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<TaskRepository> m_tasks;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<TaskEditor> m_editor;
};

QTEST_MAIN(TestTaskEditor)
#include "tst_taskeditor.moc"
