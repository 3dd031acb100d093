#include "store/oldstepping.h"

#include <QRegularExpression>

#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "store/wallclockpin.h"

#include <algorithm>
#include <optional>

namespace {

constexpr qint64 kHourMs = 3600 * 1000;
constexpr qint64 kDayMs = 24 * kHourMs;

// The least time between two starts a rule's frequency allows: a month of
// 28 days, a year of 365.
qint64 stepOf(const RecurrenceRule &rule)
{
    static const QList<std::pair<const char *, qint64>> steps{
        {"SECONDLY", 1000},     {"MINUTELY", 60 * 1000},  {"HOURLY", kHourMs},     {"DAILY", kDayMs},
        {"WEEKLY", 7 * kDayMs}, {"MONTHLY", 28 * kDayMs}, {"YEARLY", 365 * kDayMs}};
    for (const auto &[name, ms] : steps) {
        if (rule.freq.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return ms * std::max(rule.interval, 1);
    }
    return 0;
}

std::optional<qint64> stampInstant(const QString &stamp)
{
    QDate day;
    QTime time;
    if (!stamp.endsWith(QLatin1Char('Z')) || !IcsText::readDateTime(QStringView(stamp).chopped(1), &day, &time))
        return std::nullopt;
    return QDateTime(day, time, Qt::UTC).toMSecsSinceEpoch();
}

// A floating UNTIL, and the floating extra dates, of a series stepped in
// a zone of its own: on that zone's wall clock, as its start.
QString untilInZone(const QString &rule, const QTimeZone &zone)
{
    static const QRegularExpression floatingUntil(QStringLiteral("UNTIL=(\\d{8}T\\d{6})(?![\\dZz])"),
                                                  QRegularExpression::CaseInsensitiveOption);
    QString written = rule;
    QRegularExpressionMatch match;
    qsizetype from = 0;
    while ((match = floatingUntil.match(written, from)).hasMatch()) {
        QDate day;
        QTime time;
        const QString value = match.captured(1);
        const QString utc = IcsText::readDateTime(value, &day, &time)
                                ? IcsText::utcText(IcsText::wallClock(day, time, zone))
                                : value;
        written.replace(match.capturedStart(1), value.size(), utc);
        from = match.capturedStart(1) + utc.size();
    }
    return written;
}

QString datesInZone(const QString &json, const QTimeZone &zone)
{
    return WallClockPin::eachDate(json, [&zone](const QString &value) {
        QDate day;
        QTime time;
        if (value.size() != 15 || !IcsText::readDateTime(value, &day, &time))
            return value;
        return IcsText::utcText(IcsText::wallClock(day, time, zone));
    });
}

} // namespace

OldStepping::OldStepping(const Event &series, const QTimeZone &zone)
    : m_wall(series)
{
    // Every start, skipped or not: a skipped day is one the stamp may name.
    m_wall.exception_dates.clear();
    m_utc = m_wall;
    m_utc.timezone = QStringLiteral("UTC");
    // Read in another zone than the computer's: stepped on that zone's wall
    // clock, as the series was shown there.
    if (zone.isValid() && zone.id() != QTimeZone::systemTimeZoneId()) {
        m_zone = zone;
        m_wall.timezone = QString::fromUtf8(zone.id());
        m_wall.recurrence_rule = untilInZone(m_wall.recurrence_rule, zone);
        if (!m_wall.recurrence_dates.trimmed().isEmpty())
            m_wall.recurrence_dates = datesInZone(m_wall.recurrence_dates, zone);
    }
    for (const QString &line : Recurrence::ruleLines(series.recurrence_rule)) {
        const qint64 step = stepOf(Recurrence::parseRule(line));
        if (step > 0 && (m_stepMs == 0 || step < m_stepMs))
            m_stepMs = step;
    }
}

QList<qint64> OldStepping::startsNear(const Event &stepping, qint64 at, qint64 reach)
{
    QList<qint64> starts;
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(at - reach, Qt::UTC);
    const QDateTime to = QDateTime::fromMSecsSinceEpoch(at + reach + 1, Qt::UTC);
    for (const Occurrence &occurrence : Recurrence::occurrencesOf(stepping, from, to)) {
        const qint64 start = occurrence.start.toMSecsSinceEpoch();
        if (start >= at - reach)
            starts.append(start);
    }
    return starts;
}

bool OldStepping::sameDay(qint64 old, qint64 wall) const
{
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(wall, Qt::UTC);
    return (m_zone.isValid() ? start.toTimeZone(m_zone) : start.toLocalTime()).date()
           == QDateTime::fromMSecsSinceEpoch(old, Qt::UTC).date();
}

std::optional<qint64> OldStepping::nearestTo(const QList<qint64> &wall, qint64 old) const
{
    QList<qint64> found;
    qint64 best = -1;
    for (qint64 start : wall) {
        const qint64 distance = std::abs(start - old);
        if (best >= 0 && distance > best)
            continue;
        if (best < 0 || distance < best)
            found.clear();
        best = distance;
        found.append(start);
    }
    if (found.size() > 1)
        found.removeIf([this, old](qint64 start) { return !sameDay(old, start); });
    if (found.size() != 1)
        return std::nullopt;
    return found.first();
}

std::optional<OldStepping::Claim> OldStepping::claimOf(const QList<qint64> &wall, qint64 old, qint64 reach) const
{
    const std::optional<qint64> start = nearestTo(wall, old);
    if (!start)
        return std::nullopt;
    const qint64 distance = std::abs(*start - old);
    if (distance == 0 || (distance <= reach && sameDay(old, *start)))
        return Claim{*start, distance};
    if (distance > reach)
        return std::nullopt;
    // Off the day: only nearer than half the step from the occurrences
    // beside it, and at most half as far as any other.
    qint64 step = 0;
    qint64 second = -1;
    for (qint64 other : wall) {
        if (other == *start)
            continue;
        const qint64 apart = std::abs(other - *start);
        step = step == 0 ? apart : std::min(step, apart);
        second = second < 0 ? std::abs(other - old) : std::min(second, std::abs(other - old));
    }
    if (2 * distance < step && (second < 0 || 2 * distance <= second))
        return Claim{*start, distance};
    return std::nullopt;
}

QString OldStepping::renamed(const QString &stamp) const
{
    const std::optional<qint64> at = stampInstant(stamp);
    if (!at)
        return QString();
    // The two steppings part by the change of summer time, and where the
    // rule names days, by the day the UTC date is off the wall clock's:
    // under two days. A step shorter than a day parts by the change alone.
    const qint64 reach = m_stepMs > 0 && m_stepMs < kDayMs ? std::max(m_stepMs / 2, 3 * kHourMs)
                                                           : std::max(m_stepMs / 2, 2 * kDayMs);
    // Most stamps name a wall-clock start already: those need no more.
    if (startsNear(m_wall, *at, 0).contains(*at))
        return QString();
    const QList<qint64> wall = startsNear(m_wall, *at, 3 * reach);
    const QList<qint64> old = startsNear(m_utc, *at, 3 * reach);
    if (!old.contains(*at))
        return QString();
    const std::optional<Claim> claim = claimOf(wall, *at, reach);
    if (!claim)
        return QString();
    // One occurrence for one stamp: an old start that claims it as well,
    // as near or nearer (the same instant, where it is a start of both),
    // keeps it.
    for (qint64 other : old) {
        if (other == *at || std::abs(other - claim->start) > claim->distance)
            continue;
        const std::optional<Claim> rival = claimOf(wall, other, reach);
        if (rival && rival->start == claim->start)
            return QString();
    }
    return IcsText::utcText(QDateTime::fromMSecsSinceEpoch(claim->start, Qt::UTC));
}
