#pragma once

// The keys of every stored preference, in the settings table or in the
// window settings. The texts are stored: renaming one loses the user's value.
namespace PreferenceKeys {

// Views and the main window.
inline constexpr char ActiveViewId[] = "ui/activeViewId";
inline constexpr char ViewMode[] = "ui/viewMode";
inline constexpr char ViewDate[] = "ui/viewDate";
inline constexpr char WeekHorizon[] = "ui/weekHorizon";
inline constexpr char WeekStartDay[] = "ui/weekStartDay";
inline constexpr char TimelineHourHeight[] = "ui/timelineHourHeight";
// Followed by the view mode: one density per view.
inline constexpr char DensityPrefix[] = "ui/density/";
inline constexpr char WorkdayStart[] = "ui/workdayStart";
inline constexpr char WorkdayEnd[] = "ui/workdayEnd";
inline constexpr char ShowWeekNumbers[] = "ui/showWeekNumbers";
inline constexpr char TimeFormat[] = "ui/timeFormat";
inline constexpr char TaskDropAction[] = "ui/taskDropAction";
inline constexpr char Theme[] = "ui/theme";
inline constexpr char AccentColor[] = "ui/accentColor";
inline constexpr char FontScale[] = "ui/fontScale";
inline constexpr char Language[] = "ui/language";
inline constexpr char WindowGeometry[] = "ui/window/geometry";
inline constexpr char WindowState[] = "ui/window/state";
inline constexpr char WindowSplitter[] = "ui/window/splitter";
inline constexpr char FirstLaunchSeen[] = "ui/firstLaunchSeen";

// The tray.
inline constexpr char StartMinimized[] = "ui/startMinimized";
inline constexpr char CloseToTray[] = "ui/closeToTray";
inline constexpr char CloseToTrayBalloonShown[] = "ui/closeToTrayBalloonShown";

// Default and last-used calendars for new items.
inline constexpr char DefaultCalendarId[] = "ui/defaultCalendarId";
inline constexpr char DefaultTaskCalendarId[] = "ui/defaultTaskCalendarId";
inline constexpr char LastUsedEventCalendarId[] = "ui/lastUsedEventCalendarId";
inline constexpr char LastUsedTaskCalendarId[] = "ui/lastUsedTaskCalendarId";

// The side panes and their detached windows.
inline constexpr char TasksPaneVisible[] = "ui/tasksPaneVisible";
inline constexpr char RemindersPaneVisible[] = "ui/remindersPaneVisible";
inline constexpr char SidebarAgendaMode[] = "ui/sidebarAgendaMode";
inline constexpr char DetachedAgendaMode[] = "ui/detachedAgendaMode";
inline constexpr char DetachedAgendaGeometry[] = "ui/detachedAgendaWindow/geometry";
inline constexpr char DetachedRemindersGeometry[] = "ui/detachedRemindersWindow/geometry";
inline constexpr char DetachedTasksGeometry[] = "ui/detachedTasksWindow/geometry";
inline constexpr char TasksFilter[] = "ui/tasksFilter";
inline constexpr char TasksGroupByCalendar[] = "ui/tasksGroupByCalendar";
inline constexpr char TasksHideCompleted[] = "ui/tasksHideCompleted";
inline constexpr char TasksShowCategories[] = "ui/tasksShowCategories";
inline constexpr char TasksShowNotes[] = "ui/tasksShowNotes";

// Weather.
inline constexpr char WeatherEnabled[] = "weather/enabled";
inline constexpr char WeatherUnit[] = "weather/unit";
inline constexpr char WeatherLocationName[] = "weather/location_name";
inline constexpr char WeatherLocationLat[] = "weather/location_lat";
inline constexpr char WeatherLocationLng[] = "weather/location_lng";

// One-time marks.
inline constexpr char AccountsDeduped[] = "sync/accountsDedupedV3";
inline constexpr char UnencryptedSecretsNoticeShown[] = "secrets/unencryptedNoticeShown";
inline constexpr char LastRunVersion[] = "update/lastRunVersion";
// Set by migration 23, taken away once DayDurationReread has done its work.
inline constexpr char DayDurationsRereadDue[] = "store/dayDurationsRereadDue";
// Set by migration 26, taken away once FloatingStamps has renamed them.
inline constexpr char FloatingStampsRenameDue[] = "store/floatingStampsRenameDue";
// The computer's zone the stored instants of floating times were read in
// (FloatingZone).
inline constexpr char FloatingZone[] = "time/floatingZone";

} // namespace PreferenceKeys

// The setting keys of configuration sync.
namespace ConfigSyncKeys {
inline constexpr char Since[] = "config/sync/since";
inline constexpr char Accounts[] = "config/sync/accounts";
inline constexpr char Filters[] = "config/sync/filters";
inline constexpr char Views[] = "config/sync/views";
inline constexpr char Templates[] = "config/sync/templates";
inline constexpr char Settings[] = "config/sync/settings";
// When the week start was last changed, in milliseconds since the epoch:
// the settings table keeps no time of its own.
inline constexpr char WeekStartChangedAt[] = "config/sync/weekStartDay/changedAt";
// The subscriptions the last successful push carried (JSON: calendar id ->
// url), so that one removed since can be sent as removed.
inline constexpr char PushedSubscriptions[] = "config/sync/pushedSubscriptions";
// Set by the user's own choice of week start on this device.
inline constexpr char WeekStartCustomized[] = "ui/weekStartDay/customized";
} // namespace ConfigSyncKeys
