#include "sync/microsoft/microsoftpullrun.h"

#include <QDebug>
#include <QHash>

#include "store/eventrepository.h"
#include "sync/microsoft/microsoftcalendarclient.h"

namespace Microsoft {

namespace {

QString text(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString();
}

} // namespace

PullRun::PullRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
                 const QString &accessToken, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_calendar(calendar)
    , m_client(new CalendarClient(endpoints, this))
{
    m_client->setAccessToken(accessToken);
    connect(m_client, &CalendarClient::requestFailed, this, &PullRun::failed);
    connect(m_client, &CalendarClient::deltaTokenExpired, this, [this] { Q_EMIT deltaTokenExpired(); });
    connect(m_client, &CalendarClient::eventsListed, this,
            [this](const QString &, const CalendarClient::EventListPage &page) {
                onListed(page.events, page.deltaToken);
            });
    connect(m_client, &CalendarClient::defaultCalendarFound, this,
            [this](const QString &id) {
                const bool isDefault = id == m_calendar.url;
                m_changes.dropDeltaToken = !isDefault && !m_calendar.delta_sync_token.isEmpty();
                list(isDefault);
            });
    connect(m_client, &CalendarClient::eventFetched, this, [this](const QString &id, const QJsonObject &master) {
        if (!m_pendingMasters.contains(id))
            return;
        m_changes.masters.append(master);
        m_pendingMasters.remove(id);
        masterDone();
    });
    connect(m_client, &CalendarClient::eventFetchFailed, this,
            [this](const QString &id, const QString &reason, int status) {
                if (!m_pendingMasters.contains(id))
                    return;
                if (status == 404 || status == 410) {
                    m_changes.goneMasters.append(id);
                } else {
                    ++m_changes.unreadMasters;
                    qWarning().noquote() << "[Microsoft] could not read series" << id << ":" << reason;
                }
                m_pendingMasters.remove(id);
                masterDone();
            });
}

QDateTime PullRun::windowStart(const QDateTime &now)
{
    return now.toUTC().addMonths(-6);
}

QDateTime PullRun::windowEnd(const QDateTime &now)
{
    return now.toUTC().addMonths(24);
}

void PullRun::start()
{
    // The delta is always the default calendar's, and which calendar that
    // is can change in Outlook: it is asked every time, so that another
    // calendar's changes never land here.
    m_client->findDefaultCalendar();
}

void PullRun::list(bool delta)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    m_changes.windowStart = windowStart(now);
    m_changes.windowEnd = windowEnd(now);
    // A delta round without a token lists the whole window too: after an
    // expired token it is the only way to learn what went meanwhile.
    m_changes.wholeWindow = !delta || m_calendar.delta_sync_token.isEmpty();
    m_client->listEvents(delta ? CalendarClient::Listing::DefaultCalendarDelta : CalendarClient::Listing::Window,
                         m_calendar.url, delta ? m_calendar.delta_sync_token : QString(), m_changes.windowStart,
                         m_changes.windowEnd);
}

void PullRun::onListed(const QList<QJsonObject> &events, const QString &deltaToken)
{
    m_changes.events = events;
    m_changes.deltaToken = deltaToken;
    readMasters();
}

void PullRun::readMasters()
{
    QList<EventProviderKey> keys;
    if (!m_store.events->getProviderKeys(m_calendar.id, &keys))
        keys.clear();
    // Graph id -> the series it belongs to ("" for none).
    QHash<QString, QString> known;
    for (const EventProviderKey &key : std::as_const(keys))
        known.insert(key.provider_event_id, key.master_event_uid);
    QSet<QString> listed;
    bool unknownRemoval = false;
    for (const QJsonObject &event : std::as_const(m_changes.events)) {
        const QString id = text(event, "id");
        listed.insert(id);
        if (event.contains(QStringLiteral("@removed"))) {
            const auto found = known.constFind(id);
            unknownRemoval = unknownRemoval || found == known.constEnd();
            // A removed exception names only itself; its series may be gone too.
            if (found != known.constEnd() && !found->isEmpty())
                m_pendingMasters.insert(*found);
            continue;
        }
        const QString master = text(event, "seriesMasterId");
        if (!master.isEmpty())
            m_pendingMasters.insert(master);
    }
    // A window listing names no master, and a removed occurrence names
    // only itself: the stored series are read again to learn what became
    // of them and of their cancelled occurrences.
    if (m_changes.wholeWindow || unknownRemoval) {
        for (const EventProviderKey &key : std::as_const(keys)) {
            if (key.recurring && !key.deleted && key.sync_status != SyncStatus::Pending)
                m_pendingMasters.insert(key.provider_event_id);
        }
    }
    for (const QString &id : std::as_const(listed))
        m_pendingMasters.remove(id);
    if (m_pendingMasters.isEmpty()) {
        Q_EMIT pulled(m_changes);
        return;
    }
    const QSet<QString> wanted = m_pendingMasters;
    for (const QString &id : wanted)
        m_client->getEvent(id, id);
}

void PullRun::masterDone()
{
    if (m_pendingMasters.isEmpty())
        Q_EMIT pulled(m_changes);
}

void PullRun::setTokenRenewer(const OAuth::TokenRenewer &renewer)
{
    m_client->setTokenRenewer(renewer);
}

} // namespace Microsoft
