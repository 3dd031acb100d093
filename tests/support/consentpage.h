#pragma once

#include "tests/support/recordingbrowser.h"

#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include <functional>

// Plays a provider's consent page in sign-in tests: the server hands out a
// code for the authorization request, and the browser goes back to the
// program's loopback address with it. `Server` offers
// issueCode(codeChallenge, redirectUri), as the fake provider servers do.
template <typename Server>
std::function<void(const QUrl &)> consentPage(Server *server, RecordingBrowser *browser)
{
    return [server, browser](const QUrl &authorization) {
        const QUrlQuery query(authorization);
        const QString redirect = query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded);
        const QString code = server->issueCode(query.queryItemValue(QStringLiteral("code_challenge")), redirect);
        QUrl back(redirect);
        back.setQuery(QStringLiteral("state=%1&code=%2")
                          .arg(query.queryItemValue(QStringLiteral("state")),
                               QString::fromLatin1(QUrl::toPercentEncoding(code))));
        browser->visit(back);
    };
}
