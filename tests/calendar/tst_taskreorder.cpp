#include "calendar/taskreorder.h"

#include <QTest>

namespace {

using Renumbered = QList<QPair<QString, int>>;

// Siblings "a", "b", … in the order given, with these manual orders.
QList<Task> siblings(const QList<int> &orders)
{
    QList<Task> out;
    for (int i = 0; i < orders.size(); ++i) {
        Task task;
        task.id = QStringLiteral("id-%1").arg(QChar('a' + i));
        task.uid = QString(QChar('a' + i));
        task.sort_order = orders.at(i);
        out.append(task);
    }
    return out;
}

QList<int> applied(QList<Task> list, const TaskReorder::Plan &plan)
{
    QList<int> orders;
    for (Task &task : list) {
        for (const auto &[id, order] : plan.renumbered) {
            if (id == task.id)
                task.sort_order = order;
        }
        orders.append(task.sort_order);
    }
    return orders;
}

} // namespace

Q_DECLARE_METATYPE(TaskReorder::Plan)

namespace QTest {
template<>
char *toString(const TaskReorder::Plan &plan)
{
    QStringList parts;
    for (const auto &[id, order] : plan.renumbered)
        parts.append(QStringLiteral("%1=%2").arg(id).arg(order));
    return qstrdup(QStringLiteral("order %1, renumbered [%2]").arg(plan.order).arg(parts.join(", ")).toUtf8());
}
} // namespace QTest

class TestTaskReorder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void orderBetweenNeighbours_data()
    {
        QTest::addColumn<QList<int>>("orders");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("above");
        QTest::addColumn<TaskReorder::Plan>("expected");

        QTest::newRow("between two") << QList<int>{10000, 20000} << "b" << true << TaskReorder::Plan{15000, {}};
        QTest::newRow("below the last") << QList<int>{10000, 20000} << "b" << false << TaskReorder::Plan{30000, {}};
        QTest::newRow("above a first at 15000") << QList<int>{15000, 20000} << "a" << true << TaskReorder::Plan{5000, {}};
        QTest::newRow("above a first at 5000 gets 1") << QList<int>{5000} << "a" << true << TaskReorder::Plan{1, {}};
        QTest::newRow("below between") << QList<int>{10000, 10003} << "a" << false << TaskReorder::Plan{10001, {}};

        // No gap between 10000 and 10001: every sibling is renumbered first.
        QTest::newRow("no gap renumbers")
            << QList<int>{10000, 10001, 10002} << "b" << true
            << TaskReorder::Plan{15000, Renumbered{{"id-b", 20000}, {"id-c", 30000}}};
    }

    void orderBetweenNeighbours()
    {
        QFETCH(QList<int>, orders);
        QFETCH(QString, target);
        QFETCH(bool, above);
        QFETCH(TaskReorder::Plan, expected);
        QCOMPARE(TaskReorder::plan(siblings(orders), target, above), std::optional<TaskReorder::Plan>(expected));
    }

    // Each case would otherwise give the dropped task an order that does not
    // put it where it was dropped; after renumbering it lands exactly there.
    void dropWithoutRoomRenumbersSoTheTaskLandsWhereDropped_data()
    {
        QTest::addColumn<QList<int>>("orders");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("above");
        QTest::addColumn<int>("landsBefore");

        QTest::newRow("above a first sibling at 1") << QList<int>{1, 10000} << "a" << true << 0;
        QTest::newRow("above a target without order") << QList<int>{30000, 0, 0} << "c" << true << 2;
        QTest::newRow("below a target without order") << QList<int>{30000, 0, 0} << "b" << false << 2;
        QTest::newRow("next to a neighbour without order") << QList<int>{10000, 0} << "a" << false << 1;
        QTest::newRow("no manual orders at all") << QList<int>{0, 0, 0} << "b" << true << 1;
    }

    void dropWithoutRoomRenumbersSoTheTaskLandsWhereDropped()
    {
        QFETCH(QList<int>, orders);
        QFETCH(QString, target);
        QFETCH(bool, above);
        QFETCH(int, landsBefore);
        const QList<Task> list = siblings(orders);
        const std::optional<TaskReorder::Plan> plan = TaskReorder::plan(list, target, above);
        QVERIFY(plan);
        QVERIFY(!plan->renumbered.isEmpty());
        const QList<int> after = applied(list, *plan);
        // Every sibling now has a manual order, and the task's order falls
        // strictly between the sibling before and the one after the drop.
        QVERIFY(!after.contains(0));
        if (landsBefore > 0)
            QVERIFY2(after.at(landsBefore - 1) < plan->order, qPrintable(QString::number(plan->order)));
        if (landsBefore < after.size())
            QVERIFY2(plan->order < after.at(landsBefore), qPrintable(QString::number(plan->order)));
        QVERIFY(plan->order >= 1);
    }

    void unknownTargetPlansNothing()
    {
        QCOMPARE(TaskReorder::plan(siblings({10000}), QStringLiteral("z"), true), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestTaskReorder)
#include "tst_taskreorder.moc"
