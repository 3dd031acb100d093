#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>

#include <functional>
#include <optional>

class QDBusServiceWatcher;

// Whether the tray's messages are read as markup. Qt on Linux picks, the
// first time it looks for a tray, how the icon shows messages for the rest
// of the session: where the panel's StatusNotifierWatcher is there and
// answers that a host is registered, it hands them to the desktop's
// notification service, which reads bodies as markup when it announces
// "body-markup"; otherwise it draws its own balloon, which shows the text as
// it is given (as on Windows). The watcher is asked the same on the
// connection Qt asks on, once just before Qt and once just after, without
// waiting on the bus: plain text goes to Qt's own balloon only when both
// found no host and the panel did not change between them.
class TrayMessageMarkup : public QObject
{
    Q_OBJECT
public:
    explicit TrayMessageMarkup(const QDBusConnection &bus, QObject *parent = nullptr);

    // Runs `look`, a look for a tray (QSystemTrayIcon::isSystemTrayAvailable()),
    // with the panel asked just before and just after it, and gives its
    // answer. Called where the program first looks, when Qt chooses its
    // path, so that this answer and Qt's choice cannot differ; a later call
    // only looks again.
    bool askAround(const std::function<bool()> &look);

    // Before Qt first looks for a tray (QSystemTrayIcon::isSystemTrayAvailable()
    // or the icon itself).
    void askBeforeIcon();
    // Once the icon is made; without a question before it, Qt's choice is
    // not known and the service may read the messages.
    void askAfterIcon();

    // Runs `known` with the answer: at once when it is known, else once the
    // bus has answered. Nothing runs after this object is gone.
    void whenKnown(std::function<void(bool markup)> known);
    // How long one question to the bus may take; a service that leaves one
    // unanswered counts as reading markup for the messages waiting on it
    // and is asked again later.
    void setCallTimeout(int ms) { m_callTimeoutMs = ms; }

private Q_SLOTS:
    void panelChanged();

private:
    // What one question found of the panel: Qt draws its own balloon, or
    // hands messages to the service (also when the watcher did not answer).
    enum class Panel { Unasked, Asking, Balloon, Service };

    void askPanel(Panel *answer);
    void watchPanel(bool watched);
    void choosePath();
    void askForCapabilities();
    // `lasting`: an answer that holds for the session (kept); otherwise it
    // is asked again for the next message.
    void settle(bool markup, bool lasting);

    QDBusConnection m_bus;
    int m_callTimeoutMs = 5000;
    Panel m_before = Panel::Unasked;
    Panel m_after = Panel::Unasked;
    // The watcher came, went, or took or lost a host between the questions.
    bool m_panelChanged = false;
    QDBusServiceWatcher *m_watcherOwner = nullptr;
    // Qt's path, once both questions are answered: its own balloon or not.
    std::optional<bool> m_ownBalloon;
    bool m_askingService = false;
    std::optional<bool> m_known;
    QList<std::function<void(bool)>> m_waiting;
};
