#pragma once

#include <QDateTime>
#include <QDebug>
#include <QString>

#include <optional>

// One alarm. Events and tasks share the shape; exactly one of event_id and
// task_id is set. For a task, minutes_before counts back from its due time.
struct Reminder
{
    QString id;
    QString event_id;
    QString task_id;
    int minutes_before = 0;
    QString action = QStringLiteral("display");
    bool acknowledged = false;
    std::optional<QDateTime> trigger_time;
};

// Every field compared; the printable form names each field for test failures.
bool operator==(const Reminder &a, const Reminder &b);
QDebug operator<<(QDebug debug, const Reminder &reminder);
