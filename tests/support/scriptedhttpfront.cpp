#include "tests/support/scriptedhttpfront.h"

ScriptedHttpFront::ScriptedHttpFront(LocalHttpServer::Handler handler)
{
    m_http.setHandler(std::move(handler));
}

bool ScriptedHttpFront::start()
{
    return m_http.listen();
}

QUrl ScriptedHttpFront::baseUrl() const
{
    return m_http.url(QString());
}

QList<LocalHttpServer::Request> ScriptedHttpFront::requestsTo(const QByteArray &prefix,
                                                              const QByteArray &method) const
{
    QList<LocalHttpServer::Request> found;
    for (const LocalHttpServer::Request &request : m_http.requests()) {
        if (request.target.startsWith(prefix) && (method.isEmpty() || request.method == method))
            found.append(request);
    }
    return found;
}

void ScriptedHttpFront::loseRewriteAnswer(const QByteArray &path)
{
    m_rewrite = Rewrite{path};
}

void ScriptedHttpFront::loseSeriesWrite(const QByteArray &path, const QString &fault)
{
    Failure lost{"PATCH", path, 400, false, 1};
    lost.afterCommit = true;
    lost.dropped = fault == QLatin1String("dropped");
    lost.hang = fault.startsWith(QLatin1String("timeout"));
    if (fault != QLatin1String("day refused"))
        m_failures.append(lost);
    if (fault.endsWith(QLatin1String("day refused")))
        m_failures.append(Failure{"PATCH", path + '_', 400, false, 1});
}

std::optional<ScriptedHttpFront::Failure> ScriptedHttpFront::arrived(const LocalHttpServer::Request &request)
{
    if (onRequest)
        onRequest(request);
    const QByteArray target = request.target.split('?').first();
    if (!m_rewrite.path.isEmpty() && !m_rewrite.armed && target.endsWith(m_rewrite.path)) {
        m_rewrite.written = m_rewrite.written || request.method == "PATCH";
        if (m_rewrite.written && request.method == "GET") {
            m_rewrite.armed = true;
            Failure lost{"PATCH", m_rewrite.path, 400, false, 1};
            lost.afterCommit = true;
            m_failures.append(lost);
        }
    }
    for (int i = 0; i < m_failures.size(); ++i) {
        const Failure failure = m_failures.at(i);
        if ((!failure.method.isEmpty() && failure.method != request.method)
            || !request.target.contains(failure.targetPart))
            continue;
        if (failure.times > 0 && --m_failures[i].times == 0)
            m_failures.removeAt(i);
        return failure;
    }
    return std::nullopt;
}

LocalHttpServer::Reply ScriptedHttpFront::failureReply(const Failure &failure, const LocalHttpServer::Request &request,
                                                       LocalHttpServer::Reply serviceError)
{
    LocalHttpServer::Reply reply = std::move(serviceError);
    if (failure.body) {
        reply.body = failure.body(request);
        const QByteArray type = reply.body.startsWith('{') ? "application/json" : "text/html; charset=utf-8";
        reply.headers = {qMakePair(QByteArray("Content-Type"), type)};
    }
    reply.hang = failure.hang;
    reply.held = failure.held;
    reply.dropped = failure.dropped;
    if (failure.retryAfter >= 0)
        reply.headers.append(qMakePair(QByteArray("Retry-After"), QByteArray::number(failure.retryAfter)));
    return reply;
}
