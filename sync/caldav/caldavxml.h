#pragma once

#include "sync/caldav/discoveredcalendar.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// The WebDAV/CalDAV vocabulary: request bodies and multistatus readers. Pure
// functions; the transport is CalDavClient.
namespace CalDavXml {

inline constexpr char kDavNs[] = "DAV:";
inline constexpr char kCalDavNs[] = "urn:ietf:params:xml:ns:caldav";
inline constexpr char kCalendarServerNs[] = "http://calendarserver.org/ns/";
inline constexpr char kAppleIcalNs[] = "http://apple.com/ns/ical/";

// One calendar object of a calendar-query or calendar-multiget reply.
struct CalendarObject
{
    // Path of the resolved href, percent-encoded exactly as the server wrote
    // it, so it can be sent back and resolved without changing its meaning.
    QString href;
    QString etag;
    QString calendarData;
};

QByteArray propfindPrincipal();
QByteArray propfindHomeSet();
QByteArray propfindCalendars();
QByteArray calendarQuery(const QDateTime &start, const QDateTime &end, const QString &component);
QByteArray calendarMultiget(const QStringList &hrefs);
QByteArray mkCalendar(const QString &displayName, const QString &color, const QString &description);
QByteArray propPatch(const QString &displayName, const QString &color, const QString &description);

QByteArray escape(const QString &text);
QByteArray toCalDavColor(const QString &color);
QString formatUtcTimestamp(const QDateTime &value);

// Each reader stops at the first XML error and returns what it gathered
// before it. `complete`, when given, is set to true only for a well-formed
// document whose root is a DAV multistatus and that was read to its end; a
// caller that deletes local data for what a reply leaves out must check it.
std::optional<QUrl> parsePrincipal(const QByteArray &body, const QUrl &base);
std::optional<QUrl> parseHomeSet(const QByteArray &body, const QUrl &base);
QList<CalDavParse::DiscoveredCalendar> parseCalendars(const QByteArray &body, const QUrl &base,
                                                      bool *complete = nullptr);
std::optional<QString> parseCtag(const QByteArray &body);
QList<CalendarObject> parseObjects(const QByteArray &body, const QUrl &base,
                                   bool *complete = nullptr);

// Percent-encodes a uid as one path segment, so "x/y", "a#b", "a?b" or
// "urn:uuid:…" still name a resource inside the calendar.
QString encodePathSegment(const QString &segment);
// The URL of the item `uid` + ".ics" inside the collection `collection`.
QUrl itemUrl(const QUrl &collection, const QString &uid);
// The name a new resource of the item `uid` is given: the uid itself when
// it is a plain token (ASCII letters, digits, '-', '_', '.', '@', at most
// 200 characters, not "." or ".."), a fresh UUID otherwise. A uid comes from
// any file or client, and what a server makes of "../" or "%2F" in a name
// is its own: some store it in another collection.
QString newItemName(const QString &uid);
// The URL an encoded href (an absolute path, or a full URL) points to, with
// scheme, host and port from `collection`.
QUrl resolveHref(const QUrl &collection, const QString &href);
// A comparable form of an href: decoded path, so two spellings of the same
// resource ("%40" and "@") compare equal.
QString hrefKey(const QString &href);

} // namespace CalDavXml
