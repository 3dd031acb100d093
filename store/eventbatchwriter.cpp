#include "store/eventbatchwriter.h"

#include "store/database.h"
#include "store/eventrows.h"
#include "store/remindertrigger.h"
#include "store/storedtime.h"

#include <QDebug>
#include <QSqlError>
#include <QUuid>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// As EventRepository counts reminders: an all-day event from its local
// midnight.
QDateTime reminderAnchor(const Event &e)
{
    if (e.is_all_day && e.start_time.isValid())
        return QDateTime(e.start_time.date(), QTime(0, 0));
    return e.start_time;
}

} // namespace

EventBatchWriter::EventBatchWriter(Database *database)
    : m_begin(database->database())
    , m_release(database->database())
    , m_rollback(database->database())
    , m_event(database->database())
    , m_reminder(database->database())
    , m_attendee(database->database())
{
    m_begin.prepare(QStringLiteral("SAVEPOINT event_batch_row"));
    m_release.prepare(QStringLiteral("RELEASE SAVEPOINT event_batch_row"));
    m_rollback.prepare(QStringLiteral("ROLLBACK TO SAVEPOINT event_batch_row"));
    m_event.prepare(EventRows::insertStatement());
    m_reminder.prepare(QStringLiteral("INSERT INTO reminders (id, event_id, minutes_before, action, acknowledged, "
                                      "trigger_time) VALUES (?, ?, ?, ?, ?, ?)"));
    m_attendee.prepare(QStringLiteral("INSERT INTO attendees (id, event_id, email, name, role, status, type, rsvp) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
}

bool EventBatchWriter::insert(const Event &event)
{
    // A row without child rows is one statement, whole or not at all by
    // itself: the savepoint around it would be two more per row.
    if (event.reminders.isEmpty() && event.attendees.isEmpty()) {
        QSqlQuery *failed = nullptr;
        if (writeRowAndChildren(event, &failed))
            return true;
        qWarning().noquote() << "EventBatchWriter::insert failed:" << failed->lastError().text();
        return false;
    }
    if (!m_begin.exec()) {
        qWarning().noquote() << "EventBatchWriter::insert failed:" << m_begin.lastError().text();
        return false;
    }
    QSqlQuery *failed = nullptr;
    if (writeRowAndChildren(event, &failed) && m_release.exec())
        return true;
    const QString error = failed ? failed->lastError().text() : m_release.lastError().text();
    qWarning().noquote() << "EventBatchWriter::insert failed:" << error;
    // ROLLBACK TO keeps the savepoint open; RELEASE then closes it.
    m_rollback.exec();
    m_release.exec();
    return false;
}

bool EventBatchWriter::writeRowAndChildren(const Event &event, QSqlQuery **failed)
{
    EventRows::bindInsert(m_event, event);
    if (!m_event.exec()) {
        *failed = &m_event;
        return false;
    }
    // A new row has no stored reminders whose acknowledgements to keep.
    QList<ReminderTrigger::StoredRow> none;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (Reminder reminder : event.reminders) {
        ReminderTrigger::apply(reminder, reminderAnchor(event), none, now);
        m_reminder.addBindValue(reminder.id.isEmpty() ? newId() : reminder.id);
        m_reminder.addBindValue(event.id);
        m_reminder.addBindValue(reminder.minutes_before);
        m_reminder.addBindValue(reminder.action.isEmpty() ? QStringLiteral("display") : reminder.action);
        m_reminder.addBindValue(reminder.acknowledged ? 1 : 0);
        m_reminder.addBindValue(StoredTime::instantOrNull(reminder.trigger_time));
        if (!m_reminder.exec()) {
            *failed = &m_reminder;
            return false;
        }
    }
    for (const Attendee &attendee : event.attendees) {
        m_attendee.addBindValue(attendee.id.isEmpty() ? newId() : attendee.id);
        m_attendee.addBindValue(event.id);
        m_attendee.addBindValue(StoredTime::text(attendee.email));
        m_attendee.addBindValue(StoredTime::text(attendee.name));
        m_attendee.addBindValue(attendee.role.isEmpty() ? QStringLiteral("required") : attendee.role);
        m_attendee.addBindValue(attendee.status.isEmpty() ? QStringLiteral("needs-action") : attendee.status);
        m_attendee.addBindValue(StoredTime::text(attendee.type));
        m_attendee.addBindValue(attendee.rsvp ? 1 : 0);
        if (!m_attendee.exec()) {
            *failed = &m_attendee;
            return false;
        }
    }
    return true;
}
