#pragma once

#include <QDateTime>
#include <QString>

#include "store/preferencekeys.h"

#include <optional>

// The rule behind every displayed time of day: the user's choice between a
// 24-hour and a 12-hour clock, from the stored "ui/timeFormat" value. The
// forms that read the setting through the application state are in
// app/timeformatsetting.h.
namespace TimeFormat {

inline constexpr const char *SettingKey = PreferenceKeys::TimeFormat;

// Exactly "24" selects the 24-hour clock; anything else, and no value, the
// 12-hour clock.
bool isTwentyFourHour(const std::optional<QString> &storedValue);
// "HH:mm" or "h:mm AP".
QString patternFor(bool use24Hour);
QString formatTimeWith(const QDateTime &value, bool use24Hour);

} // namespace TimeFormat
