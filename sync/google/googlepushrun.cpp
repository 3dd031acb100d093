#include "sync/google/googlepushrun.h"

#include "sync/google/googlecalendarclient.h"
#include "sync/google/googleeventmapping.h"

namespace Google {

PushRun::PushRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
                 const QString &accessToken, QObject *parent)
    : OAuth::PendingPush(store, calendar, QStringLiteral("[Google]"), parent)
    , m_client(new CalendarClient(endpoints, this))
{
    m_client->setAccessToken(accessToken);
    connect(m_client, &CalendarClient::eventWritten, this, &PushRun::onWritten);
    connect(m_client, &CalendarClient::eventWriteFailed, this, &PushRun::onWriteFailed);
    connect(m_client, &CalendarClient::eventDeleted, this, &PushRun::onDeleted);
    connect(m_client, &CalendarClient::eventFetched, this, &PushRun::onFetched);
}

void PushRun::sendWrite(const Event &row)
{
    if (row.provider_event_id.isEmpty())
        m_client->insertEvent(row.id, calendar().url, eventToJson(row));
    else
        m_client->updateEvent(row.id, calendar().url, row.provider_event_id, eventToJsonForUpdate(row), row.etag);
}

void PushRun::sendDelete(const Event &row, const QString &etag)
{
    m_client->deleteEvent(row.id, calendar().url, row.provider_event_id, etag);
}

void PushRun::sendOverwrite(const Event &row, const QString &etag)
{
    m_client->updateEvent(row.id, calendar().url, row.provider_event_id, eventToJsonForUpdate(row), etag);
}

void PushRun::sendFetch(const Event &row)
{
    m_client->getEvent(row.id, calendar().url, row.provider_event_id);
}

int PushRun::requestsInFlight() const
{
    return m_client->requestsInFlight();
}

QString PushRun::versionOf(const QJsonObject &resource) const
{
    return resource.value(QStringLiteral("etag")).toString();
}

QString PushRun::staleText(const Event &row, const QString &reason) const
{
    return tr("\"%1\" was changed on Google and could not be saved there: %2").arg(row.title, reason);
}

} // namespace Google
