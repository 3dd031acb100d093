#include "ui/icsimportrun.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QAtomicInteger>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <QUuid>

#include "app/appstate.h"
#include "app/edits/eventeditor.h"
#include "store/database.h"
#include "store/eventbatchwriter.h"
#include "store/eventrepository.h"
#include "store/eventversions.h"
#include "store/importundolog.h"
#include "store/taskrepository.h"
#include "store/unitofwork.h"

#include <memory>
#include <utility>

namespace {

// Long enough to store a few dozen events, short enough that the window
// never waits noticeably between two slices.
constexpr qint64 SliceNs = 6 * 1000 * 1000;
// From this many events on, what a run held is freed beside the window.
constexpr int LargeRun = 1000;

// Freeing tens of thousands of events and stored texts holds a thread for
// milliseconds: a pooled thread does it. The texts are shared values whose
// counts are atomic, so the last holder may be on any thread.
template<typename T>
void releaseBeside(T value)
{
    auto held = std::make_shared<T>(std::move(value));
    QThreadPool::globalInstance()->start([held]() mutable { held.reset(); });
}

} // namespace

IcsImportRun::IcsImportRun(AppState *state, QList<Event> events, const QString &calendarId, QObject *parent)
    : QObject(parent)
    , m_state(state)
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
    // A commit under way lands; the views then hear of it.
    if (m_committing)
        endRun();
    if (m_unit)
        cancel();
}

bool IcsImportRun::begin(std::unique_ptr<EventVersions> versions)
{
    if (m_unit)
        return true;
    m_unit = std::make_unique<UnitOfWork>(m_state->database(), QStringLiteral("ics_import"),
                                          m_total >= LargeRun ? UnitOfWork::Size::Large : UnitOfWork::Size::Small);
    // What the calendar holds is read once, not once per event.
    m_versions = std::move(versions);
    if (!m_versions) {
        m_versions = std::make_unique<EventVersions>();
        if (!m_versions->read(m_state->database(), m_calendarId))
            m_versions.reset();
    }
    if (!m_unit->isActive() || !m_versions) {
        m_unit.reset();
        m_versions.reset();
        return false;
    }
    m_writer = std::make_unique<EventBatchWriter>(m_state->database());
    m_undoLog = std::make_unique<ImportUndoLog>();
    m_state->events()->holdChanges(true);
    return true;
}

void IcsImportRun::endRun()
{
    // The writer's statements go before the unit of work ends.
    m_writer.reset();
    if (m_total >= LargeRun) {
        releaseBeside(std::move(m_versions));
        releaseBeside(std::exchange(m_events, {}));
        releaseBeside(std::move(m_undoLog));
    }
    m_versions.reset();
    m_undoLog.reset();
    m_unit.reset();
    m_state->events()->holdChanges(false);
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
        const std::optional<Event> before = m_state->events()->getById(copy.id);
        written = before && m_state->events()->update(copy);
        ++(written ? m_result.updated : m_result.failed);
        if (written)
            m_undoLog->noteUpdated(*before);
        stored = *existing;
    } else {
        copy.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        written = m_writer->insert(copy);
        ++(written ? m_result.imported : m_result.failed);
        stored.id = copy.id;
        if (written) {
            m_undoLog->noteInserted(copy.id);
            m_state->events()->notifyChanged(m_calendarId);
        }
    }
    if (!written)
        return;
    // A second copy of the event later in the file finds this one.
    stored.rawIcalendar = copy.raw_icalendar;
    stored.deleted = false;
    m_versions->note(copy.uid, copy.recurrence_id, stored);
}

void IcsImportRun::commitWrite()
{
    if (!m_unit->commit())
        countWritesFailed();
}

void IcsImportRun::countWritesFailed()
{
    qWarning().noquote() << "IcsImportRun::finish failed:" << m_unit->errorText();
    m_result.failed += m_result.imported + m_result.updated;
    m_result.imported = 0;
    m_result.updated = 0;
}

IcsImport::Result IcsImportRun::finish()
{
    commitWrite();
    endRun();
    return m_result;
}

IcsImport::Result IcsImportRun::runToEnd()
{
    if (!begin()) {
        m_result.failed = m_total - m_next;
        return m_result;
    }
    while (m_next < m_total)
        storeNext();
    return finish();
}

void IcsImportRun::start()
{
    const QString path = m_state->database() ? m_state->database()->path() : QString();
    // A database in memory cannot be opened a second time: it is read here.
    if (!m_reader && !m_unit && !path.isEmpty() && path != QLatin1String(":memory:")) {
        readThenStart();
        return;
    }
    startWith(nullptr);
}

// A large calendar's rows take a while to read: a connection of its own
// reads them beside the window, before the import's write begins.
void IcsImportRun::readThenStart()
{
    static QAtomicInteger<quint64> counter;
    const QString path = m_state->database()->path();
    const QString name = QStringLiteral("ics_import_reader_%1").arg(++counter);
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
            // A failed read leaves the result to the program's connection.
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
    m_sliceTimer.start();
}

void IcsImportRun::slice()
{
    if (!m_unit)
        return;
    // The commit of a large write reads the whole write back from the log
    // (its checksums are redone): it runs on a thread of its own while the
    // window keeps answering, and the store's next use waits for it.
    // Letting go of what the run held and the report follow it. Once the
    // commit started there is nothing left to cancel.
    if (m_next >= m_total) {
        m_writer.reset();
        m_committing = true;
        m_unit->commitBeside(this, [this](bool kept) {
            m_committing = false;
            if (!kept)
                countWritesFailed();
            m_unit.reset();
            m_state->events()->holdChanges(false);
            // A timer, not a queued call: queued calls run before the input
            // and timers that waited meanwhile.
            QTimer::singleShot(1, this, [this] {
                endRun();
                Q_EMIT finished(m_result);
            });
        });
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (m_next < m_total && clock.nsecsElapsed() < SliceNs)
        storeNext();
    Q_EMIT progress(m_next, total());
    m_sliceTimer.start();
}

void IcsImportRun::cancel()
{
    // Still reading: nothing is written yet, and nothing will be.
    if (m_reader) {
        m_cancelled = true;
        return;
    }
    if (!m_unit || m_committing)
        return;
    // The run's write also holds what the rest of the program wrote while
    // it ran (a task ticked, a sync): only the run's own rows are taken
    // back, and the rest is kept. Should that fail, the whole write goes,
    // and every list reads the store again.
    m_writer.reset();
    if (!m_undoLog->undo(m_state->database(), m_state->events()) || !m_unit->commit()) {
        qWarning().noquote() << "IcsImportRun::cancel could not keep the other writes:" << m_unit->errorText();
        m_unit->rollback();
        m_state->tasks()->notifyChanged(QString());
    }
    m_state->events()->notifyChanged(m_calendarId);
    endRun();
    Q_EMIT cancelled();
}
