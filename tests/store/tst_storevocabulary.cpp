#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "tests/support/teststore.h"

#include <QTest>

#include <memory>

// The typed statuses and account types meet the stored text only where rows
// are read and written: every text the store holds reads back and writes
// back as it was, and a text this build does not know reads as a default.
class TestStoreVocabulary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        QVERIFY(seedLocalCalendars(m_store->db(), {QStringLiteral("cal")}));
        m_events = std::make_unique<EventRepository>(m_store->db());
        m_tasks = std::make_unique<TaskRepository>(m_store->db());
        m_accounts = std::make_unique<AccountRepository>(m_store->db());
    }

    void cleanup()
    {
        m_events.reset();
        m_tasks.reset();
        m_accounts.reset();
        m_store.reset();
    }

    void eventSyncStatusRoundTrips_data() { syncStatusRows(); }
    void eventSyncStatusRoundTrips()
    {
        QFETCH(QString, stored);
        QFETCH(QString, writtenBack);
        QFETCH(QString, readsLike);
        Event event;
        event.id = QStringLiteral("e");
        event.calendar_id = QStringLiteral("cal");
        event.uid = QStringLiteral("e");
        event.title = QStringLiteral("Event");
        event.start_time = QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
        event.raw_icalendar = QStringLiteral("");
        QVERIFY(m_events->insert(event));

        QVERIFY(setColumn("events", "sync_status", readsLike));
        const SyncStatus known = m_events->getById(event.id)->sync_status;
        QVERIFY(setColumn("events", "sync_status", stored));
        const Event read = m_events->getById(event.id).value();
        if (stored != readsLike)
            QCOMPARE(read.sync_status, known);
        QList<EventSyncKey> keys;
        QVERIFY(m_events->getSyncKeys(event.calendar_id, &keys));
        QCOMPARE(keys.value(0).sync_status, read.sync_status);

        QVERIFY(m_events->update(read));
        QCOMPARE(column("events", "sync_status"), writtenBack);
    }

    void taskSyncStatusRoundTrips_data() { syncStatusRows(); }
    void taskSyncStatusRoundTrips()
    {
        QFETCH(QString, stored);
        QFETCH(QString, writtenBack);
        QFETCH(QString, readsLike);
        QVERIFY(m_tasks->insert(task()));
        QVERIFY(setColumn("tasks", "sync_status", readsLike));
        const SyncStatus known = m_tasks->getById(QStringLiteral("t"))->sync_status;
        QVERIFY(setColumn("tasks", "sync_status", stored));
        const Task read = m_tasks->getById(QStringLiteral("t")).value();
        if (stored != readsLike)
            QCOMPARE(read.sync_status, known);

        QVERIFY(m_tasks->update(read));
        QCOMPARE(column("tasks", "sync_status"), writtenBack);
    }

    void taskStatusRoundTrips_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("writtenBack");
        QTest::addColumn<QString>("readsLike");
        for (const char *text : {"needs-action", "in-process", "completed", "cancelled"})
            QTest::newRow(text) << text << text << text;
        // Another client's status, or another spelling: the task stays open.
        QTest::newRow("unknown") << "x-waiting" << "needs-action" << "needs-action";
        QTest::newRow("capitalised") << "Completed" << "needs-action" << "needs-action";
        QTest::newRow("empty") << "" << "needs-action" << "needs-action";
    }
    void taskStatusRoundTrips()
    {
        QFETCH(QString, stored);
        QFETCH(QString, writtenBack);
        QFETCH(QString, readsLike);
        QVERIFY(m_tasks->insert(task()));
        QVERIFY(setColumn("tasks", "status", readsLike));
        const TaskStatus known = m_tasks->getById(QStringLiteral("t"))->status;
        QVERIFY(setColumn("tasks", "status", stored));
        const Task read = m_tasks->getById(QStringLiteral("t")).value();
        if (stored != readsLike)
            QCOMPARE(read.status, known);

        QVERIFY(m_tasks->update(read));
        QCOMPARE(column("tasks", "status"), writtenBack);
    }

    void accountTypeRoundTrips_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("known");
        for (const char *text : {"caldav", "icloud", "zoho", "google", "microsoft", "webcal", "tindlebrook"})
            QTest::newRow(text) << text << true;
        // A type from a newer version keeps its text through an update.
        QTest::newRow("unknown") << "exchange" << false;
    }
    void accountTypeRoundTrips()
    {
        QFETCH(QString, stored);
        QFETCH(bool, known);
        const QString id = QStringLiteral("acc");
        QVERIFY(m_store->exec(QStringLiteral("UPDATE accounts SET type = '%1' WHERE id = '%2'").arg(stored, id)));
        Account read = m_accounts->getById(id).value();
        QCOMPARE(read.type != AccountType::Unknown, known);

        read.name = QStringLiteral("Renamed");
        QVERIFY(m_accounts->update(read));
        QCOMPARE(storedColumn(m_store->db(), QStringLiteral("accounts"), id, QStringLiteral("type")), stored);
        QCOMPARE(m_accounts->getById(id)->type, read.type);
    }

private:
    static void syncStatusRows()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("writtenBack");
        QTest::addColumn<QString>("readsLike");
        QTest::newRow("synced") << "synced" << "synced" << "synced";
        QTest::newRow("pending") << "pending" << "pending" << "pending";
        // Neither pushed nor kept from a pull before: as synced.
        QTest::newRow("unknown") << "conflict" << "synced" << "synced";
        QTest::newRow("empty") << "" << "synced" << "synced";
    }

    static Task task()
    {
        Task t;
        t.id = QStringLiteral("t");
        t.uid = QStringLiteral("t");
        t.calendar_id = QStringLiteral("cal");
        t.title = QStringLiteral("Task");
        t.raw_icalendar = QStringLiteral("");
        return t;
    }

    bool setColumn(const char *table, const char *name, const QString &text)
    {
        return m_store->exec(QStringLiteral("UPDATE %1 SET %2 = '%3'")
                                 .arg(QLatin1String(table), QLatin1String(name), text));
    }

    QString column(const char *table, const char *name)
    {
        return m_store->scalar(QStringLiteral("SELECT %1 FROM %2").arg(QLatin1String(name), QLatin1String(table)))
            .toString();
    }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<TaskRepository> m_tasks;
    std::unique_ptr<AccountRepository> m_accounts;
};

QTEST_GUILESS_MAIN(TestStoreVocabulary)
#include "tst_storevocabulary.moc"
