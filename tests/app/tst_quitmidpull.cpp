#include "app/application.h"
#include "app/platform/datadirectory.h"
#include "app/secrets/tokenstore.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "sync/caldav/caldavsyncclient.h"
#include "tests/support/fakecaldavcalendar.h"
#include "tests/support/programstart.h"
#include "ui/mainwindow.h"
#include "ui/sync/syncorchestrator.h"

#include <QTest>
#include <QTimer>

namespace {

QByteArray plain(int i)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:plain-" + QByteArray::number(i)
        + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260310T090000Z\r\nSUMMARY:Plain " + QByteArray::number(i)
        + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// What the quit must leave as it was: the calendar's row and its events.
struct Snapshot
{
    std::optional<Calendar> calendar;
    QList<Event> events;
};

Snapshot snapshot(const QString &connection)
{
    Database db;
    if (!db.open(databasePath(), connection))
        return {};
    return {CalendarRepository(&db).getById(QStringLiteral("cal")),
            EventRepository(&db).getByCalendar(QStringLiteral("cal"))};
}

} // namespace

// The program quit from File → Quit while a first pull of thousands of
// events is written on its worker. The process has one application object,
// so the case is its own start.
class TestQuitMidPull : public QObject
{
    Q_OBJECT

public:
    explicit TestQuitMidPull(Application *app)
        : m_app(app)
    {
    }

private Q_SLOTS:
    void quittingMidPullLeavesTheCalendarAsItWas()
    {
        LocalHttpServer server;
        QVERIFY(server.listen());
        FakeCalDavCalendar fake(&server);
        {
            // The calendar as a pull left it while its server held nothing.
            Database db;
            QVERIFY(db.open(databasePath(), QStringLiteral("setup")) && db.migrate());
            Account account;
            account.id = QStringLiteral("acc");
            account.name = QStringLiteral("Server");
            account.type = AccountType::CalDav;
            account.username = QStringLiteral("u");
            account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
            QVERIFY(AccountRepository(&db).insert(account));
            Calendar calendar;
            calendar.id = QStringLiteral("cal");
            calendar.account_id = account.id;
            calendar.url = fake.url().toString();
            calendar.name = QStringLiteral("Work");
            calendar.ctag = QStringLiteral("ctag-1");
            calendar.sync_enabled = true;
            QVERIFY(CalendarRepository(&db).insert(calendar));
            QVERIFY(PreferencesRepository(&db).setBool(QStringLiteral("ui/firstLaunchSeen"), true));
            QVERIFY(TindAccount::TokenStore::create(applicationServiceId())
                        ->write(caldavPasswordKey(account.id), QStringLiteral("p")));
        }
        for (int i = 0; i < 3000; ++i)
            fake.putItem("plain-" + QByteArray::number(i) + ".ics", plain(i));
        fake.ctag = "ctag-2";
        const Snapshot before = snapshot(QStringLiteral("before"));

        // Syncs once the window is built; quits when the pull reports its
        // first rows written.
        bool quitAsked = false;
        QTimer poll;
        CalDavSyncClient *client = nullptr;
        bool synced = false;
        connect(&poll, &QTimer::timeout, this, [&] {
            MainWindow *window = m_app->mainWindow();
            if (!window || !window->isBuilt() || client)
                return;
            if (!std::exchange(synced, true))
                window->syncAll();
            const auto clients = window->syncOrchestrator()->findChildren<CalDavSyncClient *>();
            if (clients.isEmpty())
                return;
            client = clients.first();
            connect(client, &CalDavSyncClient::calendarSyncProgress, window, [&quitAsked, window] {
                if (!std::exchange(quitAsked, true))
                    window->quitApplication();
            });
        });
        poll.start(5);
        // A generous bound: a program that never quits fails here.
        QTimer::singleShot(120000, m_app, [] { QCoreApplication::exit(2); });
        QCOMPARE(m_app->run(), 0);
        QVERIFY(quitAsked);

        const Snapshot after = snapshot(QStringLiteral("after"));
        QVERIFY(after.calendar && before.calendar);
        QCOMPARE(*after.calendar, *before.calendar);
        QCOMPARE(after.events, before.events);
    }

private:
    Application *m_app;
};

int main(int argc, char **argv)
{
    ProgramStart start;
    Application app(argc, argv);
    TestQuitMidPull test(&app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_quitmidpull.moc"
