#pragma once

#include "tests/support/localhttpserver.h"

#include <QUrl>

#include <functional>
#include <optional>

class DavServerProcess;

// A real CalDAV server behind a local front: every request goes on to the
// server unless the hook answers it first, as a captive portal or a broken
// proxy would. Every request is recorded.
class DavFaultProxy
{
public:
    using Hook = std::function<std::optional<LocalHttpServer::Reply>(const LocalHttpServer::Request &)>;

    explicit DavFaultProxy(const DavServerProcess *server);

    bool listen() { return m_http.listen(); }
    // The server's URL as reached through the front.
    QUrl url(const QUrl &serverUrl) const;
    LocalHttpServer &http() { return m_http; }
    // Requests of `method` whose target contains `part`.
    int count(const QByteArray &method, const QByteArray &part = QByteArray()) const;

    // The server's answer to the request; a hook that changes a request on
    // its way passes it on through here.
    LocalHttpServer::Reply forward(const LocalHttpServer::Request &request) const;

    Hook hook;

private:

    const DavServerProcess *m_server;
    LocalHttpServer m_http;
};
