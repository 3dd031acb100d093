// The orchestration against a real CalDAV server.
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

class TestAutoSyncRadicale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Changes reach the server by themselves, with no sync asked for; a
    // forced full sync then trades an unsent edit for the server's copy.
    void changesReachTheServerAndForcedSyncTakesItsCopy()
    {
        TempDataDir dir;
        AppState state;
        QVERIFY(state.initialize());
        RadicaleServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        QVERIFY(server.createCalendar(QStringLiteral("work"), QStringLiteral("Work")));
        Account account;
        account.id = account.name = QStringLiteral("dav");
        account.type = QStringLiteral("caldav");
        account.server_url = server.baseUrl().toString();
        account.username = server.user();
        QVERIFY(state.accounts()->insert(account));
        Calendar calendar;
        calendar.id = calendar.name = QStringLiteral("work");
        calendar.account_id = account.id;
        calendar.url = server.calendarUrl(calendar.id).toString();
        QVERIFY(state.calendars()->insert(calendar));
        auto secrets = std::make_shared<QHash<QString, QString>>();
        secrets->insert(caldavPasswordKey(account.id), server.password());
        SyncOrchestrator sync(&state);
        sync.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });

        // Stored as the quick add stores a new event.
        Event event;
        event.id = event.uid = QStringLiteral("c0ffee00-auto-sync");
        event.calendar_id = calendar.id;
        event.title = QStringLiteral("Dentist");
        event.start_time = QDateTime(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC);
        event.sync_status = QStringLiteral("pending");
        event.raw_icalendar = IcsCodec::buildEventIcs(event);
        QVERIFY(state.events()->insert(event));
        const QUrl itemUrl = server.calendarUrl(calendar.id).resolved(QUrl(event.uid + QStringLiteral(".ics")));
        QTRY_VERIFY_WITH_TIMEOUT(server.get(itemUrl).body.contains("SUMMARY:Dentist"), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(state.events()->getById(event.id)->sync_status, QStringLiteral("synced"), 15000);
        // Dragged an hour later in a view.
        EventEdits::moveEvent(&state, nullptr, event.id, event.start_time, 0, 60, EventEditTexts());
        QTRY_VERIFY_WITH_TIMEOUT(server.get(itemUrl).body.contains("DTSTART:20260310T100000Z"), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(state.events()->getById(event.id)->sync_status, QStringLiteral("synced"), 15000);

        // The server's copy is unchanged: its tag alone would not fetch it.
        Event edited = state.events()->getById(event.id).value();
        edited.title = QStringLiteral("Local title");
        edited.raw_icalendar = IcsCodec::buildEventIcs(edited);
        edited.sync_status = QStringLiteral("pending");
        QVERIFY(state.events()->update(edited));
        sync.forceFullSync();
        QTRY_COMPARE_WITH_TIMEOUT(state.events()->getById(event.id)->title, QStringLiteral("Dentist"), 15000);
        QCOMPARE(state.events()->getById(event.id)->sync_status, QStringLiteral("synced"));
    }
};

QTEST_MAIN(TestAutoSyncRadicale)
#include "tst_autosyncradicale.moc"
