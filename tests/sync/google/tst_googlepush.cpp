// Google writes against the fake server: throttled and failed answers,
// inserts that cannot be made twice, tokens refused mid-run, one refresh
// per account, a refused grant, one occurrence changed here, and a move to
// another calendar after Google's copy changed.
#include "app/edits/eventeditor.h"
#include "app/edits/icsimport.h"
#include "app/edits/recurringeditscope.h"
#include "app/edits/undostack.h"
#include "calendar/icscodec.h"
#include "store/eventsyncbase.h"
#include "sync/google/googleeventmapping.h"
#include "sync/google/googlepushrun.h"
#include "tests/support/heldwritelock.h"
#include "tests/sync/google/googlesyncbed.h"
#include "tests/sync/google/meetingfixtures.h"


class TestGooglePush : public QObject
{
    Q_OBJECT

    GoogleSyncBed m_bed;

    Event newRow(const QString &id, const QString &title)
    {
        Event event;
        event.id = event.uid = id;
        event.calendar_id = GoogleSyncBed::CalendarId;
        event.title = title;
        event.start_time = QDateTime(QDate(2026, 3, 5), QTime(9, 0), Qt::UTC);
        event.end_time = event.start_time.addSecs(1800);
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        return event;
    }

    int tokenRequests() const { return int(m_bed.server->requestsTo("/token", "POST").size()); }

    // The events Google shows in `calendar`, as title @ place.
    QStringList liveOnGoogle(const QString &calendar) const
    {
        QStringList live;
        for (const QJsonObject &event : m_bed.server->events(calendar)) {
            if (event.value(QStringLiteral("status")).toString() != QLatin1String("cancelled"))
                live.append(event.value(QStringLiteral("summary")).toString() + QStringLiteral(" @ ")
                            + event.value(QStringLiteral("location")).toString());
        }
        live.sort();
        return live;
    }

    // `googleId`'s calendar shared into the account to be read.
    bool sharedToRead(const QString &googleId)
    {
        if (!m_bed.addCalendar(QStringLiteral("shared"), googleId))
            return false;
        Calendar shared = m_bed.calendar(QStringLiteral("shared"));
        shared.is_read_only = true;
        return m_bed.calendars->update(shared);
    }

private Q_SLOTS:
    void init() { QVERIFY(m_bed.start()); }
    void cleanup() { m_bed = GoogleSyncBed(); }

    // Throttled answers are asked again, after Retry-After when Google
    // names one (the doubling wait here would outlast the test); other
    // refusals are reported in Google's words at once.
    void throttledWritesAreAskedAgain_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QStringList>("failures");
        QTest::addColumn<int>("posts");
        QTest::newRow("403 rate limit") << 403 << "rateLimitExceeded" << QStringList() << 3;
        QTest::newRow("403 user rate limit") << 403 << "userRateLimitExceeded" << QStringList() << 3;
        QTest::newRow("429") << 429 << "" << QStringList() << 3;
        QTest::newRow("503") << 503 << "" << QStringList() << 3;
        QTest::newRow("403 forbidden") << 403 << "forbidden"
                                       << QStringList{"Google rejected events.insert: Rate Limit Exceeded (HTTP 403)"}
                                       << 1;
    }

    void throttledWritesAreAskedAgain()
    {
        QFETCH(int, status);
        QFETCH(QString, reason);
        QFETCH(QStringList, failures);
        QFETCH(int, posts);
        Google::Endpoints slow = m_bed.endpoints();
        slow.retryBaseMs = 600000;
        m_bed.client = std::make_unique<Google::SyncClient>(
            Sync::Repositories{m_bed.store->db(), m_bed.events.get(), nullptr, m_bed.calendars.get(),
                               m_bed.accounts.get()},
            slow);
        auto shared = m_bed.secrets;
        m_bed.client->setTokenStoreMaker([shared] { return std::make_unique<MemoryTokenStore>(shared); });
        QVERIFY(m_bed.events->insert(newRow(QStringLiteral("row-1"), QStringLiteral("Review"))));
        ScriptedHttpFront::Failure failure{"POST", "/events", status, false, 2, 0};
        failure.reason = reason;
        m_bed.server->failNext(failure);

        const GoogleSyncBed::Outcome outcome = m_bed.sync();
        QCOMPARE(outcome.failures, failures);
        QCOMPARE(outcome.completions, 1);
        QCOMPARE(m_bed.server->requestsTo("/calendar/v3/calendars/team%40example.com/events", "POST").size(), posts);
        QCOMPARE(m_bed.events->getById(QStringLiteral("row-1"))->sync_status,
                 failures.isEmpty() ? SyncStatus::Synced : SyncStatus::Pending);
    }

    // Google stored the insert but its answer was lost (500): asked again
    // under the same id, the event is read back, not made twice.
    void insertStoredButUnansweredIsNotMadeTwice()
    {
        QVERIFY(m_bed.events->insert(newRow(QStringLiteral("row-1"), QStringLiteral("Review"))));
        ScriptedHttpFront::Failure failure{"POST", "/events", 500, false, 1};
        failure.afterCommit = true;
        m_bed.server->failNext(failure);

        const GoogleSyncBed::Outcome outcome = m_bed.sync();
        QCOMPARE(outcome.failures, QStringList());
        const QList<QJsonObject> stored = m_bed.server->events(GoogleSyncBed::GoogleCalendar);
        QCOMPARE(stored.size(), 1);
        const Event row = m_bed.events->getById(QStringLiteral("row-1")).value();
        QCOMPARE(row.provider_event_id, Google::PushRun::clientEventId(QStringLiteral("row-1")));
        QCOMPARE(row.provider_event_id, stored.first().value(QStringLiteral("id")).toString());
        QCOMPARE(row.sync_status, SyncStatus::Synced);
    }

    // The answer comes back while another connection writes (a pull on its
    // worker): it is recorded once that writer is done, not lost.
    void answerWaitsForAnotherWriter()
    {
        QVERIFY(m_bed.events->insert(newRow(QStringLiteral("row-1"), QStringLiteral("Review"))));
        std::unique_ptr<HeldWriteLock> lock;
        m_bed.server->onRequest = [&](const LocalHttpServer::Request &request) {
            if (request.method == "POST" && !lock)
                lock = std::make_unique<HeldWriteLock>(m_bed.store->db()->path(), 300);
        };
        const GoogleSyncBed::Outcome outcome = m_bed.sync();
        m_bed.server->onRequest = nullptr;
        QVERIFY(lock && lock->held());
        QCOMPARE(outcome.failures, QStringList());
        const Event row = m_bed.events->getById(QStringLiteral("row-1")).value();
        QCOMPARE(row.provider_event_id, Google::PushRun::clientEventId(QStringLiteral("row-1")));
        QCOMPARE(row.sync_status, SyncStatus::Synced);
    }

    // Google stored the insert but its answer was not recorded here (a
    // refusal after the fact): the next pull takes the event for this row,
    // not for a new one beside it, and the push updates it.
    void unrecordedInsertIsTakenForItsRow()
    {
        QVERIFY(m_bed.events->insert(newRow(QStringLiteral("row-1"), QStringLiteral("Review"))));
        ScriptedHttpFront::Failure failure{"POST", "/events", 400, false, 1};
        failure.afterCommit = true;
        m_bed.server->failNext(failure);
        QCOMPARE(m_bed.sync().failures.size(), 1);
        QCOMPARE(m_bed.events->getById(QStringLiteral("row-1"))->provider_event_id, QString());

        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.events->getByCalendar(GoogleSyncBed::CalendarId).size(), 1);
        QCOMPARE(m_bed.server->events(GoogleSyncBed::GoogleCalendar).size(), 1);
        const Event row = m_bed.events->getById(QStringLiteral("row-1")).value();
        QCOMPARE(row.provider_event_id, Google::PushRun::clientEventId(QStringLiteral("row-1")));
        QCOMPARE(row.sync_status, SyncStatus::Synced);
        QCOMPARE(m_bed.server->requestsTo("/calendar/v3/calendars/team%40example.com/events", "POST").size(), 1);
    }

    // A token Google no longer takes (401) is renewed once, for the
    // listing and the push alike, and the run goes on with the new one,
    // which is kept. The push goes out with the run's first token: every
    // write refused for it takes the token the listing was renewed for.
    void refusedTokenIsRenewedOnce_data()
    {
        QTest::addColumn<int>("pendingRows");
        QTest::newRow("one write") << 1;
        QTest::newRow("two writes") << 2;
    }

    void refusedTokenIsRenewedOnce()
    {
        QFETCH(int, pendingRows);
        QVERIFY(m_bed.saveTokens(QDateTime::currentDateTimeUtc().addSecs(3600), QStringLiteral("ya29.revoked")));
        m_bed.serverEvent("{\"summary\":\"One\",\"start\":{\"dateTime\":\"2026-03-02T09:00:00Z\"}}");
        for (int i = 1; i <= pendingRows; ++i)
            QVERIFY(m_bed.events->insert(newRow(QStringLiteral("row-%1").arg(i), QStringLiteral("Two"))));
        const GoogleSyncBed::Outcome outcome = m_bed.sync();
        QCOMPARE(outcome.failures, QStringList());
        QCOMPARE(outcome.count, 1);
        QCOMPARE(m_bed.server->events(GoogleSyncBed::GoogleCalendar).size(), 1 + pendingRows);
        QCOMPARE(tokenRequests(), 1);
        QCOMPARE(m_bed.savedTokens().accessToken, m_bed.server->lastAccessToken());
    }

    // Where a refresh rotates the refresh token and revokes the old one,
    // the account's calendars share one refresh.
    void calendarsOfOneAccountShareOneRefresh()
    {
        m_bed.server->rotateRefreshTokens = true;
        QVERIFY(m_bed.saveTokens(QDateTime::currentDateTimeUtc().addSecs(-10)));
        QStringList ids{GoogleSyncBed::CalendarId};
        for (int i = 1; i <= 3; ++i) {
            Calendar other = m_bed.calendar();
            other.id = QStringLiteral("other-%1").arg(i);
            other.url = QStringLiteral("other%1@example.com").arg(i);
            QVERIFY(m_bed.calendars->insert(other));
            ids.append(other.id);
        }
        QStringList failures;
        int completed = 0;
        connect(m_bed.client.get(), &Sync::CalendarSyncClient::calendarSyncFailed, this,
                [&](const QString &, const QString &reason) { failures.append(reason); });
        connect(m_bed.client.get(), &Sync::CalendarSyncClient::calendarSyncCompleted, this,
                [&](const QString &, int) { ++completed; });
        for (const QString &id : std::as_const(ids))
            m_bed.client->syncCalendar(m_bed.calendar(id));
        QTRY_COMPARE_WITH_TIMEOUT(completed + failures.size(), 4, 10000);
        QCOMPARE(failures, QStringList());
        QCOMPARE(tokenRequests(), 1);
        QCOMPARE(m_bed.savedTokens().refreshToken, m_bed.server->lastRefreshToken());
    }

    // A grant Google refuses (invalid_grant) marks the account; its
    // calendars then fail at once, asking Google nothing, until sign-in.
    void refusedGrantAsksForSignIn()
    {
        QVERIFY(m_bed.saveTokens(QDateTime(), QString(), QStringLiteral("1//revoked")));
        // Renamed here before: this device's lost sign-in is no edit of it.
        Account renamed = *m_bed.accounts->getById(QStringLiteral("g"));
        renamed.updated_at = QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC);
        QVERIFY(m_bed.accounts->updateKeepingTime(renamed));
        QCOMPARE(m_bed.sync().failures.size(), 1);
        QCOMPARE(m_bed.accounts->getById(QStringLiteral("g"))->last_sync_error, QStringLiteral("Sign in required"));
        QCOMPARE(m_bed.accounts->getById(QStringLiteral("g"))->updated_at, renamed.updated_at);
        m_bed.server->http().clearRequests();
        const GoogleSyncBed::Outcome outcome = m_bed.sync();
        QCOMPARE(outcome.failures,
                 QStringList{QStringLiteral("Google no longer accepts the saved sign-in. Sign in again.")});
        QCOMPARE(m_bed.server->requests().size(), 0);
    }

    // New tokens the secret store refuses fail the run: with rotation the
    // refresh token kept would already be revoked.
    void unsavedTokensFailTheRun()
    {
        QVERIFY(m_bed.saveTokens(QDateTime()));
        auto shared = m_bed.secrets;
        m_bed.client->setTokenStoreMaker([shared] {
            auto store = std::make_unique<MemoryTokenStore>(shared);
            store->setFailWrites(true);
            return store;
        });
        const GoogleSyncBed::Outcome outcome = m_bed.sync();
        QCOMPARE(outcome.completions, 0);
        QCOMPARE(outcome.failures,
                 QStringList{QStringLiteral("The renewed Google sign-in could not be saved to the secret store.")});
    }

    // "This event only" changed here updates Google's instance of the
    // series, not a new event beside it, also when the series is new too
    // and both go out in one run. Taken back (its undo), the instance
    // returns to the series' time instead of being cancelled. Deleted, the
    // instance is cancelled for every other device, also when the change
    // never went out (no Google id yet), beside a change of the series, or
    // when the answer was lost and the next run cancels it again; deleted
    // and undone before the push, the change goes out. No update is sent
    // empty.
    void oneOccurrenceChangedHereUpdatesItsInstance_data()
    {
        QTest::addColumn<bool>("seriesSyncedFirst");
        QTest::addColumn<QString>("then");       // done to the change once made, before its push or after
        QTest::addColumn<QStringList>("google"); // as another device sees it: series, its 4 March (none: cancelled)
        const QStringList late{"Standup", "Standup (late)"};
        const QStringList cancelled{"Standup", ""};
        QTest::newRow("series on Google") << true << QString() << late;
        QTest::newRow("series new too") << false << QString() << late;
        QTest::newRow("taken back after the push") << true << "taken back after the push"
                                                   << QStringList{"Standup", "Standup"};
        QTest::newRow("deleted after the push") << true << "deleted after the push" << cancelled;
        QTest::newRow("deleted before the push") << true << "deleted before the push" << cancelled;
        QTest::newRow("deleted, series retitled, before the push")
            << true << "deleted, series retitled, before the push" << QStringList{"Standup, new", ""};
        QTest::newRow("deleted before the push, answer lost")
            << true << "deleted before the push, answer lost" << cancelled;
        QTest::newRow("deleted and undone before the push") << true << "deleted and undone before the push" << late;
    }

    void oneOccurrenceChangedHereUpdatesItsInstance()
    {
        QFETCH(bool, seriesSyncedFirst);
        QFETCH(QString, then);
        QFETCH(QStringList, google);
        Event series = newRow(QStringLiteral("series"), QStringLiteral("Standup"));
        series.start_time = QDateTime(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC);
        series.end_time = series.start_time.addSecs(900);
        series.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=5");
        QVERIFY(m_bed.events->insert(series));
        if (seriesSyncedFirst)
            QCOMPARE(m_bed.sync().failures, QStringList());

        Event moved = newRow(QStringLiteral("moved"), QStringLiteral("Standup (late)"));
        moved.master_event_uid = series.uid;
        moved.recurrence_id = QStringLiteral("20260304T080000Z");
        moved.start_time = QDateTime(QDate(2026, 3, 4), QTime(10, 0), Qt::UTC);
        moved.end_time = moved.start_time.addSecs(900);
        QVERIFY(m_bed.events->insert(moved));
        const bool beforePush = then.contains(QLatin1String("before the push"));
        if (!beforePush)
            QCOMPARE(m_bed.sync().failures, QStringList());

        const QString seriesId = m_bed.events->getById(series.id)->provider_event_id;
        const QString instanceId = seriesId + QStringLiteral("_20260304T080000Z");
        if (!beforePush) {
            QCOMPARE(m_bed.server->events(GoogleSyncBed::GoogleCalendar).size(), 2);
            const QJsonObject instance = m_bed.serverCopy(instanceId);
            QCOMPARE(instance.value(QStringLiteral("summary")).toString(), QStringLiteral("Standup (late)"));
            QCOMPARE(instance.value(QStringLiteral("recurringEventId")).toString(), seriesId);
            QCOMPARE(QDateTime::fromString(instance.value(QStringLiteral("start")).toObject().value("dateTime").toString(),
                                           Qt::ISODateWithMs),
                     moved.start_time);
            const Event row = m_bed.events->getById(moved.id).value();
            QCOMPARE(row.provider_event_id, instanceId);
            QCOMPARE(row.sync_status, SyncStatus::Synced);
        }

        UndoStack undo;
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), &undo);
        if (then.startsWith(QLatin1String("taken back")))
            QVERIFY(m_bed.events->withdraw(moved.id));
        else if (then.startsWith(QLatin1String("deleted")))
            QVERIFY(editor.remove(m_bed.events->getById(moved.id).value()));
        if (then.contains(QLatin1String("undone")))
            undo.undo();
        if (then.contains(QLatin1String("series retitled"))) {
            Event retitled = m_bed.events->getById(series.id).value();
            retitled.title = QStringLiteral("Standup, new");
            QVERIFY(editor.saveForm(m_bed.events->getById(series.id), retitled));
        }
        if (then.endsWith(QLatin1String("answer lost"))) {
            ScriptedHttpFront::Failure lost{"DELETE", "_20260304T080000Z", 400, false, 1};
            lost.afterCommit = true;
            m_bed.server->failNext(lost);
            QCOMPARE(m_bed.sync().failures.size(), 1);
        }
        QCOMPARE(m_bed.sync().failures, QStringList());

        // The day as Google lists it: its own instance where one was
        // written, else the series'.
        const std::optional<QJsonObject> day = m_bed.server->event(GoogleSyncBed::GoogleCalendar, instanceId);
        const QString dayShown = !day ? m_bed.serverCopy(seriesId).value(QStringLiteral("summary")).toString()
            : day->value(QStringLiteral("status")).toString() == QLatin1String("cancelled")
            ? QString()
            : day->value(QStringLiteral("summary")).toString();
        QCOMPARE((QStringList{m_bed.serverCopy(seriesId).value(QStringLiteral("summary")).toString(), dayShown}),
                 google);
        QStringList emptyUpdates;
        for (const LocalHttpServer::Request &request : m_bed.server->requests()) {
            if (request.method == "PATCH" && request.body == "{}")
                emptyUpdates.append(QString::fromLatin1(request.target));
        }
        QCOMPARE(emptyUpdates, QStringList());
        if (then.startsWith(QLatin1String("taken back"))) {
            const QJsonObject back = m_bed.serverCopy(instanceId);
            QCOMPARE(QDateTime::fromString(back.value(QStringLiteral("start")).toObject().value("dateTime").toString(),
                                           Qt::ISODateWithMs),
                     QDateTime(QDate(2026, 3, 4), QTime(8, 0), Qt::UTC));
        }
        if (then.isEmpty())
            return;
        // Here too, after the next run: the change is Google's instance, or
        // gone with the day skipped, or gone with the day back.
        QCOMPARE(m_bed.sync().failures, QStringList());
        const std::optional<Event> left = m_bed.events->getById(moved.id);
        QCOMPARE(left ? left->provider_event_id : QString(), google.last() == moved.title ? instanceId : QString());
        QCOMPARE(m_bed.events->getById(series.id)->exception_dates,
                 google.last().isEmpty() ? QStringLiteral("[\"20260304T080000Z\"]") : QString());
    }

    // A series dragged "All events" keeps on Google the days it skips and
    // its changed occurrences: Google gives its days anew at their new
    // starts, so the skipped day is cancelled there and the changed one
    // written to its instance there, with its own time and title.
    void seriesMovedInTimeKeepsItsDays_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("exceptions");
        QTest::newRow("two hours") << 0 << 120 << true;
        QTest::newRow("a day") << 1 << 0 << true;
        QTest::newRow("two hours, no exception") << 0 << 120 << false;
    }

    void seriesMovedInTimeKeepsItsDays()
    {
        QFETCH(int, days);
        QFETCH(int, minutes);
        QFETCH(bool, exceptions);
        m_bed.serverEvent(StandupJson);
        if (exceptions) {
            m_bed.serverEvent(StandupCancelledJson);
            m_bed.serverEvent(StandupChangedJson);
        }
        QCOMPARE(m_bed.sync().failures, QStringList());
        const Event series = m_bed.localRow(QStringLiteral("standup001"));
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        QVERIFY(editor.changeTimes(series, series.start_time,
                                   *EventEditor::moved(series, series.start_time, days, minutes),
                                   EventEditor::TimeEdit::Move, SeriesScope::AllEvents));
        QCOMPARE(m_bed.sync().failures, QStringList());

        // Another device lists the instances: each at its original start,
        // moved; the changed one with its own time and title.
        const auto shown = [](const QJsonObject &instance) {
            const QDateTime start = QDateTime::fromString(
                instance.value(QStringLiteral("start")).toObject().value(QStringLiteral("dateTime")).toString(),
                Qt::ISODateWithMs);
            return Google::recurrenceIdFromJson(instance) + QLatin1Char(' ') + start.toUTC().toString(Qt::ISODate)
                + QLatin1Char(' ') + instance.value(QStringLiteral("summary")).toString();
        };
        QStringList expected;
        for (int week = 0; week < 8; ++week) {
            const QDateTime original =
                QDateTime(QDate(2026, 3, 17), QTime(9, 0), Qt::UTC).addDays(7 * week + days).addSecs(60 * minutes);
            const QString id = original.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
            if (exceptions && week == 1)
                continue;
            expected.append(exceptions && week == 3 ? id + QStringLiteral(" 2026-04-08T10:00:00Z Standup, Wednesday")
                                                    : id + QLatin1Char(' ') + original.toString(Qt::ISODate)
                                                          + QStringLiteral(" Standup"));
        }
        QStringList there;
        for (const QJsonObject &instance :
             m_bed.server->seriesInstances(GoogleSyncBed::GoogleCalendar, QStringLiteral("standup001"))) {
            if (instance.value(QStringLiteral("status")).toString() != QLatin1String("cancelled"))
                there.append(shown(instance));
        }
        QCOMPARE(there, expected);
        // Its guests hear nothing of the days; a series without exceptions
        // asks for no instance at all.
        QStringList instanceWrites;
        for (const LocalHttpServer::Request &request :
             m_bed.server->requestsTo("/calendar/v3/calendars/team%40example.com/events/standup001_")) {
            if (request.method != "GET")
                instanceWrites.append(QString::fromLatin1(request.method + ' ' + request.target.split('?').value(1)));
        }
        QCOMPARE(instanceWrites, exceptions ? (QStringList{"DELETE sendUpdates=none", "PATCH sendUpdates=none"})
                                            : QStringList());
        QCOMPARE(m_bed.server->requestsTo("/calendar/v3/calendars/team%40example.com/events/standup001/instances")
                     .isEmpty(),
                 !exceptions);
        // Here, after the next run: the same days, the change held as
        // Google's instance at its new place.
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.events->getPending(GoogleSyncBed::CalendarId), QList<Event>());
        if (exceptions)
            QCOMPARE(m_bed.localRow(QStringLiteral("standup001_") + expected.at(2).left(16)).title,
                     QStringLiteral("Standup, Wednesday"));
    }

    // A meeting moved here from a calendar of this device reaches Google
    // with its guests, who hear nothing of it, when this account organizes
    // it (no organizer, its address, its calendar). One organized by
    // someone else would become the user's own meeting there, shown to its
    // guests without its organizer: the move is refused before anything is
    // stored or sent, also when the organizer's calendar is shared into the
    // account to be read. Without guests it moves whoever organized it.
    void meetingMovedFromThisDeviceKeepsItsGuests_data()
    {
        QTest::addColumn<bool>("meeting");
        QTest::addColumn<QString>("organizer");
        QTest::addColumn<bool>("sharedIn"); // the organizer's calendar in the account, read only
        QTest::addColumn<bool>("refused");
        QTest::newRow("meeting") << true << QString() << false << false;
        QTest::newRow("plain event") << false << QString() << false << false;
        QTest::newRow("meeting organized here") << true << "ME@example.com" << false << false;
        QTest::newRow("meeting organized by the calendar") << true << "team@example.com" << false << false;
        QTest::newRow("meeting one is invited to") << true << "boss@example.com" << false << true;
        QTest::newRow("meeting whose organizer's calendar is shared in")
            << true << "boss@example.com" << true << true;
        QTest::newRow("no guests, organized elsewhere") << false << "boss@example.com" << false << false;
    }

    void meetingMovedFromThisDeviceKeepsItsGuests()
    {
        QFETCH(bool, meeting);
        QFETCH(QString, organizer);
        QFETCH(bool, sharedIn);
        QFETCH(bool, refused);
        QVERIFY(seedLocalCalendars(m_bed.store->db(), {QStringLiteral("device")}));
        if (sharedIn)
            QVERIFY(sharedToRead(organizer));
        Event review = newRow(QStringLiteral("review"), QStringLiteral("Review"));
        review.calendar_id = QStringLiteral("device");
        review.organizer_email = organizer;
        if (meeting) {
            for (const char *email : {"bob@example.com", "cy@example.com"}) {
                Attendee guest;
                guest.email = QLatin1String(email);
                review.attendees.append(guest);
            }
        }
        QVERIFY(m_bed.events->insert(review));
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        const Event before = *m_bed.events->getById(review.id);
        Event copy = before;
        copy.calendar_id = GoogleSyncBed::CalendarId;
        const EditResult moved = editor.saveForm(before, copy, &copy);
        QCOMPARE(moved.error, refused ? QStringLiteral("\"Review\" is organized by boss@example.com, and on Google it "
                                                       "would become your own meeting, shown to its guests without its "
                                                       "organizer, if it moved to \"Team\". It stays in \"device\".")
                                      : QString());
        QCOMPARE(m_bed.sync().failures, QStringList());

        const QList<LocalHttpServer::Request> inserts =
            m_bed.server->requestsTo("/calendar/v3/calendars/team%40example.com/events?", "POST");
        if (refused) {
            QCOMPARE(inserts.size(), 0);
            QCOMPARE(m_bed.server->events(GoogleSyncBed::GoogleCalendar), QList<QJsonObject>());
            QCOMPARE(m_bed.events->getByCalendar(GoogleSyncBed::CalendarId), QList<Event>());
            QCOMPARE(*m_bed.events->getById(review.id), before);
            return;
        }
        QCOMPARE(inserts.size(), 1);
        QVERIFY(inserts.first().target.contains("sendUpdates=none"));
        QStringList guests;
        for (const QJsonValue &guest :
             m_bed.serverCopy(m_bed.events->getById(copy.id)->provider_event_id).value("attendees").toArray())
            guests.append(guest.toObject().value(QStringLiteral("email")).toString());
        QCOMPARE(guests, meeting ? (QStringList{"bob@example.com", "cy@example.com"}) : QStringList());
    }

    // An invitation imported into the calendar (someone else organizes it)
    // goes up as a plain event of the calendar: with its guests it would
    // become the user's own meeting on Google, also when the organizer's
    // calendar is shared into the account to be read. One of the user's own
    // meetings, imported, keeps its guests.
    void importedInvitationGoesWithoutItsGuests_data()
    {
        QTest::addColumn<QString>("organizer");
        QTest::addColumn<bool>("sharedIn"); // the organizer's calendar in the account, read only
        QTest::addColumn<QStringList>("guests"); // on Google
        QTest::newRow("invitation") << "boss@example.com" << false << QStringList();
        QTest::newRow("invitation, the organizer's calendar shared in") << "boss@example.com" << true << QStringList();
        QTest::newRow("own meeting") << "me@example.com" << false << QStringList{"bob@example.com", "me@example.com"};
    }

    void importedInvitationGoesWithoutItsGuests()
    {
        QFETCH(QString, organizer);
        QFETCH(bool, sharedIn);
        QFETCH(QStringList, guests);
        if (sharedIn)
            QVERIFY(sharedToRead(organizer));
        const QString text = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\n"
                                            "UID:planning@example.com\r\nDTSTAMP:20260301T080000Z\r\n"
                                            "DTSTART:20260305T090000Z\r\nDTEND:20260305T100000Z\r\nSUMMARY:Planning\r\n"
                                            "ORGANIZER:mailto:%1\r\nATTENDEE;PARTSTAT=ACCEPTED:mailto:bob@example.com\r\n"
                                            "ATTENDEE;PARTSTAT=NEEDS-ACTION:mailto:me@example.com\r\nEND:VEVENT\r\n"
                                            "END:VCALENDAR\r\n")
                                 .arg(organizer);
        const IcsImport::Result imported = IcsImport::importEvents(m_bed.store->db(), m_bed.events.get(),
                                                                   IcsCodec::parseEvents(text), GoogleSyncBed::CalendarId);
        QCOMPARE(imported.imported, 1);
        QCOMPARE(m_bed.sync().failures, QStringList());
        const QList<QJsonObject> held = m_bed.server->events(GoogleSyncBed::GoogleCalendar);
        QCOMPARE(held.size(), 1);
        QStringList there;
        for (const QJsonValue &guest : held.first().value(QStringLiteral("attendees")).toArray())
            there.append(guest.toObject().value(QStringLiteral("email")).toString());
        there.sort();
        QCOMPARE(there, guests);
        QCOMPARE(held.first().value(QStringLiteral("summary")).toString(), QStringLiteral("Planning"));
    }

    // A meeting moved to another calendar keeps on Google what the record
    // does not hold (guests, conference, private properties) and a series
    // the days it skips: between calendars of the account Google moves it,
    // to another account it is made anew from what Google held. Another
    // device finds it whole there and gone from the old calendar. A day
    // skipped here (its changed occurrence deleted) and not yet sent is
    // skipped there too. Synced first, the old calendar keeps Google's copy
    // until the copy is in the new one, so Google still moves it.
    void movedMeetingKeepsWhatGoogleHeld_data()
    {
        QTest::addColumn<QString>("account"); // of the calendar moved to
        QTest::addColumn<bool>("meeting");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QStringList>("skipped"); // on Google before the move
        QTest::addColumn<QString>("skippedHere"); // 4 March: "" (not), "sent" (before the move) or "unsent"
        QTest::addColumn<bool>("oldFirst");       // the old calendar syncs before the new one
        QTest::newRow("meeting, same account") << "g" << true << QString() << QStringList() << QString() << false;
        QTest::newRow("meeting, other account") << "g2" << true << QString() << QStringList() << QString() << false;
        QTest::newRow("plain event, same account") << "g" << false << QString() << QStringList() << QString() << false;
        QTest::newRow("plain event, other account")
            << "g2" << false << QString() << QStringList() << QString() << false;
        QTest::newRow("series with a cancelled day, same account")
            << "g" << true << "FREQ=DAILY;COUNT=5" << QStringList{"20260303T090000Z"} << QString() << false;
        QTest::newRow("series with a cancelled day, other account")
            << "g2" << true << "FREQ=DAILY;COUNT=5" << QStringList{"20260303T090000Z"} << QString() << false;
        QTest::newRow("series skipping no day, other account")
            << "g2" << false << "FREQ=DAILY;COUNT=5" << QStringList() << QString() << false;
        QTest::newRow("series with a day skipped here, same account")
            << "g" << true << "FREQ=DAILY;COUNT=5" << QStringList{"20260303T090000Z"} << "unsent" << false;
        QTest::newRow("series with a day skipped and sent here, same account")
            << "g" << true << "FREQ=DAILY;COUNT=5" << QStringList{"20260303T090000Z"} << "sent" << false;
        QTest::newRow("meeting, same account, old calendar first")
            << "g" << true << QString() << QStringList() << QString() << true;
        QTest::newRow("meeting, other account, old calendar first")
            << "g2" << true << QString() << QStringList() << QString() << true;
        QTest::newRow("series with a cancelled day, same account, old calendar first")
            << "g" << true << "FREQ=DAILY;COUNT=5" << QStringList{"20260303T090000Z"} << QString() << true;
    }

    void movedMeetingKeepsWhatGoogleHeld()
    {
        QFETCH(QString, account);
        QFETCH(bool, meeting);
        QFETCH(QString, rule);
        QFETCH(QStringList, skipped);
        QFETCH(QString, skippedHere);
        QFETCH(bool, oldFirst);
        QVERIFY(m_bed.addCalendar(QStringLiteral("other"), QStringLiteral("other@example.com"), account));
        QJsonObject held = GoogleSyncBed::parse(MeetingJson);
        const QJsonObject meetingParts = GoogleSyncBed::parse(MeetingPartsJson);
        if (meeting) {
            for (auto it = meetingParts.constBegin(); it != meetingParts.constEnd(); ++it)
                held.insert(it.key(), it.value());
        }
        if (!rule.isEmpty())
            held.insert(QStringLiteral("recurrence"), QJsonArray{QStringLiteral("RRULE:") + rule});
        held = m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, held);
        for (const QString &day : skipped) {
            const QDateTime at = QDateTime::fromString(day, QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
            QJsonObject gone{{QStringLiteral("recurringEventId"), QStringLiteral("meet")},
                             {QStringLiteral("status"), QStringLiteral("cancelled")},
                             {QStringLiteral("id"), QStringLiteral("meet_") + day}};
            gone.insert(QStringLiteral("originalStartTime"),
                        QJsonObject{{QStringLiteral("dateTime"), at.toString(Qt::ISODate) + QLatin1Char('Z')}});
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, gone);
        }
        const QString here = QStringLiteral("20260304T090000Z");
        if (!skippedHere.isEmpty())
            m_bed.serverEvent(R"({"id":"meet_20260304T090000Z","recurringEventId":"meet","summary":"Review, later",
                "originalStartTime":{"dateTime":"2026-03-04T09:00:00Z"},
                "start":{"dateTime":"2026-03-04T11:00:00Z"},"end":{"dateTime":"2026-03-04T12:00:00Z"}})");
        QCOMPARE(m_bed.sync().failures, QStringList());

        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        if (!skippedHere.isEmpty()) {
            QVERIFY(editor.remove(m_bed.localRow(QStringLiteral("meet_") + here)));
            if (skippedHere == QLatin1String("sent"))
                QCOMPARE(m_bed.sync().failures, QStringList());
            skipped.append(here);
        }
        const Event before = m_bed.localRow(QStringLiteral("meet"));
        Event copy = before;
        copy.calendar_id = QStringLiteral("other");
        QVERIFY(editor.saveForm(before, copy, &copy));
        // Where the event is on Google after each sync: the old calendar
        // keeps it until the copy is on its own, and it is never on none.
        const auto heldIn = [this] {
            QList<int> held;
            for (const QString &calendar : {GoogleSyncBed::GoogleCalendar, QStringLiteral("other@example.com")}) {
                const QList<QJsonObject> events = m_bed.server->events(calendar);
                held.append(int(std::count_if(events.cbegin(), events.cend(), [](const QJsonObject &event) {
                    return !event.contains(QStringLiteral("recurringEventId"))
                        && event.value(QStringLiteral("status")).toString() != QLatin1String("cancelled");
                })));
            }
            return held;
        };
        const int keptByOld = account == QLatin1String("g") ? 0 : 1;
        if (oldFirst) {
            QCOMPARE(m_bed.sync().failures, QStringList());
            QCOMPARE(heldIn(), QList<int>({1, 0}));
            QCOMPARE(m_bed.events->getById(before.id).value_or(Event()).sync_status, SyncStatus::Pending);
        }
        QCOMPARE(m_bed.sync(QStringLiteral("other")).failures, QStringList());
        QCOMPARE(heldIn(), QList<int>({keptByOld, 1}));
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(heldIn(), QList<int>({0, 1}));

        // What another device reads of the calendar moved to: the event
        // whole, without the days it skipped.
        QList<QJsonObject> live;
        QStringList skippedThere;
        for (const QJsonObject &event : m_bed.server->events(QStringLiteral("other@example.com"))) {
            if (event.value(QStringLiteral("status")).toString() == QLatin1String("cancelled"))
                skippedThere.append(Google::recurrenceIdFromJson(event));
            else
                live.append(event);
        }
        QCOMPARE(live.size(), 1);
        skippedThere += Google::exceptionDatesFromJson(live.first());
        skippedThere.sort();
        QCOMPARE(skippedThere, skipped);
        QJsonObject kept;
        for (const char *key : {"summary", "attendees", "conferenceData", "extendedProperties"}) {
            if (live.first().contains(QLatin1String(key)))
                kept.insert(QLatin1String(key), live.first().value(QLatin1String(key)));
        }
        QJsonObject expected = meeting ? meetingParts : QJsonObject();
        expected.insert(QStringLiteral("summary"), QStringLiteral("Review"));
        QCOMPARE(kept, expected);
        QCOMPARE(m_bed.server->requestsTo("/calendar/v3/calendars/team%40example.com/events/meet/move", "POST").size(),
                 account == QLatin1String("g") ? 1 : 0);
        for (const QJsonObject &event : m_bed.server->events(GoogleSyncBed::GoogleCalendar))
            QCOMPARE(event.value(QStringLiteral("status")).toString(), QStringLiteral("cancelled"));
        QCOMPARE(m_bed.store->count(QStringLiteral("events"), QStringLiteral("calendar_id = 'work'"))
                     + m_bed.store->count(QStringLiteral("event_moves")),
                 0);
        QCOMPARE(m_bed.events->getById(copy.id)->sync_status, SyncStatus::Synced);
    }

    // Moved to a calendar on this device, an event leaves Google at the old
    // calendar's sync: no server takes the copy, so nothing waits for it.
    void movedToThisDeviceLeavesGoogle()
    {
        QVERIFY(seedLocalCalendars(m_bed.store->db(), {QStringLiteral("device")}));
        m_bed.serverEvent(R"({"id":"plan","summary":"Planning",
            "start":{"dateTime":"2026-03-02T09:00:00Z"},"end":{"dateTime":"2026-03-02T10:00:00Z"}})");
        QCOMPARE(m_bed.sync().failures, QStringList());
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        const Event before = m_bed.localRow(QStringLiteral("plan"));
        Event copy = before;
        copy.calendar_id = QStringLiteral("device");
        QVERIFY(editor.saveForm(before, copy, &copy));

        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.serverCopy(QStringLiteral("plan")).value(QStringLiteral("status")).toString(),
                 QStringLiteral("cancelled"));
        QCOMPARE(m_bed.store->count(QStringLiteral("events"), QStringLiteral("calendar_id = 'work'"))
                     + m_bed.store->count(QStringLiteral("event_moves")),
                 0);
        QCOMPARE(m_bed.events->getById(copy.id).value_or(Event()).title, QStringLiteral("Planning"));
    }

    // Moved to another account's calendar after another device changed it on Google:
    // the old copy's deletion meets Google's newer etag (412), or a changed
    // occurrence's read before its series' one deletion finds it newer, and
    // what changed there reaches the copy, sent there already, also a
    // series' changed occurrence or the series itself; the copy's own edit wins
    // where both changed the title. An occurrence first changed there since
    // the last sync is found by the pull and goes to the copy too. A
    // deletion still deletes, a copy stays as it is when Google cancelled
    // the old one meanwhile, a change made there again before the deletion
    // goes too, and no move's link stays.
    void movedEventTakesWhatGoogleChanged_data()
    {
        QTest::addColumn<QString>("changedThere"); // event, series, occurrence or new occurrence
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QString>("meanwhile"); // on Google as the deletions arrive
        QTest::addColumn<QString>("copyTitle"); // given here to the copy after the move
        QTest::addColumn<int>("reads");         // of the changed event, each after a refused deletion
        QTest::addColumn<QStringList>("there"); // the new calendar on Google
        const QStringList theirs{"Planning, theirs @ Room 9"};
        const QStringList occurrenceTheirs{"Planning @ ", "Planning, theirs @ Room 9"};
        QTest::newRow("retitled there") << "event" << true << QString() << QString() << 1 << theirs;
        QTest::newRow("copy retitled here") << "event" << true << QString() << "Planning, mine" << 1
                                            << QStringList{"Planning, mine @ Room 9"};
        // Not moved, the deletion goes under the etag the pull took with
        // Google's change (kept for an undo): nothing to read afresh.
        QTest::newRow("deleted, not moved") << "event" << false << QString() << QString() << 0 << QStringList();
        QTest::newRow("series retitled there") << "series" << true << QString() << QString() << 1 << theirs;
        QTest::newRow("series' occurrence retitled there")
            << "occurrence" << true << QString() << QString() << 1 << occurrenceTheirs;
        QTest::newRow("series' occurrence first retitled there since the sync")
            << "new occurrence" << true << QString() << QString() << 1 << occurrenceTheirs;
        QTest::newRow("series' occurrence first retitled there, series deleted, not moved")
            << "new occurrence" << false << QString() << QString() << 0 << QStringList();
        QTest::newRow("series' occurrence first retitled there, again meanwhile")
            << "new occurrence" << true << "Planning, later" << QString() << 1
            << QStringList{"Planning @ ", "Planning, later @ Room 9"};
        QTest::newRow("cancelled there meanwhile")
            << "event" << true << "cancelled" << QString() << 1 << QStringList{"Planning @ "};
        QTest::newRow("retitled there again meanwhile")
            << "event" << true << "Planning, later" << QString() << 2 << QStringList{"Planning, later @ Room 9"};
    }

    void movedEventTakesWhatGoogleChanged()
    {
        QFETCH(QString, changedThere);
        QFETCH(bool, moved);
        QFETCH(QString, meanwhile);
        QFETCH(QString, copyTitle);
        QFETCH(int, reads);
        QFETCH(QStringList, there);
        // Of another account: Google moves nothing between accounts.
        QVERIFY(m_bed.addCalendar(QStringLiteral("other"), QStringLiteral("other@example.com"), QStringLiteral("g2")));
        const Calendar other = m_bed.calendar(QStringLiteral("other"));
        QJsonObject plan = GoogleSyncBed::parse(R"({"id":"plan","summary":"Planning",
            "start":{"dateTime":"2026-03-02T09:00:00Z"},"end":{"dateTime":"2026-03-02T10:00:00Z"}})");
        if (changedThere != QLatin1String("event"))
            plan.insert(QStringLiteral("recurrence"), QJsonArray{QStringLiteral("RRULE:FREQ=DAILY;COUNT=3")});
        m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, plan);
        const QJsonObject occurrence = GoogleSyncBed::parse(R"({"id":"plan_20260303T090000Z",
            "recurringEventId":"plan","summary":"Planning","originalStartTime":{"dateTime":"2026-03-03T09:00:00Z"},
            "start":{"dateTime":"2026-03-03T11:00:00Z"},"end":{"dateTime":"2026-03-03T12:00:00Z"}})");
        const bool newOccurrence = changedThere == QLatin1String("new occurrence");
        if (changedThere == QLatin1String("occurrence"))
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, occurrence);
        const QString changed = changedThere.endsWith(QLatin1String("occurrence"))
            ? occurrence.value(QStringLiteral("id")).toString()
            : QStringLiteral("plan");
        QCOMPARE(m_bed.sync().failures, QStringList());
        QJsonObject theirs = newOccurrence ? occurrence : m_bed.serverCopy(changed);
        theirs.insert(QStringLiteral("summary"), QStringLiteral("Planning, theirs"));
        theirs.insert(QStringLiteral("location"), QStringLiteral("Room 9"));
        const bool cancelled = meanwhile == QLatin1String("cancelled");
        if (!cancelled)
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, theirs);
        // Made again as the push reaches it: at the first deletion not
        // refused already, or at the read of an occurrence the pull first
        // saw, which goes with its series' one deletion.
        int deletes = 0;
        bool reached = false;
        m_bed.server->onRequest = [&](const LocalHttpServer::Request &request) {
            deletes += request.method == "DELETE" ? 1 : 0;
            const bool reaches = newOccurrence
                ? request.method == "GET" && request.target.contains("/events/" + changed.toUtf8()) && !reached
                : request.method == "DELETE" && deletes == 2;
            reached = reached || reaches;
            if (cancelled && deletes == 1 && request.method == "DELETE") {
                m_bed.server->cancelEvent(GoogleSyncBed::GoogleCalendar, changed);
            } else if (!cancelled && !meanwhile.isEmpty() && reaches) {
                theirs.insert(QStringLiteral("summary"), meanwhile);
                m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, theirs);
            }
        };

        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), nullptr);
        const Event before = m_bed.localRow(QStringLiteral("plan"));
        Event copy = before;
        copy.calendar_id = other.id;
        QVERIFY(moved ? bool(editor.saveForm(before, copy, &copy)) : m_bed.events->remove(before.id));
        QCOMPARE(m_bed.sync(other.id).failures, QStringList());
        if (!copyTitle.isEmpty()) {
            Event edited = m_bed.events->getById(copy.id).value();
            edited.title = copyTitle;
            QVERIFY(editor.saveForm(m_bed.events->getById(copy.id), edited));
        }
        // Refused again, the old copy stays for the next run. An occurrence
        // the pull first found goes to the copy, and the old series stays on
        // Google until that is on its own server.
        QStringList refused = m_bed.sync().failures;
        if (newOccurrence && moved) {
            QCOMPARE(m_bed.events->getById(before.id).value_or(Event()).sync_status, SyncStatus::Pending);
            QCOMPARE(m_bed.sync(other.id).failures, QStringList());
            refused += m_bed.sync().failures;
        }
        QCOMPARE(refused.size(), qMax(reads - 1, 0));
        // Nothing stays in the old calendar: an occurrence the pull first
        // found goes with its series' deletion, here as on Google.
        QStringList left;
        for (const Event &event : m_bed.events->getByCalendar(GoogleSyncBed::CalendarId))
            left.append(event.title);
        QCOMPARE(left, QStringList());
        m_bed.server->onRequest = nullptr;
        QCOMPARE(m_bed.sync().failures, QStringList());
        QCOMPARE(m_bed.sync(other.id).failures, QStringList());

        const auto shown = [this](const QString &calendar) { return liveOnGoogle(calendar); };
        // Each deletion refused read the event afresh, and so did each
        // changed occurrence that goes with its series' deletion.
        QCOMPARE(m_bed.server->requestsTo("/calendar/v3/calendars/team%40example.com/events/" + changed.toUtf8(), "GET")
                     .size(),
                 reads);
        QCOMPARE(shown(other.url), there);
        QCOMPARE(shown(GoogleSyncBed::GoogleCalendar), QStringList());
        QCOMPARE(m_bed.store->count(QStringLiteral("events"), QStringLiteral("calendar_id = 'work'"))
                     + m_bed.store->count(QStringLiteral("event_moves")),
                 0);
    }

    // An event deleted here while another device retitled it on Google:
    // the next sync's pull keeps Google's change in the tombstone, and its
    // push deletes the event. Ctrl+Z gives it back as Google held it last,
    // the other device's title with it, as a new event; with nothing changed
    // there, as it was. So too when the deletion is refused and stays
    // pending, and when the title changes again between the pull and the
    // push: the deletion meets Google's newer etag and reads it afresh.
private:
    // "Planning" in Room 4 on Google, synced here as "plan".
    bool syncedPlanning()
    {
        m_bed.serverEvent(R"({"id":"plan","summary":"Planning","location":"Room 4",
            "start":{"dateTime":"2026-03-02T09:00:00Z"},"end":{"dateTime":"2026-03-02T10:00:00Z"}})");
        return m_bed.sync().failures.isEmpty();
    }

private Q_SLOTS:
    void undoneDeleteKeepsWhatGoogleChanged_data()
    {
        QTest::addColumn<QString>("there");   // Google's title at the pull; empty: unchanged
        QTest::addColumn<bool>("refused");    // the deletion refused once
        QTest::addColumn<QString>("meanwhile"); // Google's title as the deletion arrives
        QTest::newRow("retitled there") << "Planning, theirs" << false << QString();
        QTest::newRow("retitled there, the deletion refused") << "Planning, theirs" << true << QString();
        QTest::newRow("retitled there, again as the deletion arrives")
            << "Planning, theirs" << false << "Planning, later";
        QTest::newRow("nothing changed there") << QString() << false << QString();
    }

    void undoneDeleteKeepsWhatGoogleChanged()
    {
        QFETCH(QString, there);
        QFETCH(bool, refused);
        QFETCH(QString, meanwhile);
        QVERIFY(syncedPlanning());
        UndoStack undo;
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), &undo);
        QVERIFY(editor.remove(m_bed.localRow(QStringLiteral("plan"))));
        if (!there.isEmpty()) {
            QJsonObject theirs = m_bed.serverCopy(QStringLiteral("plan"));
            theirs.insert(QStringLiteral("summary"), there);
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, theirs);
        }
        if (refused)
            m_bed.server->failNext({"DELETE", "/events/plan", 400, false, 1});
        int deletes = 0;
        m_bed.server->onRequest = [&](const LocalHttpServer::Request &request) {
            if (request.method != "DELETE" || ++deletes > 1 || meanwhile.isEmpty())
                return;
            QJsonObject later = m_bed.serverCopy(QStringLiteral("plan"));
            later.insert(QStringLiteral("summary"), meanwhile);
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, later);
        };
        QCOMPARE(m_bed.sync().failures.size(), refused ? 1 : 0);
        m_bed.server->onRequest = nullptr;
        const QString last = !meanwhile.isEmpty() ? meanwhile : there.isEmpty() ? QStringLiteral("Planning") : there;
        QCOMPARE(liveOnGoogle(GoogleSyncBed::GoogleCalendar),
                 refused ? QStringList{last + " @ Room 4"} : QStringList());
        // Each deletion refused for Google's newer etag read the event afresh.
        QCOMPARE(m_bed.server->requestsTo("/calendar/v3/calendars/team%40example.com/events/plan", "GET").size(),
                 meanwhile.isEmpty() ? 0 : 1);

        QSignalSpy undone(&undo, &UndoStack::undone);
        undo.undo();
        QCOMPARE(undone.size(), 1);
        QCOMPARE(m_bed.sync().failures, QStringList());
        const QStringList shown{last + " @ Room 4"};
        QCOMPARE(liveOnGoogle(GoogleSyncBed::GoogleCalendar), shown);
        QCOMPARE(m_bed.sync().failures, QStringList());
        QStringList here;
        for (const Event &event : m_bed.events->getByCalendar(GoogleSyncBed::CalendarId))
            here.append(event.title + " @ " + event.location);
        QCOMPARE(here, shown);
    }
    void undoneEditKeepsWhatGoogleChanged_data()
    {
        QTest::addColumn<QString>("there"); // Google's room by the next sync; empty: unchanged
        QTest::newRow("moved to another room there") << "Room 5";
        QTest::newRow("nothing changed there") << QString();
    }

    // Dragged and dragged back before a sync: the row waits with nothing of
    // its own to send, and the pull passes it by, so a change made on
    // another device meanwhile reaches it only through its push.
    void undoneEditKeepsWhatGoogleChanged()
    {
        QFETCH(QString, there);
        QVERIFY(syncedPlanning());
        UndoStack undo;
        EventEditor editor(m_bed.events.get(), m_bed.calendars.get(), m_bed.store->db(), &undo);
        const Event synced = m_bed.localRow(QStringLiteral("plan"));
        const std::optional<EventEditor::Times> later = EventEditor::moved(synced, synced.start_time, 0, 60);
        QVERIFY(later);
        QVERIFY(editor.changeTimes(synced, synced.start_time, *later, EventEditor::TimeEdit::Move).ok);
        QSignalSpy undone(&undo, &UndoStack::undone);
        undo.undo();
        QCOMPARE(undone.size(), 1);
        QCOMPARE(m_bed.localRow(QStringLiteral("plan")).sync_status, SyncStatus::Pending);
        if (!there.isEmpty()) {
            QJsonObject theirs = m_bed.serverCopy(QStringLiteral("plan"));
            theirs.insert(QStringLiteral("location"), there);
            m_bed.server->putEvent(GoogleSyncBed::GoogleCalendar, theirs);
        }
        QCOMPARE(m_bed.sync().failures, QStringList());
        const QStringList shown{"Planning @ " + (there.isEmpty() ? QStringLiteral("Room 4") : there)};
        QCOMPARE(liveOnGoogle(GoogleSyncBed::GoogleCalendar), shown);
        // Nothing of this device's went up.
        QCOMPARE(m_bed.server->requestsTo("/calendar/v3/calendars/team%40example.com/events/plan", "PATCH").size(), 0);
        QCOMPARE(m_bed.server->requestsTo("/calendar/v3/calendars/team%40example.com/events/plan", "PUT").size(), 0);
        const Event here = m_bed.localRow(QStringLiteral("plan"));
        QCOMPARE(here.title + " @ " + here.location, shown.first());
        QCOMPARE(here.start_time, synced.start_time);
        QCOMPARE(here.sync_status, SyncStatus::Synced);
        // Its next change starts from Google's copy, not a stale one.
        QCOMPARE(here.etag, m_bed.serverCopy(QStringLiteral("plan")).value(QStringLiteral("etag")).toString());
    }
};

QTEST_MAIN(TestGooglePush)
#include "tst_googlepush.moc"
