#include "tests/support/tempdatadir.h"

#include <QDir>

TempDataDir::TempDataDir()
{
    if (!m_dir.isValid())
        return;
    const QString root = m_dir.path();
    const QStringList folders = {QStringLiteral("/home"), QStringLiteral("/home/.config"),
                                 QStringLiteral("/home/.local/share"),
                                 QStringLiteral("/home/.cache"), QStringLiteral("/data")};
    for (const QString &folder : folders)
        QDir().mkpath(root + folder);
    qputenv("HOME", (root + QStringLiteral("/home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/home/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/home/.local/share")).toUtf8());
    qputenv("XDG_CACHE_HOME", (root + QStringLiteral("/home/.cache")).toUtf8());
    qputenv("CALENDAR_DATA_DIR", dataPath().toUtf8());
}

bool TempDataDir::isValid() const
{
    return m_dir.isValid();
}

QString TempDataDir::path() const
{
    return m_dir.path();
}

QString TempDataDir::dataPath() const
{
    return m_dir.path() + QStringLiteral("/data");
}

QString TempDataDir::databasePath() const
{
    return dataPath() + QStringLiteral("/calendar.db");
}
