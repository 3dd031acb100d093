#pragma once

#include <QJsonObject>
#include <QString>

#include "store/calendar.h"
#include "store/event.h"
#include "sync/core/syncrepositories.h"
#include "sync/google/googleendpoints.h"
#include "sync/oauth/pendingpush.h"

namespace Google {

class CalendarClient;

// Sends a calendar's pending rows to Google, all requests at once, and
// records each answer on its row. A row is marked synced only when it has
// not changed since its request was built; an edit made meanwhile stays
// pending with Google's new id and etag. A stale etag (412) is answered by
// reading the event afresh and writing the local version over it once;
// when that fails too the row stays pending and `failed` says so.
class PushRun : public OAuth::PendingPush
{
    Q_OBJECT
public:
    PushRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
            const QString &accessToken, QObject *parent = nullptr);

protected:
    void sendWrite(const Event &row) override;
    void sendDelete(const Event &row, const QString &etag) override;
    void sendOverwrite(const Event &row, const QString &etag) override;
    void sendFetch(const Event &row) override;
    int requestsInFlight() const override;
    QString versionOf(const QJsonObject &resource) const override;
    QString staleText(const Event &row, const QString &reason) const override;

private:
    CalendarClient *m_client;
};

} // namespace Google
