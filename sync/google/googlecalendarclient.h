#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>

#include "sync/google/googleendpoints.h"
#include "sync/google/googlelistedevent.h"
#include "sync/google/googlereply.h"
#include "sync/oauth/providerclient.h"

#include <functional>
#include <memory>

class QNetworkRequest;
class PageReader;

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

// How the calendar service is asked: its limits, which answers are
// worth asking again and after how long.
OAuth::BearerClient::Rules bearerRules(const Endpoints &endpoints);

// The Google Calendar API v3 over HTTPS with a bearer token: the calendar
// list, event listings (full or from a sync token, every page), and single
// event reads and writes. Keeps no state between requests but the token;
// every result arrives through a signal, each write's carrying the
// caller's local id. Several requests may be in flight at once.
class CalendarClient : public OAuth::ProviderClient<Endpoints>
{
    Q_OBJECT
public:
    // One complete listing.
    struct EventListPage
    {
        QList<QJsonObject> items;
        // The same items read off the window's thread, page by page in the
        // order received.
        QList<QList<ListedEvent>> listedPages;
        QString nextSyncToken;
    };

    // A listing longer than this many pages is refused rather than read
    // for ever.
    static constexpr int MaxPages = 1000;

    using ProviderClient::ProviderClient;

    void listCalendars();
    void listEvents(const QString &calendarId, const QString &syncToken, const QDateTime &timeMin,
                    const QDateTime &timeMax);
    // An insert that names its own "id" is safe to send again: when an
    // earlier attempt reached Google, the event is read back instead.
    void insertEvent(const QString &localId, const QString &calendarId, const QJsonObject &event);
    // A full replacement of the event (PUT).
    void updateEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                     const QJsonObject &event, const QString &etag);
    // Only the members in `changes` (PATCH; null clears one). With
    // `tellNobody`, the guests hear nothing of it (sendUpdates=none).
    void patchEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                    const QJsonObject &changes, const QString &etag, bool tellNobody = false);
    // The instances of a series (each occurrence with its own id).
    void listInstances(const QString &localId, const QString &calendarId, const QString &seriesId,
                       const QDateTime &timeMin, const QDateTime &timeMax);
    void deleteEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                     const QString &etag, bool tellNobody = false);
    // Moves the event to the calendar `destination` as it is, guests,
    // conference and all, telling the guests nothing (events.move).
    void moveEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                   const QString &destination);
    // Every event of the calendar with the iCalendar UID `iCalUid`, every
    // page, cancelled ones too: a series with its changed occurrences
    // (events.list with iCalUID), as iCalUidListed.
    void listByICalUid(const QString &localId, const QString &calendarId, const QString &iCalUid);
    // Reads the event as Google holds it now (after a stale etag).
    void getEvent(const QString &localId, const QString &calendarId, const QString &providerEventId);

    // "/calendar/v3/calendars/<id>/events[/<eventId>]" under the API host,
    // the ids encoded except for unreserved characters.
    QUrl eventsUrl(const QString &calendarId, const QString &eventId = QString()) const;

Q_SIGNALS:
    void calendarsListed(const QList<Google::DiscoveredCalendar> &calendars);
    void eventsListed(const QString &calendarId, const Google::CalendarClient::EventListPage &page);
    void syncTokenExpired(const QString &calendarId);
    // status: the HTTP status of a refused listing of calendars; 0 otherwise.
    void requestFailed(const QString &reason, int status = 0);
    // resource: the event as Google now holds it.
    void eventWritten(const QString &localId, const QString &providerEventId, const QString &etag,
                      const QJsonObject &resource);
    void eventDeleted(const QString &localId);
    void eventWriteFailed(const QString &localId, const QString &reason, int statusCode);
    void eventFetched(const QString &localId, const QJsonObject &event);
    // resource: the event as Google now holds it in its new calendar.
    void eventMoved(const QString &localId, const QJsonObject &resource);
    void instancesListed(const QString &localId, const QList<QJsonObject> &instances);
    void iCalUidListed(const QString &localId, const QList<QJsonObject> &events);

public:
    // Whether Google asks to be asked again later: 429, 5xx, and a 403 whose
    // reason is a rate limit.
    static bool worthRetrying(const ReplyData &data);

private:
    struct Listing;
    using Call = OAuth::BearerCall;

    QNetworkRequest request(const QUrl &url, bool json) const;
    void sendWrite(const QByteArray &method, const QString &localId, const QUrl &url, const QJsonObject &event,
                   const QString &etag, const QString &failure);
    void readBackInsert(const QString &localId, const QString &calendarId, const QJsonObject &event);
    void requestCalendarPage(const QString &pageToken, std::shared_ptr<QList<DiscoveredCalendar>> found, int page);
    void requestEventPage(std::shared_ptr<Listing> listing, const QString &pageToken);
    void handleEventPage(const ReplyData &data, std::shared_ptr<Listing> listing);
    void takeEventPage(EventPage page, std::shared_ptr<Listing> listing);
    void handleWrite(const ReplyData &data, const QString &localId, const QString &failure);
    void requestICalUidPage(const QString &localId, const QString &calendarId, const QString &iCalUid,
                            const QString &pageToken, std::shared_ptr<QList<QJsonObject>> found, int page);

};

} // namespace Google

Q_DECLARE_METATYPE(Google::CalendarClient::EventListPage)
