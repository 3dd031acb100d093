#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

#include "tests/support/faketokenendpoint.h"
#include "tests/support/localhttpserver.h"

// Google's OAuth token endpoint and Calendar API v3 as far as the program
// uses them, on 127.0.0.1: authorization codes checked against their PKCE
// challenge, refresh (rotating the refresh token or keeping it,
// invalid_grant for unknown ones), the calendar list and event listings in
// pages, sync tokens (410 once expired), event insert, update, delete and
// read with etags (412 on a stale If-Match). Failures (429, 5xx, 410 on a
// later page, a hang) are scripted per request.
class FakeGoogleServer : public QObject, public FakeTokenEndpoint
{
    Q_OBJECT
public:
    struct Failure
    {
        QByteArray method;       // empty: any
        QByteArray targetPart;   // the request target contains it
        int status = 500;
        bool hang = false;
        int times = 1;           // -1: always
    };

    explicit FakeGoogleServer(QObject *parent = nullptr);

    bool start();
    QUrl baseUrl() const;
    LocalHttpServer &http() { return m_http; }
    QList<LocalHttpServer::Request> requests() const { return m_http.requests(); }
    // Requests whose target starts with `prefix` (e.g. "/token").
    QList<LocalHttpServer::Request> requestsTo(const QByteArray &prefix, const QByteArray &method = {}) const;

    QString clientId = QStringLiteral("test-client.apps");
    QString clientSecret = QStringLiteral("test-secret");
    int pageSize = 2500;
    int calendarPageSize = 100;

    void addCalendar(const QJsonObject &entry) { m_calendars.append(entry); }

    // Stores the event as Google would (id, etag, status, updated filled
    // in when missing) and returns it.
    QJsonObject putEvent(const QString &calendarId, QJsonObject event);
    // Marks it cancelled, as a deletion on Google does.
    void cancelEvent(const QString &calendarId, const QString &eventId);
    std::optional<QJsonObject> event(const QString &calendarId, const QString &eventId) const;
    QList<QJsonObject> events(const QString &calendarId) const;
    // Every sync token handed out so far answers 410 from now on.
    void expireSyncTokens();

    void failNext(const Failure &failure) { m_failures.append(failure); }
    // Runs when a request has arrived and before it is answered: the
    // client has sent it and waits.
    std::function<void(const LocalHttpServer::Request &)> onRequest;

private:
    struct Stored
    {
        QJsonObject resource;
        qint64 changedAt = 0;
    };

    LocalHttpServer::Reply handle(const LocalHttpServer::Request &request);
    LocalHttpServer::Reply token(const LocalHttpServer::Request &request);
    LocalHttpServer::Reply calendarList(const QUrl &url);
    LocalHttpServer::Reply eventsRequest(const LocalHttpServer::Request &request, const QString &calendarId,
                                         const QString &eventId);
    LocalHttpServer::Reply listEvents(const QString &calendarId, const QUrl &url);
    LocalHttpServer::Reply writeEvent(const LocalHttpServer::Request &request, const QString &calendarId,
                                      const QString &eventId);

    LocalHttpServer m_http;
    QList<QJsonObject> m_calendars;
    QHash<QString, QList<QString>> m_order;          // calendar -> event ids in insertion order
    QHash<QString, QHash<QString, Stored>> m_events; // calendar -> id -> event
    QList<Failure> m_failures;
    qint64 m_clock = 0;
    int m_tokenEpoch = 1;
};
