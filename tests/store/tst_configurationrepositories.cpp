#include "store/filterrulerepository.h"
#include "store/templaterepository.h"
#include "store/viewrepository.h"
#include "tests/support/teststore.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>
#include <QUuid>

#include <functional>
#include <memory>

namespace {

const QDateTime kCreated(QDate(2025, 3, 4), QTime(5, 6, 7), QTimeZone::utc());

FilterRule rule(const QString &id, const QString &name, int priority = 100)
{
    FilterRule r;
    r.id = id;
    r.name = name;
    r.type = QStringLiteral("pattern");
    r.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"x\"]}");
    r.priority = priority;
    r.sync_status = SyncStatus::Synced;
    r.created_at = kCreated;
    r.updated_at = kCreated;
    return r;
}

CalendarView group(const QString &id, const QString &name, int sortOrder = 0)
{
    CalendarView v;
    v.id = id;
    v.name = name;
    v.color = QStringLiteral("#123456");
    v.calendar_ids = QStringLiteral("[\"cal-a\",\"cal-b\"]");
    v.sort_order = sortOrder;
    v.sync_status = SyncStatus::Synced;
    v.created_at = kCreated;
    v.updated_at = kCreated;
    return v;
}

EventTemplate preset(const QString &id, const QString &name, int sortOrder = 0)
{
    EventTemplate t;
    t.id = id;
    t.name = name;
    t.title = name + QStringLiteral(" title");
    t.sort_order = sortOrder;
    t.created_at = kCreated;
    t.updated_at = kCreated;
    return t;
}

// The calendar groups, filter rules and event templates the configuration
// sync carries share one behaviour: tombstones, stamps, quiet failures and
// one change signal per write. One adapter per store runs each shared case
// against all three.
struct ConfigStore
{
    std::unique_ptr<QObject> repository;
    const char *changed = nullptr;
    QString className;
    QString table;
    QString orderColumn;
    bool tombstoneFoundById = true;
    // Rules and groups store the status the record carries; every template
    // write is pending.
    QString statusAfterUpdate = QStringLiteral("synced");
    std::function<bool(const QString &, const QString &, int)> insert;
    std::function<bool(const QString &, const QString &, const QDateTime &)> update;
    std::function<bool(const QString &)> remove;
    std::function<bool(const QString &)> hardDelete;
    std::function<bool(const QStringList &)> renumber;
    std::function<QStringList(bool)> names;
    std::function<bool(const QString &)> found;
};

template<typename Repository, typename Record>
ConfigStore adapter(Repository *repository, Record (*make)(const QString &, const QString &, int))
{
    ConfigStore s;
    s.repository.reset(repository);
    s.insert = [=](const QString &id, const QString &name, int order) {
        return repository->insert(make(id, name, order));
    };
    s.update = [=](const QString &id, const QString &name, const QDateTime &created) {
        Record record = make(id, name, 0);
        record.created_at = created;
        return repository->update(record);
    };
    s.remove = [=](const QString &id) { return repository->remove(id); };
    s.hardDelete = [=](const QString &id) { return repository->hardDelete(id); };
    s.names = [=](bool includingDeleted) {
        QStringList names;
        for (const Record &r : includingDeleted ? repository->getAllIncludingDeleted() : repository->getAll())
            names << r.name;
        return names;
    };
    s.found = [=](const QString &id) { return repository->getById(id).has_value(); };
    return s;
}

ConfigStore configStore(const QString &kind, Database *db)
{
    if (kind == QLatin1String("rules")) {
        auto *repository = new FilterRuleRepository(db);
        ConfigStore s = adapter(repository, &rule);
        s.changed = SIGNAL(filterRulesChanged());
        s.className = QStringLiteral("FilterRuleRepository");
        s.table = QStringLiteral("filter_rules");
        s.orderColumn = QStringLiteral("priority");
        s.renumber = [=](const QStringList &ids) { return repository->setPriority(ids); };
        return s;
    }
    if (kind == QLatin1String("groups")) {
        auto *repository = new ViewRepository(db);
        ConfigStore s = adapter(repository, &group);
        s.changed = SIGNAL(viewsChanged());
        s.className = QStringLiteral("ViewRepository");
        s.table = QStringLiteral("calendar_views");
        s.orderColumn = QStringLiteral("sort_order");
        s.renumber = [=](const QStringList &ids) { return repository->reorder(ids); };
        return s;
    }
    auto *repository = new TemplateRepository(db);
    ConfigStore s = adapter(repository, &preset);
    s.changed = SIGNAL(templatesChanged());
    s.className = QStringLiteral("TemplateRepository");
    s.table = QStringLiteral("event_templates");
    s.tombstoneFoundById = false;
    s.statusAfterUpdate = QStringLiteral("pending");
    return s;
}

void addKinds(bool renumbering = false)
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("filter rules") << QStringLiteral("rules");
    QTest::newRow("calendar groups") << QStringLiteral("groups");
    if (!renumbering)
        QTest::newRow("event templates") << QStringLiteral("templates");
}

} // namespace

class TestConfigurationRepositories : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<TestStore>();
        QVERIFY(m_store->isOpen());
    }

    void cleanup()
    {
        m_store.reset();
    }

    void failingInsertLogsAndStaysSilent_data() { addKinds(); }
    void failingInsertLogsAndStaysSilent()
    {
        QFETCH(QString, kind);
        const ConfigStore s = configStore(kind, m_store->db());
        QVERIFY(s.insert(QStringLiteral("dup"), QStringLiteral("One"), 0));
        QSignalSpy spy(s.repository.get(), s.changed);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^%1::insert failed: .+").arg(s.className)));
        QVERIFY(!s.insert(QStringLiteral("dup"), QStringLiteral("Two"), 0));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(storedColumn(m_store->db(), s.table, QStringLiteral("dup"), QStringLiteral("name")),
                 QStringLiteral("One"));
    }

    void writesMatchingNoRowFail_data() { addKinds(); }
    void writesMatchingNoRowFail()
    {
        QFETCH(QString, kind);
        const ConfigStore s = configStore(kind, m_store->db());
        const QStringList before = s.names(true);
        QSignalSpy spy(s.repository.get(), s.changed);
        const QString id = QStringLiteral("nobody");
        QVERIFY(!s.update(id, QStringLiteral("X"), kCreated));
        QVERIFY(!s.remove(id));
        QVERIFY(!s.hardDelete(id));
        if (s.renumber)
            QVERIFY(!s.renumber({id}));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(s.names(true), before);
    }

    void removeKeepsTombstoneForSync_data() { addKinds(); }
    void removeKeepsTombstoneForSync()
    {
        QFETCH(QString, kind);
        const ConfigStore s = configStore(kind, m_store->db());
        const QStringList before = s.names(false);
        QVERIFY(s.insert(QStringLiteral("g"), QStringLiteral("Gone"), 0));
        QSignalSpy spy(s.repository.get(), s.changed);
        QVERIFY(s.remove(QStringLiteral("g")));
        QCOMPARE(spy.count(), 1);

        auto column = [&](const char *name) {
            return storedColumn(m_store->db(), s.table, QStringLiteral("g"), QLatin1String(name));
        };
        QVERIFY(column("deleted_at").endsWith(QLatin1Char('Z')));
        QCOMPARE(column("updated_at"), column("deleted_at"));
        QCOMPARE(column("sync_status"), QStringLiteral("pending"));
        QCOMPARE(s.names(false), before);
        QVERIFY(s.names(true).contains(QStringLiteral("Gone")));
        QCOMPARE(s.found(QStringLiteral("g")), s.tombstoneFoundById);

        QVERIFY(s.hardDelete(QStringLiteral("g")));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(column("id"), QStringLiteral("<no row>"));
    }

    void updateStampsNowAndKeepsCreatedAndTombstone_data() { addKinds(); }
    void updateStampsNowAndKeepsCreatedAndTombstone()
    {
        QFETCH(QString, kind);
        const ConfigStore s = configStore(kind, m_store->db());
        QVERIFY(s.insert(QStringLiteral("a"), QStringLiteral("A"), 0));
        QVERIFY(s.remove(QStringLiteral("a")));
        const QString tombstone = storedColumn(m_store->db(), s.table, QStringLiteral("a"), QStringLiteral("deleted_at"));

        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        QVERIFY(s.update(QStringLiteral("a"), QStringLiteral("Renamed"), kCreated.addYears(5)));
        auto column = [&](const char *name) {
            return storedColumn(m_store->db(), s.table, QStringLiteral("a"), QLatin1String(name));
        };
        QCOMPARE(column("name"), QStringLiteral("Renamed"));
        QCOMPARE(column("created_at"), QStringLiteral("2025-03-04T05:06:07Z"));
        QCOMPARE(column("deleted_at"), tombstone);
        QCOMPARE(column("sync_status"), s.statusAfterUpdate);
        const QDateTime updated = QDateTime::fromString(column("updated_at"), Qt::ISODate);
        QVERIFY(updated >= before);
        QVERIFY(updated <= QDateTime::currentDateTimeUtc().addSecs(1));
    }

    void equalOrderListsByNameInBinaryOrder_data() { addKinds(); }
    void equalOrderListsByNameInBinaryOrder()
    {
        QFETCH(QString, kind);
        const ConfigStore s = configStore(kind, m_store->db());
        const QStringList seeded = s.names(false);
        QVERIFY(s.insert(QStringLiteral("1"), QStringLiteral("beta"), 500));
        QVERIFY(s.insert(QStringLiteral("2"), QStringLiteral("Zed"), 500));
        QVERIFY(s.insert(QStringLiteral("3"), QStringLiteral("alpha"), 500));
        QVERIFY(s.insert(QStringLiteral("4"), QStringLiteral("Mid"), 300));
        QVERIFY(s.insert(QStringLiteral("5"), QStringLiteral("First"), -10));
        // The seeded group is a default one, and defaults list first.
        const QStringList expected = seeded + QStringList{"First", "Mid", "Zed", "alpha", "beta"};
        QCOMPARE(s.names(false), expected);
        QCOMPARE(s.names(true), expected);
    }

    void renumberStampsNamedRowsOnceAndSignalsOnce_data() { addKinds(true); }
    void renumberStampsNamedRowsOnceAndSignalsOnce()
    {
        QFETCH(QString, kind);
        const ConfigStore s = configStore(kind, m_store->db());
        for (const char *id : {"a", "b", "c", "d"})
            QVERIFY(s.insert(QLatin1String(id), QString::fromLatin1(id).toUpper(), 7));
        QVERIFY(m_store->exec(QStringLiteral("UPDATE %1 SET sync_status = 'synced'").arg(s.table)));
        QSignalSpy spy(s.repository.get(), s.changed);
        QVERIFY(s.renumber({QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(spy.count(), 1);

        auto column = [&](const char *id, const QString &name) {
            return storedColumn(m_store->db(), s.table, QLatin1String(id), name);
        };
        QCOMPARE(column("c", s.orderColumn) + column("a", s.orderColumn) + column("b", s.orderColumn),
                 QStringLiteral("102030"));
        const QString stamp = column("c", QStringLiteral("updated_at"));
        for (const char *id : {"a", "b", "c"}) {
            QCOMPARE(column(id, QStringLiteral("updated_at")), stamp);
            QCOMPARE(column(id, QStringLiteral("sync_status")), QStringLiteral("pending"));
        }
        // A row not named keeps its place, stamp and status.
        QCOMPARE(column("d", s.orderColumn), QStringLiteral("7"));
        QCOMPARE(column("d", QStringLiteral("updated_at")), QStringLiteral("2025-03-04T05:06:07Z"));
        QCOMPARE(column("d", QStringLiteral("sync_status")), QStringLiteral("synced"));
    }

    void renumberOfEmptyListTouchesNothing_data() { addKinds(true); }
    void renumberOfEmptyListTouchesNothing()
    {
        QFETCH(QString, kind);
        const ConfigStore s = configStore(kind, m_store->db());
        QSignalSpy spy(s.repository.get(), s.changed);
        QVERIFY(s.renumber({}));
        QCOMPARE(spy.count(), 0);
    }

    void renumberRollsBackWhenOneStatementFails_data() { addKinds(true); }
    void renumberRollsBackWhenOneStatementFails()
    {
        QFETCH(QString, kind);
        const ConfigStore s = configStore(kind, m_store->db());
        QVERIFY(s.insert(QStringLiteral("a"), QStringLiteral("A"), 1));
        QVERIFY(s.insert(QStringLiteral("b"), QStringLiteral("B"), 2));
        QVERIFY(m_store->exec(QStringLiteral("CREATE TRIGGER refuse_b BEFORE UPDATE ON %1 WHEN NEW.id = 'b' "
                                             "BEGIN SELECT RAISE(ABORT, 'refused'); END").arg(s.table)));
        QSignalSpy spy(s.repository.get(), s.changed);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^%1::\\w+ failed:").arg(s.className)));
        QVERIFY(!s.renumber({QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(storedColumn(m_store->db(), s.table, QStringLiteral("a"), s.orderColumn), QStringLiteral("1"));
        QCOMPARE(storedColumn(m_store->db(), s.table, QStringLiteral("b"), s.orderColumn), QStringLiteral("2"));
        // The connection is usable again: the transaction was closed.
        QVERIFY(s.renumber({QStringLiteral("a")}));
        QCOMPARE(storedColumn(m_store->db(), s.table, QStringLiteral("a"), s.orderColumn), QStringLiteral("10"));
    }

    void insertedRuleReadsBackEveryField()
    {
        FilterRuleRepository repository(m_store->db());
        QSignalSpy spy(&repository, &FilterRuleRepository::filterRulesChanged);
        FilterRule r = rule(QStringLiteral("r1"), QStringLiteral("Standups"), 42);
        r.type = QStringLiteral("specific");
        r.enabled = false;
        r.calendar_ids = QStringLiteral("[\"cal-1\"]");
        r.conditions = QStringLiteral("{\"runtimeType\":\"specific\"}");
        r.action = QStringLiteral("dim");
        r.event_uid = QStringLiteral("uid-9");
        r.event_calendar_id = QStringLiteral("cal-1");
        r.suppress_reminders = true;
        QVERIFY(repository.insert(r));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(repository.getById(QStringLiteral("r1")).value_or(FilterRule()), r);
        QCOMPARE(storedColumn(m_store->db(), QStringLiteral("filter_rules"), QStringLiteral("r1"),
                              QStringLiteral("created_at")),
                 QStringLiteral("2025-03-04T05:06:07Z"));
    }

    void setEnabledMovesRuleOutOfEnabledList()
    {
        FilterRuleRepository repository(m_store->db());
        QVERIFY(repository.insert(rule(QStringLiteral("a"), QStringLiteral("A"))));
        QVERIFY(repository.insert(rule(QStringLiteral("b"), QStringLiteral("B"))));
        QSignalSpy spy(&repository, &FilterRuleRepository::filterRulesChanged);
        auto enabledIds = [&] {
            QStringList ids;
            for (const FilterRule &r : repository.getEnabled())
                ids << r.id;
            return ids;
        };
        QVERIFY(repository.setEnabled(QStringLiteral("a"), false));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(enabledIds(), QStringList{"b"});
        QCOMPARE(repository.getAll().size(), 2);
        QCOMPARE(storedColumn(m_store->db(), QStringLiteral("filter_rules"), QStringLiteral("a"),
                              QStringLiteral("sync_status")),
                 QStringLiteral("pending"));

        QVERIFY(repository.setEnabled(QStringLiteral("a"), true));
        QCOMPARE(enabledIds(), (QStringList{"a", "b"}));
        QVERIFY(repository.remove(QStringLiteral("b")));
        QCOMPARE(enabledIds(), QStringList{"a"});
        // Setting a rule that does not exist fails and stays silent.
        QVERIFY(!repository.setEnabled(QStringLiteral("nobody"), false));
        QCOMPARE(spy.count(), 3);
    }

    void emptyDeletedAtReadsAsNoTombstone()
    {
        QVERIFY(m_store->exec(QStringLiteral("INSERT INTO filter_rules (id, name, type, conditions, event_uid, "
                                             "deleted_at) VALUES ('raw', 'Raw', 'time', '{}', NULL, '')")));
        QVERIFY(m_store->exec(QStringLiteral("INSERT INTO calendar_views (id, name, color, deleted_at) "
                                             "VALUES ('raw', 'Raw', NULL, '')")));
        FilterRuleRepository rules(m_store->db());
        const FilterRule r = rules.getById(QStringLiteral("raw")).value_or(FilterRule());
        QVERIFY(!r.deleted_at);
        QVERIFY(r.event_uid.isEmpty());
        QCOMPARE(r.priority, 100);
        QCOMPARE(r.action, QStringLiteral("hide"));
        // Lists take any tombstone text, even an empty one, as deleted.
        QVERIFY(rules.getAll().isEmpty());

        ViewRepository groups(m_store->db());
        const CalendarView v = groups.getById(QStringLiteral("raw")).value_or(CalendarView());
        QVERIFY(v.color.isEmpty());
        QVERIFY(!v.deleted_at);
        QCOMPARE(v.calendar_ids, QStringLiteral("[]"));
    }

    void freshDatabaseListsOnlyAllCalendars()
    {
        ViewRepository repository(m_store->db());
        const QList<CalendarView> all = repository.getAll();
        QCOMPARE(all.size(), 1);
        // The seed row carries SQLite's own stamps, which must still read as times.
        QVERIFY(all.first().created_at.isValid());
        QVERIFY(all.first().updated_at.isValid());
        CalendarView seed;
        seed.id = QStringLiteral("all-calendars");
        seed.name = QStringLiteral("All Calendars");
        seed.is_default = true;
        seed.sync_status = SyncStatus::Synced;
        seed.created_at = all.first().created_at;
        seed.updated_at = all.first().updated_at;
        QCOMPARE(all.first(), seed);
        // The built-in group is protected by the dialogs, not here.
        QVERIFY(repository.remove(seed.id));
        QVERIFY(repository.getAll().isEmpty());
    }

    void defaultGroupsListFirst()
    {
        ViewRepository repository(m_store->db());
        CalendarView lateDefault = group(QStringLiteral("late"), QStringLiteral("Late default"), 50);
        lateDefault.is_default = true;
        CalendarView home = group(QStringLiteral("home"), QStringLiteral("Home"), -5);
        home.is_default = true;
        QVERIFY(repository.insert(lateDefault));
        QVERIFY(repository.insert(group(QStringLiteral("early"), QStringLiteral("Early"), -10)));
        QVERIFY(repository.insert(home));
        QStringList listed;
        for (const CalendarView &v : repository.getAll())
            listed << v.name;
        QCOMPARE(listed, (QStringList{"Home", "All Calendars", "Late default", "Early"}));
    }

    void insertedGroupReadsBackEveryField()
    {
        ViewRepository repository(m_store->db());
        QSignalSpy spy(&repository, &ViewRepository::viewsChanged);
        const CalendarView v = group(QStringLiteral("g1"), QStringLiteral("Work"), 40);
        QVERIFY(repository.insert(v));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(repository.getById(QStringLiteral("g1")).value_or(CalendarView()), v);
        QCOMPARE(storedColumn(m_store->db(), QStringLiteral("calendar_views"), QStringLiteral("g1"),
                              QStringLiteral("deleted_at")),
                 QStringLiteral("<null>"));
    }

    void insertedTemplateWithoutIdGetsFreshUuidAndOneStamp()
    {
        TemplateRepository repository(m_store->db());
        QSignalSpy spy(&repository, &TemplateRepository::templatesChanged);
        EventTemplate t = preset(QString(), QStringLiteral("Standup"));
        t.description = QStringLiteral("Daily");
        t.location = QStringLiteral("Room 4");
        t.color = QStringLiteral("#00FF00");
        t.is_all_day = true;
        t.duration_minutes = 15;
        t.recurrence_rule = QStringLiteral("FREQ=DAILY");
        t.calendar_id = QStringLiteral("cal-1");
        t.reminders = {10};
        t.created_at = QDateTime();
        QVERIFY(repository.insert(t));
        QCOMPARE(spy.count(), 1);

        const QList<EventTemplate> all = repository.getAll();
        QCOMPARE(all.size(), 1);
        const EventTemplate &read = all.first();
        QCOMPARE(read.id.size(), 36);
        QVERIFY(!QUuid::fromString(read.id).isNull());
        QVERIFY(read.created_at.isValid());
        QCOMPARE(read.updated_at, read.created_at);
        QCOMPARE(storedColumn(m_store->db(), QStringLiteral("event_templates"), read.id, QStringLiteral("sync_status")),
                 QStringLiteral("pending"));
        t.id = read.id;
        t.created_at = read.created_at;
        t.updated_at = read.updated_at;
        QCOMPARE(read, t);
    }

    void templateRemindersWrite_data()
    {
        QTest::addColumn<QList<int>>("reminders");
        QTest::addColumn<QString>("stored");
        QTest::newRow("compact, order kept") << QList<int>{60, 0, -15} << QStringLiteral("[60,0,-15]");
        QTest::newRow("none is an empty array, not the default") << QList<int>{} << QStringLiteral("[]");
    }

    void templateRemindersWrite()
    {
        QFETCH(QList<int>, reminders);
        QFETCH(QString, stored);
        TemplateRepository repository(m_store->db());
        EventTemplate t = preset(QStringLiteral("t"), QStringLiteral("T"));
        t.reminders = reminders;
        QVERIFY(repository.insert(t));
        QCOMPARE(storedColumn(m_store->db(), QStringLiteral("event_templates"), QStringLiteral("t"),
                              QStringLiteral("reminders")),
                 stored);
        QCOMPARE(repository.getById(QStringLiteral("t"))->reminders, reminders);

        t.reminders.append(99);
        QVERIFY(repository.update(t));
        QCOMPARE(repository.getById(QStringLiteral("t"))->reminders, t.reminders);
    }

    void templateRemindersRead_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("column default") << QStringLiteral("[15]") << QList<int>{15};
        QTest::newRow("string skipped, fraction as 0")
            << QStringLiteral("[15, \"x\", 7.5]") << QList<int>{15, 0};
        QTest::newRow("beyond int as 0") << QStringLiteral("[5000000000, 3]") << QList<int>{0, 3};
        QTest::newRow("not json") << QStringLiteral("fifteen") << QList<int>{};
        QTest::newRow("empty text") << QString() << QList<int>{};
        QTest::newRow("null, bool and nested skipped")
            << QStringLiteral("[null, true, [1], 45]") << QList<int>{45};
    }

    void templateRemindersRead()
    {
        QFETCH(QString, stored);
        QFETCH(QList<int>, expected);
        QSqlQuery q(m_store->db()->database());
        q.prepare(QStringLiteral("INSERT INTO event_templates (id, name, title, reminders) VALUES ('raw', 'Raw', 'Raw', ?)"));
        q.addBindValue(stored.isNull() ? QStringLiteral("") : stored);
        QVERIFY(q.exec());
        TemplateRepository repository(m_store->db());
        QCOMPARE(repository.getById(QStringLiteral("raw")).value_or(EventTemplate()).reminders, expected);
        QCOMPARE(TemplateRepository::remindersFromJson(stored), expected);
    }

private:
    std::unique_ptr<TestStore> m_store;
};

QTEST_GUILESS_MAIN(TestConfigurationRepositories)
#include "tst_configurationrepositories.moc"
