#pragma once

#include "views/common/eventedits.h"
#include "views/common/viewhooks.h"
#include "views/common/viewpage.h"

#include <QDate>

class WeekGridWidget;

// The grid page: eight day cards from the current date. It loads the days'
// events of the active calendar group with the filter rules applied and the
// weather, and turns the cards' signals into the popover, the event form,
// the event menu and a request to open a day.
class WeekGridView : public ViewPage
{
    Q_OBJECT
public:
    explicit WeekGridView(AppState *appState, QWidget *parent = nullptr);
    ~WeekGridView() override;

    // Asks for the eight days' events; they arrive a moment later.
    void reload() override;
    void onDensityChanged(const QString &mode, const QString &density);
    void setPopoverFactory(EventPopoverFactory factory);

    WeekGridWidget *widget() const { return m_widget; }

Q_SIGNALS:
    void dayActivated(const QDate &date);

protected:
    void applyRange(const ViewRangeData &data) override;

private:
    WeekGridWidget *m_widget = nullptr;
    EventPopoverFactory m_popoverFactory;
};
