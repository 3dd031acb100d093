// An .ics file of 5,000, 10,000 and 20,000 events imported through the main
// window's import path (the calendar chooser answered with Import): the
// time until the result shows in the status bar, and the longest gap the
// event loop sees meanwhile. One event in fifty repeats, and one series in
// ten has an occurrence moved. The 20,000-event file is then imported again
// over itself: the time, and the rows the re-import writes (none for
// events that did not change).
#include "app/appstate.h"
#include "bench/loopwait.h"
#include "bench/stallwatch.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/mainwindow.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

QByteArray icsFile(int count)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n";
    const QDateTime origin(QDate(2025, 1, 1), QTime(8, 0), Qt::UTC);
    for (int i = 0; i < count; ++i) {
        const QDateTime start = origin.addSecs(3600LL * 7 * i);
        const QByteArray stamp = start.toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1();
        const QByteArray end = start.addSecs(1800).toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1();
        const QByteArray uid = "bench-" + QByteArray::number(i) + "@example.com";
        text += "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20250101T000000Z\r\nDTSTART:" + stamp
                + "\r\nDTEND:" + end + "\r\nSUMMARY:Event " + QByteArray::number(i) + "\r\n";
        if (i % 50 == 0)
            text += "RRULE:FREQ=WEEKLY;COUNT=20\r\n";
        text += "END:VEVENT\r\n";
        if (i % 500 == 0) {
            const QByteArray moved = start.addDays(7).toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1();
            const QByteArray movedStart = start.addDays(7).addSecs(3600).toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1();
            const QByteArray movedEnd = start.addDays(7).addSecs(5400).toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1();
            text += "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20250101T000000Z\r\nRECURRENCE-ID:" + moved
                    + "\r\nDTSTART:" + movedStart + "\r\nDTEND:" + movedEnd + "\r\nSUMMARY:Moved\r\nEND:VEVENT\r\n";
        }
    }
    return text + "END:VCALENDAR\r\n";
}

// How long the stall watch keeps going after the report: the run and what
// it read are freed then.
constexpr int TakeDownMs = 300;

qint64 longestBefore(const StallWatch &watch, qint64 endMs)
{
    qint64 result = 0;
    for (const StallWatch::Gap &gap : watch.gaps()) {
        if (gap.startMs < endMs)
            result = std::max(result, gap.length());
    }
    return result;
}

} // namespace

class BenchIcsImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importThroughTheWindow_data();
    void importThroughTheWindow();

private:
    // Imports the file through the window; the status-bar report.
    // *afterReport: the longest stall in the moments after the report, when
    // the run is taken down.
    static QString importOnce(MainWindow &window, const QString &path, qint64 *elapsed, qint64 *longestStall,
                              qint64 *afterReport);
    static qint64 totalChanges(Database *db);
};

QString BenchIcsImport::importOnce(MainWindow &window, const QString &path, qint64 *elapsed, qint64 *longestStall,
                                   qint64 *afterReport)
{
    ModalAnswerer answerer;
    answerer.clickButton(QStringLiteral("Import"));
    QString report;
    QObject context;
    QObject::connect(window.statusBar(), &QStatusBar::messageChanged, &context, [&report](const QString &text) {
        if (text.startsWith(QLatin1String("Imported")) || text.startsWith(QLatin1String("Nothing"))
            || text.startsWith(QLatin1String("Updated")) || text.startsWith(QLatin1String("Couldn't")))
            report = text;
    });
    QElapsedTimer clock;
    clock.start();
    StallWatch watch(clock);
    QTimer::singleShot(0, &window, [&window, path] { window.importIcsFromCommand(path); });
    if (!loopUntil([&report] { return !report.isEmpty(); }, 300000))
        return QStringLiteral("(no report)");
    *elapsed = clock.elapsed();
    loopFor(TakeDownMs);
    watch.close();
    *longestStall = longestBefore(watch, *elapsed);
    *afterReport = watch.longest(*elapsed);
    return report;
}

qint64 BenchIcsImport::totalChanges(Database *db)
{
    QSqlQuery query(db->database());
    return query.exec(QStringLiteral("SELECT total_changes()")) && query.next() ? query.value(0).toLongLong() : -1;
}

void BenchIcsImport::importThroughTheWindow_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("5000") << 5000;
    QTest::newRow("10000") << 10000;
    QTest::newRow("20000") << 20000;
}

void BenchIcsImport::importThroughTheWindow()
{
    QFETCH(int, count);
    WidgetFixture fixture;
    QVERIFY(fixture.isReady());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.ics"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(icsFile(count));
    file.close();

    MainWindow window(fixture.state());
    window.resize(1200, 800);
    window.show();
    QTest::qWait(300);
    auto answerer = std::make_unique<ModalAnswerer>();
    answerer->clickButton(QStringLiteral("Import"));
    QString report;
    connect(window.statusBar(), &QStatusBar::messageChanged, this, [&report](const QString &text) {
        if (text.startsWith(QLatin1String("Imported")) || text.contains(QLatin1String("could not")))
            report = text;
    });
    QElapsedTimer clock;
    clock.start();
    StallWatch watch(clock);
    qint64 chooserClosed = -1;
    QTimer::singleShot(0, &window, [&] {
        window.importIcsFromCommand(path);
        if (chooserClosed < 0)
            chooserClosed = clock.elapsed();
    });
    QVERIFY(loopUntil([&report] { return !report.isEmpty(); }, 300000));
    const qint64 total = clock.elapsed();
    loopFor(TakeDownMs);
    watch.close();
    QSqlQuery rows(fixture.db()->database());
    QVERIFY(rows.exec(QStringLiteral("SELECT COUNT(*) FROM events")) && rows.next());
    QStringList stalls;
    for (const StallWatch::Gap &gap : watch.gaps()) {
        if (gap.length() > 16)
            stalls.append(QStringLiteral("%1 ms at %2").arg(gap.length()).arg(gap.startMs));
    }
    qInfo("the import call returned after %lld ms; stalls over 16 ms: %s", chooserClosed,
          qPrintable(stalls.join(QStringLiteral(", "))));
    qInfo("%d events: stored in %lld ms (%lld rows), longest event-loop stall %lld ms, %lld ms in the %d ms after; %s",
          count, total, rows.value(0).toLongLong(), longestBefore(watch, total), watch.longest(total), TakeDownMs,
          qPrintable(report));

    if (count != 20000)
        return;
    // The same file over itself: unchanged events are not written again.
    // The first answerer would close the second chooser unanswered.
    answerer.reset();
    const qint64 changesBefore = totalChanges(fixture.db());
    qint64 again = 0;
    qint64 stall = 0;
    qint64 after = 0;
    const QString second = importOnce(window, path, &again, &stall, &after);
    qInfo("re-import of %d events: %lld ms, %lld rows written, longest event-loop stall %lld ms, %lld ms in the %d ms "
          "after; %s",
          count, again, totalChanges(fixture.db()) - changesBefore, stall, after, TakeDownMs, qPrintable(second));
}

QTEST_MAIN(BenchIcsImport)
#include "bench_icsimport.moc"
