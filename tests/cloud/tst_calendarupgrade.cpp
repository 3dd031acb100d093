// Moving a calendar kept on this device to the cloud, and sharing cloud
// calendars, against the fake cloud service.
#include <QSignalSpy>
#include <QTest>

#include "calendar/icscodec.h"
#include "cloud/calendarupgradeservice.h"
#include "cloud/sharingbackend.h"
#include "cloud/syncclient.h"
#include "sync/core/canonicalcalendarkey.h"
#include "tests/cloud/cloudsyncbed.h"

namespace {

const QDateTime Tuesday(QDate(2026, 12, 8), QTime(14, 0), Qt::UTC);

} // namespace

class TestCalendarUpgrade : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CloudSyncBed> m_bed;

    Calendar addLocalCalendar(const QString &accountType)
    {
        Account account;
        account.id = QStringLiteral("acct-") + accountType;
        account.name = accountType;
        setTypeText(account, accountType);
        if (!m_bed->accounts.insert(account))
            qFatal("setup write refused");
        Calendar calendar;
        calendar.id = QStringLiteral("home");
        calendar.account_id = account.id;
        calendar.url = QStringLiteral("local://calendar/home");
        calendar.name = QStringLiteral("Home");
        calendar.color = QStringLiteral("#AA5500");
        calendar.timezone = QStringLiteral("Europe/Berlin");
        if (!m_bed->calendars.insert(calendar))
            qFatal("setup write refused");
        return *m_bed->calendars.getById(calendar.id);
    }

    Event addEvent(const QString &id, const QString &title, bool withEnd)
    {
        Event event;
        event.id = event.uid = id;
        event.calendar_id = QStringLiteral("home");
        event.title = title;
        event.start_time = Tuesday;
        if (withEnd)
            event.end_time = Tuesday.addSecs(3600);
        event.sync_status = SyncStatus::Synced;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        if (!m_bed->events.insert(event))
            qFatal("setup write refused");
        return event;
    }

    Task addTask(const QString &id, const QString &title, bool withDue)
    {
        Task task;
        task.id = task.uid = id;
        task.calendar_id = QStringLiteral("home");
        task.title = title;
        if (withDue)
            task.due_date = Tuesday;
        task.sync_status = SyncStatus::Synced;
        task.raw_icalendar = IcsCodec::buildTodo(task);
        if (!m_bed->tasks.insert(task))
            qFatal("setup write refused");
        return task;
    }

    struct Result
    {
        bool completed = false;
        QString serverId;
        QString reason;
    };

    Result upgrade(const Calendar &calendar, int *uploadsAtEnd = nullptr)
    {
        Tindlebrook::CalendarUpgradeService service(m_bed->repositories(), &m_bed->api);
        Result result;
        bool done = false;
        QSignalSpy started(&service, &Tindlebrook::CalendarUpgradeService::upgradeStarted);
        connect(&service, &Tindlebrook::CalendarUpgradeService::upgradeCompleted, this,
                [&](const QString &id, const QString &serverId) {
                    result = {id == calendar.id, serverId, QString()};
                    done = true;
                    if (uploadsAtEnd)
                        *uploadsAtEnd = int(m_bed->cloud().events(serverId).size()
                                            + m_bed->cloud().tasks(serverId).size());
                });
        connect(&service, &Tindlebrook::CalendarUpgradeService::upgradeFailed, this,
                [&](const QString &id, const QString &reason) {
                    result = {false, id, reason};
                    done = true;
                });
        service.upgradeCalendar(calendar);
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            result.reason = QStringLiteral("timed out");
        if (started.count() != 1)
            result.reason += QStringLiteral(" (no start)");
        return result;
    }

private Q_SLOTS:
    void init()
    {
        m_bed = std::make_unique<CloudSyncBed>();
        QVERIFY(m_bed->start());
    }

    void cleanup() { m_bed.reset(); }

    void upgradeRepointsTheCalendarAndUploadsItsItems()
    {
        const Calendar calendar = addLocalCalendar(QStringLiteral("tindlebrook"));
        const Event timed = addEvent("ev-timed", "Dentist", true);
        const Event open = addEvent("ev-open", "Open end", false);
        const Task dated = addTask("task-dated", "Pay rent", true);
        const Task undated = addTask("task-undated", "Someday", false);
        const Event timedBefore = *m_bed->events.getById(timed.id);

        int uploadsAtEnd = -1;
        const Result result = upgrade(calendar, &uploadsAtEnd);
        QVERIFY2(result.completed, qPrintable(result.reason));
        // Completed only once every upload has answered.
        QCOMPARE(uploadsAtEnd, 4);

        const QList<QJsonObject> registered = m_bed->cloud().calendars();
        QCOMPARE(registered.size(), 1);
        QCOMPARE(registered.first(), (QJsonObject{{"id", result.serverId},
                                                  {"name", "Home"},
                                                  {"color", "#AA5500"},
                                                  {"timezone", "Europe/Berlin"}}));

        const Calendar stored = *m_bed->calendars.getById(calendar.id);
        Calendar expected = calendar;
        expected.url = QStringLiteral("tindlebrook://") + result.serverId;
        expected.canonical_key = *Sync::canonicalCalendarKey(QStringLiteral("tindlebrook"), expected.url);
        expected.sync_enabled = true;
        expected.updated_at = stored.updated_at;
        QCOMPARE(stored, expected);

        QCOMPARE(m_bed->cloud().event(result.serverId, "ev-timed")->body,
                 Tindlebrook::SyncClient::eventToJson(timed));
        QVERIFY(!m_bed->cloud().event(result.serverId, "ev-open")->body.contains("end_time"));
        QCOMPARE(m_bed->cloud().event(result.serverId, "ev-open")->body.value("title").toString(), open.title);
        const QList<QJsonObject> tasks = m_bed->cloud().tasks(result.serverId);
        QCOMPARE(tasks.size(), 2);
        for (const QJsonObject &task : tasks) {
            const bool isDated = task.value("id").toString() == dated.id;
            QCOMPARE(task.contains("due_date"), isDated);
            if (isDated)
                QCOMPARE(task.value("due_date").toInteger(),
                         m_bed->tasks.getById(dated.id)->due_date->toMSecsSinceEpoch());
            else
                QCOMPARE(task.value("title").toString(), undated.title);
        }
        // Uploaded rows are left as they were.
        QCOMPARE(*m_bed->events.getById(timed.id), timedBefore);
    }

    void failedUploadIsLeftPendingAndReported()
    {
        const Calendar calendar = addLocalCalendar(QStringLiteral("tindlebrook"));
        addEvent("ev-ok", "Fine", true);
        addEvent("ev-refused", "Refused", true);
        addTask("task-refused", "Refused", false);
        m_bed->cloud().refuseTitle(QStringLiteral("Refused"));

        const Result result = upgrade(calendar);
        QVERIFY(!result.completed);
        QCOMPARE(result.reason, QStringLiteral("2 event(s) or task(s) could not be uploaded to Tindlebrook."));
        QCOMPARE(m_bed->events.getById("ev-refused")->sync_status, SyncStatus::Pending);
        QCOMPARE(m_bed->tasks.getById("task-refused")->sync_status, SyncStatus::Pending);
        QCOMPARE(m_bed->events.getById("ev-ok")->sync_status, SyncStatus::Synced);
        // The calendar moved all the same; the next sync sends the event.
        const Calendar moved = *m_bed->calendars.getById(calendar.id);
        QVERIFY(moved.url.startsWith(QStringLiteral("tindlebrook://")));
        QCOMPARE(m_bed->events.getPending(calendar.id).size(), 1);
    }

    void emptyCalendarCompletesAfterRegistrationAlone()
    {
        Calendar calendar = addLocalCalendar(QStringLiteral("tindlebrook"));
        calendar.description = QStringLiteral("Family things");
        QVERIFY(m_bed->calendars.update(calendar));
        const Result result = upgrade(calendar);
        QVERIFY2(result.completed, qPrintable(result.reason));
        QCOMPARE(m_bed->server.requests().size(), 1);
        QCOMPARE(m_bed->cloud().calendars().first().value("description").toString(), QStringLiteral("Family things"));
    }

    void upgradeRefusesWhatItCannotMove_data()
    {
        QTest::addColumn<QString>("accountType");
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("dropAccount");
        QTest::addColumn<QString>("reason");
        QTest::newRow("CalDAV calendar") << "caldav" << "local://calendar/home" << false
                                         << "Only Tindlebrook-native calendars can be upgraded";
        QTest::newRow("already in the cloud") << "tindlebrook" << "tindlebrook://abc" << false
                                              << "Calendar is already on Tindlebrook";
        QTest::newRow("account gone") << "tindlebrook" << "local://calendar/home" << true
                                      << "Calendar's account is missing";
    }

    void upgradeRefusesWhatItCannotMove()
    {
        QFETCH(QString, accountType);
        QFETCH(QString, url);
        QFETCH(bool, dropAccount);
        QFETCH(QString, reason);
        Calendar calendar = addLocalCalendar(accountType);
        calendar.url = url;
        if (dropAccount)
            calendar.account_id = QStringLiteral("nobody");
        const Result result = upgrade(calendar);
        QVERIFY(!result.completed);
        QCOMPARE(result.reason, reason);
        QVERIFY(m_bed->server.requests().isEmpty());
    }

    void registrationFailureChangesNothing()
    {
        const Calendar calendar = addLocalCalendar(QStringLiteral("tindlebrook"));
        addEvent("ev", "Kept", true);
        m_bed->server.setFault(QStringLiteral("/calendars"), FakeCloudServer::Fault::ServerError);
        const Result result = upgrade(calendar);
        QVERIFY(!result.completed);
        QCOMPARE(result.reason, QStringLiteral("Server registration failed (HTTP 503)"));
        QCOMPARE(*m_bed->calendars.getById(calendar.id), calendar);
        QCOMPARE(m_bed->server.requests().size(), 1);
    }

    void shareListAndUnshareThroughTheService()
    {
        m_bed->cloud().addCalendar({{"id", "team"}});
        m_bed->cloud().addPerson("user-2", "bob@example.org", "Bob");
        m_bed->cloud().addPerson("user-3", "cy@example.org", QString());
        Tindlebrook::SharingBackend backend(&m_bed->api);

        QList<std::pair<bool, QString>> shared;
        const auto recordShare = [&](bool ok, const QString &error) { shared.append({ok, error}); };
        backend.shareWith("team", "user-2", QString(), recordShare);
        backend.shareWith("team", "user-3", "editor", recordShare);
        backend.shareWith("team", "stranger", QString(), recordShare);
        QTRY_COMPARE(shared.size(), 3);
        QCOMPARE(shared, (QList<std::pair<bool, QString>>{
                             {true, QString()}, {true, QString()}, {false, "No such user in your group"}}));

        std::optional<QList<TindAccount::ShareMember>> members;
        backend.listMembers("team", [&](const QList<TindAccount::ShareMember> &list) { members = list; });
        QTRY_VERIFY(members);
        TindAccount::ShareMember bob{"user-2", "user-2", "bob@example.org", "Bob", "member", "2026-12-07T09:00:00Z"};
        TindAccount::ShareMember cy{"user-3", "user-3", "cy@example.org", QString(), "editor",
                                    "2026-12-07T09:00:00Z"};
        QCOMPARE(*members, (QList<TindAccount::ShareMember>{bob, cy}));

        QList<bool> removed;
        backend.removeShare("team", "user-2", [&](bool ok) { removed.append(ok); });
        backend.removeShare("team", "user-2", [&](bool ok) { removed.append(ok); });
        QTRY_COMPARE(removed.size(), 2);
        QCOMPARE(removed, (QList<bool>{true, false}));
        QCOMPARE(m_bed->cloud().members("team").size(), 1);
        QCOMPARE(backend.resolveMemberId("acct-42"), QStringLiteral("acct-42"));
    }

    void sharingWithoutAnAnswerSaysSo()
    {
        // Signed out: no request, an answer at once.
        Tindlebrook::SharingBackend signedOut(nullptr);
        QString error;
        bool listed = false;
        bool removedOk = true;
        signedOut.shareWith("team", "user-2", QString(), [&](bool, const QString &e) { error = e; });
        signedOut.listMembers("team", [&](const QList<TindAccount::ShareMember> &list) { listed = list.isEmpty(); });
        signedOut.removeShare("team", "user-2", [&](bool ok) { removedOk = ok; });
        QCOMPARE(error, QStringLiteral("Not signed in"));
        QVERIFY(listed);
        QVERIFY(!removedOk);

        // A service that does not answer: the status in the message.
        TindAccount::ApiClient unreachable(&m_bed->tokens);
        unreachable.setBaseUrl(QUrl(QStringLiteral("http://127.0.0.1:1/calendar/v1")));
        Tindlebrook::SharingBackend backend(&unreachable);
        std::optional<QString> failure;
        backend.shareWith("team", "user-2", QString(), [&](bool ok, const QString &e) {
            failure = ok ? QStringLiteral("ok") : e;
        });
        QTRY_VERIFY_WITH_TIMEOUT(failure, 10000);
        QCOMPARE(*failure, QStringLiteral("Sharing failed (HTTP 0)"));
    }
};

QTEST_GUILESS_MAIN(TestCalendarUpgrade)
#include "tst_calendarupgrade.moc"
