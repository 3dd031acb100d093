#pragma once

#include "store/calendarview.h"
#include "views/common/viewhooks.h"
#include "views/area/wheelaccumulator.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class AppState;
class DayView;
class ElidingLabel;
class MonthView;
class ViewRangeLoader;
class QStackedWidget;
class QTimer;
class QToolButton;
class WeekGridView;
class WeekView;
class YearView;

// The calendar column of the main window: a header with the previous,
// Today and next buttons, the title, the calendar-group chip and the mode
// buttons, above a stack of the six calendar pages. It turns the shared view
// mode, date, horizon and group into the page and titles on show, turns
// clicks, keys and sideways wheel turns back into those, and keeps the count
// of events the filter rules hide in the shown range.
class ViewArea : public QWidget
{
    Q_OBJECT
public:
    // Runs the calendar-group form on a new group (no group given) or on a
    // copy of one; returns the saved group's id, empty when cancelled.
    using GroupFormRunner =
        std::function<QString(AppState *, const std::optional<CalendarView> &, QWidget *parent)>;

    explicit ViewArea(AppState *state, QWidget *parent = nullptr);

    void navigate(int step);
    void updateTitle();
    // Asks for the count; it reaches AppState a moment later.
    void updateFilterHiddenCount();
    // A count asked for has not arrived yet.
    bool isCounting() const;
    void rebuildGroupMenu();
    void deleteCurrentGroup(const QString &id, const QString &name);

    // Until a group form is given, the add and edit entries are shown but
    // cannot be chosen.
    void setGroupFormRunner(GroupFormRunner runner);
    void setIcsImportSink(IcsImportSink sink);
    void setClock(ViewClock clock);

    QString mode() const { return m_mode; }
    QString title() const;
    QStackedWidget *stack() const { return m_stack; }
    DayView *dayView() const { return m_dayView; }
    WeekView *weekView() const { return m_weekView; }
    WeekView *daysView() const { return m_daysView; }
    WeekGridView *gridView() const { return m_gridView; }
    MonthView *monthView() const { return m_monthView; }
    YearView *yearView() const { return m_yearView; }
    QToolButton *modeButton(const QString &mode) const;
    QToolButton *horizonChip() const { return m_horizonChip; }
    QToolButton *groupChip() const { return m_groupChip; }
    int wheelAccumulator() const { return m_wheel.value(); }

public Q_SLOTS:
    void setViewMode(const QString &mode);
    void onCurrentDateChanged(const QDate &date);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildHeader();
    void buildPages();
    void connectSignals();
    void installShortcuts();
    void moveDate(qint64 days, int months = 0);
    QString weatherSuffix(const QDate &date) const;
    void countNow();
    void notePageLoaded(const ViewRangeLoader *loader, const QDateTime &from, const QDateTime &to, int hidden);

    AppState *m_appState;
    QList<QToolButton *> m_modeButtons;
    QToolButton *m_previous = nullptr;
    QToolButton *m_today = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_horizonChip = nullptr;
    QToolButton *m_groupChip = nullptr;
    ElidingLabel *m_title = nullptr;
    WheelAccumulator m_wheel;
    QStackedWidget *m_stack = nullptr;
    DayView *m_dayView = nullptr;
    WeekView *m_weekView = nullptr;
    WeekView *m_daysView = nullptr;
    WeekGridView *m_gridView = nullptr;
    MonthView *m_monthView = nullptr;
    YearView *m_yearView = nullptr;
    QString m_mode = QStringLiteral("week");
    // The count is taken from the shown page's read when that page reads
    // the counted range (every mode but the year); otherwise it is read on
    // its own.
    struct PageCount
    {
        QDateTime from;
        QDateTime to;
        int hidden = 0;
    };
    ViewRangeLoader *m_countLoader = nullptr;
    QTimer *m_countTimer = nullptr;
    QDateTime m_countFrom;
    QDateTime m_countTo;
    const ViewRangeLoader *m_countPage = nullptr;
    bool m_countByLoader = false;
    QHash<const ViewRangeLoader *, PageCount> m_pageCounts;
    GroupFormRunner m_groupFormRunner;
    ViewClock m_clock;
};
