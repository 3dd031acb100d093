#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QtTest>

#include "tests/sync/microsoft/graphfixtures.h"

#include "app/edits/eventeditor.h"
#include "app/edits/undostack.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/microsoft/microsoftsyncclient.h"
#include "tests/support/capturedlog.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/teststore.h"
#include "tests/support/tokenanswers.h"

using Microsoft::StoredTokens;

namespace {

const QString CalendarId = QStringLiteral("work");
const QString DefaultCalendar = QStringLiteral("AAMkDefault=");
const QString OtherCalendar = QStringLiteral("AAMkOther=");

struct Outcome
{
    QStringList failures;
    int completions = 0;
    int count = -1;
};

QJsonObject graphTime(const QDateTime &when)
{
    return QJsonObject{{QStringLiteral("dateTime"), when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz0000"))},
                       {QStringLiteral("timeZone"), QStringLiteral("UTC")}};
}

QJsonObject timed(const QString &subject, const QDateTime &start)
{
    return QJsonObject{{QStringLiteral("subject"), subject},
                       {QStringLiteral("start"), graphTime(start)},
                       {QStringLiteral("end"), graphTime(start.addSecs(3600))}};
}

} // namespace

class TestMicrosoftSyncClient : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<FakeMicrosoftServer> m_server;
    MemoryTokenStore::Entries m_secrets;
    std::unique_ptr<Microsoft::SyncClient> m_client;
    Calendar m_work;
    QDateTime m_now = QDateTime::currentDateTimeUtc();

    Microsoft::Endpoints endpoints() const
    {
        Microsoft::Endpoints endpoints;
        endpoints.authority = m_server->baseUrl();
        endpoints.graphRoot = m_server->graphRoot();
        endpoints.clientId = m_server->clientId;
        endpoints.transferTimeoutMs = 5000;
        return endpoints;
    }

    void makeClient()
    {
        m_client = std::make_unique<Microsoft::SyncClient>(
            Sync::Repositories{m_store->db(), m_events.get(), nullptr, m_calendars.get(), m_accounts.get()},
            endpoints());
        auto secrets = m_secrets;
        m_client->setTokenStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
    }

    void saveTokens(const QDateTime &expiresAt, const QString &access = QStringLiteral("EwB.stored"))
    {
        MemoryTokenStore store(m_secrets);
        QVERIFY(Microsoft::AuthService::saveTokens(store, QStringLiteral("ms"),
                                                   StoredTokens{access, QStringLiteral("M.stored"), expiresAt}));
    }

    StoredTokens savedTokens() const
    {
        MemoryTokenStore store(m_secrets);
        return Microsoft::AuthService::loadTokens(store, QStringLiteral("ms"));
    }

    Calendar calendar() const { return m_calendars->getById(CalendarId).value_or(m_work); }

    void useCalendar(const QString &graphId)
    {
        Calendar changed = calendar();
        changed.url = graphId;
        QVERIFY(m_calendars->update(changed));
    }

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
        if (!QTest::qWaitFor([&] { return done; }, 15000))
            outcome.failures.append(QStringLiteral("<no final signal>"));
        QTest::qWait(20);
        return outcome;
    }

    QString put(const QString &graphCalendar, const QJsonObject &event)
    {
        return m_server->putEvent(graphCalendar, event).value(QStringLiteral("id")).toString();
    }

    Event row(const QString &graphId) const
    {
        return m_events->getByProviderEventId(CalendarId, graphId).value_or(Event());
    }

    QStringList titles() const
    {
        QStringList result;
        for (const Event &event : m_events->getByCalendar(CalendarId))
            result.append(event.title);
        result.sort();
        return result;
    }

    void editLocally(Event event, const QString &title)
    {
        event.title = title;
        event.sync_status = SyncStatus::Pending;
        QVERIFY(m_events->update(event));
    }

    Event newLocalEvent(const QString &title)
    {
        Event event;
        event.id = event.uid = QStringLiteral("local-") + title;
        event.calendar_id = CalendarId;
        event.title = title;
        event.start_time = m_now.addDays(2);
        event.end_time = m_now.addDays(2).addSecs(1800);
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        return event;
    }

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        m_accounts = std::make_unique<AccountRepository>(m_store->db());
        m_calendars = std::make_unique<CalendarRepository>(m_store->db());
        m_events = std::make_unique<EventRepository>(m_store->db());
        m_server = std::make_unique<FakeMicrosoftServer>();
        QVERIFY(m_server->start());
        m_server->addAccessToken(QStringLiteral("EwB.stored"));
        m_server->addRefreshToken(QStringLiteral("M.stored"));
        m_server->addCalendar(QJsonObject{{QStringLiteral("id"), DefaultCalendar},
                                          {QStringLiteral("name"), QStringLiteral("Calendar")},
                                          {QStringLiteral("isDefaultCalendar"), true}});
        m_server->addCalendar(QJsonObject{{QStringLiteral("id"), OtherCalendar},
                                          {QStringLiteral("name"), QStringLiteral("Team")}});
        m_secrets = std::make_shared<QHash<QString, QString>>();
        Account account;
        account.id = QStringLiteral("ms");
        account.name = QStringLiteral("Ada");
        account.username = QStringLiteral("ada@example.com");
        account.type = AccountType::Microsoft;
        QVERIFY(m_accounts->insert(account));
        Calendar work;
        work.id = CalendarId;
        work.name = QStringLiteral("Work");
        work.account_id = account.id;
        work.url = DefaultCalendar;
        QVERIFY(m_calendars->insert(work));
        m_work = work;
        saveTokens(m_now.addSecs(3600));
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
        QVERIFY(Microsoft::SyncClient::needsRefresh(now.addSecs(30), now));
        QVERIFY(!Microsoft::SyncClient::needsRefresh(now.addSecs(120), now));
        QVERIFY(Microsoft::SyncClient::needsRefresh(QDateTime(), now));
    }

    void expiringTokenIsRefreshedFirst_data()
    {
        QTest::addColumn<bool>("rotate");
        QTest::newRow("refresh token kept") << false;
        QTest::newRow("refresh token rotated") << true;
    }

    void expiringTokenIsRefreshedFirst()
    {
        QFETCH(bool, rotate);
        m_server->rotateRefreshTokens = rotate;
        saveTokens(m_now.addSecs(30));
        const Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        const StoredTokens tokens = savedTokens();
        QCOMPARE(tokens.accessToken, m_server->lastAccessToken());
        QCOMPARE(tokens.refreshToken, rotate ? m_server->lastRefreshToken() : QStringLiteral("M.stored"));
        QCOMPARE(m_server->requestsTo("/common/oauth2/v2.0/token").size(), 1);
    }

    void runsThatCannotStart_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no tokens") << 0 << QStringLiteral("No saved Microsoft credentials. Sign in again.");
        // The user reads what to do, not the provider's JSON.
        QTest::newRow("refresh refused") << 1 << QStringLiteral("Microsoft no longer accepts the saved sign-in. Sign in again.");
        QTest::newRow("account gone") << 2 << QStringLiteral("Parent account missing");
        QTest::newRow("token endpoint fails")
            << 3 << QStringLiteral("Microsoft token refresh failed: Token refresh failed (HTTP 500)");
        // Graph refuses the token (401) and the renewal is refused: the
        // user reads what to do, not Graph's answer to the listing.
        QTest::newRow("token and grant refused")
            << 4 << QStringLiteral("Microsoft no longer accepts the saved sign-in. Sign in again.");
        // Graph refuses the renewed token too: its words, not its JSON.
        QTest::newRow("renewed token refused")
            << 5 << QStringLiteral("Microsoft rejected /me/calendar (HTTP 401): ScriptedFailure");
        // The status bar of every calendar shows it: none of Graph's tokens there.
        QTest::newRow("token answer unusable")
            << 6 << QStringLiteral("Microsoft token refresh failed: Microsoft's response had an expires_in that could "
                                   "not be used.");
        QTest::newRow("token endpoint's error page")
            << 7 << QStringLiteral("Microsoft token refresh failed: Token refresh failed (HTTP 502).");
        // 60 kB of HTML in 800 lines that echo the access token.
        QTest::newRow("Graph's error page")
            << 8 << QStringLiteral("Microsoft rejected /me/calendar (HTTP 502): The service answered HTTP 502.");
    }

    void runsThatCannotStart()
    {
        QFETCH(int, what);
        QFETCH(QString, reason);
        if (what == 0)
            m_secrets->clear();
        if (what == 1) {
            MemoryTokenStore store(m_secrets);
            QVERIFY(Microsoft::AuthService::saveTokens(store, QStringLiteral("ms"),
                                                       StoredTokens{QString(), QStringLiteral("M.unknown"), QDateTime()}));
        }
        if (what == 2)
            QVERIFY(m_accounts->remove(QStringLiteral("ms")));
        if (what == 3) {
            MemoryTokenStore store(m_secrets);
            QVERIFY(Microsoft::AuthService::saveTokens(store, QStringLiteral("ms"),
                                                       StoredTokens{QString(), QStringLiteral("M.stored"), QDateTime()}));
            m_server->failNext({"POST", "/oauth2/v2.0/token", 500, false, 1, -1, false, QString()});
        }
        if (what == 4) {
            MemoryTokenStore store(m_secrets);
            QVERIFY(Microsoft::AuthService::saveTokens(
                store, QStringLiteral("ms"), StoredTokens{QStringLiteral("EwB.revoked"), QStringLiteral("M.revoked"),
                                                          m_now.addSecs(3600)}));
        }
        if (what == 5)
            m_server->failNext({"GET", "/me/calendar?", 401, false, 2, -1, false, QString()});
        if (what == 6 || what == 7) {
            saveTokens(QDateTime());
            m_server->scriptedTokenReplies = {what == 6 ? TokenAnswers::withTokens({{QStringLiteral("expires_in"), -5}})
                                                        : TokenAnswers::errorPage(502)};
        }
        if (what == 8)
            m_server->failNext({"GET", "/me/", 502, false, -1, -1, false, QString(), false,
                                [](const LocalHttpServer::Request &request) {
                                    return TokenAnswers::largePage(request.header("authorization"));
                                }});
        const CapturedLog log;
        const Outcome outcome = sync();
        QCOMPARE(outcome.completions, 0);
        QCOMPARE(outcome.failures.size(), 1);
        const QStringList faults = TokenAnswers::faults(outcome.failures, log.messages(),
                                                        {QStringLiteral("EwB.stored"), QStringLiteral("M.stored")});
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QVERIFY2(outcome.failures.first().startsWith(reason), qPrintable(outcome.failures.first()));
    }

    // The default calendar is read through its view's delta: the window
    // the first time, the changes since the token afterwards.
    void defaultCalendarFollowsTheDelta()
    {
        m_server->pageSize = 2;
        m_server->emptyFirstDeltaPage = true;
        m_server->repeatDeltaItems = true;
        put(DefaultCalendar, timed(QStringLiteral("A"), m_now.addDays(1)));
        const QString b = put(DefaultCalendar, timed(QStringLiteral("B"), m_now.addDays(2)));
        put(DefaultCalendar, timed(QStringLiteral("C"), m_now.addDays(3)));
        put(DefaultCalendar, timed(QStringLiteral("Long ago"), m_now.addYears(-2)));
        Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(outcome.count, 4); // one repeated
        QCOMPARE(titles(), (QStringList{"A", "B", "C"}));
        QVERIFY(!calendar().delta_sync_token.isEmpty());
        const QByteArray seed = m_server->requestsTo("/v1.0/me/calendarView/delta").first().target;
        QVERIFY(seed.contains("startDateTime=") && seed.contains("endDateTime="));

        // Nothing changed: which calendar is the default, one delta
        // request, and no row written.
        m_server->emptyFirstDeltaPage = m_server->repeatDeltaItems = false;
        m_server->http().clearRequests();
        const int writes = m_store->scalar(QStringLiteral("SELECT total_changes()")).toInt();
        outcome = sync();
        QCOMPARE(outcome.count, 0);
        QCOMPARE(m_store->scalar(QStringLiteral("SELECT total_changes()")).toInt() - writes, 0);
        QCOMPARE(m_server->requests().size(), 2);
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendarView/delta").size(), 1);

        m_server->removeEvent(b);
        put(DefaultCalendar, timed(QStringLiteral("D"), m_now.addDays(4)));
        outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(titles(), (QStringList{"A", "C", "D"}));
        QVERIFY(m_server->requestsTo("/v1.0/me/calendarView/delta").last().target.contains("deltatoken"));
    }

    // Another calendar made the default in Outlook: the stored token would
    // now read that calendar's changes into this one.
    void aCalendarNoLongerTheDefaultDropsItsDelta()
    {
        // Renamed here before: storing and dropping a token is no edit of it.
        Calendar renamed = calendar();
        renamed.updated_at = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC);
        QVERIFY(m_calendars->updateKeepingTime(renamed));
        put(DefaultCalendar, timed(QStringLiteral("Mine"), m_now.addDays(1)));
        QCOMPARE(sync().failures, QStringList());
        QVERIFY(!calendar().delta_sync_token.isEmpty());
        QCOMPARE(calendar().updated_at, renamed.updated_at);
        m_server->setDefaultCalendar(OtherCalendar);
        put(OtherCalendar, timed(QStringLiteral("Team's"), m_now.addDays(1)));
        m_server->http().clearRequests();
        const Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(titles(), QStringList{"Mine"});
        QCOMPARE(calendar().delta_sync_token, QString());
        QCOMPARE(calendar().updated_at, renamed.updated_at);
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendarView/delta").size(), 0);
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendars/" + QUrl::toPercentEncoding(DefaultCalendar)
                                      + "/calendarView").size(), 1);
    }

    void removalsOfUnknownOrPendingRows()
    {
        const QString kept = put(DefaultCalendar, timed(QStringLiteral("Kept"), m_now.addDays(1)));
        const QString edited = put(DefaultCalendar, timed(QStringLiteral("Edited"), m_now.addDays(1)));
        QCOMPARE(sync().failures, QStringList());
        editLocally(row(edited), QStringLiteral("Edited here"));
        // Never seen here, then removed: named by the delta all the same.
        const QString stranger = put(DefaultCalendar, timed(QStringLiteral("Stranger"), m_now.addYears(-3)));
        m_server->removeEvent(stranger);
        m_server->removeEvent(edited);
        const Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(titles(), QStringList{"Kept"});
        QCOMPARE(row(kept).sync_status, SyncStatus::Synced);
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendars/", "POST").size(), 0);
    }

    // Any other calendar has no delta: its window is listed whole, and
    // synced rows inside it that were not listed are gone.
    void otherCalendarsAreListedOverTheWindow()
    {
        useCalendar(OtherCalendar);
        put(OtherCalendar, timed(QStringLiteral("Stays"), m_now.addDays(1)));
        const QString goes = put(OtherCalendar, timed(QStringLiteral("Goes"), m_now.addDays(2)));
        put(OtherCalendar, timed(QStringLiteral("Far past"), m_now.addYears(-2)));
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(titles(), (QStringList{"Goes", "Stays"}));
        QVERIFY(calendar().delta_sync_token.isEmpty());
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendarView/delta").size(), 0);

        // A row outside the window was never listed and stays.
        Event old = newLocalEvent(QStringLiteral("Old synced"));
        old.provider_event_id = QStringLiteral("ancient");
        old.start_time = m_now.addYears(-1);
        old.end_time = old.start_time.addSecs(60);
        old.sync_status = SyncStatus::Synced;
        QVERIFY(m_events->insert(old));
        m_server->removeEvent(goes);
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(titles(), (QStringList{"Old synced", "Stays"}));
    }

    void aSeriesThatBeganBeforeTheWindowIsRead_data()
    {
        QTest::addColumn<QString>("graphCalendar");
        QTest::addColumn<bool>("withOccurrence");
        QTest::newRow("another calendar, over the window") << OtherCalendar << true;
        // Its only instance in the window is an exception, so the delta
        // names the series only through that exception's removal.
        QTest::newRow("default calendar, through the delta") << DefaultCalendar << false;
    }

    void aSeriesThatBeganBeforeTheWindowIsRead()
    {
        QFETCH(QString, graphCalendar);
        QFETCH(bool, withOccurrence);
        useCalendar(graphCalendar);
        const QDateTime seriesStart = m_now.addYears(-2);
        QJsonObject master = timed(QStringLiteral("Weekly review"), seriesStart);
        master.insert(QStringLiteral("recurrence"),
                      QJsonDocument::fromJson(SyncJson1).object());
        const QString masterId = put(graphCalendar, master);
        if (withOccurrence) {
            QJsonObject occurrence = timed(QStringLiteral("Weekly review"), m_now.addDays(3));
            occurrence.insert(QStringLiteral("type"), QStringLiteral("occurrence"));
            occurrence.insert(QStringLiteral("seriesMasterId"), masterId);
            put(graphCalendar, occurrence);
        }
        QJsonObject exception = timed(QStringLiteral("Review, moved"), m_now.addDays(10).addSecs(7200));
        exception.insert(QStringLiteral("type"), QStringLiteral("exception"));
        exception.insert(QStringLiteral("seriesMasterId"), masterId);
        exception.insert(QStringLiteral("originalStart"), m_now.addDays(10).toString(Qt::ISODate));
        const QString exceptionId = put(graphCalendar, exception);

        QCOMPARE(sync().failures, QStringList());
        const Event series = row(masterId);
        QCOMPARE(series.recurrence_rule, QStringLiteral("FREQ=MONTHLY;BYDAY=2TU"));
        QCOMPARE(series.start_time, QDateTime(seriesStart.date(), QTime(seriesStart.time().hour(),
                                                                      seriesStart.time().minute(),
                                                                      seriesStart.time().second()), Qt::UTC));
        const Event moved = row(exceptionId);
        QCOMPARE(moved.master_event_uid, masterId);
        QCOMPARE(moved.recurrence_id, m_now.addDays(10).toString(QStringLiteral("yyyyMMddTHHmmssZ")));
        QCOMPARE(m_events->getByCalendar(CalendarId).size(), 2); // the occurrence is the series' own

        // Deleted on the server: the series goes with its exception.
        m_server->removeEvent(masterId);
        m_server->removeEvent(exceptionId);
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(titles(), QStringList());
    }

    // The seed of the default calendar's delta ends without a token: what
    // it listed is kept, no token is stored, and the next run lists the
    // whole window again, which is also how it learns of removals.
    void seedWithoutATokenListsTheWindowAgain()
    {
        m_server->omitDeltaLink = true;
        put(DefaultCalendar, timed(QStringLiteral("A"), m_now.addDays(1)));
        const QString b = put(DefaultCalendar, timed(QStringLiteral("B"), m_now.addDays(2)));
        Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(outcome.count, 2);
        QCOMPARE(titles(), (QStringList{"A", "B"}));
        QCOMPARE(calendar().delta_sync_token, QString());

        m_server->removeEvent(b);
        m_server->http().clearRequests();
        outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(titles(), QStringList{"A"});
        const QByteArray listing = m_server->requestsTo("/v1.0/me/calendarView/delta").first().target;
        QVERIFY2(listing.contains("startDateTime=") && !listing.contains("deltatoken"), listing.constData());
    }

    void htmlBodyAndRelativePatternRoundTrip_data()
    {
        QTest::addColumn<bool>("savedAsICalendar");
        QTest::newRow("row keeps Graph's object") << false;
        // The event form and the series edits store the row's iCalendar
        // text in place of the Graph object.
        QTest::newRow("saved by the event form") << true;
    }

    // A series with an HTML body and a relative monthly pattern, pulled,
    // edited here and pushed back: Graph keeps both as they were unless
    // they were the edit, and an edited body stays HTML.
    void htmlBodyAndRelativePatternRoundTrip()
    {
        QFETCH(bool, savedAsICalendar);
        const auto save = [&](Event event) {
            event.sync_status = SyncStatus::Pending;
            if (savedAsICalendar)
                event.raw_icalendar = IcsCodec::buildEventIcs(event);
            QVERIFY(m_events->update(event));
        };
        useCalendar(OtherCalendar);
        QJsonObject master = timed(QStringLiteral("Review"), m_now.addMonths(-1));
        master.insert(QStringLiteral("body"), QJsonObject{{QStringLiteral("contentType"), QStringLiteral("html")},
                                                          {QStringLiteral("content"), QStringLiteral("<p>Agenda</p>")}});
        master.insert(QStringLiteral("recurrence"), QJsonDocument::fromJson(SyncJson1).object());
        const QString masterId = put(OtherCalendar, master);
        QJsonObject occurrence = timed(QStringLiteral("Review"), m_now.addDays(3));
        occurrence.insert(QStringLiteral("type"), QStringLiteral("occurrence"));
        occurrence.insert(QStringLiteral("seriesMasterId"), masterId);
        put(OtherCalendar, occurrence);
        QCOMPARE(sync().failures, QStringList());
        const Event pulled = row(masterId);
        QCOMPARE(pulled.description, QStringLiteral("<p>Agenda</p>"));
        QCOMPARE(pulled.recurrence_rule, QStringLiteral("FREQ=MONTHLY;BYDAY=2TU"));
        const QJsonObject before = *m_server->event(masterId);

        Event renamed = pulled;
        renamed.title = QStringLiteral("Review, renamed");
        save(renamed);
        QCOMPARE(sync().failures, QStringList());
        const QJsonObject patch =
            QJsonDocument::fromJson(m_server->requestsTo("/v1.0/me/calendars/", "PATCH").last().body).object();
        QCOMPARE(patch.value(QStringLiteral("subject")).toString(), QStringLiteral("Review, renamed"));
        QVERIFY(!patch.contains(QStringLiteral("body")));
        QVERIFY(!patch.contains(QStringLiteral("recurrence")));
        QJsonObject after = *m_server->event(masterId);
        QCOMPARE(after.value(QStringLiteral("body")), before.value(QStringLiteral("body")));
        QCOMPARE(after.value(QStringLiteral("recurrence")), before.value(QStringLiteral("recurrence")));
        QCOMPARE(row(masterId).sync_status, SyncStatus::Synced);

        Event edited = row(masterId);
        edited.description = QStringLiteral("<p>Agenda</p><p>Budget</p>");
        edited.recurrence_rule = QStringLiteral("FREQ=MONTHLY;BYDAY=-1TH");
        save(edited);
        QCOMPARE(sync().failures, QStringList());
        after = *m_server->event(masterId);
        QCOMPARE(after.value(QStringLiteral("body")).toObject(),
                 (QJsonObject{{QStringLiteral("contentType"), QStringLiteral("html")},
                              {QStringLiteral("content"), QStringLiteral("<p>Agenda</p><p>Budget</p>")}}));
        const QJsonObject pattern =
            after.value(QStringLiteral("recurrence")).toObject().value(QStringLiteral("pattern")).toObject();
        QCOMPARE(pattern.value(QStringLiteral("type")).toString(), QStringLiteral("relativeMonthly"));
        QCOMPARE(pattern.value(QStringLiteral("index")).toString(), QStringLiteral("last"));
        QCOMPARE(pattern.value(QStringLiteral("daysOfWeek")).toArray(), QJsonArray{QStringLiteral("thursday")});
        // Changed on the server afterwards and read back, the rule is the
        // one written here.
        m_server->putEvent(OtherCalendar, after);
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(row(masterId).etag, m_server->event(masterId)->value(QStringLiteral("changeKey")).toString());
        QCOMPARE(row(masterId).recurrence_rule, QStringLiteral("FREQ=MONTHLY;BYDAY=-1TH"));
    }

    // One occurrence changed here ("this event only") changes that
    // occurrence on Graph; a new event beside it would show twice there.
    // Taken back (its undo), the occurrence returns to the series' time
    // there instead of being cancelled.
    void anOccurrenceChangedHereChangesThatOccurrence_data()
    {
        QTest::addColumn<QByteArray>("recurrence");
        QTest::addColumn<bool>("takenBack");
        QTest::newRow("changed") << QByteArray(SyncJson1) << false;
        QTest::newRow("changed, then taken back")
            << QByteArray(R"({"pattern":{"type":"daily","interval":1},"range":{"type":"noEnd"}})") << true;
    }

    void anOccurrenceChangedHereChangesThatOccurrence()
    {
        QFETCH(QByteArray, recurrence);
        QFETCH(bool, takenBack);
        useCalendar(OtherCalendar);
        QJsonObject master = timed(QStringLiteral("Review"), m_now.addMonths(-1));
        master.insert(QStringLiteral("recurrence"), QJsonDocument::fromJson(recurrence).object());
        const QString masterId = put(OtherCalendar, master);
        const QDateTime originalStart = m_now.addDays(3);
        QJsonObject occurrence = timed(QStringLiteral("Review"), originalStart);
        occurrence.insert(QStringLiteral("type"), QStringLiteral("occurrence"));
        occurrence.insert(QStringLiteral("seriesMasterId"), masterId);
        occurrence.insert(QStringLiteral("originalStart"), originalStart.toString(Qt::ISODate));
        const QString occurrenceId = put(OtherCalendar, occurrence);
        QCOMPARE(sync().failures, QStringList());

        Event moved = newLocalEvent(QStringLiteral("Review, moved"));
        moved.master_event_uid = masterId;
        moved.recurrence_id = originalStart.toString(QStringLiteral("yyyyMMddTHHmmssZ"));
        moved.start_time = originalStart.addSecs(7200);
        moved.end_time = originalStart.addSecs(10800);
        moved.raw_icalendar = IcsCodec::buildEventIcs(moved);
        QVERIFY(m_events->insert(moved));
        const int before = int(m_server->events(OtherCalendar).size());
        QCOMPARE(sync().failures, QStringList());

        QCOMPARE(m_server->events(OtherCalendar).size(), before);
        const QJsonObject changed = *m_server->event(occurrenceId);
        QCOMPARE(changed.value(QStringLiteral("subject")).toString(), QStringLiteral("Review, moved"));
        QCOMPARE(changed.value(QStringLiteral("type")).toString(), QStringLiteral("exception"));
        QVERIFY(!changed.contains(QStringLiteral("recurrence")));
        const Event stored = *m_events->getById(moved.id);
        QCOMPARE(stored.provider_event_id, occurrenceId);
        QCOMPARE(stored.sync_status, SyncStatus::Synced);
        QCOMPARE(stored.master_event_uid, masterId);

        // Read back, it stays the one override of that occurrence.
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(titles(), (QStringList{"Review", "Review, moved"}));

        if (!takenBack)
            return;
        QVERIFY(m_events->withdraw(moved.id));
        QCOMPARE(sync().failures, QStringList());
        const std::optional<QJsonObject> back = m_server->event(occurrenceId);
        QVERIFY(back);
        const QDateTime backAt = QDateTime::fromString(
            back->value(QStringLiteral("start")).toObject().value(QStringLiteral("dateTime")).toString(), Qt::ISODateWithMs);
        QCOMPARE((QVariantList{back->value(QStringLiteral("subject")).toString(), backAt.toSecsSinceEpoch()}),
                 (QVariantList{QStringLiteral("Review"), originalStart.toSecsSinceEpoch()}));
        QVERIFY(!m_events->getById(moved.id));
    }

    void expiredDeltaTokenRelistsTheWindowInTheSameRun()
    {
        put(DefaultCalendar, timed(QStringLiteral("A"), m_now.addDays(1)));
        const QString gone = put(DefaultCalendar, timed(QStringLiteral("Gone meanwhile"), m_now.addDays(2)));
        QCOMPARE(sync().failures, QStringList());
        const QString before = calendar().delta_sync_token;
        m_server->expireDeltaTokens();
        // Removed while the token was stale: no delta will ever name it.
        m_server->removeEvent(gone);
        put(DefaultCalendar, timed(QStringLiteral("B"), m_now.addDays(1)));
        const Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(outcome.completions, 1);
        QCOMPARE(titles(), (QStringList{"A", "B"}));
        QVERIFY(!calendar().delta_sync_token.isEmpty());
        QVERIFY(calendar().delta_sync_token != before);
    }

    // Both sides' changes are kept, here as on Graph: the next edit does
    // not send this side's value from before the join.
    void pendingRowWinsOverTheServer()
    {
        QJsonObject original = timed(QStringLiteral("Original"), m_now.addDays(1));
        original.insert(QStringLiteral("location"), QJsonObject{{QStringLiteral("displayName"), QStringLiteral("Room 4")}});
        const QString id = put(DefaultCalendar, original);
        QCOMPARE(sync().failures, QStringList());
        editLocally(row(id), QStringLiteral("Mine"));
        QJsonObject theirs = *m_server->event(id);
        theirs.insert(QStringLiteral("subject"), QStringLiteral("Theirs"));
        theirs.insert(QStringLiteral("location"), QJsonObject{{QStringLiteral("displayName"), QStringLiteral("Room 9")}});
        m_server->putEvent(DefaultCalendar, theirs);
        // Both sides changed the subject: the local one is kept, and said so.
        QCOMPARE(sync().failures,
                 QStringList{QStringLiteral("\"Mine\" was changed in Outlook too; the title set here was kept.")});
        // Pushed over a stale change key: read again, then written.
        QCOMPARE(m_server->event(id)->value(QStringLiteral("subject")).toString(), QStringLiteral("Mine"));
        QCOMPARE(row(id).sync_status, SyncStatus::Synced);
        QCOMPARE(row(id).location, QStringLiteral("Room 9"));
        QCOMPARE(m_server->requestsTo("/v1.0/me/events/", "GET").size(), 1);

        editLocally(row(id), QStringLiteral("Mine, again"));
        QCOMPARE(sync().failures, QStringList());
        const QJsonObject now = *m_server->event(id);
        QCOMPARE(now.value(QStringLiteral("subject")).toString(), QStringLiteral("Mine, again"));
        QCOMPARE(now.value(QStringLiteral("location")).toObject().value(QStringLiteral("displayName")).toString(),
                 QStringLiteral("Room 9"));
    }

    // An event deleted here while another device retitled it in Outlook:
    // the next sync's deletion meets Outlook's newer change key, reads the
    // event afresh, keeps what changed there in the tombstone and deletes
    // it. Ctrl+Z gives it back as Outlook held it last, the other device's
    // title with it, as a new event; with nothing changed there, as it was.
    // So too when the title changes again between the pull and the push,
    // and when the deletion is refused and stays pending: the undo's write
    // then joins both sides as an edit's does.
private:
    // "Planning" in Room 4 tomorrow on Outlook, synced here; its Graph id,
    // or none when the sync failed.
    QString syncedPlanning()
    {
        QJsonObject planning = timed(QStringLiteral("Planning"), m_now.addDays(1));
        planning.insert(QStringLiteral("location"), QJsonObject{{QStringLiteral("displayName"), QStringLiteral("Room 4")}});
        const QString id = put(DefaultCalendar, planning);
        return sync().failures.isEmpty() ? id : QString();
    }

private Q_SLOTS:
    void undoneDeleteKeepsWhatOutlookChanged_data()
    {
        QTest::addColumn<QString>("there");     // Outlook's title at the pull; empty: unchanged
        QTest::addColumn<bool>("refused");      // the deletion refused once
        QTest::addColumn<QString>("meanwhile"); // Outlook's title as the deletion arrives
        QTest::newRow("retitled there") << "Planning, theirs" << false << QString();
        QTest::newRow("retitled there, the deletion refused") << "Planning, theirs" << true << QString();
        QTest::newRow("retitled there, again as the deletion arrives")
            << "Planning, theirs" << false << "Planning, later";
        QTest::newRow("nothing changed there") << QString() << false << QString();
    }

    void undoneDeleteKeepsWhatOutlookChanged()
    {
        QFETCH(QString, there);
        QFETCH(bool, refused);
        QFETCH(QString, meanwhile);
        const QString id = syncedPlanning();
        QVERIFY(!id.isEmpty());
        UndoStack undo;
        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), &undo);
        QVERIFY(editor.remove(row(id)));
        const auto retitle = [this, id](const QString &title) {
            QJsonObject theirs = *m_server->event(id);
            theirs.insert(QStringLiteral("subject"), title);
            m_server->putEvent(DefaultCalendar, theirs);
        };
        if (!there.isEmpty())
            retitle(there);
        if (refused)
            m_server->failNext({"DELETE", "/events/", 400, false, 1, -1});
        int deletes = 0;
        m_server->onRequest = [&](const LocalHttpServer::Request &request) {
            if (request.method == "DELETE" && ++deletes == 1 && !meanwhile.isEmpty())
                retitle(meanwhile);
        };
        QCOMPARE(sync().failures.size(), refused ? 1 : 0);
        m_server->onRequest = nullptr;
        const QString last = !meanwhile.isEmpty() ? meanwhile : there.isEmpty() ? QStringLiteral("Planning") : there;
        const auto shown = [this] {
            QStringList live;
            for (const QJsonObject &event : m_server->events(DefaultCalendar))
                live.append(event.value(QStringLiteral("subject")).toString() + QStringLiteral(" @ ")
                            + event.value(QStringLiteral("location")).toObject().value("displayName").toString());
            return live;
        };
        QCOMPARE(shown(), refused ? QStringList{last + " @ Room 4"} : QStringList());
        QCOMPARE(m_server->requestsTo("/v1.0/me/events/", "GET").size(), there.isEmpty() || refused ? 0 : 1);

        QSignalSpy undone(&undo, &UndoStack::undone);
        undo.undo();
        QCOMPARE(undone.size(), 1);
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(shown(), QStringList{last + " @ Room 4"});
        QCOMPARE(sync().failures, QStringList());
        QStringList here;
        for (const Event &event : m_events->getByCalendar(CalendarId))
            here.append(event.title + " @ " + event.location);
        QCOMPARE(here, shown());
    }

    void undoneEditKeepsWhatOutlookChanged_data()
    {
        QTest::addColumn<QString>("there"); // Outlook's room by the next sync; empty: unchanged
        QTest::newRow("moved to another room there") << "Room 5";
        QTest::newRow("nothing changed there") << QString();
    }

    // Dragged and dragged back before a sync: the row waits with nothing of
    // its own to send, and the pull passes it by, so a change made on
    // another device meanwhile reaches it only through its push.
    void undoneEditKeepsWhatOutlookChanged()
    {
        QFETCH(QString, there);
        const QString id = syncedPlanning();
        QVERIFY(!id.isEmpty());
        UndoStack undo;
        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), &undo);
        const Event synced = row(id);
        const std::optional<EventEditor::Times> later = EventEditor::moved(synced, synced.start_time, 0, 60);
        QVERIFY(later);
        QVERIFY(editor.changeTimes(synced, synced.start_time, *later, EventEditor::TimeEdit::Move).ok);
        QSignalSpy undone(&undo, &UndoStack::undone);
        undo.undo();
        QCOMPARE(undone.size(), 1);
        QCOMPARE(row(id).sync_status, SyncStatus::Pending);
        if (!there.isEmpty()) {
            QJsonObject theirs = *m_server->event(id);
            theirs.insert(QStringLiteral("location"), QJsonObject{{QStringLiteral("displayName"), there}});
            m_server->putEvent(DefaultCalendar, theirs);
        }
        QCOMPARE(sync().failures, QStringList());
        const QString room = there.isEmpty() ? QStringLiteral("Room 4") : there;
        const QJsonObject theirs = *m_server->event(id);
        QCOMPARE(theirs.value(QStringLiteral("location")).toObject().value(QStringLiteral("displayName")).toString(), room);
        // Nothing of this device's went up.
        QCOMPARE(m_server->requestsTo("/v1.0/me/events/", "PATCH").size(), 0);
        const Event here = row(id);
        QCOMPARE(here.title + " @ " + here.location, "Planning @ " + room);
        QCOMPARE(here.start_time, synced.start_time);
        QCOMPARE(here.sync_status, SyncStatus::Synced);
        // Its next change starts from Outlook's copy, not a stale one.
        QCOMPARE(here.etag, theirs.value(QStringLiteral("changeKey")).toString());
    }

    void staleChangeKeyThatStaysStaleIsReported()
    {
        const QString id = put(DefaultCalendar, timed(QStringLiteral("Original"), m_now.addDays(1)));
        QCOMPARE(sync().failures, QStringList());
        editLocally(row(id), QStringLiteral("Mine"));
        m_server->failNext({"PATCH", "/events/", 412, false, 2, -1});
        const Outcome outcome = sync();
        QCOMPARE(outcome.completions, 1);
        QCOMPARE(outcome.failures.size(), 1);
        QVERIFY(outcome.failures.first().startsWith(QStringLiteral("\"Mine\" was changed in Outlook")));
        QCOMPARE(row(id).sync_status, SyncStatus::Pending);
    }

    void editDuringPushStaysPending()
    {
        QVERIFY(m_events->insert(newLocalEvent(QStringLiteral("New"))));
        m_server->onRequest = [this](const LocalHttpServer::Request &request) {
            if (request.method == "POST")
                editLocally(*m_events->getById(QStringLiteral("local-New")), QStringLiteral("New, renamed"));
        };
        QCOMPARE(sync().failures, QStringList());
        m_server->onRequest = nullptr;
        const Event after = *m_events->getById(QStringLiteral("local-New"));
        QCOMPARE(after.sync_status, SyncStatus::Pending);
        QVERIFY(!after.provider_event_id.isEmpty());
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(m_server->event(after.provider_event_id)->value(QStringLiteral("subject")).toString(),
                 QStringLiteral("New, renamed"));
        QCOMPARE(m_server->events(DefaultCalendar).size(), 1);
        QCOMPARE(m_events->getById(QStringLiteral("local-New"))->sync_status, SyncStatus::Synced);
    }

    void pushOutcomes()
    {
        const QString gone = put(DefaultCalendar, timed(QStringLiteral("Gone"), m_now.addDays(1)));
        const QString deleted = put(DefaultCalendar, timed(QStringLiteral("Deleted"), m_now.addDays(1)));
        QCOMPARE(sync().failures, QStringList());
        QVERIFY(m_events->insert(newLocalEvent(QStringLiteral("Never pushed"))));
        QVERIFY(m_events->remove(QStringLiteral("local-Never pushed")));
        // The pending rows are read with their reminders.
        Event reminded = newLocalEvent(QStringLiteral("Reminded"));
        reminded.reminders = {Reminder()};
        reminded.reminders[0].minutes_before = 15;
        QVERIFY(m_events->insert(reminded));
        QVERIFY(m_events->remove(row(deleted).id));
        const QString goneLocal = row(gone).id;
        editLocally(row(gone), QStringLiteral("Gone, edited"));
        m_server->failNext({"PATCH", "/events/", 404, false, 1, -1});
        const Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(outcome.completions, 1);
        QVERIFY(!m_events->getById(QStringLiteral("local-Never pushed")));
        QVERIFY(!m_server->event(deleted));
        const Event retry = *m_events->getById(goneLocal);
        QCOMPARE(retry.provider_event_id, QString());
        QCOMPARE(retry.sync_status, SyncStatus::Pending);
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendars/", "DELETE").size(), 1);
        const QJsonObject sent = *m_server->event(m_events->getById(reminded.id)->provider_event_id);
        QCOMPARE(sent.value(QStringLiteral("isReminderOn")).toBool(), true);
        QCOMPARE(sent.value(QStringLiteral("reminderMinutesBeforeStart")).toInt(), 15);
    }

    void invitationAnswerGoesToTheOrganizer()
    {
        QJsonObject invite = timed(QStringLiteral("Board meeting"), m_now.addDays(5));
        invite.insert(QStringLiteral("organizer"),
                      QJsonObject{{QStringLiteral("emailAddress"),
                                   QJsonObject{{QStringLiteral("address"), QStringLiteral("boss@example.com")}}}});
        invite.insert(QStringLiteral("attendees"),
                      QJsonArray{QJsonObject{{QStringLiteral("type"), QStringLiteral("required")},
                                             {QStringLiteral("status"),
                                              QJsonObject{{QStringLiteral("response"), QStringLiteral("none")}}},
                                             {QStringLiteral("emailAddress"),
                                              QJsonObject{{QStringLiteral("address"), QStringLiteral("ada@example.com")}}}}});
        const QString id = put(DefaultCalendar, invite);
        QCOMPARE(sync().failures, QStringList());
        Event answered = row(id);
        answered.attendees[0].status = QStringLiteral("tentative");
        answered.sync_status = SyncStatus::Pending;
        QVERIFY(m_events->update(answered));
        QCOMPARE(sync().failures, QStringList());
        QCOMPARE(m_server->requestsTo("/v1.0/me/events/", "POST").size(), 1);
        QVERIFY(m_server->requestsTo("/v1.0/me/events/", "POST").first().target.endsWith("/tentativelyAccept"));
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendars/", "PATCH").size(), 0);
        QCOMPARE(m_server->event(id)->value(QStringLiteral("attendees")).toArray().first().toObject()
                     .value(QStringLiteral("status")).toObject().value(QStringLiteral("response")).toString(),
                 QStringLiteral("tentativelyAccepted"));
        QCOMPARE(row(id).sync_status, SyncStatus::Synced);
    }

    void failedSavesAreReportedAndTheTokenStays()
    {
        put(DefaultCalendar, timed(QStringLiteral("Good"), m_now.addDays(1)));
        QCOMPARE(sync().failures, QStringList());
        const QString token = calendar().delta_sync_token;
        for (const char *title : {"Broken 1", "Fine 1", "Broken 2", "Fine 2", "Fine 3"})
            put(DefaultCalendar, timed(QString::fromLatin1(title), m_now.addDays(2)));
        QVERIFY(m_store->exec(QStringLiteral("CREATE TRIGGER refuse_broken BEFORE INSERT ON events "
                                             "WHEN NEW.title LIKE 'Broken%' BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        QVERIFY(m_events->insert(newLocalEvent(QStringLiteral("Pushed anyway"))));
        const Outcome outcome = sync();
        QCOMPARE(outcome.failures, QStringList{QStringLiteral("2 event(s) failed to save locally; will retry next sync.")});
        QCOMPARE(outcome.completions, 1);
        QCOMPARE(outcome.count, 5);
        QCOMPARE(calendar().delta_sync_token, token);
        QCOMPARE(titles(), (QStringList{"Fine 1", "Fine 2", "Fine 3", "Good", "Pushed anyway"}));
        QCOMPARE(m_events->getById(QStringLiteral("local-Pushed anyway"))->sync_status, SyncStatus::Synced);
    }

    void listingFailureEndsTheRunBeforeThePush()
    {
        QVERIFY(m_events->insert(newLocalEvent(QStringLiteral("Waiting"))));
        m_server->failNext({"GET", "/me/calendarView/delta", 500, false, 1, -1});
        const Outcome outcome = sync();
        QCOMPARE(outcome.completions, 0);
        QCOMPARE(outcome.failures.size(), 1);
        QVERIFY(outcome.failures.first().startsWith(QStringLiteral("Microsoft rejected events list (HTTP 500)")));
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendars/", "POST").size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestMicrosoftSyncClient)
#include "tst_microsoftsyncclient.moc"
