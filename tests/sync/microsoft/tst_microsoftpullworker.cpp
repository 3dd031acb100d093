// A Microsoft pull written on its worker thread: the rows it leaves, an edit
// saved while it writes, a store it cannot take, a client destroyed mid-pull.
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QDeadlineTimer>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>

#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "sync/core/pullapplyqueue.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/microsoft/microsoftsyncclient.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/teststore.h"

#include <algorithm>
#include <atomic>
#include <functional>

namespace {

const QString CalendarId = QStringLiteral("work");
const QString GraphCalendar = QStringLiteral("AAMkDefault=");

QJsonObject graphTime(const QDateTime &when)
{
    return QJsonObject{{QStringLiteral("dateTime"), when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz0000"))},
                       {QStringLiteral("timeZone"), QStringLiteral("UTC")}};
}

QJsonObject timed(const QString &subject, const QDateTime &start, bool allDay = false)
{
    QJsonObject event{{QStringLiteral("subject"), subject},
                      {QStringLiteral("start"), graphTime(start)},
                      {QStringLiteral("end"), graphTime(start.addSecs(allDay ? 86400 : 3600))}};
    if (allDay)
        event.insert(QStringLiteral("isAllDay"), true);
    else
        event.insert(QStringLiteral("originalStartTimeZone"), QStringLiteral("W. Europe Standard Time"));
    return event;
}

// One account with its default calendar against the fake Graph server.
struct Bed
{
    TestStore store;
    AccountRepository accounts{store.db()};
    CalendarRepository calendars{store.db()};
    EventRepository events{store.db()};
    FakeMicrosoftServer server;
    std::unique_ptr<Microsoft::SyncClient> client;

    bool start()
    {
        if (!store.isOpen() || !server.start())
            return false;
        server.addAccessToken(QStringLiteral("EwB.stored"));
        server.addCalendar(QJsonObject{{QStringLiteral("id"), GraphCalendar},
                                       {QStringLiteral("name"), QStringLiteral("Calendar")},
                                       {QStringLiteral("isDefaultCalendar"), true}});
        Account account;
        account.id = QStringLiteral("ms");
        account.name = account.username = QStringLiteral("ada@example.com");
        account.type = AccountType::Microsoft;
        Calendar work;
        work.id = CalendarId;
        work.name = QStringLiteral("Work");
        work.account_id = account.id;
        work.url = GraphCalendar;
        if (!accounts.insert(account) || !calendars.insert(work))
            return false;
        auto secrets = std::make_shared<QHash<QString, QString>>();
        MemoryTokenStore tokens(secrets);
        Microsoft::Endpoints endpoints;
        endpoints.authority = server.baseUrl();
        endpoints.graphRoot = server.graphRoot();
        endpoints.clientId = server.clientId;
        endpoints.transferTimeoutMs = 5000;
        client = std::make_unique<Microsoft::SyncClient>(
            Sync::Repositories{store.db(), &events, nullptr, &calendars, &accounts}, endpoints);
        client->setTokenStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        return Microsoft::AuthService::saveTokens(
            tokens, account.id,
            Microsoft::StoredTokens{QStringLiteral("EwB.stored"), QStringLiteral("M.stored"),
                                    QDateTime::currentDateTimeUtc().addSecs(3600)});
    }

    QString put(const QJsonObject &event)
    {
        return server.putEvent(GraphCalendar, event).value(QStringLiteral("id")).toString();
    }

    // One run, to its final signal.
    QStringList sync()
    {
        QStringList failures;
        bool done = false;
        QObject context;
        QObject::connect(client.get(), &Sync::CalendarSyncClient::calendarSyncCompleted, &context,
                         [&] { done = true; });
        QObject::connect(client.get(), &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                         [&](const QString &id, const QString &reason) {
                             failures.append(reason);
                             done = !client->isSyncing(id);
                         });
        client->syncCalendar(*calendars.getById(CalendarId));
        if (!QTest::qWaitFor([&] { return done; }, 20000))
            failures.append(QStringLiteral("<no final signal>"));
        return failures;
    }

    Event row(const QString &graphId) const
    {
        return events.getByProviderEventId(CalendarId, graphId).value_or(Event());
    }

    // The calendar's rows without what differs between two runs by design:
    // generated ids, the time of writing and the fake server's clock.
    QList<Event> rows() const
    {
        QList<Event> all = events.getByCalendar(CalendarId);
        for (Event &e : all) {
            e.id.clear();
            e.created = e.last_modified = QDateTime();
            QJsonObject stored = QJsonDocument::fromJson(e.raw_icalendar.toUtf8()).object();
            stored.remove(QStringLiteral("lastModifiedDateTime"));
            e.raw_icalendar = QString::fromUtf8(QJsonDocument(stored).toJson(QJsonDocument::Compact));
            for (Reminder &r : e.reminders)
                r.id.clear(), r.event_id.clear();
            for (Attendee &a : e.attendees)
                a.id.clear(), a.event_id.clear();
        }
        std::sort(all.begin(), all.end(),
                  [](const Event &a, const Event &b) { return a.provider_event_id < b.provider_event_id; });
        return all;
    }
};

// Watches the store's write lock from a connection of its own.
class LockProbe
{
public:
    explicit LockProbe(Database *store)
    {
        m_open = m_db.open(store->path(), QStringLiteral("probe"));
        QSqlQuery(m_db.database()).exec(QStringLiteral("PRAGMA busy_timeout=0"));
    }
    bool isOpen() const { return m_open; }
    bool held()
    {
        QSqlQuery query(m_db.database());
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return true;
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }

private:
    Database m_db;
    bool m_open = false;
};

// Lands `act` on the test's thread while the next pull's worker holds the
// write lock: the worker, once it has the lock, hands `act` over and waits
// before it writes, until the probe has seen the lock held or, with
// `untilCancelled`, until the pull is cancelled.
class WhileWriting
{
public:
    WhileWriting(LockProbe &probe, std::function<void()> act, bool untilCancelled)
    {
        PullApplyQueue::setLockTakenHook([this, &probe, act, untilCancelled](const std::atomic_bool &cancelled) {
            if (m_handedOver.exchange(true))
                return;
            QMetaObject::invokeMethod(
                &m_context,
                [this, &probe, act] {
                    m_lockHeld = probe.held();
                    m_probed = true;
                    act();
                    m_acted = true;
                },
                Qt::QueuedConnection);
            // Bounded, so a test that never acts fails instead of hanging.
            const QDeadlineTimer deadline(60000);
            while (!(untilCancelled ? cancelled.load() : m_probed.load()) && !deadline.hasExpired())
                QThread::msleep(1);
        });
    }
    ~WhileWriting() { PullApplyQueue::setLockTakenHook({}); }

    bool acted() const { return m_acted; }
    // Whether the worker held the write lock as `act` began.
    bool lockHeld() const { return m_lockHeld; }

private:
    QObject m_context;
    std::atomic_bool m_handedOver{false};
    std::atomic_bool m_probed{false};
    bool m_lockHeld = false;
    bool m_acted = false;
};

} // namespace

class TestMicrosoftPullWorker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workerLeavesTheRowsOfAnApplyOnTheCallingThread_data()
    {
        QTest::addColumn<bool>("moveLater");
        QTest::addColumn<bool>("deleteLater");
        QTest::newRow("first pull, then unchanged") << false << false;
        QTest::newRow("an occurrence moved on Graph") << true << false;
        QTest::newRow("events and a series removed on Graph") << false << true;
    }

    void workerLeavesTheRowsOfAnApplyOnTheCallingThread()
    {
        QFETCH(bool, moveLater);
        QFETCH(bool, deleteLater);
        const QDateTime base(QDate::currentDate().addDays(2), QTime(9, 0), Qt::UTC);
        QList<QList<Event>> results;
        for (const bool onWorker : {false, true}) {
            Bed bed;
            QVERIFY(bed.start());
            bed.client->setApplyOnWorker(onWorker);
            QStringList ids;
            for (int i = 0; i < 60; ++i)
                ids << bed.put(timed(QStringLiteral("Plain %1").arg(i), base.addSecs(i * 5400), i % 10 == 9));
            QJsonObject master = timed(QStringLiteral("Weekly"), base);
            const QString weekday = QLocale::c().dayName(base.date().dayOfWeek()).toLower();
            master.insert(QStringLiteral("recurrence"),
                          QJsonObject{{QStringLiteral("pattern"),
                                       QJsonObject{{QStringLiteral("type"), QStringLiteral("weekly")},
                                                   {QStringLiteral("interval"), 1},
                                                   {QStringLiteral("daysOfWeek"), QJsonArray{weekday}}}},
                                      {QStringLiteral("range"),
                                       QJsonObject{{QStringLiteral("type"), QStringLiteral("numbered")},
                                                   {QStringLiteral("numberOfOccurrences"), 10},
                                                   {QStringLiteral("startDate"),
                                                    base.date().toString(Qt::ISODate)}}}});
            const QString masterId = bed.put(master);
            // Graph's delta names a series through its instances.
            QJsonObject occurrence = timed(QStringLiteral("Weekly"), base.addDays(14));
            occurrence.insert(QStringLiteral("type"), QStringLiteral("occurrence"));
            occurrence.insert(QStringLiteral("seriesMasterId"), masterId);
            const QString occurrenceId = bed.put(occurrence);
            QCOMPARE(bed.sync(), QStringList());
            if (moveLater) {
                QJsonObject moved = timed(QStringLiteral("Weekly, moved"), base.addDays(7).addSecs(7200));
                moved.insert(QStringLiteral("type"), QStringLiteral("exception"));
                moved.insert(QStringLiteral("seriesMasterId"), masterId);
                moved.insert(QStringLiteral("originalStart"), base.addDays(7).toString(Qt::ISODate));
                bed.put(moved);
            }
            if (deleteLater) {
                bed.server.removeEvent(ids.at(7));
                bed.server.removeEvent(ids.at(19));
                bed.server.removeEvent(masterId);
                bed.server.removeEvent(occurrenceId);
            }
            QCOMPARE(bed.sync(), QStringList());
            results << bed.rows();
        }
        QCOMPARE(results.at(1), results.at(0));
        QCOMPARE(results.at(0).size(), deleteLater ? 58 : moveLater ? 62 : 61);
    }

    void editSavedWhileThePullIsWrittenSurvives()
    {
        Bed bed;
        QVERIFY(bed.start());
        bed.server.pageSize = 1000;
        const QDateTime base(QDate::currentDate().addDays(2), QTime(9, 0), Qt::UTC);
        const QString first = bed.put(timed(QStringLiteral("First"), base));
        QCOMPARE(bed.sync(), QStringList());
        for (int i = 1; i < 3000; ++i)
            bed.put(timed(QStringLiteral("Plain %1").arg(i), base.addSecs(i * 600)));
        LockProbe probe(bed.store.db());
        QVERIFY(probe.isOpen());
        // Saved while the worker holds the pull's transaction: it waits for
        // that commit and lands on top of it.
        bool edited = false;
        WhileWriting whileWriting(
            probe,
            [&] {
                Event row = bed.row(first);
                row.title = QStringLiteral("Edited here");
                row.sync_status = SyncStatus::Pending;
                edited = bed.events.update(row);
            },
            false);
        const QStringList failures = bed.sync();
        QVERIFY(whileWriting.acted());
        QVERIFY(whileWriting.lockHeld());
        QVERIFY(edited);
        QCOMPARE(failures, QStringList());
        QCOMPARE(bed.events.getByCalendar(CalendarId).size(), 3000);
        QCOMPARE(bed.row(first).title, QStringLiteral("Edited here"));
        QCOMPARE(bed.server.event(first)->value(QStringLiteral("subject")).toString(), QStringLiteral("Edited here"));
    }

    void pullThatCannotTakeTheStoreWritesNothing()
    {
        Bed bed;
        QVERIFY(bed.start());
        const QDateTime base(QDate::currentDate().addDays(2), QTime(9, 0), Qt::UTC);
        for (int i = 0; i < 3; ++i)
            bed.put(timed(QStringLiteral("Plain %1").arg(i), base.addSecs(i * 5400)));
        // Another writer holds the store for longer than the worker waits.
        auto held = std::make_unique<StoreTransaction>(bed.store.db(), QStringLiteral("held"));
        QVERIFY(bed.store.exec(QStringLiteral("UPDATE calendars SET name = 'Held' WHERE id = 'work'")));
        const QStringList failures = bed.sync();
        held.reset();
        QCOMPARE(failures, QStringList{"3 event(s) failed to save locally; will retry next sync."});
        QCOMPARE(bed.events.getByCalendar(CalendarId), QList<Event>());
        QCOMPARE(bed.calendars.getById(CalendarId)->delta_sync_token, QString());
    }

    void destroyingTheClientMidPullLeavesTheStoreAsItWas()
    {
        Bed bed;
        QVERIFY(bed.start());
        bed.server.pageSize = 1000;
        const QDateTime base(QDate::currentDate().addDays(2), QTime(9, 0), Qt::UTC);
        bed.put(timed(QStringLiteral("First"), base));
        QCOMPARE(bed.sync(), QStringList());
        const QList<Event> before = bed.rows();
        for (int i = 1; i < 3000; ++i)
            bed.put(timed(QStringLiteral("Plain %1").arg(i), base.addSecs(i * 600)));
        LockProbe probe(bed.store.db());
        QVERIFY(probe.isOpen());
        // Quitting: the client goes while the worker writes.
        WhileWriting whileWriting(probe, [&] { bed.client.reset(); }, true);
        bed.client->syncCalendar(*bed.calendars.getById(CalendarId));
        QTRY_VERIFY_WITH_TIMEOUT(whileWriting.acted(), 20000);
        QVERIFY(whileWriting.lockHeld());
        QCOMPARE(bed.rows(), before);
        QVERIFY(!probe.held());
    }
};

QTEST_MAIN(TestMicrosoftPullWorker)
#include "tst_microsoftpullworker.moc"
