#include "store/strayoccurrences.h"

#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "tests/support/teststore.h"

#include <QTest>

namespace {

const QString kDay = QStringLiteral("20260309T080000Z");
const QString kNote = QStringLiteral("Walk much later");

// The account "acc" with its calendars "work" (the walk's), "home" and
// "archive", and another account "other" with "elsewhere": all on a server,
// each syncing.
bool seedAccounts(Database *db)
{
    AccountRepository accounts(db);
    CalendarRepository calendars(db);
    for (const QString &accountId : {QStringLiteral("acc"), QStringLiteral("other")}) {
        Account account;
        account.id = account.name = accountId;
        account.type = AccountType::CalDav;
        account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
        if (!accounts.insert(account))
            return false;
    }
    const QList<std::pair<QString, QString>> places{{"work", "acc"}, {"home", "acc"}, {"archive", "acc"},
                                                    {"elsewhere", "other"}};
    for (const auto &[id, accountId] : places) {
        Calendar calendar;
        calendar.id = calendar.name = id;
        calendar.account_id = accountId;
        calendar.url = QStringLiteral("https://dav.example/") + id + QLatin1Char('/');
        calendar.sync_enabled = true;
        if (!calendars.insert(calendar))
            return false;
    }
    return true;
}

// The walk as its server holds it in `calendarId`: weekly, synced.
Event walkSeries(const QString &calendarId)
{
    Event series;
    series.id = QStringLiteral("walk-") + calendarId;
    series.uid = QStringLiteral("walk");
    series.calendar_id = calendarId;
    series.title = QStringLiteral("Walk");
    series.start_time = QDateTime(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC);
    series.end_time = series.start_time.addSecs(3600);
    series.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=4");
    series.href = QStringLiteral("/") + calendarId + QStringLiteral("/walk.ics");
    series.etag = QStringLiteral("s1");
    series.raw_icalendar = IcsCodec::buildEventIcs(series);
    return series;
}

// The walk's change of 9 March as the server of `calendarId` held it.
Event walkChange(const QString &id, const QString &calendarId)
{
    Event change;
    change.id = id;
    change.uid = change.master_event_uid = QStringLiteral("walk");
    change.calendar_id = calendarId;
    change.recurrence_id = kDay;
    change.title = QStringLiteral("Walk later");
    change.start_time = QDateTime(QDate(2026, 3, 9), QTime(10, 0), Qt::UTC);
    change.end_time = change.start_time.addSecs(3600);
    change.href = QStringLiteral("/") + calendarId + QStringLiteral("/walk.ics");
    change.etag = QStringLiteral("s1");
    change.raw_icalendar = IcsCodec::buildEventIcs(change);
    return change;
}

// Where the note of the change is kept: the calendars holding it live.
QStringList holdersOfTheNote(EventRepository &events)
{
    QStringList holders;
    for (const char *calendarId : {"work", "home", "archive", "elsewhere"}) {
        for (const Event &row : events.getByCalendar(QString::fromLatin1(calendarId))) {
            if (row.recurrence_id == kDay && row.title == kNote)
                holders.append(QString::fromLatin1(calendarId));
        }
    }
    return holders;
}

} // namespace

class TestStrayOccurrences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A changed occurrence of the walk stands alone in "home" (or in
    // another account's calendar). It goes back to the walk's calendar
    // only where a move made here left it, as this device recorded that
    // move: the link from the row the move left in the walk's calendar
    // (back into that row), or, once that row's deletion went up with its
    // link, the UID the move gave it, its own row id (as a new row, the
    // walk no longer skipping the day). Everything else stays where the
    // user put it: an occurrence keeping its series' UID (an invitation,
    // an import), one of another account, one whose link names another
    // day, or where going back would write over the walk's server: a
    // calendar taking no writes, a live change of that day there, a day
    // the walk's server skipped since while the row the move left is still
    // kept, a walk in two calendars of the account.
    void strayGoesBackOnlyWhereAMoveHereLeftIt_data()
    {
        QTest::addColumn<QString>("uid"); // the stray's; "own" for its row id
        QTest::addColumn<QString>("strayIn");
        QTest::addColumn<QString>("left"); // the row left in "work": "", "linked", "linked, another day"
        QTest::addColumn<QString>("walk"); // "", "skips the day", "read-only", "changed there", "in two"
        QTest::addColumn<bool>("goesBack");
        QTest::newRow("linked to the row it left") << "moved-walk" << "home" << "linked" << "" << true;
        QTest::newRow("under its own id, its old row's deletion sent") << "own" << "home" << "" << "skips the day"
                                                                       << true;
        QTest::newRow("keeping its series' uid") << "walk" << "home" << "" << "" << false;
        QTest::newRow("in another account") << "own" << "elsewhere" << "" << "skips the day" << false;
        QTest::newRow("linked from another day") << "moved-walk" << "home" << "linked, another day" << "" << false;
        QTest::newRow("into a calendar taking no writes") << "moved-walk" << "home" << "linked" << "read-only"
                                                          << false;
        QTest::newRow("over a live change of that day") << "own" << "home" << "" << "changed there" << false;
        QTest::newRow("linked, the day skipped there since") << "moved-walk" << "home" << "linked"
                                                             << "skips the day" << false;
        QTest::newRow("under its own id, the walk in two calendars") << "own" << "home" << "" << "in two" << false;
    }

    void strayGoesBackOnlyWhereAMoveHereLeftIt()
    {
        QFETCH(QString, uid);
        QFETCH(QString, strayIn);
        QFETCH(QString, left);
        QFETCH(QString, walk);
        QFETCH(bool, goesBack);
        TestStore store;
        QVERIFY(seedAccounts(store.db()));
        EventRepository events(store.db());
        Event series = walkSeries(QStringLiteral("work"));
        if (walk == QLatin1String("skips the day"))
            series.exception_dates = QStringLiteral("[\"%1\"]").arg(kDay);
        QVERIFY(events.insert(series));
        if (walk == QLatin1String("in two"))
            QVERIFY(events.insert(walkSeries(QStringLiteral("archive"))));
        if (walk == QLatin1String("read-only")) {
            CalendarRepository calendars(store.db());
            Calendar work = calendars.getById(QStringLiteral("work")).value();
            work.is_read_only = true;
            QVERIFY(calendars.update(work));
        }
        if (walk == QLatin1String("changed there"))
            QVERIFY(events.insert(walkChange(QStringLiteral("change-there"), QStringLiteral("work"))));
        // The row the move left in the walk's calendar, its deletion not
        // yet sent; another day's where the link names one.
        std::optional<Event> leftRow;
        if (!left.isEmpty()) {
            leftRow = walkChange(QStringLiteral("left"), QStringLiteral("work"));
            if (left.endsWith(QLatin1String("another day")))
                leftRow->recurrence_id = QStringLiteral("20260316T080000Z");
            QVERIFY(events.insert(*leftRow));
            QVERIFY(events.remove(leftRow->id));
        }
        // The stray: the change with the user's note, no server's copy.
        Event stray = walkChange(QStringLiteral("moved-walk"), strayIn);
        stray.uid = uid == QLatin1String("own") ? stray.id : uid;
        stray.title = kNote;
        stray.href.clear();
        stray.etag.clear();
        stray.sync_status = SyncStatus::Pending;
        stray.raw_icalendar = IcsCodec::buildEventIcs(stray);
        QVERIFY(events.insert(stray));
        if (leftRow)
            QVERIFY(events.keepMove(leftRow->id, stray.id));

        // Its own calendar's sync leaves it for the walk's; the walk's
        // calendar's sync takes it back.
        QSet<QString> waiting;
        QCOMPARE(StrayOccurrences::returnToSeries(store.db(), &events, strayIn, &waiting), QStringList());
        QCOMPARE(waiting, goesBack ? QSet<QString>{stray.id} : QSet<QString>());
        QCOMPARE(StrayOccurrences::returnToSeries(store.db(), &events, QStringLiteral("work")),
                 goesBack ? QStringList{kNote} : QStringList());

        QCOMPARE(holdersOfTheNote(events), QStringList{goesBack ? QStringLiteral("work") : strayIn});
        const Event walkNow = events.getById(series.id).value();
        if (!goesBack) {
            const Event kept = events.getById(stray.id).value_or(Event());
            QCOMPARE(kept.calendar_id, strayIn);
            QCOMPARE(kept.uid, stray.uid);
            QCOMPARE(walkNow.exception_dates, series.exception_dates);
            QCOMPARE(walkNow.sync_status, SyncStatus::Synced);
            QCOMPARE(store.count(QStringLiteral("event_moves")), leftRow ? 1 : 0);
            return;
        }
        QVERIFY(!events.getById(stray.id));
        QCOMPARE(store.count(QStringLiteral("event_moves")), 0);
        std::optional<Event> back;
        for (const Event &row : events.getByCalendar(QStringLiteral("work"))) {
            if (row.recurrence_id == kDay)
                back = row;
        }
        QVERIFY(back);
        // Into the row the move left where it is kept, else a row of its
        // own naming the walk, so that it goes up inside the walk's resource.
        QCOMPARE(back->id == leftRow.value_or(Event()).id, leftRow.has_value());
        QCOMPARE(back->master_event_uid, QStringLiteral("walk"));
        QCOMPARE(back->sync_status, SyncStatus::Pending);
        QCOMPARE(walkNow.exception_dates, leftRow ? series.exception_dates : QStringLiteral("[]"));
    }
};

QTEST_GUILESS_MAIN(TestStrayOccurrences)
#include "tst_strayoccurrences.moc"
