#include "cloud/configsettingsapplier.h"

#include <QDebug>
#include <QJsonDocument>
#include <QUuid>

#include "cloud/configrecords.h"
#include "calendar/stylecolor.h"
#include "cloud/configsynclog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "store/templaterepository.h"
#include "store/viewrepository.h"
#include "sync/core/canonicalcalendarkey.h"

namespace Tindlebrook {

using namespace ConfigRecords;

namespace {

bool sameContent(const CalendarView &a, const CalendarView &b)
{
    return a.name == b.name && a.color == b.color && a.calendar_ids == b.calendar_ids
        && a.is_default == b.is_default && a.sort_order == b.sort_order;
}

bool sameContent(const FilterRule &a, const FilterRule &b)
{
    return a.name == b.name && a.type == b.type && a.enabled == b.enabled && a.calendar_ids == b.calendar_ids
        && a.conditions == b.conditions && a.action == b.action && a.priority == b.priority
        && a.event_uid == b.event_uid && a.event_calendar_id == b.event_calendar_id
        && a.suppress_reminders == b.suppress_reminders;
}

bool sameContent(const EventTemplate &a, const EventTemplate &b)
{
    return a.name == b.name && a.title == b.title && a.description == b.description && a.location == b.location
        && a.color == b.color && a.is_all_day == b.is_all_day && a.duration_minutes == b.duration_minutes
        && a.recurrence_rule == b.recurrence_rule && a.calendar_id == b.calendar_id && a.reminders == b.reminders
        && a.sort_order == b.sort_order;
}

bool sameSettings(const Calendar &a, const Calendar &b)
{
    return a.is_visible == b.is_visible && a.color == b.color && a.name == b.name && a.sort_order == b.sort_order
        && a.sync_enabled == b.sync_enabled && a.canonical_key == b.canonical_key;
}

// A refused write is logged and the change is taken again with the next
// pull; the applier has no one to show it to.
void stored(bool written, const char *what, const QString &id)
{
    if (!written)
        qCWarning(configSyncLog) << "[ConfigSync] Could not store" << what << id;
}

// Writes only what changed, and only over an older row.
template<typename Row>
bool isNewerChange(const Row &local, const Row &incoming)
{
    return !sameContent(local, incoming) && incoming.updated_at > local.updated_at;
}

QStringList idsOfJson(const QString &json)
{
    QStringList ids;
    for (const QJsonValue &value : QJsonDocument::fromJson(json.toUtf8()).array())
        ids.append(value.toString());
    return ids;
}

} // namespace

ConfigSettingsApplier::ConfigSettingsApplier(const ConfigSyncContext &context, const QSet<QString> &freshCalendarIds)
    : m_context(context)
    , m_freshCalendarIds(freshCalendarIds)
{
}

QStringList ConfigSettingsApplier::resolveKeepingLocal(const QStringList &keys, const QString &localIdsJson,
                                                       QStringList *unresolved) const
{
    const QList<Calendar> calendars = m_context.repositories.calendars->getAll();
    const Sync::CalendarKeyResolution resolution = Sync::calendarIdsForKeys(keys, calendars);
    QStringList ids = resolution.ids;
    if (unresolved)
        *unresolved = resolution.unresolved;
    for (const QString &id : idsOfJson(localIdsJson)) {
        if (id.isEmpty() || ids.contains(id))
            continue;
        const auto calendar = std::find_if(calendars.cbegin(), calendars.cend(),
                                           [&id](const Calendar &c) { return c.id == id; });
        // A keyed calendar left out by the sender was taken out there; one
        // without a key could never be named, so it stays.
        const bool nameable = calendar != calendars.cend() ? !calendar->canonical_key.isEmpty()
                                                           : looksLikeCanonicalKey(id);
        if (!nameable)
            ids.append(id);
    }
    return ids;
}

void ConfigSettingsApplier::insertStub(const QJsonObject &data, const QString &key) const
{
    const QDateTime now = m_context.now();
    Calendar stub;
    stub.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    stub.account_id = readString(data, "account_id");
    stub.url = readString(data, "calendar_url");
    stub.name = readString(data, "display_name_override", QStringLiteral("Pending"));
    stub.color = readString(data, "color_override", QStringLiteral("#4285F4"));
    stub.timezone = QStringLiteral("UTC");
    stub.is_visible = readBool(data, "is_visible", true);
    stub.is_read_only = true;
    stub.sync_enabled = false;
    stub.canonical_key = key;
    stub.sort_order = readInt(data, "sort_order", 0);
    stub.created_at = parseTimestamp(data.value("created_at"), now);
    stub.updated_at = parseTimestamp(data.value("updated_at"), now);
    if (m_context.repositories.calendars->insert(stub))
        qCDebug(configSyncLog) << "[ConfigSync] Stubbed calendar" << key << "under" << stub.account_id << "("
                               << stub.name << ")";
}

void ConfigSettingsApplier::insertCloudCalendar(const QJsonObject &data, const QString &key) const
{
    const ConfigSyncRepositories &repos = m_context.repositories;
    const QString url = readString(data, "calendar_url");
    if (Sync::canonicalCalendarKey(QStringLiteral("tindlebrook"), url).value_or(QString()) != key)
        return;
    // Filed as the cloud calendar list files it, so that the list pull and
    // the calendar sync take it as theirs; without a cloud account here the
    // list pull brings it later.
    QString accountId;
    for (const Account &account : repos.accounts->getAll()) {
        if (account.type == AccountType::Tindlebrook) {
            accountId = account.id;
            break;
        }
    }
    if (accountId.isEmpty())
        return;
    const QDateTime now = m_context.now();
    Calendar calendar;
    calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    calendar.account_id = accountId;
    calendar.url = url;
    calendar.name = readString(data, "display_name_override", url.mid(int(qstrlen("tindlebrook://"))));
    calendar.color = readString(data, "color_override", QStringLiteral("#4285F4"));
    calendar.timezone = QStringLiteral("UTC");
    calendar.is_visible = readBool(data, "is_visible", true);
    calendar.supported_components = QStringLiteral("[\"VEVENT\"]");
    calendar.canonical_key = key;
    calendar.sort_order = readInt(data, "sort_order", 0);
    calendar.sync_enabled = readBool(data, "sync_enabled", true);
    calendar.created_at = parseTimestamp(data.value("created_at"), now);
    calendar.updated_at = parseTimestamp(data.value("updated_at"), now);
    if (repos.calendars->insert(calendar))
        qCDebug(configSyncLog) << "[ConfigSync] Added cloud calendar" << url << "under" << accountId;
}

void ConfigSettingsApplier::applyCalendarPreference(const QJsonObject &data)
{
    const QString key = readString(data, "canonical_key");
    if (key.isEmpty())
        return;
    const ConfigSyncRepositories &repos = m_context.repositories;
    const bool cloudCalendar = isCloudCalendarUrl(readString(data, "calendar_url"));
    // This device's own calendars take no settings from another device;
    // cloud calendars filed under that account are shared by all.
    if (readString(data, "account_id") == QLatin1String(DeviceLocalAccountId) && !cloudCalendar)
        return;
    const Sync::CalendarKeyResolution resolved = Sync::calendarIdsForKeys({key}, repos.calendars->getAll());
    QString id = resolved.ids.value(0);
    if (id.isEmpty() && cloudCalendar) {
        insertCloudCalendar(data, key);
        return;
    }
    if (id.isEmpty()) {
        const QString accountId = readString(data, "account_id");
        const QString url = readString(data, "calendar_url");
        if (accountId.isEmpty() || url.isEmpty() || !repos.accounts->getById(accountId))
            return;
        for (const Calendar &calendar : repos.calendars->getByAccount(accountId)) {
            if (calendar.url != url)
                continue;
            id = calendar.id;
            if (calendar.canonical_key.isEmpty()) {
                Calendar keyed = calendar;
                keyed.canonical_key = key;
                stored(repos.calendars->update(keyed), "calendar key of", keyed.id);
            }
            break;
        }
        if (id.isEmpty()) {
            insertStub(data, key);
            return;
        }
    }
    const std::optional<Calendar> current = repos.calendars->getById(id);
    if (!current
        || (current->account_id == QLatin1String(DeviceLocalAccountId) && !isCloudCalendarUrl(current->url)))
        return;
    Calendar updated = *current;
    updated.is_visible = readBool(data, "is_visible", updated.is_visible);
    if (const QString color = readString(data, "color_override"); !color.isEmpty())
        updated.color = color;
    if (const QString name = readString(data, "display_name_override"); !name.isEmpty())
        updated.name = name;
    updated.sort_order = readInt(data, "sort_order", updated.sort_order);
    if (data.contains(QLatin1String("sync_enabled"))) {
        const std::optional<Account> account = repos.accounts->getById(updated.account_id);
        if (account && account->type == AccountType::Tindlebrook)
            updated.sync_enabled = readBool(data, "sync_enabled", updated.sync_enabled);
    }
    updated.updated_at = parseTimestamp(data.value("updated_at"), m_context.now());
    // Discovery's own writes carry its time, not a choice of the user's.
    const bool fresh = m_freshCalendarIds.contains(current->id);
    if (sameSettings(*current, updated) || (!fresh && updated.updated_at <= current->updated_at))
        return;
    stored(repos.calendars->updateKeepingTime(updated), "calendar", updated.id);
}

void ConfigSettingsApplier::applyCalendarView(const QJsonObject &data)
{
    const QString id = readString(data, "id");
    if (id.isEmpty() || id == QLatin1String("all-calendars"))
        return;
    ViewRepository *views = m_context.repositories.views;
    if (isTombstone(data)) {
        if (views->getById(id))
            stored(views->hardDelete(id), "view deletion", id);
        return;
    }
    const std::optional<CalendarView> local = views->getById(id);
    const QDateTime now = m_context.now();
    CalendarView view;
    view.id = id;
    view.name = readString(data, "name");
    view.color = readString(data, "color");
    view.calendar_ids = compactIdList(resolveKeepingLocal(readStringArray(data.value("calendar_keys")),
                                                          local ? local->calendar_ids : QString(), nullptr));
    view.is_default = readBool(data, "is_default", false);
    view.sort_order = readInt(data, "sort_order", 0);
    view.created_at = parseTimestamp(data.value("created_at"), now);
    view.updated_at = parseTimestamp(data.value("updated_at"), now);
    if (!local) {
        stored(views->insert(view), "view", id);
        return;
    }
    if (!isNewerChange(*local, view))
        return;
    view.sync_status = local->sync_status;
    stored(views->updateKeepingTime(view), "view", id);
}

void ConfigSettingsApplier::applyFilterRule(const QJsonObject &data)
{
    const QString id = readString(data, "id");
    if (id.isEmpty())
        return;
    FilterRuleRepository *rules = m_context.repositories.filterRules;
    if (isTombstone(data)) {
        if (rules->getById(id))
            stored(rules->hardDelete(id), "filter deletion", id);
        return;
    }
    const std::optional<FilterRule> local = rules->getById(id);
    const QDateTime now = m_context.now();
    FilterRule rule;
    rule.id = id;
    rule.name = readString(data, "name");
    rule.type = readString(data, "type");
    rule.action = readString(data, "action");
    rule.enabled = readBool(data, "enabled", false);
    rule.priority = readInt(data, "priority", 0);
    const QJsonValue conditions = data.value("conditions");
    if (conditions.isObject())
        rule.conditions = QString::fromUtf8(QJsonDocument(conditions.toObject()).toJson(QJsonDocument::Compact));
    else
        rule.conditions = conditions.isString() ? conditions.toString() : QStringLiteral("{}");
    const QStringList keys = readStringArray(data.value("calendar_keys"));
    QStringList unresolved;
    QStringList ids = resolveKeepingLocal(keys, local ? local->calendar_ids : QString(), &unresolved);
    // A rule for some calendars must not turn into one for all of them:
    // keys unknown here stay in its scope and match nothing until then.
    if (ids.isEmpty() && !keys.isEmpty())
        ids = unresolved;
    rule.calendar_ids = compactIdList(ids);
    rule.event_uid = readString(data, "event_uid");
    const QString eventKey = readString(data, "event_calendar_key");
    if (!eventKey.isEmpty())
        rule.event_calendar_id
            = Sync::calendarIdsForKeys({eventKey}, m_context.repositories.calendars->getAll()).ids.value(0);
    rule.suppress_reminders = readBool(data, "suppress_reminders", false);
    rule.created_at = parseTimestamp(data.value("created_at"), now);
    rule.updated_at = parseTimestamp(data.value("updated_at"), now);
    qCDebug(configSyncLog) << "[ConfigSync] filter_rule" << rule.name << "type=" << rule.type
                           << "canonical_keys=" << keys.size() << "resolved=" << keys.size() - unresolved.size()
                           << "unresolved=" << unresolved.size() << "event_uid=" << rule.event_uid
                           << "event_cal_key_resolved=" << !rule.event_calendar_id.isEmpty()
                           << "conditions_len=" << rule.conditions.size();
    if (!local) {
        stored(rules->insert(rule), "filter", id);
        return;
    }
    if (!isNewerChange(*local, rule))
        return;
    rule.sync_status = local->sync_status;
    stored(rules->updateKeepingTime(rule), "filter", id);
}

void ConfigSettingsApplier::applyEventTemplate(const QJsonObject &data)
{
    const QString id = readString(data, "id");
    if (id.isEmpty())
        return;
    TemplateRepository *templates = m_context.repositories.templates;
    if (isTombstone(data)) {
        if (templates->getById(id))
            stored(templates->hardDelete(id), "template deletion", id);
        return;
    }
    const QDateTime now = m_context.now();
    EventTemplate t;
    t.id = id;
    t.name = readString(data, "name");
    t.title = readString(data, "title");
    t.description = readString(data, "description");
    t.location = readString(data, "location");
    t.color = styleColor(readString(data, "color"), QString());
    t.recurrence_rule = readString(data, "recurrence_rule");
    t.is_all_day = readBool(data, "is_all_day", false);
    t.duration_minutes = readInt(data, "duration_minutes", 60);
    t.sort_order = readInt(data, "sort_order", 0);
    for (const QJsonValue &value : data.value("reminders").toArray())
        t.reminders.append(value.isDouble() ? value.toInt() : 0);
    const QString key = readString(data, "calendar_key");
    if (!key.isEmpty())
        t.calendar_id = Sync::calendarIdsForKeys({key}, m_context.repositories.calendars->getAll()).ids.value(0);
    t.created_at = parseTimestamp(data.value("created_at"), now);
    t.updated_at = parseTimestamp(data.value("updated_at"), now);
    const std::optional<EventTemplate> local = templates->getById(id);
    if (!local) {
        stored(templates->insertKeepingTime(t), "template", id);
        return;
    }
    if (isNewerChange(*local, t))
        stored(templates->updateKeepingTime(t), "template", id);
}

void ConfigSettingsApplier::applySetting(const QJsonObject &data)
{
    const QString key = readString(data, "key");
    const QString value = readString(data, "value");
    if (key.isEmpty() || value.isEmpty() || key != QLatin1String(WeekStartKey))
        return;
    PreferencesRepository *preferences = m_context.repositories.preferences;
    if (preferences->getBool(QLatin1String(ConfigSyncKeys::WeekStartCustomized), false))
        return;
    bool ok = false;
    const int day = value.toInt(&ok, 10);
    if (!ok || day < 1 || day > 7)
        return;
    // Only a change made after this device's own last change wins.
    const qint64 changedAt = parseTimestamp(data.value("updated_at"), QDateTime::fromMSecsSinceEpoch(0, Qt::UTC))
                                 .toMSecsSinceEpoch();
    const qint64 localChangedAt
        = preferences->getString(QLatin1String(ConfigSyncKeys::WeekStartChangedAt)).toLongLong();
    if (changedAt <= localChangedAt || preferences->getInt(QLatin1String(WeekStartKey), -1) == day)
        return;
    stored(preferences->set(QLatin1String(ConfigSyncKeys::WeekStartChangedAt), QString::number(changedAt)),
           "setting", QLatin1String(ConfigSyncKeys::WeekStartChangedAt));
    stored(preferences->setInt(QLatin1String(WeekStartKey), day), "setting", QLatin1String(WeekStartKey));
}

} // namespace Tindlebrook
