#include "app/timeformatsetting.h"

#include <QLocale>

#include "app/appstate.h"
#include "calendar/timeformat.h"
#include "store/preferencesrepository.h"

namespace TimeFormat {

bool uses24Hour(const AppState *state)
{
    if (!state || !state->preferences())
        return false;
    return isTwentyFourHour(state->preferences()->get(QString::fromLatin1(SettingKey)));
}

QString pattern(const AppState *state)
{
    return patternFor(uses24Hour(state));
}

QString formatTime(const AppState *state, const QDateTime &value)
{
    return QLocale().toString(value, pattern(state));
}

} // namespace TimeFormat
