#pragma once

#include "views/common/viewrange.h"

#include <QDateTime>
#include <QObject>

#include <memory>

class AppState;
class RangeReaderThread;
class ViewRangeWorker;

// Loads what a view paints for a date range off the GUI thread. A view asks
// with request(); the events are read, expanded and filtered on a worker
// thread with a connection of its own, and loaded() hands the result back on
// the GUI thread (results of several loaders that arrive together a turn of
// the event loop apart: see ResultTurns). The loaders of one store share one
// reading thread and connection (RangeReaderThread). Only the newest request counts: a result for a range the
// view has already left is dropped. A view reloads on a change of the store
// (through its PageReloader) by asking again: reload() reads the last range
// anew. A request identical to the one being read (same range and group,
// same options, nothing in the store changed since) joins that read instead
// of starting another. A superseded read, and a read in progress when the
// loader is destroyed, stop at their next step; nothing more is sent.
class ViewRangeLoader : public QObject
{
    Q_OBJECT
public:
    explicit ViewRangeLoader(AppState *state, QObject *parent = nullptr);
    ~ViewRangeLoader() override;

    // Asks for [from, to); supersedes every earlier request.
    void request(const QDateTime &from, const QDateTime &to);
    // Reads the last requested range again, even while it is being read;
    // nothing before the first request.
    void reload();

    // What later requests read besides the events (the panes ask for more).
    // New options are never joined to a read made with the old ones.
    void setOptions(const ViewRangeOptions &options);

    // Whether it holds a share of the store's reading thread: only from its
    // first request on, so a page never shown costs none.
    bool hasReader() const { return m_readerThread != nullptr; }
    // A request whose result has not arrived yet.
    bool isLoading() const { return m_applied != m_generation; }
    // Counts requests; the result of the newest carries it.
    quint64 generation() const { return m_generation; }
    QDateTime from() const { return m_from; }
    QDateTime to() const { return m_to; }

Q_SIGNALS:
    void loaded(const ViewRangeData &data);
    // The events, calendars or filter rules changed: what the last request
    // read is out of date. Sent after the loader has noted the change, so a
    // request made on it reads anew; a page reloads on this instead of
    // watching the store itself.
    void sourcesChanged();

private Q_SLOTS:
    void onFinished(quint64 generation, const ViewRangeData &data);

private:
    void loadHere(quint64 generation);
    void deliver(quint64 generation, const ViewRangeData &data);
    void watchStore(AppState *state);
    void startWorker();
    void noteStoreChange() { m_changedSinceRequest = true; }

    AppState *m_state;
    // The store's file, read by a worker; empty when it is read here.
    QString m_path;
    std::shared_ptr<RangeReaderThread> m_readerThread;
    ViewRangeWorker *m_worker = nullptr;
    QDateTime m_from;
    QDateTime m_to;
    ViewRangeOptions m_options;
    quint64 m_generation = 0;
    quint64 m_applied = 0;
    QString m_activeViewId;
    // Set by a change of the store or of the options: the next request reads
    // anew even when a read of the same range is under way.
    bool m_changedSinceRequest = true;
};
