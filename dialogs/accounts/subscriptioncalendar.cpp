#include "dialogs/accounts/subscriptioncalendar.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
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
    // Without this the new calendar would just stay empty: say why, over
    // whichever window is in front by then.
    const QString name = calendar.name;
    CalendarSyncRequest request;
    request.calendarIds = {calendar.id};
    request.failed = [name](const QString &, const QString &reason) {
        QWidget *front = QApplication::activeModalWidget();
        if (!front)
            front = QApplication::activeWindow();
        auto *box = new QMessageBox(
            QMessageBox::Warning, QCoreApplication::translate("SubscriptionCalendar", "Subscription not loaded"),
            QCoreApplication::translate("SubscriptionCalendar", "\"%1\" could not be loaded: %2").arg(name, reason),
            QMessageBox::Ok, front);
        box->setObjectName(QStringLiteral("subscriptionNotLoaded"));
        // The reason quotes the server's own words (an HTTP reason phrase).
        box->setTextFormat(Qt::PlainText);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    // The sync orchestration runs the download, so it may outlive the dialog.
    Q_EMIT state->calendarSyncRequested(request);
}

} // namespace SubscriptionCalendar
