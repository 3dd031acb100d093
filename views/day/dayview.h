#pragma once

#include "views/common/eventedits.h"
#include "views/common/viewhooks.h"

#include <QDate>
#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTime>
#include <QWidget>

class AllDayStrip;
class AppState;
class DayTimelineWidget;
class PageReloader;
class QScrollArea;
class QTimer;
class ViewRangeLoader;
struct ViewRangeData;

// The page of one day: the all-day strip above the scrolling timeline. It
// loads the day's events of the active calendar group with the filter rules
// applied, follows the shared selection, zoom and density, scrolls to the
// working day when first shown, and turns the widgets' signals into the
// popover, the event form and the edits with undo.
class DayView : public QWidget
{
    Q_OBJECT
public:
    explicit DayView(AppState *appState, QWidget *parent = nullptr);

    void setDate(const QDate &date);
    QDate date() const { return m_date; }
    // Asks for the day's events; they arrive a moment later (rangeLoaded()).
    void reload();
    // A load asked for has not arrived yet.
    bool isLoading() const;
    void scrollToWorkday();

    void setClock(ViewClock clock);
    void setPopoverFactory(EventPopoverFactory factory);
    void setIcsImportSink(IcsImportSink sink);

    PageReloader *reloader() const { return m_reloader; }
    DayTimelineWidget *timeline() const { return m_timeline; }
    AllDayStrip *allDayStrip() const { return m_allDayStrip; }
    QScrollArea *scrollArea() const { return m_scrollArea; }
    bool isFirstShowPending() const { return m_firstShowPending; }

    void onEventSelected(const QString &eventId, const QDateTime &occurrenceStart, const QRect &anchorRect);
    void onEventActivated(const QString &eventId);
    void onEmptySlotActivated(const QTime &time);
    void onEventMoveRequested(const QString &eventId, const QDateTime &instanceStart, int minuteOffset);
    void onEventResizeRequested(const QString &eventId, const QDateTime &instanceStart, int minuteDelta);
    void showEventContextMenu(const QString &eventId, const QPoint &globalPos);

Q_SIGNALS:
    // The day's events have been read and applied.
    void rangeLoaded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectSignals();
    void applyRange(const ViewRangeData &data);

    AppState *m_appState;
    bool m_firstShowPending = true;
    AllDayStrip *m_allDayStrip = nullptr;
    QScrollArea *m_scrollArea = nullptr;
    DayTimelineWidget *m_timeline = nullptr;
    QDate m_date;
    QTimer *m_nowTimer = nullptr;
    PageReloader *m_reloader = nullptr;
    ViewRangeLoader *m_loader = nullptr;
    ViewClock m_clock;
    EventPopoverFactory m_popoverFactory;
};
