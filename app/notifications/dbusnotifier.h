#pragma once

#include "app/notifications/notifier.h"

#include <QDBusConnection>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

class QDBusPendingCallWatcher;

// Desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications) on a D-Bus session bus: what most Linux
// desktops offer where there is no tray. A message counts as delivered when
// the service accepted it and gave it an id.
class DBusNotifier : public Notifier
{
    Q_OBJECT
public:
    explicit DBusNotifier(const QDBusConnection &bus, QObject *parent = nullptr);

    void notify(const Notification &notification, Done done) override;

    // How long a call to the service may take before it counts as failed.
    void setCallTimeout(int ms) { m_callTimeoutMs = ms; }

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    struct Queued
    {
        Notification notification;
        Done done;
    };

    void requestCapabilities();
    void send(const Notification &notification, Done done);

    QDBusConnection m_bus;
    int m_callTimeoutMs = 5000;
    // Whether the service renders markup in bodies, so that text from events
    // is escaped there and shown as typed; escaped too while not known.
    bool m_capabilitiesKnown = false;
    bool m_capabilitiesRequested = false;
    bool m_bodyMarkup = false;
    QList<Queued> m_waiting;
    QHash<uint, QVariant> m_contexts;
};
