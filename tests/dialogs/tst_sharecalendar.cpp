// "Share…" on the calendars of the cloud account: a calendar kept on this
// device moves to the cloud first, a cloud calendar opens sharing at once,
// and a change of members asks for a full sync. Against the fake cloud.
#include "account/authclient.h"
#include "account/client.h"
#include "account/widgets/sharemembersdialog.h"
#include "app/appstate.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "store/calendarrepository.h"
#include "tests/support/fakecloudserver.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/recordingbrowser.h"
#include "tests/support/tempdatadir.h"
#include "ui/sync/syncorchestrator.h"

#include <QJsonObject>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// What the members dialog was opened for.
struct Opened
{
    QString serverCalendarId;
    QString calendarName;
    bool withBackend = false;

    bool operator==(const Opened &other) const
    {
        return serverCalendarId == other.serverCalendarId && calendarName == other.calendarName
               && withBackend == other.withBackend;
    }
};

// A store signed in to the fake cloud, which holds the calendar "team".
struct SignedInCloud
{
    TempDataDir dir;
    FakeCloudServer server;
    AppState state;
    std::unique_ptr<SyncOrchestrator> sync;
    RecordingBrowser browser;

    bool signIn()
    {
        if (!server.listen())
            return false;
        server.exportEnvironment();
        server.calendars().addCalendar(QJsonObject{{"id", "team"}, {"name", "Team"}});
        if (!state.initialize())
            return false;
        // It pulls the cloud's calendar list at sign-in.
        sync = std::make_unique<SyncOrchestrator>(&state);
        if (!QTest::qWaitFor([this] { return state.accountClient()->state() == TindAccount::AuthState::SignedOut; }))
            return false;
        state.accountClient()->authClient()->setUrlOpener(browser.opener());
        state.accountClient()->authClient()->login();
        return QTest::qWaitFor([this] { return state.accountClient()->isAuthenticated(); }, 10000);
    }
};

} // namespace

namespace QTest {
template<>
char *toString(const Opened &opened)
{
    return qstrdup(QStringLiteral("%1 / %2 / %3")
                       .arg(opened.serverCalendarId, opened.calendarName,
                            opened.withBackend ? QStringLiteral("backend") : QStringLiteral("no backend"))
                       .toUtf8()
                       .constData());
}
} // namespace QTest

class TestShareCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shareMovesALocalCalendarToTheCloudFirst_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("upgraded");
        QTest::newRow("kept on this device") << "" << true;
        QTest::newRow("already in the cloud") << "tindlebrook://team" << false;
    }

    void shareMovesALocalCalendarToTheCloudFirst()
    {
        QFETCH(QString, url);
        QFETCH(bool, upgraded);
        SignedInCloud cloud;
        QVERIFY(cloud.signIn());
        FakeCloudServer &server = cloud.server;
        AppState &state = cloud.state;

        Calendar calendar;
        if (url.isEmpty()) {
            calendar.id = QStringLiteral("trips");
            calendar.name = QStringLiteral("Trips");
            calendar.account_id = QString::fromLatin1(AppState::LocalAccountId);
            calendar.url = QStringLiteral("local://trips");
            QVERIFY(state.calendars()->insert(calendar));
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(cloudCalendar(state, url).has_value(), 10000);
            calendar = *cloudCalendar(state, url);
        }
        const int calendarsBefore = server.calendars().calendars().size();

        QObject windowStandIn; // only tested for presence, never called
        ManageSourcesDialog dialog(&state, reinterpret_cast<MainWindow *>(&windowStandIn));
        QList<Opened> opened;
        dialog.setShareDialogOpener([&opened](ManageSourcesDialog *, TindAccount::Client *,
                                              Tindlebrook::SharingBackend *backend, const QString &serverId,
                                              const QString &name) {
            opened.append({serverId, name, backend != nullptr});
        });
        QSignalSpy reloaded(state.calendars(), &CalendarRepository::calendarsChanged);
        dialog.onCalendarAction(QStringLiteral("share"), calendar.id);
        QTRY_COMPARE_WITH_TIMEOUT(opened.size(), 1, 10000);

        const Calendar now = *state.calendars()->getById(calendar.id);
        QVERIFY(now.url.startsWith(QLatin1String("tindlebrook://")));
        QCOMPARE(opened.first(), (Opened{now.url.mid(14), calendar.name, true}));
        QCOMPARE(server.calendars().calendars().size(), calendarsBefore + (upgraded ? 1 : 0));
        if (upgraded)
            QVERIFY(reloaded.count() > 0);

        QSignalSpy syncRequested(&state, &AppState::syncNowRequested);
        dialog.sharingChanged();
        QCOMPARE(syncRequested.count(), 1);
    }

    void cloudCalendarOpensTheMembersWindowBesideTheDialog()
    {
        SignedInCloud cloud;
        QVERIFY(cloud.signIn());
        AppState &state = cloud.state;
        QTRY_VERIFY_WITH_TIMEOUT(cloudCalendar(state, QStringLiteral("tindlebrook://team")).has_value(), 10000);
        const Calendar team = *cloudCalendar(state, QStringLiteral("tindlebrook://team"));

        QObject windowStandIn; // only tested for presence, never called
        ManageSourcesDialog dialog(&state, reinterpret_cast<MainWindow *>(&windowStandIn));
        dialog.onCalendarAction(QStringLiteral("share"), team.id);
        auto *members = dialog.findChild<TindAccount::ShareMembersDialog *>();
        QVERIFY(members);
        QVERIFY(members->isVisible());
        QVERIFY(!members->isModal());
        QVERIFY(members->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(members->windowTitle(), QStringLiteral("Share Calendar"));
        QStringList labels;
        for (const QLabel *label : members->findChildren<QLabel *>())
            labels << label->text();
        QVERIFY2(labels.contains(QStringLiteral("Sharing: Team")), qPrintable(labels.join(QLatin1Char('|'))));

        QSignalSpy syncRequested(&state, &AppState::syncNowRequested);
        Q_EMIT members->sharingChanged();
        QCOMPARE(syncRequested.count(), 1);
    }

private:
    static std::optional<Calendar> cloudCalendar(AppState &state, const QString &url)
    {
        for (const Calendar &calendar : state.calendars()->getAll()) {
            if (calendar.url == url)
                return calendar;
        }
        return std::nullopt;
    }
};

QTEST_MAIN(TestShareCalendar)
#include "tst_sharecalendar.moc"
