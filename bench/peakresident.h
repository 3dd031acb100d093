#pragma once

#include <QByteArray>
#include <QFile>

// Peak resident memory of the benchmark process (Linux), for the memory
// figures next to the timings.
namespace PeakResident {

// Peak resident size in MB since the last reset (VmHWM).
inline double megabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Starts a new peak at the present resident size.
inline void reset()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace PeakResident
