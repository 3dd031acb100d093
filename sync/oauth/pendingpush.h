#pragma once

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>

#include "store/calendar.h"
#include "store/event.h"
#include "sync/core/syncrepositories.h"

namespace OAuth {

// Sends a calendar's pending rows to a provider's service, all requests at
// once, and records each answer on its row. A row is marked synced only
// when it has not changed since its request was built; an edit made
// meanwhile stays pending with the provider's new id and version. A stale
// version (412) is answered by reading the event afresh and joining both
// sides against the synced copy the local edit started from: what only the
// provider changed is kept, what both changed takes the local value and
// `failed` names it. When the write is refused again, or refused for any
// other reason, the row stays pending and `failed` says so. A provider's run derives from it, makes the requests
// through its own client and routes the client's answers to the handlers.
class PendingPush : public QObject
{
    Q_OBJECT
public:
    // Sends every pending row and returns how many there were; with none,
    // `finished` is not emitted. Rows that never reached the provider and
    // are deleted here are removed at once.
    int start();

    // The most requests sent and not yet answered at one time.
    int peakInFlight() const { return m_peakInFlight; }

Q_SIGNALS:
    // A row that could not be saved to the provider; the run goes on.
    void failed(const QString &reason);
    // Every row has had its answer.
    void finished();

protected:
    // logTag: how the log lines name the provider, e.g. "[Google]".
    PendingPush(const Sync::Repositories &store, const Calendar &calendar, const QString &logTag,
                QObject *parent);

    // The write of a kept row: an insert when it has no provider id yet,
    // else an update.
    virtual void sendWrite(const Event &row) = 0;
    virtual void sendDelete(const Event &row, const QString &version) = 0;
    // The local version over the provider's current one.
    virtual void sendOverwrite(const Event &row, const QString &version) = 0;
    virtual void sendFetch(const Event &row) = 0;
    virtual int requestsInFlight() const = 0;
    // The version a fetched event carries.
    virtual QString versionOf(const QJsonObject &resource) const = 0;
    // Why a row changed on the provider could not be saved there.
    virtual QString staleText(const Event &row, const QString &reason) const = 0;
    // The record a resource of the provider maps to.
    virtual Event eventFromResource(const QJsonObject &resource) const = 0;
    // That `fields` were changed both here and on the provider, and the
    // values set here were kept.
    virtual QString conflictText(const Event &row, const QStringList &fields) const = 0;

    // The client's answers.
    void onWritten(const QString &localId, const QString &providerEventId, const QString &version,
                   const QJsonObject &resource);
    void onWriteFailed(const QString &localId, const QString &reason, int status);
    void onDeleted(const QString &localId);
    // Joins the local version with the event just read, field by field
    // against the copy the local edit started from, and writes the result;
    // a provider that reads events for other reasons too overrides it and
    // passes the rest on.
    virtual void onFetched(const QString &localId, const QJsonObject &resource);
    // Marks the row synced; an empty id or version keeps the row's own.
    void markSynced(const QString &localId, const QString &providerEventId, const QString &version,
                    const QJsonObject &resource);
    void countDown(const QString &localId);
    // After a request went out: keeps peakInFlight current.
    void noteInFlight();

    const Calendar &calendar() const { return m_calendar; }
    const Sync::Repositories &store() const { return m_store; }
    // The row as it was when the run began, while it awaits its answer;
    // null once answered.
    const Event *pendingRow(const QString &localId) const;

private:
    // The names of the fields both sides changed, each its own way.
    static QStringList changedOnBothSides(const Event &base, const Event &local, const Event &server);

    struct Item
    {
        Event snapshot;
        bool retried = false;
    };

    void send(const Event &row);
    void clearProviderId(const QString &localId);

    Sync::Repositories m_store;
    Calendar m_calendar;
    QString m_logTag;
    QHash<QString, Item> m_items;
    int m_peakInFlight = 0;
};

} // namespace OAuth
