#include "cloud/syncclient.h"

#include <QDebug>
#include <QTimer>

namespace Tindlebrook {

SyncClient::SyncClient(AppState *appState, TindAccount::ApiClient *api, QObject *parent)
    : QObject(parent)
    , m_appState(appState)
    , m_api(api)
{
}

void SyncClient::pullCalendarList()
{
    // The calendar-list request is not part of this build. A failed pull
    // reports no new calendars, after the caller's connections are in place.
    qWarning() << "[Sync] cloud calendar list is not available; no calendars pulled";
    QTimer::singleShot(0, this, [this] { Q_EMIT calendarListPulled(0); });
}

} // namespace Tindlebrook
