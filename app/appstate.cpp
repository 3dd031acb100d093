#include "app/appstate.h"

#include <QCoreApplication>
#include <QDebug>
#include <QJsonArray>
#include <QSet>
#include <QTimeZone>

#include <algorithm>
#include <utility>

#include "account/apiclient.h"
#include "app/accountname.h"
#include "app/platform/datadirectory.h"
#include "app/theme/thememanager.h"
#include "app/edits/eventeditor.h"
#include "app/edits/undostack.h"
#include "sync/core/canonicalcalendarkey.h"
#include "cloud/configsyncservice.h"
#include "cloud/conflictresolutionservice.h"
#include "services/invitationsservice.h"
#include "services/weatherservice.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "store/taskrepository.h"
#include "store/templaterepository.h"
#include "store/viewrepository.h"
#include "store/preferencekeys.h"

namespace {

constexpr int MinHourHeight = 56;
constexpr int MaxHourHeight = 200;
constexpr int MinWeekHorizon = 2;
constexpr int MaxWeekHorizon = 21;

// The maker's service hosts: where a build without overrides signs in and
// syncs.
constexpr char DefaultAuthApiUrl[] = "https://auth.tindlebrook.app";
constexpr char DefaultAccountApiUrl[] = "https://api.tindlebrook.app/account/v1";
constexpr char DefaultSyncApiUrl[] = "https://api.tindlebrook.app/calendar/v1";
constexpr char DefaultRealmSlug[] = "tindlebrook";
constexpr char DefaultClientId[] = "5f0a9e2c7b3d4e6f8a1b2c3d4e5f6a7b";
constexpr char DefaultAccountPortalUrl[] = "https://account.tindlebrook.app";

QString environmentOr(const char *name, const char *fallback)
{
    const QString value = QString::fromUtf8(qgetenv(name));
    return value.isEmpty() ? QString::fromUtf8(fallback) : value;
}

QString normalizeViewMode(const QString &mode)
{
    if (mode == QLatin1String("agenda") || mode == QLatin1String("list"))
        return QStringLiteral("week");
    return mode;
}

} // namespace

AppState::AppState(QObject *parent)
    : QObject(parent)
{
}

AppState::~AppState() = default;

TindAccount::Client::Config AppState::cloudConfigFromEnvironment()
{
    TindAccount::Client::Config config;
    config.authApiUrl = environmentOr("AUTH_API_URL", DefaultAuthApiUrl);
    config.realmSlug = environmentOr("AUTH_REALM_SLUG", DefaultRealmSlug);
    config.accountApiUrl = environmentOr("ACCOUNT_API_URL", DefaultAccountApiUrl);
    config.clientId = environmentOr("AUTH_CLIENT_ID", DefaultClientId);
    config.appId = applicationServiceId();
    config.appName = QStringLiteral("Tindlebrook Calendar");
    config.appVersion = QCoreApplication::applicationVersion();
    config.accountPortalUrl = environmentOr("ACCOUNT_PORTAL_URL", DefaultAccountPortalUrl);
    return config;
}

QString AppState::syncApiUrlFromEnvironment()
{
    return environmentOr("SYNC_API_URL", DefaultSyncApiUrl);
}

bool AppState::initialize(FloatingTimes floatingTimes)
{
    const QString path = databasePath();
    qInfo() << "Opening database at:" << path;
    auto *database = new Database(this);
    if (!database->open(path) || !database->migrateSchema()) {
        delete database;
        return false;
    }
    m_database = database;
    if (floatingTimes == FloatingTimes::PinnedNow)
        pinFloatingTimes();

    m_preferences = new PreferencesRepository(m_database, this);
    connect(m_preferences, &PreferencesRepository::changed, this, &AppState::onPreferenceChanged);

    m_accounts = new AccountRepository(m_database, this);
    m_calendars = new CalendarRepository(m_database, this);
    m_events = new EventRepository(m_database, this);
    m_tasks = new TaskRepository(m_database, this);
    m_views = new ViewRepository(m_database, this);
    m_filterRules = new FilterRuleRepository(m_database, this);
    m_templates = new TemplateRepository(m_database, this);

    m_themeManager = new ThemeManager(m_preferences, this);
    m_themeManager->load();
    m_themeManager->loadFontScale();

    m_undoStack = new UndoStack(this);
    m_weather = new Weather::Service(m_preferences, this);
    m_conflicts = new Sync::ConflictResolutionService(this, this);
    m_invitations = new Invitations::Service(m_accounts, m_calendars, m_events, this);

    m_accountClient = new TindAccount::Client(cloudConfigFromEnvironment(), this);
    m_accountClient->syncApi()->setBaseUrl(QUrl(syncApiUrlFromEnvironment()));

    Tindlebrook::ConfigSyncService::Seams configSeams;
    configSeams.signedIn = [client = m_accountClient] { return client->isAuthenticated(); };
    m_configSync = new Tindlebrook::ConfigSyncService(
        {m_accounts, m_calendars, m_views, m_filterRules, m_templates, m_preferences}, m_accountClient->syncApi(),
        std::move(configSeams), this);
    connect(m_filterRules, &FilterRuleRepository::filterRulesChanged, m_configSync,
            &Tindlebrook::ConfigSyncService::syncOnMutation);
    connect(m_configSync, &Tindlebrook::ConfigSyncService::syncRequested, this, &AppState::syncNowRequested);

    // The restored session arrives through authStateChanged, at once or once
    // the keyring has loaded; that signal alone starts the cloud work, so it
    // runs once per sign-in.
    connect(m_accountClient, &TindAccount::Client::authStateChanged, this, &AppState::onAuthStateChanged);
    m_accountClient->initialize();
    qInfo() << "[AppState] post-initialize isAuthenticated=" << m_accountClient->isAuthenticated();

    if (!m_accountClient->isAuthenticated())
        seedLocalAccount();

    restoreUiState();
    Q_EMIT databaseReady();
    return true;
}

void AppState::pinFloatingTimes()
{
    // A failure leaves them for the next start; the program stays usable.
    if (m_database)
        m_database->pinFloatingTimes();
}

void AppState::restoreUiState()
{
    const QString storedView = m_preferences->getString(QLatin1String(PreferenceKeys::ActiveViewId),
                                                        QStringLiteral("all-calendars"));
    if (m_views->getById(storedView)) {
        m_activeViewId = storedView;
    } else {
        const QList<CalendarView> groups = m_views->getAll();
        m_activeViewId = groups.isEmpty() ? QString() : groups.first().id;
    }
    m_currentDate = QDate::currentDate();
    m_viewMode = normalizeViewMode(m_preferences->getString(QLatin1String(PreferenceKeys::ViewMode), QStringLiteral("week")));
    m_hourHeight = std::clamp(m_preferences->getInt(QLatin1String(PreferenceKeys::TimelineHourHeight), 56),
                              MinHourHeight, MaxHourHeight);
    m_weekHorizon = std::clamp(m_preferences->getInt(QLatin1String(PreferenceKeys::WeekHorizon), 7),
                               MinWeekHorizon, MaxWeekHorizon);
}

void AppState::onAuthStateChanged(TindAccount::AuthState state)
{
    qInfo() << "[AppState] authStateChanged →" << static_cast<int>(state);
    if (state == TindAccount::AuthState::SignedIn)
        onAuthenticated();
    else if (m_configSync)
        m_configSync->stopAutoSync();
}

void AppState::onAuthenticated()
{
    qInfo() << "[AppState] onAuthenticated firing — kicking ConfigSync";
    m_configSync->startAutoSync();
    m_configSync->syncNow();

    // Listed cloud calendars join the first cloud account row; without one
    // (a session restored on an empty store) none could be stored.
    const QList<Account> accounts = m_accounts->getAll();
    if (std::none_of(accounts.cbegin(), accounts.cend(),
                     [](const Account &account) { return account.type == AccountType::Tindlebrook; }))
        seedLocalAccount();
    // A restored session signs in within initialize() or as the keyring
    // loads, which may be before the main window has made the sync
    // orchestration: the request waits here until it takes it.
    m_calendarListPullWanted = true;
    Q_EMIT calendarListPullRequested();
}

bool AppState::takeCalendarListPull()
{
    return std::exchange(m_calendarListPullWanted, false);
}

void AppState::finishCalendarListPull()
{
    seedLocalAccount();
    // The calendars the list added sync with all the others.
    Q_EMIT syncNowRequested();
}

void AppState::seedLocalAccount()
{
    const QString accountId = QString::fromLatin1(LocalAccountId);
    const QString calendarId = QString::fromLatin1(LocalCalendarId);
    const bool haveAccount = m_accounts->getById(accountId).has_value();
    const bool haveCalendar = m_calendars->getById(calendarId).has_value();
    if (haveAccount && haveCalendar)
        return;

    for (const Calendar &calendar : m_calendars->getAll()) {
        const std::optional<Account> owner = m_accounts->getById(calendar.account_id);
        if (owner && owner->type == AccountType::Tindlebrook)
            return;
    }

    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!haveAccount) {
        // A deleted local account leaves a tombstone under the same id; the
        // new row would collide with it at every start.
        for (const Account &existing : m_accounts->getAllIncludingDeleted()) {
            if (existing.id == accountId && existing.deleted_at) {
                if (!m_accounts->reapTombstone(accountId))
                    qWarning() << "AppState: could not clear the deleted local account" << accountId;
                break;
            }
        }
        Account account;
        account.id = accountId;
        account.name = AccountName::seeded();
        account.type = AccountType::Tindlebrook;
        account.sync_interval_minutes = 0;
        account.enabled = true;
        account.color = QStringLiteral("#4CAF50");
        account.exclude_from_sync = false;
        account.created_at = now;
        account.updated_at = now;
        if (!m_accounts->insert(account)) {
            qWarning() << "Failed to seed local account";
            return;
        }
    }

    if (!haveCalendar) {
        Calendar calendar;
        calendar.id = calendarId;
        calendar.account_id = accountId;
        calendar.url = QStringLiteral("local://calendar/") + calendarId;
        calendar.name = QStringLiteral("Personal");
        calendar.color = QStringLiteral("#4285F4");
        calendar.timezone = QStringLiteral("UTC");
        // Calendars of our own accounts hold tasks too (as migration 14 makes
        // the older ones do); without it a new install could keep no task.
        calendar.supported_components = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
        calendar.is_visible = true;
        calendar.is_read_only = false;
        calendar.is_default = true;
        calendar.sync_enabled = false;
        calendar.canonical_key = Sync::canonicalCalendarKey(QStringLiteral("tindlebrook"), calendar.url)
                                     .value_or(QString());
        calendar.created_at = now;
        calendar.updated_at = now;
        if (!m_calendars->insert(calendar))
            qWarning() << "Failed to seed Personal calendar";
    }
}

void AppState::onPreferenceChanged(const QString &key)
{
    if (key != QLatin1String(PreferenceKeys::WeekStartDay))
        return;
    Q_EMIT firstDayOfWeekChanged(firstDayOfWeek());
}

void AppState::pushHistory()
{
    if (m_navigating)
        return;
    m_backStack.append({m_viewMode, m_currentDate, m_weekHorizon});
    m_forwardStack.clear();
}

// The view state below is remembered for the next start only: a write the
// store refused (and logged) costs that memory, nothing the user saved.
void AppState::setActiveViewId(const QString &id)
{
    if (id == m_activeViewId)
        return;
    m_activeViewId = id;
    if (m_preferences)
        (void)m_preferences->set(QLatin1String(PreferenceKeys::ActiveViewId), id);
    Q_EMIT activeViewChanged(id);
}

void AppState::setSelectedEventId(const QString &id)
{
    if (id == m_selectedEventId)
        return;
    m_selectedEventId = id;
    Q_EMIT selectedEventChanged(id);
}

void AppState::setCurrentDate(const QDate &date)
{
    if (!date.isValid() || date == m_currentDate)
        return;
    pushHistory();
    m_currentDate = date;
    if (m_preferences)
        (void)m_preferences->set(QLatin1String(PreferenceKeys::ViewDate), date.toString(Qt::ISODate));
    Q_EMIT currentDateChanged(date);
}

void AppState::setViewMode(const QString &mode)
{
    const QString normalized = normalizeViewMode(mode);
    if (normalized == m_viewMode)
        return;
    pushHistory();
    m_viewMode = normalized;
    if (m_preferences)
        (void)m_preferences->set(QLatin1String(PreferenceKeys::ViewMode), normalized);
    Q_EMIT viewModeChanged(normalized);
}

void AppState::setWeekHorizon(int days)
{
    const int clamped = std::clamp(days, MinWeekHorizon, MaxWeekHorizon);
    if (clamped == m_weekHorizon)
        return;
    pushHistory();
    m_weekHorizon = clamped;
    if (m_preferences)
        (void)m_preferences->setInt(QLatin1String(PreferenceKeys::WeekHorizon), clamped);
    Q_EMIT weekHorizonChanged(clamped);
}

void AppState::setHourHeight(int pixels)
{
    const int clamped = std::clamp(pixels, MinHourHeight, MaxHourHeight);
    if (clamped == m_hourHeight)
        return;
    m_hourHeight = clamped;
    if (m_preferences)
        (void)m_preferences->setInt(QLatin1String(PreferenceKeys::TimelineHourHeight), clamped);
    Q_EMIT hourHeightChanged(clamped);
}

void AppState::setFilterHiddenCount(int count)
{
    if (count == m_filterHiddenCount)
        return;
    m_filterHiddenCount = count;
    Q_EMIT filterHiddenCountChanged(count);
}

void AppState::setDensity(const QString &mode, const QString &density)
{
    if (!m_preferences)
        return;
    const QString normalized = density == QLatin1String("compact") ? QStringLiteral("compact")
                                                                    : QStringLiteral("comfortable");
    if (normalized == this->density(mode))
        return;
    if (!m_preferences->set(QLatin1String(PreferenceKeys::DensityPrefix) + mode, normalized))
        qWarning() << "AppState: could not store the density of" << mode;
    Q_EMIT densityChanged(mode, normalized);
}

QString AppState::density(const QString &mode) const
{
    if (!m_preferences)
        return QStringLiteral("comfortable");
    return m_preferences->get(QLatin1String(PreferenceKeys::DensityPrefix) + mode).value_or(QStringLiteral("comfortable"));
}

bool AppState::isCompact(const QString &mode) const
{
    return density(mode) == QLatin1String("compact");
}

void AppState::navigateTo(const QString &mode, const QDate &date)
{
    const QString normalized = normalizeViewMode(mode);
    const bool modeChanges = normalized != m_viewMode;
    const bool dateChanges = date.isValid() && date != m_currentDate;
    if (!modeChanges && !dateChanges)
        return;
    pushHistory();
    m_navigating = true;
    if (dateChanges)
        setCurrentDate(date);
    if (modeChanges)
        setViewMode(normalized);
    m_navigating = false;
}

void AppState::applyHistoryEntry(const NavigationEntry &entry)
{
    m_navigating = true;
    if (entry.viewMode != m_viewMode)
        setViewMode(entry.viewMode);
    if (entry.date.isValid() && entry.date != m_currentDate)
        setCurrentDate(entry.date);
    if (entry.weekHorizon != m_weekHorizon)
        setWeekHorizon(entry.weekHorizon);
    m_navigating = false;
}

void AppState::goBack()
{
    if (m_backStack.isEmpty())
        return;
    const NavigationEntry entry = m_backStack.takeLast();
    m_forwardStack.append({m_viewMode, m_currentDate, m_weekHorizon});
    applyHistoryEntry(entry);
}

void AppState::goForward()
{
    if (m_forwardStack.isEmpty())
        return;
    const NavigationEntry entry = m_forwardStack.takeLast();
    m_backStack.append({m_viewMode, m_currentDate, m_weekHorizon});
    applyHistoryEntry(entry);
}

Qt::DayOfWeek AppState::territoryFirstDayOfWeek(QLocale::Territory territory)
{
    // Territories whose weeks start on Sunday, by Qt's enumeration value.
    static const QSet<int> sundayFirst = {248, 41,  120, 116, 185, 231, 218, 228, 205, 245, 19,
                                          4,   71,  113, 122, 127, 135, 176, 190, 227, 259, 24,
                                          69,  99,  106, 152, 168, 181, 72,  54,  254, 184, 32,
                                          216, 15,  167, 110, 20,  178, 107, 139, 50};
    return sundayFirst.contains(static_cast<int>(territory)) ? Qt::Sunday : Qt::Monday;
}

Qt::DayOfWeek AppState::firstDayOfWeek() const
{
    const Qt::DayOfWeek fallback = territoryFirstDayOfWeek(QLocale::system().territory());
    if (!m_preferences)
        return fallback;
    const int stored = m_preferences->getInt(QLatin1String(PreferenceKeys::WeekStartDay), 0);
    if (stored < 1 || stored > 7)
        return fallback;
    return static_cast<Qt::DayOfWeek>(stored);
}

void AppState::beginSync()
{
    ++m_runningSyncCount;
    if (m_runningSyncCount == 1) {
        m_batchErrored = false;
        Q_EMIT syncBusyChanged(true);
    }
}

void AppState::endSync(bool failed)
{
    if (m_runningSyncCount < 1)
        return;
    if (failed)
        m_batchErrored = true;
    --m_runningSyncCount;
    if (m_runningSyncCount > 0)
        return;
    if (m_lastSyncErrored != m_batchErrored) {
        m_lastSyncErrored = m_batchErrored;
        Q_EMIT lastSyncErroredChanged(m_lastSyncErrored);
    }
    if (!m_batchErrored) {
        m_lastSyncError.clear();
        m_lastSyncErrorCalendarId.clear();
    }
    Q_EMIT syncBusyChanged(false);
}

void AppState::setLastSyncError(const QString &calendarId, const QString &reason)
{
    m_lastSyncErrorCalendarId = calendarId;
    m_lastSyncError = reason;
}

QSet<QString> AppState::remoteAccountCalendars() const
{
    return remoteAccountCalendars(m_accounts, m_calendars);
}

QSet<QString> AppState::remoteAccountCalendars(AccountRepository *accounts, CalendarRepository *calendars)
{
    QSet<QString> result;
    if (!accounts || !calendars)
        return result;
    QSet<QString> remoteAccounts;
    for (const Account &account : accounts->getAll()) {
        if (isCalDavFamily(account.type) || account.type == AccountType::Google
            || account.type == AccountType::Microsoft)
            remoteAccounts.insert(account.id);
    }
    for (const Calendar &calendar : calendars->getAll()) {
        if (remoteAccounts.contains(calendar.account_id))
            result.insert(calendar.id);
    }
    return result;
}

EventEditor AppState::eventEditor() const
{
    return EventEditor(m_events, m_calendars, m_database, m_undoStack);
}
