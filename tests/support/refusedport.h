#pragma once

#include <QTcpSocket>

// A port on 127.0.0.1 where connections are refused, held for the fixture's
// life: bound but never listening, and not shared, so no server of another
// test can take it while a test counts on the refusal. A port merely left by
// a closed server may be handed to the next server that asks for any port.
class RefusedPort
{
public:
    RefusedPort();

    bool isValid() const { return m_port != 0; }
    quint16 port() const { return m_port; }

private:
    QTcpSocket m_holder;
    quint16 m_port = 0;
};
