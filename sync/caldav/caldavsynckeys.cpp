// The stored rows as a CalDAV pull sees them: read once per pull, looked up
// by item and by resource, and kept current as the pull writes.
#include "sync/caldav/caldavsyncrun.h"

#include "store/eventitemkey.h"
#include "store/eventrepository.h"
#include "sync/caldav/caldavsyncclient.h"

bool CalDavSyncRun::loadSyncKeys()
{
    m_keyByItem.clear();
    m_keysByHref.clear();
    if (!store().events->getSyncKeys(m_calendarId, &m_keys))
        return false;
    for (int i = 0; i < m_keys.size(); ++i)
        indexSyncKey(i);
    return true;
}

void CalDavSyncRun::indexSyncKey(int index)
{
    const EventSyncKey &key = m_keys.at(index);
    // The row's own uid first; an occurrence changed here has a uid of its
    // own and is known to the server by its series' uid.
    m_keyByItem.insert(eventItemKey(key.uid, key.recurrence_id), index);
    if (!key.recurrence_id.isEmpty() && !key.master_event_uid.isEmpty()) {
        const QString bySeries = eventItemKey(key.master_event_uid, key.recurrence_id);
        if (!m_keyByItem.contains(bySeries))
            m_keyByItem.insert(bySeries, index);
    }
    if (!key.href.isEmpty())
        m_keysByHref[CalDavXml::hrefKey(key.href)].append(index);
}

void CalDavSyncRun::rekey(EventSyncKey *key, const QString &href, const QString &etag, SyncStatus status,
                          bool deleted)
{
    const bool moved = CalDavXml::hrefKey(href) != CalDavXml::hrefKey(key->href);
    key->href = href;
    key->etag = etag;
    key->sync_status = status;
    key->deleted = deleted;
    if (moved && !href.isEmpty())
        m_keysByHref[CalDavXml::hrefKey(href)].append(int(key - m_keys.data()));
}

QList<int> CalDavSyncRun::rowsAt(const QString &href) const
{
    // A row that moved during this pull is listed under both places.
    const QString wanted = CalDavXml::hrefKey(href);
    QList<int> rows;
    for (int index : m_keysByHref.value(wanted)) {
        if (CalDavXml::hrefKey(m_keys.at(index).href) == wanted)
            rows.append(index);
    }
    return rows;
}

EventSyncKey *CalDavSyncRun::storedKey(const QString &uid, const QString &recurrenceId)
{
    const auto found = m_keyByItem.constFind(eventItemKey(uid, recurrenceId));
    return found == m_keyByItem.constEnd() ? nullptr : &m_keys[found.value()];
}

int CalDavSyncRun::unchangedRowCount(const Resource &resource) const
{
    // A resource whose tag every row of it already holds is the text they
    // were read from: nothing to parse or write.
    if (resource.etag.isEmpty())
        return 0;
    const QList<int> rows = rowsAt(resource.href);
    for (int index : rows) {
        const EventSyncKey &key = m_keys.at(index);
        if (key.etag != resource.etag || key.href != resource.href || key.deleted
            || key.sync_status != SyncStatus::Synced)
            return 0;
    }
    return int(rows.size());
}
