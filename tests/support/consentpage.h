#pragma once

#include "tests/support/recordingbrowser.h"

#include <QString>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#include <functional>

// Plays a provider's consent page in sign-in tests: the browser opens the
// sign-in's start address and is sent on to the authorization request, the
// server hands out a code for it, and the browser goes back to the
// program's loopback address with it. `Server` offers
// issueCode(codeChallenge, redirectUri), as the fake provider servers do.
template <typename Server>
void visitConsentPage(Server *server, RecordingBrowser *browser, const QUrl &start)
{
    const QUrlQuery query(askStartAddress(start).location);
    const QString redirect = query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded);
    const QString code = server->issueCode(query.queryItemValue(QStringLiteral("code_challenge")), redirect);
    QUrl back(redirect);
    back.setQuery(QStringLiteral("state=%1&code=%2")
                      .arg(query.queryItemValue(QStringLiteral("state")),
                           QString::fromLatin1(QUrl::toPercentEncoding(code))));
    browser->visit(back);
}

// The same as the opener's hook: visits once the opener has returned, as a
// browser does.
template <typename Server>
std::function<void(const QUrl &)> consentPage(Server *server, RecordingBrowser *browser)
{
    return [server, browser](const QUrl &start) {
        QTimer::singleShot(0, browser, [server, browser, start] { visitConsentPage(server, browser, start); });
    };
}
