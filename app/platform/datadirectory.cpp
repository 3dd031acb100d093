#include "app/platform/datadirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Environment values are UTF-8 whatever the locale says; empty means unset.
QString environmentText(const char *name)
{
    return QString::fromUtf8(qgetenv(name));
}

} // namespace

QString dataDirectory()
{
    const QString fromEnvironment = environmentText("CALENDAR_DATA_DIR");
    if (!fromEnvironment.isEmpty()) {
        QDir().mkpath(fromEnvironment);
        return fromEnvironment;
    }
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                         + QStringLiteral("/Tindlebrook/Calendar");
    if (!QFileInfo::exists(path))
        QDir().mkpath(path);
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
