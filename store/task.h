#pragma once

#include "store/reminder.h"
#include "store/syncstatus.h"
#include "store/taskstatus.h"

#include <QDateTime>
#include <QDebug>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One to-do with its alarms. The date-only flags sit next to the dates they
// qualify, unlike the table where they were appended by a later migration.
struct Task
{
    QString id;
    QString calendar_id;
    QString uid;
    QString etag;
    QString href;
    QString title;
    QString description;
    TaskStatus status = TaskStatus::NeedsAction;
    int priority = 0;
    int percent_complete = 0;
    std::optional<QDateTime> due_date;
    std::optional<QDateTime> start_date;
    bool due_is_date_only = true;
    bool start_is_date_only = true;
    std::optional<QDateTime> completed_date;
    QStringList categories;
    QString parent_task_uid;
    int sort_order = 0;
    QString color;
    QString recurrence_rule;
    QString repeat_mode = QStringLiteral("fromDueDate");
    QString item_type = QStringLiteral("task");
    int sequence = 0;
    QString raw_icalendar;
    QDateTime created;
    QDateTime last_modified;
    SyncStatus sync_status = SyncStatus::Synced;
    std::optional<QDateTime> deleted_at;
    QList<Reminder> reminders;
};

// Every field compared; the printable form names each field for test failures.
bool operator==(const Task &a, const Task &b);
QDebug operator<<(QDebug debug, const Task &task);

// The task's reminders as new child rows of it: no ids of their own yet,
// the task's id as their owner.
void claimChildRows(Task &task);
