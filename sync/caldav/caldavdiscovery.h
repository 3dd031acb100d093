#pragma once

#include "sync/caldav/discoveredcalendar.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

class CalDavClient;

// Finds the calendar collections of an account from what the user typed:
// principal (entered URL, "/.well-known/caldav", root), its calendar home
// set, then the calendars in it. Each run ends with completed or failed.
class CalDavDiscovery : public QObject
{
    Q_OBJECT
public:
    CalDavDiscovery(CalDavClient *client, QObject *parent = nullptr);

    void start(const QUrl &serverUrl);

    // The entered URL without user name and password. A user name and
    // password typed into it were handed to the client as its credentials;
    // the creator stores these and never the raw URL.
    QUrl serverUrl() const { return m_serverUrl; }
    QString urlUser() const { return m_urlUser; }
    QString urlPassword() const { return m_urlPassword; }

Q_SIGNALS:
    void completed(const QList<CalDavParse::DiscoveredCalendar> &calendars);
    void failed(const QString &reason);

private:
    void tryNextPrincipalCandidate();
    void failElsewhere(const QUrl &url);
    void onPrincipalReply(int status, const QByteArray &body, const QString &error);
    void onHomeSetReply(int status, const QByteArray &body, const QString &error);
    void onCalendarListReply(int status, const QByteArray &body, const QString &error);
    void fail(const QString &reason);
    void send(const QByteArray &body, int depth,
              void (CalDavDiscovery::*step)(int, const QByteArray &, const QString &));

    CalDavClient *m_client;
    QUrl m_origin;
    QUrl m_currentUrl;
    QList<QUrl> m_candidates;
    int m_candidateIndex = 0;
    std::optional<QUrl> m_principalFallbackUrl;
    bool m_authFailed = false;
    QUrl m_serverUrl;
    QString m_urlUser;
    QString m_urlPassword;
};
