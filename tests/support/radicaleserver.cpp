#include "tests/support/radicaleserver.h"

#include <QDir>
#include <QFile>

QUrl RadicaleServer::principalUrl() const
{
    return baseUrl().resolved(QUrl(user() + QLatin1Char('/')));
}

QUrl RadicaleServer::calendarHomeUrl() const
{
    return principalUrl();
}

bool RadicaleServer::prepare(quint16 port)
{
    QDir().mkpath(storagePath());
    // Radicale 3.1 reads "user:password" lines with the plain method; the
    // password is everything after the first colon.
    QFile users(m_dir.filePath(QStringLiteral("users")));
    if (!users.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    users.write((user() + QLatin1Char(':') + password() + QLatin1Char('\n')).toUtf8());
    users.close();

    QFile config(m_dir.filePath(QStringLiteral("config")));
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    config.write(QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n\n"
                                "[auth]\ntype = htpasswd\nhtpasswd_filename = %2\n"
                                "htpasswd_encryption = plain\ndelay = 0\n\n"
                                "[rights]\ntype = owner_only\n\n"
                                "[storage]\nfilesystem_folder = %3\n\n"
                                "[web]\ntype = none\n\n"
                                "[logging]\nlevel = warning\n")
                     .arg(port)
                     .arg(users.fileName(), storagePath())
                     .toUtf8());
    return true;
}

QString RadicaleServer::program() const
{
    return QStringLiteral("/usr/bin/radicale");
}

QStringList RadicaleServer::arguments(quint16) const
{
    return {QStringLiteral("--config"), m_dir.filePath(QStringLiteral("config"))};
}
