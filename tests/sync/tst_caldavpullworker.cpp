// A pull parsed and written on its worker thread: the rows it leaves, an edit
// saved while it writes, and a client destroyed in the middle of it.
#include "caldavsyncharness.h"

#include "store/storetransaction.h"

#include <QTest>

namespace {

QByteArray wrap(const QByteArray &components)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + components + "END:VCALENDAR\r\n";
}

QByteArray plain(int i, const QByteArray &start = "DTSTART:20260310T090000Z")
{
    return wrap("BEGIN:VEVENT\r\nUID:plain-" + QByteArray::number(i) + "\r\nDTSTAMP:20260101T000000Z\r\n" + start
                + "\r\nSUMMARY:Plain " + QByteArray::number(i) + "\r\nEND:VEVENT\r\n");
}

QByteArray zoned()
{
    return wrap("BEGIN:VEVENT\r\nUID:zoned\r\nDTSTAMP:20260101T000000Z\r\n"
                "DTSTART;TZID=Europe/Berlin:20260329T013000\r\n"
                "DTEND;TZID=America/New_York:20260329T120000\r\nSUMMARY:Zoned\r\nLOCATION:Berlin\r\n"
                "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
                "BEGIN:VEVENT\r\nUID:allday\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20261025\r\n"
                "DTEND;VALUE=DATE:20261027\r\nSUMMARY:All day\r\nATTENDEE;CN=Ann:mailto:ann@example.org\r\n"
                "END:VEVENT\r\n");
}

QByteArray series(bool withMove)
{
    QByteArray text = "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\n"
                      "DTSTART;TZID=Asia/Tokyo:20260302T090000\r\nDTEND;TZID=Asia/Tokyo:20260302T100000\r\n"
                      "RRULE:FREQ=WEEKLY;COUNT=10\r\nEXDATE;TZID=Asia/Tokyo:20260316T090000\r\n"
                      "SUMMARY:Series\r\nEND:VEVENT\r\n";
    if (withMove)
        text += "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\n"
                "RECURRENCE-ID;TZID=Asia/Tokyo:20260309T090000\r\nDTSTART;TZID=Asia/Tokyo:20260310T140000\r\n"
                "DTEND;TZID=Asia/Tokyo:20260310T150000\r\nSUMMARY:Series moved\r\nEND:VEVENT\r\n";
    return wrap(text);
}

// Everything of a row the pull decides, one line each, in a fixed order.
QStringList dump(CalDavSyncHarness &h)
{
    QStringList lines;
    for (const Event &e : h.rows()) {
        QStringList reminders;
        for (const Reminder &r : e.reminders)
            reminders << QStringLiteral("%1/%2").arg(r.minutes_before).arg(r.action);
        QStringList attendees;
        for (const Attendee &a : e.attendees)
            attendees << a.email + QLatin1Char('/') + a.name;
        lines << QStringList{e.uid, e.recurrence_id, e.title, e.start_time.toUTC().toString(Qt::ISODate),
                             e.end_time ? e.end_time->toUTC().toString(Qt::ISODate) : QString(),
                             QString::number(e.is_all_day), e.timezone, e.recurrence_rule,
                             e.exception_dates, e.location, e.href, e.etag, toText(e.sync_status),
                             reminders.join(QLatin1Char(',')), attendees.join(QLatin1Char(',')),
                             e.raw_icalendar}
                     .join(QLatin1Char('|'));
    }
    lines.sort();
    return lines;
}

} // namespace

class TestCalDavPullWorker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workerLeavesTheRowsOfAnApplyOnTheCallingThread_data()
    {
        QTest::addColumn<bool>("moveLater");
        QTest::addColumn<bool>("deleteLater");
        QTest::newRow("first pull, then unchanged") << false << false;
        QTest::newRow("an occurrence moved on the server") << true << false;
        QTest::newRow("items deleted on the server") << false << true;
    }

    void workerLeavesTheRowsOfAnApplyOnTheCallingThread()
    {
        QFETCH(bool, moveLater);
        QFETCH(bool, deleteLater);
        QList<QStringList> results;
        for (const bool onWorker : {false, true}) {
            CalDavSyncHarness h;
            h.client->setApplyOnWorker(onWorker);
            for (int i = 0; i < 60; ++i)
                h.fake->putItem("plain-" + QByteArray::number(i) + ".ics", plain(i));
            h.fake->putItem("zoned.ics", zoned());
            h.fake->putItem("series.ics", series(false));
            CalDavOutcome first = h.sync();
            QVERIFY2(first.completed, qPrintable(first.failures.join(QLatin1Char('\n'))));
            if (moveLater)
                h.fake->putItem("series.ics", series(true));
            if (deleteLater) {
                h.fake->items.remove(h.fake->path() + "zoned.ics");
                h.fake->items.remove(h.fake->path() + "plain-7.ics");
                h.fake->ctag = "ctag-2";
            }
            CalDavOutcome second = h.sync();
            QVERIFY2(second.completed, qPrintable(second.failures.join(QLatin1Char('\n'))));
            results << dump(h);
        }
        QCOMPARE(results.at(1), results.at(0));
        // 60 plain, two zoned, the series and its moved occurrence; the
        // deleted resource took two of them and a plain one.
        QCOMPARE(results.at(0).size(), deleteLater ? 60 : moveLater ? 64 : 63);
    }

    void editSavedWhileThePullIsWrittenSurvives_data()
    {
        QTest::addColumn<bool>("serverChangedIt");
        QTest::newRow("the server kept the row") << false;
        QTest::newRow("the server changed the row too") << true;
    }

    void editSavedWhileThePullIsWrittenSurvives()
    {
        QFETCH(bool, serverChangedIt);
        CalDavSyncHarness h;
        h.fake->putItem("plain-0.ics", plain(0));
        QVERIFY(h.sync().completed);
        for (int i = 1; i < 1500; ++i)
            h.fake->putItem("plain-" + QByteArray::number(i) + ".ics", plain(i));
        if (serverChangedIt)
            h.fake->putItem("plain-0.ics", plain(0, "DTSTART:20260311T090000Z"));
        h.fake->ctag = "ctag-2";
        // The edit is saved while the worker holds the pull's transaction:
        // it waits for that commit and lands on top of it.
        const QString tagBefore = h.byUid(QStringLiteral("plain-0"))->etag;
        bool edited = false;
        bool editedTheOldCopy = false;
        QObject::connect(h.client.get(), &CalDavSyncClient::calendarSyncProgress, h.client.get(), [&] {
            if (edited)
                return;
            std::optional<Event> row = h.byUid(QStringLiteral("plain-0"));
            QVERIFY(row);
            // On a busy machine the pull may have committed before this
            // turn; the edit then starts from the server's new copy.
            editedTheOldCopy = row->etag == tagBefore;
            row->title = QStringLiteral("Edited here");
            row->sync_status = SyncStatus::Pending;
            edited = h.events.update(*row);
        });
        const CalDavOutcome outcome = h.sync();
        QVERIFY(edited);
        QCOMPARE(h.eventRows(), 1500);
        const std::optional<Event> row = h.byUid(QStringLiteral("plain-0"));
        QVERIFY(row);
        QCOMPARE(row->title, QStringLiteral("Edited here"));
        if (serverChangedIt && editedTheOldCopy) {
            // Sent against the tag it was read with: refused, and kept for
            // the next run to merge.
            QCOMPARE(row->sync_status, SyncStatus::Pending);
        } else {
            QVERIFY2(outcome.completed, qPrintable(outcome.failures.join(QLatin1Char('\n'))));
            QVERIFY(h.serverText("plain-0.ics").contains("SUMMARY:Edited here"));
        }
    }

    void destroyingTheClientMidPullLeavesTheStoreAsItWas()
    {
        CalDavSyncHarness h;
        h.fake->putItem("plain-0.ics", plain(0));
        QVERIFY(h.sync().completed);
        const QStringList before = dump(h);
        for (int i = 1; i < 3000; ++i)
            h.fake->putItem("plain-" + QByteArray::number(i) + ".ics", plain(i));
        h.fake->ctag = "ctag-2";
        QSignalSpy failed(h.client.get(), &CalDavSyncClient::calendarSyncFailed);
        QSignalSpy completed(h.client.get(), &CalDavSyncClient::calendarSyncCompleted);
        bool destroyed = false;
        QObject::connect(h.client.get(), &CalDavSyncClient::calendarSyncProgress, h.client.get(), [&] {
            if (destroyed)
                return;
            destroyed = true;
            // Quitting: the client goes with its run while the worker writes.
            h.client.release()->deleteLater();
        });
        h.client->syncCalendar(*h.calendars.getById(h.calendar.id), QString(), QStringLiteral("u"),
                               QStringLiteral("p"), QString());
        QTRY_VERIFY_WITH_TIMEOUT(destroyed, 20000);
        QTRY_COMPARE(h.eventRows(), 1);
        QCOMPARE(dump(h), before);
        QVERIFY(failed.isEmpty() && completed.isEmpty());
    }

    void pullThatCannotTakeTheStoreWritesNothing()
    {
        CalDavSyncHarness h;
        for (int i = 0; i < 3; ++i)
            h.fake->putItem("plain-" + QByteArray::number(i) + ".ics", plain(i));
        // Another writer holds the store for longer than the worker waits.
        auto held = std::make_unique<StoreTransaction>(h.store.db(), QStringLiteral("held"));
        QVERIFY(h.events.insert(h.localEvent(QStringLiteral("held"), QStringLiteral("Held"))));
        const CalDavOutcome outcome = h.sync();
        held.reset();
        QVERIFY(!outcome.completed);
        QCOMPARE(outcome.failures.size(), 1);
        QVERIFY2(outcome.failures.first().startsWith(QStringLiteral("Could not save the pulled events")),
                 qPrintable(outcome.failures.first()));
        QCOMPARE(h.eventRows(), 0);
        QCOMPARE(h.calendars.getById(h.calendar.id)->ctag, QString());
    }
};

QTEST_GUILESS_MAIN(TestCalDavPullWorker)
#include "tst_caldavpullworker.moc"
