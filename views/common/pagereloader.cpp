#include "views/common/pagereloader.h"

#include <QEvent>
#include <QWidget>

namespace {

thread_local bool deferNewPages = false;

} // namespace

PageReloader::DeferNewPages::DeferNewPages()
    : m_previous(deferNewPages)
{
    deferNewPages = true;
}

PageReloader::DeferNewPages::~DeferNewPages()
{
    deferNewPages = m_previous;
}

PageReloader::PageReloader(QWidget *page, std::function<void()> reload)
    : QObject(page)
    , m_page(page)
    , m_reload(std::move(reload))
    , m_deferWhileHidden(deferNewPages)
{
    m_page->installEventFilter(this);
}

void PageReloader::setDeferWhileHidden(bool defer)
{
    m_deferWhileHidden = defer;
    if (!defer && m_pending)
        request();
}

void PageReloader::request()
{
    if (m_deferWhileHidden && !m_page->isVisible()) {
        m_pending = true;
        return;
    }
    m_pending = false;
    m_reload();
    Q_EMIT reloaded();
}

bool PageReloader::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_page && event->type() == QEvent::Show && m_pending) {
        m_pending = false;
        m_reload();
        Q_EMIT reloaded();
    }
    return QObject::eventFilter(watched, event);
}
