#pragma once

#include "store/event.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QString>

// The mapping between an `events` row and an Event record.
namespace EventRows {

// The statement with %1 replaced by the event column list, in the order
// fromRow() reads it.
QString withColumns(const char *sql);
Event fromRow(const QSqlQuery &query);
// Takes a row's values in column order: text (a null text is NULL) or
// whole numbers.
class Binder
{
public:
    virtual ~Binder() = default;
    virtual void text(const QString &value) = 0;
    virtual void integer(int value) = 0;
};
// Binds calendar_id .. color, the columns insert and update share.
void bindContent(QSqlQuery &query, const Event &event);
// The INSERT of one whole row, and the binding of all its values: an empty
// sync status is "synced", missing creation and change times are now.
QString insertStatement();
void bindInsert(QSqlQuery &query, const Event &event);
void insertValues(const Event &event, Binder &bind);
// A new row's id: a uuid without braces.
QString newId();
// The instant an event's reminders count back from: an all-day event starts
// at local midnight of its date, which is also how its stored date reads
// back.
QDateTime reminderAnchor(const Event &event);
// A reminder or attendee row whose columns start at `first`
// (reminder: minutes_before, action, acknowledged, trigger_time;
// attendee: email, name, role, status, type, rsvp).
Reminder reminderFromRow(const QSqlQuery &query, int first);
Attendee attendeeFromRow(const QSqlQuery &query, int first);

} // namespace EventRows
