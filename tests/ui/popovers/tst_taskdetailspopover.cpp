#include "app/appstate.h"
#include "app/theme/theme.h"
#include "store/taskrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/popovers/taskdetailspopover.h"

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTranslator>

#include <memory>

class TestTaskDetailsPopover : public QObject
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

    void datesReadTodayTomorrowOrTheDay_data()
    {
        QTest::addColumn<QDateTime>("value");
        QTest::addColumn<bool>("dateOnly");
        QTest::addColumn<QString>("expected");
        const QDate today(2026, 3, 10);
        QTest::newRow("today at midnight") << QDateTime(today, QTime(0, 0)) << false << "Today";
        QTest::newRow("tomorrow 14:30") << QDateTime(today.addDays(1), QTime(14, 30)) << false
                                        << "Tomorrow  ·  2:30 PM";
        QTest::newRow("yesterday") << QDateTime(today.addDays(-1), QTime(9, 5)) << false << "Yesterday  ·  9:05 AM";
        QTest::newRow("later") << QDateTime(QDate(2026, 4, 2), QTime(0, 0)) << false << "Thursday, April 2, 2026";
        // A date read as midnight UTC keeps its date and shows no time.
        QTest::newRow("date only as UTC") << QDateTime(today.addDays(1), QTime(0, 0), Qt::UTC) << true << "Tomorrow";
    }

    void datesReadTodayTomorrowOrTheDay()
    {
        QFETCH(QDateTime, value);
        QFETCH(bool, dateOnly);
        QFETCH(QString, expected);
        QCOMPARE(TaskDetailsPopover::formatTaskDate(value, dateOnly, QDate(2026, 3, 10)), expected);
    }

    void cardShowsPriorityCategoriesAndPlainStoredText()
    {
        Task task = m_fixture->addTask(QStringLiteral("<b>Taxes</b>"));
        task.priority = 2;
        task.categories = {QStringLiteral("  "), QStringLiteral("home")};
        task.description = QStringLiteral("<a href=\"file:///etc\">notes</a>");
        task.due_date = QDateTime(QDate::currentDate().addDays(-1), QTime(9, 0));
        task.due_is_date_only = false;
        auto *popover = new TaskDetailsPopover(m_fixture->state(), task, m_window->centralWidget());
        QCOMPARE(label(popover, "title")->textFormat(), Qt::PlainText);
        QCOMPARE(label(popover, "title")->text(), task.title);
        QCOMPARE(label(popover, "notes")->textFormat(), Qt::PlainText);
        QVERIFY(label(popover, "priority")->text().contains(QStringLiteral("#ef4444")));
        QVERIFY(label(popover, "priority")->text().endsWith(QStringLiteral("High priority")));
        QCOMPARE(label(popover, "categories")->text().count(QStringLiteral("<span")), 1);
        QCOMPARE(label(popover, "due")->palette().color(QPalette::WindowText), Theme::danger());
        QCOMPARE(popover->findChild<QPushButton *>(QStringLiteral("complete"))->text(), QStringLiteral("Mark complete"));

        // Completed: struck out, no priority, no danger colour.
        task.status = TaskStatus::Completed;
        auto *done = new TaskDetailsPopover(m_fixture->state(), task, m_window->centralWidget());
        QVERIFY(label(done, "title")->font().strikeOut());
        QVERIFY(label(done, "priority")->isHidden());
        QVERIFY(label(done, "due")->palette().color(QPalette::WindowText) != Theme::danger());
        QCOMPARE(done->findChild<QPushButton *>(QStringLiteral("complete"))->text(), QStringLiteral("Mark incomplete"));
    }

    void linkedEventsNameTheFirstOne()
    {
        const Task task = m_fixture->addTask(QStringLiteral("Write report"));
        QStringList ids;
        for (const char *title : {"Draft", "Review"}) {
            Event event = WidgetFixture::timedEvent(QString::fromLatin1(title), QDateTime(QDate(2026, 3, 10), QTime(9, 0)),
                                                    QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
            event.related_to_uid = task.uid;
            ids.append(m_fixture->addEvent(event).id);
        }
        auto *popover = new TaskDetailsPopover(m_fixture->state(), task, m_window->centralWidget());
        QVERIFY(label(popover, "linkedEvents")->text().contains(QStringLiteral("Linked events:")));
        QVERIFY(ids.contains(popover->firstLinkedEventId()));
    }

    // Every action reads in full in each language shipped, whichever the
    // completion toggle says.
    void actionsFitInEveryLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("completed");
        for (const char *language : {"en", "de", "fr", "es", "ja"}) {
            QTest::addRow("%s, open", language) << QString::fromLatin1(language) << false;
            QTest::addRow("%s, completed", language) << QString::fromLatin1(language) << true;
        }
    }

    void actionsFitInEveryLanguage()
    {
        QFETCH(QString, language);
        QFETCH(bool, completed);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/calendar_%1.qm").arg(language)));
        // The source language's catalogue holds no texts, and installs as none.
        QVERIFY(QCoreApplication::installTranslator(&translator) || language == QLatin1String("en"));
        const auto removeTranslator = qScopeGuard([&translator] { QCoreApplication::removeTranslator(&translator); });
        Task task = m_fixture->addTask(QStringLiteral("Plan"));
        task.status = completed ? TaskStatus::Completed : TaskStatus::NeedsAction;
        auto *popover = new TaskDetailsPopover(m_fixture->state(), task, m_window->centralWidget());
        m_window->show();
        // Sized as its placement sizes it.
        popover->adjustSize();
        popover->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const QList<QPushButton *> buttons = popover->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 4);
        for (const QPushButton *button : buttons) {
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
            QVERIFY2(popover->contentsRect().contains(button->geometry()), qPrintable(button->text()));
        }
    }

    void completionToggleClosesAndOnlyOneCardIsOpen()
    {
        const Task task = m_fixture->addTask(QStringLiteral("Toggle"));
        auto *first = new TaskDetailsPopover(m_fixture->state(), task, m_window->centralWidget());
        QPointer<TaskDetailsPopover> firstGuard(first);
        auto *second = new TaskDetailsPopover(m_fixture->state(), task, m_window->centralWidget());
        QTRY_VERIFY(!firstGuard);
        QCOMPARE(TaskDetailsPopover::current(), second);
        QPointer<TaskDetailsPopover> guard(second);
        second->findChild<QPushButton *>(QStringLiteral("complete"))->click();
        QTRY_VERIFY(!guard);
        QCOMPARE(m_fixture->state()->tasks()->getById(task.id)->status, TaskStatus::Completed);
    }

    void deleteAsksAndCannotBeUndone()
    {
        const Task task = m_fixture->addTask(QStringLiteral("Drop me"));
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        auto *popover = new TaskDetailsPopover(m_fixture->state(), task, m_window->centralWidget());
        popover->findChild<QPushButton *>(QStringLiteral("delete"))->click();
        QCOMPARE(answerer.seen().size(), 1);
        QVERIFY(answerer.seen().first().contains(QStringLiteral("Delete \"Drop me\"? This cannot be undone.")));
        QVERIFY(m_fixture->state()->tasks()->getById(task.id)->deleted_at.has_value());
    }

private:
    static QLabel *label(QWidget *popover, const char *name)
    {
        return popover->findChild<QLabel *>(QString::fromLatin1(name));
    }

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<QMainWindow> m_window;
};

QTEST_MAIN(TestTaskDetailsPopover)
#include "tst_taskdetailspopover.moc"
