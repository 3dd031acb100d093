#include "tests/sync/google/googlesyncbed.h"

// Two calendars of one Google account synced at once on two clients, as
// the automatic sync does after edits in both: where the provider rotates
// refresh tokens and revokes the old one, a second renewal with the same
// refresh token would be refused and cost the account its sign-in.
class TestTokenRenewal : public QObject
{
    Q_OBJECT

    GoogleSyncBed m_bed;

    // A second client over the bed's store and secrets, with "home", a
    // second calendar of the account.
    std::unique_ptr<Google::SyncClient> otherClient()
    {
        Calendar home = m_bed.calendar();
        home.id = QStringLiteral("home");
        home.url = QStringLiteral("home@example.com");
        if (!m_bed.calendars->insert(home))
            return nullptr;
        auto other = std::make_unique<Google::SyncClient>(
            Sync::Repositories{m_bed.store->db(), m_bed.events.get(), nullptr, m_bed.calendars.get(),
                               m_bed.accounts.get()},
            m_bed.endpoints());
        auto shared = m_bed.secrets;
        other->setTokenStoreMaker([shared] { return std::make_unique<MemoryTokenStore>(shared); });
        return other;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_bed.start()); }

    // Google refuses the stored token (401) and its grant (invalid_grant):
    // a 401 answered after the refusal asks nothing more, and both runs
    // end once, saying what to do.
    void aRefusedGrantIsAskedForOnceAcrossClients()
    {
        QVERIFY(m_bed.saveTokens(QDateTime::currentDateTimeUtc().addSecs(3600), QStringLiteral("ya29.unknown")));
        m_bed.server->revokeRefreshToken(QStringLiteral("1//stored"));
        ScriptedHttpFront::Failure late{"GET", "/events", 401, false, 1};
        late.held = true;
        m_bed.server->failNext(late);
        const std::unique_ptr<Google::SyncClient> other = otherClient();
        QVERIFY(other);
        QStringList failures;
        QObject context;
        for (Sync::CalendarSyncClient *client : {static_cast<Sync::CalendarSyncClient *>(m_bed.client.get()),
                                                 static_cast<Sync::CalendarSyncClient *>(other.get())}) {
            connect(client, &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                    [&](const QString &, const QString &reason) {
                        failures.append(reason);
                        m_bed.server->http().releaseHeld();
                    });
        }
        m_bed.client->syncCalendar(m_bed.calendar());
        other->syncCalendar(m_bed.calendar(QStringLiteral("home")));
        QTRY_COMPARE_WITH_TIMEOUT(failures.size(), 2, 10000);
        QCOMPARE(failures,
                 QStringList(2, QStringLiteral("Google no longer accepts the saved sign-in. Sign in again.")));
        QCOMPARE(m_bed.server->requestsTo("/token").size(), 1);
        QCOMPARE(m_bed.accounts->getById(QStringLiteral("g"))->last_sync_error, QStringLiteral("Sign in required"));
    }

    void oneRenewalPerAccountAcrossClients_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("token expired") << "expired";
        QTest::newRow("stored token refused (401)") << "refused";
        QTest::newRow("renewed elsewhere meanwhile") << "elsewhere";
    }

    void oneRenewalPerAccountAcrossClients()
    {
        QFETCH(QString, setup);
        m_bed.server->rotateRefreshTokens = true;
        if (setup == QLatin1String("expired"))
            QVERIFY(m_bed.saveTokens(QDateTime::currentDateTimeUtc().addSecs(-10)));
        if (setup == QLatin1String("refused"))
            QVERIFY(m_bed.saveTokens(QDateTime::currentDateTimeUtc().addSecs(3600), QStringLiteral("ya29.unknown")));
        if (setup == QLatin1String("elsewhere")) {
            QVERIFY(m_bed.saveTokens(QDateTime::currentDateTimeUtc().addSecs(-10)));
            // While the refresh is out, another program renews the account:
            // the refresh token sent is revoked, the new set stored.
            auto renewed = std::make_shared<bool>(false);
            m_bed.server->onRequest = [this, renewed](const LocalHttpServer::Request &request) {
                if (!request.target.startsWith("/token") || std::exchange(*renewed, true))
                    return;
                m_bed.server->revokeRefreshToken(QStringLiteral("1//stored"));
                m_bed.server->addRefreshToken(QStringLiteral("1//elsewhere"));
                m_bed.server->addAccessToken(QStringLiteral("ya29.elsewhere"));
                m_bed.saveTokens(QDateTime::currentDateTimeUtc().addSecs(3600), QStringLiteral("ya29.elsewhere"),
                                 QStringLiteral("1//elsewhere"));
            };
        }
        const std::unique_ptr<Google::SyncClient> other = otherClient();
        QVERIFY(other);
        QSignalSpy firstDone(m_bed.client.get(), &Sync::CalendarSyncClient::calendarSyncCompleted);
        QSignalSpy firstFailed(m_bed.client.get(), &Sync::CalendarSyncClient::calendarSyncFailed);
        QSignalSpy otherDone(other.get(), &Sync::CalendarSyncClient::calendarSyncCompleted);
        QSignalSpy otherFailed(other.get(), &Sync::CalendarSyncClient::calendarSyncFailed);

        m_bed.client->syncCalendar(m_bed.calendar());
        other->syncCalendar(m_bed.calendar(QStringLiteral("home")));
        QTRY_COMPARE_WITH_TIMEOUT(firstDone.size() + firstFailed.size() + otherDone.size() + otherFailed.size(), 2,
                                  10000);
        QCOMPARE(firstFailed, QList<QList<QVariant>>());
        QCOMPARE(otherFailed, QList<QList<QVariant>>());
        QCOMPARE(m_bed.server->requestsTo("/token").size(), 1);
        QCOMPARE(m_bed.accounts->getById(QStringLiteral("g"))->last_sync_error, QString());
        const Google::StoredTokens kept = m_bed.savedTokens();
        if (setup == QLatin1String("elsewhere")) {
            QCOMPARE(kept.refreshToken, QStringLiteral("1//elsewhere"));
            QCOMPARE(m_bed.server->requestsTo("/calendar/v3/").value(0).header("authorization"),
                     QByteArray("Bearer ya29.elsewhere"));
        } else {
            QCOMPARE(kept.refreshToken, m_bed.server->lastRefreshToken());
            QCOMPARE(kept.accessToken, m_bed.server->lastAccessToken());
        }
    }
};

QTEST_GUILESS_MAIN(TestTokenRenewal)
#include "tst_tokenrenewal.moc"
