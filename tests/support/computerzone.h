#pragma once

#include <QByteArray>

#include <ctime>
#include <functional>
#include <thread>

// Runs `work` on a thread of its own with the computer's zone `zone`: the
// zone every reader of that thread takes (Qt keeps some per thread), as on
// a computer set to it. The process's zone is put back after.
inline void inComputerZone(const QByteArray &zone, const std::function<void()> &work)
{
    const QByteArray before = qgetenv("TZ");
    qputenv("TZ", zone);
    tzset();
    std::thread(work).join();
    qputenv("TZ", before);
    tzset();
}
