#include "sync/webcal/webcalfeedwriter.h"

#include <QDebug>
#include <QHash>
#include <QPair>
#include <QSet>
#include <QUuid>

#include "store/eventrepository.h"
#include "store/storetransaction.h"

#include <algorithm>

namespace Webcal {

namespace {

QString rowKey(const QString &uid, const QString &recurrenceId)
{
    return uid + QChar(0x1F) + recurrenceId;
}

// All-day values are stored as dates, everything else as instants.
bool sameTime(const QDateTime &a, const QDateTime &b, bool allDay)
{
    if (a.isValid() != b.isValid())
        return false;
    return !a.isValid() || (allDay ? a.date() == b.date() : a == b);
}

bool sameTime(const std::optional<QDateTime> &a, const std::optional<QDateTime> &b, bool allDay)
{
    const bool haveA = a && a->isValid();
    const bool haveB = b && b->isValid();
    return haveA == haveB && (!haveA || sameTime(*a, *b, allDay));
}

// Acknowledgement and trigger time are the user's and the store's own.
bool sameReminders(const QList<Reminder> &a, const QList<Reminder> &b)
{
    if (a.size() != b.size())
        return false;
    QList<QPair<int, QString>> left;
    QList<QPair<int, QString>> right;
    for (int i = 0; i < a.size(); ++i) {
        left.append({a[i].minutes_before, a[i].action});
        right.append({b[i].minutes_before, b[i].action});
    }
    std::sort(left.begin(), left.end());
    std::sort(right.begin(), right.end());
    return left == right;
}

QStringList attendeeKeys(const QList<Attendee> &attendees)
{
    QStringList keys;
    for (const Attendee &a : attendees) {
        keys.append(QStringList{a.email, a.name, a.role, a.status, a.type,
                                a.rsvp ? QStringLiteral("1") : QStringLiteral("0")}
                        .join(QChar(0x1F)));
    }
    keys.sort();
    return keys;
}

} // namespace

FeedWriter::FeedWriter(const Sync::Repositories &store)
    : m_store(store)
{
}

bool FeedWriter::holdsFeedVersion(const Event &s, const Event &e)
{
    // Creation and modification stamps are not compared: the store sets
    // them on every write, and the feed's own stamps live in the raw text.
    return !s.deleted_at && s.sync_status == e.sync_status && s.calendar_id == e.calendar_id
        && s.uid == e.uid && s.recurrence_id == e.recurrence_id
        && s.raw_icalendar == e.raw_icalendar && s.is_all_day == e.is_all_day
        && sameTime(s.start_time, e.start_time, e.is_all_day)
        && sameTime(s.end_time, e.end_time, e.is_all_day) && s.title == e.title
        && s.description == e.description && s.location == e.location
        && s.geo_location == e.geo_location && s.timezone == e.timezone
        && s.recurrence_rule == e.recurrence_rule && s.recurrence_dates == e.recurrence_dates
        && s.exception_dates == e.exception_dates && s.master_event_uid == e.master_event_uid
        && s.status == e.status && s.event_url == e.event_url
        && s.conference_url == e.conference_url && s.organizer_email == e.organizer_email
        && s.organizer_name == e.organizer_name && s.sequence == e.sequence
        && s.color == e.color && s.related_to_uid == e.related_to_uid
        && s.provider_event_id == e.provider_event_id && s.etag == e.etag && s.href == e.href
        && sameReminders(s.reminders, e.reminders) && attendeeKeys(s.attendees) == attendeeKeys(e.attendees);
}

FeedWriter::Outcome FeedWriter::apply(const QString &calendarId, const QList<Event> &feedEvents)
{
    EventRepository *events = m_store.events;
    StoreTransaction transaction(m_store.database, QStringLiteral("webcal_feed"));
    const bool wasBlocked = events->blockSignals(true);

    // What the calendar holds now, read once: live rows, and the rows the
    // user deleted here (the feed's copy brings those back).
    QHash<QString, Event> held;
    for (const Event &row : events->getPending(calendarId)) {
        if (row.deleted_at)
            held.insert(rowKey(row.uid, row.recurrence_id), row);
    }
    QList<Event> live = events->getByCalendar(calendarId);
    for (const Event &row : std::as_const(live)) {
        const QString key = rowKey(row.uid, row.recurrence_id);
        const auto found = held.constFind(key);
        if (found == held.constEnd() || found->deleted_at)
            held.insert(key, row);
    }

    Outcome outcome;
    QSet<QString> keptIds;
    for (Event incoming : feedEvents) {
        if (incoming.uid.isEmpty())
            continue;
        incoming.calendar_id = calendarId;
        incoming.sync_status = SyncStatus::Synced;
        incoming.href.clear();
        incoming.etag.clear();
        incoming.deleted_at.reset();
        const QString key = rowKey(incoming.uid, incoming.recurrence_id);
        const auto found = held.constFind(key);
        bool ok = true;
        if (found != held.constEnd()) {
            incoming.id = found->id;
            // A row that failed to update still belongs to the feed.
            keptIds.insert(incoming.id);
            if (!holdsFeedVersion(*found, incoming)) {
                ok = events->update(incoming);
                outcome.written += ok ? 1 : 0;
            }
        } else {
            incoming.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
            ok = events->insert(incoming);
            outcome.written += ok ? 1 : 0;
        }
        if (!ok)
            continue;
        // A feed that lists one instance twice keeps the later copy.
        held.insert(key, incoming);
        keptIds.insert(incoming.id);
        ++outcome.stored;
    }

    for (const Event &row : std::as_const(live)) {
        if (!keptIds.contains(row.id) && events->hardDelete(row.id))
            ++outcome.removed;
    }

    events->blockSignals(wasBlocked);
    if (transaction.isActive() && !transaction.commit()) {
        // Undone as a whole: nothing of the batch was kept.
        qWarning().noquote() << "Webcal::FeedWriter::apply failed:" << transaction.errorText();
        outcome = Outcome();
        outcome.saved = false;
        return outcome;
    }
    if (outcome.written > 0 || outcome.removed > 0)
        events->notifyChanged(calendarId);
    return outcome;
}

} // namespace Webcal
