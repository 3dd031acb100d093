#include "store/database.h"
#include "store/templaterepository.h"
#include "tests/support/tempdatadir.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>
#include <QUuid>

#include <memory>

class TestTemplateRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void insertWithoutIdGetsFreshUuidAndOneStamp();
    void insertKeepsGivenIdAndCreated();
    void remindersWrite_data();
    void remindersWrite();
    void remindersRead_data();
    void remindersRead();
    void removeHidesTemplateFromLookupsButNotFromSync();
    void updateMarksPendingAndStampsNow();
    void equalSortOrderListsByName();
    void failingInsertLogsAndStaysSilent();
    void writesMatchingNoRowSucceed_data();
    void writesMatchingNoRowSucceed();

private:
    EventTemplate preset(const QString &id, const QString &name, int sortOrder = 0) const;
    QString column(const QString &id, const QString &name) const;

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<TemplateRepository> m_repo;
};

void TestTemplateRepository::init()
{
    m_dir = std::make_unique<TempDataDir>();
    QVERIFY(m_dir->isValid());
    m_db = std::make_unique<Database>();
    QVERIFY(m_db->open(m_dir->databasePath()));
    QVERIFY(m_db->migrate());
    m_repo = std::make_unique<TemplateRepository>(m_db.get());
}

void TestTemplateRepository::cleanup()
{
    m_repo.reset();
    m_db.reset();
    m_dir.reset();
}

EventTemplate TestTemplateRepository::preset(const QString &id, const QString &name, int sortOrder) const
{
    EventTemplate t;
    t.id = id;
    t.name = name;
    t.title = name + QStringLiteral(" title");
    t.sort_order = sortOrder;
    return t;
}

QString TestTemplateRepository::column(const QString &id, const QString &name) const
{
    QSqlQuery q(m_db->database());
    q.prepare(QStringLiteral("SELECT %1 FROM event_templates WHERE id = ?").arg(name));
    q.addBindValue(id);
    if (!q.exec() || !q.next())
        return QStringLiteral("<no row>");
    return q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString();
}

void TestTemplateRepository::insertWithoutIdGetsFreshUuidAndOneStamp()
{
    QSignalSpy spy(m_repo.get(), &TemplateRepository::templatesChanged);
    EventTemplate t = preset(QString(), QStringLiteral("Standup"));
    t.description = QStringLiteral("Daily");
    t.location = QStringLiteral("Room 4");
    t.color = QStringLiteral("#00FF00");
    t.is_all_day = true;
    t.duration_minutes = 15;
    t.recurrence_rule = QStringLiteral("FREQ=DAILY");
    t.calendar_id = QStringLiteral("cal-1");
    QVERIFY(m_repo->insert(t));
    QCOMPARE(spy.count(), 1);

    const QList<EventTemplate> all = m_repo->getAll();
    QCOMPARE(all.size(), 1);
    const EventTemplate &read = all.first();
    QCOMPARE(read.id.size(), 36);
    QVERIFY(!QUuid::fromString(read.id).isNull());
    QVERIFY(!read.id.startsWith(QLatin1Char('{')));
    QCOMPARE(column(read.id, QStringLiteral("sync_status")), QStringLiteral("pending"));
    QCOMPARE(column(read.id, QStringLiteral("created_at")), column(read.id, QStringLiteral("updated_at")));
    QVERIFY(read.created_at.isValid());
    QCOMPARE(read.title, QStringLiteral("Standup title"));
    QCOMPARE(read.description, QStringLiteral("Daily"));
    QCOMPARE(read.location, QStringLiteral("Room 4"));
    QCOMPARE(read.color, QStringLiteral("#00FF00"));
    QVERIFY(read.is_all_day);
    QCOMPARE(read.duration_minutes, 15);
    QCOMPARE(read.recurrence_rule, QStringLiteral("FREQ=DAILY"));
    QCOMPARE(read.calendar_id, QStringLiteral("cal-1"));
    QVERIFY(!read.deleted_at);
}

void TestTemplateRepository::insertKeepsGivenIdAndCreated()
{
    EventTemplate t = preset(QStringLiteral("tpl-1"), QStringLiteral("Lunch"));
    t.created_at = QDateTime(QDate(2024, 6, 1), QTime(8, 0), QTimeZone::utc());
    t.updated_at = QDateTime(QDate(2024, 6, 2), QTime(8, 0), QTimeZone::utc());
    QVERIFY(m_repo->insert(t));
    QCOMPARE(column(QStringLiteral("tpl-1"), QStringLiteral("created_at")),
             QStringLiteral("2024-06-01T08:00:00Z"));
    // updated_at is always the time of the write.
    const EventTemplate read = *m_repo->getById(QStringLiteral("tpl-1"));
    QVERIFY(read.updated_at > QDateTime(QDate(2025, 1, 1), QTime(0, 0), QTimeZone::utc()));
}

void TestTemplateRepository::remindersWrite_data()
{
    QTest::addColumn<QList<int>>("reminders");
    QTest::addColumn<QString>("stored");
    QTest::newRow("two, compact") << QList<int>{10, 30} << QStringLiteral("[10,30]");
    QTest::newRow("none is an empty array, not the default") << QList<int>{} << QStringLiteral("[]");
    QTest::newRow("order kept") << QList<int>{60, 0, 5} << QStringLiteral("[60,0,5]");
    QTest::newRow("negative") << QList<int>{-15} << QStringLiteral("[-15]");
}

void TestTemplateRepository::remindersWrite()
{
    QFETCH(QList<int>, reminders);
    QFETCH(QString, stored);
    EventTemplate t = preset(QStringLiteral("t"), QStringLiteral("T"));
    t.reminders = reminders;
    QVERIFY(m_repo->insert(t));
    QCOMPARE(column(QStringLiteral("t"), QStringLiteral("reminders")), stored);
    QCOMPARE(m_repo->getById(QStringLiteral("t"))->reminders, reminders);

    t.reminders.append(99);
    QVERIFY(m_repo->update(t));
    QCOMPARE(m_repo->getById(QStringLiteral("t"))->reminders, t.reminders);
}

void TestTemplateRepository::remindersRead_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("column default") << QStringLiteral("[15]") << QList<int>{15};
    QTest::newRow("string skipped, fraction as 0")
        << QStringLiteral("[15, \"x\", 7.5]") << QList<int>{15, 0};
    QTest::newRow("beyond int as 0") << QStringLiteral("[5000000000, 3]") << QList<int>{0, 3};
    QTest::newRow("whole double") << QStringLiteral("[30.0]") << QList<int>{30};
    QTest::newRow("not json") << QStringLiteral("fifteen") << QList<int>{};
    QTest::newRow("object") << QStringLiteral("{\"a\":1}") << QList<int>{};
    QTest::newRow("empty text") << QString() << QList<int>{};
    QTest::newRow("null, bool and nested skipped")
        << QStringLiteral("[null, true, [1], 45]") << QList<int>{45};
}

void TestTemplateRepository::remindersRead()
{
    QFETCH(QString, stored);
    QFETCH(QList<int>, expected);
    QSqlQuery q(m_db->database());
    q.prepare(QStringLiteral("INSERT INTO event_templates (id, name, title, reminders) VALUES ('raw', 'Raw', 'Raw', ?)"));
    q.addBindValue(stored.isNull() ? QStringLiteral("") : stored);
    QVERIFY(q.exec());
    const std::optional<EventTemplate> t = m_repo->getById(QStringLiteral("raw"));
    QVERIFY(t);
    QCOMPARE(t->reminders, expected);
    QCOMPARE(TemplateRepository::remindersFromJson(stored), expected);
}

void TestTemplateRepository::removeHidesTemplateFromLookupsButNotFromSync()
{
    QVERIFY(m_repo->insert(preset(QStringLiteral("t"), QStringLiteral("T"))));
    QSignalSpy spy(m_repo.get(), &TemplateRepository::templatesChanged);
    QVERIFY(m_repo->remove(QStringLiteral("t")));
    QCOMPARE(spy.count(), 1);
    const QString deleted = column(QStringLiteral("t"), QStringLiteral("deleted_at"));
    QVERIFY(deleted.endsWith(QLatin1Char('Z')));
    QCOMPARE(column(QStringLiteral("t"), QStringLiteral("updated_at")), deleted);
    QVERIFY(m_repo->getAll().isEmpty());
    QVERIFY(!m_repo->getById(QStringLiteral("t")));
    const QList<EventTemplate> sync = m_repo->getAllIncludingDeleted();
    QCOMPARE(sync.size(), 1);
    QVERIFY(sync.first().deleted_at);

    QVERIFY(m_repo->hardDelete(QStringLiteral("t")));
    QVERIFY(m_repo->getAllIncludingDeleted().isEmpty());
    QCOMPARE(spy.count(), 2);
}

void TestTemplateRepository::updateMarksPendingAndStampsNow()
{
    EventTemplate t = preset(QStringLiteral("t"), QStringLiteral("T"));
    t.created_at = QDateTime(QDate(2024, 1, 1), QTime(0, 0), QTimeZone::utc());
    QVERIFY(m_repo->insert(t));
    QSqlQuery q(m_db->database());
    QVERIFY(q.exec(QStringLiteral("UPDATE event_templates SET sync_status = 'synced', "
                                  "updated_at = '2024-01-01T00:00:00Z'")));

    t.title = QStringLiteral("Changed");
    t.duration_minutes = 90;
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    QVERIFY(m_repo->update(t));
    const EventTemplate read = *m_repo->getById(QStringLiteral("t"));
    QCOMPARE(read.title, QStringLiteral("Changed"));
    QCOMPARE(read.duration_minutes, 90);
    QCOMPARE(column(QStringLiteral("t"), QStringLiteral("sync_status")), QStringLiteral("pending"));
    QCOMPARE(read.created_at, t.created_at);
    QVERIFY(read.updated_at >= before);
}

void TestTemplateRepository::equalSortOrderListsByName()
{
    QVERIFY(m_repo->insert(preset(QStringLiteral("1"), QStringLiteral("Zoo"), 5)));
    QVERIFY(m_repo->insert(preset(QStringLiteral("2"), QStringLiteral("Alpha"), 5)));
    QVERIFY(m_repo->insert(preset(QStringLiteral("3"), QStringLiteral("Mid"), 1)));
    QStringList listed;
    for (const EventTemplate &t : m_repo->getAll())
        listed << t.name;
    QCOMPARE(listed, (QStringList{"Mid", "Alpha", "Zoo"}));
}

void TestTemplateRepository::failingInsertLogsAndStaysSilent()
{
    QVERIFY(m_repo->insert(preset(QStringLiteral("dup"), QStringLiteral("One"))));
    QSignalSpy spy(m_repo.get(), &TemplateRepository::templatesChanged);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^TemplateRepository::insert failed: .+")));
    QVERIFY(!m_repo->insert(preset(QStringLiteral("dup"), QStringLiteral("Two"))));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(m_repo->getById(QStringLiteral("dup"))->name, QStringLiteral("One"));
}

void TestTemplateRepository::writesMatchingNoRowSucceed_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("update") << QStringLiteral("update");
    QTest::newRow("remove") << QStringLiteral("remove");
    QTest::newRow("hardDelete") << QStringLiteral("hardDelete");
}

void TestTemplateRepository::writesMatchingNoRowSucceed()
{
    QFETCH(QString, operation);
    QSignalSpy spy(m_repo.get(), &TemplateRepository::templatesChanged);
    const QString id = QStringLiteral("nobody");
    bool ok = false;
    if (operation == QLatin1String("update"))
        ok = m_repo->update(preset(id, QStringLiteral("X")));
    else if (operation == QLatin1String("remove"))
        ok = m_repo->remove(id);
    else
        ok = m_repo->hardDelete(id);
    QVERIFY(ok);
    QCOMPARE(spy.count(), 1);
    QVERIFY(m_repo->getAllIncludingDeleted().isEmpty());
}

QTEST_GUILESS_MAIN(TestTemplateRepository)
#include "tst_templaterepository.moc"
