#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

// The links a move to another calendar leaves from an item's old row to
// its copy, in a table of two columns (from_id, to_id): event_moves or
// task_moves. `owner` names the repository in a failure's log line.
namespace MoveLinks {

bool keep(QSqlDatabase &db, const char *owner, const QString &table, const QString &fromId, const QString &toId);
// The copy's id, or empty when the row was not moved.
QString to(QSqlDatabase &db, const QString &table, const QString &fromId);
// The old row's id, or empty when the row is no move's copy.
QString from(QSqlDatabase &db, const QString &table, const QString &toId);
// The other calendars at the far end of a move still to be sent from or
// to `calendarId`, events and tasks alike: those holding the copy of an
// old row pending here, and those holding the pending old row of a copy
// pending here.
QStringList otherEnds(QSqlDatabase &db, const QString &calendarId);
// The pending tombstones of `calendarId` in `rowsTable` (events or tasks)
// that a move left, linked in `table`: read through the links alone.
QStringList leftPendingIn(QSqlDatabase &db, const QString &table, const QString &rowsTable,
                          const QString &calendarId);

} // namespace MoveLinks
