#pragma once

#include <QDebug>
#include <QString>
#include <QStringView>

// A to-do's state, as iCalendar's VTODO STATUS names it.
enum class TaskStatus { NeedsAction, InProcess, Completed, Cancelled };

// The lower-case text stored in the status column ("needs-action", ...);
// iCalendar writes it upper-case.
QString toText(TaskStatus status);
// A text this build does not know (an X- status from another client, another
// spelling, an empty column) reads as needs-action: the task stays open, as
// every such task was shown before.
TaskStatus taskStatusFromText(QStringView text);
QDebug operator<<(QDebug debug, TaskStatus status);
