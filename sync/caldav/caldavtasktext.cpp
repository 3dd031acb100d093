#include "sync/caldav/caldavtasktext.h"

#include <QRegularExpression>

#include "calendar/icscalendarcontext.h"
#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/icszonedefinitions.h"
#include "sync/caldav/caldavicsbundle.h"

namespace {

// The parts as one resource, with the definition of each zone known here
// that they name and none of them holds: a part stored past the budget for
// copies may have gone without it, and the one that kept it may be the
// part left out.
QString resource(const QStringList &parts)
{
    QStringList lines = IcsCodec::unfoldLines(CalDavIcsBundle::combine(parts));
    lines.removeAll(QString());
    return IcsText::foldLines(IcsZoneDefinitions::withNamedDefinitions(lines).join(QLatin1String("\r\n"))
                              + QLatin1String("\r\n"));
}

// The task's text with the calendar's zone (X-WR-TIMEZONE) of the other
// parts of its resource where it names none: a part stored past the
// budget for copies by an older version went without it, and its floating
// times mean the calendar's wall clock, as the resource they go back to
// says. Unchanged where it names one, or no other part does.
QString withCalendarZone(const QString &text, const QStringList &others)
{
    if (others.isEmpty() || !IcsCalendarContext::read(text).zoneLine().isEmpty())
        return text;
    QString zoneLine;
    for (const QString &other : others) {
        if (other.contains(QLatin1String("X-WR-TIMEZONE"), Qt::CaseInsensitive))
            zoneLine = IcsCalendarContext::read(other).zoneLine();
        if (!zoneLine.isEmpty())
            break;
    }
    if (zoneLine.isEmpty())
        return text;
    static const QRegularExpression calendarBegin(QStringLiteral("^BEGIN:VCALENDAR\\r?\\n"),
                                                  QRegularExpression::CaseInsensitiveOption
                                                      | QRegularExpression::MultilineOption);
    const QRegularExpressionMatch begin = calendarBegin.match(text);
    if (!begin.hasMatch()) { // a VTODO stored alone
        return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:") + QLatin1String(IcsCodec::ProductId)
            + QStringLiteral("\r\n") + zoneLine + text + QStringLiteral("END:VCALENDAR\r\n");
    }
    return QString(text).insert(begin.capturedEnd(), zoneLine);
}

} // namespace

namespace CalDavTaskText {

QString build(const Task &task, const QStringList &others)
{
    Task written = task;
    written.raw_icalendar = withCalendarZone(task.raw_icalendar, others);
    const QString own = IcsCodec::patchTodoIcs(written.raw_icalendar, written);
    if (others.isEmpty() || own.isEmpty())
        return own;
    return resource(QStringList{own} + others);
}

QString remaining(const QStringList &others)
{
    return resource(others);
}

} // namespace CalDavTaskText
