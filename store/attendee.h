#pragma once

#include <QString>

struct Attendee
{
    QString id;
    QString event_id;
    QString email;
    QString name;
    QString role = QStringLiteral("required");
    QString status = QStringLiteral("needs-action");
    QString type;
    bool rsvp = false;
};
