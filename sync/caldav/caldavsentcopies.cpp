// What an upload of a CalDAV sync run sent, kept before it goes up, and an
// upload whose answer never came, known by the next pull by it.
#include "sync/caldav/caldavsyncrun.h"

#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "sync/caldav/caldavlandedupload.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavrepositories.h"
#include "sync/caldav/caldavsyncclient.h"

void CalDavSyncRun::keepSentCopies(const QList<Event> &group, const QStringList &texts, const QList<Event> &deleted,
                                   const QString &startTag)
{
    // Each pending row of the resource: what went up of it, or that it was
    // left out.
    StoreTransaction work(store().database, QStringLiteral("caldav_sent_copies"));
    bool kept = true;
    for (qsizetype i = 0; i < group.size(); ++i) {
        const Event &row = group.at(i);
        if (row.sync_status == SyncStatus::Pending && !texts.value(i).isEmpty())
            kept = store().events->keepSentCopy(row.id, {startTag, texts.at(i)}) && kept;
    }
    for (const Event &row : deleted)
        kept = store().events->keepSentCopy(row.id, {startTag, QString()}) && kept;
    // Without it a lost answer is merged as before: as another's change.
    if (!kept || (work.isActive() && !work.commit()))
        qCWarning(caldavLog) << "[CalDav] Could not keep what goes up of" << group.value(0).title;
}

void CalDavSyncRun::settleLandedUploads(const Resource &resource, const QList<Event> &parsed)
{
    // The rows the upload may have held: those at the resource's place and
    // those it names that have none yet (a create's, a change a move put
    // where no server held one). Only pending rows whose copy the server
    // holds no longer can have sent what it holds now.
    QList<int> indices = rowsAt(resource.href);
    for (const Event &event : parsed) {
        const EventSyncKey *key = storedKey(event.uid, event.recurrence_id);
        if (key)
            indices.append(int(key - m_keys.constData()));
    }
    QSet<QString> seen;
    QStringList ids;
    QList<const EventSyncKey *> candidates;
    for (int index : std::as_const(indices)) {
        const EventSyncKey &key = m_keys.at(index);
        if (key.sync_status != SyncStatus::Pending || key.etag == resource.etag || seen.contains(key.id))
            continue;
        seen.insert(key.id);
        ids.append(key.id);
        candidates.append(&key);
    }
    if (candidates.isEmpty())
        return;
    EventRepository *events = store().events;
    const std::optional<QHash<QString, EventSentCopy>> kept = events->sentCopies(ids);
    if (!kept || kept->isEmpty())
        return;
    // The upload went up against the tag the rows that have one still
    // name; where none has one, against the tag their copies name: a
    // create's, none.
    std::optional<QString> startTag;
    for (const EventSyncKey *key : std::as_const(candidates)) {
        const auto copy = kept->constFind(key->id);
        if (copy == kept->cend() || (!key->etag.isEmpty() && copy->sent.etag != key->etag))
            continue;
        if (!startTag || !key->etag.isEmpty())
            startTag = copy->sent.etag;
        if (!key->etag.isEmpty())
            break;
    }
    if (!startTag)
        return;
    QList<CalDavLandedUpload::Row> rows;
    QStringList sentIds;
    for (const EventSyncKey *key : std::as_const(candidates)) {
        const auto copy = kept->constFind(key->id);
        // A row with a tag other than the upload's has been read anew since.
        if (copy == kept->cend() || copy->sent.etag != *startTag || (!key->etag.isEmpty() && key->etag != *startTag))
            continue;
        // Of a row deleted here only that it was left out counts.
        if (key->deleted != copy->sent.raw_icalendar.isEmpty())
            continue;
        rows.append({copy->sent.raw_icalendar, copy->base});
        if (!key->deleted)
            sentIds.append(key->id);
    }
    if (sentIds.isEmpty() || !CalDavLandedUpload::landed(resource.calendarData, rows, startTag->isEmpty()))
        return;
    // The server gave what was sent no tag this device heard: each row was
    // last in step with what it sent, and only what changed since is merged.
    qCInfo(caldavLog).noquote() << "[CalDav]" << parsed.value(0).title << "is on the server as this device sent it,"
                                << "though the answer never came; only what changed since is merged";
    for (const QString &id : std::as_const(sentIds)) {
        if (events->keepSyncBase(id, {QString(), kept->value(id).sent.raw_icalendar}))
            m_landedRows.insert(id);
        else
            qCWarning(caldavLog) << "[CalDav] Could not keep what was sent of" << parsed.value(0).title;
    }
}
