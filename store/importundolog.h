#pragma once

#include "store/event.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class Database;
class EventRepository;

// What an import wrote, so that cancelling it takes back its own writes
// alone. The import's write stays open across turns of the event loop, and
// whatever else the program writes meanwhile (a task ticked, a sync) goes
// into it too: undoing the whole write would undo those behind the user's
// back.
class ImportUndoLog
{
public:
    void noteInserted(const QString &id);
    // The row as it was before the import first changed it.
    void noteUpdated(const Event &before);
    bool isEmpty() const { return m_inserted.isEmpty() && m_updated.isEmpty(); }

    // Erases the rows the import added and writes back the ones it changed
    // exactly as they were, modification time included; the caller
    // announces the change. False, with a warning, when a write fails.
    bool undo(Database *database, EventRepository *events) const;

private:
    QStringList m_inserted;
    QList<Event> m_updated;
    QSet<QString> m_updatedIds;
};
