#include "calendar/tasktree.h"

#include <QRegularExpression>
#include <QTest>

// Tasks are written compactly: "id[=uid][<parent][#sortOrder][!|?]" where "!"
// marks a completed task and "?" one whose status is spelled "Completed". The uid is the id unless given; the title is the id.
namespace {

QList<Task> parseTasks(const QStringList &specs)
{
    static const QRegularExpression format(
        QStringLiteral("^([^=<#!?]+)(?:=([^<#!?]+))?(?:<([^#!?]*))?(?:#(-?\\d+))?([!?])?$"));
    QList<Task> tasks;
    for (const QString &spec : specs) {
        const QRegularExpressionMatch m = format.match(spec);
        Q_ASSERT_X(m.hasMatch(), "parseTasks", qPrintable(spec));
        Task t;
        t.id = m.captured(1);
        t.uid = m.captured(2).isEmpty() ? t.id : m.captured(2);
        t.title = t.id;
        t.parent_task_uid = m.captured(3);
        t.sort_order = m.captured(4).toInt();
        if (m.captured(5) == QLatin1String("!"))
            t.status = TaskStatus::Completed;
        else if (m.captured(5) == QLatin1String("?"))
            t.status = taskStatusFromText(QStringLiteral("Completed"));
        tasks.append(t);
    }
    return tasks;
}

QStringList render(const QList<TreeTask> &flat)
{
    QStringList out;
    for (const TreeTask &t : flat)
        out << QStringLiteral("%1@%2").arg(t.task.id).arg(t.depth);
    return out;
}

bool byTitle(const Task &a, const Task &b)
{
    return a.title < b.title;
}

} // namespace

class TestTaskTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void flatten_data()
    {
        QTest::addColumn<QStringList>("tasks");
        QTest::addColumn<bool>("sortByTitle");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("empty") << QStringList{} << false << QStringList{};
        QTest::newRow("chain of three") << QStringList{"T1", "T2<T1", "T3<T2"} << false
                                        << QStringList{"T1@0", "T2@1", "T3@2"};
        QTest::newRow("children listed before their parent")
            << QStringList{"T3<T2", "T2<T1", "T1"} << false << QStringList{"T1@0", "T2@1", "T3@2"};
        QTest::newRow("orphan is a root in input order")
            << QStringList{"b", "x<missing", "a"} << false << QStringList{"b@0", "x@0", "a@0"};
        QTest::newRow("orphan is a root in comparator order")
            << QStringList{"b", "x<missing", "a"} << true << QStringList{"a@0", "b@0", "x@0"};
        QTest::newRow("siblings keep input order without comparator")
            << QStringList{"p", "z<p", "a<p", "m<p"} << false << QStringList{"p@0", "z@1", "a@1", "m@1"};
        QTest::newRow("siblings sorted by comparator")
            << QStringList{"p", "z<p", "a<p", "m<p"} << true << QStringList{"p@0", "a@1", "m@1", "z@1"};
        QTest::newRow("each subtree complete before the next sibling")
            << QStringList{"A", "B", "A1<A", "A2<A", "A11<A1", "B1<B"} << false
            << QStringList{"A@0", "A1@1", "A11@2", "A2@1", "B@0", "B1@1"};
        QTest::newRow("empty parent uid is a root") << QStringList{"a<", "b"} << false
                                                    << QStringList{"a@0", "b@0"};
    }

    void flatten()
    {
        QFETCH(QStringList, tasks);
        QFETCH(bool, sortByTitle);
        QFETCH(QStringList, expected);
        const TaskTree::SiblingLess less = sortByTitle ? TaskTree::SiblingLess(byTitle) : TaskTree::SiblingLess();
        QCOMPARE(render(TaskTree::flatten(parseTasks(tasks), less)), expected);
    }

    void parentLoopsAndMissingParentsKeepEveryTaskOnce_data()
    {
        QTest::addColumn<QStringList>("tasks");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("task names itself as parent") << QStringList{"a", "s<s"} << QStringList{"a@0", "s@0"};
        QTest::newRow("two tasks parent each other")
            << QStringList{"root", "x<y", "y<x"} << QStringList{"root@0", "x@0", "y@1"};
        // Walking up from the branch, the loop is first entered at b.
        QTest::newRow("three-loop with a branch hanging below")
            << QStringList{"leaf<b", "a<c", "b<a", "c<b"} << QStringList{"b@0", "leaf@1", "c@1", "a@2"};
        QTest::newRow("loop broken at its first member in the input")
            << QStringList{"a<b", "b<a", "c<a"} << QStringList{"a@0", "b@1", "c@1"};
        QTest::newRow("two separate loops")
            << QStringList{"a<b", "b<a", "c<d", "d<c"} << QStringList{"a@0", "b@1", "c@0", "d@1"};
        QTest::newRow("uid repeated on its own descendant line")
            << QStringList{"first=u", "child<u", "again=u<child"}
            << QStringList{"first@0", "child@1", "again@2"};
        QTest::newRow("repeated uid among roots lists shared children once")
            << QStringList{"one=u", "two=u", "kid<u"} << QStringList{"one@0", "kid@1", "two@0"};
        QTest::newRow("orphans and a loop together")
            << QStringList{"o<gone", "p<p", "q<o"} << QStringList{"o@0", "q@1", "p@0"};
    }

    void parentLoopsAndMissingParentsKeepEveryTaskOnce()
    {
        QFETCH(QStringList, tasks);
        QFETCH(QStringList, expected);
        const QList<Task> input = parseTasks(tasks);
        const QList<TreeTask> flat = TaskTree::flatten(input);
        QCOMPARE(render(flat), expected);

        // Every task exactly once, whatever the order.
        QStringList seen;
        for (const TreeTask &t : flat)
            seen << t.task.id;
        QStringList all;
        for (const Task &t : input)
            all << t.id;
        seen.sort();
        all.sort();
        QCOMPARE(seen, all);

        // The same forest with a comparator still ends and keeps everything.
        QCOMPARE(TaskTree::flatten(input, TaskTree::withManualSortOrder(byTitle)).size(), input.size());
    }

    void manualSortOrder_data()
    {
        QTest::addColumn<QStringList>("tasks");
        QTest::addColumn<QStringList>("expected");

        // Siblings with sort orders 2, 0 (b), 1 and 0 (a) come out as 1, 2, a, b.
        QTest::newRow("placed first, rest by title")
            << QStringList{"p", "two<p#2", "b<p", "one<p#1", "a<p"}
            << QStringList{"p@0", "one@1", "two@1", "a@1", "b@1"};
        QTest::newRow("negative order is placed and smallest")
            << QStringList{"z#5", "y#-3", "x"} << QStringList{"y@0", "z@0", "x@0"};
        QTest::newRow("roots and children ordered alike")
            << QStringList{"r2#2", "r1#1", "c<r1", "b<r1#9", "a<r1"}
            << QStringList{"r1@0", "b@1", "a@1", "c@1", "r2@0"};
    }

    void manualSortOrder()
    {
        QFETCH(QStringList, tasks);
        QFETCH(QStringList, expected);
        QCOMPARE(render(TaskTree::flatten(parseTasks(tasks), TaskTree::withManualSortOrder(byTitle))), expected);
    }

    void manualSortOrderWithoutFallbackKeepsTies()
    {
        const QList<Task> t = parseTasks({"a#3", "b#3", "c", "d#1"});
        const TaskTree::SiblingLess less = TaskTree::withManualSortOrder({});
        QVERIFY(!less(t[0], t[1]));
        QVERIFY(!less(t[1], t[0]));
        QVERIFY(less(t[3], t[0]));
        QVERIFY(less(t[0], t[2]));
        QVERIFY(!less(t[2], t[0]));
        QVERIFY(!less(t[2], t[2]));
        const QStringList flat = render(TaskTree::flatten(t, less));
        QCOMPARE(flat.first(), QStringLiteral("d@0"));
        QCOMPARE(flat.last(), QStringLiteral("c@0"));
    }

    void completedKeptByActiveTree_data()
    {
        QTest::addColumn<QStringList>("tasks");
        QTest::addColumn<QStringList>("kept");

        QTest::newRow("empty") << QStringList{} << QStringList{};
        QTest::newRow("completed root with an open child") << QStringList{"r!", "c<r"} << QStringList{"r"};
        QTest::newRow("fully completed tree") << QStringList{"r!", "c<r!", "g<c!"} << QStringList{};
        QTest::newRow("open root keeps completed descendants")
            << QStringList{"r", "c<r!", "g<c!"} << QStringList{"c", "g"};
        QTest::newRow("open task deep down keeps the whole tree")
            << QStringList{"r!", "c<r!", "side<r!", "g<c"} << QStringList{"c", "r", "side"};
        QTest::newRow("only active trees count")
            << QStringList{"a!", "a1<a", "b!", "b1<b!"} << QStringList{"a"};
        QTest::newRow("lone completed task") << QStringList{"x!"} << QStringList{};
        QTest::newRow("capitalised status is not completed")
            << QStringList{"r!", "c<r?"} << QStringList{"r"};
        QTest::newRow("completed orphan under a missing parent") << QStringList{"o<gone!"} << QStringList{};
        QTest::newRow("loop with an open member") << QStringList{"a<b!", "b<a"} << QStringList{"a"};
        QTest::newRow("fully completed loop") << QStringList{"a<b!", "b<a!"} << QStringList{};
    }

    void completedKeptByActiveTree()
    {
        QFETCH(QStringList, tasks);
        QFETCH(QStringList, kept);
        const QSet<QString> result = TaskTree::completedKeptByActiveTree(parseTasks(tasks));
        QStringList got(result.begin(), result.end());
        got.sort();
        QCOMPARE(got, kept);
    }

    void isTaskCompleted_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("completed");
        QTest::newRow("completed") << QStringLiteral("completed") << true;
        QTest::newRow("capitalised") << QStringLiteral("Completed") << false;
        QTest::newRow("upper case") << QStringLiteral("COMPLETED") << false;
        QTest::newRow("padded") << QStringLiteral(" completed") << false;
        QTest::newRow("needs-action") << QStringLiteral("needs-action") << false;
        QTest::newRow("in-process") << QStringLiteral("in-process") << false;
        QTest::newRow("cancelled") << QStringLiteral("cancelled") << false;
        QTest::newRow("empty") << QString() << false;
    }

    void isTaskCompleted()
    {
        QFETCH(QString, status);
        QFETCH(bool, completed);
        Task t;
        t.status = taskStatusFromText(status);
        QCOMPARE(::isTaskCompleted(t), completed);
    }
};

QTEST_GUILESS_MAIN(TestTaskTree)
#include "tst_tasktree.moc"
