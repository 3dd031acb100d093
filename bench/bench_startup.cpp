// Time from process start to the first painted main window, against a bare
// Qt window in the same conditions. Run as
//   bench_startup bare    a QApplication and one empty QWidget
//   bench_startup app     the application object, the state hub and the
//                         main window, as the program's start-up builds them
// and compare whole processes (for example with /usr/bin/time, or several
// runs of each); each run also prints its own time to the first paint.
// CALENDAR_DATA_DIR should name a folder kept between runs, so that only the
// first run creates the database.
//   bench_startup fill N  stores N events (a few hundred of them repeating
//                         series with overdue reminders) in that folder
//   bench_startup probe   the program's whole start-up (Application::run)
//                         for 4 s: time to the first paint, time until the
//                         event loop first goes quiet (100 ms without a gap
//                         over 5 ms) and the longest gap in the 4 s,
//                         the first reminder pass included
//   bench_startup bareprobe  the same figures for a bare Qt window
// The probes also print the peak resident memory of the whole run.
#include "app/application.h"
#include "app/appstate.h"
#include "bench/peakresident.h"
#include "bench/stallwatch.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Ends the event loop at the first paint of `window`.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget *window, const QElapsedTimer &clock)
        : m_window(window)
        , m_clock(clock)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            std::printf("first paint after %lld ms\n", static_cast<long long>(m_clock.elapsed()));
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget *m_window;
    const QElapsedTimer &m_clock;
    bool m_done = false;
};

int runBare(int argc, char **argv, const QElapsedTimer &clock)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1440, 900);
    FirstPaint watcher(&window, clock);
    window.show();
    return app.exec();
}

int runProgram(int argc, char **argv, const QElapsedTimer &clock)
{
    qputenv("CALENDAR_NONINTERACTIVE", "1");
    Application app(argc, argv);
    auto *state = new AppState(&app);
    if (!state->initialize())
        return 1;
    MainWindow window(state);
    FirstPaint watcher(&window, clock);
    window.show();
    return app.exec();
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
        if (m_at < 0 && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window()->inherits(m_windowClass))
            m_at = m_clock.elapsed();
        return false;
    }

private:
    const QElapsedTimer &m_clock;
    const char *m_windowClass;
    qint64 m_at = -1;
};

void report(const char *what, qint64 firstPaint, const StallWatch &watch)
{
    std::printf("%s: first paint %lld ms, idle %lld ms, longest stall in 4 s %lld ms, peak resident %.1f MB\n",
                what, static_cast<long long>(firstPaint), static_cast<long long>(watch.idleAfter(firstPaint)),
                static_cast<long long>(watch.longest()), PeakResident::megabytes());
    for (const StallWatch::Gap &gap : watch.gaps()) {
        if (gap.length() > 16)
            std::printf("  stall %lld ms at %lld ms\n", static_cast<long long>(gap.length()),
                        static_cast<long long>(gap.startMs));
    }
}

int runProbe(int argc, char **argv, const QElapsedTimer &clock)
{
    qputenv("CALENDAR_NONINTERACTIVE", "1");
    Application app(argc, argv);
    AnyFirstPaint paint(clock, "MainWindow");
    StallWatch watch(clock);
    QTimer::singleShot(4000, &app, &QCoreApplication::quit);
    const int code = app.run();
    report("program", paint.at(), watch);
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
    report("bare window", paint.at(), watch);
    return code;
}

// 50,000 events over four years around today, 2% of them repeating; 500
// daily series began a month ago with a reminder never shown (overdue).
int fill(int argc, char **argv, int count)
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
        return fill(argc, argv, std::atoi(argv[2]));
    if (argc > 1 && std::strcmp(argv[1], "probe") == 0)
        return runProbe(argc, argv, clock);
    if (argc > 1 && std::strcmp(argv[1], "bareprobe") == 0)
        return runBareProbe(argc, argv, clock);
    if (argc > 1 && std::strcmp(argv[1], "bare") == 0)
        return runBare(argc, argv, clock);
    if (argc > 1 && std::strcmp(argv[1], "app") == 0)
        return runProgram(argc, argv, clock);
    std::fprintf(stderr, "usage: %s bare|app|probe|bareprobe|fill N\n", argv[0]);
    return 2;
}
