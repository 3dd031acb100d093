#include "app/notifications/traynotifier.h"

#include <QSystemTrayIcon>

#include "app/notifications/traymessagemarkup.h"

TrayNotifier::TrayNotifier(QSystemTrayIcon *tray, TrayMessageMarkup *markup, QObject *parent)
    : Notifier(parent)
    , m_tray(tray)
    , m_markup(markup)
{
    if (!m_tray)
        return;
    connect(m_tray, &QSystemTrayIcon::messageClicked, this, [this] { Q_EMIT activated(m_lastContext); });
    // Made right after the icon.
    if (m_markup)
        m_markup->askAfterIcon();
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
    if (!m_markup) {
        show(notification, true);
        done(true);
        return;
    }
    // The markup is the tray owner's: an answer that comes after this
    // notifier is gone is dropped.
    QPointer<TrayNotifier> self(this);
    m_markup->whenKnown([self, notification, done](bool markup) {
        if (!self)
            return;
        if (!self->isAvailable()) {
            done(false);
            return;
        }
        self->show(notification, markup);
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
