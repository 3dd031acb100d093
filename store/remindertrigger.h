#pragma once

#include "store/reminder.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

// Trigger times of stored reminders follow the item they belong to: they are
// computed on every write, so a moved event or a rolled-forward task reminds
// at its new time.
namespace ReminderTrigger {

// One reminder row as it is stored before a write replaces it.
struct StoredRow
{
    QString id;
    int minutesBefore = 0;
    QString triggerTime;
    bool acknowledged = false;
};

// anchor − minutesBefore, or an invalid date-time without an anchor.
QDateTime at(const QDateTime &anchor, int minutesBefore);

// The reminder rows now stored for one owner. table is "reminders" or
// "task_reminders", ownerColumn "event_id" or "task_id". False, with the
// database text in *error, when they cannot be read.
bool stored(QSqlDatabase &db, const QString &table, const QString &ownerColumn,
            const QString &ownerId, QList<StoredRow> *rows, QString *error);

// Prepares one reminder of a write. Its trigger is computed from the anchor
// (without an anchor it keeps its own). It is matched with the row it
// replaces, by id or else by offset, and keeps that row's acknowledgement,
// so that a rewrite (an edit, a sync pull with fresh rows) does not show a
// reminder again. An acknowledged reminder whose trigger changed and now
// lies after `now` is due again, so its flag is cleared. Matched rows are
// taken out of `rows`.
void apply(Reminder &reminder, const QDateTime &anchor, QList<StoredRow> &rows,
           const QDateTime &now);

// Replaces the stored reminder rows of one owner (table and ownerColumn as
// for stored()) with `reminders`, each prepared by apply(). A failure is
// logged as "<logName> delete failed:" or "<logName> insert failed:" with
// the database text, which is also put in *error. Rows that cannot be read
// first fail it as "<logName> read failed:": their acknowledgements would be
// lost.
bool replace(QSqlDatabase &db, const QString &table, const QString &ownerColumn,
             const QString &ownerId, const QList<Reminder> &reminders, const QDateTime &anchor,
             const char *logName, QString *error);

} // namespace ReminderTrigger
