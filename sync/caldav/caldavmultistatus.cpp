#include "sync/caldav/caldavxml.h"

#include <QXmlStreamReader>

#include <functional>

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

// What a reader of a multistatus does at each step of its responses.
struct ResponseSteps
{
    // A response starts.
    std::function<void()> begin;
    // An element starts inside a response; the reader stands on it.
    std::function<void(QXmlStreamReader &xml)> element;
    // An element other than a response ends.
    std::function<void(const QXmlStreamReader &xml)> closed;
    // A response that started ends.
    std::function<void()> end;
};

// Reads `body` response by response; `complete` says whether it was one
// whole multistatus.
void readResponses(const QByteArray &body, bool *complete, const ResponseSteps &steps)
{
    QXmlStreamReader xml(body);
    Completeness completeness;
    bool inResponse = false;
    while (!xml.atEnd()) {
        xml.readNext();
        completeness.see(xml);
        if (xml.isStartElement()) {
            if (is(xml, CalDavXml::kDavNs, "response")) {
                inResponse = true;
                steps.begin();
            } else if (inResponse) {
                steps.element(xml);
            }
        } else if (xml.isEndElement()) {
            if (!is(xml, CalDavXml::kDavNs, "response")) {
                if (steps.closed)
                    steps.closed(xml);
            } else {
                if (inResponse)
                    steps.end();
                inResponse = false;
            }
        }
    }
    completeness.report(xml, complete);
}

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
    bool inResourceType = false;
    bool isCalendar = false;
    QString href;
    QStringList components;
    CalDavParse::DiscoveredCalendar entry;

    ResponseSteps steps;
    steps.begin = [&] {
        inResourceType = false;
        isCalendar = false;
        href.clear();
        components.clear();
        entry = CalDavParse::DiscoveredCalendar();
    };
    steps.element = [&](QXmlStreamReader &xml) {
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
    };
    steps.closed = [&](const QXmlStreamReader &xml) {
        if (is(xml, kDavNs, "resourcetype"))
            inResourceType = false;
    };
    steps.end = [&] {
        if (!isCalendar || href.isEmpty())
            return;
        const QUrl url = resolve(base, href);
        entry.url = url.toString();
        entry.supportedComponents = components.isEmpty() ? QStringList{QStringLiteral("VEVENT")} : components;
        if (entry.displayName.isEmpty())
            entry.displayName = url.path(QUrl::FullyDecoded);
        out.append(entry);
    };
    readResponses(body, complete, steps);
    return out;
}

QList<CalendarObject> parseObjects(const QByteArray &body, const QUrl &base, bool *complete)
{
    QList<CalendarObject> out;
    bool hrefSeen = false;
    CalendarObject entry;

    ResponseSteps steps;
    steps.begin = [&] {
        hrefSeen = false;
        entry = CalendarObject();
    };
    steps.element = [&](QXmlStreamReader &xml) {
        if (is(xml, kDavNs, "href")) {
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
    };
    steps.end = [&] {
        if (entry.href.isEmpty())
            return;
        // Kept in the server's own encoding: decoding would turn an encoded
        // "#", "?" or "/" inside a uid into a delimiter.
        const QUrl url = base.resolved(QUrl::fromEncoded(entry.href.toUtf8(), QUrl::TolerantMode));
        const QString path = url.path(QUrl::FullyEncoded);
        if (!path.endsWith(QLatin1Char('/'))) {
            entry.href = path;
            out.append(entry);
        }
    };
    readResponses(body, complete, steps);
    return out;
}

} // namespace CalDavXml
