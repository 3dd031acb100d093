// The orchestration against a real CalDAV server.
#include <QSignalSpy>
#include <QTest>

#include "app/appstate.h"
#include "app/secrets/tokenstore.h"
#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/tempdatadir.h"
#include "ui/sync/syncorchestrator.h"
#include "views/common/eventedits.h"

#include <memory>

namespace {

// A CalDAV account on a local Radicale with its "work" calendar stored.
struct Ground
{
    TempDataDir dir;
    AppState state;
    RadicaleServer server;
    std::unique_ptr<SyncOrchestrator> sync;
    Calendar calendar;

    bool start()
    {
        if (!state.initialize() || !server.start())
            return false;
        if (!server.createCalendar(QStringLiteral("work"), QStringLiteral("Work")))
            return false;
        Account account;
        account.id = account.name = QStringLiteral("dav");
        account.type = AccountType::CalDav;
        account.server_url = server.baseUrl().toString();
        account.username = server.user();
        calendar.id = calendar.name = QStringLiteral("work");
        calendar.account_id = account.id;
        calendar.url = server.calendarUrl(calendar.id).toString();
        calendar.sync_enabled = true;
        if (!state.accounts()->insert(account) || !state.calendars()->insert(calendar))
            return false;
        auto secrets = std::make_shared<QHash<QString, QString>>();
        secrets->insert(caldavPasswordKey(account.id), server.password());
        sync = std::make_unique<SyncOrchestrator>(&state);
        sync->setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
        return true;
    }

    // Stored as the quick add stores a new event.
    Event addEvent(const QString &uid, const QString &title)
    {
        Event event;
        event.id = event.uid = uid;
        event.calendar_id = calendar.id;
        event.title = title;
        event.start_time = QDateTime(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC);
        event.sync_status = SyncStatus::Pending;
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        if (!state.events()->insert(event))
            qFatal("setup write refused");
        return event;
    }

    QByteArray onServer(const Event &event) const
    {
        return server.get(server.calendarUrl(calendar.id).resolved(QUrl(event.uid + QStringLiteral(".ics")))).body;
    }

    QString syncStatus(const Event &event) const
    {
        return toText(state.events()->getById(event.id).value_or(Event()).sync_status);
    }
};

} // namespace

class TestAutoSyncRadicale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Changes reach the server by themselves, with no sync asked for; a
    // forced full sync then trades an unsent edit for the server's copy.
    void changesReachTheServerAndForcedSyncTakesItsCopy()
    {
        Ground g;
        QVERIFY2(g.start(), qPrintable(g.server.errorText()));
        const Event event = g.addEvent(QStringLiteral("c0ffee00-auto-sync"), QStringLiteral("Dentist"));
        QTRY_VERIFY_WITH_TIMEOUT(g.onServer(event).contains("SUMMARY:Dentist"), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(g.syncStatus(event), QStringLiteral("synced"), 15000);
        // Dragged an hour later in a view.
        EventEdits::moveEvent(&g.state, nullptr, event.id, event.start_time, 0, 60);
        QTRY_VERIFY_WITH_TIMEOUT(g.onServer(event).contains("DTSTART:20260310T100000Z"), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(g.syncStatus(event), QStringLiteral("synced"), 15000);

        // The server's copy is unchanged: its tag alone would not fetch it.
        Event edited = g.state.events()->getById(event.id).value();
        edited.title = QStringLiteral("Local title");
        edited.raw_icalendar = IcsCodec::buildEventIcs(edited);
        edited.sync_status = SyncStatus::Pending;
        QVERIFY(g.state.events()->update(edited));
        g.sync->forceFullSync();
        QTRY_COMPARE_WITH_TIMEOUT(g.state.events()->getById(event.id)->title, QStringLiteral("Dentist"), 15000);
        QCOMPARE(g.syncStatus(event), QStringLiteral("synced"));
    }

    // An edit made while a sync runs is not queued; it stays pending and
    // the next full sync takes it to the server.
    void editDuringASyncIsSentByTheNextSync()
    {
        Ground g;
        QVERIFY2(g.start(), qPrintable(g.server.errorText()));
        const Event event = g.addEvent(QStringLiteral("c0ffee01-mid-sync"), QStringLiteral("Review"));
        QTRY_COMPARE_WITH_TIMEOUT(g.syncStatus(event), QStringLiteral("synced"), 15000);

        bool edited = false;
        connect(&g.state, &AppState::syncBusyChanged, this, [&](bool busy) {
            if (!busy || edited)
                return;
            edited = true;
            EventEdits::moveEvent(&g.state, nullptr, event.id, event.start_time, 0, 60);
        });
        g.sync->syncAll();
        QTRY_VERIFY_WITH_TIMEOUT(edited, 15000);
        QVERIFY(g.sync->pendingAutoSyncCalendarIds().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(g.state.runningSyncCount(), 0, 15000);
        QTest::qWait(SyncOrchestrator::kAutoSyncDelayMs + 200);
        QCOMPARE(g.state.runningSyncCount(), 0);
        const Event moved = g.state.events()->getById(event.id).value_or(Event());
        QCOMPARE(moved.start_time, event.start_time.addSecs(3600));

        g.sync->syncAll();
        QTRY_VERIFY_WITH_TIMEOUT(g.onServer(event).contains("DTSTART:20260310T100000Z"), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(g.syncStatus(event), QStringLiteral("synced"), 15000);
    }

    // A calendar made on the server since the last sync joins the full
    // sync, and its events come in with it.
    void fullSyncBringsCalendarsNewOnTheServer()
    {
        Ground g;
        QVERIFY2(g.start(), qPrintable(g.server.errorText()));
        QVERIFY(g.server.createCalendar(QStringLiteral("home"), QStringLiteral("Home")));
        const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\n"
                               "UID:garden-day\r\nDTSTAMP:20260301T000000Z\r\nDTSTART:20260314T100000Z\r\n"
                               "DTEND:20260314T120000Z\r\nSUMMARY:Garden day\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        const QUrl home = g.server.calendarUrl(QStringLiteral("home"));
        QVERIFY(g.server.putIcs(home.resolved(QUrl(QStringLiteral("garden-day.ics"))), ics).status < 300);
        QSignalSpy messages(g.sync.get(), &SyncOrchestrator::statusMessage);

        g.sync->syncAll();
        QTRY_VERIFY_WITH_TIMEOUT(messages.contains(QList<QVariant>{QStringLiteral("Discovered 1 new calendar(s)."), 4000}),
                                 15000);
        QTRY_COMPARE_WITH_TIMEOUT(g.state.runningSyncCount(), 0, 15000);
        QStringList names;
        QString homeId;
        for (const Calendar &calendar : g.state.calendars()->getByAccount(QStringLiteral("dav"))) {
            names << calendar.name;
            if (calendar.name == QLatin1String("Home"))
                homeId = calendar.id;
        }
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("Home"), QStringLiteral("work")}));
        QTRY_COMPARE_WITH_TIMEOUT(g.state.events()->getByUid(QStringLiteral("garden-day"), homeId)
                                      .value_or(Event()).title,
                                  QStringLiteral("Garden day"), 15000);
    }
};

QTEST_MAIN(TestAutoSyncRadicale)
#include "tst_autosyncradicale.moc"
