// Quitting while the store's reading thread is inside one long statement:
// the statement is stopped where it stands, the read sends nothing, and a
// loader made afterwards reads through a thread of its own.
#include "app/appstate.h"
#include "store/database.h"
#include "tests/support/widgetfixture.h"
#include "views/common/rangereaderthread.h"
#include "views/common/viewrange.h"
#include "views/common/viewrangeloader.h"
#include "views/common/viewrangeworker.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <atomic>

namespace {

const QDateTime From(QDate(2026, 3, 9), QTime(0, 0));
const QDateTime To(QDate(2026, 3, 16), QTime(0, 0));

// One statement of a hundred million rows, read row by row: minutes of
// work that only an interrupt ends early.
struct EndlessRead
{
    std::atomic_bool stepping{false};
    std::atomic_bool ended{false};
    std::atomic_bool interrupted{false};
    std::atomic_bool givenUp{false};
    std::atomic_int digested{0};

    ViewRangeOptions options()
    {
        ViewRangeOptions options;
        options.read = [this](const ViewRangeSources &sources, ViewRangeData &) {
            const QStringList names = QSqlDatabase::connectionNames().filter(QStringLiteral("view_range_reader_"));
            QSqlQuery query(QSqlDatabase::database(names.value(0), false));
            query.exec(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n "
                                      "LIMIT 100000000) SELECT x FROM n"));
            stepping = query.isActive();
            while (query.next()) {
            }
            interrupted = query.lastError().nativeErrorCode() == QLatin1String("9"); // SQLITE_INTERRUPT
            givenUp = sources.abandoned();
            ended = true;
        };
        options.digest = [this](ViewRangeData &) { ++digested; };
        return options;
    }
};

} // namespace

class TestRangeReaderQuit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closingInterruptsTheStatementAndSendsNothing()
    {
        WidgetFixture fixture;
        QVERIFY(fixture.isReady());
        const Event stored = fixture.addEvent(WidgetFixture::timedEvent(
            QStringLiteral("Dentist"), QDateTime(QDate(2026, 3, 10), QTime(9, 0)),
            QDateTime(QDate(2026, 3, 10), QTime(10, 0))));

        qRegisterMetaType<ViewRangeData>();
        EndlessRead read;
        const std::shared_ptr<RangeReaderThread> reader =
            RangeReaderThread::forPath(fixture.state()->database()->path());
        auto *worker = new ViewRangeWorker(reader.get());
        worker->moveToThread(reader->thread());
        QSignalSpy finished(worker, &ViewRangeWorker::finished);
        worker->post({1, From, To, QString(), read.options()});
        QTRY_VERIFY_WITH_TIMEOUT(read.stepping, 10000);

        RangeReaderThread::closeAll();
        QTRY_VERIFY_WITH_TIMEOUT(read.ended, 20000);
        QVERIFY(read.interrupted);
        QVERIFY(read.givenUp);
        // Returns once the read has ended, after anything it would send.
        worker->stopAndWait();
        QCOMPARE(read.digested.load(), 0);
        QCOMPARE(finished.size(), 0);
        worker->deleteLater();

        // A loader made after the quit is not handed the closed thread.
        ViewRangeLoader loader(fixture.state());
        QSignalSpy loaded(&loader, &ViewRangeLoader::loaded);
        loader.request(From, To);
        QVERIFY(loaded.wait(10000));
        const ViewRangeData data = loaded.last().at(0).value<ViewRangeData>();
        QCOMPARE(data.events, ViewRange::load(fixture.state(), From, To).events);
        QCOMPARE(data.events.size(), 1);
        QCOMPARE(data.events.first().id, stored.id);
    }
};

QTEST_MAIN(TestRangeReaderQuit)
#include "tst_rangereaderquit.moc"
