// A Google pull written on its worker thread: the rows it leaves, an edit
// saved while it writes, a store it cannot take, a client destroyed mid-pull.
#include "store/storetransaction.h"
#include "sync/google/googlelistedevent.h"
#include "sync/google/googlepullapply.h"
#include "tests/sync/google/googlesyncbed.h"

#include <QSqlQuery>
#include <QTimer>

#include <algorithm>

namespace {

QByteArray timed(int i)
{
    // Three zones in turn, one all-day event in every ten.
    static const char *const zones[] = {"Europe/Berlin", "America/New_York", "Asia/Tokyo"};
    const QByteArray id = "plain" + QByteArray::number(i);
    if (i % 10 == 9)
        return "{\"id\":\"" + id + "\",\"summary\":\"Day " + QByteArray::number(i)
               + "\",\"start\":{\"date\":\"2026-03-10\"},\"end\":{\"date\":\"2026-03-12\"}}";
    const QByteArray zone = zones[i % 3];
    return "{\"id\":\"" + id + "\",\"summary\":\"Plain " + QByteArray::number(i)
           + "\",\"location\":\"Room\",\"start\":{\"dateTime\":\"2026-03-29T01:30:00+01:00\",\"timeZone\":\"" + zone
           + "\"},\"end\":{\"dateTime\":\"2026-03-29T04:00:00+02:00\",\"timeZone\":\"" + zone
           + "\"},\"reminders\":{\"useDefault\":false,\"overrides\":[{\"method\":\"popup\",\"minutes\":15}]},"
             "\"attendees\":[{\"email\":\"ann@example.org\",\"displayName\":\"Ann\"}]}";
}

const char *const kSeries = "{\"id\":\"series\",\"summary\":\"Series\",\"recurrence\":[\"RRULE:FREQ=WEEKLY;COUNT=10\"],"
                            "\"start\":{\"dateTime\":\"2026-03-02T09:00:00+09:00\",\"timeZone\":\"Asia/Tokyo\"},"
                            "\"end\":{\"dateTime\":\"2026-03-02T10:00:00+09:00\",\"timeZone\":\"Asia/Tokyo\"}}";

const char *const kMoved = "{\"id\":\"series_20260309T000000Z\",\"recurringEventId\":\"series\",\"summary\":\"Moved\","
                           "\"originalStartTime\":{\"dateTime\":\"2026-03-09T09:00:00+09:00\",\"timeZone\":\"Asia/Tokyo\"},"
                           "\"start\":{\"dateTime\":\"2026-03-10T14:00:00+09:00\",\"timeZone\":\"Asia/Tokyo\"},"
                           "\"end\":{\"dateTime\":\"2026-03-10T15:00:00+09:00\",\"timeZone\":\"Asia/Tokyo\"}}";

const char *const kCancelledOccurrence =
    "{\"id\":\"series_20260316T000000Z\",\"recurringEventId\":\"series\",\"status\":\"cancelled\","
    "\"originalStartTime\":{\"dateTime\":\"2026-03-16T09:00:00+09:00\",\"timeZone\":\"Asia/Tokyo\"}}";

const char *const kTwiceFirst = "{\"id\":\"twice\",\"etag\":\"e1\",\"summary\":\"First\","
                                "\"start\":{\"date\":\"2026-03-10\"},\"end\":{\"date\":\"2026-03-11\"}}";
const char *const kTwiceChanged = "{\"id\":\"twice\",\"etag\":\"e2\",\"summary\":\"Second\","
                                  "\"start\":{\"date\":\"2026-03-11\"},\"end\":{\"date\":\"2026-03-12\"}}";
const char *const kTwiceCancelled = "{\"id\":\"twice\",\"etag\":\"e2\",\"status\":\"cancelled\"}";

// The calendar's rows without what differs between two runs by design:
// generated ids, the time of writing and the fake server's clock.
QList<Event> rows(const GoogleSyncBed &bed)
{
    QList<Event> all = bed.events->getByCalendar(GoogleSyncBed::CalendarId);
    for (Event &e : all) {
        e.id.clear();
        e.created = e.last_modified = QDateTime();
        QJsonObject stored = QJsonDocument::fromJson(e.raw_icalendar.toUtf8()).object();
        stored.remove(QStringLiteral("updated"));
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

// True while another connection holds the store's write lock.
bool writeLockHeld(Database *probe)
{
    QSqlQuery query(probe->database());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return true;
    query.exec(QStringLiteral("ROLLBACK"));
    return false;
}

} // namespace

class TestGooglePullWorker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workerLeavesTheRowsOfAnApplyOnTheCallingThread_data()
    {
        QTest::addColumn<bool>("moveLater");
        QTest::addColumn<bool>("deleteLater");
        QTest::newRow("first pull, then unchanged") << false << false;
        QTest::newRow("an occurrence moved on Google") << true << false;
        QTest::newRow("events and an occurrence deleted on Google") << false << true;
    }

    void workerLeavesTheRowsOfAnApplyOnTheCallingThread()
    {
        QFETCH(bool, moveLater);
        QFETCH(bool, deleteLater);
        QList<QList<Event>> results;
        for (const bool onWorker : {false, true}) {
            GoogleSyncBed bed;
            QVERIFY(bed.start());
            bed.client->setApplyOnWorker(onWorker);
            for (int i = 0; i < 60; ++i)
                bed.serverEvent(timed(i).constData());
            bed.serverEvent(kSeries);
            QCOMPARE(bed.sync().failures, QStringList());
            if (moveLater)
                bed.serverEvent(kMoved);
            if (deleteLater) {
                bed.server->cancelEvent(GoogleSyncBed::GoogleCalendar, QStringLiteral("plain7"));
                bed.server->cancelEvent(GoogleSyncBed::GoogleCalendar, QStringLiteral("plain19"));
                bed.serverEvent(kCancelledOccurrence);
            }
            QCOMPARE(bed.sync().failures, QStringList());
            results << rows(bed);
        }
        QCOMPARE(results.at(1), results.at(0));
        QCOMPARE(results.at(0).size(), deleteLater ? 59 : moveLater ? 62 : 61);
    }

    // The pull looks its rows up in what it read once and wrote since: an
    // event named twice in one listing is written once, as named last.
    void eventListedTwiceIsWrittenAsListedLast_data()
    {
        QTest::addColumn<QByteArray>("later");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("changed") << QByteArray(kTwiceChanged) << QStringList{"Second"};
        QTest::newRow("cancelled") << QByteArray(kTwiceCancelled) << QStringList();
    }

    void eventListedTwiceIsWrittenAsListedLast()
    {
        QFETCH(QByteArray, later);
        QFETCH(QStringList, titles);
        GoogleSyncBed bed;
        QVERIFY(bed.start());
        const QList<QList<Google::ListedEvent>> pages{
            {Google::listedEventFromJson(QJsonDocument::fromJson(kTwiceFirst).object())},
            {Google::listedEventFromJson(QJsonDocument::fromJson(later).object())}};
        const std::atomic_bool never{false};
        const Sync::Repositories store{bed.store->db(), bed.events.get(), nullptr, bed.calendars.get(),
                                       bed.accounts.get()};
        QCOMPARE(Google::applyEventsPage(store, bed.calendar(), pages, QString(), never).failed, 0);
        QStringList stored;
        for (const Event &event : bed.events->getByCalendar(GoogleSyncBed::CalendarId))
            stored << event.title;
        QCOMPARE(stored, titles);
    }

    void editSavedWhileThePullIsWrittenSurvives()
    {
        GoogleSyncBed bed;
        QVERIFY(bed.start());
        bed.serverEvent(timed(0).constData());
        QCOMPARE(bed.sync().failures, QStringList());
        for (int i = 1; i < 3000; ++i)
            bed.serverEvent(timed(i).constData());
        Database probe;
        QVERIFY(probe.open(bed.store->db()->path(), QStringLiteral("probe")));
        QSqlQuery(probe.database()).exec(QStringLiteral("PRAGMA busy_timeout=0"));
        // The edit is saved while the worker holds the pull's transaction:
        // it waits for that commit and lands on top of it.
        bool edited = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            if (edited || !writeLockHeld(&probe))
                return;
            Event row = bed.localRow(QStringLiteral("plain0"));
            row.title = QStringLiteral("Edited here");
            row.sync_status = SyncStatus::Pending;
            edited = bed.events->update(row);
        });
        poll.start(0);
        const GoogleSyncBed::Outcome outcome = bed.sync();
        poll.stop();
        QVERIFY(edited);
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(bed.events->getByCalendar(GoogleSyncBed::CalendarId).size(), 3000);
        QCOMPARE(bed.localRow(QStringLiteral("plain0")).title, QStringLiteral("Edited here"));
        // Pushed by the same run, once the pull had landed.
        QCOMPARE(bed.serverCopy(QStringLiteral("plain0")).value(QStringLiteral("summary")).toString(),
                 QStringLiteral("Edited here"));
    }

    void pullThatCannotTakeTheStoreWritesNothing()
    {
        GoogleSyncBed bed;
        QVERIFY(bed.start());
        for (int i = 0; i < 3; ++i)
            bed.serverEvent(timed(i).constData());
        // Another writer holds the store for longer than the worker waits.
        auto held = std::make_unique<StoreTransaction>(bed.store->db(), QStringLiteral("held"));
        QVERIFY(bed.store->exec(QStringLiteral("UPDATE calendars SET name = 'Held' WHERE id = 'work'")));
        const GoogleSyncBed::Outcome outcome = bed.sync();
        held.reset();
        QCOMPARE(outcome.failures, QStringList{"3 event(s) failed to save locally; will retry next sync."});
        QCOMPARE(bed.events->getByCalendar(GoogleSyncBed::CalendarId), QList<Event>());
        QCOMPARE(bed.calendar().sync_token, QString());
    }

    // The sync token is written with the rows: it moves on only when every
    // row of the listing was saved, so the next run asks for them again.
    void syncTokenMovesOnlyWhenEveryRowWasSaved()
    {
        GoogleSyncBed bed;
        QVERIFY(bed.start());
        bed.serverEvent(timed(0).constData());
        QCOMPARE(bed.sync().failures, QStringList());
        const QString first = bed.calendar().sync_token;
        QVERIFY(!first.isEmpty());
        for (int i = 1; i < 4; ++i)
            bed.serverEvent(timed(i).constData());
        QVERIFY(bed.store->exec(QStringLiteral("CREATE TRIGGER refuse_plain2 BEFORE INSERT ON events "
                                               "WHEN NEW.title = 'Plain 2' BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        QCOMPARE(bed.sync().failures, QStringList{"1 event(s) failed to save locally; will retry next sync."});
        QCOMPARE(bed.calendar().sync_token, first);
        QVERIFY(bed.store->exec(QStringLiteral("DROP TRIGGER refuse_plain2")));
        QCOMPARE(bed.sync().failures, QStringList());
        QVERIFY(bed.calendar().sync_token != first);
        QCOMPARE(bed.events->getByCalendar(GoogleSyncBed::CalendarId).size(), 4);
    }

    void destroyingTheClientMidPullLeavesTheStoreAsItWas()
    {
        GoogleSyncBed bed;
        QVERIFY(bed.start());
        bed.serverEvent(timed(0).constData());
        QCOMPARE(bed.sync().failures, QStringList());
        const QList<Event> before = rows(bed);
        for (int i = 1; i < 3000; ++i)
            bed.serverEvent(timed(i).constData());
        Database probe;
        QVERIFY(probe.open(bed.store->db()->path(), QStringLiteral("probe")));
        QSqlQuery(probe.database()).exec(QStringLiteral("PRAGMA busy_timeout=0"));
        bool destroyed = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            if (destroyed || !writeLockHeld(&probe))
                return;
            // Quitting: the client goes while the worker writes.
            bed.client.reset();
            destroyed = true;
        });
        poll.start(0);
        bed.client->syncCalendar(bed.calendar());
        QTRY_VERIFY_WITH_TIMEOUT(destroyed, 20000);
        poll.stop();
        QCOMPARE(rows(bed), before);
        QVERIFY(!writeLockHeld(&probe));
    }
};

QTEST_MAIN(TestGooglePullWorker)
#include "tst_googlepullworker.moc"
