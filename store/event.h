#pragma once

#include "store/attendee.h"
#include "store/reminder.h"
#include "store/syncstatus.h"

#include <QDateTime>
#include <QDebug>
#include <QList>
#include <QString>

#include <optional>

// One row of `events` with its child rows. The first 32 fields follow the
// table's columns in order.
struct Event
{
    QString id;
    QString calendar_id;
    QString uid;
    QString provider_event_id;
    QString etag;
    QString href;
    QString title;
    QString description;
    QString location;
    QString geo_location;
    QDateTime start_time;
    std::optional<QDateTime> end_time;
    bool is_all_day = false;
    QString timezone = QStringLiteral("UTC");
    QString recurrence_rule;
    QString recurrence_dates;
    QString exception_dates;
    QString recurrence_id;
    QString master_event_uid;
    QString status = QStringLiteral("confirmed");
    QString event_url;
    QString conference_url;
    QString organizer_email;
    QString organizer_name;
    int sequence = 0;
    QString raw_icalendar;
    QString color;
    QDateTime created;
    QDateTime last_modified;
    SyncStatus sync_status = SyncStatus::Synced;
    std::optional<QDateTime> deleted_at;
    QString related_to_uid;
    QList<Reminder> reminders;
    QList<Attendee> attendees;
};

// Every field compared; the printable form names each field for test failures.
bool operator==(const Event &a, const Event &b);
QDebug operator<<(QDebug debug, const Event &event);

// The event's reminders and attendees as new child rows of it: no ids of
// their own yet, the event's id as their owner.
void claimChildRows(Event &event);

// `occurrence` as a new row of `series` (a series' copy in another
// calendar): a new id, the series' UID and calendar, no server's copy of
// its own, not deleted, its child rows claimed.
Event occurrenceUnder(const Event &occurrence, const Event &series);

// The status of a changed occurrence's tombstone when the change was taken
// back (EventRepository::withdraw), a value no other row carries.
inline constexpr QLatin1String WithdrawnOccurrenceStatus("withdrawn");
// Whether the row is such a tombstone: its occurrence is the series' again,
// where any other deleted occurrence is skipped in its series.
bool isWithdrawnOccurrence(const Event &event);
