#include "dialogs/accounts/subscriptioncalendar.h"

#include <QDateTime>
#include <QUuid>

#include "app/appstate.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/webcal/webcalsyncclient.h"

namespace SubscriptionCalendar {

Calendar make(const QString &accountId, const QString &url, const QString &name, const QString &color)
{
    Calendar calendar;
    calendar.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    calendar.account_id = accountId;
    calendar.url = url;
    calendar.name = name;
    calendar.color = color;
    calendar.is_visible = true;
    calendar.is_read_only = true;
    calendar.sync_enabled = true;
    // Configuration sync names calendars by this key on every device.
    calendar.canonical_key = Sync::canonicalCalendarKey(QStringLiteral("webcal"), url).value_or(QString());
    calendar.created_at = QDateTime::currentDateTimeUtc();
    calendar.updated_at = calendar.created_at;
    return calendar;
}

bool add(AppState *state, Calendar &calendar)
{
    const Account account = Webcal::SyncClient::ensureSubscriptionsAccount(state->accounts());
    calendar.account_id = account.id;
    return state->calendars()->insert(calendar);
}

void fetchNow(AppState *state, const Calendar &calendar)
{
    // The state is the parent: the download may outlive the dialog.
    auto *client = new Webcal::SyncClient(state->syncRepositories(), state);
    QObject::connect(client, &Sync::CalendarSyncClient::calendarSyncCompleted, client, &QObject::deleteLater);
    QObject::connect(client, &Sync::CalendarSyncClient::calendarSyncFailed, client, &QObject::deleteLater);
    client->syncCalendar(calendar);
}

} // namespace SubscriptionCalendar
