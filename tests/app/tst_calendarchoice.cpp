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

    // One of each kind of calendar, offered by every pick list only when
    // the user may write to it.
    void pickListsOfferWritableCalendars_data()
    {
        QTest::addColumn<bool>("forTasks");
        QTest::addColumn<bool>("withHidden");
        QTest::addColumn<QString>("keepId");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("event form") << false << false << "" << QStringList{"chores", "personal", "work"};
        QTest::newRow("preferences and import, hidden too")
            << false << true << "" << QStringList{"archive", "chores", "personal", "work"};
        QTest::newRow("task form") << true << false << "" << QStringList{"chores", "personal"};
        QTest::newRow("task form, own hidden calendar")
            << true << false << "archive" << QStringList{"archive", "chores", "personal"};
        QTest::newRow("task form, own calendar without tasks")
            << true << false << "work" << QStringList{"chores", "personal", "work"};
        QTest::newRow("own read-only calendar stays out")
            << false << false << "feed" << QStringList{"chores", "personal", "work"};
    }

    void pickListsOfferWritableCalendars()
    {
        QFETCH(bool, forTasks);
        QFETCH(bool, withHidden);
        QFETCH(QString, keepId);
        QFETCH(QStringList, expected);
        auto calendar = [](const char *id, const char *name, const char *components, bool readOnly) {
            Calendar c;
            c.id = QString::fromLatin1(id);
            c.account_id = QStringLiteral("acc");
            c.name = QString::fromLatin1(name);
            c.supported_components = QString::fromLatin1(components);
            c.is_read_only = readOnly;
            return c;
        };
        const char *both = "[\"VEVENT\",\"VTODO\"]";
        const char *events = "[\"VEVENT\"]";
        QList<Calendar> all;
        all << calendar("work", "Work", events, false) << calendar("personal", "Personal", both, false);
        all << calendar("chores", "Chores", events, false);
        all.last().allow_tasks_override = true;
        all << calendar("shared", "Shared", both, true);
        all.last().shared_with_me = true;
        // A subscribed feed and a holiday calendar, as subscribing stores them.
        all << calendar("feed", "Feed", events, true) << calendar("holidays", "Holidays", events, true);
        all[all.size() - 2].sync_enabled = all.last().sync_enabled = true;
        // Configuration sync's stand-in for a calendar not found yet.
        all << calendar("pending", "Pending", both, true);
        all.last().canonical_key = QStringLiteral("caldav:https://example.invalid/pending/");
        all << calendar("archive", "Archive", both, false);
        all.last().is_visible = false;

        CalendarPick pick;
        pick.forTasks = forTasks;
        pick.withHidden = withHidden;
        pick.keepId = keepId;
        QStringList offered;
        for (const Calendar &c : writableCalendars(all, {{"acc", "Mine"}}, pick))
            offered << c.id;
        QCOMPARE(offered, expected);
    }
};

QTEST_MAIN(TestCalendarChoice)
#include "tst_calendarchoice.moc"
