#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

#include "cloud/configrecords.h"
#include "store/eventrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/core/syncerrorcode.h"
#include "sync/webcal/webcalsyncclient.h"
#include "tests/support/configsyncdevice.h"
#include "tests/support/fakecloudconfigroutes.h"
#include "tests/support/localhttpserver.h"

using Tindlebrook::ConfigSyncService;
namespace Records = Tindlebrook::ConfigRecords;

namespace {

// Whole seconds, as the store keeps them.
QDateTime at(int secondsAgo)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return QDateTime::fromSecsSinceEpoch(now.toSecsSinceEpoch() - secondsAgo, Qt::UTC);
}

Account calDavAccount(const QString &id, const QString &serverUrl)
{
    Account account;
    account.id = id;
    account.name = QStringLiteral("Work DAV");
    account.type = AccountType::CalDav;
    account.server_url = serverUrl;
    account.username = QStringLiteral("ada");
    account.color = QStringLiteral("#112233");
    account.sync_interval_minutes = 30;
    account.created_at = at(3600);
    account.updated_at = at(3600);
    return account;
}

Calendar calendarOf(const QString &id, const QString &accountId, const QString &family, const QString &url)
{
    Calendar calendar;
    calendar.id = id;
    calendar.account_id = accountId;
    calendar.url = url;
    calendar.name = id;
    calendar.canonical_key = Sync::canonicalCalendarKey(family, url).value_or(QString());
    calendar.sync_enabled = true;
    calendar.created_at = at(3600);
    calendar.updated_at = at(3600);
    return calendar;
}

FilterRule ruleFor(const QString &id, const QStringList &calendarIds)
{
    FilterRule rule;
    rule.id = id;
    rule.name = QStringLiteral("Hide standups");
    rule.type = QStringLiteral("pattern");
    rule.calendar_ids = Records::compactIdList(calendarIds);
    rule.conditions = QStringLiteral("{\"pattern\":\"standup\"}");
    rule.priority = 40;
    rule.created_at = at(600);
    rule.updated_at = at(600);
    return rule;
}

QString subscriptionUrl()
{
    return QStringLiteral("https://feeds.example.org/holidays.ics");
}

Calendar subscribe(ConfigSyncDevice &device, const QString &calendarId, const QString &url)
{
    const Account owner = Webcal::SyncClient::ensureSubscriptionsAccount(&device.accounts);
    Calendar calendar = calendarOf(calendarId, owner.id, QStringLiteral("webcal"), url);
    calendar.is_read_only = true;
    if (!device.calendars.insert(calendar))
        qFatal("setup write refused");
    return *device.calendars.getById(calendarId);
}

std::optional<Calendar> calendarWithUrl(ConfigSyncDevice &device, const QString &url)
{
    for (const Calendar &calendar : device.calendars.getAll()) {
        if (calendar.url == url)
            return calendar;
    }
    return std::nullopt;
}

Tindlebrook::ConfigSyncSeams quickSeams()
{
    Tindlebrook::ConfigSyncSeams seams;
    seams.debounceMs = 50;
    seams.discovery.timeLimitMs = 5000;
    return seams;
}

} // namespace

class TestConfigSync : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeCloudServer> m_server;
    std::unique_ptr<ConfigSyncDevice> m_a;
    std::unique_ptr<ConfigSyncDevice> m_b;

    FakeCloudConfigRoutes *cloud() const { return m_server->config(); }
    int syncRequests() const
    {
        return m_server->countRequests("POST", QStringLiteral("/sync/push"))
            + m_server->countRequests("GET", QStringLiteral("/sync/pull"));
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeCloudServer>();
        QVERIFY(m_server->listen());
        m_a = std::make_unique<ConfigSyncDevice>(*m_server, QStringLiteral("laptop"), quickSeams());
        m_b = std::make_unique<ConfigSyncDevice>(*m_server, QStringLiteral("desktop"), quickSeams());
        QVERIFY(m_a->opened && m_b->opened);
    }

    void cleanup()
    {
        m_a.reset();
        m_b.reset();
        m_server.reset();
    }

    void everyKindReachesTheOtherDevice()
    {
        // A refused port: discovery of the pulled account fails at once.
        const Account dav = calDavAccount(QStringLiteral("dav-1"), QStringLiteral("http://127.0.0.1:1/dav/"));
        QVERIFY(m_a->accounts.insert(dav));
        m_a->secrets->insert(caldavPasswordKey(dav.id), QStringLiteral("s3cret"));
        Account google;
        google.id = QStringLiteral("g-1");
        google.name = QStringLiteral("Ada's Google");
        google.type = AccountType::Google;
        google.username = QStringLiteral("ada@gmail.example");
        google.created_at = at(3600);
        google.updated_at = at(3600);
        QVERIFY(m_a->accounts.insert(google));
        Calendar work = calendarOf(QStringLiteral("cal-work"), dav.id, QStringLiteral("caldav"),
                                   QStringLiteral("http://127.0.0.1:1/dav/work/"));
        work.is_visible = false;
        work.color = QStringLiteral("#AA0000");
        QVERIFY(m_a->calendars.insert(work));
        subscribe(*m_a, QStringLiteral("sub-a"), subscriptionUrl());
        const FilterRule rule = ruleFor(QStringLiteral("rule-1"), {work.id});
        QVERIFY(m_a->filterRules.insert(rule));
        CalendarView group;
        group.id = QStringLiteral("group-1");
        group.name = QStringLiteral("Work");
        group.color = QStringLiteral("#00AA00");
        group.calendar_ids = Records::compactIdList({work.id});
        group.created_at = at(500);
        group.updated_at = at(500);
        QVERIFY(m_a->views.insert(group));
        EventTemplate meeting;
        meeting.id = QStringLiteral("tpl-1");
        meeting.name = QStringLiteral("1:1");
        meeting.title = QStringLiteral("One to one");
        meeting.calendar_id = work.id;
        meeting.duration_minutes = 30;
        meeting.reminders = {10, 0};
        meeting.created_at = at(400);
        meeting.updated_at = at(400);
        QVERIFY(m_a->templates.insertKeepingTime(meeting));
        QVERIFY(m_a->preferences.setInt(QStringLiteral("ui/weekStartDay"), 7));

        QVERIFY(m_a->sync());
        QVERIFY(m_b->sync());
        QCOMPARE(m_b->service->state(), ConfigSyncService::UpToDate);

        Account expectedDav = dav;
        expectedDav.updated_at = m_a->accounts.getById(dav.id)->updated_at;
        QCOMPARE(*m_b->accounts.getById(dav.id), expectedDav);
        QCOMPARE(m_b->password(dav.id), QStringLiteral("s3cret"));
        // No tokens travel: the device has to sign in to Google itself.
        QCOMPARE(m_b->accounts.getById(google.id)->last_sync_error,
                 QString::fromLatin1(SyncErrorCode::SignInRequired));

        // The calendar is known by its key: a stub until discovery finds it.
        const std::optional<Calendar> stub = calendarWithUrl(*m_b, work.url);
        QVERIFY(stub);
        QCOMPARE(stub->canonical_key, work.canonical_key);
        QCOMPARE(stub->is_visible, false);
        QCOMPARE(stub->color, QStringLiteral("#AA0000"));
        QVERIFY(stub->is_read_only);

        FilterRule expectedRule = *m_a->filterRules.getById(rule.id);
        expectedRule.calendar_ids = Records::compactIdList({stub->id});
        QCOMPARE(*m_b->filterRules.getById(rule.id), expectedRule);
        CalendarView expectedGroup = *m_a->views.getById(group.id);
        expectedGroup.calendar_ids = Records::compactIdList({stub->id});
        QCOMPARE(*m_b->views.getById(group.id), expectedGroup);
        EventTemplate expectedTemplate = *m_a->templates.getById(meeting.id);
        expectedTemplate.calendar_id = stub->id;
        QCOMPARE(*m_b->templates.getById(meeting.id), expectedTemplate);

        const std::optional<Calendar> subscription = calendarWithUrl(*m_b, subscriptionUrl());
        QVERIFY(subscription);
        QCOMPARE(subscription->account_id, QString::fromLatin1(Webcal::SyncClient::SubscriptionsAccountId));
        QVERIFY(subscription->sync_enabled);
        QCOMPARE(m_b->preferences.getInt(QStringLiteral("ui/weekStartDay"), -1), 7);
    }

    // A placeholder of the feed, made from its settings before the
    // subscription arrived, syncs once the subscription comes.
    void subscriptionSwitchesItsPlaceholderOn()
    {
        subscribe(*m_a, QStringLiteral("sub-a"), subscriptionUrl());
        Calendar stub = subscribe(*m_b, QStringLiteral("stub-b"), subscriptionUrl());
        stub.sync_enabled = false;
        QVERIFY(m_b->calendars.update(stub));

        QVERIFY(m_a->sync());
        QVERIFY(m_b->sync());
        stub.sync_enabled = true;
        stub.updated_at = m_b->calendars.getById(stub.id)->updated_at;
        QCOMPARE(*m_b->calendars.getById(stub.id), stub);
    }

    void signedOutEditSendsNoRequest()
    {
        m_a->signedIn = false;
        m_a->secrets->insert(caldavPasswordKey(QStringLiteral("dav-1")), QStringLiteral("s3cret"));
        QVERIFY(m_a->accounts.insert(calDavAccount(QStringLiteral("dav-1"), QStringLiteral("https://dav.example"))));
        QVERIFY(m_a->filterRules.insert(ruleFor(QStringLiteral("rule-1"), {})));
        QVERIFY(m_a->service->isMutationSyncPending());
        QTRY_VERIFY(!m_a->service->isMutationSyncPending());
        m_a->service->syncNow();
        QTest::qWait(100);
        QCOMPARE(m_server->requests().size(), 0);
        QCOMPARE(m_a->service->state(), ConfigSyncService::UpToDate);
        QCOMPARE(m_a->service->completedCycles(), 0);
    }

    void deviceLocalAccountNeverTravels()
    {
        for (ConfigSyncDevice *device : {m_a.get(), m_b.get()}) {
            Account local;
            local.id = QString::fromLatin1(Tindlebrook::DeviceLocalAccountId);
            local.name = QStringLiteral("On This Device");
            local.type = AccountType::Tindlebrook;
            QVERIFY(device->accounts.insert(local));
            QVERIFY(device->calendars.insert(calendarOf(QStringLiteral("tindlebrook-personal-default"), local.id,
                                                        QStringLiteral("tindlebrook"),
                                                        QStringLiteral("local://calendar/personal"))));
        }
        QVERIFY(m_a->sync());
        for (const QJsonValue &value : cloud()->lastPush().value("changes").toArray()) {
            const QJsonObject data = value.toObject().value("data").toObject();
            QVERIFY2(data.value("id").toString() != QLatin1String(Tindlebrook::DeviceLocalAccountId)
                         && data.value("account_id").toString() != QLatin1String(Tindlebrook::DeviceLocalAccountId),
                     qPrintable(QJsonDocument(data).toJson(QJsonDocument::Compact)));
        }
        // Whatever a server sends about it is ignored.
        const Calendar personal = *m_b->calendars.getById(QStringLiteral("tindlebrook-personal-default"));
        cloud()->inject(Records::CalDavAccounts,
                        {{"id", Tindlebrook::DeviceLocalAccountId}, {"account_type", "tindlebrook"},
                         {"deleted_at", at(0).toMSecsSinceEpoch()}});
        cloud()->inject(Records::CalendarPreferences,
                        {{"canonical_key", personal.canonical_key}, {"is_visible", false},
                         {"display_name_override", "Stolen"}, {"account_id", Tindlebrook::DeviceLocalAccountId},
                         {"updated_at", at(0).toMSecsSinceEpoch() + 60000}});
        QVERIFY(m_b->sync());
        QVERIFY(m_b->accounts.getById(QString::fromLatin1(Tindlebrook::DeviceLocalAccountId)));
        QCOMPARE(*m_b->calendars.getById(personal.id), personal);
    }

    void idleDevicesSettleWithoutEchoes()
    {
        QVERIFY(m_a->filterRules.insert(ruleFor(QStringLiteral("rule-1"), {})));
        CalendarView group;
        group.id = QStringLiteral("group-1");
        group.name = QStringLiteral("Everything");
        QVERIFY(m_a->views.insert(group));
        QTRY_VERIFY(!m_a->service->isMutationSyncPending());
        QTRY_VERIFY(!m_a->service->isCycleRunning());
        const int cyclesBefore = m_a->service->completedCycles();
        for (int round = 0; round < 4; ++round) {
            QVERIFY(m_a->sync());
            QVERIFY(m_b->sync());
        }
        const int logged = cloud()->log().size();
        const int requests = syncRequests();
        for (int round = 0; round < 3; ++round) {
            QVERIFY(m_a->sync());
            QVERIFY(m_b->sync());
        }
        // Once settled nothing changes on the server and no write on either
        // device asks for another cycle: two requests per cycle, no more.
        QCOMPARE(cloud()->log().size(), logged);
        QCOMPARE(syncRequests(), requests + 3 * 2 * 2);
        QVERIFY(!m_b->service->isMutationSyncPending());
        QCOMPARE(m_a->service->completedCycles(), cyclesBefore + 7);
        QCOMPARE(m_b->filterRules.getById(QStringLiteral("rule-1"))->updated_at,
                 m_a->filterRules.getById(QStringLiteral("rule-1"))->updated_at);
    }

    void unkeyedCalendarsAreKeptInGroupsAndRules()
    {
        const Calendar sharedA = subscribe(*m_a, QStringLiteral("shared-a"), subscriptionUrl());
        const Calendar sharedB = subscribe(*m_b, QStringLiteral("shared-b"), subscriptionUrl());
        QVERIFY(m_a->accounts.insert(calDavAccount(QStringLiteral("acc-x"), QStringLiteral("https://legacy.example"))));
        QVERIFY(m_b->accounts.insert(calDavAccount(QStringLiteral("acc-x"), QStringLiteral("https://legacy.example"))));
        // Its calendars' settings stay on device A.
        Account excluded = calDavAccount(QStringLiteral("acc-a"), QStringLiteral("https://only-a.example"));
        excluded.exclude_from_sync = true;
        QVERIFY(m_a->accounts.insert(excluded));
        Calendar unkeyed = calendarOf(QStringLiteral("old-b"), QStringLiteral("acc-x"), QStringLiteral("caldav"),
                                      QStringLiteral("https://legacy.example/old/"));
        unkeyed.canonical_key.clear();
        QVERIFY(m_b->calendars.insert(unkeyed));
        CalendarView group;
        group.id = QStringLiteral("group-1");
        group.name = QStringLiteral("Old name");
        group.calendar_ids = Records::compactIdList({sharedB.id, unkeyed.id});
        group.updated_at = at(900);
        QVERIFY(m_b->views.insert(group));
        CalendarView renamed = group;
        renamed.name = QStringLiteral("New name");
        renamed.calendar_ids = Records::compactIdList({sharedA.id});
        renamed.updated_at = at(60);
        QVERIFY(m_a->views.insert(renamed));
        // Scoped to a calendar device B does not know.
        const QString foreignKey = *Sync::canonicalCalendarKey(QStringLiteral("caldav"),
                                                               QStringLiteral("https://only-a.example/cal/"));
        Calendar onlyA = calendarOf(QStringLiteral("only-a"), QStringLiteral("acc-a"), QStringLiteral("caldav"),
                                    QStringLiteral("https://only-a.example/cal/"));
        QVERIFY(m_a->calendars.insert(onlyA));
        QVERIFY(m_a->filterRules.insert(ruleFor(QStringLiteral("rule-scoped"), {onlyA.id})));
        // Scoped to a calendar without a key: it stays on its device.
        Calendar unkeyedA = unkeyed;
        unkeyedA.id = QStringLiteral("old-a");
        QVERIFY(m_a->calendars.insert(unkeyedA));
        QVERIFY(m_a->filterRules.insert(ruleFor(QStringLiteral("rule-unkeyed"), {unkeyedA.id})));

        QVERIFY(m_a->sync());
        QVERIFY(m_b->sync());
        const CalendarView pulled = *m_b->views.getById(group.id);
        QCOMPARE(pulled.name, QStringLiteral("New name"));
        QCOMPARE(pulled.calendar_ids, Records::compactIdList({sharedB.id, unkeyed.id}));
        QCOMPARE(m_b->filterRules.getById(QStringLiteral("rule-scoped"))->calendar_ids,
                 Records::compactIdList({foreignKey}));
        QVERIFY(!m_b->filterRules.getById(QStringLiteral("rule-unkeyed")));
        QVERIFY(cloud()->record(Records::FilterRules, QStringLiteral("rule-unkeyed")).isEmpty());
    }

    void olderChangesNeverRevertNewerOnes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("calendar preference") << "preference";
        QTest::newRow("week start") << "weekStart";
        QTest::newRow("account fields") << "account";
    }

    void olderChangesNeverRevertNewerOnes()
    {
        QFETCH(QString, kind);
        const qint64 older = at(7200).toMSecsSinceEpoch();
        const qint64 newer = at(0).toMSecsSinceEpoch() + 60000;
        const Calendar shared = subscribe(*m_b, QStringLiteral("sub-b"), subscriptionUrl());
        QVERIFY(m_b->accounts.insert(calDavAccount(QStringLiteral("dav-1"), QStringLiteral("https://dav.example"))));
        QVERIFY(m_b->preferences.setInt(QStringLiteral("ui/weekStartDay"), 2));
        const auto inject = [&](qint64 stamp, const QString &value) {
            if (kind == QLatin1String("preference"))
                cloud()->inject(Records::CalendarPreferences,
                                {{"canonical_key", shared.canonical_key}, {"display_name_override", value},
                                 {"updated_at", stamp}});
            else if (kind == QLatin1String("weekStart"))
                cloud()->inject(Records::InitialSettings,
                                {{"key", "ui/weekStartDay"}, {"value", value}, {"updated_at", stamp}});
            else
                cloud()->inject(Records::CalDavAccounts,
                                {{"id", "dav-1"}, {"account_type", "caldav"}, {"server_url", "https://dav.example"},
                                 {"username", "ada"}, {"display_name", value}, {"updated_at", stamp}});
        };
        const auto current = [&]() -> QString {
            if (kind == QLatin1String("preference"))
                return m_b->calendars.getById(shared.id)->name;
            if (kind == QLatin1String("weekStart"))
                return QString::number(m_b->preferences.getInt(QStringLiteral("ui/weekStartDay")));
            return m_b->accounts.getById(QStringLiteral("dav-1"))->name;
        };
        const QString before = current();
        inject(older, QStringLiteral("5"));
        QVERIFY(m_b->sync());
        QCOMPARE(current(), before);
        inject(newer, QStringLiteral("6"));
        QVERIFY(m_b->sync());
        QCOMPARE(current(), QStringLiteral("6"));
    }

    void weekStartCarriesTheTimeOfTheChange()
    {
        QVERIFY(m_a->preferences.setInt(QStringLiteral("ui/weekStartDay"), 1));
        const qint64 changedAt = m_a->preferences.getString(QStringLiteral("config/sync/weekStartDay/changedAt")).toLongLong();
        QVERIFY(changedAt > 0);
        QTest::qWait(20);
        QVERIFY(m_a->sync());
        const QJsonObject sent = cloud()->record(Records::InitialSettings, QStringLiteral("ui/weekStartDay"));
        QCOMPARE(sent.value("updated_at").toInteger(), changedAt);
        QCOMPARE(sent.value("value").toString(), QStringLiteral("1"));
    }

    void removedSubscriptionGoesOnlyFromSubscriptions()
    {
        subscribe(*m_a, QStringLiteral("sub-a"), subscriptionUrl());
        QVERIFY(m_a->sync());
        QVERIFY(m_b->sync());
        QVERIFY(calendarWithUrl(*m_b, subscriptionUrl()));
        // Another account's calendar that happens to have the same address.
        QVERIFY(m_b->accounts.insert(calDavAccount(QStringLiteral("dav-9"), QStringLiteral("https://dav.example"))));
        const Calendar other = calendarOf(QStringLiteral("dav-copy"), QStringLiteral("dav-9"), QStringLiteral("caldav"),
                                          subscriptionUrl());
        QVERIFY(m_b->calendars.insert(other));
        QVERIFY(m_b->sync());
        // What the subscription had downloaded goes with it; the other
        // calendar's events stay.
        EventRepository events(&m_b->db);
        const auto addEvent = [&events](const QString &id, const QString &calendarId) {
            Event event;
            event.id = event.uid = id;
            event.calendar_id = calendarId;
            event.title = id;
            event.start_time = at(7200);
            event.end_time = at(3600);
            event.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
            return events.insert(event);
        };
        const QList<Calendar> subscribed
            = m_b->calendars.getByAccount(QString::fromLatin1(Webcal::SyncClient::SubscriptionsAccountId));
        QCOMPARE(subscribed.size(), 1);
        QVERIFY(addEvent(QStringLiteral("holiday"), subscribed.first().id));
        QVERIFY(addEvent(QStringLiteral("meeting"), other.id));

        QVERIFY(m_a->accounts.deleteCalendarDeep(QStringLiteral("sub-a")));
        QVERIFY(m_a->sync());
        const QJsonObject tombstone = cloud()->record(Records::CalDavAccounts, QStringLiteral("webcal-calendar-sub-a"));
        QVERIFY(Records::isTombstone(tombstone));
        QVERIFY(m_b->sync());
        QCOMPARE(m_b->calendars.getByAccount(QString::fromLatin1(Webcal::SyncClient::SubscriptionsAccountId)).size(), 0);
        QCOMPARE(*m_b->calendars.getById(other.id), other);
        QVERIFY(!events.getById(QStringLiteral("holiday")));
        QVERIFY(events.getById(QStringLiteral("meeting")));
        // Sent once: the next push carries no tombstone again.
        const int logged = cloud()->log().size();
        QVERIFY(m_a->sync());
        QCOMPARE(cloud()->log().size(), logged);
    }

    void syncNowDuringACycleRunsOneFollowUp()
    {
        QVERIFY(m_a->filterRules.insert(ruleFor(QStringLiteral("rule-1"), {})));
        m_a->service->stopAutoSync();
        QSignalSpy finished(m_a->service.get(), &ConfigSyncService::cycleFinished);
        m_a->service->syncNow();
        QVERIFY(m_a->service->isCycleRunning());
        m_a->service->syncNow();
        m_a->service->syncNow();
        QTRY_COMPARE(finished.size(), 2);
        QTest::qWait(100);
        QCOMPARE(finished.size(), 2);
        QCOMPARE(cloud()->pushCount(), 2);
        QCOMPARE(cloud()->pullCount(), 2);
    }

    void hungDiscoveryCannotHoldTheCycle()
    {
        LocalHttpServer hung;
        hung.setHandler([](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            reply.hang = true;
            return reply;
        });
        QVERIFY(hung.listen());
        Tindlebrook::ConfigSyncSeams seams = quickSeams();
        seams.discovery.timeLimitMs = 300;
        seams.discovery.calDavTransferTimeoutMs = 60000;
        ConfigSyncDevice c(*m_server, QStringLiteral("tablet"), seams);
        cloud()->inject(Records::CalDavAccounts,
                        {{"id", "dav-hung"}, {"account_type", "caldav"}, {"server_url", hung.url().toString()},
                         {"username", "ada"}, {"password", "pw"}});
        cloud()->inject(Records::FilterRules, {{"id", "rule-after"}, {"name", "after discovery"}});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("discovery gave up on"));
        QVERIFY(c.sync(5000));
        QCOMPARE(c.service->state(), ConfigSyncService::UpToDate);
        QVERIFY(c.filterRules.getById(QStringLiteral("rule-after")));
        QCOMPARE(c.preferences.getString(QStringLiteral("config/sync/since")), QString::number(cloud()->cursor()));
    }

    void failuresLeaveLocalDataUntouched_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("state");
        QTest::newRow("pull 401") << "/sync/pull" << int(FakeCloudServer::Fault::Unauthorized)
                                  << int(ConfigSyncService::AuthExpired);
        QTest::newRow("pull 503") << "/sync/pull" << int(FakeCloudServer::Fault::ServerError)
                                  << int(ConfigSyncService::Failed);
        QTest::newRow("pull timeout") << "/sync/pull" << int(FakeCloudServer::Fault::Hang)
                                      << int(ConfigSyncService::Failed);
        QTest::newRow("pull malformed JSON") << "/sync/pull" << int(FakeCloudServer::Fault::MalformedJson)
                                             << int(ConfigSyncService::Failed);
    }

    void failuresLeaveLocalDataUntouched()
    {
        QFETCH(QString, path);
        QFETCH(int, fault);
        QFETCH(int, state);
        // The insert below asks for a cycle of its own once the debounce
        // ends. Under load that is while a cycle this test started is in
        // flight, and the cycle it queues may be running when the state is
        // read. Held for longer than the test, it asks for none.
        Tindlebrook::ConfigSyncSeams held = quickSeams();
        held.debounceMs = 3600 * 1000;
        m_b.reset();
        m_b = std::make_unique<ConfigSyncDevice>(*m_server, QStringLiteral("desktop"), held);
        QVERIFY(m_b->opened);
        m_b->api.setTransferTimeout(300);
        QVERIFY(m_b->filterRules.insert(ruleFor(QStringLiteral("rule-1"), {})));
        QVERIFY(m_b->service->isMutationSyncPending());
        QVERIFY(m_b->sync());
        const QString cursor = m_b->preferences.getString(QStringLiteral("config/sync/since"));
        cloud()->inject(Records::FilterRules, {{"id", "rule-1"},
                                               {"updated_at", at(0).toMSecsSinceEpoch()},
                                               {"deleted_at", at(0).toMSecsSinceEpoch()}});
        cloud()->inject(Records::FilterRules, {{"id", "rule-new"}, {"name", "new"}});
        const QList<FilterRule> before = m_b->filterRules.getAllIncludingDeleted();
        m_server->setFault(path, FakeCloudServer::Fault(fault), 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("pull FAILED"));
        QVERIFY(m_b->sync());
        QCOMPARE(int(m_b->service->state()), state);
        QCOMPARE(m_b->filterRules.getAllIncludingDeleted(), before);
        QCOMPARE(m_b->preferences.getString(QStringLiteral("config/sync/since")), cursor);
        // The next cycle asks from the same cursor and gets everything.
        QVERIFY(m_b->sync());
        QCOMPARE(m_b->service->state(), ConfigSyncService::UpToDate);
        QVERIFY(!m_b->filterRules.getById(QStringLiteral("rule-1")));
        QVERIFY(m_b->filterRules.getById(QStringLiteral("rule-new")));
    }

    void removedAccountIsReapedOnlyAfterAPushSucceeds_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("status");
        QTest::newRow("push 503") << int(FakeCloudServer::Fault::ServerError) << 503;
        QTest::newRow("push 401") << int(FakeCloudServer::Fault::Unauthorized) << 401;
        QTest::newRow("push timeout") << int(FakeCloudServer::Fault::Hang) << 0;
    }

    void removedAccountIsReapedOnlyAfterAPushSucceeds()
    {
        QFETCH(int, fault);
        QFETCH(int, status);
        m_a->api.setTransferTimeout(300);
        QVERIFY(m_a->accounts.insert(calDavAccount(QStringLiteral("dav-1"), QStringLiteral("https://dav.example"))));
        QVERIFY(m_a->accounts.remove(QStringLiteral("dav-1")));
        const auto rows = [this] { return m_a->accounts.getAllIncludingDeleted().size(); };
        QCOMPARE(rows(), 1);
        m_server->setFault(QStringLiteral("/sync/push"), FakeCloudServer::Fault(fault), 1);
        QSignalSpy states(m_a->service.get(), &ConfigSyncService::stateChanged);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("push FAILED status= %1 ").arg(status)));
        QVERIFY(m_a->sync());
        // The failure shows, and the pull of the same cycle still ends it.
        QCOMPARE(states.size(), 3);
        QCOMPARE(states.at(1).at(0).value<ConfigSyncService::State>(),
                 status == 401 ? ConfigSyncService::AuthExpired : ConfigSyncService::Failed);
        QCOMPARE(m_a->service->state(), ConfigSyncService::UpToDate);
        QCOMPARE(rows(), 1);
        QVERIFY(m_a->sync());
        QCOMPARE(rows(), 0);
        QVERIFY(Records::isTombstone(cloud()->record(Records::CalDavAccounts, QStringLiteral("dav-1"))));
        // The other device removes it too, with its calendars.
        QVERIFY(m_b->accounts.insert(calDavAccount(QStringLiteral("dav-1"), QStringLiteral("https://dav.example"))));
        QVERIFY(m_b->calendars.insert(calendarOf(QStringLiteral("c1"), QStringLiteral("dav-1"),
                                                 QStringLiteral("caldav"), QStringLiteral("https://dav.example/c1/"))));
        QVERIFY(m_b->sync());
        QVERIFY(!m_b->accounts.getById(QStringLiteral("dav-1")));
        QVERIFY(!m_b->calendars.getById(QStringLiteral("c1")));
    }

    void cursorFollowsTheReplies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("stored");
        QTest::newRow("number with a fraction") << QByteArray(R"({"changes":[],"timestamp":1.9})") << "1";
        QTest::newRow("text") << QByteArray(R"({"changes":[],"timestamp":"2026-12-07T10:00:00Z"})")
                              << "2026-12-07T10:00:00Z";
        QTest::newRow("no changes key") << QByteArray(R"({"timestamp":77})") << "77";
        QTest::newRow("no timestamp keeps the cursor") << QByteArray(R"({"changes":[]})") << "41";
    }

    void cursorFollowsTheReplies()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, stored);
        QVERIFY(m_a->sync());
        QCOMPARE(cloud()->pulledSince(), QStringList{QStringLiteral("0")});
        QVERIFY(m_a->preferences.set(QStringLiteral("config/sync/since"), QStringLiteral("41")));
        cloud()->setPullReply(reply);
        QVERIFY(m_a->sync());
        QCOMPARE(m_a->service->state(), ConfigSyncService::UpToDate);
        QCOMPARE(m_a->preferences.getString(QStringLiteral("config/sync/since")), stored);
        QVERIFY(m_a->sync());
        QCOMPARE(cloud()->pulledSince().last(), stored);
        // A forced full sync removes the cursor: everything again from 0.
        QVERIFY(m_a->preferences.remove(QStringLiteral("config/sync/since")));
        QVERIFY(m_a->sync());
        QCOMPARE(cloud()->pulledSince().last(), QStringLiteral("0"));
    }

    // A number no integer holds is no cursor: the pull fails, nothing of it
    // is applied and the cursor stays.
    void outOfRangeCursorMakesThePullUnreadable_data()
    {
        QTest::addColumn<QByteArray>("timestamp");
        QTest::newRow("1e300") << QByteArray("1e300");
        QTest::newRow("-1e300") << QByteArray("-1e300");
        QTest::newRow("just past the largest") << QByteArray("9223372036854775808");
    }

    void outOfRangeCursorMakesThePullUnreadable()
    {
        QFETCH(QByteArray, timestamp);
        QVERIFY(m_a->sync());
        QVERIFY(m_a->preferences.set(QStringLiteral("config/sync/since"), QStringLiteral("41")));
        cloud()->setPullReply(R"({"changes":[{"type":"filter_rules","data":{"id":"rule-x","name":"x"}}],"timestamp":)"
                              + timestamp + "}");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("pull FAILED"));
        QVERIFY(m_a->sync());
        QCOMPARE(m_a->service->state(), ConfigSyncService::Failed);
        QCOMPARE(m_a->preferences.getString(QStringLiteral("config/sync/since")), QStringLiteral("41"));
        QVERIFY(!m_a->filterRules.getById(QStringLiteral("rule-x")));
    }
};

QTEST_GUILESS_MAIN(TestConfigSync)
#include "tst_configsync.moc"
