#include "sync/core/jsonnumber.h"

#include <cmath>

namespace Sync {

std::optional<qint64> jsonInteger(const QJsonValue &value, qint64 minimum, qint64 maximum)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = std::trunc(value.toDouble());
    // Compared as doubles before the cast: converting a double outside
    // qint64's range is undefined. A bound beyond 2^53 rounds to a power of
    // two, so the upper check refuses that rounded bound itself.
    if (!std::isfinite(number) || number < double(minimum) || number >= double(maximum) + 1.0)
        return std::nullopt;
    const auto whole = static_cast<qint64>(number);
    if (whole < minimum || whole > maximum)
        return std::nullopt;
    return whole;
}

} // namespace Sync
