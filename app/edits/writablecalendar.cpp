#include "app/edits/writablecalendar.h"

bool isWritableCalendar(const Calendar &calendar)
{
    return !calendar.is_read_only;
}

bool holdsTasks(const Calendar &calendar)
{
    return calendar.allow_tasks_override
           || calendar.supported_components.contains(QLatin1String("VTODO"), Qt::CaseInsensitive);
}
