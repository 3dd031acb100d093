// A series' change in one write: the series, the new series of a split and
// its changed occurrences all stored, or nothing.
#include "store/eventrepository.h"

#include "store/database.h"
#include "store/eventrows.h"
#include "store/savepoint.h"

#include <QDebug>

QList<Event> EventRepository::getSeriesRows(const QString &uid, const QString &calendarId) const
{
    if (uid.isEmpty())
        return {};
    // Each half through its own index, as getOccurrencesOf reads them.
    return selectWithChildren(
        EventRows::withColumns("SELECT %1 FROM events WHERE calendar_id = ? AND uid = ? "
                               "AND COALESCE(recurrence_id, '') <> '' UNION ALL "
                               "SELECT %1 FROM events INDEXED BY idx_events_master_uid WHERE master_event_uid = ? "
                               "AND calendar_id = ? AND uid <> ? AND COALESCE(recurrence_id, '') <> '' "
                               "ORDER BY recurrence_id"),
        {calendarId, uid, uid, calendarId, uid});
}

bool EventRepository::storeSeriesChange(const SeriesRows &rows)
{
    SavePoint savepoint(m_db->database(), QStringLiteral("series_change"));
    if (!savepoint.isActive()) {
        qWarning().noquote() << "EventRepository::storeSeriesChange failed:" << savepoint.errorText();
        return false;
    }
    if (!update(rows.master) || (rows.newSeries && !insert(*rows.newSeries)))
        return false;
    for (const Event &row : rows.updates) {
        if (!update(row))
            return false;
    }
    for (const Event &row : rows.inserts) {
        if (!insert(row))
            return false;
    }
    for (const QString &id : rows.withdrawals) {
        if (!withdraw(id))
            return false;
    }
    if (!savepoint.release()) {
        qWarning().noquote() << "EventRepository::storeSeriesChange failed:" << savepoint.errorText();
        return false;
    }
    return true;
}
