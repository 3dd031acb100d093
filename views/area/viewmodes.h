#pragma once

#include <QDate>
#include <QString>

// What each mode of the view area shows: its page, its title, how far one
// step moves and the range its hidden events are counted over. The keys are
// those stored in "ui/viewMode".
namespace ViewModes {

struct Span
{
    QDate start;
    int days = 0;

    bool operator==(const Span &other) const { return start == other.start && days == other.days; }
};

// "agenda" and "list" are shown as "week".
QString normalize(const QString &mode);
// The stack page of a mode; -1 for a key no page shows.
int pageOf(const QString &mode);
// The date one step (+1 or -1) away; Ctrl shortens the days step to a day
// and lengthens the grid step to a week.
QDate step(const QString &mode, const QDate &date, int step, bool control, int horizon);
// The days whose hidden events the status bar counts.
Span countedRange(const QString &mode, const QDate &date, Qt::DayOfWeek firstDay, int horizon);
// "Mar 3 – 9, 2025", or "Dec 29 – Jan 4, 2026" across months.
QString rangeTitle(const QDate &start, const QDate &end);
// The header title; weatherSuffix is appended in day mode.
QString title(const QString &mode, const QDate &date, Qt::DayOfWeek firstDay, int horizon, const QDate &today,
              const QString &weatherSuffix);

} // namespace ViewModes
