#include "cloud/syncclient.h"

#include <QDebug>
#include <QJsonArray>
#include <QPointer>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>

#include "account/apiclient.h"
#include "calendar/icscodec.h"
#include "cloud/cloudpullapply.h"
#include "cloud/cloudpushrun.h"
#include "cloud/conflictresolutionservice.h"
#include "store/account.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/core/pullapplyqueue.h"

#include <memory>
#include <optional>

namespace Tindlebrook {

namespace {

const QString CloudType = QStringLiteral("tindlebrook");
const QString CloudScheme = QStringLiteral("tindlebrook://");
// The server's personal calendar is this device's default calendar.
const QString PersonalServerId = QStringLiteral("personal");
const QString PersonalLocalId = QStringLiteral("tindlebrook-personal-default");

QString textOr(const QJsonObject &json, const char *key, const QString &fallback)
{
    const QJsonValue value = json.value(QLatin1String(key));
    return value.isString() ? value.toString() : fallback;
}

bool isKnown(const QList<Calendar> &calendars, const QString &serverId, const QString &url, const QString &key)
{
    for (const Calendar &calendar : calendars) {
        if (calendar.url == url || (!key.isEmpty() && calendar.canonical_key == key)
            || (serverId == PersonalServerId && calendar.id == PersonalLocalId))
            return true;
    }
    return false;
}

} // namespace

SyncClient::SyncClient(const Sync::Repositories &store, Sync::ConflictResolutionService *conflicts,
                       TindAccount::ApiClient *api, QObject *parent)
    : Sync::CalendarSyncClient(parent)
    , m_store(store)
    , m_conflicts(conflicts)
    , m_api(api)
    , m_pulls(new PullApplyQueue(store, this))
{
}

void SyncClient::setApplyOnWorker(bool onWorker)
{
    m_pulls->setOnWorker(onWorker);
}

QString SyncClient::serverCalendarId(const QString &url)
{
    const int separator = url.indexOf(QLatin1String("://"));
    if (separator < 0)
        return url;
    const QString host = QUrl(url, QUrl::TolerantMode).host(QUrl::FullyDecoded);
    if (!host.isEmpty())
        return host;
    return url.mid(separator + 3);
}

QString SyncClient::serverEventId(const Event &event)
{
    if (event.uid.isEmpty())
        return event.id;
    // An occurrence with a uid of its own (changed here) is unique by it.
    const bool sharesSeriesUid = event.master_event_uid.isEmpty() || event.master_event_uid == event.uid;
    if (event.recurrence_id.isEmpty() || !sharesSeriesUid)
        return event.uid;
    // Under the bare uid the service would keep either the series or the
    // occurrence, never both. Readable when the recurrence id is plain
    // (as the iCalendar reader writes it), encoded otherwise: path-safe
    // and the same on every device.
    static const QRegularExpression plain(QStringLiteral("^[0-9A-Za-z]+$"));
    if (plain.match(event.recurrence_id).hasMatch())
        return event.uid + QLatin1Char('_') + event.recurrence_id;
    return event.uid + QLatin1Char('~')
        + QString::fromLatin1(event.recurrence_id.toUtf8().toBase64(QByteArray::Base64UrlEncoding
                                                                    | QByteArray::OmitTrailingEquals));
}

QJsonObject SyncClient::eventToJson(const Event &event)
{
    QJsonObject body{{QStringLiteral("id"), serverEventId(event)},
                     {QStringLiteral("uid"), event.uid},
                     {QStringLiteral("title"), event.title},
                     // A row that never had its text written still reaches other devices.
                     {QStringLiteral("raw_icalendar"),
                      event.raw_icalendar.isEmpty() ? IcsCodec::buildEventIcs(event) : event.raw_icalendar},
                     {QStringLiteral("start_time"), event.start_time.toMSecsSinceEpoch()},
                     {QStringLiteral("is_all_day"), event.is_all_day},
                     {QStringLiteral("sequence"), event.sequence}};
    if (event.end_time && event.end_time->isValid())
        body.insert(QStringLiteral("end_time"), event.end_time->toMSecsSinceEpoch());
    if (!event.recurrence_rule.isEmpty())
        body.insert(QStringLiteral("recurrence_rule"), event.recurrence_rule);
    if (!event.master_event_uid.isEmpty())
        body.insert(QStringLiteral("master_event_uid"), event.master_event_uid);
    return body;
}

void SyncClient::pullCalendarList()
{
    if (!m_api) {
        QTimer::singleShot(0, this, [this] { Q_EMIT calendarListPulled(0); });
        return;
    }
    const QPointer<SyncClient> self(this);
    m_api->get(QStringLiteral("/calendars"), [self](bool ok, int status, const QJsonObject &json) {
        if (self)
            self->handleCalendarListReply(ok, status, json);
    });
}

void SyncClient::handleCalendarListReply(bool ok, int status, const QJsonObject &json)
{
    if (!ok) {
        qWarning().noquote() << "[Tindlebrook] calendar list pull failed (HTTP" << status << ')';
        Q_EMIT calendarListPulled(0);
        return;
    }
    QString accountId;
    for (const Account &account : m_store.accounts->getAll()) {
        if (account.type == AccountType::Tindlebrook) {
            accountId = account.id;
            break;
        }
    }
    QList<Calendar> local = m_store.calendars->getAll();
    int added = 0;
    for (const QJsonValue &element : json.value(QStringLiteral("calendars")).toArray()) {
        const QJsonObject remote = element.toObject();
        const QString serverId = remote.value(QStringLiteral("id")).toString();
        if (serverId.isEmpty())
            continue;
        const QString url = CloudScheme + serverId;
        const QString key = Sync::canonicalCalendarKey(CloudType, url).value_or(QString());
        if (isKnown(local, serverId, url, key))
            continue;
        const QDateTime now = QDateTime::currentDateTimeUtc();
        Calendar calendar;
        calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        calendar.account_id = accountId;
        calendar.url = url;
        calendar.name = textOr(remote, "name", serverId);
        calendar.description = textOr(remote, "description", QString());
        calendar.color = textOr(remote, "color", QStringLiteral("#4285F4"));
        calendar.timezone = textOr(remote, "timezone", QStringLiteral("UTC"));
        calendar.supported_components = QStringLiteral("[\"VEVENT\"]");
        calendar.canonical_key = key;
        calendar.sync_enabled = true;
        calendar.created_at = now;
        // The server's name and colour are no choice made here: settings
        // another device's user chose, whenever they arrive, win over them.
        calendar.updated_at = QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
        if (m_store.calendars->insert(calendar)) {
            ++added;
            // The same id twice in one list is one calendar.
            local.append(calendar);
        }
    }
    qInfo().noquote() << "[Tindlebrook] calendar list pulled," << added << "new";
    Q_EMIT calendarListPulled(added);
}

void SyncClient::syncCalendar(const Calendar &calendar)
{
    Q_EMIT calendarSyncStarted(calendar.id);
    if (!m_api) {
        const QString id = calendar.id;
        QTimer::singleShot(0, this, [this, id] { Q_EMIT calendarSyncFailed(id, tr("Not signed in")); });
        return;
    }
    runPull(calendar);
}

void SyncClient::runPull(const Calendar &calendar)
{
    QUrlQuery query;
    if (!calendar.delta_sync_token.isEmpty())
        query.addQueryItem(QStringLiteral("since"), calendar.delta_sync_token);
    const QString path = QStringLiteral("/calendars/%1/events")
                             .arg(TindAccount::ApiClient::pathSegment(serverCalendarId(calendar.url)));
    const QPointer<SyncClient> self(this);
    m_api->getBody(
        path,
        [self, calendar](bool ok, int status, const QByteArray &body) {
            if (self)
                self->handlePullReply(calendar, ok, status, body);
        },
        query);
}

void SyncClient::handlePullReply(const Calendar &calendar, bool ok, int status, const QByteArray &body)
{
    if (!ok) {
        Q_EMIT calendarSyncFailed(calendar.id, tr("Tindlebrook pull failed (HTTP %1)").arg(status));
        return;
    }
    struct Pulled
    {
        bool readable = false;
        PullApplyResult applied;
        QList<PulledConflict> conflicts;
    };
    auto pulled = std::make_shared<Pulled>();
    m_pulls->apply(
        [pulled, calendar, body](const Sync::Repositories &store, const std::atomic_bool &cancelled) {
            // The page is read here, on the worker, beside its writing.
            const std::optional<PulledPage> page = readPulledPage(body);
            if (!page)
                return;
            pulled->readable = true;
            pulled->applied = applyPulledEvents(store, calendar, *page, cancelled, &pulled->conflicts);
        },
        [this, pulled, calendar, body](bool opened) {
            if (!opened) {
                // The worker could not open the store and read nothing: the
                // page is read here, only to count what could not be stored.
                const std::optional<PulledPage> page = readPulledPage(body);
                pulled->readable = page.has_value();
                pulled->applied.failed = page ? int(page->events.size()) : 0;
            }
            if (!pulled->readable) {
                // Nothing was written: the cursor stays, the next run asks again.
                Q_EMIT calendarSyncFailed(calendar.id,
                                          tr("Tindlebrook pull failed: the service's answer could not be read"));
                return;
            }
            landPull(calendar, pulled->applied, pulled->conflicts);
        });
}

void SyncClient::landPull(const Calendar &calendar, const PullApplyResult &result,
                          const QList<PulledConflict> &conflicts)
{
    qInfo().noquote() << "[Tindlebrook] pull" << calendar.name << result;
    // The views are told once, after the pull has landed.
    if (result.rowsWritten() > 0) {
        m_store.events->notifyChanged(calendar.id);
        m_store.database->checkpointLater();
    }
    if (m_conflicts) {
        for (const PulledConflict &conflict : conflicts)
            m_conflicts->recordConflict(conflict.local, conflict.remote);
    }
    runPush(calendar, result.upserted, result.failed);
}

void SyncClient::runPush(const Calendar &calendar, int pulledCount, int unstoredCount)
{
    auto *push = new PushRun(m_store, m_api, calendar, this);
    const QString calendarId = calendar.id;
    // Local changes still go out when some pulled events could not be
    // stored; the run then fails, so the user learns the calendar is behind.
    const auto finish = [this, calendarId, pulledCount, unstoredCount](int failed) {
        QStringList problems;
        if (unstoredCount > 0)
            problems.append(tr("Tindlebrook pull: %1 event(s) could not be stored").arg(unstoredCount));
        if (failed > 0)
            problems.append(tr("Tindlebrook push: %1 event(s) failed").arg(failed));
        if (problems.isEmpty())
            Q_EMIT calendarSyncCompleted(calendarId, pulledCount);
        else
            Q_EMIT calendarSyncFailed(calendarId, problems.join(QStringLiteral("; ")));
    };
    connect(push, &PushRun::finished, this, [push, finish](int failed) {
        push->deleteLater();
        finish(failed);
    });
    if (push->start() == 0) {
        push->deleteLater();
        finish(0);
    }
}

} // namespace Tindlebrook
