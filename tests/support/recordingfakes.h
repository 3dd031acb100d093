#pragma once

#include "app/notifications/notifier.h"
#include "ui/popovers/urlopener.h"

#include <QList>
#include <QUrl>

// Records every address it is asked to open instead of opening it.
class RecordingUrlOpener : public UrlOpener
{
public:
    bool open(const QUrl &url) override
    {
        opened.append(url);
        return true;
    }

    QList<QUrl> opened;
};

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
