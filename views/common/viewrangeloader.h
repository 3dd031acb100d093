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

    // The parts of the store whose changes sourcesChanged() reports.
    enum class Source {
        Events = 0x1,
        Calendars = 0x2,
        FilterRules = 0x4,
        Tasks = 0x8,
        Views = 0x10,
    };
    Q_DECLARE_FLAGS(Sources, Source)
    // By default what every range's events are read from: the events, the
    // calendars and the filter rules. A pane that reads tasks or groups
    // names them, and listens to the loader alone.
    void setWatchedSources(Sources sources) { m_watched = sources; }

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
    // A watched part of the store changed (see setWatchedSources): what the
    // last request read is out of date. Sent after the loader has noted the
    // change, so a request made on it reads anew; a page reloads on this
    // instead of watching the store itself.
    void sourcesChanged();

private Q_SLOTS:
    void onFinished(quint64 generation, const ViewRangeData &data);

private:
    void loadHere(quint64 generation);
    void deliver(quint64 generation, const ViewRangeData &data);
    void watchStore(AppState *state);
    void startWorker();
    void noteStoreChange() { m_changedSinceRequest = true; }
    void noteSourceChange(Source source);

    AppState *m_state;
    // The store's file, read by a worker; empty when it is read here.
    QString m_path;
    std::shared_ptr<RangeReaderThread> m_readerThread;
    ViewRangeWorker *m_worker = nullptr;
    QDateTime m_from;
    QDateTime m_to;
    ViewRangeOptions m_options;
    Sources m_watched = Sources(Source::Events) | Source::Calendars | Source::FilterRules;
    quint64 m_generation = 0;
    quint64 m_applied = 0;
    QString m_activeViewId;
    // Set by a change of the store or of the options: the next request reads
    // anew even when a read of the same range is under way.
    bool m_changedSinceRequest = true;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ViewRangeLoader::Sources)
