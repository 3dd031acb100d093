#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>

#include "sync/google/googleendpoints.h"

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace Google {

// One calendar of the signed-in user's calendar list.
struct DiscoveredCalendar
{
    QString id;
    QString summary;
    QString description;
    QString backgroundColor;
    QString accessRole;
    bool primary = false;
};

bool operator==(const DiscoveredCalendar &a, const DiscoveredCalendar &b);

// The Google Calendar API v3 over HTTPS with a bearer token: the calendar
// list, event listings (full or from a sync token, every page), and single
// event reads and writes. Keeps no state between requests but the token;
// every result arrives through a signal, each write's carrying the
// caller's local id. Several requests may be in flight at once.
class CalendarClient : public QObject
{
    Q_OBJECT
public:
    // One complete listing.
    struct EventListPage
    {
        QList<QJsonObject> items;
        QString nextSyncToken;
    };

    // A listing longer than this many pages is refused rather than read
    // for ever.
    static constexpr int MaxPages = 1000;

    explicit CalendarClient(QObject *parent = nullptr);
    CalendarClient(const Endpoints &endpoints, QObject *parent = nullptr);

    void setAccessToken(const QString &token) { m_accessToken = token; }

    void listCalendars();
    void listEvents(const QString &calendarId, const QString &syncToken, const QDateTime &timeMin,
                    const QDateTime &timeMax);
    void insertEvent(const QString &localId, const QString &calendarId, const QJsonObject &event);
    void updateEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                     const QJsonObject &event, const QString &etag);
    void deleteEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                     const QString &etag);
    // Reads the event as Google holds it now (after a stale etag).
    void getEvent(const QString &localId, const QString &calendarId, const QString &providerEventId);

    // "/calendar/v3/calendars/<id>/events[/<eventId>]" under the API host,
    // the ids encoded except for unreserved characters.
    QUrl eventsUrl(const QString &calendarId, const QString &eventId = QString()) const;

    // Requests sent and not yet answered.
    int requestsInFlight() const { return m_inFlight; }

Q_SIGNALS:
    void calendarsListed(const QList<Google::DiscoveredCalendar> &calendars);
    void eventsListed(const QString &calendarId, const Google::CalendarClient::EventListPage &page);
    void syncTokenExpired(const QString &calendarId);
    void requestFailed(const QString &reason);
    // resource: the event as Google now holds it.
    void eventWritten(const QString &localId, const QString &providerEventId, const QString &etag,
                      const QJsonObject &resource);
    void eventDeleted(const QString &localId);
    void eventWriteFailed(const QString &localId, const QString &reason, int statusCode);
    void eventFetched(const QString &localId, const QJsonObject &event);

private:
    struct Listing;

    QNetworkRequest request(const QUrl &url, bool json) const;
    QNetworkReply *track(QNetworkReply *reply);
    void requestCalendarPage(const QString &pageToken, std::shared_ptr<QList<DiscoveredCalendar>> found, int page);
    void requestEventPage(std::shared_ptr<Listing> listing, const QString &pageToken);
    void handleEventPage(QNetworkReply *reply, std::shared_ptr<Listing> listing);
    void handleWrite(QNetworkReply *reply, const QString &localId, const QString &failure);

    Endpoints m_endpoints;
    QNetworkAccessManager *m_network;
    QString m_accessToken;
    int m_inFlight = 0;
};

} // namespace Google

Q_DECLARE_METATYPE(Google::CalendarClient::EventListPage)
