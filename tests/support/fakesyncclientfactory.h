#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include "tests/support/fakesyncclient.h"
#include "ui/sync/syncclientfactory.h"

#include <functional>
#include <utility>

// Hands out a FakeSyncClient for every account and keeps the connection
// each was given and every calendar handed to them, also after they go.
class FakeSyncClientFactory : public QObject, public SyncClientFactory
{
    Q_OBJECT
public:
    Sync::CalendarSyncClient *create(const Account &, const CalDavSyncClient::Connection &connection,
                                     QObject *parent) override
    {
        auto *client = new FakeSyncClient(parent);
        connect(client, &FakeSyncClient::calendarSyncStarted, this, [this, client](const QString &calendarId) {
            m_handed.append(calendarId);
            m_clients.insert(calendarId, client);
        });
        connections.append(connection);
        return client;
    }

    // A list pull the test ends with finishListPull.
    void pullCloudCalendarList(QObject *, std::function<void()> done) override
    {
        ++listPulls;
        m_listPullDone = std::move(done);
    }
    void finishListPull() { std::exchange(m_listPullDone, nullptr)(); }
    bool isPullingList() const { return bool(m_listPullDone); }

    const QStringList &handed() const { return m_handed; }
    // The newest client handed the calendar, while it lives.
    FakeSyncClient *clientFor(const QString &calendarId) const { return m_clients.value(calendarId); }

    QList<CalDavSyncClient::Connection> connections;
    int listPulls = 0;

private:
    std::function<void()> m_listPullDone;
    QStringList m_handed;
    QHash<QString, QPointer<FakeSyncClient>> m_clients;
};
