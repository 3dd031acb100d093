#include "sync/microsoft/microsoftpushrun.h"

#include <QDebug>
#include <QJsonDocument>

#include "store/eventrepository.h"
#include "sync/microsoft/microsoftcalendarclient.h"
#include "sync/microsoft/microsofteventmapping.h"

namespace Microsoft {

PushRun::PushRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
                 const QString &accessToken, const QString &myAddress, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_calendar(calendar)
    , m_myAddress(myAddress)
    , m_client(new CalendarClient(endpoints, this))
{
    m_client->setAccessToken(accessToken);
    connect(m_client, &CalendarClient::eventWritten, this, &PushRun::onWritten);
    connect(m_client, &CalendarClient::eventResponded, this, &PushRun::onResponded);
    connect(m_client, &CalendarClient::eventWriteFailed, this, &PushRun::onWriteFailed);
    connect(m_client, &CalendarClient::eventDeleted, this, &PushRun::onDeleted);
    connect(m_client, &CalendarClient::eventFetched, this, &PushRun::onFetched);
    connect(m_client, &CalendarClient::eventFetchFailed, this, &PushRun::onWriteFailed);
    connect(m_client, &CalendarClient::instancesListed, this, &PushRun::onInstances);
}

int PushRun::start()
{
    const QList<Event> pending = m_store.events->getPending(m_calendar.id);
    for (const Event &row : pending)
        m_items.insert(row.id, Item{row, false});
    const int count = int(m_items.size());
    for (const Event &row : pending) {
        if (m_items.contains(row.id))
            send(row);
    }
    return count;
}

void PushRun::send(const Event &row)
{
    const bool known = !row.provider_event_id.isEmpty();
    if (row.deleted_at && !known) {
        // It never reached Graph: nothing to tell it.
        m_store.events->hardDelete(row.id);
        countDown(row.id);
        return;
    }
    const QString seriesId = known ? QString() : seriesIdOf(row);
    if (row.deleted_at) {
        m_client->deleteEvent(row.id, m_calendar.url, row.provider_event_id, row.etag);
    } else if (!seriesId.isEmpty()) {
        // The occurrence's own id comes from the series' instances around
        // the start it had.
        const QDateTime original(QDate::fromString(row.recurrence_id.left(8), QStringLiteral("yyyyMMdd")),
                                 QTime::fromString(row.recurrence_id.mid(9, 6), QStringLiteral("HHmmss")), Qt::UTC);
        m_client->listInstances(row.id, seriesId, original.addDays(-1), original.addDays(2));
    } else if (!known) {
        m_client->insertEvent(row.id, m_calendar.url, eventToGraph(row));
    } else if (!holdsGraphObject(row)) {
        // Edited here as iCalendar: what changed (an HTML body, a pattern
        // this program cannot express) is known only against Graph's copy.
        m_items[row.id].readingBase = true;
        m_client->getEvent(row.id, row.provider_event_id);
    } else {
        sendChange(row.id, row, row.etag);
        return;
    }
    noteInFlight();
}

// An invitation answer goes to the organizer; anything else is a PATCH of
// what changed against the object in `row`.
void PushRun::sendChange(const QString &localId, const Event &row, const QString &changeKey)
{
    const QString answer = responseActionFor(row, m_myAddress);
    if (!answer.isEmpty())
        m_client->respondToEvent(localId, row.provider_event_id, answer);
    else
        m_client->updateEvent(localId, m_calendar.url, row.provider_event_id, eventToGraphForUpdate(row), changeKey);
    noteInFlight();
}

void PushRun::noteInFlight()
{
    m_peakInFlight = qMax(m_peakInFlight, m_client->requestsInFlight());
}

void PushRun::markSynced(const QString &localId, const QString &providerEventId, const QString &changeKey,
                         const QJsonObject &resource)
{
    const auto item = m_items.constFind(localId);
    if (item == m_items.constEnd())
        return;
    std::optional<Event> current = m_store.events->getById(localId);
    if (!current) {
        qWarning().noquote() << "[Microsoft] push success but local row gone:" << localId;
        return;
    }
    const bool unchanged = *current == item->snapshot;
    if (!providerEventId.isEmpty())
        current->provider_event_id = providerEventId;
    if (!changeKey.isEmpty())
        current->etag = changeKey;
    if (unchanged) {
        if (!resource.isEmpty())
            current->raw_icalendar = QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
        current->last_modified = QDateTime::currentDateTimeUtc();
        current->sync_status = QStringLiteral("synced");
    }
    // Changed while the request was out: it keeps Graph's id and change
    // key, so the next run updates rather than inserts, and stays pending.
    if (m_store.events->update(*current))
        qInfo().noquote() << "[Microsoft] pushed" << localId
                          << "→ providerEventId=" + current->provider_event_id.left(16) + "..."
                          << (unchanged ? "" : "(changed meanwhile, still pending)");
}

void PushRun::onWritten(const QString &localId, const QString &providerEventId, const QString &changeKey,
                        const QJsonObject &resource)
{
    markSynced(localId, providerEventId, changeKey, resource);
    countDown(localId);
}

void PushRun::onResponded(const QString &localId)
{
    // The answer changes the event's change key; the next pull brings both.
    markSynced(localId, QString(), QString(), QJsonObject());
    countDown(localId);
}

void PushRun::onWriteFailed(const QString &localId, const QString &reason, int status)
{
    const auto item = m_items.find(localId);
    if (item == m_items.end())
        return;
    qWarning().noquote() << "[Microsoft] push failed for" << localId << "status" << status << "reason" << reason;
    const Event &row = item->snapshot;
    if (status == 412 && !item->retried) {
        item->retried = true;
        m_client->getEvent(localId, row.provider_event_id);
        noteInFlight();
        return;
    }
    if (status == 404 || status == 410) {
        if (row.deleted_at) {
            onDeleted(localId);
        } else {
            clearProviderId(localId);
            countDown(localId);
        }
        return;
    }
    if (item->retried)
        Q_EMIT failed(tr("\"%1\" was changed in Outlook and could not be saved there: %2").arg(row.title, reason));
    countDown(localId);
}

void PushRun::onFetched(const QString &localId, const QJsonObject &resource)
{
    const auto item = m_items.find(localId);
    if (item == m_items.end())
        return;
    const Event &row = item->snapshot;
    if (item->readingBase) {
        item->readingBase = false;
        // Against the copy just read, under the change key last pulled, so
        // a change made in Outlook meanwhile still answers 412.
        Event based = row;
        based.raw_icalendar = QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
        sendChange(localId, based, row.etag);
        return;
    }
    const QString changeKey = resource.value(QStringLiteral("changeKey")).toString();
    // The local version wins, written over what Graph holds now.
    if (row.deleted_at) {
        m_client->deleteEvent(localId, m_calendar.url, row.provider_event_id, changeKey);
    } else {
        Event fresh = row;
        fresh.raw_icalendar = QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
        m_client->updateEvent(localId, m_calendar.url, row.provider_event_id, eventToGraphForUpdate(fresh),
                              changeKey);
    }
    noteInFlight();
}

QString PushRun::seriesIdOf(const Event &row) const
{
    if (row.master_event_uid.isEmpty() || row.recurrence_id.size() < 15)
        return QString();
    const std::optional<Event> series = m_store.events->getByUid(row.master_event_uid, m_calendar.id);
    if (!series || series->recurrence_rule.isEmpty())
        return QString();
    return series->provider_event_id;
}

void PushRun::onInstances(const QString &localId, const QList<QJsonObject> &instances)
{
    const auto item = m_items.constFind(localId);
    if (item == m_items.constEnd())
        return;
    const Event &row = item->snapshot;
    for (const QJsonObject &instance : instances) {
        const bool allDay = instance.value(QStringLiteral("isAllDay")).toBool();
        if (recurrenceIdFromGraph(instance, allDay) != row.recurrence_id)
            continue;
        QJsonObject body = eventToGraph(row);
        body.remove(QStringLiteral("recurrence"));
        m_client->updateEvent(localId, m_calendar.url, instance.value(QStringLiteral("id")).toString(), body,
                              QString());
        noteInFlight();
        return;
    }
    // Graph has no such occurrence (the series changed meanwhile): the row
    // stays pending until the next pull settles the series.
    qWarning().noquote() << "[Microsoft] no occurrence at" << row.recurrence_id << "for" << localId;
    countDown(localId);
}

void PushRun::clearProviderId(const QString &localId)
{
    std::optional<Event> current = m_store.events->getById(localId);
    if (!current || current->provider_event_id.isEmpty())
        return;
    current->provider_event_id.clear();
    current->etag.clear();
    current->href.clear();
    current->last_modified = QDateTime::currentDateTimeUtc();
    if (m_store.events->update(*current))
        qInfo().noquote() << "[Microsoft] cleared stale providerEventId on" << localId << "for retry as insert";
}

void PushRun::onDeleted(const QString &localId)
{
    if (!m_items.contains(localId))
        return;
    m_store.events->hardDelete(localId);
    qInfo().noquote() << "[Microsoft] pushed delete" << localId;
    countDown(localId);
}

void PushRun::countDown(const QString &localId)
{
    if (m_items.remove(localId) == 0)
        return;
    if (m_items.isEmpty())
        Q_EMIT finished();
}

} // namespace Microsoft
