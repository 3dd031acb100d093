#include "app/notifications/traymessagemarkup.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
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
    if (!m_asking)
        askForHost();
}

void TrayMessageMarkup::askAhead()
{
    if (!m_known && !m_asking)
        askForHost();
}

void TrayMessageMarkup::askForHost()
{
    if (!m_bus.isConnected()) {
        settle(false, true);
        return;
    }
    m_asking = true;
    QDBusMessage call = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath,
                                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Get"));
    call << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, m_callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *finished;
        const bool noWatcher = reply.isError() && reply.error().type() == QDBusError::ServiceUnknown;
        // No watcher since the icon was made: Qt drew its own balloon for
        // the session, which shows the text as it is given.
        if (noWatcher && !m_watcherSeen) {
            settle(false, true);
            return;
        }
        m_watcherSeen = m_watcherSeen || !noWatcher;
        // Only the notification service's own answer is kept: a panel that
        // restarts leaves the watcher or its host away for a moment, while
        // Qt, which chose the bus when the icon was made, goes on handing
        // balloons to the service. Without a host, or a watcher, that
        // answers, the service may read this message: markup, this once.
        if (reply.isError() || !reply.value().variant().toBool())
            settle(true, false);
        else
            askForCapabilities();
    });
}

void TrayMessageMarkup::askForCapabilities()
{
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
    m_asking = false;
    if (lasting)
        m_known = markup;
    const QList<std::function<void(bool)>> waiting = std::exchange(m_waiting, {});
    for (const std::function<void(bool)> &known : waiting)
        known(markup);
}
