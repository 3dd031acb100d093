#include "app/tray/traymanager.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPen>
#include <QTimer>
#include <QWidget>

#include "app/appstate.h"
#include "app/notifications/traymessagemarkup.h"
#include "app/theme/plaintext.h"
#include "app/timeformatsetting.h"
#include "app/tray/traypopover.h"
#include "app/upcomingevents.h"
#include "store/eventrepository.h"
#include "views/common/viewrangeloader.h"

#include <utility>

namespace {

constexpr int ToolTipIntervalMs = 60000;
// Changes of the events within this long after the first cost one lookup.
constexpr int EventsChangedWaitMs = 250;
const QString kBaseIcon = QStringLiteral(":/icons/app-icon.png");

} // namespace

TrayManager::TrayManager(AppState *state, QWidget *mainWindow, QObject *parent, NextEventLookup nextEvent)
    : QObject(parent)
    , m_state(state)
    , m_mainWindow(mainWindow)
    , m_nextEvent(std::move(nextEvent))
{
    if (!m_nextEvent && m_state) {
        // A worker with a connection of its own reads and expands the two
        // days; the GUI thread only sets the text.
        m_loader = new ViewRangeLoader(m_state, this);
        connect(m_loader, &ViewRangeLoader::loaded, this, [this](const ViewRangeData &data) {
            showToolTip(data.digest.isValid() ? std::optional<Event>(data.digest.value<Event>()) : std::nullopt);
        });
    }
    m_eventsChangedTimer = new QTimer(this);
    m_eventsChangedTimer->setSingleShot(true);
    m_eventsChangedTimer->setInterval(EventsChangedWaitMs);
    connect(m_eventsChangedTimer, &QTimer::timeout, this, &TrayManager::updateToolTip);
}

TrayManager::~TrayManager()
{
    delete m_menu;
    // The popover is a window of its own, parented to the main window when
    // there is one; it goes with the manager.
    delete m_popover;
}

void TrayManager::setup(TrayMessageMarkup *markup)
{
    // Qt picks how the icon shows messages the first time it looks for a
    // tray, for the whole session: the panel is asked the same around it,
    // here unless the program looked before.
    m_messageMarkup = markup ? markup : new TrayMessageMarkup(QDBusConnection::sessionBus(), this);
    if (!m_messageMarkup->askAround(m_trayAvailable)) {
        if (m_messageMarkup->parent() == this)
            delete m_messageMarkup;
        m_messageMarkup = nullptr;
        return;
    }

    m_trayIcon = new QSystemTrayIcon(this);
    updateIcon();
    updateToolTip();

    m_menu = new QMenu;
    m_menu->addAction(tr("&Show Calendar"), this, &TrayManager::showMainWindow);
    m_menu->addAction(tr("Sync &Now"), this, &TrayManager::syncNowRequested);
    m_menu->addSeparator();
    m_menu->addAction(tr("&Quit"), this, [this] {
        if (m_mainWindow)
            QMetaObject::invokeMethod(m_mainWindow, "quitApplication");
        else
            QCoreApplication::quit();
    });
    m_trayIcon->setContextMenu(m_menu);

    m_popover = new WinTrayPopover(m_state, m_mainWindow);
    connect(m_popover, &WinTrayPopover::openMainWindow, this, &TrayManager::showMainWindow);
    connect(m_popover, &WinTrayPopover::requestFocusOnEvent, this, [this](const QString &eventId, const QDate &date) {
        if (m_mainWindow)
            QMetaObject::invokeMethod(m_mainWindow, "focusOnEvent", Q_ARG(QString, eventId), Q_ARG(QDate, date));
    });
    connect(m_popover, &WinTrayPopover::openSettings, this, [this] {
        if (m_mainWindow)
            QMetaObject::invokeMethod(m_mainWindow, "openSettingsDialog");
    });
    connect(m_popover, &WinTrayPopover::syncNowRequested, this, &TrayManager::syncNowRequested);

    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &TrayManager::onActivated);
    m_trayIcon->show();

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(ToolTipIntervalMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &TrayManager::updateToolTip);
    m_refreshTimer->start();

    watchEvents();
    if (m_state) {
        connect(m_state, &AppState::syncBusyChanged, this, &TrayManager::updateIcon);
        connect(m_state, &AppState::lastSyncErroredChanged, this, &TrayManager::updateIcon);
        connect(m_state, &AppState::lastSyncErroredChanged, this, &TrayManager::updateToolTip);
    }
}

void TrayManager::watchEvents()
{
    if (!m_state || !m_state->events())
        return;
    // The loader hears of the store's changes first; without one (a lookup
    // given from outside), the events are watched here.
    if (m_loader) {
        m_loader->setWatchedSources(ViewRangeLoader::Source::Events);
        connect(m_loader, &ViewRangeLoader::sourcesChanged, this, &TrayManager::onEventsChanged,
                Qt::UniqueConnection);
        return;
    }
    connect(m_state->events(), &EventRepository::eventsChanged, this, &TrayManager::onEventsChanged,
            Qt::UniqueConnection);
}

void TrayManager::onEventsChanged()
{
    // Not restarted by later changes: a long stream of them still updates
    // the tooltip every little while.
    if (!m_eventsChangedTimer->isActive())
        m_eventsChangedTimer->start();
}

void TrayManager::showMainWindow()
{
    if (m_mainWindow)
        QMetaObject::invokeMethod(m_mainWindow, "focusWindow");
}

void TrayManager::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    // The context-menu reason is Qt's own: a right click never opens the
    // popover.
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick
        && reason != QSystemTrayIcon::MiddleClick)
        return;
    togglePopover();
}

void TrayManager::togglePopover()
{
    if (!m_popover || !m_trayIcon)
        return;
    if (m_popover->isVisible()) {
        m_popover->hide();
        return;
    }
    // Trays that speak StatusNotifierItem (most Linux panels) tell no
    // geometry: the cursor stands where the user clicked.
    const QRect geometry = m_trayIcon->geometry();
    m_popover->showAt(geometry.isEmpty() ? QCursor::pos() : geometry.center());
}

QColor TrayManager::badgeColor(bool busy, bool failed)
{
    if (failed)
        return QColor(229, 57, 53);
    if (busy)
        return QColor(66, 133, 244);
    return QColor();
}

TrayManager::Badge TrayManager::badgeFor(int size)
{
    const int diameter = std::max(size * 38 / 100, 6);
    return {QRect(size - diameter, size - diameter, diameter - 1, diameter - 1), std::max(size / 24, 1)};
}

QPixmap TrayManager::badged(const QPixmap &base, const QColor &colour)
{
    QPixmap pixmap = base;
    const Badge badge = badgeFor(pixmap.width());
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 230), badge.penWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(colour);
    painter.drawEllipse(badge.circle);
    return pixmap;
}

QIcon TrayManager::badgedIcon(const QIcon &base, const QColor &colour)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        const QPixmap pixmap = base.pixmap(QSize(size, size), QIcon::Normal, QIcon::Off);
        if (pixmap.isNull())
            continue;
        icon.addPixmap(badged(pixmap, colour));
    }
    return icon;
}

void TrayManager::updateIcon()
{
    if (!m_trayIcon || !m_state)
        return;
    const QIcon base(kBaseIcon);
    const QColor colour = badgeColor(m_state->runningSyncCount() > 0, m_state->lastSyncErrored());
    m_trayIcon->setIcon(colour.isValid() ? badgedIcon(base, colour) : base);
}

bool TrayManager::isLookingUp() const
{
    return m_loader && m_loader->isLoading();
}

void TrayManager::updateToolTip()
{
    m_eventsChangedTimer->stop();
    if (!m_state)
        return;
    // While the failure stands, the next event is not looked up at all.
    if (m_state->lastSyncErrored() || !m_loader) {
        showToolTip(m_state->lastSyncErrored() || !m_nextEvent ? std::nullopt : m_nextEvent());
        return;
    }
    ViewRangeOptions options;
    options.read = [activeViewId = m_state->activeViewId()](const ViewRangeSources &sources, ViewRangeData &data) {
        const QList<Event> upcoming = UpcomingEvents::load(
            {sources.calendars, sources.events, sources.filterRules, sources.views}, activeViewId);
        if (!upcoming.isEmpty())
            data.digest = QVariant::fromValue(upcoming.first());
    };
    m_loader->setOptions(options);
    // The lookup reads today and tomorrow; the range only names the request.
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    m_loader->request(today, today.addDays(2));
}

void TrayManager::showToolTip(const std::optional<Event> &next)
{
    // A failure reported while the lookup ran still wins.
    const bool failed = m_state->lastSyncErrored();
    // A title or a server's message in it is shown as typed.
    m_toolTip = PlainText::forAutoText(toolTipText(failed, m_state->lastSyncError(), failed ? std::nullopt : next,
                                                   QDateTime::currentDateTime(), TimeFormat::pattern(m_state)));
    if (m_trayIcon)
        m_trayIcon->setToolTip(m_toolTip);
    Q_EMIT toolTipUpdated();
}

QString TrayManager::toolTipText(bool lastSyncFailed, const QString &lastSyncError,
                                 const std::optional<Event> &next, const QDateTime &now, const QString &timePattern)
{
    if (lastSyncFailed) {
        if (lastSyncError.isEmpty())
            return tr("Tindlebrook Calendar — Last sync failed");
        return tr("Tindlebrook Calendar — Sync failed: %1").arg(lastSyncError);
    }
    if (!next)
        return tr("Tindlebrook Calendar — No upcoming events");

    const QString title = next->title.isEmpty() ? tr("Untitled") : next->title;
    const QDate day = next->is_all_day ? next->start_time.date() : next->start_time.toLocalTime().date();
    const QDate today = now.date();
    const QString dayFormat = QStringLiteral("ddd, MMM d");
    if (next->is_all_day) {
        QString dayText;
        if (day == today)
            dayText = tr("today");
        else if (day == today.addDays(1))
            dayText = tr("tomorrow");
        else
            dayText = QLocale().toString(day, dayFormat);
        return tr("Tindlebrook Calendar — Next: %1 (%2, all day)").arg(title, dayText);
    }
    const QString time = QLocale().toString(next->start_time.toLocalTime(), timePattern);
    QString when;
    if (day == today)
        when = tr("at %1").arg(time);
    else if (day == today.addDays(1))
        when = tr("tomorrow at %1").arg(time);
    else
        when = QStringLiteral("%1 %2").arg(QLocale().toString(day, dayFormat), time);
    return tr("Tindlebrook Calendar — Next: %1 %2").arg(title, when);
}
