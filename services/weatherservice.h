#pragma once

#include "services/dayforecast.h"
#include "services/weatheranswer.h"
#include "services/weatherendpoints.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class PreferencesRepository;
class QNetworkAccessManager;

namespace Weather {

// A 14-day daily forecast for the configured place, fetched on demand and
// kept for an hour. Views ask for single days and redraw on
// forecastRefreshed; a failed fetch keeps the days already known.
class Service : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // Endpoints from the environment.
    explicit Service(PreferencesRepository *preferences, QObject *parent = nullptr);
    Service(PreferencesRepository *preferences, const Endpoints &endpoints, QObject *parent = nullptr);

    // Switched on and a latitude stored.
    bool isEnabled() const;
    // The cached day, starting a fetch first when the cache is an hour old
    // or was never filled. New data arrives through forecastRefreshed.
    std::optional<DayForecast> forecastFor(const QDate &date);
    void refresh();
    void clearCache();

    bool isFetching() const { return m_inFlight; }
    QList<DayForecast> cachedDays() const { return m_cache; }
    QDateTime lastFetch() const { return m_lastFetch; }

    // The current time in UTC; replaceable so the cache age can be tested.
    void setClock(Clock clock);

    // "glyph max°/min°" in the unit ("F" for Fahrenheit, else Celsius).
    static QString dayLabel(const DayForecast &day, const QString &unit);
    static QString glyphForCode(const DayForecast &day);
    // Rounded half away from zero.
    static int displayTemperature(const QString &unit, double celsius);

Q_SIGNALS:
    void forecastRefreshed(const QList<QDate> &dates);
    void forecastFailed(const QString &reason);

private:
    QString coordinate(const QString &key) const;
    void onReply(const Answer &answer);
    void fail(const QString &reason);

    PreferencesRepository *m_preferences;
    QNetworkAccessManager *m_network;
    QList<DayForecast> m_cache;
    QDateTime m_lastFetch;
    bool m_inFlight = false;
    Endpoints m_endpoints;
    Clock m_clock;
};

} // namespace Weather
