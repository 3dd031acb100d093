#include "sync/oauth/movedseriesskips.h"

#include "calendar/movedseriesplaces.h"
#include "calendar/recurrence.h"
#include "calendar/seriesdates.h"

namespace OAuth {

std::optional<QString> skippedDaysJoined(const Event &base, const Event &local, const Event &server)
{
    const std::optional<MovedSeriesPlaces> places = MovedSeriesPlaces::between(base, local);
    if (!places)
        return std::nullopt;
    const bool landed = Recurrence::isSeries(server) && server.is_all_day == local.is_all_day
        && !MovedSeriesPlaces::between(server, local);
    if (!landed)
        return places->skippedDaysWith(server.exception_dates, local.exception_dates);
    const QMap<qint64, QString> before = SeriesDates::byInstant(base.exception_dates);
    const QMap<qint64, QString> there = SeriesDates::byInstant(server.exception_dates);
    QMap<qint64, QString> kept = SeriesDates::byInstant(local.exception_dates);
    bool added = false;
    for (auto it = there.cbegin(); it != there.cend(); ++it) {
        if (!before.contains(it.key()) && !kept.contains(it.key())) {
            kept.insert(it.key(), it.value());
            added = true;
        }
    }
    return added ? SeriesDates::listOf(kept) : local.exception_dates;
}

} // namespace OAuth
