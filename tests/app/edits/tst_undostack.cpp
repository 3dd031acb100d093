#include "app/edits/undostack.h"

#include <QSignalSpy>
#include <QTest>

class TestUndoStack : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void capAndOrder_data()
    {
        QTest::addColumn<int>("pushes");
        QTest::addColumn<int>("held");
        QTest::addColumn<QList<int>>("undoOrder"); // which pushes run, newest first

        QList<int> twentyOneDownToTwo;
        for (int i = 21; i >= 2; --i)
            twentyOneDownToTwo << i;
        QList<int> twentyDownToOne;
        for (int i = 20; i >= 1; --i)
            twentyDownToOne << i;
        QList<int> fortyDownToTwentyOne;
        for (int i = 40; i >= 21; --i)
            fortyDownToTwentyOne << i;

        QTest::newRow("one") << 1 << 1 << QList<int>{1};
        QTest::newRow("three, last in first out") << 3 << 3 << QList<int>{3, 2, 1};
        QTest::newRow("exactly twenty") << 20 << 20 << twentyDownToOne;
        QTest::newRow("twenty-one drops the first") << 21 << 20 << twentyOneDownToTwo;
        QTest::newRow("forty keeps the last twenty") << 40 << 20 << fortyDownToTwentyOne;
    }

    void capAndOrder()
    {
        QFETCH(int, pushes);
        QFETCH(int, held);
        QFETCH(QList<int>, undoOrder);
        UndoStack stack;
        QList<int> ran;
        QSignalSpy changed(&stack, &UndoStack::changed);
        for (int i = 1; i <= pushes; ++i)
            stack.push({QStringLiteral("Move event %1").arg(i), [&ran, i] { ran << i; }});
        QCOMPARE(changed.count(), pushes);
        QCOMPARE(stack.count(), held);

        QSignalSpy undone(&stack, &UndoStack::undone);
        while (stack.count() > 0)
            stack.undo();
        QCOMPARE(ran, undoOrder);
        QCOMPARE(undone.count(), held);
        QCOMPARE(undone.first().first().toString(), QStringLiteral("Move event %1").arg(undoOrder.first()));
        QCOMPARE(undone.last().first().toString(), QStringLiteral("Move event %1").arg(undoOrder.last()));
    }

    void entryWithoutFunctionIsDropped()
    {
        UndoStack stack;
        stack.push({QStringLiteral("Keep"), [] {}});
        QSignalSpy changed(&stack, &UndoStack::changed);
        stack.push({QStringLiteral("Nothing to run"), {}});
        QCOMPARE(stack.count(), 1);
        QCOMPARE(changed.count(), 0);
        QSignalSpy undone(&stack, &UndoStack::undone);
        stack.undo();
        QCOMPARE(undone.count(), 1);
        QCOMPARE(undone.first().first().toString(), QStringLiteral("Keep"));
    }

    void undoOnEmptyStackDoesNothing()
    {
        UndoStack stack;
        QSignalSpy changed(&stack, &UndoStack::changed);
        QSignalSpy undone(&stack, &UndoStack::undone);
        stack.undo();
        QCOMPARE(stack.count(), 0);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(undone.count(), 0);
    }

    void changedArrivesBeforeUndoneWithTheLabel()
    {
        UndoStack stack;
        QStringList log;
        stack.push({QStringLiteral("Delete \"Dentist\""), [&log] { log << QStringLiteral("undo ran"); }});
        connect(&stack, &UndoStack::changed, this, [&log] { log << QStringLiteral("changed"); });
        connect(&stack, &UndoStack::undone, this,
                [&log](const QString &summary) { log << QStringLiteral("undone: ") + summary; });
        stack.undo();
        QCOMPARE(log, (QStringList{"undo ran", "changed", "undone: Delete \"Dentist\""}));
    }

    void undoFunctionSeesTheStackWithoutItsEntry()
    {
        UndoStack stack;
        int countInside = -1;
        stack.push({QStringLiteral("a"), [] {}});
        stack.push({QStringLiteral("b"), [&] { countInside = stack.count(); }});
        stack.undo();
        QCOMPARE(countInside, 1);
        QCOMPARE(stack.count(), 1);
    }

    void pushFromInsideUndoLandsOnTop()
    {
        UndoStack stack;
        QStringList ran;
        stack.push({QStringLiteral("first"), [&ran] { ran << QStringLiteral("first"); }});
        stack.push({QStringLiteral("second"), [&] {
                        ran << QStringLiteral("second");
                        stack.push({QStringLiteral("pushed inside"), [&ran] { ran << QStringLiteral("inside"); }});
                    }});
        stack.undo();
        QCOMPARE(stack.count(), 2);
        stack.undo();
        stack.undo();
        QCOMPARE(ran, (QStringList{"second", "inside", "first"}));
    }

    void destroyingTheStackRunsNothing()
    {
        bool ran = false;
        {
            UndoStack stack;
            stack.push({QStringLiteral("never"), [&ran] { ran = true; }});
        }
        QVERIFY(!ran);
    }
};

QTEST_GUILESS_MAIN(TestUndoStack)
#include "tst_undostack.moc"
