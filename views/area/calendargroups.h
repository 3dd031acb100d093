#pragma once

class AppState;

// Choosing the active calendar group from the keyboard, over the groups in
// their listed order (the default group first, then by order and name).
namespace CalendarGroups {

// The group at 1-based position; false and no change past the end.
bool selectAt(AppState *state, int position);
// The group `step` places on from the active one, wrapping; an active id
// that names no group counts as the first.
bool cycle(AppState *state, int step);

} // namespace CalendarGroups
