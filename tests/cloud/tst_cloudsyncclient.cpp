// The cloud calendar sync client against the fake cloud service: calendar
// list, pull with its cursor, push of pending rows, conflicts.
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

#include "calendar/icscodec.h"
#include "cloud/cloudpushrun.h"
#include "cloud/syncclient.h"
#include "sync/core/canonicalcalendarkey.h"
#include "tests/cloud/cloudsyncbed.h"

namespace {

const QDateTime Monday(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);

struct Outcome
{
    QString calendarId;
    bool completed = false;
    int eventCount = -1;
    QString reason;

    bool operator==(const Outcome &o) const
    {
        return calendarId == o.calendarId && completed == o.completed && eventCount == o.eventCount
            && reason == o.reason;
    }
};

QDebug operator<<(QDebug debug, const Outcome &o)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "Outcome(" << o.calendarId << ", " << (o.completed ? "completed " : "failed ")
                    << o.eventCount << ", " << o.reason << ')';
    return debug;
}

Event localEvent(const QString &id, const QString &calendarId, const QString &title)
{
    Event event;
    event.id = event.uid = id;
    event.calendar_id = calendarId;
    event.title = title;
    event.start_time = Monday;
    event.end_time = Monday.addSecs(1800);
    event.sync_status = SyncStatus::Pending;
    event.raw_icalendar = IcsCodec::buildEventIcs(event);
    return event;
}

} // namespace

class TestCloudSyncClient : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CloudSyncBed> m_bed;

    Tindlebrook::SyncClient *newClient()
    {
        return new Tindlebrook::SyncClient(m_bed->repositories(), &m_bed->conflicts, &m_bed->api, this);
    }

    // One sync run of the stored calendar, to its final signal.
    Outcome sync(const QString &calendarId)
    {
        std::unique_ptr<Tindlebrook::SyncClient> client(newClient());
        Outcome outcome;
        bool done = false;
        connect(client.get(), &Sync::CalendarSyncClient::calendarSyncCompleted, this,
                [&](const QString &id, int count) {
                    outcome = {id, true, count, QString()};
                    done = true;
                });
        connect(client.get(), &Sync::CalendarSyncClient::calendarSyncFailed, this,
                [&](const QString &id, const QString &reason) {
                    outcome = {id, false, -1, reason};
                    done = true;
                });
        client->syncCalendar(*m_bed->calendars.getById(calendarId));
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            outcome.reason = QStringLiteral("timed out");
        return outcome;
    }

    Event localByUid(const QString &uid, const QString &calendarId)
    {
        return m_bed->events.getByUid(uid, calendarId).value_or(Event());
    }

private Q_SLOTS:
    void init()
    {
        m_bed = std::make_unique<CloudSyncBed>();
        QVERIFY(m_bed->start());
    }

    void cleanup() { m_bed.reset(); }

    void serverCalendarIdReadsTheUrl_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("id");
        QTest::newRow("cloud url") << "tindlebrook://team-7" << "team-7";
        QTest::newRow("host in capitals") << "tindlebrook://TeAm" << "team";
        QTest::newRow("bare id") << "team-7" << "team-7";
        QTest::newRow("path after host") << "tindlebrook://team/extra" << "team";
        QTest::newRow("no host") << "tindlebrook:///only-path" << "/only-path";
    }

    void serverCalendarIdReadsTheUrl()
    {
        QFETCH(QString, url);
        QFETCH(QString, id);
        QCOMPARE(Tindlebrook::SyncClient::serverCalendarId(url), id);
    }

    void eventBodyLeavesOutWhatTheEventLacks()
    {
        Event event = localEvent(QStringLiteral("e1"), QStringLiteral("c"), QStringLiteral("Stand-up"));
        event.sequence = 3;
        const QJsonObject full = Tindlebrook::SyncClient::eventToJson(event);
        QCOMPARE(full, (QJsonObject{{"id", "e1"},
                                    {"uid", "e1"},
                                    {"title", "Stand-up"},
                                    {"raw_icalendar", event.raw_icalendar},
                                    {"start_time", Monday.toMSecsSinceEpoch()},
                                    {"end_time", Monday.addSecs(1800).toMSecsSinceEpoch()},
                                    {"is_all_day", false},
                                    {"sequence", 3}}));

        event.end_time.reset();
        event.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        event.master_event_uid = QStringLiteral("series");
        const QJsonObject open = Tindlebrook::SyncClient::eventToJson(event);
        QVERIFY(!open.contains("end_time"));
        QCOMPARE(open.value("recurrence_rule").toString(), QStringLiteral("FREQ=WEEKLY"));
        QCOMPARE(open.value("master_event_uid").toString(), QStringLiteral("series"));

        // A row whose text was never written still travels with one.
        event.raw_icalendar.clear();
        const QList<Event> sent = IcsCodec::parseEvents(
            Tindlebrook::SyncClient::eventToJson(event).value("raw_icalendar").toString());
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().title, QStringLiteral("Stand-up"));
    }

    void calendarListAddsOnlyUnknownCalendars()
    {
        Account local;
        local.id = QStringLiteral("on-this-device");
        local.name = QStringLiteral("On This Device");
        local.type = AccountType::Tindlebrook;
        QVERIFY(m_bed->accounts.insert(local));
        Calendar personal;
        personal.id = QStringLiteral("tindlebrook-personal-default");
        personal.account_id = local.id;
        personal.url = QStringLiteral("local://calendar/tindlebrook-personal-default");
        personal.name = QStringLiteral("Personal");
        QVERIFY(m_bed->calendars.insert(personal));
        Calendar work = personal;
        work.id = QStringLiteral("known-work");
        work.url = QStringLiteral("tindlebrook://work");
        work.name = QStringLiteral("Work here");
        QVERIFY(m_bed->calendars.insert(work));
        const Calendar workBefore = *m_bed->calendars.getById(work.id);

        m_bed->cloud().addCalendar({{"id", "personal"}, {"name", "Personal on the server"}});
        m_bed->cloud().addCalendar({{"id", "work"}, {"name", "Renamed on the server"}, {"color", "#000000"}});
        m_bed->cloud().addCalendar({{"id", "family"},
                                    {"name", "Family"},
                                    {"description", "Shared"},
                                    {"color", "#FF0000"},
                                    {"timezone", "Europe/Berlin"}});
        m_bed->cloud().addCalendar({{"id", "bare"}});
        m_bed->cloud().addCalendar({{"name", "no id"}});

        std::unique_ptr<Tindlebrook::SyncClient> client(newClient());
        QSignalSpy pulled(client.get(), &Tindlebrook::SyncClient::calendarListPulled);
        client->pullCalendarList();
        QVERIFY(pulled.wait(10000));
        QCOMPARE(pulled.first().first().toInt(), 2);

        const QList<Calendar> all = m_bed->calendars.getAll();
        QCOMPARE(all.size(), 4);
        // Known calendars keep their own name and colour.
        QCOMPARE(*m_bed->calendars.getById(work.id), workBefore);
        for (const QString &serverId : {QStringLiteral("family"), QStringLiteral("bare")}) {
            const auto found = std::find_if(all.cbegin(), all.cend(), [&](const Calendar &c) {
                return c.url == QStringLiteral("tindlebrook://") + serverId;
            });
            QVERIFY2(found != all.cend(), qPrintable(serverId));
            Calendar expected;
            expected.id = found->id;
            expected.account_id = local.id;
            expected.url = QStringLiteral("tindlebrook://") + serverId;
            expected.name = serverId == QLatin1String("family") ? QStringLiteral("Family") : serverId;
            expected.description = serverId == QLatin1String("family") ? QStringLiteral("Shared") : QString();
            expected.color = serverId == QLatin1String("family") ? QStringLiteral("#FF0000")
                                                                  : QStringLiteral("#4285F4");
            expected.timezone = serverId == QLatin1String("family") ? QStringLiteral("Europe/Berlin")
                                                                     : QStringLiteral("UTC");
            expected.supported_components = QStringLiteral("[\"VEVENT\"]");
            expected.canonical_key = *Sync::canonicalCalendarKey(QStringLiteral("tindlebrook"), expected.url);
            expected.sync_enabled = true;
            expected.created_at = found->created_at;
            expected.updated_at = found->updated_at;
            QCOMPARE(*found, expected);
            QVERIFY(found->created_at.isValid());
        }

        // Listed again: everything is known now.
        QSignalSpy again(client.get(), &Tindlebrook::SyncClient::calendarListPulled);
        client->pullCalendarList();
        QVERIFY(again.wait(10000));
        QCOMPARE(again.first().first().toInt(), 0);
        QCOMPARE(m_bed->calendars.getAll().size(), 4);
    }

    void calendarListFailureAddsNothing()
    {
        m_bed->cloud().addCalendar({{"id", "family"}});
        m_bed->server.setFault(QStringLiteral("/calendars"), FakeCloudServer::Fault::ServerError);
        std::unique_ptr<Tindlebrook::SyncClient> client(newClient());
        QSignalSpy pulled(client.get(), &Tindlebrook::SyncClient::calendarListPulled);
        client->pullCalendarList();
        QVERIFY(pulled.wait(10000));
        QCOMPARE(pulled.first().first().toInt(), 0);
        QVERIFY(m_bed->calendars.getAll().isEmpty());
    }

    void pullIntoEmptyStoreThenUnchangedRepullWritesNothing()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        for (int i = 0; i < 3; ++i) {
            const QString uid = QStringLiteral("remote-%1").arg(i);
            m_bed->cloud().putEvent("team", uid,
                                    cloudEventText(uid, QStringLiteral("Meeting %1").arg(i), Monday.addDays(i)));
        }
        QCOMPARE(sync(calendar.id), (Outcome{calendar.id, true, 3, QString()}));

        const QList<Event> pulled = m_bed->events.getByCalendar(calendar.id);
        QCOMPARE(pulled.size(), 3);
        for (const Event &event : pulled) {
            const auto held = m_bed->cloud().event("team", event.uid);
            QVERIFY(held);
            QCOMPARE(event.etag, held->etag);
            QCOMPARE(event.sync_status, SyncStatus::Synced);
            QCOMPARE(event.title, QStringLiteral("Meeting ") + event.uid.right(1));
            QVERIFY(event.id != event.uid);
        }
        const QString cursor = m_bed->calendars.getById(calendar.id)->delta_sync_token;
        QVERIFY(!cursor.isEmpty());
        // The first pull sends no cursor.
        QVERIFY(!m_bed->server.requests().last().target.contains("since="));

        const QVariant writesBefore = m_bed->store.scalar(QStringLiteral("SELECT total_changes()"));
        QCOMPARE(sync(calendar.id), (Outcome{calendar.id, true, 0, QString()}));
        QCOMPARE(m_bed->store.scalar(QStringLiteral("SELECT total_changes()")), writesBefore);
        QCOMPARE(m_bed->events.getByCalendar(calendar.id), pulled);
        QVERIFY(m_bed->server.requests().last().target.endsWith("since=" + cursor.toUtf8()));
    }

    void pullFailureKeepsCursorAndPushesNothing()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        QVERIFY(m_bed->events.insert(localEvent("mine", calendar.id, "Mine")));
        m_bed->server.setFault(QStringLiteral("/calendars/team/events"), FakeCloudServer::Fault::ServerError, 1);
        QCOMPARE(sync(calendar.id), (Outcome{calendar.id, false, -1, "Tindlebrook pull failed (HTTP 503)"}));
        QVERIFY(m_bed->cloud().events("team").isEmpty());
        QCOMPARE(m_bed->calendars.getById(calendar.id)->delta_sync_token, QString());
    }

    void deletionOnAnotherDeviceRemovesTheLocalRow()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        for (const char *uid : {"gone", "edited-here", "stays"})
            m_bed->cloud().putEvent("team", uid, cloudEventText(uid, uid, Monday));
        QCOMPARE(sync(calendar.id).completed, true);
        Event edited = localByUid("edited-here", calendar.id);
        edited.title = QStringLiteral("local edit");
        edited.sync_status = SyncStatus::Pending;
        QVERIFY(m_bed->events.update(edited));

        m_bed->cloud().deleteEvent("team", "gone");
        m_bed->cloud().deleteEvent("team", "edited-here");
        QCOMPARE(sync(calendar.id), (Outcome{calendar.id, true, 0, QString()}));
        QStringList left;
        for (const Event &event : m_bed->events.getByCalendar(calendar.id))
            left.append(event.uid);
        QCOMPARE(left, QStringList{"stays"});
        // The deletion won over the edit: nothing was sent back.
        QCOMPARE(m_bed->cloud().events("team").size(), 1);
    }

    void pulledEventWithoutDeletedAtIsLive()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        Calendar raw = calendar;
        raw.id = QStringLiteral("raw-calendar");
        raw.url = QStringLiteral("tindlebrook://raw");
        QVERIFY(m_bed->calendars.insert(raw));
        const QJsonArray events{
            QJsonObject{{"uid", "no-key"}, {"etag", "1"}, {"raw_icalendar", cloudEventText("no-key", "Live", Monday)}},
            QJsonObject{{"uid", "null-key"},
                        {"etag", "1"},
                        {"deleted_at", QJsonValue::Null},
                        {"raw_icalendar", cloudEventText("null-key", "Live too", Monday)}},
            QJsonObject{{"uid", "no-text"}, {"etag", "1"}, {"deleted_at", QJsonValue::Null}},
            QJsonObject{{"etag", "1"}, {"raw_icalendar", cloudEventText("no-uid", "Skipped", Monday)}}};
        m_bed->server.addSyncRoutes([events](const QByteArray &method, const QString &path, const QJsonObject &,
                                             const QString &) -> std::optional<LocalHttpServer::Reply> {
            if (method != "GET" || path != QLatin1String("/calendars/raw/events"))
                return std::nullopt;
            LocalHttpServer::Reply reply;
            reply.body = QJsonDocument(QJsonObject{{"events", events}}).toJson();
            return reply;
        });
        QCOMPARE(sync(raw.id), (Outcome{raw.id, true, 2, QString()}));
        QStringList titles;
        for (const Event &event : m_bed->events.getByCalendar(raw.id))
            titles.append(event.title);
        titles.sort();
        QCOMPARE(titles, (QStringList{"Live", "Live too"}));
        // No timestamp in the reply: the cursor stays empty.
        QCOMPARE(m_bed->calendars.getById(raw.id)->delta_sync_token, QString());
    }

    void pushSendsNewChangedAndDeletedRows()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        m_bed->cloud().putEvent("team", "known", cloudEventText("known", "Known", Monday));
        QCOMPARE(sync(calendar.id).completed, true);

        QVERIFY(m_bed->events.insert(localEvent("made-here", calendar.id, "Made here")));
        Event known = localByUid("known", calendar.id);
        known.provider_event_id = QStringLiteral("known");
        known.title = QStringLiteral("Known, changed here");
        known.sync_status = SyncStatus::Pending;
        QVERIFY(m_bed->events.update(known));
        Event vanished = localEvent("vanished", calendar.id, "Gone from the server");
        vanished.provider_event_id = QStringLiteral("vanished");
        QVERIFY(m_bed->events.insert(vanished));

        QCOMPARE(sync(calendar.id), (Outcome{calendar.id, true, 0, QString()}));
        QCOMPARE(m_bed->server.countRequests("POST", "/calendars/team/events"), 1);
        QCOMPARE(m_bed->server.countRequests("PUT", "/calendars/team/events/known"), 1);
        QCOMPARE(m_bed->server.countRequests("PUT", "/calendars/team/events/vanished"), 1);

        const auto made = m_bed->cloud().event("team", "made-here");
        QVERIFY(made);
        QCOMPARE(made->body.value("title").toString(), QStringLiteral("Made here"));
        const Event madeRow = *m_bed->events.getById("made-here");
        QCOMPARE(madeRow.sync_status, SyncStatus::Synced);
        QCOMPARE(madeRow.etag, made->etag);
        QCOMPARE(madeRow.href, QStringLiteral("made-here"));
        QCOMPARE(m_bed->cloud().event("team", "known")->body.value("title").toString(),
                 QStringLiteral("Known, changed here"));
        // Unknown to the server: sent as new by the next run.
        const Event vanishedRow = *m_bed->events.getById("vanished");
        QCOMPARE(vanishedRow.sync_status, SyncStatus::Pending);
        QCOMPARE(vanishedRow.provider_event_id, QString());

        QVERIFY(m_bed->events.remove("made-here"));
        // The pull brings back the server's copy of "known" (the deleted
        // row's copy is not taken while its deletion waits to go out).
        QCOMPARE(sync(calendar.id), (Outcome{calendar.id, true, 1, QString()}));
        QVERIFY(!m_bed->cloud().event("team", "made-here"));
        QVERIFY(!m_bed->events.getById("made-here"));
        QVERIFY(m_bed->cloud().event("team", "vanished"));
    }

    void pushFailureLeavesTheRowPendingAndFailsTheRun()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        QVERIFY(m_bed->events.insert(localEvent("a", calendar.id, "Fine")));
        QVERIFY(m_bed->events.insert(localEvent("b", calendar.id, "Refused")));
        QVERIFY(m_bed->events.insert(localEvent("c", calendar.id, "Fine too")));
        m_bed->cloud().refuseTitle(QStringLiteral("Refused"));
        QCOMPARE(sync(calendar.id), (Outcome{calendar.id, false, -1, "Tindlebrook push: 1 event(s) failed"}));
        QCOMPARE(m_bed->events.getById("b")->sync_status, SyncStatus::Pending);
        QCOMPARE(m_bed->events.getById("a")->sync_status, SyncStatus::Synced);
        QCOMPARE(m_bed->cloud().events("team").size(), 2);
    }

    void pushOfMoreRowsThanGoOutAtOnceSendsEachOnce()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        const int count = 2 * Tindlebrook::PushRun::MaxInFlight + 3;
        QStringList expected;
        for (int i = 0; i < count; ++i) {
            const QString id = QStringLiteral("row-%1").arg(i, 2, 10, QLatin1Char('0'));
            QVERIFY(m_bed->events.insert(localEvent(id, calendar.id, id == "row-10" ? "Refused" : "Fine")));
            if (id != QLatin1String("row-10"))
                expected.append(id);
        }
        m_bed->cloud().refuseTitle(QStringLiteral("Refused"));
        QCOMPARE(sync(calendar.id), (Outcome{calendar.id, false, -1, "Tindlebrook push: 1 event(s) failed"}));
        QCOMPARE(m_bed->server.countRequests("POST", "/calendars/team/events"), count);
        QStringList held;
        for (const FakeCloudCalendars::StoredEvent &event : m_bed->cloud().events("team"))
            held.append(event.uid);
        held.sort();
        QCOMPARE(held, expected);
        QStringList pending;
        for (const Event &row : m_bed->events.getPending(calendar.id))
            pending.append(row.id);
        QCOMPARE(pending, QStringList{"row-10"});
    }

    void editOfEventFromAnotherDeviceReachesItsServerCopy()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        m_bed->cloud().putEvent("team", "theirs", cloudEventText("theirs", "Theirs", Monday));
        QCOMPARE(sync(calendar.id).completed, true);
        Event theirs = localByUid("theirs", calendar.id);
        QVERIFY(theirs.id != theirs.uid);
        // Known to the server, so the edit goes out as a change of its copy.
        theirs.provider_event_id = theirs.uid;
        theirs.title = QStringLiteral("Theirs, edited here");
        theirs.raw_icalendar = IcsCodec::buildEventIcs(theirs);
        theirs.sync_status = SyncStatus::Pending;
        QVERIFY(m_bed->events.update(theirs));

        QCOMPARE(sync(calendar.id).completed, true);
        QCOMPARE(m_bed->server.countRequests("PUT", "/calendars/team/events/theirs"), 1);
        QCOMPARE(m_bed->events.getById(theirs.id)->sync_status, SyncStatus::Synced);
        const QList<FakeCloudCalendars::StoredEvent> held = m_bed->cloud().events("team");
        QCOMPARE(held.size(), 1);
        QCOMPARE(held.first().uid, QStringLiteral("theirs"));
        QCOMPARE(held.first().body.value("title").toString(), QStringLiteral("Theirs, edited here"));
    }

    void deleteOfEventFromAnotherDeviceRemovesItOnTheServer()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        m_bed->cloud().putEvent("team", "theirs", cloudEventText("theirs", "Theirs", Monday));
        QCOMPARE(sync(calendar.id).completed, true);
        const Event theirs = localByUid("theirs", calendar.id);
        QVERIFY(m_bed->events.remove(theirs.id));

        QCOMPARE(sync(calendar.id), (Outcome{calendar.id, true, 0, QString()}));
        QCOMPARE(m_bed->server.countRequests("DELETE", "/calendars/team/events/theirs"), 1);
        QVERIFY(m_bed->cloud().events("team").isEmpty());
        QVERIFY(!m_bed->events.getById(theirs.id));
    }

    void cursorWriteKeepsCalendarChangesMadeDuringThePull()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        m_bed->cloud().putEvent("team", "one", cloudEventText("one", "One", Monday));
        std::unique_ptr<Tindlebrook::SyncClient> client(newClient());
        QSignalSpy completed(client.get(), &Sync::CalendarSyncClient::calendarSyncCompleted);
        client->syncCalendar(calendar);
        // While the pull is out the user renames, recolours and hides it.
        Calendar changed = *m_bed->calendars.getById(calendar.id);
        changed.name = QStringLiteral("Renamed");
        changed.color = QStringLiteral("#123456");
        changed.is_visible = false;
        QVERIFY(m_bed->calendars.update(changed));
        QVERIFY(completed.wait(10000));

        const Calendar stored = *m_bed->calendars.getById(calendar.id);
        QVERIFY(!stored.delta_sync_token.isEmpty());
        Calendar expected = changed;
        expected.delta_sync_token = stored.delta_sync_token;
        expected.updated_at = stored.updated_at;
        QCOMPARE(stored, expected);
    }

    void editDuringPushStaysPending()
    {
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        QVERIFY(m_bed->events.insert(localEvent("mine", calendar.id, "First words")));
        EventRepository *events = &m_bed->events;
        m_bed->cloud().setWriteObserver([events](const QByteArray &method, const QString &uid) {
            if (method != "POST" || uid != QLatin1String("mine"))
                return;
            Event row = *events->getById(uid);
            if (row.title != QLatin1String("First words"))
                return;
            row.title = QStringLiteral("Second thoughts");
            row.raw_icalendar = IcsCodec::buildEventIcs(row);
            QVERIFY(events->update(row));
        });
        QCOMPARE(sync(calendar.id).completed, true);
        const Event row = *m_bed->events.getById("mine");
        QCOMPARE(row.title, QStringLiteral("Second thoughts"));
        QCOMPARE(row.sync_status, SyncStatus::Pending);
        QCOMPARE(row.etag, m_bed->cloud().event("team", "mine")->etag);

        // The next run sends the edit.
        QCOMPARE(sync(calendar.id).completed, true);
        QCOMPARE(m_bed->events.getById("mine")->sync_status, SyncStatus::Synced);
        QCOMPARE(m_bed->cloud().event("team", "mine")->body.value("title").toString(),
                 QStringLiteral("Second thoughts"));
    }

    void conflictIsRecordedOncePerLocalEvent_data()
    {
        QTest::addColumn<QString>("localEtag");
        QTest::addColumn<int>("expected");
        QTest::newRow("server changed too") << "\"old\"" << 1;
        QTest::newRow("no etag here") << QString() << 0;
    }

    void conflictIsRecordedOncePerLocalEvent()
    {
        QFETCH(QString, localEtag);
        QFETCH(int, expected);
        const Calendar calendar = m_bed->addCloudCalendar(QStringLiteral("team"));
        Event mine = localEvent("shared", calendar.id, "Refused here");
        mine.etag = localEtag;
        QVERIFY(m_bed->events.insert(mine));
        // The push keeps failing, so the row stays pending across runs.
        m_bed->cloud().refuseTitle(QStringLiteral("Refused here"));
        m_bed->cloud().putEvent("team", "shared", cloudEventText("shared", "Server copy", Monday));
        QSignalSpy changed(&m_bed->conflicts, &Sync::ConflictResolutionService::conflictsChanged);

        QCOMPARE(sync(calendar.id).completed, false);
        m_bed->cloud().putEvent("team", "shared", cloudEventText("shared", "Server copy, again", Monday));
        QCOMPARE(sync(calendar.id).completed, false);

        QCOMPARE(changed.count(), expected);
        QCOMPARE(m_bed->conflicts.conflicts().size(), expected);
        QCOMPARE(m_bed->events.getById("shared")->title, QStringLiteral("Refused here"));
        if (expected == 0)
            return;
        const Sync::Conflict conflict = m_bed->conflicts.conflicts().first();
        QCOMPARE(conflict.local.id, QStringLiteral("shared"));
        QCOMPARE(conflict.remote.id, QStringLiteral("shared"));
        QCOMPARE(conflict.remote.title, QStringLiteral("Server copy"));
        QCOMPARE(conflict.remote.calendar_id, calendar.id);
        QVERIFY(conflict.remote.etag != localEtag);
    }
};

QTEST_GUILESS_MAIN(TestCloudSyncClient)
#include "tst_cloudsyncclient.moc"
