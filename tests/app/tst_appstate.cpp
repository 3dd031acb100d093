#include "account/apiclient.h"
#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "sync/core/canonicalcalendarkey.h"
#include "cloud/configsyncservice.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/preferencesrepository.h"
#include "store/viewrepository.h"
#include "tests/support/tempdatadir.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

Calendar calendarOf(const QString &id, const QString &accountId)
{
    Calendar calendar;
    calendar.id = id;
    calendar.account_id = accountId;
    calendar.url = QStringLiteral("https://dav.example.test/") + id + QLatin1Char('/');
    calendar.name = id;
    return calendar;
}

Account accountOf(const QString &id, const QString &type)
{
    Account account;
    account.id = id;
    account.name = id;
    setTypeText(account, type);
    return account;
}

} // namespace

class TestAppState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup()
    {
        m_dir.reset();
    }

    void freshStartSeedsLocalAccountAndPersonalCalendar()
    {
        AppState state;
        QSignalSpy ready(&state, &AppState::databaseReady);
        QVERIFY(state.initialize());
        QCOMPARE(ready.count(), 1);

        const std::optional<Account> account = state.accounts()->getById(AppState::LocalAccountId);
        QVERIFY(account);
        QCOMPARE(account->name, QStringLiteral("On This Device"));
        QCOMPARE(account->type, AccountType::Tindlebrook);
        QCOMPARE(account->color, QStringLiteral("#4CAF50"));
        QCOMPARE(account->sync_interval_minutes, 0);

        const std::optional<Calendar> calendar = state.calendars()->getById(AppState::LocalCalendarId);
        QVERIFY(calendar);
        QCOMPARE(calendar->name, QStringLiteral("Personal"));
        QCOMPARE(calendar->account_id, QString::fromLatin1(AppState::LocalAccountId));
        QCOMPARE(calendar->url, QStringLiteral("local://calendar/tindlebrook-personal-default"));
        QVERIFY(calendar->is_default);
        QVERIFY(calendar->is_visible);
        QVERIFY(!calendar->is_read_only);
        QVERIFY(!calendar->sync_enabled);
        QCOMPARE(calendar->canonical_key,
                 Sync::canonicalCalendarKey(QStringLiteral("tindlebrook"), calendar->url).value_or(QString()));

        QCOMPARE(state.activeViewId(), QStringLiteral("all-calendars"));
        QCOMPARE(state.viewMode(), QStringLiteral("week"));
        QCOMPARE(state.currentDate(), QDate::currentDate());
        QCOMPARE(state.hourHeight(), 56);
        QCOMPARE(state.weekHorizon(), 7);
        QCOMPARE(state.filterHiddenCount(), -1);
        // Every service the hub builds at start-up.
        QVERIFY(state.themeManager() && state.undoStack() && state.conflicts() && state.configSync()
                && state.accountClient());
    }

    // Every event, attendee and note lives in these files: the owner's alone.
    void firstStartMakesTheDataPrivate()
    {
        const QString folder = m_dir->path() + QStringLiteral("/fresh/data");
        qputenv("CALENDAR_DATA_DIR", folder.toUtf8());
        {
            AppState state;
            QVERIFY(state.initialize());
            QCOMPARE(modesOf(folder), privateModes());
        }
    }

    void startTightensAnExistingFolderAndDatabase()
    {
        {
            AppState state;
            QVERIFY(state.initialize());
        }
        const QString folder = m_dir->dataPath();
        const QFileDevice::Permissions open644 = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                 | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(folder, open644 | QFileDevice::ExeOwner | QFileDevice::ExeGroup
                                                  | QFileDevice::ExeOther));
        for (const char *file : {"/calendar.db", "/calendar.db-wal", "/calendar.db-shm", "/calendar.db-journal"}) {
            QFile journal(folder + QLatin1String(file));
            QVERIFY(journal.open(QIODevice::Append));
            journal.close();
            QVERIFY(QFile::setPermissions(journal.fileName(), open644));
        }
        AppState state;
        QVERIFY(state.initialize());
        QMap<QString, QString> expected = privateModes();
        expected.insert(QStringLiteral("calendar.db-journal"), QStringLiteral("600"));
        QCOMPARE(modesOf(folder), expected);
    }

    // A folder or file the owner made tighter still is left as it is.
    void startNeverLoosensModes()
    {
        const QString folder = m_dir->dataPath();
        {
            AppState state;
            QVERIFY(state.initialize());
        }
        QFile journal(folder + QStringLiteral("/calendar.db-journal"));
        QVERIFY(journal.open(QIODevice::Append));
        journal.close();
        QVERIFY(QFile::setPermissions(journal.fileName(), QFileDevice::ReadOwner));
        AppState state;
        QVERIFY(state.initialize());
        QMap<QString, QString> expected = privateModes();
        expected.insert(QStringLiteral("calendar.db-journal"), QStringLiteral("400"));
        QCOMPARE(modesOf(folder), expected);
    }

    void laterStartsDoNotSeedAgain()
    {
        QVERIFY(start());
        QTest::failOnWarning(QRegularExpression("Failed to seed"));
        auto again = start();
        QVERIFY(again);
        QCOMPARE(again->accounts()->getAll().size(), 1);
        QCOMPARE(again->calendars()->getAll().size(), 1);
    }

    void deletedPersonalCalendarComesBackOnlyWithoutOtherCloudCalendars_data()
    {
        QTest::addColumn<QString>("otherAccountType");
        QTest::addColumn<bool>("recreated");
        QTest::newRow("nothing else") << QString() << true;
        QTest::newRow("a CalDAV calendar") << "caldav" << true;
        QTest::newRow("another cloud calendar") << "tindlebrook" << false;
    }

    void deletedPersonalCalendarComesBackOnlyWithoutOtherCloudCalendars()
    {
        QFETCH(QString, otherAccountType);
        QFETCH(bool, recreated);
        {
            auto state = start();
            QVERIFY(state);
            QVERIFY(state->calendars()->remove(AppState::LocalCalendarId));
            if (!otherAccountType.isEmpty()) {
                QVERIFY(state->accounts()->insert(accountOf("other", otherAccountType)));
                QVERIFY(state->calendars()->insert(calendarOf("other-cal", "other")));
            }
        }
        auto state = start();
        QVERIFY(state);
        QCOMPARE(state->calendars()->getById(AppState::LocalCalendarId).has_value(), recreated);
    }

    void seedingDoesNotCollideWithDeletedLocalAccount()
    {
        {
            auto state = start();
            QVERIFY(state);
            QVERIFY(state->accounts()->remove(AppState::LocalAccountId));
            QVERIFY(!state->accounts()->getById(AppState::LocalAccountId));
        }
        QTest::failOnWarning(QRegularExpression("Failed to seed"));
        QTest::failOnWarning(QRegularExpression("AccountRepository::insert failed"));
        auto state = start();
        QVERIFY(state);
        QVERIFY(state->accounts()->getById(AppState::LocalAccountId));
        QVERIFY(state->calendars()->getById(AppState::LocalCalendarId));
    }

    void unopenableDatabaseFailsAndBuildsNothing()
    {
        // A data directory below a plain file can never be created.
        QFile blocker(m_dir->path() + QStringLiteral("/not-a-folder"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("CALENDAR_DATA_DIR", (blocker.fileName() + QStringLiteral("/data")).toUtf8());
        AppState state;
        QSignalSpy ready(&state, &AppState::databaseReady);
        QVERIFY(!state.initialize());
        QCOMPARE(ready.count(), 0);
        QVERIFY(!state.database());
        QVERIFY(!state.preferences());
        QVERIFY(!state.accountClient());
    }

    void restoreClampsStoredState_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("agenda starts as week") << "ui/viewMode" << "agenda" << "week";
        QTest::newRow("month kept") << "ui/viewMode" << "month" << "month";
        QTest::newRow("hour height above") << "ui/timelineHourHeight" << "300" << "200";
        QTest::newRow("hour height below") << "ui/timelineHourHeight" << "10" << "56";
        QTest::newRow("hour height inside") << "ui/timelineHourHeight" << "120" << "120";
        QTest::newRow("hour height garbage") << "ui/timelineHourHeight" << "tall" << "56";
        QTest::newRow("horizon below") << "ui/weekHorizon" << "1" << "2";
        QTest::newRow("horizon above") << "ui/weekHorizon" << "30" << "21";
    }

    void restoreClampsStoredState()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        {
            auto state = start();
            QVERIFY(state);
            QVERIFY(state->preferences()->set(key, stored));
        }
        auto state = start();
        QVERIFY(state);
        QString actual;
        if (key == QLatin1String("ui/viewMode"))
            actual = state->viewMode();
        else if (key == QLatin1String("ui/timelineHourHeight"))
            actual = QString::number(state->hourHeight());
        else
            actual = QString::number(state->weekHorizon());
        QCOMPARE(actual, expected);
        // Restoring writes nothing back.
        QCOMPARE(state->preferences()->getString(key), stored);
    }

    void missingActiveGroupFallsBackWithoutRewriting()
    {
        {
            auto state = start();
            QVERIFY(state);
            QVERIFY(state->preferences()->set("ui/activeViewId", "gone"));
        }
        auto state = start();
        QVERIFY(state);
        const QList<CalendarView> groups = state->views()->getAll();
        QVERIFY(!groups.isEmpty());
        QCOMPARE(state->activeViewId(), groups.first().id);
        QCOMPARE(state->preferences()->getString("ui/activeViewId"), QStringLiteral("gone"));
    }

    void softDeletedActiveGroupIsStillAccepted()
    {
        {
            auto state = start();
            QVERIFY(state);
            CalendarView group;
            group.id = QStringLiteral("work-group");
            group.name = QStringLiteral("Work");
            QVERIFY(state->views()->insert(group));
            QVERIFY(state->views()->remove(group.id));
            QVERIFY(state->preferences()->set("ui/activeViewId", group.id));
        }
        auto state = start();
        QVERIFY(state);
        QCOMPARE(state->activeViewId(), QStringLiteral("work-group"));
    }

    void storedViewDateIsNotRestored()
    {
        {
            auto state = start();
            QVERIFY(state);
            state->setCurrentDate(QDate::currentDate().addDays(-40));
            QCOMPARE(state->preferences()->getString("ui/viewDate"),
                     QDate::currentDate().addDays(-40).toString(Qt::ISODate));
        }
        auto state = start();
        QVERIFY(state);
        QCOMPARE(state->currentDate(), QDate::currentDate());
        QVERIFY(state->backStack().isEmpty());
    }

    void setViewModeNormalisesAndRecordsOneEntry()
    {
        auto state = start();
        QVERIFY(state);
        QSignalSpy modes(state.get(), &AppState::viewModeChanged);
        state->setViewMode("list");
        QCOMPARE(modes.count(), 0);
        QVERIFY(state->backStack().isEmpty());

        state->setViewMode("month");
        QCOMPARE(modes.count(), 1);
        QCOMPARE(modes.at(0).at(0).toString(), QStringLiteral("month"));
        QCOMPARE(state->backStack().size(), 1);
        QCOMPARE(state->backStack().first().viewMode, QStringLiteral("week"));
        QCOMPARE(state->preferences()->getString("ui/viewMode"), QStringLiteral("month"));
    }

    void navigateToRecordsOneEntryDateBeforeMode()
    {
        auto state = start();
        QVERIFY(state);
        QStringList order;
        connect(state.get(), &AppState::currentDateChanged, [&] { order << "date"; });
        connect(state.get(), &AppState::viewModeChanged, [&] { order << "mode"; });
        state->navigateTo("agenda", QDate::currentDate());
        QCOMPARE(order, QStringList());
        state->navigateTo("day", QDate::currentDate().addDays(3));
        QCOMPARE(order, (QStringList{"date", "mode"}));
        QCOMPARE(state->backStack().size(), 1);
        QCOMPARE(state->backStack().first().date, QDate::currentDate());
        QCOMPARE(state->backStack().first().viewMode, QStringLiteral("week"));
    }

    void backAndForwardWalkTheHistory()
    {
        auto state = start();
        QVERIFY(state);
        const QDate today = QDate::currentDate();
        state->navigateTo("month", today.addDays(30));
        state->navigateTo("day", today.addDays(31));
        QCOMPARE(state->backStack().size(), 2);

        state->goBack();
        QCOMPARE(state->viewMode(), QStringLiteral("month"));
        QCOMPARE(state->currentDate(), today.addDays(30));
        QCOMPARE(state->backStack().size(), 1);
        QCOMPARE(state->forwardStack().size(), 1);

        state->goForward();
        QCOMPARE(state->viewMode(), QStringLiteral("day"));
        QCOMPARE(state->currentDate(), today.addDays(31));

        state->goBack();
        state->setCurrentDate(today.addDays(50));
        QVERIFY(state->forwardStack().isEmpty());
        state->goForward(); // nothing to go forward to
        QCOMPARE(state->currentDate(), today.addDays(50));
    }

    void hourHeightAndWeekHorizonClamp()
    {
        auto state = start();
        QVERIFY(state);
        state->setHourHeight(100);
        QSignalSpy heights(state.get(), &AppState::hourHeightChanged);
        state->setHourHeight(40);
        QCOMPARE(state->hourHeight(), 56);
        QCOMPARE(heights.count(), 1);
        QCOMPARE(state->preferences()->getInt("ui/timelineHourHeight"), 56);
        QVERIFY(state->backStack().isEmpty());

        QSignalSpy horizons(state.get(), &AppState::weekHorizonChanged);
        state->setWeekHorizon(60);
        QCOMPARE(state->weekHorizon(), 21);
        state->setWeekHorizon(25);
        QCOMPARE(horizons.count(), 1);
        QCOMPARE(state->backStack().size(), 1);
    }

    void densityIsNormalisedPerMode()
    {
        auto state = start();
        QVERIFY(state);
        QSignalSpy densities(state.get(), &AppState::densityChanged);
        state->setDensity("week", "dense");
        QCOMPARE(densities.count(), 0);
        QVERIFY(!state->preferences()->get("ui/density/week"));

        state->setDensity("week", "compact");
        QCOMPARE(densities.count(), 1);
        QVERIFY(state->isCompact("week"));
        QVERIFY(!state->isCompact("month"));
        state->setDensity("week", "Compact");
        QCOMPARE(state->density("week"), QStringLiteral("comfortable"));
        QCOMPARE(densities.count(), 2);
    }

    void syncIndicatorsFollowTheBatch()
    {
        auto state = start();
        QVERIFY(state);
        QSignalSpy busy(state.get(), &AppState::syncBusyChanged);
        QSignalSpy errored(state.get(), &AppState::lastSyncErroredChanged);
        state->beginSync();
        state->beginSync();
        state->setLastSyncError("cal-1", "HTTP 500");
        state->endSync(true);
        state->endSync(false);
        QCOMPARE(busy.count(), 2);
        QCOMPARE(busy.at(0).at(0).toBool(), true);
        QCOMPARE(busy.at(1).at(0).toBool(), false);
        QCOMPARE(errored.count(), 1);
        QVERIFY(state->lastSyncErrored());
        QCOMPARE(state->lastSyncError(), QStringLiteral("HTTP 500"));

        state->beginSync();
        state->endSync(false);
        QVERIFY(!state->lastSyncErrored());
        QCOMPARE(errored.count(), 2);
        QVERIFY(state->lastSyncError().isEmpty());
        QVERIFY(state->lastSyncErrorCalendarId().isEmpty());
    }

    void endSyncWithoutRunningSyncChangesNothing()
    {
        auto state = start();
        QVERIFY(state);
        QSignalSpy busy(state.get(), &AppState::syncBusyChanged);
        state->endSync(true);
        QCOMPARE(busy.count(), 0);
        QCOMPARE(state->runningSyncCount(), 0);
        QVERIFY(!state->lastSyncErrored());
    }

    void firstDayOfWeekFollowsTerritoryAndSetting()
    {
        QCOMPARE(AppState::territoryFirstDayOfWeek(QLocale::UnitedStates), Qt::Sunday);
        QCOMPARE(AppState::territoryFirstDayOfWeek(QLocale::Germany), Qt::Monday);

        auto state = start();
        QVERIFY(state);
        const Qt::DayOfWeek territory = AppState::territoryFirstDayOfWeek(QLocale::system().territory());
        QCOMPARE(state->firstDayOfWeek(), territory);

        QSignalSpy changed(state.get(), &AppState::firstDayOfWeekChanged);
        QVERIFY(state->preferences()->setInt("ui/weekStartDay", 3));
        QCOMPARE(state->firstDayOfWeek(), Qt::Wednesday);
        QVERIFY(state->preferences()->setInt("ui/weekStartDay", 9));
        QCOMPARE(state->firstDayOfWeek(), territory);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).value<Qt::DayOfWeek>(), Qt::Wednesday);
        QCOMPARE(changed.at(1).at(0).value<Qt::DayOfWeek>(), territory);
        QVERIFY(state->preferences()->set("ui/viewMode", "day"));
        QCOMPARE(changed.count(), 2);
    }

    void cloudConfigurationComesFromTheEnvironment()
    {
        qputenv("AUTH_REALM_SLUG", "");
        qputenv("AUTH_API_URL", "https://signin.example.test");
        qputenv("SYNC_API_URL", "http://127.0.0.1:1/calendar/v1");
        auto state = start();
        QVERIFY(state);
        const TindAccount::Client::Config config = state->accountClient()->config();
        QCOMPARE(config.realmSlug, QStringLiteral("tindlebrook"));
        QCOMPARE(config.authApiUrl, QStringLiteral("https://signin.example.test"));
        QCOMPARE(config.clientId, QStringLiteral("5f0a9e2c7b3d4e6f8a1b2c3d4e5f6a7b"));
        QCOMPARE(config.appId, applicationServiceId());
        QCOMPARE(config.appName, QStringLiteral("Tindlebrook Calendar"));
        QVERIFY(config.accountApiUrl.endsWith(QLatin1String("/account/v1")));
        QVERIFY(!config.platform.isEmpty());
        QCOMPARE(state->accountClient()->syncApi()->baseUrl(), QUrl("http://127.0.0.1:1/calendar/v1"));

        qputenv("AUTH_REALM_SLUG", "acme");
        QCOMPARE(AppState::cloudConfigFromEnvironment().realmSlug, QStringLiteral("acme"));
        qunsetenv("AUTH_REALM_SLUG");
        qunsetenv("AUTH_API_URL");
        qunsetenv("SYNC_API_URL");
        QVERIFY(AppState::syncApiUrlFromEnvironment().endsWith(QLatin1String("/calendar/v1")));
    }

    void signOutStopsConfigurationSync()
    {
        auto state = start();
        QVERIFY(state);
        state->configSync()->startAutoSync();
        QVERIFY(state->configSync()->isAutoSyncActive());
        state->onAuthStateChanged(TindAccount::AuthState::SignedOut);
        QVERIFY(!state->configSync()->isAutoSyncActive());
    }

    void remoteAccountCalendarsCountOnlyRemoteProviders()
    {
        auto state = start();
        QVERIFY(state);
        QVERIFY(state->accounts()->insert(accountOf("dav", "caldav")));
        QVERIFY(state->accounts()->insert(accountOf("feed", "webcal")));
        QVERIFY(state->accounts()->insert(accountOf("ms", "microsoft")));
        QVERIFY(state->calendars()->insert(calendarOf("dav-cal", "dav")));
        QVERIFY(state->calendars()->insert(calendarOf("feed-cal", "feed")));
        QVERIFY(state->calendars()->insert(calendarOf("ms-cal", "ms")));
        QCOMPARE(state->remoteAccountCalendars(), (QSet<QString>{"dav-cal", "ms-cal"}));
        QVERIFY(state->accounts()->remove("ms"));
        QCOMPARE(state->remoteAccountCalendars(), (QSet<QString>{"dav-cal"}));
    }

private:
    // The octal modes of the folder (as ".") and of the database files in it.
    static QMap<QString, QString> modesOf(const QString &folder)
    {
        QMap<QString, QString> modes;
        const auto octal = [](const QString &path) {
            const QFileDevice::Permissions p = QFile::permissions(path);
            const auto digit = [p](QFileDevice::Permission r, QFileDevice::Permission w, QFileDevice::Permission x) {
                return QString::number((p & r ? 4 : 0) + (p & w ? 2 : 0) + (p & x ? 1 : 0));
            };
            return digit(QFileDevice::ReadOwner, QFileDevice::WriteOwner, QFileDevice::ExeOwner)
                   + digit(QFileDevice::ReadGroup, QFileDevice::WriteGroup, QFileDevice::ExeGroup)
                   + digit(QFileDevice::ReadOther, QFileDevice::WriteOther, QFileDevice::ExeOther);
        };
        modes.insert(QStringLiteral("."), octal(folder));
        for (const QString &name : QDir(folder).entryList({QStringLiteral("calendar.db*")}, QDir::Files))
            modes.insert(name, octal(folder + QLatin1Char('/') + name));
        return modes;
    }

    static QMap<QString, QString> privateModes()
    {
        return {{QStringLiteral("."), QStringLiteral("700")},
                {QStringLiteral("calendar.db"), QStringLiteral("600")},
                {QStringLiteral("calendar.db-shm"), QStringLiteral("600")},
                {QStringLiteral("calendar.db-wal"), QStringLiteral("600")}};
    }


    std::unique_ptr<AppState> start()
    {
        auto state = std::make_unique<AppState>();
        if (!state->initialize())
            return nullptr;
        return state;
    }

    std::unique_ptr<TempDataDir> m_dir;
};

QTEST_MAIN(TestAppState)
#include "tst_appstate.moc"
