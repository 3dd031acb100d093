#pragma once

class AppState;

// A realistic week around today (an account, four calendars, eighteen
// events, eight tasks) for trying the views without a real account, and its
// removal. Every row has a fixed "sample-" id, so loading twice adds nothing
// and clearing finds exactly these rows. Reached from the developer menu.
namespace SampleData {

// Adds what is missing; the number of calendars, events and tasks inserted.
int load(AppState *state);
// Deletes the sample rows; the number of rows deleted.
int clear(AppState *state);

} // namespace SampleData
