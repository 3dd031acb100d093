#include "calendar/nlparser.h"

#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QTimeZone>

#include <algorithm>
#include <climits>
#include <functional>
#include <tuple>

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
    // A bare weekday name that named today; with a time already past it
    // means the same weekday next week.
    bool weekdayIsToday = false;
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

// Patterns are written with shorthands that PCRE lacks: "\<" and "\>" mark
// the start and end of a whole word. A word joined to the next by an
// apostrophe or a hyphen ("today's", "check-in", "sun-dried") is one word.
// "\!" ends a written time: no word and no further ":5" or ".5" follows.
// Patterns are compiled once; the parser runs on every keystroke of the
// quick-add preview.
QRegularExpression pattern(const QString &source, bool caseInsensitive = true)
{
    QString expanded = source;
    expanded.replace(QLatin1String(R"(\<)"), QLatin1String(R"((?<!\w)(?<!\w['\-]))"));
    expanded.replace(QLatin1String(R"(\>)"), QLatin1String(R"((?!\w)(?!['\-]\w))"));
    expanded.replace(QLatin1String(R"(\!)"), QLatin1String(R"((?!\w)(?![.:]\d))"));
    QRegularExpression re(expanded, caseInsensitive ? caseless : QRegularExpression::NoPatternOption);
    re.optimize();
    return re;
}

QRegularExpression pattern(const char *source, bool caseInsensitive = true)
{
    return pattern(QString::fromUtf8(source), caseInsensitive);
}

// A written time of day in four groups: the hour, the separator and the
// minutes ("5:45", "5.45"), and the letter of am/pm written "pm", "p.m." or
// "p. m.". Not the tail of a number ("12.5", the "30" of "1:30"). Each
// stretchable part is followed by something it cannot match, so a long run
// of spaces is crossed once, not once per way of splitting it.
QString clock(bool meridiemRequired = false)
{
    return QStringLiteral(R"((?<!\w)(?<!\d[.:])(\d{1,2})(?:([:.])(\d{2}))?(?:\s*([ap])(?:m|\.\s?m\.?))%1)")
        .arg(meridiemRequired ? QString() : QStringLiteral("?"));
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
    static const QRegularExpression dayWord = pattern(R"(\<(today|tomorrow|yesterday)\>)");
    static const QRegularExpression nextWeekday = pattern(
        R"(\<next\s+(monday|tuesday|wednesday|thursday|friday|saturday|sunday|mon|tue|tues|wed|thu|thur|thurs|fri|sat|sun)\>)");
    static const QRegularExpression weekday = pattern(
        R"(\<(?:on\s+)?(monday|tuesday|wednesday|thursday|friday|saturday|sunday|mon|tue|tues|wed|thu|thur|thurs|fri|sat|sun)\>)");
    static const QRegularExpression inDays = pattern(R"(\<in\s+(\d+)\s+(days?|weeks?)\>)");
    static const QRegularExpression monthDay = pattern(
        R"(\<(?:on\s+)?(jan|feb|mar|apr|may|jun|jul|aug|sep|sept|oct|nov|dec|january|february|march|april|june|july|august|september|october|november|december)\s+(\d{1,2})(?!\w))");

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
        })) {
        m->weekdayIsToday = m->date == today;
        return m;
    }
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

// One written time of day as the clock pattern captured it.
struct Clock
{
    int hour = 0;
    int minute = 0;
    QString meridiem; // "am", "pm" or empty
    bool dotted = false;
    bool hasMinutes = false;
};

// The clock whose four groups start at `first`.
Clock readClock(const QRegularExpressionMatch &match, int first)
{
    Clock clock;
    clock.hour = match.capturedView(first).toInt();
    clock.dotted = match.capturedView(first + 1) == u".";
    clock.hasMinutes = match.capturedLength(first + 2) > 0;
    clock.minute = match.capturedView(first + 2).toInt();
    const QStringView letter = match.capturedView(first + 3);
    if (!letter.isEmpty())
        clock.meridiem = letter.compare(u"a", Qt::CaseInsensitive) == 0 ? QStringLiteral("am") : QStringLiteral("pm");
    return clock;
}

QTime asWritten(const Clock &clock)
{
    return parseAmPmTime(QString(), clock.hour, clock.minute, clock.meridiem);
}

// The readings of a written time: the one its am/pm gives, else morning and
// afternoon for an hour of 1 to 12, else the 24-hour value as written.
QList<QTime> readings(const Clock &clock)
{
    if (!clock.meridiem.isEmpty() || clock.hour < 1 || clock.hour > 12)
        return {asWritten(clock)};
    return {parseAmPmTime(QString(), clock.hour, clock.minute, QStringLiteral("am")),
            parseAmPmTime(QString(), clock.hour, clock.minute, QStringLiteral("pm"))};
}

// "24.12" is a date, not a time: a dotted time must be a real time of day.
bool isTimeOfDay(const Clock &clock)
{
    return !clock.dotted || asWritten(clock).isValid();
}

int forwardMinutes(const QTime &from, const QTime &to)
{
    const int minutes = from.secsTo(to) / 60;
    return minutes > 0 ? minutes : minutes + 24 * 60;
}

// Sides written without am/pm take the readings that make the range run
// forward, within the day where it can, and shortest: "11 to 1pm" is
// 11:00-13:00, "10am to 2" 10:00-14:00, "8 to 4" 08:00-16:00, "10pm to 2"
// 22:00-02:00. Of two equally short readings ("2 to 4") the one starting
// in the daytime wins.
void resolveRange(TimeMatch &tm, const Clock &from, const Clock &to)
{
    const QList<QTime> starts = readings(from);
    const QList<QTime> ends = readings(to);
    tm.hasEnd = true;
    tm.start = starts.first();
    tm.end = ends.first();
    if (!tm.start.isValid() || !tm.end.isValid())
        return;
    const auto cost = [](const QTime &start, const QTime &end) {
        const bool daytime = start.hour() >= 7 && start.hour() < 19;
        return std::make_tuple(end <= start, forwardMinutes(start, end), !daytime);
    };
    for (const QTime &start : starts) {
        for (const QTime &end : ends) {
            if (cost(start, end) < cost(tm.start, tm.end)) {
                tm.start = start;
                tm.end = end;
            }
        }
    }
}

std::optional<TimeMatch> matchRange(const QString &text)
{
    static const QRegularExpression fromTo =
        pattern(QStringLiteral(R"(\<from\s+)") + clock() + QStringLiteral(R"(\s+to\s+)") + clock()
                + QStringLiteral(R"(\!)"));
    // "3-4pm", "6am-8:15am", "9:30-10:30": a dash range needs am/pm or minutes
    // on one side, so "2-3 people" or a date such as 12-25 is not a time.
    static const QRegularExpression dashed =
        pattern(QStringLiteral(R"((?:\<from\s+)?)") + clock() + QStringLiteral(R"(\s*[-\x{2013}\x{2014}]\s*)")
                + clock() + QStringLiteral(R"(\!)"));

    TimeMatch tm;
    QRegularExpressionMatch match = fromTo.match(text);
    if (match.hasMatch()) {
        const Clock from = readClock(match, 1);
        const Clock to = readClock(match, 5);
        if (isTimeOfDay(from) && isTimeOfDay(to)) {
            resolveRange(tm, from, to);
            addSpan(tm.spans, match);
            return tm;
        }
    }
    QRegularExpressionMatchIterator it = dashed.globalMatch(text);
    while (it.hasNext()) {
        match = it.next();
        const Clock from = readClock(match, 1);
        const Clock to = readClock(match, 5);
        const bool marked = from.hasMinutes || to.hasMinutes || !from.meridiem.isEmpty() || !to.meridiem.isEmpty();
        if (!marked || !isTimeOfDay(from) || !isTimeOfDay(to))
            continue;
        resolveRange(tm, from, to);
        addSpan(tm.spans, match);
        return tm;
    }
    return std::nullopt;
}

std::optional<TimeMatch> matchTime(const QString &text)
{
    static const QRegularExpression noon = pattern(R"(\<(?:at\s+)?noon\>)");
    static const QRegularExpression midnight = pattern(R"(\<(?:at\s+)?midnight\>)");
    static const QRegularExpression atTime = pattern(QStringLiteral(R"(\<at\s+)") + clock() + QStringLiteral(R"(\!)"));
    static const QRegularExpression atFourDigits = pattern(R"(\<at\s+(\d{4})\!)");
    static const QRegularExpression bareTime = pattern(clock(true) + QStringLiteral(R"(\!)"));
    // "9:30", "17:45": minutes after a colon make a bare number a time.
    static const QRegularExpression colonTime = pattern(R"((?<!\w)(?<!\d[.:])(\d{1,2}):(\d{2})\!)");

    if (auto range = matchRange(text))
        return range;
    TimeMatch tm;
    QRegularExpressionMatch match = noon.match(text);
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
    if (match.hasMatch() && isTimeOfDay(readClock(match, 1))) {
        tm.start = asWritten(readClock(match, 1));
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
    if (match.hasMatch() && isTimeOfDay(readClock(match, 1))) {
        tm.start = asWritten(readClock(match, 1));
        addSpan(tm.spans, match);
        return tm;
    }
    // Read in 24 hours, as "at 9:30" is; last, so nothing above changes.
    match = colonTime.match(text);
    if (match.hasMatch()) {
        const QTime time(match.capturedView(1).toInt(), match.capturedView(2).toInt());
        if (time.isValid()) {
            tm.start = time;
            addSpan(tm.spans, match);
            return tm;
        }
    }
    return std::nullopt;
}

RelativeMatch matchRelative(const QString &text, const QDateTime &now)
{
    static const QRegularExpression inTime = pattern(R"(\<in\s+(\d+)\s*(minutes?|mins?|hours?|hrs?)\>)");
    static const QRegularExpression partOfDay = pattern(R"(\<(tonight|this\s+(?:morning|afternoon|evening))\>)");
    static const QRegularExpression nextWeek = pattern(R"(\<next\s+week\>)");

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
        R"(\<for\s+(\d+(?:\.\d+)?)\s*(min|mins|minute|minutes|h|hr|hrs|hour|hours)\>)");
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

// Typographic apostrophes and quotes as their ASCII forms ("Don’t",
// "today’s"). One character for one, so spans found in the copy cut the
// text as typed.
QString asciiQuotes(const QString &text)
{
    const auto typographic = [](QChar c) {
        switch (c.unicode()) {
        case 0x2018: case 0x2019: case 0x201B: case 0x2032:
            return QLatin1Char('\'');
        case 0x201C: case 0x201D: case 0x201F: case 0x2033:
            return QLatin1Char('"');
        default:
            return QLatin1Char('\0');
        }
    };
    QString plain = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const QLatin1Char ascii = typographic(text.at(i)); ascii.unicode() != 0)
            plain[i] = ascii;
    }
    return plain;
}

// The reminder or task phrase at the start of the line, if any.
void matchKindPrefix(const QString &text, ParseResult &result, Spans &spans)
{
    static const QRegularExpression reminderPrefix = pattern(
        R"(^\s*(?:remind\s+me\s+(?:to|that|about)\s+|remind\s+me\s+|reminder\>\s*(?:[:\-]\s*)?(?:to\s+)?|remember\s+to\s+|don'?t\s+(?:let\s+me\s+)?forget\s+(?:to\s+)?))");
    static const QRegularExpression taskPrefix = pattern(
        R"(^\s*(?:task\s*[:\-]\s*|to-?do\>\s*(?:[:\-]\s*)?|(?:add|new)\s+(?:a\s+)?(?:task|to-?do)\s+(?:to\s+)?))");

    const QRegularExpressionMatch reminder = reminderPrefix.match(text);
    if (reminder.hasMatch() && reminder.capturedEnd(0) > 0) {
        result.isReminder = true;
        spans.append({0, int(reminder.capturedEnd(0))});
        return;
    }
    const QRegularExpressionMatch task = taskPrefix.match(text);
    if (task.hasMatch() && task.capturedEnd(0) > 0) {
        result.isTask = true;
        spans.append({0, int(task.capturedEnd(0))});
    }
}

// Hash-tag words into the result's tags, the first spelling of each kept.
Spans matchTags(const QString &text, QStringList &tags)
{
    static const QRegularExpression tagPattern = pattern(R"(#([\p{L}\p{N}_\-]+))", false);
    Spans spans;
    // Looked up by folded case, so a line of many tags is not quadratic.
    QSet<QString> seen;
    QRegularExpressionMatchIterator it = tagPattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QString tag = match.captured(1);
        if (!seen.contains(tag.toCaseFolded())) {
            seen.insert(tag.toCaseFolded());
            tags.append(tag);
        }
        addSpan(spans, match);
    }
    return spans;
}

// Whether a time the text gave is over: before the current minute, or for
// a range, its end is; a meeting under way is still today's. Compared as
// wall-clock times, as the person typing reads them.
bool isPast(const QDate &date, const QTime &time, const std::optional<QTime> &endTime, const QDateTime &now)
{
    if (!date.isValid() || !time.isValid() || (endTime && !endTime->isValid()))
        return false;
    QDate untilDate = date;
    QTime until = time;
    if (endTime) {
        until = *endTime;
        if (until <= time)
            untilDate = date.addDays(1);
    }
    const QTime thisMinute(now.time().hour(), now.time().minute());
    return untilDate < now.date() || (untilDate == now.date() && until < thisMinute);
}

// Start, end and the all-day and time flags from the dates, times and
// durations the text names.
void placeInTime(const QString &text, const QDateTime &now, ParseResult &result, Spans &spans)
{
    const RelativeMatch rel = matchRelative(text, now);
    spans += rel.spans;

    const QDate today = now.date();
    QDate date = today;
    const std::optional<DateMatch> dm = matchDate(text, today);
    if (dm) {
        date = dm->date;
        spans += dm->spans;
    } else if (rel.date) {
        date = *rel.date;
    }
    const bool dateFound = dm || rel.date;

    QTime time;
    std::optional<QTime> endTime;
    if (const auto tm = matchTime(text)) {
        time = tm->start;
        spans += tm->spans;
        result.hasTime = true;
        if (tm->hasEnd)
            endTime = tm->end;
        // A time without a date means its next occurrence ("midnight" is
        // the coming one); a weekday that names today means next week. A
        // date from a phrase alone ("tonight", "in 2 hours") stands.
        if ((!dateFound || (dm && dm->weekdayIsToday)) && isPast(date, time, endTime, now))
            date = date.addDays(dateFound ? 7 : 1);
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
}

} // namespace

bool operator==(const ParseResult &a, const ParseResult &b)
{
    return a.title == b.title && a.start == b.start && a.end == b.end && a.allDay == b.allDay
           && a.hasTime == b.hasTime && a.isReminder == b.isReminder && a.isTask == b.isTask && a.tags == b.tags;
}

ParseResult parse(const QString &text, const QDateTime &now)
{
    static const QRegularExpression edgeWords = pattern(R"(^(?:on|at|for)\s+|\s+(?:on|at|for)$)");
    static const QRegularExpression leadingLink = pattern(R"(^(?:to|that|about)\s+)");

    ParseResult result;
    if (text.trimmed().isEmpty()) {
        result.start = roundToHalfHour(now);
        return result;
    }

    const QString plain = asciiQuotes(text);
    Spans spans;
    matchKindPrefix(plain, result, spans);
    const Spans tagSpans = matchTags(plain, result.tags);
    placeInTime(plain, now, result, spans);

    if (!result.isReminder && !result.isTask && !result.allDay && !result.hasTime)
        result.isTask = true;

    // Tasks carry their tags as categories; an event has no field for them,
    // so there they stay in the title.
    if (result.isReminder || result.isTask)
        spans += tagSpans;
    result.title = cleanTitle(text, spans);
    result.title = result.title.replace(edgeWords, QString()).simplified();
    if (result.isReminder || result.isTask)
        result.title = result.title.replace(leadingLink, QString()).simplified();
    return result;
}

} // namespace NLParser
