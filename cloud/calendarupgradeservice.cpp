#include "cloud/calendarupgradeservice.h"

#include <QDebug>
#include <QJsonObject>
#include <QPointer>
#include <QUuid>

#include "account/apiclient.h"
#include "calendar/icscodec.h"
#include "cloud/syncclient.h"
#include "store/account.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/core/canonicalcalendarkey.h"

#include <memory>

namespace Tindlebrook {

namespace {

const QString CloudType = QStringLiteral("tindlebrook");
const QString CloudScheme = QStringLiteral("tindlebrook://");

QJsonObject taskToJson(const Task &task)
{
    QJsonObject body{{QStringLiteral("id"), task.id},
                     {QStringLiteral("uid"), task.uid},
                     {QStringLiteral("title"), task.title},
                     {QStringLiteral("raw_icalendar"),
                      task.raw_icalendar.isEmpty() ? IcsCodec::buildTodo(task) : task.raw_icalendar},
                     {QStringLiteral("status"), toText(task.status)},
                     {QStringLiteral("sequence"), task.sequence}};
    if (task.due_date && task.due_date->isValid())
        body.insert(QStringLiteral("due_date"), task.due_date->toMSecsSinceEpoch());
    return body;
}

// The uploads of one upgrade, shared by their callbacks. The rows are
// marked through the store even when the service is gone meanwhile.
struct Uploads
{
    Sync::Repositories store;
    int remaining = 0;
    int failed = 0;
};

void leaveEventPending(const Sync::Repositories &store, const QString &id)
{
    std::optional<Event> event = store.events->getById(id);
    if (!event || event->sync_status == SyncStatus::Pending)
        return;
    event->sync_status = SyncStatus::Pending;
    if (!store.events->update(*event))
        qWarning().noquote() << "[TindUpgrade] could not leave event" << id << "pending";
}

void leaveTaskPending(const Sync::Repositories &store, const QString &id)
{
    std::optional<Task> task = store.tasks->getById(id);
    if (!task || task->sync_status == SyncStatus::Pending)
        return;
    task->sync_status = SyncStatus::Pending;
    if (!store.tasks->update(*task))
        qWarning().noquote() << "[TindUpgrade] could not leave task" << id << "pending";
}

} // namespace

CalendarUpgradeService::CalendarUpgradeService(const Sync::Repositories &store, TindAccount::ApiClient *api,
                                               QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_api(api)
{
}

void CalendarUpgradeService::fail(const QString &calendarId, const QString &reason)
{
    qWarning().noquote() << "[TindUpgrade] upgrade of" << calendarId << "failed:" << reason;
    Q_EMIT upgradeFailed(calendarId, reason);
}

void CalendarUpgradeService::upgradeCalendar(const Calendar &calendar)
{
    Q_EMIT upgradeStarted(calendar.id);
    const std::optional<Account> account = m_store.accounts->getById(calendar.account_id);
    if (!account) {
        fail(calendar.id, tr("Calendar's account is missing"));
        return;
    }
    if (account->type != AccountType::Tindlebrook) {
        fail(calendar.id, tr("Only Tindlebrook-native calendars can be upgraded"));
        return;
    }
    if (calendar.url.startsWith(CloudScheme)) {
        fail(calendar.id, tr("Calendar is already on Tindlebrook"));
        return;
    }
    if (!m_api) {
        fail(calendar.id, tr("Not signed in"));
        return;
    }
    Upgrade upgrade;
    upgrade.calendar = calendar;
    upgrade.accountId = account->id;
    upgrade.serverId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    upgrade.url = CloudScheme + upgrade.serverId;
    upgrade.canonicalKey = Sync::canonicalCalendarKey(CloudType, upgrade.url).value_or(QString());

    QJsonObject body{{QStringLiteral("id"), upgrade.serverId},
                     {QStringLiteral("name"), calendar.name},
                     {QStringLiteral("color"), calendar.color},
                     {QStringLiteral("timezone"), calendar.timezone}};
    if (!calendar.description.isEmpty())
        body.insert(QStringLiteral("description"), calendar.description);
    const QPointer<CalendarUpgradeService> self(this);
    m_api->post(QStringLiteral("/calendars"), body, [self, upgrade](bool ok, int status, const QJsonObject &) {
        if (self)
            self->handleRegistrationReply(upgrade, ok, status);
    });
}

void CalendarUpgradeService::handleRegistrationReply(const Upgrade &upgrade, bool ok, int status)
{
    if (!ok) {
        fail(upgrade.calendar.id, tr("Server registration failed (HTTP %1)").arg(status));
        return;
    }
    convert(upgrade);
    upload(upgrade);
}

void CalendarUpgradeService::convert(const Upgrade &upgrade)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (std::optional<Account> account = m_store.accounts->getById(upgrade.accountId)) {
        account->type = AccountType::Tindlebrook;
        account->updated_at = now;
        if (!m_store.accounts->update(*account))
            qWarning().noquote() << "Tindlebrook::CalendarUpgradeService::convert failed: could not retype account"
                                 << account->name;
    }
    // The stored row, so that a change made while registering is kept.
    Calendar calendar = m_store.calendars->getById(upgrade.calendar.id).value_or(upgrade.calendar);
    calendar.url = upgrade.url;
    calendar.canonical_key = upgrade.canonicalKey;
    calendar.sync_enabled = true;
    calendar.updated_at = now;
    if (!m_store.calendars->update(calendar))
        qWarning().noquote() << "Tindlebrook::CalendarUpgradeService::convert failed: could not repoint"
                             << calendar.name;
}

void CalendarUpgradeService::upload(const Upgrade &upgrade)
{
    const QList<Event> events = m_store.events->getByCalendar(upgrade.calendar.id);
    const QList<Task> tasks = m_store.tasks->getByCalendar(upgrade.calendar.id);
    const QString calendarId = upgrade.calendar.id;
    const QString serverId = upgrade.serverId;
    if (events.isEmpty() && tasks.isEmpty()) {
        Q_EMIT upgradeCompleted(calendarId, serverId);
        return;
    }
    auto uploads = std::make_shared<Uploads>();
    uploads->store = m_store;
    uploads->remaining = int(events.size() + tasks.size());
    const QPointer<CalendarUpgradeService> self(this);
    // The last answer decides how the upgrade ends.
    const auto answered = [self, uploads, calendarId, serverId] {
        if (--uploads->remaining > 0 || !self)
            return;
        if (uploads->failed == 0)
            Q_EMIT self->upgradeCompleted(calendarId, serverId);
        else
            self->fail(calendarId, tr("%n event(s) or task(s) could not be uploaded to Tindlebrook.", nullptr,
                                      uploads->failed));
    };
    const QString base = QStringLiteral("/calendars/") + TindAccount::ApiClient::pathSegment(serverId);
    for (const Event &event : events) {
        const QString id = event.id;
        m_api->post(base + QStringLiteral("/events"), SyncClient::eventToJson(event),
                    [uploads, answered, id](bool ok, int, const QJsonObject &) {
                        if (!ok) {
                            qWarning().noquote() << "[TindUpgrade] event push failed:" << id;
                            ++uploads->failed;
                            leaveEventPending(uploads->store, id);
                        }
                        answered();
                    });
    }
    for (const Task &task : tasks) {
        const QString id = task.id;
        m_api->post(base + QStringLiteral("/tasks"), taskToJson(task),
                    [uploads, answered, id](bool ok, int, const QJsonObject &) {
                        if (!ok) {
                            qWarning().noquote() << "[TindUpgrade] task push failed:" << id;
                            ++uploads->failed;
                            leaveTaskPending(uploads->store, id);
                        }
                        answered();
                    });
    }
}

} // namespace Tindlebrook
