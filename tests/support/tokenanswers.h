#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "tests/support/localhttpserver.h"

// Answers of a token endpoint as a broken or hostile service sends them,
// holding tokens a test can look for in what the user reads and in the log.
namespace TokenAnswers {

inline const QString Access = QStringLiteral("ya29.LEAKED-access-7f3a");
inline const QString Refresh = QStringLiteral("1//LEAKED-refresh-91c2");
inline const QString Id = QStringLiteral("eyJhbGciOiJub25lIn0.LEAKED-id-5d0e.sig");

// Whatever of `texts` shows one of the tokens; empty when none does.
inline QStringList showingTokens(const QStringList &texts)
{
    QStringList found;
    for (const QString &text : texts) {
        if (text.contains(Access) || text.contains(Refresh) || text.contains(Id))
            found.append(text);
    }
    return found;
}

inline LocalHttpServer::Reply reply(int status, const QByteArray &body,
                                    const QByteArray &contentType = QByteArrayLiteral("application/json"))
{
    LocalHttpServer::Reply reply;
    reply.status = status;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), contentType));
    reply.body = body;
    return reply;
}

inline LocalHttpServer::Reply json(int status, const QJsonObject &object)
{
    return reply(status, QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// Every token and the members that come with them, `changes` put over them.
inline LocalHttpServer::Reply withTokens(const QJsonObject &changes)
{
    QJsonObject object{{QStringLiteral("access_token"), Access},
                       {QStringLiteral("refresh_token"), Refresh},
                       {QStringLiteral("id_token"), Id},
                       {QStringLiteral("token_type"), QStringLiteral("Bearer")},
                       {QStringLiteral("expires_in"), 3599}};
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        if (it.value().isNull())
            object.remove(it.key());
        else
            object.insert(it.key(), it.value());
    }
    return json(200, object);
}

// The tokens as a form, as some services answer: no JSON at all.
inline LocalHttpServer::Reply formEncoded(int status)
{
    return reply(status, "access_token=" + Access.toUtf8() + "&refresh_token=" + Refresh.toUtf8() + "&expires_in=3599",
                 QByteArrayLiteral("application/x-www-form-urlencoded"));
}

// A proxy's or a server's error page that echoes what it was sent.
inline LocalHttpServer::Reply errorPage(int status)
{
    return reply(status,
                 "<html><head><title>Error</title></head><body><h1>Something went wrong</h1><pre>refresh_token="
                     + Refresh.toUtf8() + "</pre></body></html>",
                 QByteArrayLiteral("text/html; charset=utf-8"));
}

} // namespace TokenAnswers
