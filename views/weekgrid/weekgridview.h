#pragma once

#include "views/common/eventedits.h"
#include "views/common/viewhooks.h"

#include <QDate>
#include <QWidget>

class AppState;
class PageReloader;
class ViewRangeLoader;
struct ViewRangeData;
class WeekGridWidget;

// The grid page: eight day cards from the current date. It loads the days'
// events of the active calendar group with the filter rules applied and the
// weather, and turns the cards' signals into the popover, the event form,
// the event menu and a request to open a day.
class WeekGridView : public QWidget
{
    Q_OBJECT
public:
    explicit WeekGridView(AppState *appState, QWidget *parent = nullptr);
    ~WeekGridView() override;

    // Asks for the eight days' events; they arrive a moment later.
    void reload();
    // A load asked for has not arrived yet.
    bool isLoading() const;
    void onDensityChanged(const QString &mode, const QString &density);
    void setPopoverFactory(EventPopoverFactory factory);

    WeekGridWidget *widget() const { return m_widget; }
    PageReloader *reloader() const { return m_reloader; }

Q_SIGNALS:
    void dayActivated(const QDate &date);

private:
    void applyRange(const ViewRangeData &data);

    AppState *m_appState;
    WeekGridWidget *m_widget = nullptr;
    PageReloader *m_reloader = nullptr;
    ViewRangeLoader *m_loader = nullptr;
    EventPopoverFactory m_popoverFactory;
};
