#include "sync/caldav/caldavicsbundle.h"

#include <QRegularExpression>
#include <QSet>

#include "calendar/icstext.h"

namespace {

QStringList splitLines(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r?\n"));
    QStringList lines = text.split(lineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool startsWithNoCase(const QString &line, const char *prefix)
{
    return line.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
}

QString componentOf(const QString &line, const char *marker)
{
    return line.mid(int(qstrlen(marker))).trimmed().toUpper();
}

// The TZID of a VTIMEZONE block, for keeping each zone once.
QString tzidOf(const QStringList &block)
{
    for (const QString &line : block) {
        if (startsWithNoCase(line, "TZID:"))
            return line.mid(5).trimmed();
    }
    return QString();
}

} // namespace

namespace CalDavIcsBundle {

QString combine(const QStringList &calendars)
{
    QStringList header;
    QSet<QString> headerNames;
    QList<QStringList> zones;
    QSet<QString> zoneIds;
    QList<QStringList> items;

    for (int index = 0; index < calendars.size(); ++index) {
        const QStringList lines = splitLines(calendars.at(index));
        QStringList block;
        int depth = 0;
        QSet<QString> namesHere;
        bool kept = false; // whether the last calendar-level line went in, for its folds
        for (const QString &line : lines) {
            const bool begin = startsWithNoCase(line, "BEGIN:");
            const bool end = startsWithNoCase(line, "END:");
            if (begin && componentOf(line, "BEGIN:") == QLatin1String("VCALENDAR"))
                continue;
            if (end && componentOf(line, "END:") == QLatin1String("VCALENDAR"))
                continue;
            if (depth == 0 && !begin) {
                // Calendar-level properties: VERSION, PRODID and the like,
                // those of the first text and, of the others, those it lacks:
                // a part stored without the calendar's lines takes none of
                // them from the resource.
                const bool fold = line.startsWith(QLatin1Char(' ')) || line.startsWith(QLatin1Char('\t'));
                if (!fold) {
                    const QString name = IcsText::propertyName(line);
                    kept = index == 0 || (!name.isEmpty() && !headerNames.contains(name));
                    namesHere.insert(name);
                }
                if (kept)
                    header.append(line);
                continue;
            }
            block.append(line);
            if (begin)
                ++depth;
            if (end && --depth == 0) {
                const QString component = componentOf(block.first(), "BEGIN:");
                if (component == QLatin1String("VTIMEZONE")) {
                    const QString tzid = tzidOf(block);
                    if (tzid.isEmpty() || !zoneIds.contains(tzid)) {
                        zoneIds.insert(tzid);
                        zones.append(block);
                    }
                } else {
                    items.append(block);
                }
                block.clear();
            }
        }
        headerNames.unite(namesHere);
    }

    QStringList out{QStringLiteral("BEGIN:VCALENDAR")};
    out += header;
    for (const QStringList &zone : std::as_const(zones))
        out += zone;
    for (const QStringList &item : std::as_const(items))
        out += item;
    out.append(QStringLiteral("END:VCALENDAR"));
    return out.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QByteArray toBody(const QString &text, bool *wrapped)
{
    QStringList lines = splitLines(text);
    bool hasWrapper = false;
    for (const QString &line : std::as_const(lines)) {
        if (startsWithNoCase(line, "BEGIN:VCALENDAR")) {
            hasWrapper = true;
            break;
        }
    }
    if (!hasWrapper) {
        lines.prepend(QStringLiteral("PRODID:-//Tindlebrook//Calendar Desktop//EN"));
        lines.prepend(QStringLiteral("VERSION:2.0"));
        lines.prepend(QStringLiteral("BEGIN:VCALENDAR"));
        lines.append(QStringLiteral("END:VCALENDAR"));
    }
    if (wrapped)
        *wrapped = !hasWrapper;
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace CalDavIcsBundle
