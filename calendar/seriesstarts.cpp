#include "calendar/seriesstarts.h"

#include <QStringList>

#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "store/event.h"

#include <algorithm>

namespace {

// How far before or after an instant the first look reaches; each further
// one reaches twice as far, so a start years away takes a few dozen looks.
constexpr qint64 FirstLookSecs = 3600;
// How many times a COUNT is stepped on from where the last stepping
// stopped (each gives up to 10,000 starts): a rule counting further is
// read with its COUNT at every look, each bounded as an expansion is.
constexpr int MaxCountRounds = 50;

// What fixes where a series' occurrences fall.
QString stepsOf(const Event &series)
{
    return QStringList{series.recurrence_rule, series.recurrence_dates, IcsText::utcText(series.start_time),
                       series.timezone, series.is_all_day ? QStringLiteral("all-day") : QString()}
        .join(QLatin1Char('\n'));
}

bool hasExtraDates(const Event &series)
{
    const QString dates = series.recurrence_dates.trimmed();
    return !dates.isEmpty() && dates != QLatin1String("[]");
}

// A rule line without its COUNT.
QString withoutCount(const QString &line)
{
    QStringList parts;
    for (const QString &part : line.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (part.section(QLatin1Char('='), 0, 0).trimmed().compare(QLatin1String("COUNT"), Qt::CaseInsensitive) != 0)
            parts.append(part);
    }
    return parts.join(QLatin1Char(';'));
}

// The last start of a rule that ends after a COUNT, stepped from where the
// last stepping stopped; invalid where it could not be counted that far.
QDateTime lastCounted(const Event &series, const RecurrenceRule &rule)
{
    const QDateTime first = Recurrence::steppedStart(series);
    const QTime time = Recurrence::steppedTime(series);
    const QDateTime farEnd(QDate(9999, 12, 31), QTime(0, 0), Qt::UTC);
    QDateTime last;
    for (int round = 0; round < MaxCountRounds; ++round) {
        const QList<QDateTime> starts =
            Recurrence::step(rule, first, farEnd, last.isValid() ? last.addMSecs(1) : QDateTime(), time);
        if (starts.isEmpty())
            return last;
        last = starts.last();
    }
    return QDateTime();
}

} // namespace

// A series as its starts are read: without its skipped days, and, for one
// rule that ends after a COUNT, without the COUNT, `last` its last start
// instead, so that a look steps from where it looks.
struct SeriesStarts::Stepped
{
    Event series;
    QDateTime last;
};

SeriesStarts::SeriesStarts() = default;
SeriesStarts::~SeriesStarts() = default;

const SeriesStarts::Stepped &SeriesStarts::steppedOf(const Event &series)
{
    const QString key = stepsOf(series);
    const auto found = m_stepped.constFind(key);
    if (found != m_stepped.constEnd())
        return **found;
    auto stepped = std::make_shared<Stepped>();
    stepped->series = series;
    stepped->series.exception_dates.clear();
    const QStringList lines = Recurrence::ruleLines(series.recurrence_rule);
    if (lines.size() == 1 && !hasExtraDates(series)) {
        const RecurrenceRule rule = Recurrence::parseRule(lines.first());
        if (rule.readable && rule.count >= 1) {
            stepped->last = lastCounted(series, rule);
            if (stepped->last.isValid())
                stepped->series.recurrence_rule = withoutCount(lines.first());
        }
    }
    return **m_stepped.insert(key, stepped);
}

QDateTime SeriesStarts::startOf(const Event &series, const QDateTime &start)
{
    if (!series.is_all_day)
        return start;
    return QDateTime(IcsText::inSpecOf(start, Recurrence::steppedStart(series)).date(), QTime(0, 0), Qt::UTC);
}

QList<QDateTime> SeriesStarts::startsIn(const Event &series, const QDateTime &from, const QDateTime &to)
{
    const Stepped &stepped = steppedOf(series);
    QList<QDateTime> starts;
    // An all-day occurrence starts at midnight on the series' clock, up to
    // a day from its date's midnight in UTC.
    const int margin = series.is_all_day ? 1 : 0;
    if (stepped.last.isValid() && from.addDays(-margin) > stepped.last)
        return starts;
    for (const Occurrence &occurrence :
         Recurrence::occurrencesOf(stepped.series, from.addDays(-margin), to.addDays(margin))) {
        const QDateTime start = startOf(series, occurrence.start);
        if (start >= from && start < to && (!stepped.last.isValid() || occurrence.start <= stepped.last))
            starts.append(start);
    }
    return starts;
}

bool SeriesStarts::names(const Event &series, const QString &recurrenceId)
{
    const QDateTime at = Recurrence::readRecurrenceId(recurrenceId);
    if (!at.isValid() || !series.start_time.isValid() || !Recurrence::isSeries(series))
        return false;
    // An all-day occurrence is named by its date, whatever the zone it
    // starts in: two days either side hold it.
    const QString named = Recurrence::storedRecurrenceId(recurrenceId);
    const QList<QDateTime> starts = startsIn(series, at.addDays(-2), at.addDays(2));
    return std::any_of(starts.cbegin(), starts.cend(), [&](const QDateTime &start) {
        return Recurrence::recurrenceIdOf(series, start) == named;
    });
}

QDateTime SeriesStarts::lastBefore(const Event &series, const QDateTime &at)
{
    if (!Recurrence::isSeries(series) || !at.isValid())
        return QDateTime();
    const QDateTime first = startOf(series, Recurrence::steppedStart(series));
    if (!first.isValid() || !(first < at))
        return QDateTime();
    for (qint64 secs = FirstLookSecs;; secs *= 2) {
        const QDateTime from = at.addSecs(-secs);
        const QList<QDateTime> starts = startsIn(series, from, at);
        if (!starts.isEmpty())
            return starts.last();
        if (from <= first)
            return QDateTime();
    }
}

QDateTime SeriesStarts::firstAfter(const Event &series, const QDateTime &after, const QDateTime &notAfter)
{
    if (!Recurrence::isSeries(series) || !after.isValid() || !(after < notAfter))
        return QDateTime();
    for (qint64 secs = FirstLookSecs;; secs *= 2) {
        const QDateTime to = std::min(after.addSecs(secs), notAfter.addMSecs(1));
        const QList<QDateTime> starts = startsIn(series, after.addMSecs(1), to);
        if (!starts.isEmpty())
            return starts.first();
        if (to > notAfter)
            return QDateTime();
    }
}
