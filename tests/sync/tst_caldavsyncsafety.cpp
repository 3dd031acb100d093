// What a CalDAV sync does when the server's copy changed under it, when an
// upload is not confirmed, and when a local write fails.
#include "tests/sync/caldavsyncharness.h"

#include "app/edits/eventeditor.h"
#include "app/edits/eventremoval.h"
#include "app/edits/recurringeditscope.h"
#include "app/edits/taskeditor.h"
#include "app/edits/undostack.h"
#include "calendar/recurrence.h"

#include <QRegularExpression>

using Reply = LocalHttpServer::Reply;
using Request = LocalHttpServer::Request;

namespace {

const QByteArray kHead = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Server//EN\r\n";
const QByteArray kTail = "END:VCALENDAR\r\n";

QByteArray vevent(const QByteArray &uid, const QByteArray &title)
{
    return kHead + "BEGIN:VEVENT\r\nUID:" + uid
        + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260310T090000Z\r\nDTEND:20260310T100000Z\r\nSUMMARY:" + title
        + "\r\nEND:VEVENT\r\n" + kTail;
}

QByteArray seriesBlock()
{
    return "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260302T090000Z\r\n"
           "DTEND:20260302T100000Z\r\nRRULE:FREQ=DAILY;COUNT=5\r\nSUMMARY:Standup\r\nEND:VEVENT\r\n";
}

QByteArray overrideBlock()
{
    return "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\nRECURRENCE-ID:20260303T090000Z\r\n"
           "DTSTART:20260303T110000Z\r\nDTEND:20260303T120000Z\r\nSUMMARY:Standup moved\r\nEND:VEVENT\r\n";
}

Event overrideRow(CalDavSyncHarness &h)
{
    for (const Event &row : h.rows()) {
        if (!row.recurrence_id.isEmpty())
            return row;
    }
    return Event();
}

Reply webPage()
{
    Reply reply;
    reply.status = 200;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("text/html; charset=utf-8")));
    reply.body = "<!DOCTYPE html><html><body>Sign in to the hotel network</body></html>";
    return reply;
}

} // namespace

class TestCalDavSyncSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deletingAMovedOccurrenceSkipsItInTheSeries_data()
    {
        QTest::addColumn<QByteArray>("series");
        QTest::addColumn<QString>("skipped");
        QTest::addColumn<QByteArray>("exdate");
        QTest::newRow("timed") << kHead + seriesBlock() + overrideBlock() + kTail << "20260303T090000Z"
                               << QByteArray("EXDATE:20260303T090000Z");
        QTest::newRow("all-day")
            << kHead
                + "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20260302\r\n"
                  "RRULE:FREQ=DAILY;COUNT=5\r\nSUMMARY:Holiday\r\nEND:VEVENT\r\n"
                  "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20260101T000000Z\r\nRECURRENCE-ID;VALUE=DATE:20260303\r\n"
                  "DTSTART;VALUE=DATE:20260304\r\nSUMMARY:Holiday moved\r\nEND:VEVENT\r\n"
                + kTail
            << "20260303" << QByteArray("EXDATE;VALUE=DATE:20260303");
    }

    void deletingAMovedOccurrenceSkipsItInTheSeries()
    {
        QFETCH(QByteArray, series);
        QFETCH(QString, skipped);
        QFETCH(QByteArray, exdate);
        CalDavSyncHarness h;
        h.fake->putItem("series.ics", series);
        QVERIFY(h.sync().completed);
        QCOMPARE(h.rows().size(), 2);
        QVERIFY(h.events.remove(overrideRow(h).id));

        QVERIFY(h.sync().completed);
        const QByteArray text = h.serverText("series.ics");
        QCOMPARE(text.count("BEGIN:VEVENT"), 1);
        QVERIFY2(text.contains(exdate + "\r\n"), text.constData());
        // Here too the series skips the day, after the next pull as well.
        QVERIFY(h.sync().completed);
        const QList<Event> rows = h.rows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().exception_dates, QStringLiteral("[\"%1\"]").arg(skipped));
        QCOMPARE(rows.first().sync_status, SyncStatus::Synced);
    }

    // Undoing a move or resize of one occurrence brings it back where the
    // series puts it: the series goes up again without the change and
    // without skipping its day, as a newer version, also when another
    // device retitled the series meanwhile.
    void undoneOccurrenceChangeComesBackInItsSeries_data()
    {
        QTest::addColumn<bool>("resize");
        QTest::addColumn<bool>("pushedFirst");
        QTest::addColumn<QByteArray>("elsewhere"); // the series' title given elsewhere before the undo
        QTest::newRow("move undone after the push") << false << true << QByteArray();
        QTest::newRow("resize undone after the push") << true << true << QByteArray();
        QTest::newRow("move undone before the push") << false << false << QByteArray();
        QTest::newRow("series retitled elsewhere") << false << true << QByteArray("Daily standup");
    }

    void undoneOccurrenceChangeComesBackInItsSeries()
    {
        QFETCH(bool, resize);
        QFETCH(bool, pushedFirst);
        QFETCH(QByteArray, elsewhere);
        CalDavSyncHarness h;
        h.fake->putItem("series.ics", kHead + seriesBlock() + kTail);
        QVERIFY(h.sync().completed);
        const Event series = h.byUid(QStringLiteral("series")).value();
        const QDateTime occurrence(QDate(2026, 3, 3), QTime(9, 0), Qt::UTC);
        UndoStack undo;
        EventEditor editor(&h.events, &h.calendars, h.store.db(), &undo);
        const auto times = resize ? EventEditor::resized(series, occurrence, 30)
                                  : EventEditor::moved(series, occurrence, 0, 120);
        QVERIFY(editor.changeTimes(series, occurrence, *times,
                                   resize ? EventEditor::TimeEdit::Resize : EventEditor::TimeEdit::Move,
                                   SeriesScope::ThisEvent));
        if (pushedFirst) {
            QVERIFY(h.sync().completed);
            QCOMPARE(h.serverText("series.ics").count("RECURRENCE-ID"), 1);
        }
        if (!elsewhere.isEmpty()) {
            // The series' own title, wherever the upload put the series.
            QByteArray text = h.serverText("series.ics");
            const qsizetype series = text.lastIndexOf("BEGIN:VEVENT", text.indexOf("RRULE:"));
            text.replace(text.indexOf("SUMMARY:Standup\r\n", series), 17, "SUMMARY:" + elsewhere + "\r\n");
            h.fake->putItem("series.ics", text);
            QVERIFY(h.sync().completed);
        }
        undo.undo();
        QVERIFY(h.sync().completed);

        const QByteArray text = h.serverText("series.ics");
        QCOMPARE(text.count("BEGIN:VEVENT"), 1);
        QVERIFY2(!text.contains("EXDATE") && !text.contains("RECURRENCE-ID"), text.constData());
        const Event sent = IcsCodec::parseEvents(QString::fromUtf8(text)).value(0);
        QCOMPARE(sent.title, elsewhere.isEmpty() ? series.title : QString::fromUtf8(elsewhere));
        QVERIFY2(sent.sequence > series.sequence, text.constData());
        // Here the day shows the series' occurrence, after the next pull too.
        QVERIFY(h.sync().completed);
        const QDateTime from = occurrence.addSecs(-6 * 3600);
        const QDateTime to = occurrence.addSecs(6 * 3600);
        const QList<Occurrence> shown = Recurrence::occurrences(h.events.getInRange(from, to), from, to);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().start, occurrence);
        QCOMPARE(h.eventRows(), 1);
    }

    void localEditMeetingANewerServerCopyKeepsWhatTheServerAdded()
    {
        CalDavSyncHarness h;
        h.fake->putItem("both.ics", vevent("both", "Planning"));
        QVERIFY(h.sync().completed);
        Event edited = h.byUid(QStringLiteral("both")).value();
        edited.title = QStringLiteral("Planning, moved here");
        edited.sync_status = SyncStatus::Pending;
        edited.raw_icalendar = IcsCodec::buildEventIcs(edited);
        QVERIFY(h.events.update(edited));
        // Meanwhile another client adds a property this program keeps as text.
        h.fake->putItem("both.ics", kHead
                                        + "BEGIN:VEVENT\r\nUID:both\r\nDTSTAMP:20260102T000000Z\r\n"
                                          "DTSTART:20260310T090000Z\r\nDTEND:20260310T100000Z\r\nSUMMARY:Planning\r\n"
                                          "X-OTHER-CLIENT-NOTE:bring the slides\r\nEND:VEVENT\r\n"
                                        + kTail);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                               "Planning, moved here was changed on the server and here")));
        QVERIFY(h.sync().completed);
        const QByteArray text = h.serverText("both.ics");
        QVERIFY2(text.contains("SUMMARY:Planning\\, moved here\r\n"), text.constData());
        QVERIFY2(text.contains("X-OTHER-CLIENT-NOTE:bring the slides\r\n"), text.constData());
        QCOMPARE(h.byUid(QStringLiteral("both"))->sync_status, SyncStatus::Synced);
    }

    // A conflict takes each modelled property from the side that changed it
    // since the last synced copy, the local side where both did.
    void conflictKeepsWhatEachSideChangedAndLocalWinsWhereBothDid_data()
    {
        QTest::addColumn<QByteArray>("baseLines");
        QTest::addColumn<QByteArray>("serverLines");
        QTest::addColumn<QStringList>("localEdit"); // title, location, description
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("server adds a location, user renames")
            << QByteArray("SUMMARY:Planning\r\n") << QByteArray("SUMMARY:Planning\r\nLOCATION:Room 4\r\n")
            << QStringList{"Planning, moved here", "", ""} << QStringList{"Planning, moved here", "Room 4", ""};
        QTest::newRow("both rename: local wins")
            << QByteArray("SUMMARY:Planning\r\n") << QByteArray("SUMMARY:Planning (server)\r\n")
            << QStringList{"Planning (here)", "", ""} << QStringList{"Planning (here)", "", ""};
        QTest::newRow("user moves it, server describes it")
            << QByteArray("SUMMARY:Planning\r\nLOCATION:Room 4\r\n")
            << QByteArray("SUMMARY:Planning\r\nLOCATION:Room 4\r\nDESCRIPTION:Bring the slides\r\n")
            << QStringList{"Planning", "Room 9", ""} << QStringList{"Planning", "Room 9", "Bring the slides"};
        QTest::newRow("server clears what the user left alone")
            << QByteArray("SUMMARY:Planning\r\nLOCATION:Room 4\r\nDESCRIPTION:Agenda\r\n")
            << QByteArray("SUMMARY:Planning\r\nDESCRIPTION:Agenda\r\n")
            << QStringList{"Planning", "Room 4", "Agenda, revised"}
            << QStringList{"Planning", "", "Agenda, revised"};
    }

    void conflictKeepsWhatEachSideChangedAndLocalWinsWhereBothDid()
    {
        QFETCH(QByteArray, baseLines);
        QFETCH(QByteArray, serverLines);
        QFETCH(QStringList, localEdit);
        QFETCH(QStringList, expected);
        const auto item = [](const QByteArray &stamp, const QByteArray &lines) {
            return kHead + "BEGIN:VEVENT\r\nUID:both\r\nDTSTAMP:" + stamp
                + "\r\nDTSTART:20260310T090000Z\r\nDTEND:20260310T100000Z\r\n" + lines + "END:VEVENT\r\n" + kTail;
        };
        const auto fields = [](const Event &event) {
            return QStringList{event.title, event.location, event.description};
        };
        CalDavSyncHarness h;
        h.fake->putItem("both.ics", item("20260101T000000Z", baseLines));
        QVERIFY(h.sync().completed);
        Event edited = h.byUid(QStringLiteral("both")).value();
        edited.title = localEdit.at(0);
        edited.location = localEdit.at(1);
        edited.description = localEdit.at(2);
        edited.sync_status = SyncStatus::Pending;
        edited.raw_icalendar = IcsCodec::buildEventIcs(edited);
        QVERIFY(h.events.update(edited));
        h.fake->putItem("both.ics", item("20260102T000000Z", serverLines));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("was changed on the server and here")));

        QVERIFY(h.sync().completed);
        const QList<Event> onServer = IcsCodec::parseEvents(QString::fromUtf8(h.serverText("both.ics")));
        QCOMPARE(onServer.size(), 1);
        QCOMPARE(fields(onServer.first()), expected);
        const Event stored = h.byUid(QStringLiteral("both")).value();
        QCOMPARE(fields(stored), expected);
        QCOMPARE(stored.sync_status, SyncStatus::Synced);
        QCOMPARE(h.events.syncBase(stored.id), std::nullopt);
    }

    void uploadWithoutATagTakesTheTagTheServerReports()
    {
        CalDavSyncHarness h;
        h.fake->etagOnPut = false;
        QVERIFY(h.events.insert(h.localEvent(QStringLiteral("quiet"), QStringLiteral("Quiet server"))));
        QVERIFY(h.tasks.insert(h.localTask(QStringLiteral("quiet-task"), QStringLiteral("Quiet task"))));
        QVERIFY(h.sync().completed);
        Event row = h.byUid(QStringLiteral("quiet")).value();
        QCOMPARE(row.sync_status, SyncStatus::Synced);
        QCOMPARE(row.etag, QString::fromUtf8(h.fake->items.value(h.fake->path() + "quiet.ics").etag));
        const Task task = h.tasks.getByUidAndCalendar(QStringLiteral("quiet-task"), h.calendar.id).value();
        QCOMPARE(task.sync_status, SyncStatus::Synced);
        QCOMPARE(task.etag, QString::fromUtf8(h.fake->items.value(h.fake->path() + "quiet-task.ics").etag));

        // An update never keeps the tag of the text it replaced.
        const QString before = row.etag;
        row.title = QStringLiteral("Quiet server, renamed");
        row.sync_status = SyncStatus::Pending;
        QVERIFY(h.events.update(row));
        QVERIFY(h.sync().completed);
        const Event after = h.byUid(QStringLiteral("quiet")).value();
        QVERIFY(after.etag != before);
        QCOMPARE(after.etag, QString::fromUtf8(h.fake->items.value(h.fake->path() + "quiet.ics").etag));
    }

    void uploadAnsweredByAWebPageStaysPendingAndIsKept()
    {
        CalDavSyncHarness h;
        const QByteArray calendarPath = h.fake->path();
        h.fake->hook = [calendarPath](const Request &request) -> std::optional<Reply> {
            if (request.method == "PUT" || (request.method == "PROPFIND" && request.target != calendarPath))
                return webPage();
            return std::nullopt;
        };
        QVERIFY(h.events.insert(h.localEvent(QStringLiteral("portal"), QStringLiteral("Dinner"))));
        QVERIFY(h.tasks.insert(h.localTask(QStringLiteral("portal-task"), QStringLiteral("Pack"))));

        CalDavOutcome outcome = h.sync();
        QVERIFY(!outcome.completed);
        QCOMPARE(outcome.failures.size(), 1);
        QVERIFY2(outcome.failures.first().contains(QStringLiteral("\"Dinner\"")), qPrintable(outcome.failures.first()));
        QVERIFY(outcome.failures.first().contains(QStringLiteral("\"Pack\"")));
        const Event kept = h.byUid(QStringLiteral("portal")).value();
        QCOMPARE(kept.sync_status, SyncStatus::Pending);
        QVERIFY(kept.href.isEmpty());
        QCOMPARE(h.tasks.getByUidAndCalendar(QStringLiteral("portal-task"), h.calendar.id)->sync_status,
                 SyncStatus::Pending);

        // Back on the real network: the next run sends both and keeps them.
        h.fake->hook = nullptr;
        outcome = h.sync();
        QVERIFY(outcome.completed);
        QCOMPARE(h.byUid(QStringLiteral("portal"))->sync_status, SyncStatus::Synced);
        QVERIFY(h.fake->items.contains(h.fake->path() + "portal.ics"));
        QVERIFY(h.fake->items.contains(h.fake->path() + "portal-task.ics"));
        QVERIFY(h.sync().completed);
        QVERIFY(h.byUid(QStringLiteral("portal")));
    }

    // A server that keeps an item's tag when sent it again (as Radicale does
    // within one second) and stores its own rewrite of the text: the upload
    // is confirmed by what the server's copy holds, and the resource is sent
    // once, though the series and its deleted occurrence were both pending.
    void uploadToAServerKeepingTheTagIsConfirmedAndSentOnce_data()
    {
        QTest::addColumn<bool>("isTask");
        QTest::newRow("moved occurrence deleted") << false;
        QTest::newRow("task completed") << true;
    }

    void uploadToAServerKeepingTheTagIsConfirmedAndSentOnce()
    {
        QFETCH(bool, isTask);
        CalDavSyncHarness h;
        h.fake->keepsTagAndRewrites = true;
        h.fake->putItem("series.ics", kHead + seriesBlock() + overrideBlock() + kTail);
        QVERIFY(h.tasks.insert(h.localTask(QStringLiteral("errand"), QStringLiteral("Errand"))));
        QVERIFY(h.sync().completed);
        const QString taskId = h.tasks.getByUidAndCalendar(QStringLiteral("errand"), h.calendar.id)->id;
        if (isTask)
            QVERIFY(TaskEditor(&h.tasks, &h.calendars).setCompleted(taskId, true).ok);
        else
            QVERIFY(EventRemoval::remove(h.store.db(), &h.events, overrideRow(h)));
        h.server.clearRequests();

        const CalDavOutcome outcome = h.sync();
        QVERIFY2(outcome.completed, qPrintable(outcome.failures.join(QLatin1Char('\n'))));
        const QByteArray name = isTask ? "errand.ics" : "series.ics";
        int puts = 0;
        for (const Request &request : h.server.requests())
            puts += request.method == "PUT" && request.target.endsWith(name);
        QCOMPARE(puts, 1);
        const QByteArray text = h.serverText(name);
        if (isTask) {
            QVERIFY2(text.contains("STATUS:COMPLETED"), text.constData());
            QCOMPARE(h.tasks.getById(taskId)->sync_status, SyncStatus::Synced);
            return;
        }
        QCOMPARE(text.count("BEGIN:VEVENT"), 1);
        QVERIFY2(text.contains("EXDATE:20260303T090000Z"), text.constData());
        const QList<Event> rows = h.rows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().sync_status, SyncStatus::Synced);
        QCOMPARE(h.store.count(QStringLiteral("events")), 1);
    }

    // An upload answered with a success that never reached the server (a
    // proxy that swallows it) stays pending: the server's copy under the old
    // tag does not hold what was sent.
    void uploadTheServerNeverStoredStaysPending_data()
    {
        QTest::addColumn<bool>("withOldTag");
        QTest::newRow("no tag") << false;
        QTest::newRow("the old tag") << true;
    }

    void uploadTheServerNeverStoredStaysPending()
    {
        QFETCH(bool, withOldTag);
        CalDavSyncHarness h;
        h.fake->putItem("both.ics", vevent("both", "Planning"));
        QVERIFY(h.sync().completed);
        Event edited = h.byUid(QStringLiteral("both")).value();
        edited.title = QStringLiteral("Planning, moved");
        edited.sync_status = SyncStatus::Pending;
        edited.raw_icalendar = IcsCodec::buildEventIcs(edited);
        QVERIFY(h.events.update(edited));
        FakeCalDavCalendar *fake = h.fake.get();
        h.fake->hook = [fake, withOldTag](const Request &request) -> std::optional<Reply> {
            if (request.method != "PUT")
                return std::nullopt;
            Reply reply;
            reply.status = 204;
            if (withOldTag)
                reply.headers.append(qMakePair(QByteArray("ETag"), '"' + fake->items.value(request.target).etag + '"'));
            return reply;
        };

        CalDavOutcome outcome = h.sync();
        QCOMPARE(outcome.failures, QStringList{QStringLiteral("1 item(s) could not be sent to the server: "
                                                              "\"Planning, moved\" (HTTP 204)")});
        QCOMPARE(h.byUid(QStringLiteral("both"))->sync_status, SyncStatus::Pending);
        QCOMPARE(h.serverText("both.ics"), vevent("both", "Planning"));

        h.fake->hook = nullptr;
        QVERIFY(h.sync().completed);
        QCOMPARE(h.byUid(QStringLiteral("both"))->sync_status, SyncStatus::Synced);
        QCOMPARE(IcsCodec::parseEvents(QString::fromUtf8(h.serverText("both.ics"))).value(0).title,
                 QStringLiteral("Planning, moved"));
    }

    // A server that stores its own form of an upload and names no tag in its
    // reply is read back. Its copy confirms the upload where it holds what
    // was sent: in that form, or a meeting made here with what a scheduling
    // server notes on it. One another client wrote as a captive portal
    // answered the upload does not, though its tag is new: the edit stays
    // pending and the next run merges the two, each one's change kept.
    void uploadReadBackFromAServerOfItsOwnForm_data()
    {
        QTest::addColumn<QString>("upload");
        QTest::newRow("an edit") << "an edit";
        QTest::newRow("an edit, another client's write meanwhile") << "written elsewhere";
        QTest::newRow("a meeting made here, on a scheduling server") << "a meeting";
    }

    void uploadReadBackFromAServerOfItsOwnForm()
    {
        QFETCH(QString, upload);
        CalDavSyncHarness h;
        h.fake->etagOnPut = false;
        h.fake->rewrites = true;
        h.fake->schedules = true;
        h.fake->putItem("talk.ics", vevent("talk", "Talk"));
        QVERIFY(h.sync().completed);
        Event event = h.byUid(QStringLiteral("talk")).value();
        if (upload == QLatin1String("a meeting")) {
            event = h.localEvent(QStringLiteral("meeting"), QStringLiteral("Planning"));
            event.organizer_email = QStringLiteral("me@example.org");
            event.attendees = {Attendee{}, Attendee{}};
            event.attendees[0].email = QStringLiteral("ann@example.org");
            event.attendees[1].email = QStringLiteral("bob@example.org");
            event.raw_icalendar = IcsCodec::buildEventIcs(event);
            QVERIFY(h.events.insert(event));
        } else {
            event.title = QStringLiteral("Talk, longer");
            event.sync_status = SyncStatus::Pending;
            QVERIFY(h.events.update(event));
        }
        const bool elsewhere = upload == QLatin1String("written elsewhere");
        if (elsewhere) {
            FakeCalDavCalendar *fake = h.fake.get();
            h.fake->hook = [fake](const Request &request) -> std::optional<Reply> {
                if (request.method != "PUT")
                    return std::nullopt;
                fake->answer({"PUT", request.target, {}, vevent("talk", "Talk\r\nLOCATION:Hall")});
                return webPage();
            };
            QCOMPARE(h.sync().failures, QStringList{QStringLiteral("1 item(s) could not be sent to the server: "
                                                                   "\"Talk, longer\" (HTTP 200)")});
            QCOMPARE(h.events.getById(event.id)->sync_status, SyncStatus::Pending);
            h.fake->hook = nullptr;
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("changed on the server and here")));
        }

        const CalDavOutcome outcome = h.sync();
        QVERIFY2(outcome.completed, qPrintable(outcome.failures.join(QLatin1Char('\n'))));
        const FakeCalDavCalendar::Item copy = h.fake->items.value(h.fake->path() + event.uid.toUtf8() + ".ics");
        const Event there = IcsCodec::parseEvents(QString::fromUtf8(copy.data)).value(0);
        QCOMPARE((QStringList{there.title, there.location}),
                 (QStringList{event.title, elsewhere ? QStringLiteral("Hall") : QString()}));
        const Event stored = h.events.getById(event.id).value();
        QCOMPARE((QStringList{stored.title, stored.location, toText(stored.sync_status), stored.etag}),
                 (QStringList{there.title, there.location, "synced", QString::fromUtf8(copy.etag)}));
        QVERIFY2(copy.data.contains(upload == QLatin1String("a meeting") ? "SCHEDULE-STATUS" : "X-SERVER"),
                 copy.data.constData());
    }

    void pullFailsForTheCalendarWhenARowCannotBeSaved()
    {
        CalDavSyncHarness h;
        h.fake->putItem("fine.ics", vevent("fine", "Fine"));
        h.fake->putItem("refused.ics", vevent("refused", "Refused"));
        QVERIFY(h.store.exec(QStringLiteral("CREATE TRIGGER refuse_one BEFORE INSERT ON events WHEN NEW.uid = 'refused' "
                                            "BEGIN SELECT RAISE(ABORT, 'refused by test'); END")));
        CalDavOutcome outcome = h.sync();
        QVERIFY(!outcome.completed);
        QCOMPARE(outcome.failures, QStringList{QStringLiteral("1 pulled event(s) could not be saved: Refused")});
        QVERIFY(h.byUid(QStringLiteral("fine")));
        // The calendar's tag stays behind, so the next pull reads it again.
        QVERIFY(h.calendars.getById(h.calendar.id)->ctag.isEmpty());

        QVERIFY(h.store.exec(QStringLiteral("DROP TRIGGER refuse_one")));
        outcome = h.sync();
        QVERIFY(outcome.completed);
        QVERIFY(h.byUid(QStringLiteral("refused")));
    }

    void taskListingAnsweredWithAnErrorFailsTheRun()
    {
        CalDavSyncHarness h;
        h.fake->putItem("a.ics", vevent("a", "Alpha"));
        h.fake->hook = [](const Request &request) -> std::optional<Reply> {
            if (request.method == "REPORT" && request.body.contains("VTODO")) {
                Reply reply;
                reply.status = 500;
                return reply;
            }
            return std::nullopt;
        };
        const CalDavOutcome outcome = h.sync();
        QVERIFY(!outcome.completed);
        QCOMPARE(outcome.failures, QStringList{QStringLiteral("Server returned HTTP 500 during task pull")});
    }

    void occurrenceChangeTheServerDroppedGoes()
    {
        CalDavSyncHarness h;
        h.fake->putItem("series.ics", kHead + seriesBlock() + overrideBlock() + kTail);
        QVERIFY(h.sync().completed);
        QCOMPARE(h.rows().size(), 2);
        // Another client rewrote the series without its changed occurrence.
        h.fake->putItem("series.ics", kHead + seriesBlock() + kTail);
        QVERIFY(h.sync().completed);
        const QList<Event> rows = h.rows();
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows.first().recurrence_id.isEmpty());
        QCOMPARE(rows.first().etag, QString::fromUtf8(h.fake->items.value(h.fake->path() + "series.ics").etag));
    }

    void editedOccurrenceOfASeriesDeletedOnTheServerGoesWithIt()
    {
        CalDavSyncHarness h;
        h.fake->putItem("series.ics", kHead + seriesBlock() + overrideBlock() + kTail);
        h.fake->putItem("other.ics", vevent("other", "Other"));
        QVERIFY(h.sync().completed);
        Event edited = overrideRow(h);
        edited.title = QStringLiteral("Standup, edited here");
        edited.sync_status = SyncStatus::Pending;
        QVERIFY(h.events.update(edited));
        h.fake->items.remove(h.fake->path() + "series.ics");
        h.server.clearRequests();

        QVERIFY(h.sync().completed);
        QCOMPARE(h.rows().size(), 1);
        QCOMPARE(h.rows().first().uid, QStringLiteral("other"));
        for (const Request &request : h.server.requests())
            QVERIFY2(request.method != "PUT", request.target.constData());
        QVERIFY(!h.fake->items.contains(h.fake->path() + "series.ics"));
        QVERIFY(h.sync().completed);
    }

    void taskChangedOnTheServerIsNeverOverwrittenUnseen()
    {
        CalDavSyncHarness h;
        Task task = h.localTask(QStringLiteral("shared"), QStringLiteral("Shared list"));
        QVERIFY(h.tasks.insert(task));
        QVERIFY(h.sync().completed);
        task = h.tasks.getById(task.id).value();
        task.title = QStringLiteral("Shared list, edited here");
        task.sync_status = SyncStatus::Pending;
        QVERIFY(h.tasks.update(task));
        const QByteArray theirs = kHead
            + "BEGIN:VTODO\r\nUID:shared\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Shared list, edited there\r\n"
              "END:VTODO\r\n"
            + kTail;
        FakeCalDavCalendar *fake = h.fake.get();
        // The other side writes between this run's pull and its push.
        h.fake->hook = [fake, theirs](const Request &request) -> std::optional<Reply> {
            if (request.method == "PUT" && !fake->items.value(request.target).data.contains("edited there"))
                fake->putItem("shared.ics", theirs);
            return std::nullopt;
        };
        h.server.clearRequests();
        const CalDavOutcome outcome = h.sync();
        QVERIFY(!outcome.completed);
        QCOMPARE(outcome.failures, QStringList{QStringLiteral("1 item(s) could not be sent to the server: "
                                                              "\"Shared list, edited here\" (HTTP 412)")});
        QCOMPARE(h.serverText("shared.ics"), theirs);
        for (const Request &request : h.server.requests()) {
            if (request.method == "PUT")
                QVERIFY(!request.header("if-match").isEmpty() || request.header("if-none-match") == "*");
        }
        QCOMPARE(h.tasks.getById(task.id)->sync_status, SyncStatus::Pending);
    }

    void taskRefusedAfterItsCalendarWasRemovedIsReportedAsAFailure()
    {
        CalDavSyncHarness h;
        Calendar calendar = h.calendars.getById(h.calendar.id).value();
        calendar.supported_components = QStringLiteral("[\"VEVENT\"]");
        calendar.allow_tasks_override = true;
        QVERIFY(h.calendars.update(calendar));
        QVERIFY(h.tasks.insert(h.localTask(QStringLiteral("orphan"), QStringLiteral("Orphan"))));
        CalendarRepository *calendars = &h.calendars;
        TestStore *store = &h.store;
        h.fake->hook = [calendars, store](const Request &request) -> std::optional<Reply> {
            if (request.method != "PUT")
                return std::nullopt;
            // The user removes the calendar while the upload is on its way.
            store->exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
            if (!calendars->remove(QStringLiteral("cal")))
                qFatal("setup write refused");
            store->exec(QStringLiteral("PRAGMA foreign_keys = ON"));
            Reply reply;
            reply.status = 403;
            return reply;
        };
        const CalDavOutcome outcome = h.sync();
        QCOMPARE(outcome.failures, QStringList{QStringLiteral("1 item(s) could not be sent to the server: "
                                                              "\"Orphan\" (HTTP 403)")});
        QVERIFY(!h.calendars.getById(QStringLiteral("cal")));
    }
};

QTEST_GUILESS_MAIN(TestCalDavSyncSafety)
#include "tst_caldavsyncsafety.moc"
