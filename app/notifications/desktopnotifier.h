#pragma once

#include "app/notifications/notifier.h"

#include <QList>

class QSystemTrayIcon;
class TrayMessageMarkup;

// The program's way of reaching the user: a tray balloon where a tray icon
// is shown, else a desktop notification over D-Bus, else a message over the
// program's own window. Tells the caller whether any of them delivered.
class DesktopNotifier : public Notifier
{
    Q_OBJECT
public:
    // Tray (may be null) with what was asked of its messages before it was
    // made, the session bus, and the in-app message.
    DesktopNotifier(QSystemTrayIcon *tray, TrayMessageMarkup *trayMarkup, QObject *parent = nullptr);
    // The given back ends, tried in order; the notifier takes them over.
    explicit DesktopNotifier(const QList<Notifier *> &backEnds, QObject *parent = nullptr);

    void notify(const Notification &notification, Done done) override;

private:
    void adopt(Notifier *backEnd);
    void tryFrom(int index, const Notification &notification, Done done);

    QList<Notifier *> m_backEnds;
};
