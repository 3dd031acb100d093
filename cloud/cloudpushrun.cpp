#include "cloud/cloudpushrun.h"

#include <QDebug>
#include <QPointer>

#include "account/apiclient.h"
#include "cloud/syncclient.h"
#include "store/eventrepository.h"

namespace Tindlebrook {

PushRun::PushRun(const Sync::Repositories &store, TindAccount::ApiClient *api, const Calendar &calendar,
                 QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_api(api)
    , m_calendar(calendar)
    , m_basePath(QStringLiteral("/calendars/%1/events")
                     .arg(TindAccount::ApiClient::pathSegment(SyncClient::serverCalendarId(calendar.url))))
{
}

int PushRun::start()
{
    const QList<Event> pending = m_store.events->getPending(m_calendar.id);
    for (const Event &row : pending)
        m_snapshots.insert(row.id, row);
    const int count = int(m_snapshots.size());
    for (const Event &row : pending)
        send(row);
    return count;
}

void PushRun::send(const Event &row)
{
    const QPointer<PushRun> self(this);
    const QString localId = row.id;
    const QString eventPath
        = m_basePath + QLatin1Char('/') + TindAccount::ApiClient::pathSegment(SyncClient::serverEventId(row));
    if (row.deleted_at) {
        m_api->del(eventPath, [self, localId](bool ok, int status, const QJsonObject &) {
            if (self)
                self->onDeleted(localId, ok, status);
        });
        return;
    }
    const auto written = [self, localId](bool ok, int status, const QJsonObject &json) {
        if (self)
            self->onWritten(localId, ok, status, json);
    };
    QJsonObject body = SyncClient::eventToJson(row);
    if (row.provider_event_id.isEmpty()) {
        m_api->post(m_basePath, body, written);
        return;
    }
    if (!row.etag.isEmpty())
        body.insert(QStringLiteral("etag"), row.etag);
    m_api->put(eventPath, body, written);
}

void PushRun::onWritten(const QString &localId, bool ok, int status, const QJsonObject &json)
{
    const auto snapshot = m_snapshots.constFind(localId);
    if (snapshot == m_snapshots.constEnd())
        return;
    std::optional<Event> current = m_store.events->getById(localId);
    if (!ok && status == 404 && !snapshot->provider_event_id.isEmpty()) {
        // The service no longer has it: the next run sends it as new.
        if (current && !current->provider_event_id.isEmpty()) {
            current->provider_event_id.clear();
            current->etag.clear();
            if (!m_store.events->update(*current)) {
                qWarning().noquote() << "[Tindlebrook] could not mark" << localId << "to be sent as new";
                countDown(localId, true);
                return;
            }
        }
        countDown(localId, false);
        return;
    }
    if (!ok) {
        qWarning().noquote() << "[Tindlebrook] push of" << localId << "failed with HTTP" << status;
        countDown(localId, true);
        return;
    }
    const QString etag = json.value(QStringLiteral("etag")).toString();
    if (!current) {
        countDown(localId, false);
        return;
    }
    bool stored = true;
    if (*current == *snapshot) {
        stored = m_store.events->markSynced(localId, localId, etag);
    } else {
        // Changed while the request was out: the service's etag is kept,
        // the row stays pending and goes out with the next run.
        current->href = localId;
        current->etag = etag;
        stored = m_store.events->update(*current);
    }
    if (!stored)
        qWarning().noquote() << "[Tindlebrook] pushed" << localId << "but could not store its new state";
    countDown(localId, !stored);
}

void PushRun::onDeleted(const QString &localId, bool ok, int status)
{
    if (!ok && status != 404) {
        qWarning().noquote() << "[Tindlebrook] delete of" << localId << "failed with HTTP" << status;
        countDown(localId, true);
        return;
    }
    // Restored while the request was out: the row stays and is sent again.
    const std::optional<Event> current = m_store.events->getById(localId);
    const bool removed = !current || !current->deleted_at || m_store.events->hardDelete(localId);
    if (!removed)
        qWarning().noquote() << "[Tindlebrook] deleted" << localId << "but could not remove its row";
    countDown(localId, !removed);
}

void PushRun::countDown(const QString &localId, bool failed)
{
    if (m_snapshots.remove(localId) == 0)
        return;
    if (failed)
        ++m_failed;
    if (m_snapshots.isEmpty())
        Q_EMIT finished(m_failed);
}

} // namespace Tindlebrook
