#include "calendar/recurrence.h"

#include "calendar/icstext.h"

#include <limits>

// RRULE text to RecurrenceRule. Values are checked against the ranges RFC
// 5545, 3.3.10 gives them; anything else marks the rule unreadable rather
// than being bent into some other series.
namespace Recurrence {

namespace {

// A decimal integer with an optional sign; false for anything else or a
// value outside [low, high].
bool readNumber(QStringView text, int low, int high, int *out)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.at(0) == u'+' || text.at(0) == u'-')) {
        negative = text.at(0) == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty() || text.size() > 10)
        return false;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (negative)
        value = -value;
    if (value < low || value > high)
        return false;
    *out = int(value);
    return true;
}

// A comma list of numbers in [low, high], zero excluded when `signedList`
// (the ± forms of BYMONTHDAY and the like); false when any item is not.
bool readList(const QString &value, int low, int high, bool signedList, QList<int> *out)
{
    out->clear();
    const QStringList pieces = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &piece : pieces) {
        int number = 0;
        if (!readNumber(piece, low, high, &number) || (signedList && number == 0))
            return false;
        if (!out->contains(number))
            out->append(number);
    }
    return !out->isEmpty();
}

bool readUntil(const QString &value, RecurrenceRule *rule)
{
    QString until = value;
    const bool utc = until.endsWith(QLatin1Char('Z')) || until.endsWith(QLatin1Char('z'));
    if (utc)
        until.chop(1);
    QDate day;
    QTime time;
    rule->untilIsDate = false;
    rule->untilIsFloating = false;
    if (IcsText::readDateTime(until, &day, &time)) {
        rule->until = QDateTime(day, time, Qt::UTC);
        rule->untilIsFloating = !utc;
        return true;
    }
    day = IcsText::readDate(until);
    if (!day.isValid()) {
        rule->until = QDateTime();
        return false;
    }
    rule->until = QDateTime(day, QTime(0, 0), Qt::UTC);
    rule->untilIsDate = true;
    return true;
}

bool readByDay(const QString &value, RecurrenceRule *rule)
{
    rule->byDay = value.toUpper().split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString &entry : rule->byDay) {
        entry = entry.trimmed();
        if (!parseByDayEntry(entry, nullptr, nullptr))
            return false;
    }
    return !rule->byDay.isEmpty();
}

// One KEY=value piece; false when the value cannot be read.
bool readPart(const QString &key, const QString &value, RecurrenceRule *rule)
{
    constexpr int Largest = std::numeric_limits<int>::max();
    if (key == QLatin1String("FREQ")) {
        rule->freq = value.toUpper();
        return true;
    }
    if (key == QLatin1String("INTERVAL"))
        return readNumber(value, 1, Largest, &rule->interval);
    if (key == QLatin1String("COUNT"))
        return readNumber(value, 1, Largest, &rule->count);
    if (key == QLatin1String("UNTIL"))
        return readUntil(value, rule);
    if (key == QLatin1String("BYDAY"))
        return readByDay(value, rule);
    if (key == QLatin1String("BYMONTHDAY"))
        return readList(value, -31, 31, true, &rule->byMonthDay);
    if (key == QLatin1String("BYMONTH"))
        return readList(value, 1, 12, false, &rule->byMonth);
    if (key == QLatin1String("BYSETPOS"))
        return readList(value, -366, 366, true, &rule->bySetPos);
    if (key == QLatin1String("BYYEARDAY"))
        return readList(value, -366, 366, true, &rule->byYearDay);
    if (key == QLatin1String("BYWEEKNO"))
        return readList(value, -53, 53, true, &rule->byWeekNo);
    if (key == QLatin1String("BYHOUR"))
        return readList(value, 0, 23, false, &rule->byHour);
    if (key == QLatin1String("BYMINUTE"))
        return readList(value, 0, 59, false, &rule->byMinute);
    if (key == QLatin1String("BYSECOND"))
        return readList(value, 0, 60, false, &rule->bySecond);
    if (key == QLatin1String("WKST")) {
        rule->weekStart = parseByDay(value.trimmed().toUpper());
        if (rule->weekStart != 0)
            return true;
        rule->weekStart = 1;
        return false;
    }
    // RFC 7529: the Gregorian scale and its default skip change nothing.
    if (key == QLatin1String("RSCALE"))
        return value.trimmed().compare(QLatin1String("GREGORIAN"), Qt::CaseInsensitive) == 0;
    if (key == QLatin1String("SKIP"))
        return value.trimmed().compare(QLatin1String("OMIT"), Qt::CaseInsensitive) == 0;
    return false;
}

// The parts each frequency may carry (RFC 5545, 3.3.10, the "N/A" cells).
bool partsFitFrequency(const RecurrenceRule &rule)
{
    static const QStringList known = {"SECONDLY", "MINUTELY", "HOURLY", "DAILY", "WEEKLY", "MONTHLY", "YEARLY"};
    if (!known.contains(rule.freq))
        return false;
    if (!rule.byWeekNo.isEmpty() && rule.freq != QLatin1String("YEARLY"))
        return false;
    const bool dayOrCoarser = rule.freq == QLatin1String("DAILY") || rule.freq == QLatin1String("WEEKLY")
                              || rule.freq == QLatin1String("MONTHLY");
    if (!rule.byYearDay.isEmpty() && dayOrCoarser)
        return false;
    if (!rule.byMonthDay.isEmpty() && rule.freq == QLatin1String("WEEKLY"))
        return false;
    return true;
}

} // namespace

QStringList ruleLines(const QString &recurrenceRule)
{
    QStringList lines;
    for (const QString &line : recurrenceRule.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines.append(trimmed);
    }
    return lines;
}

RecurrenceRule parseRule(const QString &text)
{
    RecurrenceRule rule;
    // A stored text may hold several rules, one a line: the first is the
    // rule of the series as described and edited.
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
    const QString first = lineEnd < 0 ? text : text.left(lineEnd);
    bool readable = true;
    for (const QString &piece : first.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = piece.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = piece.left(eq).trimmed().toUpper();
        if (!readPart(key, piece.mid(eq + 1).trimmed(), &rule))
            readable = false;
    }
    rule.readable = readable && partsFitFrequency(rule);
    return rule;
}

int parseByDay(const QString &code)
{
    static const char *const codes[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    for (int i = 0; i < 7; ++i) {
        if (code == QLatin1String(codes[i]))
            return i + 1;
    }
    return 0;
}

bool parseByDayEntry(const QString &entry, int *ordinal, int *weekday)
{
    const QString text = entry.trimmed().toUpper();
    if (text.size() < 2)
        return false;
    const int day = parseByDay(text.right(2));
    if (day == 0)
        return false;
    const QString number = text.chopped(2);
    int value = 0;
    if (!number.isEmpty() && (!readNumber(number, -53, 53, &value) || value == 0))
        return false;
    if (ordinal)
        *ordinal = value;
    if (weekday)
        *weekday = day;
    return true;
}

} // namespace Recurrence
