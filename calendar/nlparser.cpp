#include "calendar/nlparser.h"

#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QTimeZone>

#include "calendar/nldates.h"
#include "calendar/nlpattern.h"
#include "calendar/nltimes.h"

#include <algorithm>
#include <climits>

namespace NLParser {
namespace {

using namespace Detail;

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

QDateTime roundToHalfHour(const QDateTime &dt)
{
    const QDateTime whole = dt.addMSecs(-(qint64(dt.time().second()) * 1000 + dt.time().msec()));
    const int minute = whole.time().minute();
    const int add = (minute == 0 || minute == 30) ? 0 : (minute < 30 ? 30 - minute : 60 - minute);
    return whole.addSecs(qint64(add) * 60);
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
