#include "sync/caldav/caldavtasktext.h"

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

} // namespace

namespace CalDavTaskText {

QString build(const Task &task, const QStringList &others)
{
    const QString own = IcsCodec::patchTodoIcs(task.raw_icalendar, task);
    if (others.isEmpty() || own.isEmpty())
        return own;
    return resource(QStringList{own} + others);
}

QString remaining(const QStringList &others)
{
    return resource(others);
}

} // namespace CalDavTaskText
