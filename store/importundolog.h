#pragma once

#include "store/event.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class Database;
class EventRepository;

// What an import wrote, so that cancelling it takes back its own writes
// alone. The import commits as it goes, and meanwhile the user and the
// syncs go on writing: a row the import wrote and someone changed since
// (an edit, a push, a pull) is theirs now and stays as it is.
class ImportUndoLog
{
public:
    // A row the import added, as it wrote it.
    void noteInserted(const Event &written);
    // A row the import changed: as it was before the import first changed
    // it, and as the import last wrote it.
    void noteUpdated(const Event &before, const Event &written);
    bool isEmpty() const { return m_order.isEmpty(); }

    // Erases the rows the import added and writes back the ones it changed
    // exactly as they were, modification time included, each only while it
    // still holds what the import wrote; the caller runs it in one
    // transaction and announces the change. False, with a warning, when a
    // statement fails.
    bool undo(Database *database, EventRepository *events) const;

private:
    // What tells the import's write of a row from a later one: every edit
    // writes the text anew and counts the sequence up, a push sets the tag
    // and the status, a delete leaves a tombstone.
    struct Entry
    {
        QString rawIcalendar;
        int sequence = 0;
        QString syncStatus;
        QString etag;
        // Empty for a row the import added.
        std::optional<Event> before;
    };

    void note(const Event &written, const std::optional<Event> &before);
    // The ids whose rows still hold what the import wrote them with.
    bool stillAsWritten(Database *database, QSet<QString> *ids) const;

    QStringList m_order;
    QHash<QString, Entry> m_entries;
};
