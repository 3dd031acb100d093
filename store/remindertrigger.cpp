#include "store/remindertrigger.h"

#include "store/storedtime.h"

#include <QSqlQuery>

#include <algorithm>

namespace ReminderTrigger {

QDateTime at(const QDateTime &anchor, int minutesBefore)
{
    if (!anchor.isValid())
        return QDateTime();
    return anchor.addSecs(-60LL * minutesBefore);
}

QList<StoredRow> stored(QSqlDatabase &db, const QString &table, const QString &ownerColumn,
                        const QString &ownerId)
{
    QList<StoredRow> out;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, minutes_before, trigger_time, acknowledged FROM %1 "
                                 "WHERE %2 = ?")
                      .arg(table, ownerColumn));
    query.addBindValue(ownerId);
    if (query.exec()) {
        while (query.next()) {
            out.append({query.value(0).toString(), query.value(1).toInt(),
                        query.value(2).toString(), query.value(3).toInt() != 0});
        }
    }
    return out;
}

void apply(Reminder &reminder, const QDateTime &anchor, QList<StoredRow> &rows,
           const QDateTime &now)
{
    auto match = std::find_if(rows.begin(), rows.end(), [&](const StoredRow &row) {
        return !reminder.id.isEmpty() && row.id == reminder.id;
    });
    if (match == rows.end()) {
        match = std::find_if(rows.begin(), rows.end(), [&](const StoredRow &row) {
            return row.minutesBefore == reminder.minutes_before;
        });
    }

    // Compared as stored text: whole seconds in UTC.
    QString before = StoredTime::instant(reminder.trigger_time.value_or(QDateTime()));
    if (match != rows.end()) {
        before = StoredTime::instant(StoredTime::parse(match->triggerTime));
        // Only a move un-acknowledges a reminder: a record read before the
        // reminder was shown, or a fresh row standing for the stored one (a
        // sync pull), must not show it again.
        reminder.acknowledged = reminder.acknowledged || match->acknowledged;
        rows.erase(match);
    }

    const QDateTime trigger = at(anchor, reminder.minutes_before);
    if (!trigger.isValid())
        return;
    reminder.trigger_time = trigger;
    const bool moved = before != StoredTime::instant(trigger);
    if (reminder.acknowledged && moved && trigger > now)
        reminder.acknowledged = false;
}

} // namespace ReminderTrigger
