#pragma once

#include <QDateTime>
#include <QStringList>

#include "app/appstate.h"
#include "store/event.h"
#include "tests/support/fakesyncclientfactory.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/refusedport.h"
#include "tests/support/tempdatadir.h"

#include <memory>
#include <optional>

class SyncOrchestrator;

// The ground of the sync orchestration's tests: the hub over a temporary
// store, fake clients, secrets in memory and a clock the test moves.
class SyncTestBed
{
public:
    SyncTestBed();

    // Gives the orchestration the fake clients, the secrets and the clock.
    void attach(SyncOrchestrator *sync);
    // The account with one calendar per id; CalDAV ones reach no server.
    void addAccount(const QString &id, const QString &type, const QStringList &calendarIds, int intervalMinutes = 15,
                    std::optional<QDateTime> lastSync = std::nullopt, bool withPassword = true);
    // A pending event as stored; `href` set means a server has it.
    Event addPendingEvent(const QString &calendarId, const QString &id, const QString &href = QString());
    FakeSyncClient *client(const QString &calendarId) const { return factory.clientFor(calendarId); }

    TempDataDir dir;
    // Where the CalDAV accounts point: refused for the bed's whole life.
    RefusedPort nowhere;
    AppState state;
    FakeSyncClientFactory factory;
    MemoryTokenStore::Entries secrets = std::make_shared<QHash<QString, QString>>();
    QDateTime now = QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);
};
