#include "app/appstate.h"
#include "bench/stallwatch.h"
#include "calendar/icscodec.h"
#include "store/database.h"
#include "store/taskrepository.h"
#include "tests/support/widgetfixture.h"
#include "ui/panes/reminderspane.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTest>

#include <memory>

// The reminders pane first shown after it filled out of sight (a read asked
// for while the sidebar kept it hidden): how long the event loop waits at
// once from the show until the rows are on the screen, and when they are.
// Three panes a row, each filled hidden, then shown.
class BenchRemindersPane : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }

    void firstShowAfterHiddenFill_data()
    {
        QTest::addColumn<int>("reminders");
        QTest::newRow("300") << 300;
        QTest::newRow("1000") << 1000;
        QTest::newRow("3000") << 3000;
    }

    void firstShowAfterHiddenFill()
    {
        QFETCH(int, reminders);
        storeReminders(reminders);
        for (int run = 0; run < 3; ++run) {
            RemindersPane pane(m_fixture->state());
            pane.resize(360, 800);
            pane.reload();
            QVERIFY(QTest::qWaitFor([&pane] { return !pane.isLoading(); }, 20000));
            const int rows = int(pane.rows().size());

            QElapsedTimer clock;
            clock.start();
            StallWatch watch(clock);
            pane.show();
            const qint64 inPlace = waitForRows(pane, clock);
            watch.close();
            QVERIFY(inPlace >= 0);
            QCOMPARE(pane.rows().size(), rows);
            qInfo("%d reminders, %d rows: shown after a hidden fill, rows on the screen after %lld ms, longest "
                  "event-loop stall %lld ms",
                  reminders, rows, inPlace, watch.longest());
            for (const StallWatch::Gap &gap : watch.gaps()) {
                if (gap.length() > 10)
                    qInfo("  stall %lld ms at %lld ms", gap.length(), gap.startMs);
            }
        }
    }

    void cleanupTestCase() { m_fixture.reset(); }

private:
    // Tops the store up to `count` reminders, open and completed, dated
    // across the sections.
    void storeReminders(int count)
    {
        QVERIFY(m_fixture->db()->database().transaction());
        for (int i = m_stored; i < count; ++i) {
            Task reminder;
            reminder.id = QStringLiteral("reminder-%1").arg(i);
            reminder.uid = reminder.id;
            reminder.calendar_id = QString::fromLatin1(AppState::LocalCalendarId);
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
        m_stored = std::max(m_stored, count);
    }

    // Runs a plain event loop (QTest's waits sleep between turns, which the
    // watch would count) until the rows are in place and 300 ms after, the
    // layout of a shown pane running in the turns that follow; the time to
    // the rows in place, or -1 when they never were.
    static qint64 waitForRows(RemindersPane &pane, const QElapsedTimer &clock)
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
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        poll.start();
        loop.exec();
        return inPlace;
    }

    std::unique_ptr<WidgetFixture> m_fixture;
    int m_stored = 0;
};

QTEST_MAIN(BenchRemindersPane)
#include "bench_reminderspane.moc"
