#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

#include "store/account.h"
#include "store/calendar.h"
#include "store/calendarview.h"
#include "store/eventtemplate.h"
#include "store/filterrule.h"
#include "store/preferencekeys.h"

#include <optional>

namespace Tindlebrook {

// The change records configuration sync exchanges with the cloud: the
// writer of every kind, and the lenient readers the appliers share.
// Calendars travel as canonical keys, never as local ids.
namespace ConfigRecords {

inline constexpr char FilterRules[] = "filter_rules";
inline constexpr char CalendarViews[] = "calendar_views";
inline constexpr char EventTemplates[] = "event_templates";
inline constexpr char CalDavAccounts[] = "caldav_accounts";
inline constexpr char OAuthAccounts[] = "oauth_accounts";
inline constexpr char CalendarPreferences[] = "calendar_preferences";
inline constexpr char InitialSettings[] = "initial_settings";

inline constexpr char WebcalCalendarType[] = "webcal_calendar";
inline constexpr char WebcalCalendarIdPrefix[] = "webcal-calendar-";
inline constexpr const char *WeekStartKey = PreferenceKeys::WeekStartDay;

QJsonObject change(const QString &type, const QJsonObject &data);

// Milliseconds since the epoch; the current time when `value` is invalid.
qint64 epochMsOrNow(const QDateTime &value, const QDateTime &now);

// Local calendar ids as keys, in id order. An id that is no local calendar
// but is itself a canonical key (kept for a calendar this device does not
// know) passes through; ids of calendars without a key are dropped.
QStringList keysForIds(const QString &calendarIdsJson, const QList<Calendar> &calendars, bool *wasArray = nullptr);
bool looksLikeCanonicalKey(const QString &text);
// A calendar kept by the cloud service ("tindlebrook://" and its server id):
// the same calendar on every device, whichever local account holds it.
bool isCloudCalendarUrl(const QString &url);

QJsonObject filterRuleData(const FilterRule &rule, const QList<Calendar> &calendars, const QDateTime &now);
QJsonObject calendarViewData(const CalendarView &view, const QList<Calendar> &calendars, const QDateTime &now);
QJsonObject eventTemplateData(const EventTemplate &eventTemplate, const QList<Calendar> &calendars,
                              const QDateTime &now);
// `password`: empty is sent as null.
QJsonObject calDavAccountData(const Account &account, const QString &password, const QDateTime &now);
QJsonObject oauthAccountData(const Account &account, const QDateTime &now);
QJsonObject subscriptionData(const Calendar &calendar, const Account &account, const QDateTime &now);
// A subscription removed here since the last push.
QJsonObject subscriptionTombstone(const QString &calendarId, const QString &url, const QDateTime &deletedAt);
QJsonObject calendarPreferenceData(const Calendar &calendar, const std::optional<Account> &account,
                                   const QDateTime &now);
QJsonObject weekStartData(int day, qint64 changedAtMs);

// Readers: a default when the value is absent or of another JSON type.
QString readString(const QJsonObject &data, const char *key, const QString &fallback = QString());
bool readBool(const QJsonObject &data, const char *key, bool fallback);
int readInt(const QJsonObject &data, const char *key, int fallback);
// A number is milliseconds since the epoch, a string ISO-8601; anything
// else is `now`.
QDateTime parseTimestamp(const QJsonValue &value, const QDateTime &now);
// Present and not null, not "" and not 0.
bool isTombstone(const QJsonObject &data);
// The strings of an array value, in order; a non-string element is "".
QStringList readStringArray(const QJsonValue &value);
QString compactIdList(const QStringList &ids);

} // namespace ConfigRecords

} // namespace Tindlebrook
