#include "store/database.h"
#include "store/preferencesrepository.h"
#include "tests/support/tempdatadir.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

class TestPreferencesRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = new TempDataDir;
        m_db = new Database;
        QVERIFY(m_db->open(m_dir->databasePath()));
        QVERIFY(m_db->migrate());
        m_prefs = new PreferencesRepository(m_db);
    }

    void cleanup()
    {
        delete m_prefs;
        delete m_db;
        delete m_dir;
    }

    void getBoolReadsOnlyOneAndTrue_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("true") << "true" << true;
        QTest::newRow("TRUE") << "TRUE" << false;
        QTest::newRow("yes") << "yes" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("empty") << "" << false;
    }

    void getBoolReadsOnlyOneAndTrue()
    {
        QFETCH(QString, stored);
        QFETCH(bool, expected);
        QVERIFY(m_prefs->set(QStringLiteral("ui/flag"), stored));
        QCOMPARE(m_prefs->getBool(QStringLiteral("ui/flag"), true), expected);
    }

    void getIntFallsBackOnGarbage_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "42" << 42;
        QTest::newRow("negative") << "-7" << -7;
        QTest::newRow("letters after digits") << "42px" << 99;
        QTest::newRow("hex is not decimal") << "0x10" << 99;
        QTest::newRow("empty") << "" << 99;
    }

    void getIntFallsBackOnGarbage()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QVERIFY(m_prefs->set(QStringLiteral("ui/hourHeight"), stored));
        QCOMPARE(m_prefs->getInt(QStringLiteral("ui/hourHeight"), 99), expected);
    }

    void missingKeysGiveDefaults()
    {
        QVERIFY(!m_prefs->get(QStringLiteral("nope")).has_value());
        QCOMPARE(m_prefs->getString(QStringLiteral("nope"), QStringLiteral("dflt")), QStringLiteral("dflt"));
        QCOMPARE(m_prefs->getBool(QStringLiteral("nope"), true), true);
        QCOMPARE(m_prefs->getInt(QStringLiteral("nope"), 5), 5);
    }

    void setReplacesKeepsTypeAndEmitsEachTime()
    {
        QSqlQuery q(m_db->database());
        QVERIFY(q.exec(QStringLiteral("INSERT INTO settings (key, value, type) VALUES ('ui/viewMode', 'day', 'enum')")));
        QSignalSpy spy(m_prefs, &PreferencesRepository::changed);
        QVERIFY(m_prefs->set(QStringLiteral("ui/viewMode"), QStringLiteral("week")));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toString(), QStringLiteral("ui/viewMode"));
        QCOMPARE(m_prefs->getString(QStringLiteral("ui/viewMode")), QStringLiteral("week"));
        QVERIFY(q.exec(QStringLiteral("SELECT type, COUNT(*) FROM settings WHERE key = 'ui/viewMode'")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("enum"));
        QCOMPARE(q.value(1).toInt(), 1);
        // The same value again still notifies.
        QVERIFY(m_prefs->set(QStringLiteral("ui/viewMode"), QStringLiteral("week")));
        QCOMPARE(spy.count(), 2);
        // A new key gets the 'string' type.
        QVERIFY(m_prefs->setInt(QStringLiteral("ui/hourHeight"), 60));
        QVERIFY(q.exec(QStringLiteral("SELECT type FROM settings WHERE key = 'ui/hourHeight'")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("string"));
    }

    void removeEmitsNothing()
    {
        QVERIFY(m_prefs->setBool(QStringLiteral("ui/startMinimized"), true));
        QSignalSpy spy(m_prefs, &PreferencesRepository::changed);
        QVERIFY(m_prefs->remove(QStringLiteral("ui/startMinimized")));
        QVERIFY(m_prefs->remove(QStringLiteral("never/there")));
        QCOMPARE(spy.count(), 0);
        QVERIFY(!m_prefs->get(QStringLiteral("ui/startMinimized")).has_value());
    }

    void typedWritesRoundTrip()
    {
        QVERIFY(m_prefs->setBool(QStringLiteral("a"), true));
        QCOMPARE(m_prefs->getString(QStringLiteral("a")), QStringLiteral("1"));
        QVERIFY(m_prefs->setBool(QStringLiteral("a"), false));
        QCOMPARE(m_prefs->getString(QStringLiteral("a")), QStringLiteral("0"));
        QCOMPARE(m_prefs->getBool(QStringLiteral("a"), true), false);
        QVERIFY(m_prefs->setInt(QStringLiteral("b"), -12345));
        QCOMPARE(m_prefs->getInt(QStringLiteral("b")), -12345);
        const QString unicode = QStringLiteral("Kalender \u65e5\u672c \u00fc\u00df");
        QVERIFY(m_prefs->set(QStringLiteral("c"), unicode));
        QCOMPARE(m_prefs->getString(QStringLiteral("c")), unicode);
        QVERIFY(m_prefs->set(QStringLiteral("d"), QString()));
        QCOMPARE(m_prefs->get(QStringLiteral("d")), std::optional<QString>(QStringLiteral("")));
    }

    void survivesReopen()
    {
        QVERIFY(m_prefs->setInt(QStringLiteral("ui/weekHorizon"), 3));
        delete m_prefs;
        delete m_db;
        m_db = new Database;
        QVERIFY(m_db->open(m_dir->databasePath()));
        QVERIFY(m_db->migrate());
        m_prefs = new PreferencesRepository(m_db);
        QCOMPARE(m_prefs->getInt(QStringLiteral("ui/weekHorizon")), 3);
    }

private:
    TempDataDir *m_dir = nullptr;
    Database *m_db = nullptr;
    PreferencesRepository *m_prefs = nullptr;

    // A settings table that refuses writes (a read-only or full disk) makes
    // every typed write say so, and nothing announces a change.
    void typedWritesReportARefusedWrite()
    {
        QVERIFY(m_prefs->setInt(QStringLiteral("ui/workdayStart"), 9));
        QSqlQuery q(m_db->database());
        QVERIFY(q.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_settings_insert BEFORE INSERT ON settings "
                                      "BEGIN SELECT RAISE(ABORT, 'read-only'); END")));
        QVERIFY(q.exec(QStringLiteral("CREATE TEMP TRIGGER refuse_settings_update BEFORE UPDATE ON settings "
                                      "BEGIN SELECT RAISE(ABORT, 'read-only'); END")));
        QSignalSpy changed(m_prefs, &PreferencesRepository::changed);
        QVERIFY(!m_prefs->setBool(QStringLiteral("ui/closeToTray"), false));
        QVERIFY(!m_prefs->setInt(QStringLiteral("ui/workdayStart"), 11));
        QVERIFY(!m_prefs->set(QStringLiteral("ui/timeFormat"), QStringLiteral("24")));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(m_prefs->getInt(QStringLiteral("ui/workdayStart"), 0), 9);
        QVERIFY(!m_prefs->get(QStringLiteral("ui/closeToTray")).has_value());
    }
};

QTEST_GUILESS_MAIN(TestPreferencesRepository)
#include "tst_preferencesrepository.moc"
