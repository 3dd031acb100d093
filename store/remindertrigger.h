#pragma once

#include "store/reminder.h"

#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// Trigger times of stored reminders follow the item they belong to: they are
// computed on every write, so a moved event or a rolled-forward task reminds
// at its new time.
namespace ReminderTrigger {

// anchor − minutesBefore, or an invalid date-time without an anchor.
QDateTime at(const QDateTime &anchor, int minutesBefore);

// The trigger times now stored for one owner, keyed by reminder id.
// table is "reminders" or "task_reminders", ownerColumn "event_id" or "task_id".
QHash<QString, QString> stored(QSqlDatabase &db, const QString &table,
                               const QString &ownerColumn, const QString &ownerId);

// Gives the reminder its trigger from the anchor. An acknowledged reminder
// whose trigger changed and now lies after `now` is due again, so its flag is
// cleared. `previous` is the trigger it had before this write, as stored text
// (empty when it had none). Without an anchor the reminder keeps its own
// trigger.
void apply(Reminder &reminder, const QDateTime &anchor, const QString &previous,
           const QDateTime &now);

} // namespace ReminderTrigger
