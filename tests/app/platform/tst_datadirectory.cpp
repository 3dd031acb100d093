#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include "app/platform/datadirectory.h"
#include "tests/support/tempdatadir.h"

class TestDataDirectory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        QVERIFY(m_dir->isValid());
        qunsetenv("CALENDAR_INSTANCE");
    }

    void cleanup()
    {
        qunsetenv("CALENDAR_INSTANCE");
        m_dir.reset();
    }

    void nestedDataDirIsCreatedWithDatabaseInside()
    {
        const QString nested = m_dir->path() + QStringLiteral("/a/b/c");
        qputenv("CALENDAR_DATA_DIR", nested.toUtf8());
        QVERIFY(!QFileInfo::exists(nested));

        QCOMPARE(dataDirectory(), nested);
        QVERIFY(QFileInfo(nested).isDir());
        QCOMPARE(databasePath(), nested + QStringLiteral("/calendar.db"));
    }

    void emptyDataDirFallsBackToGenericDataLocation()
    {
        qputenv("CALENDAR_DATA_DIR", QByteArray());
        // TempDataDir points XDG_DATA_HOME into its own folder.
        const QString expected = m_dir->path() + QStringLiteral("/home/.local/share/Tindlebrook/Calendar");
        QVERIFY(!QFileInfo::exists(expected));

        QCOMPARE(dataDirectory(), expected);
        QVERIFY(QFileInfo(expected).isDir());
        QCOMPARE(databasePath(), expected + QStringLiteral("/calendar.db"));
    }

    void nonAsciiDataDirIsReadAsUtf8()
    {
        const QString path = m_dir->path() + QStringLiteral("/Kalender \u00e4\u00f6\u00fc \u65e5\u672c");
        qputenv("CALENDAR_DATA_DIR", path.toUtf8());
        QCOMPARE(dataDirectory(), path);
        QVERIFY(QFileInfo(path).isDir());
    }

    void instanceSuffixes_data()
    {
        QTest::addColumn<QByteArray>("instance");
        QTest::addColumn<QString>("serviceId");
        QTest::addColumn<QString>("autostartName");
        QTest::addColumn<bool>("dev");

        QTest::newRow("unset") << QByteArray() << "com.tindlebrook.calendar"
                               << "TindlebrookCalendar" << false;
        QTest::newRow("dev") << QByteArray("dev") << "com.tindlebrook.calendar.dev"
                             << "TindlebrookCalendar-dev" << true;
        QTest::newRow("Dev is not the developer instance")
            << QByteArray("Dev") << "com.tindlebrook.calendar.Dev" << "TindlebrookCalendar-Dev" << false;
        QTest::newRow("utf-8 name") << QStringLiteral("b\u00fcro").toUtf8()
                                    << QStringLiteral("com.tindlebrook.calendar.b\u00fcro")
                                    << QStringLiteral("TindlebrookCalendar-b\u00fcro") << false;
    }

    void instanceSuffixes()
    {
        QFETCH(QByteArray, instance);
        QFETCH(QString, serviceId);
        QFETCH(QString, autostartName);
        QFETCH(bool, dev);

        qputenv("CALENDAR_INSTANCE", instance);
        QCOMPARE(applicationServiceId(), serviceId);
        QCOMPARE(autostartValueName(), autostartName);
        QCOMPARE(isDevInstance(), dev);
    }

private:
    std::unique_ptr<TempDataDir> m_dir;
};

QTEST_GUILESS_MAIN(TestDataDirectory)
#include "tst_datadirectory.moc"
