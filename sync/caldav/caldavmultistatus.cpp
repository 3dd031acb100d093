#include "sync/caldav/caldavxml.h"

#include <QXmlStreamReader>

// Readers of multistatus replies. Elements are matched by namespace URI and
// local name, whatever prefix the server chose.
namespace {

bool is(const QXmlStreamReader &xml, const char *ns, const char *name)
{
    return xml.namespaceUri() == QLatin1String(ns) && xml.name() == QLatin1String(name);
}

// The whole text of the current element; an element nested inside a text
// property raises an error, which ends the scan.
QString text(QXmlStreamReader &xml)
{
    return xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
}

QUrl resolve(const QUrl &base, const QString &href)
{
    return base.resolved(QUrl(href, QUrl::TolerantMode));
}

// Tracks whether the document is one complete multistatus.
class Completeness
{
public:
    void see(const QXmlStreamReader &xml)
    {
        if (xml.isStartElement() && !m_rootSeen) {
            m_rootSeen = true;
            m_rootIsMultistatus = is(xml, CalDavXml::kDavNs, "multistatus");
        }
    }

    void report(const QXmlStreamReader &xml, bool *complete) const
    {
        if (complete)
            *complete = m_rootIsMultistatus && !xml.hasError() && xml.atEnd();
    }

private:
    bool m_rootSeen = false;
    bool m_rootIsMultistatus = false;
};

std::optional<QUrl> parseHrefProperty(const QByteArray &body, const QUrl &base, const char *ns,
                                      const char *property)
{
    QXmlStreamReader xml(body);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || !is(xml, ns, property))
            continue;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && is(xml, ns, property))
                break;
            if (xml.isStartElement() && is(xml, CalDavXml::kDavNs, "href")) {
                const QString href = text(xml).trimmed();
                if (href.isEmpty() || xml.hasError())
                    return std::nullopt;
                return resolve(base, href);
            }
        }
    }
    return std::nullopt;
}

QString stripQuotes(const QString &etag)
{
    if (etag.size() >= 2 && etag.startsWith(QLatin1Char('"')) && etag.endsWith(QLatin1Char('"')))
        return etag.mid(1, etag.size() - 2);
    return etag;
}

} // namespace

namespace CalDavXml {

std::optional<QUrl> parsePrincipal(const QByteArray &body, const QUrl &base)
{
    return parseHrefProperty(body, base, kDavNs, "current-user-principal");
}

std::optional<QUrl> parseHomeSet(const QByteArray &body, const QUrl &base)
{
    return parseHrefProperty(body, base, kCalDavNs, "calendar-home-set");
}

std::optional<QString> parseCtag(const QByteArray &body)
{
    QXmlStreamReader xml(body);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && is(xml, kCalendarServerNs, "getctag")) {
            const QString value = text(xml);
            if (value.isEmpty() || xml.hasError())
                return std::nullopt;
            return value;
        }
    }
    return std::nullopt;
}

QList<CalDavParse::DiscoveredCalendar> parseCalendars(const QByteArray &body, const QUrl &base,
                                                      bool *complete)
{
    QList<CalDavParse::DiscoveredCalendar> out;
    QXmlStreamReader xml(body);
    Completeness completeness;
    bool inResponse = false;
    bool inResourceType = false;
    bool isCalendar = false;
    QString href;
    QStringList components;
    CalDavParse::DiscoveredCalendar entry;

    while (!xml.atEnd()) {
        xml.readNext();
        completeness.see(xml);
        if (xml.isStartElement()) {
            if (is(xml, kDavNs, "response")) {
                inResponse = true;
                inResourceType = false;
                isCalendar = false;
                href.clear();
                components.clear();
                entry = CalDavParse::DiscoveredCalendar();
                continue;
            }
            if (!inResponse)
                continue;
            if (is(xml, kDavNs, "href")) {
                const QString value = text(xml);
                if (href.isEmpty())
                    href = value.trimmed();
            } else if (is(xml, kDavNs, "resourcetype")) {
                inResourceType = true;
            } else if (is(xml, kCalDavNs, "calendar") && inResourceType) {
                isCalendar = true;
            } else if (is(xml, kDavNs, "displayname")) {
                entry.displayName = text(xml);
            } else if (is(xml, kCalDavNs, "calendar-description")) {
                entry.description = text(xml);
            } else if (is(xml, kAppleIcalNs, "calendar-color")) {
                const QString value = text(xml).trimmed();
                entry.color = value.size() >= 7 ? value.left(7) : QString();
            } else if (is(xml, kCalendarServerNs, "getctag")) {
                entry.ctag = text(xml);
            } else if (is(xml, kDavNs, "sync-token")) {
                entry.syncToken = text(xml);
            } else if (is(xml, kCalDavNs, "supported-calendar-component-set")) {
                while (!xml.atEnd()) {
                    xml.readNext();
                    if (xml.isEndElement() && is(xml, kCalDavNs, "supported-calendar-component-set"))
                        break;
                    if (xml.isStartElement() && is(xml, kCalDavNs, "comp")) {
                        const QString name = xml.attributes().value(QLatin1String("name")).toString();
                        if (!name.isEmpty())
                            components.append(name);
                    }
                }
            }
        } else if (xml.isEndElement()) {
            if (is(xml, kDavNs, "resourcetype")) {
                inResourceType = false;
            } else if (is(xml, kDavNs, "response")) {
                if (inResponse && isCalendar && !href.isEmpty()) {
                    const QUrl url = resolve(base, href);
                    entry.url = url.toString();
                    entry.supportedComponents =
                        components.isEmpty() ? QStringList{QStringLiteral("VEVENT")} : components;
                    if (entry.displayName.isEmpty())
                        entry.displayName = url.path(QUrl::FullyDecoded);
                    out.append(entry);
                }
                inResponse = false;
            }
        }
    }
    completeness.report(xml, complete);
    return out;
}

QList<CalendarObject> parseObjects(const QByteArray &body, const QUrl &base, bool *complete)
{
    QList<CalendarObject> out;
    QXmlStreamReader xml(body);
    Completeness completeness;
    bool inResponse = false;
    bool hrefSeen = false;
    CalendarObject entry;

    while (!xml.atEnd()) {
        xml.readNext();
        completeness.see(xml);
        if (xml.isStartElement()) {
            if (is(xml, kDavNs, "response")) {
                inResponse = true;
                hrefSeen = false;
                entry = CalendarObject();
            } else if (!inResponse) {
                continue;
            } else if (is(xml, kDavNs, "href")) {
                const QString value = text(xml).trimmed();
                if (!hrefSeen) {
                    entry.href = value;
                    hrefSeen = true;
                }
            } else if (is(xml, kDavNs, "getetag")) {
                entry.etag = stripQuotes(text(xml).trimmed());
            } else if (is(xml, kCalDavNs, "calendar-data")) {
                entry.calendarData = text(xml);
            }
        } else if (xml.isEndElement() && is(xml, kDavNs, "response")) {
            if (inResponse && !entry.href.isEmpty()) {
                // Kept in the server's own encoding: decoding would turn an
                // encoded "#", "?" or "/" inside a uid into a delimiter.
                const QUrl url = base.resolved(QUrl::fromEncoded(entry.href.toUtf8(), QUrl::TolerantMode));
                const QString path = url.path(QUrl::FullyEncoded);
                if (!path.endsWith(QLatin1Char('/'))) {
                    entry.href = path;
                    out.append(entry);
                }
            }
            inResponse = false;
        }
    }
    completeness.report(xml, complete);
    return out;
}

} // namespace CalDavXml
