#include "store/database.h"
#include "store/unitofwork.h"
#include "store/walcheckpointer.h"
#include "tests/support/teststore.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

namespace {

QString pragma(Database *db, const char *name)
{
    QSqlQuery query(db->database());
    return query.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(name))) && query.next()
               ? query.value(0).toString()
               : QStringLiteral("<failed>");
}

bool fill(Database *db, int rows)
{
    QSqlQuery insert(db->database());
    if (!insert.prepare(QStringLiteral("INSERT INTO bulk(text) VALUES (?)")))
        return false;
    for (int i = 0; i < rows; ++i) {
        insert.addBindValue(QString(300, QLatin1Char('a' + i % 26)));
        if (!insert.exec())
            return false;
    }
    return true;
}

} // namespace

// A write of many rows as one unit: a large unit's commit leaves copying the
// log into the file to a thread of its own, and puts the connection's
// settings back as they were, whether it commits or not.
class TestUnitOfWork : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
        QVERIFY(m_store->exec(QStringLiteral("CREATE TABLE bulk (text TEXT NOT NULL)")));
    }
    void cleanup() { m_store.reset(); }

    void largeCommitKeepsTheRowsAndTheLogIsCopiedAfter()
    {
        Database *db = m_store->db();
        const QStringList before{pragma(db, "synchronous"), pragma(db, "wal_autocheckpoint")};
        const qint64 fileBefore = QFileInfo(db->path()).size();
        QSignalSpy copied(db->checkpointer(), &WalCheckpointer::checkpointed);
        {
            UnitOfWork unit(db, QStringLiteral("bulk"), UnitOfWork::Size::Large);
            QVERIFY(unit.isActive());
            QVERIFY(fill(db, 3000));
            QVERIFY(unit.commit());
        }
        QCOMPARE((QStringList{pragma(db, "synchronous"), pragma(db, "wal_autocheckpoint")}), before);
        QVERIFY(copied.wait(10000));
        QCOMPARE(copied.first().at(0).toBool(), true);
        // The rows (3000 × 300 bytes) are in the file itself now, not only
        // in the log.
        QVERIFY2(QFileInfo(db->path()).size() > fileBefore + 3000 * 300,
                 qPrintable(QStringLiteral("%1 → %2").arg(fileBefore).arg(QFileInfo(db->path()).size())));
        QCOMPARE(m_store->count(QStringLiteral("bulk")), 3000);
    }

    void largeUnitUndoneLeavesNothingAndTheSettingsAsTheyWere()
    {
        Database *db = m_store->db();
        const QStringList before{pragma(db, "synchronous"), pragma(db, "wal_autocheckpoint"),
                                 pragma(db, "cache_size")};
        QSignalSpy copied(db->checkpointer(), &WalCheckpointer::checkpointed);
        {
            UnitOfWork unit(db, QStringLiteral("bulk"), UnitOfWork::Size::Large);
            QVERIFY(fill(db, 500));
            QCOMPARE(pragma(db, "wal_autocheckpoint"), QStringLiteral("0"));
            // Destroyed without commit().
        }
        QCOMPARE((QStringList{pragma(db, "synchronous"), pragma(db, "wal_autocheckpoint"), pragma(db, "cache_size")}),
                 before);
        QCOMPARE(m_store->count(QStringLiteral("bulk")), 0);
        QTest::qWait(50);
        QCOMPARE(copied.size(), 0);
    }

    void smallUnitCommitsAsAnyWrite()
    {
        Database *db = m_store->db();
        QSignalSpy copied(db->checkpointer(), &WalCheckpointer::checkpointed);
        {
            UnitOfWork unit(db, QStringLiteral("bulk"));
            QVERIFY(fill(db, 10));
            QVERIFY(unit.commit());
        }
        QCOMPARE(m_store->count(QStringLiteral("bulk")), 10);
        QTest::qWait(50);
        QCOMPARE(copied.size(), 0);
    }

    void requestsWhileACopyRunsRunOnceMore()
    {
        Database *db = m_store->db();
        QVERIFY(fill(db, 200));
        QSignalSpy copied(db->checkpointer(), &WalCheckpointer::checkpointed);
        db->checkpointLater();
        db->checkpointLater();
        db->checkpointLater();
        QTRY_COMPARE(copied.size(), 2);
        QTest::qWait(100);
        QCOMPARE(copied.size(), 2);
        QVERIFY(!db->checkpointer()->isRunning());
    }

private:
    std::unique_ptr<TestStore> m_store;
};

QTEST_MAIN(TestUnitOfWork)
#include "tst_unitofwork.moc"
