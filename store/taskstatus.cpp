#include "store/taskstatus.h"

QString toText(TaskStatus status)
{
    switch (status) {
    case TaskStatus::InProcess:
        return QStringLiteral("in-process");
    case TaskStatus::Completed:
        return QStringLiteral("completed");
    case TaskStatus::Cancelled:
        return QStringLiteral("cancelled");
    case TaskStatus::NeedsAction:
        break;
    }
    return QStringLiteral("needs-action");
}

TaskStatus taskStatusFromText(QStringView text)
{
    for (const TaskStatus status : {TaskStatus::InProcess, TaskStatus::Completed, TaskStatus::Cancelled}) {
        if (text == toText(status))
            return status;
    }
    return TaskStatus::NeedsAction;
}

QDebug operator<<(QDebug debug, TaskStatus status)
{
    return debug << toText(status);
}
