#include "views/common/weatherlabels.h"

#include "app/appstate.h"
#include "services/weatherservice.h"
#include "store/preferencesrepository.h"
#include "store/preferencekeys.h"

namespace WeatherLabels {

QHash<QDate, QString> forDays(AppState *state, const QDate &first, int count)
{
    QHash<QDate, QString> labels;
    Weather::Service *weather = state ? state->weather() : nullptr;
    if (!weather || !weather->isEnabled())
        return labels;
    const QString unit = state->preferences()->getString(QLatin1String(PreferenceKeys::WeatherUnit), QStringLiteral("F"));
    for (int i = 0; i < count; ++i) {
        const QDate day = first.addDays(i);
        if (const std::optional<DayForecast> forecast = weather->forecastFor(day))
            labels.insert(day, Weather::Service::dayLabel(*forecast, unit));
    }
    return labels;
}

} // namespace WeatherLabels
