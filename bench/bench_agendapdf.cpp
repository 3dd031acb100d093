#include "app/appstate.h"
#include "calendar/icscodec.h"
#include "dialogs/editing/agendapdf.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/tempdatadir.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QTest>

#include <memory>

// An agenda PDF of 2,000 occurrences over 30 days: 60 daily series and 200
// single events, gathered (range, expansion, filters) and painted.
class BenchAgendaPdf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void gather();
    void paint();
    void gatherAndPaint();

private:
    int paintOnce(const FilterResult &kept, qint64 *bytes);

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
    QHash<QString, QString> m_colours;
    QHash<QString, QString> m_names;
    const QDate m_from = QDate(2026, 3, 1);
    const QDate m_to = QDate(2026, 3, 30);
};

void BenchAgendaPdf::initTestCase()
{
    m_dir = std::make_unique<TempDataDir>();
    m_state = std::make_unique<AppState>();
    QVERIFY(m_state->initialize());
    const QString calendar = QString::fromLatin1(AppState::LocalCalendarId);
    QVERIFY(m_state->database()->database().transaction());
    for (int i = 0; i < 60; ++i) {
        Event e;
        e.id = e.uid = QStringLiteral("series-%1").arg(i);
        e.calendar_id = calendar;
        e.title = QStringLiteral("Daily item %1").arg(i);
        e.location = i % 2 ? QStringLiteral("Room %1").arg(i) : QString();
        e.start_time = QDateTime(m_from.addDays(-10), QTime(7, 0)).addSecs(600LL * i);
        e.end_time = e.start_time.addSecs(1800);
        e.recurrence_rule = QStringLiteral("FREQ=DAILY");
        // The store keeps every event's iCalendar text.
        e.raw_icalendar = IcsCodec::buildEventIcs(e);
        QVERIFY(m_state->events()->insert(e));
    }
    for (int i = 0; i < 200; ++i) {
        Event e;
        e.id = e.uid = QStringLiteral("single-%1").arg(i);
        e.calendar_id = calendar;
        e.title = QStringLiteral("Meeting %1").arg(i);
        e.start_time = QDateTime(m_from.addDays(i % 30), QTime(9 + i % 8, 30));
        e.end_time = e.start_time.addSecs(3600);
        // The store keeps every event's iCalendar text.
        e.raw_icalendar = IcsCodec::buildEventIcs(e);
        QVERIFY(m_state->events()->insert(e));
    }
    QVERIFY(m_state->database()->database().commit());
    for (const Calendar &c : m_state->calendars()->getAll()) {
        m_colours.insert(c.id, c.color);
        m_names.insert(c.id, c.name);
    }
    QCOMPARE(agendaEvents(m_state.get(), m_from, m_to).events.size(), 2000);
}

void BenchAgendaPdf::cleanupTestCase()
{
    m_state.reset();
    m_dir.reset();
}

int BenchAgendaPdf::paintOnce(const FilterResult &kept, qint64 *bytes)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int n = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        n = renderAgendaPdf(&writer, QStringLiteral("Agenda"), m_from, m_to, kept, m_colours, m_names);
    }
    *bytes = buffer.size();
    return n;
}

void BenchAgendaPdf::gather()
{
    int count = 0;
    QBENCHMARK
    {
        count = int(agendaEvents(m_state.get(), m_from, m_to).events.size());
    }
    QCOMPARE(count, 2000);
}

void BenchAgendaPdf::paint()
{
    const FilterResult kept = agendaEvents(m_state.get(), m_from, m_to);
    qint64 bytes = 0;
    int count = 0;
    QBENCHMARK
    {
        count = paintOnce(kept, &bytes);
    }
    QCOMPARE(count, 2000);
    qInfo().noquote() << QStringLiteral("%1 bytes of PDF").arg(bytes);
}

void BenchAgendaPdf::gatherAndPaint()
{
    qint64 bytes = 0;
    QBENCHMARK
    {
        paintOnce(agendaEvents(m_state.get(), m_from, m_to), &bytes);
    }
}

QTEST_MAIN(BenchAgendaPdf)
#include "bench_agendapdf.moc"
