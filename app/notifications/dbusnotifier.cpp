#include "app/notifications/dbusnotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>
#include <QStringList>
#include <QVariantMap>

#include "app/platform/desktopintegration.h"

#include <utility>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");

QString desktopEntryName()
{
    QString id = icsAssociationDesktopId();
    if (id.endsWith(QLatin1String(".desktop")))
        id.chop(8);
    return id;
}

} // namespace

DBusNotifier::DBusNotifier(const QDBusConnection &bus, QObject *parent)
    : Notifier(parent)
    , m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint)));
}

void DBusNotifier::notify(const Notification &notification, Done done)
{
    if (!m_bus.isConnected()) {
        done(false);
        return;
    }
    if (m_capabilitiesKnown) {
        send(notification, std::move(done));
        return;
    }
    m_waiting.append({notification, std::move(done)});
    requestCapabilities();
}

void DBusNotifier::requestCapabilities()
{
    if (m_capabilitiesRequested)
        return;
    m_capabilitiesRequested = true;
    const QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities"));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, m_callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        m_capabilitiesRequested = false;
        const QDBusPendingReply<QStringList> reply = *finished;
        if (!reply.isError()) {
            m_capabilitiesKnown = true;
            m_bodyMarkup = reply.value().contains(QStringLiteral("body-markup"));
        }
        // Without an answer the messages are still tried; each reports its
        // own failure, and the next message asks again.
        const QList<Queued> waiting = std::exchange(m_waiting, {});
        for (const Queued &queued : waiting)
            send(queued.notification, queued.done);
    });
}

void DBusNotifier::send(const Notification &notification, Done done)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(1));
    hints.insert(QStringLiteral("desktop-entry"), desktopEntryName());
    // Until the service has said how it reads bodies (it may answer late, or
    // not at all), it is taken to render markup: an escaped body shows a
    // stray entity at worst, an unescaped one can show a link or an image.
    const bool escape = m_bodyMarkup || !m_capabilitiesKnown;
    const QString body = escape ? notification.body.toHtmlEscaped() : notification.body;
    call << QStringLiteral("Tindlebrook Calendar") << uint(0) << QString() << notification.title << body
         << QStringList{kDefaultAction, tr("Open")} << hints << notification.timeoutMs;

    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, m_callTimeoutMs), this);
    const QVariant context = notification.context;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, context, done = std::move(done)](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isError()) {
                    qWarning().noquote() << "[Notifications] desktop notification failed:"
                                         << reply.error().name() << reply.error().message();
                    done(false);
                    return;
                }
                m_contexts.insert(reply.value(), context);
                done(true);
            });
}

void DBusNotifier::onActionInvoked(uint id, const QString &actionKey)
{
    const auto found = m_contexts.constFind(id);
    if (found == m_contexts.constEnd())
        return;
    if (actionKey == kDefaultAction)
        Q_EMIT activated(*found);
}

void DBusNotifier::onNotificationClosed(uint id, uint reason)
{
    Q_UNUSED(reason)
    m_contexts.remove(id);
}
