#pragma once

#include <QUrl>

#include "account/apiclient.h"
#include "account/tokenmanager.h"
#include "cloud/conflictresolutionservice.h"
#include "store/account.h"
#include "store/accountrepository.h"
#include "store/calendar.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/core/syncrepositories.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/teststore.h"

#include <memory>

// A signed-in sync API client against the fake cloud server, over a fresh
// store with the repositories the cloud services use.
struct CloudSyncBed
{
    TestStore store;
    AccountRepository accounts{store.db()};
    CalendarRepository calendars{store.db()};
    EventRepository events{store.db()};
    TaskRepository tasks{store.db()};
    Sync::ConflictResolutionService conflicts{nullptr};
    FakeCloudServer server;
    TindAccount::TokenManager tokens{std::make_unique<MemoryTokenStore>()};
    TindAccount::ApiClient api{&tokens};

    bool start()
    {
        if (!store.isOpen() || !server.listen())
            return false;
        const FakeCloudServer::Tokens issued = server.signIn();
        tokens.setTokens(issued.accessToken, issued.refreshToken);
        api.setBaseUrl(QUrl(server.syncApiUrl()));
        api.setAppInfo(QStringLiteral("calendar-test"), QStringLiteral("9.9"), QStringLiteral("linux"));
        return true;
    }

    Sync::Repositories repositories() { return {store.db(), &events, &tasks, &calendars, &accounts}; }
    FakeCloudCalendars &cloud() { return server.calendars(); }

    // A cloud account and one cloud calendar for the server calendar `serverId`.
    Calendar addCloudCalendar(const QString &serverId)
    {
        if (!accounts.getById(QStringLiteral("cloud-account"))) {
            Account account;
            account.id = QStringLiteral("cloud-account");
            account.name = QStringLiteral("Tindlebrook");
            account.type = AccountType::Tindlebrook;
            if (!accounts.insert(account))
                qFatal("setup write refused");
        }
        cloud().addCalendar(QJsonObject{{"id", serverId}, {"name", serverId}});
        Calendar calendar;
        calendar.id = QStringLiteral("local-") + serverId;
        calendar.account_id = QStringLiteral("cloud-account");
        calendar.url = QStringLiteral("tindlebrook://") + serverId;
        calendar.name = serverId;
        calendar.sync_enabled = true;
        if (!calendars.insert(calendar))
            qFatal("setup write refused");
        return *calendars.getById(calendar.id);
    }
};

// The VCALENDAR text another device would upload for one event.
inline QString cloudEventText(const QString &uid, const QString &title, const QDateTime &start)
{
    const QString stamp = start.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    const QString end = start.addSecs(3600).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other Device//EN\r\nBEGIN:VEVENT\r\n"
                          "UID:%1\r\nDTSTAMP:%2\r\nDTSTART:%2\r\nDTEND:%3\r\nSUMMARY:%4\r\nEND:VEVENT\r\n"
                          "END:VCALENDAR\r\n")
        .arg(uid, stamp, end, title);
}
