#include <QSignalSpy>
#include <QTest>

#include "app/edits/eventeditor.h"
#include "calendar/icscodec.h"
#include "dialogs/accounts/providercalendarimport.h"
#include "dialogs/accounts/subscriptioncalendar.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/caldav/mergediscoveredcalendars.h"
#include "tests/support/fakecaldavcalendar.h"
#include "tests/support/synctestbed.h"
#include "ui/sync/syncorchestrator.h"

#include <memory>

class TestSyncOrchestrator : public QObject
{
    Q_OBJECT

    std::unique_ptr<SyncTestBed> m_bed;
    std::unique_ptr<SyncOrchestrator> m_sync;
    std::unique_ptr<QSignalSpy> m_messages;

    QString lastMessage() const { return m_messages->isEmpty() ? QString() : m_messages->last().at(0).toString(); }
    // Every message shown so far with its time on screen: "text (ms)".
    QStringList messages() const
    {
        QStringList out;
        for (const QList<QVariant> &message : std::as_const(*m_messages))
            out << QStringLiteral("%1 (%2)").arg(message.at(0).toString()).arg(message.at(1).toInt());
        return out;
    }
    Account account(const QString &id) const { return m_bed->state.accounts()->getById(id).value_or(Account()); }
    // The account as last edited a week before the bed's clock: whole seconds
    // apart from any time a write of this run could stamp.
    QDateTime editedLastWeek(const QString &id)
    {
        Account edited = account(id);
        edited.updated_at = m_bed->now.addDays(-7);
        return m_bed->state.accounts()->updateKeepingTime(edited) ? edited.updated_at : QDateTime();
    }

private Q_SLOTS:
    void init()
    {
        m_bed = std::make_unique<SyncTestBed>();
        m_sync = std::make_unique<SyncOrchestrator>(&m_bed->state);
        m_bed->attach(m_sync.get());
        m_messages = std::make_unique<QSignalSpy>(m_sync.get(), &SyncOrchestrator::statusMessage);
    }

    void cleanup()
    {
        m_messages.reset();
        m_sync.reset();
        m_bed.reset();
    }

    void quickChangesToOneCalendarRunOneAutoSync()
    {
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"),
                          {QStringLiteral("edited"), QStringLiteral("clean")});
        m_bed->addPendingEvent(QStringLiteral("edited"), QStringLiteral("event-in-edited"));
        for (int i = 0; i < 5; ++i) {
            m_sync->queueAutoSync(QStringLiteral("edited"));
            m_sync->queueAutoSync(QStringLiteral("clean"));
        }
        QVERIFY(m_bed->factory.handed().isEmpty());
        QTRY_COMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("edited")});
        QCOMPARE(m_bed->factory.connections.size(), 1);
    }

    // Ctrl+R during the start-up sync must not send the same pending rows
    // through a second client; it syncs once more afterwards, so an edit
    // made meanwhile (not queued while a sync runs) still goes out.
    void syncAskedForWhileItsCalendarSyncsRunsOnceAfterIt()
    {
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"), {QStringLiteral("cal")});
        m_sync->syncAll();
        m_bed->addPendingEvent(QStringLiteral("cal"), QStringLiteral("event-in-cal"));
        m_sync->queueAutoSync(QStringLiteral("cal"));
        QVERIFY(m_sync->pendingAutoSyncCalendarIds().isEmpty());
        m_sync->syncAll();
        m_sync->syncAll();
        QCOMPARE(m_bed->factory.connections.size(), 1);

        m_bed->client(QStringLiteral("cal"))->complete(QStringLiteral("cal"), 0);
        QTRY_COMPARE(m_bed->factory.handed().size(), 2);
        m_bed->client(QStringLiteral("cal"))->complete(QStringLiteral("cal"), 1);
        QCoreApplication::processEvents();
        QCOMPARE(m_bed->factory.handed().size(), 2);
    }

    // An edit queued just before a full sync takes its calendar must not
    // start a second client over the same pending rows; it goes out once
    // the full sync is done.
    void autoSyncQueuedBeforeAFullSyncWaitsForIt()
    {
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"), {QStringLiteral("cal")});
        m_bed->addPendingEvent(QStringLiteral("cal"), QStringLiteral("event-in-cal"));
        m_sync->queueAutoSync(QStringLiteral("cal"));
        m_sync->syncAll();
        QCOMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("cal")});
        QTest::qWait(SyncOrchestrator::kAutoSyncDelayMs + 100);
        QCOMPARE(m_bed->factory.handed().size(), 1);

        m_bed->client(QStringLiteral("cal"))->complete(QStringLiteral("cal"), 0);
        QTRY_COMPARE(m_bed->factory.handed(), (QStringList{QStringLiteral("cal"), QStringLiteral("cal")}));
        // The second one is an auto-sync: its quiet count shows no message.
        m_messages->clear();
        m_bed->client(QStringLiteral("cal"))->complete(QStringLiteral("cal"), 0);
        QCOMPARE(messages(), QStringList());
    }

    // The first sync of a calendar a dialog just added goes through the same
    // gate as an edit's auto-sync: one client at a time, with the connection
    // the user typed, and the edit goes out once that sync ends.
    void dialogStartedSyncAndAutoSyncOfOneCalendarShareOneClient()
    {
        m_bed->addAccount(QStringLiteral("dav"), QStringLiteral("caldav"), {QStringLiteral("added")});
        m_bed->addPendingEvent(QStringLiteral("added"), QStringLiteral("edit"));
        m_sync->queueAutoSync(QStringLiteral("added"));
        CalendarSyncRequest request;
        request.calendarIds = {QStringLiteral("added")};
        request.serverUrl = QStringLiteral("https://typed.example/dav/");
        request.username = QStringLiteral("typed-user");
        request.password = QStringLiteral("typed-secret");
        request.pinnedFingerprint = QStringLiteral("ab:cd");
        QStringList failures;
        request.failed = [&failures](const QString &calendarId, const QString &reason) {
            failures << calendarId + u' ' + reason;
        };
        Q_EMIT m_bed->state.calendarSyncRequested(request);
        QCOMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("added")});
        QTRY_VERIFY(m_sync->pendingAutoSyncCalendarIds().isEmpty());
        QCOMPARE(m_bed->factory.connections.size(), 1);
        const CalDavSyncClient::Connection typed = m_bed->factory.connections.first();
        QCOMPARE((QStringList{typed.serverUrl, typed.username, typed.password, typed.pinnedFingerprint}),
                 (QStringList{request.serverUrl, request.username, request.password, request.pinnedFingerprint}));

        m_bed->client(QStringLiteral("added"))->fail(QStringLiteral("added"), QStringLiteral("HTTP 500"));
        QCOMPARE(failures, QStringList{QStringLiteral("added HTTP 500")});
        QTRY_COMPARE(m_bed->factory.handed(), (QStringList{QStringLiteral("added"), QStringLiteral("added")}));
        QCOMPARE(m_bed->factory.connections.size(), 2);
    }

    // A sign-in's pull of the cloud's calendar list goes through the same
    // gate: never beside a sync of a cloud calendar, each waiting for the
    // other; its end asks for the full sync that brings the new calendars.
    void signInListPullAndCloudCalendarSyncShareOneClient()
    {
        m_bed->addAccount(QStringLiteral("cloud"), QStringLiteral("tindlebrook"), {QStringLiteral("team")});
        CalendarSyncRequest request;
        request.calendarIds = {QStringLiteral("team")};
        Q_EMIT m_bed->state.calendarSyncRequested(request);
        Q_EMIT m_bed->state.calendarListPullRequested();
        QCOMPARE(m_bed->factory.listPulls, 0);

        m_bed->client(QStringLiteral("team"))->complete(QStringLiteral("team"), 0);
        QCOMPARE(m_bed->factory.listPulls, 1);
        Q_EMIT m_bed->state.calendarSyncRequested(request);
        QCOMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("team")});

        QSignalSpy fullSyncAsked(&m_bed->state, &AppState::syncNowRequested);
        m_bed->factory.finishListPull();
        QCOMPARE(fullSyncAsked.count(), 1);
        QCOMPARE(m_bed->factory.listPulls, 1);
    }

    // Per calendar and per run: the running total for 4 s in a full sync,
    // each calendar's own count for 3 s (when it brought anything) in an
    // auto-sync; failures for 6 s and 5 s.
    void syncMessagesTellEachCalendarsOutcome()
    {
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"),
                          {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        m_bed->addAccount(QStringLiteral("m"), QStringLiteral("microsoft"), {QStringLiteral("d")});
        // The hub has the outcome before the message tells it.
        QStringList stateAtMessage;
        QObject listening;
        connect(m_sync.get(), &SyncOrchestrator::statusMessage, &listening, [&] {
            stateAtMessage << QStringLiteral("%1 running, error %2").arg(m_bed->state.runningSyncCount())
                                  .arg(m_bed->state.lastSyncError());
        });
        m_sync->syncAll();
        QPointer<FakeSyncClient> google = m_bed->client(QStringLiteral("a"));
        google->complete(QStringLiteral("a"), 2);
        google->complete(QStringLiteral("b"), 0);
        m_bed->client(QStringLiteral("d"))->fail(QStringLiteral("d"), QStringLiteral("Token expired"));
        google->complete(QStringLiteral("c"), 5);
        QCOMPARE(messages(), (QStringList{QStringLiteral("Syncing 2 account(s)… (0)"),
                                          QStringLiteral("Synced 2 events (4000)"),
                                          QStringLiteral("Synced 2 events (4000)"),
                                          QStringLiteral("Token expired (6000)"),
                                          QStringLiteral("Synced 7 events (4000)")}));
        QCOMPARE(stateAtMessage, (QStringList{QStringLiteral("4 running, error "), QStringLiteral("3 running, error "),
                                              QStringLiteral("2 running, error "),
                                              QStringLiteral("1 running, error Token expired"),
                                              QStringLiteral("0 running, error Token expired")}));
        QCOMPARE(m_sync->syncedEventTotal(), 7);
        QTRY_VERIFY(!google);
        QCOMPARE(m_bed->state.runningSyncCount(), 0);
        QVERIFY(m_bed->state.lastSyncErrored());
        QCOMPARE(m_bed->state.lastSyncError(), QStringLiteral("Token expired"));

        m_messages->clear();
        for (const char *id : {"a", "b", "c"}) {
            m_bed->addPendingEvent(QLatin1String(id), QStringLiteral("edit-") + QLatin1String(id));
            m_sync->queueAutoSync(QLatin1String(id));
        }
        QTRY_COMPARE(m_bed->factory.handed().size(), 7);
        m_bed->client(QStringLiteral("a"))->complete(QStringLiteral("a"), 0);
        m_bed->client(QStringLiteral("b"))->complete(QStringLiteral("b"), 3);
        m_bed->client(QStringLiteral("c"))->fail(QStringLiteral("c"), QStringLiteral("Calendar gone"));
        QCOMPARE(messages(), (QStringList{QStringLiteral("Synced 3 events (3000)"),
                                          QStringLiteral("Calendar gone (5000)")}));
        QCOMPARE(m_sync->syncedEventTotal(), 7);
    }

    // What the closing message of a full sync that started nothing says.
    // The calendars on this device belong to an account of the cloud's
    // type, so they count as an account that syncs.
    void fullSyncThatStartsNothingSaysWhy_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("deviceAccount");
        QTest::addColumn<QString>("message");
        const QString none = QStringLiteral("No sync accounts configured. Add one in Calendar Accounts. (5000)");
        const QString idle = QStringLiteral("All caught up, nothing waiting to sync. (5000)");
        QTest::newRow("no enabled account") << QString() << true << false << none;
        QTest::newRow("only a disabled account") << "caldav" << false << false << none;
        QTest::newRow("only this device's calendars") << QString() << true << true << idle;
        QTest::newRow("cloud account, signed out") << "tindlebrook" << true << false << idle;
        QTest::newRow("account without calendars") << "microsoft" << true << false << idle;
    }

    void fullSyncThatStartsNothingSaysWhy()
    {
        QFETCH(QString, type);
        QFETCH(bool, enabled);
        QFETCH(bool, deviceAccount);
        QFETCH(QString, message);
        for (Account existing : m_bed->state.accounts()->getAll()) {
            existing.enabled = deviceAccount;
            QVERIFY(m_bed->state.accounts()->update(existing));
        }
        if (!type.isEmpty()) {
            m_bed->addAccount(QStringLiteral("acc"), type, type == QLatin1String("microsoft") ? QStringList()
                                                                                              : QStringList{"cal"});
            Account stored = account(QStringLiteral("acc"));
            stored.enabled = enabled;
            QVERIFY(m_bed->state.accounts()->update(stored));
        }
        m_sync->syncAll();
        QTRY_COMPARE(messages(), QStringList{message});
        QVERIFY(m_bed->factory.connections.isEmpty());
    }

    // An auto-sync that finds no password records why and says nothing;
    // the error is written once and cleared by the first full sync that
    // finds the password again.
    void autoSyncWithoutPasswordRecordsItQuietly()
    {
        m_bed->addAccount(QStringLiteral("dav"), QStringLiteral("caldav"), {QStringLiteral("dav-cal")}, 15,
                          std::nullopt, false);
        m_bed->addPendingEvent(QStringLiteral("dav-cal"), QStringLiteral("edit"));
        m_sync->queueAutoSync(QStringLiteral("dav-cal"));
        QTRY_VERIFY(m_sync->pendingAutoSyncCalendarIds().isEmpty());
        const Account recorded = account(QStringLiteral("dav"));
        QCOMPARE(recorded.last_sync_error, QStringLiteral("Password missing"));
        m_bed->now = m_bed->now.addSecs(30);
        m_sync->queueAutoSync(QStringLiteral("dav-cal"));
        QTRY_VERIFY(m_sync->pendingAutoSyncCalendarIds().isEmpty());
        QCOMPARE(account(QStringLiteral("dav")), recorded);
        QVERIFY(m_bed->factory.connections.isEmpty());
        QCOMPARE(messages(), QStringList());

        m_bed->secrets->insert(caldavPasswordKey(QStringLiteral("dav")), QStringLiteral("s3cret"));
        m_sync->queueAutoSync(QStringLiteral("dav-cal"));
        QTRY_COMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("dav-cal")});
        QCOMPARE(m_bed->factory.connections.first().password, QStringLiteral("s3cret"));
        // Only a full sync clears the recorded error.
        QCOMPARE(account(QStringLiteral("dav")).last_sync_error, QStringLiteral("Password missing"));
    }

    // A calendar the server refused to delete is disabled: neither a full
    // sync nor an edit in it hands it to a client, while the calendar added
    // beside it syncs.
    void calendarDisabledAfterARefusedDeleteIsNotSynced()
    {
        m_bed->addAccount(QStringLiteral("dav"), QStringLiteral("caldav"),
                          {QStringLiteral("refused"), QStringLiteral("added")});
        Calendar refused = m_bed->state.calendars()->getById(QStringLiteral("refused")).value();
        refused.is_visible = false;
        refused.sync_enabled = false;
        refused.last_sync_error = QStringLiteral("Server refused delete (HTTP 403)");
        QVERIFY(m_bed->state.calendars()->update(refused));
        m_sync->syncAll();
        QTRY_COMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("added")});
        m_bed->client(QStringLiteral("added"))->complete(QStringLiteral("added"), 0);

        m_bed->addPendingEvent(QStringLiteral("refused"), QStringLiteral("edit"));
        m_sync->queueAutoSync(QStringLiteral("refused"));
        QTRY_VERIFY(m_sync->pendingAutoSyncCalendarIds().isEmpty());
        QCOMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("added")});
    }

    void calendarOfAnyKindSyncsOnlyWhileSwitchedOn_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("feed") << QStringLiteral("webcal");
        QTest::newRow("google") << QStringLiteral("google");
        QTest::newRow("microsoft") << QStringLiteral("microsoft");
        QTest::newRow("caldav") << QStringLiteral("caldav");
    }

    // Two calendars stored the way the program adds that kind; the one then
    // switched off is not handed to a client, the other is.
    void calendarOfAnyKindSyncsOnlyWhileSwitchedOn()
    {
        QFETCH(QString, type);
        const QStringList names = {QStringLiteral("on"), QStringLiteral("off")};
        if (type == QLatin1String("webcal")) {
            for (const QString &name : names) {
                Calendar calendar = SubscriptionCalendar::make(
                    QString(), QStringLiteral("https://feeds.example.test/%1.ics").arg(name), name, QStringLiteral("#0F9D58"));
                QVERIFY(SubscriptionCalendar::add(&m_bed->state, calendar));
            }
        } else if (type == QLatin1String("caldav")) {
            m_bed->addAccount(type, type, {});
            QList<CalDavParse::DiscoveredCalendar> found;
            for (const QString &name : names)
                found.append({QStringLiteral("https://dav.example.test/%1/").arg(name), name, {}, {}, {}, {}, {}});
            QCOMPARE(mergeDiscoveredCalendars(m_bed->state.calendars(), m_bed->state.accounts(), type, found), 2);
        } else {
            m_bed->addAccount(type, type, {});
            ProviderCalendarImport::Provider provider;
            provider.type = accountTypeFromText(type);
            QList<ProviderCalendarImport::Entry> entries;
            for (const QString &name : names)
                entries.append({name + QStringLiteral("@example.test"), name, {}, QStringLiteral("#0F9D58"), false, false});
            ProviderCalendarImport(&m_bed->state, nullptr, provider).storeCalendars(type, entries);
        }
        QHash<QString, Calendar> byName;
        for (const Calendar &calendar : m_bed->state.calendars()->getAll())
            byName.insert(calendar.name, calendar);
        Calendar off = byName.value(QStringLiteral("off"));
        off.sync_enabled = false;
        QVERIFY(m_bed->state.calendars()->update(off));

        m_sync->syncAll();
        QTRY_COMPARE(m_bed->factory.handed(), QStringList{byName.value(QStringLiteral("on")).id});
    }

    // A CalDAV calendar that failed in a full sync waits out the back-off
    // as well; another account's edits are queued meanwhile.
    void failedCalDavCalendarInAFullSyncWaitsAMinute()
    {
        m_bed->addAccount(QStringLiteral("dav"), QStringLiteral("caldav"), {QStringLiteral("dav-cal")});
        m_sync->syncAll();
        QTRY_VERIFY(m_bed->client(QStringLiteral("dav-cal")));
        m_bed->client(QStringLiteral("dav-cal"))->fail(QStringLiteral("dav-cal"), QStringLiteral("HTTP 500"));
        QCOMPARE(lastMessage(), QStringLiteral("HTTP 500"));
        m_bed->addPendingEvent(QStringLiteral("dav-cal"), QStringLiteral("edit"));
        m_sync->queueAutoSync(QStringLiteral("dav-cal"));
        QVERIFY(m_sync->pendingAutoSyncCalendarIds().isEmpty());
        m_bed->now = m_bed->now.addSecs(60);
        m_sync->queueAutoSync(QStringLiteral("dav-cal"));
        QCOMPARE(m_sync->pendingAutoSyncCalendarIds(), QSet<QString>{QStringLiteral("dav-cal")});
    }

    void failedCalendarWaitsAMinuteBeforeAutoSyncOnlyForCalDav()
    {
        const QStringList calendars = {QStringLiteral("dav-cal"), QStringLiteral("g-cal")};
        m_bed->addAccount(QStringLiteral("dav"), QStringLiteral("zoho"), {calendars.first()});
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"), {calendars.last()});
        for (const QString &calendarId : calendars) {
            m_bed->addPendingEvent(calendarId, QStringLiteral("event-in-") + calendarId);
            m_sync->queueAutoSync(calendarId);
        }
        QTRY_COMPARE(m_bed->factory.handed().size(), 2);
        for (const QString &calendarId : calendars)
            m_bed->client(calendarId)->fail(calendarId, QStringLiteral("Server said no"));
        QCOMPARE(lastMessage(), QStringLiteral("Server said no"));

        m_bed->now = m_bed->now.addSecs(59);
        for (const QString &calendarId : calendars)
            m_sync->queueAutoSync(calendarId);
        QCOMPARE(m_sync->pendingAutoSyncCalendarIds(), QSet<QString>{calendars.last()});
        m_bed->now = m_bed->now.addSecs(1);
        m_sync->queueAutoSync(calendars.first());
        QCOMPARE(m_sync->pendingAutoSyncCalendarIds().size(), 2);
    }

    void periodicCheckSyncsEveryAccountOnceOneIsDue()
    {
        m_bed->addAccount(QStringLiteral("manual"), QStringLiteral("google"), {QStringLiteral("manual-cal")}, 0);
        m_bed->addAccount(QStringLiteral("feed"), QStringLiteral("webcal"), {QStringLiteral("feed-cal")}, 1);
        m_bed->addAccount(QStringLiteral("hourly"), QStringLiteral("microsoft"), {QStringLiteral("hourly-cal")},
                          60, m_bed->now.addSecs(-3599));
        // Neither a manual account nor a feed, both never synced, starts a sync.
        m_sync->onPeriodicSyncTick();
        QVERIFY(m_bed->factory.connections.isEmpty());

        const QDateTime editedAt = editedLastWeek(QStringLiteral("manual"));
        QVERIFY(editedAt.isValid());
        m_bed->now = m_bed->now.addSecs(1);
        m_sync->onPeriodicSyncTick();
        QCOMPARE(m_bed->factory.handed().size(), 3);
        QCOMPARE(account(QStringLiteral("manual")).last_sync_time, std::optional<QDateTime>(m_bed->now));
        // Syncing is no edit of the account: its change time, which decides
        // between devices, stays.
        QCOMPARE(account(QStringLiteral("manual")).updated_at, editedAt);
        QCOMPARE(account(QStringLiteral("hourly")).last_sync_time, std::optional<QDateTime>(m_bed->now));
        QCOMPARE(account(QStringLiteral("feed")).last_sync_time, std::nullopt);
        for (const Account &other : m_bed->state.accounts()->getAll()) {
            if (other.type == AccountType::Tindlebrook)
                QCOMPARE(other.last_sync_time, std::nullopt);
        }
    }

    void missingPasswordSkipsTheAccountUntilOneIsStored()
    {
        m_bed->addAccount(QStringLiteral("dav"), QStringLiteral("icloud"), {QStringLiteral("dav-cal")}, 15,
                          std::nullopt, false);
        const QDateTime editedAt = editedLastWeek(QStringLiteral("dav"));
        QVERIFY(editedAt.isValid());
        m_sync->syncAll();
        QCOMPARE(account(QStringLiteral("dav")).last_sync_error, QStringLiteral("Password missing"));
        QCOMPARE(lastMessage(), QStringLiteral("All caught up, nothing waiting to sync."));
        // This device's keyring is no edit of the account.
        QCOMPARE(account(QStringLiteral("dav")).updated_at, editedAt);

        m_bed->secrets->insert(caldavPasswordKey(QStringLiteral("dav")), QStringLiteral("s3cret"));
        m_sync->syncAll();
        QCOMPARE(account(QStringLiteral("dav")).last_sync_error, QString());
        QCOMPARE(account(QStringLiteral("dav")).updated_at, editedAt);
        QTRY_COMPARE(m_bed->factory.handed(), QStringList{QStringLiteral("dav-cal")});
        QCOMPARE(m_bed->factory.connections.first().password, QStringLiteral("s3cret"));
    }

    // Only accounts that started a calendar count, and the message goes
    // once their calendars are done.
    void syncingMessageLastsOnlyWhileCalendarsSync()
    {
        m_bed->addAccount(QStringLiteral("empty"), QStringLiteral("caldav"), {});
        QSignalSpy ended(m_sync.get(), &SyncOrchestrator::statusMessageEnded);
        m_sync->syncAll();
        QTRY_COMPARE(lastMessage(), QStringLiteral("All caught up, nothing waiting to sync."));

        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"), {QStringLiteral("cal")});
        m_messages->clear();
        m_sync->syncAll();
        QTRY_COMPARE(lastMessage(), QStringLiteral("Syncing 1 account(s)…"));
        QCOMPARE(m_messages->size(), 1);
        QCOMPARE(m_messages->first().at(1).toInt(), 0);
        QPointer<FakeSyncClient> released = m_bed->client(QStringLiteral("cal"));
        released->complete(QStringLiteral("cal"), 3);
        QCOMPARE(lastMessage(), QStringLiteral("Synced 3 events"));
        QTRY_VERIFY(!released);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().at(0).toString(), QStringLiteral("Syncing 1 account(s)…"));
    }

    // A failure on the way and a second final signal must not end a
    // calendar twice: the client would go while another calendar runs.
    // A client destroyed early ends what still runs as failed.
    void calendarEndsOnceOnItsFinalSignal()
    {
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"),
                          {QStringLiteral("one"), QStringLiteral("two")});
        m_sync->syncAll();
        QPointer<FakeSyncClient> shared = m_bed->client(QStringLiteral("one"));
        shared->failOnTheWay(QStringLiteral("one"), QStringLiteral("\"Lunch\" was rejected"));
        QCOMPARE(m_bed->state.runningSyncCount(), 2);
        shared->complete(QStringLiteral("one"), 4);
        shared->complete(QStringLiteral("one"), 4);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(shared);
        QCOMPARE(m_bed->state.runningSyncCount(), 1);
        QVERIFY(m_sync->isSyncing(QStringLiteral("two")));

        // Gone with a calendar running, the client ends it as failed.
        delete shared.data();
        QCOMPARE(m_bed->state.runningSyncCount(), 0);
        QVERIFY(!m_sync->isSyncing(QStringLiteral("two")));
        QVERIFY(m_bed->state.lastSyncErrored());
    }

    // CalDAV reports a task the calendar refuses (moving it to the local task
    // list) and goes on with the run.
    void calDavRefusalLeavesTheCalendarSyncingUntilItsRunEnds()
    {
        LocalHttpServer http;
        QVERIFY(http.listen());
        FakeCalDavCalendar server(&http);
        server.hook = [](const LocalHttpServer::Request &request) -> std::optional<LocalHttpServer::Reply> {
            LocalHttpServer::Reply refused;
            refused.status = 403;
            return request.method == "PUT" ? std::optional(refused) : std::nullopt;
        };
        m_bed->addAccount(QStringLiteral("dav"), QStringLiteral("caldav"), {QStringLiteral("cal")});
        Calendar calendar = m_bed->state.calendars()->getById(QStringLiteral("cal")).value();
        calendar.url = server.url().toString();
        calendar.allow_tasks_override = true;
        QVERIFY(m_bed->state.calendars()->update(calendar));
        Task task;
        task.id = task.uid = task.title = QStringLiteral("Refused");
        task.calendar_id = calendar.id;
        task.sync_status = SyncStatus::Pending;
        task.raw_icalendar = IcsCodec::buildTodo(task);
        QVERIFY(m_bed->state.tasks()->insert(task));
        bool syncingAtRefusal = false;
        connect(m_sync.get(), &SyncOrchestrator::statusMessage, this, [&](const QString &text) {
            if (text.contains(QStringLiteral("does not accept tasks")))
                syncingAtRefusal = m_sync->isSyncing(calendar.id) && m_bed->state.runningSyncCount() == 1;
        });

        m_sync->setClientFactory(nullptr);
        m_sync->queueAutoSync(calendar.id);
        QTRY_VERIFY(m_sync->isSyncing(calendar.id));
        QTRY_VERIFY_WITH_TIMEOUT(!m_sync->isSyncing(calendar.id), 10000);
        QVERIFY(syncingAtRefusal);
        QCOMPARE(m_bed->state.runningSyncCount(), 0);
        QVERIFY(m_bed->state.lastSyncErrored());
    }
    void oldCopyOfAMoveGoesInTheSyncThatPutsItsCopyUp_data()
    {
        QTest::addColumn<bool>("fullSync"); // else the auto-sync the move asked for
        QTest::addColumn<bool>("copyUp");
        QTest::newRow("auto-sync") << false << true;
        QTest::newRow("full sync") << true << true;
        QTest::newRow("auto-sync, copy refused") << false << false;
        QTest::newRow("full sync, copy refused") << true << false;
    }

    // A series moved to another calendar: the old calendar synced first
    // keeps the old copy while the copy is not up. Once the new calendar has
    // put it up, the old one syncs once more in the same sync, and only
    // once; with the copy refused it does not.
    void oldCopyOfAMoveGoesInTheSyncThatPutsItsCopyUp()
    {
        QFETCH(bool, fullSync);
        QFETCH(bool, copyUp);
        const QString old = QStringLiteral("old");
        const QString fresh = QStringLiteral("new");
        m_bed->addAccount(QStringLiteral("g"), QStringLiteral("google"), {old, fresh});
        Event walk = m_bed->addPendingEvent(old, QStringLiteral("walk"));
        walk.provider_event_id = QStringLiteral("walk-on-google");
        walk.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=6");
        walk.sync_status = SyncStatus::Synced;
        QVERIFY(m_bed->state.events()->update(walk));
        EventEditor editor(m_bed->state.events(), m_bed->state.calendars(), m_bed->state.database(), nullptr);
        Event copy = walk;
        copy.calendar_id = fresh;
        QCOMPARE(editor.saveForm(walk, copy, &copy).error, QString());
        // Both calendars queued, as the edits of each queue them.
        m_sync->queueAutoSync(old);
        m_sync->queueAutoSync(fresh);
        QTRY_COMPARE(m_bed->factory.handed().size(), 2);
        QVERIFY(m_bed->factory.handed().contains(fresh));
        if (fullSync) {
            // Offline: the move's auto-sync reached nothing.
            for (const QString &calendarId : {old, fresh})
                m_bed->client(calendarId)->fail(calendarId, QStringLiteral("offline"));
            m_sync->syncAll();
            QCOMPARE(m_bed->factory.handed().size(), 4);
        }
        const qsizetype handed = m_bed->factory.handed().size();
        QSignalSpy ended(m_sync.get(), &SyncOrchestrator::statusMessageEnded);

        m_bed->client(old)->complete(old, 0);
        if (copyUp) {
            copy.provider_event_id = QStringLiteral("walk-copy-on-google");
            copy.sync_status = SyncStatus::Synced;
            QVERIFY(m_bed->state.events()->update(copy));
            m_bed->client(fresh)->complete(fresh, 0);
        } else {
            m_bed->client(fresh)->fail(fresh, QStringLiteral("refused"));
        }
        QCoreApplication::processEvents();
        QCOMPARE(m_bed->factory.handed().mid(handed), copyUp ? QStringList{old} : QStringList());
        QCOMPARE(m_sync->isSyncing(old), copyUp);
        QCOMPARE(ended.size(), int(fullSync && !copyUp));
        if (copyUp)
            m_bed->client(old)->complete(old, 0);
        QCoreApplication::processEvents();
        QCOMPARE(m_bed->factory.handed().size(), handed + (copyUp ? 1 : 0));
        QCOMPARE(ended.size(), int(fullSync));
        QCOMPARE(m_bed->state.events()->getById(walk.id).value_or(Event()).sync_status, SyncStatus::Pending);
    }
};

QTEST_MAIN(TestSyncOrchestrator)
#include "tst_syncorchestrator.moc"
