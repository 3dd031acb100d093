// Where a change another device made meanwhile lands in a series this
// device split ("This and following") since it last synced it, through a
// whole sync against a calendar served in this process: what the store
// holds afterwards and what the server holds once the push went up.
#include "tests/sync/caldavsyncharness.h"

#include "app/edits/eventeditor.h"
#include "app/edits/recurringeditscope.h"
#include "calendar/recurrence.h"

namespace {

const QByteArray kHead = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\n";
const QByteArray kTail = "END:VCALENDAR\r\n";
const QDate kFirstMonday(2026, 3, 2);

QByteArray utcText(const QDateTime &at)
{
    return at.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
}

// The walk as another client writes it: six weeks from Monday 2 March 2026
// at `hour`:00 UTC for an hour, `days` later (by its rule's weekday where
// `byDay`), titled `title` with `lines` after it; its fifth day skipped
// and its sixth retitled "Walk, last", at 09:00 on 6 April as it was.
QByteArray walkText(int days, int hour, bool byDay, const QByteArray &title = "Walk",
                    const QByteArray &lines = QByteArray())
{
    const auto at = [&](int week, int h) { return utcText(QDateTime(kFirstMonday.addDays(7 * week + days), QTime(h, 0), Qt::UTC)); };
    const QByteArray rule = byDay ? "FREQ=WEEKLY;BYDAY=" + QByteArray(days == 1 ? "TU" : "MO") + ";COUNT=6"
                                  : QByteArray("FREQ=WEEKLY;COUNT=6");
    return kHead + "BEGIN:VEVENT\r\nUID:walk\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:" + at(0, hour) + "\r\nDTEND:"
        + at(0, hour + 1) + "\r\nRRULE:" + rule + "\r\nEXDATE:" + at(4, hour) + "\r\nSUMMARY:" + title + "\r\n"
        + lines + "END:VEVENT\r\nBEGIN:VEVENT\r\nUID:walk\r\nDTSTAMP:20260101T000000Z\r\nRECURRENCE-ID:"
        + at(5, hour) + "\r\nDTSTART:20260406T090000Z\r\nDTEND:20260406T100000Z\r\nSUMMARY:Walk, last\r\n"
        + "END:VEVENT\r\n" + kTail;
}

// What these rows show in March and April 2026: each occurrence's start in
// UTC, its title and its place.
QStringList shownIn(const QList<Event> &rows)
{
    const QDateTime from(QDate(2026, 2, 25), QTime(0, 0), Qt::UTC);
    QStringList shown;
    for (const Occurrence &occurrence : Recurrence::occurrences(rows, from, from.addDays(60))) {
        const Event &row = rows.at(occurrence.eventIndex);
        shown.append(occurrence.start.toUTC().toString(QStringLiteral("MM-dd HH:mm ")) + row.title
                     + (row.location.isEmpty() ? QString() : QStringLiteral(" @") + row.location));
    }
    shown.sort();
    return shown;
}

QList<Event> heldBy(const FakeCalDavCalendar &server)
{
    QList<Event> held;
    for (const FakeCalDavCalendar::Item &item : server.items)
        held += IcsCodec::parseEvents(QString::fromUtf8(item.data));
    return held;
}

Event seriesOf(CalDavSyncHarness &h, const QString &uid)
{
    return h.events.getByUidAndRecurrenceId(uid, h.calendar.id, QString()).value_or(Event());
}

// The new series the split made (the one live series besides the walk).
Event newSeriesOf(CalDavSyncHarness &h)
{
    for (const Event &row : h.rows()) {
        if (row.uid != QLatin1String("walk") && Recurrence::isSeries(row))
            return row;
    }
    return Event();
}

// A series of `rule` from `first` for half an hour, as another client
// writes it, `lines` after its title and `occurrences` after it.
QByteArray longSeriesText(const QDateTime &first, const QByteArray &rule, const QByteArray &lines = QByteArray(),
                          const QByteArray &occurrences = QByteArray())
{
    return kHead + "BEGIN:VEVENT\r\nUID:walk\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:" + utcText(first)
        + "\r\nDTEND:" + utcText(first.addSecs(1800)) + "\r\nRRULE:" + rule + "\r\nSUMMARY:Walk\r\n" + lines
        + "END:VEVENT\r\n" + occurrences + kTail;
}

} // namespace

class TestCalDavMovedSeries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The series here step in UTC, whatever the computer's zone: UTC and
        // a zone far ahead of it are enough.
        const QByteArray zone = qgetenv("TZ");
        if (!zone.isEmpty() && zone != "UTC" && zone != "Asia/Tokyo")
            QSKIP("The series step in UTC: this runs in UTC and Asia/Tokyo only.");
    }

    // A weekly walk (09:00 UTC from 2 March, six weeks), synced; before
    // this device pulls again, another device retitles its fourth day (23
    // March) or skips its fifth (30 March), naming each by its start there,
    // while here the walk is dragged "All events" two hours or a day, or
    // split "This and following" on 16 March an hour later (the split
    // recorded, or not: the previous version kept no record). The change
    // lands where its occurrence stands here now: in the walk moved alike,
    // or in the split's new series; without a record of the split it stays
    // with the walk. A changed day keeps its own time. Here and on the
    // server alike.
    void changeElsewhereLandsWhereItsOccurrenceStandsNow_data()
    {
        QTest::addColumn<QString>("here"); // "", "two hours", "a day", "split", "split unrecorded"
        QTest::addColumn<bool>("skipped"); // else the fourth day retitled
        QTest::addColumn<QStringList>("shown");
        const auto walks = [](const QStringList &days, const QString &time) {
            QStringList out;
            for (const QString &day : days)
                out.append(day + QLatin1Char(' ') + time + QStringLiteral(" Walk"));
            return out;
        };
        const QString renamed("03-23 09:00 Walk, renamed there");
        QTest::newRow("retitled, nothing here") << "" << false
                                                << walks({"03-02", "03-09", "03-16", "03-30", "04-06"}, "09:00")
                + QStringList{renamed};
        QTest::newRow("retitled, two hours here") << "two hours" << false
                                                  << walks({"03-02", "03-09", "03-16", "03-30", "04-06"}, "11:00")
                + QStringList{renamed};
        QTest::newRow("retitled, a day here") << "a day" << false
                                              << walks({"03-03", "03-10", "03-17", "03-31", "04-07"}, "09:00")
                + QStringList{renamed};
        QTest::newRow("retitled, split here") << "split" << false
                                              << walks({"03-02", "03-09"}, "09:00")
                + walks({"03-16", "03-30", "04-06"}, "10:00") + QStringList{renamed};
        QTest::newRow("retitled, split unrecorded") << "split unrecorded" << false
                                                    << walks({"03-02", "03-09"}, "09:00")
                + walks({"03-16", "03-23", "03-30", "04-06"}, "10:00") + QStringList{renamed};
        QTest::newRow("skipped, nothing here") << "" << true
                                               << walks({"03-02", "03-09", "03-16", "03-23", "04-06"}, "09:00");
        QTest::newRow("skipped, two hours here") << "two hours" << true
                                                 << walks({"03-02", "03-09", "03-16", "03-23", "04-06"}, "11:00");
        QTest::newRow("skipped, a day here") << "a day" << true
                                             << walks({"03-03", "03-10", "03-17", "03-24", "04-07"}, "09:00");
        QTest::newRow("skipped, split here") << "split" << true
                                             << walks({"03-02", "03-09"}, "09:00")
                + walks({"03-16", "03-23", "04-06"}, "10:00");
        QTest::newRow("skipped, split unrecorded") << "split unrecorded" << true
                                                   << walks({"03-02", "03-09"}, "09:00")
                + walks({"03-16", "03-23", "03-30", "04-06"}, "10:00");
    }

    void changeElsewhereLandsWhereItsOccurrenceStandsNow()
    {
        QFETCH(QString, here);
        QFETCH(bool, skipped);
        QFETCH(QStringList, shown);
        shown.sort();
        const QDateTime first(kFirstMonday, QTime(9, 0), Qt::UTC);
        const QByteArray rule("FREQ=WEEKLY;COUNT=6");
        CalDavSyncHarness h;
        h.fake->putItem("walk.ics", longSeriesText(first, rule));
        QVERIFY(h.sync().completed);
        const Event walk = seriesOf(h, QStringLiteral("walk"));
        EventEditor editor(&h.events, &h.calendars, h.store.db(), nullptr);
        const QDateTime second = first.addDays(7);
        const QDateTime third = first.addDays(14);
        if (here == QLatin1String("two hours") || here == QLatin1String("a day"))
            QVERIFY(editor.changeTimes(walk, second, *EventEditor::moved(walk, second, here == "a day" ? 1 : 0,
                                                                         here == "two hours" ? 120 : 0),
                                       EventEditor::TimeEdit::Move, SeriesScope::AllEvents)
                        .ok);
        if (here.startsWith(QLatin1String("split"))) {
            QVERIFY(editor.changeTimes(walk, third, *EventEditor::moved(walk, third, 0, 60),
                                       EventEditor::TimeEdit::Move, SeriesScope::ThisAndFollowing)
                        .ok);
            if (here == QLatin1String("split unrecorded"))
                QVERIFY(h.store.exec(QStringLiteral("DELETE FROM event_splits")));
        }
        const QDateTime fourth = first.addDays(21);
        h.fake->putItem("walk.ics",
                        skipped ? longSeriesText(first, rule, "EXDATE:" + utcText(first.addDays(28)) + "\r\n")
                                : longSeriesText(first, rule, QByteArray(),
                                                 "BEGIN:VEVENT\r\nUID:walk\r\nDTSTAMP:20260101T000000Z\r\n"
                                                 "RECURRENCE-ID:" + utcText(fourth) + "\r\nDTSTART:" + utcText(fourth)
                                                     + "\r\nDTEND:" + utcText(fourth.addSecs(1800))
                                                     + "\r\nSUMMARY:Walk\\, renamed there\r\nEND:VEVENT\r\n"));

        const CalDavOutcome synced = h.sync();
        QVERIFY2(synced.completed, qPrintable(synced.failures.join(QLatin1Char('\n'))));
        QCOMPARE(shownIn(h.rows()), shown);
        QCOMPARE(shownIn(heldBy(*h.fake)), shown);
        QCOMPARE(h.events.getPending(h.calendar.id).size(), 0);
    }

    // The walk, synced, is split here on its fourth day (23 March) "This
    // and following": an hour later, or at its time as "Gym". Before this
    // device syncs, another device renames the walk, gives it a place, or
    // moves it two hours (or a day, its rule naming the weekday), moving
    // its skipped and changed days with it. What it changed on the walk
    // reaches the series the split made too, where the split kept what the
    // walk had: the new series' title, place, and time, moved as the other
    // device moved the walk with its skipped and changed days. What the
    // split changed stays as this device made it. Here and on the server
    // alike, and the sync after finds nothing to send.
    void seriesChangeElsewhereReachesTheSplitsNewSeries_data()
    {
        QTest::addColumn<int>("splitMinutes");
        QTest::addColumn<QString>("splitTitle"); // empty: kept
        QTest::addColumn<bool>("byDay");
        QTest::addColumn<QByteArray>("there");
        QTest::addColumn<QStringList>("shown");
        const QStringList last{"04-06 09:00 Walk, last"};
        QTest::newRow("renamed there") << 60 << "" << false << walkText(0, 9, false, "Walk renamed")
                                       << QStringList{"03-02 09:00 Walk renamed", "03-09 09:00 Walk renamed",
                                                      "03-16 09:00 Walk renamed", "03-23 10:00 Walk renamed"}
                + last;
        QTest::newRow("renamed there and here") << 0 << "Gym" << false << walkText(0, 9, false, "Walk renamed")
                                                << QStringList{"03-02 09:00 Walk renamed", "03-09 09:00 Walk renamed",
                                                               "03-16 09:00 Walk renamed", "03-23 09:00 Gym"}
                + last;
        QTest::newRow("placed there") << 0 << "Gym" << false << walkText(0, 9, false, "Walk", "LOCATION:Room 4\r\n")
                                      << QStringList{"03-02 09:00 Walk @Room 4", "03-09 09:00 Walk @Room 4",
                                                     "03-16 09:00 Walk @Room 4", "03-23 09:00 Gym @Room 4"}
                + last;
        QTest::newRow("moved there") << 0 << "Gym" << false << walkText(0, 11, false)
                                     << QStringList{"03-02 11:00 Walk", "03-09 11:00 Walk", "03-16 11:00 Walk",
                                                    "03-23 11:00 Gym"}
                + last;
        QTest::newRow("moved there a day, by weekday") << 0 << "Gym" << true << walkText(1, 9, true)
                                                       << QStringList{"03-03 09:00 Walk", "03-10 09:00 Walk",
                                                                      "03-17 09:00 Walk", "03-24 09:00 Gym"}
                + last;
        QTest::newRow("moved there, moved here too") << 60 << "" << false << walkText(0, 11, false)
                                                     << QStringList{"03-02 11:00 Walk", "03-09 11:00 Walk",
                                                                    "03-16 11:00 Walk", "03-23 10:00 Walk"}
                + last;
    }

    void seriesChangeElsewhereReachesTheSplitsNewSeries()
    {
        QFETCH(int, splitMinutes);
        QFETCH(QString, splitTitle);
        QFETCH(bool, byDay);
        QFETCH(QByteArray, there);
        QFETCH(QStringList, shown);
        CalDavSyncHarness h;
        h.fake->putItem("walk.ics", walkText(0, 9, byDay));
        QVERIFY(h.sync().completed);
        const Event walk = seriesOf(h, QStringLiteral("walk"));
        const QDateTime fourth(kFirstMonday.addDays(21), QTime(9, 0), Qt::UTC);
        Event edited = walk;
        edited.title = splitTitle.isEmpty() ? walk.title : splitTitle;
        edited.start_time = fourth.addSecs(qint64(splitMinutes) * 60);
        edited.end_time = edited.start_time.addSecs(3600);
        EventEditor editor(&h.events, &h.calendars, h.store.db(), nullptr);
        QVERIFY(editor.saveOccurrence(walk, fourth, edited, SeriesScope::ThisAndFollowing).ok);
        h.fake->putItem("walk.ics", there);

        const CalDavOutcome synced = h.sync();
        QVERIFY2(synced.completed, qPrintable(synced.failures.join(QLatin1Char('\n'))));
        QCOMPARE(shownIn(h.rows()), shown);
        QCOMPARE(shownIn(heldBy(*h.fake)), shown);
        QCOMPARE(h.events.getPending(h.calendar.id).size(), 0);
        QVERIFY(h.sync().completed);
        QCOMPARE(shownIn(h.rows()), shown);
        QCOMPARE(shownIn(heldBy(*h.fake)), shown);
    }

    // A series every hour from 2 March 2026 (or every day from 3 January
    // 2000, with a COUNT or without an end) split here at its 9,991st
    // occurrence, half an hour later. Another device then skips one
    // occurrence, or retitles it, just before or after the 10,000th: the
    // new series skips it, or holds the change, where it stands there, and
    // the series it ended holds neither; on the server too.
    void changeElsewhereFarOnReachesTheSplitsNewSeries_data()
    {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<int>("stepHours");
        QTest::addColumn<int>("changed"); // from 0
        QTest::addColumn<bool>("skipped"); // else retitled
        const QByteArray hourly("FREQ=HOURLY");
        const QByteArray daily("FREQ=DAILY");
        const QByteArray counted("FREQ=DAILY;COUNT=12000");
        for (int changed : {9998, 10000}) {
            QTest::addRow("hourly, occurrence %d skipped", changed + 1) << hourly << 1 << changed << true;
            QTest::addRow("hourly, occurrence %d retitled", changed + 1) << hourly << 1 << changed << false;
            QTest::addRow("daily, occurrence %d skipped", changed + 1) << daily << 24 << changed << true;
            QTest::addRow("daily, counted, occurrence %d retitled", changed + 1) << counted << 24 << changed
                                                                                 << false;
        }
    }

    void changeElsewhereFarOnReachesTheSplitsNewSeries()
    {
        QFETCH(QByteArray, rule);
        QFETCH(int, stepHours);
        QFETCH(int, changed);
        QFETCH(bool, skipped);
        const QDateTime first = stepHours == 1 ? QDateTime(kFirstMonday, QTime(9, 0), Qt::UTC)
                                               : QDateTime(QDate(2000, 1, 3), QTime(9, 0), Qt::UTC);
        const auto nth = [&](int n) { return first.addSecs(qint64(n) * stepHours * 3600); };
        CalDavSyncHarness h;
        h.fake->putItem("walk.ics", longSeriesText(first, rule));
        QVERIFY(h.sync().completed);
        const Event walk = seriesOf(h, QStringLiteral("walk"));
        const QDateTime split = nth(9990);
        EventEditor editor(&h.events, &h.calendars, h.store.db(), nullptr);
        QVERIFY(editor.changeTimes(walk, split, *EventEditor::moved(walk, split, 0, 30), EventEditor::TimeEdit::Move,
                                   SeriesScope::ThisAndFollowing)
                    .ok);
        const QByteArray day = utcText(nth(changed));
        h.fake->putItem("walk.ics",
                        skipped ? longSeriesText(first, rule, "EXDATE:" + day + "\r\n")
                                : longSeriesText(first, rule, QByteArray(),
                                                 "BEGIN:VEVENT\r\nUID:walk\r\nDTSTAMP:20260101T000000Z\r\n"
                                                 "RECURRENCE-ID:" + day + "\r\nDTSTART:" + day + "\r\nDTEND:"
                                                     + utcText(nth(changed).addSecs(1800))
                                                     + "\r\nSUMMARY:Walk, retitled there\r\nEND:VEVENT\r\n"));

        const CalDavOutcome synced = h.sync();
        QVERIFY2(synced.completed, qPrintable(synced.failures.join(QLatin1Char('\n'))));
        const Event started = newSeriesOf(h);
        const QString place = Recurrence::recurrenceIdOf(started, nth(changed).addSecs(1800));
        QCOMPARE(started.exception_dates, skipped ? QStringLiteral("[\"%1\"]").arg(place) : QString());
        QStringList changes;
        for (const Event &row : h.rows()) {
            if (!row.recurrence_id.isEmpty())
                changes.append(row.master_event_uid + QLatin1Char(' ') + row.recurrence_id + QLatin1Char(' ')
                               + row.title);
        }
        QCOMPARE(changes, skipped ? QStringList() : QStringList{started.uid + QLatin1Char(' ') + place
                                                                + QStringLiteral(" Walk, retitled there")});
        const Event ended = seriesOf(h, QStringLiteral("walk"));
        QCOMPARE(ended.exception_dates, QString());
        // The server holds the walk as it ended and the new series with the
        // change, nothing of it left with the walk.
        QCOMPARE(h.events.getPending(h.calendar.id).size(), 0);
        const QString held = QString::fromUtf8(h.serverText("walk.ics"));
        QVERIFY2(!held.contains(QString::fromLatin1(day)), qPrintable(held));
        QStringList heldChanges;
        for (const Event &row : heldBy(*h.fake)) {
            if (!row.recurrence_id.isEmpty() || !row.exception_dates.isEmpty())
                heldChanges.append(row.uid + QLatin1Char(' ') + row.recurrence_id + row.exception_dates);
        }
        QCOMPARE(heldChanges, QStringList{started.uid + QLatin1Char(' ')
                                          + (skipped ? QStringLiteral("[\"%1\"]").arg(place) : place)});
    }
};

QTEST_GUILESS_MAIN(TestCalDavMovedSeries)
#include "tst_caldavmovedseries.moc"
