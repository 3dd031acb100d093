#include "app/notifications/traynotifier.h"

#include <QSystemTrayIcon>

TrayNotifier::TrayNotifier(QSystemTrayIcon *tray, QObject *parent)
    : Notifier(parent)
    , m_tray(tray)
{
    if (m_tray)
        connect(m_tray, &QSystemTrayIcon::messageClicked, this, [this] { Q_EMIT activated(m_lastContext); });
}

bool TrayNotifier::isAvailable() const
{
    return m_tray && m_tray->isVisible() && QSystemTrayIcon::supportsMessages();
}

void TrayNotifier::notify(const Notification &notification, Done done)
{
    if (!isAvailable()) {
        done(false);
        return;
    }
    m_lastContext = notification.context;
    m_tray->showMessage(notification.title, notification.body, QSystemTrayIcon::Information,
                        notification.timeoutMs);
    done(true);
}
