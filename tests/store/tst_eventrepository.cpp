#include "store/eventrepository.h"
#include "store/storedtime.h"
#include "tests/store/repositorychecks.h"
#include "tests/support/teststore.h"

#include <QRandomGenerator>
#include <QSet>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

#include <memory>

namespace {

const QString kCalA = QStringLiteral("cal-a");
const QString kCalB = QStringLiteral("cal-b");
const QString kCalC = QStringLiteral("cal-c");

QDateTime local(const QDate &day, int hour, int minute = 0)
{
    return QDateTime(day, QTime(hour, minute));
}

QDateTime utc(int y, int m, int d, int hour, int minute = 0)
{
    return QDateTime(QDate(y, m, d), QTime(hour, minute), QTimeZone::utc());
}

Event timed(const QString &id, const QDateTime &start, const std::optional<QDateTime> &end,
            const QString &calendarId = kCalA)
{
    Event e;
    e.id = id;
    e.uid = id;
    e.calendar_id = calendarId;
    e.title = QStringLiteral("Event ") + id;
    e.start_time = start;
    e.end_time = end;
    e.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    return e;
}

Event allDay(const QString &id, const QDate &first, const std::optional<QDate> &endExclusive)
{
    Event e = timed(id, QDateTime(first, QTime(0, 0)), std::nullopt);
    e.is_all_day = true;
    if (endExclusive)
        e.end_time = QDateTime(*endExclusive, QTime(0, 0));
    return e;
}

Reminder reminder(const QString &id, int minutes)
{
    Reminder r;
    r.id = id;
    r.minutes_before = minutes;
    return r;
}

Attendee attendee(const QString &id, const QString &email, const QString &name)
{
    Attendee a;
    a.id = id;
    a.email = email;
    a.name = name;
    return a;
}

QSet<QString> idsOf(const QList<Event> &events)
{
    QSet<QString> ids;
    for (const Event &e : events)
        ids.insert(e.id);
    return ids;
}

} // namespace

class TestEventRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        QVERIFY(seedLocalCalendars(m_store->db(), {kCalA, kCalB, kCalC}));
        m_repo = std::make_unique<EventRepository>(m_store->db());
    }

    void cleanup()
    {
        m_repo.reset();
        m_store.reset();
    }

    void insertKeepsEveryFieldAndChild()
    {
        Event e = timed(QStringLiteral("e1"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.provider_event_id = QStringLiteral("prov");
        e.etag = QStringLiteral("\"etag\"");
        e.href = QStringLiteral("/cal/e1.ics");
        e.description = QStringLiteral("Agenda: ünïcode");
        e.location = QStringLiteral("Room 1");
        e.geo_location = QStringLiteral("52.5;13.4");
        e.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        e.recurrence_dates = QStringLiteral("[]");
        e.exception_dates = QStringLiteral("[\"20240508T080000Z\"]");
        e.status = QStringLiteral("tentative");
        e.event_url = QStringLiteral("https://example.org/e1");
        e.conference_url = QStringLiteral("https://meet.example.org/x");
        e.organizer_email = QStringLiteral("boss@example.org");
        e.organizer_name = QStringLiteral("Boss");
        e.sequence = 4;
        e.color = QStringLiteral("#123456");
        e.created = utc(2024, 4, 1, 12);
        e.last_modified = utc(2024, 4, 2, 12);
        e.related_to_uid = QStringLiteral("task-uid");
        e.reminders = {reminder(QStringLiteral("r30"), 30), reminder(QStringLiteral("r5"), 5)};
        Attendee zed =
            attendee(QStringLiteral("a1"), QStringLiteral("zed@example.org"), QStringLiteral("Zed"));
        zed.role = QStringLiteral("optional");
        zed.status = QStringLiteral("accepted");
        zed.type = QStringLiteral("individual");
        zed.rsvp = true;
        e.attendees = {zed, attendee(QStringLiteral("a2"), QStringLiteral("amy@example.org"),
                                     QStringLiteral("Amy"))};
        QVERIFY(m_repo->insert(e));

        // Reminders come back by minutes with their trigger, attendees by name.
        Event expected = e;
        expected.reminders = {e.reminders.at(1), e.reminders.at(0)};
        expected.attendees = {e.attendees.at(1), e.attendees.at(0)};
        for (Reminder &r : expected.reminders) {
            r.event_id = e.id;
            r.trigger_time = e.start_time.addSecs(-60 * r.minutes_before);
        }
        for (Attendee &a : expected.attendees)
            a.event_id = e.id;
        QCOMPARE(stored(e.id), expected);

        // Texts never set are stored as NULL and read back empty.
        Event bare = timed(QStringLiteral("bare"), utc(2024, 5, 2, 8), std::nullopt);
        QVERIFY(m_repo->insert(bare));
        QCOMPARE(column(bare.id, QStringLiteral("description")), QStringLiteral("<null>"));
        QCOMPARE(column(bare.id, QStringLiteral("end_time")), QStringLiteral("<null>"));
        QVERIFY(stored(bare.id).description.isEmpty());
        QVERIFY(!stored(bare.id).end_time);
    }

    void storesInstantsInUtcAndAllDayAsDates()
    {
        // 23:30 local on a winter evening: the stored text is its UTC instant.
        const QDateTime evening = local(QDate(2024, 1, 15), 23, 30);
        QVERIFY(m_repo->insert(timed(QStringLiteral("t"), evening, evening.addSecs(1800))));
        QCOMPARE(column(QStringLiteral("t"), QStringLiteral("start_time")),
                 StoredTime::instant(evening));
        QVERIFY(column(QStringLiteral("t"), QStringLiteral("start_time")).endsWith(QLatin1Char('Z')));

        QVERIFY(m_repo->insert(allDay(QStringLiteral("d"), QDate(2026, 12, 6), QDate(2026, 12, 7))));
        QCOMPARE(column(QStringLiteral("d"), QStringLiteral("start_time")),
                 QStringLiteral("2026-12-06"));
        QCOMPARE(column(QStringLiteral("d"), QStringLiteral("end_time")), QStringLiteral("2026-12-07"));
        const std::optional<Event> day = m_repo->getById(QStringLiteral("d"));
        QVERIFY(day);
        QCOMPARE(day->start_time.date(), QDate(2026, 12, 6));
        QCOMPARE(day->end_time->date(), QDate(2026, 12, 7));

        // The stamps the repository writes itself are UTC too.
        QVERIFY(m_repo->remove(QStringLiteral("t")));
        QVERIFY(column(QStringLiteral("t"), QStringLiteral("deleted_at")).endsWith(QLatin1Char('Z')));
        QVERIFY(
            column(QStringLiteral("t"), QStringLiteral("last_modified")).endsWith(QLatin1Char('Z')));
    }

    void insertAndUpdateDefaultSyncStatus()
    {
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        // A record always carries a status now: an update writes it as it stands.
        QVERIFY(m_repo->insert(e));
        QCOMPARE(column(e.id, QStringLiteral("sync_status")), QStringLiteral("synced"));
        QVERIFY(m_repo->update(e));
        QCOMPARE(column(e.id, QStringLiteral("sync_status")), QStringLiteral("synced"));
    }

    void updateRewritesChildrenAndStampsModification()
    {
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.created = utc(2020, 1, 1, 0);
        e.last_modified = utc(2020, 1, 1, 0);
        e.reminders = {reminder(QStringLiteral("r1"), 10), reminder(QStringLiteral("r2"), 20)};
        e.attendees = {
            attendee(QStringLiteral("a1"), QStringLiteral("a@example.org"), QStringLiteral("A"))};
        QVERIFY(m_repo->insert(e));

        e.title = QStringLiteral("Renamed");
        e.created = utc(2023, 1, 1, 0);
        e.reminders = {reminder(QString(), 45)};
        e.attendees.clear();
        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        QVERIFY(m_repo->update(e));

        const std::optional<Event> read = m_repo->getById(e.id);
        QVERIFY(read);
        QCOMPARE(read->title, QStringLiteral("Renamed"));
        QCOMPARE(read->created, utc(2020, 1, 1, 0));
        QVERIFY(read->last_modified >= before);
        QCOMPARE(read->reminders.size(), 1);
        QCOMPARE(read->reminders.first().minutes_before, 45);
        QCOMPARE(read->reminders.first().id.size(), 36);
        QVERIFY(read->attendees.isEmpty());
    }

    void tombstonesHiddenFromDisplayReadsOnly()
    {
        Event e = timed(QStringLiteral("gone"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.title = QStringLiteral("Dentist");
        e.related_to_uid = QStringLiteral("task-1");
        e.reminders = {reminder(QStringLiteral("r"), 10)};
        e.attendees = {
            attendee(QStringLiteral("a"), QStringLiteral("a@example.org"), QStringLiteral("A"))};
        QVERIFY(m_repo->insert(e));
        QVERIFY(m_repo->remove(e.id));

        const std::optional<Event> byId = m_repo->getById(e.id);
        QVERIFY(byId);
        QVERIFY(byId->deleted_at);
        QCOMPARE(byId->sync_status, SyncStatus::Pending);
        QCOMPARE(byId->reminders.size(), 1);
        QCOMPARE(byId->attendees.size(), 1);
        QVERIFY(m_repo->getByUid(e.uid, kCalA));
        QVERIFY(m_repo->getByUidAndRecurrenceId(e.uid, kCalA, QString()));
        QCOMPARE(idsOf(m_repo->getPending(kCalA)), QSet<QString>{e.id});

        QVERIFY(m_repo->getByCalendar(kCalA).isEmpty());
        QVERIFY(m_repo->getInRange(utc(2024, 5, 1, 0), utc(2024, 5, 2, 0)).isEmpty());
        QVERIFY(m_repo->search(QStringLiteral("Dentist"), 10).isEmpty());
        QVERIFY(m_repo->getRelatedTo(QStringLiteral("task-1")).isEmpty());
    }

    void restoreClearsTombstoneAndDropsServerIdsOnlyOfAVanishedRow_data()
    {
        QTest::addColumn<bool>("hardDeleted");
        QTest::newRow("tombstone cleared, server ids kept") << false;
        QTest::newRow("vanished row inserted again without server ids") << true;
    }

    void restoreClearsTombstoneAndDropsServerIdsOnlyOfAVanishedRow()
    {
        QFETCH(bool, hardDeleted);
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.provider_event_id = QStringLiteral("g-1");
        e.etag = QStringLiteral("etag-1");
        e.href = QStringLiteral("/e.ics");
        e.reminders = {reminder(QStringLiteral("r"), 10)};
        e.attendees = {attendee(QStringLiteral("a"), QStringLiteral("a@example.org"), QStringLiteral("A"))};
        QVERIFY(m_repo->insert(e));
        const Event captured = stored(e.id);
        QVERIFY(m_repo->remove(e.id));
        if (hardDeleted)
            QVERIFY(m_repo->hardDelete(e.id));

        QVERIFY(m_repo->restore(captured));
        const Event read = stored(e.id);
        Event expected = captured;
        expected.sync_status = SyncStatus::Pending;
        expected.last_modified = read.last_modified;
        if (hardDeleted) {
            expected.provider_event_id.clear();
            expected.etag.clear();
            expected.href.clear();
        }
        QCOMPARE(read, expected);
        QCOMPARE(m_repo->getByCalendar(kCalA).size(), 1);
    }

    void hardDeleteRemovesRowAndChildren()
    {
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.reminders = {reminder(QStringLiteral("r"), 10)};
        e.attendees = {
            attendee(QStringLiteral("a"), QStringLiteral("a@example.org"), QStringLiteral("A"))};
        QVERIFY(m_repo->insert(e));
        QSqlQuery attach(m_store->db()->database());
        QVERIFY(attach.exec(QStringLiteral(
            "INSERT INTO attachments (id, event_id, filename) VALUES ('f', 'e', 'x.pdf')")));

        QVERIFY(m_repo->hardDelete(e.id));
        QVERIFY(!m_repo->getById(e.id));
        for (const char *table : {"reminders", "attendees", "attachments"}) {
            QCOMPARE(m_store->count(QLatin1String(table)), 0);
        }
    }

    void writesToAnUnknownIdFail_data()
    {
        QTest::addColumn<QString>("operation");
        for (const char *operation : {"update", "remove", "hardDelete", "markSynced"})
            QTest::newRow(operation) << QString::fromLatin1(operation);
    }

    void writesToAnUnknownIdFail()
    {
        QFETCH(QString, operation);
        const Event ghost = timed(QStringLiteral("ghost"), utc(2024, 5, 1, 8), std::nullopt);
        bool ok = true;
        if (operation == QLatin1String("update"))
            ok = m_repo->update(ghost);
        else if (operation == QLatin1String("remove"))
            ok = m_repo->remove(ghost.id);
        else if (operation == QLatin1String("hardDelete"))
            ok = m_repo->hardDelete(ghost.id);
        else
            ok = m_repo->markSynced(ghost.id, QStringLiteral("/x.ics"), QStringLiteral("\"1\""));
        QVERIFY(!ok);
        QVERIFY(!changeAnnouncementPending(m_repo.get()));
        QCOMPARE(column(ghost.id, QStringLiteral("id")), QStringLiteral("<no row>"));
    }

    void markSyncedChangesOnlySyncFields()
    {
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.sync_status = SyncStatus::Pending;
        e.last_modified = utc(2021, 3, 3, 3);
        e.reminders = {reminder(QStringLiteral("r"), 10)};
        QVERIFY(m_repo->insert(e));
        QVERIFY(m_repo->remove(e.id));
        Event expected = stored(e.id);

        QVERIFY(m_repo->markSynced(e.id, QStringLiteral("/new.ics"), QStringLiteral("etag-2")));
        expected.href = QStringLiteral("/new.ics");
        expected.etag = QStringLiteral("etag-2");
        expected.sync_status = SyncStatus::Synced;
        QCOMPARE(stored(e.id), expected);
    }

    // A pushed row's answer writes its sync columns only; a row changed
    // since the push read it, in its own columns or its child rows, keeps
    // the provider's id and version but stays pending with its sync base.
    void recordPushedStoresOnlyTheAnswer_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("answerId");
        QTest::addColumn<QString>("answerEtag");
        QTest::addColumn<QString>("answerText");
        QTest::addColumn<bool>("synced");
        QTest::newRow("unchanged") << QString() << "p-2" << "etag-2" << "{\"id\":\"p-2\"}" << true;
        QTest::newRow("answer names nothing") << QString() << QString() << QString() << QString() << true;
        QTest::newRow("title changed") << "UPDATE events SET title = 'later' WHERE id = 'e'"
                                       << "p-2" << "etag-2" << "{\"id\":\"p-2\"}" << false;
        QTest::newRow("reminder removed") << "DELETE FROM reminders WHERE event_id = 'e'"
                                          << "p-2" << "etag-2" << "{\"id\":\"p-2\"}" << false;
    }

    void recordPushedStoresOnlyTheAnswer()
    {
        QFETCH(QString, change);
        QFETCH(QString, answerId);
        QFETCH(QString, answerEtag);
        QFETCH(QString, answerText);
        QFETCH(bool, synced);
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.provider_event_id = QStringLiteral("p-1");
        e.etag = QStringLiteral("etag-1");
        e.reminders = {reminder(QStringLiteral("r"), 10)};
        QVERIFY(m_repo->insert(e));
        e.title = QStringLiteral("edited");
        e.sync_status = SyncStatus::Pending;
        QVERIFY(m_repo->update(e));
        const Event pushed = stored(e.id);
        const std::optional<EventSyncBase> base = m_repo->syncBase(e.id);
        QVERIFY(base);
        if (!change.isEmpty())
            QVERIFY(m_store->exec(change));
        Event expected = stored(e.id);

        QCOMPARE(m_repo->recordPushed(pushed, answerId, answerEtag, answerText),
                 synced ? EventRepository::PushRecord::Synced : EventRepository::PushRecord::ChangedMeanwhile);
        const Event after = stored(e.id);
        QVERIFY(after.last_modified.secsTo(QDateTime::currentDateTimeUtc()) < 60);
        expected.last_modified = after.last_modified;
        expected.provider_event_id = answerId.isEmpty() ? pushed.provider_event_id : answerId;
        expected.etag = answerEtag.isEmpty() ? pushed.etag : answerEtag;
        if (synced) {
            expected.sync_status = SyncStatus::Synced;
            if (!answerText.isEmpty())
                expected.raw_icalendar = answerText;
        }
        QCOMPARE(after, expected);
        QCOMPARE(m_repo->syncBase(e.id), synced ? std::nullopt : base);
        QCOMPARE(m_repo->recordPushed(timed(QStringLiteral("gone"), utc(2024, 5, 1, 8), std::nullopt), answerId,
                                      answerEtag, answerText),
                 EventRepository::PushRecord::Gone);
    }

    // A conflict needs the copy the local edits started from: kept on the
    // first local edit of a synced row, not moved by later edits, gone once
    // the row is synced again or deleted.
    void syncBaseIsTheSyncedCopyTheLocalEditsStartedFrom()
    {
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.etag = QStringLiteral("etag-1");
        e.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nX-COPY:server\r\nEND:VCALENDAR\r\n");
        QVERIFY(m_repo->insert(e));
        QCOMPARE(m_repo->syncBase(e.id), std::nullopt);

        const EventSyncBase started{QStringLiteral("etag-1"), e.raw_icalendar};
        for (const QString &edit : {QStringLiteral("first"), QStringLiteral("second")}) {
            e.title = edit;
            e.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nX-COPY:") + edit + QStringLiteral("\r\nEND:VCALENDAR\r\n");
            e.sync_status = SyncStatus::Pending;
            QVERIFY(m_repo->update(e));
            QCOMPARE(m_repo->syncBase(e.id), std::optional<EventSyncBase>(started));
        }
        QVERIFY(m_repo->markSynced(e.id, QStringLiteral("/e.ics"), QStringLiteral("etag-2")));
        QCOMPARE(m_repo->syncBase(e.id), std::nullopt);

        QVERIFY(m_repo->remove(e.id));
        QCOMPARE(m_repo->syncBase(e.id)->etag, QStringLiteral("etag-2"));
        QVERIFY(m_repo->hardDelete(e.id));
        QCOMPARE(m_store->count(QStringLiteral("event_sync_bases")), 0);
    }

    // What an upload sent is kept for every row it went with: beside the
    // base of an edit of a synced row, alone for a row no server held yet
    // (which is then no base), and as "left out" for a deletion. It goes
    // with the base: once the row is synced, or the base replaced.
    void sentCopyIsKeptForEveryRowOfAnUpload()
    {
        Event edited = timed(QStringLiteral("edited"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        edited.etag = QStringLiteral("etag-1");
        edited.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nX-COPY:server\r\nEND:VCALENDAR\r\n");
        Event deleted = edited;
        deleted.id = deleted.uid = QStringLiteral("deleted");
        Event created = timed(QStringLiteral("created"), utc(2024, 5, 2, 8), utc(2024, 5, 2, 9));
        created.sync_status = SyncStatus::Pending;
        for (const Event &row : {edited, deleted, created})
            QVERIFY(m_repo->insert(row));
        edited.sync_status = SyncStatus::Pending;
        QVERIFY(m_repo->update(edited));
        QVERIFY(m_repo->remove(deleted.id));

        const QString sentText = QStringLiteral("BEGIN:VCALENDAR\r\nX-COPY:sent\r\nEND:VCALENDAR\r\n");
        QVERIFY(m_repo->keepSentCopy(edited.id, {QStringLiteral("etag-1"), sentText}));
        QVERIFY(m_repo->keepSentCopy(deleted.id, {QStringLiteral("etag-1"), QString()}));
        QVERIFY(m_repo->keepSentCopy(created.id, {QString(), sentText}));
        QCOMPARE(m_repo->sentCopy(edited.id), std::optional<EventSyncBase>({QStringLiteral("etag-1"), sentText}));
        QCOMPARE(m_repo->sentCopy(created.id), std::optional<EventSyncBase>({QString(), sentText}));
        QCOMPARE(m_repo->sentCopy(deleted.id), std::nullopt);
        QCOMPARE(m_repo->syncBase(created.id), std::nullopt);
        QCOMPARE(m_repo->syncBase(edited.id)->raw_icalendar, edited.raw_icalendar);

        const std::optional<QHash<QString, EventSentCopy>> copies =
            m_repo->sentCopies({edited.id, deleted.id, created.id, QStringLiteral("none")});
        QVERIFY(copies);
        QCOMPARE(copies->size(), 3);
        QCOMPARE(copies->value(edited.id).base, edited.raw_icalendar);
        QCOMPARE(copies->value(edited.id).sent.raw_icalendar, sentText);
        QVERIFY(copies->value(deleted.id).sent.raw_icalendar.isEmpty());
        QCOMPARE(copies->value(deleted.id).sent.etag, QStringLiteral("etag-1"));
        QCOMPARE(copies->value(deleted.id).base, edited.raw_icalendar);
        QVERIFY(copies->value(created.id).base.isEmpty());
        QCOMPARE(copies->value(created.id).sent.raw_icalendar, sentText);

        QVERIFY(m_repo->markSynced(created.id, QStringLiteral("/created.ics"), QStringLiteral("etag-9")));
        QVERIFY(m_repo->keepSyncBase(edited.id, {QString(), sentText}));
        QCOMPARE(m_repo->sentCopies({edited.id, created.id})->size(), 0);
    }

    // A move's link reads from either end and goes with either row; a copy
    // moved on hands the original's link on to its own copy.
    void moveLinkGoesWithEitherRow_data() { RepositoryChecks::moveLinkRows(); }

    void moveLinkGoesWithEitherRow()
    {
        RepositoryChecks::moveLinkGoesWith(m_repo.get(), m_store.get(), QStringLiteral("event_moves"),
                                           timed(QStringLiteral("original"), utc(2024, 5, 1, 8), std::nullopt, kCalA),
                                           timed(QStringLiteral("copy"), utc(2024, 5, 1, 8), std::nullopt, kCalB),
                                           timed(QStringLiteral("next"), utc(2024, 5, 1, 8), std::nullopt, kCalC));
    }

    void burstOfWritesGivesOneSignalWithLastCalendar()
    {
        QSignalSpy spy(m_repo.get(), &EventRepository::eventsChanged);
        QVERIFY(m_repo->insert(timed(QStringLiteral("1"), utc(2024, 5, 1, 8), std::nullopt, kCalA)));
        QVERIFY(m_repo->insert(timed(QStringLiteral("2"), utc(2024, 5, 1, 9), std::nullopt, kCalB)));
        QVERIFY(m_repo->insert(timed(QStringLiteral("3"), utc(2024, 5, 1, 10), std::nullopt, kCalC)));
        QCOMPARE(spy.count(), 0);
        QTRY_VERIFY(!changeAnnouncementPending(m_repo.get()));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toString(), kCalC);

        // Writes further apart than the timer give one signal each.
        QVERIFY(m_repo->remove(QStringLiteral("1")));
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).first().toString(), kCalA);
        QVERIFY(m_repo->markSynced(QStringLiteral("2"), QStringLiteral("/2.ics"), QStringLiteral("e")));
        QTRY_COMPARE(spy.count(), 3);
        QCOMPARE(spy.at(2).first().toString(), kCalB);
    }

    void failedWriteEmitsNothing()
    {
        QSignalSpy spy(m_repo.get(), &EventRepository::eventsChanged);
        Event noCalendar =
            timed(QStringLiteral("x"), utc(2024, 5, 1, 8), std::nullopt, QStringLiteral("missing"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^EventRepository::insert failed:")));
        QVERIFY(!m_repo->insert(noCalendar));
        QVERIFY(!changeAnnouncementPending(m_repo.get()));
        QCOMPARE(spy.count(), 0);
    }

    void notifyChangedEmitsWithoutWrite()
    {
        QSignalSpy spy(m_repo.get(), &EventRepository::eventsChanged);
        m_repo->notifyChanged(kCalB);
        m_repo->notifyChanged(kCalC);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toString(), kCalC);
    }

    void rangeNearMidnight_data()
    {
        QTest::addColumn<QDate>("day");
        // Ordinary days and the days the test zones change their clocks.
        QTest::newRow("summer day") << QDate(2024, 6, 15);
        QTest::newRow("new york spring forward") << QDate(2024, 3, 10);
        QTest::newRow("new york fall back") << QDate(2024, 11, 3);
        QTest::newRow("berlin spring forward") << QDate(2024, 3, 31);
        QTest::newRow("adelaide fall back") << QDate(2024, 4, 7);
        QTest::newRow("adelaide spring forward") << QDate(2024, 10, 6);
    }

    void rangeNearMidnight()
    {
        QFETCH(QDate, day);
        const QDate before = day.addDays(-1);
        const QDate after = day.addDays(1);
        const QDateTime midnight = local(day, 0);
        const QDateTime nextMidnight = local(after, 0);

        const QList<Event> events = {
            timed(QStringLiteral("late"), local(day, 23, 30), local(day, 23, 59)),
            timed(QStringLiteral("starts-at-to"), nextMidnight, local(after, 0, 30)),
            timed(QStringLiteral("crosses-midnight"), local(before, 23), local(day, 0, 15)),
            timed(QStringLiteral("ends-at-from"), local(before, 22), midnight),
            timed(QStringLiteral("no-end-at-from"), midnight, std::nullopt),
            timed(QStringLiteral("zero-length-at-from"), midnight, midnight),
            timed(QStringLiteral("no-end-day-before"), local(before, 12), std::nullopt),
            allDay(QStringLiteral("all-day"), day, after),
            allDay(QStringLiteral("all-day-no-end"), day, std::nullopt),
            allDay(QStringLiteral("all-day-before"), before, day),
            allDay(QStringLiteral("all-day-three"), before, after.addDays(1)),
        };
        for (const Event &e : events)
            QVERIFY2(m_repo->insert(e), qPrintable(e.id));

        const QSet<QString> expectedDay = {
            QStringLiteral("late"),           QStringLiteral("crosses-midnight"),
            QStringLiteral("no-end-at-from"), QStringLiteral("zero-length-at-from"),
            QStringLiteral("all-day"),        QStringLiteral("all-day-no-end"),
            QStringLiteral("all-day-three")};
        const QSet<QString> expectedBefore = {
            QStringLiteral("crosses-midnight"), QStringLiteral("ends-at-from"),
            QStringLiteral("no-end-day-before"), QStringLiteral("all-day-before"),
            QStringLiteral("all-day-three")};
        const QSet<QString> expectedAfter = {QStringLiteral("starts-at-to"),
                                             QStringLiteral("all-day-three")};

        QCOMPARE(idsOf(m_repo->getInRange(midnight, nextMidnight)), expectedDay);
        QCOMPARE(idsOf(m_repo->getInRange(local(before, 0), midnight)), expectedBefore);
        QCOMPARE(idsOf(m_repo->getInRange(nextMidnight, local(after.addDays(1), 0))), expectedAfter);

        // The whole three days at once, in start order.
        const QList<Event> all = m_repo->getInRange(local(before, 0), local(after.addDays(1), 0));
        QCOMPARE(all.size(), events.size());
    }

    void rangeBoundsInAnotherZoneMeanTheSameInstants()
    {
        const QDate day(2024, 7, 4);
        QVERIFY(m_repo->insert(timed(QStringLiteral("a"), local(day, 0, 10), local(day, 0, 20))));
        QVERIFY(m_repo->insert(
            timed(QStringLiteral("b"), local(day, 23, 50), local(day.addDays(1), 0, 5))));
        QVERIFY(m_repo->insert(
            timed(QStringLiteral("c"), local(day.addDays(1), 0, 5), local(day.addDays(1), 1))));

        const QDateTime from = local(day, 0);
        const QDateTime to = local(day.addDays(1), 0);
        const QSet<QString> expected = {QStringLiteral("a"), QStringLiteral("b")};
        QCOMPARE(idsOf(m_repo->getInRange(from, to)), expected);
        for (const QByteArray &zone :
             {QByteArray("UTC"), QByteArray("Asia/Tokyo"), QByteArray("America/New_York")}) {
            const QTimeZone tz(zone);
            QCOMPARE(idsOf(m_repo->getInRange(from.toTimeZone(tz), to.toTimeZone(tz))), expected);
        }
    }

    void rangeKeepsRecurringMastersAndDropsEndedEvents()
    {
        const QDateTime from = utc(2024, 6, 1, 0);
        const QDateTime to = utc(2024, 6, 8, 0);
        Event master = timed(QStringLiteral("master"), utc(2020, 1, 6, 9), utc(2020, 1, 6, 10));
        master.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        Event recurringEndsAtFrom =
            timed(QStringLiteral("rec-ends-at-from"), utc(2024, 5, 31, 23), from);
        recurringEndsAtFrom.recurrence_rule = QStringLiteral("FREQ=DAILY");
        Event allDayMaster =
            allDay(QStringLiteral("all-day-master"), QDate(2019, 3, 1), QDate(2019, 3, 2));
        allDayMaster.recurrence_rule = QStringLiteral("FREQ=YEARLY");
        Event futureMaster = timed(QStringLiteral("future-master"), to, to.addSecs(3600));
        futureMaster.recurrence_rule = QStringLiteral("FREQ=DAILY");

        for (const Event &e : {master, recurringEndsAtFrom, allDayMaster, futureMaster,
                               timed(QStringLiteral("ended"), utc(2024, 5, 31, 22), from),
                               timed(QStringLiteral("old-no-end"), utc(2023, 6, 1, 0), std::nullopt),
                               timed(QStringLiteral("long"), utc(2024, 5, 1, 0), utc(2024, 7, 1, 0))})
            QVERIFY(m_repo->insert(e));

        const QSet<QString> expected = {QStringLiteral("master"), QStringLiteral("rec-ends-at-from"),
                                        QStringLiteral("all-day-master"), QStringLiteral("long")};
        QCOMPARE(idsOf(m_repo->getInRange(from, to)), expected);
    }

    void rangeFiltersByCalendar()
    {
        QVERIFY(
            m_repo->insert(timed(QStringLiteral("a"), utc(2024, 6, 3, 9), utc(2024, 6, 3, 10), kCalA)));
        QVERIFY(
            m_repo->insert(timed(QStringLiteral("b"), utc(2024, 6, 3, 9), utc(2024, 6, 3, 10), kCalB)));
        QVERIFY(
            m_repo->insert(timed(QStringLiteral("c"), utc(2024, 6, 3, 9), utc(2024, 6, 3, 10), kCalC)));
        const QDateTime from = utc(2024, 6, 3, 0);
        const QDateTime to = utc(2024, 6, 4, 0);
        QCOMPARE(idsOf(m_repo->getInRange(from, to)).size(), 3);
        QCOMPARE(idsOf(m_repo->getInRange(from, to, {kCalA, kCalC})),
                 (QSet<QString>{QStringLiteral("a"), QStringLiteral("c")}));
        QCOMPARE(idsOf(m_repo->getInRange(from, to, {kCalB})), QSet<QString>{QStringLiteral("b")});
    }

    void rangeQueryScansAnIndex_data()
    {
        QTest::addColumn<int>("calendars");
        QTest::addColumn<QString>("index");
        QTest::newRow("all calendars") << 0 << QStringLiteral("idx_events_start_time");
        QTest::newRow("two calendars") << 2 << QStringLiteral("idx_events_calendar_start");
    }

    void rangeQueryScansAnIndex()
    {
        QFETCH(int, calendars);
        QFETCH(QString, index);
        const QDateTime from = utc(2024, 6, 1, 0);
        const QStringList ids = QStringList{kCalA, kCalB}.mid(0, calendars);
        QVERIFY(m_repo->getInRange(from, from.addDays(7), ids).isEmpty());
        QSqlQuery plan(m_store->db()->database());
        QVERIFY(plan.prepare(QStringLiteral("EXPLAIN QUERY PLAN ")
                             + EventRepository::rangeStatement(calendars, true)));
        for (const QVariant &value : EventRepository::rangeBinds(from, from.addDays(7), ids, true))
            plan.addBindValue(value);
        QVERIFY2(plan.exec(), qPrintable(plan.lastError().text()));
        QStringList details;
        while (plan.next())
            details.append(plan.value(3).toString());
        const QString joined = details.join(QLatin1Char('\n'));
        QVERIFY2(joined.contains(index), qPrintable(joined));
        QVERIFY2(!joined.contains(QLatin1String("SCAN events")), qPrintable(joined));
    }

    // The bounded range read visits only rows near the range; for random
    // stores, with events made longer or recurring after the first read, it
    // finds exactly what the statement visiting every earlier row finds.
    void boundedRangeMatchesTheFullScan()
    {
        QRandomGenerator random(7);
        const QDateTime origin = utc(2024, 1, 1, 0);
        const QStringList calendars = {kCalA, kCalB, kCalC};
        const auto randomEvent = [&](int n, int longestDays) {
            const QDateTime start = origin.addSecs(900LL * random.bounded(4 * 24 * 200));
            const qint64 length = 900LL * random.bounded(4 * 24 * longestDays + 1);
            Event e = random.bounded(3) == 0
                ? allDay(QString::number(n), start.date(), start.date().addDays(1 + length / 86400))
                : timed(QString::number(n), start, start.addSecs(length));
            e.calendar_id = calendars.at(n % 3);
            if (random.bounded(10) == 0)
                e.recurrence_rule = QStringLiteral("FREQ=MONTHLY");
            if (random.bounded(20) == 0)
                e.end_time.reset();
            return e;
        };
        const auto compareRanges = [&]() {
            for (int i = 0; i < 40; ++i) {
                const QDateTime from = origin.addSecs(3600LL * random.bounded(24 * 220)).toLocalTime();
                const QDateTime to = from.addSecs(3600LL * (1 + random.bounded(24 * 40)));
                const QStringList ids = calendars.mid(random.bounded(3), random.bounded(3));
                QStringList bounded;
                for (const Event &e : m_repo->getInRange(from, to, ids))
                    bounded.append(e.id);
                QStringList full;
                QSqlQuery query(m_store->db()->database());
                query.prepare(EventRepository::rangeStatement(ids.size(), false));
                for (const QVariant &value : EventRepository::rangeBinds(from, to, ids, false))
                    query.addBindValue(value);
                QVERIFY(query.exec());
                while (query.next())
                    full.append(query.value(0).toString());
                bounded.sort();
                full.sort();
                QCOMPARE(bounded, full);
            }
        };

        for (int n = 0; n < 300; ++n)
            QVERIFY(m_repo->insert(randomEvent(n, 3)));
        compareRanges();
        if (QTest::currentTestFailed())
            return;
        // Longer events arrive after the first read: new rows, changed rows.
        for (int n = 300; n < 320; ++n)
            QVERIFY(m_repo->insert(randomEvent(n, 30)));
        compareRanges();
        if (QTest::currentTestFailed())
            return;
        for (int n = 0; n < 300; n += 15)
            QVERIFY(m_repo->update(randomEvent(n, 60)));
        QVERIFY(m_repo->hardDelete(QStringLiteral("1")));
        compareRanges();
    }

    // List reads bind all ids as one JSON array.
    void listReadsFindChildrenOfIdsWithQuotes()
    {
        Event e = timed(QStringLiteral("a \"quoted\" \\ id\t"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.reminders = {reminder(QStringLiteral("r"), 10)};
        QVERIFY(m_repo->insert(e));
        const QList<Event> events = m_repo->getByCalendar(kCalA);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().reminders.size(), 1);
    }

    void readConvertsTimedEventsToTheirZone_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QTime>("wallClock");
        QTest::newRow("berlin") << QStringLiteral("Europe/Berlin") << QTime(10, 0);
        QTest::newRow("utc") << QStringLiteral("UTC") << QTime(8, 0);
        QTest::newRow("empty") << QString() << QTime(8, 0);
        QTest::newRow("unknown zone") << QStringLiteral("Mars/Olympus") << QTime(8, 0);
    }

    void readConvertsTimedEventsToTheirZone()
    {
        QFETCH(QString, zone);
        QFETCH(QTime, wallClock);
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.timezone = zone.isNull() ? QStringLiteral("") : zone;
        QVERIFY(m_repo->insert(e));
        const std::optional<Event> read = m_repo->getById(e.id);
        QVERIFY(read);
        QCOMPARE(read->start_time, e.start_time);
        QCOMPARE(read->start_time.time(), wallClock);
        QCOMPARE(*read->end_time, *e.end_time);

        // An all-day event keeps its date whatever its zone.
        Event day = allDay(QStringLiteral("d"), QDate(2024, 5, 1), QDate(2024, 5, 2));
        day.timezone = e.timezone;
        QVERIFY(m_repo->insert(day));
        QCOMPARE(m_repo->getById(day.id)->start_time.date(), QDate(2024, 5, 1));
    }

    void reminderTriggerFollowsMovedEvent()
    {
        const QDateTime start = utc(2030, 1, 10, 10);
        Event e = timed(QStringLiteral("e"), start, start.addSecs(3600));
        Reminder stale = reminder(QStringLiteral("r"), 15);
        stale.trigger_time = utc(2029, 12, 1, 0);
        e.reminders = {stale};
        QVERIFY(m_repo->insert(e));
        QCOMPARE(m_repo->getById(e.id)->reminders.first().trigger_time, start.addSecs(-15 * 60));

        // Moved by a day: the reminder moves with it.
        Event moved = *m_repo->getById(e.id);
        moved.start_time = start.addDays(1);
        moved.end_time = start.addDays(1).addSecs(3600);
        QVERIFY(m_repo->update(moved));
        QCOMPARE(column(e.id, QStringLiteral("start_time")), QStringLiteral("2030-01-11T10:00:00Z"));
        const Reminder read = m_repo->getById(e.id)->reminders.first();
        QCOMPARE(read.trigger_time, start.addDays(1).addSecs(-15 * 60));

        // An all-day event reminds before its local midnight.
        Event day = allDay(QStringLiteral("d"), QDate(2030, 2, 1), QDate(2030, 2, 2));
        day.reminders = {reminder(QStringLiteral("rd"), 60)};
        QVERIFY(m_repo->insert(day));
        QCOMPARE(m_repo->getById(day.id)->reminders.first().trigger_time,
                 local(QDate(2030, 1, 31), 23));
    }

    void acknowledgedClearedWhenTriggerMovesIntoFuture_data()
    {
        QTest::addColumn<int>("fromDays");
        QTest::addColumn<int>("toDays");
        QTest::addColumn<bool>("acknowledged");
        QTest::newRow("past to future") << -2 << 2 << false;
        QTest::newRow("future to later future") << 2 << 3 << false;
        QTest::newRow("unchanged future") << 2 << 2 << true;
        QTest::newRow("past to other past") << -3 << -2 << true;
    }

    void acknowledgedClearedWhenTriggerMovesIntoFuture()
    {
        QFETCH(int, fromDays);
        QFETCH(int, toDays);
        QFETCH(bool, acknowledged);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const QDateTime start = QDateTime(now.date(), QTime(12, 0), QTimeZone::utc()).addDays(fromDays);
        Event e = timed(QStringLiteral("e"), start, start.addSecs(3600));
        e.reminders = {reminder(QStringLiteral("r"), 10)};
        QVERIFY(m_repo->insert(e));
        // What the reminder poll does once it has shown the reminder.
        QSqlQuery ack(m_store->db()->database());
        QVERIFY(ack.exec(QStringLiteral("UPDATE reminders SET acknowledged = 1")));

        Event moved = *m_repo->getById(e.id);
        QVERIFY(moved.reminders.first().acknowledged);
        moved.start_time = start.addDays(toDays - fromDays);
        moved.end_time = moved.start_time.addSecs(3600);
        QVERIFY(m_repo->update(moved));
        QCOMPARE(m_repo->getById(e.id)->reminders.first().acknowledged, acknowledged);
    }

    void rewriteDoesNotShowAcknowledgedReminderAgain()
    {
        // Shown ten minutes ago for an event that starts in five minutes.
        const QDateTime start = QDateTime::currentDateTimeUtc().addSecs(5 * 60);
        Event e = timed(QStringLiteral("e"), start, start.addSecs(3600));
        e.reminders = {reminder(QStringLiteral("r"), 15)};
        QVERIFY(m_repo->insert(e));
        const Event readBeforeShown = *m_repo->getById(e.id);
        QSqlQuery ack(m_store->db()->database());
        QVERIFY(ack.exec(QStringLiteral("UPDATE reminders SET acknowledged = 1")));

        // An edit of a record read before the reminder was shown.
        Event edit = readBeforeShown;
        edit.title = QStringLiteral("Renamed");
        QVERIFY(m_repo->update(edit));
        QVERIFY(m_repo->getById(e.id)->reminders.first().acknowledged);

        // A sync pull that replaces the alarms with fresh rows of the same offset.
        Event pulled = edit;
        pulled.reminders = {reminder(QString(), 15)};
        QVERIFY(m_repo->update(pulled));
        const Reminder after = m_repo->getById(e.id)->reminders.first();
        QVERIFY(after.id != QStringLiteral("r"));
        QVERIFY(after.acknowledged);

        // A new offset is a new reminder.
        pulled.reminders = {reminder(QString(), 2)};
        QVERIFY(m_repo->update(pulled));
        QVERIFY(!m_repo->getById(e.id)->reminders.first().acknowledged);
    }

    void failedChildInsertRollsBackNewEvent()
    {
        QSignalSpy spy(m_repo.get(), &EventRepository::eventsChanged);
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.reminders = {reminder(QStringLiteral("r"), 10)};
        // An attendee without an address breaks the table's NOT NULL rule.
        e.attendees = {attendee(QStringLiteral("a"), QString(), QStringLiteral("Nobody"))};
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^writeAttendeeRows insert failed:")));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^EventRepository::insert failed:")));
        QVERIFY(!m_repo->insert(e));
        QVERIFY(!m_repo->getById(e.id));
        QCOMPARE(m_store->count(QStringLiteral("reminders")), 0);
        QVERIFY(!changeAnnouncementPending(m_repo.get()));
        QCOMPARE(spy.count(), 0);

        // The same event without the broken attendee stores normally afterwards.
        e.attendees.clear();
        QVERIFY(m_repo->insert(e));
        QCOMPARE(m_repo->getById(e.id)->reminders.size(), 1);
    }

    void failedChildWriteKeepsPreviousVersion_data()
    {
        QTest::addColumn<bool>("deleteRefused");
        QTest::addColumn<QString>("failure");
        QTest::newRow("second reminder breaks the primary key") << false << "insert";
        QTest::newRow("old reminders cannot be deleted") << true << "delete";
    }

    void failedChildWriteKeepsPreviousVersion()
    {
        QFETCH(bool, deleteRefused);
        QFETCH(QString, failure);
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.reminders = {reminder(QStringLiteral("r1"), 10)};
        e.attendees = {attendee(QStringLiteral("a1"), QStringLiteral("a@example.org"), QStringLiteral("A"))};
        QVERIFY(m_repo->insert(e));
        const Event before = stored(e.id);
        if (deleteRefused)
            QVERIFY(m_store->exec(QStringLiteral("CREATE TEMP TRIGGER block_reminder_delete BEFORE DELETE ON "
                                                 "reminders BEGIN SELECT RAISE(ABORT, 'locked'); END")));

        Event edit = e;
        edit.title = QStringLiteral("Edited");
        edit.attendees.clear();
        edit.reminders = {reminder(QStringLiteral("dup"), 5), reminder(QStringLiteral("dup"), 50)};
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^writeReminderRows %1 failed:").arg(failure)));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^EventRepository::update failed:")));
        QVERIFY(!m_repo->update(edit));
        QCOMPARE(stored(e.id), before);
    }

    void writeInsideCallerTransactionCommitsWithIt()
    {
        QSqlDatabase &db = m_store->db()->database();
        QVERIFY(db.transaction());
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.reminders = {reminder(QStringLiteral("r"), 10)};
        QVERIFY(m_repo->insert(e));
        QVERIFY(m_repo->insert(timed(QStringLiteral("f"), utc(2024, 5, 1, 8), std::nullopt)));
        QVERIFY(db.rollback());
        QVERIFY(!m_repo->getById(QStringLiteral("e")));

        QVERIFY(db.transaction());
        QVERIFY(m_repo->insert(e));
        QVERIFY(db.commit());
        QCOMPARE(m_repo->getById(QStringLiteral("e"))->reminders.size(), 1);
    }

    void uidLookupsTellMasterFromOverride()
    {
        // The override is written first so the table yields it first.
        Event override = timed(QStringLiteral("ov"), utc(2024, 6, 11, 10), utc(2024, 6, 11, 11));
        override.uid = QStringLiteral("series");
        override.master_event_uid = QStringLiteral("series");
        override.recurrence_id = QStringLiteral("20240611T090000Z");
        QVERIFY(m_repo->insert(override));
        Event master = timed(QStringLiteral("m"), utc(2024, 6, 4, 9), utc(2024, 6, 4, 10));
        master.uid = QStringLiteral("series");
        master.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        master.reminders = {reminder(QStringLiteral("r"), 5)};
        QVERIFY(m_repo->insert(master));

        const QString uid = QStringLiteral("series");
        QCOMPARE(m_repo->getByUid(uid, kCalA).value_or(Event()), stored(QStringLiteral("m")));
        // A missing recurrence id, stored as NULL or as empty text, is the master.
        QCOMPARE(m_repo->getByUidAndRecurrenceId(uid, kCalA, QString())->id, QStringLiteral("m"));
        QCOMPARE(m_repo->getByUidAndRecurrenceId(uid, kCalA, QStringLiteral(""))->id, QStringLiteral("m"));
        QCOMPARE(m_repo->getByUidAndRecurrenceId(uid, kCalA, override.recurrence_id)->id, QStringLiteral("ov"));
        QVERIFY(!m_repo->getByUidAndRecurrenceId(uid, kCalA, QStringLiteral("20240618T090000Z")));

        // Only overrides left: one of them.
        QVERIFY(m_repo->hardDelete(QStringLiteral("m")));
        QCOMPARE(m_repo->getByUid(uid, kCalA)->id, QStringLiteral("ov"));
        QVERIFY(!m_repo->getByUid(uid, kCalB));
    }

    void syncKeysListEveryRowOfTheCalendarWithTombstones()
    {
        Event master = timed(QStringLiteral("m"), utc(2024, 6, 4, 9), utc(2024, 6, 4, 10));
        master.uid = QStringLiteral("series");
        master.href = QStringLiteral("/dav/cal/series.ics");
        master.etag = QStringLiteral("e1");
        master.sync_status = SyncStatus::Synced;
        Event changed = timed(QStringLiteral("ov"), utc(2024, 6, 11, 10), utc(2024, 6, 11, 11));
        changed.uid = QStringLiteral("own-uid");
        changed.master_event_uid = QStringLiteral("series");
        changed.recurrence_id = QStringLiteral("20240611T090000Z");
        const Event elsewhere = timed(QStringLiteral("x"), utc(2024, 6, 4, 9), utc(2024, 6, 4, 10), kCalB);
        QVERIFY(m_repo->insert(master));
        QVERIFY(m_repo->insert(changed));
        QVERIFY(m_repo->insert(elsewhere));
        QVERIFY(m_repo->remove(QStringLiteral("ov")));

        QList<EventSyncKey> keys;
        QVERIFY(m_repo->getSyncKeys(kCalA, &keys));
        std::sort(keys.begin(), keys.end(), [](const EventSyncKey &a, const EventSyncKey &b) { return a.id < b.id; });
        const QList<EventSyncKey> expected{
            {QStringLiteral("m"), QStringLiteral("series"), QString(), QString(), master.href, master.etag,
             SyncStatus::Synced, false},
            {QStringLiteral("ov"), QStringLiteral("own-uid"), QStringLiteral("series"), changed.recurrence_id,
             QString(), QString(), SyncStatus::Pending, true},
        };
        QCOMPARE(keys, expected);

        // A read that fails says so instead of reading as an empty calendar.
        QVERIFY(m_store->exec(QStringLiteral("ALTER TABLE events RENAME COLUMN etag TO etag_gone")));
        QVERIFY(!m_repo->getSyncKeys(kCalA, &keys));
        QVERIFY(keys.isEmpty());
    }

    void batchLoadersReadChildrenBeyondParameterLimit()
    {
        // More events than SQLite accepts host parameters in one statement
        // (32766 in current builds).
        const int total = 33000;
        QSqlDatabase &db = m_store->db()->database();
        QVERIFY(db.transaction());
        QSqlQuery event(db);
        event.prepare(QStringLiteral("INSERT INTO events (id, calendar_id, uid, title, start_time, "
                                     "end_time, raw_icalendar) VALUES (?, 'cal-a', ?, 't', ?, ?, '')"));
        QSqlQuery child(db);
        child.prepare(
            QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before) VALUES (?, ?, ?)"));
        QSqlQuery guest(db);
        guest.prepare(QStringLiteral(
            "INSERT INTO attendees (id, event_id, email) VALUES (?, ?, 'g@example.org')"));
        const QDateTime base = utc(2024, 1, 1, 0);
        for (int i = 0; i < total; ++i) {
            const QString id = QStringLiteral("e%1").arg(i, 5, 10, QLatin1Char('0'));
            event.addBindValue(id);
            event.addBindValue(id);
            event.addBindValue(StoredTime::instant(base.addSecs(i * 60)));
            event.addBindValue(StoredTime::instant(base.addSecs(i * 60 + 30)));
            QVERIFY(event.exec());
            child.addBindValue(QStringLiteral("r") + id);
            child.addBindValue(id);
            child.addBindValue(i % 90);
            QVERIFY(child.exec());
            guest.addBindValue(QStringLiteral("a") + id);
            guest.addBindValue(id);
            QVERIFY(guest.exec());
        }
        QVERIFY(db.commit());

        const QList<Event> events = m_repo->getByCalendar(kCalA);
        QCOMPARE(events.size(), total);
        int withChildren = 0;
        for (const Event &e : events) {
            if (e.reminders.size() == 1 && e.attendees.size() == 1
                && e.reminders.first().id == QStringLiteral("r") + e.id)
                ++withChildren;
        }
        QCOMPARE(withChildren, total);
        QCOMPARE(events.last().reminders.first().minutes_before, (total - 1) % 90);
    }

    void listReadsCarryChildren()
    {
        Event e = timed(QStringLiteral("e"), utc(2024, 6, 3, 9), utc(2024, 6, 3, 10));
        e.title = QStringLiteral("Standup");
        e.sync_status = SyncStatus::Pending;
        e.related_to_uid = QStringLiteral("task");
        e.reminders = {reminder(QStringLiteral("r"), 5)};
        e.attendees = {
            attendee(QStringLiteral("a"), QStringLiteral("a@example.org"), QStringLiteral("A"))};
        QVERIFY(m_repo->insert(e));

        // A record read from any list and written back keeps its children.
        const QList<QList<Event>> lists = {m_repo->getByCalendar(kCalA), m_repo->getPending(kCalA),
                                           m_repo->getInRange(utc(2024, 6, 3, 0), utc(2024, 6, 4, 0)),
                                           m_repo->search(QStringLiteral("stand"), 5),
                                           m_repo->getRelatedTo(QStringLiteral("task"))};
        const Event byId = stored(e.id);
        QCOMPARE(byId.attendees.size(), 1);
        for (const QList<Event> &list : lists)
            QCOMPARE(list, QList<Event>{byId});
        QVERIFY(m_repo->update(lists.first().first()));
        QCOMPARE(stored(e.id).reminders, byId.reminders);
        QCOMPARE(stored(e.id).attendees, byId.attendees);
    }

    void searchTreatsWildcardsLiterally_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("percent") << QStringLiteral("100%") << QStringList{QStringLiteral("percent")};
        QTest::newRow("underscore") << QStringLiteral("a_b")
                                    << QStringList{QStringLiteral("underscore")};
        QTest::newRow("backslash") << QStringLiteral("c:\\temp")
                                   << QStringList{QStringLiteral("backslash")};
        QTest::newRow("case-insensitive ascii")
            << QStringLiteral("REVIEW") << QStringList{QStringLiteral("plain")};
        QTest::newRow("in location") << QStringLiteral("Room 4")
                                     << QStringList{QStringLiteral("plain")};
        QTest::newRow("lone percent") << QStringLiteral("%") << QStringList{QStringLiteral("percent")};
    }

    void searchTreatsWildcardsLiterally()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        const QList<QPair<QString, QString>> titles = {
            {QStringLiteral("percent"), QStringLiteral("Goal 100% done")},
            {QStringLiteral("thousand"), QStringLiteral("Goal 1000 done")},
            {QStringLiteral("underscore"), QStringLiteral("file a_b.txt")},
            {QStringLiteral("axb"), QStringLiteral("file axb.txt")},
            {QStringLiteral("backslash"), QStringLiteral("clean c:\\temp")},
            {QStringLiteral("plain"), QStringLiteral("Code review")},
        };
        int hour = 8;
        for (const auto &[id, title] : titles) {
            Event e = timed(id, utc(2024, 6, 3, hour++), std::nullopt);
            e.title = title;
            if (id == QLatin1String("plain"))
                e.location = QStringLiteral("Room 42");
            QVERIFY(m_repo->insert(e));
        }
        QStringList found;
        for (const Event &e : m_repo->search(text, 50))
            found.append(e.id);
        QCOMPARE(found, expected);
    }

    void searchLimitsAndBlankText()
    {
        for (int i = 0; i < 3; ++i) {
            Event e = timed(QStringLiteral("e%1").arg(i), utc(2024, 6, 3, 8 + i), std::nullopt);
            e.title = QStringLiteral("Lunch");
            QVERIFY(m_repo->insert(e));
        }
        QVERIFY(m_repo->search(QStringLiteral("   "), 10).isEmpty());
        QCOMPARE(m_repo->search(QStringLiteral("lunch"), 0).size(), 1);
        QCOMPARE(m_repo->search(QStringLiteral("lunch"), 2).size(), 2);
        const QList<Event> all = m_repo->search(QStringLiteral(" lunch "), 10);
        QCOMPARE(all.size(), 3);
        QCOMPARE(all.first().id, QStringLiteral("e0"));
    }

    void relatedToNeedsUid()
    {
        Event e = timed(QStringLiteral("e"), utc(2024, 6, 3, 9), std::nullopt);
        e.related_to_uid = QString();
        QVERIFY(m_repo->insert(e));
        QVERIFY(m_repo->getRelatedTo(QString()).isEmpty());
        Event linked = timed(QStringLiteral("l"), utc(2024, 6, 3, 9), std::nullopt);
        linked.related_to_uid = QStringLiteral("t1");
        QVERIFY(m_repo->insert(linked));
        QCOMPARE(idsOf(m_repo->getRelatedTo(QStringLiteral("t1"))), QSet<QString>{QStringLiteral("l")});
    }

    // A record read without its reminders and attendees would erase them when
    // saved back: such a read fails instead.
    void readsFailWhenChildRowsCannotBeRead()
    {
        Event e = timed(QStringLiteral("e"), utc(2024, 5, 1, 8), utc(2024, 5, 1, 9));
        e.reminders = {reminder(QStringLiteral("r"), 10)};
        QVERIFY(m_repo->insert(e));
        QVERIFY(m_store->exec(QStringLiteral("ALTER TABLE reminders RENAME TO reminders_away")));
        QVERIFY(!m_repo->getById(e.id));
        QVERIFY(!m_repo->getByUid(e.uid, kCalA));
        QVERIFY(m_repo->getByCalendar(kCalA).isEmpty());
        QVERIFY(m_repo->getInRange(utc(2024, 5, 1, 0), utc(2024, 5, 2, 0)).isEmpty());
    }

private:
    QString column(const QString &id, const QString &name) const
    {
        return storedColumn(m_store->db(), QStringLiteral("events"), id, name);
    }

    Event stored(const QString &id) const { return m_repo->getById(id).value_or(Event()); }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<EventRepository> m_repo;
};

QTEST_GUILESS_MAIN(TestEventRepository)
#include "tst_eventrepository.moc"
