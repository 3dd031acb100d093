#include "app/appstate.h"
#include "store/taskrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/shownrows.h"
#include "tests/support/widgetfixture.h"
#include "ui/panes/reminderlisting.h"
#include "ui/panes/reminderspane.h"
#include "ui/panes/taskspanerow.h"
#include "views/common/viewrange.h"

#include <QMimeData>
#include <QPointer>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QStringList titles(const QList<TasksPaneRow *> &rows)
{
    QStringList out;
    for (TasksPaneRow *row : rows)
        out.append(row->task().title);
    return out;
}

// The pane reads off the GUI thread: the rows change when the read arrives.
bool settled(RemindersPane &pane)
{
    return QTest::qWaitFor([&pane] { return !pane.isLoading(); }, 20000);
}

bool loadNow(RemindersPane &pane)
{
    pane.reload();
    return settled(pane);
}

} // namespace

class TestRemindersPane : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }
    void cleanup() { m_fixture.reset(); }

    void openRemindersSitInSectionsByTheirDueDay()
    {
        const QDate today = QDate::currentDate();
        add(QStringLiteral("after midnight"), QDateTime(today.addDays(1), QTime(0, 30)));
        add(QStringLiteral("last minute yesterday"), QDateTime(today.addDays(-1), QTime(23, 59)));
        add(QStringLiteral("earlier today"), QDateTime(today, QTime(0, 1)));
        add(QStringLiteral("someday"), std::nullopt);
        add(QStringLiteral("cancelled"), QDateTime(today, QTime(12, 0)), QStringLiteral("cancelled"));
        add(QStringLiteral("done"), QDateTime(today, QTime(12, 0)), QStringLiteral("completed"));
        m_fixture->addTask(QStringLiteral("a plain task"));

        RemindersPane pane(m_fixture->state());
        QVERIFY(loadNow(pane));
        QCOMPARE(pane.sectionTitles(), (QStringList{"Overdue", "Today", "Upcoming", "No date"}));
        QCOMPARE(titles(pane.rows()),
                 (QStringList{"last minute yesterday", "earlier today", "after midnight", "someday"}));
        for (TasksPaneRow *row : pane.rows())
            QVERIFY(!row->isDraggable());

        pane.setShowCompleted(true);
        QVERIFY(settled(pane));
        QCOMPARE(pane.sectionTitles(), QStringList{"Completed"});
        QCOMPARE(titles(pane.rows()), QStringList{"done"});
    }

    void clearingCompletedAsksOnceAndRemovesThemAll()
    {
        QList<Task> done;
        for (const char *title : {"one", "two", "three"})
            done.append(add(QString::fromLatin1(title), std::nullopt, QStringLiteral("completed")));
        const Task open = add(QStringLiteral("open"), std::nullopt);
        RemindersPane pane(m_fixture->state());
        pane.setShowCompleted(true);

        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        pane.clearCompleted();
        QCOMPARE(pane.collectReminders(true).size(), 3);
        answerer.pressButton(QMessageBox::Yes);
        pane.clearCompleted();
        QCOMPARE(answerer.seen().size(), 2);
        QVERIFY(answerer.seen().last().contains(QStringLiteral("Delete all 3 completed reminder(s)?")));
        QVERIFY(pane.collectReminders(true).isEmpty());
        QVERIFY(m_fixture->state()->tasks()->getById(open.id).has_value());
        // With nothing completed left, Clear asks nothing.
        pane.clearCompleted();
        QCOMPARE(answerer.seen().size(), 2);
    }

    void droppingATaskOnAReminderChangesNothing()
    {
        const Task reminder = add(QStringLiteral("reminder"), std::nullopt);
        const Task task = m_fixture->addTask(QStringLiteral("task"));
        RemindersPane pane(m_fixture->state());
        QVERIFY(loadNow(pane));
        TasksPaneRow *row = pane.rows().first();
        row->resize(300, 40);
        std::unique_ptr<QMimeData> mime(TasksPaneRow::makeDragData(task));
        WidgetFixture::drop(row, QPoint(10, 20), mime.get());
        QCOMPARE(*m_fixture->state()->tasks()->getById(task.id), task);
        QCOMPARE(*m_fixture->state()->tasks()->getById(reminder.id), reminder);
    }

    void firstReadWaitsForTheFirstShow()
    {
        add(QStringLiteral("call back"), std::nullopt);
        RemindersPane pane(m_fixture->state());
        QSignalSpy reloaded(&pane, &RemindersPane::reloaded);
        QTest::qWait(200);
        QCOMPARE(reloaded.size(), 0);
        QVERIFY(pane.rows().isEmpty());
        QVERIFY(pane.isLoading());
        pane.resize(360, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QVERIFY(settled(pane));
        QCOMPARE(reloaded.size(), 1);
        QCOMPARE(pane.sectionTitles(), QStringList{"No date"});
        QCOMPARE(titles(pane.rows()), QStringList{"call back"});
    }

    void changesAreReadOnceWhenShownAndLaterWhenHidden()
    {
        add(QStringLiteral("first"), std::nullopt);
        RemindersPane pane(m_fixture->state());
        pane.resize(360, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QVERIFY(settled(pane));
        QSignalSpy reloaded(&pane, &RemindersPane::reloaded);
        // A burst of changes while shown: one read with all of them.
        for (const char *title : {"second", "third", "fourth"})
            add(QString::fromLatin1(title), std::nullopt);
        QTRY_COMPARE(reloaded.size(), 1);
        QCOMPARE(titles(pane.rows()), (QStringList{"first", "second", "third", "fourth"}));
        // While hidden a change is only noted, and read on the next show.
        pane.hide();
        QSignalSpy announced(m_fixture->state()->tasks(), &TaskRepository::tasksChanged);
        add(QStringLiteral("fifth"), std::nullopt);
        // Announced while hidden, and a pause longer than a reload's:
        // nothing is read.
        QVERIFY(announced.wait(20000));
        QTest::qWait(400);
        QCOMPARE(reloaded.size(), 1);
        QCOMPARE(pane.rows().size(), 4);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QTRY_COMPARE(reloaded.size(), 2);
        QCOMPARE(titles(pane.rows()), (QStringList{"first", "second", "third", "fourth", "fifth"}));
    }

    void onlyTheNewestReadIsApplied()
    {
        add(QStringLiteral("open"), std::nullopt);
        add(QStringLiteral("done"), std::nullopt, QStringLiteral("completed"));
        RemindersPane pane(m_fixture->state());
        QVERIFY(loadNow(pane));
        QSignalSpy reloaded(&pane, &RemindersPane::reloaded);
        // Three asks before any read returns: the rows are those of the last.
        pane.setShowCompleted(true);
        pane.setShowCompleted(false);
        pane.setShowCompleted(true);
        QVERIFY(pane.isLoading());
        QVERIFY(settled(pane));
        QTest::qWait(150);
        QCOMPARE(reloaded.size(), 1);
        QCOMPARE(pane.sectionTitles(), QStringList{"Completed"});
        QCOMPARE(titles(pane.rows()), QStringList{"done"});
    }

    void emptyListShowsTheEmptyStateAfterTheRead()
    {
        const Task only = add(QStringLiteral("only"), std::nullopt);
        RemindersPane pane(m_fixture->state());
        QVERIFY(loadNow(pane));
        QCOMPARE(pane.rows().size(), 1);
        QVERIFY(m_fixture->state()->tasks()->remove(only.id));
        QVERIFY(loadNow(pane));
        QVERIFY(pane.rows().isEmpty());
        QVERIFY(pane.sectionTitles().isEmpty());
        auto *list = pane.findChild<QScrollArea *>();
        QVERIFY(list);
        QVERIFY(list->isHidden());
    }

    void destroyingThePaneMidReadDeliversNothing()
    {
        for (int i = 0; i < 50; ++i)
            add(QStringLiteral("Reminder %1").arg(i), std::nullopt);
        int delivered = 0;
        for (int i = 0; i < 5; ++i) {
            auto pane = std::make_unique<RemindersPane>(m_fixture->state());
            connect(pane.get(), &RemindersPane::reloaded, this, [&delivered] { ++delivered; });
            pane->reload();
            if (i % 2)
                pane->setShowCompleted(true);
            pane.reset();
        }
        QTest::qWait(200);
        QCOMPARE(delivered, 0);
    }

    void longListIsShownWholeInOrderAndAfterAReload()
    {
        const QList<Task> reminders = addLongList(240);
        RemindersPane pane(m_fixture->state());
        pane.resize(360, 500);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QVERIFY(settled(pane));
        QStringList expected = listed();
        QCOMPARE(expected.size(), 4 + 240);
        ShownRows shown = ShownRows::of(&pane);
        QCOMPARE(shown.fault, QString());
        QCOMPARE(shown.lines, expected);
        QCOMPARE(pane.sectionTitles(), (QStringList{"Overdue", "Today", "Upcoming", "No date"}));

        // Completing every overdue reminder empties its section; the rest
        // are renamed: the whole list is replaced.
        QSignalSpy reloaded(&pane, &RemindersPane::reloaded);
        const QDate today = QDate::currentDate();
        int kept = 0;
        for (Task reminder : reminders) {
            if (reminder.due_date && reminder.due_date->date() < today) {
                reminder.status = TaskStatus::Completed;
            } else {
                reminder.title += QStringLiteral(" (renamed)");
                ++kept;
            }
            QVERIFY(m_fixture->state()->tasks()->update(reminder));
        }
        QVERIFY(reloaded.wait(20000));
        QVERIFY(settled(pane));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        expected = listed();
        QCOMPARE(expected.size(), 3 + kept);
        shown = ShownRows::of(&pane);
        QCOMPARE(shown.fault, QString());
        QCOMPARE(shown.lines, expected);
        QCOMPARE(pane.findChildren<TasksPaneRow *>().size(), kept);

        // Read while put away: the rows wait for the pane to come back, then
        // come a block at a time, and none of the old ones shows through.
        pane.hide();
        pane.setShowCompleted(true);
        QTest::qWait(300);
        QVERIFY(pane.isLoading());
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QVERIFY(settled(pane));
        expected = listed(true);
        QCOMPARE(expected.size(), 1 + 240 - kept);
        QTRY_COMPARE(ShownRows::of(&pane).fault, QString());
        QCOMPARE(ShownRows::of(&pane).lines, expected);
    }

    // A list filled before the pane was ever shown is laid out a block a turn
    // from its first show, not all in the show itself, and ends whole and in
    // order.
    void listFilledWhileNeverShownIsShownInTurnsWhole()
    {
        addLongList(240);
        RemindersPane pane(m_fixture->state());
        pane.resize(360, 500);
        QVERIFY(loadNow(pane));
        QCOMPARE(pane.rows().size(), 240);
        const QStringList expected = listed();
        pane.show();
        QVERIFY(ShownRows::of(&pane).lines.size() < expected.size());
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QVERIFY(settled(pane));
        QTRY_COMPARE(ShownRows::of(&pane).fault, QString());
        QCOMPARE(ShownRows::of(&pane).lines, expected);
    }

    void destroyingThePaneMidFillIsSafe()
    {
        addLongList(240);
        auto *pane = new RemindersPane(m_fixture->state());
        pane->resize(360, 500);
        pane->show();
        QVERIFY(QTest::qWaitFor([pane] { return !pane->rows().isEmpty(); }, 20000));
        QVERIFY(pane->isLoading());
        QVERIFY(pane->rows().size() < 240);
        const QPointer<TasksPaneRow> first = pane->rows().first();
        delete pane;
        QTest::qWait(100);
        QVERIFY(first.isNull());
    }

private:
    // Reminders spread over the four open sections, a few with titles that
    // wrap.
    QList<Task> addLongList(int count)
    {
        const QDate today = QDate::currentDate();
        QList<Task> reminders;
        for (int i = 0; i < count; ++i) {
            QString title = QStringLiteral("Reminder %1").arg(i, 3, 10, QLatin1Char('0'));
            if (i % 11 == 0)
                title += QStringLiteral(" with words enough to take a second line in the pane");
            std::optional<QDateTime> due;
            if (i % 4 != 3)
                due = QDateTime(today.addDays(i % 4 - 1), QTime(i % 24, i % 60));
            reminders.append(add(title, due));
        }
        // The store announces the additions a moment later: a pane made
        // before that would read them again and replace its rows in the
        // middle of a check.
        QSignalSpy announced(m_fixture->state()->tasks(), &TaskRepository::tasksChanged);
        if (!QTest::qWaitFor([&announced] { return !announced.isEmpty(); }, 20000))
            QTest::qFail("the store never announced the new tasks", __FILE__, __LINE__);
        QCoreApplication::processEvents();
        return reminders;
    }
    // What the pane should show, from the listing the pane reads.
    QStringList listed(bool completed = false) const
    {
        static const QStringList sectionNames{"Overdue", "Today", "Upcoming", "No date", "Completed"};
        ReminderListing::Settings settings;
        settings.completed = completed;
        settings.activeViewId = m_fixture->state()->activeViewId();
        settings.today = QDate::currentDate();
        const ReminderListing listing = ReminderListing::read(ViewRange::sourcesOf(m_fixture->state()), settings);
        QStringList lines;
        for (const ReminderListing::Section &section : listing.sections) {
            lines.append(QStringLiteral("# ") + sectionNames.at(section.kind));
            for (const Task &reminder : section.reminders)
                lines.append(reminder.title);
        }
        return lines;
    }

    Task add(const QString &title, const std::optional<QDateTime> &due,
             const QString &status = QStringLiteral("needs-action"))
    {
        Task task = m_fixture->addTask(title);
        task.item_type = QStringLiteral("reminder");
        task.due_date = due;
        task.due_is_date_only = false;
        task.status = taskStatusFromText(status);
        if (!m_fixture->state()->tasks()->update(task))
            qFatal("setup write refused");
        return *m_fixture->state()->tasks()->getById(task.id);
    }

    std::unique_ptr<WidgetFixture> m_fixture;
};

QTEST_MAIN(TestRemindersPane)
#include "tst_reminderspane.moc"
