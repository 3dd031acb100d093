// An event of a Google calendar edited in the event form, then synced with
// the fake Google server: what the form does not show stays Google's.
#include "app/appstate.h"
#include "calendar/recurrence.h"
#include "dialogs/editing/eventformdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/google/googleauthservice.h"
#include "sync/google/googlesyncclient.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/tempdatadir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QTest>

#include <memory>

class TestGoogleFormEdit : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<FakeGoogleServer> m_server;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<Google::SyncClient> m_client;

    bool sync()
    {
        bool done = false;
        bool ok = false;
        QObject context;
        connect(m_client.get(), &Sync::CalendarSyncClient::calendarSyncCompleted, &context, [&] {
            ok = done = true;
        });
        connect(m_client.get(), &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                [&](const QString &, const QString &reason) {
                    qWarning() << "sync failed:" << reason;
                    done = true;
                });
        m_client->syncCalendar(*m_state->calendars()->getById(QStringLiteral("work")));
        return QTest::qWaitFor([&] { return done; }, 10000) && ok;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_server = std::make_unique<FakeGoogleServer>();
        QVERIFY(m_server->start());
        m_server->addAccessToken(QStringLiteral("ya29.stored"));
        m_state = std::make_unique<AppState>();
        QVERIFY(m_state->initialize());
        Account account;
        account.id = QStringLiteral("g");
        account.name = account.username = QStringLiteral("me@example.com");
        account.type = AccountType::Google;
        QVERIFY(m_state->accounts()->insert(account));
        Calendar work;
        work.id = QStringLiteral("work");
        work.name = QStringLiteral("Team");
        work.account_id = account.id;
        work.url = QStringLiteral("team@example.com");
        QVERIFY(m_state->calendars()->insert(work));

        Google::Endpoints endpoints;
        endpoints.accountsBase = endpoints.tokenBase = endpoints.apiBase = m_server->baseUrl();
        endpoints.clientId = m_server->clientId;
        endpoints.clientSecret = m_server->clientSecret;
        endpoints.transferTimeoutMs = 5000;
        m_client = std::make_unique<Google::SyncClient>(m_state->recordRepositories(), endpoints);
        auto secrets = std::make_shared<QHash<QString, QString>>();
        MemoryTokenStore tokens(secrets);
        QVERIFY(Google::AuthService::saveTokens(tokens, account.id,
                                                {QStringLiteral("ya29.stored"), QStringLiteral("1//stored"),
                                                 QDateTime::currentDateTimeUtc().addSecs(3600)}));
        m_client->setTokenStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
    }

    void cleanup()
    {
        m_client.reset();
        m_state.reset();
        m_server.reset();
        m_dir.reset();
    }

    // A new title is all that reaches Google: the attendees (other
    // people), the extended properties and the colour stay as they were.
    void formEditSendsOnlyWhatChanged()
    {
        const QJsonObject original = m_server->putEvent(
            QStringLiteral("team@example.com"),
            QJsonDocument::fromJson(
                "{\"summary\":\"Planning\",\"location\":\"Room 4\",\"colorId\":\"4\","
                "\"start\":{\"dateTime\":\"2026-03-02T09:00:00Z\"},\"end\":{\"dateTime\":\"2026-03-02T10:00:00Z\"},"
                "\"organizer\":{\"email\":\"me@example.com\",\"self\":true},"
                "\"attendees\":[{\"email\":\"me@example.com\",\"organizer\":true,\"self\":true,\"responseStatus\":\"accepted\"},"
                "{\"email\":\"ada@example.com\",\"responseStatus\":\"needsAction\",\"comment\":\"late\"}],"
                "\"extendedProperties\":{\"private\":{\"crm\":\"4711\"}}}")
                .object());
        const QString id = original.value(QStringLiteral("id")).toString();
        QVERIFY(sync());
        const Event row = *m_state->events()->getByProviderEventId(QStringLiteral("work"), id);

        EventFormDialog dialog(m_state.get(), row);
        dialog.findChild<QLineEdit *>(QStringLiteral("title"))->setText(QStringLiteral("Planning (moved)"));
        QVERIFY(dialog.save().saved());
        m_server->http().clearRequests();
        QVERIFY(sync());

        const QList<LocalHttpServer::Request> writes = m_server->requestsTo("/calendar/v3/calendars/", "PATCH");
        QCOMPARE(writes.size(), 1);
        const QJsonObject titleOnly{{QStringLiteral("summary"), QStringLiteral("Planning (moved)")}};
        QCOMPARE(QJsonDocument::fromJson(writes.first().body).object(), titleOnly);
        QJsonObject expected = original;
        expected.insert(QStringLiteral("summary"), QStringLiteral("Planning (moved)"));
        QJsonObject now = m_server->event(QStringLiteral("team@example.com"), id).value();
        for (const char *stamp : {"etag", "updated"}) {
            expected.remove(QLatin1String(stamp));
            now.remove(QLatin1String(stamp));
        }
        QCOMPARE(now, expected);
        QCOMPARE(m_state->events()->getById(row.id)->sync_status, SyncStatus::Synced);
    }

    // A series edited through the form: one occurrence becomes Google's
    // instance of it; the whole series keeps its attendees.
    void seriesEditedThroughTheFormReachesGoogle_data()
    {
        QTest::addColumn<QString>("scope");
        QTest::newRow("this event only") << QStringLiteral("This event only");
        QTest::newRow("all events") << QStringLiteral("All events in the series");
    }

    void seriesEditedThroughTheFormReachesGoogle()
    {
        QFETCH(QString, scope);
        const QJsonObject original = m_server->putEvent(
            QStringLiteral("team@example.com"),
            QJsonDocument::fromJson(
                "{\"summary\":\"Standup\",\"recurrence\":[\"RRULE:FREQ=DAILY;COUNT=5\"],"
                "\"start\":{\"dateTime\":\"2026-03-02T09:00:00Z\",\"timeZone\":\"UTC\"},"
                "\"end\":{\"dateTime\":\"2026-03-02T09:15:00Z\",\"timeZone\":\"UTC\"},"
                "\"attendees\":[{\"email\":\"ada@example.com\",\"responseStatus\":\"accepted\"}],"
                "\"extendedProperties\":{\"private\":{\"crm\":\"4711\"}}}")
                .object());
        const QString id = original.value(QStringLiteral("id")).toString();
        QVERIFY(sync());
        const Event master = *m_state->events()->getByProviderEventId(QStringLiteral("work"), id);
        const QList<Event> shown = Recurrence::expandForRange(
            {master}, QDateTime(QDate(2026, 3, 4), QTime(0, 0), Qt::UTC), QDateTime(QDate(2026, 3, 5), QTime(0, 0), Qt::UTC));
        QCOMPARE(shown.size(), 1);

        EventFormDialog dialog(m_state.get(), master, shown.first());
        dialog.findChild<QLineEdit *>(QStringLiteral("title"))->setText(QStringLiteral("Standup (renamed)"));
        ModalAnswerer answerer;
        answerer.clickButton(scope);
        QVERIFY(dialog.save().saved());
        QVERIFY(sync());

        const QJsonObject series = m_server->event(QStringLiteral("team@example.com"), id).value();
        QCOMPARE(series.value(QStringLiteral("attendees")), original.value(QStringLiteral("attendees")));
        QCOMPARE(series.value(QStringLiteral("extendedProperties")), original.value(QStringLiteral("extendedProperties")));
        const QString instanceId = id + QStringLiteral("_20260304T090000Z");
        QStringList ids;
        for (const QJsonObject &event : m_server->events(QStringLiteral("team@example.com")))
            ids.append(event.value(QStringLiteral("id")).toString());
        if (scope == QLatin1String("This event only")) {
            QCOMPARE(ids, (QStringList{id, instanceId}));
            QCOMPARE(series.value(QStringLiteral("summary")).toString(), QStringLiteral("Standup"));
            QCOMPARE(m_server->event(QStringLiteral("team@example.com"), instanceId)->value(QStringLiteral("summary")),
                     QJsonValue(QStringLiteral("Standup (renamed)")));
        } else {
            QCOMPARE(ids, QStringList{id});
            QCOMPARE(series.value(QStringLiteral("summary")).toString(), QStringLiteral("Standup (renamed)"));
        }
        QVERIFY(m_state->events()->getPending(QStringLiteral("work")).isEmpty());
    }
};

QTEST_MAIN(TestGoogleFormEdit)
#include "tst_googleformedit.moc"
