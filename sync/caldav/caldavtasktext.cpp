#include "sync/caldav/caldavtasktext.h"

#include "calendar/icscodec.h"

namespace CalDavTaskText {

QString build(const Task &task)
{
    return IcsCodec::patchTodoIcs(task.raw_icalendar, task);
}

} // namespace CalDavTaskText
