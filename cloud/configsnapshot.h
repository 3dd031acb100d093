#pragma once

#include <QJsonArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include "cloud/configsynccontext.h"
#include "store/account.h"
#include "store/calendar.h"

namespace Tindlebrook {

// Which kinds of configuration travel; read from the settings at every use.
struct ConfigSyncSwitches
{
    bool accounts = true;
    bool filters = true;
    bool views = true;
    bool templates = true;
    bool settings = true;

    static ConfigSyncSwitches read(PreferencesRepository *preferences);
};

// The whole local configuration as change records, for one push.
struct ConfigSnapshot
{
    QJsonArray changes;
    // Soft-deleted accounts the push carries; removed for good once the
    // server has taken them.
    QStringList purgeAccountIds;
    // The subscriptions it carries (calendar id -> url), remembered after a
    // successful push.
    QMap<QString, QString> subscriptions;
};

class ConfigSnapshotBuilder
{
public:
    explicit ConfigSnapshotBuilder(const ConfigSyncContext &context);

    ConfigSnapshot build(const ConfigSyncSwitches &switches) const;

    // The subscriptions remembered from the last successful push.
    static QMap<QString, QString> pushedSubscriptions(PreferencesRepository *preferences);
    static void rememberSubscriptions(PreferencesRepository *preferences, const QMap<QString, QString> &subscriptions);

private:
    void addAccounts(ConfigSnapshot &snapshot, const QList<Account> &accounts) const;
    void addSubscriptions(ConfigSnapshot &snapshot, const QList<Account> &accounts,
                          const QList<Calendar> &calendars) const;
    void addPreferences(ConfigSnapshot &snapshot, const QList<Account> &accounts,
                        const QList<Calendar> &calendars) const;
    void addWeekStart(ConfigSnapshot &snapshot) const;

    const ConfigSyncContext &m_context;
};

} // namespace Tindlebrook
