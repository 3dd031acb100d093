#include "calendar/icscalendarcontext.h"

#include "calendar/icscodec.h"
#include "calendar/icslinereader.h"
#include "calendar/icstext.h"

namespace {

bool isZoneId(const QString &line)
{
    return line.startsWith(QLatin1String("TZID"), Qt::CaseInsensitive);
}

} // namespace

IcsCalendarContext IcsCalendarContext::read(const QString &text)
{
    IcsCalendarContext context;
    context.copyBudget = CopiesPerInputCharacter * text.size();
    const bool hasZones = text.contains(QLatin1String("VTIMEZONE"), Qt::CaseInsensitive);
    if (!hasZones && !text.contains(QLatin1String("X-WR-TIMEZONE"), Qt::CaseInsensitive))
        return context;

    QString block;
    QString tzid;
    bool oversized = false;
    // 0 outside any component, 1 inside VCALENDAR, more inside an item.
    int depth = 0;
    int zoneDepth = 0;
    IcsLineReader reader(text);
    QString line;
    while (reader.next(&line)) {
        bool begin = false;
        QString component;
        const bool marker = IcsText::componentMarker(line, &begin, &component);
        if (zoneDepth > 0) {
            if (!oversized && block.size() + line.size() + 2 <= MaxZoneLength) {
                block += line;
                block += QLatin1String("\r\n");
            } else {
                oversized = true;
                block.clear();
            }
            if (marker) {
                zoneDepth += begin ? 1 : -1;
                if (zoneDepth == 0 && !oversized && !tzid.isEmpty() && !context.zones.contains(tzid))
                    context.zones.insert(tzid, block);
            } else if (zoneDepth == 1 && isZoneId(line)) {
                const ContentLine content = IcsCodec::splitContentLine(line);
                if (content.name == QLatin1String("TZID"))
                    tzid = IcsCodec::unquoteParam(content.value.trimmed());
            }
            if (zoneDepth == 0)
                --depth;
            continue;
        }
        if (marker) {
            if (begin && component == QLatin1String("VTIMEZONE")) {
                zoneDepth = 1;
                ++depth;
                block = line + QLatin1String("\r\n");
                tzid.clear();
                oversized = false;
            } else {
                depth = std::max(0, depth + (begin ? 1 : -1));
            }
            continue;
        }
        if (depth == 1 && context.floatingZoneId.isEmpty()
            && line.startsWith(QLatin1String("X-WR-TIMEZONE"), Qt::CaseInsensitive)) {
            const ContentLine content = IcsCodec::splitContentLine(line);
            const QTimeZone zone = IcsCodec::zoneForId(content.value);
            if (content.name == QLatin1String("X-WR-TIMEZONE") && zone.isValid()) {
                context.floatingZone = zone;
                context.floatingZoneId = QString::fromUtf8(zone.id());
            }
        }
    }
    return context;
}

QHash<QString, QString> IcsCalendarContext::timeParams(const QHash<QString, QString> &params) const
{
    if (floatingZoneId.isEmpty() || params.contains(QStringLiteral("TZID")))
        return params;
    QHash<QString, QString> withZone = params;
    withZone.insert(QStringLiteral("TZID"), floatingZoneId);
    return withZone;
}

bool IcsCalendarContext::spend(qsizetype size)
{
    if (size > copyBudget)
        return false;
    copyBudget -= size;
    return true;
}

QString IcsCalendarContext::zoneCopies(const QStringList &ids)
{
    QString text;
    for (const QString &id : ids) {
        const auto zone = zones.constFind(id);
        if (zone == zones.constEnd())
            continue;
        // A first copy each is at most the input once more.
        if (spend(zone->size()) || !copiedZones.contains(id)) {
            copiedZones.insert(id);
            text += *zone;
        }
    }
    return text;
}

QString IcsCalendarContext::zoneLine() const
{
    if (floatingZoneId.isEmpty())
        return QString();
    return QStringLiteral("X-WR-TIMEZONE:") + floatingZoneId + QLatin1String("\r\n");
}

void IcsCalendarContext::noteZone(QStringList &ids, const ContentLine &line)
{
    const auto tzid = line.params.constFind(QStringLiteral("TZID"));
    if (tzid == line.params.constEnd() || ids.size() >= MaxZonesPerItem)
        return;
    const QString id = IcsCodec::unquoteParam(tzid->trimmed());
    if (!id.isEmpty() && !ids.contains(id))
        ids.append(id);
}
