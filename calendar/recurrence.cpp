#include "calendar/recurrence.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>

#include "calendar/icscodec.h"
#include "calendar/icscomponentwalk.h"
#include "calendar/icstext.h"

#include <algorithm>
#include <vector>

Q_LOGGING_CATEGORY(lcExpansion, "calendar.expansion", QtWarningMsg)

namespace Recurrence {

namespace {

constexpr qint64 DefaultDurationMs = 3600000;
// Occurrences of one series in one expansion, all its rules and dates
// together.
constexpr qsizetype MaxPerSeries = 10000;
// Occurrences of one expansion, as light records and as full ones: a feed
// of thousands of minutely series must not take all the memory there is.
constexpr qsizetype MaxOccurrences = 4000000;
constexpr qsizetype MaxFullOccurrences = 500000;

struct Exceptions
{
    QSet<qint64> instants;
    // Calendar days an all-day series skips: plain dates, and instants at
    // 00:00 UTC as the reader writes a date-valued RECURRENCE-ID.
    QSet<QDate> days;
};

// One entry of a JSON date list: a date-time (UTC with "Z", else the
// computer's local time) or a date at 00:00 UTC.
bool readDateEntry(const QString &text, QDateTime *when, bool *isDate)
{
    QString value = text.trimmed();
    *isDate = false;
    if (value.contains(QLatin1Char('T'))) {
        const bool utc = value.endsWith(QLatin1Char('Z'));
        if (utc)
            value.chop(1);
        QDate day;
        QTime time;
        if (!IcsText::readDateTime(value, &day, &time))
            return false;
        *when = utc ? QDateTime(day, time, Qt::UTC) : IcsText::localWallClock(day, time);
        return true;
    }
    const QDate day = IcsText::readDate(value);
    if (!day.isValid())
        return false;
    *isDate = true;
    *when = QDateTime(day, QTime(0, 0), Qt::UTC);
    return true;
}

QJsonArray jsonArray(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QJsonArray();
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    return document.isArray() ? document.array() : QJsonArray();
}

Exceptions readExceptions(const QString &text)
{
    Exceptions result;
    const QJsonArray entries = jsonArray(text);
    for (const QJsonValue &entry : entries) {
        QDateTime when;
        bool isDate = false;
        if (!readDateEntry(entry.toString(), &when, &isDate))
            continue;
        result.instants.insert(when.toMSecsSinceEpoch());
        if (isDate || (when.timeSpec() == Qt::UTC && when.time() == QTime(0, 0)))
            result.days.insert(when.date());
    }
    return result;
}

// One RDATE: a start, and for a period ("start/end" or "start/duration")
// its own length.
struct ExtraDate
{
    QDateTime start;
    qint64 durationMs = -1;
};

QList<ExtraDate> readExtraDates(const QString &text, const QDateTime &seriesStart, const QTime &seriesTime)
{
    QList<ExtraDate> dates;
    const QJsonArray entries = jsonArray(text);
    for (const QJsonValue &entry : entries) {
        const QString value = entry.toString();
        const qsizetype slash = value.indexOf(QLatin1Char('/'));
        ExtraDate date;
        bool isDate = false;
        if (!readDateEntry(slash < 0 ? value : value.left(slash), &date.start, &isDate))
            continue;
        // A date names that day at the series' own time of day.
        if (isDate)
            date.start = IcsText::wallClockLike(date.start.date(), seriesTime, seriesStart);
        if (slash >= 0) {
            const QString tail = value.mid(slash + 1).trimmed();
            bool ok = false;
            const qint64 seconds = IcsText::signedDuration(tail, &ok);
            QDateTime end;
            bool endIsDate = false;
            if (ok && seconds >= 0)
                date.durationMs = seconds * 1000;
            else if (!ok && readDateEntry(tail, &end, &endIsDate) && end >= date.start)
                date.durationMs = date.start.msecsTo(end);
        }
        dates.append(date);
    }
    return dates;
}

// Local time as an explicit zone: the same wall-clock arithmetic without a
// call into the C library (which re-reads the zone file) for every step.
QDateTime withoutLocalSpec(const QDateTime &value)
{
    if (value.timeSpec() != Qt::LocalTime)
        return value;
    thread_local const QTimeZone system = QTimeZone::systemTimeZone();
    return system.isValid() ? value.toTimeZone(system) : value;
}

// The zone an event's times step in: its named zone, if known.
QTimeZone namedZone(const Event &event)
{
    if (event.is_all_day || event.timezone.isEmpty() || event.timezone == QLatin1String("UTC"))
        return QTimeZone();
    return IcsCodec::zoneForId(event.timezone);
}

QDateTime seriesStartOf(const Event &event)
{
    return steppedStart(event);
}

// How far before a start a change to summer time is looked for.
constexpr qint64 GapProbeSecs = 3 * 3600;

// The time of day the master VEVENT of a series' text gives its DTSTART
// on `day`, as written on the wall clock; invalid where it gives none.
QTime writtenStartTime(const QString &text, const QDate &day)
{
    QTime found;
    QString start;
    bool instance = false;
    IcsComponentWalk::Steps steps;
    steps.begin = [&] {
        start.clear();
        instance = false;
    };
    steps.property = [&](const ContentLine &line, IcsComponentWalk::Level level) {
        if (level != IcsComponentWalk::Level::Own)
            return;
        if (line.name == QLatin1String("DTSTART"))
            start = line.value.trimmed();
        else if (line.name == QLatin1String("RECURRENCE-ID"))
            instance = true;
    };
    steps.alarmBegin = [] {};
    steps.alarmEnd = [] {};
    steps.end = [&](const QString &) {
        QDate written;
        QTime time;
        if (!instance && !found.isValid() && IcsText::readDateTime(start, &written, &time) && written == day)
            found = time;
    };
    IcsComponentWalk::walk(text, QStringLiteral("VEVENT"), steps);
    return found;
}

QTime steppedTimeAt(const Event &event, const QDateTime &start)
{
    const QTime time = start.time();
    if (event.is_all_day || start.timeSpec() != Qt::TimeZone || event.raw_icalendar.isEmpty())
        return time;
    // Only a start just after a change to summer time can have been
    // written in the hour it skipped.
    const int gap = start.offsetFromUtc() - start.addSecs(-GapProbeSecs).offsetFromUtc();
    if (gap <= 0 || time.msecsSinceStartOfDay() < gap * 1000)
        return time;
    const QTime written = writtenStartTime(event.raw_icalendar, start.date());
    if (!written.isValid() || written != time.addSecs(-gap)
        || IcsText::wallClockLike(start.date(), written, start) != start)
        return time;
    return written;
}

// An instant in the time spec the series' own records use.
QDateTime inSeriesSpec(const Event &series, const QDateTime &instant)
{
    const QTimeZone zone = namedZone(series);
    if (zone.isValid())
        return instant.toTimeZone(zone);
    if (isFloating(series))
        return instant.toLocalTime();
    return IcsText::inSpecOf(instant, series.start_time);
}

bool isOverride(const Event &event)
{
    return !event.master_event_uid.isEmpty() && !event.recurrence_id.isEmpty();
}

// A series' length as whole days on its wall clock and an exact rest: each
// occurrence lasts those days on its own wall clock, so an event from
// midnight to midnight (or a DURATION of days) keeps doing so across a
// daylight-saving change, whichever occurrence the series starts with.
struct WallLength
{
    qint64 days = 0;
    qint64 restMs = 0;

    QDateTime endFrom(const QDateTime &start) const
    {
        return IcsText::wallClockLike(start.date().addDays(days), start.time(), start).addMSecs(restMs);
    }
};

WallLength wallLength(const Event &event, const QDateTime &seriesStart, const QDateTime &end)
{
    const QDateTime endInSpec = IcsText::inSpecOf(end, seriesStart);
    WallLength length;
    length.days = seriesStart.date().daysTo(endInSpec.date());
    if (event.is_all_day) {
        // An all-day event lasts whole days, whatever a daylight-saving
        // change does to the hours in between.
        if (endInSpec.time() != seriesStart.time())
            return WallLength();
        return length;
    }
    if (endInSpec.time() < seriesStart.time())
        --length.days;
    if (length.days <= 0)
        return WallLength();
    length.restMs = length.endFrom(seriesStart).msecsTo(endInSpec);
    if (length.restMs < 0 || length.restMs >= 86400000)
        return WallLength();
    return length;
}

struct Span
{
    qint64 start = 0;
    qint64 end = 0;
};

// The occurrences of one series overlapping [from, to), as UTC spans in
// time order.
std::vector<Span> seriesSpans(const Event &event, const QDateTime &from, const QDateTime &to)
{
    std::vector<Span> spans;
    if (!event.start_time.isValid())
        return spans;
    const QDateTime seriesStart = seriesStartOf(event);
    const QTime seriesTime = steppedTimeAt(event, seriesStart);
    QList<RecurrenceRule> rules;
    bool readable = true;
    for (const QString &line : ruleLines(event.recurrence_rule)) {
        rules.append(parseRule(line));
        readable = readable && rules.last().readable;
        // A floating series' UNTIL is floating too: the wall clock's time.
        RecurrenceRule &rule = rules.last();
        if (rule.untilIsFloating && isFloating(event))
            rule.until = IcsText::localWallClock(rule.until.date(), rule.until.time());
    }
    const Exceptions exceptions = readExceptions(event.exception_dates);
    const bool hasEnd = event.end_time && event.end_time->isValid();
    const qint64 durationMs = hasEnd ? event.start_time.msecsTo(*event.end_time) : DefaultDurationMs;
    const WallLength length = hasEnd ? wallLength(event, seriesStart, *event.end_time) : WallLength();

    bool ordered = true;
    auto consider = [&](const QDateTime &start, qint64 ownDurationMs) {
        if (exceptions.instants.contains(start.toMSecsSinceEpoch()))
            return;
        if (event.is_all_day && exceptions.days.contains(start.date()))
            return;
        QDateTime end;
        if (ownDurationMs >= 0)
            end = start.addMSecs(ownDurationMs);
        else if (length.days > 0)
            end = length.endFrom(start);
        else
            end = start.addMSecs(durationMs);
        if (!(end > from) || !(start < to))
            return;
        const Span span{start.toMSecsSinceEpoch(), end.toMSecsSinceEpoch()};
        if (!spans.empty() && spans.back().start >= span.start)
            ordered = false;
        spans.push_back(span);
    };

    if (!readable) {
        // A rule that cannot be read shows the series' first occurrence.
        consider(seriesStart, -1);
        return spans;
    }
    const QDateTime skipBefore = from.isValid() ? from.addMSecs(-std::max<qint64>(durationMs, 0)).addDays(-1)
                                                : QDateTime();
    for (const RecurrenceRule &rule : std::as_const(rules))
        forEachStart(
            rule, seriesStart, to, skipBefore, [&](const QDateTime &start) { consider(start, -1); }, seriesTime);
    const QList<ExtraDate> extraDates = readExtraDates(event.recurrence_dates, seriesStart, seriesTime);
    if (rules.isEmpty() && seriesStart < to)
        consider(seriesStart, -1); // the first occurrence of a series of dates
    for (const ExtraDate &date : extraDates) {
        if (date.start.isValid() && date.start < to)
            consider(IcsText::inSpecOf(date.start, seriesStart), date.durationMs);
    }
    if (!ordered || rules.size() > 1 || !extraDates.isEmpty()) {
        std::stable_sort(spans.begin(), spans.end(), [](const Span &a, const Span &b) { return a.start < b.start; });
        spans.erase(std::unique(spans.begin(), spans.end(),
                                [](const Span &a, const Span &b) { return a.start == b.start; }),
                    spans.end());
    }
    if (qsizetype(spans.size()) > MaxPerSeries)
        spans.resize(size_t(MaxPerSeries));
    return spans;
}

QDateTime utcInstant(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
}

Occurrence ownOccurrence(qsizetype index, const Event &event)
{
    Occurrence occurrence;
    occurrence.eventIndex = index;
    occurrence.start = event.start_time.toUTC();
    if (event.end_time && event.end_time->isValid())
        occurrence.end = event.end_time->toUTC();
    return occurrence;
}

void appendSeries(QList<Occurrence> &out, qsizetype index, const Event &event, const QDateTime &from,
                  const QDateTime &to, qsizetype limit = MaxOccurrences)
{
    for (const Span &span : seriesSpans(event, from, to)) {
        if (out.size() >= limit)
            return;
        out.append(Occurrence{index, utcInstant(span.start), utcInstant(span.end)});
    }
}

void logEmptySeries(const Event &master, const QDateTime &from, const QDateTime &to)
{
    qCDebug(lcExpansion).noquote() << "master uid=" << master.uid << "title=" << master.title
                                   << "rrule=" << master.recurrence_rule
                                   << "dtstart=" << master.start_time.toString(Qt::ISODate)
                                   << "→ 0 occurrences in range" << from.toString(Qt::ISODate) << "..."
                                   << to.toString(Qt::ISODate);
}

} // namespace

bool isSeries(const Event &event)
{
    if (isOverride(event))
        return false;
    if (!event.recurrence_rule.trimmed().isEmpty())
        return true;
    const QString dates = event.recurrence_dates.trimmed();
    return !dates.isEmpty() && dates != QLatin1String("[]");
}

bool isFloating(const Event &event)
{
    return !event.is_all_day && event.timezone.isEmpty();
}

QDateTime steppedStart(const Event &event)
{
    if (isFloating(event))
        return withoutLocalSpec(event.start_time.toLocalTime());
    if (event.is_all_day)
        return withoutLocalSpec(event.start_time);
    const QTimeZone zone = namedZone(event);
    if (!zone.isValid())
        return event.start_time.toUTC();
    if (event.start_time.timeSpec() == Qt::TimeZone && event.start_time.timeZone() == zone)
        return event.start_time;
    return event.start_time.toTimeZone(zone);
}

QTime steppedTime(const Event &event)
{
    return steppedTimeAt(event, steppedStart(event));
}

QSet<qint64> parseExceptionDates(const QString &text)
{
    return readExceptions(text).instants;
}

QList<Occurrence> occurrencesOf(const Event &event, const QDateTime &from, const QDateTime &to)
{
    QList<Occurrence> result;
    if (isSeries(event)) {
        appendSeries(result, 0, event, from, to);
        return result;
    }
    if (!event.start_time.isValid() || !(event.start_time < to))
        return result;
    if (event.end_time && !(*event.end_time > from))
        return result;
    result.append(ownOccurrence(0, event));
    return result;
}

namespace {

QList<Occurrence> occurrencesUpTo(const QList<Event> &events, const QDateTime &from, const QDateTime &to,
                                  qsizetype limit)
{
    // A series by its uid, and by its provider's id: a series made here
    // keeps its own uid after its push, while the occurrences the provider
    // changes name the series by the provider's id.
    QHash<QString, QString> seriesUids;
    for (const Event &event : events) {
        if (isSeries(event))
            seriesUids.insert(event.uid, event.uid);
    }
    for (const Event &event : events) {
        if (isSeries(event) && !event.provider_event_id.isEmpty() && !seriesUids.contains(event.provider_event_id))
            seriesUids.insert(event.provider_event_id, event.uid);
    }
    // Overrides by series uid, then by the occurrence they replace.
    QHash<QString, QHash<QString, qsizetype>> overrides;
    QSet<qsizetype> placed;
    QList<Occurrence> result;
    for (qsizetype i = 0; i < events.size(); ++i) {
        const Event &event = events.at(i);
        const auto series = isOverride(event) ? seriesUids.constFind(event.master_event_uid) : seriesUids.constEnd();
        if (series != seriesUids.constEnd())
            overrides[*series].insert(storedRecurrenceId(event.recurrence_id), i);
        else if (!isSeries(event))
            result.append(ownOccurrence(i, event));
    }

    for (qsizetype index = 0; index < events.size(); ++index) {
        const Event &series = events.at(index);
        if (!isSeries(series))
            continue;
        if (result.size() >= limit) {
            qCWarning(lcExpansion) << "expansion stopped at" << limit << "occurrences in range"
                                   << from.toString(Qt::ISODate) << "..." << to.toString(Qt::ISODate);
            break;
        }
        const qsizetype first = result.size();
        appendSeries(result, index, series, from, to, limit);
        if (result.size() == first) {
            logEmptySeries(series, from, to);
            continue;
        }
        const auto replaced = overrides.constFind(series.uid);
        if (replaced == overrides.constEnd())
            continue;
        for (qsizetype i = first; i < result.size(); ++i) {
            Occurrence &occurrence = result[i];
            auto found = replaced->constFind(recurrenceIdOf(series, occurrence.start));
            // An override written with the instant of an all-day occurrence
            // names it as well.
            if (found == replaced->constEnd() && series.is_all_day)
                found = replaced->constFind(recurrenceIdAt(occurrence.start, false));
            if (found != replaced->constEnd()) {
                occurrence = ownOccurrence(*found, events.at(*found));
                placed.insert(*found);
            }
        }
    }

    // An occurrence moved into the range from a day outside it still shows:
    // its series had nothing there to stand in for.
    for (const QHash<QString, qsizetype> &bySeries : std::as_const(overrides)) {
        for (const qsizetype index : bySeries) {
            if (placed.contains(index) || result.size() >= limit)
                continue;
            const Occurrence moved = ownOccurrence(index, events.at(index));
            const bool inRange = moved.start < to && (moved.end.isValid() ? moved.end > from : moved.start >= from);
            if (inRange)
                result.append(moved);
        }
    }
    return result;
}

} // namespace

QList<Occurrence> occurrences(const QList<Event> &events, const QDateTime &from, const QDateTime &to)
{
    return occurrencesUpTo(events, from, to, MaxOccurrences);
}

std::optional<QDateTime> occurrenceEnd(const Event &event, const QDateTime &start)
{
    if (!event.end_time || !event.end_time->isValid() || !event.start_time.isValid())
        return std::nullopt;
    const QDateTime seriesStart = seriesStartOf(event);
    const WallLength length = wallLength(event, seriesStart, *event.end_time);
    if (length.days <= 0)
        return start.addMSecs(event.start_time.msecsTo(*event.end_time));
    return IcsText::inSpecOf(length.endFrom(IcsText::inSpecOf(start, seriesStart)), start);
}

Event eventFor(const Event &source, const Occurrence &occurrence)
{
    if (!isSeries(source))
        return source;
    Event event = source;
    event.start_time = inSeriesSpec(source, occurrence.start);
    event.end_time = inSeriesSpec(source, occurrence.end);
    event.recurrence_id = recurrenceIdOf(source, occurrence.start);
    return event;
}

QList<Event> expandEvent(const Event &event, const QDateTime &from, const QDateTime &to)
{
    const QList<Occurrence> found = occurrencesOf(event, from, to);
    QList<Event> result;
    result.reserve(found.size());
    for (const Occurrence &occurrence : found)
        result.append(eventFor(event, occurrence));
    return result;
}

QList<Event> expandForRange(const QList<Event> &events, const QDateTime &from, const QDateTime &to)
{
    const QList<Occurrence> found = occurrencesUpTo(events, from, to, MaxFullOccurrences);
    QList<Event> result;
    result.reserve(found.size());
    for (const Occurrence &occurrence : found)
        result.append(eventFor(events.at(occurrence.eventIndex), occurrence));
    return result;
}

} // namespace Recurrence
