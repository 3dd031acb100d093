#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include "tests/support/localhttpserver.h"

#include <algorithm>

// Answers of a token endpoint as a broken or hostile service sends them,
// holding tokens a test can look for in what the user reads and in the log.
namespace TokenAnswers {

inline const QString Access = QStringLiteral("ya29.LEAKED-access-7f3a");
inline const QString Refresh = QStringLiteral("1//LEAKED-refresh-91c2");
inline const QString Id = QStringLiteral("eyJhbGciOiJub25lIn0.LEAKED-id-5d0e.sig");

// Whatever of `texts` shows one of the tokens or of `known`; empty when
// none does.
inline QStringList showingTokens(const QStringList &texts, const QStringList &known = {})
{
    const QStringList tokens = QStringList{Access, Refresh, Id} + known;
    QStringList found;
    for (const QString &text : texts) {
        if (std::any_of(tokens.begin(), tokens.end(), [&text](const QString &token) { return text.contains(token); }))
            found.append(text.left(200));
    }
    return found;
}

// What the user reads (`shown`) and the log (`logged`) must not hold: a
// token or one of `known`, a line break, a text past 400 characters or a
// log line past 1200. Empty when they hold none.
inline QStringList faults(const QStringList &shown, const QStringList &logged, const QStringList &known)
{
    const QStringList all = shown + logged;
    QStringList found = showingTokens(all, known);
    const QRegularExpression lineBreak(QStringLiteral("[\\x00-\\x1f\\x{2028}\\x{2029}]"));
    for (int i = 0; i < all.size(); ++i) {
        if (all.at(i).size() > (i < shown.size() ? 400 : 1200) || all.at(i).contains(lineBreak))
            found.append(QStringLiteral("%1 characters: %2").arg(all.at(i).size()).arg(all.at(i).left(80)));
    }
    return found;
}

// A proxy's error page of 60 kB in 800 lines, with `echo` (what the request
// carried) near its top.
inline QByteArray largePage(const QByteArray &echo)
{
    QByteArray page = "<html><head><title>502 Bad Gateway</title></head><body>\n<pre>" + echo + "</pre>\n";
    for (int line = 1; line < 800; ++line)
        page += "<p>" + QByteArray::number(line).rightJustified(3, '0')
                + ": the upstream server did not answer in time; please try again later.</p>\n";
    return page + "</body></html>\n";
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
