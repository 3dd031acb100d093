#include "cloud/configdiscovery.h"

#include <QDebug>
#include <QPointer>
#include <QTimer>
#include <QUuid>

#include "cloud/configsynclog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavdiscovery.h"
#include "sync/caldav/mergediscoveredcalendars.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/core/syncerrorcode.h"
#include "sync/google/googleauthservice.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/oauth/browsersignin.h"

namespace Tindlebrook {

ConfigDiscovery::ConfigDiscovery(const ConfigSyncContext &context, Options options, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_options(std::move(options))
    , m_timeLimit(new QTimer(this))
{
    m_timeLimit->setSingleShot(true);
    connect(m_timeLimit, &QTimer::timeout, this, &ConfigDiscovery::onTimeLimit);
}

ConfigDiscovery::Done ConfigDiscovery::completionFor(int slot)
{
    QPointer<ConfigDiscovery> self(this);
    return [self, slot] {
        if (self)
            self->complete(slot);
    };
}

void ConfigDiscovery::complete(int slot)
{
    // A late answer after the time limit, or a second one, changes nothing.
    if (!m_pending.remove(slot) || !m_pending.isEmpty() || m_finished)
        return;
    m_finished = true;
    m_timeLimit->stop();
    Q_EMIT finished();
}

void ConfigDiscovery::onTimeLimit()
{
    if (m_finished)
        return;
    for (int slot : std::as_const(m_pending))
        qWarning() << "[ConfigSync] discovery gave up on" << m_names.value(slot) << "after"
                   << m_options.timeLimitMs << "ms";
    m_pending.clear();
    m_finished = true;
    Q_EMIT finished();
}

void ConfigDiscovery::run(const QStringList &accountIds)
{
    qInfo() << "[ConfigSync] post-account discovery for" << accountIds.size() << "account(s):" << accountIds;
    for (int slot = 0; slot < accountIds.size(); ++slot)
        m_pending.insert(slot);
    m_names = accountIds;
    if (accountIds.isEmpty()) {
        m_finished = true;
        Q_EMIT finished();
        return;
    }
    m_timeLimit->start(m_options.timeLimitMs);
    for (int slot = 0; slot < accountIds.size(); ++slot) {
        const Done done = completionFor(slot);
        const std::optional<Account> account = m_context.repositories.accounts->getById(accountIds.at(slot));
        if (!account) {
            qWarning() << "[ConfigSync] discovery skipped for" << accountIds.at(slot) << "(account row vanished)";
            done();
            continue;
        }
        m_names[slot] = account->name;
        const AccountType type = account->type;
        if (isCalDavFamily(type)) {
            discoverCalDavAccount(*account, done);
        } else if (type == AccountType::Google) {
            discoverGoogleAccount(*account, done);
        } else if (type == AccountType::Microsoft) {
            discoverMicrosoftAccount(*account, done);
        } else {
            qCDebug(configSyncLog) << "[ConfigSync] no discovery handler for type" << type << "account"
                                   << account->name;
            done();
        }
    }
}

void ConfigDiscovery::discoverCalDavAccount(const Account &account, Done done)
{
    QString password;
    if (const std::unique_ptr<TindAccount::TokenStore> store = m_context.secretStore())
        password = store->read(caldavPasswordKey(account.id)).value_or(QString());
    if (account.server_url.isEmpty() || account.username.isEmpty() || password.isEmpty()) {
        QString missing;
        if (account.server_url.isEmpty())
            missing += QStringLiteral("url ");
        if (account.username.isEmpty())
            missing += QStringLiteral("user ");
        if (password.isEmpty())
            missing += QStringLiteral("password ");
        qWarning().noquote() << "[ConfigSync] CalDAV discovery skipped for" << account.name << "type=" << account.type
                             << "missing=" << missing;
        // The user has to give this device the password before anything syncs.
        if (password.isEmpty())
            setAccountSyncError(account.id, QString::fromLatin1(SyncErrorCode::SignInRequired));
        done();
        return;
    }
    qCDebug(configSyncLog) << "[ConfigSync] running CalDAV discovery for" << account.name << "("
                           << account.server_url << ")";
    auto *client = new CalDavClient(this);
    client->setCredentials(account.username, password);
    client->setTransferTimeout(m_options.calDavTransferTimeoutMs);
    if (!account.trusted_cert_sha256.isEmpty())
        client->setPinnedFingerprint(account.trusted_cert_sha256);
    auto *discovery = new CalDavDiscovery(client, client);
    const QString accountId = account.id;
    const QString name = account.name;
    connect(discovery, &CalDavDiscovery::completed, client,
            [this, client, accountId, done](const QList<CalDavParse::DiscoveredCalendar> &calendars) {
                const int added = mergeDiscoveredCalendars(m_context.repositories.calendars,
                                                           m_context.repositories.accounts, accountId, calendars);
                qCDebug(configSyncLog) << "[ConfigSync] CalDAV discovery completed: found" << calendars.size()
                                       << "calendar(s)," << added << "added";
                rememberCalendarsOf(accountId);
                if (const std::optional<Account> row = m_context.repositories.accounts->getById(accountId);
                    row && SyncErrorCode::is(row->last_sync_error, SyncErrorCode::SignInRequired))
                    setAccountSyncError(accountId, QString());
                client->deleteLater();
                done();
            });
    connect(discovery, &CalDavDiscovery::failed, client, [client, name, done](const QString &reason) {
        qWarning() << "[ConfigSync] CalDAV discovery FAILED for" << name << ":" << reason;
        client->deleteLater();
        done();
    });
    discovery->start(QUrl(account.server_url));
}

void ConfigDiscovery::discoverGoogleAccount(const Account &account, Done done)
{
    const OAuth::TokenRenewals::TokenSet set = googleTokenSet(account.id);
    const Google::StoredTokens tokens = set.load();
    if (tokens.refreshToken.isEmpty()) {
        qCDebug(configSyncLog) << "[ConfigSync] Google discovery: no tokens for" << account.name << "→ needs sign-in";
        setAccountSyncError(account.id, QString::fromLatin1(SyncErrorCode::SignInRequired));
        done();
        return;
    }
    const QDateTime now = m_context.now();
    if (tokens.expiresAt.isValid() && now.secsTo(tokens.expiresAt) > 60 && !tokens.accessToken.isEmpty()) {
        listGoogleCalendars(account, tokens.accessToken, done);
        return;
    }
    qCDebug(configSyncLog) << "[ConfigSync] Google access token expired for" << account.name << "— refreshing";
    renewThenList(account, set, "Google", [this, account, done](const QString &accessToken) {
        listGoogleCalendars(account, accessToken, done);
    }, done);
}

void ConfigDiscovery::listGoogleCalendars(const Account &account, const QString &accessToken, Done done)
{
    auto *client = new Google::CalendarClient(m_options.google, this);
    client->setAccessToken(accessToken);
    auto renewalFailed = std::make_shared<bool>(false);
    client->setTokenRenewer(listingRenewer(account, googleTokenSet(account.id), renewalFailed));
    connect(client, &Google::CalendarClient::calendarsListed, client,
            [this, client, account, done](const QList<Google::DiscoveredCalendar> &calendars) {
                adoptGoogleCalendars(account, calendars);
                client->deleteLater();
                done();
            });
    connect(client, &Google::CalendarClient::requestFailed, client,
            [this, client, account, done, renewalFailed](const QString &reason, int status) {
                listingFailed(account, "Google", reason, status, *renewalFailed);
                client->deleteLater();
                done();
            });
    client->listCalendars();
}

void ConfigDiscovery::adoptGoogleCalendars(const Account &account, const QList<Google::DiscoveredCalendar> &calendars)
{
    QList<ListedCalendar> listed;
    for (const Google::DiscoveredCalendar &d : calendars) {
        const bool readOnly = d.accessRole != QLatin1String("owner") && d.accessRole != QLatin1String("writer");
        listed.append({d.id, d.summary, d.description, d.backgroundColor, readOnly});
    }
    adoptCalendars(account, {QStringLiteral("google"), "Google", true, QStringLiteral("#4285F4")}, listed);
}

void ConfigDiscovery::discoverMicrosoftAccount(const Account &account, Done done)
{
    const OAuth::TokenRenewals::TokenSet set = microsoftTokenSet(account.id);
    const Microsoft::StoredTokens tokens = set.load();
    if (tokens.refreshToken.isEmpty()) {
        qCDebug(configSyncLog) << "[ConfigSync] Microsoft discovery: no tokens for" << account.name
                               << "→ needs sign-in";
        setAccountSyncError(account.id, QString::fromLatin1(SyncErrorCode::SignInRequired));
        done();
        return;
    }
    const QDateTime now = m_context.now();
    if (tokens.expiresAt.isValid() && now.secsTo(tokens.expiresAt) > 60 && !tokens.accessToken.isEmpty()) {
        listMicrosoftCalendars(account, tokens.accessToken, done);
        return;
    }
    qCDebug(configSyncLog) << "[ConfigSync] Microsoft access token expired for" << account.name << "— refreshing";
    renewThenList(account, set, "Microsoft", [this, account, done](const QString &accessToken) {
        listMicrosoftCalendars(account, accessToken, done);
    }, done);
}

void ConfigDiscovery::listMicrosoftCalendars(const Account &account, const QString &accessToken, Done done)
{
    auto *client = new Microsoft::CalendarClient(m_options.microsoft, this);
    client->setAccessToken(accessToken);
    auto renewalFailed = std::make_shared<bool>(false);
    client->setTokenRenewer(listingRenewer(account, microsoftTokenSet(account.id), renewalFailed));
    connect(client, &Microsoft::CalendarClient::calendarsListed, client,
            [this, client, account, done](const QList<Microsoft::DiscoveredCalendar> &calendars) {
                adoptMicrosoftCalendars(account, calendars);
                client->deleteLater();
                done();
            });
    connect(client, &Microsoft::CalendarClient::requestFailed, client,
            [this, client, account, done, renewalFailed](const QString &reason, int status) {
                listingFailed(account, "Microsoft", reason, status, *renewalFailed);
                client->deleteLater();
                done();
            });
    client->listCalendars();
}

OAuth::TokenRenewals::TokenSet ConfigDiscovery::tokenSet(const QString &key,
                                                         std::function<OAuth::BrowserSignIn *()> newSignIn) const
{
    const auto makeStore = m_context.makeSecretStore;
    OAuth::TokenRenewals::TokenSet set;
    set.key = key;
    set.load = [makeStore, key] {
        const std::unique_ptr<TindAccount::TokenStore> store = makeStore ? makeStore() : nullptr;
        return store ? OAuth::loadTokens(*store, key) : OAuth::StoredTokens();
    };
    set.save = [makeStore, key](const OAuth::StoredTokens &tokens) {
        const std::unique_ptr<TindAccount::TokenStore> store = makeStore ? makeStore() : nullptr;
        return store && OAuth::saveTokens(*store, key, tokens);
    };
    set.newSignIn = std::move(newSignIn);
    return set;
}

OAuth::TokenRenewals::TokenSet ConfigDiscovery::googleTokenSet(const QString &accountId) const
{
    return tokenSet(QLatin1String(TindAccount::GoogleTokensKeyPrefix) + accountId,
                    [endpoints = m_options.google] { return new Google::AuthService(endpoints, nullptr, nullptr); });
}

OAuth::TokenRenewals::TokenSet ConfigDiscovery::microsoftTokenSet(const QString &accountId) const
{
    return tokenSet(QLatin1String(TindAccount::MicrosoftTokensKeyPrefix) + accountId, [endpoints = m_options.microsoft] {
        return new Microsoft::AuthService(endpoints, nullptr, nullptr);
    });
}

void ConfigDiscovery::renewThenList(const Account &account, const OAuth::TokenRenewals::TokenSet &set,
                                    const char *label, std::function<void(const QString &accessToken)> list,
                                    Done done)
{
    using Result = OAuth::TokenRenewals::Result;
    QPointer<ConfigDiscovery> self(this);
    const QString accountId = account.id;
    const QString name = account.name;
    OAuth::TokenRenewals::shared().renew(set, [self, accountId, name, label, list, done](
                                                  const OAuth::TokenRenewals::Outcome &outcome) {
        if (!self)
            return;
        if (outcome.result == Result::Renewed) {
            list(outcome.accessToken);
            return;
        }
        qWarning().noquote() << "[ConfigSync]" << label << "token refresh FAILED for" << name << ":"
                             << outcome.reason;
        // Only a refused grant wants a new sign-in; a provider that could
        // not be reached is asked again at the next sync.
        if (outcome.result == Result::Refused || outcome.result == Result::NoCredentials)
            self->setAccountSyncError(accountId, QString::fromLatin1(SyncErrorCode::SignInRequired));
        done();
    });
}

OAuth::TokenRenewer ConfigDiscovery::listingRenewer(const Account &account,
                                                    const OAuth::TokenRenewals::TokenSet &set,
                                                    std::shared_ptr<bool> renewalFailed)
{
    QPointer<ConfigDiscovery> self(this);
    const QString accountId = account.id;
    return [self, accountId, set, renewalFailed](const QString &refused, std::function<void(const QString &)> done) {
        using Result = OAuth::TokenRenewals::Result;
        OAuth::TokenRenewals::shared().renewRefused(
            set, refused, [self, accountId, renewalFailed, done](const OAuth::TokenRenewals::Outcome &outcome) {
                *renewalFailed = outcome.result == Result::Failed || outcome.result == Result::NotSaved;
                if (self && (outcome.result == Result::Refused || outcome.result == Result::NoCredentials))
                    self->setAccountSyncError(accountId, QString::fromLatin1(SyncErrorCode::SignInRequired));
                done(outcome.accessToken);
            });
    };
}

void ConfigDiscovery::listingFailed(const Account &account, const char *label, const QString &reason, int status,
                                    bool renewalFailed)
{
    qWarning().noquote() << "[ConfigSync]" << label << "discovery FAILED for" << account.name << ":" << reason;
    // A 401 comes only after a renewal: the provider refuses the sign-in.
    // A server error, a network failure or a renewal that could not reach
    // the provider leaves the account as it was, to be tried again.
    if (status == 401 && !renewalFailed)
        setAccountSyncError(account.id, QString::fromLatin1(SyncErrorCode::SignInRequired));
}

void ConfigDiscovery::adoptMicrosoftCalendars(const Account &account,
                                              const QList<Microsoft::DiscoveredCalendar> &calendars)
{
    QList<ListedCalendar> listed;
    for (const Microsoft::DiscoveredCalendar &d : calendars)
        listed.append({d.id, d.name, QString(), d.color, !d.canEdit});
    // Graph always names a colour; a calendar without one keeps the default.
    adoptCalendars(account, {QStringLiteral("microsoft"), "Microsoft", false, Calendar().color}, listed);
}

void ConfigDiscovery::adoptCalendars(const Account &account, const Provider &provider,
                                     const QList<ListedCalendar> &listed)
{
    CalendarRepository *calendars = m_context.repositories.calendars;
    int adopted = 0;
    int inserted = 0;
    for (const ListedCalendar &d : listed) {
        const QString key = Sync::canonicalCalendarKey(provider.family, d.id).value_or(QString());
        const QDateTime now = m_context.now();
        std::optional<Calendar> found;
        for (const Calendar &calendar : calendars->getByAccount(account.id)) {
            if (calendar.url == d.id) {
                found = calendar;
                break;
            }
        }
        if (found) {
            found->name = d.name;
            if (provider.keepsDescription)
                found->description = d.description;
            if (!d.color.isEmpty())
                found->color = d.color;
            found->is_read_only = d.readOnly;
            found->sync_enabled = true;
            if (found->canonical_key.isEmpty())
                found->canonical_key = key;
            found->updated_at = now;
            if (!calendars->update(*found))
                qCWarning(configSyncLog) << "[ConfigSync] Could not adopt discovered calendar" << found->name;
            ++adopted;
            continue;
        }
        Calendar calendar;
        calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        calendar.account_id = account.id;
        calendar.url = d.id;
        calendar.name = d.name;
        calendar.description = d.description;
        calendar.color = d.color.isEmpty() ? provider.insertColor : d.color;
        calendar.is_read_only = d.readOnly;
        calendar.sync_enabled = true;
        calendar.canonical_key = key;
        calendar.created_at = now;
        calendar.updated_at = now;
        if (calendars->insert(calendar))
            ++inserted;
    }
    qCDebug(configSyncLog).noquote() << "[ConfigSync]" << provider.label << "discovery completed for" << account.name
                                     << ": adopted=" << adopted << "inserted=" << inserted;
    rememberCalendarsOf(account.id);
    if (const std::optional<Account> row = m_context.repositories.accounts->getById(account.id);
        row && !row->last_sync_error.isEmpty())
        setAccountSyncError(account.id, QString());
}

void ConfigDiscovery::setAccountSyncError(const QString &accountId, const QString &message)
{
    std::optional<Account> account = m_context.repositories.accounts->getById(accountId);
    if (!account || account->last_sync_error == message)
        return;
    account->last_sync_error = message;
    // The mark is this device's own state, not a change to carry elsewhere:
    // the row keeps its time.
    if (!m_context.repositories.accounts->updateKeepingTime(*account))
        qCWarning(configSyncLog) << "[ConfigSync] Could not mark account" << account->id << "with" << message;
}

void ConfigDiscovery::rememberCalendarsOf(const QString &accountId)
{
    for (const Calendar &calendar : m_context.repositories.calendars->getByAccount(accountId))
        m_freshCalendars.insert(calendar.id);
}

} // namespace Tindlebrook
