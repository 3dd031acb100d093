#pragma once

#include "views/common/viewrange.h"

#include <QDateTime>
#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class StoreReader;

// Reads ranges for a ViewRangeLoader on a thread of its own, through a
// connection of its own to the store's file. Requests arrive from the GUI
// thread at any rate; only the newest is read, and a result that a newer
// request has made useless is not sent.
class ViewRangeWorker : public QObject
{
    Q_OBJECT
public:
    struct Request
    {
        quint64 generation = 0;
        QDateTime from;
        QDateTime to;
        QString activeViewId;
        ViewRangeOptions options;
    };

    ViewRangeWorker(const QString &databasePath, const QString &connectionName);
    ~ViewRangeWorker() override;

    // Thread-safe: replaces any request not yet started and wakes the worker.
    void post(const Request &request);
    // Thread-safe: no further request is started, and a read in progress
    // stops at its next step.
    void stop();

    // Reads started by every worker in the process, for tests and benchmarks.
    static quint64 readsStarted();

public Q_SLOTS:
    // On the worker thread: reads the newest request, if any.
    void run();
    // On the worker thread, as it ends: closes the connection there.
    void closeReader();

Q_SIGNALS:
    void finished(quint64 generation, const ViewRangeData &data);

private:
    bool takeRequest(Request *request);
    bool isSuperseded(quint64 generation);

    QString m_path;
    QString m_connectionName;
    std::unique_ptr<StoreReader> m_reader;
    QMutex m_mutex;
    Request m_pending;
    bool m_hasPending = false;
    quint64 m_latest = 0;
    std::atomic_bool m_stopped{false};
};
