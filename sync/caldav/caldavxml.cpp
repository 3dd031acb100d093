#include "sync/caldav/caldavxml.h"

#include <QRegularExpression>
#include <QUuid>

namespace {

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

// Builds a body line by line: each line is indented and ends in one line feed.
class Lines
{
public:
    Lines() : m_out(kDeclaration) {}

    Lines &add(int indent, const QByteArray &text)
    {
        m_out.append(QByteArray(indent, ' '));
        m_out.append(text);
        m_out.append('\n');
        return *this;
    }

    QByteArray bytes() const { return m_out; }

private:
    QByteArray m_out;
};

QByteArray nsDecl(const char *prefix, const char *uri)
{
    return QByteArray(" xmlns:") + prefix + "=\"" + uri + "\"";
}

QByteArray element(const char *name, const QByteArray &content)
{
    return QByteArray("<") + name + ">" + content + "</" + name + ">";
}

} // namespace

namespace CalDavXml {

QByteArray propfindPrincipal()
{
    return Lines()
        .add(0, "<d:propfind xmlns:d=\"DAV:\">")
        .add(2, "<d:prop>")
        .add(4, "<d:current-user-principal/>")
        .add(2, "</d:prop>")
        .add(0, "</d:propfind>")
        .bytes();
}

QByteArray propfindHomeSet()
{
    return Lines()
        .add(0, "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">")
        .add(2, "<d:prop>")
        .add(4, "<c:calendar-home-set/>")
        .add(4, "<d:displayname/>")
        .add(2, "</d:prop>")
        .add(0, "</d:propfind>")
        .bytes();
}

QByteArray propfindCalendars()
{
    const QByteArray root = QByteArray("<d:propfind") + nsDecl("d", kDavNs) + nsDecl("c", kCalDavNs)
        + nsDecl("cs", kCalendarServerNs) + nsDecl("ic", kAppleIcalNs) + ">";
    return Lines()
        .add(0, root)
        .add(2, "<d:prop>")
        .add(4, "<d:resourcetype/>")
        .add(4, "<d:displayname/>")
        .add(4, "<c:calendar-description/>")
        .add(4, "<c:supported-calendar-component-set/>")
        .add(4, "<c:calendar-timezone/>")
        .add(4, "<ic:calendar-color/>")
        .add(4, "<cs:getctag/>")
        .add(4, "<d:sync-token/>")
        .add(4, "<d:current-user-privilege-set/>")
        .add(2, "</d:prop>")
        .add(0, "</d:propfind>")
        .bytes();
}

QByteArray calendarQuery(const QDateTime &start, const QDateTime &end, const QString &component)
{
    Lines body;
    body.add(0, "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">")
        .add(2, "<d:prop>")
        .add(4, "<d:getetag/>")
        .add(4, "<c:calendar-data/>")
        .add(2, "</d:prop>")
        .add(2, "<c:filter>")
        .add(4, "<c:comp-filter name=\"VCALENDAR\">")
        .add(6, "<c:comp-filter name=\"" + component.toUtf8() + "\">");
    if (start.isValid() || end.isValid()) {
        QByteArray range("<c:time-range");
        if (start.isValid())
            range += " start=\"" + formatUtcTimestamp(start).toUtf8() + "\"";
        if (end.isValid())
            range += " end=\"" + formatUtcTimestamp(end).toUtf8() + "\"";
        range += "/>";
        body.add(8, range);
    }
    return body.add(6, "</c:comp-filter>")
        .add(4, "</c:comp-filter>")
        .add(2, "</c:filter>")
        .add(0, "</c:calendar-query>")
        .bytes();
}

QByteArray calendarMultiget(const QStringList &hrefs)
{
    Lines body;
    body.add(0, "<c:calendar-multiget xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">")
        .add(2, "<d:prop>")
        .add(4, "<d:getetag/>")
        .add(4, "<c:calendar-data/>")
        .add(2, "</d:prop>");
    // An href may carry "&" (a query-like uid); unescaped it would break the
    // document and the server would answer for nothing.
    for (const QString &href : hrefs)
        body.add(2, element("d:href", escape(href)));
    return body.add(0, "</c:calendar-multiget>").bytes();
}

QByteArray mkCalendar(const QString &displayName, const QString &color, const QString &description)
{
    const QByteArray root = QByteArray("<c:mkcalendar") + nsDecl("d", kDavNs)
        + nsDecl("c", kCalDavNs) + nsDecl("ic", kAppleIcalNs) + ">";
    Lines body;
    body.add(0, root)
        .add(2, "<d:set>")
        .add(4, "<d:prop>")
        .add(6, element("d:displayname", escape(displayName)));
    if (!description.isEmpty())
        body.add(6, element("c:calendar-description", escape(description)));
    body.add(6, "<c:supported-calendar-component-set>")
        .add(8, "<c:comp name=\"VEVENT\"/>")
        .add(8, "<c:comp name=\"VTODO\"/>")
        .add(6, "</c:supported-calendar-component-set>");
    if (!color.isEmpty())
        body.add(6, element("ic:calendar-color", toCalDavColor(color)));
    return body.add(4, "</d:prop>").add(2, "</d:set>").add(0, "</c:mkcalendar>").bytes();
}

QByteArray propPatch(const QString &displayName, const QString &color, const QString &description)
{
    const QByteArray root = QByteArray("<d:propertyupdate") + nsDecl("d", kDavNs)
        + nsDecl("c", kCalDavNs) + nsDecl("ic", kAppleIcalNs) + ">";
    Lines body;
    body.add(0, root).add(2, "<d:set>").add(4, "<d:prop>");
    if (!displayName.isEmpty())
        body.add(6, element("d:displayname", escape(displayName)));
    if (!color.isEmpty())
        body.add(6, element("ic:calendar-color", toCalDavColor(color)));
    if (!description.isEmpty())
        body.add(6, element("c:calendar-description", escape(description)));
    return body.add(4, "</d:prop>").add(2, "</d:set>").add(0, "</d:propertyupdate>").bytes();
}

QByteArray escape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '\'': out += QLatin1String("&apos;"); break;
        default: out += c; break;
        }
    }
    return out.toUtf8();
}

QByteArray toCalDavColor(const QString &color)
{
    if (color.isEmpty())
        return QByteArray();
    QString value = color.toUpper();
    if (value.startsWith(QLatin1Char('#')))
        value.remove(0, 1);
    if (value.size() == 6)
        value += QLatin1String("FF");
    return (QLatin1Char('#') + value).toUtf8();
}

QString formatUtcTimestamp(const QDateTime &value)
{
    return value.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

QString encodePathSegment(const QString &segment)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(segment));
}

QUrl itemUrl(const QUrl &collection, const QString &uid)
{
    QUrl url = collection;
    QString path = collection.path(QUrl::FullyEncoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += encodePathSegment(uid) + QLatin1String(".ics");
    url.setPath(path, QUrl::StrictMode);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

QString newItemName(const QString &uid)
{
    // Anchored whole: "$" alone would take a name ending in a line break.
    static const QRegularExpression plain(
        QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z0-9@._-]{1,200}")));
    if (uid != QLatin1String(".") && uid != QLatin1String("..") && plain.match(uid).hasMatch())
        return uid;
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QUrl resolveHref(const QUrl &collection, const QString &href)
{
    return collection.resolved(QUrl::fromEncoded(href.toUtf8(), QUrl::TolerantMode));
}

QString hrefKey(const QString &href)
{
    return QUrl::fromEncoded(href.toUtf8(), QUrl::TolerantMode).path(QUrl::FullyDecoded);
}

} // namespace CalDavXml
