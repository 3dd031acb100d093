#include "app/edits/undostack.h"

#include <QSignalSpy>
#include <QTest>

namespace {

constexpr UndoStack::Outcome Done = UndoStack::Outcome::Undone;

} // namespace

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
            stack.push({QStringLiteral("Move event %1").arg(i), [&ran, i] {
                ran << i;
                return Done;
            }});
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
        stack.push({QStringLiteral("Keep"), [] { return Done; }});
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
        stack.push({QStringLiteral("Delete \"Dentist\""), [&log] {
                    log << QStringLiteral("undo ran");
                    return Done;
                }});
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
        stack.push({QStringLiteral("a"), [] { return Done; }});
        stack.push({QStringLiteral("b"), [&] {
                    countInside = stack.count();
                    return Done;
                }});
        stack.undo();
        QCOMPARE(countInside, 1);
        QCOMPARE(stack.count(), 1);
    }

    void pushFromInsideUndoLandsOnTop()
    {
        UndoStack stack;
        QStringList ran;
        stack.push({QStringLiteral("first"), [&ran] {
                    ran << QStringLiteral("first");
                    return Done;
                }});
        stack.push({QStringLiteral("second"), [&] {
                        ran << QStringLiteral("second");
                        stack.push({QStringLiteral("pushed inside"), [&ran] {
                            ran << QStringLiteral("inside");
                            return Done;
                        }});
                        return Done;
                    }});
        stack.undo();
        QCOMPARE(stack.count(), 2);
        stack.undo();
        stack.undo();
        QCOMPARE(ran, (QStringList{"second", "inside", "first"}));
    }

    void undoSaysWhatItDid_data()
    {
        QTest::addColumn<QString>("marked");        // the item a change with no entry changed, if any
        QTest::addColumn<bool>("markedBeforePush"); // else after the push
        QTest::addColumn<UndoStack::Outcome>("ran"); // what the entry's function answers
        QTest::addColumn<bool>("runs");
        QTest::addColumn<QString>("shown"); // the signal and what it carries
        const auto done = UndoStack::Outcome::Undone;
        const auto since = UndoStack::Outcome::ChangedSince;
        QTest::newRow("undone") << QString() << false << done << true << "undone Moved";
        QTest::newRow("its item changed since") << "cal/walk" << false << done << false << "not undone Moved ChangedSince";
        QTest::newRow("another item changed since") << "cal/run" << false << done << true << "undone Moved";
        QTest::newRow("changed before the entry was made") << "cal/walk" << true << done << true << "undone Moved";
        QTest::newRow("function found nothing to write") << QString() << false << since << true
                                                         << "not undone Moved ChangedSince";
        QTest::newRow("store refused") << QString() << false << UndoStack::Outcome::Failed << true
                                       << "not undone Moved Failed";
    }

    // A change with no entry of its own outdates the entries held for what
    // it changed: undoing one runs nothing and says so; it leaves the stack
    // as every undone entry does, and the one below is next.
    void undoSaysWhatItDid()
    {
        QFETCH(QString, marked);
        QFETCH(bool, markedBeforePush);
        QFETCH(UndoStack::Outcome, ran);
        QFETCH(bool, runs);
        QFETCH(QString, shown);
        UndoStack stack;
        QStringList log;
        stack.push({QStringLiteral("Deleted"), [&log] {
                        log << QStringLiteral("Deleted ran");
                        return Done;
                    }});
        if (markedBeforePush)
            stack.markChanged(marked);
        stack.push({QStringLiteral("Moved"),
                    [&log, ran] {
                        log << QStringLiteral("Moved ran");
                        return ran;
                    },
                    {QStringLiteral("cal/walk")}});
        if (!markedBeforePush)
            stack.markChanged(marked);
        QCOMPARE(stack.count(), 2);
        connect(&stack, &UndoStack::changed, this, [&log] { log << QStringLiteral("changed"); });
        connect(&stack, &UndoStack::undone, this, [&log](const QString &label) { log << "undone " + label; });
        connect(&stack, &UndoStack::notUndone, this, [&log](const QString &label, UndoStack::Outcome why) {
            log << "not undone " + label + QLatin1Char(' ') + QVariant::fromValue(why).toString();
        });
        stack.undo();
        QStringList expected{QStringLiteral("changed"), shown};
        if (runs)
            expected.prepend(QStringLiteral("Moved ran"));
        QCOMPARE(log, expected);
        QCOMPARE(stack.count(), 1);
        log.clear();
        stack.undo();
        QCOMPARE(log, (QStringList{"Deleted ran", "changed", "undone Deleted"}));
    }

    void destroyingTheStackRunsNothing()
    {
        bool ran = false;
        {
            UndoStack stack;
            stack.push({QStringLiteral("never"), [&ran] {
                ran = true;
                return Done;
            }});
        }
        QVERIFY(!ran);
    }
};

QTEST_GUILESS_MAIN(TestUndoStack)
#include "tst_undostack.moc"
