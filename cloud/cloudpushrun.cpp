#include "cloud/cloudpushrun.h"

#include <QDebug>
#include <QPointer>
#include <QTimer>

#include "account/apiclient.h"
#include "cloud/syncclient.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"

#include <optional>
#include <utility>

namespace Tindlebrook {

PushRun::PushRun(const Sync::Repositories &store, TindAccount::ApiClient *api, const Calendar &calendar,
                 QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_api(api)
    , m_calendar(calendar)
    , m_basePath(QStringLiteral("/calendars/%1/events")
                     .arg(TindAccount::ApiClient::pathSegment(SyncClient::serverCalendarId(calendar.url))))
    , m_recordTimer(new QTimer(this))
{
    // A timer, not a queued call: answers queued meanwhile join this commit
    // instead of each holding the window for one of their own.
    m_recordTimer->setSingleShot(true);
    m_recordTimer->setInterval(0);
    connect(m_recordTimer, &QTimer::timeout, this, &PushRun::recordAnswers);
}

int PushRun::start()
{
    m_unsent = m_store.events->getPending(m_calendar.id);
    for (const Event &row : std::as_const(m_unsent))
        m_snapshots.insert(row.id, row);
    const int count = int(m_snapshots.size());
    for (int i = 0; i < MaxInFlight; ++i)
        sendNext();
    return count;
}

void PushRun::sendNext()
{
    if (!m_unsent.isEmpty())
        send(m_unsent.takeFirst());
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
                self->answered(Answer{localId, true, ok, status, {}});
        });
        return;
    }
    const auto written = [self, localId](bool ok, int status, const QJsonObject &json) {
        if (self)
            self->answered(Answer{localId, false, ok, status, json});
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

void PushRun::answered(Answer answer)
{
    m_answers.append(std::move(answer));
    if (!m_recordTimer->isActive())
        m_recordTimer->start();
}

void PushRun::recordAnswers()
{
    const QList<Answer> answers = std::exchange(m_answers, {});
    // One commit for the answers that came in together: a commit per row
    // waits for the disk each time, with the window held.
    std::optional<StoreTransaction> transaction;
    if (m_store.database)
        transaction.emplace(m_store.database, QStringLiteral("tindlebrook_push"));
    QList<QPair<QString, bool>> outcomes;
    for (const Answer &answer : answers)
        outcomes.append({answer.localId, answer.deletion ? recordDeleted(answer) : recordWritten(answer)});
    if (transaction && transaction->isActive() && !transaction->commit()) {
        // Nothing of them was kept: the rows stay pending and go out again.
        qWarning().noquote() << "Tindlebrook::PushRun::recordAnswers failed:" << transaction->errorText();
        for (auto &outcome : outcomes)
            outcome.second = true;
    }
    for (const auto &outcome : std::as_const(outcomes))
        countDown(outcome.first, outcome.second);
}

bool PushRun::recordWritten(const Answer &answer)
{
    const QString &localId = answer.localId;
    const int status = answer.status;
    const auto snapshot = m_snapshots.constFind(localId);
    if (snapshot == m_snapshots.constEnd())
        return false;
    std::optional<Event> current = m_store.events->getById(localId);
    if (!answer.ok && status == 404 && !snapshot->provider_event_id.isEmpty()) {
        // The service no longer has it: the next run sends it as new.
        if (current && !current->provider_event_id.isEmpty()) {
            current->provider_event_id.clear();
            current->etag.clear();
            if (!m_store.events->update(*current)) {
                qWarning().noquote() << "[Tindlebrook] could not mark" << localId << "to be sent as new";
                return true;
            }
        }
        return false;
    }
    if (!answer.ok) {
        qWarning().noquote() << "[Tindlebrook] push of" << localId << "failed with HTTP" << status;
        return true;
    }
    const QString etag = answer.json.value(QStringLiteral("etag")).toString();
    if (!current)
        return false;
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
    return !stored;
}

bool PushRun::recordDeleted(const Answer &answer)
{
    const QString &localId = answer.localId;
    if (!answer.ok && answer.status != 404) {
        qWarning().noquote() << "[Tindlebrook] delete of" << localId << "failed with HTTP" << answer.status;
        return true;
    }
    // Restored while the request was out: the row stays and is sent again.
    const std::optional<Event> current = m_store.events->getById(localId);
    const bool removed = !current || !current->deleted_at || m_store.events->hardDelete(localId);
    if (!removed)
        qWarning().noquote() << "[Tindlebrook] deleted" << localId << "but could not remove its row";
    return !removed;
}

void PushRun::countDown(const QString &localId, bool failed)
{
    if (m_snapshots.remove(localId) == 0)
        return;
    if (failed)
        ++m_failed;
    if (m_snapshots.isEmpty())
        Q_EMIT finished(m_failed);
    else
        sendNext();
}

} // namespace Tindlebrook
