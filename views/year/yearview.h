#pragma once

#include "store/event.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QSet>
#include <QString>
#include <QWidget>

class AppState;
class PageReloader;
class QScrollArea;
class ViewRangeLoader;
class YearGridWidget;
struct ViewRangeData;

// The year page: marks the days of the shown year on which a visible event
// starts and asks for a day when one is clicked. A new date inside the same
// year reloads nothing.
class YearView : public QWidget
{
    Q_OBJECT
public:
    explicit YearView(AppState *state, QWidget *parent = nullptr);

    void setDate(const QDate &date);
    QDate date() const { return m_date; }
    // Asks for the year's events; they arrive a moment later.
    void reload();
    // A load asked for has not arrived yet.
    bool isLoading() const;

    // The days of the year on which a kept event starts, each with the
    // colour of its first event in list order.
    struct BusyDays
    {
        QSet<QDate> days;
        QHash<QDate, QString> dotColors;
    };
    static BusyDays busyDaysOf(const QList<Event> &events, const QHash<QString, QString> &calendarColors, int year);

    YearGridWidget *grid() const { return m_grid; }
    QScrollArea *scrollArea() const { return m_scrollArea; }
    PageReloader *reloader() const { return m_reloader; }

Q_SIGNALS:
    void dayActivated(const QDate &date);

private:
    void applyRange(const ViewRangeData &data);

    AppState *m_appState;
    QScrollArea *m_scrollArea = nullptr;
    YearGridWidget *m_grid = nullptr;
    QDate m_date;
    PageReloader *m_reloader = nullptr;
    ViewRangeLoader *m_loader = nullptr;
};

Q_DECLARE_METATYPE(YearView::BusyDays)
