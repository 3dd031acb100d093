#include "app/notifications/traymessagemarkup.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QStringList>

#include <utility>

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kNotificationsService = QStringLiteral("org.freedesktop.Notifications");
const QString kNotificationsPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

TrayMessageMarkup::TrayMessageMarkup(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
}

void TrayMessageMarkup::whenKnown(std::function<void(bool markup)> known)
{
    if (m_known) {
        known(*m_known);
        return;
    }
    m_waiting.append(std::move(known));
    askAfterIcon();
    if (m_ownBalloon.has_value() && !*m_ownBalloon && !m_askingService)
        askForCapabilities();
}

bool TrayMessageMarkup::askAround(const std::function<bool()> &look)
{
    askBeforeIcon();
    const bool found = look();
    askAfterIcon();
    return found;
}

void TrayMessageMarkup::askBeforeIcon()
{
    if (m_before != Panel::Unasked)
        return;
    watchPanel(true);
    askPanel(&m_before);
}

void TrayMessageMarkup::askAfterIcon()
{
    if (m_after != Panel::Unasked)
        return;
    if (m_before == Panel::Unasked)
        m_before = Panel::Service;
    askPanel(&m_after);
}

void TrayMessageMarkup::askPanel(Panel *answer)
{
    // Without a bus Qt finds no watcher either.
    if (!m_bus.isConnected()) {
        *answer = Panel::Balloon;
        choosePath();
        return;
    }
    *answer = Panel::Asking;
    // Asked as Qt asks: the watcher's property; no watcher, or one that
    // says no host, and Qt draws its own balloon.
    QDBusMessage call = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath,
                                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Get"));
    call << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, m_callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, answer](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *finished;
        // A watcher that does not answer in time may still answer Qt, which
        // waits longer: the service may get the messages.
        if (reply.isError())
            *answer = reply.error().type() == QDBusError::ServiceUnknown ? Panel::Balloon : Panel::Service;
        else
            *answer = reply.value().variant().toBool() ? Panel::Service : Panel::Balloon;
        choosePath();
    });
}

// A panel (re)starting between the two questions may have answered Qt
// otherwise than both of them: its watcher's coming and going, and its host
// registering or leaving, reach this connection before the later answer.
void TrayMessageMarkup::watchPanel(bool watched)
{
    const QString hostRegistered = QStringLiteral("StatusNotifierHostRegistered");
    const QString hostUnregistered = QStringLiteral("StatusNotifierHostUnregistered");
    if (!watched) {
        delete m_watcherOwner;
        m_watcherOwner = nullptr;
        m_bus.disconnect(QString(), kWatcherPath, kWatcherService, hostRegistered, this, SLOT(panelChanged()));
        m_bus.disconnect(QString(), kWatcherPath, kWatcherService, hostUnregistered, this, SLOT(panelChanged()));
        return;
    }
    if (!m_bus.isConnected())
        return;
    m_watcherOwner = new QDBusServiceWatcher(kWatcherService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcherOwner, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayMessageMarkup::panelChanged);
    // Any sender: naming the watcher here would look its owner up while
    // the window waits.
    m_bus.connect(QString(), kWatcherPath, kWatcherService, hostRegistered, this, SLOT(panelChanged()));
    m_bus.connect(QString(), kWatcherPath, kWatcherService, hostUnregistered, this, SLOT(panelChanged()));
}

void TrayMessageMarkup::panelChanged()
{
    m_panelChanged = true;
}

void TrayMessageMarkup::choosePath()
{
    const auto answered = [](Panel panel) { return panel == Panel::Balloon || panel == Panel::Service; };
    if (m_ownBalloon.has_value() || !answered(m_before) || !answered(m_after))
        return;
    watchPanel(false);
    m_ownBalloon = m_before == Panel::Balloon && m_after == Panel::Balloon && !m_panelChanged;
    if (*m_ownBalloon)
        settle(false, true);
    else if (!m_waiting.isEmpty())
        askForCapabilities();
}

void TrayMessageMarkup::askForCapabilities()
{
    m_askingService = true;
    const QDBusMessage call = QDBusMessage::createMethodCall(kNotificationsService, kNotificationsPath,
                                                             kNotificationsService, QStringLiteral("GetCapabilities"));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, m_callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<QStringList> reply = *finished;
        // Late or no answer: taken as markup for this message, since an
        // unescaped body could become a link or an image; asked again for
        // the next.
        if (reply.isError())
            settle(true, false);
        else
            settle(reply.value().contains(QStringLiteral("body-markup")), true);
    });
}

void TrayMessageMarkup::settle(bool markup, bool lasting)
{
    m_askingService = false;
    if (lasting)
        m_known = markup;
    const QList<std::function<void(bool)>> waiting = std::exchange(m_waiting, {});
    for (const std::function<void(bool)> &known : waiting)
        known(markup);
}
