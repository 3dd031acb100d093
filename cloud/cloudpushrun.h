#pragma once

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>

#include "store/calendar.h"
#include "store/event.h"
#include "sync/core/syncrepositories.h"

class QTimer;

namespace TindAccount {
class ApiClient;
}

namespace Tindlebrook {

// Sends a cloud calendar's pending rows to the sync service, a few requests
// in flight at a time, and records each answer on its row. The service
// knows an event by SyncClient::serverEventId. A row is marked synced only
// when it has not changed since its request was built; an edit made
// meanwhile stays pending. The answers that come in together are recorded
// in one commit, on the next turn.
class PushRun : public QObject
{
    Q_OBJECT
public:
    PushRun(const Sync::Repositories &store, TindAccount::ApiClient *api, const Calendar &calendar,
            QObject *parent = nullptr);

    // Sends every pending row and returns how many there were; with none,
    // `finished` is not emitted.
    int start();

    // Requests out at once: the network sends no more to one host in
    // parallel, and answers landing together would hold the window while
    // their rows are written.
    static constexpr int MaxInFlight = 6;

Q_SIGNALS:
    // Every row has had its answer; `failed` of them stay pending.
    void finished(int failed);

private:
    struct Answer
    {
        QString localId;
        bool deletion = false;
        bool ok = false;
        int status = 0;
        QJsonObject json;
    };

    void sendNext();
    void send(const Event &row);
    void answered(Answer answer);
    void recordAnswers();
    // Each says whether the row's push failed.
    bool recordWritten(const Answer &answer);
    bool recordDeleted(const Answer &answer);
    void countDown(const QString &localId, bool failed);

    Sync::Repositories m_store;
    TindAccount::ApiClient *m_api;
    Calendar m_calendar;
    QString m_basePath;
    QHash<QString, Event> m_snapshots;
    QList<Event> m_unsent;
    QList<Answer> m_answers;
    QTimer *m_recordTimer;
    int m_failed = 0;
};

} // namespace Tindlebrook
