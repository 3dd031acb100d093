#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>

class Database;

// What a batch writer (an import) must know of the rows a calendar already
// holds to tell a new event from a known one without a read per event: each
// row's identity, its stored text, and the sync fields an update keeps. One
// read for the whole calendar; rows the batch adds are noted as it goes.
class EventVersions
{
public:
    struct Version
    {
        QString id;
        QString rawIcalendar;
        QString providerEventId;
        QString etag;
        QString href;
        QDateTime created;
        bool deleted = false;
    };

    // Reads the calendar's rows; false (logged) when the read fails.
    bool read(Database *database, const QString &calendarId);

    // The row known by uid and recurrence id, as the repository's
    // getByUidAndRecurrenceId() finds it: an occurrence changed here may name
    // its series by master_event_uid instead.
    std::optional<Version> find(const QString &uid, const QString &recurrenceId) const;
    void note(const QString &uid, const QString &recurrenceId, const Version &version);

private:
    QHash<QString, Version> m_byUid;
    QHash<QString, Version> m_byMasterUid;
};
