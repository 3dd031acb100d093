// Time of one reminder polling pass over a store of 50,000 events whose
// reminders are all unacknowledged and none due: 40,000 past events whose
// reminders went stale (never acknowledged, kept for ever), 9,500 future
// events whose reminders wait, and 500 daily series whose reminders wait for
// the next day.
#include "app/appstate.h"
#include "app/notifications/notificationservice.h"
#include "app/notifications/notifier.h"
#include "app/tray/traymanager.h"
#include "bench/loopwait.h"
#include "bench/stallwatch.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/tempdatadir.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTest>

#include <memory>

namespace {

class CountingNotifier : public Notifier
{
public:
    void notify(const Notification &, Done done) override
    {
        ++shown;
        done(true);
    }
    int shown = 0;
};

Event eventAt(const QString &id, const QDateTime &start, const QString &rule)
{
    Event e;
    e.id = id;
    e.uid = id;
    e.calendar_id = QString::fromLatin1(AppState::LocalCalendarId);
    e.title = QStringLiteral("Bench ") + id;
    e.start_time = start;
    e.end_time = start.addSecs(1800);
    e.recurrence_rule = rule;
    e.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    Reminder r;
    r.minutes_before = 15;
    e.reminders.append(r);
    return e;
}

} // namespace

class BenchReminderPoll : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void firstPassMovesEverySeries();
    void firstPassLongestStall();
    void laterPass();
    void trayNextEventLookup();

private:
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
};

void BenchReminderPoll::initTestCase()
{
    m_dir = std::make_unique<TempDataDir>();
    m_state = std::make_unique<AppState>();
    QVERIFY(m_state->initialize());
    const QDateTime now = QDateTime::currentDateTime();
    QSqlDatabase &db = m_state->database()->database();
    QElapsedTimer fill;
    fill.start();
    QVERIFY(db.transaction());
    for (int i = 0; i < 40000; ++i)
        QVERIFY(m_state->events()->insert(eventAt(QStringLiteral("stale-%1").arg(i), now.addDays(-1 - i % 300), {})));
    for (int i = 0; i < 9500; ++i)
        QVERIFY(m_state->events()->insert(eventAt(QStringLiteral("future-%1").arg(i), now.addDays(1 + i % 300), {})));
    for (int i = 0; i < 500; ++i)
        QVERIFY(m_state->events()->insert(eventAt(QStringLiteral("daily-%1").arg(i),
                                                  now.addDays(-30).addSecs(3600 + i * 60),
                                                  QStringLiteral("FREQ=DAILY"))));
    QVERIFY(db.commit());
    qInfo("filled 50,000 events in %lld ms", fill.elapsed());
}

void BenchReminderPoll::cleanupTestCase()
{
    m_state.reset();
    m_dir.reset();
}

void BenchReminderPoll::firstPassMovesEverySeries()
{
    CountingNotifier notifier;
    NotificationService service(m_state->database(), m_state->events(), m_state->preferences(), &notifier);
    QElapsedTimer timer;
    timer.start();
    service.poll();
    qInfo("first pass over 50,000 events (500 series): %lld ms, %d shown", timer.elapsed(),
          notifier.shown);
    QCOMPARE(notifier.shown, 0);
}

// The first pass again over series whose reminders are overdue, run by the
// event loop as the program runs it: the longest gap the loop sees, and the
// time until every series' reminder has moved on.
void BenchReminderPoll::firstPassLongestStall()
{
    QSqlDatabase &db = m_state->database()->database();
    QSqlQuery rewind(db);
    QVERIFY(rewind.exec(QStringLiteral("UPDATE reminders SET trigger_time = '2000-01-01T00:00:00Z' "
                                       "WHERE event_id LIKE 'daily-%'")));
    const auto overdue = [&db] {
        QSqlQuery count(db);
        count.exec(QStringLiteral("SELECT COUNT(*) FROM reminders WHERE trigger_time = '2000-01-01T00:00:00Z'"));
        return count.next() ? count.value(0).toInt() : -1;
    };
    QCOMPARE(overdue(), 500);
    CountingNotifier notifier;
    NotificationService service(m_state->database(), m_state->events(), m_state->preferences(), &notifier);
    QElapsedTimer clock;
    clock.start();
    StallWatch watch(clock, 2);
    QTimer::singleShot(0, &service, &NotificationService::poll);
    qint64 done = -1;
    if (loopUntil([&overdue] { return overdue() == 0; }, 10000, 5))
        done = clock.elapsed();
    watch.close();
    qInfo("first pass, 500 overdue series: done after %lld ms, longest event-loop stall %lld ms", done,
          watch.longest());
    QVERIFY(done >= 0);
}

void BenchReminderPoll::laterPass()
{
    CountingNotifier notifier;
    NotificationService service(m_state->database(), m_state->events(), m_state->preferences(), &notifier);
    QBENCHMARK {
        service.poll();
    }
    QCOMPARE(notifier.shown, 0);
}

// The tray's lookup of the next event over the same store, as a change of
// the events starts it: the time the call holds the GUI thread, the time
// until the tooltip names the event, and the longest event-loop stall.
void BenchReminderPoll::trayNextEventLookup()
{
    for (int run = 0; run < 5; ++run) {
        TrayManager tray(m_state.get(), nullptr);
        QElapsedTimer clock;
        clock.start();
        StallWatch watch(clock, 2);
        QElapsedTimer call;
        call.start();
        tray.updateToolTip();
        const qint64 inCall = call.nsecsElapsed() / 1000;
        QVERIFY(loopUntil([&tray] { return !tray.toolTip().isEmpty(); }, 10000));
        const qint64 shown = clock.elapsed();
        loopFor(20);
        watch.close();
        qInfo("tray next-event lookup over 50,000 events: %lld us in the call, tooltip set after %lld ms, "
              "longest event-loop stall %lld ms",
              inCall, shown, watch.longest());
        QVERIFY(tray.toolTip().contains(QStringLiteral("Bench")));
    }
}

QTEST_MAIN(BenchReminderPoll)
#include "bench_reminderpoll.moc"
