#include "views/area/calendargroups.h"

#include "app/appstate.h"
#include "store/viewrepository.h"

namespace CalendarGroups {

bool selectAt(AppState *state, int position)
{
    if (!state || !state->views())
        return false;
    const QList<CalendarView> groups = state->views()->getAll();
    if (position < 1 || position > groups.size())
        return false;
    state->setActiveViewId(groups.at(position - 1).id);
    return true;
}

bool cycle(AppState *state, int step)
{
    if (!state || !state->views())
        return false;
    const QList<CalendarView> groups = state->views()->getAll();
    const int size = int(groups.size());
    if (size == 0)
        return false;
    int current = 0;
    for (int i = 0; i < size; ++i) {
        if (groups.at(i).id == state->activeViewId()) {
            current = i;
            break;
        }
    }
    state->setActiveViewId(groups.at(((current + step) % size + size) % size).id);
    return true;
}

} // namespace CalendarGroups
