#pragma once

#include <QWidget>

class AppState;
class PageReloader;
class ViewRangeLoader;
struct ViewRangeData;

// A calendar page that shows a date range read off the GUI thread. Its
// PageReloader runs reload() on a switch of the active calendar group and on
// a change of what the range is read from (the loader says which); the page
// asks its ViewRangeLoader for its range and shows what arrives in
// applyRange().
class ViewPage : public QWidget
{
    Q_OBJECT
public:
    // Asks for the page's range; its events arrive a moment later.
    virtual void reload() = 0;
    // A load asked for has not arrived yet.
    bool isLoading() const;
    PageReloader *reloader() const { return m_reloader; }

protected:
    ViewPage(AppState *appState, QWidget *parent);

    virtual void applyRange(const ViewRangeData &data) = 0;
    AppState *appState() const { return m_appState; }
    ViewRangeLoader *loader() const { return m_loader; }

private:
    AppState *m_appState;
    PageReloader *m_reloader = nullptr;
    ViewRangeLoader *m_loader = nullptr;
};
