#include "tests/support/davfaultproxy.h"

#include "tests/support/davserverprocess.h"

DavFaultProxy::DavFaultProxy(const DavServerProcess *server)
    : m_server(server)
{
    m_http.setHandler([this](const LocalHttpServer::Request &request) {
        if (hook) {
            if (std::optional<LocalHttpServer::Reply> reply = hook(request))
                return *reply;
        }
        return forward(request);
    });
}

QUrl DavFaultProxy::url(const QUrl &serverUrl) const
{
    QUrl front = serverUrl;
    front.setPort(m_http.port());
    return front;
}

int DavFaultProxy::count(const QByteArray &method, const QByteArray &part) const
{
    int found = 0;
    for (const LocalHttpServer::Request &request : m_http.requests()) {
        if (request.method == method && request.target.contains(part))
            ++found;
    }
    return found;
}

LocalHttpServer::Reply DavFaultProxy::forward(const LocalHttpServer::Request &request) const
{
    QMap<QByteArray, QByteArray> headers;
    for (const QByteArray &name : {QByteArray("content-type"), QByteArray("depth"), QByteArray("if-match"),
                                  QByteArray("if-none-match")}) {
        if (request.headers.contains(name))
            headers.insert(name, request.headers.value(name));
    }
    const QUrl target = m_server->baseUrl().resolved(QUrl::fromEncoded(request.target));
    const DavServerProcess::HttpResult result = m_server->request(request.method, target, request.body, headers);
    LocalHttpServer::Reply reply;
    reply.status = result.status ? result.status : 502;
    reply.body = result.body;
    for (const QByteArray &name : {QByteArray("etag"), QByteArray("content-type"), QByteArray("location")}) {
        if (result.headers.contains(name))
            reply.headers.append(qMakePair(name, result.headers.value(name)));
    }
    return reply;
}
