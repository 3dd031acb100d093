#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "dialogs/editing/taskformdialog.h"
#include "store/calendarrepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/tempdatadir.h"
#include "ui/pickers/datetimepicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestTaskFormDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void newTaskIsStoredWithItsFields();
    void onlyWritableTaskCalendarsAreOffered();
    void editMapsPriorityAndReopensWithTheSameIdentity();
    void reminderItemsUseTheReducedForm();
    void movedTaskIsDeletedThereAndCreatedHereWithItsSubtasks();
    void editInAHiddenCalendarIsNoMove();

private:
    template<typename T>
    static T *field(TaskFormDialog &dialog, const char *name)
    {
        return dialog.findChild<T *>(QString::fromLatin1(name));
    }
    void addCalendar(const QString &id, const QString &components, bool visible = true, bool readOnly = false);
    Task storeTask(const QString &title, const QString &parentUid = QString());

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
};

void TestTaskFormDialog::init()
{
    m_dir = std::make_unique<TempDataDir>();
    m_state = std::make_unique<AppState>();
    QVERIFY(m_state->initialize());
    addCalendar(QStringLiteral("todo"), QStringLiteral("[\"VEVENT\",\"VTODO\"]"));
    QVERIFY(m_state->preferences()->set(QStringLiteral("ui/defaultTaskCalendarId"), QStringLiteral("todo")));
}

void TestTaskFormDialog::cleanup()
{
    m_state.reset();
    m_dir.reset();
}

void TestTaskFormDialog::addCalendar(const QString &id, const QString &components, bool visible, bool readOnly)
{
    Calendar calendar;
    calendar.id = calendar.name = id;
    calendar.account_id = QString::fromLatin1(AppState::LocalAccountId);
    calendar.url = QStringLiteral("https://dav.example.test/") + id + QLatin1Char('/');
    calendar.supported_components = components;
    calendar.is_visible = visible;
    calendar.is_read_only = readOnly;
    QVERIFY(m_state->calendars()->insert(calendar));
}

Task TestTaskFormDialog::storeTask(const QString &title, const QString &parentUid)
{
    Task task;
    task.id = title + QStringLiteral("-id");
    task.uid = title + QStringLiteral("-uid");
    task.calendar_id = QStringLiteral("todo");
    task.title = title;
    task.parent_task_uid = parentUid;
    task.href = QStringLiteral("/dav/todo/") + task.uid + QStringLiteral(".ics");
    task.created = task.last_modified = QDateTime(QDate(2026, 1, 2), QTime(8, 0), Qt::UTC);
    task.raw_icalendar = IcsCodec::buildTodo(task);
    return m_state->tasks()->insert(task) ? *m_state->tasks()->getById(task.id) : Task();
}

void TestTaskFormDialog::newTaskIsStoredWithItsFields()
{
    const Task parent = storeTask(QStringLiteral("Taxes"));
    TaskFormDialog dialog(m_state.get());
    dialog.setParentTaskUid(parent.uid);
    QVERIFY(!field<QComboBox>(dialog, "calendar")->isEnabled());
    field<QLineEdit>(dialog, "title")->setText(QStringLiteral("  File return "));
    field<QLineEdit>(dialog, "categories")->setText(QStringLiteral(" Money, ,Home,, "));
    field<QComboBox>(dialog, "priority")->setCurrentIndex(2);
    field<QCheckBox>(dialog, "dueCheck")->setChecked(true);
    const QDateTime due(QDate(2026, 4, 15), QTime(17, 0));
    field<DateTimePicker>(dialog, "due")->setDateTime(due);
    // Added twice, kept once; the chips run in ascending order.
    for (int index : {4, 1, 4}) {
        field<QComboBox>(dialog, "reminderPreset")->setCurrentIndex(index);
        field<QPushButton>(dialog, "addReminder")->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(dialog.findChildren<QWidget *>(QStringLiteral("reminderChip")).size(), 2);
    QVERIFY(dialog.save().saved());

    const QList<Task> tasks = m_state->tasks()->getByCalendar(QStringLiteral("todo"));
    const Task task = tasks.first().id == parent.id ? tasks.last() : tasks.first();
    QCOMPARE(m_state->preferences()->getString("ui/lastUsedTaskCalendarId"), QStringLiteral("todo"));
    QCOMPARE(QStringList({task.title, task.categories.join(QLatin1Char('/')), task.parent_task_uid}),
             QStringList({"File return", "Money/Home", parent.uid}));
    QCOMPARE(task.priority, 5);
    QCOMPARE(*task.due_date, due);
    QVERIFY(!task.due_is_date_only && !task.start_date);
    QCOMPARE(task.reminders.size(), 2);
    QCOMPARE(task.reminders.first().minutes_before, 10);
    QCOMPARE(IcsCodec::parseTodos(task.raw_icalendar).value(0).parent_task_uid, parent.uid);

    TaskFormDialog blank(m_state.get());
    field<QLineEdit>(blank, "title")->setText(QStringLiteral("   "));
    QCOMPARE(blank.save().problem, TaskFormDialog::Problem::MissingTitle);
}

void TestTaskFormDialog::onlyWritableTaskCalendarsAreOffered()
{
    addCalendar(QStringLiteral("lower"), QStringLiteral("[\"vtodo\"]"));
    addCalendar(QStringLiteral("hidden"), QStringLiteral("[\"VTODO\"]"), false);
    addCalendar(QStringLiteral("readonly"), QStringLiteral("[\"VTODO\"]"), true, true);
    // The Personal calendar of a new install holds tasks too.
    TaskFormDialog dialog(m_state.get());
    QCOMPARE(field<QComboBox>(dialog, "calendar")->count(), 3);
    QVERIFY(field<QComboBox>(dialog, "calendar")->findData(QString::fromLatin1(AppState::LocalCalendarId)) >= 0);
    QVERIFY(field<QComboBox>(dialog, "calendar")->findData(QStringLiteral("lower")) >= 0);

    for (const char *id : {"todo", "lower", AppState::LocalCalendarId})
        QVERIFY(m_state->calendars()->remove(QString::fromLatin1(id)));
    TaskFormDialog none(m_state.get());
    field<QLineEdit>(none, "title")->setText(QStringLiteral("Call"));
    QCOMPARE(none.save().problem, TaskFormDialog::Problem::NoCalendars);
}

void TestTaskFormDialog::editMapsPriorityAndReopensWithTheSameIdentity()
{
    Task task = storeTask(QStringLiteral("Done"));
    task.status = TaskStatus::Completed;
    task.percent_complete = 100;
    task.completed_date = QDateTime(QDate(2026, 1, 3), QTime(9, 0), Qt::UTC);
    task.due_date = QDateTime(QDate(2026, 1, 9), QTime(0, 0));
    const QList<std::tuple<int, QString, int>> priorities = {{0, "— None", 0}, {3, "● High", 1},
                                                             {6, "● Medium", 5}, {7, "● Low", 9}};
    for (const auto &[stored, shown, saved] : priorities) {
        task.priority = stored;
        TaskFormDialog dialog(m_state.get(), task);
        QCOMPARE(field<QComboBox>(dialog, "priority")->currentText(), shown);
        QVERIFY(dialog.save().saved());
        QCOMPARE(m_state->tasks()->getById(task.id)->priority, saved);
    }

    TaskFormDialog dialog(m_state.get(), task);
    QVERIFY(field<DateTimePicker>(dialog, "due")->isDateOnly());
    field<QCheckBox>(dialog, "completed")->setChecked(false);
    QVERIFY(dialog.save().saved());
    const Task saved = *m_state->tasks()->getById(task.id);
    QCOMPARE(QStringList({toText(saved.status), saved.uid}), QStringList({"needs-action", task.uid}));
    QVERIFY(saved.percent_complete == 0 && !saved.completed_date && saved.due_is_date_only);
    QCOMPARE(saved.due_date->date(), QDate(2026, 1, 9));
    QCOMPARE(saved.sequence, task.sequence + 1);
    QCOMPARE(saved.created, task.created);
}

void TestTaskFormDialog::reminderItemsUseTheReducedForm()
{
    TaskFormDialog fresh(m_state.get());
    fresh.setItemType(QStringLiteral("reminder"));
    QCOMPARE(fresh.windowTitle(), QStringLiteral("New Reminder"));
    auto *form = fresh.findChild<QFormLayout *>();
    QVERIFY(!form->isRowVisible(field<QWidget>(fresh, "start")->parentWidget()));
    QCOMPARE(qobject_cast<QLabel *>(form->labelForField(field<QWidget>(fresh, "due")->parentWidget()))->text(),
             QStringLiteral("Remind me"));
    field<QLineEdit>(fresh, "title")->setText(QStringLiteral("Water plants"));
    QVERIFY(fresh.save().saved());
    Task created = m_state->tasks()->getByCalendar(QStringLiteral("todo")).value(0);
    QCOMPARE(created.item_type, QStringLiteral("reminder"));
    QCOMPARE(created.reminders.size(), 1);

    // Edited without reminders, it gets one at its time; its due date
    // always has a time.
    created.reminders.clear();
    created.due_is_date_only = true;
    TaskFormDialog again(m_state.get(), created);
    QVERIFY(again.save().saved());
    const Task saved = *m_state->tasks()->getById(created.id);
    QCOMPARE(saved.reminders.size(), 1);
    QCOMPARE(saved.reminders.first().minutes_before, 0);
    QVERIFY(!saved.due_is_date_only);
}

void TestTaskFormDialog::movedTaskIsDeletedThereAndCreatedHereWithItsSubtasks()
{
    // The task lives at an href of the old collection: PUT there again, it
    // would stay in the old calendar on the server.
    addCalendar(QStringLiteral("target"), QStringLiteral("[\"VTODO\"]"));
    const Task parent = storeTask(QStringLiteral("Trip"));
    const Task child = storeTask(QStringLiteral("Pack"), parent.uid);
    TaskFormDialog dialog(m_state.get(), parent);
    auto *calendars = field<QComboBox>(dialog, "calendar");
    calendars->setCurrentIndex(calendars->findData(QStringLiteral("target")));
    QVERIFY(dialog.save().saved());

    for (const Task &old : {parent, child}) {
        const Task tombstone = *m_state->tasks()->getById(old.id);
        QVERIFY(tombstone.deleted_at);
        QCOMPARE(QStringList({toText(tombstone.sync_status), tombstone.href}), QStringList({"pending", old.href}));
    }
    const QList<Task> moved = m_state->tasks()->getByCalendar(QStringLiteral("target"));
    QCOMPARE(moved.size(), 2);
    const bool parentFirst = moved.first().title == parent.title;
    QCOMPARE(moved.at(parentFirst ? 1 : 0).parent_task_uid, moved.at(parentFirst ? 0 : 1).uid);
    for (const Task &task : moved)
        QVERIFY(task.href.isEmpty() && task.uid != parent.uid && task.uid != child.uid);
}

// Hiding a calendar hides it from new tasks, not from the tasks it holds:
// saving one there keeps it where it is.
void TestTaskFormDialog::editInAHiddenCalendarIsNoMove()
{
    addCalendar(QStringLiteral("archive"), QStringLiteral("[\"VEVENT\",\"VTODO\"]"), false);
    Task task = storeTask(QStringLiteral("Old"));
    task.calendar_id = QStringLiteral("archive");
    QVERIFY(m_state->tasks()->update(task));
    task = *m_state->tasks()->getById(task.id);

    TaskFormDialog dialog(m_state.get(), task);
    QCOMPARE(field<QComboBox>(dialog, "calendar")->currentData().toString(), QStringLiteral("archive"));
    field<QLineEdit>(dialog, "title")->setText(QStringLiteral("Older"));
    QVERIFY(dialog.save().saved());
    const Task saved = *m_state->tasks()->getById(task.id);
    QCOMPARE(QStringList({saved.calendar_id, saved.title, saved.href}),
             QStringList({QStringLiteral("archive"), QStringLiteral("Older"), task.href}));
    QVERIFY(!saved.deleted_at);
    QCOMPARE(m_state->tasks()->getByCalendar(QStringLiteral("todo")).size(), 0);
}

QTEST_MAIN(TestTaskFormDialog)
#include "tst_taskformdialog.moc"
