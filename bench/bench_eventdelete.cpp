#include "app/edits/eventeditor.h"
#include "app/edits/undostack.h"
#include "bench/benchstore.h"
#include "calendar/icscodec.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/tempdatadir.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <memory>

// A series with 500 changed occurrences deleted from its card and given
// back with Ctrl+Z, in a calendar of 48,000 rows, each with its stored
// text and a server's id: the rows given back as tombstones live again
// (the deletion not sent yet) or stored anew (sent, the rows erased). What
// the step reads and writes is what the window waits for. Each row deletes
// and gives back eight series, each once, and reports the median time of
// the step it is about.
class BenchEventDelete : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void deleteAndUndo_data();
    void deleteAndUndo();

private:
    // A daily series at 09:00 in Berlin with its first 500 occurrences
    // changed two hours later, as a server sent them.
    void storeSeries(const QString &id);
    // The stored text of a row as a provider sends it.
    static QString providerText(const Event &row);
    QString nextSeries();

    static constexpr int kChanged = 500;
    static constexpr int kRuns = 8;
    // One group of series for each row and each of the two runs QTest
    // makes of a function that reports a benchmark result.
    static constexpr int kGroups = 3 * 2;
    static constexpr int kEvents = 48000 - kGroups * kRuns * (kChanged + 1);
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<EventRepository> m_events;
    std::unique_ptr<CalendarRepository> m_calendars;
    QString m_calendarId;
    int m_next = 0;
};

QString BenchEventDelete::providerText(const Event &row)
{
    QJsonObject resource{{QStringLiteral("id"), row.provider_event_id},
                         {QStringLiteral("etag"), row.etag},
                         {QStringLiteral("summary"), row.title},
                         {QStringLiteral("start"),
                          QJsonObject{{QStringLiteral("dateTime"), row.start_time.toUTC().toString(Qt::ISODate)}}}};
    if (!row.master_event_uid.isEmpty())
        resource.insert(QStringLiteral("recurringEventId"), row.master_event_uid);
    return QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
}

void BenchEventDelete::storeSeries(const QString &id)
{
    const QTimeZone berlin("Europe/Berlin");
    Event series;
    series.id = series.uid = id;
    series.provider_event_id = QStringLiteral("g") + id;
    series.etag = QStringLiteral("\"1\"");
    series.calendar_id = m_calendarId;
    series.title = id;
    series.start_time = QDateTime(QDate(2026, 3, 2), QTime(9, 0), berlin);
    series.end_time = series.start_time.addSecs(3600);
    series.timezone = QStringLiteral("Europe/Berlin");
    series.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=1000");
    series.sync_status = SyncStatus::Synced;
    series.raw_icalendar = providerText(series);
    if (!m_events->insert(series))
        qFatal("setup write refused");
    for (int day = 1; day <= kChanged; ++day) {
        Event row = series;
        const QDateTime occurrence = series.start_time.addDays(day);
        row.recurrence_id = occurrence.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
        row.id = id + QStringLiteral("-%1").arg(day);
        row.uid = row.provider_event_id = series.provider_event_id + QLatin1Char('_') + row.recurrence_id;
        row.master_event_uid = series.provider_event_id;
        row.recurrence_rule.clear();
        row.start_time = occurrence.addSecs(7200);
        row.end_time = row.start_time.addSecs(3600);
        row.title = QStringLiteral("Later");
        row.raw_icalendar = providerText(row);
        if (!m_events->insert(row))
            qFatal("setup write refused");
    }
}

void BenchEventDelete::initTestCase()
{
    m_dir = std::make_unique<TempDataDir>();
    m_db = std::make_unique<Database>();
    QVERIFY(m_db->open(m_dir->databasePath()));
    QVERIFY(m_db->migrate());
    const QStringList calendarIds = addBenchCalendars(m_db.get(), 1);
    QVERIFY(!calendarIds.isEmpty());
    m_calendarId = calendarIds.first();
    m_events = std::make_unique<EventRepository>(m_db.get());
    m_calendars = std::make_unique<CalendarRepository>(m_db.get());

    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_db->database().transaction());
    for (int i = 0; i < kEvents; ++i) {
        Event e = benchMeeting(i, m_calendarId);
        e.provider_event_id = QStringLiteral("gev%1").arg(i);
        e.sync_status = SyncStatus::Synced;
        e.raw_icalendar = providerText(e);
        QVERIFY(m_events->insert(e));
    }
    for (int k = 0; k < kGroups * kRuns; ++k)
        storeSeries(QStringLiteral("run-%1").arg(k));
    QVERIFY(m_db->database().commit());
    QCOMPARE(m_events->countInCalendar(m_calendarId), 48000);
    qInfo().noquote() << QStringLiteral("inserted 48000 events in %1 ms").arg(timer.elapsed());
}

void BenchEventDelete::cleanupTestCase()
{
    m_events.reset();
    m_calendars.reset();
    m_db.reset();
    m_dir.reset();
}

QString BenchEventDelete::nextSeries()
{
    if (m_next >= kGroups * kRuns)
        qFatal("more series asked for than stored");
    return QStringLiteral("run-%1").arg(m_next++);
}

void BenchEventDelete::deleteAndUndo_data()
{
    QTest::addColumn<bool>("timeUndo"); // else the delete
    QTest::addColumn<bool>("sent");     // the deletion went up before Ctrl+Z
    QTest::newRow("delete") << false << false;
    QTest::newRow("Ctrl+Z, deletion not sent yet") << true << false;
    QTest::newRow("Ctrl+Z, deletion sent and rows erased") << true << true;
}

// A series deleted from its card and given back with Ctrl+Z, kRuns times,
// each time another series. The result is the median of the step timed.
void BenchEventDelete::deleteAndUndo()
{
    QFETCH(bool, timeUndo);
    QFETCH(bool, sent);
    UndoStack undo;
    EventEditor editor(m_events.get(), m_calendars.get(), m_db.get(), &undo);
    QList<double> times;
    for (int k = 0; k < kRuns; ++k) {
        const QString id = nextSeries();
        const std::optional<Event> series = m_events->getById(id);
        QVERIFY(series);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(editor.remove(*series).ok);
        const double deleted = timer.nsecsElapsed() / 1e6;
        if (sent) {
            // As the push does, once the server took the deletion.
            QVERIFY(m_events->hardDelete(id));
            for (int day = 1; day <= kChanged; ++day)
                QVERIFY(m_events->hardDelete(id + QStringLiteral("-%1").arg(day)));
        }
        timer.restart();
        undo.undo();
        const double undone = timer.nsecsElapsed() / 1e6;
        times.append(timeUndo ? undone : deleted);
        const std::optional<Event> back = m_events->getById(id);
        QVERIFY(back && !back->deleted_at);
        // Every changed occurrence is back, named by the series' uid or, as
        // the server named them, by its id there.
        QCOMPARE(m_events->getOccurrencesOf(id, m_calendarId).size()
                     + m_events->getOccurrencesOf(series->provider_event_id, m_calendarId).size(),
                 qsizetype(kChanged));
    }
    QStringList shown;
    for (double ms : std::as_const(times))
        shown.append(QString::number(ms, 'f', 1));
    qInfo().noquote() << "ms:" << shown.join(QLatin1Char(' '));
    std::sort(times.begin(), times.end());
    QTest::setBenchmarkResult(times.at(times.size() / 2), QTest::WalltimeMilliseconds);
}

QTEST_GUILESS_MAIN(BenchEventDelete)
#include "bench_eventdelete.moc"
