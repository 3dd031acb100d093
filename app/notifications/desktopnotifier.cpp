#include "app/notifications/desktopnotifier.h"

#include <QDBusConnection>

#include "app/notifications/dbusnotifier.h"
#include "app/notifications/inappnotifier.h"
#include "app/notifications/traynotifier.h"

DesktopNotifier::DesktopNotifier(QSystemTrayIcon *tray, TrayMessageMarkup *trayMarkup, QObject *parent)
    : Notifier(parent)
{
    adopt(new TrayNotifier(tray, trayMarkup));
    adopt(new DBusNotifier(QDBusConnection::sessionBus()));
    adopt(new InAppNotifier);
}

DesktopNotifier::DesktopNotifier(const QList<Notifier *> &backEnds, QObject *parent)
    : Notifier(parent)
{
    for (Notifier *backEnd : backEnds)
        adopt(backEnd);
}

void DesktopNotifier::adopt(Notifier *backEnd)
{
    if (!backEnd)
        return;
    backEnd->setParent(this);
    connect(backEnd, &Notifier::activated, this, &Notifier::activated);
    m_backEnds.append(backEnd);
}

void DesktopNotifier::notify(const Notification &notification, Done done)
{
    tryFrom(0, notification, std::move(done));
}

void DesktopNotifier::tryFrom(int index, const Notification &notification, Done done)
{
    if (index >= m_backEnds.size()) {
        done(false);
        return;
    }
    // The back ends are children: none answers after this object is gone.
    m_backEnds.at(index)->notify(notification, [this, index, notification, done](bool delivered) {
        if (delivered)
            done(true);
        else
            tryFrom(index + 1, notification, done);
    });
}
