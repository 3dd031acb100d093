#pragma once

#include "app/notifications/notifier.h"
#include "tests/support/recordingurlopener.h"

#include <QList>
#include <QUrl>

// Stands in for the tray: records every message instead of showing it, and
// reports each as delivered.
class RecordingNotifier : public Notifier
{
    Q_OBJECT
public:
    using Notifier::Notifier;

    void notify(const Notification &notification, Done done) override
    {
        shown.append(notification);
        if (done)
            done(true);
    }
    // As if the user clicked the message.
    void click(const QVariant &context) { Q_EMIT activated(context); }

    QList<Notification> shown;
};
