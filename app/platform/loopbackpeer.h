#pragma once

#include <QtGlobal>

#include <optional>

class QTcpSocket;

// Who is at the other end of a connection made on this machine. A loopback
// listener answers only its own user: the address it hands the browser rides
// a command line that every local user can read.
class LoopbackPeer
{
public:
    // The user owning the peer's socket of `socket` (an accepted
    // connection): the system's TCP table lists the peer's end with its
    // owner. None when it is not listed, or on systems where we do not look.
    static std::optional<uint> ownerUid(const QTcpSocket &socket);
    // The user this process runs as.
    static uint ownUid();
};
