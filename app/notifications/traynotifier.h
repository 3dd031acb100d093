#pragma once

#include "app/notifications/notifier.h"

#include <QDBusConnection>
#include <QPointer>
#include <QVariant>

#include <functional>

class QSystemTrayIcon;
class TrayMessageMarkup;

// Balloon messages on the tray icon. Only delivers while the icon is shown
// and the platform can show messages on it. Event text in the body is
// escaped where the desktop would read it as markup.
class TrayNotifier : public Notifier
{
    Q_OBJECT
public:
    // Over the session bus, where the desktop's tray and notification
    // service are asked whether bodies are markup.
    explicit TrayNotifier(QSystemTrayIcon *tray, QObject *parent = nullptr);
    TrayNotifier(QSystemTrayIcon *tray, const QDBusConnection &bus, QObject *parent = nullptr);

    bool isAvailable() const;
    void notify(const Notification &notification, Done done) override;

    // What shows the message: the tray icon's own balloon unless replaced
    // (tests record instead).
    using Balloon = std::function<void(const Notification &shown)>;
    void setBalloon(Balloon balloon) { m_balloon = std::move(balloon); }
    // How long one question about markup may take on the bus.
    void setCallTimeout(int ms);

private:
    void show(const Notification &notification, bool markup);

    QPointer<QSystemTrayIcon> m_tray;
    TrayMessageMarkup *m_markup;
    Balloon m_balloon;
    // The tray reports clicks only on its latest message.
    QVariant m_lastContext;
};
