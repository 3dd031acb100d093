#include "calendar/nltimes.h"

#include <QList>
#include <QRegularExpression>

#include <tuple>

namespace NLParser::Detail {
namespace {

QTime parseAmPmTime(const QString &fallback, int hour, int minute, const QString &meridiem)
{
    const QString inForce = meridiem.isEmpty() ? fallback : meridiem;
    if (inForce == QLatin1String("pm") && hour < 12)
        hour += 12;
    else if (inForce == QLatin1String("am") && hour == 12)
        hour = 0;
    return QTime(hour, minute, 0, 0);
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
} // namespace

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

} // namespace NLParser::Detail
