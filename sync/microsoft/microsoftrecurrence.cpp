#include "sync/microsoft/microsoftrecurrence.h"

#include <QHash>
#include <QJsonArray>
#include <QStringList>

namespace Microsoft {

namespace {

const QList<QPair<QString, QString>> &dayTable()
{
    static const QList<QPair<QString, QString>> table = {
        {QStringLiteral("SU"), QStringLiteral("sunday")},    {QStringLiteral("MO"), QStringLiteral("monday")},
        {QStringLiteral("TU"), QStringLiteral("tuesday")},   {QStringLiteral("WE"), QStringLiteral("wednesday")},
        {QStringLiteral("TH"), QStringLiteral("thursday")},  {QStringLiteral("FR"), QStringLiteral("friday")},
        {QStringLiteral("SA"), QStringLiteral("saturday")}};
    return table;
}

// Graph's week index and the BYDAY ordinal / BYSETPOS it stands for.
int ordinalFromIndex(const QString &index)
{
    static const QHash<QString, int> table = {{QStringLiteral("first"), 1},  {QStringLiteral("second"), 2},
                                              {QStringLiteral("third"), 3},  {QStringLiteral("fourth"), 4},
                                              {QStringLiteral("last"), -1}};
    return table.value(index.toLower(), 0);
}

QString indexFromOrdinal(int ordinal)
{
    switch (ordinal) {
    case 1: return QStringLiteral("first");
    case 2: return QStringLiteral("second");
    case 3: return QStringLiteral("third");
    case 4: return QStringLiteral("fourth");
    case -1: return QStringLiteral("last");
    default: return QString();
    }
}

QStringList dayCodes(const QJsonArray &days)
{
    QStringList codes;
    for (const QJsonValue &day : days) {
        const QString code = codeFromGraphDay(day.toString());
        if (!code.isEmpty() && !codes.contains(code))
            codes.append(code);
    }
    return codes;
}

// BYDAY for a relative pattern: "2TU" for one day, "MO,TU,...;BYSETPOS=1"
// when the index picks among several days.
QString relativeDays(const QJsonObject &pattern)
{
    const QStringList codes = dayCodes(pattern.value(QStringLiteral("daysOfWeek")).toArray());
    const int ordinal = ordinalFromIndex(pattern.value(QStringLiteral("index")).toString(QStringLiteral("first")));
    if (codes.isEmpty() || ordinal == 0)
        return QString();
    if (codes.size() == 1)
        return QStringLiteral("BYDAY=%1%2").arg(ordinal).arg(codes.first());
    return QStringLiteral("BYDAY=%1;BYSETPOS=%2").arg(codes.join(QLatin1Char(','))).arg(ordinal);
}

// The rule parts for the pattern's own fields; empty when they cannot be
// expressed.
QStringList patternParts(const QJsonObject &pattern)
{
    const QString type = pattern.value(QStringLiteral("type")).toString();
    const int dayOfMonth = pattern.value(QStringLiteral("dayOfMonth")).toInt();
    const int month = pattern.value(QStringLiteral("month")).toInt();
    if (type == QLatin1String("daily"))
        return {QStringLiteral("FREQ=DAILY")};
    if (type == QLatin1String("weekly")) {
        const QStringList codes = dayCodes(pattern.value(QStringLiteral("daysOfWeek")).toArray());
        if (codes.isEmpty())
            return {QStringLiteral("FREQ=WEEKLY")};
        return {QStringLiteral("FREQ=WEEKLY"), QStringLiteral("BYDAY=") + codes.join(QLatin1Char(','))};
    }
    if (type == QLatin1String("absoluteMonthly")) {
        if (dayOfMonth < 1 || dayOfMonth > 31)
            return {};
        return {QStringLiteral("FREQ=MONTHLY"), QStringLiteral("BYMONTHDAY=%1").arg(dayOfMonth)};
    }
    if (type == QLatin1String("relativeMonthly")) {
        const QString days = relativeDays(pattern);
        if (days.isEmpty())
            return {};
        return {QStringLiteral("FREQ=MONTHLY"), days};
    }
    if (month < 1 || month > 12)
        return {};
    if (type == QLatin1String("absoluteYearly")) {
        if (dayOfMonth < 1 || dayOfMonth > 31)
            return {};
        return {QStringLiteral("FREQ=YEARLY"), QStringLiteral("BYMONTH=%1").arg(month),
                QStringLiteral("BYMONTHDAY=%1").arg(dayOfMonth)};
    }
    if (type == QLatin1String("relativeYearly")) {
        const QString days = relativeDays(pattern);
        if (days.isEmpty())
            return {};
        return {QStringLiteral("FREQ=YEARLY"), QStringLiteral("BYMONTH=%1").arg(month), days};
    }
    return {};
}

QHash<QString, QString> ruleParts(const QString &rrule)
{
    QHash<QString, QString> parts;
    for (const QString &piece : rrule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int equals = piece.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        parts.insert(piece.left(equals).trimmed().toUpper(), piece.mid(equals + 1).trimmed());
    }
    return parts;
}

struct WeekDay
{
    int ordinal = 0;
    QString day; // Graph's name
};

// "2TU", "-1FR", "MO"; an empty day for anything else.
WeekDay readWeekDay(const QString &text)
{
    const QString upper = text.trimmed().toUpper();
    WeekDay result;
    if (upper.size() < 2)
        return result;
    const QString code = upper.right(2);
    const QString number = upper.left(upper.size() - 2);
    bool ok = true;
    result.ordinal = number.isEmpty() ? 0 : number.toInt(&ok);
    if (ok)
        result.day = graphDayFromCode(code);
    return result;
}

// The relative part of a monthly or yearly rule: days and index. False
// when the rule names weekdays Graph's index cannot hold.
bool readRelative(const QHash<QString, QString> &parts, QJsonObject *pattern)
{
    QJsonArray days;
    int ordinal = 0;
    bool first = true;
    for (const QString &piece : parts.value(QStringLiteral("BYDAY")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const WeekDay day = readWeekDay(piece);
        if (day.day.isEmpty() || (!first && day.ordinal != ordinal))
            return false;
        ordinal = day.ordinal;
        first = false;
        days.append(day.day);
    }
    if (parts.contains(QStringLiteral("BYSETPOS"))) {
        if (ordinal != 0)
            return false;
        ordinal = parts.value(QStringLiteral("BYSETPOS")).toInt();
    }
    const QString index = indexFromOrdinal(ordinal);
    if (days.isEmpty() || index.isEmpty())
        return false;
    pattern->insert(QStringLiteral("daysOfWeek"), days);
    pattern->insert(QStringLiteral("index"), index);
    return true;
}

// Month days Graph can hold: 1 to 31.
bool readMonthDay(const QHash<QString, QString> &parts, int fallback, int *day)
{
    if (!parts.contains(QStringLiteral("BYMONTHDAY"))) {
        *day = fallback;
        return true;
    }
    bool ok = false;
    *day = parts.value(QStringLiteral("BYMONTHDAY")).toInt(&ok);
    return ok && *day >= 1 && *day <= 31;
}

QJsonObject rangeFor(const QHash<QString, QString> &parts, const QDate &firstDay, const QDate &lastDay)
{
    QJsonObject range;
    range.insert(QStringLiteral("startDate"), firstDay.toString(Qt::ISODate));
    const QString until = parts.value(QStringLiteral("UNTIL"));
    if (parts.contains(QStringLiteral("UNTIL"))) {
        if (lastDay.isValid()) {
            range.insert(QStringLiteral("type"), QStringLiteral("endDate"));
            range.insert(QStringLiteral("endDate"), lastDay.toString(Qt::ISODate));
        } else if (until.size() >= 8) {
            range.insert(QStringLiteral("type"), QStringLiteral("endDate"));
            range.insert(QStringLiteral("endDate"),
                         QStringLiteral("%1-%2-%3").arg(until.left(4), until.mid(4, 2), until.mid(6, 2)));
        }
        return range;
    }
    if (parts.contains(QStringLiteral("COUNT"))) {
        range.insert(QStringLiteral("type"), QStringLiteral("numbered"));
        range.insert(QStringLiteral("numberOfOccurrences"), parts.value(QStringLiteral("COUNT")).toInt());
        return range;
    }
    range.insert(QStringLiteral("type"), QStringLiteral("noEnd"));
    return range;
}

} // namespace

QString graphDayFromCode(const QString &code)
{
    const QString upper = code.toUpper();
    for (const auto &entry : dayTable()) {
        if (entry.first == upper)
            return entry.second;
    }
    return QString();
}

QString codeFromGraphDay(const QString &day)
{
    const QString lower = day.toLower();
    for (const auto &entry : dayTable()) {
        if (entry.second == lower)
            return entry.first;
    }
    return QString();
}

QString recurrenceToRrule(const QJsonObject &recurrence)
{
    const QJsonObject pattern = recurrence.value(QStringLiteral("pattern")).toObject();
    if (pattern.isEmpty())
        return QString();
    QStringList parts = patternParts(pattern);
    if (parts.isEmpty())
        return QString();
    const int interval = pattern.value(QStringLiteral("interval")).toInt(1);
    if (interval >= 2)
        parts.append(QStringLiteral("INTERVAL=%1").arg(interval));
    const QJsonObject range = recurrence.value(QStringLiteral("range")).toObject();
    const QString rangeType = range.value(QStringLiteral("type")).toString();
    const QString endDate = range.value(QStringLiteral("endDate")).toString();
    const int count = range.value(QStringLiteral("numberOfOccurrences")).toInt();
    if (rangeType == QLatin1String("endDate") && !endDate.isEmpty())
        parts.append(QStringLiteral("UNTIL=") + QString(endDate).remove(QLatin1Char('-')));
    else if (rangeType == QLatin1String("numbered") && count >= 1)
        parts.append(QStringLiteral("COUNT=%1").arg(count));
    return parts.join(QLatin1Char(';'));
}

QJsonObject rruleToRecurrence(const QString &rrule, const QDate &firstDay, const QDate &lastDay)
{
    const QHash<QString, QString> parts = ruleParts(rrule);
    QJsonObject pattern;
    const QString interval = parts.value(QStringLiteral("INTERVAL"));
    pattern.insert(QStringLiteral("interval"), interval.isEmpty() ? 1 : interval.toInt());
    const QString freq = parts.value(QStringLiteral("FREQ"));
    const bool relative = !parts.value(QStringLiteral("BYDAY")).isEmpty();
    if (freq == QLatin1String("DAILY")) {
        pattern.insert(QStringLiteral("type"), QStringLiteral("daily"));
    } else if (freq == QLatin1String("WEEKLY")) {
        pattern.insert(QStringLiteral("type"), QStringLiteral("weekly"));
        QJsonArray days;
        for (const QString &piece : parts.value(QStringLiteral("BYDAY")).split(QLatin1Char(','))) {
            const QString day = graphDayFromCode(piece.trimmed());
            if (!day.isEmpty())
                days.append(day);
        }
        // Graph refuses a weekly pattern without days: the start's weekday
        // is the one an RRULE without BYDAY means.
        if (days.isEmpty() && firstDay.isValid())
            days.append(graphDayFromCode(dayTable().at(firstDay.dayOfWeek() % 7).first));
        pattern.insert(QStringLiteral("daysOfWeek"), days);
    } else if (freq == QLatin1String("MONTHLY") || freq == QLatin1String("YEARLY")) {
        const bool yearly = freq == QLatin1String("YEARLY");
        if (yearly) {
            const int month = parts.value(QStringLiteral("BYMONTH"), QString::number(firstDay.month())).toInt();
            if (month < 1 || month > 12)
                return QJsonObject();
            pattern.insert(QStringLiteral("month"), month);
        }
        if (relative) {
            if (!readRelative(parts, &pattern))
                return QJsonObject();
            pattern.insert(QStringLiteral("type"), yearly ? QStringLiteral("relativeYearly")
                                                          : QStringLiteral("relativeMonthly"));
        } else {
            int day = 0;
            if (!readMonthDay(parts, firstDay.day(), &day))
                return QJsonObject();
            pattern.insert(QStringLiteral("dayOfMonth"), day);
            pattern.insert(QStringLiteral("type"), yearly ? QStringLiteral("absoluteYearly")
                                                          : QStringLiteral("absoluteMonthly"));
        }
    } else {
        return QJsonObject();
    }
    return QJsonObject{{QStringLiteral("pattern"), pattern}, {QStringLiteral("range"), rangeFor(parts, firstDay, lastDay)}};
}

} // namespace Microsoft
