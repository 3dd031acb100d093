#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

#include "tests/support/faketokenendpoint.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/scriptedhttpfront.h"

// The Microsoft identity platform's token endpoint and Microsoft Graph v1.0
// calendars as far as the program uses them, on 127.0.0.1: authorization
// codes checked against their PKCE challenge (no client secret), refresh
// (rotating the refresh token or keeping it), the calendar list and the
// default calendar, event listings and calendar views in pages
// ("@odata.nextLink"), the delta of the default calendar's view
// ("@odata.deltaLink", "@removed", 410 once a token has expired, empty
// pages and repeated items on request; a deleted instance of a series is
// listed "@removed" by its own id, the series' master not at all), event
// reads (a series master with its exceptions on "$expand=exceptionOccurrences"),
// inserts, updates and
// deletions with If-Match on the change key (412 when stale; a series
// master's takes its exceptions with it), the instances of a series, and
// invitation answers. A series made by a POST has occurrences of its own
// (daily or weekly patterns), which are listed, read and deleted as
// Graph's are: a deletion cancels the day on the master
// ("cancelledOccurrences"), or changed into exceptions; a change of the
// master's start or pattern drops its exceptions and cancelled days, as
// Outlook does. Failures (429 with Retry-After, 5xx, a hang) are
// scripted per request. Paths live under
// "/v1.0"; the token endpoint under "/common/oauth2/v2.0/token".
class FakeMicrosoftServer : public QObject, public FakeTokenEndpoint, public ScriptedHttpFront
{
    Q_OBJECT
public:
    explicit FakeMicrosoftServer(QObject *parent = nullptr);

    // baseUrl() plus "/v1.0".
    QUrl graphRoot() const;

    QString clientId = QStringLiteral("test-client-id");
    int pageSize = 100;
    int calendarPageSize = 10;
    // The delta's first page comes empty, and each later page repeats the
    // last item of the page before, as Graph may do.
    bool emptyFirstDeltaPage = false;
    bool repeatDeltaItems = false;
    // The delta round's last page comes without its "@odata.deltaLink".
    bool omitDeltaLink = false;
    // The signed-in user; an invitation answer sets this attendee's response.
    QString meAddress = QStringLiteral("ada@example.com");

    // The first calendar added is the default one unless an entry says
    // "isDefaultCalendar".
    void addCalendar(const QJsonObject &entry);
    QString defaultCalendarId() const;
    // Makes another calendar the default, as the user can in Outlook.
    void setDefaultCalendar(const QString &calendarId);

    // Stores the event as Graph would (id, changeKey, type,
    // lastModifiedDateTime filled in) and returns it.
    QJsonObject putEvent(const QString &calendarId, QJsonObject event);
    // Deletes it; a delta then reports it as "@removed".
    void removeEvent(const QString &eventId);
    // Deletes an instance of a series as another device's DELETE of it
    // does: an occurrence's day is cancelled on its master, an exception
    // goes and its day stays cancelled; a delta then reports the instance
    // as "@removed". False when the series has no such instance.
    bool deleteInstance(const QString &instanceId);
    std::optional<QJsonObject> event(const QString &eventId) const;
    QList<QJsonObject> events(const QString &calendarId) const;
    // The instances of a series in the window, as another device lists them.
    QList<QJsonObject> seriesInstances(const QString &seriesId, const QDateTime &from, const QDateTime &to) const;
    // Every delta token handed out so far answers 410 from now on.
    void expireDeltaTokens();

private:
    struct Stored
    {
        QString calendarId;
        QJsonObject resource;
        qint64 changedAt = 0;
        bool removed = false;
        // A deleted instance: its day stays cancelled.
        bool cancelsDay = false;
    };
    struct Route;

    LocalHttpServer::Reply carryOut(const LocalHttpServer::Request &request);
    LocalHttpServer::Reply handle(const LocalHttpServer::Request &request);
    LocalHttpServer::Reply token(const LocalHttpServer::Request &request);
    LocalHttpServer::Reply graph(const LocalHttpServer::Request &request, const QUrl &url, const QStringList &parts);
    LocalHttpServer::Reply calendarList(const QUrl &url);
    LocalHttpServer::Reply listing(const QUrl &url, const QList<QJsonObject> &items, const QString &deltaLink);
    LocalHttpServer::Reply calendarView(const QString &calendarId, const QUrl &url);
    LocalHttpServer::Reply delta(const QUrl &url);
    LocalHttpServer::Reply instances(const QString &seriesId, const QUrl &url);
    LocalHttpServer::Reply eventRequest(const LocalHttpServer::Request &request, const QString &calendarId,
                                        const QString &eventId);
    LocalHttpServer::Reply answer(const QString &eventId, const QString &action);
    QJsonObject withExpanded(QJsonObject event, const LocalHttpServer::Request &request) const;
    static bool inWindow(const QJsonObject &event, const QDateTime &from, const QDateTime &to);
    // The occurrences of a series no stored instance names, in the window,
    // without its cancelled days.
    QList<QJsonObject> madeOccurrences(const QString &seriesId, const QDateTime &from, const QDateTime &to) const;
    std::optional<QJsonObject> madeOccurrence(const QString &eventId) const;
    void dropExceptions(const QString &seriesId, QJsonObject &master);
    // Cancels the day of an occurrence no stored instance names.
    void cancelOccurrence(const QJsonObject &occurrence);
    LocalHttpServer::Reply occurrenceRequest(const LocalHttpServer::Request &request, const QJsonObject &occurrence);
    QList<QJsonObject> viewItems(const QString &calendarId, const QDateTime &from, const QDateTime &to) const;

    QList<QJsonObject> m_calendars;
    QList<QString> m_order;          // event ids in insertion order
    QHash<QString, Stored> m_events; // id -> event
    // Occurrences deleted as instances, by their own ids: what the delta
    // lists of them.
    QList<Stored> m_cancelledOccurrences;
    qint64 m_clock = 0;
    int m_tokenEpoch = 1;
};
