#pragma once

#include <QString>
#include <QVariant>

// One message for the user, whatever shows it.
struct Notification
{
    QString title;
    QString body;
    int timeoutMs = 15000;
    // Handed back by Notifier::activated when the user clicks the message.
    QVariant context;
};
