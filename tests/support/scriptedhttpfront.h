#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

#include "tests/support/localhttpserver.h"

// The HTTP side of a fake provider on 127.0.0.1: the requests it has seen,
// failures scripted per request, and a hook that runs before each answer.
// A fake server derives from it and answers through its own handler.
class ScriptedHttpFront
{
public:
    struct Failure
    {
        QByteArray method;     // empty: any
        QByteArray targetPart; // the request target contains it
        int status = 500;
        bool hang = false;
        int times = 1;         // -1: always
        int retryAfter = -1;   // seconds; -1: no Retry-After header
        // The request is carried out first and only its answer is the
        // failure, as when a service commits and then fails to answer.
        bool afterCommit = false;
        // Google's "reason" of the error ("rateLimitExceeded"); empty: none.
        QString reason = {};
        // Answered only when the test calls http().releaseHeld().
        bool held = false;
        // The body in place of the service's error, made from the request
        // (a proxy's page may echo what it was sent): HTML unless it is a
        // JSON object. None: the service's error.
        std::function<QByteArray(const LocalHttpServer::Request &)> body = {};
        // The connection is closed without an answer (with afterCommit, once
        // the request was carried out): the client may send it again.
        bool dropped = false;
    };

    bool start();
    // Scheme, host and port.
    QUrl baseUrl() const;
    LocalHttpServer &http() { return m_http; }
    QList<LocalHttpServer::Request> requests() const { return m_http.requests(); }
    // Requests whose target starts with `prefix` (e.g. "/token").
    QList<LocalHttpServer::Request> requestsTo(const QByteArray &prefix, const QByteArray &method = {}) const;

    void failNext(const Failure &failure) { m_failures.append(failure); }
    // The answer to the PATCH of `path` that follows its re-read (a stale
    // version read afresh, then written over) is lost: the write is carried
    // out and answered 400. Once; rewriteAnswerLost() says whether it was.
    void loseRewriteAnswer(const QByteArray &path);
    bool rewriteAnswerLost() const { return m_rewrite.armed; }
    // The next PATCH of `path` (a series) is carried out and its answer
    // lost, as `fault` says: "dropped" closes the connection (the client
    // sends it again), "timeout" never answers. "day refused" refuses the
    // next write of one of its instances (`path` and "_") instead, and
    // "timeout, day refused" does both.
    void loseSeriesWrite(const QByteArray &path, const QString &fault);
    // Runs when a request has arrived and before it is answered: the
    // client has sent it and waits.
    std::function<void(const LocalHttpServer::Request &)> onRequest;

protected:
    explicit ScriptedHttpFront(LocalHttpServer::Handler handler);

    // Runs onRequest, then takes the first scripted failure the request
    // matches, counting it down.
    std::optional<Failure> arrived(const LocalHttpServer::Request &request);
    // The answer to a request that met `failure`: `serviceError` or the
    // failure's own body, held, hanging or naming a wait as scripted.
    static LocalHttpServer::Reply failureReply(const Failure &failure, const LocalHttpServer::Request &request,
                                               LocalHttpServer::Reply serviceError);

    LocalHttpServer m_http;

private:
    QList<Failure> m_failures;
    struct Rewrite
    {
        QByteArray path;
        bool written = false;
        bool armed = false;
    };
    Rewrite m_rewrite;
};
