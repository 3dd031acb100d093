#include "store/database.h"
#include "store/storedtime.h"
#include "store/viewrepository.h"
#include "tests/support/tempdatadir.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

#include <memory>

class TestViewRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void freshDatabaseListsOnlyAllCalendars();
    void insertedGroupReadsBack();
    void listOrder_data();
    void listOrder();
    void reorderStampsEveryRowOnceAndSignalsOnce();
    void reorderOfEmptyListTouchesNothing();
    void reorderRollsBackWhenOneStatementFails();
    void removeKeepsTombstoneForLookupsAndSync();
    void removeOfBuiltInGroupIsLeftToCallers();
    void nullColorAndEmptyDeletedAtReadAsEmpty();
    void updateStampsNowAndKeepsCreated();
    void failingInsertLogsAndStaysSilent();
    void writesMatchingNoRowSucceed_data();
    void writesMatchingNoRowSucceed();

private:
    CalendarView group(const QString &id, const QString &name, bool isDefault = false,
                       int sortOrder = 0) const;
    QString column(const QString &id, const QString &name) const;
    void exec(const QString &sql);

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<ViewRepository> m_repo;
};

void TestViewRepository::init()
{
    m_dir = std::make_unique<TempDataDir>();
    QVERIFY(m_dir->isValid());
    m_db = std::make_unique<Database>();
    QVERIFY(m_db->open(m_dir->databasePath()));
    QVERIFY(m_db->migrate());
    m_repo = std::make_unique<ViewRepository>(m_db.get());
}

void TestViewRepository::cleanup()
{
    m_repo.reset();
    m_db.reset();
    m_dir.reset();
}

CalendarView TestViewRepository::group(const QString &id, const QString &name, bool isDefault,
                                       int sortOrder) const
{
    CalendarView v;
    v.id = id;
    v.name = name;
    v.color = QStringLiteral("#123456");
    v.calendar_ids = QStringLiteral("[\"cal-a\",\"cal-b\"]");
    v.is_default = isDefault;
    v.sort_order = sortOrder;
    v.created_at = QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5), QTimeZone::utc());
    v.updated_at = v.created_at;
    return v;
}

QString TestViewRepository::column(const QString &id, const QString &name) const
{
    QSqlQuery q(m_db->database());
    q.prepare(QStringLiteral("SELECT %1 FROM calendar_views WHERE id = ?").arg(name));
    q.addBindValue(id);
    if (!q.exec() || !q.next())
        return QStringLiteral("<no row>");
    return q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString();
}

void TestViewRepository::exec(const QString &sql)
{
    QSqlQuery q(m_db->database());
    QVERIFY2(q.exec(sql), qPrintable(sql));
}

void TestViewRepository::freshDatabaseListsOnlyAllCalendars()
{
    const QList<CalendarView> all = m_repo->getAll();
    QCOMPARE(all.size(), 1);
    QCOMPARE(all.first().id, QStringLiteral("all-calendars"));
    QCOMPARE(all.first().name, QStringLiteral("All Calendars"));
    QCOMPARE(all.first().calendar_ids, QStringLiteral("[]"));
    QVERIFY(all.first().is_default);
    QCOMPARE(all.first().sync_status, QStringLiteral("synced"));
    QVERIFY(!all.first().deleted_at);
    // The seed row carries SQLite's own stamp, which must still read as a time.
    QVERIFY(all.first().created_at.isValid());
}

void TestViewRepository::insertedGroupReadsBack()
{
    QSignalSpy spy(m_repo.get(), &ViewRepository::viewsChanged);
    CalendarView v = group(QStringLiteral("g1"), QStringLiteral("Work"), false, 40);
    v.sync_status = QStringLiteral("synced");
    QVERIFY(m_repo->insert(v));
    QCOMPARE(spy.count(), 1);

    const std::optional<CalendarView> read = m_repo->getById(QStringLiteral("g1"));
    QVERIFY(read);
    QCOMPARE(read->name, QStringLiteral("Work"));
    QCOMPARE(read->color, QStringLiteral("#123456"));
    QCOMPARE(read->calendar_ids, v.calendar_ids);
    QCOMPARE(read->sort_order, 40);
    QCOMPARE(read->sync_status, QStringLiteral("synced"));
    QCOMPARE(read->created_at, v.created_at);
    QCOMPARE(column(QStringLiteral("g1"), QStringLiteral("created_at")),
             QStringLiteral("2025-01-02T03:04:05Z"));
    QCOMPARE(column(QStringLiteral("g1"), QStringLiteral("deleted_at")), QStringLiteral("<null>"));
}

void TestViewRepository::listOrder_data()
{
    // Each row: id/name, is_default, sort_order; the seeded group is always there.
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<bool>>("defaults");
    QTest::addColumn<QList<int>>("orders");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("default before lower sort order")
        << QStringList{"Late default", "Early"} << QList<bool>{true, false} << QList<int>{50, 10}
        << QStringList{"All Calendars", "Late default", "Early"};
    QTest::newRow("sort order before name")
        << QStringList{"A", "B", "C"} << QList<bool>{false, false, false} << QList<int>{30, 10, 20}
        << QStringList{"All Calendars", "B", "C", "A"};
    QTest::newRow("equal sort order by name, bytes")
        << QStringList{"beta", "Zed", "alpha"} << QList<bool>{false, false, false}
        << QList<int>{0, 0, 0} << QStringList{"All Calendars", "Zed", "alpha", "beta"};
    QTest::newRow("two defaults by sort order")
        << QStringList{"Home"} << QList<bool>{true} << QList<int>{-5}
        << QStringList{"Home", "All Calendars"};
}

void TestViewRepository::listOrder()
{
    QFETCH(QStringList, names);
    QFETCH(QList<bool>, defaults);
    QFETCH(QList<int>, orders);
    QFETCH(QStringList, expected);
    for (int i = 0; i < names.size(); ++i)
        QVERIFY(m_repo->insert(group(names.at(i), names.at(i), defaults.at(i), orders.at(i))));

    QStringList listed;
    for (const CalendarView &v : m_repo->getAll())
        listed << v.name;
    QCOMPARE(listed, expected);
}

void TestViewRepository::reorderStampsEveryRowOnceAndSignalsOnce()
{
    for (const QString &id : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
        CalendarView v = group(id, id);
        v.sync_status = QStringLiteral("synced");
        QVERIFY(m_repo->insert(v));
    }
    QSignalSpy spy(m_repo.get(), &ViewRepository::viewsChanged);
    QVERIFY(m_repo->reorder({QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(spy.count(), 1);

    QCOMPARE(m_repo->getById(QStringLiteral("c"))->sort_order, 10);
    QCOMPARE(m_repo->getById(QStringLiteral("a"))->sort_order, 20);
    QCOMPARE(m_repo->getById(QStringLiteral("b"))->sort_order, 30);
    const QString stamp = column(QStringLiteral("c"), QStringLiteral("updated_at"));
    QVERIFY(stamp.endsWith(QLatin1Char('Z')));
    for (const QString &id : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
        QCOMPARE(column(id, QStringLiteral("updated_at")), stamp);
        QCOMPARE(column(id, QStringLiteral("sync_status")), QStringLiteral("pending"));
    }
    // Groups not named keep their place.
    QCOMPARE(m_repo->getById(QStringLiteral("all-calendars"))->sort_order, 0);
}

void TestViewRepository::reorderOfEmptyListTouchesNothing()
{
    QSignalSpy spy(m_repo.get(), &ViewRepository::viewsChanged);
    QVERIFY(m_repo->reorder({}));
    QCOMPARE(spy.count(), 0);
}

void TestViewRepository::reorderRollsBackWhenOneStatementFails()
{
    QVERIFY(m_repo->insert(group(QStringLiteral("a"), QStringLiteral("A"), false, 1)));
    QVERIFY(m_repo->insert(group(QStringLiteral("b"), QStringLiteral("B"), false, 2)));
    exec(QStringLiteral("CREATE TRIGGER refuse_b BEFORE UPDATE ON calendar_views "
                        "WHEN NEW.id = 'b' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    QSignalSpy spy(m_repo.get(), &ViewRepository::viewsChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^ViewRepository::reorder failed:")));
    QVERIFY(!m_repo->reorder({QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(m_repo->getById(QStringLiteral("a"))->sort_order, 1);
    QCOMPARE(m_repo->getById(QStringLiteral("b"))->sort_order, 2);
    // The connection is usable again: the transaction was closed.
    QVERIFY(m_repo->reorder({QStringLiteral("a")}));
    QCOMPARE(m_repo->getById(QStringLiteral("a"))->sort_order, 10);
}

void TestViewRepository::removeKeepsTombstoneForLookupsAndSync()
{
    QVERIFY(m_repo->insert(group(QStringLiteral("g"), QStringLiteral("Gone"))));
    QSignalSpy spy(m_repo.get(), &ViewRepository::viewsChanged);
    QVERIFY(m_repo->remove(QStringLiteral("g")));
    QCOMPARE(spy.count(), 1);

    const QString deleted = column(QStringLiteral("g"), QStringLiteral("deleted_at"));
    QCOMPARE(column(QStringLiteral("g"), QStringLiteral("updated_at")), deleted);
    QCOMPARE(column(QStringLiteral("g"), QStringLiteral("sync_status")), QStringLiteral("pending"));

    for (const CalendarView &v : m_repo->getAll())
        QVERIFY(v.id != QStringLiteral("g"));
    const std::optional<CalendarView> tomb = m_repo->getById(QStringLiteral("g"));
    QVERIFY(tomb);
    QVERIFY(tomb->deleted_at && tomb->deleted_at->isValid());
    bool inSyncList = false;
    for (const CalendarView &v : m_repo->getAllIncludingDeleted())
        inSyncList = inSyncList || v.id == QStringLiteral("g");
    QVERIFY(inSyncList);

    QVERIFY(m_repo->hardDelete(QStringLiteral("g")));
    QVERIFY(!m_repo->getById(QStringLiteral("g")));
    QCOMPARE(spy.count(), 2);
}

void TestViewRepository::removeOfBuiltInGroupIsLeftToCallers()
{
    QVERIFY(m_repo->remove(QStringLiteral("all-calendars")));
    QVERIFY(m_repo->getAll().isEmpty());
}

void TestViewRepository::nullColorAndEmptyDeletedAtReadAsEmpty()
{
    exec(QStringLiteral("INSERT INTO calendar_views (id, name, color, deleted_at) "
                        "VALUES ('raw', 'Raw', NULL, '')"));
    const std::optional<CalendarView> v = m_repo->getById(QStringLiteral("raw"));
    QVERIFY(v);
    QVERIFY(v->color.isEmpty());
    QVERIFY(!v->deleted_at);
    QCOMPARE(v->calendar_ids, QStringLiteral("[]"));
    QCOMPARE(v->sync_status, QStringLiteral("pending"));
}

void TestViewRepository::updateStampsNowAndKeepsCreated()
{
    CalendarView v = group(QStringLiteral("g"), QStringLiteral("Old"));
    QVERIFY(m_repo->insert(v));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    v.name = QStringLiteral("New");
    v.calendar_ids = QStringLiteral("[\"x\"]");
    v.sync_status = QStringLiteral("pending");
    v.created_at = QDateTime(QDate(2030, 1, 1), QTime(0, 0), QTimeZone::utc());
    QVERIFY(m_repo->update(v));

    const CalendarView read = *m_repo->getById(QStringLiteral("g"));
    QCOMPARE(read.name, QStringLiteral("New"));
    QCOMPARE(read.calendar_ids, QStringLiteral("[\"x\"]"));
    QCOMPARE(read.created_at, QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5), QTimeZone::utc()));
    QVERIFY(read.updated_at >= before);
    QVERIFY(read.updated_at <= QDateTime::currentDateTimeUtc().addSecs(1));
}

void TestViewRepository::failingInsertLogsAndStaysSilent()
{
    QVERIFY(m_repo->insert(group(QStringLiteral("dup"), QStringLiteral("One"))));
    QSignalSpy spy(m_repo.get(), &ViewRepository::viewsChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^ViewRepository::insert failed: .+")));
    QVERIFY(!m_repo->insert(group(QStringLiteral("dup"), QStringLiteral("Two"))));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(m_repo->getById(QStringLiteral("dup"))->name, QStringLiteral("One"));
}

void TestViewRepository::writesMatchingNoRowSucceed_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("update") << QStringLiteral("update");
    QTest::newRow("remove") << QStringLiteral("remove");
    QTest::newRow("hardDelete") << QStringLiteral("hardDelete");
    QTest::newRow("reorder") << QStringLiteral("reorder");
}

void TestViewRepository::writesMatchingNoRowSucceed()
{
    QFETCH(QString, operation);
    QSignalSpy spy(m_repo.get(), &ViewRepository::viewsChanged);
    const QString id = QStringLiteral("nobody");
    bool ok = false;
    if (operation == QLatin1String("update"))
        ok = m_repo->update(group(id, QStringLiteral("X")));
    else if (operation == QLatin1String("remove"))
        ok = m_repo->remove(id);
    else if (operation == QLatin1String("hardDelete"))
        ok = m_repo->hardDelete(id);
    else
        ok = m_repo->reorder({id});
    QVERIFY(ok);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_repo->getAllIncludingDeleted().size(), 1);
}

QTEST_GUILESS_MAIN(TestViewRepository)
#include "tst_viewrepository.moc"
