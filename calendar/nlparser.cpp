#include "calendar/nlparser.h"

#include <QList>
#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>
#include <climits>
#include <functional>

namespace NLParser {
namespace {

// Every matcher runs over the whole, unchanged input and reports the
// stretches it consumed; the title is what is left when they are cut out.
struct MatchSpan
{
    int start = 0;
    int length = 0;
};
using Spans = QList<MatchSpan>;

struct DateMatch
{
    QDate date;
    Spans spans;
};

struct TimeMatch
{
    QTime start;
    QTime end;
    bool hasEnd = false;
    Spans spans;
};

struct RelativeMatch
{
    std::optional<QDate> date;
    std::optional<QTime> time;
    Spans spans;
};

struct DurationMatch
{
    int minutes = 0;
    Spans spans;
};

using DateHandler = std::function<QDate(const QRegularExpressionMatch &)>;

constexpr auto caseless = QRegularExpression::CaseInsensitiveOption;

// Patterns are compiled once; the parser runs on every keystroke of the
// quick-add preview.
QRegularExpression pattern(const char *source, bool caseInsensitive = true)
{
    QRegularExpression re(QString::fromUtf8(source),
                          caseInsensitive ? caseless : QRegularExpression::NoPatternOption);
    re.optimize();
    return re;
}

void addSpan(Spans &spans, const QRegularExpressionMatch &match)
{
    if (match.capturedLength(0) > 0)
        spans.append({int(match.capturedStart(0)), int(match.capturedLength(0))});
}

QDateTime inZoneOf(const QDate &date, const QTime &time, const QDateTime &now)
{
    if (!date.isValid() || !time.isValid())
        return {};
    switch (now.timeSpec()) {
    case Qt::UTC:
        return QDateTime(date, time, Qt::UTC);
    case Qt::OffsetFromUTC:
        return QDateTime(date, time, Qt::OffsetFromUTC, now.offsetFromUtc());
    case Qt::TimeZone:
        return QDateTime(date, time, now.timeZone());
    case Qt::LocalTime:
        break;
    }
    return QDateTime(date, time, Qt::LocalTime);
}

int weekdayFromName(const QString &word)
{
    static const char *const prefixes[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
    const QString lower = word.toLower();
    for (int i = 0; i < 7; ++i) {
        if (lower.startsWith(QLatin1String(prefixes[i])))
            return i + 1;
    }
    return 0;
}

int monthFromName(const QString &word)
{
    static const QStringList prefixes = {
        QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"), QStringLiteral("apr"),
        QStringLiteral("may"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
        QStringLiteral("sep"), QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};
    const QString lower = word.toLower();
    for (int i = 0; i < prefixes.size(); ++i) {
        if (lower.startsWith(prefixes.at(i)))
            return i + 1;
    }
    return 0;
}

QTime parseAmPmTime(const QString &fallback, int hour, int minute, const QString &meridiem)
{
    const QString inForce = meridiem.isEmpty() ? fallback : meridiem;
    if (inForce == QLatin1String("pm") && hour < 12)
        hour += 12;
    else if (inForce == QLatin1String("am") && hour == 12)
        hour = 0;
    return QTime(hour, minute, 0, 0);
}

QDateTime roundToHalfHour(const QDateTime &dt)
{
    const QDateTime whole = dt.addMSecs(-(qint64(dt.time().second()) * 1000 + dt.time().msec()));
    const int minute = whole.time().minute();
    const int add = (minute == 0 || minute == 30) ? 0 : (minute < 30 ? 30 - minute : 60 - minute);
    return whole.addSecs(qint64(add) * 60);
}

std::optional<DateMatch> tryPattern(const QString &text, const QRegularExpression &re,
                                    const DateHandler &handler)
{
    const QRegularExpressionMatch match = re.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    DateMatch result;
    result.date = handler(match);
    addSpan(result.spans, match);
    return result;
}

QDate daysAheadTo(const QDate &today, const QString &weekdayWord, bool todayCounts)
{
    int d = weekdayFromName(weekdayWord) - today.dayOfWeek();
    if (todayCounts ? d < 0 : d < 1)
        d += 7;
    return today.addDays(d);
}

std::optional<DateMatch> matchDate(const QString &text, const QDate &today)
{
    static const QRegularExpression dayWord = pattern(R"(\b(today|tomorrow|yesterday)\b)");
    static const QRegularExpression nextWeekday = pattern(
        R"(\bnext\s+(monday|tuesday|wednesday|thursday|friday|saturday|sunday|mon|tue|tues|wed|thu|thur|thurs|fri|sat|sun)\b)");
    static const QRegularExpression weekday = pattern(
        R"(\b(?:on\s+)?(monday|tuesday|wednesday|thursday|friday|saturday|sunday|mon|tue|tues|wed|thu|thur|thurs|fri|sat|sun)\b)");
    static const QRegularExpression inDays = pattern(R"(\bin\s+(\d+)\s+(days?|weeks?)\b)");
    static const QRegularExpression monthDay = pattern(
        R"(\b(?:on\s+)?(jan|feb|mar|apr|may|jun|jul|aug|sep|sept|oct|nov|dec|january|february|march|april|june|july|august|september|october|november|december)\s+(\d{1,2})\b)");

    if (auto m = tryPattern(text, dayWord, [&](const QRegularExpressionMatch &match) {
            const QString word = match.captured(1).toLower();
            if (word == QLatin1String("tomorrow"))
                return today.addDays(1);
            if (word == QLatin1String("yesterday"))
                return today.addDays(-1);
            return today;
        }))
        return m;
    if (auto m = tryPattern(text, nextWeekday, [&](const QRegularExpressionMatch &match) {
            return daysAheadTo(today, match.captured(1), false);
        }))
        return m;
    if (auto m = tryPattern(text, weekday, [&](const QRegularExpressionMatch &match) {
            return daysAheadTo(today, match.captured(1), true);
        }))
        return m;
    if (auto m = tryPattern(text, inDays, [&](const QRegularExpressionMatch &match) {
            const qint64 n = match.captured(1).toInt();
            const bool weeks = match.captured(2).startsWith(QLatin1String("week"), Qt::CaseInsensitive);
            return today.addDays(weeks ? 7 * n : n);
        }))
        return m;
    return tryPattern(text, monthDay, [&](const QRegularExpressionMatch &match) {
        const int month = monthFromName(match.captured(1));
        const int day = match.captured(2).toInt();
        const QDate date(today.year(), month, day);
        // Built directly rather than with addYears(), which would turn a
        // 29 February into the 28th of a common year.
        if (date.isValid() && date < today)
            return QDate(today.year() + 1, month, day);
        return date;
    });
}

// The readings of an hour written without am/pm: morning and afternoon for
// 1 to 12, else the 24-hour value as written.
QList<QTime> bareReadings(int hour, int minute)
{
    if (hour >= 1 && hour <= 12) {
        return {parseAmPmTime(QString(), hour, minute, QStringLiteral("am")),
                parseAmPmTime(QString(), hour, minute, QStringLiteral("pm"))};
    }
    return {QTime(hour, minute, 0, 0)};
}

int forwardMinutes(const QTime &from, const QTime &to)
{
    const int minutes = from.secsTo(to) / 60;
    return minutes > 0 ? minutes : minutes + 24 * 60;
}

// A side of a range written without am/pm takes the reading that makes the
// range run forward and shortest: "11 to 1pm" is 11:00-13:00, "10am to 2"
// is 10:00-14:00. Both sides bare read as 24-hour times.
void resolveRange(TimeMatch &tm, const QRegularExpressionMatch &match, int firstGroup)
{
    const int h1 = match.captured(firstGroup).toInt();
    const int m1 = match.captured(firstGroup + 1).toInt();
    const QString mer1 = match.captured(firstGroup + 2).toLower();
    const int h2 = match.captured(firstGroup + 3).toInt();
    const int m2 = match.captured(firstGroup + 4).toInt();
    const QString mer2 = match.captured(firstGroup + 5).toLower();

    tm.hasEnd = true;
    tm.start = parseAmPmTime(QString(), h1, m1, mer1);
    tm.end = parseAmPmTime(QString(), h2, m2, mer2);
    if (mer1.isEmpty() == mer2.isEmpty())
        return;

    const bool startIsBare = mer1.isEmpty();
    const QTime fixed = startIsBare ? tm.end : tm.start;
    const QList<QTime> readings = startIsBare ? bareReadings(h1, m1) : bareReadings(h2, m2);
    if (!fixed.isValid() || !readings.first().isValid())
        return;
    QTime best = readings.first();
    for (const QTime &reading : readings) {
        const int length = startIsBare ? forwardMinutes(reading, fixed) : forwardMinutes(fixed, reading);
        const int bestLength = startIsBare ? forwardMinutes(best, fixed) : forwardMinutes(fixed, best);
        if (length < bestLength)
            best = reading;
    }
    (startIsBare ? tm.start : tm.end) = best;
}

QTime hourMinute(const QRegularExpressionMatch &match)
{
    return parseAmPmTime(QString(), match.captured(1).toInt(), match.captured(2).toInt(),
                         match.captured(3).toLower());
}

std::optional<TimeMatch> matchTime(const QString &text)
{
    static const QRegularExpression fromTo = pattern(
        R"(\bfrom\s+(\d{1,2})(?::(\d{2}))?\s*(am|pm)?\s+to\s+(\d{1,2})(?::(\d{2}))?\s*(am|pm)?\b)");
    // "3-4pm", "6am-8:15am", "9:30-10:30": a dash range needs am/pm or minutes
    // on one side, so "2-3 people" or a date such as 12-25 is not a time.
    static const QRegularExpression dashed = pattern(
        R"(\b(?:from\s+)?(\d{1,2})(?::(\d{2}))?\s*(am|pm)?\s*[-\x{2013}\x{2014}]\s*(\d{1,2})(?::(\d{2}))?\s*(am|pm)?\b)");
    static const QRegularExpression noon = pattern(R"(\b(?:at\s+)?noon\b)");
    static const QRegularExpression midnight = pattern(R"(\b(?:at\s+)?midnight\b)");
    static const QRegularExpression atTime = pattern(R"(\bat\s+(\d{1,2})(?::(\d{2}))?\s*(am|pm)?\b)");
    static const QRegularExpression atFourDigits = pattern(R"(\bat\s+(\d{4})\b)");
    static const QRegularExpression bareTime = pattern(R"(\b(\d{1,2})(?::(\d{2}))?\s*(am|pm)\b)");

    TimeMatch tm;
    QRegularExpressionMatch match = fromTo.match(text);
    if (match.hasMatch()) {
        resolveRange(tm, match, 1);
        addSpan(tm.spans, match);
        return tm;
    }
    QRegularExpressionMatchIterator it = dashed.globalMatch(text);
    while (it.hasNext()) {
        match = it.next();
        const bool marked = match.capturedLength(2) > 0 || match.capturedLength(3) > 0
                            || match.capturedLength(5) > 0 || match.capturedLength(6) > 0;
        if (!marked)
            continue;
        resolveRange(tm, match, 1);
        addSpan(tm.spans, match);
        return tm;
    }
    match = noon.match(text);
    if (match.hasMatch()) {
        tm.start = QTime(12, 0);
        addSpan(tm.spans, match);
        return tm;
    }
    match = midnight.match(text);
    if (match.hasMatch()) {
        tm.start = QTime(0, 0);
        addSpan(tm.spans, match);
        return tm;
    }
    match = atTime.match(text);
    if (match.hasMatch()) {
        tm.start = hourMinute(match);
        addSpan(tm.spans, match);
        return tm;
    }
    match = atFourDigits.match(text);
    if (match.hasMatch()) {
        const int n = match.captured(1).toInt();
        if (n / 100 < 24 && n % 100 < 60) {
            tm.start = QTime(n / 100, n % 100, 0, 0);
            addSpan(tm.spans, match);
            return tm;
        }
    }
    match = bareTime.match(text);
    if (match.hasMatch()) {
        tm.start = hourMinute(match);
        addSpan(tm.spans, match);
        return tm;
    }
    return std::nullopt;
}

RelativeMatch matchRelative(const QString &text, const QDateTime &now)
{
    static const QRegularExpression inTime = pattern(R"(\bin\s+(\d+)\s*(minutes?|mins?|hours?|hrs?)\b)");
    static const QRegularExpression partOfDay = pattern(R"(\b(tonight|this\s+(?:morning|afternoon|evening))\b)");
    static const QRegularExpression nextWeek = pattern(R"(\bnext\s+week\b)");

    RelativeMatch rel;
    const QDate today = now.date();

    QRegularExpressionMatch match = inTime.match(text);
    if (match.hasMatch()) {
        const qint64 n = match.captured(1).toInt();
        const bool hours = match.captured(2).toLower().startsWith(QLatin1Char('h'));
        const QDateTime t = now.addSecs(hours ? n * 3600 : n * 60);
        rel.date = t.date();
        rel.time = t.time();
        addSpan(rel.spans, match);
    }
    match = partOfDay.match(text);
    if (match.hasMatch()) {
        const QString phrase = match.captured(0).toLower();
        const int hour = phrase.contains(QLatin1String("morning"))     ? 9
                         : phrase.contains(QLatin1String("afternoon")) ? 15
                                                                       : 19;
        if (!rel.time)
            rel.time = QTime(hour, 0, 0, 0);
        if (!rel.date)
            rel.date = today;
        addSpan(rel.spans, match);
    }
    match = nextWeek.match(text);
    if (match.hasMatch()) {
        if (!rel.date)
            rel.date = today.addDays(7);
        addSpan(rel.spans, match);
    }
    return rel;
}

std::optional<DurationMatch> matchDuration(const QString &text)
{
    static const QRegularExpression duration = pattern(
        R"(\bfor\s+(\d+(?:\.\d+)?)\s*(min|mins|minute|minutes|h|hr|hrs|hour|hours)\b)");
    const QRegularExpressionMatch match = duration.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    double value = match.captured(1).toDouble();
    if (match.captured(2).toLower().startsWith(QLatin1Char('h')))
        value *= 60;
    DurationMatch result;
    // Bounded so an absurd figure cannot overflow the conversion.
    result.minutes = int(std::min(value, double(INT_MAX / 60)));
    addSpan(result.spans, match);
    return result;
}

QString cleanTitle(const QString &text, Spans spans)
{
    if (spans.isEmpty())
        return text.trimmed();
    std::sort(spans.begin(), spans.end(),
              [](const MatchSpan &a, const MatchSpan &b) { return a.start < b.start; });
    QString out;
    out.reserve(text.size());
    int cursor = 0;
    for (const MatchSpan &span : spans) {
        if (span.start > cursor)
            out += QStringView(text).mid(cursor, span.start - cursor);
        cursor = std::max(cursor, span.start + span.length);
    }
    if (cursor < text.size())
        out += QStringView(text).mid(cursor);
    return out.simplified();
}

} // namespace

ParseResult parse(const QString &text, const QDateTime &now)
{
    static const QRegularExpression reminderPrefix = pattern(
        R"(^\s*(?:remind\s+me\s+(?:to|that|about)\s+|remind\s+me\s+|reminder\s*[:\-]?\s*(?:to\s+)?|remember\s+to\s+|don'?t\s+(?:let\s+me\s+)?forget\s+(?:to\s+)?))");
    static const QRegularExpression taskPrefix = pattern(
        R"(^\s*(?:task\s*[:\-]\s*|to-?do\s*[:\-]?\s*|(?:add|new)\s+(?:a\s+)?(?:task|to-?do)\s+(?:to\s+)?))");
    static const QRegularExpression tagPattern = pattern(R"(#([\p{L}\p{N}_\-]+))", false);
    static const QRegularExpression edgeWords = pattern(R"(^(?:on|at|for)\s+|\s+(?:on|at|for)$)");
    static const QRegularExpression leadingLink = pattern(R"(^(?:to|that|about)\s+)");

    ParseResult result;
    if (text.trimmed().isEmpty()) {
        result.start = roundToHalfHour(now);
        return result;
    }

    Spans spans;
    const QRegularExpressionMatch reminder = reminderPrefix.match(text);
    if (reminder.hasMatch() && reminder.capturedEnd(0) > 0) {
        result.isReminder = true;
        spans.append({0, int(reminder.capturedEnd(0))});
    } else {
        const QRegularExpressionMatch task = taskPrefix.match(text);
        if (task.hasMatch() && task.capturedEnd(0) > 0) {
            result.isTask = true;
            spans.append({0, int(task.capturedEnd(0))});
        }
    }

    QRegularExpressionMatchIterator tags = tagPattern.globalMatch(text);
    while (tags.hasNext()) {
        const QRegularExpressionMatch match = tags.next();
        const QString tag = match.captured(1);
        if (!result.tags.contains(tag, Qt::CaseInsensitive))
            result.tags.append(tag);
        addSpan(spans, match);
    }

    const RelativeMatch rel = matchRelative(text, now);
    spans += rel.spans;

    const QDate today = now.date();
    QDate date = today;
    bool dateFound = false;
    if (const auto dm = matchDate(text, today)) {
        date = dm->date;
        spans += dm->spans;
        dateFound = true;
    } else if (rel.date) {
        date = *rel.date;
        dateFound = true;
    }

    QTime time;
    std::optional<QTime> endTime;
    if (const auto tm = matchTime(text)) {
        time = tm->start;
        spans += tm->spans;
        result.hasTime = true;
        if (tm->hasEnd)
            endTime = tm->end;
    } else if (rel.time) {
        time = *rel.time;
        result.hasTime = true;
    } else if (dateFound) {
        result.allDay = true;
        time = QTime(0, 0, 0, 0);
    } else {
        const QDateTime rounded = roundToHalfHour(now);
        date = rounded.date();
        time = rounded.time();
    }

    int minutes = 60;
    if (const auto du = matchDuration(text)) {
        minutes = du->minutes;
        spans += du->spans;
    }

    result.start = inZoneOf(date, time, now);
    if (endTime) {
        QDateTime end = inZoneOf(date, *endTime, now);
        if (end.isValid() && result.start.isValid() && end <= result.start)
            end = end.addDays(1);
        result.end = end;
    } else if (result.allDay) {
        result.end = inZoneOf(date.addDays(1), QTime(0, 0), now);
    } else {
        result.end = result.start.isValid() ? result.start.addSecs(qint64(minutes) * 60) : QDateTime();
    }

    result.title = cleanTitle(text, spans);
    result.title = result.title.replace(edgeWords, QString()).simplified();
    if (result.isReminder || result.isTask)
        result.title = result.title.replace(leadingLink, QString()).simplified();

    if (!result.isReminder && !result.isTask && !result.allDay && !result.hasTime)
        result.isTask = true;
    return result;
}

} // namespace NLParser
