#pragma once

#include <QString>
#include <QUrl>

namespace Weather {

// Where the forecast and place-search services live and how long a request
// may take. The hosts come from the environment so that a test or a mirror
// can stand in for the public services.
struct Endpoints
{
    // Base URLs; the request paths ("/v1/forecast", "/v1/search") are
    // appended to their paths.
    QUrl forecastBase;
    QUrl geocodingBase;
    // A reply silent for this long is abandoned, so a hung connection
    // cannot stop forecasts for the rest of the session.
    int transferTimeoutMs = 20000;
    // A reply not finished within this time, or larger than this (a
    // forecast or a place list is a few kilobytes), fails as well.
    int deadlineMs = 60000;
    qint64 maxReplyBytes = 1024 * 1024;

    // "WEATHER_FORECAST_URL" and "WEATHER_GEOCODING_URL" when set and not
    // empty, else the public Open-Meteo hosts.
    static Endpoints fromEnvironment();

    // base with path appended to its own path.
    static QUrl join(const QUrl &base, const QString &path);
};

} // namespace Weather
