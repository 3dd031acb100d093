#pragma once

#include <QMetaType>
#include <QString>

namespace Weather {

// One place found by a search: "name, region, country code" and where it is.
struct GeocodingResult
{
    QString label;
    double latitude = 0.0;
    double longitude = 0.0;
};

} // namespace Weather

Q_DECLARE_METATYPE(Weather::GeocodingResult)
