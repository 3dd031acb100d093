#pragma once

#include "store/syncstatus.h"

#include <QDateTime>
#include <QDebug>
#include <QString>

#include <optional>

// A saved calendar group; calendar_ids stays JSON text in memory.
struct CalendarView
{
    QString id;
    QString name;
    QString color;
    QString calendar_ids = QStringLiteral("[]");
    bool is_default = false;
    int sort_order = 0;
    SyncStatus sync_status = SyncStatus::Pending;
    QDateTime created_at;
    QDateTime updated_at;
    std::optional<QDateTime> deleted_at;
};

// Every field compared; the printable form names each field for test failures.
bool operator==(const CalendarView &a, const CalendarView &b);
QDebug operator<<(QDebug debug, const CalendarView &calendarView);
