#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/sampledata.h"
#include "store/taskrepository.h"
#include "tests/support/teststore.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

#include <memory>

class TestSampleData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        // The user's own calendar, which clearing must leave alone.
        QVERIFY(seedLocalCalendars(m_store->db(), {QStringLiteral("mine")}));
        m_accounts = std::make_unique<AccountRepository>(m_store->db());
        m_calendars = std::make_unique<CalendarRepository>(m_store->db());
        m_events = std::make_unique<EventRepository>(m_store->db());
        m_tasks = std::make_unique<TaskRepository>(m_store->db());
        m_sample = {m_store->db(), m_events.get(), m_tasks.get(), m_calendars.get(), m_accounts.get()};
    }

    void cleanup()
    {
        m_tasks.reset();
        m_events.reset();
        m_calendars.reset();
        m_accounts.reset();
        m_store.reset();
    }

    void loadFillsAnEmptyStore()
    {
        QSignalSpy accounts(m_accounts.get(), &AccountRepository::accountsChanged);
        QCOMPARE(SampleData::load(m_sample), 30);
        QCOMPARE(accounts.count(), 1);
        const std::optional<Account> account = m_accounts.get()->getById("sample-account");
        QVERIFY(account);
        QCOMPARE(account->name, QStringLiteral("Sample Data"));
        QCOMPARE(account->type, AccountType::Tindlebrook);
        QCOMPARE(account->color, QStringLiteral("#9E9E9E"));
        QCOMPARE(m_calendars.get()->getByAccount("sample-account").size(), 4);
        QCOMPARE(m_calendars.get()->getById("sample-cal-birthdays")->color, QStringLiteral("#6A1B9A"));
        QCOMPARE(m_events.get()->getByCalendar("sample-cal-work").size()
                     + m_events.get()->getByCalendar("sample-cal-personal").size()
                     + m_events.get()->getByCalendar("sample-cal-family").size(),
                 18);
        QVERIFY(m_events.get()->getByCalendar("sample-cal-birthdays").isEmpty());
        QCOMPARE(countSampleRows(), 31);
    }

    void loadingTwiceAddsNothing()
    {
        QCOMPARE(SampleData::load(m_sample), 30);
        QCOMPARE(SampleData::load(m_sample), 0);
        QCOMPARE(countSampleRows(), 31);
    }

    void loadingAgainRestoresOnlyWhatIsMissing()
    {
        QCOMPARE(SampleData::load(m_sample), 30);
        QVERIFY(m_events.get()->hardDelete("sample-event-today-run"));
        QVERIFY(m_tasks.get()->hardDelete("sample-task-buy-milk"));
        QCOMPARE(SampleData::load(m_sample), 2);
    }

    void clearRemovesEverySampleRow()
    {
        QCOMPARE(SampleData::load(m_sample), 30);
        QSignalSpy calendars(m_calendars.get(), &CalendarRepository::calendarsChanged);
        QSignalSpy events(m_events.get(), &EventRepository::eventsChanged);
        QSignalSpy tasks(m_tasks.get(), &TaskRepository::tasksChanged);
        QTRY_COMPARE(events.count(), 1); // the coalesced signal of the load
        events.clear();
        tasks.wait(500);
        tasks.clear();

        QCOMPARE(SampleData::clear(m_sample), 31);
        QCOMPARE(countSampleRows(), 0);
        QCOMPARE(calendars.count(), 1);
        QTRY_COMPARE(events.count(), 1);
        QCOMPARE(events.at(0).at(0).toString(), QString());
        QTRY_COMPARE(tasks.count(), 1);
        // The user's own calendar is untouched.
        QVERIFY(m_calendars.get()->getById(QStringLiteral("mine")));
        QCOMPARE(SampleData::clear(m_sample), 0);
    }

    void clearRemovesSampleEventsThatGainedReminders()
    {
        QCOMPARE(SampleData::load(m_sample), 30);
        Event event = *m_events.get()->getById("sample-event-tom-client");
        Reminder reminder;
        reminder.minutes_before = 15;
        event.reminders.append(reminder);
        QVERIFY(m_events.get()->update(event));
        QCOMPARE(m_events.get()->getById("sample-event-tom-client")->reminders.size(), 1);

        QCOMPARE(SampleData::clear(m_sample), 31);
        QCOMPARE(countSampleRows(), 0);
    }

    void clearKeepsCalendarsThatHoldTheUsersItems()
    {
        QCOMPARE(SampleData::load(m_sample), 30);
        Event mine;
        mine.id = QStringLiteral("my-own-event");
        mine.uid = mine.id;
        mine.calendar_id = QStringLiteral("sample-cal-work");
        mine.title = QStringLiteral("Real meeting");
        mine.start_time = QDateTime::currentDateTime();
        mine.end_time = mine.start_time.addSecs(1800);
        mine.raw_icalendar = IcsCodec::buildEventIcs(mine);
        QVERIFY(m_events.get()->insert(mine));

        // 18 events, 8 tasks and the three empty calendars; the work calendar
        // and the account stay with the user's event.
        QCOMPARE(SampleData::clear(m_sample), 29);
        QVERIFY(m_events.get()->getById("my-own-event"));
        QVERIFY(m_calendars.get()->getById("sample-cal-work"));
        QVERIFY(!m_calendars.get()->getById("sample-cal-family"));
        QVERIFY(m_accounts.get()->getById("sample-account"));

        // Once the user's event has moved out, clearing finishes the job.
        QVERIFY(m_events.get()->hardDelete("my-own-event"));
        QCOMPARE(SampleData::clear(m_sample), 2);
        QCOMPARE(countSampleRows(), 0);
    }

    void sampleCalendarTextIsWellFormed()
    {
        QCOMPARE(SampleData::load(m_sample), 30);
        const QDate today = QDate::currentDate();

        const QString milk = m_tasks.get()->getById("sample-task-buy-milk")->raw_icalendar;
        QVERIFY(milk.contains(QStringLiteral("SUMMARY:Buy milk\r\n")));
        QVERIFY(!milk.contains(QStringLiteral("PRIORITY:")));
        QVERIFY(!milk.contains(QStringLiteral("DUE:")));
        QVERIFY(milk.contains(QStringLiteral("STATUS:NEEDS-ACTION\r\n")));

        const Task expenses = *m_tasks.get()->getById("sample-task-old-completed");
        QVERIFY(expenses.raw_icalendar.contains(QStringLiteral("STATUS:COMPLETED\r\n")));
        QCOMPARE(expenses.status, TaskStatus::Completed);
        QCOMPARE(expenses.percent_complete, 100);
        QVERIFY(expenses.completed_date);

        const QString report = m_tasks.get()->getById("sample-task-q1-report")->raw_icalendar;
        QVERIFY(report.contains(QStringLiteral("PRIORITY:2\r\n")));
        const QString due = QDateTime(today.addDays(-2), QTime(17, 0)).toUTC().toString("yyyyMMdd'T'HHmmss'Z'");
        QVERIFY2(report.contains(QStringLiteral("DUE:") + due + QStringLiteral("\r\n")), qPrintable(report));

        const QString deadline = m_events.get()->getById("sample-event-today-deadline")->raw_icalendar;
        QVERIFY(deadline.contains(QStringLiteral("DTSTART;VALUE=DATE:") + today.toString("yyyyMMdd") + "\r\n"));
        QVERIFY(deadline.contains(QStringLiteral("DTEND;VALUE=DATE:") + today.addDays(1).toString("yyyyMMdd") + "\r\n"));

        const QString conference = m_events.get()->getById("sample-event-d6-conf")->raw_icalendar;
        QVERIFY2(conference.contains(QStringLiteral("DESCRIPTION:Three-day conference\\, badge required\r\n")),
                 qPrintable(conference));
        // Every sample text reads back as the event it describes.
        const QList<Event> parsed = IcsCodec::parseEvents(conference);
        QCOMPARE(parsed.size(), 1);
        QCOMPARE(parsed.first().description, QStringLiteral("Three-day conference, badge required"));
        QCOMPARE(parsed.first().uid, QStringLiteral("sample-event-d6-conf"));

        const QString standup = m_events.get()->getById("sample-event-today-standup")->raw_icalendar;
        QVERIFY(standup.contains(QStringLiteral("RRULE:FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR\r\n")));
        QVERIFY(standup.startsWith(QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n")));
    }

    void weekIsPlacedAroundToday()
    {
        QCOMPARE(SampleData::load(m_sample), 30);
        const QDate today = QDate::currentDate();
        const Event deadline = *m_events.get()->getById("sample-event-today-deadline");
        QVERIFY(deadline.is_all_day);
        QCOMPARE(deadline.start_time.date(), today);
        const Event conference = *m_events.get()->getById("sample-event-d6-conf");
        QCOMPARE(conference.start_time.date(), today.addDays(6));
        QCOMPARE(conference.end_time->date(), today.addDays(9));
        const Event redeye = *m_events.get()->getById("sample-event-d2-redeye");
        QCOMPARE(redeye.start_time.toLocalTime(), QDateTime(today.addDays(2), QTime(21, 30)));
        QCOMPARE(redeye.end_time->toLocalTime(), QDateTime(today.addDays(4), QTime(6, 15)));
        QCOMPARE(redeye.sync_status, SyncStatus::Synced);
        const Event retro = *m_events.get()->getById("sample-event-yesterday-retro");
        QCOMPARE(retro.start_time.toLocalTime(), QDateTime(today.addDays(-1), QTime(15, 0)));
        QCOMPARE(retro.calendar_id, QStringLiteral("sample-cal-work"));
    }

private:
    int countSampleRows()
    {
        int total = 0;
        for (const char *table : {"accounts", "calendars", "events", "tasks"}) {
            QSqlQuery query(m_store->db()->database());
            query.exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE id LIKE 'sample-%'").arg(QLatin1String(table)));
            query.next();
            total += query.value(0).toInt();
        }
        return total;
    }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<TaskRepository> m_tasks;
    SampleData::Repositories m_sample;
};

QTEST_MAIN(TestSampleData)
#include "tst_sampledata.moc"
