#pragma once

#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/caldav/caldavsyncclient.h"
#include "tests/support/fakecaldavcalendar.h"
#include "tests/support/teststore.h"

#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <memory>

// What one sync run of the harness' calendar reported.
struct CalDavOutcome
{
    bool completed = false;
    int count = -1;
    QStringList failures;
    QList<int> progress;
};

// A store with one CalDAV calendar (events and tasks) served by a fake, and
// a sync client over it.
class CalDavSyncHarness
{
public:
    CalDavSyncHarness()
        : events(store.db())
        , tasks(store.db())
        , calendars(store.db())
        , accounts(store.db())
    {
        server.listen();
        fake = std::make_unique<FakeCalDavCalendar>(&server);
        Account account;
        account.id = QStringLiteral("acc");
        account.name = QStringLiteral("Server");
        account.type = AccountType::CalDav;
        account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
        QVERIFY(accounts.insert(account));
        calendar.id = QStringLiteral("cal");
        calendar.account_id = QStringLiteral("acc");
        calendar.url = fake->url().toString();
        calendar.name = QStringLiteral("Work");
        calendar.sync_enabled = true;
        calendar.supported_components = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
        QVERIFY(calendars.insert(calendar));
        client = std::make_unique<CalDavSyncClient>(
            CalDavRepositories{store.db(), &events, &tasks, &calendars, &accounts});
    }

    CalDavOutcome sync() { return sync(calendar.id); }

    // A run of another calendar of the store.
    CalDavOutcome sync(const QString &calendarId)
    {
        CalDavOutcome outcome;
        QSignalSpy completed(client.get(), &CalDavSyncClient::calendarSyncCompleted);
        QSignalSpy failed(client.get(), &CalDavSyncClient::calendarSyncFailed);
        QSignalSpy progress(client.get(), &CalDavSyncClient::calendarSyncProgress);
        const std::optional<Calendar> stored = calendars.getById(calendarId);
        if (!stored) {
            outcome.failures.append(QStringLiteral("the calendar row is missing"));
            return outcome;
        }
        client->syncCalendar(*stored, QString(), QStringLiteral("u"),
                             QStringLiteral("p"), QString());
        for (int waited = 0; completed.isEmpty() && failed.isEmpty() && waited < 120000; waited += 10)
            QTest::qWait(10);
        QTest::qWait(30);
        outcome.completed = !completed.isEmpty();
        if (outcome.completed)
            outcome.count = completed.first().at(1).toInt();
        for (const QList<QVariant> &args : failed)
            outcome.failures.append(args.at(1).toString());
        for (const QList<QVariant> &args : progress)
            outcome.progress.append(args.at(1).toInt());
        return outcome;
    }

    Event localEvent(const QString &uid, const QString &title)
    {
        Event event;
        event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        event.calendar_id = calendar.id;
        event.uid = uid;
        event.title = title;
        event.start_time = QDateTime(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC);
        event.end_time = event.start_time.addSecs(3600);
        event.created = event.last_modified = QDateTime::currentDateTimeUtc();
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        return event;
    }

    Task localTask(const QString &uid, const QString &title)
    {
        Task task;
        task.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        task.calendar_id = calendar.id;
        task.uid = uid;
        task.title = title;
        task.sync_status = SyncStatus::Pending;
        task.created = task.last_modified = QDateTime::currentDateTimeUtc();
        task.raw_icalendar = IcsCodec::buildTodo(task);
        return task;
    }

    // A calendar `id` like the harness' own but kept on this device alone,
    // of the account "local"; none when the store refused it.
    std::optional<Calendar> addDeviceCalendar(const QString &id)
    {
        Account local;
        local.id = QStringLiteral("local");
        local.name = QStringLiteral("Local");
        local.type = AccountType::Tindlebrook;
        if (!accounts.getById(local.id) && !accounts.insert(local))
            return std::nullopt;
        Calendar device = calendar;
        device.id = id;
        device.account_id = local.id;
        device.url = QStringLiteral("local://calendar/") + id;
        return calendars.insert(device) ? std::optional<Calendar>(device) : std::nullopt;
    }

    std::optional<Event> byUid(const QString &uid) { return events.getByUid(uid, calendar.id); }
    QList<Event> rows() { return events.getByCalendar(calendar.id); }
    int eventRows() { return store.count(QStringLiteral("events")); }
    int writesSoFar() { return store.scalar(QStringLiteral("SELECT total_changes()")).toInt(); }
    QByteArray serverText(const QByteArray &name) const { return fake->items.value(fake->path() + name).data; }

    TestStore store;
    EventRepository events;
    TaskRepository tasks;
    CalendarRepository calendars;
    AccountRepository accounts;
    LocalHttpServer server;
    std::unique_ptr<FakeCalDavCalendar> fake;
    Calendar calendar;
    std::unique_ptr<CalDavSyncClient> client;
};
