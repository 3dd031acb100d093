#include "calendar/seriessplittext.h"

#include <QList>
#include <QPair>
#include <QSet>
#include <QStringList>

#include "calendar/icscodec.h"
#include "calendar/icscomponentwalk.h"
#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "store/event.h"

namespace {

// The VEVENT blocks of a text, first to last line each, nested
// components inside.
QList<QPair<qsizetype, qsizetype>> eventBlocksOf(const QStringList &lines)
{
    QList<QPair<qsizetype, qsizetype>> blocks;
    qsizetype open = -1;
    int depth = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool begin = false;
        QString component;
        if (!IcsText::componentMarker(lines.at(i), &begin, &component))
            continue;
        if (open < 0) {
            if (begin && component == QLatin1String("VEVENT")) {
                open = i;
                depth = 0;
            }
        } else if (begin) {
            ++depth;
        } else if (depth > 0) {
            --depth;
        } else if (component == QLatin1String("VEVENT")) {
            blocks.append({open, i});
            open = -1;
        }
    }
    return blocks;
}

} // namespace

namespace SeriesSplitText {

bool fromSplitOn(const Event &master, const QDateTime &occurrence, const QDateTime &occurrenceStart)
{
    return master.is_all_day ? occurrence.date() >= occurrenceStart.date() : occurrence >= occurrenceStart;
}

QString lengthTemplate(const Event &master)
{
    QString duration;
    bool other = false; // a DTEND, or the text of one occurrence
    int read = 0;
    IcsComponentWalk::Steps steps;
    steps.begin = [&read] { ++read; };
    steps.property = [&](const ContentLine &line, IcsComponentWalk::Level level) {
        if (read != 1 || level != IcsComponentWalk::Level::Own)
            return;
        if (line.name == QLatin1String("DURATION"))
            duration = line.value.trimmed();
        else if (line.name == QLatin1String("DTEND") || line.name == QLatin1String("RECURRENCE-ID"))
            other = true;
    };
    steps.alarmBegin = [] {};
    steps.alarmEnd = [] {};
    steps.end = [](const QString &) {};
    IcsComponentWalk::walk(master.raw_icalendar, QStringLiteral("VEVENT"), steps);
    if (other || duration.isEmpty())
        return QString();
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//Calendar Desktop//EN\r\n"
                          "BEGIN:VEVENT\r\nDURATION:%1\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        .arg(IcsText::plainValue(duration));
}

QString withoutChangesFrom(const Event &master, const QDateTime &occurrenceStart)
{
    const QStringList lines = IcsCodec::unfoldLines(master.raw_icalendar);
    const QList<QPair<qsizetype, qsizetype>> blocks = eventBlocksOf(lines);
    if (blocks.size() < 2)
        return master.raw_icalendar;
    // Each block is read with the calendar's own lines and zones around it.
    QStringList context = lines;
    for (qsizetype b = blocks.size() - 1; b >= 0; --b)
        context.remove(blocks.at(b).first, blocks.at(b).second - blocks.at(b).first + 1);
    context.removeIf([](const QString &line) { return line.trimmed().compare(QLatin1String("END:VCALENDAR"), Qt::CaseInsensitive) == 0; });
    QSet<qsizetype> dropped;
    for (const auto &block : blocks) {
        const QStringList own = lines.mid(block.first, block.second - block.first + 1);
        const Event read = IcsCodec::parseEvents((context + own).join(QStringLiteral("\r\n"))
                                                 + QStringLiteral("\r\nEND:VCALENDAR\r\n"))
                               .value(0);
        const QDateTime replaced = Recurrence::readRecurrenceId(read.recurrence_id);
        if (!read.recurrence_id.isEmpty() && replaced.isValid() && fromSplitOn(master, replaced, occurrenceStart))
            dropped.insert(block.first);
    }
    if (dropped.isEmpty())
        return master.raw_icalendar;
    QString out;
    for (qsizetype i = 0, b = 0; i < lines.size(); ++i) {
        while (b < blocks.size() && blocks.at(b).second < i)
            ++b;
        if (b < blocks.size() && i >= blocks.at(b).first && dropped.contains(blocks.at(b).first))
            continue;
        out += lines.at(i) + QStringLiteral("\r\n");
    }
    return IcsText::foldLines(out);
}

} // namespace SeriesSplitText
