#pragma once

#include <QByteArray>
#include <QFile>

// Peak resident memory of the benchmark process (Linux), for the memory
// figures next to the timings.
namespace PeakResident {

// A size line of /proc/self/status ("VmHWM:", "VmRSS:") in MB.
inline double statusMegabytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix(key);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Peak resident size in MB since the last reset (VmHWM).
inline double megabytes()
{
    return statusMegabytes("VmHWM:");
}

// Resident size in MB now (VmRSS).
inline double currentMegabytes()
{
    return statusMegabytes("VmRSS:");
}

// Starts a new peak at the present resident size.
inline void reset()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace PeakResident
