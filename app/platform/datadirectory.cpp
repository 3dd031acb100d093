#include "app/platform/datadirectory.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Environment values are UTF-8 whatever the locale says; empty means unset.
QString environmentText(const char *name)
{
    return QString::fromUtf8(qgetenv(name));
}

constexpr QFileDevice::Permissions GroupAndOthers =
    QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
    | QFileDevice::WriteOther | QFileDevice::ExeOther;

// The folder holds every event, attendee and note: it is made for the owner
// alone, and one that exists loses what group and others may do. Bits are
// only ever taken away, never added.
void makePrivateFolder(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        const QString parent = info.absolutePath();
        QDir().mkpath(parent);
        QDir(parent).mkdir(info.fileName(),
                           QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (!QFileInfo::exists(path))
            QDir().mkpath(path);
    }
    const QFileDevice::Permissions current = QFile::permissions(path);
    if (current & GroupAndOthers) {
        if (!QFile::setPermissions(path, current & ~GroupAndOthers))
            qWarning() << "dataDirectory: could not restrict the data folder to its owner:" << path;
    }
}

} // namespace

QString dataDirectory()
{
    const QString fromEnvironment = environmentText("CALENDAR_DATA_DIR");
    const QString path = !fromEnvironment.isEmpty()
                             ? fromEnvironment
                             : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                   + QStringLiteral("/Tindlebrook/Calendar");
    makePrivateFolder(path);
    return path;
}

QString databasePath()
{
    return dataDirectory() + QStringLiteral("/calendar.db");
}

QString instanceName()
{
    return environmentText("CALENDAR_INSTANCE");
}

bool isDevInstance()
{
    return instanceName() == QLatin1String("dev");
}

QString applicationServiceId()
{
    const QString instance = instanceName();
    const QString base = QStringLiteral("com.tindlebrook.calendar");
    return instance.isEmpty() ? base : base + QLatin1Char('.') + instance;
}

QString autostartValueName()
{
    const QString instance = instanceName();
    const QString base = QStringLiteral("TindlebrookCalendar");
    return instance.isEmpty() ? base : base + QLatin1Char('-') + instance;
}
