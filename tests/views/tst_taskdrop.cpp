#include "app/appstate.h"
#include "app/undostack.h"
#include "calendar/taskdropplan.h"
#include "dialogs/editing/eventformdialog.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/teststore.h"
#include "tests/support/widgetfixture.h"
#include "views/common/taskdrop.h"

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

#include <memory>

namespace {

const QDateTime DropAt(QDate(2026, 3, 12), QTime(14, 30));

} // namespace

class TestTaskDrop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void settingChoosesTheAction_data();
    void settingChoosesTheAction();
    void eventFromTaskLastsAnHourOrTheDay();
    void unusableDropsDoNothing();
    void dueDropSetsTheTimeAndSaysSo();
    void allDayStartDropSetsTheDateAlone();
    void withoutSettingTheMenuAsks();
    void menuNeverOpensForADestroyedWidget();

private:
    Task storedTask(const QString &id) const { return *m_fixture->state()->tasks()->getById(id); }

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<QMainWindow> m_window;
};

void TestTaskDrop::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_window = std::make_unique<QMainWindow>();
    m_window->setCentralWidget(new QWidget);
}

void TestTaskDrop::cleanup()
{
    m_window.reset();
    m_fixture.reset();
}

void TestTaskDrop::settingChoosesTheAction_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("action");
    QTest::newRow("absent") << QString() << int(TaskDrop::Action::Ask);
    QTest::newRow("event") << "event" << int(TaskDrop::Action::CreateEvent);
    QTest::newRow("start") << "start" << int(TaskDrop::Action::SetStartDate);
    QTest::newRow("due") << "due" << int(TaskDrop::Action::SetDueDate);
    QTest::newRow("case matters") << "Due" << int(TaskDrop::Action::Ask);
    QTest::newRow("unknown") << "later" << int(TaskDrop::Action::Ask);
}

void TestTaskDrop::settingChoosesTheAction()
{
    QFETCH(QString, setting);
    QFETCH(int, action);
    const std::optional<QString> stored = setting.isNull() ? std::nullopt : std::optional<QString>(setting);
    QCOMPARE(int(TaskDrop::actionFor(stored)), action);
}

void TestTaskDrop::eventFromTaskLastsAnHourOrTheDay()
{
    Task task;
    task.title = QStringLiteral("Write report");
    task.description = QStringLiteral("Q1 numbers");
    task.uid = QStringLiteral("task-uid");
    task.calendar_id = QStringLiteral("work");
    task.color = QStringLiteral("#00aa00");
    const Event timed = TaskDrop::eventFromTask(task, DropAt, false);
    QCOMPARE(timed.start_time, DropAt);
    QCOMPARE(*timed.end_time, DropAt.addSecs(3600));
    QCOMPARE(timed.related_to_uid, task.uid);
    QCOMPARE(timed.calendar_id, task.calendar_id);
    QCOMPARE(timed.color, task.color);
    QVERIFY(timed.id.isEmpty());

    const Event day = TaskDrop::eventFromTask(task, DropAt, true);
    QVERIFY(day.is_all_day);
    QCOMPARE(day.start_time, QDateTime(DropAt.date(), QTime(0, 0)));
    QCOMPARE(*day.end_time, QDateTime(DropAt.date().addDays(1), QTime(0, 0)));

    // "Create event from task" shows that event in the form.
    const Task stored = m_fixture->addTask(QStringLiteral("Write report"));
    ModalAnswerer answerer;
    QDateTime shownStart;
    QString shownTitle;
    answerer.answer([&](QWidget *window) {
        shownStart = window->findChild<QDateTimeEdit *>(QStringLiteral("start"))->dateTime();
        shownTitle = window->findChild<QLineEdit *>(QStringLiteral("title"))->text();
        static_cast<QDialog *>(window)->reject();
    });
    TaskDrop::createEventFromTask(m_fixture->state(), stored, DropAt, false, m_window.get());
    QCOMPARE(shownStart, DropAt);
    QCOMPARE(shownTitle, QStringLiteral("Write report"));
}

void TestTaskDrop::unusableDropsDoNothing()
{
    m_fixture->state()->preferences()->set(QStringLiteral("ui/taskDropAction"), QStringLiteral("due"));
    const Task task = m_fixture->addTask(QStringLiteral("Call"));
    TaskDrop::handleDrop(m_fixture->state(), QString(), DropAt, false, {}, m_window.get());
    TaskDrop::handleDrop(m_fixture->state(), task.id, QDateTime(), false, {}, m_window.get());
    TaskDrop::handleDrop(nullptr, task.id, DropAt, false, {}, m_window.get());
    QVERIFY(!storedTask(task.id).due_date);
    QVERIFY(m_fixture->state()->tasks()->remove(task.id));
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, false, {}, m_window.get());
    QCOMPARE(storedColumn(m_fixture->db(), QStringLiteral("tasks"), task.id, QStringLiteral("due_date")),
             QStringLiteral("<null>"));
    QVERIFY(m_window->statusBar()->currentMessage().isEmpty());
}

void TestTaskDrop::dueDropSetsTheTimeAndSaysSo()
{
    m_fixture->state()->preferences()->set(QStringLiteral("ui/taskDropAction"), QStringLiteral("due"));
    const Task task = m_fixture->addTask(QStringLiteral(""));
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, false, {}, m_window->centralWidget());
    const Task stored = storedTask(task.id);
    QCOMPARE(*stored.due_date, DropAt);
    QVERIFY(!stored.due_is_date_only);
    QCOMPARE(stored.sequence, task.sequence);
    QCOMPARE(stored.sync_status, QStringLiteral("pending"));
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QStringLiteral("Set due date for \"Task\" to %1")
                 .arg(QLocale::system().toString(DropAt, QLocale::ShortFormat)));
    QCOMPARE(m_fixture->state()->undoStack()->count(), 0);
}

void TestTaskDrop::allDayStartDropSetsTheDateAlone()
{
    m_fixture->state()->preferences()->set(QStringLiteral("ui/taskDropAction"), QStringLiteral("start"));
    const Task task = m_fixture->addTask(QStringLiteral("Pack"));
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, true, {}, m_window->centralWidget());
    const Task stored = storedTask(task.id);
    QCOMPARE(stored.start_date->date(), DropAt.date());
    QVERIFY(stored.start_is_date_only);
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QStringLiteral("Set start date for \"Pack\" to %1")
                 .arg(QLocale::system().toString(DropAt.date(), QLocale::ShortFormat)));
}

void TestTaskDrop::withoutSettingTheMenuAsks()
{
    const Task task = m_fixture->addTask(QStringLiteral("Pay rent"));
    ModalAnswerer answerer;
    answerer.chooseMenuItem(QStringLiteral("Set due date"));
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, false, QPoint(20, 20), m_window->centralWidget());
    // The menu waits for the next turn of the event loop.
    QCOMPARE(answerer.pending(), 1);
    QTRY_COMPARE(answerer.pending(), 0);
    QCOMPARE(answerer.menus().first(), QStringList({"Create event from task", "Set start date", "Set due date"}));
    QTRY_VERIFY(storedTask(task.id).due_date.has_value());
    QCOMPARE(*storedTask(task.id).due_date, DropAt);
}

void TestTaskDrop::menuNeverOpensForADestroyedWidget()
{
    const Task task = m_fixture->addTask(QStringLiteral("Pay rent"));
    ModalAnswerer answerer;
    auto *target = new QWidget(m_window.get());
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, false, QPoint(20, 20), target);
    delete target;
    // The zero-delay call would open the menu on this turn of the loop.
    QCoreApplication::processEvents();
    QVERIFY(!QApplication::activePopupWidget());
    QVERIFY(m_window->findChildren<QMenu *>().isEmpty());
}

QTEST_MAIN(TestTaskDrop)
#include "tst_taskdrop.moc"
