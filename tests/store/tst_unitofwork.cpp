#include "store/database.h"
#include "store/unitofwork.h"
#include "store/walcheckpointer.h"
#include "tests/support/teststore.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

namespace {

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

// A write of many rows as one unit, and the copy of the log into the file
// that the program asks for beside it.
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

    void unitCommitsAsAnyWrite()
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
