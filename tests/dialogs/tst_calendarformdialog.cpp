#include "app/appstate.h"
#include "app/secrets/tokenstore.h"
#include "dialogs/editing/calendarformdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/selfsignedcertificate.h"
#include "tests/support/widgetfixture.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUuid>

#include <memory>

namespace {

const QString kPassword = QStringLiteral("s3cret");

QByteArray propPatchReply(const QByteArray &colorStatus, const QByteArray &nameStatus)
{
    return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" xmlns:i=\"http://apple.com/ns/ical/\">"
           "<d:response><d:href>/dav/work/</d:href>"
           "<d:propstat><d:prop><i:calendar-color/></d:prop><d:status>HTTP/1.1 " + colorStatus + "</d:status></d:propstat>"
           "<d:propstat><d:prop><d:displayname/></d:prop><d:status>HTTP/1.1 " + nameStatus + "</d:status></d:propstat>"
           "</d:response></d:multistatus>";
}

} // namespace

// The calendar form: local calendars, and the CalDAV requests it sends to a
// scripted server on 127.0.0.1.
class TestCalendarFormDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void localCalendarsAreStoredWithTheirKey();
    void blankNameIsRefused();
    void taskChoiceShowsOnlyWhereTasksAreNotAnnounced_data();
    void taskChoiceShowsOnlyWhereTasksAreNotAnnounced();
    void editsThatNeedNoServerSendNothing_data();
    void editsThatNeedNoServerSendNothing();
    void createdCollectionThatCannotBeFoundIsNotStored();
    void newCalendarGoesUnderTheServerUrlWithoutAHome();
    void proppatchMultistatusWithRefusedPropertyIsAFailure_data();
    void proppatchMultistatusWithRefusedPropertyIsAFailure();
    void taskProbeReachesAPinnedServerWithCredentials();
    void refusedTaskProbeStoresNothing();
    void missingPasswordSendsNothing();
    void requestsToAnotherServerAreRefused_data();
    void requestsToAnotherServerAreRefused();
    void escapeAndCloseWaitForTheServer();
    void collectionUrls_data();
    void collectionUrls();

private:
    Account addCalDavAccount(const QString &type, const QUrl &server, const QString &home = QString(),
                             const QString &pin = QString());
    Calendar addRemoteCalendar(const Account &account, const QString &url, const QString &components,
                               bool allowTasks = false, bool readOnly = false);
    void prepare(CalendarFormDialog &dialog);
    static void clickOk(CalendarFormDialog &dialog);
    static QString status(CalendarFormDialog &dialog);

    std::unique_ptr<WidgetFixture> m_fixture;
    MemoryTokenStore::Entries m_secrets;
};

void TestCalendarFormDialog::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_secrets = std::make_shared<QHash<QString, QString>>();
}

void TestCalendarFormDialog::cleanup()
{
    m_fixture.reset();
}

Account TestCalendarFormDialog::addCalDavAccount(const QString &type, const QUrl &server, const QString &home,
                                                 const QString &pin)
{
    Account account;
    account.id = QStringLiteral("acc-") + type;
    account.name = QStringLiteral("Server");
    setTypeText(account, type);
    account.server_url = server.toString();
    account.username = QStringLiteral("ann");
    account.calendar_home_set = home;
    account.trusted_cert_sha256 = pin;
    account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
    [&] { QVERIFY(m_fixture->state()->accounts()->insert(account)); }();
    m_secrets->insert(caldavPasswordKey(account.id), kPassword);
    return account;
}

Calendar TestCalendarFormDialog::addRemoteCalendar(const Account &account, const QString &url,
                                                   const QString &components, bool allowTasks, bool readOnly)
{
    Calendar calendar;
    calendar.id = QStringLiteral("work");
    calendar.account_id = account.id;
    calendar.url = url;
    calendar.name = QStringLiteral("Work");
    calendar.color = QStringLiteral("#4285F4");
    calendar.supported_components = components;
    calendar.allow_tasks_override = allowTasks;
    calendar.is_read_only = readOnly;
    [&] { QVERIFY(m_fixture->state()->calendars()->insert(calendar)); }();
    return *m_fixture->state()->calendars()->getById(calendar.id);
}

void TestCalendarFormDialog::prepare(CalendarFormDialog &dialog)
{
    MemoryTokenStore::Entries secrets = m_secrets;
    dialog.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
}

void TestCalendarFormDialog::clickOk(CalendarFormDialog &dialog)
{
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

QString TestCalendarFormDialog::status(CalendarFormDialog &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("calendarStatus"))->text();
}

void TestCalendarFormDialog::localCalendarsAreStoredWithTheirKey()
{
    CalendarRepository *calendars = m_fixture->state()->calendars();
    for (const Calendar &existing : calendars->getAll())
        QVERIFY(calendars->remove(existing.id));

    QList<Calendar> created;
    for (const QString &name : {QStringLiteral("  Work "), QStringLiteral("Home")}) {
        CalendarFormDialog dialog(m_fixture->state());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Calendar"));
        dialog.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(name);
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        for (const Calendar &calendar : calendars->getAll()) {
            if (calendar.name == name.trimmed())
                created.append(calendar);
        }
    }
    QCOMPARE(created.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const Calendar &actual = created.at(i);
        Calendar expected;
        expected.id = actual.id;
        expected.account_id = QString::fromLatin1(AppState::LocalAccountId);
        expected.url = QStringLiteral("local://calendar/") + actual.id;
        expected.name = i == 0 ? QStringLiteral("Work") : QStringLiteral("Home");
        expected.color = QStringLiteral("#4285F4");
        expected.timezone = QStringLiteral("UTC");
        expected.is_visible = true;
        // Only the first calendar of an empty store becomes the default one.
        expected.is_default = i == 0;
        expected.supported_components = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
        expected.canonical_key = Sync::canonicalCalendarKey(QStringLiteral("tindlebrook"), expected.url).value();
        expected.created_at = actual.created_at;
        expected.updated_at = actual.updated_at;
        QVERIFY(actual.created_at.isValid());
        QCOMPARE(actual, expected);
    }
}

void TestCalendarFormDialog::blankNameIsRefused()
{
    const int before = int(m_fixture->state()->calendars()->getAll().size());
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    CalendarFormDialog dialog(m_fixture->state());
    dialog.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("   "));
    clickOk(dialog);
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("QMessageBox Please enter a name for the calendar.")});
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(int(m_fixture->state()->calendars()->getAll().size()), before);
}

void TestCalendarFormDialog::taskChoiceShowsOnlyWhereTasksAreNotAnnounced_data()
{
    QTest::addColumn<QString>("accountType");
    QTest::addColumn<QString>("components");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("shown");
    QTest::newRow("caldav events only") << "caldav" << "[\"VEVENT\"]" << false << true;
    QTest::newRow("icloud events only") << "icloud" << "[\"VEVENT\"]" << false << true;
    QTest::newRow("zoho events only") << "zoho" << "[\"VEVENT\"]" << false << true;
    QTest::newRow("announces tasks") << "caldav" << "[\"VEVENT\",\"VTODO\"]" << false << false;
    QTest::newRow("read-only") << "caldav" << "[\"VEVENT\"]" << true << false;
    QTest::newRow("google") << "google" << "[\"VEVENT\"]" << false << false;
}

void TestCalendarFormDialog::taskChoiceShowsOnlyWhereTasksAreNotAnnounced()
{
    QFETCH(QString, accountType);
    QFETCH(QString, components);
    QFETCH(bool, readOnly);
    QFETCH(bool, shown);
    const Account account = addCalDavAccount(accountType, QUrl(QStringLiteral("https://dav.example.test/")));
    const Calendar calendar =
        addRemoteCalendar(account, QStringLiteral("https://dav.example.test/work/"), components, false, readOnly);
    CalendarFormDialog dialog(m_fixture->state(), calendar);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Calendar"));
    QCOMPARE(dialog.findChild<QCheckBox *>(QStringLiteral("allowTasks")) != nullptr, shown);
}

void TestCalendarFormDialog::editsThatNeedNoServerSendNothing_data()
{
    QTest::addColumn<QString>("accountType");
    QTest::addColumn<bool>("allowTasksBefore");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<bool>("checked");
    QTest::newRow("caldav, nothing changed") << "caldav" << false << "Work" << false;
    QTest::newRow("icloud rename") << "icloud" << false << "Renamed" << false;
    QTest::newRow("zoho rename") << "zoho" << false << "Renamed" << false;
    QTest::newRow("tasks allowed, box cleared") << "caldav" << true << "Work" << false;
    QTest::newRow("tasks allowed, box kept") << "caldav" << true << "Work" << true;
}

void TestCalendarFormDialog::editsThatNeedNoServerSendNothing()
{
    QFETCH(QString, accountType);
    QFETCH(bool, allowTasksBefore);
    QFETCH(QString, newName);
    QFETCH(bool, checked);
    LocalHttpServer server;
    QVERIFY(server.listen());
    const Account account = addCalDavAccount(accountType, server.url(QStringLiteral("/dav/")));
    const Calendar calendar = addRemoteCalendar(account, server.url(QStringLiteral("/dav/work/")).toString(),
                                                QStringLiteral("[\"VEVENT\"]"), allowTasksBefore);
    CalendarFormDialog dialog(m_fixture->state(), calendar);
    prepare(dialog);
    dialog.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(newName);
    dialog.findChild<QCheckBox *>(QStringLiteral("allowTasks"))->setChecked(checked);
    clickOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QTest::qWait(50);
    QCOMPARE(server.requests().size(), 0);
    Calendar expected = calendar;
    expected.name = newName;
    expected.allow_tasks_override = checked;
    Calendar stored = *m_fixture->state()->calendars()->getById(calendar.id);
    QVERIFY(stored.updated_at >= calendar.updated_at);
    stored.updated_at = expected.updated_at;
    QCOMPARE(stored, expected);
}

void TestCalendarFormDialog::createdCollectionThatCannotBeFoundIsNotStored()
{
    LocalHttpServer server;
    QVERIFY(server.listen());
    server.setHandler([](const LocalHttpServer::Request &request) {
        LocalHttpServer::Reply reply;
        reply.status = request.method == "MKCALENDAR" ? 201 : 404;
        return reply;
    });
    const Account account =
        addCalDavAccount(QStringLiteral("caldav"), server.url(QStringLiteral("/dav/")), server.url(QStringLiteral("/dav/home/")).toString());
    const int before = int(m_fixture->state()->calendars()->getAll().size());
    CalendarFormDialog dialog(m_fixture->state(), account);
    prepare(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Calendar to Server"));
    dialog.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("Team"));
    clickOk(dialog);
    QTRY_VERIFY(status(dialog).contains(QStringLiteral("isn't reachable")));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.findChild<QLineEdit *>(QStringLiteral("calendarName"))->isEnabled());
    QCOMPARE(int(m_fixture->state()->calendars()->getAll().size()), before);
    const QList<LocalHttpServer::Request> requests = server.requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests.at(0).method, QByteArray("MKCALENDAR"));
    QCOMPARE(requests.at(1).method, QByteArray("PROPFIND"));
    QCOMPARE(requests.at(1).target, requests.at(0).target);
    QVERIFY(requests.at(0).target.startsWith("/dav/home/"));
}

void TestCalendarFormDialog::newCalendarGoesUnderTheServerUrlWithoutAHome()
{
    LocalHttpServer server;
    QVERIFY(server.listen());
    server.setHandler([](const LocalHttpServer::Request &request) {
        if (request.method == "MKCALENDAR") {
            LocalHttpServer::Reply reply;
            reply.status = 201;
            return reply;
        }
        return LocalHttpServer::Reply::status207("<d:multistatus xmlns:d=\"DAV:\"/>");
    });
    const Account account = addCalDavAccount(QStringLiteral("caldav"), server.url(QStringLiteral("/dav")));
    CalendarFormDialog dialog(m_fixture->state(), account);
    prepare(dialog);
    dialog.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("Team"));
    clickOk(dialog);
    QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));

    const QList<Calendar> created = m_fixture->state()->calendars()->getByAccount(account.id);
    QCOMPARE(created.size(), 1);
    const QUrl url(created.first().url);
    QCOMPARE(url.path().section(QLatin1Char('/'), 0, 1), QStringLiteral("/dav"));
    QVERIFY(url.path().endsWith(QLatin1Char('/')));
    QCOMPARE(url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts).size(), 2);
    QCOMPARE(QByteArray(server.requests().first().target), url.path().toUtf8());
    QCOMPARE(created.first().canonical_key, Sync::canonicalCalendarKey(QStringLiteral("caldav"), url.toString()).value());
    QVERIFY(created.first().sync_enabled);
    QVERIFY(!created.first().is_default);
    QCOMPARE(m_fixture->state()->accounts()->getById(account.id)->calendar_home_set,
             server.url(QStringLiteral("/dav/")).toString());
    const QByteArray authorization = server.requests().first().header("authorization");
    QCOMPARE(authorization, CalDavClient::basicAuthHeader(QStringLiteral("ann"), kPassword));
}

void TestCalendarFormDialog::proppatchMultistatusWithRefusedPropertyIsAFailure_data()
{
    QTest::addColumn<int>("httpStatus");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");
    QTest::newRow("colour forbidden") << 207 << propPatchReply("403 Forbidden", "424 Failed Dependency")
                                      << QStringLiteral("Server refused (HTTP 403)");
    QTest::newRow("unreadable multistatus") << 207 << QByteArray("<html>oops</html>")
                                            << QStringLiteral("could not be read");
    QTest::newRow("plain refusal") << 403 << QByteArray() << QStringLiteral("Server refused (HTTP 403)");
    QTest::newRow("web page") << 200 << QByteArray("<html><body>Sign in to the network</body></html>")
                              << QStringLiteral("could not be read");
    QTest::newRow("confirmed with 200") << 200 << propPatchReply("200 OK", "200 OK") << QString();
    QTest::newRow("refused as a whole")
        << 207
        << QByteArray("<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/dav/work/</d:href>"
                      "<d:status>HTTP/1.1 403 Forbidden</d:status></d:response></d:multistatus>")
        << QStringLiteral("Server refused (HTTP 403)");
    QTest::newRow("empty multistatus") << 207 << QByteArray("<d:multistatus xmlns:d=\"DAV:\"/>")
                                       << QStringLiteral("could not be read");
    QTest::newRow("name sent, only colour confirmed")
        << 207
        << QByteArray("<d:multistatus xmlns:d=\"DAV:\" xmlns:i=\"http://apple.com/ns/ical/\"><d:response>"
                      "<d:propstat><d:prop><i:calendar-color/></d:prop><d:status>HTTP/1.1 200 OK</d:status>"
                      "</d:propstat></d:response></d:multistatus>")
        << QStringLiteral("could not be read");
    QTest::newRow("all applied") << 207 << propPatchReply("200 OK", "200 OK") << QString();
}

void TestCalendarFormDialog::proppatchMultistatusWithRefusedPropertyIsAFailure()
{
    QFETCH(int, httpStatus);
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    LocalHttpServer server;
    QVERIFY(server.listen());
    server.setHandler([httpStatus, body](const LocalHttpServer::Request &) {
        LocalHttpServer::Reply reply;
        reply.status = httpStatus;
        reply.body = body;
        return reply;
    });
    const Account account = addCalDavAccount(QStringLiteral("caldav"), server.url(QStringLiteral("/dav/")));
    const Calendar calendar = addRemoteCalendar(account, server.url(QStringLiteral("/dav/work/")).toString(),
                                                QStringLiteral("[\"VEVENT\",\"VTODO\"]"));
    CalendarFormDialog dialog(m_fixture->state(), calendar);
    prepare(dialog);
    dialog.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("Renamed"));
    clickOk(dialog);
    QTRY_COMPARE(server.requests().size(), 1);
    QCOMPARE(server.requests().first().method, QByteArray("PROPPATCH"));
    // The unchanged colour is not sent.
    QVERIFY(server.requests().first().body.contains("Renamed"));
    QVERIFY(!server.requests().first().body.contains("calendar-color"));
    const Calendar stored = *m_fixture->state()->calendars()->getById(calendar.id);
    if (message.isEmpty()) {
        QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_fixture->state()->calendars()->getById(calendar.id)->name, QStringLiteral("Renamed"));
        return;
    }
    QTRY_VERIFY2(status(dialog).contains(message), qPrintable(status(dialog)));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(stored, calendar);
    QVERIFY(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled());
}

void TestCalendarFormDialog::taskProbeReachesAPinnedServerWithCredentials()
{
    SelfSignedCertificate certificate;
    QVERIFY2(certificate.isValid(), qPrintable(certificate.errorText()));
    LocalHttpServer server;
    QVERIFY(server.listenTls(certificate.certificatePath(), certificate.keyPath()));
    server.setHandler([](const LocalHttpServer::Request &request) {
        LocalHttpServer::Reply reply;
        reply.status = request.method == "PUT" ? 201 : 204;
        return reply;
    });
    const Account account = addCalDavAccount(QStringLiteral("caldav"), server.url(QStringLiteral("/dav/")),
                                             QString(), certificate.sha256());
    const Calendar calendar = addRemoteCalendar(account, server.url(QStringLiteral("/dav/work/")).toString(),
                                                QStringLiteral("[\"VEVENT\"]"));
    {
        CalendarFormDialog dialog(m_fixture->state(), calendar);
        prepare(dialog);
        dialog.findChild<QCheckBox *>(QStringLiteral("allowTasks"))->setChecked(true);
        clickOk(dialog);
        QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
    }
    // The probe is removed even though the dialog is gone.
    QTRY_COMPARE(server.requests().size(), 2);
    const LocalHttpServer::Request put = server.requests().at(0);
    const LocalHttpServer::Request del = server.requests().at(1);
    QCOMPARE(put.method, QByteArray("PUT"));
    QVERIFY(put.target.startsWith("/dav/work/tind-task-probe-"));
    QVERIFY(put.target.endsWith(".ics"));
    QCOMPARE(put.header("authorization"), CalDavClient::basicAuthHeader(QStringLiteral("ann"), kPassword));
    QVERIFY(put.body.contains("BEGIN:VTODO\r\n"));
    QCOMPARE(del.method, QByteArray("DELETE"));
    QCOMPARE(del.target, put.target);
    QVERIFY(m_fixture->state()->calendars()->getById(calendar.id)->allow_tasks_override);
}

void TestCalendarFormDialog::refusedTaskProbeStoresNothing()
{
    LocalHttpServer server;
    QVERIFY(server.listen());
    server.setHandler([](const LocalHttpServer::Request &) {
        LocalHttpServer::Reply reply;
        reply.status = 415;
        return reply;
    });
    const Account account = addCalDavAccount(QStringLiteral("caldav"), server.url(QStringLiteral("/dav/")));
    const Calendar calendar = addRemoteCalendar(account, server.url(QStringLiteral("/dav/work/")).toString(),
                                                QStringLiteral("[\"VEVENT\"]"));
    CalendarFormDialog dialog(m_fixture->state(), calendar);
    prepare(dialog);
    auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("allowTasks"));
    box->setChecked(true);
    clickOk(dialog);
    QTRY_COMPARE(status(dialog), QStringLiteral("This calendar does not accept tasks (server returned HTTP 415)."));
    QVERIFY(!box->isChecked());
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(*m_fixture->state()->calendars()->getById(calendar.id), calendar);
}

void TestCalendarFormDialog::missingPasswordSendsNothing()
{
    LocalHttpServer server;
    QVERIFY(server.listen());
    Account account = addCalDavAccount(QStringLiteral("caldav"), server.url(QStringLiteral("/dav/")));
    m_secrets->clear();
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    CalendarFormDialog dialog(m_fixture->state(), account);
    prepare(dialog);
    dialog.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("Team"));
    clickOk(dialog);
    QCOMPARE(answerer.seen(),
             QStringList{QStringLiteral("QMessageBox No saved password for this account. Edit the account first to "
                                        "re-enter your credentials.")});
    QTest::qWait(50);
    QCOMPARE(server.requests().size(), 0);
}

void TestCalendarFormDialog::requestsToAnotherServerAreRefused_data()
{
    QTest::addColumn<QString>("step");
    QTest::newRow("new calendar under a home elsewhere") << "create";
    QTest::newRow("renaming a calendar elsewhere") << "rename";
    QTest::newRow("task test of a calendar elsewhere") << "probe";
}

// A calendar home or calendar that a pulled record pointed at another
// server never receives the account's password.
void TestCalendarFormDialog::requestsToAnotherServerAreRefused()
{
    QFETCH(QString, step);
    LocalHttpServer stranger;
    QVERIFY(stranger.listen());
    const QString away = stranger.url(QStringLiteral("/dav/work/")).toString();
    const Account account = addCalDavAccount(QStringLiteral("caldav"), QUrl(QStringLiteral("http://127.0.0.1:1/dav/")),
                                             step == QLatin1String("create") ? away : QString());
    std::unique_ptr<CalendarFormDialog> dialog;
    if (step == QLatin1String("create")) {
        dialog = std::make_unique<CalendarFormDialog>(m_fixture->state(), account);
    } else {
        const Calendar calendar = addRemoteCalendar(account, away, QStringLiteral("[\"VEVENT\"]"));
        dialog = std::make_unique<CalendarFormDialog>(m_fixture->state(), calendar);
        dialog->findChild<QCheckBox *>(QStringLiteral("allowTasks"))->setChecked(step == QLatin1String("probe"));
    }
    prepare(*dialog);
    if (step != QLatin1String("probe"))
        dialog->findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("Team"));
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    clickOk(*dialog);
    QCOMPARE(answerer.seen().size(), 1);
    QVERIFY2(answerer.seen().first().contains(QStringLiteral("is not on this account's server")),
             qPrintable(answerer.seen().first()));
    QVERIFY(dialog->findChild<QLineEdit *>(QStringLiteral("calendarName"))->isEnabled());
    QCOMPARE(stranger.requests().size(), 0);
}

// While a request is out the form stays open: its answer decides what is
// stored, and a task probe must be removed again.
void TestCalendarFormDialog::escapeAndCloseWaitForTheServer()
{
    LocalHttpServer server;
    QVERIFY(server.listen());
    server.setHandler([](const LocalHttpServer::Request &) {
        LocalHttpServer::Reply reply;
        reply.hang = true;
        return reply;
    });
    const Account account = addCalDavAccount(QStringLiteral("caldav"), server.url(QStringLiteral("/dav/")),
                                             server.url(QStringLiteral("/dav/home/")).toString());
    CalendarFormDialog dialog(m_fixture->state(), account);
    prepare(dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("Team"));
    clickOk(dialog);
    QTRY_COMPARE(server.requests().size(), 1);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.close());
    QVERIFY(dialog.isVisible());
    QCOMPARE(status(dialog), QStringLiteral("Creating calendar on server…"));
}

void TestCalendarFormDialog::collectionUrls_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QStringList>("calendarUrls");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("expectedParent");
    QTest::newRow("home set wins") << "https://h.test/cal/ann/" << QStringList{"https://h.test/other/x/"}
                                   << "https://h.test/" << "https://h.test/cal/ann/";
    QTest::newRow("home without slash") << "https://h.test/cal/ann" << QStringList{} << "https://h.test/"
                                        << "https://h.test/cal/ann/";
    QTest::newRow("first calendar's parent") << "" << QStringList{"https://h.test/cal/bob/work/", "https://h.test/z/"}
                                             << "https://h.test/" << "https://h.test/cal/bob/";
    QTest::newRow("server url last") << "" << QStringList{} << "https://h.test/dav" << "https://h.test/dav/";
    QTest::newRow("encoded home") << "https://h.test/cal/a%20b/" << QStringList{} << ""
                                  << "https://h.test/cal/a%20b/";
}

void TestCalendarFormDialog::collectionUrls()
{
    QFETCH(QString, home);
    QFETCH(QStringList, calendarUrls);
    QFETCH(QString, server);
    QFETCH(QString, expectedParent);
    Account account;
    account.calendar_home_set = home;
    account.server_url = server;
    QList<Calendar> calendars;
    for (const QString &url : calendarUrls) {
        Calendar calendar;
        calendar.url = url;
        calendars.append(calendar);
    }
    const QUrl created = CalendarFormDialog::newCalendarUrl(account, calendars);
    QCOMPARE(CalendarFormDialog::parentCollectionUrl(created), QUrl(expectedParent));
    const QString name = created.path(QUrl::FullyDecoded).section(QLatin1Char('/'), -2, -2);
    QVERIFY2(!QUuid::fromString(name).isNull(), qPrintable(name));
    QVERIFY(created.path().endsWith(QLatin1Char('/')));
    QCOMPARE(CalendarFormDialog::parentCollectionUrl(QUrl(QStringLiteral("https://h.test/calendars/user/work/"))),
             QUrl(QStringLiteral("https://h.test/calendars/user/")));
}

QTEST_MAIN(TestCalendarFormDialog)
#include "tst_calendarformdialog.moc"
