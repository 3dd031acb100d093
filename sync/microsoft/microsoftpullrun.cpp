#include "sync/microsoft/microsoftpullrun.h"

#include <QDebug>
#include <QHash>
#include <QJsonDocument>
#include <QSet>

#include "calendar/movedseriesplaces.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/storereader.h"
#include "store/storewriter.h"
#include "sync/core/pagereader.h"
#include "sync/microsoft/microsoftcalendarclient.h"
#include "sync/microsoft/microsofteventmapping.h"

#include <atomic>

namespace Microsoft {

namespace {

std::atomic_int g_keyReaders{0};

// The calendar's stored rows; none when the store cannot be read.
QList<EventProviderKey> storedKeys(const EventRepository *events, const QString &calendarId)
{
    QList<EventProviderKey> keys;
    if (!events || !events->getProviderKeys(calendarId, &keys))
        keys.clear();
    return keys;
}

// Whether this device moved the series in time or split it since Graph
// last had it (its sync base): its write gives it its days anew, or ends it
// where the split's new series takes over, so a day deleted there
// meanwhile is kept only where the pull lays it (MovedSeriesRows).
bool movedHere(const EventRepository *events, const EventProviderKey &series)
{
    const std::optional<Event> row = events ? events->getById(series.id) : std::nullopt;
    const std::optional<EventSyncBase> base = row ? events->syncBase(series.id) : std::nullopt;
    const QJsonDocument held = base ? QJsonDocument::fromJson(base->raw_icalendar.toUtf8()) : QJsonDocument();
    return held.isObject()
        && (MovedSeriesPlaces::between(eventFromGraph(held.object(), row->calendar_id), *row)
            || !events->splitsFrom(series.id).isEmpty());
}

// The series the listing points at, and after a whole window or a removal
// the stored ones it may have dropped, less those it listed itself.
// `events` holds `keys`.
QSet<QString> mastersToRead(const QList<QList<ListedEvent>> &pages, const QList<EventProviderKey> &keys,
                            bool wholeWindow, const EventRepository *events)
{
    // Graph id -> the series it belongs to ("" for none).
    QHash<QString, QString> known;
    for (const EventProviderKey &key : keys)
        known.insert(key.provider_event_id, key.master_event_uid);
    QSet<QString> masters;
    QSet<QString> listed;
    bool unknownRemoval = false;
    for (const QList<ListedEvent> &page : pages) {
        for (const ListedEvent &event : page) {
            listed.insert(event.id);
            if (event.removed) {
                const auto found = known.constFind(event.id);
                unknownRemoval = unknownRemoval || found == known.constEnd();
                // A removed exception names only itself; its series may be gone too.
                if (found != known.constEnd() && !found->isEmpty())
                    masters.insert(*found);
                continue;
            }
            if (!event.seriesMasterId.isEmpty())
                masters.insert(event.seriesMasterId);
        }
    }
    // A window listing names no master, and a removed occurrence names
    // only itself: the stored series are read again to learn what became
    // of them and of their cancelled occurrences. A pending one keeps its
    // edit, but one moved in time or split here takes the days deleted
    // there (a window names it by its instances).
    if (wholeWindow || unknownRemoval) {
        for (const EventProviderKey &key : std::as_const(keys)) {
            if (!key.recurring || key.deleted)
                continue;
            if (key.sync_status != SyncStatus::Pending || (unknownRemoval && movedHere(events, key)))
                masters.insert(key.provider_event_id);
        }
    }
    for (const QString &id : std::as_const(listed))
        masters.remove(id);
    return masters;
}

} // namespace

PullRun::PullRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
                 const QString &accessToken, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_calendar(calendar)
    , m_client(new CalendarClient(endpoints, this))
    , m_reader(new PageReader(this))
{
    m_client->setAccessToken(accessToken);
    connect(m_client, &CalendarClient::requestFailed, this, &PullRun::failed);
    connect(m_client, &CalendarClient::deltaTokenExpired, this, [this] { Q_EMIT deltaTokenExpired(); });
    connect(m_client, &CalendarClient::eventsListed, this,
            [this](const QString &, const CalendarClient::EventListPage &page) {
                onListed(page.events, page.listedPages, page.deltaToken);
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

void PullRun::onListed(const QList<QJsonObject> &events, const QList<QList<ListedEvent>> &listedPages,
                       const QString &deltaToken)
{
    m_changes.events = events;
    m_changes.listedPages = listedPages;
    m_changes.deltaToken = deltaToken;
    readMasters();
}

void PullRun::readMasters()
{
    bool removals = false;
    for (const QList<ListedEvent> &page : std::as_const(m_changes.listedPages)) {
        for (const ListedEvent &event : page)
            removals = removals || event.removed;
    }
    // The stored rows matter only to a whole window or a removal.
    const bool readKeys = m_changes.wholeWindow || removals;
    const QString path = m_store.database ? m_store.database->path() : QString();
    if (!readKeys || !StoreWriter::canOpen(path)) {
        // Nothing to read, or a store in memory, which has no second connection.
        const QList<EventProviderKey> keys = readKeys ? storedKeys(m_store.events, m_calendar.id)
                                                      : QList<EventProviderKey>();
        requestMasters(mastersToRead(m_changes.listedPages, keys, m_changes.wholeWindow, m_store.events));
        return;
    }
    // Thousands of stored rows, read and matched off this thread, through a
    // connection of its own.
    m_reader->read<QSet<QString>>(
        QByteArray(),
        [path, calendarId = m_calendar.id, pages = m_changes.listedPages,
         whole = m_changes.wholeWindow](const QByteArray &) {
            const StoreReader reader(path, QStringLiteral("pull-keys-%1").arg(++g_keyReaders));
            const EventRepository *events = reader.isOpen() ? reader.events() : nullptr;
            return mastersToRead(pages, storedKeys(events, calendarId), whole, events);
        },
        [this](QSet<QString> masters) { requestMasters(masters); });
}

void PullRun::requestMasters(const QSet<QString> &masters)
{
    m_pendingMasters = masters;
    if (m_pendingMasters.isEmpty()) {
        Q_EMIT pulled(m_changes);
        return;
    }
    for (const QString &id : masters)
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
