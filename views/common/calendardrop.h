#pragma once

#include <QString>
#include <QStringList>

class QDropEvent;
class QMimeData;

// What the calendar views accept when something is dragged onto them: a task
// from the tasks pane, or .ics files from the file manager.
namespace CalendarDrop {

inline constexpr char TaskIdFormat[] = "application/x-tindlebrook-task-id";
inline constexpr char TaskUidFormat[] = "application/x-tindlebrook-task-uid";

// Local files whose path ends in ".ics" (any case), in URL order.
QStringList icsPathsFromMime(const QMimeData *mime);
// The dragged task's id, empty when there is none.
QString taskIdFromMime(const QMimeData *mime);
bool accepts(const QMimeData *mime);
// The body of every calendar view's drag-enter and drag-move handler.
void acceptOrIgnore(QDropEvent *event);

} // namespace CalendarDrop
