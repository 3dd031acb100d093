#include "calendar/icscodec.h"

#include "calendar/icstext.h"

#include <QSet>

namespace IcsCodec {

namespace {

const QLatin1String Crlf("\r\n");

// What the record holds: written from it, never copied from the old text.
bool modelled(const ContentLine &line, const Task &task)
{
    static const QSet<QString> names = {
        QStringLiteral("UID"), QStringLiteral("DTSTAMP"), QStringLiteral("SUMMARY"),
        QStringLiteral("DESCRIPTION"), QStringLiteral("DTSTART"), QStringLiteral("DUE"),
        QStringLiteral("COMPLETED"), QStringLiteral("STATUS"), QStringLiteral("PRIORITY"),
        QStringLiteral("PERCENT-COMPLETE"), QStringLiteral("RRULE"), QStringLiteral("CATEGORIES"),
        QStringLiteral("SEQUENCE"), QStringLiteral("LAST-MODIFIED"), QStringLiteral("X-TINDLEBROOK-REPEAT-MODE"),
        QStringLiteral("X-TINDLEBROOK-ITEM-TYPE"), QStringLiteral("X-TINDLEBROOK-SORT-ORDER")};
    // A due date written here and a duration kept would contradict each other.
    if (line.name == QLatin1String("DURATION"))
        return task.due_date.has_value();
    // Only the parent relation is the record's; siblings and children stay.
    if (line.name == QLatin1String("RELATED-TO")) {
        const QString relType = unquoteParam(line.params.value(QStringLiteral("RELTYPE"), QStringLiteral("PARENT")));
        return relType.compare(QLatin1String("PARENT"), Qt::CaseInsensitive) == 0;
    }
    return names.contains(line.name);
}

// Whether the reader makes a reminder of this VALARM (a trigger relative to
// the task), so that the record's reminders stand for it.
bool isModelledAlarm(const QStringList &alarm)
{
    bool relative = false; // the last trigger counts, as in the reader
    for (const QString &line : alarm) {
        const ContentLine content = splitContentLine(line);
        if (content.name != QLatin1String("TRIGGER"))
            continue;
        QString trigger = content.value.trimmed();
        if (trigger.startsWith(QLatin1Char('-')) || trigger.startsWith(QLatin1Char('+')))
            trigger.remove(0, 1);
        bool readable = false;
        IcsText::signedDuration(trigger, &readable);
        relative = readable && trigger.startsWith(QLatin1Char('P'));
    }
    return relative;
}

struct Kept
{
    QStringList properties;
    QStringList components;
};

// The first VTODO's own lines that the record does not hold, and its nested
// components but the alarms the record's reminders replace.
Kept unmodelled(const QString &stored, const Task &task)
{
    Kept kept;
    const QStringList lines = unfoldLines(stored);
    qsizetype i = 0;
    for (bool begin = false; i < lines.size(); ++i) {
        QString component;
        if (IcsText::componentMarker(lines.at(i), &begin, &component) && begin
            && component == QLatin1String("VTODO"))
            break;
    }
    for (++i; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        bool begin = false;
        QString component;
        if (!IcsText::componentMarker(line, &begin, &component)) {
            if (!line.trimmed().isEmpty() && !modelled(splitContentLine(line), task))
                kept.properties.append(line);
            continue;
        }
        if (!begin)
            break; // the VTODO's own END
        // A nested component, whole, to its matching END.
        const QString nested = component;
        QStringList block{line};
        for (int depth = 1; depth > 0 && ++i < lines.size();) {
            block.append(lines.at(i));
            if (IcsText::componentMarker(lines.at(i), &begin, &component))
                depth += begin ? 1 : -1;
        }
        if (nested != QLatin1String("VALARM") || !isModelledAlarm(block))
            kept.components += block;
    }
    return kept;
}

} // namespace

QString patchTodoIcs(const QString &stored, const Task &task)
{
    if (!stored.contains(QLatin1String("BEGIN:VTODO"), Qt::CaseInsensitive))
        return buildTodo(task);
    const Kept kept = unmodelled(stored, task);
    QStringList lines = unfoldLines(buildTodo(task));
    lines.removeIf([](const QString &line) { return line.isEmpty(); });
    // Properties come before the components, alarms among them.
    const qsizetype end = lines.lastIndexOf(QStringLiteral("END:VTODO"));
    const qsizetype alarms = lines.indexOf(QStringLiteral("BEGIN:VALARM"));
    const qsizetype at = alarms < 0 || alarms > end ? end : alarms;
    lines = lines.mid(0, at) + kept.properties + lines.mid(at, end - at) + kept.components + lines.mid(end);
    return IcsText::foldLines(lines.join(Crlf) + Crlf);
}

} // namespace IcsCodec
