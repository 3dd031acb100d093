#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QMetaType>
#include <QString>

// The Secret Service's secret structure, (oayays) on the bus: the session it
// travels in, the session's parameters, the value and its content type.
struct SecretServiceSecret
{
    QDBusObjectPath session;
    QByteArray parameters;
    QByteArray value;
    QString contentType;

    // Registers this type and the attribute map a{ss} with Qt D-Bus; safe to
    // call more than once.
    static void registerTypes();
};

QDBusArgument &operator<<(QDBusArgument &argument, const SecretServiceSecret &secret);
const QDBusArgument &operator>>(const QDBusArgument &argument, SecretServiceSecret &secret);

Q_DECLARE_METATYPE(SecretServiceSecret)
