#pragma once

#include <QTime>

class AppState;

// The working day the timelines shade around and scroll to when first shown.
struct WorkdayHours
{
    int startHour = 8;
    int endHour = 18;

    // "ui/workdayStart" and "ui/workdayEnd", 8 and 18 when unset.
    static WorkdayHours fromPreferences(AppState *state);

    // Where a timeline first scrolls to: the start of the working day, or,
    // when today is on show and now lies outside the working day, the
    // current time a third down the viewport.
    int firstShowScrollTarget(bool todayShown, const QTime &now, int hourPx, int viewportHeight) const;
};
