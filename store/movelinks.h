#pragma once

#include <QString>

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

} // namespace MoveLinks
