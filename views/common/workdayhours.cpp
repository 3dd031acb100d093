#include "views/common/workdayhours.h"

#include "app/appstate.h"
#include "store/preferencesrepository.h"
#include "views/common/timelinegeometry.h"
#include "store/preferencekeys.h"

#include <algorithm>

WorkdayHours WorkdayHours::fromPreferences(AppState *state)
{
    WorkdayHours hours;
    if (!state || !state->preferences())
        return hours;
    hours.startHour = state->preferences()->getInt(QLatin1String(PreferenceKeys::WorkdayStart), 8);
    hours.endHour = state->preferences()->getInt(QLatin1String(PreferenceKeys::WorkdayEnd), 18);
    return hours;
}

int WorkdayHours::firstShowScrollTarget(bool todayShown, const QTime &now, int hourPx, int viewportHeight) const
{
    if (todayShown) {
        const int minute = now.hour() * 60 + now.minute();
        if (minute < startHour * 60 || minute >= endHour * 60)
            return std::max(TimelineGeometry::timeToY(now, hourPx) - viewportHeight / 3, 0);
    }
    return TimelineGeometry::timeToY(QTime(startHour, 0), hourPx);
}
