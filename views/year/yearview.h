#pragma once

#include "store/event.h"
#include "views/common/viewpage.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QSet>
#include <QString>

class QScrollArea;
class YearGridWidget;

// The year page: marks the days of the shown year on which a visible event
// starts and asks for a day when one is clicked. A new date inside the same
// year reloads nothing.
class YearView : public ViewPage
{
    Q_OBJECT
public:
    explicit YearView(AppState *state, QWidget *parent = nullptr);

    void setDate(const QDate &date);
    QDate date() const { return m_date; }
    // Asks for the year's events; they arrive a moment later.
    void reload() override;

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

Q_SIGNALS:
    void dayActivated(const QDate &date);

protected:
    void applyRange(const ViewRangeData &data) override;

private:
    QScrollArea *m_scrollArea = nullptr;
    YearGridWidget *m_grid = nullptr;
    QDate m_date;
};

Q_DECLARE_METATYPE(YearView::BusyDays)
