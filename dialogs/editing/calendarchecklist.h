#pragma once

#include <QStringList>

class AppState;
class QListWidget;

// The checkable calendar rows of the filter and group forms: "Account /
// Calendar" sorted by account name, then calendar name, without regard to
// case, each with its colour dot and the calendar id as user data.
namespace CalendarCheckList {

void fill(QListWidget *list, const AppState *app, bool visibleOnly);
// Ticks exactly the rows whose id is listed; returns the listed ids that
// have no row.
QStringList check(QListWidget *list, const QStringList &ids);
// The ticked rows' ids, in list order.
QStringList checkedIds(const QListWidget *list);
// The strings of a JSON array text; anything else gives none.
QStringList parseIds(const QString &json, bool *isArray = nullptr);

} // namespace CalendarCheckList
