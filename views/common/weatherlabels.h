#pragma once

#include <QDate>
#include <QHash>
#include <QString>

class AppState;

namespace WeatherLabels {

// The weather line of each of `count` days from `first` that has a
// forecast, in the unit of "weather/unit" ("F" when unset); empty without a
// weather service or with weather off.
QHash<QDate, QString> forDays(AppState *state, const QDate &first, int count);

} // namespace WeatherLabels
