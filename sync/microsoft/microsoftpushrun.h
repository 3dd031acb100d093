#pragma once

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QString>

#include "store/calendar.h"
#include "store/event.h"
#include "sync/core/syncrepositories.h"
#include "sync/microsoft/microsoftendpoints.h"

namespace Microsoft {

class CalendarClient;

// Sends a calendar's pending rows to Graph, all requests at once, and
// records each answer on its row. A row is marked synced only when it has
// not changed since its request was built; an edit made meanwhile stays
// pending with Graph's new id and change key. A stale change key (412) is
// answered by reading the event afresh and writing the local version over
// it once; when that fails too the row stays pending and `failed` says so.
// A change made here to one occurrence of a series changes that
// occurrence on Graph (found among the series' instances), never a new
// event beside it.
// The user's answer to an invitation goes to the organizer through
// accept, tentativelyAccept or decline, never as an edit of the attendees.
class PushRun : public QObject
{
    Q_OBJECT
public:
    // myAddress: the account's own address, whose answers to invitations
    // are the user's.
    PushRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
            const QString &accessToken, const QString &myAddress, QObject *parent = nullptr);

    // Sends every pending row and returns how many there were; with none,
    // `finished` is not emitted. Rows that never reached Graph and are
    // deleted here are removed at once.
    int start();

    int peakInFlight() const { return m_peakInFlight; }

Q_SIGNALS:
    // A row that could not be saved to Graph; the run goes on.
    void failed(const QString &reason);
    // Every row has had its answer.
    void finished();

private:
    struct Item
    {
        Event snapshot;
        bool retried = false;
        // Graph's current object is being read because the row no longer
        // holds the one last seen.
        bool readingBase = false;
    };

    void send(const Event &row);
    void sendChange(const QString &localId, const Event &row, const QString &changeKey);
    void onWritten(const QString &localId, const QString &providerEventId, const QString &changeKey,
                   const QJsonObject &resource);
    void onResponded(const QString &localId);
    void onWriteFailed(const QString &localId, const QString &reason, int status);
    void onDeleted(const QString &localId);
    void onFetched(const QString &localId, const QJsonObject &resource);
    void onInstances(const QString &localId, const QList<QJsonObject> &instances);
    QString seriesIdOf(const Event &row) const;
    void markSynced(const QString &localId, const QString &providerEventId, const QString &changeKey,
                    const QJsonObject &resource);
    void clearProviderId(const QString &localId);
    void noteInFlight();
    void countDown(const QString &localId);

    Sync::Repositories m_store;
    Calendar m_calendar;
    QString m_myAddress;
    CalendarClient *m_client;
    QHash<QString, Item> m_items;
    int m_peakInFlight = 0;
};

} // namespace Microsoft
