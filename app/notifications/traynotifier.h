#pragma once

#include "app/notifications/notifier.h"

#include <QPointer>
#include <QVariant>

class QSystemTrayIcon;

// Balloon messages on the tray icon. Only delivers while the icon is shown
// and the platform can show messages on it.
class TrayNotifier : public Notifier
{
    Q_OBJECT
public:
    explicit TrayNotifier(QSystemTrayIcon *tray, QObject *parent = nullptr);

    bool isAvailable() const;
    void notify(const Notification &notification, Done done) override;

private:
    QPointer<QSystemTrayIcon> m_tray;
    // The tray reports clicks only on its latest message.
    QVariant m_lastContext;
};
