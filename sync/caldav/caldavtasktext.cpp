#include "sync/caldav/caldavtasktext.h"

#include "calendar/icscodec.h"

#include <QSet>
#include <QStringList>

namespace CalDavTaskText {

namespace {

// What the record holds: written from it, never copied from the old text.
bool modelled(const QString &name, const Task &task)
{
    static const QSet<QString> names = {
        QStringLiteral("UID"), QStringLiteral("DTSTAMP"), QStringLiteral("SUMMARY"),
        QStringLiteral("DESCRIPTION"), QStringLiteral("DTSTART"), QStringLiteral("DUE"),
        QStringLiteral("COMPLETED"), QStringLiteral("STATUS"), QStringLiteral("PRIORITY"),
        QStringLiteral("PERCENT-COMPLETE"), QStringLiteral("RRULE"), QStringLiteral("CATEGORIES"),
        QStringLiteral("RELATED-TO"), QStringLiteral("SEQUENCE"), QStringLiteral("LAST-MODIFIED"),
        QStringLiteral("X-TINDLEBROOK-REPEAT-MODE"), QStringLiteral("X-TINDLEBROOK-ITEM-TYPE"),
        QStringLiteral("X-TINDLEBROOK-SORT-ORDER")};
    // A due date written here and a duration kept would contradict each other.
    if (name == QLatin1String("DURATION"))
        return task.due_date.has_value();
    return names.contains(name);
}

QString propertyName(const QString &line)
{
    qsizetype end = 0;
    while (end < line.size() && line.at(end) != QLatin1Char(';') && line.at(end) != QLatin1Char(':'))
        ++end;
    return line.left(end).trimmed().toUpper();
}

// The stored VTODO's own lines the record does not hold, with the nested
// components other than alarms (the record's reminders are written anew).
QStringList unmodelledLines(const Task &task)
{
    QStringList kept;
    int depth = -1;
    bool skipping = false;
    QString unfolded = task.raw_icalendar;
    unfolded.replace(QLatin1String("\r\n "), QString()).replace(QLatin1String("\r\n\t"), QString());
    for (const QString &line : unfolded.split(QLatin1String("\r\n"))) {
        const QString name = propertyName(line);
        const QString value = line.mid(line.indexOf(QLatin1Char(':')) + 1).trimmed().toUpper();
        if (depth < 0 && !(name == QLatin1String("BEGIN") && value == QLatin1String("VTODO")))
            continue;
        if (name == QLatin1String("BEGIN")) {
            ++depth;
            if (depth == 1)
                skipping = value == QLatin1String("VALARM");
            if (depth >= 1 && !skipping)
                kept.append(line);
            continue;
        }
        if (name == QLatin1String("END")) {
            if (depth == 0)
                break;
            if (depth >= 1 && !skipping)
                kept.append(line);
            --depth;
            continue;
        }
        if (depth == 0 && !line.trimmed().isEmpty() && !modelled(name, task))
            kept.append(line);
        else if (depth >= 1 && !skipping)
            kept.append(line);
    }
    return kept;
}

} // namespace

QString build(const Task &task)
{
    const QString written = IcsCodec::buildTodo(task);
    if (!task.raw_icalendar.contains(QLatin1String("BEGIN:VTODO"), Qt::CaseInsensitive))
        return written;
    const QStringList kept = unmodelledLines(task);
    const qsizetype end = written.lastIndexOf(QLatin1String("END:VTODO"));
    if (kept.isEmpty() || end < 0)
        return written;
    return written.left(end) + kept.join(QLatin1String("\r\n")) + QLatin1String("\r\n") + written.mid(end);
}

} // namespace CalDavTaskText
