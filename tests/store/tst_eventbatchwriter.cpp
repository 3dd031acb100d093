#include "store/eventbatchwriter.h"
#include "store/eventrepository.h"
#include "store/unitofwork.h"
#include "tests/support/teststore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimeZone>

#include <memory>

namespace {

Event withChildren(const QString &id)
{
    Event e;
    e.id = e.uid = id;
    e.calendar_id = QStringLiteral("cal");
    e.title = QStringLiteral("Event ") + id;
    e.start_time = QDateTime(QDate(2026, 3, 10), QTime(9, 0), QTimeZone::utc());
    e.end_time = e.start_time.addSecs(3600);
    e.raw_icalendar = QStringLiteral("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    Reminder early;
    early.id = id + QStringLiteral("-r1");
    early.minutes_before = 30;
    Reminder late;
    late.id = id + QStringLiteral("-r2");
    late.minutes_before = 5;
    e.reminders = {early, late};
    Attendee guest;
    guest.id = id + QStringLiteral("-a1");
    guest.email = QStringLiteral("guest@example.com");
    e.attendees = {guest};
    return e;
}

} // namespace

// A batch's row is written whole or not at all, inside the batch's own
// transaction, and a refused row never touches another one.
class TestEventBatchWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        QVERIFY(seedLocalCalendars(m_store->db(), {QStringLiteral("cal")}));
    }
    void cleanup() { m_store.reset(); }

    void refusedRowLeavesNothingOfItAndOthersWhole_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("event row refused") << "event";
        QTest::newRow("second reminder refused") << "reminder";
        QTest::newRow("attendee refused") << "attendee";
    }

    void refusedRowLeavesNothingOfItAndOthersWhole()
    {
        QFETCH(QString, fault);
        EventRepository events(m_store->db());
        const Event before = withChildren(QStringLiteral("before"));
        Event refused = withChildren(QStringLiteral("refused"));
        // Each fault reuses a key the "before" row holds.
        if (fault == QLatin1String("event"))
            refused.id = before.id;
        else if (fault == QLatin1String("reminder"))
            refused.reminders[1].id = before.reminders[0].id;
        else
            refused.attendees[0].id = before.attendees[0].id;
        const Event after = withChildren(QStringLiteral("after"));
        {
            UnitOfWork unit(m_store->db(), QStringLiteral("batch"));
            EventBatchWriter writer(m_store->db());
            QVERIFY(writer.insert(before));
            QVERIFY(!writer.insert(refused));
            QVERIFY(writer.insert(after));
            QVERIFY(unit.commit());
        }
        const std::optional<Event> kept = events.getById(before.id);
        QVERIFY(kept);
        QCOMPARE(kept->title, before.title);
        QCOMPARE(kept->reminders.size(), 2);
        QCOMPARE(kept->attendees.size(), 1);
        QCOMPARE(events.getById(after.id)->reminders.size(), 2);
        QCOMPARE(events.getById(refused.id).has_value(), fault == QLatin1String("event"));
        QCOMPARE(m_store->count(QStringLiteral("events")), 2);
        QCOMPARE(m_store->count(QStringLiteral("reminders")), 4);
        QCOMPARE(m_store->count(QStringLiteral("attendees")), 2);
    }

    // Both writers leave the same stored values, NULL apart from empty text.
    void storesWhatTheRepositoryStores()
    {
        Event e = withChildren(QStringLiteral("batch"));
        e.description = QLatin1String("");
        e.location = QStringLiteral("Hall \u00e9");
        e.is_all_day = true;
        e.start_time = QDateTime(QDate(2026, 3, 10), QTime(0, 0));
        e.end_time.reset();
        e.sequence = 4;
        e.created = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), QTimeZone::utc());
        e.last_modified = e.created.addSecs(60);
        e.deleted_at = e.created.addDays(1);
        e.reminders[0].trigger_time = e.created;
        const QString prefix = QStringLiteral("repository-");
        Event same = e;
        same.id = prefix + e.id;
        same.uid = prefix + e.uid;
        for (Reminder &r : same.reminders)
            r.id = prefix + r.id;
        for (Attendee &a : same.attendees)
            a.id = prefix + a.id;
        EventRepository events(m_store->db());
        QVERIFY(events.insert(same));
        {
            EventBatchWriter writer(m_store->db());
            QVERIFY(writer.insert(e));
        }
        const auto rows = [this](const char *sql, const QString &id) {
            QSqlQuery query(m_store->db()->database());
            query.prepare(QLatin1String(sql));
            query.addBindValue(id);
            QStringList out;
            if (!query.exec())
                return QStringList{query.lastError().text()};
            while (query.next()) {
                for (int i = 0; i < query.record().count(); ++i)
                    out << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
            }
            return out;
        };
        for (const char *sql : {"SELECT * FROM events WHERE id = ?",
                                "SELECT * FROM reminders WHERE event_id = ? ORDER BY minutes_before",
                                "SELECT * FROM attendees WHERE event_id = ?"}) {
            const QStringList batch = rows(sql, e.id);
            QStringList repository = rows(sql, same.id);
            QVERIFY(!batch.isEmpty());
            // The keys differ by design; everything else is the same.
            for (QString &value : repository)
                value.remove(prefix);
            QCOMPARE(batch, repository);
        }
    }

private:
    std::unique_ptr<TestStore> m_store;
};

QTEST_MAIN(TestEventBatchWriter)
#include "tst_eventbatchwriter.moc"
