#include "calendar/timeformat.h"

#include <QLocale>

namespace TimeFormat {

bool isTwentyFourHour(const std::optional<QString> &storedValue)
{
    return storedValue.value_or(QStringLiteral("12")) == QLatin1String("24");
}

QString patternFor(bool use24Hour)
{
    return use24Hour ? QStringLiteral("HH:mm") : QStringLiteral("h:mm AP");
}

QString formatTimeWith(const QDateTime &value, bool use24Hour)
{
    return QLocale().toString(value, patternFor(use24Hour));
}

} // namespace TimeFormat
