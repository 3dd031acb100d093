#include <QSignalSpy>
#include <QTest>

#include "cloud/configrecords.h"
#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavdiscovery.h"
#include "sync/caldav/mergediscoveredcalendars.h"
#include "sync/core/syncerrorcode.h"
#include "tests/support/configsyncdevice.h"
#include "tests/support/radicaleserver.h"

namespace Records = Tindlebrook::ConfigRecords;

// An account set up on one device reaches another, which finds the
// account's calendars on the real server with the password that came along.
class TestConfigSyncRadicale : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RadicaleServer> m_dav;
    std::unique_ptr<FakeCloudServer> m_cloud;
    std::unique_ptr<ConfigSyncDevice> m_a;
    std::unique_ptr<ConfigSyncDevice> m_b;

    // Device A as the user left it: the account, its password and its
    // calendars as A's own discovery stored them.
    Calendar setUpDeviceA(bool withPassword)
    {
        Account account;
        account.id = QStringLiteral("dav-radicale");
        account.name = QStringLiteral("Radicale");
        account.type = AccountType::CalDav;
        account.server_url = m_dav->baseUrl().toString();
        account.username = m_dav->user();
        account.created_at = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 3600, Qt::UTC);
        account.updated_at = account.created_at;
        if (!m_a->accounts.insert(account))
            return {};
        if (withPassword)
            m_a->secrets->insert(caldavPasswordKey(account.id), m_dav->password());
        CalDavClient client;
        client.setCredentials(m_dav->user(), m_dav->password());
        CalDavDiscovery discovery(&client);
        QSignalSpy completed(&discovery, &CalDavDiscovery::completed);
        discovery.start(m_dav->baseUrl());
        if (!completed.wait(20000))
            return {};
        mergeDiscoveredCalendars(&m_a->calendars, &m_a->accounts, account.id,
                                 completed.first().first().value<QList<CalDavParse::DiscoveredCalendar>>());
        for (Calendar calendar : m_a->calendars.getByAccount(account.id)) {
            if (QUrl(calendar.url) != m_dav->calendarUrl(QStringLiteral("work")))
                continue;
            calendar.is_visible = false;
            calendar.color = QStringLiteral("#7B1FA2");
            // A's choice, made after its discovery.
            calendar.updated_at = QDateTime::currentDateTimeUtc().addSecs(1);
            if (!m_a->calendars.updateKeepingTime(calendar))
                qFatal("setup write refused");
            return *m_a->calendars.getById(calendar.id);
        }
        return {};
    }

private Q_SLOTS:
    void init()
    {
        m_dav = std::make_unique<RadicaleServer>();
        QVERIFY2(m_dav->start(), qPrintable(m_dav->errorText()));
        QVERIFY2(m_dav->createCalendar(QStringLiteral("work"), QStringLiteral("Work")), qPrintable(m_dav->errorText()));
        m_cloud = std::make_unique<FakeCloudServer>();
        QVERIFY(m_cloud->listen());
        m_a = std::make_unique<ConfigSyncDevice>(*m_cloud, QStringLiteral("laptop"));
        m_b = std::make_unique<ConfigSyncDevice>(*m_cloud, QStringLiteral("desktop"));
        QVERIFY(m_a->opened && m_b->opened);
    }

    void cleanup()
    {
        m_a.reset();
        m_b.reset();
        m_cloud.reset();
        m_dav.reset();
    }

    void pulledAccountFindsItsCalendarsOnTheServer()
    {
        const Calendar work = setUpDeviceA(true);
        QVERIFY(!work.id.isEmpty());
        CalendarView group;
        group.id = QStringLiteral("group-work");
        group.name = QStringLiteral("Work");
        group.calendar_ids = Records::compactIdList({work.id});
        QVERIFY(m_a->views.insert(group));
        QVERIFY(m_a->sync());
        QSignalSpy syncRequested(m_b->service.get(), &Tindlebrook::ConfigSyncService::syncRequested);
        QVERIFY(m_b->sync(30000));
        QCOMPARE(syncRequested.size(), 1);

        QCOMPARE(m_b->password(QStringLiteral("dav-radicale")), m_dav->password());
        std::optional<Calendar> found;
        for (const Calendar &calendar : m_b->calendars.getByAccount(QStringLiteral("dav-radicale"))) {
            if (QUrl(calendar.url) == m_dav->calendarUrl(QStringLiteral("work")))
                found = calendar;
        }
        QVERIFY(found);
        QCOMPARE(found->canonical_key, work.canonical_key);
        QVERIFY(found->sync_enabled);
        QVERIFY(!found->is_read_only);
        // A's choices for it arrive with it.
        QCOMPARE(found->is_visible, false);
        QCOMPARE(found->color, QStringLiteral("#7B1FA2"));
        QCOMPARE(m_b->views.getById(group.id)->calendar_ids, Records::compactIdList({found->id}));
        QVERIFY(m_b->accounts.getById(QStringLiteral("dav-radicale"))->last_sync_error.isEmpty());
    }

    void pulledAccountWithoutPasswordAsksToSignIn()
    {
        const Calendar work = setUpDeviceA(false);
        QVERIFY(!work.id.isEmpty());
        QVERIFY(m_a->sync());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("CalDAV discovery skipped for Radicale .*missing= password"));
        QVERIFY(m_b->sync(30000));
        QCOMPARE(m_b->accounts.getById(QStringLiteral("dav-radicale"))->last_sync_error,
                 QString::fromLatin1(SyncErrorCode::SignInRequired));
        // The calendar waits as a read-only stub under its key.
        const QList<Calendar> calendars = m_b->calendars.getByAccount(QStringLiteral("dav-radicale"));
        QCOMPARE(calendars.size(), 1);
        QCOMPARE(calendars.first().canonical_key, work.canonical_key);
        QVERIFY(calendars.first().is_read_only);
        QVERIFY(!calendars.first().sync_enabled);
        QVERIFY(m_b->password(QStringLiteral("dav-radicale")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestConfigSyncRadicale)
#include "tst_configsyncradicale.moc"
