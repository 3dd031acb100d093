#include "calendar/icszonedefinitions.h"

#include <QSet>

#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/icstimezone.h"

namespace IcsZoneDefinitions {

QStringList withDefinitions(const QStringList &calendar, const QList<Named> &named)
{
    if (named.isEmpty())
        return calendar;
    QSet<QString> defined;
    qsizetype firstItem = -1;
    qsizetype calendarEnd = calendar.size();
    int depth = 0; // components open, the VCALENDAR aside
    bool inZone = false;
    for (qsizetype i = 0; i < calendar.size(); ++i) {
        const QString &line = calendar.at(i);
        bool begin = false;
        QString component;
        if (IcsText::componentMarker(line, &begin, &component)) {
            if (component == QLatin1String("VCALENDAR")) {
                if (!begin)
                    calendarEnd = i;
            } else if (begin && depth++ == 0) {
                inZone = component == QLatin1String("VTIMEZONE");
                if (!inZone && firstItem < 0)
                    firstItem = i;
            } else if (!begin && depth > 0) {
                --depth;
            }
            continue;
        }
        if (inZone && depth == 1 && line.startsWith(QLatin1String("TZID"), Qt::CaseInsensitive)) {
            const ContentLine content = IcsCodec::splitContentLine(line);
            if (content.name == QLatin1String("TZID"))
                defined.insert(IcsCodec::unquoteParam(content.value.trimmed()));
        }
    }
    QStringList added;
    for (const Named &zone : named) {
        if (defined.contains(zone.tzid))
            continue;
        defined.insert(zone.tzid);
        added += IcsTimeZone::block(zone.zone, zone.tzid, zone.around).split(QLatin1String("\r\n"), Qt::SkipEmptyParts);
    }
    QStringList out = calendar;
    const qsizetype at = firstItem >= 0 ? firstItem : calendarEnd;
    for (qsizetype i = 0; i < added.size(); ++i)
        out.insert(at + i, added.at(i));
    return out;
}

QStringList withNamedDefinitions(const QStringList &calendar)
{
    QList<Named> named;
    QSet<QString> seen;
    int depth = 0; // components open, the VCALENDAR aside
    bool inZone = false;
    for (const QString &line : calendar) {
        bool begin = false;
        QString component;
        if (IcsText::componentMarker(line, &begin, &component)) {
            if (component == QLatin1String("VCALENDAR"))
                continue;
            if (begin && depth++ == 0)
                inZone = component == QLatin1String("VTIMEZONE");
            else if (!begin && depth > 0)
                --depth;
            continue;
        }
        if (depth == 0 || inZone || !line.contains(QLatin1String("TZID="), Qt::CaseInsensitive))
            continue;
        const ContentLine content = IcsCodec::splitContentLine(line);
        const QString tzid = IcsCodec::unquoteParam(content.params.value(QStringLiteral("TZID")).trimmed());
        if (tzid.isEmpty() || seen.contains(tzid))
            continue;
        seen.insert(tzid);
        const QTimeZone zone = IcsCodec::zoneForId(tzid);
        const QDate day = IcsText::readDate(QStringView(content.value).trimmed().left(8));
        if (zone.isValid())
            named.append({tzid, zone, day.isValid() ? day : QDate::currentDate()});
    }
    return withDefinitions(calendar, named);
}

} // namespace IcsZoneDefinitions
