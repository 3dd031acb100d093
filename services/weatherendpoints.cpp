#include "services/weatherendpoints.h"

#include <QByteArray>
#include <QtGlobal>

#include "app/network/joinedurl.h"

namespace Weather {

namespace {

QUrl fromVariable(const char *name, const char *fallback)
{
    const QByteArray value = qgetenv(name);
    if (value.isEmpty())
        return QUrl(QString::fromLatin1(fallback));
    return QUrl(QString::fromUtf8(value).trimmed());
}

} // namespace

Endpoints Endpoints::fromEnvironment()
{
    Endpoints endpoints;
    endpoints.forecastBase = fromVariable("WEATHER_FORECAST_URL", "https://api.open-meteo.com");
    endpoints.geocodingBase = fromVariable("WEATHER_GEOCODING_URL", "https://geocoding-api.open-meteo.com");
    return endpoints;
}

QUrl Endpoints::join(const QUrl &base, const QString &path)
{
    return Net::joinedUrl(base, path);
}

} // namespace Weather
