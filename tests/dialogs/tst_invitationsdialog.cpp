#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "dialogs/editing/invitationsdialog.h"
#include "services/invitationsservice.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/preferencesrepository.h"
#include "sync/caldav/caldavsyncclient.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/radicaleserver.h"
#include "tests/support/tempdatadir.h"
#include "tests/support/widgetfixture.h"

#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

Attendee attendee(const QString &email, const QString &status, const QString &role = QStringLiteral("req-participant"))
{
    Attendee a;
    a.email = email;
    a.name = email.section(QLatin1Char('@'), 0, 0);
    a.status = status;
    a.role = role;
    return a;
}

// The texts a card shows, in layout order.
QStringList cardTexts(QListWidget *list, int row)
{
    QStringList texts;
    QWidget *card = list->itemWidget(list->item(row));
    for (QLabel *label : card->findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

QPushButton *cardButton(QListWidget *list, int row, const QString &text)
{
    for (QPushButton *button : list->itemWidget(list->item(row))->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TestInvitationsDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void answeredOrEndedInvitationsOpenOnPast();
    void ongoingUnansweredIsNewAndEndedIsPast();
    void acceptMovesTheCardToPastForAnAddressInAnotherCase();
    void refusedAnswerIsShown();
    void whenTextFollowsTheKindOfEvent();
    void organizerFallsBackToTheChair_data();
    void organizerFallsBackToTheChair();
    void answerLabels_data();
    void answerLabels();
    void acceptedAnswerReachesTheServer();

private:
    Event invitation(const QString &title, const QDateTime &start, const std::optional<QDateTime> &end,
                     const QString &myStatus);
    QListWidget *list(InvitationsDialog &dialog, const char *name) const
    {
        return dialog.findChild<QListWidget *>(QString::fromLatin1(name));
    }

    std::unique_ptr<WidgetFixture> m_fixture;
};

void TestInvitationsDialog::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    Account work;
    work.id = QStringLiteral("work-account");
    work.name = QStringLiteral("Work");
    work.type = AccountType::CalDav;
    work.username = QStringLiteral("ALICE@Example.com");
    QVERIFY(m_fixture->state()->accounts()->insert(work));
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("#aa3300"), true, work.id);
    QVERIFY(m_fixture->state()->preferences()->set(QStringLiteral("ui/timeFormat"), QStringLiteral("24")));
}

void TestInvitationsDialog::cleanup()
{
    m_fixture.reset();
}

Event TestInvitationsDialog::invitation(const QString &title, const QDateTime &start,
                                        const std::optional<QDateTime> &end, const QString &myStatus)
{
    Event event = WidgetFixture::timedEvent(title, start, end, QStringLiteral("work"));
    event.attendees = {attendee(QStringLiteral("bob@example.com"), QStringLiteral("accepted")),
                       attendee(QStringLiteral("alice@example.COM"), myStatus)};
    event.organizer_email = QStringLiteral("bob@example.com");
    return m_fixture->addEvent(event);
}

void TestInvitationsDialog::answeredOrEndedInvitationsOpenOnPast()
{
    const QDateTime now = QDateTime::currentDateTime();
    invitation(QStringLiteral("Answered"), now.addDays(2), now.addDays(2).addSecs(3600), QStringLiteral("accepted"));
    invitation(QStringLiteral("Ended"), now.addDays(-2), now.addDays(-2).addSecs(3600), QStringLiteral("needs-action"));
    InvitationsDialog dialog(m_fixture->state());
    auto *tabs = dialog.findChild<QTabWidget *>();
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(list(dialog, "newInvitations")->isHidden());
    QCOMPARE(list(dialog, "pastInvitations")->count(), 2);
    // Newest first.
    QCOMPARE(cardTexts(list(dialog, "pastInvitations"), 0).value(0), QStringLiteral("Answered"));
    bool emptyShown = false;
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        if (label->text() == QLatin1String("No new invitations. You're all caught up."))
            emptyShown = !label->isHidden();
    }
    QVERIFY(emptyShown);
}

void TestInvitationsDialog::ongoingUnansweredIsNewAndEndedIsPast()
{
    const QDateTime now = QDateTime::currentDateTime();
    invitation(QStringLiteral("Offsite"), now.addDays(-1), now.addDays(1), QStringLiteral("needs-action"));
    invitation(QStringLiteral("Review"), now.addSecs(-7200), now.addSecs(-3600), QStringLiteral("needs-action"));
    InvitationsDialog dialog(m_fixture->state());
    QCOMPARE(dialog.findChild<QTabWidget *>()->currentIndex(), 0);
    QCOMPARE(list(dialog, "newInvitations")->count(), 1);
    QCOMPARE(cardTexts(list(dialog, "newInvitations"), 0).value(0), QStringLiteral("Offsite"));
    QVERIFY(cardButton(list(dialog, "newInvitations"), 0, QStringLiteral("Accept")));
    QWidget *card = list(dialog, "newInvitations")->itemWidget(list(dialog, "newInvitations")->item(0));
    QCOMPARE(card->findChild<QLabel *>(QStringLiteral("calendarBar"))->styleSheet(),
             QStringLiteral("background: #aa3300; border-radius: 2px;"));
    QCOMPARE(list(dialog, "pastInvitations")->count(), 1);
    const QStringList past = cardTexts(list(dialog, "pastInvitations"), 0);
    QCOMPARE(past.value(0), QStringLiteral("Review"));
    QVERIFY(past.contains(QStringLiteral("No response")));
    QVERIFY(past.contains(QStringLiteral("Invited by bob@example.com")));
    QVERIFY(!cardButton(list(dialog, "pastInvitations"), 0, QStringLiteral("Accept")));
}

void TestInvitationsDialog::acceptMovesTheCardToPastForAnAddressInAnotherCase()
{
    const QDateTime start = QDateTime::currentDateTime().addDays(3);
    const Event event = invitation(QStringLiteral("Planning"), start, start.addSecs(1800), QStringLiteral("needs-action"));
    InvitationsDialog dialog(m_fixture->state());
    QCOMPARE(list(dialog, "newInvitations")->count(), 1);
    cardButton(list(dialog, "newInvitations"), 0, QStringLiteral("Accept"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(list(dialog, "newInvitations")->isHidden());
    QCOMPARE(dialog.findChild<QTabWidget *>()->currentIndex(), 1);
    QVERIFY(cardTexts(list(dialog, "pastInvitations"), 0).contains(QStringLiteral("Going")));
    const Event stored = m_fixture->storedEvent(event.id);
    QCOMPARE(stored.sync_status, SyncStatus::Pending);
    QStringList answers;
    for (const Attendee &a : stored.attendees)
        answers << a.email + QLatin1Char('=') + a.status;
    answers.sort();
    QCOMPARE(answers, QStringList({"alice@example.COM=accepted", "bob@example.com=accepted"}));
}

// An answer the store refused is said so, not left looking sent.
void TestInvitationsDialog::refusedAnswerIsShown()
{
    const QDateTime start = QDateTime::currentDateTime().addDays(3);
    const Event event = invitation(QStringLiteral("Planning"), start, start.addSecs(1800), QStringLiteral("needs-action"));
    InvitationsDialog dialog(m_fixture->state());
    QVERIFY(m_fixture->failEventWrites());
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    cardButton(list(dialog, "newInvitations"), 0, QStringLiteral("Accept"))->click();
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("QMessageBox \"Planning\" could not be stored, so nothing "
                                                         "was changed. The log has the details.")});
    QCOMPARE(m_fixture->storedEvent(event.id), event);
}

void TestInvitationsDialog::whenTextFollowsTheKindOfEvent()
{
    const QDate day(2026, 5, 4);
    Event allDay = WidgetFixture::allDayEvent(QStringLiteral("Fair"), day, day.addDays(1));
    QCOMPARE(InvitationsDialog::formatWhen(m_fixture->state(), allDay),
             QStringLiteral("%1 (all day)").arg(QDateTime(day, QTime(0, 0)).toString(QStringLiteral("ddd, MMM d"))));
    const QDateTime start(day, QTime(9, 5));
    Event timed = WidgetFixture::timedEvent(QStringLiteral("Call"), start, std::nullopt);
    const QString date = start.toString(QStringLiteral("ddd, MMM d"));
    QCOMPARE(InvitationsDialog::formatWhen(m_fixture->state(), timed), date + QStringLiteral(", 09:05"));
    timed.end_time = QDateTime(day.addDays(1), QTime(1, 30));
    QCOMPARE(InvitationsDialog::formatWhen(m_fixture->state(), timed), date + QStringLiteral(", 09:05 – 01:30"));
}

void TestInvitationsDialog::organizerFallsBackToTheChair_data()
{
    QTest::addColumn<QString>("organizerName");
    QTest::addColumn<QString>("organizerEmail");
    QTest::addColumn<QString>("chairName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name first") << "Bob" << "bob@example.com" << "Carol" << "Bob";
    QTest::newRow("then address") << "" << "bob@example.com" << "Carol" << "bob@example.com";
    QTest::newRow("then the chair") << "" << "" << "Carol" << "Carol";
    QTest::newRow("chair without name") << "" << "" << "" << "carol@example.com";
}

void TestInvitationsDialog::organizerFallsBackToTheChair()
{
    QFETCH(QString, organizerName);
    QFETCH(QString, organizerEmail);
    QFETCH(QString, chairName);
    QFETCH(QString, expected);
    Event event;
    event.organizer_name = organizerName;
    event.organizer_email = organizerEmail;
    Attendee chair = attendee(QStringLiteral("carol@example.com"), QStringLiteral("accepted"), QStringLiteral("CHAIR"));
    chair.name = chairName;
    event.attendees = {attendee(QStringLiteral("dan@example.com"), QStringLiteral("accepted")), chair};
    QCOMPARE(InvitationsDialog::organizerText(event), expected);
    event.attendees.removeLast();
    event.organizer_name.clear();
    event.organizer_email.clear();
    QCOMPARE(InvitationsDialog::organizerText(event), QString());
}

void TestInvitationsDialog::answerLabels_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("label");
    QTest::newRow("accepted") << "ACCEPTED" << "Going";
    QTest::newRow("declined") << "declined" << "Declined";
    QTest::newRow("tentative") << "Tentative" << "Maybe";
    QTest::newRow("delegated") << "delegated" << "Delegated";
    QTest::newRow("needs action") << "needs-action" << "No response";
    QTest::newRow("unknown") << "x-busy" << "No response";
    QTest::newRow("none") << "" << "No response";
}

void TestInvitationsDialog::answerLabels()
{
    QFETCH(QString, status);
    QFETCH(QString, label);
    QCOMPARE(InvitationsDialog::partstatLabel(status), label);
}

void TestInvitationsDialog::acceptedAnswerReachesTheServer()
{
    RadicaleServer server;
    QVERIFY2(server.start(), qPrintable(server.errorText()));
    QVERIFY(server.createCalendar(QStringLiteral("team"), QStringLiteral("Team")));
    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(2);
    const QString stamp = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");
    const QByteArray ics = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\n"
                                          "UID:invite-1\r\nDTSTAMP:%1\r\nDTSTART:%1\r\nDTEND:%2\r\nSUMMARY:Roadmap\r\n"
                                          "ORGANIZER;CN=Bob:mailto:bob@example.com\r\n"
                                          "ATTENDEE;CN=Bob;PARTSTAT=ACCEPTED:mailto:bob@example.com\r\n"
                                          "ATTENDEE;CN=Alice;PARTSTAT=NEEDS-ACTION;RSVP=TRUE:mailto:Alice@Example.COM\r\n"
                                          "END:VEVENT\r\nEND:VCALENDAR\r\n")
                                .arg(start.toString(stamp), start.addSecs(3600).toString(stamp))
                                .toUtf8();
    const QUrl resource = server.calendarUrl(QStringLiteral("team")).resolved(QUrl(QStringLiteral("invite-1.ics")));
    QVERIFY(server.putIcs(resource, ics).status / 100 == 2);

    Account account;
    account.id = QStringLiteral("dav");
    account.name = QStringLiteral("Team server");
    account.type = AccountType::CalDav;
    account.username = QStringLiteral("alice@example.com");
    QVERIFY(m_fixture->state()->accounts()->insert(account));
    Calendar calendar;
    calendar.id = calendar.name = QStringLiteral("team");
    calendar.account_id = account.id;
    calendar.url = server.calendarUrl(QStringLiteral("team")).toString();
    QVERIFY(m_fixture->state()->calendars()->insert(calendar));
    AppState *state = m_fixture->state();
    CalDavSyncClient client(
        state->recordRepositories());
    const auto sync = [&] {
        QSignalSpy completed(&client, &CalDavSyncClient::calendarSyncCompleted);
        QSignalSpy failed(&client, &CalDavSyncClient::calendarSyncFailed);
        client.syncCalendar(*state->calendars()->getById(calendar.id), QString(), server.user(), server.password(),
                            QString());
        return QTest::qWaitFor([&] { return !completed.isEmpty() || !failed.isEmpty(); }, 30000) && failed.isEmpty();
    };
    QVERIFY(sync());

    InvitationsDialog dialog(state);
    QListWidget *fresh = list(dialog, "newInvitations");
    QCOMPARE(fresh->count(), 1);
    QCOMPARE(cardTexts(fresh, 0).value(0), QStringLiteral("Roadmap"));
    cardButton(fresh, 0, QStringLiteral("Accept"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(cardTexts(list(dialog, "pastInvitations"), 0).contains(QStringLiteral("Going")));
    QVERIFY(sync());

    const QString served = QString::fromUtf8(server.get(resource).body).replace(QStringLiteral("\r\n "), QString());
    QStringList aliceLines;
    for (const QString &line : served.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(QLatin1String("ATTENDEE")) && line.contains(QLatin1String("alice"), Qt::CaseInsensitive))
            aliceLines << line;
    }
    QCOMPARE(aliceLines.size(), 1);
    QVERIFY2(aliceLines.first().contains(QLatin1String("PARTSTAT=ACCEPTED")), qPrintable(aliceLines.first()));
    QCOMPARE(state->events()->getByUid(QStringLiteral("invite-1"), calendar.id)->sync_status, SyncStatus::Synced);
}

QTEST_MAIN(TestInvitationsDialog)
#include "tst_invitationsdialog.moc"
