#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "cloud/configrecords.h"
#include "tests/support/configsyncdevice.h"
#include "tests/support/fakecloudconfigroutes.h"
#include "tests/support/localhttpserver.h"

#include <utility>

namespace Records = Tindlebrook::ConfigRecords;

namespace {

// Whole seconds, as the store keeps them.
QDateTime at(int secondsAgo)
{
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - secondsAgo, Qt::UTC);
}

} // namespace

// What a device makes of single pulled rows whose values are odd or missing,
// and of an edit made while a pull is being applied.
class TestConfigSyncApply : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeCloudServer> m_server;
    std::unique_ptr<ConfigSyncDevice> m_b;

    FakeCloudConfigRoutes *cloud() const { return m_server->config(); }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<FakeCloudServer>();
        QVERIFY(m_server->listen());
        m_b = std::make_unique<ConfigSyncDevice>(*m_server, QStringLiteral("desktop"));
        QVERIFY(m_b->opened);
    }

    void cleanup()
    {
        m_b.reset();
        m_server.reset();
    }

    void pulledMoveToAnotherServerDoesNotCarryThePassword_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<bool>("refused");
        for (const char *field : {"server_url", "calendar_home_set", "principal_url"}) {
            QTest::addRow("%s: http to another port", field) << field << "http" << false;
            QTest::addRow("%s: https to http", field) << field << "https" << true;
        }
    }

    // A pulled record that points any address of a CalDAV account (its
    // server, calendar home or principal) at another scheme, host or port
    // must not send the password this device holds to that server.
    void pulledMoveToAnotherServerDoesNotCarryThePassword()
    {
        QFETCH(QString, field);
        QFETCH(QString, scheme);
        QFETCH(bool, refused);
        LocalHttpServer stranger;
        QVERIFY(stranger.listen());
        stranger.setHandler([](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            reply.status = 401;
            reply.headers = {{"WWW-Authenticate", "Basic realm=\"x\""}};
            return reply;
        });
        // A refused port: this device's own server is not needed.
        const QString home = scheme + "://127.0.0.1:1/dav/";
        Account local;
        local.id = QStringLiteral("dav-1");
        local.name = QStringLiteral("Work DAV");
        local.type = AccountType::CalDav;
        local.server_url = home;
        local.username = QStringLiteral("ada");
        local.created_at = local.updated_at = at(3600);
        QVERIFY(m_b->accounts.insert(local));
        m_b->secrets->insert(caldavPasswordKey(QStringLiteral("dav-1")), QStringLiteral("s3cret"));
        const QString away = stranger.url("/dav/").toString();
        QJsonObject record{{"id", "dav-1"}, {"account_type", "caldav"}, {"server_url", home},
                           {"username", "ada"}, {"display_name", "Work DAV"},
                           {"updated_at", at(0).toMSecsSinceEpoch()}};
        record.insert(field, away);
        cloud()->inject(Records::CalDavAccounts, record);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(refused ? "refusing to point" : "moved to another server"));
        QVERIFY(m_b->sync());

        QByteArrayList credentialsSeen;
        for (const LocalHttpServer::Request &request : stranger.requests())
            credentialsSeen << request.header("authorization");
        credentialsSeen.removeAll(QByteArray());
        QCOMPARE(credentialsSeen, QByteArrayList());
        const Account account = *m_b->accounts.getById(QStringLiteral("dav-1"));
        const QHash<QString, QString> stored{{"server_url", account.server_url},
                                             {"calendar_home_set", account.calendar_home_set},
                                             {"principal_url", account.principal_url}};
        const QString before = field == QLatin1String("server_url") ? home : QString();
        QCOMPARE(stored.value(field), refused ? before : away);
        QCOMPARE(account.last_sync_error, refused ? QString() : QStringLiteral("Sign in required"));
        QCOMPARE(m_b->password(QStringLiteral("dav-1")), refused ? QStringLiteral("s3cret") : QString());
    }

    void pulledWeekStartTakesOnlyADayOfTheWeek_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<bool>("customizedHere");
        QTest::addColumn<int>("expected");
        QTest::newRow("Monday") << QJsonValue("1") << false << 1;
        QTest::newRow("Sunday") << QJsonValue("7") << false << 7;
        QTest::newRow("day 8") << QJsonValue("8") << false << 3;
        QTest::newRow("day 0") << QJsonValue("0") << false << 3;
        QTest::newRow("not a number") << QJsonValue("x") << false << 3;
        QTest::newRow("a number, not text") << QJsonValue(1) << false << 3;
        QTest::newRow("chosen on this device") << QJsonValue("1") << true << 3;
    }

    void pulledWeekStartTakesOnlyADayOfTheWeek()
    {
        QFETCH(QJsonValue, value);
        QFETCH(bool, customizedHere);
        QFETCH(int, expected);
        QVERIFY(m_b->preferences.setInt(QStringLiteral("ui/weekStartDay"), 3));
        QVERIFY(m_b->preferences.set(QStringLiteral("config/sync/weekStartDay/changedAt"),
                                 QString::number(at(3600).toMSecsSinceEpoch())));
        if (customizedHere)
            QVERIFY(m_b->preferences.set(QStringLiteral("ui/weekStartDay/customized"), QStringLiteral("true")));
        cloud()->inject(Records::InitialSettings,
                        {{"key", "ui/weekStartDay"}, {"value", value}, {"updated_at", at(0).toMSecsSinceEpoch()}});
        QVERIFY(m_b->sync());
        QCOMPARE(m_b->preferences.getInt(QStringLiteral("ui/weekStartDay")), expected);
    }

    void pulledRuleFillsOnlyWhatItCarries_data()
    {
        QTest::addColumn<QJsonObject>("sent");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("priority");
        QTest::addColumn<QString>("conditions");
        QTest::newRow("bare") << QJsonObject{} << false << 0 << "{}";
        QTest::newRow("flags") << QJsonObject{{"enabled", true}, {"priority", 70}} << true << 70 << "{}";
        QTest::newRow("conditions object")
            << QJsonObject{{"conditions", QJsonObject{{"pattern", "lunch"}}}} << false << 0 << R"({"pattern":"lunch"})";
        QTest::newRow("conditions text") << QJsonObject{{"conditions", "raw text"}} << false << 0 << "raw text";
        QTest::newRow("conditions number") << QJsonObject{{"conditions", 5}} << false << 0 << "{}";
    }

    void pulledRuleFillsOnlyWhatItCarries()
    {
        QFETCH(QJsonObject, sent);
        QFETCH(bool, enabled);
        QFETCH(int, priority);
        QFETCH(QString, conditions);
        sent.insert("id", "rule-sent");
        sent.insert("name", "Sent");
        cloud()->inject(Records::FilterRules, sent);
        QVERIFY(m_b->sync());
        const std::optional<FilterRule> rule = m_b->filterRules.getById(QStringLiteral("rule-sent"));
        QVERIFY(rule);
        QCOMPARE(rule->name, QStringLiteral("Sent"));
        QCOMPARE(rule->enabled, enabled);
        QCOMPARE(rule->priority, priority);
        QCOMPARE(rule->conditions, conditions);
    }
    // A template's colour ends up in the editor's swatch style sheet; only a
    // colour is taken, anything else leaves the calendar's colour in use.
    void pulledTemplateColourTakesOnlyAColour_data()
    {
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("stored");
        QTest::newRow("colour") << "#112233" << "#112233";
        QTest::newRow("none") << "" << "";
        QTest::newRow("second declaration") << "red; background-image: url(file:///dev/zero)" << "";
        QTest::newRow("closed rule") << "#fff} QWidget { font-size: 200px" << "";
    }

    void pulledTemplateColourTakesOnlyAColour()
    {
        QFETCH(QString, sent);
        QFETCH(QString, stored);
        cloud()->inject(Records::EventTemplates, {{"id", "tpl-sent"}, {"name", "Sent"}, {"color", sent}});
        QVERIFY(m_b->sync());
        const std::optional<EventTemplate> tpl = m_b->templates.getById(QStringLiteral("tpl-sent"));
        QVERIFY(tpl);
        QCOMPARE(tpl->color, stored);
    }

    void renameElsewhereIsTakenAfterThisDeviceSynced_data()
    {
        QTest::addColumn<QString>("records");
        QTest::addColumn<QString>("type");
        QTest::newRow("CalDAV account") << QString::fromLatin1(Records::CalDavAccounts) << "caldav";
        QTest::newRow("Google account") << QString::fromLatin1(Records::OAuthAccounts) << "google";
    }

    // Edited here two hours ago, synced with its server now, renamed on
    // another device in between: syncing is no edit, so the rename wins.
    void renameElsewhereIsTakenAfterThisDeviceSynced()
    {
        QFETCH(QString, records);
        QFETCH(QString, type);
        Account local;
        local.id = QStringLiteral("acc-1");
        local.name = QStringLiteral("Work");
        setTypeText(local, type);
        local.server_url = QStringLiteral("https://127.0.0.1:1/dav/");
        local.username = QStringLiteral("ada@example.com");
        local.created_at = local.updated_at = at(7200);
        QVERIFY(m_b->accounts.insert(local));
        // It has its calendar: nothing for the pull to discover.
        Calendar calendar;
        calendar.id = calendar.name = QStringLiteral("work-cal");
        calendar.account_id = local.id;
        calendar.url = QStringLiteral("https://127.0.0.1:1/dav/work/");
        calendar.sync_enabled = true;
        QVERIFY(m_b->calendars.insert(calendar));
        local.last_sync_time = at(0);
        QVERIFY(m_b->accounts.recordSyncState(local));
        cloud()->inject(records,
                        {{"id", "acc-1"}, {"account_type", type}, {"provider", type},
                         {"server_url", local.server_url}, {"username", local.username},
                         {"user_email", local.username}, {"display_name", "Work, renamed"},
                         {"updated_at", at(3600).toMSecsSinceEpoch()}});
        QVERIFY(m_b->sync());
        QCOMPARE(m_b->accounts.getById(QStringLiteral("acc-1"))->name, QStringLiteral("Work, renamed"));
    }

    // A pull is applied a slice per turn: an edit made between two slices is
    // the user's and goes out, and the cursor moves only after the last one.
    void editBetweenSlicesOfAPullIsPushedAndTheCursorWaits()
    {
        Tindlebrook::ConfigSyncSeams seams;
        seams.applySliceMs = 0;
        seams.debounceMs = 60000;
        ConfigSyncDevice c(*m_server, QStringLiteral("tablet"), seams);
        QVERIFY(c.opened);
        QStringList expected{QStringLiteral("mine")};
        for (int i = 0; i < 5; ++i) {
            expected.append(QStringLiteral("pulled-%1").arg(i));
            cloud()->inject(Records::FilterRules, {{"id", expected.last()}, {"name", "Pulled"}, {"type", "pattern"}});
        }
        QString cursorMidway = QStringLiteral("no edit");
        bool edited = false;
        QObject::connect(&c.filterRules, &FilterRuleRepository::filterRulesChanged, &c.filterRules, [&] {
            if (std::exchange(edited, true))
                return;
            QTimer::singleShot(0, &c.filterRules, [&] {
                cursorMidway = c.preferences.getString(QStringLiteral("config/sync/since"));
                FilterRule mine;
                mine.id = QStringLiteral("mine");
                mine.name = QStringLiteral("Mine");
                mine.type = QStringLiteral("pattern");
                mine.conditions = QStringLiteral("{\"pattern\":\"mine\"}");
                mine.created_at = mine.updated_at = at(0);
                if (!c.filterRules.insert(mine))
                    qFatal("setup write refused");
            });
        });
        QVERIFY(c.sync());
        QCOMPARE(cursorMidway, QString());
        QCOMPARE(c.preferences.getString(QStringLiteral("config/sync/since")), QString::number(cloud()->cursor()));
        QStringList ids;
        for (const FilterRule &rule : c.filterRules.getAll())
            ids.append(rule.id);
        ids.sort();
        QCOMPARE(ids, expected);
        QVERIFY(c.service->isMutationSyncPending());
    }
};

QTEST_GUILESS_MAIN(TestConfigSyncApply)
#include "tst_configsyncapply.moc"
