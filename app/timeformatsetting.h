#pragma once

#include <QDateTime>
#include <QString>

class AppState;

// Time of day as the user chose to see it, read afresh from the settings at
// every call so a change applies at the next repaint. Without a state or a
// settings store the 12-hour clock is used.
namespace TimeFormat {

bool uses24Hour(const AppState *state);
QString pattern(const AppState *state);
QString formatTime(const AppState *state, const QDateTime &value);

} // namespace TimeFormat
