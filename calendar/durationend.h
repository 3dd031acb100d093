#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>

// The end (an event's) or due date (a task's) a DURATION of days gives a
// stored item, read two ways from the same start: as the reader reads it
// now, its days counted on the start's wall clock, and as it was read when
// every day had 86,400 s. Rows stored before then hold the earlier one.
struct DurationEnd
{
    QDateTime start;
    QDateTime now;
    QDateTime before;
    // An event's alarms counted back from its end give reminders in minutes
    // before the start, which move with the end: the minutes read before,
    // each with those read now.
    QHash<int, int> endReminders;

    // The event of `text` with this UID and recurrence id (as stored); none
    // when its end is not a DURATION's, both readings give the same end, or
    // it is all-day.
    static std::optional<DurationEnd> ofEvent(const QString &text, const QString &uid, const QString &recurrenceId);
    // The same for the task of `text` with this UID and a timed due date.
    static std::optional<DurationEnd> ofTask(const QString &text, const QString &uid);
};
