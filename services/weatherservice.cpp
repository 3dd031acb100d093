#include "services/weatherservice.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QJsonParseError>
#include <QUrlQuery>

#include "store/preferencesrepository.h"
#include "store/preferencekeys.h"

#include <cmath>

namespace Weather {

namespace {

constexpr qint64 MaxCacheAgeSeconds = 3600;

} // namespace

Service::Service(PreferencesRepository *preferences, QObject *parent)
    : Service(preferences, Endpoints::fromEnvironment(), parent)
{
}

Service::Service(PreferencesRepository *preferences, const Endpoints &endpoints, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_network(new QNetworkAccessManager(this))
    , m_endpoints(endpoints)
    , m_clock([] { return QDateTime::currentDateTimeUtc(); })
{
}

void Service::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

bool Service::isEnabled() const
{
    if (!m_preferences)
        return false;
    return m_preferences->getBool(QLatin1String(PreferenceKeys::WeatherEnabled), false)
           && m_preferences->get(QLatin1String(PreferenceKeys::WeatherLocationLat)).has_value();
}

std::optional<DayForecast> Service::forecastFor(const QDate &date)
{
    if (!isEnabled())
        return std::nullopt;
    const bool stale = !m_lastFetch.isValid() || m_lastFetch.secsTo(m_clock()) > MaxCacheAgeSeconds;
    if (stale && !m_inFlight)
        refresh();
    for (const DayForecast &day : std::as_const(m_cache)) {
        if (day.date == date)
            return day;
    }
    return std::nullopt;
}

QString Service::coordinate(const QString &key) const
{
    bool ok = false;
    const double value = m_preferences->getString(key).toDouble(&ok);
    return QString::number(ok ? value : 0.0, 'g', 6);
}

void Service::refresh()
{
    if (m_inFlight || !isEnabled())
        return;
    m_inFlight = true;

    QUrl url = Endpoints::join(m_endpoints.forecastBase, QStringLiteral("/v1/forecast"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("latitude"), coordinate(QLatin1String(PreferenceKeys::WeatherLocationLat)));
    query.addQueryItem(QStringLiteral("longitude"), coordinate(QLatin1String(PreferenceKeys::WeatherLocationLng)));
    query.addQueryItem(QStringLiteral("daily"),
                       QStringLiteral("temperature_2m_max,temperature_2m_min,weather_code"));
    query.addQueryItem(QStringLiteral("timezone"), QStringLiteral("auto"));
    query.addQueryItem(QStringLiteral("forecast_days"), QStringLiteral("14"));
    url.setQuery(query);

    get(m_network, m_endpoints, url, this, [this](const Answer &answer) { onReply(answer); });
}

void Service::clearCache()
{
    m_cache.clear();
    m_lastFetch = QDateTime();
}

void Service::fail(const QString &reason)
{
    Q_EMIT forecastFailed(reason);
}

void Service::onReply(const Answer &answer)
{
    m_inFlight = false;
    const QByteArray &body = answer.body;
    const int status = answer.status;
    if (!answer.stopped.isEmpty()) {
        fail(answer.stopped);
        return;
    }

    if (answer.timedOut) {
        qWarning().noquote() << "[Weather] open-meteo did not answer within"
                             << m_endpoints.transferTimeoutMs << "ms";
        fail(tr("Open-Meteo did not answer in time"));
        return;
    }
    if (status < 200 || status > 299) {
        qWarning().noquote() << "[Weather] open-meteo returned HTTP" << status
                             << QString::fromUtf8(body.left(200));
        fail(tr("Open-Meteo returned HTTP %1").arg(status));
        return;
    }

    // An answer that is not the expected shape is a failure like any other:
    // the days already known stay in use.
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    const QJsonValue daily = document.object().value(QStringLiteral("daily"));
    const QJsonValue times = daily.toObject().value(QStringLiteral("time"));
    if (parseError.error != QJsonParseError::NoError || !document.isObject() || !daily.isObject()
        || !times.isArray()) {
        qWarning().noquote() << "[Weather] open-meteo sent an unreadable forecast:"
                             << QString::fromUtf8(body.left(200));
        fail(tr("Open-Meteo sent a forecast that could not be read"));
        return;
    }

    const QJsonObject days = daily.toObject();
    const QJsonArray time = times.toArray();
    const QJsonArray maxima = days.value(QStringLiteral("temperature_2m_max")).toArray();
    const QJsonArray minima = days.value(QStringLiteral("temperature_2m_min")).toArray();
    const QJsonArray codes = days.value(QStringLiteral("weather_code")).toArray();

    QList<DayForecast> forecast;
    QList<QDate> dates;
    for (qsizetype i = 0; i < time.size(); ++i) {
        DayForecast day;
        day.date = QDate::fromString(time.at(i).toString(), Qt::ISODate);
        if (!day.date.isValid())
            continue;
        day.maxTemperature = i < maxima.size() ? maxima.at(i).toDouble() : 0.0;
        day.minTemperature = i < minima.size() ? minima.at(i).toDouble() : 0.0;
        day.weatherCode = i < codes.size() ? codes.at(i).toInt() : 0;
        forecast.append(day);
        dates.append(day.date);
    }

    m_cache = forecast;
    m_lastFetch = m_clock();
    qInfo().noquote() << "[Weather] cached" << m_cache.size() << "day forecast";
    Q_EMIT forecastRefreshed(dates);
}

QString Service::dayLabel(const DayForecast &day, const QString &unit)
{
    return QStringLiteral("%1 %2°/%3°")
        .arg(glyphForCode(day))
        .arg(displayTemperature(unit, day.maxTemperature))
        .arg(displayTemperature(unit, day.minTemperature));
}

QString Service::glyphForCode(const DayForecast &day)
{
    const auto emoji = [](char32_t codePoint) {
        return QString::fromUcs4(&codePoint, 1) + QChar(0xFE0F);
    };
    switch (day.weatherCode) {
    case 0:
        return emoji(0x2600);
    case 1:
    case 2:
    case 3:
        return QString(QChar(0x26C5));
    case 45:
    case 48:
        return emoji(0x1F32B);
    case 51:
    case 53:
    case 55:
    case 56:
    case 57:
    case 80:
    case 81:
    case 82:
        return emoji(0x1F326);
    case 61:
    case 63:
    case 65:
    case 66:
    case 67:
        return emoji(0x1F327);
    case 71:
    case 73:
    case 75:
    case 77:
    case 85:
    case 86:
        return emoji(0x1F328);
    case 95:
    case 96:
    case 99:
        return emoji(0x26C8);
    default:
        return emoji(0x2601);
    }
}

int Service::displayTemperature(const QString &unit, double celsius)
{
    const double value = unit == QLatin1String("F") ? celsius * 9.0 / 5.0 + 32.0 : celsius;
    return static_cast<int>(value >= 0 ? std::trunc(value + 0.5) : std::trunc(value - 0.5));
}

} // namespace Weather
