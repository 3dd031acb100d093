#include "ui/sync/heldoldcopies.h"

#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/core/movedcopy.h"

#include <optional>

namespace {

bool onServer(const Event &row)
{
    return !row.href.isEmpty() || !row.provider_event_id.isEmpty();
}

bool onServer(const Task &row)
{
    return !row.href.isEmpty();
}

// A row left behind by a move, still on its server and waiting to be
// deleted there, whose copy is live: `up` says whether that copy is on its
// own server now. None for any other row.
template <typename Row, typename Rows>
std::optional<bool> copyUp(const Rows &rows, const Row &row)
{
    if (!row.deleted_at || row.sync_status != SyncStatus::Pending || !onServer(row))
        return std::nullopt;
    const std::optional<Row> copy = MovedCopy::last<Row>(&rows, row.id);
    if (!copy)
        return std::nullopt;
    return onServer(*copy);
}

// The rows a move left pending in the calendar (read through the moves'
// links alone: a calendar's sync starts with this look, whatever else it
// holds pending) whose copies are not up yet.
template <typename Row, typename Rows>
QStringList heldIn(const Rows &rows, const QString &calendarId)
{
    QStringList held;
    for (const QString &id : rows.leftPendingByMoves(calendarId)) {
        const std::optional<Row> row = rows.getById(id);
        if (row && copyUp(rows, *row) == std::optional<bool>(false))
            held.append(row->id);
    }
    return held;
}

template <typename Row, typename Rows>
bool anyReleased(const Rows &rows, const QStringList &ids)
{
    for (const QString &id : ids) {
        const std::optional<Row> row = rows.getById(id);
        if (row && copyUp(rows, *row) == std::optional<bool>(true))
            return true;
    }
    return false;
}

} // namespace

void HeldOldCopies::note(const EventRepository &events, const TaskRepository &tasks, const QString &calendarId)
{
    const QStringList heldEvents = heldIn<Event>(events, calendarId);
    const QStringList heldTasks = heldIn<Task>(tasks, calendarId);
    if (!heldEvents.isEmpty())
        m_events.insert(calendarId, heldEvents);
    if (!heldTasks.isEmpty())
        m_tasks.insert(calendarId, heldTasks);
}

QStringList HeldOldCopies::takeReleased(const EventRepository &events, const TaskRepository &tasks)
{
    QStringList released;
    for (auto it = m_events.cbegin(); it != m_events.cend(); ++it) {
        if (anyReleased<Event>(events, it.value()))
            released.append(it.key());
    }
    for (auto it = m_tasks.cbegin(); it != m_tasks.cend(); ++it) {
        if (!released.contains(it.key()) && anyReleased<Task>(tasks, it.value()))
            released.append(it.key());
    }
    m_events.clear();
    m_tasks.clear();
    return released;
}
