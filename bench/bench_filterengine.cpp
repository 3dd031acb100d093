#include "calendar/filterengine.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

#include <cstdio>

// 50 enabled rules of every kind over 10,000 expanded events, as one view
// reload of a busy calendar would pass them.
namespace {

const int kEvents = 10000;
const int kRules = 50;

QList<Event> makeEvents()
{
    static const char *const words[] = {"Team", "sync", "Lunch", "Review", "Call", "Dentist", "Gym",
                                        "Planning", "1:1", "Retro", "Flight", "Standup", "Demo"};
    QRandomGenerator rng(42);
    QList<Event> events;
    events.reserve(kEvents);
    const QDateTime base(QDate(2026, 6, 1), QTime(0, 0));
    for (int i = 0; i < kEvents; ++i) {
        Event e;
        e.id = QStringLiteral("event-%1").arg(i);
        e.uid = e.id + QStringLiteral("@bench");
        e.calendar_id = QStringLiteral("cal-%1").arg(i % 8);
        e.title = QStringLiteral("%1 %2 %3")
                      .arg(QLatin1String(words[rng.bounded(13)]), QLatin1String(words[rng.bounded(13)]))
                      .arg(i);
        e.description = (i % 3 == 0) ? QStringLiteral("Agenda and notes for the meeting number %1").arg(i)
                                     : QString();
        e.location = (i % 4 == 0) ? QStringLiteral("Room %1, second floor").arg(i % 40) : QString();
        e.start_time = base.addSecs(qint64(rng.bounded(60 * 24 * 30)) * 60);
        e.is_all_day = (i % 25 == 0);
        e.recurrence_rule = (i % 7 == 0) ? QStringLiteral("FREQ=WEEKLY") : QString();
        events.append(e);
    }
    return events;
}

// Rules that rarely capture, so most events walk most of the list.
QList<FilterRule> makeRules()
{
    QList<FilterRule> rules;
    for (int i = 0; i < kRules; ++i) {
        FilterRule r;
        r.id = QStringLiteral("rule-%1").arg(i);
        r.name = r.id;
        r.priority = 100 + (i % 5);
        r.action = (i % 2) ? QStringLiteral("dim") : QStringLiteral("hide");
        r.calendar_ids = (i % 3 == 0) ? QStringLiteral("[\"cal-1\",\"cal-2\",\"cal-5\"]") : QStringLiteral("[]");
        switch (i % 5) {
        case 0:
        case 1:
            r.conditions = QStringLiteral(
                               "{\"runtimeType\":\"pattern\",\"titleContains\":[\"nomatch%1\",\"zz%1\"],"
                               "\"descriptionContains\":[\"absent%1\"],\"locationContains\":[\"Hall %1\"]}")
                               .arg(i);
            break;
        case 2:
            r.conditions = QStringLiteral("{\"runtimeType\":\"time\",\"timeRange\":{\"start\":\"%1:00\","
                                          "\"end\":\"%1:10\"},\"daysOfWeek\":[\"sat\"]}")
                               .arg(i % 24, 2, 10, QLatin1Char('0'));
            break;
        case 3:
            r.conditions = QStringLiteral("{\"runtimeType\":\"specific\"}");
            r.event_uid = QStringLiteral("event-%1@bench").arg(i * 37);
            r.event_calendar_id = QStringLiteral("cal-%1").arg((i * 37) % 8);
            break;
        default:
            r.conditions = QStringLiteral("{\"runtimeType\":\"allDay\",\"recurringOnly\":true}");
            break;
        }
        rules.append(r);
    }
    return rules;
}

} // namespace

class BenchFilterEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void apply50RulesTo10000Events();
    void eventsPerSecond();

private:
    QList<Event> m_events;
    QList<FilterRule> m_rules;
};

void BenchFilterEngine::initTestCase()
{
    m_events = makeEvents();
    m_rules = makeRules();
}

void BenchFilterEngine::apply50RulesTo10000Events()
{
    FilterResult result;
    QBENCHMARK {
        result = FilterEngine::apply(m_events, m_rules);
    }
    QVERIFY(result.events.size() + result.hiddenCount == kEvents);
}

void BenchFilterEngine::eventsPerSecond()
{
    const int rounds = 20;
    int hidden = 0;
    int dimmed = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        const FilterResult result = FilterEngine::apply(m_events, m_rules);
        hidden = result.hiddenCount;
        dimmed = int(result.dimmedIds.size());
    }
    const qint64 ns = timer.nsecsElapsed();
    const double perCall = double(ns) / rounds / 1e6;
    const double perSecond = double(kEvents) * rounds / (double(ns) / 1e9);
    std::printf("filter engine: %d rules, %d events: %.2f ms per apply, %.0f events/s "
                "(hidden %d, dimmed %d)\n",
                kRules, kEvents, perCall, perSecond, hidden, dimmed);
    QVERIFY(perSecond > 0);
}

QTEST_GUILESS_MAIN(BenchFilterEngine)
#include "bench_filterengine.moc"
