#include "ui/panes/panereader.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "views/common/viewrangeloader.h"

namespace {

// Changes arrive in bursts (a sync, a cleared list): one read after them.
constexpr int ChangePauseMs = 120;

} // namespace

PaneReader::PaneReader(AppState *state, QWidget *pane, ViewRangeLoader::Sources watched)
    : QObject(pane)
    , m_pane(pane)
{
    m_changeTimer = new QTimer(this);
    m_changeTimer->setSingleShot(true);
    m_changeTimer->setInterval(ChangePauseMs);
    connect(m_changeTimer, &QTimer::timeout, this, &PaneReader::readWhenShown);
    m_loader = new ViewRangeLoader(state, this);
    connect(m_loader, &ViewRangeLoader::loaded, this, [this](const ViewRangeData &data) {
        m_arrived = true;
        Q_EMIT arrived(data.digest);
    });
    m_loader->setWatchedSources(watched);
    connect(m_loader, &ViewRangeLoader::sourcesChanged, this, &PaneReader::noteChange);
    m_pane->installEventFilter(this);
}

void PaneReader::read(const Read &read)
{
    m_changeTimer->stop();
    m_stale = false;
    ViewRangeOptions options;
    options.read = read;
    m_loader->setOptions(options);
    // A pane's list is not bound to dates; the range only names the request.
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    m_loader->request(today, today.addDays(1));
}

void PaneReader::noteChange()
{
    m_changeTimer->start();
}

bool PaneReader::isReading() const
{
    return !m_arrived || m_loader->isLoading();
}

bool PaneReader::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pane && event->type() == QEvent::Show && m_stale)
        Q_EMIT readWanted();
    return QObject::eventFilter(watched, event);
}

void PaneReader::readWhenShown()
{
    if (m_pane->isVisible())
        Q_EMIT readWanted();
    else
        m_stale = true;
}
