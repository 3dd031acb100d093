#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>

#include "sync/microsoft/microsoftendpoints.h"
#include "sync/microsoft/microsoftlistedevent.h"
#include "sync/microsoft/microsoftreply.h"
#include "sync/oauth/providerclient.h"

#include <functional>
#include <memory>

class PageReader;
struct Event;

namespace Microsoft {

// One calendar of the signed-in user, as Graph lists it.
struct DiscoveredCalendar
{
    QString id;
    QString name;
    QString color;
    bool canEdit = true;
    bool isDefaultCalendar = false;
};

bool operator==(const DiscoveredCalendar &a, const DiscoveredCalendar &b);
QDebug operator<<(QDebug debug, const DiscoveredCalendar &calendar);

// How the calendar service is asked: its limits, which answers are
// worth asking again and after how long.
OAuth::BearerClient::Rules bearerRules(const Endpoints &endpoints);

// Microsoft Graph v1.0 calendars over HTTPS with a bearer token: the
// calendar list, event listings of a window (every page), the delta of the
// default calendar's view, and single event reads, writes and invitation
// answers. Keeps no state between requests but the token; every result
// arrives through a signal, each write's carrying the caller's local id.
// Answers of 429 and 503 are retried after the server's Retry-After; every
// request has a time limit. Several requests may be in flight at once.
class CalendarClient : public OAuth::ProviderClient<Endpoints>
{
    Q_OBJECT
public:
    // One complete listing.
    struct EventListPage
    {
        // The raw Graph objects of all pages, in the order received;
        // deletions carry the key "@removed".
        QList<QJsonObject> events;
        // The same objects read off the window's thread, page by page in
        // the order received.
        QList<QList<ListedEvent>> listedPages;
        // The delta listing's next token; empty for a window listing.
        QString deltaToken;
    };

    enum class Listing {
        // "/me/calendars/{id}/calendarView" of the window: everything there
        // is, no token.
        Window,
        // "/me/calendarView/delta" of the user's default calendar: the
        // window the first time, the changes since the token afterwards.
        DefaultCalendarDelta,
    };

    // A listing longer than this many pages is refused rather than read
    // for ever.
    static constexpr int MaxPages = 1000;
    static constexpr int PageSize = 100;

    using ProviderClient::ProviderClient;

    void listCalendars();
    // The id of the user's default calendar ("/me/calendar").
    void findDefaultCalendar();
    void listEvents(Listing listing, const QString &calendarId, const QString &deltaToken,
                    const QDateTime &timeMin, const QDateTime &timeMax);
    void insertEvent(const QString &localId, const QString &calendarId, const QJsonObject &body);
    void updateEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                     const QJsonObject &body, const QString &changeKey);
    void deleteEvent(const QString &localId, const QString &calendarId, const QString &providerEventId,
                     const QString &changeKey);
    // Reads one event as Graph holds it now (a series master, or an event
    // after a stale change key); `key` is echoed back.
    void getEvent(const QString &key, const QString &providerEventId);
    // The exceptions of a series as Graph holds them now: its master read
    // with "exceptionOccurrences" expanded (cancelled days are none);
    // `key` is echoed back.
    void readExceptions(const QString &key, const QString &seriesId);
    // The instances of a series between two moments (occurrences and
    // exceptions); `key` is echoed back.
    void listInstances(const QString &key, const QString &seriesId, const QDateTime &from, const QDateTime &to);
    // The user's answer to an invitation: "accept", "tentativelyAccept" or
    // "decline", sent to the organizer.
    void respondToEvent(const QString &localId, const QString &providerEventId, const QString &action);

    // "/me/calendars/<id>/events[/<eventId>]" below the service root, the
    // ids encoded except for unreserved characters.
    QUrl eventsUrl(const QString &calendarId, const QString &eventId = QString()) const;
    static DiscoveredCalendar parseCalendar(const QJsonObject &object);

Q_SIGNALS:
    void calendarsListed(const QList<Microsoft::DiscoveredCalendar> &calendars);
    void defaultCalendarFound(const QString &calendarId);
    void eventsListed(const QString &calendarId, const Microsoft::CalendarClient::EventListPage &page);
    void deltaTokenExpired(const QString &calendarId);
    // status: the HTTP status of a refused listing of calendars; 0 otherwise.
    void requestFailed(const QString &reason, int status = 0);
    // changeKey: Graph's "changeKey" of the written event; resource: the
    // event as Graph now holds it.
    void eventWritten(const QString &localId, const QString &providerEventId, const QString &changeKey,
                      const QJsonObject &resource);
    void eventDeleted(const QString &localId);
    void eventResponded(const QString &localId);
    void eventWriteFailed(const QString &localId, const QString &reason, int statusCode);
    void eventFetched(const QString &key, const QJsonObject &event);
    void instancesListed(const QString &key, const QList<QJsonObject> &instances);
    void exceptionsRead(const QString &key, const QList<QJsonObject> &exceptions);
    void eventFetchFailed(const QString &key, const QString &reason, int statusCode);

private:
    struct Call;
    struct PageRun;

    // Sends the call with its address and headers.
    void send(std::shared_ptr<Call> call, Done done);
    void requestCalendarPage(const QUrl &url, std::shared_ptr<QList<DiscoveredCalendar>> found, int page);
    void requestEventPage(std::shared_ptr<PageRun> run, const QUrl &url);
    void handleEventPage(std::shared_ptr<PageRun> run, const ReplyData &data);
    void takeEventPage(std::shared_ptr<PageRun> run, EventPage page);
    void write(const QString &localId, const QByteArray &method, const QUrl &url, const QJsonObject *body,
               const QString &changeKey, const QString &failure);
    bool sameService(const QUrl &url) const;
    QUrl graphUrl(const QString &encodedPath, const QList<QPair<QString, QString>> &query = {}) const;

};

} // namespace Microsoft

Q_DECLARE_METATYPE(Microsoft::CalendarClient::EventListPage)
