// Microsoft writes against the fake Graph server: updates that carry only
// what changed, an insert sent again, tokens refused mid-run or shared by
// an account's calendars, a move to another calendar after Outlook's copy
// changed, a series changed in Outlook after one of its days was changed
// here, a series dragged twice here, and one changed in Outlook before a
// drag here reached it.
#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

#include "app/edits/eventeditor.h"
#include "app/edits/recurringeditscope.h"
#include "app/edits/undostack.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/microsoft/microsofteventmapping.h"
#include "sync/microsoft/microsoftsyncclient.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/heldwritelock.h"
#include "tests/sync/microsoft/graphfixtures.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/teststore.h"

#include <memory>

namespace {

const QString DefaultCalendar = QStringLiteral("AAMkDefault=");

QJsonObject graphTime(const QDateTime &when)
{
    return QJsonObject{{QStringLiteral("dateTime"), when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz0000"))},
                       {QStringLiteral("timeZone"), QStringLiteral("UTC")}};
}

} // namespace

class TestMicrosoftWrites : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<FakeMicrosoftServer> m_server;
    MemoryTokenStore::Entries m_secrets;
    std::unique_ptr<Microsoft::SyncClient> m_client;
    // Whole seconds, as Graph writes its times.
    const QDateTime m_start = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC).addDays(1);

    bool saveTokens(const QDateTime &expiresAt, const QString &access)
    {
        MemoryTokenStore store(m_secrets);
        return Microsoft::AuthService::saveTokens(store, QStringLiteral("ms"),
                                                  {access, QStringLiteral("M.stored"), expiresAt});
    }

    // A new event made here, not yet sent.
    Event newDraft() const
    {
        Event event;
        event.id = event.uid = QStringLiteral("local-1");
        event.calendar_id = QStringLiteral("work");
        event.title = QStringLiteral("Draft");
        event.start_time = m_start;
        event.end_time = m_start.addSecs(1800);
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        return event;
    }

    // Runs the calendars at once; the failures once every one has ended.
    QStringList sync(const QStringList &calendarIds = {QStringLiteral("work")})
    {
        QStringList failures;
        int ended = 0;
        QObject context;
        connect(m_client.get(), &Sync::CalendarSyncClient::calendarSyncCompleted, &context, [&] { ++ended; });
        connect(m_client.get(), &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                [&](const QString &id, const QString &reason) {
                    failures.append(reason);
                    ended += m_client->isSyncing(id) ? 0 : 1;
                });
        for (const QString &id : calendarIds)
            m_client->syncCalendar(*m_calendars->getById(id));
        if (!QTest::qWaitFor([&] { return ended >= calendarIds.size(); }, 15000))
            failures.append(QStringLiteral("<no final signal>"));
        return failures;
    }

    // "work" and `count` other calendars of the account, on Graph and here.
    QStringList withOtherCalendars(int count)
    {
        QStringList ids{QStringLiteral("work")};
        for (int i = 1; i <= count; ++i) {
            const QString graphId = QStringLiteral("AAMkOther%1=").arg(i);
            m_server->addCalendar(QJsonObject{{QStringLiteral("id"), graphId},
                                              {QStringLiteral("name"), QStringLiteral("Other")}});
            Calendar other = *m_calendars->getById(QStringLiteral("work"));
            other.id = QStringLiteral("other-%1").arg(i);
            other.url = graphId;
            if (m_calendars->insert(other))
                ids.append(other.id);
        }
        return ids;
    }

    Event row(const QString &graphId) const
    {
        return m_events->getByProviderEventId(QStringLiteral("work"), graphId).value_or(Event());
    }

    QList<QJsonObject> patches() const
    {
        QList<QJsonObject> bodies;
        for (const LocalHttpServer::Request &request : m_server->requests()) {
            if (request.method == "PATCH")
                bodies.append(QJsonDocument::fromJson(request.body).object());
        }
        return bodies;
    }

    // A series in Outlook, daily or weekly from `first`, `count` times.
    QString putSeries(const QString &title, const QDateTime &first, const QString &type, int count)
    {
        QJsonObject series{{QStringLiteral("subject"), title},
                           {QStringLiteral("start"), graphTime(first)},
                           {QStringLiteral("end"), graphTime(first.addSecs(1800))}};
        QJsonObject pattern{{QStringLiteral("type"), type}, {QStringLiteral("interval"), 1}};
        if (type == QLatin1String("weekly"))
            pattern.insert(QStringLiteral("daysOfWeek"),
                           QJsonArray{QLocale::c().dayName(first.date().dayOfWeek()).toLower()});
        series.insert(QStringLiteral("recurrence"),
                      QJsonObject{{QStringLiteral("pattern"), pattern},
                                  {QStringLiteral("range"),
                                   QJsonObject{{QStringLiteral("type"), QStringLiteral("numbered")},
                                               {QStringLiteral("numberOfOccurrences"), count},
                                               {QStringLiteral("startDate"), first.date().toString(Qt::ISODate)}}}});
        return m_server->putEvent(DefaultCalendar, series).value(QStringLiteral("id")).toString();
    }

    // Its occurrence at `original` changed there: moved to `start` and
    // retitled.
    void putException(const QString &seriesId, const QDateTime &original, const QString &title, const QDateTime &start)
    {
        m_server->putEvent(DefaultCalendar, QJsonObject{{QStringLiteral("subject"), title},
                                                        {QStringLiteral("type"), QStringLiteral("exception")},
                                                        {QStringLiteral("seriesMasterId"), seriesId},
                                                        {QStringLiteral("originalStart"), original.toString(Qt::ISODate)},
                                                        {QStringLiteral("start"), graphTime(start)},
                                                        {QStringLiteral("end"), graphTime(start.addSecs(1800))}});
    }

    // Its instance at `original` deleted there, as another device finds
    // and deletes it; false when it has none there.
    bool deleteOccurrence(const QString &seriesId, const QDateTime &original)
    {
        for (const QJsonObject &instance : m_server->seriesInstances(seriesId, original.addDays(-1), original.addDays(1))) {
            if (QDateTime::fromString(instance.value(QStringLiteral("originalStart")).toString(), Qt::ISODate) == original)
                return m_server->deleteInstance(instance.value(QStringLiteral("id")).toString());
        }
        return false;
    }

    // "start title" of each occurrence this device shows, in time order.
    QStringList shownHere() const
    {
        QStringList shown;
        for (const Event &occurrence : Recurrence::expandForRange(m_events->getByCalendar(QStringLiteral("work")),
                                                                  m_start.addDays(-2), m_start.addDays(60)))
            shown.append(occurrence.start_time.toUTC().toString(Qt::ISODate) + QLatin1Char(' ') + occurrence.title);
        return shown;
    }

    // The same as another device reads it: the series' instances in Outlook.
    QStringList heldInOutlook(const QString &seriesId) const
    {
        QStringList held;
        for (const QJsonObject &instance : m_server->seriesInstances(seriesId, m_start.addDays(-2), m_start.addDays(60))) {
            const Event shown = Microsoft::eventFromGraph(instance, QStringLiteral("work"));
            held.append(shown.start_time.toUTC().toString(Qt::ISODate) + QLatin1Char(' ') + shown.title);
        }
        held.sort();
        return held;
    }

    // A sync client that waits `timeoutMs` for an answer.
    void makeClient(int timeoutMs = 5000)
    {
        Microsoft::Endpoints endpoints;
        endpoints.authority = m_server->baseUrl();
        endpoints.graphRoot = m_server->graphRoot();
        endpoints.clientId = m_server->clientId;
        endpoints.transferTimeoutMs = timeoutMs;
        m_client = std::make_unique<Microsoft::SyncClient>(
            Sync::Repositories{m_store->db(), m_events.get(), nullptr, m_calendars.get(), m_accounts.get()},
            endpoints);
        auto secrets = m_secrets;
        m_client->setTokenStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
    }

    // A walk made here in UTC from `first`, `minutes` long, repeating by
    // `rule`, and pushed: its row as the push left it; none where either
    // failed.
    Event pushedWalk(const QDateTime &first, int minutes, const QString &rule)
    {
        Event walk;
        walk.calendar_id = QStringLiteral("work");
        walk.title = QStringLiteral("Walk");
        walk.timezone = QStringLiteral("UTC");
        walk.start_time = first;
        walk.end_time = first.addSecs(60 * minutes);
        walk.recurrence_rule = rule;
        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), nullptr);
        Event saved;
        if (!editor.saveForm(std::nullopt, walk, &saved) || !sync().isEmpty())
            return Event();
        return m_events->getById(saved.id).value_or(Event());
    }

    bool dragged(const QString &graphId, int days, int minutes)
    {
        const Event series = row(graphId);
        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), nullptr);
        return bool(editor.changeTimes(series, series.start_time,
                                       *EventEditor::moved(series, series.start_time, days, minutes),
                                       EventEditor::TimeEdit::Move, SeriesScope::AllEvents));
    }

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        m_accounts = std::make_unique<AccountRepository>(m_store->db());
        m_calendars = std::make_unique<CalendarRepository>(m_store->db());
        m_events = std::make_unique<EventRepository>(m_store->db());
        m_server = std::make_unique<FakeMicrosoftServer>();
        QVERIFY(m_server->start());
        m_server->addAccessToken(QStringLiteral("EwB.stored"));
        m_server->addRefreshToken(QStringLiteral("M.stored"));
        m_server->addCalendar(QJsonObject{{QStringLiteral("id"), DefaultCalendar},
                                          {QStringLiteral("name"), QStringLiteral("Calendar")},
                                          {QStringLiteral("isDefaultCalendar"), true}});
        m_secrets = std::make_shared<QHash<QString, QString>>();
        Account account;
        account.id = QStringLiteral("ms");
        account.name = QStringLiteral("Ada");
        account.username = QStringLiteral("ada@example.com");
        account.type = AccountType::Microsoft;
        QVERIFY(m_accounts->insert(account));
        Calendar work;
        work.id = QStringLiteral("work");
        work.name = QStringLiteral("Work");
        work.account_id = account.id;
        work.url = DefaultCalendar;
        QVERIFY(m_calendars->insert(work));
        QVERIFY(saveTokens(QDateTime::currentDateTimeUtc().addSecs(3600), QStringLiteral("EwB.stored")));
        makeClient();
    }

    void cleanup()
    {
        m_client.reset();
        m_server.reset();
    }

    // A new subject is all a PATCH carries, before and after a stale
    // change key; a location set in Outlook meanwhile stays.
    void updatesCarryOnlyWhatChanged_data()
    {
        QTest::addColumn<bool>("changedInOutlook");
        QTest::newRow("current") << false;
        QTest::newRow("stale change key") << true;
    }

    void updatesCarryOnlyWhatChanged()
    {
        QFETCH(bool, changedInOutlook);
        QJsonObject event{{QStringLiteral("subject"), QStringLiteral("Review")},
                          {QStringLiteral("showAs"), QStringLiteral("busy")},
                          {QStringLiteral("isReminderOn"), true},
                          {QStringLiteral("reminderMinutesBeforeStart"), 15},
                          {QStringLiteral("start"), graphTime(m_start)},
                          {QStringLiteral("end"), graphTime(m_start.addSecs(3600))}};
        const QString id = m_server->putEvent(DefaultCalendar, event).value(QStringLiteral("id")).toString();
        QCOMPARE(sync(), QStringList());
        Event edited = row(id);
        edited.title = QStringLiteral("Review, moved");
        edited.sync_status = SyncStatus::Pending;
        QVERIFY(m_events->update(edited));
        if (changedInOutlook) {
            QJsonObject theirs = *m_server->event(id);
            theirs.insert(QStringLiteral("location"), QJsonObject{{QStringLiteral("displayName"), QStringLiteral("Room 9")}});
            m_server->putEvent(DefaultCalendar, theirs);
        }
        m_server->http().clearRequests();
        QCOMPARE(sync(), QStringList());

        const QJsonObject subjectOnly{{QStringLiteral("subject"), QStringLiteral("Review, moved")}};
        QCOMPARE(patches(), changedInOutlook ? (QList<QJsonObject>{subjectOnly, subjectOnly})
                                             : QList<QJsonObject>{subjectOnly});
        const QJsonObject now = *m_server->event(id);
        QCOMPARE(now.value(QStringLiteral("subject")).toString(), QStringLiteral("Review, moved"));
        QCOMPARE(now.value(QStringLiteral("location")).toObject().value(QStringLiteral("displayName")).toString(),
                 changedInOutlook ? QStringLiteral("Room 9") : QString());
        QCOMPARE(row(id).sync_status, SyncStatus::Synced);
    }

    // The answer comes back while another connection writes (a pull on its
    // worker): it is recorded once that writer is done, and nothing is
    // sent again.
    void answerWaitsForAnotherWriter()
    {
        const Event event = newDraft();
        QVERIFY(m_events->insert(event));
        std::unique_ptr<HeldWriteLock> lock;
        m_server->onRequest = [&](const LocalHttpServer::Request &request) {
            if (request.method == "POST" && !lock)
                lock = std::make_unique<HeldWriteLock>(m_store->db()->path(), 300);
        };
        const QStringList failures = sync();
        m_server->onRequest = nullptr;
        QVERIFY(lock && lock->held());
        QCOMPARE(failures, QStringList());
        QCOMPARE(m_events->getById(event.id)->sync_status, SyncStatus::Synced);
        QCOMPARE(sync(), QStringList());
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendars/", "POST").size(), 1);
        QCOMPARE(m_events->getByCalendar(QStringLiteral("work")).size(), 1);
    }

    // Graph stored the insert but its answer was lost: the failure is
    // reported, the next run's pull finds the event by its transactionId
    // and takes it for this row, and the push updates it: no second POST,
    // no second event, no second row.
    void insertStoredButUnansweredIsNotMadeTwice()
    {
        const Event event = newDraft();
        QVERIFY(m_events->insert(event));
        ScriptedHttpFront::Failure failure{"POST", "/events", 500, false, 1};
        failure.afterCommit = true;
        m_server->failNext(failure);
        QCOMPARE(sync().size(), 1);
        QCOMPARE(m_events->getById(event.id)->sync_status, SyncStatus::Pending);
        QCOMPARE(sync(), QStringList());
        QCOMPARE(m_server->requestsTo("/v1.0/me/calendars/", "POST").size(), 1);
        QStringList subjects;
        for (const QJsonObject &stored : m_server->events(DefaultCalendar))
            subjects.append(stored.value(QStringLiteral("subject")).toString());
        QCOMPARE(subjects, QStringList{QStringLiteral("Draft")});
        QCOMPARE(m_events->getById(event.id)->sync_status, SyncStatus::Synced);
        QCOMPARE(m_events->getByCalendar(QStringLiteral("work")).size(), 1);
    }

    // A token Graph refuses (401) is renewed once; where the refresh
    // rotates the refresh token and revokes the old one, the account's
    // calendars share one refresh, and the requests of one client that
    // were sent with the refused token take the token it was renewed for.
    void refusedTokenIsRenewedOnceForTheAccount_data()
    {
        QTest::addColumn<int>("otherCalendars");
        QTest::addColumn<int>("pendingRows");
        QTest::newRow("four calendars") << 3 << 0;
        // The pull renews; the push goes out with the run's first token,
        // and both writes are refused.
        QTest::newRow("two writes sent with the refused token") << 0 << 2;
    }

    void refusedTokenIsRenewedOnceForTheAccount()
    {
        QFETCH(int, otherCalendars);
        QFETCH(int, pendingRows);
        m_server->rotateRefreshTokens = true;
        QVERIFY(saveTokens(QDateTime::currentDateTimeUtc().addSecs(3600), QStringLiteral("EwB.revoked")));
        for (int i = 1; i <= pendingRows; ++i) {
            Event draft = newDraft();
            draft.id = draft.uid = QStringLiteral("local-%1").arg(i);
            QVERIFY(m_events->insert(draft));
        }
        QCOMPARE(sync(withOtherCalendars(otherCalendars)), QStringList());
        QCOMPARE(m_server->requestsTo("/common/oauth2/v2.0/token", "POST").size(), 1);
        QCOMPARE(m_server->events(DefaultCalendar).size(), pendingRows);
        MemoryTokenStore store(m_secrets);
        QCOMPARE(Microsoft::AuthService::loadTokens(store, QStringLiteral("ms")).refreshToken,
                 m_server->lastRefreshToken());
    }

    // A grant refused once (invalid_grant) is not asked for again by the
    // requests that were refused with its access token later: every
    // calendar ends once, saying what to do.
    void refusedGrantIsAskedForOnce()
    {
        QVERIFY(saveTokens(QDateTime::currentDateTimeUtc().addSecs(3600), QStringLiteral("EwB.revoked")));
        m_server->revokeRefreshToken(QStringLiteral("M.stored"));
        // Three of the four listings are refused only after the refusal
        // of the first one's renewal.
        ScriptedHttpFront::Failure late{"GET", "/me/calendar?", 401, false, 3};
        late.held = true;
        m_server->failNext(late);
        QObject context;
        connect(m_client.get(), &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                [this] { m_server->http().releaseHeld(); });
        QCOMPARE(sync(withOtherCalendars(3)),
                 QStringList(4, QStringLiteral("Microsoft no longer accepts the saved sign-in. Sign in again.")));
        QCOMPARE(m_server->requestsTo("/common/oauth2/v2.0/token", "POST").size(), 1);
    }
    // One occurrence changed here and then deleted leaves Outlook for every
    // other device, also when the change never went out (no Graph id yet),
    // beside a change of the series, or when the answer was lost and the
    // next run deletes it again; deleted and undone before the push, the
    // change goes out. No update is sent empty. An all-day instance is
    // found by the date Graph lists it at (midnight in the series' zone),
    // whatever its original start in UTC.
    void changedOccurrenceDeletedHereLeavesOutlook_data()
    {
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("then");        // done to the change once made, before its push or after
        QTest::addColumn<QStringList>("outlook"); // as another device sees it: series, its third day (none: gone)
        QTest::newRow("deleted after the push") << false << "deleted after the push" << QStringList{"Review", ""};
        QTest::newRow("deleted before the push") << false << "deleted before the push" << QStringList{"Review", ""};
        QTest::newRow("deleted, series retitled, before the push")
            << false << "deleted, series retitled, before the push" << QStringList{"Review, new", ""};
        QTest::newRow("deleted before the push, answer lost")
            << false << "deleted before the push, answer lost" << QStringList{"Review", ""};
        QTest::newRow("deleted and undone before the push")
            << false << "deleted and undone before the push" << QStringList{"Review", "Review, moved"};
        QTest::newRow("all day, deleted before the push") << true << "deleted before the push" << QStringList{"Review", ""};
        QTest::newRow("all day, deleted after the push") << true << "deleted after the push" << QStringList{"Review", ""};
    }

    void changedOccurrenceDeletedHereLeavesOutlook()
    {
        QFETCH(bool, allDay);
        QFETCH(QString, then);
        QFETCH(QStringList, outlook);
        const QDateTime midnight(m_start.date(), QTime(0, 0), Qt::UTC);
        const auto timed = [&](int days) {
            if (!allDay)
                return QJsonObject{{QStringLiteral("subject"), QStringLiteral("Review")},
                                   {QStringLiteral("start"), graphTime(m_start.addDays(days))},
                                   {QStringLiteral("end"), graphTime(m_start.addDays(days).addSecs(1800))}};
            return QJsonObject{{QStringLiteral("subject"), QStringLiteral("Review")},
                               {QStringLiteral("isAllDay"), true},
                               {QStringLiteral("start"), graphTime(midnight.addDays(days))},
                               {QStringLiteral("end"), graphTime(midnight.addDays(days + 1))}};
        };
        // An all-day series in Berlin starts its days at 23:00 UTC.
        const auto originalStart = [&](int days) {
            return allDay ? midnight.addDays(days).addSecs(-3600).toString(Qt::ISODate)
                          : m_start.addDays(days).toString(Qt::ISODate);
        };
        QJsonObject master = timed(0);
        master.insert(QStringLiteral("recurrence"),
                      QJsonDocument::fromJson(R"({"pattern":{"type":"daily","interval":1},"range":{"type":"noEnd"}})")
                          .object());
        const QString masterId = m_server->putEvent(DefaultCalendar, master).value(QStringLiteral("id")).toString();
        const QDateTime day = m_start.addDays(2);
        for (int days = 1; days <= 3; ++days) {
            QJsonObject occurrence = timed(days);
            occurrence.insert(QStringLiteral("type"), QStringLiteral("occurrence"));
            occurrence.insert(QStringLiteral("seriesMasterId"), masterId);
            occurrence.insert(QStringLiteral("originalStart"), originalStart(days));
            m_server->putEvent(DefaultCalendar, occurrence);
        }
        QCOMPARE(sync(), QStringList());

        Event moved = newDraft();
        moved.id = moved.uid = QStringLiteral("moved");
        moved.title = QStringLiteral("Review, moved");
        moved.master_event_uid = masterId;
        moved.recurrence_id = day.toString(QStringLiteral("yyyyMMddTHHmmssZ"));
        moved.start_time = day.addSecs(7200);
        moved.end_time = day.addSecs(9000);
        if (allDay) {
            moved.is_all_day = true;
            moved.recurrence_id = day.toString(QStringLiteral("yyyyMMdd"));
            moved.start_time = QDateTime(day.date(), QTime(0, 0));
            moved.end_time = moved.start_time.addDays(1);
        }
        moved.raw_icalendar = IcsCodec::buildEventIcs(moved);
        QVERIFY(m_events->insert(moved));
        if (!then.contains(QLatin1String("before the push"))) {
            QCOMPARE(sync(), QStringList());
            QVERIFY(!m_events->getById(moved.id)->provider_event_id.isEmpty());
        }
        UndoStack undo;
        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), &undo);
        QVERIFY(editor.remove(m_events->getById(moved.id).value()));
        if (then.contains(QLatin1String("undone")))
            undo.undo();
        if (then.contains(QLatin1String("series retitled"))) {
            Event retitled = row(masterId);
            retitled.title = QStringLiteral("Review, new");
            QVERIFY(editor.saveForm(row(masterId), retitled));
        }
        if (then.endsWith(QLatin1String("answer lost"))) {
            ScriptedHttpFront::Failure lost{"DELETE", "/events/", 400, false, 1};
            lost.afterCommit = true;
            m_server->failNext(lost);
            QCOMPARE(sync().size(), 1);
        }
        QCOMPARE(sync(), QStringList());

        QString dayShown;
        for (const QJsonObject &event : m_server->events(DefaultCalendar)) {
            if (event.value(QStringLiteral("seriesMasterId")).toString() == masterId
                && event.value(QStringLiteral("originalStart")).toString() == originalStart(2))
                dayShown = event.value(QStringLiteral("subject")).toString();
        }
        QCOMPARE((QStringList{m_server->event(masterId)->value(QStringLiteral("subject")).toString(), dayShown}),
                 outlook);
        QCOMPARE(patches().count(QJsonObject()), 0);
        // Here too, after the next run: the change is Graph's instance, or
        // gone with the day skipped.
        QCOMPARE(sync(), QStringList());
        const std::optional<Event> left = m_events->getById(moved.id);
        QCOMPARE(left ? left->title : QString(), outlook.last());
        QCOMPARE(row(masterId).exception_dates.isEmpty(), !outlook.last().isEmpty());
    }

    // A weekly series with its fourth day retitled here, both in Outlook,
    // then given a place there: this device shows that day once, as changed
    // here, and the place on the others, whoever made the series, also after
    // it moved here from another Outlook calendar. An edit of the changed
    // day here goes to its instance, one of the series to the series.
    void seriesChangedInOutlookKeepsItsChangedDay_data()
    {
        QTest::addColumn<QString>("made"); // here, there, or here in "work" and then moved
        QTest::newRow("made here, changed there") << "here";
        QTest::newRow("moved here, changed there") << "moved";
        QTest::newRow("made there, changed there") << "there";
    }

    void seriesChangedInOutlookKeepsItsChangedDay()
    {
        QFETCH(QString, made);
        const QStringList calendars = withOtherCalendars(1);
        const QString other = calendars.last();
        const QString otherGraph = m_calendars->getById(other)->url;
        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), nullptr);
        Event series;
        if (made == QLatin1String("there")) {
            QJsonObject yoga{{QStringLiteral("subject"), QStringLiteral("Yoga")},
                             {QStringLiteral("start"), graphTime(m_start)},
                             {QStringLiteral("end"), graphTime(m_start.addSecs(3600))}};
            yoga.insert(QStringLiteral("recurrence"), QJsonDocument::fromJson(R"({"pattern":{"type":"weekly","interval":1},
                "range":{"type":"numbered","numberOfOccurrences":6}})").object());
            const QString id = m_server->putEvent(otherGraph, yoga).value(QStringLiteral("id")).toString();
            // Graph lists a series by its instances.
            QJsonObject fourth = yoga;
            fourth.remove(QStringLiteral("recurrence"));
            fourth.insert(QStringLiteral("id"), id + m_start.addDays(21).toString(QStringLiteral("_yyyyMMdd")));
            fourth.insert(QStringLiteral("type"), QStringLiteral("occurrence"));
            fourth.insert(QStringLiteral("seriesMasterId"), id);
            fourth.insert(QStringLiteral("originalStart"), m_start.addDays(21).toString(Qt::ISODate));
            fourth.insert(QStringLiteral("start"), graphTime(m_start.addDays(21)));
            fourth.insert(QStringLiteral("end"), graphTime(m_start.addDays(21).addSecs(3600)));
            m_server->putEvent(otherGraph, fourth);
            QCOMPARE(sync({other}), QStringList());
            series = *m_events->getByProviderEventId(other, id);
        } else {
            Event yoga;
            yoga.calendar_id = made == QLatin1String("here") ? other : QStringLiteral("work");
            yoga.title = QStringLiteral("Yoga");
            yoga.timezone = QStringLiteral("UTC");
            yoga.start_time = m_start;
            yoga.end_time = m_start.addSecs(3600);
            yoga.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=6");
            QVERIFY(editor.saveForm(std::nullopt, yoga, &series));
            QCOMPARE(sync({yoga.calendar_id}), QStringList());
        }
        const QDateTime day = m_start.addDays(21);
        Event changed = *m_events->getById(series.id);
        changed.title = QStringLiteral("Yoga (changed)");
        changed.start_time = day;
        changed.end_time = day.addSecs(3600);
        QVERIFY(editor.saveOccurrence(*m_events->getById(series.id), day, changed, SeriesScope::ThisEvent));
        QCOMPARE(sync({series.calendar_id}), QStringList());
        if (made == QLatin1String("moved")) {
            Event copy = *m_events->getById(series.id);
            copy.calendar_id = other;
            QVERIFY(editor.saveForm(m_events->getById(series.id), copy, &series));
            for (int run = 0; run < 3; ++run)
                QCOMPARE(sync(calendars), QStringList());
            QCOMPARE(m_server->events(DefaultCalendar), QList<QJsonObject>());
        }
        const QString seriesId = m_events->getById(series.id)->provider_event_id;
        const QString instanceId = seriesId + day.toString(QStringLiteral("_yyyyMMdd"));
        QCOMPARE(m_server->event(instanceId).value_or(QJsonObject()).value(QStringLiteral("subject")).toString(),
                 changed.title);

        QJsonObject placed = *m_server->event(seriesId);
        placed.insert(QStringLiteral("location"), QJsonObject{{QStringLiteral("displayName"), QStringLiteral("Studio 2")}});
        m_server->putEvent(otherGraph, placed);
        QCOMPARE(sync({other}), QStringList());
        QCOMPARE(sync({other}), QStringList());
        QStringList shown;
        for (const Event &occurrence : Recurrence::expandForRange(m_events->getByCalendar(other), m_start.addDays(-1),
                                                                  m_start.addDays(60)))
            shown.append(QStringLiteral("%1 @ %2 +%3").arg(occurrence.title, occurrence.location)
                             .arg(m_start.daysTo(occurrence.start_time)));
        QCOMPARE(shown, (QStringList{"Yoga @ Studio 2 +0", "Yoga @ Studio 2 +7", "Yoga @ Studio 2 +14",
                                     "Yoga (changed) @  +21", "Yoga @ Studio 2 +28", "Yoga @ Studio 2 +35"}));

        const Event stored = *m_events->getByProviderEventId(other, instanceId);
        Event later = stored;
        later.title = QStringLiteral("Yoga (later)");
        later.start_time = day.addSecs(3600);
        later.end_time = day.addSecs(7200);
        QVERIFY(editor.saveForm(stored, later));
        Event renamed = *m_events->getById(series.id);
        renamed.title = QStringLiteral("Yoga, weekly");
        QVERIFY(editor.saveForm(m_events->getById(series.id), renamed));
        QCOMPARE(sync({other}), QStringList());
        const QJsonObject instance = m_server->event(instanceId).value_or(QJsonObject());
        QCOMPARE(instance.value(QStringLiteral("subject")).toString(), later.title);
        QCOMPARE(QDateTime::fromString(instance.value(QStringLiteral("start")).toObject().value("dateTime").toString(),
                                       Qt::ISODateWithMs),
                 later.start_time);
        QCOMPARE(m_server->event(seriesId)->value(QStringLiteral("subject")).toString(), renamed.title);
        QCOMPARE(m_server->events(otherGraph).size(), 2);
    }

    // Moved to another Outlook calendar, an event keeps what Outlook held
    // of it (categories, the online meeting, sensitivity, an HTML body as
    // HTML), as another device reads it there. A meeting is not moved: its
    // copy would invite the guests anew and the old one's deletion cancel
    // it for them, so nothing is sent and it stays where it was. A series
    // keeps the days it skips: Graph takes none with a new event, so their
    // instances are deleted, also when a deletion's answer was lost or the
    // run ended before the deletions (the row stays pending till then).
    // Whichever calendar syncs first, the old copy stays in Outlook until
    // the copy is there.
    void movedEventKeepsWhatOutlookHeld_data()
    {
        QTest::addColumn<bool>("guests");
        QTest::addColumn<bool>("htmlHeld");   // else a plain event, in text
        QTest::addColumn<int>("skipped");     // days a daily series skips; -1: no series
        QTest::addColumn<QByteArray>("fault"); // the first request refused, in "METHOD target" form
        QTest::addColumn<QString>("order");    // of the calendars' syncs: "old first", "new first" or both at once
        QTest::newRow("HTML body, categories, online meeting") << false << true << -1 << QByteArray() << QString();
        QTest::newRow("plain event") << false << false << -1 << QByteArray() << QString();
        QTest::newRow("meeting refused") << true << true << -1 << QByteArray() << QString();
        QTest::newRow("series skipping a day") << false << false << 1 << QByteArray() << QString();
        QTest::newRow("series skipping no day") << false << false << 0 << QByteArray() << QString();
        QTest::newRow("series skipping a day, deletion's answer lost")
            << false << false << 1 << QByteArray("DELETE _20") << QString();
        QTest::newRow("series skipping a day, run ended before the deletions")
            << false << false << 1 << QByteArray("GET /instances") << QString();
        QTest::newRow("plain event, old calendar first") << false << false << -1 << QByteArray() << "old first";
        QTest::newRow("series skipping a day, old calendar first")
            << false << false << 1 << QByteArray() << "old first";
        QTest::newRow("plain event, new calendar first") << false << false << -1 << QByteArray() << "new first";
    }

    void movedEventKeepsWhatOutlookHeld()
    {
        QFETCH(bool, guests);
        QFETCH(bool, htmlHeld);
        QFETCH(int, skipped);
        QFETCH(QByteArray, fault);
        QFETCH(QString, order);
        const QString other = withOtherCalendars(1).last();
        const QString otherGraph = m_calendars->getById(other)->url;
        QJsonObject held = htmlHeld ? QJsonDocument::fromJson(HeldByOutlookJson).object()
                                    : QJsonObject{{QStringLiteral("subject"), QStringLiteral("Review")},
                                                  {QStringLiteral("body"),
                                                   QJsonObject{{QStringLiteral("contentType"), QStringLiteral("text")},
                                                               {QStringLiteral("content"), QStringLiteral("Agenda")}}}};
        held.insert(QStringLiteral("start"), graphTime(m_start));
        held.insert(QStringLiteral("end"), graphTime(m_start.addSecs(3600)));
        if (guests)
            held.insert(QStringLiteral("attendees"), QJsonDocument::fromJson(OutlookGuestsJson).array());
        if (skipped >= 0)
            held.insert(QStringLiteral("recurrence"), QJsonDocument::fromJson(R"({"pattern":{"type":"daily","interval":1},
                "range":{"type":"numbered","numberOfOccurrences":5}})").object());
        held = m_server->putEvent(DefaultCalendar, held);
        const QString heldId = held.value(QStringLiteral("id")).toString();
        if (skipped > 0) {
            held.insert(QStringLiteral("cancelledOccurrences"),
                        QJsonArray{QStringLiteral("OID.%1.%2").arg(heldId, m_start.addDays(2).date().toString(Qt::ISODate))});
            held = m_server->putEvent(DefaultCalendar, held);
        }
        // Graph lists a series by its instances.
        if (skipped >= 0) {
            QJsonObject first = held;
            first.remove(QStringLiteral("recurrence"));
            first.insert(QStringLiteral("id"), heldId + QStringLiteral("-1"));
            first.insert(QStringLiteral("type"), QStringLiteral("occurrence"));
            first.insert(QStringLiteral("seriesMasterId"), heldId);
            m_server->putEvent(DefaultCalendar, first);
        }
        QCOMPARE(sync(), QStringList());
        m_server->http().clearRequests();

        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), nullptr);
        const Event before = row(heldId);
        QCOMPARE(before.exception_dates.isEmpty(), skipped <= 0);
        Event copy = before;
        copy.calendar_id = other;
        const EditResult moved = editor.saveForm(before, copy, &copy);
        QCOMPARE(moved.error, guests ? QStringLiteral("\"Review\" has guests, and Outlook would send them a new "
                                                      "invitation (or a cancellation) if it moved to \"Work\". It "
                                                      "stays in \"Work\".")
                                     : QString());
        if (!fault.isEmpty()) {
            ScriptedHttpFront::Failure refused{fault.split(' ').first(), fault.split(' ').last(), 400, false, 1};
            refused.afterCommit = fault.startsWith("DELETE");
            m_server->failNext(refused);
            QCOMPARE(sync({QStringLiteral("work"), other}).size(), 1);
            QCOMPARE(m_events->getById(copy.id)->sync_status, SyncStatus::Pending);
        }
        // Where the event is in Outlook after each sync: the old calendar
        // keeps it until the copy is on its own, and it is never on none.
        const auto heldIn = [&] {
            QList<int> held;
            for (const QString &calendar : {DefaultCalendar, otherGraph}) {
                const QList<QJsonObject> events = m_server->events(calendar);
                held.append(int(std::count_if(events.cbegin(), events.cend(), [](const QJsonObject &event) {
                    return event.value(QStringLiteral("type")).toString() != QLatin1String("occurrence");
                })));
            }
            return held;
        };
        const QList<int> bothHeld{1, 1};
        if (order == QLatin1String("old first")) {
            QCOMPARE(sync(), QStringList());
            QCOMPARE(heldIn(), QList<int>({1, 0}));
            QCOMPARE(m_events->getById(before.id).value_or(Event()).sync_status, SyncStatus::Pending);
            QCOMPARE(sync({other}), QStringList());
            QCOMPARE(heldIn(), bothHeld);
        } else if (order == QLatin1String("new first")) {
            QCOMPARE(sync({other}), QStringList());
            QCOMPARE(heldIn(), bothHeld);
        } else {
            QCOMPARE(sync({QStringLiteral("work"), other}), QStringList());
            QVERIFY(heldIn() != QList<int>({0, 0}));
        }
        QCOMPARE(sync(), QStringList());
        if (!guests)
            QCOMPARE(m_store->count(QStringLiteral("events"), QStringLiteral("calendar_id = 'work'"))
                         + m_store->count(QStringLiteral("event_moves")),
                     0);

        QList<QJsonObject> there = m_server->events(otherGraph);
        QList<QJsonObject> left = m_server->events(DefaultCalendar);
        if (guests) {
            QCOMPARE(m_server->requests().size() - m_server->requestsTo("", "GET").size(), 0);
            QCOMPARE(there, QList<QJsonObject>());
            QCOMPARE(left, QList<QJsonObject>{held});
            QCOMPARE(*m_events->getById(before.id), before);
            return;
        }
        QCOMPARE(left, QList<QJsonObject>());
        QCOMPARE(there.size(), 1);
        // Another device reads the series' skipped days from Graph's master.
        QCOMPARE(Microsoft::eventFromGraph(there.first(), other).exception_dates, before.exception_dates);
        QCOMPARE(m_events->getById(copy.id)->sync_status, SyncStatus::Synced);
        QJsonObject kept;
        for (const char *key : {"subject", "body", "categories", "isOnlineMeeting", "onlineMeetingProvider",
                                "sensitivity"}) {
            if (there.first().contains(QLatin1String(key)))
                kept.insert(QLatin1String(key), there.first().value(QLatin1String(key)));
        }
        for (const QString &key : {QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("id"),
                                   QStringLiteral("changeKey"), QStringLiteral("lastModifiedDateTime"),
                                   QStringLiteral("webLink"), QStringLiteral("type"), QStringLiteral("recurrence"),
                                   QStringLiteral("cancelledOccurrences")})
            held.remove(key);
        QCOMPARE(kept, held);
    }

    // A series dragged "All events" keeps in Outlook the days it skips and
    // its changed occurrences: Graph gives its days anew at their new
    // starts, so the skipped day is deleted there and the changed one
    // written to its instance there, with its own time and title.
    void seriesMovedInTimeKeepsItsDays_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("exceptions"); // else a series made here, skipping and changing no day
        QTest::newRow("two hours") << 0 << 120 << true;
        QTest::newRow("a day") << 1 << 0 << true;
        QTest::newRow("two hours, no exception") << 0 << 120 << false;
    }

    void seriesMovedInTimeKeepsItsDays()
    {
        QFETCH(int, days);
        QFETCH(int, minutes);
        QFETCH(bool, exceptions);
        const QDateTime first(m_start.date(), QTime(9, 0), Qt::UTC);
        const auto week = [&first](int n) { return first.addDays(7 * n); };
        QString seriesId;
        if (exceptions) {
            const QString weekday = QLocale::c().dayName(first.date().dayOfWeek()).toLower();
            QJsonObject board{{QStringLiteral("subject"), QStringLiteral("Board")},
                              {QStringLiteral("start"), graphTime(first)},
                              {QStringLiteral("end"), graphTime(first.addSecs(3600))}};
            board.insert(QStringLiteral("recurrence"),
                         QJsonObject{{QStringLiteral("pattern"),
                                      QJsonObject{{QStringLiteral("type"), QStringLiteral("weekly")},
                                                  {QStringLiteral("interval"), 1},
                                                  {QStringLiteral("daysOfWeek"), QJsonArray{weekday}}}},
                                     {QStringLiteral("range"),
                                      QJsonObject{{QStringLiteral("type"), QStringLiteral("numbered")},
                                                  {QStringLiteral("numberOfOccurrences"), 8},
                                                  {QStringLiteral("startDate"), first.date().toString(Qt::ISODate)}}}});
            seriesId = m_server->putEvent(DefaultCalendar, board).value(QStringLiteral("id")).toString();
            board.insert(QStringLiteral("id"), seriesId);
            board.insert(QStringLiteral("cancelledOccurrences"),
                         QJsonArray{QStringLiteral("OID.%1.%2").arg(seriesId, week(5).date().toString(Qt::ISODate))});
            m_server->putEvent(DefaultCalendar, board);
            // Week 1 moved to the next day and retitled.
            QJsonObject changed{{QStringLiteral("subject"), QStringLiteral("Board, next day")},
                                {QStringLiteral("type"), QStringLiteral("exception")},
                                {QStringLiteral("seriesMasterId"), seriesId},
                                {QStringLiteral("originalStart"), week(1).toString(Qt::ISODate)},
                                {QStringLiteral("start"), graphTime(week(1).addDays(1))},
                                {QStringLiteral("end"), graphTime(week(1).addDays(1).addSecs(3600))}};
            m_server->putEvent(DefaultCalendar, changed);
        } else {
            Event board = newDraft();
            board.title = QStringLiteral("Board");
            board.start_time = first;
            board.end_time = first.addSecs(3600);
            board.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=8");
            board.raw_icalendar = IcsCodec::buildEventIcs(board);
            QVERIFY(m_events->insert(board));
        }
        QCOMPARE(sync(), QStringList());
        const Event series = exceptions ? row(seriesId) : *m_events->getById(QStringLiteral("local-1"));
        seriesId = series.provider_event_id;
        QCOMPARE(series.exception_dates.isEmpty(), !exceptions);
        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), nullptr);
        QVERIFY(editor.changeTimes(series, series.start_time,
                                   *EventEditor::moved(series, series.start_time, days, minutes),
                                   EventEditor::TimeEdit::Move, SeriesScope::AllEvents));
        m_server->http().clearRequests();
        QCOMPARE(sync(), QStringList());

        // Another device lists the instances: each at its original start,
        // moved; the changed one with its own time and title.
        QStringList expected;
        for (int n = 0; n < 8; ++n) {
            const QDateTime original = week(n).addDays(days).addSecs(60 * minutes);
            if (exceptions && n == 5)
                continue;
            const bool changed = exceptions && n == 1;
            const QDateTime start = changed ? week(1).addDays(1) : original;
            expected.append(original.toString(QStringLiteral("yyyyMMddTHHmmssZ "))
                            + QStringLiteral("%1 %2").arg(start.toString(Qt::ISODate),
                                                          changed ? "Board, next day" : "Board"));
        }
        QStringList there;
        for (const QJsonObject &instance : m_server->seriesInstances(seriesId, first.addDays(-1), first.addDays(70))) {
            const Event shown = Microsoft::eventFromGraph(instance, QStringLiteral("work"));
            there.append(Microsoft::recurrenceIdFromGraph(instance, false) + QLatin1Char(' ')
                         + shown.start_time.toUTC().toString(Qt::ISODate) + QLatin1Char(' ') + shown.title);
        }
        there.sort();
        QCOMPARE(there, expected);
        // A series without exceptions asks for no instance.
        QCOMPARE(m_server->requestsTo("/v1.0/me/events/" + QUrl::toPercentEncoding(seriesId) + "/instances").isEmpty(),
                 !exceptions);
        // Here, after the next run: nothing left to send.
        QCOMPARE(sync(), QStringList());
        QCOMPARE(m_events->getPending(QStringLiteral("work")), QList<Event>());
    }

    // "This and following" moves the days from the fourth on: the old
    // series ends on the day before the split in Outlook too (Graph's end
    // date is the last day its pattern applies on), so every device shows
    // each day once, in one series or the other.
    void seriesSplitEndsTheOldSeriesBeforeTheSplitDay_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minutes");
        QTest::newRow("a day") << 1 << 0;
        QTest::newRow("two hours") << 0 << 120;
    }

    void seriesSplitEndsTheOldSeriesBeforeTheSplitDay()
    {
        QFETCH(int, days);
        QFETCH(int, minutes);
        const QDateTime first(m_start.date(), QTime(9, 0), Qt::UTC);
        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), nullptr);
        const Event series = pushedWalk(first, 60, QStringLiteral("FREQ=DAILY;COUNT=7"));
        QVERIFY(!series.provider_event_id.isEmpty());
        const QDateTime split = first.addDays(3);
        QVERIFY(editor.changeTimes(series, split, *EventEditor::moved(series, split, days, minutes),
                                   EventEditor::TimeEdit::Move, SeriesScope::ThisAndFollowing));
        QCOMPARE(sync(), QStringList());

        QStringList expected;
        for (int n = 0; n < 7; ++n)
            expected.append((n < 3 ? first.addDays(n) : first.addDays(n + days).addSecs(60 * minutes))
                                .toString(Qt::ISODate));
        const auto shown = [this](const QList<Event> &rows) {
            QStringList starts;
            for (const Event &occurrence : Recurrence::expandForRange(rows, m_start.addDays(-1), m_start.addDays(30)))
                starts.append(occurrence.start_time.toUTC().toString(Qt::ISODate));
            starts.sort();
            return starts;
        };
        QCOMPARE(shown(m_events->getByCalendar(QStringLiteral("work"))), expected);
        // Another device: the instances Outlook lists, and the series it
        // reads from the masters' patterns.
        QStringList listed;
        QList<Event> read;
        for (const QJsonObject &master : m_server->events(DefaultCalendar)) {
            const QString id = master.value(QStringLiteral("id")).toString();
            if (master.value(QStringLiteral("type")).toString() != QLatin1String("seriesMaster"))
                continue;
            read.append(Microsoft::eventFromGraph(master, QStringLiteral("work")));
            for (const QJsonObject &instance : m_server->seriesInstances(id, first.addDays(-1), first.addDays(30)))
                listed.append(Microsoft::eventFromGraph(instance, QStringLiteral("work")).start_time.toUTC()
                                  .toString(Qt::ISODate));
        }
        listed.sort();
        QCOMPARE(read.size(), 2);
        QCOMPARE(listed, expected);
        QCOMPARE(shown(read), expected);
        // This device after the next run: the same days, nothing to send.
        QCOMPARE(sync(), QStringList());
        QCOMPARE(shown(m_events->getByCalendar(QStringLiteral("work"))), expected);
        QCOMPARE(m_events->getPending(QStringLiteral("work")), QList<Event>());
    }

    // Moved to a calendar on this device after another device changed it
    // in Outlook: the old copy's deletion meets the newer change key (412),
    // or an exception's read before its series' one deletion finds it
    // newer, and what changed there reaches the copy, also a series' changed
    // occurrence or the series itself; the copy's own edit wins where both
    // changed the title. An exception first made in Outlook since the last
    // sync is found by the pull and goes to the copy too. A deletion still
    // deletes, and no move's link stays.
    void movedEventTakesWhatOutlookChanged_data()
    {
        QTest::addColumn<QString>("changedThere"); // event, series, occurrence or new occurrence
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QString>("copyTitle"); // given here to the copy after the move
        QTest::addColumn<int>("reads");         // of the changed event (a series' by each pull, and for its
                                                // exceptions before its deletion, too)
        QTest::addColumn<QStringList>("there"); // the calendar it moved to
        const QStringList theirs{"Planning, theirs @ Room 9"};
        const QStringList exceptionTheirs{"Planning @ ", "Planning, theirs @ Room 9"};
        QTest::newRow("retitled in Outlook") << "event" << true << QString() << 1 << theirs;
        QTest::newRow("copy retitled here") << "event" << true << "Planning, mine" << 1
                                            << QStringList{"Planning, mine @ Room 9"};
        QTest::newRow("deleted, not moved") << "event" << false << QString() << 1 << QStringList();
        QTest::newRow("series retitled in Outlook") << "series" << true << QString() << 4 << theirs;
        QTest::newRow("series' exception retitled in Outlook")
            << "occurrence" << true << QString() << 1 << exceptionTheirs;
        QTest::newRow("series' exception first made in Outlook since the sync")
            << "new occurrence" << true << QString() << 1 << exceptionTheirs;
        QTest::newRow("series' exception first made in Outlook, series deleted, not moved")
            << "new occurrence" << false << QString() << 0 << QStringList();
    }

    void movedEventTakesWhatOutlookChanged()
    {
        QFETCH(QString, changedThere);
        QFETCH(bool, moved);
        QFETCH(QString, copyTitle);
        QFETCH(int, reads);
        QFETCH(QStringList, there);
        const QStringList calendars = withOtherCalendars(1);
        const QString old = calendars.last();
        const QString graphCalendar = m_calendars->getById(old)->url;
        QVERIFY(seedLocalCalendars(m_store->db(), {QStringLiteral("device")}));
        const auto timed = [this](int days, int hour) {
            const QDateTime start = m_start.addDays(days).addSecs(hour * 3600);
            return QJsonObject{{QStringLiteral("subject"), QStringLiteral("Planning")},
                               {QStringLiteral("start"), graphTime(start)},
                               {QStringLiteral("end"), graphTime(start.addSecs(3600))}};
        };
        QJsonObject planning = timed(0, 0);
        const bool series = changedThere != QLatin1String("event");
        if (series)
            planning.insert(QStringLiteral("recurrence"),
                            QJsonDocument::fromJson(R"({"pattern":{"type":"daily","interval":1},"range":{"type":"noEnd"}})")
                                .object());
        const QString planningId = m_server->putEvent(graphCalendar, planning).value(QStringLiteral("id")).toString();
        const auto instance = [&](int days, int hour, const QString &type) {
            QJsonObject instance = timed(days, hour);
            instance.insert(QStringLiteral("type"), type);
            instance.insert(QStringLiteral("seriesMasterId"), planningId);
            instance.insert(QStringLiteral("originalStart"), m_start.addDays(days).toString(Qt::ISODate));
            return instance;
        };
        // Graph lists a series by its instances.
        if (series)
            m_server->putEvent(graphCalendar, instance(2, 0, QStringLiteral("occurrence")));
        QJsonObject exception = instance(1, 2, QStringLiteral("exception"));
        if (changedThere == QLatin1String("occurrence"))
            exception = m_server->putEvent(graphCalendar, exception);
        QCOMPARE(sync({old}), QStringList());
        const bool newException = changedThere == QLatin1String("new occurrence");
        QJsonObject theirs = newException ? exception
                                          : *m_server->event(changedThere == QLatin1String("occurrence")
                                                                 ? exception.value(QStringLiteral("id")).toString()
                                                                 : planningId);
        theirs.insert(QStringLiteral("subject"), QStringLiteral("Planning, theirs"));
        theirs.insert(QStringLiteral("location"), QJsonObject{{QStringLiteral("displayName"), QStringLiteral("Room 9")}});
        const QString changed = m_server->putEvent(graphCalendar, theirs).value(QStringLiteral("id")).toString();

        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), nullptr);
        const Event before = *m_events->getByProviderEventId(old, planningId);
        Event copy = before;
        copy.calendar_id = QStringLiteral("device");
        QVERIFY(moved ? bool(editor.saveForm(before, copy, &copy)) : m_events->remove(before.id));
        if (!copyTitle.isEmpty()) {
            Event edited = *m_events->getById(copy.id);
            edited.title = copyTitle;
            QVERIFY(editor.saveForm(m_events->getById(copy.id), edited));
        }
        QCOMPARE(sync({old}), QStringList());

        // The deletion met the newer change key and read the event afresh;
        // an exception that goes with its series' one deletion is read first.
        QCOMPARE(m_server->requestsTo("/v1.0/me/events/" + QUrl::toPercentEncoding(changed), "GET").size(), reads);
        const auto shown = [this](const QString &calendarId) {
            QStringList titles;
            for (const Event &event : m_events->getByCalendar(calendarId))
                titles.append(event.title + QStringLiteral(" @ ") + event.location);
            titles.sort();
            return titles;
        };
        QCOMPARE(shown(QStringLiteral("device")), there);
        // Nothing stays in the old calendar: an exception the pull first
        // found goes with its series' deletion, here as in Outlook.
        const QStringList left = shown(old);
        QCOMPARE(left, QStringList());
        QCOMPARE(m_server->events(graphCalendar), QList<QJsonObject>());
        QCOMPARE(m_store->count(QStringLiteral("events"), QStringLiteral("calendar_id = '%1'").arg(old))
                     + m_store->count(QStringLiteral("event_moves")),
                 left.size());
    }

    // A daily series with its 4th day deleted and its 8th moved to 15:00
    // in Outlook, dragged "All events" twice here: Graph gives it its days
    // anew each time and lists the exceptions it dropped as removed; no
    // drag loses a day, here or for another device.
    void seriesDraggedTwiceKeepsEveryDay_data()
    {
        QTest::addColumn<int>("days1");
        QTest::addColumn<int>("minutes1");
        QTest::addColumn<int>("days2");
        QTest::addColumn<int>("minutes2");
        QTest::newRow("a day, then two hours") << 1 << 0 << 0 << 120;
        QTest::newRow("two hours, then a day") << 0 << 120 << 1 << 0;
    }

    void seriesDraggedTwiceKeepsEveryDay()
    {
        QFETCH(int, days1);
        QFETCH(int, minutes1);
        QFETCH(int, days2);
        QFETCH(int, minutes2);
        const QDateTime first(m_start.date(), QTime(9, 0), Qt::UTC);
        const QString id = putSeries(QStringLiteral("Standup"), first, QStringLiteral("daily"), 19);
        QVERIFY(deleteOccurrence(id, first.addDays(4)));
        putException(id, first.addDays(8), QStringLiteral("Standup, later"), first.addDays(8).addSecs(6 * 3600));
        QCOMPARE(sync(), QStringList());
        const auto expected = [&first](int days, int minutes) {
            QStringList shown;
            for (int day = 0; day < 19; ++day) {
                if (day == 4)
                    continue;
                shown.append(day == 8 ? first.addDays(8).addSecs(6 * 3600).toString(Qt::ISODate) + " Standup, later"
                                      : first.addDays(day + days).addSecs(60 * minutes).toString(Qt::ISODate)
                                          + " Standup");
            }
            shown.sort();
            return shown;
        };
        QCOMPARE(shownHere(), expected(0, 0));
        QVERIFY(dragged(id, days1, minutes1));
        QCOMPARE(sync(), QStringList());
        QCOMPARE(sync(), QStringList());
        QCOMPARE(shownHere(), expected(days1, minutes1));
        QCOMPARE(heldInOutlook(id), expected(days1, minutes1));
        QVERIFY(dragged(id, days2, minutes2));
        QCOMPARE(sync(), QStringList());
        QCOMPARE(sync(), QStringList());
        QCOMPARE(shownHere(), expected(days1 + days2, minutes1 + minutes2));
        QCOMPARE(heldInOutlook(id), expected(days1 + days2, minutes1 + minutes2));
        QCOMPARE(m_events->getPending(QStringLiteral("work")), QList<Event>());
    }

    // A series with three changed days deleted from its card goes up as
    // one deletion of the series, which takes its exceptions along: each
    // deletion of an organizer's meeting mails its guests a cancellation.
    // So too with one of the days deleted alone before, and when the series
    // left for a calendar on this device. Each row's tombstone is erased,
    // and announced as it was last, for the undo of the delete. Before it,
    // one read of the series with its exceptions expanded finds one another
    // device made after the pull: it is stored, and erased with the series,
    // announced, or goes to the moved series' copy.
    void seriesWithChangedDaysGoesAsOneDeletion_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<bool>("changedMeanwhile"); // day 8, as the push starts
        QTest::newRow("deleted") << "deleted" << false;
        QTest::newRow("a changed day deleted alone before") << "day deleted first" << false;
        QTest::newRow("moved to this device") << "moved" << false;
        QTest::newRow("deleted, a day changed there as the push starts") << "deleted" << true;
        QTest::newRow("moved to this device, a day changed there as the push starts") << "moved" << true;
    }

    void seriesWithChangedDaysGoesAsOneDeletion()
    {
        QFETCH(QString, then);
        QFETCH(bool, changedMeanwhile);
        QVERIFY(seedLocalCalendars(m_store->db(), {QStringLiteral("device")}));
        const QDateTime first(m_start.date(), QTime(9, 0), Qt::UTC);
        const QString id = putSeries(QStringLiteral("Standup"), first, QStringLiteral("daily"), 10);
        for (const int day : {2, 4, 6})
            putException(id, first.addDays(day), QStringLiteral("Standup, day %1").arg(day),
                         first.addDays(day).addSecs(3 * 3600));
        QCOMPARE(sync(), QStringList());
        QCOMPARE(m_events->getByCalendar(QStringLiteral("work")).size(), 4);

        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), nullptr);
        if (then == QLatin1String("day deleted first")) {
            const QString dayId = m_server->seriesInstances(id, first.addDays(4), first.addDays(5)).first().value("id").toString();
            QVERIFY(editor.remove(row(dayId)));
        }
        if (then == QLatin1String("moved")) {
            Event copy = row(id);
            copy.calendar_id = QStringLiteral("device");
            QVERIFY(editor.saveForm(row(id), copy).ok);
        } else {
            QVERIFY(editor.remove(row(id)).ok);
        }
        QSignalSpy erased(m_events.get(), &EventRepository::eventErased);
        m_server->http().clearRequests();
        bool changed = false;
        if (changedMeanwhile) {
            // The pull looks up the default calendar and reads its view's delta.
            m_server->onRequest = [&](const LocalHttpServer::Request &request) {
                const QByteArray path = request.target.split('?').first();
                if (changed || path.contains("/oauth2/") || path.endsWith("/me/calendar") || path.contains("/calendarView"))
                    return;
                changed = true;
                putException(id, first.addDays(8), QStringLiteral("Standup, day 8"), first.addDays(8).addSecs(3 * 3600));
            };
        }
        QCOMPARE(sync(), QStringList());
        m_server->onRequest = nullptr;
        QCOMPARE(changed, changedMeanwhile);

        QStringList writes;
        int reads = 0;
        for (const LocalHttpServer::Request &request : m_server->requests()) {
            reads += request.target.contains("exceptionOccurrences") ? 1 : 0;
            if (request.method != "GET")
                writes.append(request.method + ' '
                              + (request.target.endsWith("/events/" + QUrl::toPercentEncoding(id)) ? "the series"
                                                                                                      : request.target));
        }
        QCOMPARE(writes, QStringList{"DELETE the series"});
        QCOMPARE(m_server->events(DefaultCalendar), QList<QJsonObject>());
        QCOMPARE(m_events->getByCalendar(QStringLiteral("work")), QList<Event>());
        QStringList erasedDays;
        for (const QList<QVariant> &signal : std::as_const(erased))
            erasedDays.append(signal.first().value<Event>().title);
        erasedDays.sort();
        // Moved, day 8 went to the copy instead.
        QStringList gone{"Standup", "Standup, day 2", "Standup, day 4", "Standup, day 6"};
        if (changedMeanwhile && then != QLatin1String("moved"))
            gone.append(QStringLiteral("Standup, day 8"));
        QCOMPARE(erasedDays, gone);
        QStringList copied;
        for (const Event &copy : m_events->getByCalendar(QStringLiteral("device")))
            copied.append(copy.title);
        copied.sort();
        QCOMPARE(copied, then == QLatin1String("moved")
                             ? gone + (changedMeanwhile ? QStringList{"Standup, day 8"} : QStringList())
                             : QStringList());
        // One read of the series with its exceptions.
        QCOMPARE(reads, 1);
    }

    // A daily series in Outlook with a day deleted and one moved to 15:00
    // there, dragged "All events" once, its write stored by Graph but its
    // answer lost: the connection drops (the request is sent again and
    // meets the newer change key), or the answer comes after the wait (the
    // next sync pulls first, and its delta lists the exceptions Graph
    // dropped with the move as removed); or the changed day's own write is
    // refused after the series' went up, also after its answer came too
    // late. Graph drops a series' exceptions and cancelled days when its
    // start or pattern changes: that is this device's doing, so the skipped
    // day is deleted at its new place and the changed one written there,
    // for every device.
    void movedSeriesKeepsItsDaysAfterALostAnswer_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minutes");
        QTest::newRow("connection dropped, a day") << "dropped" << 1 << 0;
        QTest::newRow("connection dropped, two hours") << "dropped" << 0 << 120;
        QTest::newRow("answer too late, two hours") << "timeout" << 0 << 120;
        QTest::newRow("answer too late, the changed day refused") << "timeout, day refused" << 0 << 120;
        QTest::newRow("changed day refused, a day") << "day refused" << 1 << 0;
    }

    void movedSeriesKeepsItsDaysAfterALostAnswer()
    {
        QFETCH(QString, fault);
        QFETCH(int, days);
        QFETCH(int, minutes);
        // Short, so that a lost answer takes the row little time.
        if (fault.startsWith(QLatin1String("timeout")))
            makeClient(1500);
        const QDateTime first(m_start.date(), QTime(9, 0), Qt::UTC);
        const QString id = putSeries(QStringLiteral("Standup"), first, QStringLiteral("daily"), 12);
        QVERIFY(deleteOccurrence(id, first.addDays(4)));
        putException(id, first.addDays(8), QStringLiteral("Standup, later"), first.addDays(8).addSecs(6 * 3600));
        QCOMPARE(sync(), QStringList());
        QVERIFY(dragged(id, days, minutes));
        m_server->loseSeriesWrite("/events/" + QUrl::toPercentEncoding(id), fault);
        QCOMPARE(sync().isEmpty(), fault == QLatin1String("dropped"));
        QCOMPARE(sync(), QStringList());
        QCOMPARE(sync(), QStringList());

        QStringList expected;
        for (int day = 0; day < 12; ++day) {
            if (day == 4)
                continue;
            expected.append(day == 8 ? first.addDays(8).addSecs(6 * 3600).toString(Qt::ISODate) + " Standup, later"
                                     : first.addDays(day + days).addSecs(60 * minutes).toString(Qt::ISODate)
                                         + " Standup");
        }
        expected.sort();
        QStringList shown = shownHere();
        shown.sort();
        QCOMPARE(shown, expected);
        QCOMPARE(heldInOutlook(id), expected);
        QCOMPARE(m_events->getPending(QStringLiteral("work")), QList<Event>());
    }

    // A daily series in Outlook with its 5th day moved to 15:00 there,
    // each with categories of its own (or one of them), dragged "All
    // events" here, once or three times in a row: Graph gives the series
    // its days anew, and the changed day goes onto the instance at its new
    // place as Outlook held it, its own categories with it and not the
    // series', as another device reads it. The series keeps its own.
    void movedSeriesKeepsWhatOthersStoredOnItsDays_data()
    {
        QTest::addColumn<QString>("dayCategory");    // empty: none
        QTest::addColumn<QString>("seriesCategory"); // empty: none
        QTest::addColumn<QList<int>>("drags");       // minutes each drag moves the series
        QTest::addColumn<bool>("syncedBetween");
        QTest::newRow("on the day") << "Red" << QString() << QList<int>{24 * 60} << true;
        QTest::newRow("on the series") << QString() << "Blue" << QList<int>{120} << true;
        QTest::newRow("on both, three drags") << "Red" << "Blue" << QList<int>{24 * 60, 120, 24 * 60} << true;
        QTest::newRow("on both, three drags before a sync")
            << "Red" << "Blue" << QList<int>{24 * 60, 120, 24 * 60} << false;
    }

    void movedSeriesKeepsWhatOthersStoredOnItsDays()
    {
        QFETCH(QString, dayCategory);
        QFETCH(QString, seriesCategory);
        QFETCH(QList<int>, drags);
        QFETCH(bool, syncedBetween);
        const auto categories = [](const QString &name) {
            return name.isEmpty() ? QJsonArray() : QJsonArray{name};
        };
        const QDateTime first(m_start.date(), QTime(9, 0), Qt::UTC);
        const QString id = putSeries(QStringLiteral("Standup"), first, QStringLiteral("daily"), 10);
        QJsonObject series = *m_server->event(id);
        series.insert(QStringLiteral("categories"), categories(seriesCategory));
        m_server->putEvent(DefaultCalendar, series);
        putException(id, first.addDays(4), QStringLiteral("Standup, later"), first.addDays(4).addSecs(6 * 3600));
        QJsonObject day;
        for (const QJsonObject &event : m_server->events(DefaultCalendar)) {
            if (event.value(QStringLiteral("type")).toString() == QLatin1String("exception"))
                day = event;
        }
        day.insert(QStringLiteral("categories"), categories(dayCategory));
        m_server->putEvent(DefaultCalendar, day);
        QCOMPARE(sync(), QStringList());

        int moved = 0;
        for (const int minutes : drags) {
            QVERIFY(dragged(id, minutes / (24 * 60), minutes % (24 * 60)));
            moved += minutes;
            if (!syncedBetween)
                continue;
            QCOMPARE(sync(), QStringList());
            QCOMPARE(sync(), QStringList());
        }
        QCOMPARE(sync(), QStringList());
        QCOMPARE(sync(), QStringList());

        QStringList expected;
        for (int n = 0; n < 10; ++n)
            expected.append(n == 4 ? first.addDays(4).addSecs(6 * 3600).toString(Qt::ISODate) + " Standup, later"
                                   : first.addDays(n).addSecs(60 * moved).toString(Qt::ISODate) + " Standup");
        expected.sort();
        QStringList shown = shownHere();
        shown.sort();
        QCOMPARE(shown, expected);
        QCOMPARE(heldInOutlook(id), expected);
        QJsonValue onTheDay;
        for (const QJsonObject &instance : m_server->seriesInstances(id, m_start.addDays(-2), m_start.addDays(60))) {
            if (instance.value(QStringLiteral("subject")).toString() == QLatin1String("Standup, later"))
                onTheDay = instance.value(QStringLiteral("categories"));
        }
        QCOMPARE(onTheDay, QJsonValue(categories(dayCategory)));
        QCOMPARE(m_server->event(id)->value(QStringLiteral("categories")), QJsonValue(categories(seriesCategory)));
        QCOMPARE(m_events->getPending(QStringLiteral("work")), QList<Event>());
    }

    // A weekly series in Outlook with its last occurrence retitled,
    // retitled there and its third occurrence moved to the next day 09:00
    // (and its fifth deleted) by another device, dragged "All events" here before this device syncs: Graph
    // drops the exception with the move, and the change made there goes to
    // where its occurrence stands now, once, and to Outlook there. A day
    // only deleted there (Graph's delta names the occurrence alone), or
    // deleted while the series' write is on its way, stays skipped at its
    // moved place.
    void changeThereReachesTheSeriesMovedHere_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("changedThere"); // the series retitled and one occurrence moved there
        // One day deleted there: before this device syncs (its delta token
        // expired meanwhile, so that the pull lists the whole window), or
        // while the series' write is on its way.
        QTest::addColumn<QString>("skippedThere");
        QTest::addColumn<bool>("answerLost"); // of the series' write
        QTest::newRow("a day") << 1 << 0 << true << "" << false;
        QTest::newRow("two hours") << 0 << 120 << true << "" << false;
        QTest::newRow("a day, a day skipped there too") << 1 << 0 << true << "before" << false;
        QTest::newRow("two hours, the answer lost") << 0 << 120 << true << "" << true;
        QTest::newRow("two hours, the answer lost, a day skipped there") << 0 << 120 << false << "before" << true;
        QTest::newRow("two hours, the answer lost, a day skipped there, the token expired")
            << 0 << 120 << false << "before, token expired" << true;
        QTest::newRow("nothing moved here") << 0 << 0 << true << "" << false;
        // Graph's delta names only the deleted occurrence, not its series.
        QTest::newRow("a day, only a day skipped there") << 1 << 0 << false << "before" << false;
        QTest::newRow("two hours, only a day skipped there") << 0 << 120 << false << "before" << false;
        QTest::newRow("nothing moved here, only a day skipped there") << 0 << 0 << false << "before" << false;
        QTest::newRow("a day, only a day skipped there meanwhile") << 1 << 0 << false << "meanwhile" << false;
        QTest::newRow("two hours, a day skipped there meanwhile") << 0 << 120 << true << "meanwhile" << false;
    }

    void changeThereReachesTheSeriesMovedHere()
    {
        QFETCH(int, days);
        QFETCH(int, minutes);
        QFETCH(bool, changedThere);
        QFETCH(QString, skippedThere);
        QFETCH(bool, answerLost);
        const QDateTime first(m_start.date(), QTime(7, 0), Qt::UTC);
        const QString id = putSeries(QStringLiteral("Walk"), first, QStringLiteral("weekly"), 6);
        // Graph lists a series by its instances: one changed before.
        putException(id, first.addDays(35), QStringLiteral("Walk, last"), first.addDays(35));
        QCOMPARE(sync(), QStringList());

        const QDateTime moved = first.addDays(15).addSecs(2 * 3600);
        if (changedThere) {
            QJsonObject series = *m_server->event(id);
            series.insert(QStringLiteral("subject"), QStringLiteral("Walk, renamed"));
            m_server->putEvent(DefaultCalendar, series);
            putException(id, first.addDays(14), QStringLiteral("Walk (one moved there)"), moved);
        }
        if (skippedThere.startsWith(QLatin1String("before")))
            QVERIFY(deleteOccurrence(id, first.addDays(28)));
        if (skippedThere.endsWith(QLatin1String("token expired")))
            m_server->expireDeltaTokens();
        bool deleted = false;
        if (skippedThere == QLatin1String("meanwhile")) {
            // When this device's first write of the series arrives.
            const QByteArray series = "/events/" + QUrl::toPercentEncoding(id);
            m_server->onRequest = [&, series](const LocalHttpServer::Request &request) {
                if (!deleted && request.method == "PATCH" && request.target.endsWith(series))
                    deleted = deleteOccurrence(id, first.addDays(28));
            };
        }
        if (days != 0 || minutes != 0)
            QVERIFY(dragged(id, days, minutes));
        if (answerLost) {
            // The write that moves the series: the one after its stale
            // change key was read afresh.
            m_server->loseRewriteAnswer("/events/" + QUrl::toPercentEncoding(id));
            QVERIFY(!sync().isEmpty());
            QVERIFY(m_server->rewriteAnswerLost());
        }
        QCOMPARE(sync(), QStringList());
        QCOMPARE(sync(), QStringList());
        m_server->onRequest = nullptr;
        QCOMPARE(deleted, skippedThere == QLatin1String("meanwhile"));

        QStringList expected;
        for (int week = 0; week < 6; ++week) {
            if (!skippedThere.isEmpty() && week == 4)
                continue;
            // A changed occurrence keeps its own time as its series moves.
            expected.append(week == 2 && changedThere ? moved.toString(Qt::ISODate) + " Walk (one moved there)"
                            : week == 5 ? first.addDays(35).toString(Qt::ISODate) + " Walk, last"
                                        : first.addDays(7 * week + days).addSecs(60 * minutes).toString(Qt::ISODate)
                                              + (changedThere ? " Walk, renamed" : " Walk"));
        }
        expected.sort();
        QCOMPARE(shownHere(), expected);
        QCOMPARE(heldInOutlook(id), expected);
        QCOMPARE(m_events->getPending(QStringLiteral("work")), QList<Event>());
    }

    // A weekly walk in Outlook at 07:00 UTC for six weeks, split here "This
    // and following" on its third week an hour later. Another device
    // renames the walk, gives it a place, changes its fifth week (retitled,
    // at 09:00) or deletes it: before this device syncs, or while this
    // device's write of the walk is on its way, which then meets a newer
    // change key and reads the walk afresh. What it changed on the walk
    // reaches the new series too, and a day past the split goes to the new
    // series where it stands there: here, and in Outlook for a device that
    // reads it afresh.
    void changeThereReachesTheSplitsNewSeries_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("meanwhile");
        QTest::newRow("renamed") << "renamed" << false;
        QTest::newRow("renamed meanwhile") << "renamed" << true;
        QTest::newRow("placed") << "placed" << false;
        QTest::newRow("placed meanwhile") << "placed" << true;
        QTest::newRow("a day changed") << "day changed" << false;
        QTest::newRow("a day deleted") << "day deleted" << false;
        QTest::newRow("a day deleted meanwhile") << "day deleted" << true;
    }

    void changeThereReachesTheSplitsNewSeries()
    {
        QFETCH(QString, change);
        QFETCH(bool, meanwhile);
        const QDateTime first(m_start.date(), QTime(7, 0), Qt::UTC);
        EventEditor editor(m_events.get(), m_calendars.get(), m_store->db(), nullptr);
        // Made here, so that Outlook's listings name its occurrences.
        const Event walk = pushedWalk(first, 30, QStringLiteral("FREQ=WEEKLY;COUNT=6"));
        const QString id = walk.provider_event_id;
        QVERIFY(!id.isEmpty());
        const QDateTime third = first.addDays(14);
        QVERIFY(editor.changeTimes(walk, third, *EventEditor::moved(walk, third, 0, 60), EventEditor::TimeEdit::Move,
                                   SeriesScope::ThisAndFollowing));

        const QDateTime fifth = first.addDays(28);
        bool changed = false;
        const auto changeThere = [&] {
            changed = true;
            if (change == QLatin1String("day deleted")) {
                QVERIFY(deleteOccurrence(id, fifth));
                return;
            }
            if (change == QLatin1String("day changed")) {
                putException(id, fifth, QStringLiteral("Walk (changed there)"), fifth.addSecs(2 * 3600));
                return;
            }
            QJsonObject series = *m_server->event(id);
            if (change == QLatin1String("renamed"))
                series.insert(QStringLiteral("subject"), QStringLiteral("Walk, renamed"));
            else
                series.insert(QStringLiteral("location"), QJsonObject{{QStringLiteral("displayName"), QStringLiteral("Park")}});
            m_server->putEvent(DefaultCalendar, series);
        };
        if (meanwhile) {
            // When this device's write of the walk arrives.
            const QByteArray series = "/events/" + QUrl::toPercentEncoding(id);
            m_server->onRequest = [&, series](const LocalHttpServer::Request &request) {
                if (!changed && request.method == "PATCH" && request.target.endsWith(series))
                    changeThere();
            };
        } else {
            changeThere();
        }
        QCOMPARE(sync(), QStringList());
        QCOMPARE(sync(), QStringList());
        m_server->onRequest = nullptr;
        QVERIFY(changed);

        const QString title = change == QLatin1String("renamed") ? QStringLiteral("Walk, renamed") : QStringLiteral("Walk");
        const QString place = change == QLatin1String("placed") ? QStringLiteral(" @ Park") : QString();
        QStringList expected;
        for (int week = 0; week < 6; ++week) {
            if (week == 4 && change.startsWith(QLatin1String("day"))) {
                if (change == QLatin1String("day changed"))
                    expected.append(fifth.addSecs(2 * 3600).toString(Qt::ISODate) + QStringLiteral(" Walk (changed there)"));
                continue;
            }
            expected.append(first.addDays(7 * week).addSecs(week < 2 ? 0 : 3600).toString(Qt::ISODate)
                            + QLatin1Char(' ') + title + place);
        }
        const auto shown = [](const Event &occurrence) {
            return occurrence.start_time.toUTC().toString(Qt::ISODate) + QLatin1Char(' ') + occurrence.title
                + (occurrence.location.isEmpty() ? QString() : QStringLiteral(" @ ") + occurrence.location);
        };
        QStringList here;
        const QList<Event> rows = m_events->getByCalendar(QStringLiteral("work"));
        for (const Event &occurrence : Recurrence::expandForRange(rows, m_start.addDays(-2), m_start.addDays(60)))
            here.append(shown(occurrence));
        here.sort();
        QCOMPARE(here, expected);
        // A device that reads the calendar afresh: the instances of both
        // series.
        QStringList there;
        for (const Event &series : rows) {
            if (!Recurrence::isSeries(series))
                continue;
            for (const QJsonObject &instance :
                 m_server->seriesInstances(series.provider_event_id, m_start.addDays(-2), m_start.addDays(60)))
                there.append(shown(Microsoft::eventFromGraph(instance, QStringLiteral("work"))));
        }
        there.sort();
        QCOMPARE(there, expected);
        QCOMPARE(m_events->getPending(QStringLiteral("work")), QList<Event>());
    }
};

QTEST_MAIN(TestMicrosoftWrites)
#include "tst_microsoftwrites.moc"
