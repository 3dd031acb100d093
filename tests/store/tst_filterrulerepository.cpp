#include "store/database.h"
#include "store/filterrulerepository.h"
#include "tests/support/tempdatadir.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

#include <memory>

class TestFilterRuleRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void insertedRuleReadsBackEveryField();
    void listOrder_data();
    void listOrder();
    void setPriorityRenumbersInOneStampAndOneSignal();
    void setPriorityOfEmptyListTouchesNothing();
    void setPriorityRollsBackWhenOneStatementFails();
    void setEnabledMovesRuleOutOfEnabledList();
    void removeKeepsTombstoneForLookupsAndSync();
    void updateStampsNowAndKeepsCreatedAndTombstone();
    void emptyDeletedAtReadsAsNoTombstone();
    void failingInsertLogsAndStaysSilent();
    void writesMatchingNoRowSucceed_data();
    void writesMatchingNoRowSucceed();

private:
    FilterRule rule(const QString &id, const QString &name, int priority = 100) const;
    QString column(const QString &id, const QString &name) const;
    QStringList names(const QList<FilterRule> &rules) const;

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<FilterRuleRepository> m_repo;
};

void TestFilterRuleRepository::init()
{
    m_dir = std::make_unique<TempDataDir>();
    QVERIFY(m_dir->isValid());
    m_db = std::make_unique<Database>();
    QVERIFY(m_db->open(m_dir->databasePath()));
    QVERIFY(m_db->migrate());
    m_repo = std::make_unique<FilterRuleRepository>(m_db.get());
}

void TestFilterRuleRepository::cleanup()
{
    m_repo.reset();
    m_db.reset();
    m_dir.reset();
}

FilterRule TestFilterRuleRepository::rule(const QString &id, const QString &name, int priority) const
{
    FilterRule r;
    r.id = id;
    r.name = name;
    r.type = QStringLiteral("pattern");
    r.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"x\"]}");
    r.priority = priority;
    r.sync_status = QStringLiteral("synced");
    r.created_at = QDateTime(QDate(2025, 3, 4), QTime(5, 6, 7), QTimeZone::utc());
    r.updated_at = r.created_at;
    return r;
}

QString TestFilterRuleRepository::column(const QString &id, const QString &name) const
{
    QSqlQuery q(m_db->database());
    q.prepare(QStringLiteral("SELECT %1 FROM filter_rules WHERE id = ?").arg(name));
    q.addBindValue(id);
    if (!q.exec() || !q.next())
        return QStringLiteral("<no row>");
    return q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString();
}

QStringList TestFilterRuleRepository::names(const QList<FilterRule> &rules) const
{
    QStringList out;
    for (const FilterRule &r : rules)
        out << r.name;
    return out;
}

void TestFilterRuleRepository::insertedRuleReadsBackEveryField()
{
    QSignalSpy spy(m_repo.get(), &FilterRuleRepository::filterRulesChanged);
    FilterRule r = rule(QStringLiteral("r1"), QStringLiteral("Standups"), 42);
    r.type = QStringLiteral("specific");
    r.enabled = false;
    r.calendar_ids = QStringLiteral("[\"cal-1\"]");
    r.conditions = QStringLiteral("{\"runtimeType\":\"specific\"}");
    r.action = QStringLiteral("dim");
    r.event_uid = QStringLiteral("uid-9");
    r.event_calendar_id = QStringLiteral("cal-1");
    r.suppress_reminders = true;
    QVERIFY(m_repo->insert(r));
    QCOMPARE(spy.count(), 1);

    const FilterRule read = *m_repo->getById(QStringLiteral("r1"));
    QCOMPARE(read.name, r.name);
    QCOMPARE(read.type, r.type);
    QCOMPARE(read.enabled, false);
    QCOMPARE(read.calendar_ids, r.calendar_ids);
    QCOMPARE(read.conditions, r.conditions);
    QCOMPARE(read.action, r.action);
    QCOMPARE(read.priority, 42);
    QCOMPARE(read.event_uid, r.event_uid);
    QCOMPARE(read.event_calendar_id, r.event_calendar_id);
    QCOMPARE(read.suppress_reminders, true);
    QCOMPARE(read.sync_status, QStringLiteral("synced"));
    QCOMPARE(read.created_at, r.created_at);
    QCOMPARE(read.updated_at, r.updated_at);
    QVERIFY(!read.deleted_at);
    QCOMPARE(column(QStringLiteral("r1"), QStringLiteral("created_at")),
             QStringLiteral("2025-03-04T05:06:07Z"));
}

void TestFilterRuleRepository::listOrder_data()
{
    QTest::addColumn<QStringList>("ruleNames");
    QTest::addColumn<QList<int>>("priorities");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("priority before name")
        << QStringList{"A", "B"} << QList<int>{20, 10} << QStringList{"B", "A"};
    QTest::newRow("equal priority by name")
        << QStringList{"Work", "Gym", "Lunch"} << QList<int>{100, 100, 100}
        << QStringList{"Gym", "Lunch", "Work"};
    QTest::newRow("upper case sorts before lower case")
        << QStringList{"apple", "Banana"} << QList<int>{5, 5} << QStringList{"Banana", "apple"};
    QTest::newRow("negative priority first")
        << QStringList{"Zero", "Minus"} << QList<int>{0, -10} << QStringList{"Minus", "Zero"};
}

void TestFilterRuleRepository::listOrder()
{
    QFETCH(QStringList, ruleNames);
    QFETCH(QList<int>, priorities);
    QFETCH(QStringList, expected);
    for (int i = 0; i < ruleNames.size(); ++i)
        QVERIFY(m_repo->insert(rule(ruleNames.at(i), ruleNames.at(i), priorities.at(i))));
    QCOMPARE(names(m_repo->getAll()), expected);
    QCOMPARE(names(m_repo->getEnabled()), expected);
    QCOMPARE(names(m_repo->getAllIncludingDeleted()), expected);
}

void TestFilterRuleRepository::setPriorityRenumbersInOneStampAndOneSignal()
{
    QVERIFY(m_repo->insert(rule(QStringLiteral("a"), QStringLiteral("A"), 1)));
    QVERIFY(m_repo->insert(rule(QStringLiteral("b"), QStringLiteral("B"), 2)));
    QVERIFY(m_repo->insert(rule(QStringLiteral("c"), QStringLiteral("C"), 3)));
    QVERIFY(m_repo->insert(rule(QStringLiteral("d"), QStringLiteral("D"), 7)));
    QSignalSpy spy(m_repo.get(), &FilterRuleRepository::filterRulesChanged);
    QVERIFY(m_repo->setPriority({QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(spy.count(), 1);

    QCOMPARE(m_repo->getById(QStringLiteral("c"))->priority, 10);
    QCOMPARE(m_repo->getById(QStringLiteral("a"))->priority, 20);
    QCOMPARE(m_repo->getById(QStringLiteral("b"))->priority, 30);
    QCOMPARE(m_repo->getById(QStringLiteral("d"))->priority, 7);
    QCOMPARE(column(QStringLiteral("d"), QStringLiteral("sync_status")), QStringLiteral("synced"));
    const QString stamp = column(QStringLiteral("c"), QStringLiteral("updated_at"));
    QVERIFY(stamp != column(QStringLiteral("d"), QStringLiteral("updated_at")));
    for (const QString &id : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
        QCOMPARE(column(id, QStringLiteral("updated_at")), stamp);
        QCOMPARE(column(id, QStringLiteral("sync_status")), QStringLiteral("pending"));
    }
    QCOMPARE(names(m_repo->getAll()), (QStringList{"D", "C", "A", "B"}));
}

void TestFilterRuleRepository::setPriorityOfEmptyListTouchesNothing()
{
    QSignalSpy spy(m_repo.get(), &FilterRuleRepository::filterRulesChanged);
    QVERIFY(m_repo->setPriority({}));
    QCOMPARE(spy.count(), 0);
}

void TestFilterRuleRepository::setPriorityRollsBackWhenOneStatementFails()
{
    QVERIFY(m_repo->insert(rule(QStringLiteral("a"), QStringLiteral("A"), 1)));
    QVERIFY(m_repo->insert(rule(QStringLiteral("b"), QStringLiteral("B"), 2)));
    QSqlQuery trigger(m_db->database());
    QVERIFY(trigger.exec(QStringLiteral("CREATE TRIGGER refuse_b BEFORE UPDATE ON filter_rules "
                                        "WHEN NEW.id = 'b' BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    QSignalSpy spy(m_repo.get(), &FilterRuleRepository::filterRulesChanged);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^FilterRuleRepository::setPriority failed:")));
    QVERIFY(!m_repo->setPriority({QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(m_repo->getById(QStringLiteral("a"))->priority, 1);
    QCOMPARE(m_repo->getById(QStringLiteral("b"))->priority, 2);
    QCOMPARE(column(QStringLiteral("a"), QStringLiteral("sync_status")), QStringLiteral("synced"));
}

void TestFilterRuleRepository::setEnabledMovesRuleOutOfEnabledList()
{
    QVERIFY(m_repo->insert(rule(QStringLiteral("a"), QStringLiteral("A"))));
    QVERIFY(m_repo->insert(rule(QStringLiteral("b"), QStringLiteral("B"))));
    QSignalSpy spy(m_repo.get(), &FilterRuleRepository::filterRulesChanged);
    QVERIFY(m_repo->setEnabled(QStringLiteral("a"), false));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(names(m_repo->getEnabled()), QStringList{"B"});
    QCOMPARE(names(m_repo->getAll()), (QStringList{"A", "B"}));
    QCOMPARE(column(QStringLiteral("a"), QStringLiteral("enabled")), QStringLiteral("0"));
    QCOMPARE(column(QStringLiteral("a"), QStringLiteral("sync_status")), QStringLiteral("pending"));

    QVERIFY(m_repo->setEnabled(QStringLiteral("a"), true));
    QCOMPARE(column(QStringLiteral("a"), QStringLiteral("enabled")), QStringLiteral("1"));
    QCOMPARE(names(m_repo->getEnabled()), (QStringList{"A", "B"}));
}

void TestFilterRuleRepository::removeKeepsTombstoneForLookupsAndSync()
{
    QVERIFY(m_repo->insert(rule(QStringLiteral("a"), QStringLiteral("A"))));
    QVERIFY(m_repo->insert(rule(QStringLiteral("b"), QStringLiteral("B"))));
    QSignalSpy spy(m_repo.get(), &FilterRuleRepository::filterRulesChanged);
    QVERIFY(m_repo->remove(QStringLiteral("a")));
    QCOMPARE(spy.count(), 1);

    const QString deleted = column(QStringLiteral("a"), QStringLiteral("deleted_at"));
    QVERIFY(deleted.endsWith(QLatin1Char('Z')));
    QCOMPARE(column(QStringLiteral("a"), QStringLiteral("updated_at")), deleted);
    QCOMPARE(column(QStringLiteral("a"), QStringLiteral("sync_status")), QStringLiteral("pending"));
    QCOMPARE(names(m_repo->getAll()), QStringList{"B"});
    QCOMPARE(names(m_repo->getEnabled()), QStringList{"B"});
    QCOMPARE(names(m_repo->getAllIncludingDeleted()), (QStringList{"A", "B"}));
    const std::optional<FilterRule> tomb = m_repo->getById(QStringLiteral("a"));
    QVERIFY(tomb && tomb->deleted_at);

    QVERIFY(m_repo->hardDelete(QStringLiteral("a")));
    QCOMPARE(spy.count(), 2);
    QVERIFY(!m_repo->getById(QStringLiteral("a")));
}

void TestFilterRuleRepository::updateStampsNowAndKeepsCreatedAndTombstone()
{
    FilterRule r = rule(QStringLiteral("a"), QStringLiteral("A"));
    QVERIFY(m_repo->insert(r));
    QVERIFY(m_repo->remove(QStringLiteral("a")));
    const QString tombstone = column(QStringLiteral("a"), QStringLiteral("deleted_at"));

    r.name = QStringLiteral("Renamed");
    r.action = QStringLiteral("dim");
    r.sync_status = QStringLiteral("synced");
    r.created_at = QDateTime(QDate(2031, 1, 1), QTime(0, 0), QTimeZone::utc());
    r.updated_at = QDateTime(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    QVERIFY(m_repo->update(r));

    const FilterRule read = *m_repo->getById(QStringLiteral("a"));
    QCOMPARE(read.name, QStringLiteral("Renamed"));
    QCOMPARE(read.action, QStringLiteral("dim"));
    QCOMPARE(read.sync_status, QStringLiteral("synced"));
    QCOMPARE(column(QStringLiteral("a"), QStringLiteral("created_at")),
             QStringLiteral("2025-03-04T05:06:07Z"));
    QCOMPARE(column(QStringLiteral("a"), QStringLiteral("deleted_at")), tombstone);
    QVERIFY(read.updated_at >= before);
    QVERIFY(read.updated_at <= QDateTime::currentDateTimeUtc().addSecs(1));
}

void TestFilterRuleRepository::emptyDeletedAtReadsAsNoTombstone()
{
    QSqlQuery q(m_db->database());
    QVERIFY(q.exec(QStringLiteral("INSERT INTO filter_rules (id, name, type, conditions, event_uid, "
                                  "deleted_at) VALUES ('raw', 'Raw', 'time', '{}', NULL, '')")));
    const std::optional<FilterRule> r = m_repo->getById(QStringLiteral("raw"));
    QVERIFY(r);
    QVERIFY(!r->deleted_at);
    QVERIFY(r->event_uid.isEmpty());
    QCOMPARE(r->priority, 100);
    QCOMPARE(r->action, QStringLiteral("hide"));
    QCOMPARE(r->calendar_ids, QStringLiteral("[]"));
    // An empty tombstone text is not a tombstone for the lists either.
    QCOMPARE(names(m_repo->getAll()), QStringList());
}

void TestFilterRuleRepository::failingInsertLogsAndStaysSilent()
{
    QVERIFY(m_repo->insert(rule(QStringLiteral("dup"), QStringLiteral("One"))));
    QSignalSpy spy(m_repo.get(), &FilterRuleRepository::filterRulesChanged);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^FilterRuleRepository::insert failed: .+")));
    QVERIFY(!m_repo->insert(rule(QStringLiteral("dup"), QStringLiteral("Two"))));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(names(m_repo->getAll()), QStringList{"One"});
}

void TestFilterRuleRepository::writesMatchingNoRowSucceed_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("update") << QStringLiteral("update");
    QTest::newRow("setEnabled") << QStringLiteral("setEnabled");
    QTest::newRow("remove") << QStringLiteral("remove");
    QTest::newRow("hardDelete") << QStringLiteral("hardDelete");
    QTest::newRow("setPriority") << QStringLiteral("setPriority");
}

void TestFilterRuleRepository::writesMatchingNoRowSucceed()
{
    QFETCH(QString, operation);
    QSignalSpy spy(m_repo.get(), &FilterRuleRepository::filterRulesChanged);
    const QString id = QStringLiteral("nobody");
    bool ok = false;
    if (operation == QLatin1String("update"))
        ok = m_repo->update(rule(id, QStringLiteral("X")));
    else if (operation == QLatin1String("setEnabled"))
        ok = m_repo->setEnabled(id, false);
    else if (operation == QLatin1String("remove"))
        ok = m_repo->remove(id);
    else if (operation == QLatin1String("hardDelete"))
        ok = m_repo->hardDelete(id);
    else
        ok = m_repo->setPriority({id});
    QVERIFY(ok);
    QCOMPARE(spy.count(), 1);
    QVERIFY(m_repo->getAllIncludingDeleted().isEmpty());
}

QTEST_GUILESS_MAIN(TestFilterRuleRepository)
#include "tst_filterrulerepository.moc"
