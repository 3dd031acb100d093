#pragma once

#include "views/common/eventedits.h"
#include "views/common/viewhooks.h"
#include "views/common/viewpage.h"

#include <QDate>
#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QString>

class AllDayStrip;
class QScrollArea;
class QTimer;
class TimelineWidget;

// What the day and week pages share: the all-day strip above a timeline in
// a scroll area. The page follows the shared selection, zoom and density,
// keeps the now line moving, scrolls to the working day when first shown,
// and turns the strip's and the timeline's signals into the popover, the
// event form, the menu and resizes with undo. Each page lays the two out,
// says which days it shows, and handles empty slots and moves itself.
class TimelinePage : public ViewPage
{
    Q_OBJECT
public:
    void scrollToWorkday();

    virtual void setClock(ViewClock clock);
    void setPopoverFactory(EventPopoverFactory factory);
    void setIcsImportSink(IcsImportSink sink);

    AllDayStrip *allDayStrip() const { return m_allDayStrip; }
    QScrollArea *scrollArea() const { return m_scrollArea; }
    bool isFirstShowPending() const { return m_firstShowPending; }

    void onEventSelected(const QString &eventId, const QDateTime &occurrenceStart, const QRect &anchorRect);
    void onEventActivated(const QString &eventId);
    void onEventResizeRequested(const QString &eventId, const QDateTime &instanceStart, int minuteDelta);
    void showEventContextMenu(const QString &eventId, const QPoint &globalPos);

Q_SIGNALS:
    // The shown days' events have been read and applied.
    void rangeLoaded();

protected:
    TimelinePage(AppState *appState, QWidget *parent);

    // Makes the strip and the scroll area in `holder`, puts `timeline` in
    // the scroll area and wires the three; the page lays them out.
    // `densityKey` names the page's density setting; the now line is
    // repainted every `nowLineInterval` milliseconds.
    void setUpTimeline(QWidget *holder, TimelineWidget *timeline, const QString &densityKey, int nowLineInterval);
    // Whether `day` is one of the days shown, for the first scroll.
    virtual bool showsDay(const QDate &day) const = 0;
    const ViewClock &clock() const { return m_clock; }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectTimeline();

    bool m_firstShowPending = true;
    QString m_densityKey;
    AllDayStrip *m_allDayStrip = nullptr;
    QScrollArea *m_scrollArea = nullptr;
    TimelineWidget *m_timeline = nullptr;
    QTimer *m_nowTimer = nullptr;
    ViewClock m_clock;
    EventPopoverFactory m_popoverFactory;
};
