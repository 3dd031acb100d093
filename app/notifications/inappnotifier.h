#pragma once

#include "app/notifications/notifier.h"

class QWidget;

// The last resort: a message box over the program's own visible window.
// Nothing is delivered while every window is hidden.
class InAppNotifier : public Notifier
{
    Q_OBJECT
public:
    // The widest the message's text runs before it wraps, in pixels.
    static constexpr int MaxTextWidth = 420;

    explicit InAppNotifier(QObject *parent = nullptr);

    void notify(const Notification &notification, Done done) override;

    // The active window, else the first visible main window; null when the
    // program shows none.
    static QWidget *hostWindow();
};
