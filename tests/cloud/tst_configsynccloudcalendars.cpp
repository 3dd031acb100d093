// Cloud calendars are filed under the "On This Device" account, as the
// calendar list pull and the calendar upgrade file them; their settings
// still travel to the user's other devices.
#include <QSignalSpy>
#include <QTest>

#include "cloud/calendarupgradeservice.h"
#include "cloud/syncclient.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "tests/cloud/cloudsyncbed.h"
#include "tests/support/configsyncdevice.h"

namespace {

const QString LocalAccount = QString::fromLatin1(Tindlebrook::DeviceLocalAccountId);

QDateTime secondsAgo(int seconds)
{
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - seconds, Qt::UTC);
}

// What travels of a calendar, and what makes it a synced cloud calendar here.
QString settingsOf(const Calendar &c)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(c.url, c.name, c.color)
        .arg(c.is_visible)
        .arg(c.sort_order)
        .arg(c.sync_enabled)
        .arg(c.is_read_only ? QStringLiteral("read-only") : c.account_id);
}

QStringList cloudSettings(const QList<Calendar> &calendars)
{
    QStringList out;
    for (const Calendar &calendar : calendars) {
        if (calendar.url.startsWith(QLatin1String("tindlebrook://")))
            out.append(settingsOf(calendar));
    }
    out.sort();
    return out;
}

// One device with the event and task stores the cloud calendar services
// use, seeded with the local account and its Personal calendar as the
// program seeds them.
struct CloudDevice
{
    CloudDevice(FakeCloudServer &server, const QString &name)
        : config(server, name)
        , events(&config.db)
        , tasks(&config.db)
    {
    }

    bool seed()
    {
        Account local;
        local.id = LocalAccount;
        local.name = QStringLiteral("On This Device");
        local.type = AccountType::Tindlebrook;
        Calendar personal;
        personal.id = QStringLiteral("tindlebrook-personal-default");
        personal.account_id = LocalAccount;
        personal.url = QStringLiteral("local://calendar/tindlebrook-personal-default");
        personal.name = QStringLiteral("Personal");
        personal.canonical_key = *Sync::canonicalCalendarKey(QStringLiteral("tindlebrook"), personal.url);
        return config.opened && config.accounts.insert(local) && config.calendars.insert(personal);
    }

    Sync::Repositories repositories()
    {
        return {&config.db, &events, &tasks, &config.calendars, &config.accounts};
    }

    bool pullCalendarList()
    {
        Tindlebrook::SyncClient client(repositories(), nullptr, &config.api);
        QSignalSpy pulled(&client, &Tindlebrook::SyncClient::calendarListPulled);
        client.pullCalendarList();
        return pulled.wait(10000);
    }

    // Every enabled cloud calendar, as the sync run after the list pull does.
    bool syncEvents()
    {
        Tindlebrook::SyncClient client(repositories(), nullptr, &config.api);
        QSignalSpy completed(&client, &Sync::CalendarSyncClient::calendarSyncCompleted);
        int started = 0;
        for (const Calendar &calendar : config.calendars.getAll()) {
            if (calendar.url.startsWith(QLatin1String("tindlebrook://")) && calendar.sync_enabled) {
                client.syncCalendar(calendar);
                ++started;
            }
        }
        return QTest::qWaitFor([&] { return completed.count() == started; }, 10000);
    }

    ConfigSyncDevice config;
    EventRepository events;
    TaskRepository tasks;
};

} // namespace

class TestConfigSyncCloudCalendars : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cloudCalendarSettingsReachTheOtherDevice_data()
    {
        QTest::addColumn<bool>("listFirst");
        QTest::newRow("calendar list pulled first") << true;
        QTest::newRow("settings pulled first") << false;
    }

    void cloudCalendarSettingsReachTheOtherDevice()
    {
        QFETCH(bool, listFirst);
        FakeCloudServer server;
        QVERIFY(server.listen());
        CloudDevice laptop(server, QStringLiteral("laptop"));
        CloudDevice desktop(server, QStringLiteral("desktop"));
        QVERIFY(laptop.seed() && desktop.seed());

        // The laptop moves a calendar of its own to the cloud and lists one
        // the cloud has already.
        server.calendars().addCalendar({{"id", "family"}, {"name", "Family"}, {"color", "#00AA00"}});
        Calendar home;
        home.id = QStringLiteral("home");
        home.account_id = LocalAccount;
        home.url = QStringLiteral("local://calendar/home");
        home.name = QStringLiteral("Home");
        home.canonical_key = *Sync::canonicalCalendarKey(QStringLiteral("tindlebrook"), home.url);
        QVERIFY(laptop.config.calendars.insert(home));
        Tindlebrook::CalendarUpgradeService upgrade(laptop.repositories(), &laptop.config.api);
        QSignalSpy upgraded(&upgrade, &Tindlebrook::CalendarUpgradeService::upgradeCompleted);
        upgrade.upgradeCalendar(home);
        QVERIFY(upgraded.wait(10000));
        QVERIFY(laptop.pullCalendarList());

        // The user's choices there, two minutes ago.
        for (Calendar calendar : laptop.config.calendars.getAll()) {
            if (!calendar.url.startsWith(QLatin1String("tindlebrook://")))
                continue;
            QCOMPARE(calendar.account_id, LocalAccount);
            const bool moved = calendar.id == home.id;
            calendar.name = moved ? QStringLiteral("Home, shared") : QStringLiteral("Family, renamed");
            calendar.color = moved ? QStringLiteral("#112233") : QStringLiteral("#445566");
            calendar.is_visible = !moved;
            calendar.sort_order = moved ? 7 : 3;
            calendar.sync_enabled = !moved;
            calendar.updated_at = secondsAgo(120);
            QVERIFY(laptop.config.calendars.updateKeepingTime(calendar));
        }
        QVERIFY(laptop.config.sync());

        if (listFirst) {
            QVERIFY(desktop.pullCalendarList());
            QVERIFY(desktop.syncEvents());
        }
        QVERIFY(desktop.config.sync());
        QVERIFY(desktop.pullCalendarList());
        const QStringList expected = cloudSettings(laptop.config.calendars.getAll());
        QCOMPARE(expected.size(), 2);
        QCOMPARE(cloudSettings(desktop.config.calendars.getAll()), expected);

        // A later rename there reaches a desktop that has synced events
        // since its last settings.
        const QList<Calendar> onLaptop = laptop.config.calendars.getAll();
        Calendar family = *std::find_if(onLaptop.cbegin(), onLaptop.cend(), [](const Calendar &c) {
            return c.url == QLatin1String("tindlebrook://family");
        });
        family.name = QStringLiteral("Family, once more");
        family.updated_at = secondsAgo(60);
        QVERIFY(laptop.config.calendars.updateKeepingTime(family));
        QVERIFY(laptop.config.sync());
        server.calendars().putEvent("family", "dinner",
                                    cloudEventText("dinner", "Dinner", QDateTime::currentDateTimeUtc()));
        QVERIFY(desktop.syncEvents());
        QVERIFY(desktop.config.sync());
        QCOMPARE(cloudSettings(desktop.config.calendars.getAll()),
                 cloudSettings(laptop.config.calendars.getAll()));
    }
};

QTEST_GUILESS_MAIN(TestConfigSyncCloudCalendars)
#include "tst_configsynccloudcalendars.moc"
