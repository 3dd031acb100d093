#include "calendar/icscodec.h"

#include "calendar/icstext.h"

namespace IcsCodec {

namespace {

bool isDateLine(const ContentLine &line)
{
    const QString valueType = unquoteParam(line.params.value(QStringLiteral("VALUE")));
    if (valueType.compare(QLatin1String("DATE"), Qt::CaseInsensitive) == 0)
        return true;
    const QString value = line.value.trimmed();
    return valueType.isEmpty() && value.size() == 8 && !value.contains(QLatin1Char('T'));
}

bool startsWithName(const QString &line, QLatin1String name)
{
    if (!line.startsWith(name, Qt::CaseInsensitive))
        return false;
    if (line.size() == name.size())
        return true;
    const QChar next = line.at(name.size());
    return next == QLatin1Char(';') || next == QLatin1Char(':');
}

} // namespace

QString patchEventTimes(const QString &stored, const QDateTime &start, const QDateTime &end)
{
    if (stored.isEmpty() || !start.isValid())
        return stored;
    const QString startText = IcsText::utcText(start);
    const QString endText = end.isValid() ? IcsText::utcText(end) : startText;
    // An all-day event keeps date values: a second, timed DTSTART beside the
    // date one would leave the event with two starts.
    const QString startDate = IcsText::dateText(start.date());
    const QDate endDay = end.isValid() && end.date() > start.date() ? end.date() : start.date().addDays(1);
    const QString endDate = IcsText::dateText(endDay);

    QStringList pieces;
    {
        qsizetype from = 0;
        for (qsizetype i = 0; i < stored.size(); ++i) {
            if (stored.at(i) != QLatin1Char('\n'))
                continue;
            const qsizetype to = (i > from && stored.at(i - 1) == QLatin1Char('\r')) ? i - 1 : i;
            pieces.append(stored.mid(from, to - from));
            from = i + 1;
        }
        pieces.append(stored.mid(from));
    }

    QStringList out;
    out.reserve(pieces.size() + 2);
    enum class Stage { Before, Inside, After } stage = Stage::Before;
    bool startWritten = false;
    bool endWritten = false;
    bool startIsDate = false;
    bool skipContinuation = false;
    int depth = 0;
    for (const QString &line : std::as_const(pieces)) {
        if (stage != Stage::Inside) {
            out.append(line);
            if (stage == Stage::Before && line.startsWith(QLatin1String("BEGIN:VEVENT"), Qt::CaseInsensitive))
                stage = Stage::Inside;
            continue;
        }
        const bool continuation = !line.isEmpty() && (line.at(0) == QLatin1Char(' ') || line.at(0) == QLatin1Char('\t'));
        if (continuation) {
            if (!skipContinuation)
                out.append(line);
            continue;
        }
        skipContinuation = false;
        if (depth == 0 && line.startsWith(QLatin1String("END:VEVENT"), Qt::CaseInsensitive)) {
            if (!startWritten)
                out.append(QStringLiteral("DTSTART:") + startText);
            if (!endWritten)
                out.append(startIsDate ? QStringLiteral("DTEND;VALUE=DATE:") + endDate
                                       : QStringLiteral("DTEND:") + endText);
            out.append(line);
            stage = Stage::After;
            continue;
        }
        bool begin = false;
        QString component;
        if (IcsText::componentMarker(line, &begin, &component)) {
            depth += begin ? 1 : (depth > 0 ? -1 : 0);
            out.append(line);
            continue;
        }
        // Nested components (an alarm's DURATION and REPEAT) are not times
        // of the event.
        if (depth > 0) {
            out.append(line);
            continue;
        }
        if (startsWithName(line, QLatin1String("DTSTART"))) {
            const bool date = isDateLine(splitContentLine(line));
            out.append(date ? QStringLiteral("DTSTART;VALUE=DATE:") + startDate : QStringLiteral("DTSTART:") + startText);
            startWritten = true;
            startIsDate = date;
            skipContinuation = true;
        } else if (startsWithName(line, QLatin1String("DTEND"))) {
            const bool date = isDateLine(splitContentLine(line));
            out.append(date ? QStringLiteral("DTEND;VALUE=DATE:") + endDate : QStringLiteral("DTEND:") + endText);
            endWritten = true;
            skipContinuation = true;
        } else if (startsWithName(line, QLatin1String("DURATION"))) {
            skipContinuation = true;
        } else {
            out.append(line);
        }
    }
    if (stage == Stage::Before)
        return stored;
    return out.join(QLatin1String("\r\n"));
}

} // namespace IcsCodec
