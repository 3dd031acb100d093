#include "account/tndclaims.h"
#include "account/tokenmanager.h"
#include "tests/support/memorytokenstore.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace TindAccount;

namespace {

QString jwt(const QByteArray &payload)
{
    constexpr auto url = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;
    return QString::fromLatin1(QByteArray("{\"alg\":\"none\"}").toBase64(url) + '.' + payload.toBase64(url) + ".sig");
}

QString expiringIn(qint64 seconds)
{
    return jwt(QJsonDocument(QJsonObject{{"exp", QDateTime::currentSecsSinceEpoch() + seconds}}).toJson());
}

// A refresh function the test answers by hand.
struct ManualRefresh
{
    int calls = 0;
    QString lastToken;
    TokenManager::TokensCallback onTokens;
    TokenManager::FailureCallback onFailure;

    TokenManager::RefreshFunction function()
    {
        return [this](const QString &token, TokenManager::TokensCallback tokens, TokenManager::FailureCallback failure) {
            ++calls;
            lastToken = token;
            onTokens = std::move(tokens);
            onFailure = std::move(failure);
        };
    }
};

} // namespace

class TestTokenManager : public QObject
{
    Q_OBJECT

private:
    MemoryTokenStore::Entries m_entries;

    std::unique_ptr<TokenManager> manager(const QString &access, const QString &refresh)
    {
        m_entries = std::make_shared<QHash<QString, QString>>();
        auto tokens = std::make_unique<TokenManager>(std::make_unique<MemoryTokenStore>(m_entries));
        tokens->setTokens(access, refresh);
        return tokens;
    }

    QHash<QString, QString> stored(const QString &access, const QString &refresh)
    {
        return {{AccessTokenKey, access}, {RefreshTokenKey, refresh}};
    }

private Q_SLOTS:
    void accessTokenIsUsableUntilThirtySecondsBeforeExpiry_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("valid");
        QTest::newRow("31 s ahead") << expiringIn(31) << true;
        QTest::newRow("30 s ahead") << expiringIn(30) << false;
        QTest::newRow("29 s ahead") << expiringIn(29) << false;
        QTest::newRow("expired") << expiringIn(-5) << false;
        QTest::newRow("no exp") << jwt(R"({"sub":"u"})") << false;
        QTest::newRow("exp as text") << jwt(R"({"exp":"99999999999"})") << false;
        QTest::newRow("payload not JSON") << jwt("not json") << false;
        QTest::newRow("not a JWT") << QStringLiteral("opaque") << false;
    }

    void accessTokenIsUsableUntilThirtySecondsBeforeExpiry()
    {
        QFETCH(QString, token);
        QFETCH(bool, valid);
        auto tokens = manager(token, "refresh");
        QCOMPARE(tokens->validAccessToken(), valid ? token : QString());
        // With a refresh token at hand an unusable access token asks for a refresh.
        QCOMPARE(tokens->needsRefresh(), !valid);
        tokens->setTokens(token, QString());
        QVERIFY(!tokens->needsRefresh());
    }

    void concurrentRefreshesShareOneFlight()
    {
        auto tokens = manager(expiringIn(-1), "r1");
        ManualRefresh refresh;
        tokens->setRefreshCallback(refresh.function());
        QList<QPair<int, RefreshResult>> outcomes;
        for (int i = 0; i < 3; ++i)
            tokens->refresh([&outcomes, i](RefreshResult result) { outcomes.append({i, result}); });
        tokens->refresh({});
        QCOMPARE(refresh.calls, 1);
        QCOMPARE(refresh.lastToken, QStringLiteral("r1"));
        const QString fresh = expiringIn(3600);
        refresh.onTokens(fresh, "r2");
        const QList<QPair<int, RefreshResult>> expected{
            {0, RefreshResult::Success}, {1, RefreshResult::Success}, {2, RefreshResult::Success}};
        QCOMPARE(outcomes, expected);
        QCOMPARE(tokens->validAccessToken(), fresh);
        QCOMPARE(*m_entries, stored(fresh, "r2"));
        // A finished flight lets the next refresh go out.
        tokens->refresh({});
        QCOMPARE(refresh.calls, 2);
    }

    void refreshFailureKindsReachEveryWaiter_data()
    {
        QTest::addColumn<bool>("rejected");
        QTest::addColumn<RefreshResult>("expected");
        QTest::newRow("refused") << true << RefreshResult::Rejected;
        QTest::newRow("unreachable") << false << RefreshResult::Transient;
    }

    void refreshFailureKindsReachEveryWaiter()
    {
        QFETCH(bool, rejected);
        QFETCH(RefreshResult, expected);
        const QString old = expiringIn(-1);
        auto tokens = manager(old, "r1");
        ManualRefresh refresh;
        tokens->setRefreshCallback(refresh.function());
        QList<RefreshResult> outcomes;
        tokens->refresh([&](RefreshResult result) { outcomes.append(result); });
        tokens->refresh([&](RefreshResult result) { outcomes.append(result); });
        refresh.onFailure(rejected);
        QCOMPARE(outcomes, QList<RefreshResult>({expected, expected}));
        // Deciding to sign out is the caller's business: the tokens stay.
        QCOMPARE(*m_entries, stored(old, "r1"));
    }

    void refreshWithoutRefreshTokenIsRejectedAtOnce()
    {
        auto tokens = manager(QString(), QString());
        ManualRefresh refresh;
        tokens->setRefreshCallback(refresh.function());
        QList<RefreshResult> outcomes;
        tokens->refresh([&](RefreshResult result) { outcomes.append(result); });
        QCOMPARE(outcomes, QList<RefreshResult>{RefreshResult::Rejected});
        QCOMPARE(refresh.calls, 0);
    }

    void successfulReplyWithoutAccessTokenKeepsTheSession()
    {
        const QString old = expiringIn(-1);
        auto tokens = manager(old, "r1");
        ManualRefresh refresh;
        tokens->setRefreshCallback(refresh.function());
        QList<RefreshResult> outcomes;
        tokens->refresh([&](RefreshResult result) { outcomes.append(result); });
        refresh.onTokens(QString(), "r2");
        QCOMPARE(outcomes, QList<RefreshResult>{RefreshResult::Transient});
        QCOMPARE(tokens->refreshToken(), QStringLiteral("r1"));
        QCOMPARE(*m_entries, stored(old, "r1"));
    }

    void successfulReplyWithoutRefreshTokenKeepsTheCurrentOne()
    {
        auto tokens = manager(expiringIn(-1), "r1");
        ManualRefresh refresh;
        tokens->setRefreshCallback(refresh.function());
        RefreshResult outcome = RefreshResult::Transient;
        tokens->refresh([&](RefreshResult result) { outcome = result; });
        const QString fresh = expiringIn(600);
        refresh.onTokens(fresh, QString());
        QCOMPARE(outcome, RefreshResult::Success);
        QCOMPARE(*m_entries, stored(fresh, "r1"));
    }

    void refreshEndingAfterSignOutStoresNothing()
    {
        auto tokens = manager(expiringIn(-1), "r1");
        ManualRefresh refresh;
        tokens->setRefreshCallback(refresh.function());
        RefreshResult outcome = RefreshResult::Success;
        tokens->refresh([&](RefreshResult result) { outcome = result; });
        tokens->clearTokens();
        refresh.onTokens(expiringIn(600), "r2");
        QCOMPARE(outcome, RefreshResult::Rejected);
        QVERIFY(m_entries->isEmpty());
        QVERIFY(tokens->validAccessToken().isEmpty());
        QVERIFY(tokens->refreshToken().isEmpty());
    }

    void refreshThatNeverEndsReleasesItsWaiters()
    {
        auto tokens = manager(expiringIn(-1), "r1");
        tokens->setRefreshTimeLimit(50);
        ManualRefresh refresh;
        tokens->setRefreshCallback(refresh.function());
        QList<RefreshResult> outcomes;
        tokens->refresh([&](RefreshResult result) { outcomes.append(result); });
        QTest::ignoreMessage(QtWarningMsg, "TokenManager: token refresh did not end in time");
        QTRY_COMPARE(outcomes, QList<RefreshResult>{RefreshResult::Transient});
        // A late answer to the abandoned flight changes nothing; a new refresh goes out.
        refresh.onTokens(expiringIn(600), "late");
        QCOMPARE(tokens->refreshToken(), QStringLiteral("r1"));
        tokens->refresh([&](RefreshResult result) { outcomes.append(result); });
        QCOMPARE(refresh.calls, 2);
    }

    void claimsComeFromTheTndObject_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<TndClaims>("expected");
        QTest::newRow("owner") << QByteArray(R"({"custom":{"tnd":{"group_id":"g1","role":"owner","x":1}}})")
                               << TndClaims{"g1", "owner"};
        QTest::newRow("no custom") << QByteArray(R"({"exp":1})") << TndClaims();
        QTest::newRow("wrong types") << QByteArray(R"({"custom":{"tnd":{"group_id":7,"role":"member"}}})")
                                     << TndClaims{QString(), "member"};
        QTest::newRow("tnd not an object") << QByteArray(R"({"custom":{"tnd":"g1"}})") << TndClaims();
    }

    void claimsComeFromTheTndObject()
    {
        QFETCH(QByteArray, payload);
        QFETCH(TndClaims, expected);
        QCOMPARE(TndClaims::fromAccessToken(jwt(payload)), expected);
    }
};

QTEST_GUILESS_MAIN(TestTokenManager)
#include "tst_tokenmanager.moc"
