#include "calendar/conflictmergesteps.h"

namespace ConflictMergeSteps {

QStringList reminderKeys(const QList<Reminder> &reminders)
{
    QStringList keys;
    for (const Reminder &r : reminders)
        keys.append(QString::number(r.minutes_before) + QChar(0x1f) + r.action.toLower());
    std::sort(keys.begin(), keys.end());
    return keys;
}

} // namespace ConflictMergeSteps
