#include "app/appstate.h"
#include "app/edits/undostack.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/teststore.h"
#include "tests/support/widgetfixture.h"
#include "ui/pickers/datetimepicker.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/popoverplacement.h"
#include "views/common/taskdrop.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
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

    void unusableDropsDoNothing();
    void settingSetsTheDateAndSaysSo_data();
    void settingSetsTheDateAndSaysSo();
    void withoutSettingTheMenuAsksOnTheNextTurn();
    void createdEventIsAnHourOrTheDay();
    void formFromADropClosesTheOpenEventCard();

private:
    Task stored(const QString &id) const { return *m_fixture->state()->tasks()->getById(id); }
    void setAction(const QString &value)
    {
        QVERIFY(m_fixture->state()->preferences()->set(QStringLiteral("ui/taskDropAction"), value));
    }

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<QMainWindow> m_window;
    QWidget *m_target = nullptr;
};

void TestTaskDrop::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_window = std::make_unique<QMainWindow>();
    m_target = new QWidget;
    m_window->setCentralWidget(m_target);
}

void TestTaskDrop::cleanup()
{
    m_window.reset();
    m_fixture.reset();
}

void TestTaskDrop::unusableDropsDoNothing()
{
    setAction(QStringLiteral("due"));
    const Task task = m_fixture->addTask(QStringLiteral("Call"));
    TaskDrop::handleDrop(m_fixture->state(), QString(), DropAt, false, {}, m_target);
    TaskDrop::handleDrop(m_fixture->state(), task.id, QDateTime(), false, {}, m_target);
    TaskDrop::handleDrop(nullptr, task.id, DropAt, false, {}, m_target);
    QVERIFY(!stored(task.id).due_date);
    QVERIFY(m_fixture->state()->tasks()->remove(task.id));
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, false, {}, m_target);
    QCOMPARE(storedColumn(m_fixture->db(), QStringLiteral("tasks"), task.id, QStringLiteral("due_date")),
             QStringLiteral("<null>"));
    QVERIFY(m_window->statusBar()->currentMessage().isEmpty());
}

void TestTaskDrop::settingSetsTheDateAndSaysSo_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("allDay");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    const QString time = QLocale::system().toString(DropAt, QLocale::ShortFormat);
    const QString date = QLocale::system().toString(DropAt.date(), QLocale::ShortFormat);
    QTest::newRow("due at a time") << "due" << false << "Pay" << QStringLiteral("Set due date for \"Pay\" to ") + time;
    QTest::newRow("start on a day") << "start" << true << "Pack" << QStringLiteral("Set start date for \"Pack\" to ") + date;
    QTest::newRow("untitled") << "due" << false << "" << QStringLiteral("Set due date for \"Task\" to ") + time;
}

void TestTaskDrop::settingSetsTheDateAndSaysSo()
{
    QFETCH(QString, action);
    QFETCH(bool, allDay);
    QFETCH(QString, title);
    QFETCH(QString, message);
    setAction(action);
    const Task task = m_fixture->addTask(title);
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, allDay, {}, m_target);
    const Task after = stored(task.id);
    const bool due = action == QLatin1String("due");
    QCOMPARE(*(due ? after.due_date : after.start_date), allDay ? QDateTime(DropAt.date(), QTime(0, 0)) : DropAt);
    QCOMPARE(due ? after.due_is_date_only : after.start_is_date_only, allDay);
    QCOMPARE(after.sync_status, SyncStatus::Pending);
    QCOMPARE(after.sequence, task.sequence + 1);
    QCOMPARE(m_window->statusBar()->currentMessage(), message);
    QCOMPARE(m_fixture->state()->undoStack()->count(), 0);
}

void TestTaskDrop::withoutSettingTheMenuAsksOnTheNextTurn()
{
    const Task task = m_fixture->addTask(QStringLiteral("Pay rent"));
    ModalAnswerer answerer;
    answerer.chooseMenuItem(QStringLiteral("Set due date"));
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, false, QPoint(20, 20), m_target);
    QCOMPARE(answerer.pending(), 1);
    QTRY_VERIFY(stored(task.id).due_date.has_value());
    QCOMPARE(answerer.menus().first(), QStringList({"Create event from task", "Set start date", "Set due date"}));

    // Never for a widget gone before the next turn of the event loop.
    auto *gone = new QWidget(m_window.get());
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, false, QPoint(20, 20), gone);
    delete gone;
    QCoreApplication::processEvents();
    QVERIFY(!QApplication::activePopupWidget());
}

void TestTaskDrop::createdEventIsAnHourOrTheDay()
{
    setAction(QStringLiteral("event"));
    const Task task = m_fixture->addTask(QStringLiteral("Write report"));
    ModalAnswerer answerer;
    QStringList shown;
    for (int i = 0; i < 2; ++i) {
        answerer.answer([&shown](QWidget *form) {
            shown << form->findChild<QLineEdit *>(QStringLiteral("title"))->text() + QLatin1Char(' ')
                         + form->findChild<DateTimePicker *>(QStringLiteral("start"))->dateTime().toString("MM-dd HH:mm")
                         + QLatin1Char(' ') + form->findChild<DateTimePicker *>(QStringLiteral("end"))->dateTime().toString("MM-dd HH:mm");
            static_cast<QDialog *>(form)->reject();
        });
    }
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, false, {}, m_target);
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, true, {}, m_target);
    // The form shows an all-day event's last day, not its exclusive end.
    QCOMPARE(shown, QStringList({"Write report 03-12 14:30 03-12 15:30", "Write report 03-12 00:00 03-12 00:00"}));
    QCOMPARE(stored(task.id).due_date, task.due_date);
}

void TestTaskDrop::formFromADropClosesTheOpenEventCard()
{
    setAction(QStringLiteral("event"));
    const Task task = m_fixture->addTask(QStringLiteral("Write report"));
    m_window->show();
    const Event standup = m_fixture->addEvent(
        WidgetFixture::timedEvent(QStringLiteral("Standup"), DropAt, DropAt.addSecs(900)));
    QPointer<EventDetailsPopover> card = new EventDetailsPopover(m_fixture->state(), standup, m_target);
    showPopoverCentered(card);
    QVERIFY(card->isVisible());
    ModalAnswerer answerer;
    bool cardBesideForm = true;
    answerer.answer([&card, &cardBesideForm](QWidget *form) {
        cardBesideForm = card && card->isVisible();
        static_cast<QDialog *>(form)->reject();
    });
    TaskDrop::handleDrop(m_fixture->state(), task.id, DropAt, false, {}, m_target);
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(!cardBesideForm);
}

QTEST_MAIN(TestTaskDrop)
#include "tst_taskdrop.moc"
