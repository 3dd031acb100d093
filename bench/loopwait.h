#pragma once

// Waits in a real event loop. QTest::qWait and qWaitFor sleep up to 10 ms
// between two rounds of events, and a stall watch counts that sleep as a
// stall; a benchmark that measures the event loop waits here instead.
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

// Runs the event loop until `done` holds (checked every `everyMs`) or
// `timeoutMs` passed; whether it held.
inline bool loopUntil(const std::function<bool()> &done, int timeoutMs, int everyMs = 1)
{
    if (done())
        return true;
    QEventLoop loop;
    QDeadlineTimer deadline(timeoutMs);
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    check.setInterval(everyMs);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    check.start();
    loop.exec();
    return done();
}

// Runs the event loop for `ms` milliseconds.
inline void loopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}
