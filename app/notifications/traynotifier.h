#pragma once

#include "app/notifications/notifier.h"

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
    // `markup` was asked before the icon was made (the tray's owner keeps
    // it); without it every body is escaped, as the service may get it.
    explicit TrayNotifier(QSystemTrayIcon *tray, TrayMessageMarkup *markup = nullptr, QObject *parent = nullptr);

    bool isAvailable() const;
    void notify(const Notification &notification, Done done) override;

    // What shows the message: the tray icon's own balloon unless replaced
    // (tests record instead).
    using Balloon = std::function<void(const Notification &shown)>;
    void setBalloon(Balloon balloon) { m_balloon = std::move(balloon); }

private:
    void show(const Notification &notification, bool markup);

    QPointer<QSystemTrayIcon> m_tray;
    QPointer<TrayMessageMarkup> m_markup;
    Balloon m_balloon;
    // The tray reports clicks only on its latest message.
    QVariant m_lastContext;
};
