#include "calendar/icscodec.h"

#include "calendar/icscalendarcontext.h"
#include "calendar/icstext.h"
#include "calendar/icstodotimes.h"

#include <QSet>

namespace IcsCodec {

namespace {

const QLatin1String Crlf("\r\n");

// What the record holds: written from it, never copied from the old text.
bool modelled(const ContentLine &line)
{
    static const QSet<QString> names = {
        QStringLiteral("UID"), QStringLiteral("DTSTAMP"), QStringLiteral("SUMMARY"),
        QStringLiteral("DESCRIPTION"), QStringLiteral("DTSTART"), QStringLiteral("DUE"),
        QStringLiteral("COMPLETED"), QStringLiteral("STATUS"), QStringLiteral("PRIORITY"),
        QStringLiteral("PERCENT-COMPLETE"), QStringLiteral("RRULE"), QStringLiteral("CATEGORIES"),
        QStringLiteral("SEQUENCE"), QStringLiteral("LAST-MODIFIED"), QStringLiteral("X-TINDLEBROOK-REPEAT-MODE"),
        QStringLiteral("X-TINDLEBROOK-ITEM-TYPE"), QStringLiteral("X-TINDLEBROOK-SORT-ORDER")};
    // The reader makes a DURATION the due date, so the record's due date
    // stands for it: kept, it would bring back a due date cleared here, or
    // outlive the DTSTART it needs when the start is cleared.
    if (line.name == QLatin1String("DURATION"))
        return true;
    // Only the parent relation is the record's; siblings and children stay.
    if (line.name == QLatin1String("RELATED-TO")) {
        const QString relType = unquoteParam(line.params.value(QStringLiteral("RELTYPE"), QStringLiteral("PARENT")));
        return relType.compare(QLatin1String("PARENT"), Qt::CaseInsensitive) == 0;
    }
    return names.contains(line.name);
}

// Whether the reader makes a reminder of this VALARM (`alarm` runs from its
// BEGIN to its END), so that the record's reminders stand for it. The
// reader itself is asked: whatever the alarm holds, nested components with
// triggers of their own among it, the two cannot disagree.
bool isModelledAlarm(const QStringList &alarm)
{
    const QString todo = QLatin1String("BEGIN:VTODO\r\nUID:alarm\r\n") + alarm.join(Crlf)
        + QLatin1String("\r\nEND:VTODO\r\n");
    const QList<Task> read = parseTodos(todo);
    return !read.isEmpty() && !read.first().reminders.isEmpty();
}

struct Kept
{
    QStringList properties;
    // The CATEGORIES lines, apart: kept as they are while the record's
    // categories are what they say.
    QStringList categories;
    QStringList components;
};

// The categories the reader makes of these CATEGORIES lines.
QStringList categoriesOf(const QStringList &lines)
{
    if (lines.isEmpty())
        return QStringList();
    const QString todo = QLatin1String("BEGIN:VTODO\r\nUID:categories\r\n") + lines.join(Crlf)
        + QLatin1String("\r\nEND:VTODO\r\n");
    return parseTodos(todo).value(0).categories;
}

// The VTODO's own lines (`block` runs from its BEGIN to its END) that the
// record does not hold, and its nested components but the alarms the
// record's reminders replace.
Kept unmodelled(const QStringList &block)
{
    Kept kept;
    for (qsizetype i = 1; i + 1 < block.size(); ++i) {
        const QString &line = block.at(i);
        bool begin = false;
        QString component;
        if (!IcsText::componentMarker(line, &begin, &component)) {
            const ContentLine content = splitContentLine(line);
            if (content.name == QLatin1String("CATEGORIES"))
                kept.categories.append(line);
            else if (!line.trimmed().isEmpty() && !modelled(content))
                kept.properties.append(line);
            continue;
        }
        if (!begin)
            continue; // a stray END
        // A nested component, whole, to its matching END.
        const QString nested = component;
        QStringList part{line};
        for (int depth = 1; depth > 0 && ++i + 1 < block.size();) {
            part.append(block.at(i));
            if (IcsText::componentMarker(block.at(i), &begin, &component))
                depth += begin ? 1 : -1;
        }
        if (nested != QLatin1String("VALARM") || !isModelledAlarm(part))
            kept.components += part;
    }
    return kept;
}

// One component at the calendar's level of an unfolded text (a VTODO, a
// VTIMEZONE, …): its first and last line, and whose it is.
struct Component
{
    qsizetype begin = 0;
    qsizetype end = 0;
    bool isTodo = false;
    QString uid;
    bool isOverride = false;
    // A VTIMEZONE's TZID.
    QString zoneId;
};

QList<Component> components(const QStringList &lines)
{
    QList<Component> out;
    Component current;
    int depth = 0; // components open, the VCALENDAR aside
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool begin = false;
        QString name;
        if (IcsText::componentMarker(lines.at(i), &begin, &name)) {
            if (name == QLatin1String("VCALENDAR"))
                continue;
            if (begin && depth++ == 0) {
                current = Component();
                current.begin = i;
                current.isTodo = name == QLatin1String("VTODO");
            } else if (!begin && depth > 0 && --depth == 0) {
                current.end = i;
                out.append(current);
            }
            continue;
        }
        if (depth != 1)
            continue;
        const ContentLine line = splitContentLine(lines.at(i));
        if (line.name == QLatin1String("UID"))
            current.uid = unescapeText(line.value);
        else if (line.name == QLatin1String("RECURRENCE-ID"))
            current.isOverride = true;
        else if (line.name == QLatin1String("TZID") && !current.isTodo)
            current.zoneId = unquoteParam(line.value.trimmed());
    }
    return out;
}

// The VTODO a record with this UID stands for, as parseTodoResource() picks
// it; for a UID the text does not hold (a copy under a new UID), the first
// series' VTODO, never an occurrence changed elsewhere. -1 when there is
// none of these.
qsizetype target(const QList<Component> &parts, const QString &uid)
{
    qsizetype firstSeries = -1;
    qsizetype firstOfUid = -1;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const Component &part = parts.at(i);
        if (!part.isTodo)
            continue;
        if (firstSeries < 0 && !part.isOverride)
            firstSeries = i;
        if (part.uid != uid)
            continue;
        if (!part.isOverride)
            return i;
        if (firstOfUid < 0)
            firstOfUid = i;
    }
    return firstOfUid >= 0 ? firstOfUid : firstSeries;
}

QStringList linesOf(const QStringList &lines, const Component &part)
{
    return lines.mid(part.begin, part.end - part.begin + 1);
}

// The VTODO written from the record, with what `block` holds beyond it; its
// times in the forms `block` gave them. Categories the edit left as they
// were keep their lines: another client's one category a line stays so.
QStringList patchedTodo(const QStringList &block, const Task &task, const IcsTodoTimes &times)
{
    Kept kept = unmodelled(block);
    Task written = task;
    if (categoriesOf(kept.categories) == task.categories) {
        written.categories.clear();
        kept.properties += kept.categories;
    }
    QStringList lines = unfoldLines(buildTodo(written, times));
    lines.removeIf([](const QString &line) { return line.isEmpty(); });
    const qsizetype begin = lines.indexOf(QStringLiteral("BEGIN:VTODO"));
    const qsizetype end = lines.lastIndexOf(QStringLiteral("END:VTODO"));
    // Properties come before the components, alarms among them.
    const qsizetype alarms = lines.indexOf(QStringLiteral("BEGIN:VALARM"));
    const qsizetype at = alarms < 0 || alarms > end ? end : alarms;
    return lines.mid(begin, at - begin) + kept.properties + lines.mid(at, end - at) + kept.components
        + lines.mid(end, 1);
}

QStringList unfoldedLines(const QString &text)
{
    QStringList lines = unfoldLines(text);
    lines.removeIf([](const QString &line) { return line.trimmed().isEmpty(); });
    return lines;
}

QStringList calendarOf(const QStringList &components)
{
    return QStringList{QStringLiteral("BEGIN:VCALENDAR"), QStringLiteral("VERSION:2.0"),
                       QStringLiteral("PRODID:") + QLatin1String(ProductId)}
        + components + QStringList{QStringLiteral("END:VCALENDAR")};
}

// An occurrence changed elsewhere (`block` runs from its BEGIN to its END)
// as the copy of `task` holds it: its own lines but its UID and its parent,
// which are the copy's, and never a rule beside its RECURRENCE-ID, which a
// server may refuse.
QStringList copiedOccurrence(const QStringList &block, const Task &task)
{
    QStringList out;
    int depth = 0; // nested components open
    for (const QString &line : block) {
        bool begin = false;
        QString component;
        if (IcsText::componentMarker(line, &begin, &component)) {
            depth += begin ? 1 : -1;
        } else if (depth == 1) {
            const ContentLine content = splitContentLine(line);
            if (content.name == QLatin1String("RRULE")
                || (content.name == QLatin1String("RELATED-TO") && modelled(content)))
                continue;
            if (content.name == QLatin1String("UID")) {
                out.append(QStringLiteral("UID:") + escapeUid(task.uid));
                if (!task.parent_task_uid.isEmpty())
                    out.append(QStringLiteral("RELATED-TO;RELTYPE=PARENT:") + escapeUid(task.parent_task_uid));
                continue;
            }
        }
        out.append(line);
    }
    return out;
}

// A copy under a new UID, from the series' VTODO `chosen` and its
// occurrences changed elsewhere, each a VTODO of its own beside it: what
// another device did to one occurrence stays done. None of the old
// calendar's lines go with it; the zones it names do, once each.
QString copiedTodo(const QStringList &lines, const QList<Component> &parts, qsizetype chosen, const Task &task,
                   const IcsTodoTimes &times)
{
    QStringList todos = patchedTodo(linesOf(lines, parts.at(chosen)), task, times);
    for (const Component &part : parts) {
        if (part.isTodo && part.isOverride && part.uid == parts.at(chosen).uid)
            todos += copiedOccurrence(linesOf(lines, part), task);
    }
    QStringList named;
    for (const QString &line : todos)
        IcsCalendarContext::noteZone(named, splitContentLine(line));
    QStringList zones;
    for (const Component &part : parts) {
        if (!part.isTodo && named.removeOne(part.zoneId))
            zones += linesOf(lines, part);
    }
    return IcsText::foldLines(times.withDefinitions(calendarOf(zones + todos), task).join(Crlf) + Crlf);
}

} // namespace

QString patchTodoIcs(const QString &stored, const Task &task)
{
    const QStringList lines = unfoldedLines(stored);
    const QList<Component> parts = components(lines);
    const qsizetype chosen = target(parts, task.uid);
    if (chosen < 0)
        return buildTodo(task);
    const IcsTodoTimes times = IcsTodoTimes::of(task, linesOf(lines, parts.at(chosen)), stored);
    if (refusesToWrite(task, times))
        return QString();
    if (parts.at(chosen).uid != task.uid)
        return copiedTodo(lines, parts, chosen, task, times);
    QStringList out;
    bool wrapped = false;
    qsizetype next = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (next < parts.size() && parts.at(next).begin == i) {
            const Component &part = parts.at(next);
            if (next == chosen)
                out += patchedTodo(linesOf(lines, part), task, times);
            else if (part.uid.isEmpty() || part.uid == task.uid)
                out += linesOf(lines, part);
            i = part.end;
            ++next;
            continue;
        }
        wrapped = wrapped || lines.at(i).startsWith(QLatin1String("BEGIN:VCALENDAR"), Qt::CaseInsensitive);
        out.append(lines.at(i));
    }
    if (!wrapped)
        out = calendarOf(out);
    return IcsText::foldLines(times.withDefinitions(out, task).join(Crlf) + Crlf);
}

QString todoOf(const QString &stored, const QString &uid)
{
    const QStringList lines = unfoldedLines(stored);
    const QList<Component> parts = components(lines);
    const qsizetype chosen = target(parts, uid);
    return chosen < 0 ? QString() : linesOf(lines, parts.at(chosen)).join(Crlf) + Crlf;
}

} // namespace IcsCodec
