#include "calendar/icszonedefinitions.h"

#include <QHash>
#include <QSet>

#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/icstimezone.h"

#include <algorithm>

namespace IcsZoneDefinitions {

namespace {

// The VTIMEZONE lines of a zone under an id, each zone's worked out once a
// year of dates however many ids name it (/v1/Europe/Berlin,
// /v2/Europe/Berlin, ...).
class Blocks
{
public:
    QStringList linesFor(const Named &named)
    {
        const QDate around = named.around.isValid() ? named.around : QDate::currentDate();
        const QString key = QString::fromUtf8(named.zone.id()) + QLatin1Char(' ') + QString::number(around.year());
        auto found = m_lines.constFind(key);
        if (found == m_lines.constEnd()) {
            // Its second line is the TZID, set for each id below.
            found = m_lines.insert(key, IcsTimeZone::block(named.zone, QString(), around)
                                            .split(QLatin1String("\r\n"), Qt::SkipEmptyParts));
        }
        QStringList lines = *found;
        if (lines.size() > 1)
            lines[1] = QStringLiteral("TZID:") + named.tzid;
        return lines;
    }

private:
    QHash<QString, QStringList> m_lines;
};

// Characters of definitions any text may take, whatever its size.
constexpr qsizetype MinimumBudget = 16 * 1024;

qsizetype sizeOf(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    return size;
}

// The lines with the VTIMEZONE of each zone named that they do not define,
// added in one splice. `budget` (characters, negative for none) bounds what
// is added: past it only the first id of each zone is defined, so that
// thousands of ids of one zone cannot swell a text many times over.
QStringList spliced(const QStringList &calendar, const QList<Named> &named, qsizetype budget)
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
    Blocks blocks;
    QSet<QByteArray> zonesAdded;
    QStringList added;
    for (const Named &zone : named) {
        if (defined.contains(zone.tzid))
            continue;
        defined.insert(zone.tzid);
        const QStringList lines = blocks.linesFor(zone);
        const qsizetype size = sizeOf(lines);
        const bool paid = budget < 0 || size <= budget;
        if (!paid && zonesAdded.contains(zone.zone.id()))
            continue;
        if (paid && budget >= 0)
            budget -= size;
        zonesAdded.insert(zone.zone.id());
        added += lines;
    }
    if (added.isEmpty())
        return calendar;
    const qsizetype at = firstItem >= 0 ? firstItem : calendarEnd;
    QStringList out;
    out.reserve(calendar.size() + added.size());
    out += calendar.mid(0, at);
    out += added;
    out += calendar.mid(at);
    return out;
}

} // namespace

QStringList withDefinitions(const QStringList &calendar, const QList<Named> &named)
{
    return spliced(calendar, named, -1);
}

QStringList withNamedDefinitions(const QStringList &calendar)
{
    QList<Named> named;
    QSet<QString> seen;
    int depth = 0; // components open, the VCALENDAR aside
    bool inZone = false;
    qsizetype size = 0;
    for (const QString &line : calendar) {
        size += line.size() + 2;
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
    // What is added stays within the text's own size, or a few dozen
    // definitions for a small text, each zone defined.
    return spliced(calendar, named, std::max(size, MinimumBudget));
}

} // namespace IcsZoneDefinitions
