#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// A stand-in for the desktop's notification service: owns
// org.freedesktop.Notifications on the given bus, records every message and
// can click or close one. It can also refuse messages, or be slow, as a
// broken service would.
class FakeNotificationServer : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Message
    {
        uint id = 0;
        QString appName;
        uint replacesId = 0;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout = 0;
    };

    explicit FakeNotificationServer(const QDBusConnection &bus, QObject *parent = nullptr);
    ~FakeNotificationServer() override;

    // Registers the service name and the object; false when the name is taken.
    bool start();

    QList<Message> messages() const { return m_messages; }
    void setCapabilities(const QStringList &capabilities) { m_capabilities = capabilities; }
    // Answers Notify with an error instead of an id.
    void setRefusing(bool refusing) { m_refusing = refusing; }
    // Leaves Notify calls unanswered, as a hung service would.
    void setSilent(bool silent) { m_silent = silent; }
    int capabilityRequests() const { return m_capabilityRequests; }
    // Leaves GetCapabilities calls unanswered until answerHeldCapabilities,
    // as a slow service would (or one that never answers, when never called).
    void setHoldingCapabilities(bool holding) { m_holdingCapabilities = holding; }
    void answerHeldCapabilities();

    // What the desktop sends when the user clicks or a message goes away.
    void click(uint id, const QString &actionKey = QStringLiteral("default"));
    void close(uint id, uint reason = 2);

public Q_SLOTS:
    uint Notify(const QString &app_name, uint replaces_id, const QString &app_icon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints,
                int expire_timeout);
    QStringList GetCapabilities();
    void CloseNotification(uint id);
    QString GetServerInformation(QString &vendor, QString &version, QString &spec_version);

Q_SIGNALS:
    void ActionInvoked(uint id, const QString &action_key);
    void NotificationClosed(uint id, uint reason);

private:
    QDBusConnection m_bus;
    QList<Message> m_messages;
    QStringList m_capabilities{QStringLiteral("body"), QStringLiteral("actions")};
    bool m_refusing = false;
    bool m_silent = false;
    bool m_holdingCapabilities = false;
    QList<QDBusMessage> m_heldCapabilityCalls;
    bool m_registered = false;
    int m_capabilityRequests = 0;
    uint m_nextId = 1;
};
