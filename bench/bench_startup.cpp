// Time from process start to the first painted main window, against a bare
// Qt window in the same conditions. Run as
//   bench_startup bare    a QApplication and one empty QWidget
//   bench_startup app     the application object, the state hub and the
//                         main window, as the program's start-up builds them
// and compare whole processes (for example with /usr/bin/time, or several
// runs of each); each run also prints its own time to the first paint.
// CALENDAR_DATA_DIR should name a folder kept between runs, so that only the
// first run creates the database.
#include "app/application.h"
#include "app/appstate.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <cstdio>
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

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer clock;
    clock.start();
    if (argc > 1 && std::strcmp(argv[1], "bare") == 0)
        return runBare(argc, argv, clock);
    if (argc > 1 && std::strcmp(argv[1], "app") == 0)
        return runProgram(argc, argv, clock);
    std::fprintf(stderr, "usage: %s bare|app\n", argv[0]);
    return 2;
}
