// How pulled events meet the stored rows of a CalDAV calendar: a new row,
// an update that keeps what only this side holds, a pending row that wins
// or merges, and the rows the server no longer lists.
#include "sync/caldav/caldavsyncrun.h"

#include "calendar/eventconflictmerge.h"
#include "calendar/icscodec.h"
#include "store/eventbatchwriter.h"
#include "store/eventitemkey.h"
#include "store/eventrepository.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavmovedcopy.h"
#include "sync/caldav/caldavmovedseries.h"
#include "sync/caldav/caldavpulledrow.h"
#include "sync/caldav/caldavrepositories.h"

#include <QUuid>

namespace {

// Whether the VEVENT text carries a property or component at all; what it
// does not carry is kept from the local row.
bool carries(const QString &raw, const QString &name)
{
    for (const QString &line : raw.split(QLatin1Char('\n'))) {
        if (line.startsWith(name, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

bool CalDavSyncRun::applyOneEvent(Event parsed, const Resource &resource, int *upserted, bool *saved)
{
    EventRepository *events = store().events;
    CalDavPulledRow::stamp(parsed, m_calendarId, resource.href, resource.etag);

    EventSyncKey *stored = storedKey(parsed.uid, parsed.recurrence_id);
    qCDebug(caldavLog).noquote() << "[CalDav] pull row" << parsed.title << "uid=" << parsed.uid << "recurrenceId="
                                 << (parsed.recurrence_id.isEmpty() ? QStringLiteral("(empty)") : parsed.recurrence_id)
                                 << "existing="
                                 << (stored ? QStringLiteral("id=%1 status=%2").arg(stored->id, toText(stored->sync_status))
                                            : QStringLiteral("(none)"))
                                 << "serverStart=" << parsed.start_time.toString(Qt::ISODate);

    if (stored && stored->sync_status == SyncStatus::Pending) {
        // The local version wins; it learns the server's current tag so its
        // push replaces that version.
        const bool hrefChanged = !parsed.href.isEmpty() && stored->href != parsed.href;
        if (stored->etag != parsed.etag || hrefChanged) {
            if (std::optional<Event> full = events->getById(stored->id)) {
                // First, while the synced copy the copy needs is still kept.
                bool handed = false;
                if (!CalDavMovedCopy::handOn(events, *full, stored->etag, parsed, &handed)) {
                    *saved = false;
                    return false;
                }
                if (handed)
                    ++*upserted;
                // A change withdrawn from its place by a move of its series
                // here: the change stands at the new place.
                if (!CalDavMovedSeries::handOn(events, m_movedSeries.get(), *full, stored->etag, parsed, &handed)) {
                    *saved = false;
                    return false;
                }
                if (handed)
                    ++*upserted;
                *saved = CalDavPulledRow::keepLocalEdit(
                    events, *full, stored->etag, parsed,
                    [this](const Event &local, const Event &server) { return mergedWithServer(local, server); },
                    m_landedRows.contains(stored->id));
                if (*saved)
                    rekey(stored, full->href, full->etag, full->sync_status, full->deleted_at.has_value());
            }
        }
        return false;
    }
    if (stored) {
        // Same tag, same place: the server copy is the one already stored.
        if (!parsed.etag.isEmpty() && stored->etag == parsed.etag && stored->href == parsed.href && !stored->deleted)
            return true;
        const std::optional<Event> full = events->getById(stored->id);
        if (full)
            keepLocalParts(parsed, *full);
        else
            parsed.id = stored->id;
        claimChildRows(parsed);
        *saved = events->update(parsed);
        if (*saved) {
            ++*upserted;
            rekey(stored, parsed.href, parsed.etag, parsed.sync_status, false);
        }
        return true;
    }
    parsed.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    for (Reminder &reminder : parsed.reminders)
        reminder.event_id = parsed.id;
    for (Attendee &attendee : parsed.attendees)
        attendee.event_id = parsed.id;
    const EventSyncKey *series = parsed.recurrence_id.isEmpty() ? nullptr : storedKey(parsed.uid, QString());
    // A new occurrence of a series moved in time or split here since it
    // was synced stands where the occurrence stands now.
    if (series && !series->deleted && series->sync_status == SyncStatus::Pending) {
        const CalDavMovedSeries *moved = m_movedSeries->of(parsed.uid);
        if (moved && moved->take(parsed) == CalDavMovedSeries::Arrival::HeldThere)
            return true;
    }
    // A new occurrence of a series moved away from here goes to the
    // series' copy, and is stored as left behind with the series, linked.
    const std::optional<Event> seriesCopy = series && series->deleted && series->sync_status == SyncStatus::Pending
        ? CalDavPulledRow::movedCopy<Event>(events, series->id)
        : std::nullopt;
    QString copyId;
    if (seriesCopy) {
        copyId = CalDavMovedCopy::takeOccurrence(events, parsed, *seriesCopy);
        parsed.deleted_at = QDateTime::currentDateTimeUtc();
        parsed.sync_status = SyncStatus::Pending;
    }
    *saved = (!seriesCopy || !copyId.isEmpty()) && m_newRows->insert(parsed);
    if (*saved && seriesCopy && !events->keepMove(parsed.id, copyId))
        qCWarning(caldavLog) << "[CalDav] Could not link the occurrence" << parsed.recurrence_id << "to its copy";
    if (*saved) {
        ++*upserted;
        // A later resource naming the same item finds this row.
        m_keys.append(EventSyncKey{parsed.id, parsed.uid, parsed.master_event_uid, parsed.recurrence_id,
                                   parsed.href, parsed.etag, parsed.sync_status, parsed.deleted_at.has_value()});
        indexSyncKey(int(m_keys.size()) - 1);
    }
    return true;
}

void CalDavSyncRun::meetPendingSeries(const QList<Event> &parsed, QStringList *unsaved)
{
    for (const Event &series : parsed) {
        if (series.uid.isEmpty() || !series.recurrence_id.isEmpty())
            continue;
        const EventSyncKey *stored = storedKey(series.uid, QString());
        if (stored && !stored->deleted && stored->sync_status == SyncStatus::Pending
            && !m_movedSeries->meet(series))
            unsaved->append(series.title);
    }
}

Event CalDavSyncRun::mergedWithServer(const Event &local, const Event &server) const
{
    const std::optional<EventSyncBase> base = store().events->syncBase(local.id);
    Event merged = CalDavPulledRow::mergedOnto(
        local, server, base ? IcsCodec::parseEvents(base->raw_icalendar) : QList<Event>(),
        [&server](const Event &candidate) { return candidate.recurrence_id == server.recurrence_id; },
        &EventConflictMerge::merged);
    // A series moved or split here: the days skipped elsewhere meanwhile
    // are named as the occurrences are named now.
    if (base && local.recurrence_id.isEmpty()) {
        if (const CalDavMovedSeries *moved = m_movedSeries->of(local.uid))
            moved->keepSkippedDays(server, &merged);
    }
    return merged;
}

void CalDavSyncRun::keepLocalParts(Event &parsed, const Event &full)
{
    parsed.id = full.id;
    // Local-only values and child rows the server text does not carry.
    if (parsed.color.isEmpty())
        parsed.color = full.color;
    if (parsed.provider_event_id.isEmpty())
        parsed.provider_event_id = full.provider_event_id;
    if (parsed.geo_location.isEmpty())
        parsed.geo_location = full.geo_location;
    const QString &raw = parsed.raw_icalendar;
    if (!carries(raw, QStringLiteral("BEGIN:VALARM"))) {
        parsed.reminders = full.reminders;
    } else {
        for (Reminder &reminder : parsed.reminders) {
            for (const Reminder &old : full.reminders) {
                if (old.minutes_before == reminder.minutes_before) {
                    reminder.acknowledged = old.acknowledged;
                    reminder.trigger_time = reminder.trigger_time ? reminder.trigger_time : old.trigger_time;
                }
            }
        }
    }
    if (!carries(raw, QStringLiteral("ATTENDEE")))
        parsed.attendees = full.attendees;
}

bool CalDavSyncRun::removeRow(EventSyncKey &key, QStringList *unremoved)
{
    if (store().events->hardDelete(key.id)) {
        key.deleted = true;
        return true;
    }
    // The row stays as it is, so the next pull removes it again.
    const std::optional<Event> row = store().events->getById(key.id);
    unremoved->append(row ? row->title : key.uid);
    return false;
}

void CalDavSyncRun::removeOverridesNotHeld(const Resource &resource, const QSet<QString> &held,
                                           QStringList *unremoved)
{
    // A series the server rewrote without one of its changed occurrences no
    // longer has it: the synced row goes, as the server's series says.
    const QList<int> rows = rowsAt(resource.href);
    int removed = 0;
    for (int index : rows) {
        EventSyncKey &key = m_keys[index];
        if (key.deleted || key.recurrence_id.isEmpty())
            continue;
        if (held.contains(eventItemKey(key.uid, key.recurrence_id))
            || held.contains(eventItemKey(key.master_event_uid, key.recurrence_id)))
            continue;
        if (key.sync_status != SyncStatus::Synced) {
            keepEditedOverride(key, resource);
            continue;
        }
        if (removeRow(key, unremoved))
            ++removed;
    }
    if (removed > 0)
        qCInfo(caldavLog) << "[CalDav] Pull removed" << removed << "occurrence change(s) the server's series"
                          << resource.href << "no longer holds";
}

void CalDavSyncRun::removeServerDeletedEvents(const QSet<QString> &listed, QStringList *unremoved)
{
    // Only synced rows with an href: pending rows and rows never stored on
    // the server are local work, never the server's to delete. A series
    // whose resource is gone takes its changed occurrences with it, even
    // edited ones: they cannot live on the server without it.
    QSet<QString> goneSeries;
    for (const EventSyncKey &key : std::as_const(m_keys)) {
        if (!key.deleted && key.recurrence_id.isEmpty() && key.sync_status == SyncStatus::Synced
            && !key.href.isEmpty() && !listed.contains(CalDavXml::hrefKey(key.href)))
            goneSeries.insert(key.uid);
    }
    int removed = 0;
    for (EventSyncKey &key : m_keys) {
        if (key.deleted)
            continue;
        const bool synced = key.sync_status == SyncStatus::Synced;
        const bool ofGoneSeries = !key.recurrence_id.isEmpty()
            && (goneSeries.contains(key.uid) || goneSeries.contains(key.master_event_uid));
        const bool unlisted = !key.href.isEmpty() && !listed.contains(CalDavXml::hrefKey(key.href));
        if (!ofGoneSeries && !(synced && unlisted))
            continue;
        if (!synced)
            qCWarning(caldavLog).noquote() << "[CalDav] The series" << key.uid << "was deleted on the server;"
                                           << "its locally changed occurrence" << key.recurrence_id
                                           << "goes with it";
        if (removeRow(key, unremoved))
            ++removed;
    }
    if (removed > 0)
        qCInfo(caldavLog) << "[CalDav] Pull removed" << removed << "server-deleted event(s) for" << m_calendar.name;
}

void CalDavSyncRun::keepEditedOverride(EventSyncKey &key, const Resource &resource)
{
    // The server dropped an occurrence change that was edited here: the
    // local edit puts it back. Its push writes the series as the server now
    // has it, so it needs that copy's tag, not the one the override last saw.
    if (key.etag == resource.etag || key.deleted)
        return;
    std::optional<Event> row = store().events->getById(key.id);
    if (!row)
        return;
    qCInfo(caldavLog).noquote() << "[CalDav] The server dropped the changed occurrence" << row->title
                                << "edited here; the local edit puts it back";
    row->etag = resource.etag;
    row->href = resource.href;
    if (store().events->update(*row))
        rekey(&key, row->href, row->etag, row->sync_status, row->deleted_at.has_value());
}
