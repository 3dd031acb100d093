#pragma once

#include "views/common/eventedits.h"
#include "views/common/viewhooks.h"

#include <QDate>
#include <QList>
#include <QWidget>

class AllDayStrip;
class AppState;
class PageReloader;
class QLabel;
class QScrollArea;
class QTimer;
class ViewRangeLoader;
class WeekTimelineWidget;
struct ViewRangeData;

// A run of days as a timeline: a header with one label per day, the all-day
// strip and the scrolling week timeline. In week mode it shows the calendar
// week around the view date, otherwise the week horizon's days from it. It
// loads its events itself, follows the shared selection, zoom and density,
// and turns the widgets' signals into the popover, the event form, the menu
// and moves and resizes with undo.
class WeekView : public QWidget
{
    Q_OBJECT
public:
    WeekView(AppState *appState, bool weekMode, QWidget *parent = nullptr);

    void refresh(const QDate &date);
    // Asks for the range's events; they arrive a moment later (rangeLoaded()).
    void reload();
    // A load asked for has not arrived yet.
    bool isLoading() const;
    void updateDayHeaders();
    void scrollToWorkday();

    QDate viewDate() const { return m_viewDate; }
    QDate rangeStart() const;
    int dayCount() const;
    bool isWeekMode() const { return m_weekMode; }
    // "week" or "days": the key of its density setting.
    QString densityKey() const;

    void setClock(ViewClock clock);
    void setPopoverFactory(EventPopoverFactory factory);
    void setIcsImportSink(IcsImportSink sink);

    PageReloader *reloader() const { return m_reloader; }
    WeekTimelineWidget *timeline() const { return m_timeline; }
    AllDayStrip *allDayStrip() const { return m_allDayStrip; }
    QScrollArea *scrollArea() const { return m_scrollArea; }
    // Scrolls the header, the strip and the timeline sideways together.
    QScrollArea *sidewaysScrollArea() const { return m_sideways; }
    const QList<QLabel *> &headerLabels() const { return m_headerLabels; }
    bool isFirstShowPending() const { return m_firstShow; }

    void onEventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int dayDelta,
                              int minuteOffset);
    void onEventResizeRequested(const QString &eventId, const QDateTime &instanceStart, int minuteDelta);
    void showEventContextMenu(const QString &eventId, const QPoint &globalPos);

Q_SIGNALS:
    // The range's events have been read and applied.
    void rangeLoaded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectSignals();
    void applyRange(const ViewRangeData &data);
    void placeDayHeaders();

    AppState *m_appState;
    bool m_weekMode;
    bool m_firstShow = true;
    QScrollArea *m_sideways = nullptr;
    QWidget *m_page = nullptr;
    QWidget *m_headerRow = nullptr;
    QList<QLabel *> m_headerLabels;
    AllDayStrip *m_allDayStrip = nullptr;
    QScrollArea *m_scrollArea = nullptr;
    WeekTimelineWidget *m_timeline = nullptr;
    QDate m_viewDate;
    QTimer *m_nowTimer = nullptr;
    PageReloader *m_reloader = nullptr;
    ViewRangeLoader *m_loader = nullptr;
    ViewClock m_clock;
    EventPopoverFactory m_popoverFactory;
};
