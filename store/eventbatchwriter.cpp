#include "store/eventbatchwriter.h"

#include "store/database.h"
#include "store/eventrows.h"
#include "store/remindertrigger.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSqlError>

namespace {

using EventRows::newId;
using EventRows::reminderAnchor;

// Binds an event row's values to the statement in order.
class StatementBinder : public EventRows::Binder
{
public:
    explicit StatementBinder(SqliteStatement &statement)
        : m_statement(statement)
    {
    }
    void text(const QString &value) override { m_statement.bindText(++m_position, value); }
    void integer(int value) override { m_statement.bindInt(++m_position, value); }

private:
    SqliteStatement &m_statement;
    int m_position = 0;
};

} // namespace

EventBatchWriter::EventBatchWriter(Database *database)
    : m_event(database->database(), EventRows::insertStatement())
    , m_reminder(database->database(),
                 QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before, action, acknowledged, "
                                "trigger_time) VALUES (?, ?, ?, ?, ?, ?)"))
    , m_attendee(database->database(),
                 QStringLiteral("INSERT INTO attendees (id, event_id, email, name, role, status, type, rsvp) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"))
    , m_dropReminders(database->database())
    , m_dropAttendees(database->database())
    , m_dropEvent(database->database())
{
    m_dropReminders.prepare(QStringLiteral("DELETE FROM reminders WHERE event_id = ?"));
    m_dropAttendees.prepare(QStringLiteral("DELETE FROM attendees WHERE event_id = ?"));
    m_dropEvent.prepare(QStringLiteral("DELETE FROM events WHERE id = ?"));
}

// No savepoint per row: inside the batch's own transaction each one keeps a
// copy of every page the row touches until the batch ends, which a large
// batch wrote out by the gigabyte. A row that fails part way is taken back
// instead; its id is new, so what carries it is the row's own.
bool EventBatchWriter::insert(const Event &event)
{
    SqliteStatement *failed = nullptr;
    if (writeRowAndChildren(event, &failed))
        return true;
    qWarning().noquote() << "EventBatchWriter::insert failed:" << failed->errorText();
    // A refused event row wrote nothing; its id may be another row's.
    if (failed != &m_event)
        takeBack(event.id);
    return false;
}

void EventBatchWriter::takeBack(const QString &eventId)
{
    for (QSqlQuery *drop : {&m_dropReminders, &m_dropAttendees, &m_dropEvent}) {
        drop->addBindValue(eventId);
        if (!drop->exec())
            qWarning().noquote() << "EventBatchWriter::insert failed: could not take back" << eventId
                                 << drop->lastError().text();
    }
}

bool EventBatchWriter::writeRowAndChildren(const Event &event, SqliteStatement **failed)
{
    StatementBinder row(m_event);
    EventRows::insertValues(event, row);
    if (!m_event.exec()) {
        *failed = &m_event;
        return false;
    }
    // A new row has no stored reminders whose acknowledgements to keep.
    QList<ReminderTrigger::StoredRow> none;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (Reminder reminder : event.reminders) {
        ReminderTrigger::apply(reminder, reminderAnchor(event), none, now);
        m_reminder.bindText(1, reminder.id.isEmpty() ? newId() : reminder.id);
        m_reminder.bindText(2, event.id);
        m_reminder.bindInt(3, reminder.minutes_before);
        m_reminder.bindText(4, reminder.action.isEmpty() ? QStringLiteral("display") : reminder.action);
        m_reminder.bindInt(5, reminder.acknowledged ? 1 : 0);
        m_reminder.bindText(6, reminder.trigger_time ? StoredTime::instant(*reminder.trigger_time) : QString());
        if (!m_reminder.exec()) {
            *failed = &m_reminder;
            return false;
        }
    }
    for (const Attendee &attendee : event.attendees) {
        m_attendee.bindText(1, attendee.id.isEmpty() ? newId() : attendee.id);
        m_attendee.bindText(2, event.id);
        m_attendee.bindText(3, attendee.email);
        m_attendee.bindText(4, attendee.name);
        m_attendee.bindText(5, attendee.role.isEmpty() ? QStringLiteral("required") : attendee.role);
        m_attendee.bindText(6, attendee.status.isEmpty() ? QStringLiteral("needs-action") : attendee.status);
        m_attendee.bindText(7, attendee.type);
        m_attendee.bindInt(8, attendee.rsvp ? 1 : 0);
        if (!m_attendee.exec()) {
            *failed = &m_attendee;
            return false;
        }
    }
    return true;
}
