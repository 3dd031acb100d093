#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "dialogs/editing/eventformdialog.h"
#include "app/edits/recurringeditscope.h"
#include "dialogs/editing/taskformdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "sync/caldav/caldavsyncclient.h"
#include "calendar/recurrence.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/tempdatadir.h"
#include "tests/support/xandikosserver.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// The fields a user sees, an override named by its series, as the store and
// the server's text can be compared by.
QStringList describeAll(const QList<Event> &events)
{
    QStringList out;
    for (const Event &e : events) {
        QStringList extras;
        for (const Reminder &r : e.reminders)
            extras.append(QString::number(r.minutes_before));
        for (const Attendee &a : e.attendees)
            extras.append(a.email.toLower());
        // A server may write the parts of a rule in another order.
        QStringList rule = e.recurrence_rule.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        rule.sort();
        out.append(QStringList{e.recurrence_id.isEmpty() ? e.uid : e.master_event_uid, e.title,
                               e.start_time.toUTC().toString(Qt::ISODate), e.end_time->toUTC().toString(Qt::ISODate),
                               rule.join(QLatin1Char(';')), e.recurrence_id, extras.join(QLatin1Char(','))}
                       .join(QLatin1String(" | ")));
    }
    out.sort();
    return out;
}

// A server with the calendars "work" and "home", and one installation of
// the program that syncs them.
class Device
{
public:
    explicit Device(const QString &kind)
    {
        if (kind == QLatin1String("radicale"))
            m_server = std::make_unique<RadicaleServer>();
        else
            m_server = std::make_unique<XandikosServer>();
        m_ok = m_server->start() && m_server->createCalendar(QStringLiteral("work"), QStringLiteral("Work"))
               && m_server->createCalendar(QStringLiteral("home"), QStringLiteral("Home"));
        install();
    }

    // A fresh installation: a store of its own, the same server.
    void install()
    {
        m_client.reset();
        m_state.reset();
        m_dir = std::make_unique<TempDataDir>();
        m_state = std::make_unique<AppState>();
        m_ok = m_ok && m_state->initialize();
        Account account;
        account.id = account.name = QStringLiteral("caldav");
        account.type = AccountType::CalDav;
        m_ok = m_ok && m_state->accounts()->insert(account);
        for (const QString &name : {QStringLiteral("work"), QStringLiteral("home")}) {
            Calendar calendar;
            calendar.id = calendar.name = name;
            calendar.account_id = account.id;
            calendar.url = m_server->calendarUrl(name).toString();
            calendar.supported_components = QStringLiteral("[\"VEVENT\",\"VTODO\"]");
            m_ok = m_ok && m_state->calendars()->insert(calendar);
        }
        m_client = std::make_unique<CalDavSyncClient>(CalDavRepositories{
            m_state->database(), m_state->events(), m_state->tasks(), m_state->calendars(), m_state->accounts()});
    }

    bool isReady() const { return m_ok; }
    AppState *state() const { return m_state.get(); }
    DavServerProcess *server() const { return m_server.get(); }
    QList<Event> events() const { return m_state->events()->getByCalendar(QStringLiteral("work")); }
    Event event(const QString &id) const { return *m_state->events()->getById(id); }
    QStringList hrefs(const QString &calendar) const { return m_server->itemHrefs(m_server->calendarUrl(calendar)); }

    // One run for the calendar; its failure text when it failed.
    QString sync(const QString &calendarId = QStringLiteral("work"))
    {
        QSignalSpy completed(m_client.get(), &CalDavSyncClient::calendarSyncCompleted);
        QSignalSpy failed(m_client.get(), &CalDavSyncClient::calendarSyncFailed);
        m_client->syncCalendar(*m_state->calendars()->getById(calendarId), QString(), m_server->user(),
                              m_server->password(), QString());
        if (!QTest::qWaitFor([&] { return !completed.isEmpty() || !failed.isEmpty(); }, 30000))
            return QStringLiteral("no answer");
        return failed.isEmpty() ? QString() : failed.first().at(1).toString();
    }

    // The server's copy of one resource, or of all, read with the program's reader.
    QString serverText(const QString &calendar, const QString &href) const
    {
        return IcsCodec::decodeText(m_server->get(m_server->calendarUrl(calendar).resolved(QUrl(href))).body);
    }
    QList<Event> serverEvents() const
    {
        QList<Event> out;
        for (const QString &href : hrefs(QStringLiteral("work")))
            out += IcsCodec::parseEvents(serverText(QStringLiteral("work"), href));
        return out;
    }

private:
    std::unique_ptr<DavServerProcess> m_server;
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<CalDavSyncClient> m_client;
    bool m_ok = false;
};

} // namespace

class TestEditRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void seriesEditsReachTheServerIntact_data();
    void seriesEditsReachTheServerIntact();
    void seriesEditedInTheFormKeepsItsOverride_data() { seriesEditsReachTheServerIntact_data(); }
    void seriesEditedInTheFormKeepsItsOverride();
    void movedTaskLeavesItsOldCollection_data() { seriesEditsReachTheServerIntact_data(); }
    void movedTaskLeavesItsOldCollection();
};

void TestEditRoundTrip::seriesEditsReachTheServerIntact_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("radicale") << "radicale";
    QTest::newRow("xandikos") << "xandikos";
}

void TestEditRoundTrip::seriesEditsReachTheServerIntact()
{
    QFETCH(QString, kind);
    Device device(kind);
    QVERIFY2(device.isReady(), qPrintable(device.server()->errorText()));
    EventRepository *events = device.state()->events();

    // Six Mondays at 10:00 with a reminder and an attendee, made in the form.
    EventFormDialog form(device.state());
    auto *calendars = form.findChild<QComboBox *>(QStringLiteral("calendar"));
    calendars->setCurrentIndex(calendars->findData(QStringLiteral("work")));
    EventTemplate weekly;
    weekly.title = QStringLiteral("Review");
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=6");
    weekly.reminders = {15};
    form.fillFromTemplate(weekly);
    form.setStartAndDuration(QDateTime(QDate(2026, 3, 2), QTime(10, 0)), 60);
    form.findChild<QPushButton *>(QStringLiteral("addAttendee"))->click();
    QTest::keyClicks(form.findChild<QLineEdit *>(QStringLiteral("attendeeEmail")), QStringLiteral("ann@example.org"));
    QVERIFY(form.save().saved());
    const QString masterId = device.events().first().id;
    QCOMPARE(device.sync(), QString());

    // This occurrence only: the override travels inside the series' resource.
    const QDateTime second(QDate(2026, 3, 9), QTime(10, 0));
    QVERIFY(applyRecurringEditScope(events, device.event(masterId), second, second.addSecs(7200),
                                    second.addSecs(10800), 1));
    QCOMPARE(device.sync(), QString());
    QCOMPARE(device.hrefs(QStringLiteral("work")).size(), 1);
    QCOMPARE(describeAll(device.serverEvents()), describeAll(device.events()));

    // This and following: the series ends before the fourth Monday and a new
    // one keeps the three that are left; then the whole new series moves.
    const QDateTime fourth(QDate(2026, 3, 23), QTime(10, 0));
    QVERIFY(applyRecurringEditScope(events, device.event(masterId), fourth, fourth.addSecs(3600),
                                    fourth.addSecs(7200), 2));
    QCOMPARE(device.sync(), QString());
    Event newSeries;
    for (const Event &row : device.events())
        newSeries = row.id != masterId && row.recurrence_id.isEmpty() ? row : newSeries;
    QCOMPARE(newSeries.recurrence_rule, QStringLiteral("FREQ=WEEKLY;COUNT=3"));
    const QDateTime fifth(QDate(2026, 3, 30), QTime(11, 0));
    QVERIFY(applyRecurringEditScope(events, newSeries, fifth, fifth.addSecs(1800), fifth.addSecs(5400), 3));
    QCOMPARE(device.sync(), QString());
    QCOMPARE(device.hrefs(QStringLiteral("work")).size(), 2);
    QCOMPARE(device.events().size(), 3);
    QCOMPARE(describeAll(device.serverEvents()), describeAll(device.events()));
    QVERIFY(device.event(masterId).recurrence_rule.contains(QStringLiteral("UNTIL=20260323T")));
    QCOMPARE(device.event(newSeries.id).start_time, QDateTime(QDate(2026, 3, 23), QTime(11, 30)));

    // Changed on the server, the override comes back onto the row it was
    // made from: nothing doubles.
    const QUrl seriesUrl = device.server()->calendarUrl(QStringLiteral("work")).resolved(QUrl(device.event(masterId).href));
    QByteArray text = device.server()->get(seriesUrl).body;
    QCOMPARE(text.count("SUMMARY:Review\r\n"), 2);
    text.replace("SUMMARY:Review\r\n", "SUMMARY:Review (room 4)\r\n");
    QCOMPARE(device.server()->putIcs(seriesUrl, text).status / 100, 2);
    QCOMPARE(device.sync(), QString());
    const QStringList expected = describeAll(device.events());
    QCOMPARE(expected.filter(QStringLiteral("Review (room 4)")).size(), 2);
    QCOMPARE(expected.size(), 3);

    // Another installation reads the same series back.
    device.install();
    QCOMPARE(device.sync(), QString());
    QCOMPARE(describeAll(device.events()), expected);
}

void TestEditRoundTrip::seriesEditedInTheFormKeepsItsOverride()
{
    QFETCH(QString, kind);
    Device device(kind);
    QVERIFY2(device.isReady(), qPrintable(device.server()->errorText()));

    EventFormDialog create(device.state());
    auto *calendars = create.findChild<QComboBox *>(QStringLiteral("calendar"));
    calendars->setCurrentIndex(calendars->findData(QStringLiteral("work")));
    EventTemplate weekly;
    weekly.title = QStringLiteral("Review");
    weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY;COUNT=6");
    weekly.reminders = {15};
    create.fillFromTemplate(weekly);
    create.setStartAndDuration(QDateTime(QDate(2026, 3, 2), QTime(10, 0)), 60);
    QVERIFY(create.save().saved());
    const QString masterId = device.events().first().id;
    const QDateTime second(QDate(2026, 3, 9), QTime(10, 0));
    QVERIFY(applyRecurringEditScope(device.state()->events(), device.event(masterId), second, second.addSecs(7200),
                                    second.addSecs(10800), 1));
    QCOMPARE(device.sync(), QString());

    // The whole series edited in the form: a place, and an end date chosen
    // in the repeat editor instead of the count.
    ModalAnswerer answerer;
    answerer.answer([](QWidget *editor) {
        editor->findChild<QRadioButton *>(QStringLiteral("endsOn"))->click();
        editor->findChild<QDateEdit *>(QStringLiteral("untilDate"))->setDate(QDate(2026, 3, 23));
        static_cast<QDialog *>(editor)->accept();
    });
    EventFormDialog edit(device.state(), device.event(masterId));
    edit.findChild<QLineEdit *>(QStringLiteral("location"))->setText(QStringLiteral("Room 4"));
    edit.findChild<QPushButton *>(QStringLiteral("repeat"))->click();
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(edit.save().saved());
    // The series ends with the last second of the 23rd in its zone (UTC here).
    QCOMPARE(device.event(masterId).recurrence_rule, QStringLiteral("FREQ=WEEKLY;BYDAY=MO;UNTIL=20260323T235959Z"));
    QCOMPARE(device.sync(), QString());

    // One resource holds the series and its override, as the store has them.
    const QStringList hrefs = device.hrefs(QStringLiteral("work"));
    QCOMPARE(hrefs.size(), 1);
    const QString text = device.serverText(QStringLiteral("work"), hrefs.first());
    QCOMPARE(text.count(QStringLiteral("BEGIN:VEVENT")), 2);
    QVERIFY(text.contains(QStringLiteral("LOCATION:Room 4")));
    QVERIFY(text.contains(QStringLiteral("RECURRENCE-ID")));
    QCOMPARE(describeAll(device.serverEvents()), describeAll(device.events()));

    // Another installation sees the same days: the 9th moved to noon, the
    // 23rd the last one.
    device.install();
    QCOMPARE(device.sync(), QString());
    QStringList days;
    const QDateTime from(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC);
    for (const Event &occurrence : Recurrence::expandForRange(device.events(), from, from.addDays(60)))
        days << occurrence.start_time.toUTC().toString(QStringLiteral("MM-dd HH:mm"));
    days.sort();
    QCOMPARE(days, QStringList({"03-02 10:00", "03-09 12:00", "03-16 10:00", "03-23 10:00"}));
}

void TestEditRoundTrip::movedTaskLeavesItsOldCollection()
{
    QFETCH(QString, kind);
    Device device(kind);
    QVERIFY2(device.isReady(), qPrintable(device.server()->errorText()));
    TaskFormDialog create(device.state());
    auto *calendars = create.findChild<QComboBox *>(QStringLiteral("calendar"));
    calendars->setCurrentIndex(calendars->findData(QStringLiteral("work")));
    create.findChild<QLineEdit *>(QStringLiteral("title"))->setText(QStringLiteral("Renew passport"));
    QVERIFY(create.save().saved());
    QCOMPARE(device.sync(), QString());
    QCOMPARE(device.hrefs(QStringLiteral("work")).size(), 1);

    TaskFormDialog edit(device.state(), device.state()->tasks()->getByCalendar(QStringLiteral("work")).first());
    calendars = edit.findChild<QComboBox *>(QStringLiteral("calendar"));
    calendars->setCurrentIndex(calendars->findData(QStringLiteral("home")));
    QVERIFY(edit.save().saved());
    QCOMPARE(device.sync(QStringLiteral("home")), QString());
    QCOMPARE(device.sync(QStringLiteral("work")), QString());
    QVERIFY(device.hrefs(QStringLiteral("work")).isEmpty());
    const QStringList home = device.hrefs(QStringLiteral("home"));
    QCOMPARE(home.size(), 1);
    QCOMPARE(IcsCodec::parseTodos(device.serverText(QStringLiteral("home"), home.first())).value(0).title,
             QStringLiteral("Renew passport"));
}

QTEST_MAIN(TestEditRoundTrip)
#include "tst_editroundtrip.moc"
