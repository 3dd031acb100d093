#include "views/area/viewmodes.h"

#include <QCoreApplication>
#include <QLocale>

#include "views/common/viewdates.h"

#include <algorithm>

namespace ViewModes {

QString normalize(const QString &mode)
{
    if (mode == QLatin1String("agenda") || mode == QLatin1String("list"))
        return QStringLiteral("week");
    return mode;
}

int pageOf(const QString &mode)
{
    static const QStringList pages = {QStringLiteral("day"),  QStringLiteral("week"),  QStringLiteral("days"),
                                      QStringLiteral("grid"), QStringLiteral("month"), QStringLiteral("year")};
    return int(pages.indexOf(mode));
}

QDate step(const QString &mode, const QDate &date, int step, bool control, int horizon)
{
    if (mode == QLatin1String("year"))
        return date.addYears(step);
    if (mode == QLatin1String("month"))
        return date.addMonths(step);
    int days = 1;
    if (mode == QLatin1String("week"))
        days = 7;
    else if (mode == QLatin1String("days"))
        days = control ? 1 : std::max(horizon, 1);
    else if (mode == QLatin1String("grid"))
        days = control ? 7 : 1;
    return date.addDays(qint64(days) * step);
}

Span countedRange(const QString &mode, const QDate &date, Qt::DayOfWeek firstDay, int horizon)
{
    if (mode == QLatin1String("day"))
        return {date, 1};
    if (mode == QLatin1String("week"))
        return {ViewDates::weekStart(date, firstDay), 7};
    if (mode == QLatin1String("days"))
        return {date, std::max(2, horizon)};
    if (mode == QLatin1String("grid"))
        return {date, 8};
    if (mode == QLatin1String("month") || mode == QLatin1String("year"))
        return {ViewDates::monthGridStart(date, firstDay), 42};
    return {date, 7};
}

QString rangeTitle(const QDate &start, const QDate &end)
{
    const QString separator = QStringLiteral(" – ");
    const QLocale locale;
    if (start.month() == end.month())
        return locale.toString(start, QStringLiteral("MMM d")) + separator
               + locale.toString(end, QStringLiteral("d, yyyy"));
    return locale.toString(start, QStringLiteral("MMM d")) + separator
           + locale.toString(end, QStringLiteral("MMM d, yyyy"));
}

QString title(const QString &mode, const QDate &date, Qt::DayOfWeek firstDay, int horizon, const QDate &today,
              const QString &weatherSuffix)
{
    if (mode == QLatin1String("year"))
        return date.toString(QStringLiteral("yyyy"));
    if (mode == QLatin1String("month"))
        return QLocale().toString(date, QStringLiteral("MMMM yyyy"));
    if (mode == QLatin1String("week")) {
        const QDate start = ViewDates::weekStart(date, firstDay);
        return rangeTitle(start, start.addDays(6));
    }
    if (mode == QLatin1String("days"))
        return rangeTitle(date, date.addDays(std::max(horizon - 1, 1)));
    if (mode == QLatin1String("grid"))
        return rangeTitle(date, date.addDays(7));
    QString text = QLocale().toString(date, QStringLiteral("dddd, MMMM d, yyyy"));
    if (date == today)
        text = QCoreApplication::translate("ViewArea", "Today · %1").arg(text);
    return text + weatherSuffix;
}

} // namespace ViewModes
