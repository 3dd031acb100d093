#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>

#include <functional>
#include <optional>

// Whether the tray's messages are read as markup. Where a StatusNotifier
// host shows the tray icon, Qt hands its messages to the desktop's
// notification service, which reads bodies as markup when it announces
// "body-markup"; elsewhere (Windows, Qt's own balloon beside an XEmbed tray)
// they are plain text. Qt chooses once, when the first icon is made, by the
// panel's watcher; both are asked over the bus, without waiting on it.
class TrayMessageMarkup : public QObject
{
    Q_OBJECT
public:
    explicit TrayMessageMarkup(const QDBusConnection &bus, QObject *parent = nullptr);

    // Asks the panel's watcher now, as the tray icon has just been made: no
    // watcher then means Qt draws its own balloons for the session.
    void askAhead();

    // Runs `known` with the answer: at once when it is known, else once the
    // bus has answered. Nothing runs after this object is gone.
    void whenKnown(std::function<void(bool markup)> known);
    // How long one question to the bus may take; one left unanswered counts
    // as "markup" for the messages waiting on it and is asked again later.
    void setCallTimeout(int ms) { m_callTimeoutMs = ms; }

private:
    void askForHost();
    void askForCapabilities();
    // `lasting`: an answer that holds for the session (kept); otherwise it
    // is asked again for the next message.
    void settle(bool markup, bool lasting);

    QDBusConnection m_bus;
    int m_callTimeoutMs = 5000;
    bool m_asking = false;
    // The watcher has answered once: one missing later went away after
    // the icon was made, and Qt still hands balloons to the service.
    bool m_watcherSeen = false;
    std::optional<bool> m_known;
    QList<std::function<void(bool)>> m_waiting;
};
