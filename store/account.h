#pragma once

#include "store/accounttype.h"

#include <QDateTime>
#include <QDebug>
#include <QString>

#include <optional>

// One configured calendar source. The table's sort_order has no field: only
// AccountRepository::reorder writes it.
struct Account
{
    QString id;
    QString name;
    AccountType type = AccountType::Unknown;
    // The stored text of a type this build does not know, kept so the row
    // reads and writes back as it was; empty for a known type.
    QString unknown_type;
    QString server_url;
    QString username;
    QString calendar_home_set;
    QString principal_url;
    int sync_interval_minutes = 15;
    std::optional<QDateTime> last_sync_time;
    QString last_sync_error;
    bool enabled = true;
    QString color = QStringLiteral("#4285F4");
    bool exclude_from_sync = false;
    QString trusted_cert_sha256;
    QString pending_cert_sha256;
    QDateTime created_at;
    QDateTime updated_at;
    std::optional<QDateTime> deleted_at;
};

// The id of the account that holds this device's own calendars: the same on
// every device, so the configuration sync can tell it apart and never carry it.
inline constexpr char PersonalLocalAccountId[] = "personal-local-account";

// The type as the store and the configuration sync spell it, and its
// setter from such a text, which keeps a type this build does not know.
QString typeText(const Account &account);
void setTypeText(Account &account, const QString &text);

// Every field compared; the printable form names each field for test failures.
bool operator==(const Account &a, const Account &b);
QDebug operator<<(QDebug debug, const Account &account);
