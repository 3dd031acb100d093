#pragma once

#include "store/event.h"
#include "ui/icsimport.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class AppState;
class EventBatchWriter;
class EventVersions;
class ImportUndoLog;
class QThread;
class UnitOfWork;

// Stores the events of an .ics file in one calendar as one write. start()
// reads what the calendar holds on a thread of its own, then stores the
// events a slice at a time, each a few milliseconds long, so the window
// keeps answering and can show progress; runToEnd() does it all at once.
// cancel(), or destroying a run that has not finished, undoes everything it
// stored: the calendar is as it was, while what the rest of the program
// wrote meanwhile stays. The store announces one change when a run ends,
// not one per event.
class IcsImportRun : public QObject
{
    Q_OBJECT
public:
    IcsImportRun(AppState *state, QList<Event> events, const QString &calendarId, QObject *parent = nullptr);
    ~IcsImportRun() override;

    void start();
    IcsImport::Result runToEnd();
    void cancel();

    int total() const { return m_total; }
    int done() const { return m_next; }
    bool isRunning() const { return m_unit != nullptr || m_reader != nullptr; }

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
    // Keeps what the run stored; a failed commit counts every write failed.
    void commitWrite();
    void countWritesFailed();
    IcsImport::Result finish();
    void endRun();

    AppState *m_state;
    QList<Event> m_events;
    int m_total = 0;
    QString m_calendarId;
    // Whether the calendar marks the rows the user brings in "pending".
    std::unique_ptr<UnitOfWork> m_unit;
    std::unique_ptr<EventVersions> m_versions;
    std::unique_ptr<EventBatchWriter> m_writer;
    // The run's own writes, for a Cancel that takes back only those.
    std::unique_ptr<ImportUndoLog> m_undoLog;
    IcsImport::Result m_result;
    int m_next = 0;
    bool m_sliceQueued = false;
    QTimer m_sliceTimer;
    // Reads what the calendar holds before the first slice.
    QThread *m_reader = nullptr;
    bool m_cancelled = false;
    // The write's commit runs beside the window.
    bool m_committing = false;
};
