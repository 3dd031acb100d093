#include "app/appstate.h"
#include "store/database.h"
#include "store/taskrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/panes/agendalistwidget.h"
#include "ui/panes/reminderspane.h"
#include "ui/panes/taskspane.h"
#include "ui/popovers/taskdetailspopover.h"

#include <QMainWindow>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

#include <memory>

// Every place that changes a task shows the store's refusal instead of
// carrying on as if the change was made.
class TestTaskChangeFailures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        m_window = std::make_unique<QMainWindow>();
        m_window->resize(900, 700);
        m_window->setCentralWidget(new QWidget);
    }
    void cleanup()
    {
        m_window.reset();
        m_fixture.reset();
    }

    void refusalIsShown_data()
    {
        QTest::addColumn<QString>("caller");
        QTest::addColumn<QString>("menuEntry");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<QString>("shown");
        const QString log = QStringLiteral(" The log has the details.");
        const QString notDeleted = QStringLiteral("QMessageBox \"Rent\" could not be deleted.") + log;
        const QString notSaved = QStringLiteral("QMessageBox \"Rent\" could not be stored, so nothing was changed.") + log;
        QTest::newRow("tasks pane, delete") << "tasks pane" << "Delete" << true << notDeleted;
        QTest::newRow("tasks pane, in progress") << "tasks pane" << "Mark In Progress" << false << notSaved;
        QTest::newRow("agenda, delete") << "agenda" << "Delete" << true << notDeleted;
        QTest::newRow("agenda, reopen") << "agenda" << "Mark Incomplete" << false << notSaved;
        QTest::newRow("reminders pane, delete") << "reminders pane" << "Delete" << true << notDeleted;
        QTest::newRow("reminders pane, clear completed") << "clear completed" << "" << true << notDeleted;
        QTest::newRow("task card, delete") << "card" << "delete" << true << notDeleted;
        QTest::newRow("task card, complete") << "card" << "complete" << false << notSaved;
    }

    void refusalIsShown()
    {
        QFETCH(QString, caller);
        QFETCH(QString, menuEntry);
        QFETCH(bool, asks);
        QFETCH(QString, shown);
        AppState *state = m_fixture->state();
        Task task = m_fixture->addTask(QStringLiteral("Rent"));
        task.item_type = QStringLiteral("reminder");
        task.status = TaskStatus::Completed;
        task.due_date = QDateTime(QDate::currentDate().addDays(1), QTime(9, 0));
        task.due_is_date_only = false;
        QVERIFY(state->tasks()->update(task));
        const Task before = *state->tasks()->getById(task.id);
        QSqlQuery refuse(state->database()->database());
        QVERIFY(refuse.exec(QStringLiteral("CREATE TRIGGER refuse_updates BEFORE UPDATE ON tasks "
                                           "BEGIN SELECT RAISE(ABORT, 'refused'); END")));

        ModalAnswerer answerer;
        const bool viaMenu = caller != QLatin1String("card") && caller != QLatin1String("clear completed");
        if (viaMenu)
            answerer.chooseMenuItem(menuEntry);
        if (asks)
            answerer.pressButton(QMessageBox::Yes);
        answerer.pressButton(QMessageBox::Ok);
        const QPoint at = m_window->mapToGlobal(QPoint(40, 40));
        if (caller == QLatin1String("tasks pane")) {
            TasksPane pane(state);
            pane.showTaskContextMenu(before.id, at);
        } else if (caller == QLatin1String("agenda")) {
            AgendaListWidget agenda(state, true, 30, QString());
            agenda.showTaskContextMenu(before.id, at);
        } else if (caller == QLatin1String("reminders pane")) {
            RemindersPane pane(state);
            pane.showContextMenu(before.id, at);
        } else if (caller == QLatin1String("clear completed")) {
            RemindersPane pane(state);
            pane.setShowCompleted(true);
            pane.clearCompleted();
        } else {
            auto *card = new TaskDetailsPopover(state, before, m_window->centralWidget());
            card->findChild<QPushButton *>(menuEntry)->click();
        }

        QTRY_COMPARE(answerer.pending(), 0);
        QCOMPARE(answerer.seen().last(), shown);
        QCOMPARE(*state->tasks()->getById(before.id), before);
    }

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<QMainWindow> m_window;
};

QTEST_MAIN(TestTaskChangeFailures)
#include "tst_taskchangefailures.moc"
