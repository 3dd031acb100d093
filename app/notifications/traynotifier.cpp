#include "app/notifications/traynotifier.h"

#include <QSystemTrayIcon>

#include "app/notifications/traymessagemarkup.h"

TrayNotifier::TrayNotifier(QSystemTrayIcon *tray, QObject *parent)
    : TrayNotifier(tray, QDBusConnection::sessionBus(), parent)
{
}

TrayNotifier::TrayNotifier(QSystemTrayIcon *tray, const QDBusConnection &bus, QObject *parent)
    : Notifier(parent)
    , m_tray(tray)
    , m_markup(new TrayMessageMarkup(bus, this))
{
    if (!m_tray)
        return;
    connect(m_tray, &QSystemTrayIcon::messageClicked, this, [this] { Q_EMIT activated(m_lastContext); });
    // Made right after the icon: the panel as Qt found it then.
    m_markup->askAhead();
}

void TrayNotifier::setCallTimeout(int ms)
{
    m_markup->setCallTimeout(ms);
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
    // The answer comes from this object's child: it never runs after this
    // notifier is gone.
    m_markup->whenKnown([this, notification, done](bool markup) {
        if (!isAvailable()) {
            done(false);
            return;
        }
        show(notification, markup);
        done(true);
    });
}

void TrayNotifier::show(const Notification &notification, bool markup)
{
    Notification shown = notification;
    // A location or an invitation's text must not become a link or an image.
    if (markup)
        shown.body = notification.body.toHtmlEscaped();
    m_lastContext = notification.context;
    if (m_balloon)
        m_balloon(shown);
    else
        m_tray->showMessage(shown.title, shown.body, QSystemTrayIcon::Information, shown.timeoutMs);
}
