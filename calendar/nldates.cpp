#include "calendar/nldates.h"

#include <QRegularExpression>
#include <QStringList>

#include <functional>

namespace NLParser::Detail {
namespace {

using DateHandler = std::function<QDate(const QRegularExpressionMatch &)>;

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

} // namespace

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

} // namespace NLParser::Detail
