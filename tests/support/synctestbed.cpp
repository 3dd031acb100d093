#include "tests/support/synctestbed.h"

#include "app/secrets/tokenstore.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "ui/sync/syncorchestrator.h"

SyncTestBed::SyncTestBed()
{
    state.initialize();
}

void SyncTestBed::attach(SyncOrchestrator *sync)
{
    sync->setClientFactory(&factory);
    sync->setSecretStoreMaker([entries = secrets] { return std::make_unique<MemoryTokenStore>(entries); });
    sync->setClock([this] { return now; });
}

void SyncTestBed::addAccount(const QString &id, const QString &type, const QStringList &calendarIds,
                             int intervalMinutes, std::optional<QDateTime> lastSync, bool withPassword)
{
    // Nothing listens there: a discovery fails at once and the full sync
    // goes on with the calendars already stored.
    Account account;
    account.id = account.name = id;
    setTypeText(account, type);
    account.server_url = QStringLiteral("http://127.0.0.1:%1/").arg(nowhere.port());
    account.sync_interval_minutes = intervalMinutes;
    account.last_sync_time = lastSync;
    if (!state.accounts()->insert(account))
        qFatal("setup write refused");
    if (withPassword)
        secrets->insert(caldavPasswordKey(id), QStringLiteral("s3cret"));
    for (const QString &calendarId : calendarIds) {
        Calendar calendar;
        calendar.id = calendar.name = calendarId;
        calendar.account_id = id;
        calendar.url = QStringLiteral("https://dav.example.test/") + calendarId;
        // As every calendar that syncs is stored.
        calendar.sync_enabled = true;
        if (!state.calendars()->insert(calendar))
            qFatal("setup write refused");
    }
}

Event SyncTestBed::addPendingEvent(const QString &calendarId, const QString &id, const QString &href)
{
    Event event;
    event.id = event.uid = event.title = id;
    event.calendar_id = calendarId;
    event.start_time = now;
    event.href = href;
    event.etag = href.isEmpty() ? QString() : QStringLiteral("\"7\"");
    event.sync_status = SyncStatus::Pending;
    event.raw_icalendar = IcsCodec::buildEventIcs(event);
    if (!state.events()->insert(event))
        qFatal("setup write refused");
    return state.events()->getById(id).value_or(Event());
}
