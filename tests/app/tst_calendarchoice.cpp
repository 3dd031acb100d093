#include "app/calendarchoice.h"
#include "store/database.h"
#include "store/preferencesrepository.h"
#include "tests/support/tempdatadir.h"

#include <QTest>

#include <memory>

// The preselected calendar of new events and tasks and the labels of the
// calendar pick lists.
class TestCalendarChoice : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<PreferencesRepository> m_preferences;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_db = std::make_unique<Database>();
        QVERIFY(m_db->open(m_dir->databasePath()));
        QVERIFY(m_db->migrate());
        m_preferences = std::make_unique<PreferencesRepository>(m_db.get());
    }

    void cleanup()
    {
        m_preferences.reset();
        m_db.reset();
        m_dir.reset();
    }

    void defaultFollowsTheStoredChoice_data()
    {
        QTest::addColumn<bool>("forTask");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("lastUsed");
        QTest::addColumn<QString>("expected");
        for (const bool task : {false, true}) {
            const char *kind = task ? "task: " : "event: ";
            QTest::addRow("%snothing stored", kind) << task << QString() << QString() << QString();
            QTest::addRow("%sa calendar", kind) << task << "work" << "home" << "work";
            QTest::addRow("%slast used", kind) << task << "__last_used__" << "home" << "home";
            // Falls back as if no default were set.
            QTest::addRow("%slast used, none yet", kind) << task << "__last_used__" << QString() << QString();
            // Not checked against the calendars: callers fall back.
            QTest::addRow("%sa missing calendar", kind) << task << "gone" << QString() << "gone";
        }
    }

    void defaultFollowsTheStoredChoice()
    {
        QFETCH(bool, forTask);
        QFETCH(QString, stored);
        QFETCH(QString, lastUsed);
        QFETCH(QString, expected);
        const QString key = forTask ? "ui/defaultTaskCalendarId" : "ui/defaultCalendarId";
        if (!stored.isEmpty())
            QVERIFY(m_preferences->set(key, stored));
        if (!lastUsed.isEmpty())
            QVERIFY(m_preferences->set(lastUsedCalendarKey(forTask), lastUsed));
        // The other kind's choice never leaks in.
        QVERIFY(m_preferences->set(forTask ? "ui/defaultCalendarId" : "ui/defaultTaskCalendarId", "other-kind"));
        QVERIFY(m_preferences->set(lastUsedCalendarKey(!forTask), "other-last"));
        QCOMPARE(defaultCalendarIdFor(m_preferences.get(), forTask), expected);
    }

    void labelNamesTheAccountWhenKnown_data()
    {
        QTest::addColumn<QString>("accountId");
        QTest::addColumn<QString>("expected");
        QTest::newRow("known account") << "acc-1" << "Work Server / Team";
        QTest::newRow("account without a name") << "acc-2" << "Team";
        QTest::newRow("missing account") << "acc-3" << "Team";
    }

    void labelNamesTheAccountWhenKnown()
    {
        QFETCH(QString, accountId);
        QFETCH(QString, expected);
        const QHash<QString, QString> names{{"acc-1", "Work Server"}, {"acc-2", QString()}};
        Calendar calendar;
        calendar.account_id = accountId;
        calendar.name = QStringLiteral("Team");
        QCOMPARE(calendarLabel(names, calendar), expected);
    }
};

QTEST_MAIN(TestCalendarChoice)
#include "tst_calendarchoice.moc"
