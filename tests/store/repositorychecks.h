#pragma once

#include "tests/support/teststore.h"

#include <QSignalSpy>
#include <QString>
#include <QStringList>
#include <QTest>

// Checks that hold alike for repositories of different records: an event's
// and a task's move links, an account's and a calendar's sync state.
namespace RepositoryChecks {

// The rows of moveLinkGoesWith(): which end is deleted for good, and
// whether the copy was moved on to a copy of its own first.
inline void moveLinkRows()
{
    QTest::addColumn<bool>("copyGoes");
    QTest::addColumn<bool>("movedOn");
    QTest::newRow("original deleted for good") << false << false;
    QTest::newRow("copy deleted for good") << true << false;
    QTest::newRow("copy moved on, deleted for good") << true << true;
}

// A move's link reads from either end and goes with either row; a copy
// moved on hands the original's link on to its own copy. `original`, `copy`
// and `next` are new rows; `links` is the table of the links in `store`.
template <typename Repository, typename Row>
void moveLinkGoesWith(Repository *repo, TestStore *store, const QString &links, const Row &original, const Row &copy,
                      const Row &next)
{
    QFETCH(bool, copyGoes);
    QFETCH(bool, movedOn);
    for (const Row &row : {original, copy, next})
        QVERIFY(repo->insert(row));
    QCOMPARE(repo->movedTo(original.id), QString());
    QVERIFY(repo->remove(original.id));
    QVERIFY(repo->keepMove(original.id, copy.id));
    QCOMPARE((QStringList{repo->movedTo(original.id), repo->movedFrom(copy.id)}), (QStringList{copy.id, original.id}));
    // The tombstone left behind waits in its calendar, found by its link.
    QCOMPARE(repo->leftPendingByMoves(original.calendar_id), QStringList{original.id});
    if (movedOn)
        QVERIFY(repo->remove(copy.id) && repo->keepMove(copy.id, next.id));
    QVERIFY(repo->hardDelete(copyGoes ? copy.id : original.id));
    QCOMPARE((QStringList{repo->movedTo(original.id), repo->movedFrom(copy.id), repo->movedFrom(next.id)}),
             (QStringList{movedOn ? next.id : QString(), QString(), movedOn ? original.id : QString()}));
    QCOMPARE(store->count(links), movedOn ? 1 : 0);
    QCOMPARE(repo->leftPendingByMoves(original.calendar_id), movedOn ? QStringList{original.id} : QStringList());
}

// A sync's copy `synced` of the new record `stored`, its sync state set and
// read before the user renamed the record, writes its sync state alone: the
// rename and its change time stay, one `changed` signal goes out, and a
// record that is not stored is refused.
template <typename Repository, typename Record, typename Signal>
void recordSyncStateWritesOnlyTheSyncState(Repository *repo, Signal changed, const Record &stored, Record synced)
{
    QVERIFY(repo->insert(stored));
    Record renamed = stored;
    renamed.name = QStringLiteral("Renamed");
    QVERIFY(repo->updateKeepingTime(renamed));
    QSignalSpy spy(repo, changed);
    QVERIFY(repo->recordSyncState(synced));
    QCOMPARE(spy.count(), 1);
    Record expected = synced;
    expected.name = renamed.name;
    QCOMPARE(*repo->getById(stored.id), expected);
    synced.id = QStringLiteral("ghost");
    QVERIFY(!repo->recordSyncState(synced));
}

} // namespace RepositoryChecks
