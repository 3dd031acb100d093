#include "sync/caldav/caldavtasktext.h"

#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "sync/caldav/caldavicsbundle.h"

namespace CalDavTaskText {

QString build(const Task &task, const QStringList &others)
{
    const QString own = IcsCodec::patchTodoIcs(task.raw_icalendar, task);
    if (others.isEmpty() || own.isEmpty())
        return own;
    return IcsText::foldLines(CalDavIcsBundle::combine(QStringList{own} + others));
}

QString remaining(const QStringList &others)
{
    return IcsText::foldLines(CalDavIcsBundle::combine(others));
}

} // namespace CalDavTaskText
