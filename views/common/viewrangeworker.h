#pragma once

#include "views/common/viewrange.h"

#include <QDateTime>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

class QTimer;
class RangeReaderThread;

// Reads ranges for a ViewRangeLoader on the thread that reads the store for
// every loader (RangeReaderThread), through that thread's connection.
// Requests arrive from the GUI thread at any rate; only the newest is read,
// and a result that a newer request has made useless is not sent.
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

    // Lives on readerThread's thread, which outlives it.
    explicit ViewRangeWorker(RangeReaderThread *readerThread);
    ~ViewRangeWorker() override;

    // Thread-safe: replaces any request not yet started and wakes the worker.
    void post(const Request &request);
    // Thread-safe: no further request is started, and a read in progress
    // stops at its next step; returns once that read has ended.
    void stopAndWait();

    // Reads started by every worker in the process, for tests and benchmarks.
    static quint64 readsStarted();

public Q_SLOTS:
    // On the reading thread: reads the newest request, if any.
    void run();

Q_SIGNALS:
    void finished(quint64 generation, const ViewRangeData &data);

private:
    bool takeRequest(Request *request);
    bool isSuperseded(quint64 generation);

    void endRead();

    RangeReaderThread *m_readerThread;
    QMutex m_mutex;
    QWaitCondition m_readEnded;
    bool m_reading = false;
    Request m_pending;
    bool m_hasPending = false;
    quint64 m_latest = 0;
    bool m_stopped = false;
    // On the reading thread: gives freed pages back once reads pause.
    QTimer *m_freedPagesTimer = nullptr;
};
