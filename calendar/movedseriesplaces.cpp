#include "calendar/movedseriesplaces.h"

#include "calendar/eventconflictmerge.h"
#include "calendar/recurrence.h"
#include "calendar/seriesdates.h"

#include <QMap>
#include <QSet>
#include <QStringList>

#include <initializer_list>
#include <map>

namespace {

// A rule's parts without its end (COUNT, UNTIL), in one order: a split's
// new series continues the old rule with an end of its own.
QStringList unboundedParts(const QString &rule)
{
    QStringList parts;
    for (const QString &part : rule.toUpper().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed();
        if (key != QLatin1String("COUNT") && key != QLatin1String("UNTIL"))
            parts.append(part.trimmed());
    }
    parts.sort();
    return parts;
}

// Whether `rule` steps as `series`' rule moved by `shift` (or as written),
// whatever their ends: written alike, or, where one names what the other
// takes from its start (a weekly rule's weekday, as Outlook writes every
// pattern), giving the same starts from the shift's start on.
bool continuesRule(const QString &rule, const Event &series, const SeriesShift &shift)
{
    const QStringList own = unboundedParts(rule);
    if (own == unboundedParts(series.recurrence_rule))
        return true;
    const std::optional<QString> moved = shift.movedRule(series.recurrence_rule);
    if (moved && own == unboundedParts(*moved))
        return true;
    return shift.carriesOn(unboundedParts(series.recurrence_rule).join(QLatin1Char(';')),
                           Recurrence::steppedStart(series), Recurrence::steppedTime(series),
                           own.join(QLatin1Char(';')));
}

// A skipped day at `at`, written as `text` was (a date for an all-day
// series, a wall-clock time where it was one, else UTC).
QString skippedEntry(const QString &text, bool allDay, const QDateTime &at)
{
    const QString one = SeriesDates::exceptions(SeriesDates::listOf({{0, text}}), allDay,
                                                [&at](const QDateTime &) { return std::make_optional(at); });
    const QMap<qint64, QString> read = SeriesDates::byInstant(one);
    return read.isEmpty() ? text : read.first();
}

// Skipped days, each moved by `shift` in the form it was written in.
QMap<qint64, QString> movedDays(const QMap<qint64, QString> &days, bool allDay, const SeriesShift &shift)
{
    return SeriesDates::byInstant(SeriesDates::exceptions(
        SeriesDates::listOf(days), allDay,
        [&shift](const QDateTime &skipped) { return std::make_optional(shift.moved(skipped)); }));
}

// Whether the times of two records differ as the merge sees them: start,
// end, all-day and zone together.
bool timesDiffer(const Event &a, const Event &b)
{
    return a.start_time != b.start_time || a.end_time != b.end_time || a.is_all_day != b.is_all_day
        || a.timezone != b.timezone;
}

} // namespace

MovedSeriesPlaces::MovedSeriesPlaces(const Event &base, const Event &local, const QList<Event> &splits,
                                     const std::optional<Event> &server)
    : m_base(base)
    , m_local(local)
    , m_splits(splits)
    , m_server(server)
    , m_forward(SeriesShift::between(base, local))
    , m_back(SeriesShift::between(local, base))
    , m_starts(std::make_shared<SeriesStarts>())
    , m_continues(std::make_shared<QHash<QString, bool>>())
{
    if (server && Recurrence::isSeries(*server) && server->is_all_day == base.is_all_day) {
        const SeriesShift there = SeriesShift::between(base, *server);
        if (!there.isNone()) {
            m_serverForward = there;
            m_serverBack = SeriesShift::between(*server, base);
        }
    }
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
    return skippedDaysWith(serverSkipped, {{m_local.id, localSkipped}}).value(m_local.id, localSkipped);
}

bool MovedSeriesPlaces::startsAt(const Event &series, const QDateTime &start) const
{
    return m_starts->names(series, Recurrence::recurrenceIdOf(series, start));
}

bool MovedSeriesPlaces::takesServerTimes() const
{
    return m_serverForward && !timesDiffer(m_local, m_base);
}

QDateTime MovedSeriesPlaces::baseStartOf(const QString &recurrenceId) const
{
    const QDateTime at = Recurrence::readRecurrenceId(recurrenceId);
    if (!at.isValid() || !m_serverForward)
        return at;
    const QDateTime before = m_serverBack->moved(at);
    return m_serverForward->moved(before) == at ? before : QDateTime();
}

std::pair<const Event *, QDateTime> MovedSeriesPlaces::placeAt(const QDateTime &start) const
{
    // Moved here in time: this device's times stand, as the merge keeps them.
    if (!m_forward.isNone())
        return {&m_local, m_forward.moved(start)};
    if (!startsAt(m_local, start) && startsAt(m_base, start)) {
        if (const std::optional<Continuation> next = continuation(start))
            return {next->series, next->shift.moved(start)};
    }
    return {&m_local, takesServerTimes() ? m_serverForward->moved(start) : start};
}

std::optional<MovedSeriesPlaces::Place> MovedSeriesPlaces::whereNow(const QString &recurrenceId) const
{
    const QDateTime start = baseStartOf(recurrenceId);
    if (!start.isValid())
        return std::nullopt;
    const auto [series, at] = placeAt(start);
    const QString there = Recurrence::recurrenceIdOf(*series, at);
    if (series == &m_local && there == Recurrence::storedRecurrenceId(recurrenceId))
        return std::nullopt;
    return Place{series, there};
}

QString MovedSeriesPlaces::skippedAt(const Place &place, const QString &day)
{
    return skippedEntry(day, place.series->is_all_day, Recurrence::readRecurrenceId(place.recurrenceId));
}

QDateTime MovedSeriesPlaces::splitBefore(const QDateTime &start) const
{
    // The same for every later occurrence, so it is looked for until found.
    if (!m_split.isValid()) {
        const QDateTime kept = m_starts->lastBefore(m_local, start);
        const QDateTime first = SeriesStarts::startOf(m_base, Recurrence::steppedStart(m_base));
        m_split = m_starts->firstAfter(m_base, kept.isValid() ? kept : first.addMSecs(-1), start);
    }
    return m_split;
}

std::optional<MovedSeriesPlaces::Continuation> MovedSeriesPlaces::continuation(const QDateTime &start) const
{
    if (m_splits.isEmpty())
        return std::nullopt;
    const QDateTime split = splitBefore(start);
    if (!split.isValid() || split > start)
        return std::nullopt;
    Event replaced = m_base;
    replaced.start_time = split;
    // A series a split made here of this one, still in the same zone,
    // starting at the split occurrence moved, stepping by the old rule
    // (moved alike) and holding the occurrence moved alike: the latest of
    // them when this series was split more than once.
    std::optional<Continuation> found;
    for (const Event &row : m_splits) {
        if (row.uid == m_local.uid || !Recurrence::isSeries(row) || row.is_all_day != m_local.is_all_day
            || row.timezone != m_base.timezone)
            continue;
        const SeriesShift shift = SeriesShift::between(replaced, row);
        // The same for every occurrence past the split: asked once.
        auto continues = m_continues->find(row.id);
        if (continues == m_continues->end())
            continues = m_continues->insert(row.id, continuesRule(row.recurrence_rule, m_base, shift));
        if (!*continues || !startsAt(row, shift.moved(start)))
            continue;
        if (!found || found->series->created < row.created)
            found = Continuation{&row, shift};
    }
    return found;
}

QHash<QString, QString> MovedSeriesPlaces::skippedDaysWith(const QString &serverSkipped,
                                                          const QHash<QString, QString> &skipped) const
{
    // Each series' days as it will be named, the series itself at the
    // server's times where the merge takes them; by the series, each held
    // here (a map keeps them where they are as more are added).
    std::map<const Event *, QMap<qint64, QString>> days;
    QSet<const Event *> changed;
    const auto daysOf = [&](const Event *series) -> QMap<qint64, QString> & {
        auto found = days.find(series);
        if (found == days.end())
            found = days.emplace(series, SeriesDates::byInstant(skipped.value(series->id, series->exception_dates)))
                        .first;
        return found->second;
    };
    if (takesServerTimes()) {
        QMap<qint64, QString> &own = daysOf(&m_local);
        const QMap<qint64, QString> moved = movedDays(own, m_local.is_all_day, *m_serverForward);
        if (moved != own) {
            own = moved;
            changed.insert(&m_local);
        }
    }
    // The server's days as the base names them, each with its instant and
    // text there; a day its move cannot name back stays as written.
    const QMap<qint64, QString> before = SeriesDates::byInstant(m_base.exception_dates);
    QMap<qint64, std::pair<qint64, QString>> after;
    const QMap<qint64, QString> there = SeriesDates::byInstant(serverSkipped);
    for (auto it = there.cbegin(); it != there.cend(); ++it) {
        const QDateTime at = QDateTime::fromMSecsSinceEpoch(it.key(), Qt::UTC);
        QDateTime start = m_serverBack ? m_serverBack->moved(at) : at;
        if (m_serverForward && m_serverForward->moved(start) != at)
            start = at;
        after.insert(start.toMSecsSinceEpoch(), {it.key(), it.value()});
    }
    const auto lay = [&](qint64 start, qint64 serverAt, const QString &text, bool skip) {
        const auto [series, at] = placeAt(QDateTime::fromMSecsSinceEpoch(start, Qt::UTC));
        QMap<qint64, QString> &list = daysOf(series);
        const qint64 key = at.toMSecsSinceEpoch();
        if (skip)
            list.insert(key, key == serverAt ? text : skippedEntry(text, series->is_all_day, at));
        else
            list.remove(key);
        changed.insert(series);
    };
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            lay(it.key(), it->first, it->second, true);
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            lay(it.key(), 0, it.value(), false);
    }
    // The series itself is written whole once any day moves.
    if (!changed.isEmpty())
        changed.insert(&m_local);
    daysOf(&m_local);
    QHash<QString, QString> out;
    for (const Event *series : std::as_const(changed))
        out.insert(series->id, SeriesDates::listOf(days[series]));
    return out;
}

std::optional<QString> MovedSeriesPlaces::splitRuleMoved() const
{
    if (m_splits.isEmpty() || !takesServerTimes())
        return std::nullopt;
    // The split ended the rule here and changed it no other way; the
    // server's copy changed it only as its move names the days anew.
    const QStringList base = unboundedParts(m_base.recurrence_rule);
    if (m_local.recurrence_rule == m_base.recurrence_rule || unboundedParts(m_local.recurrence_rule) != base)
        return std::nullopt;
    const QStringList there = unboundedParts(m_server->recurrence_rule);
    const std::optional<QString> moved = m_serverForward->movedRule(m_base.recurrence_rule);
    if (there != base && (!moved || there != unboundedParts(*moved)))
        return std::nullopt;
    return m_serverForward->movedRule(m_local.recurrence_rule);
}

bool MovedSeriesPlaces::keepsReplacedTime(const Event &series) const
{
    // It starts where the base had an occurrence the series here has no
    // more, on the same clock, as long and stepping alike.
    return series.is_all_day == m_base.is_all_day && series.timezone == m_base.timezone
        && unboundedParts(series.recurrence_rule) == unboundedParts(m_base.recurrence_rule)
        && startsAt(m_base, series.start_time) && !startsAt(m_local, series.start_time)
        && Recurrence::occurrenceEnd(m_base, series.start_time) == series.end_time;
}

Event MovedSeriesPlaces::continuedWith(const Event &series) const
{
    if (!m_server)
        return series;
    // What the split made its own (its times, rule and days) is left out of
    // the merge: its time follows below, or not at all.
    Event base = m_base;
    Event server = *m_server;
    for (Event *side : {&base, &server}) {
        side->start_time = series.start_time;
        side->end_time = series.end_time;
        side->is_all_day = series.is_all_day;
        side->timezone = series.timezone;
        side->recurrence_rule = series.recurrence_rule;
        side->recurrence_dates = series.recurrence_dates;
        side->exception_dates = series.exception_dates;
        side->sequence = series.sequence;
    }
    Event out = EventConflictMerge::merged(base, series, server);
    if (m_server->is_all_day != m_base.is_all_day || !timesDiffer(*m_server, m_base) || !keepsReplacedTime(series))
        return out;
    out.start_time = m_serverForward ? m_serverForward->moved(series.start_time) : series.start_time;
    out.timezone = m_server->timezone;
    out.end_time = Recurrence::occurrenceEnd(*m_server, out.start_time);
    return out;
}
