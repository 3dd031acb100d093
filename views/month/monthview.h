#pragma once

#include "views/common/eventedits.h"
#include "views/common/viewhooks.h"

#include <QDate>
#include <QWidget>

class AppState;
class MonthGridWidget;
class PageReloader;
class ViewRangeLoader;
struct ViewRangeData;

// The month page: loads the six weeks around the shown month (events of the
// active calendar group with the filter rules applied, and the weather) into
// its painted grid, and turns the grid's signals into the popover, the event
// form and the event menu.
class MonthView : public QWidget
{
    Q_OBJECT
public:
    explicit MonthView(AppState *state, QWidget *parent = nullptr);

    void setDate(const QDate &date);
    QDate date() const { return m_date; }
    // Asks for the six weeks' events; they arrive a moment later.
    void reload();
    // A load asked for has not arrived yet.
    bool isLoading() const;
    void onEventContextRequested(const QString &eventId, const QPoint &globalPos);

    void setPopoverFactory(EventPopoverFactory factory);
    void setIcsImportSink(IcsImportSink sink);
    MonthGridWidget *grid() const { return m_grid; }
    PageReloader *reloader() const { return m_reloader; }

private:
    void applyRange(const ViewRangeData &data);

    AppState *m_appState;
    MonthGridWidget *m_grid = nullptr;
    QDate m_date;
    PageReloader *m_reloader = nullptr;
    ViewRangeLoader *m_loader = nullptr;
    EventPopoverFactory m_popoverFactory;
};
