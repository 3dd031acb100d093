#pragma once

#include "account/authstate.h"
#include "account/client.h"
#include "app/calendarsyncrequest.h"
#include "store/account.h"
#include "store/recordrepositories.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QSet>
#include <QString>

class AccountRepository;
class CalendarRepository;
class Database;
class EventRepository;
class FilterRuleRepository;
class PreferencesRepository;
class TaskRepository;
class TemplateRepository;
class ThemeManager;
class EventEditor;
class UndoStack;
class ViewRepository;

namespace Invitations {
class Service;
}
namespace Sync {
class ConflictResolutionService;
}
namespace Tindlebrook {
class ConfigSyncService;
}
namespace Weather {
class Service;
}

// One step of the back/forward history of the calendar views.
struct NavigationEntry
{
    QString viewMode;
    QDate date;
    int weekHorizon = 7;
};

// The application's hub: owns the store and the long-lived services and
// carries the user-interface state that windows, views, panes, the tray and
// the dialogs share. Every component reaches the store through it.
class AppState : public QObject
{
    Q_OBJECT
public:
    // Fixed ids of the calendar that holds the user's events when no other
    // account would.
    static constexpr const char *LocalAccountId = PersonalLocalAccountId;
    static constexpr const char *LocalCalendarId = "tindlebrook-personal-default";

    explicit AppState(QObject *parent = nullptr);

    // The cloud endpoints: each environment variable when set and not empty,
    // else the built-in default.
    static TindAccount::Client::Config cloudConfigFromEnvironment();
    static QString syncApiUrlFromEnvironment();
    ~AppState() override;

    // When the floating times are pinned on the computer's zone: at once, or
    // by pinFloatingTimes(), which the program's start runs once the window's
    // frame has painted, before the contents (or anything else that reads
    // or writes an event) are made.
    enum class FloatingTimes { PinnedNow, PinnedLater };

    // Opens and migrates the store, then builds every service in a fixed
    // order. False when the database could not be opened or migrated.
    bool initialize(FloatingTimes floatingTimes = FloatingTimes::PinnedNow);
    // Pins the floating times where the computer's zone is new to them: a
    // start in another zone does it after its window's frame shows.
    void pinFloatingTimes();

    Database *database() const { return m_database; }
    PreferencesRepository *preferences() const { return m_preferences; }
    AccountRepository *accounts() const { return m_accounts; }
    CalendarRepository *calendars() const { return m_calendars; }
    EventRepository *events() const { return m_events; }
    TaskRepository *tasks() const { return m_tasks; }
    ViewRepository *views() const { return m_views; }
    FilterRuleRepository *filterRules() const { return m_filterRules; }
    TemplateRepository *templates() const { return m_templates; }
    ThemeManager *themeManager() const { return m_themeManager; }
    UndoStack *undoStack() const { return m_undoStack; }
    // The edits of events over this store and undo stack.
    EventEditor eventEditor() const;
    Weather::Service *weather() const { return m_weather; }
    TindAccount::Client *accountClient() const { return m_accountClient; }
    // The store's records as the sync clients, the cloud services and the
    // sample data take them.
    RecordRepositories recordRepositories() const
    {
        return {m_database, m_events, m_tasks, m_calendars, m_accounts};
    }
    Sync::ConflictResolutionService *conflicts() const { return m_conflicts; }
    Tindlebrook::ConfigSyncService *configSync() const { return m_configSync; }
    Invitations::Service *invitations() const { return m_invitations; }

    QString activeViewId() const { return m_activeViewId; }
    QString selectedEventId() const { return m_selectedEventId; }
    QDate currentDate() const { return m_currentDate; }
    QString viewMode() const { return m_viewMode; }
    int hourHeight() const { return m_hourHeight; }
    int weekHorizon() const { return m_weekHorizon; }
    int filterHiddenCount() const { return m_filterHiddenCount; }
    const QList<NavigationEntry> &backStack() const { return m_backStack; }
    const QList<NavigationEntry> &forwardStack() const { return m_forwardStack; }
    int runningSyncCount() const { return m_runningSyncCount; }
    bool lastSyncErrored() const { return m_lastSyncErrored; }
    QString lastSyncError() const { return m_lastSyncError; }
    QString lastSyncErrorCalendarId() const { return m_lastSyncErrorCalendarId; }

    void setActiveViewId(const QString &id);
    void setSelectedEventId(const QString &id);
    void setCurrentDate(const QDate &date);
    void setViewMode(const QString &mode);
    void setWeekHorizon(int days);
    void setHourHeight(int pixels);
    void setFilterHiddenCount(int count);
    void setDensity(const QString &mode, const QString &density);

    void navigateTo(const QString &mode, const QDate &date);
    void goBack();
    void goForward();

    QString density(const QString &mode) const;
    bool isCompact(const QString &mode) const;
    Qt::DayOfWeek firstDayOfWeek() const;
    // Sunday for the territories that start their week on it, else Monday.
    static Qt::DayOfWeek territoryFirstDayOfWeek(QLocale::Territory territory);

    void beginSync();
    void endSync(bool failed);
    void setLastSyncError(const QString &calendarId, const QString &reason);

    // Calendars whose account syncs with a remote provider.
    QSet<QString> remoteAccountCalendars() const;
    // The same, read through the given repositories (a worker's own).
    static QSet<QString> remoteAccountCalendars(AccountRepository *accounts, CalendarRepository *calendars);

    void seedLocalAccount();

    // The pull of the cloud's calendar list a sign-in asks for. The sync
    // orchestration runs it (one client at a time, as for every sync),
    // taking one asked for before it existed when it starts; once the pull
    // ended, whatever came of it, it reports back here.
    bool takeCalendarListPull();
    void finishCalendarListPull();

public Q_SLOTS:
    void onAuthenticated();
    void onAuthStateChanged(TindAccount::AuthState state);

Q_SIGNALS:
    void databaseReady();
    void activeViewChanged(const QString &viewId);
    void selectedEventChanged(const QString &eventId);
    void currentDateChanged(const QDate &date);
    void viewModeChanged(const QString &mode);
    void hourHeightChanged(int pixels);
    void weekHorizonChanged(int days);
    void filterHiddenCountChanged(int count);
    void densityChanged(const QString &mode, const QString &density);
    void firstDayOfWeekChanged(Qt::DayOfWeek day);
    void syncNowRequested();
    // Pull the cloud's calendar list (takeCalendarListPull); answered by
    // the sync orchestration alone.
    void calendarListPullRequested();
    // Sync these calendars now; answered by the sync orchestration alone.
    void calendarSyncRequested(const CalendarSyncRequest &request);
    void syncBusyChanged(bool busy);
    void lastSyncErroredChanged(bool errored);

private:
    void pushHistory();
    void applyHistoryEntry(const NavigationEntry &entry);
    void onPreferenceChanged(const QString &key);
    void restoreUiState();

    Database *m_database = nullptr;
    PreferencesRepository *m_preferences = nullptr;
    AccountRepository *m_accounts = nullptr;
    CalendarRepository *m_calendars = nullptr;
    EventRepository *m_events = nullptr;
    TaskRepository *m_tasks = nullptr;
    ViewRepository *m_views = nullptr;
    FilterRuleRepository *m_filterRules = nullptr;
    TemplateRepository *m_templates = nullptr;
    ThemeManager *m_themeManager = nullptr;
    UndoStack *m_undoStack = nullptr;
    Weather::Service *m_weather = nullptr;
    TindAccount::Client *m_accountClient = nullptr;
    Sync::ConflictResolutionService *m_conflicts = nullptr;
    Tindlebrook::ConfigSyncService *m_configSync = nullptr;
    Invitations::Service *m_invitations = nullptr;

    QString m_activeViewId;
    QString m_selectedEventId;
    QDate m_currentDate;
    QString m_viewMode;
    int m_hourHeight = 56;
    int m_weekHorizon = 7;
    int m_filterHiddenCount = -1;
    QList<NavigationEntry> m_backStack;
    QList<NavigationEntry> m_forwardStack;
    bool m_navigating = false;
    int m_runningSyncCount = 0;
    bool m_calendarListPullWanted = false;
    bool m_batchErrored = false;
    bool m_lastSyncErrored = false;
    QString m_lastSyncError;
    QString m_lastSyncErrorCalendarId;
};
