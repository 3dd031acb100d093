#include "app/platform/loopbackpeer.h"

#include <QByteArray>
#include <QFile>
#include <QHostAddress>
#include <QList>
#include <QTcpSocket>
#include <QtEndian>

#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_LINUX
// An address and port as /proc/net/tcp writes them: the address's 32-bit
// words in the machine's byte order, each as 8 hex digits, then the port.
QByteArray tableEntry(const quint8 *bytes, int size, quint16 port)
{
    QByteArray entry;
    for (int word = 0; word < size; word += 4) {
        quint32 value = 0;
        std::memcpy(&value, bytes + word, 4);
        entry += QByteArray::number(value, 16).rightJustified(8, '0');
    }
    return (entry + ':' + QByteArray::number(port, 16).rightJustified(4, '0')).toUpper();
}

// The same end as the IPv4 or the IPv6 table lists it: an IPv4 client of a
// dual-stack socket is in the IPv4 table, an IPv6 client of an IPv4-mapped
// address in the IPv6 one. Empty where that table cannot hold it.
QByteArray tableEntry(const QHostAddress &address, quint16 port, bool ipv6Table)
{
    bool isIpv4 = false;
    const quint32 ipv4 = qToBigEndian(address.toIPv4Address(&isIpv4));
    if (!ipv6Table)
        return isIpv4 ? tableEntry(reinterpret_cast<const quint8 *>(&ipv4), 4, port) : QByteArray();
    // An IPv4 address comes as its IPv4-mapped form.
    const Q_IPV6ADDR ipv6 = address.toIPv6Address();
    return tableEntry(ipv6.c, 16, port);
}

std::optional<uint> ownerIn(const QString &file, const QByteArray &local, const QByteArray &remote)
{
    if (local.isEmpty() || remote.isEmpty())
        return std::nullopt;
    QFile table(file);
    if (!table.open(QIODevice::ReadOnly))
        return std::nullopt;
    table.readLine(); // the column names
    // Until a read comes back empty: on /proc, atEnd() can be true early.
    for (QByteArray line = table.readLine(); !line.isEmpty(); line = table.readLine()) {
        // sl local_address rem_address st tx:rx tr:when retrnsmt uid ...
        const QList<QByteArray> columns = line.simplified().split(' ');
        if (columns.size() > 7 && columns.at(1) == local && columns.at(2) == remote) {
            bool ok = false;
            const uint uid = columns.at(7).toUInt(&ok);
            if (ok)
                return uid;
        }
    }
    return std::nullopt;
}
#endif

} // namespace

std::optional<uint> LoopbackPeer::ownerUid(const QTcpSocket &socket)
{
#ifdef Q_OS_LINUX
    // The table is read in pieces while it changes; an entry moved between
    // two pieces can be missed once, so a miss is looked for again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (const bool ipv6 : {false, true}) {
            const std::optional<uint> owner =
                ownerIn(QLatin1String(ipv6 ? "/proc/net/tcp6" : "/proc/net/tcp"),
                        tableEntry(socket.peerAddress(), socket.peerPort(), ipv6),
                        tableEntry(socket.localAddress(), socket.localPort(), ipv6));
            if (owner)
                return owner;
        }
    }
#else
    Q_UNUSED(socket)
#endif
    return std::nullopt;
}

uint LoopbackPeer::ownUid()
{
#ifdef Q_OS_UNIX
    return geteuid();
#else
    return 0;
#endif
}
