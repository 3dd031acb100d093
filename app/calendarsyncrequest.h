#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// A request to sync these calendars now, made where the user just added
// them (a server, a subscription). Only the sync orchestration answers it
// (AppState::calendarSyncRequested), so a calendar still syncs on one
// client at a time.
struct CalendarSyncRequest
{
    QStringList calendarIds;
    // For a CalDAV server just typed in: its connection. A CalDAV calendar
    // asked for without one syncs as after an edit, with the stored password.
    QString serverUrl;
    QString username;
    QString password;
    QString pinnedFingerprint;
    // Told of a calendar whose sync failed, from the client started for this
    // request; the failure also shows as the sync's own.
    std::function<void(const QString &calendarId, const QString &reason)> failed;

    bool hasConnection() const { return !serverUrl.isEmpty(); }
};
