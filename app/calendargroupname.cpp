#include "app/calendargroupname.h"

#include <QCoreApplication>

namespace CalendarGroupName {

QString builtIn()
{
    return QCoreApplication::translate("CalendarGroupName", "All Calendars");
}

QString shown(const CalendarView &group)
{
    if (group.id == QLatin1String("all-calendars")
        && (group.name.isEmpty() || group.name == QLatin1String("All Calendars")))
        return builtIn();
    return group.name;
}

} // namespace CalendarGroupName
