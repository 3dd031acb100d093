#pragma once

#include "store/event.h"
#include "store/sqlitestatement.h"

#include <QSqlQuery>

class Database;

// New event rows of one batch (a sync pull), each with its reminders and
// attendees as one write, through statements prepared once for the whole
// batch, whose values go to SQLite without QSqlQuery's per-value
// bookkeeping. The caller announces the change (EventRepository::notifyChanged)
// when the batch is done.
class EventBatchWriter
{
public:
    explicit EventBatchWriter(Database *database);

    EventBatchWriter(const EventBatchWriter &) = delete;
    EventBatchWriter &operator=(const EventBatchWriter &) = delete;

    // Writes a row that does not exist yet. False, with nothing of it
    // written, when a statement fails; the failure is logged as
    // "EventBatchWriter::insert failed:" with the database text.
    bool insert(const Event &event);

private:
    bool writeRowAndChildren(const Event &event, SqliteStatement **failed);
    // Removes what a failed insert wrote of the event `eventId`.
    void takeBack(const QString &eventId);

    SqliteStatement m_event;
    SqliteStatement m_reminder;
    SqliteStatement m_attendee;
    QSqlQuery m_dropReminders;
    QSqlQuery m_dropAttendees;
    QSqlQuery m_dropEvent;
};
