#include "app/appstate.h"
#include "app/secrets/tokenstore.h"
#include "dialogs/editing/calendarformdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/caldav/caldavxml.h"
#include "sync/core/canonicalcalendarkey.h"
#include "tests/support/memorytokenstore.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/widgetfixture.h"
#include "tests/support/xandikosserver.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

// The calendar form against real CalDAV servers on 127.0.0.1: a calendar
// created with MKCALENDAR, renamed and recoloured with PROPPATCH, and the
// task-support probe.
class TestCalendarFormServers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void createRenameAndRecolour_data();
    void createRenameAndRecolour();
    void taskProbeLeavesNothingBehind_data();
    void taskProbeLeavesNothingBehind();

private:
    void startServer(const QString &kind);
    void prepare(CalendarFormDialog &dialog);
    QByteArray propfind(const QUrl &url) const;

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<DavServerProcess> m_server;
    MemoryTokenStore::Entries m_secrets;
    Account m_account;
};

void TestCalendarFormServers::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_secrets = std::make_shared<QHash<QString, QString>>();
}

void TestCalendarFormServers::cleanup()
{
    m_server.reset();
    m_fixture.reset();
}

void TestCalendarFormServers::startServer(const QString &kind)
{
    if (kind == QLatin1String("radicale"))
        m_server = std::make_unique<RadicaleServer>();
    else
        m_server = std::make_unique<XandikosServer>();
    QVERIFY2(m_server->start(), qPrintable(m_server->errorText()));
    m_account.id = QStringLiteral("dav");
    m_account.name = m_server->name();
    m_account.type = AccountType::CalDav;
    m_account.server_url = m_server->baseUrl().toString();
    m_account.username = m_server->user();
    m_account.calendar_home_set = m_server->calendarHomeUrl().toString();
    m_account.created_at = m_account.updated_at = QDateTime::currentDateTimeUtc();
    QVERIFY(m_fixture->state()->accounts()->insert(m_account));
    m_secrets->insert(caldavPasswordKey(m_account.id), m_server->password());
}

void TestCalendarFormServers::prepare(CalendarFormDialog &dialog)
{
    MemoryTokenStore::Entries secrets = m_secrets;
    dialog.setSecretStoreMaker([secrets] { return std::make_unique<MemoryTokenStore>(secrets); });
}

QByteArray TestCalendarFormServers::propfind(const QUrl &url) const
{
    const DavServerProcess::HttpResult result =
        m_server->request("PROPFIND", url, CalDavXml::propfindCalendars(),
                          {{"Depth", "0"}, {"Content-Type", "application/xml; charset=utf-8"}});
    return result.status == 207 ? result.body : QByteArray();
}

void TestCalendarFormServers::createRenameAndRecolour_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("radicale") << QStringLiteral("radicale");
    QTest::newRow("xandikos") << QStringLiteral("xandikos");
}

void TestCalendarFormServers::createRenameAndRecolour()
{
    QFETCH(QString, kind);
    startServer(kind);
    if (QTest::currentTestFailed())
        return;

    CalendarFormDialog create(m_fixture->state(), m_account);
    prepare(create);
    create.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("Team Plans"));
    create.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QTRY_VERIFY2_WITH_TIMEOUT(create.result() == QDialog::Accepted,
                              qPrintable(create.findChild<QLabel *>(QStringLiteral("calendarStatus"))->text()), 20000);

    const QList<Calendar> created = m_fixture->state()->calendars()->getByAccount(m_account.id);
    QCOMPARE(created.size(), 1);
    const Calendar calendar = created.first();
    QCOMPARE(calendar.canonical_key, Sync::canonicalCalendarKey(QStringLiteral("caldav"), calendar.url).value());
    const QUrl url(calendar.url);
    QCOMPARE(CalendarFormDialog::parentCollectionUrl(url), m_server->calendarHomeUrl());
    QList<CalDavParse::DiscoveredCalendar> listed = CalDavXml::parseCalendars(propfind(url), url);
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed.first().displayName, QStringLiteral("Team Plans"));

    CalendarFormDialog edit(m_fixture->state(), calendar);
    prepare(edit);
    edit.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("Team & Friends"));
    QTimer::singleShot(0, this, [] {
        if (auto *picker = qobject_cast<QColorDialog *>(QApplication::activeModalWidget())) {
            picker->setCurrentColor(QColor(QStringLiteral("#aa3355")));
            picker->accept();
        }
    });
    edit.findChild<QPushButton *>(QStringLiteral("calendarColor"))->click();
    QCOMPARE(edit.color(), QStringLiteral("#aa3355"));
    edit.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QTRY_VERIFY2_WITH_TIMEOUT(edit.result() == QDialog::Accepted,
                              qPrintable(edit.findChild<QLabel *>(QStringLiteral("calendarStatus"))->text()), 20000);

    listed = CalDavXml::parseCalendars(propfind(url), url);
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed.first().displayName, QStringLiteral("Team & Friends"));
    QCOMPARE(listed.first().color.toLower(), QStringLiteral("#aa3355"));
    const Calendar stored = *m_fixture->state()->calendars()->getById(calendar.id);
    QCOMPARE(stored.name, QStringLiteral("Team & Friends"));
    QCOMPARE(stored.color, QStringLiteral("#aa3355"));
}

void TestCalendarFormServers::taskProbeLeavesNothingBehind_data()
{
    createRenameAndRecolour_data();
}

void TestCalendarFormServers::taskProbeLeavesNothingBehind()
{
    QFETCH(QString, kind);
    startServer(kind);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(m_server->createCalendar(QStringLiteral("events"), QStringLiteral("Events"), {QStringLiteral("VEVENT")}),
             qPrintable(m_server->errorText()));
    Calendar calendar;
    calendar.id = QStringLiteral("events");
    calendar.account_id = m_account.id;
    calendar.url = m_server->calendarUrl(QStringLiteral("events")).toString();
    calendar.name = QStringLiteral("Events");
    calendar.supported_components = QStringLiteral("[\"VEVENT\"]");
    QVERIFY(m_fixture->state()->calendars()->insert(calendar));

    {
        CalendarFormDialog dialog(m_fixture->state(), calendar);
        prepare(dialog);
        auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("allowTasks"));
        QVERIFY(box);
        box->setChecked(true);
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        auto *status = dialog.findChild<QLabel *>(QStringLiteral("calendarStatus"));
        // Both servers store a to-do in a calendar that announces only events.
        QTRY_VERIFY2_WITH_TIMEOUT(dialog.result() == QDialog::Accepted, qPrintable(status->text()), 20000);
        QVERIFY(m_fixture->state()->calendars()->getById(calendar.id)->allow_tasks_override);
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_server->itemHrefs(m_server->calendarUrl(QStringLiteral("events"))), QStringList(),
                              20000);
}

QTEST_MAIN(TestCalendarFormServers)
#include "tst_calendarformservers.moc"
