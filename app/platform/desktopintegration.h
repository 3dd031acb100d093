#pragma once

#include <QString>

// Starting at login and opening .ics files, through the freedesktop
// conventions: an XDG autostart entry and an XDG applications entry.

// $XDG_CONFIG_HOME/autostart/<autostartValueName>.desktop
QString autostartEntryPath();
// $XDG_DATA_HOME/applications/com.tindlebrook.calendar.desktop
QString icsAssociationEntryPath();
QString icsAssociationDesktopId();

// True when the autostart entry exists, runs something and is not switched
// off by the desktop's own autostart settings.
bool launchAtLoginEnabled();
// Writes or removes the autostart entry; true when the entry is in the
// requested state afterwards.
bool setLaunchAtLogin(bool enable);

// Writes the applications entry for text/calendar, and makes it the default
// handler only when no default for text/calendar is configured anywhere.
// True when the entry, and where it applies the default, were written.
bool registerIcsFileAssociation();
