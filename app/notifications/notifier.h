#pragma once

#include "app/notifications/notification.h"

#include <QObject>
#include <QVariant>

#include <functional>

// Reaches the user with a short message and says whether it got there, so
// that callers keep what could not be shown for another try.
class Notifier : public QObject
{
    Q_OBJECT
public:
    // Runs exactly once, during notify() or later on the event loop.
    using Done = std::function<void(bool delivered)>;

    explicit Notifier(QObject *parent = nullptr);

    virtual void notify(const Notification &notification, Done done) = 0;

Q_SIGNALS:
    // The user clicked a message; carries its context.
    void activated(const QVariant &context);
};
