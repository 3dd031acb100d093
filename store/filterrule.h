#pragma once

#include "store/syncstatus.h"

#include <QDateTime>
#include <QDebug>
#include <QString>

#include <optional>

struct FilterRule
{
    QString id;
    QString name;
    QString type;
    bool enabled = true;
    QString calendar_ids = QStringLiteral("[]");
    QString conditions;
    QString action = QStringLiteral("hide");
    int priority = 100;
    QString event_uid;
    QString event_calendar_id;
    bool suppress_reminders = false;
    SyncStatus sync_status = SyncStatus::Pending;
    QDateTime created_at;
    QDateTime updated_at;
    std::optional<QDateTime> deleted_at;
};

// Every field compared; the printable form names each field for test failures.
bool operator==(const FilterRule &a, const FilterRule &b);
QDebug operator<<(QDebug debug, const FilterRule &filterRule);
