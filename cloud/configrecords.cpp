#include "cloud/configrecords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include "sync/core/canonicalcalendarkey.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Tindlebrook::ConfigRecords {

namespace {

QJsonValue stringOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

void putDeletedAt(QJsonObject &data, const std::optional<QDateTime> &deletedAt, const QDateTime &now)
{
    if (deletedAt)
        data.insert("deleted_at", epochMsOrNow(*deletedAt, now));
}

QStringList idsOf(const QString &json, bool *wasArray)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (wasArray)
        *wasArray = document.isArray();
    QStringList ids;
    for (const QJsonValue &value : document.array())
        ids.append(value.toString());
    return ids;
}

std::optional<QString> keyOf(const QString &calendarId, const QList<Calendar> &calendars)
{
    if (calendarId.isEmpty())
        return std::nullopt;
    for (const Calendar &calendar : calendars) {
        if (calendar.id == calendarId)
            return calendar.canonical_key.isEmpty() ? std::nullopt : std::optional<QString>(calendar.canonical_key);
    }
    return std::nullopt;
}

} // namespace

QJsonObject change(const QString &type, const QJsonObject &data)
{
    return QJsonObject{{"type", type}, {"data", data}};
}

qint64 epochMsOrNow(const QDateTime &value, const QDateTime &now)
{
    return value.isValid() ? value.toMSecsSinceEpoch() : now.toMSecsSinceEpoch();
}

bool isCloudCalendarUrl(const QString &url)
{
    return url.startsWith(QLatin1String("tindlebrook://"));
}

bool looksLikeCanonicalKey(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{64}$"));
    return pattern.match(text).hasMatch();
}

QStringList keysForIds(const QString &calendarIdsJson, const QList<Calendar> &calendars, bool *wasArray)
{
    QStringList keys;
    for (const QString &id : idsOf(calendarIdsJson, wasArray)) {
        const auto calendar = std::find_if(calendars.cbegin(), calendars.cend(),
                                           [&id](const Calendar &c) { return c.id == id; });
        if (calendar != calendars.cend()) {
            if (!calendar->canonical_key.isEmpty())
                keys.append(calendar->canonical_key);
        } else if (looksLikeCanonicalKey(id)) {
            keys.append(id);
        }
    }
    return keys;
}

QString compactIdList(const QStringList &ids)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(ids)).toJson(QJsonDocument::Compact));
}

QJsonObject filterRuleData(const FilterRule &rule, const QList<Calendar> &calendars, const QDateTime &now)
{
    const QJsonDocument conditions = QJsonDocument::fromJson(rule.conditions.toUtf8());
    QJsonObject data{{"id", rule.id},
                     {"name", rule.name},
                     {"type", rule.type},
                     {"action", rule.action},
                     {"enabled", rule.enabled},
                     {"priority", rule.priority},
                     {"conditions", conditions.isObject() ? conditions.object() : QJsonObject()},
                     {"suppress_reminders", rule.suppress_reminders},
                     {"created_at", epochMsOrNow(rule.created_at, now)},
                     {"updated_at", epochMsOrNow(rule.updated_at, now)}};
    const QStringList keys = keysForIds(rule.calendar_ids, calendars);
    if (!keys.isEmpty())
        data.insert("calendar_keys", QJsonArray::fromStringList(keys));
    if (!rule.event_uid.isEmpty())
        data.insert("event_uid", rule.event_uid);
    if (const std::optional<QString> key = keyOf(rule.event_calendar_id, calendars))
        data.insert("event_calendar_key", *key);
    putDeletedAt(data, rule.deleted_at, now);
    return data;
}

QJsonObject calendarViewData(const CalendarView &view, const QList<Calendar> &calendars, const QDateTime &now)
{
    QJsonObject data{{"id", view.id},
                     {"name", view.name},
                     {"color", view.color},
                     {"calendar_keys", QJsonArray::fromStringList(keysForIds(view.calendar_ids, calendars))},
                     {"is_default", view.is_default},
                     {"sort_order", view.sort_order},
                     {"created_at", epochMsOrNow(view.created_at, now)},
                     {"updated_at", epochMsOrNow(view.updated_at, now)}};
    putDeletedAt(data, view.deleted_at, now);
    return data;
}

QJsonObject eventTemplateData(const EventTemplate &t, const QList<Calendar> &calendars, const QDateTime &now)
{
    QJsonArray reminders;
    for (int minutes : t.reminders)
        reminders.append(minutes);
    const std::optional<QString> key = keyOf(t.calendar_id, calendars);
    QJsonObject data{{"id", t.id},
                     {"name", t.name},
                     {"title", t.title},
                     {"description", t.description},
                     {"location", t.location},
                     {"color", t.color},
                     {"is_all_day", t.is_all_day},
                     {"duration_minutes", t.duration_minutes},
                     {"recurrence_rule", t.recurrence_rule},
                     {"calendar_key", key ? QJsonValue(*key) : QJsonValue(QJsonValue::Null)},
                     {"reminders", reminders},
                     {"sort_order", t.sort_order},
                     {"created_at", epochMsOrNow(t.created_at, now)},
                     {"updated_at", epochMsOrNow(t.updated_at, now)}};
    putDeletedAt(data, t.deleted_at, now);
    return data;
}

QJsonObject calDavAccountData(const Account &a, const QString &password, const QDateTime &now)
{
    QJsonObject data{{"id", a.id},
                     {"account_type", typeText(a)},
                     {"server_url", a.server_url},
                     {"username", a.username},
                     {"display_name", a.name},
                     {"calendar_home_set", a.calendar_home_set},
                     {"principal_url", a.principal_url},
                     {"sync_interval_minutes", a.sync_interval_minutes},
                     {"color", a.color},
                     {"exclude_from_sync", a.exclude_from_sync},
                     {"password", stringOrNull(password)},
                     {"created_at", epochMsOrNow(a.created_at, now)},
                     {"updated_at", epochMsOrNow(a.updated_at, now)}};
    putDeletedAt(data, a.deleted_at, now);
    return data;
}

QJsonObject oauthAccountData(const Account &a, const QDateTime &now)
{
    QJsonObject data{{"id", a.id},
                     {"provider", typeText(a)},
                     {"user_email", a.username},
                     {"display_name", a.name},
                     {"color", a.color},
                     {"exclude_from_sync", a.exclude_from_sync},
                     {"created_at", epochMsOrNow(a.created_at, now)},
                     {"updated_at", epochMsOrNow(a.updated_at, now)}};
    putDeletedAt(data, a.deleted_at, now);
    return data;
}

QJsonObject subscriptionData(const Calendar &calendar, const Account &account, const QDateTime &now)
{
    return QJsonObject{{"id", QLatin1String(WebcalCalendarIdPrefix) + calendar.id},
                       {"account_type", QLatin1String(WebcalCalendarType)},
                       {"server_url", calendar.url},
                       {"username", QJsonValue::Null},
                       {"display_name", calendar.name},
                       {"calendar_home_set", QJsonValue::Null},
                       {"principal_url", QJsonValue::Null},
                       {"sync_interval_minutes", account.sync_interval_minutes},
                       {"color", calendar.color},
                       {"exclude_from_sync", false},
                       {"password", QJsonValue::Null},
                       {"created_at", epochMsOrNow(calendar.created_at, now)},
                       {"updated_at", epochMsOrNow(calendar.updated_at, now)}};
}

QJsonObject subscriptionTombstone(const QString &calendarId, const QString &url, const QDateTime &deletedAt)
{
    const qint64 at = deletedAt.toMSecsSinceEpoch();
    return QJsonObject{{"id", QLatin1String(WebcalCalendarIdPrefix) + calendarId},
                       {"account_type", QLatin1String(WebcalCalendarType)},
                       {"server_url", url},
                       {"created_at", at},
                       {"updated_at", at},
                       {"deleted_at", at}};
}

QJsonObject calendarPreferenceData(const Calendar &c, const std::optional<Account> &account, const QDateTime &now)
{
    const bool cloudSync = account && account->type == AccountType::Tindlebrook && c.sync_enabled;
    return QJsonObject{{"canonical_key", c.canonical_key},
                       {"is_visible", c.is_visible},
                       {"color_override", c.color},
                       {"display_name_override", c.name},
                       {"sort_order", c.sort_order},
                       {"sync_enabled", cloudSync},
                       {"account_id", c.account_id},
                       {"calendar_url", c.url},
                       {"provider", account ? QJsonValue(typeText(*account)) : QJsonValue(QJsonValue::Null)},
                       {"created_at", epochMsOrNow(c.created_at, now)},
                       {"updated_at", epochMsOrNow(c.updated_at, now)}};
}

QJsonObject weekStartData(int day, qint64 changedAtMs)
{
    return QJsonObject{{"key", QLatin1String(WeekStartKey)},
                       {"value", QString::number(day)},
                       {"type", "int"},
                       {"updated_at", changedAtMs}};
}

QString readString(const QJsonObject &data, const char *key, const QString &fallback)
{
    const QJsonValue value = data.value(QLatin1String(key));
    if (value.isString())
        return value.toString();
    // Empty, never null: the store's NOT NULL text columns take "".
    return fallback.isNull() ? QStringLiteral("") : fallback;
}

bool readBool(const QJsonObject &data, const char *key, bool fallback)
{
    const QJsonValue value = data.value(QLatin1String(key));
    return value.isBool() ? value.toBool() : fallback;
}

int readInt(const QJsonObject &data, const char *key, int fallback)
{
    const QJsonValue value = data.value(QLatin1String(key));
    if (!value.isDouble())
        return fallback;
    const double number = value.toDouble();
    // A value outside int's range is no setting this program wrote.
    if (!std::isfinite(number) || number < std::numeric_limits<int>::min()
        || number > std::numeric_limits<int>::max())
        return fallback;
    return static_cast<int>(number);
}

QDateTime parseTimestamp(const QJsonValue &value, const QDateTime &now)
{
    if (value.isDouble()) {
        const double number = value.toDouble();
        // Beyond about 290 million years either way a qint64 overflows.
        if (!std::isfinite(number) || std::fabs(number) > 9.0e15)
            return now;
        return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(number), Qt::UTC);
    }
    if (value.isString()) {
        const QDateTime parsed = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
        if (parsed.isValid())
            return parsed.toUTC();
    }
    return now;
}

bool isTombstone(const QJsonObject &data)
{
    if (!data.contains(QLatin1String("deleted_at")))
        return false;
    const QJsonValue value = data.value(QLatin1String("deleted_at"));
    if (value.isNull() || value.isUndefined())
        return false;
    if (value.isString() && value.toString().isEmpty())
        return false;
    if (value.isDouble() && value.toDouble() == 0.0)
        return false;
    return true;
}

QStringList readStringArray(const QJsonValue &value)
{
    QStringList out;
    for (const QJsonValue &element : value.toArray())
        out.append(element.isString() ? element.toString() : QString());
    return out;
}

} // namespace Tindlebrook::ConfigRecords
