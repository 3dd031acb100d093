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
#include "tests/support/scriptedhttpfront.h"

// Google's OAuth token endpoint and Calendar API v3 as far as the program
// uses them, on 127.0.0.1: authorization codes checked against their PKCE
// challenge, refresh (rotating the refresh token or keeping it,
// invalid_grant for unknown ones), the calendar list and event listings in
// pages, sync tokens (410 once expired), listings by iCalUID (a series and
// its exceptions, each event's iCalUID filled in as Google does), event
// insert, update, delete and
// read with etags (412 on a stale If-Match; a series' deletion cancels its
// exceptions too), PATCH as a merge, a move to another calendar (with its
// exceptions; conference data kept on insert only with
// conferenceDataVersion=1), ids a client
// chooses on insert (409 when taken), and the instances of a series (to
// its COUNT or UNTIL, its exceptions in their place, none on a day its
// EXDATE lines name; a series
// moved in time or given another rule
// loses its exceptions, as Google gives its days anew). Failures (429, 403 rate limits with
// Retry-After, 5xx, 410 on a later page, a hang, a failure after the
// request was carried out) are scripted per request.
class FakeGoogleServer : public QObject, public FakeTokenEndpoint, public ScriptedHttpFront
{
    Q_OBJECT
public:
    explicit FakeGoogleServer(QObject *parent = nullptr);

    QString clientId = QStringLiteral("test-client.apps");
    QString clientSecret = QStringLiteral("test-secret");
    int pageSize = 2500;
    int calendarPageSize = 100;
    // Whether listings show the exceptions a series dropped when it moved
    // in time, cancelled at their old starts (as a sync token's listing
    // shows deleted events), or leave them out.
    bool listsDroppedExceptions = true;

    void addCalendar(const QJsonObject &entry) { m_calendars.append(entry); }

    // Stores the event as Google would (id, etag, status, updated filled
    // in when missing) and returns it.
    QJsonObject putEvent(const QString &calendarId, QJsonObject event);
    // Marks it cancelled, as a deletion on Google does.
    void cancelEvent(const QString &calendarId, const QString &eventId);
    std::optional<QJsonObject> event(const QString &calendarId, const QString &eventId) const;
    // The instances of a series, as another device lists them; none for
    // an unknown series.
    QList<QJsonObject> seriesInstances(const QString &calendarId, const QString &seriesId) const;
    QList<QJsonObject> events(const QString &calendarId) const;
    // Every sync token handed out so far answers 410 from now on.
    void expireSyncTokens();

private:
    struct Stored
    {
        QJsonObject resource;
        qint64 changedAt = 0;
    };

    LocalHttpServer::Reply handle(const LocalHttpServer::Request &request);
    LocalHttpServer::Reply answer(const LocalHttpServer::Request &request);
    LocalHttpServer::Reply instances(const QString &calendarId, const QString &seriesId);
    LocalHttpServer::Reply move(const QString &calendarId, const QString &eventId, const QString &destination);
    QList<QJsonObject> instancesOf(const QString &calendarId, const QJsonObject &series) const;
    // A series moved in time or given another rule: its exceptions are no
    // instances of it any more, and listings show them cancelled (or not
    // at all, listsDroppedExceptions).
    void dropExceptions(const QString &calendarId, const QString &seriesId);
    LocalHttpServer::Reply token(const LocalHttpServer::Request &request);
    LocalHttpServer::Reply calendarList(const QUrl &url);
    LocalHttpServer::Reply eventsRequest(const LocalHttpServer::Request &request, const QString &calendarId,
                                         const QString &eventId);
    LocalHttpServer::Reply listEvents(const QString &calendarId, const QUrl &url);
    LocalHttpServer::Reply writeEvent(const LocalHttpServer::Request &request, const QString &calendarId,
                                      const QString &eventId);

    QList<QJsonObject> m_calendars;
    QHash<QString, QList<QString>> m_order;          // calendar -> event ids in insertion order
    QHash<QString, QHash<QString, Stored>> m_events; // calendar -> id -> event
    qint64 m_clock = 0;
    int m_tokenEpoch = 1;
};
