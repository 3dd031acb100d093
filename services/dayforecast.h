#pragma once

#include <QDate>
#include <QMetaType>

// One day of the cached forecast; temperatures in degrees Celsius, the code
// is the WMO weather interpretation code.
struct DayForecast
{
    QDate date;
    double maxTemperature = 0.0;
    double minTemperature = 0.0;
    int weatherCode = 0;
};

Q_DECLARE_METATYPE(DayForecast)
