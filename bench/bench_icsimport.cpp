// An .ics file of 5,000, 10,000 and 20,000 events imported through the main
// window's import path (the calendar chooser answered with Import): the
// time until the result shows in the status bar, and the longest gap the
// event loop sees meanwhile. One event in fifty repeats, and one series in
// ten has an occurrence moved. The 20,000-event file is then imported again
// over itself: the time, and the rows the re-import writes (none for
// events that did not change).
// The "realistic" file has 20,000 events as calendars exported from other
// programs hold them: a fifth of them series with exceptions (EXDATE) and
// moved occurrences (RECURRENCE-ID), times in four zones defined by the
// file's own VTIMEZONEs and in UTC, all-day and multi-day events,
// descriptions, places and alarms. The 20,000-event file is imported once
// more while a task is ticked every 25 ms: how long the longest tick took.
// Each run reports the event-loop turns over 16 ms (a frame) until the
// report: how many, their median and the longest; and the import's slices,
// each one commit.
#include "app/appstate.h"
#include "app/edits/taskeditor.h"
#include "bench/loopwait.h"
#include "bench/slicecount.h"
#include "bench/stallwatch.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "store/taskrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/icsimportflow.h"
#include "ui/mainwindow.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
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

const char *const RealisticZones[] = {"America/New_York", "Europe/Berlin", "Asia/Tokyo", "Australia/Adelaide"};

// The zones' rules as exporting programs write them.
QByteArray timeZones()
{
    const auto zone = [](const char *id, const char *standard, const char *daylight) {
        QByteArray text = QByteArray("BEGIN:VTIMEZONE\r\nTZID:") + id + "\r\n";
        if (daylight)
            text += daylight;
        return text + standard + "END:VTIMEZONE\r\n";
    };
    return zone("America/New_York",
                "BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\n"
                "DTSTART:19701101T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\n",
                "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\n"
                "DTSTART:19700308T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n")
           + zone("Europe/Berlin",
                  "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\n"
                  "DTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n",
                  "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\n"
                  "DTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n")
           + zone("Asia/Tokyo",
                  "BEGIN:STANDARD\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nTZNAME:JST\r\n"
                  "DTSTART:19700101T000000\r\nEND:STANDARD\r\n",
                  nullptr)
           + zone("Australia/Adelaide",
                  "BEGIN:STANDARD\r\nTZOFFSETFROM:+1030\r\nTZOFFSETTO:+0930\r\nTZNAME:ACST\r\n"
                  "DTSTART:19700405T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU\r\nEND:STANDARD\r\n",
                  "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0930\r\nTZOFFSETTO:+1030\r\nTZNAME:ACDT\r\n"
                  "DTSTART:19701004T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=1SU\r\nEND:DAYLIGHT\r\n");
}

// A date-time property in zone `zone` (0-3), or in UTC (4).
QByteArray timeProperty(const char *name, const QDateTime &local, int zone)
{
    if (zone >= 4)
        return QByteArray(name) + ":" + local.toString(QStringLiteral("yyyyMMddTHHmmss")).toLatin1() + "Z\r\n";
    return QByteArray(name) + ";TZID=" + RealisticZones[zone] + ":"
           + local.toString(QStringLiteral("yyyyMMddTHHmmss")).toLatin1() + "\r\n";
}

QByteArray dateProperty(const char *name, const QDate &date)
{
    return QByteArray(name) + ";VALUE=DATE:" + date.toString(QStringLiteral("yyyyMMdd")).toLatin1() + "\r\n";
}

// In tens: two series (each followed by its moved occurrence), an all-day
// day, an all-day stretch, a timed event over days and three plain ones.
QByteArray realisticIcsFile(int count)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Realistic//EN\r\n" + timeZones();
    const QDateTime origin(QDate(2025, 1, 6), QTime(8, 0));
    for (int i = 0; i < count; ++i) {
        const int kind = i % 10;
        const int zone = i % 5;
        // A series' moved occurrence shares its series' start and zone.
        const int base = kind == 1 || kind == 6 ? i - 1 : i;
        const int baseZone = base % 5;
        const QDateTime start = origin.addSecs(60LL * 15 * ((base * 53) / 15));
        const QByteArray uid = "realistic-" + QByteArray::number(base) + "@example.com";
        text += "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20250101T000000Z\r\n";
        switch (kind) {
        case 0:
        case 5:
            text += timeProperty("DTSTART", start, zone) + timeProperty("DTEND", start.addSecs(3600), zone);
            text += kind == 0 ? "RRULE:FREQ=DAILY;COUNT=20\r\n"
                              : "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;UNTIL="
                                    + start.addDays(180).toUTC().toString(QStringLiteral("yyyyMMddTHHmmssZ")).toLatin1()
                                    + "\r\n";
            text += timeProperty("EXDATE", start.addDays(kind == 0 ? 2 : 14), zone);
            text += timeProperty("EXDATE", start.addDays(kind == 0 ? 5 : 28), zone);
            text += "SUMMARY:Series " + QByteArray::number(i) + "\r\nLOCATION:Room " + QByteArray::number(i % 40)
                    + "\r\nDESCRIPTION:Agenda for the meeting\\, with notes\\nand a second line\r\n";
            break;
        case 1:
        case 6:
            text += timeProperty("RECURRENCE-ID", start.addDays(7), baseZone)
                    + timeProperty("DTSTART", start.addDays(7).addSecs(7200), baseZone)
                    + timeProperty("DTEND", start.addDays(7).addSecs(10800), baseZone) + "SUMMARY:Moved "
                    + QByteArray::number(base) + "\r\n";
            break;
        case 2:
            text += dateProperty("DTSTART", start.date()) + dateProperty("DTEND", start.date().addDays(1))
                    + "SUMMARY:Holiday " + QByteArray::number(i) + "\r\nTRANSP:TRANSPARENT\r\n";
            break;
        case 3:
            text += dateProperty("DTSTART", start.date()) + dateProperty("DTEND", start.date().addDays(3 + i % 3))
                    + "SUMMARY:Trip " + QByteArray::number(i) + "\r\n";
            break;
        case 4:
            text += timeProperty("DTSTART", start, zone) + timeProperty("DTEND", start.addSecs(3600 * 50), zone)
                    + "SUMMARY:Conference " + QByteArray::number(i) + "\r\nLOCATION:Hall\r\n";
            break;
        default:
            text += timeProperty("DTSTART", start, zone) + timeProperty("DTEND", start.addSecs(1800 * (1 + i % 4)), zone)
                    + "SUMMARY:Event " + QByteArray::number(i) + "\r\nDESCRIPTION:Bring the notes\r\n";
            if (kind == 9)
                text += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n";
            break;
        }
        text += "END:VEVENT\r\n";
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

// The turns over a frame (16 ms) that started before endMs: how many, their
// median and the longest.
QString turnsOverAFrame(const StallWatch &watch, qint64 endMs)
{
    QList<qint64> lengths;
    for (const StallWatch::Gap &gap : watch.gaps()) {
        if (gap.startMs < endMs && gap.length() > 16)
            lengths.append(gap.length());
    }
    if (lengths.isEmpty())
        return QStringLiteral("no event-loop turn over 16 ms");
    std::sort(lengths.begin(), lengths.end());
    const qsizetype middle = lengths.size() / 2;
    const double median =
        lengths.size() % 2 == 1 ? double(lengths.at(middle)) : (lengths.at(middle - 1) + lengths.at(middle)) / 2.0;
    return QStringLiteral("%1 event-loop turns over 16 ms, median %2 ms, longest %3 ms")
        .arg(lengths.size())
        .arg(median)
        .arg(lengths.last());
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
                              qint64 *afterReport, QString *turns);
    // Each event row's modification time and stored text, by id.
    static QHash<QString, QString> eventRows(Database *db);
    // The rows of `after` that are new or differ from `before`.
    static int rowsWritten(const QHash<QString, QString> &before, const QHash<QString, QString> &after);
};

QString BenchIcsImport::importOnce(MainWindow &window, const QString &path, qint64 *elapsed, qint64 *longestStall,
                                   qint64 *afterReport, QString *turns)
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
    *turns = turnsOverAFrame(watch, *elapsed);
    return report;
}

// The import writes through a connection of its own, whose count of
// changes the program's connection does not see: the rows are compared.
QHash<QString, QString> BenchIcsImport::eventRows(Database *db)
{
    QHash<QString, QString> rows;
    QSqlQuery query(db->database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT id, last_modified, raw_icalendar FROM events")))
        return rows;
    while (query.next())
        rows.insert(query.value(0).toString(), query.value(1).toString() + query.value(2).toString());
    return rows;
}

int BenchIcsImport::rowsWritten(const QHash<QString, QString> &before, const QHash<QString, QString> &after)
{
    int written = 0;
    for (auto row = after.cbegin(); row != after.cend(); ++row)
        written += before.value(row.key()) != row.value() ? 1 : 0;
    return written;
}

void BenchIcsImport::importThroughTheWindow_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("realistic");
    QTest::addColumn<bool>("userWrites");
    QTest::newRow("5000") << 5000 << false << false;
    QTest::newRow("10000") << 10000 << false << false;
    QTest::newRow("20000") << 20000 << false << false;
    QTest::newRow("20000 realistic") << 20000 << true << false;
    QTest::newRow("20000 with a task ticked meanwhile") << 20000 << false << true;
}

void BenchIcsImport::importThroughTheWindow()
{
    QFETCH(int, count);
    QFETCH(bool, realistic);
    QFETCH(bool, userWrites);
    WidgetFixture fixture;
    QVERIFY(fixture.isReady());
    const Task task = fixture.addTask(QStringLiteral("Ticked meanwhile"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.ics"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(realistic ? realisticIcsFile(count) : icsFile(count));
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
    SliceCount slices(window.findChild<IcsImportFlow *>());
    QElapsedTimer clock;
    clock.start();
    StallWatch watch(clock);
    // The user's writes while the import runs, as the tasks pane makes
    // them: each is committed on its own, and none may wait for the import.
    TaskEditor editor(fixture.state()->tasks(), fixture.state()->calendars());
    QTimer ticker;
    ticker.setInterval(25);
    int ticks = 0;
    int refused = 0;
    qint64 longestTick = 0;
    connect(&ticker, &QTimer::timeout, this, [&] {
        QElapsedTimer tick;
        tick.start();
        refused += editor.setCompleted(task.id, ++ticks % 2 == 1).ok ? 0 : 1;
        longestTick = std::max(longestTick, tick.elapsed());
    });
    if (userWrites)
        ticker.start();
    qint64 chooserClosed = -1;
    QTimer::singleShot(0, &window, [&] {
        window.importIcsFromCommand(path);
        if (chooserClosed < 0)
            chooserClosed = clock.elapsed();
    });
    QVERIFY(loopUntil([&report] { return !report.isEmpty(); }, 300000));
    const qint64 total = clock.elapsed();
    ticker.stop();
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
    qInfo("%d events: %s", count, qPrintable(turnsOverAFrame(watch, total)));
    qInfo("%d events: %d slices, each one commit", count, slices.slices());
    if (userWrites)
        qInfo("a task ticked every 25 ms meanwhile: %d writes, %d refused, the longest took %lld ms", ticks, refused,
              longestTick);

    if (count != 20000 || realistic || userWrites)
        return;
    // The same file over itself: unchanged events are not written again.
    // The first answerer would close the second chooser unanswered.
    answerer.reset();
    // A second apart, so that a row written again has another time.
    QTest::qWait(1000);
    const QHash<QString, QString> rowsBefore = eventRows(fixture.db());
    qint64 again = 0;
    qint64 stall = 0;
    qint64 after = 0;
    QString turns;
    slices.reset();
    const QString second = importOnce(window, path, &again, &stall, &after, &turns);
    qInfo("re-import of %d events: %lld ms, %d event rows written, longest event-loop stall %lld ms, %lld ms in the %d "
          "ms after; %s",
          count, again, rowsWritten(rowsBefore, eventRows(fixture.db())), stall, after, TakeDownMs, qPrintable(second));
    qInfo("re-import of %d events: %s", count, qPrintable(turns));
    qInfo("re-import of %d events: %d slices, each one commit", count, slices.slices());
}

QTEST_MAIN(BenchIcsImport)
#include "bench_icsimport.moc"
