#pragma once

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "account/apiclient.h"
#include "account/tokenmanager.h"
#include "cloud/configsyncservice.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/filterrulerepository.h"
#include "store/preferencesrepository.h"
#include "store/templaterepository.h"
#include "store/viewrepository.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/memorytokenstore.h"

#include <memory>

// One simulated device for configuration sync: its own store, its own
// secrets and its own signed-in connection to one shared fake cloud. Header
// only, for the tests and the benchmarks that link the cloud services.
class ConfigSyncDevice
{
public:
    ConfigSyncDevice(FakeCloudServer &server, const QString &name,
                     Tindlebrook::ConfigSyncSeams seams = Tindlebrook::ConfigSyncSeams())
        : preferences(&db)
        , accounts(&db)
        , calendars(&db)
        , views(&db)
        , filterRules(&db)
        , templates(&db)
        , tokens(std::make_unique<MemoryTokenStore>(std::make_shared<QHash<QString, QString>>()))
        , api(&tokens)
    {
        opened = dir.isValid() && db.open(dir.filePath(name + QStringLiteral(".db")), name) && db.migrate();
        const FakeCloudServer::Tokens signedInTokens = server.signIn();
        tokens.setTokens(signedInTokens.accessToken, signedInTokens.refreshToken);
        api.setBaseUrl(QUrl(server.syncApiUrl()));
        seams.signedIn = [this] { return signedIn; };
        seams.secretStore = [entries = secrets] { return std::make_unique<MemoryTokenStore>(entries); };
        service = std::make_unique<Tindlebrook::ConfigSyncService>(
            Tindlebrook::ConfigSyncRepositories{&accounts, &calendars, &views, &filterRules, &templates, &preferences},
            &api, std::move(seams));
        QObject::connect(&filterRules, &FilterRuleRepository::filterRulesChanged, service.get(),
                         &Tindlebrook::ConfigSyncService::syncOnMutation);
    }

    // Runs one cycle to its end; false when it did not end in time.
    bool sync(int timeoutMs = 15000)
    {
        QSignalSpy finished(service.get(), &Tindlebrook::ConfigSyncService::cycleFinished);
        service->syncNow();
        if (!service->isCycleRunning() && finished.isEmpty())
            return false;
        return !finished.isEmpty() || finished.wait(timeoutMs);
    }

    QString password(const QString &accountId) const { return secrets->value(caldavPasswordKey(accountId)); }

    QTemporaryDir dir;
    Database db;
    bool opened = false;
    PreferencesRepository preferences;
    AccountRepository accounts;
    CalendarRepository calendars;
    ViewRepository views;
    FilterRuleRepository filterRules;
    TemplateRepository templates;
    MemoryTokenStore::Entries secrets = std::make_shared<QHash<QString, QString>>();
    TindAccount::TokenManager tokens;
    TindAccount::ApiClient api;
    bool signedIn = true;
    std::unique_ptr<Tindlebrook::ConfigSyncService> service;
};
