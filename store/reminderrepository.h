#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <optional>

class Database;

// The reminder pass's access to `reminders` and `task_reminders`: what can
// be due now, and the acknowledgements and moved triggers a pass writes. The
// reads stay bounded however many stale reminders the store keeps: a one-off
// event's reminder is read only while its trigger lies within the largest
// waiting offset of the stale limit, a series' reminder whenever its stored
// trigger has come. Statements are prepared once.
class ReminderRepository
{
public:
    // One event reminder row. For a recurring event only the reminder's own
    // columns and the event id are filled: the series is read by the caller.
    struct EventRow
    {
        QString id;
        QString eventId;
        QString title;
        QString start;
        QString location;
        int minutesBefore = 0;
        QString trigger;
        bool recurring = false;
    };

    struct TaskRow
    {
        QString id;
        QString title;
        QString due;
        bool dueIsDateOnly = false;
        int minutesBefore = 0;
        QString trigger;
        QString taskUid;
    };

    // A reminder a pass showed, with its trigger as the pass read it.
    struct Ack
    {
        QString reminderId;
        QString storedTrigger;
    };

    // A recurring event's reminder moved on to its next occurrence.
    struct Move
    {
        QString reminderId;
        QDateTime trigger;
        // The trigger as the pass read it.
        QString storedTrigger;
    };

    explicit ReminderRepository(Database *db);

    // Unacknowledged reminders of live events whose trigger is at or before
    // `now`, leaving out one-off events that began at or before `staleCut`
    // long enough ago that no offset reaches them; in trigger order.
    // Nothing, with the database text in *error, when a read fails.
    std::optional<QList<EventRow>> eventRemindersDue(const QDateTime &now, const QDateTime &staleCut,
                                                     QString *error);
    // Unacknowledged reminders of live, open tasks with a due time whose
    // trigger lies near enough to `now` to be due; by due time.
    std::optional<QList<TaskRow>> taskRemindersDue(const QDateTime &now, const QDateTime &staleCut,
                                                   QString *error);
    // Ids of the moved occurrences of every series, by "<uid>|<calendar id>".
    QHash<QString, QStringList> movedOccurrenceIds();

    // One write for a whole pass: acknowledges the given reminders and moves
    // the given series reminders. A reminder whose trigger changed since the
    // pass read it (its item was moved meanwhile) is left as the move left
    // it. A failed statement is logged ("ReminderRepository::settle
    // failed:") and the others are still kept; false when any failed.
    [[nodiscard]] bool settle(const QList<Ack> &eventAcks, const QList<Ack> &taskAcks, const QList<Move> &moves);

private:
    bool prepare(QSqlQuery &query, const QString &sql, QString *error);
    // The earliest trigger a one-off reminder that can still be due has.
    std::optional<QString> lowestTrigger(QSqlQuery &maxOffset, const QDateTime &staleCut, QString *error);
    [[nodiscard]] bool acknowledge(const QString &table, const QList<Ack> &acks);

    Database *m_db;
    QSqlQuery m_eventOffset;
    QSqlQuery m_oneOff;
    QSqlQuery m_series;
    QSqlQuery m_taskOffset;
    QSqlQuery m_tasks;
    QSqlQuery m_move;
};
