#include "store/remindertrigger.h"

#include "store/storedtime.h"

#include <QSqlQuery>

namespace ReminderTrigger {

QDateTime at(const QDateTime &anchor, int minutesBefore)
{
    if (!anchor.isValid())
        return QDateTime();
    return anchor.addSecs(-60LL * minutesBefore);
}

QHash<QString, QString> stored(QSqlDatabase &db, const QString &table,
                               const QString &ownerColumn, const QString &ownerId)
{
    QHash<QString, QString> out;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT id, trigger_time FROM %1 WHERE %2 = ?")
                      .arg(table, ownerColumn));
    query.addBindValue(ownerId);
    if (query.exec()) {
        while (query.next())
            out.insert(query.value(0).toString(), query.value(1).toString());
    }
    return out;
}

void apply(Reminder &reminder, const QDateTime &anchor, const QString &previous,
           const QDateTime &now)
{
    const QDateTime trigger = at(anchor, reminder.minutes_before);
    if (!trigger.isValid())
        return;
    reminder.trigger_time = trigger;
    // Compared as stored text: both sides at whole seconds in UTC.
    const QString before = StoredTime::instant(StoredTime::parse(previous));
    const bool moved = before != StoredTime::instant(trigger);
    if (reminder.acknowledged && moved && trigger > now)
        reminder.acknowledged = false;
}

} // namespace ReminderTrigger
