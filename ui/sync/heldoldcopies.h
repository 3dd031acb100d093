#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class EventRepository;
class TaskRepository;

// The old copies of moved items that calendars keep on their servers while
// a sync runs, because their copies were not up yet when the sync started
// (MovedCopy::keptForCopy). Within one sync the old calendar may be pushed
// before the new one: the copy goes up, and the old copy is still there.
// Noted as each calendar's sync starts; once the sync is done, the calendars
// whose held old copies now have their copies up are the ones to push once
// more, so that those old copies go in the same sync.
class HeldOldCopies
{
public:
    // Notes the old copies `calendarId` holds as its sync starts.
    void note(const EventRepository &events, const TaskRepository &tasks, const QString &calendarId);
    // The calendars noted that still hold an old copy whose copy is up now;
    // forgets every note.
    QStringList takeReleased(const EventRepository &events, const TaskRepository &tasks);

private:
    // Calendar -> the ids of its held rows.
    QHash<QString, QStringList> m_events;
    QHash<QString, QStringList> m_tasks;
};
