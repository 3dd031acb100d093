#include "sync/caldav/caldavdiscovery.h"

#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavxml.h"

#include <QDebug>
#include <QPointer>

#include "app/network/guardedrequest.h"

CalDavDiscovery::CalDavDiscovery(CalDavClient *client, QObject *parent)
    : QObject(parent)
    , m_client(client)
{
}

void CalDavDiscovery::start(const QUrl &serverUrl)
{
    QUrl url = serverUrl;
    // "host:port" typed without a scheme does not parse as a URL; its text
    // is then only kept as the path.
    const QString text = url.isValid() ? url.toString() : url.path();
    if (url.scheme().isEmpty() && !text.isEmpty())
        url = QUrl(QStringLiteral("https://") + text, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty()) {
        fail(tr("Enter a CalDAV URL starting with http:// or https://"));
        return;
    }

    // Credentials typed into the address go to the client, not into any URL
    // that is requested, shown or stored.
    m_urlUser = url.userName(QUrl::FullyDecoded);
    m_urlPassword = url.password(QUrl::FullyDecoded);
    if (!m_urlUser.isEmpty() && m_client)
        m_client->setCredentials(m_urlUser, m_urlPassword);
    url = CalDavClient::withoutUserInfo(url);
    m_serverUrl = url;

    m_origin = url;
    m_origin.setPath(QString());
    m_origin.setQuery(QString());
    m_origin.setFragment(QString());

    m_candidates.clear();
    const QString path = url.path(QUrl::FullyDecoded);
    if (!path.isEmpty() && path != QLatin1String("/"))
        m_candidates.append(url);
    m_candidates.append(m_origin.resolved(QUrl(QStringLiteral("/.well-known/caldav"))));
    m_candidates.append(m_origin.resolved(QUrl(QStringLiteral("/"))));
    m_candidateIndex = 0;
    m_principalFallbackUrl.reset();
    m_authFailed = false;
    tryNextPrincipalCandidate();
}

void CalDavDiscovery::send(const QByteArray &body, int depth,
                           void (CalDavDiscovery::*step)(int, const QByteArray &, const QString &))
{
    if (!m_client) {
        fail(tr("Could not reach the server: %1").arg(tr("no connection")));
        return;
    }
    QPointer<CalDavDiscovery> self(this);
    m_client->propfind(m_currentUrl, body, depth, [self, step](const CalDavClient::Response &response) {
        if (self)
            (self->*step)(response.status, response.body, response.error);
    });
}

void CalDavDiscovery::tryNextPrincipalCandidate()
{
    if (m_candidateIndex < m_candidates.size()) {
        m_currentUrl = m_candidates.at(m_candidateIndex);
        send(CalDavXml::propfindPrincipal(), 0, &CalDavDiscovery::onPrincipalReply);
    } else if (m_principalFallbackUrl) {
        m_currentUrl = *m_principalFallbackUrl;
        send(CalDavXml::propfindHomeSet(), 0, &CalDavDiscovery::onHomeSetReply);
    } else if (m_authFailed) {
        fail(tr("The server rejected the username or password."));
    } else {
        fail(tr("Could not find a CalDAV account on that server. Check the URL."));
    }
}

void CalDavDiscovery::onPrincipalReply(int status, const QByteArray &body, const QString &error)
{
    if (!error.isEmpty()) {
        fail(tr("Could not reach the server: %1").arg(error));
        return;
    }
    if (status >= 200 && status <= 299) {
        const std::optional<QUrl> principal = CalDavXml::parsePrincipal(body, m_origin);
        if (principal && !Net::sameOrigin(*principal, m_origin)) {
            failElsewhere(*principal);
            return;
        }
        if (principal) {
            m_currentUrl = CalDavClient::withoutUserInfo(*principal);
            send(CalDavXml::propfindHomeSet(), 0, &CalDavDiscovery::onHomeSetReply);
            return;
        }
        if (!m_principalFallbackUrl)
            m_principalFallbackUrl = m_currentUrl;
    } else if (status == 401) {
        m_authFailed = true;
    }
    m_candidateIndex += 1;
    tryNextPrincipalCandidate();
}

void CalDavDiscovery::onHomeSetReply(int status, const QByteArray &body, const QString &error)
{
    if (!error.isEmpty()) {
        fail(tr("Lost connection during calendar-home-set discovery: %1").arg(error));
        return;
    }
    if (status < 200 || status > 299) {
        fail(tr("Server returned HTTP %1 during home-set discovery.").arg(status));
        return;
    }
    const std::optional<QUrl> homeSet = CalDavXml::parseHomeSet(body, m_origin);
    if (homeSet && !Net::sameOrigin(*homeSet, m_origin)) {
        failElsewhere(*homeSet);
        return;
    }
    if (homeSet)
        m_currentUrl = CalDavClient::withoutUserInfo(*homeSet);
    send(CalDavXml::propfindCalendars(), 1, &CalDavDiscovery::onCalendarListReply);
}

void CalDavDiscovery::onCalendarListReply(int status, const QByteArray &body, const QString &error)
{
    if (!error.isEmpty()) {
        fail(tr("Lost connection during calendar enumeration: %1").arg(error));
        return;
    }
    if (status < 200 || status > 299) {
        fail(tr("Server returned HTTP %1 during calendar enumeration.").arg(status));
        return;
    }
    const QList<CalDavParse::DiscoveredCalendar> listed = CalDavXml::parseCalendars(body, m_origin);
    QList<CalDavParse::DiscoveredCalendar> calendars;
    for (const CalDavParse::DiscoveredCalendar &calendar : listed) {
        if (Net::sameOrigin(QUrl(calendar.url), m_origin))
            calendars.append(calendar);
    }
    if (calendars.isEmpty() && !listed.isEmpty()) {
        failElsewhere(QUrl(listed.first().url));
        return;
    }
    if (calendars.isEmpty()) {
        fail(tr("No calendars found at the discovered home set."));
        return;
    }
    Q_EMIT completed(calendars);
}

void CalDavDiscovery::failElsewhere(const QUrl &url)
{
    // The password goes only to the scheme, host and port the user entered.
    fail(tr("The server pointed to %1, which is not the address you entered; the password is not sent there.")
             .arg(CalDavClient::withoutUserInfo(url).toString(QUrl::RemovePath | QUrl::RemoveQuery)));
}

void CalDavDiscovery::fail(const QString &reason)
{
    qWarning().noquote() << "[CalDAV discovery]" << reason;
    Q_EMIT failed(reason);
}
