#pragma once

#include "views/common/eventedits.h"
#include "views/common/viewhooks.h"
#include "views/common/viewpage.h"

#include <QDate>

class MonthGridWidget;

// The month page: loads the six weeks around the shown month (events of the
// active calendar group with the filter rules applied, and the weather) into
// its painted grid, and turns the grid's signals into the popover, the event
// form and the event menu.
class MonthView : public ViewPage
{
    Q_OBJECT
public:
    explicit MonthView(AppState *state, QWidget *parent = nullptr);

    void setDate(const QDate &date);
    QDate date() const { return m_date; }
    // Asks for the six weeks' events; they arrive a moment later.
    void reload() override;
    void onEventContextRequested(const QString &eventId, const QPoint &globalPos);

    void setPopoverFactory(EventPopoverFactory factory);
    void setIcsImportSink(IcsImportSink sink);
    MonthGridWidget *grid() const { return m_grid; }

protected:
    void applyRange(const ViewRangeData &data) override;

private:
    MonthGridWidget *m_grid = nullptr;
    QDate m_date;
    EventPopoverFactory m_popoverFactory;
};
