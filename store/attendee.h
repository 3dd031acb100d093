#pragma once

#include <QDebug>
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

// Every field compared; the printable form names each field for test failures.
bool operator==(const Attendee &a, const Attendee &b);
QDebug operator<<(QDebug debug, const Attendee &attendee);
