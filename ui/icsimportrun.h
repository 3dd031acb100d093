#pragma once

#include "store/event.h"
#include "ui/icsimport.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class AppState;
class EventBatchWriter;
class EventVersions;
class UnitOfWork;

// Stores the events of an .ics file in one calendar as one write. start()
// stores them a slice at a time, each a few milliseconds long, so the window
// keeps answering and can show progress; runToEnd() stores them at once.
// cancel(), or destroying a run that has not finished, undoes everything it
// stored: the calendar is as it was. The store announces one change when a
// run ends, not one per event.
class IcsImportRun : public QObject
{
    Q_OBJECT
public:
    IcsImportRun(AppState *state, QList<Event> events, const QString &calendarId, QObject *parent = nullptr);
    ~IcsImportRun() override;

    void start();
    IcsImport::Result runToEnd();
    void cancel();

    int total() const { return int(m_events.size()); }
    int done() const { return m_next; }
    bool isRunning() const { return m_unit != nullptr; }

Q_SIGNALS:
    void progress(int done, int total);
    void finished(const IcsImport::Result &result);
    void cancelled();

private:
    bool begin();
    void storeNext();
    void slice();
    IcsImport::Result finish();
    void endRun();

    AppState *m_state;
    QList<Event> m_events;
    QString m_calendarId;
    std::unique_ptr<UnitOfWork> m_unit;
    std::unique_ptr<EventVersions> m_versions;
    std::unique_ptr<EventBatchWriter> m_writer;
    IcsImport::Result m_result;
    int m_next = 0;
    bool m_sliceQueued = false;
};
