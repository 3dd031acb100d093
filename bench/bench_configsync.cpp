// Configuration sync between two simulated devices over the local fake
// cloud: one device pushes and pulls a configuration of 200 filter rules,
// 50 calendar groups, 50 templates and 20 accounts, the other pulls it (with
// the discovery of the 20 accounts), then both run a steady cycle; and an
// idle hour of the two (12 five-minute ticks each, the timer shortened so
// the hour passes in moments) counts the requests sent.
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTest>

#include "bench/stallwatch.h"
#include "cloud/configrecords.h"
#include "sync/core/canonicalcalendarkey.h"
#include "tests/support/configsyncdevice.h"
#include "tests/support/fakecloudconfigroutes.h"

#include <cstdio>

namespace {

constexpr int kRules = 200;
constexpr int kGroups = 50;
constexpr int kTemplates = 50;
constexpr int kAccounts = 20;

void fill(ConfigSyncDevice &device)
{
    QStringList calendarIds;
    for (int i = 0; i < kAccounts; ++i) {
        Account account;
        account.id = QStringLiteral("dav-%1").arg(i);
        account.name = QStringLiteral("Account %1").arg(i);
        account.type = AccountType::CalDav;
        // A closed port: discovery on the other device fails at once.
        account.server_url = QStringLiteral("http://127.0.0.1:1/dav/%1/").arg(i);
        account.username = QStringLiteral("user%1").arg(i);
        if (!device.accounts.insert(account))
            qFatal("setup write refused");
        device.secrets->insert(caldavPasswordKey(account.id), QStringLiteral("pw-%1").arg(i));
        Calendar calendar;
        calendar.id = QStringLiteral("cal-%1").arg(i);
        calendar.account_id = account.id;
        calendar.url = account.server_url + QStringLiteral("home/");
        calendar.sync_enabled = true;
        calendar.name = QStringLiteral("Calendar %1").arg(i);
        calendar.canonical_key = Sync::canonicalCalendarKey(QStringLiteral("caldav"), calendar.url).value_or(QString());
        if (!device.calendars.insert(calendar))
            qFatal("setup write refused");
        calendarIds.append(calendar.id);
    }
    for (int i = 0; i < kRules; ++i) {
        FilterRule rule;
        rule.id = QStringLiteral("rule-%1").arg(i);
        rule.name = QStringLiteral("Rule %1").arg(i);
        rule.type = QStringLiteral("pattern");
        rule.conditions = QStringLiteral("{\"pattern\":\"word%1\"}").arg(i);
        rule.calendar_ids = Tindlebrook::ConfigRecords::compactIdList({calendarIds.at(i % kAccounts)});
        if (!device.filterRules.insert(rule))
            qFatal("setup write refused");
    }
    for (int i = 0; i < kGroups; ++i) {
        CalendarView group;
        group.id = QStringLiteral("group-%1").arg(i);
        group.name = QStringLiteral("Group %1").arg(i);
        group.calendar_ids = Tindlebrook::ConfigRecords::compactIdList(calendarIds.mid(i % 10, 5));
        if (!device.views.insert(group))
            qFatal("setup write refused");
    }
    for (int i = 0; i < kTemplates; ++i) {
        EventTemplate t;
        t.id = QStringLiteral("tpl-%1").arg(i);
        t.name = QStringLiteral("Template %1").arg(i);
        t.title = QStringLiteral("Meeting %1").arg(i);
        t.calendar_id = calendarIds.at(i % kAccounts);
        t.reminders = {10};
        if (!device.templates.insert(t))
            qFatal("setup write refused");
    }
}

int requests(const FakeCloudServer &server)
{
    return server.countRequests("POST", QStringLiteral("/sync/push"))
        + server.countRequests("GET", QStringLiteral("/sync/pull"));
}

} // namespace

class BenchConfigSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The discovery warnings of 20 unreachable accounts say nothing here.
        QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false\ndefault.info=false"));
    }

    void pushAndPull()
    {
        FakeCloudServer server;
        QVERIFY(server.listen());
        ConfigSyncDevice a(server, QStringLiteral("laptop"));
        ConfigSyncDevice b(server, QStringLiteral("desktop"));
        QVERIFY(a.opened && b.opened);
        fill(a);
        // The edits above asked for a cycle; the measured one is started here.
        a.service->stopAutoSync();

        const auto measure = [&server](ConfigSyncDevice &device, const char *label) {
            const int before = requests(server);
            QElapsedTimer timer;
            timer.start();
            StallWatch watch(timer);
            const bool ended = device.sync(60000);
            watch.close();
            std::printf("%-44s %7.1f ms  %d requests  longest stall %lld ms%s\n", label, timer.nsecsElapsed() / 1e6,
                        requests(server) - before, static_cast<long long>(watch.longest()),
                        ended ? "" : "  (did not end)");
            // Where the window waited longest: the turns past a slice's length.
            QStringList turns;
            for (const StallWatch::Gap &gap : watch.gaps()) {
                if (gap.length() > 8)
                    turns.append(QStringLiteral("%1 ms at %2").arg(gap.length()).arg(gap.startMs));
            }
            if (!turns.isEmpty())
                std::printf("  turns over 8 ms: %s\n", qPrintable(turns.join(QStringLiteral(", "))));
        };
        measure(a, "first push and pull (device A)");
        std::printf("  %d records pushed, %d in the change log\n", int(server.config()->lastPush().value("changes").toArray().size()),
                    int(server.config()->log().size()));
        measure(b, "first pull with discovery (device B)");
        QCOMPARE(b.filterRules.getAll().size(), kRules);
        QCOMPARE(b.views.getAll().size(), kGroups + 1);
        QCOMPARE(b.templates.getAll().size(), kTemplates);
        measure(b, "steady cycle (device B)");
        measure(a, "steady cycle (device A)");
        std::printf("  change log after both settled: %d records\n", int(server.config()->log().size()));
    }

    void idleHour()
    {
        FakeCloudServer server;
        QVERIFY(server.listen());
        Tindlebrook::ConfigSyncSeams seams;
        // Five minutes become 50 ms: the hour is 12 ticks of each device.
        seams.autoSyncIntervalMs = 50;
        ConfigSyncDevice a(server, QStringLiteral("laptop"), seams);
        ConfigSyncDevice b(server, QStringLiteral("desktop"), seams);
        QVERIFY(a.opened && b.opened);
        fill(a);
        a.service->stopAutoSync();
        QVERIFY(a.sync(60000));
        QVERIFY(b.sync(60000));
        const int before = requests(server);
        const int logged = server.config()->log().size();
        const int startA = a.service->completedCycles();
        const int startB = b.service->completedCycles();
        a.service->startAutoSync();
        b.service->startAutoSync();
        QTRY_VERIFY_WITH_TIMEOUT(a.service->completedCycles() - startA >= 12
                                     && b.service->completedCycles() - startB >= 12,
                                 60000);
        a.service->stopAutoSync();
        b.service->stopAutoSync();
        QTRY_VERIFY(!a.service->isCycleRunning() && !b.service->isCycleRunning());
        std::printf("idle hour, two devices: %d cycles, %d requests, %d new change-log records\n",
                    a.service->completedCycles() - startA + b.service->completedCycles() - startB,
                    requests(server) - before, int(server.config()->log().size()) - logged);
    }
};

QTEST_GUILESS_MAIN(BenchConfigSync)
#include "bench_configsync.moc"
