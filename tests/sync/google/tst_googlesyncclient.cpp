#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QtTest>

#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "services/invitationsservice.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/google/googleauthservice.h"
#include "sync/google/googlesyncclient.h"
#include "tests/support/capturedlog.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/teststore.h"
#include "tests/support/tokenanswers.h"

using Google::StoredTokens;

namespace {

const QString CalendarId = QStringLiteral("work");
const QString GoogleCalendar = QStringLiteral("team@example.com");

struct Outcome
{
    QStringList failures;
    int completions = 0;
    int count = -1;
};

QJsonObject parse(const char *json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

} // namespace

class TestGoogleSyncClient : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<FakeGoogleServer> m_server;
    MemoryTokenStore::Entries m_secrets;
    std::unique_ptr<Google::SyncClient> m_client;
    Calendar m_work;

    Google::Endpoints endpoints(int timeoutMs = 5000) const
    {
        Google::Endpoints endpoints;
        endpoints.accountsBase = endpoints.tokenBase = endpoints.apiBase = m_server->baseUrl();
        endpoints.clientId = m_server->clientId;
        endpoints.clientSecret = m_server->clientSecret;
        endpoints.transferTimeoutMs = timeoutMs;
        endpoints.retryBaseMs = 10;
        return endpoints;
    }

    void makeClient(int timeoutMs = 5000)
    {
        m_client = std::make_unique<Google::SyncClient>(
            Sync::Repositories{m_store->db(), m_events.get(), nullptr, m_calendars.get(), m_accounts.get()},
            endpoints(timeoutMs));
        auto secrets = m_secrets;
        m_client->setTokenStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
    }

    void saveTokens(const QDateTime &expiresAt, const QString &access = QStringLiteral("ya29.stored"))
    {
        MemoryTokenStore store(m_secrets);
        QVERIFY(Google::AuthService::saveTokens(store, QStringLiteral("g"),
                                                StoredTokens{access, QStringLiteral("1//stored"), expiresAt}));
    }

    StoredTokens savedTokens() const
    {
        MemoryTokenStore store(m_secrets);
        return Google::AuthService::loadTokens(store, QStringLiteral("g"));
    }

    // The stored row; the first one when the account took it along.
    Calendar calendar() const { return m_calendars->getById(CalendarId).value_or(m_work); }

    // One run of the calendar, to its final signal.
    Outcome sync()
    {
        Outcome outcome;
        bool done = false;
        QObject context;
        connect(m_client.get(), &Sync::CalendarSyncClient::calendarSyncCompleted, &context,
                [&](const QString &, int count) {
                    ++outcome.completions;
                    outcome.count = count;
                    done = true;
                });
        connect(m_client.get(), &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                [&](const QString &id, const QString &reason) {
                    outcome.failures.append(reason);
                    if (!m_client->isSyncing(id))
                        done = true;
                });
        m_client->syncCalendar(calendar());
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            outcome.failures.append(QStringLiteral("<no final signal>"));
        QTest::qWait(20);
        return outcome;
    }

    QJsonObject serverEvent(const char *json) { return m_server->putEvent(GoogleCalendar, parse(json)); }

    Event localRow(const QString &googleId) const
    {
        return m_events->getByProviderEventId(CalendarId, googleId).value_or(Event());
    }

    // A change made here, as the editing code stores it.
    void editLocally(Event event, const QString &title)
    {
        event.title = title;
        event.sync_status = SyncStatus::Pending;
        QVERIFY(m_events->update(event));
    }

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        m_accounts = std::make_unique<AccountRepository>(m_store->db());
        m_calendars = std::make_unique<CalendarRepository>(m_store->db());
        m_events = std::make_unique<EventRepository>(m_store->db());
        m_server = std::make_unique<FakeGoogleServer>();
        QVERIFY(m_server->start());
        m_server->addAccessToken(QStringLiteral("ya29.stored"));
        m_server->addRefreshToken(QStringLiteral("1//stored"));
        m_secrets = std::make_shared<QHash<QString, QString>>();
        Account account;
        account.id = QStringLiteral("g");
        account.name = QStringLiteral("ada@example.com");
        account.username = QStringLiteral("me@example.com");
        account.type = AccountType::Google;
        QVERIFY(m_accounts->insert(account));
        Calendar work;
        work.id = CalendarId;
        work.name = QStringLiteral("Team");
        work.account_id = account.id;
        work.url = GoogleCalendar;
        QVERIFY(m_calendars->insert(work));
        m_work = work;
        saveTokens(QDateTime::currentDateTimeUtc().addSecs(3600));
        makeClient();
    }

    void cleanup()
    {
        m_client.reset();
        m_server.reset();
    }

    void refreshDecisionAtTheMinute()
    {
        const QDateTime now(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
        QVERIFY(Google::SyncClient::needsRefresh(now.addSecs(59), now));
        QVERIFY(!Google::SyncClient::needsRefresh(now.addSecs(60), now));
        QVERIFY(!Google::SyncClient::needsRefresh(now.addSecs(61), now));
        QVERIFY(Google::SyncClient::needsRefresh(QDateTime(), now));
    }

    // Google rotates the refresh token only sometimes: the new one is
    // kept when it comes, the stored one otherwise.
    void expiringTokenIsRefreshedFirst_data()
    {
        QTest::addColumn<int>("expiresIn");
        QTest::addColumn<bool>("rotate");
        QTest::addColumn<bool>("refreshed");
        QTest::newRow("59 s, kept") << 59 << false << true;
        QTest::newRow("59 s, rotated") << 59 << true << true;
        QTest::newRow("invalid expiry") << -1 << false << true;
        QTest::newRow("61 s") << 61 << false << false;
    }

    void expiringTokenIsRefreshedFirst()
    {
        QFETCH(int, expiresIn);
        QFETCH(bool, rotate);
        QFETCH(bool, refreshed);
        m_server->rotateRefreshTokens = rotate;
        saveTokens(expiresIn < 0 ? QDateTime() : QDateTime::currentDateTimeUtc().addSecs(expiresIn));
        const Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(m_server->requestsTo("/token").size(), refreshed ? 1 : 0);
        const QByteArray bearer = m_server->requestsTo("/calendar/v3/").value(0).header("authorization");
        if (!refreshed) {
            QCOMPARE(bearer, QByteArray("Bearer ya29.stored"));
            return;
        }
        QCOMPARE(bearer, "Bearer " + m_server->lastAccessToken().toUtf8());
        const StoredTokens saved = savedTokens();
        QCOMPARE(saved.accessToken, m_server->lastAccessToken());
        QCOMPARE(saved.refreshToken, rotate ? m_server->lastRefreshToken() : QStringLiteral("1//stored"));
        QVERIFY(qAbs(QDateTime::currentDateTimeUtc().secsTo(saved.expiresAt) - 3599) <= 5);
    }

    void runsThatCannotStart_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason");
        QTest::newRow("account gone") << "account" << "Parent account missing";
        QTest::newRow("no tokens") << "tokens" << "No saved Google credentials. Sign in again.";
        // The user reads what to do, not the provider's JSON.
        QTest::newRow("refresh rejected") << "refresh" << "Google no longer accepts the saved sign-in. Sign in again.";
        QTest::newRow("token endpoint fails")
            << "token 500" << "Google token refresh failed: Token refresh failed (HTTP 500): ";
        // The status bar of every calendar shows it: no token there.
        QTest::newRow("token answer unusable")
            << "token answer" << "Google token refresh failed: Google's response had an expires_in that could not be used.";
        QTest::newRow("token endpoint's error page")
            << "token page" << "Google token refresh failed: Token refresh failed (HTTP 500).";
        // A refusal's words that quote the refresh token and the client
        // secret: shown for an error, logged for invalid_grant (which the
        // renewals then keep for these tokens: it comes last).
        QTest::newRow("token endpoint fails in words quoting it")
            << "token invalid_request"
            << "Google token refresh failed: Token refresh failed (HTTP 400): Token *** of client *** is wrong.";
        QTest::newRow("refresh refused in words quoting it")
            << "token invalid_grant" << "Google no longer accepts the saved sign-in. Sign in again.";
        // 60 kB of HTML in 800 lines that echo the access token.
        QTest::newRow("calendar API's error page")
            << "page" << "Google rejected events.list (HTTP 502): The service answered HTTP 502.";
    }

    void runsThatCannotStart()
    {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        if (setup == QLatin1String("account"))
            QVERIFY(m_accounts->remove(QStringLiteral("g")));
        if (setup == QLatin1String("tokens"))
            m_secrets->clear();
        if (setup == QLatin1String("refresh")) {
            MemoryTokenStore store(m_secrets);
            QVERIFY(Google::AuthService::saveTokens(store, QStringLiteral("g"),
                                                    StoredTokens{QString(), QStringLiteral("1//revoked"), QDateTime()}));
        }
        if (setup == QLatin1String("token 500")) {
            saveTokens(QDateTime());
            m_server->failNext({"POST", "/token", 500, false, 1, -1, false, QString()});
        }
        if (setup.startsWith(QLatin1String("token "))) {
            saveTokens(QDateTime());
            if (setup == QLatin1String("token answer"))
                m_server->scriptedTokenReplies = {TokenAnswers::withTokens({{QStringLiteral("expires_in"), -5}})};
            if (setup == QLatin1String("token page"))
                m_server->scriptedTokenReplies = {TokenAnswers::errorPage(500)};
            const QString code = setup.mid(6);
            if (code.startsWith(QLatin1String("invalid_")))
                m_server->scriptedTokenReplies = {TokenAnswers::json(
                    400, {{QStringLiteral("error"), code},
                          {QStringLiteral("error_description"),
                           QStringLiteral("Token 1//stored of client %1 is wrong.").arg(m_server->clientSecret)}})};
        }
        if (setup == QLatin1String("page"))
            m_server->failNext({"GET", "/calendar/v3/", 502, false, -1, -1, false, QString(), false,
                                [](const LocalHttpServer::Request &request) {
                                    return TokenAnswers::largePage(request.header("authorization"));
                                }});
        const CapturedLog log;
        const Outcome outcome = sync();
        QCOMPARE(outcome.completions, 0);
        QCOMPARE(outcome.failures.size(), 1);
        const QStringList faults =
            TokenAnswers::faults(outcome.failures, log.messages(),
                                 {QStringLiteral("ya29.stored"), QStringLiteral("1//stored"), m_server->clientSecret});
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QVERIFY2(outcome.failures.first().startsWith(reason), qPrintable(outcome.failures.first()));
        QVERIFY(!m_client->isSyncing(CalendarId));
    }

    void firstRunListsEverythingThenFollowsTheSyncToken()
    {
        m_server->pageSize = 2;
        serverEvent("{\"summary\":\"One\",\"start\":{\"dateTime\":\"2026-03-02T09:00:00Z\"},\"end\":{\"dateTime\":\"2026-03-02T10:00:00Z\"}}");
        serverEvent("{\"summary\":\"Two\",\"start\":{\"date\":\"2026-03-03\"},\"end\":{\"date\":\"2026-03-04\"}}");
        const QJsonObject three = serverEvent("{\"summary\":\"Three\",\"start\":{\"dateTime\":\"2026-03-04T09:00:00Z\"}}");
        Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(outcome.count, 3);
        QCOMPARE(m_events->getByCalendar(CalendarId).size(), 3);
        QCOMPARE(calendar().sync_token, QStringLiteral("s1-3"));
        // A calendar date in every zone.
        QCOMPARE(localRow(QStringLiteral("gev2")).start_time.date(), QDate(2026, 3, 3));

        QJsonObject changed = three;
        changed.insert(QStringLiteral("summary"), QStringLiteral("Three!"));
        m_server->putEvent(GoogleCalendar, changed);
        m_server->http().clearRequests();
        outcome = sync();
        QCOMPARE(outcome.count, 1);
        QVERIFY(m_server->requests().value(0).target.contains("syncToken=s1-3"));
        QCOMPARE(localRow(three.value(QStringLiteral("id")).toString()).title, QStringLiteral("Three!"));
    }

    // A row changed here and not yet pushed is not overwritten by the pull;
    // its push meets Google's newer etag (412), reads the event afresh and
    // sends what changed here, keeping what changed on Google, here too: the
    // next edit does not take Google's change back.
    void pendingRowWinsOverAStaleEtag()
    {
        const QJsonObject stored = serverEvent("{\"summary\":\"Planning\",\"colorId\":\"4\", \"start\":{\"dateTime\":\"2026-03-02T09:00:00Z\"},\"end\":{\"dateTime\":\"2026-03-02T10:00:00Z\"}}");
        QCOMPARE(sync().failures, QStringList());
        const QString id = stored.value(QStringLiteral("id")).toString();
        editLocally(localRow(id), QStringLiteral("Planning (moved)"));
        QJsonObject remote = m_server->event(GoogleCalendar, id).value();
        remote.insert(QStringLiteral("location"), QStringLiteral("Room 9"));
        m_server->putEvent(GoogleCalendar, remote);

        const Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(outcome.completions, 1);
        const QJsonObject now = m_server->event(GoogleCalendar, id).value();
        QCOMPARE(now.value(QStringLiteral("summary")).toString(), QStringLiteral("Planning (moved)"));
        QCOMPARE(now.value(QStringLiteral("colorId")).toString(), QStringLiteral("4"));
        QCOMPARE(now.value(QStringLiteral("location")).toString(), QStringLiteral("Room 9"));
        const Event row = localRow(id);
        QCOMPARE(row.sync_status, SyncStatus::Synced);
        QCOMPARE(row.etag, now.value(QStringLiteral("etag")).toString());
        QCOMPARE(row.location, QStringLiteral("Room 9"));
        QCOMPARE(row.title, QStringLiteral("Planning (moved)"));
        QCOMPARE(m_server->requestsTo("/calendar/v3/calendars/team%40example.com/events/" + id.toUtf8(), "PATCH").size(), 2);

        editLocally(row, QStringLiteral("Planning (final)"));
        QCOMPARE(sync().failures, QStringList());
        const QJsonObject after = m_server->event(GoogleCalendar, id).value();
        QCOMPARE(after.value(QStringLiteral("summary")).toString(), QStringLiteral("Planning (final)"));
        QCOMPARE(after.value(QStringLiteral("location")).toString(), QStringLiteral("Room 9"));
        QCOMPARE(localRow(id).sync_status, SyncStatus::Synced);
    }

    // Refused again after the fresh read: the failure is reported, the
    // row stays pending, and the run still completes once.
    void staleEtagThatStaysStaleIsReported()
    {
        const QString id = serverEvent("{\"summary\":\"Review\",\"start\":{\"dateTime\":\"2026-03-02T09:00:00Z\"}}")
                               .value(QStringLiteral("id")).toString();
        QCOMPARE(sync().failures, QStringList());
        editLocally(localRow(id), QStringLiteral("Review 2"));
        m_server->failNext({"PATCH", "", 412, false, 2});
        const Outcome outcome = sync();
        QCOMPARE(outcome.completions, 1);
        QCOMPARE(outcome.failures.size(), 1);
        QVERIFY(outcome.failures.first().startsWith(QStringLiteral("\"Review 2\" was changed on Google")));
        QCOMPARE(localRow(id).sync_status, SyncStatus::Pending);
    }

    // An edit made while its push is out stays pending, with Google's id
    // and etag, so the next run sends it as an update.
    void editDuringPushStaysPending()
    {
        Event event;
        event.id = event.uid = QStringLiteral("local-1");
        event.calendar_id = CalendarId;
        event.title = QStringLiteral("Draft");
        event.start_time = QDateTime(QDate(2026, 3, 5), QTime(9, 0), Qt::UTC);
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        QVERIFY(m_events->insert(event));
        m_server->onRequest = [this](const LocalHttpServer::Request &request) {
            if (request.method == "POST")
                editLocally(m_events->getById(QStringLiteral("local-1")).value(), QStringLiteral("Final"));
        };
        QCOMPARE(sync().failures, QStringList());
        m_server->onRequest = nullptr;
        Event row = m_events->getById(QStringLiteral("local-1")).value();
        QCOMPARE(row.title, QStringLiteral("Final"));
        QCOMPARE(row.sync_status, SyncStatus::Pending);
        QVERIFY(!row.provider_event_id.isEmpty());

        QCOMPARE(sync().failures, QStringList());
        row = m_events->getById(QStringLiteral("local-1")).value();
        QCOMPARE(row.sync_status, SyncStatus::Synced);
        QCOMPARE(m_server->events(GoogleCalendar).size(), 1);
        QCOMPARE(m_server->events(GoogleCalendar).first().value(QStringLiteral("summary")).toString(),
                 QStringLiteral("Final"));
    }

    // Cancellations win over local edits; a cancelled occurrence becomes
    // an exclusion of its series and a moved one replaces its occurrence.
    void cancellationsAndOccurrences()
    {
        const QString series = serverEvent("{\"id\":\"daily\",\"summary\":\"Standup\",\"recurrence\":[\"RRULE:FREQ=DAILY;COUNT=5\"], \"start\":{\"dateTime\":\"2026-03-02T09:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"}, \"end\":{\"dateTime\":\"2026-03-02T09:15:00+01:00\",\"timeZone\":\"Europe/Berlin\"}}")
                                   .value(QStringLiteral("id")).toString();
        const QString gone = serverEvent("{\"summary\":\"Gone\",\"start\":{\"dateTime\":\"2026-03-09T09:00:00Z\"}}")
                                 .value(QStringLiteral("id")).toString();
        const QString pending = serverEvent("{\"summary\":\"Edited\",\"start\":{\"dateTime\":\"2026-03-10T09:00:00Z\"}}")
                                    .value(QStringLiteral("id")).toString();
        QCOMPARE(sync().failures, QStringList());
        editLocally(localRow(pending), QStringLiteral("Edited here"));
        m_server->cancelEvent(GoogleCalendar, gone);
        m_server->cancelEvent(GoogleCalendar, pending);
        serverEvent("{\"id\":\"daily_20260303T080000Z\",\"recurringEventId\":\"daily\",\"status\":\"cancelled\", \"originalStartTime\":{\"dateTime\":\"2026-03-03T09:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"}}");
        serverEvent("{\"id\":\"daily_20260304T080000Z\",\"recurringEventId\":\"daily\",\"summary\":\"Standup (late)\", \"originalStartTime\":{\"dateTime\":\"2026-03-04T09:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"}, \"start\":{\"dateTime\":\"2026-03-04T11:00:00+01:00\",\"timeZone\":\"Europe/Berlin\"}, \"end\":{\"dateTime\":\"2026-03-04T11:15:00+01:00\",\"timeZone\":\"Europe/Berlin\"}}");
        serverEvent("{\"id\":\"never-seen\",\"status\":\"cancelled\"}");

        const Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QVERIFY(!m_events->getByProviderEventId(CalendarId, gone));
        QVERIFY(!m_events->getByProviderEventId(CalendarId, pending));
        QVERIFY(!m_events->getByProviderEventId(CalendarId, QStringLiteral("never-seen")));
        QCOMPARE(localRow(series).exception_dates, QStringLiteral("[\"20260303T080000Z\"]"));

        const QList<Event> expanded =
            Recurrence::expandForRange(m_events->getByCalendar(CalendarId), QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC),
                                       QDateTime(QDate(2026, 3, 8), QTime(0, 0), Qt::UTC));
        QStringList starts;
        for (const Event &occurrence : expanded)
            starts.append(occurrence.title + QLatin1Char(' ') + occurrence.start_time.toUTC().toString(Qt::ISODate));
        QCOMPARE(starts, (QStringList{"Standup 2026-03-02T08:00:00Z", "Standup (late) 2026-03-04T10:00:00Z",
                                      "Standup 2026-03-05T08:00:00Z", "Standup 2026-03-06T08:00:00Z"}));

        // The series changes later: its exclusion stays.
        QJsonObject changed = m_server->event(GoogleCalendar, series).value();
        changed.insert(QStringLiteral("summary"), QStringLiteral("Daily standup"));
        m_server->putEvent(GoogleCalendar, changed);
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(localRow(series).exception_dates, QStringLiteral("[\"20260303T080000Z\"]"));
    }

    // An expired sync token (410, here on the second page) clears both
    // tokens and lists the calendar again from scratch.
    void expiredSyncTokenRelistsEverything()
    {
        m_server->pageSize = 1;
        serverEvent("{\"summary\":\"A\",\"start\":{\"dateTime\":\"2026-03-02T09:00:00Z\"}}");
        serverEvent("{\"summary\":\"B\",\"start\":{\"dateTime\":\"2026-03-03T09:00:00Z\"}}");
        QCOMPARE(sync().failures, QStringList());
        Calendar stored = calendar();
        stored.delta_sync_token = QStringLiteral("delta");
        // Renamed here before: clearing and storing tokens is no edit of it.
        stored.updated_at = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC);
        QVERIFY(m_calendars->updateKeepingTime(stored));
        serverEvent("{\"summary\":\"C\",\"start\":{\"dateTime\":\"2026-03-04T09:00:00Z\"}}");
        serverEvent("{\"summary\":\"D\",\"start\":{\"dateTime\":\"2026-03-05T09:00:00Z\"}}");
        m_server->failNext({"GET", "pageToken=", 410, false, 1});
        m_server->http().clearRequests();
        const Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(outcome.count, 4);
        QVERIFY(m_server->requests().value(0).target.contains("syncToken="));
        QVERIFY(m_server->requests().value(2).target.contains("singleEvents=false"));
        QCOMPARE(calendar().delta_sync_token, QString());
        QCOMPARE(calendar().sync_token, QStringLiteral("s1-4"));
        QCOMPARE(calendar().updated_at, stored.updated_at);
        QCOMPARE(m_events->getByCalendar(CalendarId).size(), 4);
    }

    // Push outcomes: one insert refused (500, 429) however often it is
    // asked again stays pending and is reported, while the other is
    // synced; an update of an event Google no longer has becomes an insert
    // next time; a deletion that never reached Google sends nothing.
    void pushOutcomesPerRow_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("500") << 500;
        QTest::newRow("429") << 429;
    }

    void pushOutcomesPerRow()
    {
        QFETCH(int, status);
        for (const QString &id : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}) {
            Event event;
            event.id = event.uid = id;
            event.calendar_id = CalendarId;
            event.title = id.toUpper();
            event.start_time = QDateTime(QDate(2026, 3, 5), QTime(9, 0), Qt::UTC);
            event.sync_status = SyncStatus::Pending;
            if (id == QLatin1String("c"))
                event.provider_event_id = QStringLiteral("vanished");
            if (id == QLatin1String("d"))
                event.deleted_at = QDateTime::currentDateTimeUtc();
            event.raw_icalendar = IcsCodec::buildEventIcs(event);
            QVERIFY(m_events->insert(event));
        }
        m_server->onRequest = [this, status](const LocalHttpServer::Request &request) {
            if (request.method == "POST" && request.body.contains("\"summary\":\"B\""))
                m_server->failNext({"POST", "", status, false, 1});
        };
        const Outcome outcome = sync();
        QCOMPARE(outcome.failures,
                 QStringList{QStringLiteral("Google rejected events.insert: Scripted failure (HTTP %1)").arg(status)});
        QCOMPARE(outcome.completions, 1);
        int sentB = 0;
        for (const LocalHttpServer::Request &request : m_server->requestsTo("/calendar/v3/", "POST"))
            sentB += request.body.contains("\"summary\":\"B\"") ? 1 : 0;
        QCOMPARE(sentB, 4);
        QCOMPARE(m_events->getById(QStringLiteral("a"))->sync_status, SyncStatus::Synced);
        QVERIFY(!m_events->getById(QStringLiteral("a"))->provider_event_id.isEmpty());
        QCOMPARE(m_events->getById(QStringLiteral("b"))->sync_status, SyncStatus::Pending);
        QCOMPARE(m_events->getById(QStringLiteral("c"))->provider_event_id, QString());
        QCOMPARE(m_events->getById(QStringLiteral("c"))->sync_status, SyncStatus::Pending);
        QVERIFY(!m_events->getById(QStringLiteral("d")));
        QVERIFY(m_server->requestsTo("/calendar/v3/", "DELETE").isEmpty());

        m_server->onRequest = nullptr;
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(m_server->events(GoogleCalendar).size(), 3);
        QVERIFY(m_events->getPending(CalendarId).isEmpty());
    }

    void deletionReachesGoogle()
    {
        const QString id = serverEvent("{\"summary\":\"Old\",\"start\":{\"dateTime\":\"2026-03-02T09:00:00Z\"}}")
                               .value(QStringLiteral("id")).toString();
        QCOMPARE(sync().failures, QStringList());
        QVERIFY(m_events->remove(localRow(id).id));
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(m_server->event(GoogleCalendar, id)->value(QStringLiteral("status")).toString(),
                 QStringLiteral("cancelled"));
        QVERIFY(!m_events->getByProviderEventId(CalendarId, id));
    }

    // An answer to an invitation reaches Google as the attendee's
    // responseStatus, other attendees untouched.
    void invitationAnswerReachesGoogle()
    {
        const QString id = serverEvent("{\"summary\":\"Offsite\",\"start\":{\"dateTime\":\"2026-03-02T09:00:00Z\"}, \"organizer\":{\"email\":\"boss@example.com\"}, \"attendees\":[{\"email\":\"boss@example.com\",\"organizer\":true,\"responseStatus\":\"accepted\"}, {\"email\":\"me@example.com\",\"self\":true,\"responseStatus\":\"needsAction\"}]}")
                               .value(QStringLiteral("id")).toString();
        QCOMPARE(sync().failures, QStringList());
        Invitations::Service invitations(m_accounts.get(), m_calendars.get(), m_events.get());
        QVERIFY(invitations.respond(localRow(id).id, QStringLiteral("me@example.com"), QStringLiteral("declined")));
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(m_server->event(GoogleCalendar, id)->value(QStringLiteral("attendees")).toArray(),
                 parse("{\"a\":[{\"email\":\"boss@example.com\",\"organizer\":true,\"responseStatus\":\"accepted\"}, {\"email\":\"me@example.com\",\"self\":true,\"responseStatus\":\"declined\"}]}")
                     .value(QStringLiteral("a")).toArray());
        QCOMPARE(localRow(id).sync_status, SyncStatus::Synced);
    }

    // A weekly Berlin meeting made here goes to Google in its zone.
    void seriesTravelsInItsZone()
    {
        Event event;
        event.id = event.uid = QStringLiteral("weekly");
        event.calendar_id = CalendarId;
        event.title = QStringLiteral("Jour fixe");
        event.timezone = QStringLiteral("Europe/Berlin");
        event.start_time = QDateTime(QDate(2026, 3, 23), QTime(8, 0), Qt::UTC);
        event.end_time = QDateTime(QDate(2026, 3, 23), QTime(9, 0), Qt::UTC);
        event.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=4");
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        QVERIFY(m_events->insert(event));
        QCOMPARE(sync().failures, QStringList());
        const QJsonObject sent = m_server->events(GoogleCalendar).value(0);
        QCOMPARE(sent.value(QStringLiteral("start")).toObject(),
                 parse("{\"dateTime\":\"2026-03-23T09:00:00.000+01:00\",\"timeZone\":\"Europe/Berlin\"}"));
    }

    void hungServerFailsTheRun()
    {
        makeClient(300);
        m_server->failNext({"GET", "/events", 200, true, -1});
        const Outcome outcome = sync();
        QCOMPARE(outcome.completions, 0);
        QCOMPARE(outcome.failures,
                 QStringList{"Google rejected events.list (HTTP 0): Google did not answer within 1 second(s)."});
    }
};

QTEST_MAIN(TestGoogleSyncClient)
#include "tst_googlesyncclient.moc"
