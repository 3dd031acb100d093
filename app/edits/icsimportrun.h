#pragma once

#include "app/edits/icsimportresult.h"
#include "app/edits/slicebudget.h"
#include "store/event.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class Database;
class EventBatchWriter;
class EventRepository;
class EventVersions;
class ImportConnection;
class ImportUndoLog;
class QThread;
class StoreTransaction;

// Stores the events of an .ics file in one calendar. start() reads what the
// calendar holds on a thread of its own, then stores the events a slice at
// a time, each committed on its own and a few milliseconds long with its
// commit and progress report (longer on a disk whose commits are slow, so
// that the import is not all commits), so the window keeps answering and
// can show progress, and what the user writes meanwhile is never held back
// in the import's write; runToEnd() does it all at once. cancel(), or
// destroying a run that has not finished, takes back what it stored, row by
// row, unless someone changed the row since: the calendar is as it was,
// while what the rest of the program wrote meanwhile stays. A program that
// dies mid-import keeps the events stored so far, in file order; importing
// the file again adds the rest. The run writes through a connection of its
// own beside the program's `database`, and announces one change through the
// program's `programEvents` when it ends, not one per event.
class IcsImportRun : public QObject
{
    Q_OBJECT
public:
    // How long a slice holds the window, its commit and report included:
    // half a frame, so the window still draws and answers input within the
    // frame, and long enough that a commit's fixed cost (a millisecond or
    // two) does not slow the import down. A slice is one transaction: the
    // write lock is never held while the window handles input.
    static constexpr qint64 SliceNs = 8 * 1000 * 1000;

    IcsImportRun(Database *database, EventRepository *programEvents, QList<Event> events, const QString &calendarId,
                 QObject *parent = nullptr);
    ~IcsImportRun() override;

    // The slices measure their time on `clock` instead of the real one.
    void setSliceClock(SliceBudget::Clock clock);

    void start();
    IcsImport::Result runToEnd();
    void cancel();

    int total() const { return m_total; }
    int done() const { return m_next; }
    bool isRunning() const { return m_connection != nullptr || m_reader != nullptr; }

Q_SIGNALS:
    void progress(int done, int total);
    void finished(const IcsImport::Result &result);
    void cancelled();

private:
    // With `versions` read elsewhere; else they are read here.
    bool begin(std::unique_ptr<EventVersions> versions = nullptr);
    void readThenStart();
    void startWith(std::unique_ptr<EventVersions> versions);
    void storeNext();
    void slice();
    // Commits the slice's stores and reports them; false when the commit failed.
    bool endSlice(std::unique_ptr<StoreTransaction> batch, const IcsImport::Result &before, int first);
    void waitForTheLock(const QString &error);
    // Takes back the run's writes inside `batch`; false, with everything
    // stored so far kept, when that fails.
    bool undoWrites(std::unique_ptr<StoreTransaction> batch);
    // Ends the run with what it stored; the events not stored count failed.
    void stop();
    void endRun();

    Database *m_database;
    EventRepository *m_programEvents;
    QList<Event> m_events;
    int m_total = 0;
    QString m_calendarId;
    std::unique_ptr<ImportConnection> m_connection;
    std::unique_ptr<EventVersions> m_versions;
    std::unique_ptr<EventBatchWriter> m_writer;
    // The run's own writes, for a Cancel that takes back only those.
    std::unique_ptr<ImportUndoLog> m_undoLog;
    IcsImport::Result m_result;
    int m_next = 0;
    int m_batches = 0;
    QTimer m_sliceTimer;
    SliceBudget m_budget{SliceNs};
    // Since when another connection keeps the write lock from the run.
    QElapsedTimer m_lockWait;
    // Reads what the calendar holds before the first slice.
    QThread *m_reader = nullptr;
    bool m_cancelled = false;
    // Cancel waits for the write lock to take the run back.
    bool m_cancelling = false;
};
