#include "calendar/movedseriesplaces.h"

#include "calendar/recurrence.h"
#include "calendar/seriesdates.h"

#include <QMap>

MovedSeriesPlaces::MovedSeriesPlaces(const Event &base, const Event &local)
    : m_base(base)
    , m_local(local)
    , m_forward(SeriesShift::between(base, local))
    , m_back(SeriesShift::between(local, base))
{
}

std::optional<MovedSeriesPlaces> MovedSeriesPlaces::between(const Event &base, const Event &local)
{
    if (!Recurrence::isSeries(base) || !Recurrence::isSeries(local) || base.is_all_day != local.is_all_day)
        return std::nullopt;
    MovedSeriesPlaces places(base, local);
    if (places.m_forward.isNone())
        return std::nullopt;
    return places;
}

QString MovedSeriesPlaces::placeOf(const QString &recurrenceId) const
{
    const QDateTime replaced = Recurrence::readRecurrenceId(recurrenceId);
    if (!replaced.isValid())
        return QString();
    return Recurrence::recurrenceIdOf(m_local, m_forward.moved(replaced));
}

QDateTime MovedSeriesPlaces::original(const QDateTime &start) const
{
    // The way back is checked the way forward: a move the wall clock
    // cannot undo exactly (a skipped hour) names no old start.
    const QDateTime before = m_back.moved(start);
    return m_forward.moved(before) == start ? before : QDateTime();
}

QString MovedSeriesPlaces::originalOf(const QString &recurrenceId) const
{
    const QDateTime replaced = Recurrence::readRecurrenceId(recurrenceId);
    const QDateTime before = replaced.isValid() ? original(replaced) : QDateTime();
    if (!before.isValid() || Recurrence::recurrenceIdOf(m_local, m_forward.moved(before)) != recurrenceId)
        return QString();
    return Recurrence::recurrenceIdOf(m_base, before);
}

QString MovedSeriesPlaces::placesOfSkipped(const QString &json) const
{
    return SeriesDates::exceptions(json, m_local.is_all_day,
                                   [this](const QDateTime &skipped) -> std::optional<QDateTime> {
                                       return m_forward.moved(skipped);
                                   });
}

QString MovedSeriesPlaces::originalsOfSkipped(const QString &json) const
{
    return SeriesDates::exceptions(json, m_base.is_all_day, [this](const QDateTime &skipped) -> std::optional<QDateTime> {
        const QDateTime before = original(skipped);
        return before.isValid() ? std::make_optional(before) : std::nullopt;
    });
}

QString MovedSeriesPlaces::skippedDaysWith(const QString &serverSkipped, const QString &localSkipped) const
{
    const QMap<qint64, QString> before = SeriesDates::byInstant(m_base.exception_dates);
    const QMap<qint64, QString> after = SeriesDates::byInstant(serverSkipped);
    QMap<qint64, QString> kept = SeriesDates::byInstant(localSkipped);
    bool changed = false;
    const auto lay = [&](const QString &day, bool skip) {
        const QMap<qint64, QString> moved = SeriesDates::byInstant(placesOfSkipped(SeriesDates::listOf({{0, day}})));
        for (auto it = moved.cbegin(); it != moved.cend(); ++it) {
            if (skip)
                kept.insert(it.key(), it.value());
            else
                kept.remove(it.key());
        }
        changed = true;
    };
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            lay(it.value(), true);
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            lay(it.value(), false);
    }
    return changed ? SeriesDates::listOf(kept) : localSkipped;
}
