#pragma once

#include "store/event.h"
#include "views/common/eventcellswidget.h"
#include "views/common/viewhooks.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

class AppState;

// The painted six weeks of the month view: a row of weekday names over 7 × 6
// day cells, each with its day number, weather and one line per event that
// starts on the day, as many as fit, then "+N more". It turns clicks,
// double-clicks, menus and drops into signals and task drops; it never
// reads the store.
class MonthGridWidget : public EventCellsWidget
{
    Q_OBJECT
public:
    static constexpr int HeaderHeight = 28;
    static constexpr int MinDayWidth = 56;
    static constexpr int MinRowHeight = 40;

    explicit MonthGridWidget(AppState *appState, QWidget *parent = nullptr);

    void setContent(const QDate &shownDate, const QList<Event> &events, const QHash<QString, QString> &calendarColors,
                    const QSet<QString> &dimmedIds, const QHash<QDate, QString> &weatherLabels);
    void setCompact(bool compact);
    void setFirstDayOfWeek(int day);
    void setIcsImportSink(IcsImportSink sink);

    QDate shownDate() const { return m_shownDate; }
    bool isCompact() const { return m_compact; }
    int firstDayOfWeek() const { return m_firstDayOfWeek; }
    // The first of the 42 days.
    QDate gridStart() const;
    QRect cellRect(int row, int column) const;
    // Lines an event list of a cell can use, the overflow line included.
    int lineCapacity(const QRect &cell) const;
    const QList<EventHitRect> &hitRects() const { return m_eventHits; }
    // The overflow text of each cell drawn by the last paint, by date.
    const QHash<QDate, QString> &overflowTexts() const { return m_overflowTexts; }

    QSize sizeHint() const override;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    int chipHeight() const { return m_compact ? 13 : 16; }
    int lineStep() const { return chipHeight() + (m_compact ? 1 : 2); }
    void paintCell(QPainter &painter, const QRect &cell, const QDate &date, const QList<const Event *> &events);

    AppState *m_appState;
    QDate m_shownDate;
    QList<Event> m_events;
    QHash<QString, QString> m_calendarColors;
    QSet<QString> m_dimmedIds;
    QHash<QDate, QString> m_weatherLabels;
    bool m_compact = false;
    int m_firstDayOfWeek = 1;
    QHash<QDate, QString> m_overflowTexts;
    IcsImportSink m_icsImportSink;
};
