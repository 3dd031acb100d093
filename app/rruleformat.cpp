#include "app/rruleformat.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QStringList>

#include "calendar/recurrence.h"
#include "store/event.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char *const weekdayCodes[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

const char *const weekdayNames[] = {
    QT_TRANSLATE_NOOP("RruleFormat", "Mon"), QT_TRANSLATE_NOOP("RruleFormat", "Tue"),
    QT_TRANSLATE_NOOP("RruleFormat", "Wed"), QT_TRANSLATE_NOOP("RruleFormat", "Thu"),
    QT_TRANSLATE_NOOP("RruleFormat", "Fri"), QT_TRANSLATE_NOOP("RruleFormat", "Sat"),
    QT_TRANSLATE_NOOP("RruleFormat", "Sun")};

const char *const monthNames[] = {
    QT_TRANSLATE_NOOP("RruleFormat", "Jan"), QT_TRANSLATE_NOOP("RruleFormat", "Feb"),
    QT_TRANSLATE_NOOP("RruleFormat", "Mar"), QT_TRANSLATE_NOOP("RruleFormat", "Apr"),
    QT_TRANSLATE_NOOP("RruleFormat", "May"), QT_TRANSLATE_NOOP("RruleFormat", "Jun"),
    QT_TRANSLATE_NOOP("RruleFormat", "Jul"), QT_TRANSLATE_NOOP("RruleFormat", "Aug"),
    QT_TRANSLATE_NOOP("RruleFormat", "Sep"), QT_TRANSLATE_NOOP("RruleFormat", "Oct"),
    QT_TRANSLATE_NOOP("RruleFormat", "Nov"), QT_TRANSLATE_NOOP("RruleFormat", "Dec")};

const QString listSeparator = QStringLiteral(", ");
const QString partSeparator = QStringLiteral(" \u00B7 ");

struct ByDay
{
    int ordinal = 0;
    int weekday = 0;
};

// The rule's BY… parts as the expander keeps them: entries it cannot use
// are left out here too, so nothing is described that does not happen.
struct RuleParts
{
    QList<ByDay> byDay;
    QList<int> monthDays;
    QList<int> months;
    QList<int> setPositions;
};

// `dayShift` whole days on from the clock the rule steps on to the one its
// occurrences are shown on: plain weekdays are named as they are shown.
RuleParts partsOf(const RecurrenceRule &rule, int dayShift)
{
    RuleParts parts;
    for (const QString &token : rule.byDay) {
        ByDay entry;
        if (Recurrence::parseByDayEntry(token, &entry.ordinal, &entry.weekday))
            parts.byDay.append(entry);
    }
    // Counted weekdays, month days and set positions pick days on the
    // rule's own clock; moved to another day they name none by a weekday.
    const bool plainWeekdays = std::all_of(parts.byDay.cbegin(), parts.byDay.cend(),
                                           [](const ByDay &entry) { return entry.ordinal == 0; });
    if (dayShift != 0 && plainWeekdays && rule.byMonthDay.isEmpty() && rule.bySetPos.isEmpty()) {
        for (ByDay &entry : parts.byDay)
            entry.weekday = ((entry.weekday - 1 + dayShift) % 7 + 7) % 7 + 1;
    }
    for (int day : rule.byMonthDay) {
        if (day != 0 && day >= -31 && day <= 31)
            parts.monthDays.append(day);
    }
    for (int month : rule.byMonth) {
        if (month >= 1 && month <= 12 && !parts.months.contains(month))
            parts.months.append(month);
    }
    for (int position : rule.bySetPos) {
        if (position != 0)
            parts.setPositions.append(position);
    }
    return parts;
}

QString weekdayName(int weekday)
{
    return weekdayShortName(QLatin1String(weekdayCodes[weekday - 1]));
}

QString head(const RecurrenceRule &rule)
{
    const int interval = rule.interval;
    if (rule.freq == QLatin1String("DAILY"))
        return interval == 1 ? QObject::tr("Repeats daily") : QObject::tr("Every %1 days").arg(interval);
    if (rule.freq == QLatin1String("WEEKLY"))
        return interval == 1 ? QObject::tr("Repeats weekly") : QObject::tr("Every %1 weeks").arg(interval);
    if (rule.freq == QLatin1String("MONTHLY"))
        return interval == 1 ? QObject::tr("Repeats monthly") : QObject::tr("Every %1 months").arg(interval);
    if (rule.freq == QLatin1String("YEARLY"))
        return interval == 1 ? QObject::tr("Repeats yearly") : QObject::tr("Every %1 years").arg(interval);
    return QObject::tr("Repeats");
}

QString plainWeekdays(const QList<ByDay> &byDay)
{
    QStringList names;
    for (const ByDay &entry : byDay)
        names << weekdayName(entry.weekday);
    return names.join(listSeparator);
}

QString monthList(const QList<int> &months)
{
    QStringList names;
    for (int month : months)
        names << QCoreApplication::translate("RruleFormat", monthNames[month - 1]);
    return QObject::tr("in %1").arg(names.join(listSeparator));
}

QString monthDayPhrase(const QList<int> &days)
{
    QStringList items;
    for (int day : days)
        items << (day > 0 ? ordinalSuffix(day) : QObject::tr("%1 day").arg(ordinalWord(day)));
    return QObject::tr("on the %1").arg(items.join(listSeparator));
}

// Weekdays of a month (or of a whole year): plain ones recur every week,
// ordinal ones once in the span.
QString ordinalWeekdays(const QList<ByDay> &byDay, bool ofTheYear)
{
    QList<ByDay> plain;
    QList<ByDay> counted;
    for (const ByDay &entry : byDay)
        (entry.ordinal == 0 ? plain : counted).append(entry);

    QStringList pieces;
    if (!plain.isEmpty())
        pieces << plainWeekdays(plain);
    if (counted.size() == 1) {
        const QString word = ordinalWord(counted.first().ordinal);
        const QString day = weekdayName(counted.first().weekday);
        pieces << (ofTheYear ? QObject::tr("on the %1 %2 of the year").arg(word, day)
                             : QObject::tr("on the %1 %2").arg(word, day));
    } else if (counted.size() > 1) {
        QStringList items;
        for (const ByDay &entry : counted)
            items << QStringLiteral("%1 %2").arg(ordinalWord(entry.ordinal), weekdayName(entry.weekday));
        const QString list = items.join(listSeparator);
        pieces << (ofTheYear ? QObject::tr("on the %1 of the year").arg(list) : QObject::tr("on the %1").arg(list));
    }
    return pieces.join(listSeparator);
}

// The common sets a position is taken from ("the last weekday").
QString weekdaySetName(const QList<ByDay> &byDay)
{
    int mask = 0;
    for (const ByDay &entry : byDay) {
        if (entry.ordinal != 0)
            return QString();
        mask |= 1 << entry.weekday;
    }
    const int workdays = 0b0111110;
    const int weekend = 0b11000000;
    if (mask == workdays)
        return QObject::tr("weekday");
    if (mask == weekend)
        return QObject::tr("weekend day");
    if (mask == (workdays | weekend))
        return QObject::tr("day");
    return QString();
}

QString positionWords(const QList<int> &positions)
{
    QStringList words;
    for (int position : positions)
        words << ordinalWord(position);
    return words.join(listSeparator);
}

// Day and month parts after the head, for the four frequencies the
// expander steps.
QStringList datePieces(const RecurrenceRule &rule, const RuleParts &parts)
{
    QStringList pieces;
    const bool daily = rule.freq == QLatin1String("DAILY");
    const bool weekly = rule.freq == QLatin1String("WEEKLY");
    const bool yearly = rule.freq == QLatin1String("YEARLY");

    if (!parts.months.isEmpty())
        pieces << monthList(parts.months);
    else if (yearly && !parts.monthDays.isEmpty())
        pieces << QObject::tr("in every month");

    QString dayPart;
    bool daySet = false;
    if (daily) {
        QStringList both;
        if (!parts.monthDays.isEmpty())
            both << monthDayPhrase(parts.monthDays);
        if (!parts.byDay.isEmpty())
            both << plainWeekdays(parts.byDay);
        dayPart = both.join(partSeparator);
    } else if (weekly) {
        dayPart = plainWeekdays(parts.byDay);
        daySet = parts.byDay.size() > 1;
    } else if (!parts.monthDays.isEmpty()) {
        dayPart = monthDayPhrase(parts.monthDays);
        if (!parts.byDay.isEmpty()) {
            QStringList names;
            for (const ByDay &entry : parts.byDay) {
                names << (entry.ordinal == 0 ? weekdayName(entry.weekday)
                                             : QStringLiteral("%1 %2").arg(ordinalWord(entry.ordinal),
                                                                           weekdayName(entry.weekday)));
            }
            dayPart = QObject::tr("%1 if it falls on %2").arg(dayPart, names.join(listSeparator));
        }
        daySet = true;
    } else if (!parts.byDay.isEmpty()) {
        dayPart = ordinalWeekdays(parts.byDay, yearly && parts.months.isEmpty());
        daySet = true;
    }

    if (daySet && !parts.setPositions.isEmpty()) {
        const QString words = positionWords(parts.setPositions);
        const QString setName = parts.monthDays.isEmpty() ? weekdaySetName(parts.byDay) : QString();
        if (!setName.isEmpty()) {
            const bool ofTheYear = yearly && parts.months.isEmpty();
            dayPart = ofTheYear ? QObject::tr("on the %1 %2 of the year").arg(words, setName)
                                : QObject::tr("on the %1 %2").arg(words, setName);
        } else {
            dayPart += partSeparator + QObject::tr("only the %1 of these").arg(words);
        }
    }
    if (!dayPart.isEmpty())
        pieces << dayPart;
    return pieces;
}

QString endPiece(const RecurrenceRule &rule)
{
    if (rule.count >= 1)
        return QObject::tr("%n time(s)", nullptr, rule.count);
    // COUNT that reads as nothing does not stop the series, so UNTIL still
    // ends it.
    if (rule.until.isValid())
        return QObject::tr("until %1").arg(QLocale().toString(rule.until.date(), QStringLiteral("MMM d, yyyy")));
    return QString();
}

bool steppedFrequency(const QString &freq)
{
    return freq == QLatin1String("DAILY") || freq == QLatin1String("WEEKLY")
           || freq == QLatin1String("MONTHLY") || freq == QLatin1String("YEARLY");
}

// Whole days from the date of the event's start on the clock its rule
// steps on to the date the views show it on.
int shownDayShift(const Event &event)
{
    if (event.is_all_day || Recurrence::isFloating(event) || !event.start_time.isValid())
        return 0;
    return int(Recurrence::steppedStart(event).date().daysTo(event.start_time.toLocalTime().date()));
}

QString describe(const QString &rule, int dayShift)
{
    if (rule.isEmpty())
        return QString();
    const RecurrenceRule parsed = Recurrence::parseRule(rule);
    const RuleParts parts = partsOf(parsed, dayShift);

    QStringList pieces{head(parsed)};
    if (steppedFrequency(parsed.freq)) {
        pieces += datePieces(parsed, parts);
    } else if (!parts.byDay.isEmpty()) {
        pieces << plainWeekdays(parts.byDay);
    }
    const QString end = endPiece(parsed);
    if (!end.isEmpty())
        pieces << end;
    return pieces.join(partSeparator);
}

} // namespace

QString describeRrule(const QString &rule)
{
    return describe(rule, 0);
}

QString describeRecurrence(const Event &event)
{
    return describe(event.recurrence_rule, shownDayShift(event));
}

QString describeReminderOffset(int minutesBefore)
{
    if (minutesBefore < 1)
        return QObject::tr("At time of event");
    if (minutesBefore < 60)
        return QObject::tr("%1 min before").arg(minutesBefore);
    if (minutesBefore < 1440)
        return QObject::tr("%1 hour(s) before").arg(minutesBefore / 60);
    return QObject::tr("%1 day(s) before").arg(minutesBefore / 1440);
}

QString weekdayShortName(const QString &code)
{
    static const QHash<QString, const char *> table = [] {
        QHash<QString, const char *> names;
        for (int i = 0; i < 7; ++i)
            names.insert(QLatin1String(weekdayCodes[i]), weekdayNames[i]);
        return names;
    }();
    const QString upper = code.toUpper();
    const auto found = table.constFind(upper);
    if (found == table.constEnd())
        return upper;
    return QCoreApplication::translate("RruleFormat", *found);
}

QString ordinalSuffix(int n)
{
    const int lastTwo = std::abs(n % 100);
    if (lastTwo >= 11 && lastTwo <= 13)
        return QObject::tr("%1th").arg(n);
    switch (n % 10) {
    case 1:
        return QObject::tr("%1st").arg(n);
    case 2:
        return QObject::tr("%1nd").arg(n);
    case 3:
        return QObject::tr("%1rd").arg(n);
    default:
        return QObject::tr("%1th").arg(n);
    }
}

QString ordinalWord(int n)
{
    switch (n) {
    case -2:
        return QObject::tr("second-to-last");
    case -1:
        return QObject::tr("last");
    case 1:
        return QObject::tr("first");
    case 2:
        return QObject::tr("second");
    case 3:
        return QObject::tr("third");
    case 4:
        return QObject::tr("fourth");
    case 5:
        return QObject::tr("fifth");
    default:
        break;
    }
    if (n >= 6)
        return ordinalSuffix(n);
    return QObject::tr("%1-from-last").arg(ordinalSuffix(std::abs(n)));
}

std::pair<int, QString> parseByDayToken(const QString &token)
{
    qsizetype i = 0;
    QString number;
    if (!token.isEmpty() && (token.at(0) == QLatin1Char('+') || token.at(0) == QLatin1Char('-'))) {
        number += token.at(0);
        ++i;
    }
    while (i < token.size() && token.at(i).isDigit() && token.at(i).unicode() < 128) {
        number += token.at(i);
        ++i;
    }
    bool ok = false;
    const int ordinal = number.toInt(&ok);
    return {ok ? ordinal : 0, token.mid(i).toUpper()};
}
