#pragma once

#include <QJsonObject>
#include <QString>

#include "cloud/configsynccontext.h"
#include "store/account.h"

#include <optional>

namespace Tindlebrook {

// Turns pulled account and subscription records into local rows. Accounts
// keep the sender's id, so later changes match by id on every device; an
// account known here under another id is matched by type, user and server.
class ConfigAccountApplier
{
public:
    explicit ConfigAccountApplier(const ConfigSyncContext &context);

    // False only for a record without id. `newAccountId` receives the local
    // id of an account whose calendars still have to be discovered.
    bool applyCalDavAccount(const QJsonObject &data, QString *newAccountId);
    bool applyOAuthAccount(const QJsonObject &data, QString *newAccountId);
    void applyWebcalCalendar(const QJsonObject &data);

    std::optional<Account> findExistingAccount(const QString &id) const;

private:
    // Writes `incoming` over `local` when its content differs and it is
    // newer; the row keeps the sender's time.
    bool updateIfNewer(const Account &local, const Account &incoming) const;
    void storePassword(const QString &accountId, const QString &password) const;
    void forgetPassword(const QString &accountId) const;

    const ConfigSyncContext &m_context;
};

} // namespace Tindlebrook
