#include "app/edits/eventeditor.h"
#include "app/edits/taskeditor.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/caldav/caldavsyncclient.h"
#include "sync/caldav/caldavxml.h"
#include "tests/sync/caldavsyncharness.h"
#include "tests/sync/sharedtaskresource.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <algorithm>
#include <memory>

using Reply = LocalHttpServer::Reply;
using Request = LocalHttpServer::Request;

namespace {

QByteArray vevent(const QByteArray &uid, const QByteArray &title, const QByteArray &extra = QByteArray())
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Server//EN\r\nBEGIN:VEVENT\r\nUID:" + uid
        + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260310T090000Z\r\nDTEND:20260310T100000Z\r\nSUMMARY:" + title
        + "\r\n" + extra + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

QByteArray vtodo(const QByteArray &uid, const QByteArray &title)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Server//EN\r\nBEGIN:VTODO\r\nUID:" + uid
        + "\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:" + title + "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
}

using namespace SharedTaskResource;
using Harness = CalDavSyncHarness;
using Outcome = CalDavOutcome;

// What a merge weighs of a task, in a form two copies compare by.
QStringList weighed(const Task &task)
{
    return {task.uid, task.title, task.description, QString::number(task.priority), toText(task.status),
            task.start_date ? task.start_date->toUTC().toString(Qt::ISODate) : QString()};
}

// Another client's write: `text` with `from` made `to`, line ends aside.
bool writtenThere(FakeCalDavCalendar *fake, const QByteArray &name, const QByteArray &from, const QByteArray &to)
{
    QByteArray text = fake->items.value(fake->path() + name).data;
    text.replace("\r\n", "\n");
    if (!text.contains(from + '\n'))
        return false;
    fake->putItem(name, text.replace(from + '\n', to + '\n'));
    return true;
}

} // namespace

class TestCalDavSyncClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pullStoresServerEventsAndRemovesDeletedOnes()
    {
        Harness h;
        // Renamed here before; the sync is no edit of the calendar.
        Calendar renamed = h.calendar;
        renamed.updated_at = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC);
        QVERIFY(h.calendars.updateKeepingTime(renamed));
        h.fake->putItem("a.ics", vevent("a", "Alpha"));
        h.fake->putItem("b.ics", vevent("b", "Beta"));
        Outcome outcome = h.sync();
        QVERIFY(outcome.completed);
        QCOMPARE(outcome.count, 2);
        QVERIFY(!h.calendars.getById(h.calendar.id)->ctag.isEmpty());
        QCOMPARE(h.calendars.getById(h.calendar.id)->updated_at, renamed.updated_at);
        QCOMPARE(h.byUid(QStringLiteral("a"))->title, QStringLiteral("Alpha"));
        QCOMPARE(h.byUid(QStringLiteral("a"))->href, QString::fromUtf8(h.fake->path() + "a.ics"));

        // A local row never pushed and a pending row stay; a synced row the
        // server no longer lists goes.
        Event local = h.localEvent(QStringLiteral("local"), QStringLiteral("Local"));
        QVERIFY(h.events.insert(local));
        h.server.setHandler(nullptr);
        h.fake = std::make_unique<FakeCalDavCalendar>(&h.server);
        h.fake->putItem("a.ics", vevent("a", "Alpha"));
        h.fake->hook = [](const Request &request) -> std::optional<Reply> {
            if (request.method != "PUT")
                return std::nullopt;
            // Keep the server listing as it is; the reply still confirms the
            // upload with a tag, as a server's own answer does.
            Reply reply;
            reply.status = 201;
            reply.headers.append(qMakePair(QByteArray("ETag"), QByteArray("\"kept\"")));
            return reply;
        };
        outcome = h.sync();
        QVERIFY(outcome.completed);
        QVERIFY(!h.byUid(QStringLiteral("b")));
        QVERIFY(h.byUid(QStringLiteral("a")));
        QVERIFY(h.byUid(QStringLiteral("local")));
    }

    void pullKeepsLocalRowsOnBadListing_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("body cut, length announced") << 0;
        QTest::newRow("body cut, connection closed") << 1;
        QTest::newRow("html page with 200") << 2;
        QTest::newRow("server error") << 3;
        QTest::newRow("multistatus with 200") << 4;
        QTest::newRow("server hangs") << 5;
    }

    void pullKeepsLocalRowsOnBadListing()
    {
        QFETCH(int, fault);
        Harness h;
        for (int i = 0; i < 5; ++i)
            h.fake->putItem("e" + QByteArray::number(i) + ".ics", vevent("e" + QByteArray::number(i), "Event"));
        QVERIFY(h.sync().completed);
        QCOMPARE(h.eventRows(), 5);

        h.client->setTransferTimeout(300);
        FakeCalDavCalendar *fake = h.fake.get();
        auto done = std::make_shared<bool>(false);
        h.fake->hook = [fake, fault, done](const Request &request) -> std::optional<Reply> {
            if (request.method != "REPORT" || *done)
                return std::nullopt;
            *done = true;
            Reply reply = fake->answer(request);
            switch (fault) {
            case 0: reply.truncateAt = reply.body.indexOf("</d:response>", reply.body.indexOf("e1.ics")); break;
            case 1: reply.body = reply.body.left(reply.body.indexOf("</d:response>", reply.body.indexOf("e1.ics")));
                    reply.closeWithoutLength = true; break;
            case 2: reply = Reply(); reply.body = "<html><body>Please sign in</body></html>"; break;
            case 3: reply = Reply(); reply.status = 500; break;
            case 4: reply.status = 200; break;
            default: reply.hang = true; break;
            }
            return reply;
        };
        const Outcome outcome = h.sync();
        QVERIFY(!outcome.completed);
        QCOMPARE(outcome.failures.size(), 1);
        QCOMPARE(h.eventRows(), 5);
    }

    void pullFetchesMissingBodiesWithMultiget()
    {
        Harness h;
        h.fake->inlineData = false;
        h.fake->putItem("a%20b.ics", vevent("ab", "Spaced"));
        h.fake->putItem("c&d.ics", vevent("cd", "Amp"));
        const Outcome outcome = h.sync();
        QVERIFY(outcome.completed);
        QCOMPARE(outcome.count, 2);
        QCOMPARE(h.byUid(QStringLiteral("ab"))->href, QString::fromUtf8(h.fake->path() + "a%20b.ics"));
        QVERIFY(h.byUid(QStringLiteral("cd")));
        int multigets = 0;
        for (const Request &request : h.server.requests())
            multigets += request.body.contains("calendar-multiget") ? 1 : 0;
        QCOMPARE(multigets, 1); // one batch for every missing body
    }

    void failedMultigetKeepsRows()
    {
        Harness h;
        h.fake->putItem("a.ics", vevent("a", "Alpha"));
        QVERIFY(h.sync().completed);
        h.fake->inlineData = false;
        h.fake->items[h.fake->path() + "a.ics"] = {"changed", vevent("a", "Changed")};
        h.fake->hook = [](const Request &request) -> std::optional<Reply> {
            if (request.body.contains("calendar-multiget")) {
                Reply reply;
                reply.status = 500;
                return reply;
            }
            return std::nullopt;
        };
        QVERIFY(h.sync().completed);
        QCOMPARE(h.byUid(QStringLiteral("a"))->title, QStringLiteral("Alpha"));
    }

    void tasksWithoutInlineDataAreFetchedNotDeleted()
    {
        Harness h;
        h.fake->putItem("t1.ics", vtodo("t1", "Task one"));
        QVERIFY(h.sync().completed);
        QVERIFY(h.tasks.getByUidAndCalendar(QStringLiteral("t1"), h.calendar.id));
        h.fake->inlineData = false;
        h.fake->items[h.fake->path() + "t1.ics"] = {"e99", vtodo("t1", "Task renamed")};
        const Outcome outcome = h.sync();
        QVERIFY(outcome.completed);
        const std::optional<Task> task = h.tasks.getByUidAndCalendar(QStringLiteral("t1"), h.calendar.id);
        QVERIFY(task);
        QCOMPARE(task->title, QStringLiteral("Task renamed"));
        QCOMPARE(outcome.count, 1);
    }

    // Only the task's own VTODO tells whether the server's copy carries its
    // alarms: an occurrence changed elsewhere may have alarms of its own.
    void taskPullKeepsLocalRemindersBesideAnOccurrencesAlarm()
    {
        Harness h;
        h.fake->putItem("t1.ics", vtodo("t1", "Task one"));
        QVERIFY(h.sync().completed);
        Task row = h.tasks.getByUidAndCalendar(QStringLiteral("t1"), h.calendar.id).value();
        Reminder reminder;
        reminder.minutes_before = 15;
        row.reminders = {reminder};
        QVERIFY(h.tasks.update(row));
        QByteArray text = vtodo("t1", "Task renamed");
        text.replace("END:VCALENDAR", "BEGIN:VTODO\r\nUID:t1\r\nRECURRENCE-ID:20260310T090000Z\r\nSUMMARY:Once\r\n"
                                      "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\nEND:VTODO\r\n"
                                      "END:VCALENDAR");
        h.fake->items[h.fake->path() + "t1.ics"] = {"e2", text};
        QVERIFY(h.sync().completed);
        const Task after = h.tasks.getById(row.id).value();
        QCOMPARE(after.title, QStringLiteral("Task renamed"));
        QCOMPARE(after.reminders.size(), 1);
        QCOMPARE(after.reminders.first().minutes_before, 15);
    }

    // A resource holding many tasks is stored in parts, each row its own
    // task's, within a few times its size; an edit of one sends the others
    // back with it, and the calendar's lines with the times' zones, the last
    // ones' too, stored past the budget for copies of them. So does the
    // deletion of the one that alone kept a zone the last one names. A part
    // stored past that budget by an older version, without the calendar's
    // zone, keeps its floating due time on the calendar's wall clock.
    void taskResourceOfManyIsStoredInPartsAndSentWhole_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("edited");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("storedWithoutZone");
        QTest::newRow("three tasks") << 3 << 1 << false << false;
        QTest::newRow("1500 tasks") << 1500 << 1 << false << false;
        QTest::newRow("1500 tasks, the last edited") << 1500 << 1499 << false << false;
        QTest::newRow("1500 tasks, the last but one deleted") << 1500 << 1498 << true << false;
        QTest::newRow("1500 tasks, one past the budget edited") << 1500 << 1497 << false << false;
        QTest::newRow("1500 tasks, one stored past the budget by the previous version edited")
            << 1500 << 1497 << false << true;
    }

    void taskResourceOfManyIsStoredInPartsAndSentWhole()
    {
        QFETCH(int, count);
        QFETCH(int, edited);
        QFETCH(bool, deleted);
        QFETCH(bool, storedWithoutZone);
        Harness h;
        // A long description: past some hundred tasks the budget pays no
        // copy of the calendar's lines.
        QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Server//EN\r\nX-WR-CALNAME:Shared\r\n"
                          "X-WR-CALDESC:" + QByteArray(3000, 'd') + "\r\nX-WR-TIMEZONE:America/Chicago\r\n"
                          "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
                          "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
                          "BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
                          "TZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
        for (int i = 0; i < count; ++i) {
            const QByteArray uid = "t" + QByteArray::number(i);
            // The last two due at the same time in Tokyo.
            const QByteArray due = i < count - 2 ? "DUE:20260302T170000" : "DUE;TZID=Asia/Tokyo:20260303T080000";
            text += "BEGIN:VTODO\r\nUID:" + uid + "\r\nSUMMARY:Task " + QByteArray::number(i)
                + "\r\nDTSTART;TZID=Europe/Berlin:20260302T090000\r\n" + due + "\r\nRRULE:FREQ=WEEKLY\r\n"
                  "END:VTODO\r\nBEGIN:VTODO\r\nUID:" + uid + "\r\nRECURRENCE-ID;TZID=Europe/Berlin:20260309T090000\r\n"
                  "SUMMARY:Once " + QByteArray::number(i) + "\r\nEND:VTODO\r\n";
        }
        text += "END:VCALENDAR\r\n";
        h.fake->putItem("shared.ics", text);
        QVERIFY(h.sync().completed);
        QCOMPARE(h.store.count(QStringLiteral("tasks")), count);
        // The resource once, what the rows share up to four times over, and
        // a calendar wrapper each.
        const qsizetype wrapper = qstrlen("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:\r\nEND:VCALENDAR\r\n")
            + qstrlen(IcsCodec::ProductId);
        const qsizetype stored =
            h.store.scalar(QStringLiteral("SELECT total(length(raw_icalendar)) FROM tasks")).toLongLong();
        QVERIFY2(stored <= 5 * text.size() + count * wrapper,
                 qPrintable(QStringLiteral("%1 characters stored of %2 read").arg(stored).arg(text.size())));
        const QString uid = QStringLiteral("t%1").arg(edited);
        Task task = h.tasks.getByUidAndCalendar(uid, h.calendar.id).value();
        if (storedWithoutZone) {
            const QString zoneLine = QStringLiteral("X-WR-TIMEZONE:America/Chicago\r\n");
            QVERIFY(!task.raw_icalendar.contains(QLatin1String("X-WR-CALNAME")));
            QCOMPARE(task.raw_icalendar.count(zoneLine), 1);
            task.raw_icalendar.remove(zoneLine);
            QVERIFY(h.tasks.update(task));
        }
        const QList<Task> own = IcsCodec::parseTodos(task.raw_icalendar);
        QCOMPARE((QStringList{own.value(0).uid, own.value(1).uid}), (QStringList{uid, uid}));
        QCOMPARE(own.size(), 2);

        const QString title = QStringLiteral("Task %1, edited").arg(edited);
        task.title = title;
        TaskEditor editor(&h.tasks, &h.calendars);
        QVERIFY(deleted ? editor.remove(task.id).ok : editor.update(task).ok);
        QVERIFY(h.sync().completed);
        const QString sent = IcsCodec::decodeText(h.serverText("shared.ics"));
        QStringList titles;
        for (const Task &todo : IcsCodec::parseTodos(sent))
            titles.append(todo.title);
        const int left = deleted ? count - 1 : count;
        QCOMPARE(titles.size(), 2 * left);
        QCOMPARE(titles.count(title), deleted ? 0 : 1);
        QCOMPARE(titles.count(QStringLiteral("Once %1").arg(edited)), deleted ? 0 : 1);
        QCOMPARE(titles.count(QStringLiteral("Task %1").arg(count - 1)), edited == count - 1 ? 0 : 1);
        // Every due time where its zone puts it, on the server, and every
        // zone named there defined there.
        QStringList dues;
        for (const Task &todo : IcsCodec::parseTodoResource(sent))
            dues.append(todo.due_date.value_or(QDateTime()).toUTC().toString(Qt::ISODate));
        QCOMPARE(dues, QStringList(left, QStringLiteral("2026-03-02T23:00:00Z")));
        for (const char *zone : {"Europe/Berlin", "Asia/Tokyo"})
            QVERIFY2(sent.contains(QLatin1String("\r\nTZID:%1\r\n").arg(QLatin1String(zone))), zone);
        for (const char *line : {"X-WR-CALNAME:Shared", "X-WR-TIMEZONE:America/Chicago"})
            QVERIFY2(sent.count(QLatin1String("\r\n%1\r\n").arg(QLatin1String(line))) == 1, line);
        QVERIFY(h.sync().completed);
        QCOMPARE(h.store.count(QStringLiteral("tasks")), left);
        QCOMPARE(h.tasks.getById(task.id).has_value(), !deleted);
        if (!deleted) {
            QCOMPARE(h.tasks.getById(task.id)->title, title);
            QCOMPARE(h.tasks.getById(task.id)->sync_status, SyncStatus::Synced);
        }
    }

    // Rows stored with the whole resource, as an older version stored each
    // task of it, take their own part at the next pull though the resource
    // is unchanged; after that an unchanged resource writes nothing.
    void taskRowsHoldingTheirWholeResourceTakeTheirOwnPart()
    {
        Harness h;
        // Line ends as a listing's XML hands them over.
        const QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Other//Server//EN\nBEGIN:VTODO\nUID:a\n"
                                "SUMMARY:A\nEND:VTODO\nBEGIN:VTODO\nUID:b\nSUMMARY:B\nEND:VTODO\nEND:VCALENDAR\n";
        h.fake->putItem("ab.ics", text);
        QVERIFY(h.sync().completed);
        for (const char *uid : {"a", "b"}) {
            Task row = h.tasks.getByUidAndCalendar(QString::fromLatin1(uid), h.calendar.id).value();
            row.raw_icalendar = QString::fromUtf8(text);
            QVERIFY(h.tasks.update(row));
        }
        QVERIFY(h.sync().completed);
        for (const char *uid : {"a", "b"}) {
            const Task row = h.tasks.getByUidAndCalendar(QString::fromLatin1(uid), h.calendar.id).value();
            const QList<Task> own = IcsCodec::parseTodos(row.raw_icalendar);
            QCOMPARE(own.size(), 1);
            QCOMPARE(own.first().uid, QString::fromLatin1(uid));
        }
        const int before = h.writesSoFar();
        QVERIFY(h.sync().completed);
        QCOMPARE(h.writesSoFar(), before);
    }

    // Tasks t0..t2 of one resource edited or deleted here, in the order
    // sent, all arrive in one run on the tag the server holds: a deletion as
    // the resource without the task, the last one's as its removal. A copy
    // another client wrote meanwhile (t2 renamed, or t1 deleted there too)
    // is never overwritten: the deletion waits for the next run's pull.
    // A task edited here that another client took out of the resource before
    // the pull goes up as a resource of its own, never over anyone's.
    void sharedTaskResourceChangedHere_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("theirs"); // t2's title there, empty when t1 went there; null: no write
        QTest::addColumn<bool>("rewrites");  // the server stores its own form of what it is sent
        // Another client's writes before the pull: "t1 gone" from the
        // resource, "t0 renamed" in it, "t1.ics taken" by another task's.
        QTest::addColumn<QStringList>("there");
        const QString none;
        const QStringList still;
        QTest::newRow("one of three deleted") << QStringList{"delete t1"} << none << false << still;
        QTest::newRow("two of three edited") << QStringList{"edit t0", "edit t2"} << none << false << still;
        QTest::newRow("an edit, then a deletion") << QStringList{"edit t0", "delete t1"} << none << false << still;
        QTest::newRow("a deletion, then an edit") << QStringList{"delete t1", "edit t0"} << none << false << still;
        QTest::newRow("all three deleted")
            << QStringList{"delete t2", "delete t0", "delete t1"} << none << false << still;
        QTest::newRow("renamed there meanwhile") << QStringList{"delete t1"} << "Task 2, theirs" << false << still;
        QTest::newRow("deleted there too meanwhile") << QStringList{"delete t1"} << "" << false << still;
        QTest::newRow("an edit and a deletion, rewritten")
            << QStringList{"edit t0", "delete t1"} << none << true << still;
        // An edit merged with another client's change of the resource: each
        // row's stored text is then what went up.
        const QStringList renamed{"t2 renamed"};
        QTest::newRow("edited here, another renamed there") << QStringList{"edit t0"} << none << false << renamed;
        QTest::newRow("two edited here, another renamed there")
            << QStringList{"edit t1", "edit t0"} << none << false << renamed;
        QTest::newRow("edited here, another renamed there, rewritten")
            << QStringList{"edit t0"} << none << true << renamed;
        const QStringList gone{"t1 gone"};
        QTest::newRow("edited here, gone there") << QStringList{"edit t1"} << none << false << gone;
        QTest::newRow("edited here, gone there, another renamed there")
            << QStringList{"edit t1"} << none << false << QStringList{"t1 gone", "t0 renamed"};
        QTest::newRow("edited here, gone there, its name taken")
            << QStringList{"edit t1"} << none << false << QStringList{"t1 gone", "t1.ics taken"};
        QTest::newRow("edited here, then another deleted, gone there")
            << QStringList{"edit t1", "delete t0"} << none << false << gone;
        QTest::newRow("another deleted here, then it edited, gone there")
            << QStringList{"delete t0", "edit t1"} << none << false << gone;
        QTest::newRow("unedited, gone there") << QStringList() << none << false << gone;
        QTest::newRow("deleted here, gone there") << QStringList{"delete t1"} << none << false << gone;
    }

    void sharedTaskResourceChangedHere()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, theirs);
        QFETCH(bool, rewrites);
        QFETCH(QStringList, there);
        Harness h;
        QStringList titles{"Task 0", "Task 1", "Task 2"};
        h.fake->putItem("shared.ics", sharedTasks(titles));
        QVERIFY(h.sync().completed);
        h.fake->keepsTagAndRewrites = rewrites;
        TaskEditor editor(&h.tasks, &h.calendars);
        for (int i = 0; i < steps.size(); ++i) {
            const QString uid = steps.at(i).section(QLatin1Char(' '), 1);
            Task task = h.tasks.getByUidAndCalendar(uid, h.calendar.id).value();
            task.title += QLatin1String(", edited");
            const bool edit = steps.at(i).startsWith(QLatin1String("edit"));
            QVERIFY(edit ? editor.update(task).ok : editor.remove(task.id).ok);
            titles[uid.mid(1).toInt()] = edit ? task.title : QString();
            // Sent in the order of the steps.
            QVERIFY(h.store.exec(QStringLiteral("UPDATE tasks SET last_modified = '2026-03-01T12:00:0%1Z' "
                                                "WHERE id = '%2'").arg(i).arg(task.id)));
        }
        // `titles` as the shared resource is to hold them after the sync;
        // `apart` each in a resource of its own.
        QStringList apart(titles.size());
        QStringList theirTitles{"Task 0", "Task 1", "Task 2"};
        const QByteArray taken = vtodo("x", "Theirs");
        for (const QString &change : there) {
            const int n = change.mid(1, 1).toInt();
            if (change.endsWith(QLatin1String("taken"))) {
                h.fake->putItem("t1.ics", taken);
            } else if (change.endsWith(QLatin1String("renamed"))) {
                titles[n] = theirTitles[n] += QLatin1String(", theirs");
            } else {
                theirTitles[n].clear();
                apart[n] = steps.contains(QStringLiteral("edit t%1").arg(n)) ? titles.at(n) : QString();
                titles[n].clear();
            }
        }
        if (!there.isEmpty())
            h.fake->putItem("shared.ics", sharedTasks(theirTitles));
        const QByteArray theirText = h.serverText("shared.ics");
        if (!theirs.isNull()) {
            titles[theirs.isEmpty() ? 1 : 2] = theirs;
            const QByteArray written = sharedTasks({titles.at(0), theirs.isEmpty() ? "" : "Task 1", titles.at(2)});
            FakeCalDavCalendar *fake = h.fake.get();
            h.fake->hook = [fake, written](const Request &request) -> std::optional<Reply> {
                if (request.method == "PUT" && !fake->items.first().data.contains(written))
                    fake->putItem("shared.ics", written);
                return std::nullopt;
            };
            const QString refused = QStringLiteral("1 item(s) could not be sent to the server: \"Task 1\" (HTTP 412)");
            QCOMPARE(h.sync().failures, QStringList{refused});
            QCOMPARE(h.serverText("shared.ics"), written);
            if (!theirs.isEmpty())
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("changed on the server")));
        }
        const Outcome outcome = h.sync();
        QVERIFY2(outcome.failures.isEmpty(), qPrintable(outcome.failures.join(QLatin1Char('\n'))));
        QCOMPARE(outcome.failures, QStringList());
        QVERIFY(outcome.completed);
        int deletes = 0;
        for (const Request &request : h.server.requests()) {
            // Every upload names the copy it replaces, or that it replaces none.
            QVERIFY(request.method != "PUT" || !request.header("if-match").isEmpty()
                    || request.header("if-none-match") == "*");
            deletes += request.method == "DELETE" ? 1 : 0;
        }
        QCOMPARE(deletes, titles.join(QString()).isEmpty() ? 1 : 0);
        // Only t1 taken out there and changed here: that client's resource
        // and the one at t1's name stay as it wrote them.
        if (!there.isEmpty() && steps.filter(QLatin1String("t1")) == steps)
            QCOMPARE(h.serverText("shared.ics"), theirText);
        if (there.contains("t1.ics taken"))
            QCOMPARE(h.serverText("t1.ics"), taken);

        QCOMPARE(todosIn(h.serverText("shared.ics")), todosIn(sharedTasks(titles)));
        // Every resource on the server, by what it holds.
        QList<QStringList> expected{todosIn(there.contains("t1.ics taken") ? taken : QByteArray())};
        for (int i = 0; i < apart.size(); ++i) {
            QStringList alone(i);
            alone.append(apart.at(i));
            expected.append(todosIn(sharedTasks(alone)));
        }
        expected.append(todosIn(sharedTasks(titles)));
        expected.removeAll(QStringList());
        QList<QStringList> held;
        QStringList everything;
        for (const FakeCalDavCalendar::Item &item : std::as_const(h.fake->items)) {
            held.append(todosIn(item.data));
            everything += held.last();
        }
        std::sort(expected.begin(), expected.end());
        std::sort(held.begin(), held.end());
        QCOMPARE(held, expected);

        const QList<Task> rows = h.tasks.getByCalendar(h.calendar.id);
        QStringList stored;
        for (const Task &row : rows) {
            const QStringList own = todosIn(row.raw_icalendar.toUtf8());
            stored += own;
            const FakeCalDavCalendar::Item item = h.fake->items.value(row.href.toUtf8());
            for (const QString &todo : own)
                QVERIFY2(todosIn(item.data).contains(todo), qPrintable(row.href + QLatin1String(": ") + todo));
            QCOMPARE(row.etag, QString::fromUtf8(item.etag));
            QCOMPARE(row.sync_status, SyncStatus::Synced);
            QCOMPARE(row.raw_icalendar.contains(QLatin1String("X-SERVER:rewritten")), rewrites);
        }
        stored.sort();
        everything.sort();
        QCOMPARE(stored, everything);
        QCOMPARE(h.store.count(QStringLiteral("tasks")), int(rows.size()));
        h.server.clearRequests();
        const Outcome next = h.sync();
        QCOMPARE(next.failures, QStringList());
        QVERIFY(next.completed);
        QCOMPARE(h.tasks.getByCalendar(h.calendar.id), rows);
        for (const Request &request : h.server.requests())
            QVERIFY2(request.method != "PUT" && request.method != "DELETE", request.target.constData());
    }

    // A task edited here and merged with another client's change goes up
    // and keeps what went up as its text: the next edit here, of another
    // property, is merged from it, and so leaves the title that client gave
    // it meanwhile. Alone in its resource or beside another task, on a
    // server that stores its own form of the text, completed here as a
    // series (the occurrence changed there is kept), edited while sent.
    void taskSentAfterAMergeIsTheBaseOfItsNextEdit_data()
    {
        QTest::addColumn<QStringList>("titles"); // of the resource's tasks
        QTest::addColumn<bool>("rewrites");
        QTest::addColumn<QString>("also");       // "complete", "edit while sent" or nothing
        QTest::newRow("alone") << QStringList{"Task 0"} << false << QString();
        QTest::newRow("shared") << QStringList{"Task 0", "Task 1"} << false << QString();
        QTest::newRow("alone, rewritten") << QStringList{"Task 0"} << true << QString();
        QTest::newRow("shared, rewritten") << QStringList{"Task 0", "Task 1"} << true << QString();
        QTest::newRow("completed here") << QStringList{"Task 0"} << false << "complete";
        QTest::newRow("completed here, shared") << QStringList{"Task 0", "Task 1"} << false << "complete";
        QTest::newRow("edited while sent") << QStringList{"Task 0"} << false << "edit while sent";
    }

    void taskSentAfterAMergeIsTheBaseOfItsNextEdit()
    {
        QFETCH(QStringList, titles);
        QFETCH(bool, rewrites);
        QFETCH(QString, also);
        Harness h;
        const QByteArray name = "tasks.ics";
        h.fake->putItem(name, sharedTasks(titles));
        QVERIFY(h.sync().completed);
        h.fake->keepsTagAndRewrites = rewrites;
        TaskEditor editor(&h.tasks, &h.calendars);
        const QString id = h.tasks.getByUidAndCalendar(QStringLiteral("t0"), h.calendar.id)->id;

        Task task = h.tasks.getById(id).value();
        task.title = QStringLiteral("Mine");
        QVERIFY(editor.update(task).ok);
        if (also == QLatin1String("complete"))
            QVERIFY(editor.setCompleted(id, true).ok);
        if (also == QLatin1String("edit while sent")) {
            auto sent = std::make_shared<bool>(false);
            TaskRepository *tasks = &h.tasks;
            h.fake->hook = [&editor, tasks, id, sent](const Request &request) -> std::optional<Reply> {
                if (request.method == "PUT" && !*sent) {
                    *sent = true;
                    Task meanwhile = tasks->getById(id).value();
                    meanwhile.percent_complete = 50;
                    if (!editor.update(meanwhile).ok)
                        qFatal("setup write refused");
                }
                return std::nullopt;
            };
        }
        // Another property of the task there, and its occurrence.
        QVERIFY(writtenThere(h.fake.get(), name, "SUMMARY:Task 0", "SUMMARY:Task 0\nPRIORITY:1"));
        QVERIFY(writtenThere(h.fake.get(), name, "SUMMARY:Once 0", "SUMMARY:Once 0, theirs"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Mine was changed on the server")));
        QVERIFY(h.sync().completed);
        h.fake->hook = nullptr;

        // The title there again, then the description here.
        QVERIFY(writtenThere(h.fake.get(), name, "SUMMARY:Mine", "SUMMARY:Theirs again"));
        task = h.tasks.getById(id).value();
        task.description = QStringLiteral("Here");
        QVERIFY(editor.update(task).ok);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Mine was changed on the server")));
        const Outcome outcome = h.sync();
        QCOMPARE(outcome.failures, QStringList());
        QVERIFY(outcome.completed);

        const QByteArray text = h.serverText(name);
        Task expected = task;
        expected.title = QStringLiteral("Theirs again");
        expected.priority = 1;
        expected.percent_complete = also == QLatin1String("edit while sent") ? 50 : 0;
        const Task row = h.tasks.getById(id).value();
        QCOMPARE(row.sync_status, SyncStatus::Synced);
        QCOMPARE(weighed(row), weighed(expected));
        QCOMPARE(row.percent_complete, expected.percent_complete);
        const QList<Task> held = IcsCodec::parseTodoResource(IcsCodec::decodeText(text));
        const auto own = std::find_if(held.cbegin(), held.cend(), [](const Task &t) { return t.uid == "t0"; });
        QVERIFY(own != held.cend());
        QCOMPARE(weighed(*own), weighed(expected));
        // The row's text is its part of the server's, occurrence and all.
        QStringList theirs{QStringLiteral("t0: Once 0, theirs"), QStringLiteral("t0: Theirs again")};
        QCOMPARE(todosIn(row.raw_icalendar.toUtf8()), theirs);
        titles.first().clear();
        theirs += todosIn(sharedTasks(titles));
        theirs.sort();
        QCOMPARE(todosIn(text), theirs);
    }

    // The same for an event: once its merged edit went up, its stored text
    // is what went up, so the next merge leaves a title another client gave
    // it meanwhile. Alone, beside a changed occurrence of its series, on a
    // server that stores its own form of the text, edited while sent.
    void eventSentAfterAMergeIsTheBaseOfItsNextEdit_data()
    {
        QTest::addColumn<bool>("series");
        QTest::addColumn<bool>("rewrites");
        QTest::addColumn<bool>("editWhileSent");
        QTest::newRow("alone") << false << false << false;
        QTest::newRow("series") << true << false << false;
        QTest::newRow("alone, rewritten") << false << true << false;
        QTest::newRow("series, rewritten") << true << true << false;
        QTest::newRow("edited while sent") << false << false << true;
    }

    void eventSentAfterAMergeIsTheBaseOfItsNextEdit()
    {
        QFETCH(bool, series);
        QFETCH(bool, rewrites);
        QFETCH(bool, editWhileSent);
        Harness h;
        const QByteArray name = "m.ics";
        QByteArray text = vevent("m", "Before", series ? "RRULE:FREQ=DAILY;COUNT=5\r\n" : "");
        if (series)
            text.replace("END:VCALENDAR", "BEGIN:VEVENT\r\nUID:m\r\nDTSTAMP:20260101T000000Z\r\n"
                                          "RECURRENCE-ID:20260311T090000Z\r\nDTSTART:20260311T110000Z\r\n"
                                          "DTEND:20260311T120000Z\r\nSUMMARY:Moved\r\nEND:VEVENT\r\nEND:VCALENDAR");
        h.fake->putItem(name, text);
        QVERIFY(h.sync().completed);
        h.fake->keepsTagAndRewrites = rewrites;
        const auto seriesRow = [&h]() {
            for (const Event &row : h.events.getByCalendar(h.calendar.id)) {
                if (row.recurrence_id.isEmpty())
                    return row;
            }
            return Event();
        };
        const QString id = seriesRow().id;
        QVERIFY(!id.isEmpty());

        Event row = h.events.getById(id).value();
        row.title = QStringLiteral("Mine");
        row.sync_status = SyncStatus::Pending;
        QVERIFY(h.events.update(row));
        if (editWhileSent) {
            auto sent = std::make_shared<bool>(false);
            EventRepository *events = &h.events;
            h.fake->hook = [events, id, sent](const Request &request) -> std::optional<Reply> {
                if (request.method == "PUT" && !*sent) {
                    *sent = true;
                    Event meanwhile = events->getById(id).value();
                    meanwhile.description = QStringLiteral("Meanwhile");
                    meanwhile.sync_status = SyncStatus::Pending;
                    if (!events->update(meanwhile))
                        qFatal("setup write refused");
                }
                return std::nullopt;
            };
        }
        // Another property there, and the occurrence.
        QVERIFY(writtenThere(h.fake.get(), name, "SUMMARY:Before", "SUMMARY:Before\nLOCATION:Room 9"));
        if (series)
            QVERIFY(writtenThere(h.fake.get(), name, "SUMMARY:Moved", "SUMMARY:Moved, theirs"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Mine was changed on the server")));
        QVERIFY(h.sync().completed);
        h.fake->hook = nullptr;

        // The title there again, then another property here.
        QVERIFY(writtenThere(h.fake.get(), name, "SUMMARY:Mine", "SUMMARY:Theirs again"));
        row = h.events.getById(id).value();
        row.location = QStringLiteral("Room 9, here");
        row.sync_status = SyncStatus::Pending;
        QVERIFY(h.events.update(row));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Mine was changed on the server")));
        const Outcome outcome = h.sync();
        QCOMPARE(outcome.failures, QStringList());
        QVERIFY(outcome.completed);

        const QString description = editWhileSent ? QStringLiteral("Meanwhile") : QString();
        const QStringList expected{QStringLiteral("Theirs again"), QStringLiteral("Room 9, here"), description};
        const Event stored = h.events.getById(id).value();
        QCOMPARE(stored.sync_status, SyncStatus::Synced);
        QCOMPARE((QStringList{stored.title, stored.location, stored.description}), expected);
        QStringList held;
        QStringList occurrences;
        for (const Event &there : IcsCodec::parseEvents(IcsCodec::decodeText(h.serverText(name)))) {
            if (there.recurrence_id.isEmpty())
                held = {there.title, there.location, there.description};
            else
                occurrences.append(there.title);
        }
        QCOMPARE(held, expected);
        QCOMPARE(occurrences, series ? QStringList{QStringLiteral("Moved, theirs")} : QStringList());
    }

    // A moved task's old copy stays in the resource it shares while its
    // copy waits for its upload: a deletion of the other task leaves it there.
    void movedTaskStaysInItsSharedResourceUntilItsCopyIsUp()
    {
        Harness h;
        h.fake->putItem("shared.ics", sharedTasks({"Task 0", "Task 1"}));
        QVERIFY(h.sync().completed);
        Calendar other = h.calendar;
        other.id = QStringLiteral("other");
        other.url = h.server.url(QStringLiteral("/dav/user/home/")).toString();
        QVERIFY(h.calendars.insert(other));
        const Task original = h.tasks.getByUidAndCalendar(QStringLiteral("t1"), h.calendar.id).value();
        Task moved = original;
        moved.calendar_id = other.id;
        TaskEditor editor(&h.tasks, &h.calendars);
        QVERIFY(editor.saveFromForm(moved, original).ok);
        QVERIFY(editor.remove(h.tasks.getByUidAndCalendar(QStringLiteral("t0"), h.calendar.id)->id).ok);

        QVERIFY(h.sync().completed);
        QCOMPARE(todosIn(h.serverText("shared.ics")), todosIn(sharedTasks({"", "Task 1"})));
        QCOMPARE(h.tasks.getById(original.id)->etag, QString::fromUtf8(h.fake->items.first().etag));
        QCOMPARE(h.store.count(QStringLiteral("tasks")), 2); // the old copy and the new
    }

    void pullKeepsLocalRemindersAndColourAndSkipsUnchangedRows()
    {
        Harness h;
        h.fake->putItem("a.ics", vevent("a", "Alpha"));
        QVERIFY(h.sync().completed);
        Event row = h.events.getById(h.byUid(QStringLiteral("a"))->id).value();
        row.color = QStringLiteral("#112233");
        Reminder reminder;
        reminder.minutes_before = 15;
        row.reminders = {reminder};
        Attendee attendee;
        attendee.email = QStringLiteral("ann@example.org");
        row.attendees = {attendee};
        QVERIFY(h.events.update(row));

        // Nothing changed on the server: nothing is written.
        const int before = h.writesSoFar();
        Outcome outcome = h.sync();
        QVERIFY(outcome.completed);
        QCOMPARE(outcome.count, 1);
        QCOMPARE(h.writesSoFar(), before);

        // The server renames it: the title follows, local additions stay.
        h.fake->items[h.fake->path() + "a.ics"] = {"e50", vevent("a", "Renamed")};
        QVERIFY(h.sync().completed);
        const Event after = h.events.getById(row.id).value();
        QCOMPARE(after.title, QStringLiteral("Renamed"));
        QCOMPARE(after.color, QStringLiteral("#112233"));
        QCOMPARE(after.reminders.size(), 1);
        QCOMPARE(after.reminders.first().minutes_before, 15);
        QCOMPARE(after.attendees.size(), 1);
        QCOMPARE(after.etag, QStringLiteral("e50"));
    }

    void progressEveryTwentyFiveEvents()
    {
        Harness h;
        for (int i = 0; i < 60; ++i)
            h.fake->putItem("p" + QByteArray::number(i) + ".ics", vevent("p" + QByteArray::number(i), "P"));
        const Outcome outcome = h.sync();
        QVERIFY(outcome.completed);
        QCOMPARE(outcome.count, 60);
        QCOMPARE(outcome.progress, (QList<int>{25, 50}));
    }

    void pushCreatesItemInsideCalendarWithEncodedUid_data()
    {
        QTest::addColumn<QString>("uid");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("plain") << "plain-1" << QByteArray("plain-1.ics");
        // A UID that is no plain name gives way to a fresh name, inside the
        // calendar all the same.
        QTest::newRow("urn") << "urn:uuid:77" << QByteArray();
        QTest::newRow("hash") << "a#b" << QByteArray();
        QTest::newRow("question") << "a?b" << QByteArray();
        QTest::newRow("slash") << "x/y" << QByteArray();
        QTest::newRow("ampersand") << "m&n" << QByteArray();
    }

    void pushCreatesItemInsideCalendarWithEncodedUid()
    {
        QFETCH(QString, uid);
        QFETCH(QByteArray, name);
        Harness h;
        const Event event = h.localEvent(uid, QStringLiteral("New"));
        QVERIFY(h.events.insert(event));
        QVERIFY(h.sync().completed);
        QCOMPARE(h.fake->items.size(), 1);
        const QByteArray href = h.fake->items.keys().first();
        if (!name.isEmpty())
            QCOMPARE(href, h.fake->path() + name);
        else
            QVERIFY2(href.startsWith(h.fake->path())
                         && !QUuid::fromString(QLatin1String(href.mid(h.fake->path().size()).chopped(4))).isNull(),
                     href.constData());
        const Event synced = h.events.getById(event.id).value();
        QCOMPARE(synced.sync_status, SyncStatus::Synced);
        QCOMPARE(synced.href, QString::fromUtf8(href));
        QCOMPARE(synced.etag, QString::fromUtf8(h.fake->items.value(href).etag));
        for (const Request &request : h.server.requests()) {
            if (request.method == "PUT")
                QCOMPARE((QByteArrayList{request.header("if-match"), request.header("if-none-match")}),
                         (QByteArrayList{QByteArray(), QByteArray("*")}));
        }
        // The next pull finds it where it was stored and keeps it.
        QVERIFY(h.sync().completed);
        QCOMPARE(h.eventRows(), 1);
        QCOMPARE(h.events.getById(event.id)->sync_status, SyncStatus::Synced);
    }

    // A new task goes up under its own name only where nothing is yet: a
    // resource there (a task's, or an event's no task listing shows) stays,
    // and the task takes another name.
    void newTaskNeverReplacesAResourceAtItsName_data()
    {
        QTest::addColumn<QByteArray>("there"); // at "n.ics" before the sync
        QTest::newRow("name held by a task") << vtodo("other", "Theirs");
        QTest::newRow("name held by an event") << vevent("other", "Theirs");
    }

    void newTaskNeverReplacesAResourceAtItsName()
    {
        QFETCH(QByteArray, there);
        Harness h;
        h.fake->putItem("n.ics", there);
        const Task task = h.localTask(QStringLiteral("n"), QStringLiteral("Mine"));
        QVERIFY(h.tasks.insert(task));
        const Outcome outcome = h.sync();
        QVERIFY2(outcome.failures.isEmpty(), qPrintable(outcome.failures.join(QLatin1Char('\n'))));
        QVERIFY(outcome.completed);
        QCOMPARE(h.serverText("n.ics"), there);
        const Task synced = h.tasks.getById(task.id).value();
        const FakeCalDavCalendar::Item item = h.fake->items.value(synced.href.toUtf8());
        QCOMPARE(todosIn(item.data), QStringList{"n: Mine"});
        QCOMPARE(synced.etag, QString::fromUtf8(item.etag));
        QCOMPARE(synced.sync_status, SyncStatus::Synced);
        const QList<Task> rows = h.tasks.getByCalendar(h.calendar.id);
        QVERIFY(h.sync().completed);
        QCOMPARE(h.tasks.getByCalendar(h.calendar.id), rows);
        QCOMPARE(h.fake->items.size(), 2);
    }

    // A task edited here whose zone no TZID carries as read stays pending
    // and unsent, its stored text as it was, and the run says why; a zone
    // a TZID carries quoted goes up as read.
    void taskTheWriterRefusesStaysUnsent_data()
    {
        QTest::addColumn<QByteArray>("zone"); // as the server's copy names it
        QTest::addColumn<bool>("sent");
        QTest::newRow("zone with a quote") << QByteArray("Asia/Kolkat\"a") << false;
        QTest::newRow("zone with a comma") << QByteArray("\"Office, Main\"") << true;
    }

    void taskTheWriterRefusesStaysUnsent()
    {
        QFETCH(QByteArray, zone);
        QFETCH(bool, sent);
        Harness h;
        const QByteArray due = "DUE;TZID=" + zone + ":20260302T090000";
        h.fake->putItem("odd.ics", QByteArray(vtodo("odd", "Odd")).replace("END:VTODO", due + "\r\nEND:VTODO"));
        QVERIFY(h.sync().completed);
        const QByteArray before = h.serverText("odd.ics");
        Task task = h.tasks.getByUidAndCalendar(QStringLiteral("odd"), h.calendar.id).value();
        task.title = QStringLiteral("Odd, edited");
        TaskEditor editor(&h.tasks, &h.calendars);
        const QRegularExpression refused(QStringLiteral("^\\[Ics\\] Task Odd, edited is not written"));
        for (int i = sent ? 0 : 2; i > 0; --i)
            QTest::ignoreMessage(QtWarningMsg, refused);
        QVERIFY(editor.update(task).ok);
        const Outcome outcome = h.sync();
        const Task row = h.tasks.getById(task.id).value();
        QVERIFY(row.raw_icalendar.contains(QString::fromUtf8(due)));
        QCOMPARE(row.sync_status, sent ? SyncStatus::Synced : SyncStatus::Pending);
        QCOMPARE(outcome.failures,
                 sent ? QStringList()
                      : QStringList{"1 item(s) could not be sent to the server: \"Odd, edited\" (its UID or time "
                                    "zone cannot be written as it is)"});
        QCOMPARE(h.serverText("odd.ics") == before, !sent);
        QCOMPARE(todosIn(h.serverText("odd.ics")), QStringList{sent ? "odd: Odd, edited" : "odd: Odd"});
    }

    void rowEditedWhilePushInFlightStaysPending()
    {
        Harness h;
        const Event event = h.localEvent(QStringLiteral("busy"), QStringLiteral("First"));
        QVERIFY(h.events.insert(event));
        EventRepository *events = &h.events;
        const QString id = event.id;
        h.fake->hook = [events, id](const Request &request) -> std::optional<Reply> {
            if (request.method == "PUT") {
                Event edited = events->getById(id).value();
                edited.title = QStringLiteral("Second");
                edited.last_modified = edited.last_modified.addSecs(5);
                if (!events->update(edited))
                    qFatal("setup write refused");
            }
            return std::nullopt;
        };
        QVERIFY(h.sync().completed);
        const Event after = h.events.getById(id).value();
        QCOMPARE(after.sync_status, SyncStatus::Pending);
        QCOMPARE(after.title, QStringLiteral("Second"));
        QVERIFY(!after.href.isEmpty());
        QVERIFY(!after.etag.isEmpty());

        // The next run sends the second version as an update.
        h.fake->hook = nullptr;
        QVERIFY(h.sync().completed);
        QCOMPARE(h.events.getById(id)->sync_status, SyncStatus::Synced);
        QVERIFY(h.fake->items.value(after.href.toUtf8()).data.contains("SUMMARY:Second"));
    }

    void oneFailingItemDoesNotBlockTheOthers()
    {
        Harness h;
        for (const char *uid : {"a", "b", "c"})
            QVERIFY(h.events.insert(h.localEvent(QString::fromLatin1(uid), QStringLiteral("Item ") + QLatin1String(uid))));
        h.fake->hook = [](const Request &request) -> std::optional<Reply> {
            if (request.method == "PUT" && request.target.endsWith("/b.ics")) {
                Reply reply;
                reply.status = 507;
                return reply;
            }
            return std::nullopt;
        };
        const Outcome outcome = h.sync();
        QVERIFY(!outcome.completed);
        QCOMPARE(outcome.failures.size(), 1);
        QVERIFY2(outcome.failures.first().contains(QStringLiteral("\"Item b\" (HTTP 507)")), qPrintable(outcome.failures.first()));
        QCOMPARE(h.byUid(QStringLiteral("a"))->sync_status, SyncStatus::Synced);
        QCOMPARE(h.byUid(QStringLiteral("b"))->sync_status, SyncStatus::Pending);
        QCOMPARE(h.byUid(QStringLiteral("c"))->sync_status, SyncStatus::Synced);
    }

    void updateOfResourceDeletedOnServerIsRecreated()
    {
        Harness h;
        h.fake->putItem("gone.ics", vevent("gone", "Original"));
        QVERIFY(h.sync().completed);
        Event row = h.events.getById(h.byUid(QStringLiteral("gone"))->id).value();
        row.title = QStringLiteral("Edited here");
        row.sync_status = SyncStatus::Pending;
        QVERIFY(h.events.update(row));
        h.fake->items.clear(); // deleted by another client
        h.server.clearRequests();

        QVERIFY(h.sync().completed);
        QCOMPARE(h.byUid(QStringLiteral("gone"))->sync_status, SyncStatus::Synced);
        QVERIFY(h.fake->items.value(h.fake->path() + "gone.ics").data.contains("SUMMARY:Edited here"));
        QList<Request> puts;
        for (const Request &request : h.server.requests()) {
            if (request.method == "PUT")
                puts.append(request);
        }
        QCOMPARE(puts.size(), 2);
        QVERIFY(!puts.at(0).header("if-match").isEmpty());
        QCOMPARE(puts.at(1).header("if-none-match"), QByteArray("*"));
        QVERIFY(puts.at(1).header("if-match").isEmpty());
    }

    void concurrentEditFailsTheItemAndKeepsItPending()
    {
        Harness h;
        h.fake->putItem("c.ics", vevent("c", "Original"));
        QVERIFY(h.sync().completed);
        Event row = h.events.getById(h.byUid(QStringLiteral("c"))->id).value();
        row.title = QStringLiteral("Mine");
        row.sync_status = SyncStatus::Pending;
        QVERIFY(h.events.update(row));
        FakeCalDavCalendar *fake = h.fake.get();
        bool changed = false;
        h.fake->hook = [fake, &changed](const Request &request) -> std::optional<Reply> {
            if (request.method == "PUT" && !changed) {
                // Someone else saves between our pull and our push.
                changed = true;
                fake->putItem("c.ics", vevent("c", "Theirs"));
            }
            return std::nullopt;
        };
        const Outcome outcome = h.sync();
        QVERIFY(!outcome.completed);
        QVERIFY(outcome.failures.first().contains(QStringLiteral("(HTTP 412)")));
        QCOMPARE(h.byUid(QStringLiteral("c"))->sync_status, SyncStatus::Pending);
        QVERIFY(h.fake->items.value(h.fake->path() + "c.ics").data.contains("SUMMARY:Theirs"));

        // The next run learns the new tag and the local edit wins.
        QVERIFY(h.sync().completed);
        QCOMPARE(h.byUid(QStringLiteral("c"))->sync_status, SyncStatus::Synced);
        QVERIFY(h.fake->items.value(h.fake->path() + "c.ics").data.contains("SUMMARY:Mine"));
    }

    void pushMergesEditIntoStoredText()
    {
        Harness h;
        h.fake->putItem("rich.ics",
                        vevent("rich", "Before",
                               "DESCRIPTION:Bring slides\r\nLOCATION:Room 4\r\nRRULE:FREQ=WEEKLY;COUNT=5\r\n"
                               "EXDATE:20260317T090000Z\r\nATTENDEE;CN=Ann:mailto:ann@example.org\r\n"
                               "X-VENDOR-THING:keep me\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:R\r\n"
                               "TRIGGER:-PT10M\r\nEND:VALARM\r\n"));
        QVERIFY(h.sync().completed);
        Event row = h.events.getById(h.byUid(QStringLiteral("rich"))->id).value();
        row.title = QStringLiteral("After");
        row.sync_status = SyncStatus::Pending;
        QVERIFY(h.events.update(row));
        QVERIFY(h.sync().completed);
        const QByteArray stored = h.fake->items.value(h.fake->path() + "rich.ics").data;
        for (const QByteArray &expected : {QByteArray("SUMMARY:After"), QByteArray("DESCRIPTION:Bring slides"),
                                           QByteArray("LOCATION:Room 4"), QByteArray("FREQ=WEEKLY"),
                                           QByteArray("EXDATE"), QByteArray("ann@example.org"),
                                           QByteArray("X-VENDOR-THING:keep me"), QByteArray("BEGIN:VALARM")})
            QVERIFY2(stored.contains(expected), expected.constData());
        QVERIFY(!stored.contains("SUMMARY:Before"));
    }

    void seriesAndOverrideArePushedAsOneResource()
    {
        Harness h;
        h.fake->putItem("series.ics",
                        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Server//EN\r\n"
                        "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260302T090000Z\r\n"
                        "DTEND:20260302T100000Z\r\nRRULE:FREQ=DAILY;COUNT=5\r\nSUMMARY:Standup\r\nEND:VEVENT\r\n"
                        "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\nRECURRENCE-ID:20260303T090000Z\r\n"
                        "DTSTART:20260303T110000Z\r\nDTEND:20260303T120000Z\r\nSUMMARY:Standup moved\r\nEND:VEVENT\r\n"
                        "END:VCALENDAR\r\n");
        QVERIFY(h.sync().completed);
        QCOMPARE(h.eventRows(), 2);
        QList<Event> rows = h.events.getByCalendar(h.calendar.id);
        Event overrideRow = rows.first().recurrence_id.isEmpty() ? rows.last() : rows.first();
        overrideRow.title = QStringLiteral("Standup moved again");
        overrideRow.sync_status = SyncStatus::Pending;
        QVERIFY(h.events.update(overrideRow));

        QVERIFY(h.sync().completed);
        QByteArray stored = h.fake->items.value(h.fake->path() + "series.ics").data;
        QCOMPARE(stored.count("BEGIN:VEVENT"), 2);
        QVERIFY(stored.contains("RRULE:FREQ=DAILY;COUNT=5"));
        QVERIFY(stored.contains("SUMMARY:Standup moved again"));
        QCOMPARE(h.eventRows(), 2);

        // Deleting the override rewrites the series without it.
        QVERIFY(h.events.remove(overrideRow.id));
        QVERIFY(h.sync().completed);
        stored = h.fake->items.value(h.fake->path() + "series.ics").data;
        QCOMPARE(stored.count("BEGIN:VEVENT"), 1);
        QVERIFY(stored.contains("RRULE:FREQ=DAILY;COUNT=5"));
        QCOMPARE(h.eventRows(), 1);
    }

    void deletions()
    {
        Harness h;
        h.fake->putItem("d1.ics", vevent("d1", "Delete me"));
        h.fake->putItem("d2.ics", vevent("d2", "Gone already"));
        QVERIFY(h.sync().completed);
        QVERIFY(h.events.remove(h.byUid(QStringLiteral("d1"))->id));
        QVERIFY(h.events.remove(h.byUid(QStringLiteral("d2"))->id));
        h.fake->items.remove(h.fake->path() + "d2.ics");
        Event local = h.localEvent(QStringLiteral("never"), QStringLiteral("Never pushed"));
        QVERIFY(h.events.insert(local));
        QVERIFY(h.events.remove(local.id));
        h.server.clearRequests();

        QVERIFY(h.sync().completed);
        QCOMPARE(h.eventRows(), 0);
        QVERIFY(h.fake->items.isEmpty());
        int deletes = 0;
        for (const Request &request : h.server.requests()) {
            deletes += request.method == "DELETE" ? 1 : 0;
            QVERIFY(!request.target.contains("never"));
        }
        QCOMPARE(deletes, 2);
    }

    void eventRestoredWhileItsDeleteIsInFlightIsSentAgain()
    {
        Harness h;
        h.fake->putItem("undo.ics", vevent("undo", "Undo me"));
        QVERIFY(h.sync().completed);
        const Event row = h.events.getById(h.byUid(QStringLiteral("undo"))->id).value();
        QVERIFY(h.events.remove(row.id));
        EventRepository *events = &h.events;
        h.fake->hook = [events, row](const Request &request) -> std::optional<Reply> {
            if (request.method == "DELETE")
                if (!events->restore(events->getById(row.id).value()))
                    qFatal("setup write refused");
            return std::nullopt;
        };
        h.sync();
        const std::optional<Event> after = h.events.getById(row.id);
        QVERIFY(after);
        QVERIFY(!after->deleted_at);
        QCOMPARE(after->sync_status, SyncStatus::Pending);
        QVERIFY(after->href.isEmpty());

        h.fake->hook = nullptr;
        QVERIFY(h.sync().completed);
        QCOMPARE(h.events.getById(row.id)->sync_status, SyncStatus::Synced);
        QCOMPARE(h.fake->items.size(), 1);
    }

    void taskNeverStoredOnServerSurvivesPull()
    {
        Harness h;
        Calendar calendar = h.calendars.getById(h.calendar.id).value();
        calendar.supported_components = QStringLiteral("[\"VEVENT\"]");
        calendar.allow_tasks_override = true;
        QVERIFY(h.calendars.update(calendar));
        Task task;
        task.id = QStringLiteral("kept");
        task.calendar_id = h.calendar.id;
        task.uid = QStringLiteral("kept");
        task.title = QStringLiteral("Refused but kept");
        task.sync_status = SyncStatus::Pending;
        task.created = task.last_modified = QDateTime::currentDateTimeUtc();
        task.raw_icalendar = IcsCodec::buildTodo(task);
        QVERIFY(h.tasks.insert(task));
        h.fake->hook = [](const Request &request) -> std::optional<Reply> {
            if (request.method == "PUT") {
                Reply reply;
                reply.status = 403;
                return reply;
            }
            return std::nullopt;
        };
        const Outcome refused = h.sync();
        QVERIFY(refused.completed);
        QVERIFY(refused.failures.first().startsWith(QStringLiteral("\"Refused but kept\" was rejected")));
        QCOMPARE(h.tasks.getById(QStringLiteral("kept"))->sync_status, SyncStatus::Synced);

        // Marked synced without an href, it is not the server's to delete.
        calendar = h.calendars.getById(h.calendar.id).value();
        calendar.allow_tasks_override = true;
        QVERIFY(h.calendars.update(calendar));
        h.fake->hook = nullptr;
        QVERIFY(h.sync().completed);
        QVERIFY(h.tasks.getById(QStringLiteral("kept")));
    }

    void taskPushOn412IsSentAgainOnlyAfterThePull()
    {
        Harness h;
        h.fake->putItem("t.ics", vtodo("t", "Task"));
        QVERIFY(h.sync().completed);
        Task task = h.tasks.getByUidAndCalendar(QStringLiteral("t"), h.calendar.id).value();
        task.title = QStringLiteral("Task edited");
        task.sync_status = SyncStatus::Pending;
        QVERIFY(h.tasks.update(task));
        FakeCalDavCalendar *fake = h.fake.get();
        bool changed = false;
        h.fake->hook = [fake, &changed](const Request &request) -> std::optional<Reply> {
            if (request.method == "PUT" && !changed) {
                changed = true;
                fake->putItem("t.ics", vtodo("t", "Task theirs"));
            }
            return std::nullopt;
        };
        // The other side's copy is never overwritten unseen: the task stays
        // pending until a pull has read that copy.
        QVERIFY(!h.sync().completed);
        QCOMPARE(h.tasks.getById(task.id)->sync_status, SyncStatus::Pending);
        QVERIFY(h.fake->items.value(h.fake->path() + "t.ics").data.contains("SUMMARY:Task theirs"));
        QVERIFY(h.sync().completed);
        QCOMPARE(h.tasks.getById(task.id)->sync_status, SyncStatus::Synced);
        QVERIFY(h.fake->items.value(h.fake->path() + "t.ics").data.contains("SUMMARY:Task edited"));
    }

    // A moved task's old copy waits on its server while its copy, the last
    // of its moves, is to be uploaded to a server, and goes once it never
    // will be. The first calendar it passed through may sync first.
    void movedTaskLeavesItsServerOnlyOnceItsCopyNeedsNoUpload_data()
    {
        QTest::addColumn<QStringList>("moves"); // the calendars it goes to in turn
        QTest::addColumn<bool>("throughSynced");
        QTest::addColumn<bool>("copyDeleted");
        QTest::addColumn<bool>("oldCopyGoes");
        QTest::addColumn<bool>("looped"); // the last copy's tombstone linked back to the first
        const QStringList toOther{"other"};
        const QStringList onToThird{"other", "third"};
        const QStringList back{"other", "cal"};
        QTest::newRow("to another server's calendar") << toOther << false << false << false << false;
        QTest::newRow("to a local list") << QStringList{"local"} << false << false << true << false;
        QTest::newRow("copy deleted before its upload") << toOther << false << true << true << false;
        QTest::newRow("moved on before its upload") << onToThird << false << false << false << false;
        QTest::newRow("moved on, the calendar between synced") << onToThird << true << false << false << false;
        QTest::newRow("moved on twice") << QStringList{"other", "third", "fourth"} << true << false << false << false;
        QTest::newRow("moved on, then deleted") << onToThird << true << true << true << false;
        QTest::newRow("moved on to a local list") << QStringList{"other", "local"} << false << false << true << false;
        QTest::newRow("moved back") << back << false << false << true << false;
        QTest::newRow("moved back, the calendar between synced") << back << true << false << true << false;
        // Links that run in a loop end nowhere: the old copy stays.
        QTest::newRow("links in a loop") << onToThird << false << true << false << true;
    }

    void movedTaskLeavesItsServerOnlyOnceItsCopyNeedsNoUpload()
    {
        QFETCH(QStringList, moves);
        QFETCH(bool, throughSynced);
        QFETCH(bool, copyDeleted);
        QFETCH(bool, oldCopyGoes);
        QFETCH(bool, looped);
        Harness h;
        h.fake->putItem("t.ics", vtodo("t", "Task"));
        QVERIFY(h.sync().completed);
        QVERIFY(h.addDeviceCalendar(QStringLiteral("local")));
        LocalHttpServer elsewhere;
        elsewhere.listen();
        const FakeCalDavCalendar between(&elsewhere, "/dav/user/other/");
        for (const QString &id : QStringList{"other", "third", "fourth"}) {
            Calendar calendar = h.calendar;
            calendar.id = id;
            calendar.url = elsewhere.url(QStringLiteral("/dav/user/%1/").arg(id)).toString();
            QVERIFY(h.calendars.insert(calendar));
        }
        const Task original = h.tasks.getByUidAndCalendar(QStringLiteral("t"), h.calendar.id).value();
        TaskEditor editor(&h.tasks, &h.calendars);
        Task copy = original;
        for (const QString &to : moves) {
            Task moved = copy;
            moved.calendar_id = to;
            QString copyId;
            QVERIFY(editor.saveFromForm(moved, copy, &copyId).ok);
            copy = h.tasks.getById(copyId).value();
        }
        if (copyDeleted)
            QVERIFY(editor.remove(copy.id).ok);
        if (looped) {
            QVERIFY(h.tasks.keepMove(copy.id, original.id));
            for (int run = 0; run < 3; ++run)
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("run in a loop")));
        }
        if (throughSynced)
            QVERIFY(h.sync(moves.first()).completed);

        // A copy back here the server refuses at first keeps the old one;
        // taken in the next run, it lets the old one go in the run after.
        h.fake->hook = [](const Request &request) -> std::optional<Reply> {
            Reply reply;
            reply.status = 400;
            return request.method == "PUT" ? std::optional<Reply>(reply) : std::nullopt;
        };
        const Outcome refused = h.sync();
        const bool backHere = moves.last() == h.calendar.id && !copyDeleted;
        QCOMPARE(refused.failures.join(QString()).contains(QLatin1String("kept in \"Work\"")), backHere);
        QCOMPARE(h.fake->items.size(), oldCopyGoes && !backHere ? 0 : 1);
        h.fake->hook = nullptr;
        QVERIFY(h.sync().completed);
        QVERIFY(h.sync().completed);
        QStringList there;
        for (const FakeCalDavCalendar::Item &item : std::as_const(h.fake->items))
            there.append(IcsCodec::parseTodos(QString::fromUtf8(item.data)).value(0).uid);
        QCOMPARE(there,
                 (oldCopyGoes ? QStringList() : QStringList{"t"}) + (backHere ? QStringList{copy.uid} : QStringList()));
        QCOMPARE(h.tasks.getById(original.id).has_value(), !oldCopyGoes);
    }

    // An item moved out of a CalDAV calendar into one kept on this device,
    // out of one, or through one and back: nothing of it is lost (what
    // another client changed before the move reaches the copy; a series'
    // changed occurrence goes with it) and no move's link stays behind once
    // the server has the move.
    void moveThroughACalendarOnThisDeviceLosesNothing_data()
    {
        QTest::addColumn<bool>("task");
        QTest::addColumn<QStringList>("route"); // the calendars it goes to in turn
        QTest::addColumn<QStringList>("onServer");
        QTest::addColumn<QStringList>("onDevice");
        const QStringList changed{"Moved", "Series, theirs"};
        for (const bool task : {false, true}) {
            const char *kind = task ? "task" : "series";
            const QStringList all = task ? QStringList{"Series, theirs"} : changed;
            QTest::addRow("%s to this device", kind) << task << QStringList{"local"} << QStringList() << all;
            QTest::addRow("%s from this device", kind)
                << task << QStringList{"cal"} << (task ? QStringList{"Series"} : QStringList{"Moved", "Series"})
                << QStringList();
            QTest::addRow("%s through this device", kind) << task << QStringList{"local", "cal"} << all << QStringList();
        }
    }

    void moveThroughACalendarOnThisDeviceLosesNothing()
    {
        QFETCH(bool, task);
        QFETCH(QStringList, route);
        QFETCH(QStringList, onServer);
        QFETCH(QStringList, onDevice);
        Harness h;
        const Calendar device = h.addDeviceCalendar(QStringLiteral("local")).value_or(Calendar());
        QVERIFY(!device.id.isEmpty());
        const bool fromDevice = route.first() == h.calendar.id;
        const QByteArray occurrence = "BEGIN:VEVENT\r\nUID:s\r\nDTSTAMP:20260101T000000Z\r\n"
                                      "RECURRENCE-ID:20260311T090000Z\r\nDTSTART:20260311T150000Z\r\n"
                                      "DTEND:20260311T160000Z\r\nSUMMARY:Moved\r\nEND:VEVENT\r\n";
        const QByteArray text = task ? vtodo("s", "Series")
                                     : vevent("s", "Series", "RRULE:FREQ=DAILY;COUNT=3\r\n")
                                           .replace("END:VCALENDAR", occurrence + "END:VCALENDAR");
        h.fake->putItem("s.ics", text);
        QVERIFY(h.sync().completed);
        if (fromDevice) {
            // Stored on this device only: as the rows read, without a server.
            h.fake->items.clear();
            QVERIFY(h.store.exec(QStringLiteral("UPDATE events SET calendar_id = 'local', href = NULL, etag = NULL, "
                                                "sync_status = 'pending'")));
            QVERIFY(h.store.exec(QStringLiteral("UPDATE tasks SET calendar_id = 'local', href = NULL, etag = NULL, "
                                                "sync_status = 'pending'")));
        } else {
            QVERIFY(writtenThere(h.fake.get(), "s.ics", "SUMMARY:Series", "SUMMARY:Series\\, theirs"));
        }
        EventEditor events(&h.events, &h.calendars, h.store.db(), nullptr);
        TaskEditor tasks(&h.tasks, &h.calendars);
        const auto movedTo = [](auto row, const QString &to) {
            row.calendar_id = to;
            return row;
        };
        for (const QString &to : route) {
            const QString from = fromDevice || to != route.first() ? device.id : h.calendar.id;
            const Task todo = h.tasks.getByCalendar(from).value(0);
            const Event series = h.events.getByCalendar(from).value(0); // the series starts first
            QVERIFY(task ? tasks.saveFromForm(movedTo(todo, to), todo).ok
                         : events.saveForm(series, movedTo(series, to)).ok);
        }
        // Each row left behind merges the change first: a series and its occurrence.
        for (int left = fromDevice ? 0 : task ? 1 : 2; left > 0; --left)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("was changed on the server and here")));
        QVERIFY(h.sync().completed);
        QVERIFY(h.sync().completed);

        QString there;
        for (const FakeCalDavCalendar::Item &item : std::as_const(h.fake->items))
            there += QString::fromUtf8(item.data);
        QStringList titles[2];
        for (const Event &event : IcsCodec::parseEvents(there) + h.events.getByCalendar(device.id))
            titles[event.calendar_id == device.id].append(event.title);
        for (const Task &todo : IcsCodec::parseTodos(there) + h.tasks.getByCalendar(device.id))
            titles[todo.calendar_id == device.id].append(todo.title);
        titles[0].sort();
        titles[1].sort();
        QCOMPARE(titles[0], onServer);
        QCOMPARE(titles[1], onDevice);
        QCOMPARE(h.store.count(QStringLiteral("event_moves")) + h.store.count(QStringLiteral("task_moves")), 0);
    }

    void taskRefusedByForcedCalendarMovesToLocalList()
    {
        Harness h;
        Calendar calendar = h.calendars.getById(h.calendar.id).value();
        calendar.supported_components = QStringLiteral("[\"VEVENT\"]");
        calendar.allow_tasks_override = true;
        QVERIFY(h.calendars.update(calendar));
        Account local;
        local.id = QStringLiteral("local");
        local.name = QStringLiteral("Local");
        local.type = AccountType::Tindlebrook;
        QVERIFY(h.accounts.insert(local));
        Calendar personal;
        personal.id = QStringLiteral("personal");
        personal.account_id = QStringLiteral("local");
        personal.url = QStringLiteral("local://calendar/personal");
        personal.name = QStringLiteral("Personal");
        personal.supported_components = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
        QVERIFY(h.calendars.insert(personal));
        Task task;
        task.id = QStringLiteral("task-1");
        task.calendar_id = h.calendar.id;
        task.uid = QStringLiteral("task-1");
        task.title = QStringLiteral("Buy milk");
        task.sync_status = SyncStatus::Pending;
        task.created = task.last_modified = QDateTime::currentDateTimeUtc();
        task.raw_icalendar = IcsCodec::buildTodo(task);
        QVERIFY(h.tasks.insert(task));
        h.fake->hook = [](const Request &request) -> std::optional<Reply> {
            if (request.method == "PUT") {
                Reply reply;
                reply.status = 403;
                return reply;
            }
            return std::nullopt;
        };
        const Outcome outcome = h.sync();
        QVERIFY(outcome.completed);
        QCOMPARE(outcome.failures.size(), 1);
        QVERIFY(outcome.failures.first().startsWith(QStringLiteral("\"Buy milk\" was moved to your local task list")));
        QCOMPARE(h.tasks.getById(QStringLiteral("task-1"))->calendar_id, QStringLiteral("personal"));
        QVERIFY(!h.calendars.getById(h.calendar.id)->allow_tasks_override);
    }
};

QTEST_GUILESS_MAIN(TestCalDavSyncClient)
#include "tst_caldavsyncclient.moc"
