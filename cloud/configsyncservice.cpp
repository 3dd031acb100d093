#include "cloud/configsyncservice.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QMap>
#include <QTimer>
#include <QUrlQuery>

#include "account/apiclient.h"
#include "app/platform/datadirectory.h"
#include "cloud/configaccountapplier.h"
#include "cloud/configrecords.h"
#include "cloud/configsettingsapplier.h"
#include "cloud/configsnapshot.h"
#include "cloud/configsynclog.h"
#include "store/accountrepository.h"
#include "store/preferencesrepository.h"
#include "sync/core/jsonnumber.h"

#include <limits>
#include <memory>

namespace Tindlebrook {

struct ConfigSyncService::PendingApply
{
    // One pulled change each, in the order they are applied.
    QList<std::function<void()>> steps;
    qsizetype next = 0;
    // Where the running slice began: each applies one change at least.
    qsizetype sliceStart = 0;
    std::function<void()> then;
};

namespace {

QMap<QString, int> countByType(const QJsonArray &changes)
{
    QMap<QString, int> counts;
    for (const QJsonValue &value : changes)
        ++counts[value.toObject().value("type").toString()];
    return counts;
}

// A cursor given as a number: milliseconds, its fraction dropped.
std::optional<qint64> cursorNumber(const QJsonValue &timestamp)
{
    return Sync::jsonInteger(timestamp, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
}

} // namespace

ConfigSyncService::ConfigSyncService(const ConfigSyncRepositories &repositories, TindAccount::ApiClient *apiClient,
                                     Seams seams, QObject *parent)
    : QObject(parent)
    , m_apiClient(apiClient)
    , m_seams(std::move(seams))
    , m_autoSyncTimer(new QTimer(this))
    , m_debounceTimer(new QTimer(this))
    , m_applyTimer(new QTimer(this))
{
    m_context.repositories = repositories;
    m_context.clock = m_seams.clock;
    m_context.makeSecretStore = m_seams.secretStore ? m_seams.secretStore : [] {
        return TindAccount::TokenStore::create(applicationServiceId());
    };
    m_autoSyncTimer->setInterval(m_seams.autoSyncIntervalMs);
    m_debounceTimer->setInterval(m_seams.debounceMs);
    m_debounceTimer->setSingleShot(true);
    // A timer, not a queued call: queued calls run in one go with the
    // events queued meanwhile, and the window would not answer in between.
    m_applyTimer->setSingleShot(true);
    m_applyTimer->setInterval(0);
    connect(m_applyTimer, &QTimer::timeout, this, &ConfigSyncService::applySlice);
    connect(m_autoSyncTimer, &QTimer::timeout, this, &ConfigSyncService::syncNow);
    connect(m_debounceTimer, &QTimer::timeout, this, &ConfigSyncService::syncNow);
    if (repositories.preferences)
        connect(repositories.preferences, &PreferencesRepository::changed, this,
                &ConfigSyncService::onPreferenceChanged);
}

ConfigSyncService::~ConfigSyncService() = default;

bool ConfigSyncService::isAutoSyncActive() const
{
    return m_autoSyncTimer->isActive();
}

bool ConfigSyncService::isMutationSyncPending() const
{
    return m_debounceTimer->isActive();
}

bool ConfigSyncService::signedIn() const
{
    return m_seams.signedIn && m_seams.signedIn();
}

void ConfigSyncService::syncNow()
{
    if (m_inFlight) {
        qInfo() << "[ConfigSync] syncNow skipped — already syncing; one more cycle follows";
        m_followUp = true;
        return;
    }
    if (!m_apiClient) {
        qInfo() << "[ConfigSync] syncNow skipped — no api client";
        return;
    }
    // Passwords travel in the push: nothing leaves without a signed-in user.
    if (!signedIn() || !m_context.repositories.complete()) {
        qInfo() << "[ConfigSync] syncNow skipped — not signed in";
        return;
    }
    qInfo() << "[ConfigSync] syncNow → running";
    m_inFlight = true;
    setState(Syncing);
    runPush();
}

void ConfigSyncService::syncOnMutation()
{
    if (m_applying)
        return;
    m_debounceTimer->start();
}

void ConfigSyncService::startAutoSync()
{
    if (!m_autoSyncTimer->isActive())
        m_autoSyncTimer->start();
}

void ConfigSyncService::stopAutoSync()
{
    m_autoSyncTimer->stop();
    m_debounceTimer->stop();
    m_followUp = false;
}

void ConfigSyncService::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

void ConfigSyncService::onPreferenceChanged(const QString &key)
{
    if (m_applying || key != QLatin1String(ConfigRecords::WeekStartKey))
        return;
    if (!m_context.repositories.preferences->set(QLatin1String(ConfigSyncKeys::WeekStartChangedAt),
                                                 QString::number(m_context.now().toMSecsSinceEpoch())))
        qCWarning(configSyncLog) << "[ConfigSync] Could not record when the week start changed";
}

void ConfigSyncService::runPush()
{
    const ConfigSnapshot snapshot
        = ConfigSnapshotBuilder(m_context).build(ConfigSyncSwitches::read(m_context.repositories.preferences));
    if (snapshot.changes.isEmpty()) {
        qCDebug(configSyncLog) << "[ConfigSync] push: no local changes, skipping";
        runPull();
        return;
    }
    qCDebug(configSyncLog) << "[ConfigSync] push:" << snapshot.changes.size() << "changes"
                           << countByType(snapshot.changes);
    QPointer<ConfigSyncService> self(this);
    m_apiClient->post(QStringLiteral("/sync/push"), QJsonObject{{"changes", snapshot.changes}},
                      [self, snapshot](bool ok, int status, const QJsonObject &json) {
                          if (self)
                              self->handlePushReply(ok, status, json, snapshot);
                      });
}

void ConfigSyncService::handlePushReply(bool ok, int status, const QJsonObject &json, const ConfigSnapshot &snapshot)
{
    if (ok) {
        qCDebug(configSyncLog) << "[ConfigSync] push ok";
        // Only now may the accounts whose removal the push carried go.
        // One left is reaped after the next push.
        for (const QString &id : snapshot.purgeAccountIds) {
            if (!m_context.repositories.accounts->reapTombstone(id))
                qCWarning(configSyncLog) << "[ConfigSync] Could not reap removed account" << id;
        }
        ConfigSnapshotBuilder::rememberSubscriptions(m_context.repositories.preferences, snapshot.subscriptions);
    } else {
        qWarning().noquote() << "[ConfigSync] push FAILED status=" << status
                             << "body=" << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact));
        mapFailure(status);
    }
    runPull();
}

void ConfigSyncService::runPull()
{
    const QString since
        = m_context.repositories.preferences->get(QLatin1String(ConfigSyncKeys::Since)).value_or(QStringLiteral("0"));
    qCDebug(configSyncLog) << "[ConfigSync] pull since=" << since;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("since"), since);
    QPointer<ConfigSyncService> self(this);
    m_apiClient->get(
        QStringLiteral("/sync/pull"),
        [self](bool ok, int status, const QJsonObject &json) {
            if (self)
                self->handlePullReply(ok, status, json);
        },
        query);
}

void ConfigSyncService::handlePullReply(bool ok, int status, const QJsonObject &json)
{
    if (!ok) {
        qWarning() << "[ConfigSync] pull FAILED status=" << status;
        mapFailure(status);
        finishCycle();
        return;
    }
    const QJsonValue changesValue = json.value("changes");
    // A body that is no reply of the sync service (not JSON, or neither
    // changes nor a cursor) is a failure, not an empty pull.
    if ((!changesValue.isUndefined() && !changesValue.isArray())
        || (changesValue.isUndefined() && !json.contains(QLatin1String("timestamp")))) {
        qWarning() << "[ConfigSync] pull FAILED: the reply is not a change list";
        setState(Failed);
        finishCycle();
        return;
    }
    // A cursor number past any integer is no cursor this service handed out:
    // the reply is unreadable, and nothing of it is applied.
    const QJsonValue timestamp = json.value("timestamp");
    if (timestamp.isDouble() && !cursorNumber(timestamp)) {
        qWarning() << "[ConfigSync] pull FAILED: the reply's timestamp is out of range";
        setState(Failed);
        finishCycle();
        return;
    }
    const QJsonArray changes = changesValue.toArray();
    qCDebug(configSyncLog) << "[ConfigSync] pull received" << changes.size() << "changes" << countByType(changes)
                           << "ts=" << json.value("timestamp");
    applyAccounts(changes, [this, changes, json](const QStringList &toDiscover) {
        if (!toDiscover.isEmpty()) {
            runPostAccountDiscovery(toDiscover, changes, json);
            return;
        }
        applyChanges(changes, {}, [this, json] {
            saveCursor(json);
            finishCycle();
        });
    });
}

void ConfigSyncService::applyAccounts(const QJsonArray &changes,
                                      std::function<void(const QStringList &toDiscover)> then)
{
    auto applier = std::make_shared<ConfigAccountApplier>(m_context);
    auto toDiscover = std::make_shared<QStringList>();
    QList<std::function<void()>> steps;
    for (const QJsonValue &value : changes) {
        const QJsonObject change = value.toObject();
        const QString type = change.value("type").toString();
        const bool isCalDav = type == QLatin1String(ConfigRecords::CalDavAccounts);
        if (!isCalDav && type != QLatin1String(ConfigRecords::OAuthAccounts))
            continue;
        steps.append([this, applier, toDiscover, isCalDav, data = change.value("data").toObject()] {
            if (!m_context.repositories.preferences->getBool(QLatin1String(ConfigSyncKeys::Accounts), true))
                return;
            QString newAccountId;
            const bool applied = isCalDav ? applier->applyCalDavAccount(data, &newAccountId)
                                          : applier->applyOAuthAccount(data, &newAccountId);
            if (applied && !newAccountId.isEmpty())
                toDiscover->append(newAccountId);
        });
    }
    applySliced(std::move(steps), [toDiscover, then = std::move(then)] { then(*toDiscover); });
}

void ConfigSyncService::applyChanges(const QJsonArray &changes, const QSet<QString> &freshCalendarIds,
                                     std::function<void()> then)
{
    auto applier = std::make_shared<ConfigSettingsApplier>(m_context, freshCalendarIds);
    PreferencesRepository *preferences = m_context.repositories.preferences;
    const auto enabled = [preferences](const char *key) { return preferences->getBool(QLatin1String(key), true); };
    QList<std::function<void()>> steps;
    // Preferences first: stubs and newly keyed calendars must exist before
    // groups, rules and templates resolve their keys.
    const QString preference = QLatin1String(ConfigRecords::CalendarPreferences);
    for (const bool preferencesPass : {true, false}) {
        for (const QJsonValue &value : changes) {
            const QJsonObject change = value.toObject();
            const QString type = change.value("type").toString();
            if ((type == preference) != preferencesPass)
                continue;
            steps.append([applier, enabled, type, data = change.value("data").toObject()] {
                if (type == QLatin1String(ConfigRecords::CalendarPreferences) && enabled(ConfigSyncKeys::Accounts))
                    applier->applyCalendarPreference(data);
                else if (type == QLatin1String(ConfigRecords::FilterRules) && enabled(ConfigSyncKeys::Filters))
                    applier->applyFilterRule(data);
                else if (type == QLatin1String(ConfigRecords::CalendarViews) && enabled(ConfigSyncKeys::Views))
                    applier->applyCalendarView(data);
                else if (type == QLatin1String(ConfigRecords::EventTemplates) && enabled(ConfigSyncKeys::Templates))
                    applier->applyEventTemplate(data);
                else if (type == QLatin1String(ConfigRecords::InitialSettings) && enabled(ConfigSyncKeys::Settings))
                    applier->applySetting(data);
            });
        }
    }
    applySliced(std::move(steps), std::move(then));
}

void ConfigSyncService::applySliced(QList<std::function<void()>> steps, std::function<void()> then)
{
    auto apply = std::make_shared<PendingApply>();
    apply->steps = std::move(steps);
    apply->then = std::move(then);
    m_pendingApply = apply;
    // The first slice takes a turn of its own: the turn that got here (a
    // reply read, a discovery ended) has already held the window a while.
    if (apply->steps.isEmpty())
        applySlice();
    else
        m_applyTimer->start();
}

void ConfigSyncService::applySlice()
{
    const std::shared_ptr<PendingApply> apply = m_pendingApply;
    if (!apply)
        return;
    QElapsedTimer slice;
    slice.start();
    m_applying = true;
    while (apply->next < apply->steps.size()) {
        if (slice.elapsed() >= m_seams.applySliceMs && apply->next > apply->sliceStart) {
            m_applying = false;
            apply->sliceStart = apply->next;
            m_applyTimer->start();
            return;
        }
        apply->steps.at(apply->next++)();
    }
    m_applying = false;
    m_pendingApply.reset();
    apply->then();
}

void ConfigSyncService::saveCursor(const QJsonObject &reply)
{
    const QJsonValue timestamp = reply.value("timestamp");
    QString text;
    if (const std::optional<qint64> number = cursorNumber(timestamp))
        text = QString::number(*number);
    else if (timestamp.isString())
        text = timestamp.toString();
    // Unstored, the next pull starts from the older cursor and reads again.
    if (!text.isEmpty() && !m_context.repositories.preferences->set(QLatin1String(ConfigSyncKeys::Since), text))
        qCWarning(configSyncLog) << "[ConfigSync] Could not store the pull cursor";
    setState(UpToDate);
}

void ConfigSyncService::mapFailure(int status)
{
    setState(status == 401 ? AuthExpired : Failed);
}

void ConfigSyncService::finishCycle()
{
    m_inFlight = false;
    ++m_completedCycles;
    Q_EMIT cycleFinished();
    if (m_followUp) {
        m_followUp = false;
        QTimer::singleShot(0, this, &ConfigSyncService::syncNow);
    }
}

void ConfigSyncService::runPostAccountDiscovery(const QStringList &accountIds, const QJsonArray &changes,
                                                const QJsonObject &reply)
{
    auto *discovery = new ConfigDiscovery(m_context, m_seams.discovery, this);
    m_discovery = discovery;
    connect(discovery, &ConfigDiscovery::finished, this, [this, discovery, changes, reply] {
        discovery->deleteLater();
        applyChanges(changes, discovery->freshCalendarIds(), [this, reply] {
            saveCursor(reply);
            finishCycle();
            Q_EMIT syncRequested();
        });
    });
    discovery->run(accountIds);
}

} // namespace Tindlebrook
