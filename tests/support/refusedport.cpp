#include "tests/support/refusedport.h"

RefusedPort::RefusedPort()
{
    if (m_holder.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress))
        m_port = m_holder.localPort();
}
