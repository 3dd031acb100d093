#include "sync/caldav/caldavpropstat.h"

#include <QXmlStreamReader>

#include "sync/caldav/caldavxml.h"

namespace CalDavPropStat {

namespace {

bool isDav(const QXmlStreamReader &xml, const char *name)
{
    return xml.namespaceUri() == QLatin1String(CalDavXml::kDavNs) && xml.name() == QLatin1String(name);
}

// Reads the property names inside one <d:prop>, skipping their content.
QList<PropertyStatus> readPropNames(QXmlStreamReader &xml)
{
    QList<PropertyStatus> names;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && isDav(xml, "prop"))
            break;
        if (xml.isStartElement()) {
            names.append({xml.namespaceUri().toString(), xml.name().toString(), 0});
            xml.skipCurrentElement();
        }
    }
    return names;
}

} // namespace

int statusCode(const QString &statusLine)
{
    const QStringList parts = statusLine.simplified().split(QLatin1Char(' '));
    if (parts.size() < 2)
        return 0;
    bool ok = false;
    const int code = parts.at(1).toInt(&ok);
    return ok && code >= 100 && code <= 599 ? code : 0;
}

Outcome parse(const QByteArray &body)
{
    Outcome outcome;
    QXmlStreamReader xml(body);
    bool rootSeen = false;
    bool rootIsMultistatus = false;
    QList<PropertyStatus> inPropStat;
    int propStatStatus = 0;
    bool insidePropStat = false;

    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (!rootSeen) {
                rootSeen = true;
                rootIsMultistatus = isDav(xml, "multistatus");
                continue;
            }
            if (isDav(xml, "propstat")) {
                insidePropStat = true;
                inPropStat.clear();
                propStatStatus = 0;
            } else if (insidePropStat && isDav(xml, "prop")) {
                inPropStat += readPropNames(xml);
            } else if (isDav(xml, "status")) {
                const int code = statusCode(xml.readElementText(QXmlStreamReader::SkipChildElements));
                if (insidePropStat)
                    propStatStatus = code;
                else if (outcome.requestStatus == 0)
                    outcome.requestStatus = code;
            }
        } else if (xml.isEndElement() && isDav(xml, "propstat")) {
            for (PropertyStatus &property : inPropStat) {
                property.status = propStatStatus;
                outcome.properties.append(property);
            }
            insidePropStat = false;
        }
    }
    outcome.readable = rootIsMultistatus && !xml.hasError();
    return outcome;
}

QList<PropertyStatus> Outcome::failures() const
{
    QList<PropertyStatus> failed;
    for (const PropertyStatus &property : properties) {
        if (property.status < 200 || property.status > 299)
            failed.append(property);
    }
    return failed;
}

int Outcome::decisiveFailure() const
{
    const QList<PropertyStatus> failed = failures();
    for (const PropertyStatus &property : failed) {
        if (property.status != 424)
            return property.status;
    }
    return failed.isEmpty() ? 0 : failed.first().status;
}

} // namespace CalDavPropStat
