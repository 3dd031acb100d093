#pragma once

#include <QObject>
#include <QString>

#include "store/calendar.h"
#include "sync/core/syncrepositories.h"

namespace TindAccount {
class ApiClient;
}

namespace Tindlebrook {

// Moves a calendar kept only on this device to the user's cloud account:
// registers a new cloud calendar, turns the local calendar into it (same
// local id, so groups, filters, events and tasks keep pointing at it) and
// uploads its events and tasks. It reports completion only when every
// upload has answered; an item whose upload failed is left pending and the
// upgrade reports the failure. One service per upgrade, owned by its caller.
class CalendarUpgradeService : public QObject
{
    Q_OBJECT
public:
    CalendarUpgradeService(const Sync::Repositories &store, TindAccount::ApiClient *api, QObject *parent = nullptr);

    // Starts the upgrade; the result arrives by signal.
    void upgradeCalendar(const Calendar &calendar);

Q_SIGNALS:
    // calendarId is always the local calendar id.
    void upgradeStarted(const QString &calendarId);
    void upgradeCompleted(const QString &calendarId, const QString &serverId);
    void upgradeFailed(const QString &calendarId, const QString &reason);

private:
    struct Upgrade
    {
        Calendar calendar;
        QString accountId;
        QString serverId;
        QString url;
        QString canonicalKey;
    };

    void handleRegistrationReply(const Upgrade &upgrade, bool ok, int status);
    void convert(const Upgrade &upgrade);
    void upload(const Upgrade &upgrade);
    void fail(const QString &calendarId, const QString &reason);

    Sync::Repositories m_store;
    TindAccount::ApiClient *m_api;
};

} // namespace Tindlebrook
