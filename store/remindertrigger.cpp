#include "store/remindertrigger.h"

#include "store/storedtime.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>

namespace ReminderTrigger {

QDateTime at(const QDateTime &anchor, int minutesBefore)
{
    if (!anchor.isValid())
        return QDateTime();
    return anchor.addSecs(-60LL * minutesBefore);
}

bool stored(QSqlDatabase &db, const QString &table, const QString &ownerColumn,
            const QString &ownerId, QList<StoredRow> *rows, QString *error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, minutes_before, trigger_time, acknowledged FROM %1 "
                                 "WHERE %2 = ?")
                      .arg(table, ownerColumn));
    query.addBindValue(ownerId);
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    while (query.next()) {
        rows->append({query.value(0).toString(), query.value(1).toInt(),
                      query.value(2).toString(), query.value(3).toInt() != 0});
    }
    return true;
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

bool replace(QSqlDatabase &db, const QString &table, const QString &ownerColumn,
             const QString &ownerId, const QList<Reminder> &reminders, const QDateTime &anchor,
             const char *logName, QString *error)
{
    QList<StoredRow> previous;
    if (!stored(db, table, ownerColumn, ownerId, &previous, error)) {
        qWarning().noquote() << QStringLiteral("%1 read failed:").arg(QLatin1String(logName))
                             << *error;
        return false;
    }

    // A failed delete stops the write: inserting anyway would put the new
    // rows beside the old ones.
    QSqlQuery remove(db);
    remove.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table, ownerColumn));
    remove.addBindValue(ownerId);
    if (!remove.exec()) {
        *error = remove.lastError().text();
        qWarning().noquote() << QStringLiteral("%1 delete failed:").arg(QLatin1String(logName))
                             << *error;
        return false;
    }

    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (Reminder reminder : reminders) {
        apply(reminder, anchor, previous, now);

        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO %1 (id, %2, minutes_before, action, "
                                      "acknowledged, trigger_time) VALUES (?, ?, ?, ?, ?, ?)")
                           .arg(table, ownerColumn));
        insert.addBindValue(reminder.id.isEmpty()
                                ? QUuid::createUuid().toString(QUuid::WithoutBraces)
                                : reminder.id);
        insert.addBindValue(ownerId);
        insert.addBindValue(reminder.minutes_before);
        insert.addBindValue(reminder.action.isEmpty() ? QStringLiteral("display")
                                                      : reminder.action);
        insert.addBindValue(reminder.acknowledged ? 1 : 0);
        insert.addBindValue(StoredTime::instantOrNull(reminder.trigger_time));
        if (!insert.exec()) {
            *error = insert.lastError().text();
            qWarning().noquote() << QStringLiteral("%1 insert failed:").arg(QLatin1String(logName))
                                 << *error;
            return false;
        }
    }
    return true;
}

} // namespace ReminderTrigger
