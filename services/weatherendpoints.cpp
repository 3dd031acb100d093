#include "services/weatherendpoints.h"

#include <QByteArray>
#include <QtGlobal>

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
    QUrl url = base;
    QString prefix = url.path();
    while (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    url.setPath(prefix + path);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

} // namespace Weather
