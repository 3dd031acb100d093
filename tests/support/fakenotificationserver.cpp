#include "tests/support/fakenotificationserver.h"

#include <QDBusError>
#include <QDBusMessage>

#include <utility>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

FakeNotificationServer::FakeNotificationServer(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
}

FakeNotificationServer::~FakeNotificationServer()
{
    if (m_registered) {
        m_bus.unregisterObject(kPath);
        m_bus.unregisterService(kService);
    }
}

bool FakeNotificationServer::start()
{
    if (!m_bus.isConnected() || !m_bus.registerService(kService))
        return false;
    m_registered = m_bus.registerObject(kPath, this,
                                        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
    return m_registered;
}

uint FakeNotificationServer::Notify(const QString &app_name, uint replaces_id, const QString &app_icon,
                                    const QString &summary, const QString &body, const QStringList &actions,
                                    const QVariantMap &hints, int expire_timeout)
{
    if (m_silent) {
        setDelayedReply(true); // never answered
        return 0;
    }
    if (m_refusing) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("too many notifications"));
        return 0;
    }
    Message message;
    message.id = m_nextId++;
    message.appName = app_name;
    message.replacesId = replaces_id;
    message.appIcon = app_icon;
    message.summary = summary;
    message.body = body;
    message.actions = actions;
    message.hints = hints;
    message.expireTimeout = expire_timeout;
    m_messages.append(message);
    return message.id;
}

QStringList FakeNotificationServer::GetCapabilities()
{
    ++m_capabilityRequests;
    if (m_holdingCapabilities) {
        setDelayedReply(true);
        m_heldCapabilityCalls.append(message());
        return {};
    }
    return m_capabilities;
}

void FakeNotificationServer::answerHeldCapabilities()
{
    const QList<QDBusMessage> held = std::exchange(m_heldCapabilityCalls, {});
    for (const QDBusMessage &call : held)
        m_bus.send(call.createReply(QVariant(m_capabilities)));
}

void FakeNotificationServer::CloseNotification(uint id)
{
    close(id, 3);
}

QString FakeNotificationServer::GetServerInformation(QString &vendor, QString &version, QString &spec_version)
{
    vendor = QStringLiteral("Tindlebrook tests");
    version = QStringLiteral("1");
    spec_version = QStringLiteral("1.2");
    return QStringLiteral("fake-notifications");
}

void FakeNotificationServer::click(uint id, const QString &actionKey)
{
    Q_EMIT ActionInvoked(id, actionKey);
}

void FakeNotificationServer::close(uint id, uint reason)
{
    Q_EMIT NotificationClosed(id, reason);
}
