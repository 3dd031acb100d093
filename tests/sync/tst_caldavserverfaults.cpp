// A CalDAV sync against Radicale and Xandikos when answers go astray (a
// captive portal, a server that rewrites what it is sent or keeps a tag),
// when both sides changed an item, and when the store refuses a removal the
// server asks for.
#include "tests/sync/caldavsyncharness.h"

#include "app/edits/eventremoval.h"
#include "app/edits/taskeditor.h"
#include "tests/support/davfaultproxy.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/xandikosserver.h"
#include "tests/sync/sharedtaskresource.h"

#include <QRegularExpression>

using Reply = LocalHttpServer::Reply;
using Request = LocalHttpServer::Request;

namespace {

using namespace SharedTaskResource;

const QByteArray kHead = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Server//EN\r\n";
const QByteArray kTail = "END:VCALENDAR\r\n";

QByteArray item(const QByteArray &component, const QByteArray &uid, const QByteArray &lines)
{
    const QByteArray times = component == "VEVENT" ? "DTSTART:20260310T090000Z\r\nDTEND:20260310T100000Z\r\n" : "";
    return kHead + "BEGIN:" + component + "\r\nUID:" + uid + "\r\nDTSTAMP:20260101T000000Z\r\n" + times + lines
        + "END:" + component + "\r\n" + kTail;
}

QByteArray seriesText(bool withMovedCopy)
{
    QByteArray text = kHead
        + "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260302T090000Z\r\n"
          "DTEND:20260302T100000Z\r\nRRULE:FREQ=DAILY;COUNT=5\r\nSUMMARY:Standup\r\nEND:VEVENT\r\n";
    if (withMovedCopy)
        text += "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\nRECURRENCE-ID:20260303T090000Z\r\n"
                "DTSTART:20260303T110000Z\r\nDTEND:20260303T120000Z\r\nSUMMARY:Standup moved\r\nEND:VEVENT\r\n";
    return text + kTail;
}

Reply webPage()
{
    Reply reply;
    reply.status = 200;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("text/html; charset=utf-8")));
    reply.body = "<!DOCTYPE html><html><body>Sign in to the hotel network</body></html>";
    return reply;
}

Reply refused()
{
    Reply reply;
    reply.status = 412;
    return reply;
}

// The item "rounds" as another client stored it, `lines` in its own
// component: a task, a task series with one occurrence moved, or an event.
QByteArray rounds(const QString &shape, const QByteArray &lines)
{
    if (shape == QLatin1String("event"))
        return item("VEVENT", "rounds", "SUMMARY:Rounds\r\n" + lines);
    if (shape == QLatin1String("task"))
        return item("VTODO", "rounds", "SUMMARY:Rounds\r\n" + lines);
    return kHead
        + "BEGIN:VTODO\r\nUID:rounds\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260302T090000Z\r\n"
          "DUE:20260302T100000Z\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\nSUMMARY:Rounds\r\n"
        + lines
        + "END:VTODO\r\nBEGIN:VTODO\r\nUID:rounds\r\nDTSTAMP:20260101T000000Z\r\n"
          "RECURRENCE-ID:20260309T090000Z\r\nDTSTART:20260309T110000Z\r\nDUE:20260309T120000Z\r\n"
          "SUMMARY:Rounds moved\r\nEND:VTODO\r\n"
        + kTail;
}

// Title and description of the item "rounds" (its series' own component) in
// a server's copy.
QStringList roundsSays(const QByteArray &text)
{
    const QString decoded = IcsCodec::decodeText(text);
    for (const Task &task : IcsCodec::parseTodoResource(decoded))
        return {task.title, task.description};
    for (const Event &event : IcsCodec::parseEvents(decoded)) {
        if (event.recurrence_id.isEmpty())
            return {event.title, event.description};
    }
    return {};
}

// Every upload's DTSTAMP pinned to one second, as every upload within one
// second has it: an item sent again unchanged is the same text.
void pinStamps(DavFaultProxy *proxy)
{
    proxy->hook = [proxy](const Request &request) -> std::optional<Reply> {
        if (request.method != "PUT")
            return std::nullopt;
        static const QRegularExpression stamp(QStringLiteral("DTSTAMP:[0-9TZ]+"));
        Request pinned = request;
        pinned.body
            = QString::fromUtf8(request.body).replace(stamp, QStringLiteral("DTSTAMP:20260101T000000Z")).toUtf8();
        return proxy->forward(pinned);
    };
}

std::unique_ptr<DavServerProcess> makeServer(const QString &kind)
{
    if (kind == QLatin1String("xandikos"))
        return std::make_unique<XandikosServer>();
    return std::make_unique<RadicaleServer>();
}

// A store with one calendar on a real server (Radicale unless told),
// reached through a fault proxy.
class DavBench
{
public:
    explicit DavBench(const QString &kind = QStringLiteral("radicale"))
        : server(makeServer(kind))
        , events(store.db())
        , tasks(store.db())
        , calendars(store.db())
        , accounts(store.db())
        , proxy(server.get())
        , client(CalDavRepositories{store.db(), &events, &tasks, &calendars, &accounts})
    {
    }

    bool start()
    {
        if (!server->start() || !server->createCalendar(QStringLiteral("work"), QStringLiteral("Work"))
            || !proxy.listen())
            return false;
        Account account;
        account.id = QStringLiteral("acc");
        account.name = server->name();
        account.type = AccountType::CalDav;
        account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
        calendar.id = QStringLiteral("cal");
        calendar.account_id = account.id;
        calendar.url = proxy.url(server->calendarUrl(QStringLiteral("work"))).toString();
        calendar.name = QStringLiteral("Work");
        calendar.sync_enabled = true;
        calendar.supported_components = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
        return accounts.insert(account) && calendars.insert(calendar);
    }

    CalDavOutcome sync()
    {
        CalDavOutcome outcome;
        QSignalSpy completed(&client, &CalDavSyncClient::calendarSyncCompleted);
        QSignalSpy failed(&client, &CalDavSyncClient::calendarSyncFailed);
        client.syncCalendar(calendars.getById(calendar.id).value(), QString(), server->user(), server->password(),
                            QString());
        if (!QTest::qWaitFor([&] { return !completed.isEmpty() || !failed.isEmpty(); }, 30000))
            outcome.failures.append(QStringLiteral("the run never ended"));
        outcome.completed = !completed.isEmpty() && failed.isEmpty();
        for (const QList<QVariant> &args : failed)
            outcome.failures.append(args.at(1).toString());
        return outcome;
    }

    QUrl itemUrl(const QByteArray &name) const
    {
        return server->calendarUrl(QStringLiteral("work")).resolved(QUrl(QString::fromUtf8(name)));
    }
    bool put(const QByteArray &name, const QByteArray &text) const
    {
        const int status = server->putIcs(itemUrl(name), text).status;
        return status == 201 || status == 204;
    }
    DavServerProcess::HttpResult onServer(const QByteArray &name) const { return server->get(itemUrl(name)); }
    QString serverTag(const QByteArray &name) const
    {
        return QString::fromUtf8(onServer(name).headers.value("etag")).remove(QLatin1Char('"'));
    }

    std::unique_ptr<DavServerProcess> server;
    TestStore store;
    EventRepository events;
    TaskRepository tasks;
    CalendarRepository calendars;
    AccountRepository accounts;
    DavFaultProxy proxy;
    CalDavSyncClient client;
    Calendar calendar;
};

} // namespace

class TestCalDavServerFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A task edited here keeps what other clients put in the server's copy:
    // properties this program does not model, and where the server copy
    // changed meanwhile, each side's changes, the local one where both
    // changed the same property.
    void taskEditedHereKeepsWhatTheServerChangedOrAdded_data()
    {
        QTest::addColumn<QByteArray>("baseLines");
        QTest::addColumn<QByteArray>("serverLines");
        QTest::addColumn<QStringList>("localEdit"); // title, description
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("server describes it, user renames")
            << QByteArray("SUMMARY:Pack\r\n")
            << QByteArray("SUMMARY:Pack\r\nDESCRIPTION:Passport first\r\nX-OTHER-CLIENT-NOTE:blue bag\r\n")
            << QStringList{"Pack the car", ""} << QStringList{"Pack the car", "Passport first"};
        QTest::newRow("both rename: local wins")
            << QByteArray("SUMMARY:Pack\r\n") << QByteArray("SUMMARY:Pack (there)\r\nX-OTHER-CLIENT-NOTE:blue bag\r\n")
            << QStringList{"Pack (here)", ""} << QStringList{"Pack (here)", ""};
        QTest::newRow("server unchanged, user renames")
            << QByteArray("SUMMARY:Pack\r\nX-OTHER-CLIENT-NOTE:blue bag\r\n")
            << QByteArray("SUMMARY:Pack\r\nX-OTHER-CLIENT-NOTE:blue bag\r\n") << QStringList{"Pack the car", ""}
            << QStringList{"Pack the car", ""};
        QTest::newRow("user clears what the server kept")
            << QByteArray("SUMMARY:Pack\r\nDESCRIPTION:Old list\r\n")
            << QByteArray("SUMMARY:Pack\r\nDESCRIPTION:Old list\r\nX-OTHER-CLIENT-NOTE:blue bag\r\n")
            << QStringList{"Pack", ""} << QStringList{"Pack", ""};
    }

    void taskEditedHereKeepsWhatTheServerChangedOrAdded()
    {
        QFETCH(QByteArray, baseLines);
        QFETCH(QByteArray, serverLines);
        QFETCH(QStringList, localEdit);
        QFETCH(QStringList, expected);
        DavBench b;
        QVERIFY2(b.start(), qPrintable(b.server->errorText()));
        QVERIFY(b.put("pack.ics", item("VTODO", "pack", baseLines)));
        QVERIFY(b.sync().completed);
        Task edited = b.tasks.getByUidAndCalendar(QStringLiteral("pack"), b.calendar.id).value();
        edited.title = localEdit.at(0);
        edited.description = localEdit.at(1);
        edited.sync_status = SyncStatus::Pending;
        // As the task pane and form store an edit.
        edited.raw_icalendar = IcsCodec::buildTodo(edited);
        QVERIFY(b.tasks.update(edited));
        if (serverLines != baseLines) {
            QVERIFY(b.put("pack.ics", item("VTODO", "pack", serverLines)));
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("was changed on the server and here")));
        }

        QVERIFY(b.sync().completed);
        const QByteArray text = b.onServer("pack.ics").body;
        const QList<Task> onServer = IcsCodec::parseTodos(QString::fromUtf8(text));
        QCOMPARE(onServer.size(), 1);
        QCOMPARE((QStringList{onServer.first().title, onServer.first().description}), expected);
        QVERIFY2(text.contains("X-OTHER-CLIENT-NOTE:blue bag\r\n"), text.constData());
        const Task stored = b.tasks.getById(edited.id).value();
        QCOMPARE((QStringList{stored.title, stored.description}), expected);
        QCOMPARE(stored.sync_status, SyncStatus::Synced);
        QCOMPARE(stored.etag, b.serverTag("pack.ics"));
        QCOMPARE(b.tasks.syncBase(stored.id), std::nullopt);
    }

    // Updates and deletes answered by a captive portal's page never count
    // as done: the row stays pending (or the tombstone stays) and the next
    // run sends it.
    void updatesAndDeletesAnsweredByAWebPageAreSentAgain_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("event update") << QStringLiteral("event update");
        QTest::newRow("task completion") << QStringLiteral("task completion");
        QTest::newRow("event delete") << QStringLiteral("event delete");
        QTest::newRow("task delete") << QStringLiteral("task delete");
    }

    void updatesAndDeletesAnsweredByAWebPageAreSentAgain()
    {
        QFETCH(QString, change);
        const bool isTask = change.startsWith(QLatin1String("task"));
        const bool isDelete = change.endsWith(QLatin1String("delete"));
        const QByteArray name = isTask ? "errand.ics" : "dinner.ics";
        DavBench b;
        QVERIFY2(b.start(), qPrintable(b.server->errorText()));
        QVERIFY(b.put("dinner.ics", item("VEVENT", "dinner", "SUMMARY:Dinner\r\n")));
        QVERIFY(b.put("errand.ics", item("VTODO", "errand", "SUMMARY:Errand\r\n")));
        QVERIFY(b.sync().completed);
        const QByteArray before = b.onServer(name).body;
        QString id;
        if (isTask) {
            Task task = b.tasks.getByUidAndCalendar(QStringLiteral("errand"), b.calendar.id).value();
            id = task.id;
            QVERIFY(isDelete ? b.tasks.remove(id) : TaskEditor(&b.tasks, &b.calendars).setCompleted(id, true).ok);
        } else {
            Event event = b.events.getByUid(QStringLiteral("dinner"), b.calendar.id).value();
            id = event.id;
            event.title = QStringLiteral("Dinner at eight");
            event.sync_status = SyncStatus::Pending;
            QVERIFY(isDelete ? b.events.remove(id) : b.events.update(event));
        }
        b.proxy.hook = [](const Request &request) -> std::optional<Reply> {
            if (request.method == "PUT" || request.method == "DELETE")
                return webPage();
            return std::nullopt;
        };

        CalDavOutcome outcome = b.sync();
        QVERIFY(!outcome.completed);
        QCOMPARE(outcome.failures.size(), 1);
        QVERIFY2(outcome.failures.first().startsWith(QStringLiteral("1 item(s) could not be sent to the server")),
                 qPrintable(outcome.failures.first()));
        QCOMPARE(b.onServer(name).body, before);
        const QString status = isTask ? toText(b.tasks.getById(id).value().sync_status) : toText(b.events.getById(id).value().sync_status);
        QCOMPARE(status, QStringLiteral("pending"));

        // Back on the real network: the change reaches the server and stays.
        b.proxy.hook = nullptr;
        QVERIFY(b.sync().completed);
        QVERIFY(b.sync().completed);
        if (isDelete) {
            QCOMPARE(b.onServer(name).status, 404);
            QCOMPARE(isTask ? b.tasks.getById(id).has_value() : b.events.getById(id).has_value(), false);
            return;
        }
        const QByteArray after = b.onServer(name).body;
        QVERIFY2(after.contains(isTask ? "STATUS:COMPLETED" : "SUMMARY:Dinner at eight"), after.constData());
        const QString synced = isTask ? toText(b.tasks.getById(id).value().sync_status) : toText(b.events.getById(id).value().sync_status);
        QCOMPARE(synced, QStringLiteral("synced"));
    }

    // An edit refused with 412 goes again only where nothing is left to
    // overwrite. When a captive portal answers that resend, the copy read
    // back is not what was sent: the edit stays pending and reaches the
    // server at the next clean run, after a second refusal too, and a copy
    // someone else wrote meanwhile is merged with it, never replaced unseen.
    // So too when the portal answers the edit itself as someone else writes:
    // that copy's new tag does not make it this upload's.
    void editAnsweredByAWebPageIsSentAgain_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("then");
        for (const char *shape : {"task", "task series", "event"}) {
            for (const char *kind : {"radicale", "xandikos"})
                QTest::addRow("%s, %s, then a good sync", shape, kind) << kind << shape << "a good sync";
            QTest::addRow("%s, refused again", shape) << "radicale" << shape << "refused again";
            QTest::addRow("%s, written elsewhere meanwhile", shape) << "radicale" << shape << "written elsewhere";
            QTest::addRow("%s, not refused, written elsewhere meanwhile", shape)
                << "radicale" << shape << "written elsewhere, not refused";
        }
    }

    void editAnsweredByAWebPageIsSentAgain()
    {
        QFETCH(QString, kind);
        QFETCH(QString, shape);
        QFETCH(QString, then);
        const bool isTask = shape.startsWith(QLatin1String("task"));
        const bool elsewhere = then.startsWith(QLatin1String("written elsewhere"));
        const bool refusedFirst = !then.endsWith(QLatin1String("not refused"));
        const QString edited = QStringLiteral("Rounds, edited here");
        DavBench b(kind);
        QVERIFY2(b.start(), qPrintable(b.server->errorText()));
        QVERIFY(b.put("rounds.ics", rounds(shape, QByteArray())));
        QVERIFY(b.sync().completed);
        QString id;
        if (isTask) {
            Task task = b.tasks.getByUidAndCalendar(QStringLiteral("rounds"), b.calendar.id).value();
            id = task.id;
            task.title = edited;
            QVERIFY(TaskEditor(&b.tasks, &b.calendars).update(task).ok);
        } else {
            Event event = b.events.getByUid(QStringLiteral("rounds"), b.calendar.id).value();
            id = event.id;
            event.title = edited;
            event.sync_status = SyncStatus::Pending;
            QVERIFY(b.events.update(event));
        }
        auto rowSays = [&] {
            if (isTask) {
                const Task row = b.tasks.getById(id).value();
                return QStringList{row.title, toText(row.sync_status), row.etag};
            }
            const Event row = b.events.getById(id).value();
            return QStringList{row.title, toText(row.sync_status), row.etag};
        };
        const QString firstTag = b.serverTag("rounds.ics");
        QByteArray before = b.onServer("rounds.ics").body;
        // Someone else writes between this run's pull and its upload.
        const QByteArray theirs = rounds(shape, "DESCRIPTION:Bring the keys\r\n");
        QList<QByteArray> resendConditions;
        bool wroteTheirs = false;
        int puts = 0;
        b.proxy.hook = [&](const Request &request) -> std::optional<Reply> {
            if (request.method != "PUT")
                return std::nullopt;
            if (++puts == 1) {
                if (elsewhere) {
                    wroteTheirs = b.put("rounds.ics", theirs);
                    before = b.onServer("rounds.ics").body;
                }
                return refusedFirst ? refused() : webPage();
            }
            resendConditions.append(request.header("if-none-match"));
            return webPage();
        };

        const CalDavOutcome outcome = b.sync();
        const QString unconfirmed = QStringLiteral("1 item(s) could not be sent to the server: \"%1\" (HTTP %2)");
        QCOMPARE(outcome.failures, QStringList{unconfirmed.arg(edited).arg(200)});
        QCOMPARE(wroteTheirs, elsewhere);
        QCOMPARE(resendConditions, refusedFirst ? QList<QByteArray>{"*"} : QList<QByteArray>());
        QCOMPARE(b.onServer("rounds.ics").body, before);
        QCOMPARE(rowSays(), (QStringList{edited, QStringLiteral("pending"), firstTag}));

        if (then == QLatin1String("refused again")) {
            // Refused once more, and the resend meets the server's copy.
            puts = 0;
            b.proxy.hook = [&puts](const Request &request) -> std::optional<Reply> {
                if (request.method == "PUT" && ++puts == 1)
                    return refused();
                return std::nullopt;
            };
            const CalDavOutcome again = b.sync();
            QCOMPARE(again.failures, QStringList{unconfirmed.arg(edited).arg(412)});
            QCOMPARE(puts, 2);
            QCOMPARE(b.onServer("rounds.ics").body, before);
            QCOMPARE(rowSays(), (QStringList{edited, QStringLiteral("pending"), firstTag}));
        }

        b.proxy.hook = nullptr;
        if (elsewhere)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("was changed on the server and here")));
        const CalDavOutcome clean = b.sync();
        QVERIFY2(clean.completed, qPrintable(clean.failures.join(QLatin1Char('\n'))));
        const QByteArray after = b.onServer("rounds.ics").body;
        const QString description = elsewhere ? QStringLiteral("Bring the keys") : QString();
        QCOMPARE(roundsSays(after), (QStringList{edited, description}));
        QCOMPARE(after.contains("SUMMARY:Rounds moved"), shape == QLatin1String("task series"));
        QCOMPARE(rowSays(), (QStringList{edited, QStringLiteral("synced"), b.serverTag("rounds.ics")}));
    }

    // Tasks of a resource they share with others (as Xandikos keeps them),
    // edited or deleted here, the upload answered by a captive portal's page
    // while another client renames one of the others: the copy read back is
    // that client's. The changes stay pending, a deletion's tombstone too,
    // and go at the next run, the rename kept.
    void sharedTaskChangeAnsweredByAWebPageIsSentAgain_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("an edit") << QStringList{"edit t0"};
        QTest::newRow("a deletion") << QStringList{"delete t1"};
        QTest::newRow("two deletions") << QStringList{"delete t0", "delete t1"};
    }

    void sharedTaskChangeAnsweredByAWebPageIsSentAgain()
    {
        QFETCH(QStringList, steps);
        DavBench b(QStringLiteral("xandikos"));
        QVERIFY2(b.start(), qPrintable(b.server->errorText()));
        QStringList titles{"Task 0", "Task 1", "Task 2"};
        QVERIFY(b.put("shared.ics", sharedTasks(titles)));
        QVERIFY(b.sync().completed);
        QStringList unsent;
        for (int i = 0; i < steps.size(); ++i) {
            Task task = b.tasks.getByUidAndCalendar(steps.at(i).right(2), b.calendar.id).value();
            const bool edit = steps.at(i).startsWith(QLatin1String("edit"));
            if (edit)
                task.title += QLatin1String(", edited");
            unsent.append(QStringLiteral("\"%1\" (HTTP 200)").arg(task.title));
            titles[steps.at(i).right(1).toInt()] = edit ? task.title : QString();
            TaskEditor editor(&b.tasks, &b.calendars);
            QVERIFY(edit ? editor.update(task).ok : editor.remove(task.id).ok);
            // Sent in the order of the steps.
            QVERIFY(b.store.exec(QStringLiteral("UPDATE tasks SET last_modified = '2026-03-01T12:00:0%1Z' "
                                                "WHERE id = '%2'").arg(i).arg(task.id)));
        }
        const QByteArray theirs = sharedTasks({"Task 0", "Task 1", "Task 2, theirs"});
        bool wrote = false;
        b.proxy.hook = [&](const Request &request) -> std::optional<Reply> {
            if (request.method != "PUT")
                return std::nullopt;
            wrote = wrote || b.put("shared.ics", theirs);
            return webPage();
        };

        const CalDavOutcome outcome = b.sync();
        QCOMPARE(outcome.failures, QStringList{QStringLiteral("%1 item(s) could not be sent to the server: %2")
                                                   .arg(steps.size())
                                                   .arg(unsent.join(QLatin1String(", ")))});
        QVERIFY(wrote);
        QCOMPARE(todosIn(b.onServer("shared.ics").body), todosIn(theirs));
        QCOMPARE(b.store.scalar(QStringLiteral("SELECT COUNT(*) FROM tasks WHERE sync_status = 'pending'")).toInt(),
                 steps.size());

        b.proxy.hook = nullptr;
        titles[2] = QStringLiteral("Task 2, theirs");
        const CalDavOutcome clean = b.sync();
        QVERIFY2(clean.completed, qPrintable(clean.failures.join(QLatin1Char('\n'))));
        QCOMPARE(todosIn(b.onServer("shared.ics").body), todosIn(sharedTasks(titles)));
        // The rows hold what the server holds, the deleted ones gone.
        const QList<Task> rows = b.tasks.getByCalendar(b.calendar.id);
        QStringList stored;
        for (const Task &row : rows) {
            QCOMPARE(row.sync_status, SyncStatus::Synced);
            stored += todosIn(row.raw_icalendar.toUtf8());
        }
        stored.sort();
        QCOMPARE(stored, todosIn(sharedTasks(titles)));
        QCOMPARE(b.store.count(QStringLiteral("tasks")), int(rows.size()));
    }

    // A row the server deleted that the store refuses to remove fails the
    // pull and stays for the next one.
    void refusedRemovalFailsThePullAndIsTriedAgain_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("failure");
        QTest::newRow("event") << QStringLiteral("events")
                               << QStringLiteral("1 pulled event(s) could not be saved: Gone");
        QTest::newRow("task") << QStringLiteral("tasks") << QStringLiteral("1 pulled task(s) could not be saved: Gone");
    }

    void refusedRemovalFailsThePullAndIsTriedAgain()
    {
        QFETCH(QString, table);
        QFETCH(QString, failure);
        const QByteArray component = table == QLatin1String("events") ? "VEVENT" : "VTODO";
        DavBench b;
        QVERIFY2(b.start(), qPrintable(b.server->errorText()));
        QVERIFY(b.put("gone.ics", item(component, "gone", "SUMMARY:Gone\r\n")));
        QVERIFY(b.put("stays.ics", item(component, "stays", "SUMMARY:Stays\r\n")));
        QVERIFY(b.sync().completed);
        QCOMPARE(b.server->request("DELETE", b.itemUrl("gone.ics")).status, 200);
        QVERIFY(b.store.exec(QStringLiteral("CREATE TRIGGER refuse_removal BEFORE DELETE ON %1 WHEN OLD.uid = 'gone' "
                                            "BEGIN SELECT RAISE(ABORT, 'refused by test'); END")
                                 .arg(table)));
        const QString countSql = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE uid = 'gone' AND sync_status = 'synced'")
                                     .arg(table);

        const CalDavOutcome outcome = b.sync();
        QCOMPARE(outcome.failures, QStringList{failure});
        QCOMPARE(b.store.scalar(countSql).toInt(), 1);

        QVERIFY(b.store.exec(QStringLiteral("DROP TRIGGER refuse_removal")));
        QVERIFY(b.sync().completed);
        QCOMPARE(b.store.scalar(countSql).toInt(), 0);
    }

    // An occurrence edited here whose moved copy the server dropped puts it
    // back once, instead of failing with 412 on every run.
    void editedOccurrenceTheServerDroppedIsPutBackOnce()
    {
        DavBench b;
        QVERIFY2(b.start(), qPrintable(b.server->errorText()));
        QVERIFY(b.put("series.ics", seriesText(true)));
        QVERIFY(b.sync().completed);
        Event moved;
        for (const Event &row : b.events.getByCalendar(b.calendar.id)) {
            if (!row.recurrence_id.isEmpty())
                moved = row;
        }
        QVERIFY(!moved.id.isEmpty());
        moved.title = QStringLiteral("Standup, edited here");
        moved.sync_status = SyncStatus::Pending;
        QVERIFY(b.events.update(moved));
        QVERIFY(b.put("series.ics", seriesText(false)));
        b.proxy.http().clearRequests();

        const CalDavOutcome outcome = b.sync();
        QVERIFY2(outcome.completed, qPrintable(outcome.failures.join(QLatin1Char('\n'))));
        QVERIFY(b.sync().completed);
        QCOMPARE(b.proxy.count("PUT"), 1);
        const QList<Event> onServer = IcsCodec::parseEvents(QString::fromUtf8(b.onServer("series.ics").body));
        QStringList titles;
        for (const Event &event : onServer)
            titles.append(event.title);
        titles.sort();
        QCOMPARE(titles, (QStringList{"Standup", "Standup, edited here"}));
        QCOMPARE(b.events.getById(moved.id)->sync_status, SyncStatus::Synced);
    }

    // An item sent again unchanged keeps its tag (on Radicale within the
    // same second: the front pins each upload's DTSTAMP, so every run meets
    // that second) while the server keeps its own rewrite of the text: the
    // upload still counts as done, and a series whose moved occurrence was
    // deleted is sent once, with its exclusion.
    void uploadSentAgainUnchangedIsConfirmed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("isTask");
        for (const char *kind : {"radicale", "xandikos"}) {
            QTest::addRow("%s, moved occurrence deleted", kind) << QString::fromLatin1(kind) << false;
            QTest::addRow("%s, task sent again", kind) << QString::fromLatin1(kind) << true;
        }
    }

    void uploadSentAgainUnchangedIsConfirmed()
    {
        QFETCH(QString, kind);
        QFETCH(bool, isTask);
        DavBench b(kind);
        QVERIFY2(b.start(), qPrintable(b.server->errorText()));
        pinStamps(&b.proxy);
        QVERIFY(b.put("series.ics", seriesText(true)));
        Task task;
        task.id = QStringLiteral("errand-row");
        task.calendar_id = b.calendar.id;
        task.uid = QStringLiteral("errand");
        task.title = QStringLiteral("Errand");
        task.sync_status = SyncStatus::Pending;
        task.created = task.last_modified = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC);
        task.raw_icalendar = IcsCodec::buildTodo(task);
        QVERIFY(b.tasks.insert(task));
        QVERIFY(b.sync().completed);
        if (isTask) {
            task = b.tasks.getById(task.id).value();
            task.sync_status = SyncStatus::Pending;
            QVERIFY(b.tasks.update(task));
        } else {
            Event moved;
            for (const Event &row : b.events.getByCalendar(b.calendar.id)) {
                if (!row.recurrence_id.isEmpty())
                    moved = row;
            }
            QVERIFY(EventRemoval::remove(b.store.db(), &b.events, moved));
        }
        b.proxy.http().clearRequests();

        const CalDavOutcome outcome = b.sync();
        QVERIFY2(outcome.completed, qPrintable(outcome.failures.join(QLatin1Char('\n'))));
        const QByteArray name = isTask ? "errand.ics" : "series.ics";
        QCOMPARE(b.proxy.count("PUT", name), 1);
        if (isTask) {
            QCOMPARE(b.tasks.getById(task.id)->sync_status, SyncStatus::Synced);
            QCOMPARE(b.tasks.getById(task.id)->etag, b.serverTag(name));
            return;
        }
        const QList<Event> onServer = IcsCodec::parseEvents(IcsCodec::decodeText(b.onServer(name).body));
        QCOMPARE(onServer.size(), 1);
        QCOMPARE(onServer.first().exception_dates, QStringLiteral("[\"20260303T090000Z\"]"));
        const QList<Event> rows = b.events.getByCalendar(b.calendar.id);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().sync_status, SyncStatus::Synced);
        QCOMPARE(rows.first().etag, b.serverTag(name));
        QVERIFY(b.sync().completed);
    }

    // A task and an event with reminders of a day and an hour and a rule of
    // several parts, sent again unchanged: the server keeps its tag and its
    // own form of them ("-P1D", "-PT1H", the rule's parts in its order), and
    // the upload still counts as done, in one PUT.
    void itemWithRemindersSentAgainIsConfirmed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("isTask");
        for (const char *kind : {"radicale", "xandikos"}) {
            QTest::addRow("%s, event", kind) << QString::fromLatin1(kind) << false;
            QTest::addRow("%s, task", kind) << QString::fromLatin1(kind) << true;
        }
    }

    void itemWithRemindersSentAgainIsConfirmed()
    {
        QFETCH(QString, kind);
        QFETCH(bool, isTask);
        DavBench b(kind);
        QVERIFY2(b.start(), qPrintable(b.server->errorText()));
        pinStamps(&b.proxy);
        const QString id = QStringLiteral("review-row");
        QList<Reminder> reminders(2);
        reminders[0].minutes_before = 1440;
        reminders[1].minutes_before = 60;
        const QString rule = QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE,FR;INTERVAL=2;UNTIL=20261231T230000Z");
        const QDateTime due(QDate(2026, 3, 2), QTime(9, 0), QTimeZone("Europe/Berlin"));
        if (isTask) {
            Task task;
            task.id = id;
            task.calendar_id = b.calendar.id;
            task.uid = QStringLiteral("review");
            task.title = QStringLiteral("Review");
            task.due_date = due;
            task.due_is_date_only = false;
            task.recurrence_rule = rule;
            task.reminders = reminders;
            task.sync_status = SyncStatus::Pending;
            task.created = task.last_modified = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC);
            task.raw_icalendar = IcsCodec::buildTodo(task);
            QVERIFY(b.tasks.insert(task));
        } else {
            Event event;
            event.id = id;
            event.calendar_id = b.calendar.id;
            event.uid = QStringLiteral("review");
            event.title = QStringLiteral("Review");
            event.start_time = due;
            event.end_time = due.addSecs(3600);
            event.timezone = QStringLiteral("Europe/Berlin");
            event.recurrence_rule = rule;
            event.reminders = reminders;
            event.sync_status = SyncStatus::Pending;
            event.created = event.last_modified = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC);
            event.raw_icalendar = IcsCodec::buildEventIcs(event);
            QVERIFY(b.events.insert(event));
        }
        QVERIFY(b.sync().completed);
        const QByteArray stored = b.onServer("review.ics").body;
        QVERIFY2(stored.contains(":-P1D\r\n") && stored.contains(":-PT1H\r\n"), stored.constData());
        // Pending and otherwise untouched, as after an upload whose reply
        // was lost: the same text goes again.
        const QString table = isTask ? QStringLiteral("tasks") : QStringLiteral("events");
        QVERIFY(b.store.exec(QStringLiteral("UPDATE %1 SET sync_status = 'pending' WHERE id = '%2'").arg(table, id)));
        b.proxy.http().clearRequests();

        const CalDavOutcome outcome = b.sync();
        QVERIFY2(outcome.completed, qPrintable(outcome.failures.join(QLatin1Char('\n'))));
        QCOMPARE(b.proxy.count("PUT", "review.ics"), 1);
        QCOMPARE(b.onServer("review.ics").body, stored);
        const SyncStatus status = isTask ? b.tasks.getById(id)->sync_status : b.events.getById(id)->sync_status;
        QCOMPARE(status, SyncStatus::Synced);
        const QString etag = isTask ? b.tasks.getById(id)->etag : b.events.getById(id)->etag;
        QCOMPARE(etag, b.serverTag("review.ics"));
    }

    // A server that stores something other than what it was sent (and so
    // names no tag) is read back: the store holds its text under its tag.
    void uploadTheServerRewroteIsReadBack_data()
    {
        QTest::addColumn<bool>("isTask");
        QTest::newRow("event update") << false;
        QTest::newRow("new task") << true;
    }

    void uploadTheServerRewroteIsReadBack()
    {
        QFETCH(bool, isTask);
        DavBench b;
        QVERIFY2(b.start(), qPrintable(b.server->errorText()));
        QVERIFY(b.put("talk.ics", item("VEVENT", "talk", "SUMMARY:Talk\r\n")));
        QVERIFY(b.sync().completed);
        QString id;
        if (isTask) {
            Task task;
            task.id = QStringLiteral("note-row");
            task.calendar_id = b.calendar.id;
            task.uid = QStringLiteral("note");
            task.title = QStringLiteral("Note");
            task.sync_status = SyncStatus::Pending;
            task.created = task.last_modified = QDateTime::currentDateTimeUtc();
            task.raw_icalendar = IcsCodec::buildTodo(task);
            QVERIFY(b.tasks.insert(task));
            id = task.id;
        } else {
            Event event = b.events.getByUid(QStringLiteral("talk"), b.calendar.id).value();
            event.title = QStringLiteral("Talk, longer");
            event.sync_status = SyncStatus::Pending;
            QVERIFY(b.events.update(event));
            id = event.id;
        }
        const DavServerProcess *server = b.server.get();
        b.proxy.hook = [server](const Request &request) -> std::optional<Reply> {
            if (request.method != "PUT")
                return std::nullopt;
            // The server adds a line of its own and answers without a tag.
            QByteArray body = request.body;
            const qsizetype end = body.indexOf(body.contains("BEGIN:VTODO") ? "END:VTODO" : "END:VEVENT");
            body.insert(end, "X-SERVER-STAMP:kept by the server\r\n");
            const QUrl url = server->baseUrl().resolved(QUrl::fromEncoded(request.target));
            Reply reply;
            reply.status = server->putIcs(url, body).status;
            return reply;
        };

        QVERIFY(b.sync().completed);
        const QByteArray name = isTask ? "note.ics" : "talk.ics";
        const QString text = isTask ? b.tasks.getById(id)->raw_icalendar : b.events.getById(id)->raw_icalendar;
        QVERIFY2(text.contains(QLatin1String("X-SERVER-STAMP:kept by the server")), qPrintable(text));
        const QString etag = isTask ? b.tasks.getById(id)->etag : b.events.getById(id)->etag;
        QCOMPARE(etag, b.serverTag(name));
        const QString status = isTask ? toText(b.tasks.getById(id)->sync_status) : toText(b.events.getById(id)->sync_status);
        QCOMPARE(status, QStringLiteral("synced"));
    }
};

QTEST_GUILESS_MAIN(TestCalDavServerFaults)
#include "tst_caldavserverfaults.moc"
