#pragma once

#include "views/common/viewhooks.h"

#include <QString>
#include <QStringList>

class QDropEvent;
class QMimeData;
class QObject;

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
// Takes a drop of .ics files: accepts it and hands each path to the sink on
// a later turn of the event loop (the import asks which calendar, after the
// drag is over), while `context` lives. False when the drop holds none.
bool takeIcsDrop(QDropEvent *event, QObject *context, const IcsImportSink &sink);

} // namespace CalendarDrop
