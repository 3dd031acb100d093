#include "app/edits/icsimportrun.h"

#include <QAtomicInteger>
#include <QDebug>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <QUuid>

#include "app/edits/eventeditor.h"
#include "store/database.h"
#include "store/eventbatchwriter.h"
#include "store/eventrepository.h"
#include "store/eventversions.h"
#include "store/importconnection.h"
#include "store/importundolog.h"
#include "store/storetransaction.h"

#include <memory>
#include <utility>

namespace {

// From this many events on, what a run held is freed beside the window.
constexpr int LargeRun = 1000;
// While a sync's pull holds the write lock, the run tries again this often
// and gives up, keeping what it stored, after this long.
constexpr int LockRetryMs = 10;
constexpr qint64 LockPatienceMs = 30000;
// How long a run taken back without the event loop (runToEnd(), a run
// destroyed unfinished) waits for the write lock.
constexpr int BlockingLockWaitMs = 2000;
// The log grows by every slice: the program's checkpointer copies it back
// into the file beside the window every so many slices, so that a write of
// the user's meanwhile does not find a long log to copy itself.
constexpr int CheckpointEveryBatches = 32;

// Freeing tens of thousands of events and stored texts holds a thread for
// milliseconds: a pooled thread does it. The texts are shared values whose
// counts are atomic, so the last holder may be on any thread.
template<typename T>
void releaseBeside(T value)
{
    auto held = std::make_shared<T>(std::move(value));
    QThreadPool::globalInstance()->start([held]() mutable { held.reset(); });
}

QString nextConnectionName(const char *kind)
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("ics_import_%1_%2").arg(QLatin1String(kind)).arg(++counter);
}

} // namespace

IcsImportRun::IcsImportRun(Database *database, EventRepository *programEvents, QList<Event> events,
                           const QString &calendarId, QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_programEvents(programEvents)
    , m_events(std::move(events))
    , m_total(int(m_events.size()))
    , m_calendarId(calendarId)
{
    // A timer, not a queued call, between two slices: the window's input
    // and timers always get their turn between them.
    m_sliceTimer.setSingleShot(true);
    m_sliceTimer.setInterval(0);
    connect(&m_sliceTimer, &QTimer::timeout, this, &IcsImportRun::slice);
}

IcsImportRun::~IcsImportRun()
{
    if (m_reader) {
        m_reader->wait();
        delete m_reader;
        m_reader = nullptr;
    }
    // Unfinished: taken back as Cancel does; only the views hear of it.
    if (!m_connection)
        return;
    QString error;
    std::unique_ptr<StoreTransaction> batch = m_connection->begin(BlockingLockWaitMs, &error);
    if (!batch)
        qWarning().noquote() << "IcsImportRun::cancel failed:" << error;
    else
        undoWrites(std::move(batch));
    endRun();
}

void IcsImportRun::setSliceClock(SliceBudget::Clock clock)
{
    m_budget.setClock(std::move(clock));
}

bool IcsImportRun::begin(std::unique_ptr<EventVersions> versions)
{
    if (m_connection)
        return true;
    m_connection = std::make_unique<ImportConnection>(m_database, nextConnectionName("writer"));
    // What the calendar holds is read once, not once per event.
    m_versions = std::move(versions);
    if (!m_versions && m_connection->isOpen()) {
        m_versions = std::make_unique<EventVersions>();
        if (!m_versions->read(m_connection->database(), m_calendarId))
            m_versions.reset();
    }
    if (!m_connection->isOpen() || !m_versions) {
        m_connection.reset();
        m_versions.reset();
        return false;
    }
    m_writer = std::make_unique<EventBatchWriter>(m_connection->database());
    m_undoLog = std::make_unique<ImportUndoLog>();
    return true;
}

void IcsImportRun::endRun()
{
    const bool wrote = m_undoLog && !m_undoLog->isEmpty();
    // The writer's statements go before their connection.
    m_writer.reset();
    if (m_total >= LargeRun) {
        releaseBeside(std::move(m_versions));
        releaseBeside(std::exchange(m_events, {}));
        releaseBeside(std::move(m_undoLog));
    }
    m_versions.reset();
    m_undoLog.reset();
    m_connection.reset();
    m_cancelling = false;
    if (!wrote)
        return;
    m_programEvents->notifyChanged(m_calendarId);
    m_database->checkpointLater();
}

// Known by uid and recurrence id: a known event (a tombstone included)
// updates its row unless the calendar already holds it exactly as the file
// has it; any other is inserted as new.
void IcsImportRun::storeNext()
{
    Event copy = m_events.at(m_next++);
    EventEditor::prepareImported(copy, m_calendarId);
    const std::optional<EventVersions::Version> existing = m_versions->find(copy.uid, copy.recurrence_id);
    // The stored text is the event as the file had it when it was stored.
    if (existing && !existing->deleted && existing->rawIcalendar == copy.raw_icalendar) {
        ++m_result.unchanged;
        return;
    }
    EventVersions::Version stored;
    bool written = false;
    if (existing) {
        copy.id = existing->id;
        copy.provider_event_id = existing->providerEventId;
        copy.etag = existing->etag;
        copy.href = existing->href;
        copy.created = existing->created;
        copy.deleted_at.reset();
        EventRepository *events = m_connection->events();
        const std::optional<Event> before = events->getById(copy.id);
        written = before && events->update(copy);
        ++(written ? m_result.updated : m_result.failed);
        if (written)
            m_undoLog->noteUpdated(*before, copy);
        stored = *existing;
    } else {
        copy.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        written = m_writer->insert(copy);
        ++(written ? m_result.imported : m_result.failed);
        stored.id = copy.id;
        if (written)
            m_undoLog->noteInserted(copy);
    }
    if (!written)
        return;
    // A second copy of the event later in the file finds this one.
    stored.rawIcalendar = copy.raw_icalendar;
    stored.deleted = false;
    m_versions->note(copy.uid, copy.recurrence_id, stored);
}

IcsImport::Result IcsImportRun::runToEnd()
{
    if (!begin()) {
        m_result.failed = m_total - m_next;
        return m_result;
    }
    QString error;
    std::unique_ptr<StoreTransaction> batch = m_connection->begin(BlockingLockWaitMs, &error);
    if (batch) {
        while (m_next < m_total)
            storeNext();
        if (!batch->commit()) {
            error = batch->errorText();
            batch.reset();
            m_result.failed += m_result.imported + m_result.updated;
            m_result.imported = 0;
            m_result.updated = 0;
        }
    }
    if (!batch)
        qWarning().noquote() << "IcsImportRun::runToEnd failed:" << error;
    batch.reset();
    m_result.failed += m_total - m_next;
    endRun();
    return m_result;
}

void IcsImportRun::start()
{
    const QString path = m_database ? m_database->path() : QString();
    // A database in memory cannot be opened a second time: it is read here.
    if (!m_reader && !m_connection && !path.isEmpty() && path != QLatin1String(":memory:")) {
        readThenStart();
        return;
    }
    startWith(nullptr);
}

// A large calendar's rows take a while to read: a connection of its own
// reads them beside the window, before the import's first write.
void IcsImportRun::readThenStart()
{
    const QString path = m_database->path();
    const QString name = nextConnectionName("reader");
    auto versions = std::make_shared<std::unique_ptr<EventVersions>>();
    m_reader = QThread::create([versions, path, name, calendarId = m_calendarId] {
        Database reader;
        auto read = std::make_unique<EventVersions>();
        if (reader.openReader(path, name) && read->read(&reader, calendarId))
            *versions = std::move(read);
    });
    connect(
        m_reader, &QThread::finished, this,
        [this, versions] {
            m_reader->wait();
            delete m_reader;
            m_reader = nullptr;
            if (m_cancelled) {
                Q_EMIT cancelled();
                return;
            }
            // A failed read leaves the result to the import's connection.
            startWith(std::move(*versions));
        },
        Qt::QueuedConnection);
    m_reader->start();
}

void IcsImportRun::startWith(std::unique_ptr<EventVersions> versions)
{
    if (!begin(std::move(versions))) {
        m_result.failed = m_total - m_next;
        QTimer::singleShot(0, this, [this] { Q_EMIT finished(m_result); });
        return;
    }
    m_sliceTimer.start(0);
}

void IcsImportRun::slice()
{
    if (!m_connection)
        return;
    m_budget.startSlice();
    QString error;
    std::unique_ptr<StoreTransaction> batch = m_connection->begin(0, &error);
    if (!batch) {
        waitForTheLock(error);
        return;
    }
    m_lockWait.invalidate();
    if (m_cancelling) {
        if (!undoWrites(std::move(batch))) {
            stop();
            return;
        }
        endRun();
        Q_EMIT cancelled();
        return;
    }
    const IcsImport::Result before = m_result;
    const int first = m_next;
    while (m_next < m_total && m_budget.roomForAnother(m_next - first))
        storeNext();
    if (!endSlice(std::move(batch), before, first))
        return;
    // A progress dialog handles input while it shows a step: Cancel may
    // have ended the run, or be waiting for the lock.
    if (!m_connection || m_cancelling)
        return;
    if (m_next >= m_total) {
        endRun();
        Q_EMIT finished(m_result);
        return;
    }
    m_sliceTimer.start(0);
}

// The commit and the report hold the window as the stores do: what they
// took is kept back from the stores of the next slices.
bool IcsImportRun::endSlice(std::unique_ptr<StoreTransaction> batch, const IcsImport::Result &before, int first)
{
    m_budget.startEnd(m_next - first);
    if (!batch->commit()) {
        // The slice's writes are undone: its events count failed with the
        // ones not tried, and what earlier slices stored stays.
        qWarning().noquote() << "IcsImportRun::slice failed:" << batch->errorText();
        m_result = before;
        m_next = first;
        stop();
        return false;
    }
    batch.reset();
    if (++m_batches % CheckpointEveryBatches == 0)
        m_database->checkpointLater();
    Q_EMIT progress(m_next, total());
    m_budget.endSlice();
    return true;
}

// A sync's pull on a connection of its own holds the write lock for a
// while: the window goes on answering, and the run tries again shortly.
void IcsImportRun::waitForTheLock(const QString &error)
{
    if (!m_lockWait.isValid())
        m_lockWait.start();
    if (!m_lockWait.hasExpired(LockPatienceMs)) {
        m_sliceTimer.start(LockRetryMs);
        return;
    }
    qWarning().noquote() << "IcsImportRun::slice failed:" << error;
    m_lockWait.invalidate();
    stop();
}

bool IcsImportRun::undoWrites(std::unique_ptr<StoreTransaction> batch)
{
    if (m_undoLog->undo(m_connection->database(), m_connection->events()) && batch->commit())
        return true;
    qWarning().noquote() << "IcsImportRun::cancel failed: what the import stored stays:" << batch->errorText();
    return false;
}

void IcsImportRun::stop()
{
    m_result.failed += m_total - m_next;
    endRun();
    Q_EMIT finished(m_result);
}

void IcsImportRun::cancel()
{
    // Still reading: nothing is written yet, and nothing will be.
    if (m_reader) {
        m_cancelled = true;
        return;
    }
    if (!m_connection || m_cancelling)
        return;
    // The next slice takes the run back instead of storing more: at once
    // unless a sync holds the write lock.
    m_cancelling = true;
    m_sliceTimer.stop();
    slice();
}
