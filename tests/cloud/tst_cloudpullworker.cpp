// A cloud pull written on its worker thread: the rows it leaves, an edit
// saved while it writes, a store it cannot take, a page it cannot read, a
// client destroyed mid-pull.
#include <QJsonDocument>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include "cloud/syncclient.h"
#include "store/storetransaction.h"
#include "tests/cloud/cloudsyncbed.h"

#include <algorithm>

namespace {

const QString Server = QStringLiteral("team");

QString wrap(const QString &components)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other Device//EN\r\n") + components
        + QStringLiteral("END:VCALENDAR\r\n");
}

// Three zones in turn, one all-day event in every ten.
QString plain(int i)
{
    static const char *const zones[] = {"Europe/Berlin", "America/New_York", "Asia/Tokyo"};
    const QString head = QStringLiteral("BEGIN:VEVENT\r\nUID:plain-%1\r\nDTSTAMP:20260101T000000Z\r\n").arg(i);
    if (i % 10 == 9)
        return wrap(head + QStringLiteral("DTSTART;VALUE=DATE:20261025\r\nDTEND;VALUE=DATE:20261027\r\n"
                                          "SUMMARY:Day %1\r\nEND:VEVENT\r\n").arg(i));
    const QString zone = QLatin1String(zones[i % 3]);
    return wrap(head + QStringLiteral("DTSTART;TZID=%1:20260329T013000\r\nDTEND;TZID=%1:20260329T120000\r\n"
                                      "SUMMARY:Plain %2\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\n"
                                      "END:VALARM\r\nEND:VEVENT\r\n").arg(zone).arg(i));
}

QString series(bool moved)
{
    QString text = QStringLiteral("BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\n"
                                  "DTSTART;TZID=Asia/Tokyo:20260302T090000\r\nDTEND;TZID=Asia/Tokyo:20260302T100000\r\n"
                                  "RRULE:FREQ=WEEKLY;COUNT=10\r\nSUMMARY:Series\r\nEND:VEVENT\r\n");
    if (moved)
        text += QStringLiteral("BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\n"
                               "RECURRENCE-ID;TZID=Asia/Tokyo:20260309T090000\r\n"
                               "DTSTART;TZID=Asia/Tokyo:20260310T140000\r\nDTEND;TZID=Asia/Tokyo:20260310T150000\r\n"
                               "SUMMARY:Series moved\r\nEND:VEVENT\r\n");
    return wrap(text);
}

// The moved occurrence alone, as the service holds it beside its series.
QString movedOnly()
{
    return wrap(QStringLiteral("BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\n"
                               "RECURRENCE-ID;TZID=Asia/Tokyo:20260309T090000\r\n"
                               "DTSTART;TZID=Asia/Tokyo:20260310T140000\r\nDTEND;TZID=Asia/Tokyo:20260310T150000\r\n"
                               "SUMMARY:Series moved\r\nEND:VEVENT\r\n"));
}

// The calendar's rows without what differs between two runs by design.
QList<Event> rows(CloudSyncBed &bed, const QString &calendarId)
{
    QList<Event> all = bed.events.getByCalendar(calendarId);
    for (Event &e : all) {
        e.id.clear();
        e.created = e.last_modified = QDateTime();
        for (Reminder &r : e.reminders)
            r.id.clear(), r.event_id.clear();
        for (Attendee &a : e.attendees)
            a.id.clear(), a.event_id.clear();
    }
    std::sort(all.begin(), all.end(), [](const Event &a, const Event &b) {
        return std::tie(a.uid, a.recurrence_id) < std::tie(b.uid, b.recurrence_id);
    });
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

class TestCloudPullWorker : public QObject
{
    Q_OBJECT

    // Runs one sync of `calendarId`: "completed", or the failure.
    static QString sync(CloudSyncBed &bed, Tindlebrook::SyncClient &client, const QString &calendarId)
    {
        QString outcome;
        QObject context;
        QObject::connect(&client, &Sync::CalendarSyncClient::calendarSyncCompleted, &context,
                         [&] { outcome = QStringLiteral("completed"); });
        QObject::connect(&client, &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                         [&](const QString &, const QString &reason) { outcome = reason; });
        client.syncCalendar(*bed.calendars.getById(calendarId));
        if (!QTest::qWaitFor([&] { return !outcome.isEmpty(); }, 20000))
            return QStringLiteral("timed out");
        return outcome;
    }

private Q_SLOTS:
    void workerLeavesTheRowsOfAnApplyOnTheCallingThread_data()
    {
        QTest::addColumn<bool>("moveLater");
        QTest::addColumn<bool>("deleteLater");
        QTest::newRow("first pull, then unchanged") << false << false;
        QTest::newRow("an occurrence moved on another device") << true << false;
        QTest::newRow("events deleted on another device") << false << true;
    }

    void workerLeavesTheRowsOfAnApplyOnTheCallingThread()
    {
        QFETCH(bool, moveLater);
        QFETCH(bool, deleteLater);
        QList<QList<Event>> results;
        for (const bool onWorker : {false, true}) {
            CloudSyncBed bed;
            QVERIFY(bed.start());
            const Calendar calendar = bed.addCloudCalendar(Server);
            Tindlebrook::SyncClient client(bed.repositories(), &bed.conflicts, &bed.api);
            client.setApplyOnWorker(onWorker);
            for (int i = 0; i < 60; ++i)
                bed.cloud().putEvent(Server, QStringLiteral("plain-%1").arg(i), plain(i));
            bed.cloud().putEvent(Server, QStringLiteral("series"), series(false));
            QCOMPARE(sync(bed, client, calendar.id), QStringLiteral("completed"));
            if (moveLater)
                bed.cloud().putEvent(Server, QStringLiteral("series"), movedOnly(), QStringLiteral("series-moved"));
            if (deleteLater) {
                bed.cloud().deleteEvent(Server, QStringLiteral("plain-7"));
                bed.cloud().deleteEvent(Server, QStringLiteral("plain-19"));
            }
            QCOMPARE(sync(bed, client, calendar.id), QStringLiteral("completed"));
            results << rows(bed, calendar.id);
        }
        QCOMPARE(results.at(1), results.at(0));
        QCOMPARE(results.at(0).size(), deleteLater ? 59 : moveLater ? 62 : 61);
    }

    void editSavedWhileThePullIsWrittenSurvives()
    {
        CloudSyncBed bed;
        QVERIFY(bed.start());
        const Calendar calendar = bed.addCloudCalendar(Server);
        Tindlebrook::SyncClient client(bed.repositories(), &bed.conflicts, &bed.api);
        bed.cloud().putEvent(Server, QStringLiteral("plain-0"), plain(0));
        QCOMPARE(sync(bed, client, calendar.id), QStringLiteral("completed"));
        for (int i = 1; i < 3000; ++i)
            bed.cloud().putEvent(Server, QStringLiteral("plain-%1").arg(i), plain(i));
        Database probe;
        QVERIFY(probe.open(bed.store.db()->path(), QStringLiteral("probe")));
        QSqlQuery(probe.database()).exec(QStringLiteral("PRAGMA busy_timeout=0"));
        // Saved while the worker holds the pull's transaction: it waits for
        // that commit and lands on top of it.
        bool edited = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            if (edited || !writeLockHeld(&probe))
                return;
            Event row = *bed.events.getByUid(QStringLiteral("plain-0"), calendar.id);
            row.title = QStringLiteral("Edited here");
            row.sync_status = SyncStatus::Pending;
            edited = bed.events.update(row);
        });
        poll.start(0);
        const QString outcome = sync(bed, client, calendar.id);
        poll.stop();
        QVERIFY(edited);
        QCOMPARE(outcome, QStringLiteral("completed"));
        QCOMPARE(bed.events.getByCalendar(calendar.id).size(), 3000);
        QCOMPARE(bed.events.getByUid(QStringLiteral("plain-0"), calendar.id)->title, QStringLiteral("Edited here"));
        QVERIFY(QJsonDocument(bed.cloud().event(Server, QStringLiteral("plain-0"))->body).toJson().contains("Edited here"));
    }

    void pullThatCannotTakeTheStoreWritesNothing()
    {
        CloudSyncBed bed;
        QVERIFY(bed.start());
        const Calendar calendar = bed.addCloudCalendar(Server);
        Tindlebrook::SyncClient client(bed.repositories(), &bed.conflicts, &bed.api);
        for (int i = 0; i < 3; ++i)
            bed.cloud().putEvent(Server, QStringLiteral("plain-%1").arg(i), plain(i));
        // Another writer holds the store for longer than the worker waits.
        auto held = std::make_unique<StoreTransaction>(bed.store.db(), QStringLiteral("held"));
        QVERIFY(bed.store.exec(QStringLiteral("UPDATE calendars SET name = 'Held' WHERE id = '%1'").arg(calendar.id)));
        const QString outcome = sync(bed, client, calendar.id);
        held.reset();
        QCOMPARE(outcome, QStringLiteral("Tindlebrook pull: 3 event(s) could not be stored"));
        QCOMPARE(bed.events.getByCalendar(calendar.id), QList<Event>());
        QCOMPARE(bed.calendars.getById(calendar.id)->delta_sync_token, QString());
    }

    void pageThatCannotBeReadFailsTheRunAndWritesNothing_data()
    {
        QTest::addColumn<bool>("onWorker");
        QTest::newRow("read on the worker") << true;
        QTest::newRow("read on this thread") << false;
    }

    void pageThatCannotBeReadFailsTheRunAndWritesNothing()
    {
        QFETCH(bool, onWorker);
        CloudSyncBed bed;
        QVERIFY(bed.start());
        const Calendar calendar = bed.addCloudCalendar(Server);
        Tindlebrook::SyncClient client(bed.repositories(), &bed.conflicts, &bed.api);
        client.setApplyOnWorker(onWorker);
        bed.cloud().putEvent(Server, QStringLiteral("plain-0"), plain(0));
        QCOMPARE(sync(bed, client, calendar.id), QStringLiteral("completed"));
        const QList<Event> before = rows(bed, calendar.id);
        const Calendar cursorBefore = *bed.calendars.getById(calendar.id);
        bed.cloud().putEvent(Server, QStringLiteral("plain-1"), plain(1));
        bed.cloud().deleteEvent(Server, QStringLiteral("plain-0"));
        bed.server.setFault(QStringLiteral("/calendars/team/events"), FakeCloudServer::Fault::MalformedJson, 1);
        QCOMPARE(sync(bed, client, calendar.id),
                 QStringLiteral("Tindlebrook pull failed: the service's answer could not be read"));
        QCOMPARE(rows(bed, calendar.id), before);
        QCOMPARE(*bed.calendars.getById(calendar.id), cursorBefore);
        // The cursor stayed, so the next run brings both changes.
        QCOMPARE(sync(bed, client, calendar.id), QStringLiteral("completed"));
        const QList<Event> after = rows(bed, calendar.id);
        QCOMPARE(after.size(), 1);
        QCOMPARE(after.first().uid, QStringLiteral("plain-1"));
    }

    void destroyingTheClientMidPullLeavesTheStoreAsItWas()
    {
        CloudSyncBed bed;
        QVERIFY(bed.start());
        const Calendar calendar = bed.addCloudCalendar(Server);
        auto client = std::make_unique<Tindlebrook::SyncClient>(bed.repositories(), &bed.conflicts, &bed.api);
        bed.cloud().putEvent(Server, QStringLiteral("plain-0"), plain(0));
        QCOMPARE(sync(bed, *client, calendar.id), QStringLiteral("completed"));
        const QList<Event> before = rows(bed, calendar.id);
        for (int i = 1; i < 3000; ++i)
            bed.cloud().putEvent(Server, QStringLiteral("plain-%1").arg(i), plain(i));
        Database probe;
        QVERIFY(probe.open(bed.store.db()->path(), QStringLiteral("probe")));
        QSqlQuery(probe.database()).exec(QStringLiteral("PRAGMA busy_timeout=0"));
        bool destroyed = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            if (destroyed || !writeLockHeld(&probe))
                return;
            // Quitting: the client goes while the worker writes.
            client.reset();
            destroyed = true;
        });
        poll.start(0);
        client->syncCalendar(*bed.calendars.getById(calendar.id));
        QTRY_VERIFY_WITH_TIMEOUT(destroyed, 20000);
        poll.stop();
        QCOMPARE(rows(bed, calendar.id), before);
        QVERIFY(!writeLockHeld(&probe));
    }
};

QTEST_GUILESS_MAIN(TestCloudPullWorker)
#include "tst_cloudpullworker.moc"
