#pragma once

#include <QDateTime>
#include <QDebug>
#include <QString>

struct Calendar
{
    QString id;
    QString account_id;
    QString url;
    QString name;
    QString description;
    QString color = QStringLiteral("#4285F4");
    QString timezone = QStringLiteral("UTC");
    bool is_visible = true;
    bool is_read_only = false;
    bool is_default = false;
    QString ctag;
    QString sync_token;
    QString delta_sync_token;
    QString supported_components = QStringLiteral("[\"VEVENT\"]");
    bool allow_tasks_override = false;
    int sort_order = 0;
    QString canonical_key;
    bool sync_enabled = false;
    bool is_shared = false;
    bool shared_with_me = false;
    QString last_sync_error;
    QDateTime created_at;
    QDateTime updated_at;
};

// Every field compared; the printable form names each field for test failures.
bool operator==(const Calendar &a, const Calendar &b);
QDebug operator<<(QDebug debug, const Calendar &calendar);
