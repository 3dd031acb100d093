// Time from process start to the first painted main window, against a bare
// Qt window in the same conditions. Run as
//   bench_startup bare    a QApplication and one empty QWidget
//   bench_startup app     the program's start (Application::run)
// Both end the process at the window's first paint: compare whole processes
// (for example with farm-bench --vs); each run also prints its own time
// from main() to the first paint.
// CALENDAR_DATA_DIR should name a folder kept between runs, so that only the
// first run creates the database.
//   bench_startup fill N [F]  stores N events (a few hundred of them
//                         repeating series with overdue reminders) in that
//                         folder, F of the single ones floating (another
//                         client's times without a zone): a run under
//                         another TZ than the run before it is a start in a
//                         new zone, which pins them again
//   bench_startup probe   the program's whole start-up (Application::run)
//                         for 4 s: time to the first paint, time until the
//                         event loop first goes quiet (100 ms without a gap
//                         over 5 ms) and the longest gap in the 4 s,
//                         the first reminder pass included, and how many
//                         range reads ran
//   bench_startup bareprobe  the same figures for a bare Qt window
// The probes also print the peak resident memory of the whole run and the
// resident memory at its end (4 s after start), with the heap's share, and
// how much of the longest stall over 16 ms the GUI thread itself worked,
// every turn of the event loop over 8 ms with where its time went, and the
// turn each build step of the window ran in.
#include "app/application.h"
#include "app/appstate.h"
#include "bench/peakresident.h"
#include "bench/stallwatch.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "ui/mainwindow.h"
#include "views/common/viewrange.h"
#include "views/common/viewrangeworker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QHash>
#include <QMap>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <malloc.h>

namespace {

// Ends the process at the first paint of any top-level window of the given
// class (the program makes its own), so that timing the whole process from
// outside measures how long a window takes to appear: no teardown, and none
// of the work the program does after its first paint, is counted.
class QuitAtFirstPaint : public QObject
{
public:
    QuitAtFirstPaint(const char *windowClass, const QElapsedTimer &clock)
        : m_windowClass(windowClass)
        , m_clock(clock)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->inherits(m_windowClass)) {
            qApp->removeEventFilter(this);
            std::printf("first paint after %lld ms\n", static_cast<long long>(m_clock.elapsed()));
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }

private:
    const char *m_windowClass;
    const QElapsedTimer &m_clock;
};

int runBare(int argc, char **argv, const QElapsedTimer &clock)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1440, 900);
    QuitAtFirstPaint watcher("QWidget", clock);
    window.show();
    return app.exec();
}

int runProgram(int argc, char **argv, const QElapsedTimer &clock)
{
    qputenv("CALENDAR_NONINTERACTIVE", "1");
    // The update check stays on this machine.
    qputenv("CALENDAR_UPDATE_MANIFEST_URL", "http://127.0.0.1:9/");
    Application app(argc, argv, Application::Assets::AfterTheFirstFrame);
    // The program's own start, which makes the window; it ends at the
    // window's first paint.
    QuitAtFirstPaint watcher("MainWindow", clock);
    return app.run();
}

// Notes the first paint of any top-level window (the program makes its own).
class AnyFirstPaint : public QObject
{
public:
    AnyFirstPaint(const QElapsedTimer &clock, const char *windowClass)
        : m_clock(clock)
        , m_windowClass(windowClass)
    {
        qApp->installEventFilter(this);
    }
    qint64 at() const { return m_at; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        const QWidget *window = static_cast<QWidget *>(watched)->window();
        if (!window->inherits(m_windowClass))
            return false;
        if (m_at < 0)
            m_at = m_clock.elapsed();
        if (m_contentsAt < 0 && watched != window)
            m_contentsAt = m_clock.elapsed();
        return false;
    }

public:
    // The first paint of anything inside the window (its contents).
    qint64 contentsAt() const { return m_contentsAt; }

private:
    const QElapsedTimer &m_clock;
    const char *m_windowClass;
    qint64 m_at = -1;
    qint64 m_contentsAt = -1;
};

// Every stretch between two ticks of a 1 ms timer over 8 ms, with its
// wall and GUI-thread time (on a loaded machine a stretch is longer than
// the work in it: the thread waits for a processor), the build steps of the window that ran in it,
// and where its processor time went: each slice between two deliveries of
// an event is charged to the event delivered last (receiver class and event
// type), so a nested delivery (a polish inside a show) is charged apart.
class TurnProfile : public QObject
{
public:
    TurnProfile(const QElapsedTimer &clock, const std::function<int()> &buildSteps)
        : m_clock(clock)
        , m_buildSteps(buildSteps)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_lastWall = m_clock.elapsed();
        m_lastCpu = m_sliceCpu = cpuUs();
        m_timer.start();
        qApp->installEventFilter(this);
    }
    ~TurnProfile() override { qApp->removeEventFilter(this); }
    // The processor time of the longest stretch over 16 ms (0 when none).
    qint64 longestWorkMs() const { return m_longestWork / 1000; }

    void print() const
    {
        std::printf("  turns over 8 ms (wall / GUI thread, the window's build steps run in them, the costliest events):\n");
        for (const QString &line : m_lines)
            std::printf("    %s\n", qPrintable(line));
        for (auto step = m_stepTurns.cbegin(); step != m_stepTurns.cend(); ++step)
            std::printf("  build step %d ran in a turn of %.1f ms, %.1f ms on the GUI thread\n", step.key(),
                        step.value().first / 1000.0, step.value().second / 1000.0);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        charge();
        if (m_first.isEmpty())
            m_first = QStringLiteral("%1/%2").arg(QString::fromLatin1(watched->metaObject()->className()))
                          .arg(int(event->type()));
        m_current = QStringLiteral("%1/%2").arg(QString::fromLatin1(watched->metaObject()->className()))
                        .arg(int(event->type()));
        return false;
    }

private:
    static qint64 cpuUs()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
    }
    void charge()
    {
        const qint64 cpu = cpuUs();
        if (!m_current.isEmpty())
            m_slices[m_current] += cpu - m_sliceCpu;
        m_sliceCpu = cpu;
    }
    void tick()
    {
        charge();
        m_current.clear();
        const qint64 wall = m_clock.elapsed();
        const qint64 cpu = cpuUs();
        const int steps = m_buildSteps();
        if (wall - m_lastWall > 16)
            m_longestWork = std::max(m_longestWork, cpu - m_lastCpu);
        for (int step = m_lastSteps; step < steps; ++step)
            m_stepTurns.insert(step, {(wall - m_lastWall) * 1000, cpu - m_lastCpu});
        if (wall - m_lastWall > 8) {
            QList<std::pair<qint64, QString>> costly;
            for (auto slice = m_slices.cbegin(); slice != m_slices.cend(); ++slice)
                costly.append({slice.value(), slice.key()});
            std::sort(costly.begin(), costly.end(), std::greater<>());
            QString line = QStringLiteral("at %1 ms: %2 ms / %3 ms, steps %4..%5, from %6:")
                               .arg(m_lastWall).arg(wall - m_lastWall).arg((cpu - m_lastCpu) / 1000.0, 0, 'f', 1)
                               .arg(m_lastSteps).arg(steps).arg(m_first);
            for (int i = 0; i < std::min<qsizetype>(4, costly.size()); ++i)
                line += QStringLiteral(" %1 %2 ms").arg(costly.at(i).second).arg(costly.at(i).first / 1000.0, 0, 'f', 1);
            m_lines.append(line);
        }
        m_slices.clear();
        m_first.clear();
        m_lastWall = wall;
        m_lastCpu = cpu;
        m_lastSteps = steps;
    }

    const QElapsedTimer &m_clock;
    std::function<int()> m_buildSteps;
    QTimer m_timer;
    qint64 m_lastWall = 0;
    qint64 m_lastCpu = 0;
    qint64 m_sliceCpu = 0;
    qint64 m_longestWork = 0;
    int m_lastSteps = 0;
    QString m_current;
    // The first event delivered in the stretch: what set it off.
    QString m_first;
    QHash<QString, qint64> m_slices;
    QMap<int, std::pair<qint64, qint64>> m_stepTurns;
    QStringList m_lines;
};

void report(const char *what, qint64 firstPaint, qint64 contentsPaint, const StallWatch &watch)
{
    std::printf("%s: first paint %lld ms, contents painted %lld ms, idle %lld ms, longest stall in 4 s %lld ms, peak resident %.1f MB, resident at the end %.1f MB\n",
                what, static_cast<long long>(firstPaint), static_cast<long long>(contentsPaint),
                static_cast<long long>(watch.idleAfter(firstPaint)),
                static_cast<long long>(watch.longest()), PeakResident::megabytes(),
                PeakResident::currentMegabytes());
    // Where the resident memory is: the heap's live blocks, the room it keeps
    // free (returned to the system or not), its blocks mapped on their own.
    const struct mallinfo2 heap = mallinfo2();
    std::printf("  heap in use %.1f MB, kept free %.1f MB, mapped apart %.1f MB\n", heap.uordblks / 1048576.0,
                heap.fordblks / 1048576.0, heap.hblkhd / 1048576.0);
    for (const StallWatch::Gap &gap : watch.gaps()) {
        if (gap.length() > 16)
            std::printf("  stall %lld ms at %lld ms\n", static_cast<long long>(gap.length()),
                        static_cast<long long>(gap.startMs));
    }
}

int runProbe(int argc, char **argv, const QElapsedTimer &clock)
{
    qputenv("CALENDAR_NONINTERACTIVE", "1");
    // The update check stays on this machine.
    qputenv("CALENDAR_UPDATE_MANIFEST_URL", "http://127.0.0.1:9/");
    Application app(argc, argv, Application::Assets::AfterTheFirstFrame);
    AnyFirstPaint paint(clock, "MainWindow");
    StallWatch watch(clock);
    TurnProfile turns(clock, [&app] { return app.mainWindow() ? app.mainWindow()->buildStepsDone() : 0; });
    QTimer::singleShot(4000, &app, &QCoreApplication::quit);
    const int code = app.run();
    report("program", paint.at(), paint.contentsAt(), watch);
    std::printf("  the GUI thread's own time in its longest stall over 16 ms: %lld ms\n",
                static_cast<long long>(turns.longestWorkMs()));
    std::printf("  range reads started %llu, their steps finished %llu\n",
                static_cast<unsigned long long>(ViewRangeWorker::readsStarted()),
                static_cast<unsigned long long>(ViewRange::stepsFinished()));
    turns.print();
    return code;
}

int runBareProbe(int argc, char **argv, const QElapsedTimer &clock)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1440, 900);
    AnyFirstPaint paint(clock, "QWidget");
    StallWatch watch(clock);
    window.show();
    QTimer::singleShot(4000, &app, &QCoreApplication::quit);
    const int code = app.exec();
    report("bare window", paint.at(), paint.contentsAt(), watch);
    return code;
}

// 50,000 events over four years around today, 2% of them repeating; 500
// daily series began a month ago with a reminder never shown (overdue).
// `floating` of the single events have no zone.
int fill(int argc, char **argv, int count, int floating)
{
    QApplication app(argc, argv);
    AppState state;
    if (!state.initialize())
        return 1;
    QRandomGenerator random(count);
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime origin = now.addDays(-730);
    QSqlDatabase &db = state.database()->database();
    db.transaction();
    for (int i = 0; i < count; ++i) {
        Event e;
        e.id = e.uid = QStringLiteral("bench-%1").arg(i);
        e.calendar_id = QString::fromLatin1(AppState::LocalCalendarId);
        e.title = QStringLiteral("Event %1").arg(i);
        e.raw_icalendar = QStringLiteral("");
        e.start_time = origin.addSecs(60LL * 15 * random.bounded(4 * 365 * 96));
        e.end_time = e.start_time.addSecs(60 * (30 + 15 * random.bounded(6)));
        if (i < 500) {
            e.start_time = now.addDays(-30).addSecs(3600 + i * 60);
            e.end_time = e.start_time.addSecs(1800);
            e.recurrence_rule = QStringLiteral("FREQ=DAILY");
            Reminder reminder;
            reminder.minutes_before = 15;
            e.reminders.append(reminder);
        } else if (i < 1000) {
            e.recurrence_rule = QStringLiteral("FREQ=WEEKLY");
        } else if (i < 1000 + floating) {
            e.timezone = QStringLiteral("");
        }
        if (!state.events()->insert(e))
            return 1;
    }
    db.commit();
    std::printf("stored %d events\n", count);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer clock;
    clock.start();
    // As the program's main() does.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    if (argc > 2 && std::strcmp(argv[1], "fill") == 0)
        return fill(argc, argv, std::atoi(argv[2]), argc > 3 ? std::atoi(argv[3]) : 0);
    if (argc > 1 && std::strcmp(argv[1], "probe") == 0)
        return runProbe(argc, argv, clock);
    if (argc > 1 && std::strcmp(argv[1], "bareprobe") == 0)
        return runBareProbe(argc, argv, clock);
    if (argc > 1 && std::strcmp(argv[1], "bare") == 0)
        return runBare(argc, argv, clock);
    if (argc > 1 && std::strcmp(argv[1], "app") == 0)
        return runProgram(argc, argv, clock);
    std::fprintf(stderr, "usage: %s bare|app|probe|bareprobe|fill N [F]\n", argv[0]);
    return 2;
}
