#pragma once

#include <QDateTime>
#include <QDebug>
#include <QList>
#include <QString>

#include <optional>

// An event preset. "[15]" is only the column default; a default-constructed
// template has no reminders.
struct EventTemplate
{
    QString id;
    QString name;
    QString title;
    QString description;
    QString location;
    QString color;
    bool is_all_day = false;
    int duration_minutes = 60;
    QString recurrence_rule;
    QString calendar_id;
    QList<int> reminders;
    int sort_order = 0;
    QDateTime created_at;
    QDateTime updated_at;
    std::optional<QDateTime> deleted_at;
};

// Every field compared; the printable form names each field for test failures.
bool operator==(const EventTemplate &a, const EventTemplate &b);
QDebug operator<<(QDebug debug, const EventTemplate &eventTemplate);
