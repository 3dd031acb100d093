#include "views/common/viewpage.h"

#include "app/appstate.h"
#include "views/common/pagereloader.h"
#include "views/common/viewrange.h"
#include "views/common/viewrangeloader.h"

ViewPage::ViewPage(AppState *appState, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
{
    // reload() and applyRange() are only called once the page is built: the
    // page asks for its first load at the end of its own constructor.
    m_reloader = new PageReloader(this, [this] { reload(); });
    // The page fills in when its load completes; the window shows before.
    m_loader = new ViewRangeLoader(m_appState, this);
    connect(m_loader, &ViewRangeLoader::loaded, this, [this](const ViewRangeData &data) { applyRange(data); });
    connect(m_appState, &AppState::activeViewChanged, m_reloader, &PageReloader::request);
    // The loader hears of the store's changes first and says when to read.
    connect(m_loader, &ViewRangeLoader::sourcesChanged, m_reloader, &PageReloader::request);
}

bool ViewPage::isLoading() const
{
    return m_loader->isLoading();
}
