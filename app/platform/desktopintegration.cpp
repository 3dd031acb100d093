#include "app/platform/desktopintegration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "app/platform/datadirectory.h"
#include "app/platform/desktopentryfile.h"

namespace {

const QString entryGroup = QStringLiteral("Desktop Entry");
const QString defaultsGroup = QStringLiteral("Default Applications");
const QString removedGroup = QStringLiteral("Removed Associations");
const QString calendarMimeType = QStringLiteral("text/calendar");

QString programArgument()
{
    return DesktopEntryFile::execArgument(
        QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
}

bool isTrue(const std::optional<QString> &value)
{
    return value && value->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

bool isFalse(const std::optional<QString> &value)
{
    return value && value->compare(QLatin1String("false"), Qt::CaseInsensitive) == 0;
}

QStringList listEntries(const std::optional<QString> &value)
{
    if (!value)
        return {};
    QStringList entries = value->split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &entry : entries)
        entry = entry.trimmed();
    entries.removeAll(QString());
    return entries;
}

// The mimeapps.list files in the order desktops consult them:
// config folders before data folders, desktop-specific lists first.
QStringList mimeappsLists()
{
    QStringList prefixes;
    const QStringList desktops = QString::fromUtf8(qgetenv("XDG_CURRENT_DESKTOP"))
                                     .toLower()
                                     .split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &desktop : desktops)
        prefixes.append(desktop + QLatin1Char('-'));
    prefixes.append(QString());

    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    const QStringList dataFolders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString &folder : dataFolders)
        folders.append(folder + QStringLiteral("/applications"));

    QStringList lists;
    for (const QString &folder : folders) {
        for (const QString &prefix : prefixes)
            lists.append(folder + QLatin1Char('/') + prefix + QStringLiteral("mimeapps.list"));
    }
    return lists;
}

bool calendarDefaultConfigured()
{
    for (const QString &path : mimeappsLists()) {
        DesktopEntryFile list;
        if (!QFile::exists(path) || !list.load(path))
            continue;
        if (!listEntries(list.value(defaultsGroup, calendarMimeType)).isEmpty())
            return true;
    }
    return false;
}

QString userMimeappsList()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/mimeapps.list");
}

} // namespace

QString autostartEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/") + autostartValueName() + QStringLiteral(".desktop");
}

QString icsAssociationDesktopId()
{
    return QStringLiteral("com.tindlebrook.calendar.desktop");
}

QString icsAssociationEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation)
           + QLatin1Char('/') + icsAssociationDesktopId();
}

bool launchAtLoginEnabled()
{
    DesktopEntryFile entry;
    if (!entry.load(autostartEntryPath()))
        return false;
    const std::optional<QString> exec = entry.value(entryGroup, QStringLiteral("Exec"));
    if (!exec || exec->isEmpty())
        return false;
    // Both keys are how desktops switch an autostart entry off without
    // deleting it.
    if (isTrue(entry.value(entryGroup, QStringLiteral("Hidden"))))
        return false;
    return !isFalse(entry.value(entryGroup, QStringLiteral("X-GNOME-Autostart-enabled")));
}

bool setLaunchAtLogin(bool enable)
{
    const QString path = autostartEntryPath();
    if (!enable) {
        if (QFile::exists(path))
            QFile::remove(path);
        return !QFile::exists(path);
    }
    DesktopEntryFile entry;
    entry.setValue(entryGroup, QStringLiteral("Type"), QStringLiteral("Application"));
    entry.setValue(entryGroup, QStringLiteral("Name"), QStringLiteral("Tindlebrook Calendar"));
    entry.setValue(entryGroup, QStringLiteral("Exec"),
                   programArgument() + QStringLiteral(" --background"));
    entry.setValue(entryGroup, QStringLiteral("Terminal"), QStringLiteral("false"));
    entry.setValue(entryGroup, QStringLiteral("X-GNOME-Autostart-enabled"), QStringLiteral("true"));
    return entry.save(path);
}

bool registerIcsFileAssociation()
{
    DesktopEntryFile entry;
    entry.setValue(entryGroup, QStringLiteral("Type"), QStringLiteral("Application"));
    entry.setValue(entryGroup, QStringLiteral("Name"), QStringLiteral("Tindlebrook Calendar"));
    entry.setValue(entryGroup, QStringLiteral("Comment"),
                   QStringLiteral("Tindlebrook Calendar event file"));
    // %f stays outside the quotes: it is a field code, replaced by the file.
    entry.setValue(entryGroup, QStringLiteral("Exec"),
                   programArgument() + QStringLiteral(" --ics %f"));
    entry.setValue(entryGroup, QStringLiteral("MimeType"), calendarMimeType + QLatin1Char(';'));
    entry.setValue(entryGroup, QStringLiteral("NoDisplay"), QStringLiteral("true"));
    entry.setValue(entryGroup, QStringLiteral("Terminal"), QStringLiteral("false"));
    if (!entry.save(icsAssociationEntryPath()))
        return false;

    // Another program the user (or the system) chose keeps text/calendar.
    if (calendarDefaultConfigured())
        return true;
    const QString listPath = userMimeappsList();
    DesktopEntryFile list;
    if (!list.load(listPath))
        return true;
    if (listEntries(list.value(removedGroup, calendarMimeType)).contains(icsAssociationDesktopId()))
        return true;
    list.setValue(defaultsGroup, calendarMimeType, icsAssociationDesktopId() + QLatin1Char(';'));
    return list.save(listPath);
}
