#include "app/appstate.h"
#include "bench/stallwatch.h"
#include "calendar/icscodec.h"
#include "store/database.h"
#include "store/preferencekeys.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/panes/reminderspane.h"
#include "ui/panes/taskspane.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTest>

#include <memory>

// One tasks pane reload with 1,000 tasks nested four deep in two calendars:
// the reads, the tree and the ordering (on the pane's loading thread) and
// every row widget, grouped under calendar headers and in one list; the time
// until the rows are in place and the longest wait of the event loop, in a
// hidden pane and in one on the screen.
class BenchTasksPaneReload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("#ff8800"));
        const QStringList calendars{QString::fromLatin1(AppState::LocalCalendarId), QStringLiteral("work")};
        QVERIFY(m_fixture->db()->database().transaction());
        // 200 roots, each with a chain of four below it: depths 0 to 4.
        for (int i = 0; i < 1000; ++i) {
            Task task;
            task.id = QStringLiteral("task-%1").arg(i);
            task.uid = task.id;
            task.calendar_id = calendars.at((i / 5) % 2);
            task.title = QStringLiteral("Task %1").arg(i);
            task.priority = i % 9;
            task.sort_order = i % 3 ? 0 : 10000 * (i % 50);
            if (i % 5)
                task.parent_task_uid = QStringLiteral("task-%1").arg(i - 1);
            if (i % 4 == 0)
                task.due_date = QDateTime(QDate::currentDate().addDays(i % 40 - 10), QTime(0, 0));
            task.raw_icalendar = IcsCodec::buildTodo(task);
            QVERIFY(m_fixture->state()->tasks()->insert(task));
        }
        // And 1,000 reminders, open and completed, across the sections.
        for (int i = 0; i < 1000; ++i) {
            Task reminder;
            reminder.id = QStringLiteral("reminder-%1").arg(i);
            reminder.uid = reminder.id;
            reminder.calendar_id = calendars.at(i % 2);
            reminder.item_type = QStringLiteral("reminder");
            reminder.title = QStringLiteral("Reminder %1").arg(i);
            if (i % 7)
                reminder.due_date = QDateTime(QDate::currentDate().addDays(i % 30 - 10), QTime(i % 24, 0));
            if (i % 10 == 0)
                reminder.status = TaskStatus::Completed;
            reminder.raw_icalendar = IcsCodec::buildTodo(reminder);
            QVERIFY(m_fixture->state()->tasks()->insert(reminder));
        }
        QVERIFY(m_fixture->db()->database().commit());
        m_pane = std::make_unique<TasksPane>(m_fixture->state());
        m_pane->resize(360, 800);
    }

    void cleanupTestCase()
    {
        m_pane.reset();
        m_fixture.reset();
    }

    void reload_data()
    {
        QTest::addColumn<bool>("grouped");
        QTest::newRow("grouped") << true;
        QTest::newRow("ungrouped") << false;
    }

    void reload()
    {
        QFETCH(bool, grouped);
        m_pane->setGroupByCalendar(grouped);
        QBENCHMARK {
            m_pane->reload();
            QVERIFY(QTest::qWaitFor([this] { return !m_pane->isLoading(); }, 10000));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(m_pane->rows().size(), 1000);
        // The longest the event loop waits meanwhile: the rows are made a
        // slice at a time.
        QElapsedTimer clock;
        clock.start();
        StallWatch watch(clock);
        m_pane->reload();
        const qint64 inPlace = waitForRows(*m_pane, clock);
        QVERIFY(inPlace >= 0);
        watch.close();
        qInfo("rows in place after %lld ms, longest event-loop stall %lld ms", inPlace, watch.longest());
    }

    // A pane on the screen, grouped and in one list: its first fill when
    // it is first shown, then a reload that replaces every row. The rows are
    // laid out as they come, so the longest wait of the event loop is
    // watched until a while after the last row.
    void shownReload_data()
    {
        QTest::addColumn<bool>("grouped");
        QTest::newRow("grouped") << true;
        QTest::newRow("ungrouped") << false;
    }

    void shownReload()
    {
        QFETCH(bool, grouped);
        if (!m_fixture->state()->preferences()->setBool(QLatin1String(PreferenceKeys::TasksGroupByCalendar), grouped))
            qFatal("setup write refused");
        TasksPane pane(m_fixture->state());
        pane.resize(360, 800);
        fillThenReload(pane, true, 1000);
    }

    // The reminders pane with the same store: 900 open reminders in four
    // sections, in a hidden pane (as above) and in one on the screen.
    void remindersReload_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::newRow("hidden") << false;
        QTest::newRow("shown") << true;
    }

    void remindersReload()
    {
        QFETCH(bool, shown);
        RemindersPane pane(m_fixture->state());
        pane.resize(360, 800);
        fillThenReload(pane, shown, 900);
    }

private:
    template<typename Pane>
    static void fillThenReload(Pane &pane, bool shown, int rowCount)
    {
        QElapsedTimer clock;
        clock.start();
        StallWatch watch(clock);
        if (shown)
            pane.show();
        else
            pane.reload();
        const qint64 filled = waitForRows(pane, clock);
        QVERIFY(filled >= 0);
        watch.close();
        QCOMPARE(pane.rows().size(), rowCount);
        qInfo("first fill: rows in place after %lld ms, longest event-loop stall %lld ms", filled, watch.longest());

        clock.restart();
        watch.restart();
        pane.reload();
        const qint64 reloaded = waitForRows(pane, clock);
        QVERIFY(reloaded >= 0);
        watch.close();
        QCOMPARE(pane.rows().size(), rowCount);
        qInfo("reload: rows in place after %lld ms, longest event-loop stall %lld ms", reloaded, watch.longest());

        // A hidden pane's rows are laid out when it is shown; a shown one's
        // are shown again after a hide.
        if (shown)
            pane.hide();
        clock.restart();
        watch.restart();
        pane.show();
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        watch.close();
        qInfo("%s: longest event-loop stall %lld ms", shown ? "hidden and shown again" : "shown after the fill",
              watch.longest());
        if (!shown)
            return;

        // Read while put away (a change arrives just as the pane is hidden),
        // then shown.
        pane.hide();
        pane.reload();
        QTest::qWait(300);
        clock.restart();
        watch.restart();
        pane.show();
        const qint64 reshown = waitForRows(pane, clock);
        QVERIFY(reshown >= 0);
        watch.close();
        QCOMPARE(pane.rows().size(), rowCount);
        qInfo("read while hidden, then shown: rows in place after %lld ms, longest event-loop stall %lld ms", reshown,
              watch.longest());
    }

    // Runs the event loop until the rows are in place and a while after
    // (the layout of a shown pane runs in the turns that follow); the time to
    // the rows in place, or -1 when they never were. A plain event loop: the
    // waits of QTest sleep between turns, which the watch would count.
    template<typename Pane>
    static qint64 waitForRows(Pane &pane, const QElapsedTimer &clock)
    {
        QEventLoop loop;
        qint64 inPlace = -1;
        QTimer poll;
        poll.setInterval(1);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (inPlace >= 0 || pane.isLoading())
                return;
            inPlace = clock.elapsed();
            QTimer::singleShot(300, &loop, &QEventLoop::quit);
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        poll.start();
        loop.exec();
        return inPlace;
    }

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<TasksPane> m_pane;
};

QTEST_MAIN(BenchTasksPaneReload)
#include "bench_taskspanereload.moc"
