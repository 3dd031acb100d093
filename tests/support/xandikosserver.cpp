#include "tests/support/xandikosserver.h"

QUrl XandikosServer::principalUrl() const
{
    return baseUrl().resolved(QUrl(QStringLiteral("user/")));
}

QUrl XandikosServer::calendarHomeUrl() const
{
    return baseUrl().resolved(QUrl(QStringLiteral("user/calendars/")));
}

bool XandikosServer::prepare(quint16)
{
    return true;
}

QString XandikosServer::program() const
{
    // Debian's interpreter, which has the xandikos and aiohttp modules.
    return QStringLiteral("/usr/bin/python3");
}

QStringList XandikosServer::arguments(quint16 port) const
{
    return {QStringLiteral(TINDLE_TEST_SUPPORT_DIR "/xandikos_basic_auth.py"),
            QStringLiteral("--directory"), storagePath(),
            QStringLiteral("--port"), QString::number(port),
            QStringLiteral("--user"), user(),
            QStringLiteral("--password"), password()};
}
