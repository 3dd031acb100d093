#include "services/invitationsservice.h"

#include <QSignalSpy>
#include <QTest>

#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "tests/support/teststore.h"

#include <memory>

namespace {

// Noon local time, so the 455-day window and "before now" are clear of
// midnight in every zone.
const QDateTime kNow(QDate(2026, 6, 15), QTime(12, 0));

Account account(const QString &id, const QString &username)
{
    Account a;
    a.id = id;
    a.name = id;
    a.type = AccountType::CalDav;
    a.username = username;
    a.created_at = QDateTime::currentDateTimeUtc();
    a.updated_at = a.created_at;
    return a;
}

Calendar calendar(const QString &id, bool visible)
{
    Calendar c;
    c.id = id;
    c.account_id = QStringLiteral("acc-work");
    c.url = QStringLiteral("https://dav.example.org/") + id;
    c.name = id;
    c.is_visible = visible;
    return c;
}

Attendee attendee(const QString &email, const QString &status)
{
    Attendee a;
    a.email = email;
    a.name = email.section(QLatin1Char('@'), 0, 0);
    a.status = status;
    return a;
}

Event meeting(const QString &id, const QDateTime &start, const QList<Attendee> &attendees,
              const QString &calendarId = QStringLiteral("cal-work"))
{
    Event e;
    e.id = id;
    e.uid = id;
    e.calendar_id = calendarId;
    e.title = QStringLiteral("Meeting ") + id;
    e.start_time = start;
    e.end_time = start.addSecs(3600);
    e.attendees = attendees;
    e.organizer_email = QStringLiteral("boss@example.com");
    e.raw_icalendar = IcsCodec::buildEventIcs(e);
    return e;
}

QStringList idsOf(const QList<Event> &events)
{
    QStringList ids;
    for (const Event &e : events)
        ids.append(e.id);
    return ids;
}

} // namespace

class TestInvitationsService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        m_accounts = std::make_unique<AccountRepository>(m_store->db());
        m_calendars = std::make_unique<CalendarRepository>(m_store->db());
        m_events = std::make_unique<EventRepository>(m_store->db());
        QVERIFY(m_accounts->insert(account(QStringLiteral("acc-work"), QStringLiteral("Alice@Example.com"))));
        QVERIFY(m_accounts->insert(account(QStringLiteral("acc-home"), QStringLiteral("alice.home@mail.org"))));
        QVERIFY(m_accounts->insert(account(QStringLiteral("acc-plain"), QStringLiteral("alice"))));
        QVERIFY(m_calendars->insert(calendar(QStringLiteral("cal-work"), true)));
        QVERIFY(m_calendars->insert(calendar(QStringLiteral("cal-hidden"), false)));
        m_service = std::make_unique<Invitations::Service>(m_accounts.get(), m_calendars.get(), m_events.get());
        m_service->setClock([] { return kNow; });
    }

    void cleanup()
    {
        m_service.reset();
        m_events.reset();
        m_calendars.reset();
        m_accounts.reset();
        m_store.reset();
    }

    void addressesComeFromUsernamesWithAnAt()
    {
        QCOMPARE(service().myEmails(),
                 (QSet<QString>{QStringLiteral("alice@example.com"), QStringLiteral("alice.home@mail.org")}));
        QVERIFY(m_accounts->remove(QStringLiteral("acc-home")));
        QCOMPARE(service().myEmails(), QSet<QString>{QStringLiteral("alice@example.com")});
    }

    void invitationsMatchAnyAccountWithoutRegardToCase()
    {
        const QDateTime tomorrow = kNow.addDays(1);
        QVERIFY(m_events->insert(meeting(QStringLiteral("work"), tomorrow,
                                         {attendee(QStringLiteral("bob@example.com"), QStringLiteral("accepted")),
                                          attendee(QStringLiteral("ALICE@EXAMPLE.COM"), QStringLiteral("needs-action"))})));
        QVERIFY(m_events->insert(meeting(QStringLiteral("home"), tomorrow.addSecs(3600),
                                         {attendee(QStringLiteral("Alice.Home@Mail.org"), QStringLiteral("needs-action"))})));
        // A username without "@" contributes no address.
        QVERIFY(m_events->insert(meeting(QStringLiteral("plain"), tomorrow,
                                         {attendee(QStringLiteral("alice"), QStringLiteral("needs-action"))})));
        QVERIFY(m_events->insert(meeting(QStringLiteral("others"), tomorrow,
                                         {attendee(QStringLiteral("carol@example.com"), QStringLiteral("needs-action"))})));

        const Invitations::Lists lists = service().pending();
        QCOMPARE(idsOf(lists.pending), (QStringList{QStringLiteral("work"), QStringLiteral("home")}));
        QVERIFY(lists.past.isEmpty());
        QCOMPARE(service().pendingCount(), 2);
    }

    void pendingAndPastFollowStatusAndEnd_data()
    {
        QTest::addColumn<qint64>("startOffset"); // seconds from now
        QTest::addColumn<bool>("hasEnd");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("eventStatus");
        QTest::addColumn<QString>("where"); // "pending", "past" or "none"

        QTest::newRow("future, unanswered") << 86400LL << true << "needs-action" << "confirmed" << "pending";
        QTest::newRow("upper-case NEEDS-ACTION") << 86400LL << true << "NEEDS-ACTION" << "confirmed" << "pending";
        QTest::newRow("future, accepted") << 86400LL << true << "accepted" << "confirmed" << "past";
        QTest::newRow("future, declined") << 86400LL << true << "declined" << "confirmed" << "past";
        QTest::newRow("ended, never answered") << -7200LL << true << "needs-action" << "confirmed" << "past";
        QTest::newRow("running now, unanswered") << -1800LL << true << "needs-action" << "confirmed" << "pending";
        QTest::newRow("no end, started a minute ago") << -60LL << false << "needs-action" << "confirmed" << "past";
        QTest::newRow("no end, starts in a minute") << 60LL << false << "needs-action" << "confirmed" << "pending";
        QTest::newRow("cancelled future") << 86400LL << true << "needs-action" << "cancelled" << "none";
        QTest::newRow("cancelled past") << -86400LL << true << "accepted" << "cancelled" << "none";
        QTest::newRow("tentative is answered") << 86400LL << true << "tentative" << "tentative" << "past";
    }

    void pendingAndPastFollowStatusAndEnd()
    {
        QFETCH(qint64, startOffset);
        QFETCH(bool, hasEnd);
        QFETCH(QString, status);
        QFETCH(QString, eventStatus);
        QFETCH(QString, where);

        Event e = meeting(QStringLiteral("m"), kNow.addSecs(startOffset),
                          {attendee(QStringLiteral("alice@example.com"), status)});
        if (!hasEnd)
            e.end_time.reset();
        e.status = eventStatus;
        QVERIFY(m_events->insert(e));

        const Invitations::Lists lists = service().pending();
        QCOMPARE(lists.pending.size(), where == QLatin1String("pending") ? 1 : 0);
        QCOMPARE(lists.past.size(), where == QLatin1String("past") ? 1 : 0);
    }

    void listsAreSortedSoonestAndNewestFirst()
    {
        const QList<Attendee> open{attendee(QStringLiteral("alice@example.com"), QStringLiteral("needs-action"))};
        const QList<Attendee> answered{attendee(QStringLiteral("alice@example.com"), QStringLiteral("accepted"))};
        QVERIFY(m_events->insert(meeting(QStringLiteral("p3"), kNow.addDays(30), open)));
        QVERIFY(m_events->insert(meeting(QStringLiteral("p1"), kNow.addDays(1), open)));
        QVERIFY(m_events->insert(meeting(QStringLiteral("p2"), kNow.addDays(7), open)));
        QVERIFY(m_events->insert(meeting(QStringLiteral("old"), kNow.addDays(-60), open)));
        QVERIFY(m_events->insert(meeting(QStringLiteral("yesterday"), kNow.addDays(-1), open)));
        QVERIFY(m_events->insert(meeting(QStringLiteral("later"), kNow.addDays(100), answered)));

        const Invitations::Lists lists = service().pending();
        QCOMPARE(idsOf(lists.pending), (QStringList{QStringLiteral("p1"), QStringLiteral("p2"), QStringLiteral("p3")}));
        QCOMPARE(idsOf(lists.past),
                 (QStringList{QStringLiteral("later"), QStringLiteral("yesterday"), QStringLiteral("old")}));
    }

    void hiddenCalendarsAndOutOfWindowEventsAreLeftOut()
    {
        const QList<Attendee> open{attendee(QStringLiteral("alice@example.com"), QStringLiteral("needs-action"))};
        QVERIFY(m_events->insert(meeting(QStringLiteral("hidden"), kNow.addDays(1), open, QStringLiteral("cal-hidden"))));
        QVERIFY(m_events->insert(meeting(QStringLiteral("too-old"), kNow.addDays(-91), open)));
        QVERIFY(m_events->insert(meeting(QStringLiteral("too-far"), kNow.addDays(366), open)));
        QVERIFY(m_events->insert(meeting(QStringLiteral("in"), kNow.addDays(364), open)));
        Event deleted = meeting(QStringLiteral("deleted"), kNow.addDays(2), open);
        QVERIFY(m_events->insert(deleted));
        QVERIFY(m_events->remove(deleted.id));

        const Invitations::Lists lists = service().pending();
        QCOMPARE(idsOf(lists.pending), QStringList{QStringLiteral("in")});
        QVERIFY(lists.past.isEmpty());
    }

    void recurringSeriesIsJudgedByItsStoredEvent()
    {
        const QList<Attendee> open{attendee(QStringLiteral("alice@example.com"), QStringLiteral("needs-action"))};
        Event weekly = meeting(QStringLiteral("weekly"), kNow.addDays(-200), open);
        weekly.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        QVERIFY(m_events->insert(weekly));
        Event upcoming = meeting(QStringLiteral("weekly-new"), kNow.addDays(3), open);
        upcoming.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=3");
        QVERIFY(m_events->insert(upcoming));

        const Invitations::Lists lists = service().pending();
        // The old master is read (masters are always in range) and its first
        // occurrence has ended, so the whole series counts as past.
        QCOMPARE(idsOf(lists.past), QStringList{QStringLiteral("weekly")});
        QCOMPARE(idsOf(lists.pending), QStringList{QStringLiteral("weekly-new")});
    }

    void nothingWithoutAddressesOrCalendars()
    {
        const QList<Attendee> open{attendee(QStringLiteral("alice@example.com"), QStringLiteral("needs-action"))};
        QVERIFY(m_events->insert(meeting(QStringLiteral("m"), kNow.addDays(1), open)));
        QCOMPARE(service().pendingCount(), 1);

        Calendar work = *m_calendars->getById(QStringLiteral("cal-work"));
        work.is_visible = false;
        QVERIFY(m_calendars->update(work));
        QCOMPARE(service().pendingCount(), 0);
        work.is_visible = true;
        QVERIFY(m_calendars->update(work));

        QVERIFY(m_accounts->remove(QStringLiteral("acc-home")));
        Account workAccount = *m_accounts->getById(QStringLiteral("acc-work"));
        workAccount.username = QStringLiteral("alice");
        QVERIFY(m_accounts->update(workAccount));
        QVERIFY(service().myEmails().isEmpty());
        QCOMPARE(service().pendingCount(), 0);

        Invitations::Service detached(nullptr, nullptr, nullptr);
        QVERIFY(detached.myEmails().isEmpty());
        QCOMPARE(detached.pendingCount(), 0);
        QVERIFY(!detached.respond(QStringLiteral("m"), QStringLiteral("alice@example.com"), QStringLiteral("accepted")));
    }

    void respondUpdatesEveryMatchingAttendeeAndMarksPending()
    {
        Event e = meeting(QStringLiteral("m"), kNow.addDays(1),
                          {attendee(QStringLiteral("alice@example.com"), QStringLiteral("needs-action")),
                           attendee(QStringLiteral("bob@example.com"), QStringLiteral("needs-action")),
                           attendee(QStringLiteral("ALICE@example.com"), QStringLiteral("needs-action"))});
        e.sync_status = SyncStatus::Synced;
        e.last_modified = QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
        QVERIFY(m_events->insert(e));
        QVERIFY(m_events->markSynced(e.id, QStringLiteral("/cal/m.ics"), QStringLiteral("\"1\"")));
        QCOMPARE(service().pendingCount(), 1);

        QSignalSpy changed(&service(), &Invitations::Service::invitationsChanged);
        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        QVERIFY(service().respond(e.id, QStringLiteral("Alice@Example.COM"), QStringLiteral("accepted")));
        QCOMPARE(changed.size(), 1);

        const Event stored = *m_events->getById(e.id);
        QCOMPARE(stored.sync_status, SyncStatus::Pending);
        QVERIFY(stored.last_modified >= before);
        int accepted = 0;
        for (const Attendee &a : stored.attendees) {
            if (a.email.compare(QLatin1String("alice@example.com"), Qt::CaseInsensitive) == 0) {
                QCOMPARE(a.status, QStringLiteral("accepted"));
                ++accepted;
            } else {
                QCOMPARE(a.status, QStringLiteral("needs-action"));
            }
        }
        QCOMPARE(accepted, 2);
        // The stored iCalendar text carries the answer as well.
        const QString raw = stored.raw_icalendar;
        QCOMPARE(raw.count(QStringLiteral("PARTSTAT=ACCEPTED")), 2);
        QCOMPARE(raw.count(QStringLiteral("PARTSTAT=NEEDS-ACTION")), 1);
        QCOMPARE(stored.sequence, e.sequence); // a reply is not a new version of the meeting

        const Invitations::Lists lists = service().pending();
        QVERIFY(lists.pending.isEmpty());
        QCOMPARE(idsOf(lists.past), QStringList{e.id});
    }

    void respondWithoutAMatchChangesNothing_data()
    {
        QTest::addColumn<QString>("eventId");
        QTest::addColumn<QString>("email");
        QTest::newRow("address of nobody invited") << "m" << "carol@example.com";
        QTest::newRow("empty address") << "m" << "";
        QTest::newRow("unknown event") << "nope" << "alice@example.com";
    }

    void respondWithoutAMatchChangesNothing()
    {
        QFETCH(QString, eventId);
        QFETCH(QString, email);

        Event e = meeting(QStringLiteral("m"), kNow.addDays(1),
                          {attendee(QStringLiteral("alice@example.com"), QStringLiteral("needs-action"))});
        QVERIFY(m_events->insert(e));
        QVERIFY(m_events->markSynced(e.id, QStringLiteral("/cal/m.ics"), QStringLiteral("\"1\"")));
        const Event before = *m_events->getById(e.id);

        QSignalSpy changed(&service(), &Invitations::Service::invitationsChanged);
        QVERIFY(!service().respond(eventId, email, QStringLiteral("declined")));
        QCOMPARE(changed.size(), 0);
        const Event after = *m_events->getById(e.id);
        QCOMPARE(after.sync_status, SyncStatus::Synced);
        QCOMPARE(after.last_modified, before.last_modified);
        QCOMPARE(after.attendees.first().status, QStringLiteral("needs-action"));
        QCOMPARE(after.raw_icalendar, before.raw_icalendar);
    }

    void repositoryChangesAnnounceInvitationChanges()
    {
        QSignalSpy changed(&service(), &Invitations::Service::invitationsChanged);
        QVERIFY(m_accounts->insert(account(QStringLiteral("acc-new"), QStringLiteral("a@b.c"))));
        QTRY_VERIFY(changed.size() >= 1);
        changed.clear();
        QVERIFY(m_events->insert(meeting(QStringLiteral("x"), kNow.addDays(1), {})));
        QTRY_COMPARE(changed.size(), 1); // after the repository's short coalescing delay
    }

private:
    Invitations::Service &service() { return *m_service; }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<CalendarRepository> m_calendars;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<Invitations::Service> m_service;
};

QTEST_GUILESS_MAIN(TestInvitationsService)
#include "tst_invitationsservice.moc"
