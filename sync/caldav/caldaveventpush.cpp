// Event push of a CalDAV sync run.
#include "sync/caldav/caldavsyncrun.h"

#include "calendar/icscodec.h"
#include "store/eventrepository.h"
#include "store/strayoccurrences.h"
#include "sync/caldav/caldavicsbundle.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavsyncclient.h"
#include "sync/core/movedcopy.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QUuid>

#include <algorithm>

namespace {

const QString kIcsType = QStringLiteral("text/calendar; charset=utf-8");

// The uid of the resource a row lives in: an override changed here has a
// uid of its own and names its series in master_event_uid.
QString seriesUid(const QString &uid, const QString &masterUid, const QString &recurrenceId)
{
    return !recurrenceId.isEmpty() && !masterUid.isEmpty() ? masterUid : uid;
}

QString seriesUid(const Event &event)
{
    return seriesUid(event.uid, event.master_event_uid, event.recurrence_id);
}

} // namespace

void CalDavSyncRun::runPush()
{
    // A changed occurrence an earlier version's move left in another
    // calendar than its series' goes back with its series before anything
    // goes up, now that the pull read the series as its server holds it.
    // One that stands here waits for its series' calendar: alone it would
    // be refused.
    QSet<QString> awaiting;
    for (const QString &title :
         StrayOccurrences::returnToSeries(store().database, store().events, m_calendarId, &awaiting))
        Q_EMIT m_owner->calendarSyncNotice(
            m_calendarId, QCoreApplication::translate("CalDavSyncClient", "\"%1\" is one occurrence of a repeating "
                                                                          "event and went back to its series' calendar.")
                              .arg(title));
    m_eventQueue = store().events->getPending(m_calendarId);
    m_eventQueue.removeIf([&awaiting](const Event &row) { return awaiting.contains(row.id); });
    for (const QString &id : awaiting)
        qCInfo(caldavLog) << "[CalDav] Occurrence" << id << "waits to go back to its series' calendar";
    if (m_eventQueue.isEmpty()) {
        runTaskPull();
        return;
    }
    qCDebug(caldavLog) << "[CalDav] Event push for" << m_calendar.name << "pending=" << m_eventQueue.size();
    for (const Event &item : std::as_const(m_eventQueue))
        qCDebug(caldavLog) << "  -" << item.title << "id=" << item.id << "uid=" << item.uid
                           << "deletedAt=" << (item.deleted_at ? "yes" : "no")
                           << "href=" << (item.href.isEmpty() ? QStringLiteral("(empty)") : item.href);

    // Rows sharing a UID share one resource (a series and its overrides).
    m_liveIdsByUid.clear();
    m_deletedIdsByUid.clear();
    QList<EventSyncKey> keys;
    if (!store().events->getSyncKeys(m_calendarId, &keys))
        qCWarning(caldavLog) << "[CalDav] Listing series rows failed for" << m_calendar.name;
    // A resource whose rows were moved stays whole until their copies are
    // on their own servers: deleting any row of it alone would take the
    // rest along (a series) or send the rest without it.
    QSet<QString> waiting;
    for (const EventSyncKey &key : std::as_const(keys)) {
        if (key.deleted && key.sync_status == SyncStatus::Pending && !key.href.isEmpty() && awaitsMovedCopy(key))
            waiting.insert(seriesUid(key.uid, key.master_event_uid, key.recurrence_id));
    }
    for (const EventSyncKey &key : std::as_const(keys)) {
        const QString uid = seriesUid(key.uid, key.master_event_uid, key.recurrence_id);
        if (awaiting.contains(key.id))
            continue;
        if (!key.deleted) {
            m_liveIdsByUid[uid].append(key.id);
        } else if (key.sync_status == SyncStatus::Pending && !key.href.isEmpty()) {
            if (!waiting.contains(uid))
                m_deletedIdsByUid[uid].append(key.id);
            else
                m_pushedIds.insert(key.id);
        }
    }
    for (const QString &uid : std::as_const(waiting))
        qCInfo(caldavLog) << "[CalDav] Event" << uid << "stays on the server until its moved copy is on its own";
    pushNextEvent();
}

bool CalDavSyncRun::awaitsMovedCopy(const EventSyncKey &key) const
{
    return MovedCopy::keptForCopy<Event>(store().events, key.id, [this](const Event &copy) {
        return MovedCopy::eventAwaitsUpload(store(), copy);
    });
}

void CalDavSyncRun::recordItemFailure(const QString &title, int status)
{
    m_failures.append(QStringLiteral("\"%1\" (HTTP %2)").arg(title).arg(status));
}

void CalDavSyncRun::pushNextEvent()
{
    while (!m_eventQueue.isEmpty()) {
        const Event queued = m_eventQueue.takeFirst();
        if (m_pushedIds.contains(queued.id))
            continue;
        // The queue is a snapshot; the row may have changed since.
        const std::optional<Event> item = store().events->getById(queued.id);
        if (!item || item->sync_status != SyncStatus::Pending)
            continue;
        m_pushedIds.insert(item->id);

        const bool isDelete = item->deleted_at.has_value();
        if (isDelete && item->href.isEmpty()) {
            qCDebug(caldavLog) << "[CalDav] Local-only delete skip-push for" << item->title;
            if (!store().events->hardDelete(item->id))
                qCWarning(caldavLog) << "[CalDav] hardDelete failed for" << item->title << "id=" << item->id;
            continue;
        }

        const auto sameResource = [&item](const Event &sibling) {
            return sibling.href.isEmpty() || item->href.isEmpty()
                || CalDavXml::hrefKey(sibling.href) == CalDavXml::hrefKey(item->href);
        };
        QList<Event> group;
        for (const QString &id : m_liveIdsByUid.value(seriesUid(*item))) {
            if (id == item->id)
                continue;
            const std::optional<Event> sibling = store().events->getById(id);
            if (sibling && !sibling->deleted_at && sameResource(*sibling))
                group.append(*sibling);
        }
        // Deletions waiting in the same resource go with this request, so
        // the resource is sent once per run, not once per row.
        QList<Event> deleted;
        if (isDelete)
            deleted.append(*item);
        for (const QString &id : m_deletedIdsByUid.value(seriesUid(*item))) {
            const std::optional<Event> row = id == item->id ? std::nullopt : store().events->getById(id);
            if (row && row->deleted_at && row->sync_status == SyncStatus::Pending && !m_pushedIds.contains(id)
                && sameResource(*row))
                deleted.append(*row);
        }
        for (const Event &sibling : std::as_const(group))
            m_pushedIds.insert(sibling.id);
        for (const Event &row : std::as_const(deleted))
            m_pushedIds.insert(row.id);

        if (!isDelete)
            group.prepend(*item);
        // A deleted series takes its resource with it.
        const auto master = std::find_if(deleted.cbegin(), deleted.cend(),
                                          [](const Event &row) { return row.recurrence_id.isEmpty(); });
        if (group.isEmpty() || master != deleted.cend()) {
            deleteEventResource(master != deleted.cend() ? *master : *item, deleted);
            return;
        }
        // A deleted override leaves its series on the server: the rest of
        // the resource is written back without it. A withdrawn one (its
        // change undone) gives the occurrence back to the series, which
        // then must not skip it.
        for (const Event &row : std::as_const(deleted)) {
            if (!row.recurrence_id.isEmpty() && !isWithdrawnOccurrence(row))
                skipDeletedOccurrence(group, row);
        }
        pushEventGroup(*item, group, deleted);
        return;
    }
    runTaskPull();
}

void CalDavSyncRun::skipDeletedOccurrence(QList<Event> &group, const Event &deleted)
{
    // Without an exception the series would bring the occurrence back at
    // its original time once the changed copy is gone.
    for (Event &master : group) {
        if (!master.recurrence_id.isEmpty())
            continue;
        const QString skipped = master.is_all_day ? deleted.recurrence_id.left(8) : deleted.recurrence_id;
        QJsonArray dates = QJsonDocument::fromJson(master.exception_dates.toUtf8()).array();
        if (dates.contains(QJsonValue(skipped)))
            return;
        dates.append(skipped);
        master.exception_dates = QString::fromUtf8(QJsonDocument(dates).toJson(QJsonDocument::Compact));
        master.raw_icalendar = IcsCodec::buildEventIcs(master);
        master.sync_status = SyncStatus::Pending;
        // The stored series skips it too, so the occurrence does not come
        // back here either.
        if (!store().events->update(master))
            qCWarning(caldavLog) << "[CalDav] Could not store the exception of" << master.title;
        else if (const std::optional<Event> stored = store().events->getById(master.id))
            master = *stored;
        return;
    }
}

void CalDavSyncRun::pushEventGroup(const Event &item, const QList<Event> &group, const QList<Event> &deleted)
{
    // Each row's text is the stored text with the record's edits merged in,
    // so properties this program does not model survive the push.
    QStringList texts;
    QString href;
    QString etag;
    for (const Event &event : group) {
        texts.append(IcsCodec::buildEventIcs(event));
        if (href.isEmpty() && !event.href.isEmpty()) {
            href = event.href;
            etag = event.etag;
        }
    }
    if (!deleted.isEmpty() && href.isEmpty()) {
        href = deleted.first().href;
        etag = deleted.first().etag;
    }
    const QString text = texts.size() == 1 ? texts.first() : CalDavIcsBundle::combine(texts);
    bool wrapped = false;
    const QByteArray body = CalDavIcsBundle::toBody(text, &wrapped);
    if (wrapped)
        qCWarning(caldavLog) << "[CalDav] rawIcalendar for" << item.title << "missing VCALENDAR wrapper —"
                             << "re-wrapping for push";

    const bool isCreate = href.isEmpty();
    keepSentCopies(group, texts, deleted, etag);
    const QString name = isCreate ? CalDavXml::newItemName(seriesUid(item)) : QString();
    const QUrl url = isCreate ? CalDavXml::itemUrl(m_url, name) : CalDavXml::resolveHref(m_url, href);
    const EventUpload upload{item, group, deleted, isCreate ? itemPath(name) : href, etag, body, texts};
    QPointer<CalDavSyncRun> self(this);
    countRequest();
    if (isCreate) {
        // Only where nothing is yet: a resource someone else wrote under
        // that name is read by the next pull, never replaced unseen.
        m_client->putIfAbsent(url, body, kIcsType, [self, upload](const CalDavClient::Response &response) {
            if (self)
                self->onEventCreateReply(response, upload);
        });
        return;
    }
    m_client->put(url, body, kIcsType,
                  [self, upload, url](const CalDavClient::Response &response) {
                      if (!self)
                          return;
                      const bool gone = response.status == 412 || response.status == 404;
                      if (!gone) {
                          self->onEventPutReply(response, upload, false);
                          return;
                      }
                      // The server copy is gone (a 412 after this run's pull
                      // listed no such resource, or a 404): keep the local
                      // edit by creating the resource again, but never over
                      // a copy someone else just wrote.
                      qCInfo(caldavLog) << "[CalDav]" << upload.group.first().title << "was deleted on the server"
                                        << "or changed since the pull (HTTP" << response.status
                                        << "); re-creating it from the local copy if it is gone";
                      EventUpload again = upload;
                      again.startTag.clear();
                      self->countRequest();
                      self->m_client->putIfAbsent(url, upload.body, kIcsType,
                                                  [self, again](const CalDavClient::Response &retry) {
                                                      if (self)
                                                          self->onEventPutReply(retry, again, true);
                                                  });
                  },
                  etag);
}

void CalDavSyncRun::onEventCreateReply(const CalDavClient::Response &response, const EventUpload &upload)
{
    if (response.status != 412 || !response.error.isEmpty()) {
        onEventPutReply(response, upload, false);
        return;
    }
    // The name is taken: that resource stays, and the event takes another,
    // as a task does.
    qCInfo(caldavLog) << "[CalDav] Event push 412 for" << upload.item.title
                      << "- its name is taken, creating it under another";
    const QString name = QUuid::createUuid().toString(QUuid::WithoutBraces);
    EventUpload again = upload;
    again.href = itemPath(name);
    QPointer<CalDavSyncRun> self(this);
    countRequest();
    m_client->putIfAbsent(CalDavXml::itemUrl(m_url, name), upload.body, kIcsType,
                          [self, again](const CalDavClient::Response &retry) {
                              if (self)
                                  self->onEventPutReply(retry, again, false);
                          });
}

void CalDavSyncRun::onEventPutReply(const CalDavClient::Response &response, const EventUpload &upload,
                                    bool recreated)
{
    const bool isDelete = upload.item.deleted_at.has_value();
    const Event &item = upload.item;
    qCDebug(caldavLog) << "[CalDav] Push response for" << item.title << "→ HTTP" << response.status
                       << (response.error.isEmpty() ? QString() : QStringLiteral("err=") + response.error)
                       << (isDelete ? "(delete)" : item.href.isEmpty() ? "(create)" : "(update)");
    if (!response.error.isEmpty()) {
        qCWarning(caldavLog) << "[CalDav] Push network error for" << item.title << ":" << response.error;
        fail(QCoreApplication::translate("CalDavSyncClient", "Push error: %1").arg(response.error));
        return;
    }
    if (!isSuccessStatus(response.status)) {
        qCWarning(caldavLog) << "[CalDav] Push HTTP" << response.status << "for" << item.title;
        recordItemFailure(item.title, response.status);
        pushNextEvent();
        return;
    }
    if (recreated)
        qCInfo(caldavLog) << "[CalDav]" << item.title << "had been deleted on the server; re-created it with the local changes";
    QPointer<CalDavSyncRun> self(this);
    const int status = response.status;
    confirmUpload(response, upload.href, upload.startTag, upload.body,
                  [self, upload, item, status](const std::optional<ServerCopy> &copy) {
                      if (!self)
                          return;
                      if (!copy) {
                          // Never taken for sent: the row stays pending (and so
                          // is never the pull's to delete) and goes again next time.
                          qCWarning(caldavLog) << "[CalDav] The server did not confirm" << item.title << "(HTTP"
                                               << status << "); it stays pending";
                          self->recordItemFailure(item.title, status);
                          self->pushNextEvent();
                          return;
                      }
                      // The server's own rows, where it stored its own form.
                      const bool rewritten = rewrittenByServer(*copy, upload.body);
                      const QList<Event> serverRows =
                          rewritten ? IcsCodec::parseEvents(copy->text) : QList<Event>();
                      self->markEventsPushed(upload, copy->etag, rewritten ? &serverRows : nullptr);
                      if (rewritten)
                          self->keepServerEvents(upload.group, upload.href, copy->etag, serverRows);
                      for (const Event &deleted : upload.deleted) {
                          const std::optional<Event> now = self->store().events->getById(deleted.id);
                          if (now && now->deleted_at && !self->store().events->hardDelete(deleted.id))
                              qCWarning(caldavLog) << "[CalDav] hardDelete failed for" << deleted.title
                                                   << "id=" << deleted.id;
                      }
                      self->pushNextEvent();
                  });
}

void CalDavSyncRun::markEventsPushed(const EventUpload &upload, const QString &etag,
                                     const QList<Event> *serverRows)
{
    for (qsizetype i = 0; i < upload.group.size(); ++i) {
        const Event &sent = upload.group.at(i);
        const std::optional<Event> now = store().events->getById(sent.id);
        if (!now)
            continue;
        // The next edit's merge starts from the stored text: it is what went
        // up, not the copy the edit was made or merged on.
        const QString text = upload.texts.value(i);
        if (fingerprint(*now) == fingerprint(sent)) {
            const bool marked = text.isEmpty() ? store().events->markSynced(sent.id, upload.href, etag)
                                               : store().events->markSent(sent.id, upload.href, etag, text);
            if (!marked)
                qCWarning(caldavLog) << "[CalDav] markSynced failed for" << sent.title << "id=" << sent.id;
            continue;
        }
        // Edited while the request was in flight: the server has the older
        // version, so the row stays pending with the new tag and place, its
        // edits now made on what the server holds.
        Event pending = *now;
        pending.href = upload.href;
        pending.etag = etag;
        pending.sync_status = SyncStatus::Pending;
        const Event *server = serverRows ? serverRowOf(*serverRows, *now) : nullptr;
        const QString held = server ? server->raw_icalendar : serverRows ? QString() : text;
        if (!store().events->update(pending))
            qCWarning(caldavLog) << "[CalDav] Could not keep the new tag of" << pending.title << "id=" << pending.id;
        else if (!held.isEmpty() && !store().events->keepSyncBase(pending.id, {etag, held}))
            qCWarning(caldavLog) << "[CalDav] Could not keep the synced copy of" << pending.title;
    }
}

const Event *CalDavSyncRun::serverRowOf(const QList<Event> &parsed, const Event &row)
{
    for (const Event &server : parsed) {
        if (server.recurrence_id == row.recurrence_id
            && (server.uid == row.uid || server.uid == row.master_event_uid))
            return &server;
    }
    return nullptr;
}

void CalDavSyncRun::keepServerEvents(const QList<Event> &group, const QString &href, const QString &etag,
                                     const QList<Event> &serverRows)
{
    // Rows edited while the upload was in flight stay pending and are sent
    // again; the others take the server's text, as a pull would give it.
    for (const Event &sent : group) {
        const std::optional<Event> now = store().events->getById(sent.id);
        if (!now || now->sync_status != SyncStatus::Synced)
            continue;
        if (const Event *found = serverRowOf(serverRows, *now)) {
            Event server = *found;
            keepLocalParts(server, *now);
            server.uid = now->uid;
            server.master_event_uid = now->master_event_uid;
            server.calendar_id = m_calendarId;
            server.href = href;
            server.etag = etag;
            server.sync_status = SyncStatus::Synced;
            server.created = now->created;
            if (!server.last_modified.isValid())
                server.last_modified = now->last_modified;
            claimChildRows(server);
            if (!store().events->update(server))
                qCWarning(caldavLog) << "[CalDav] Could not keep the server's copy of" << now->title;
        }
    }
}

void CalDavSyncRun::deleteEventResource(const Event &item, const QList<Event> &deleted)
{
    QPointer<CalDavSyncRun> self(this);
    countRequest();
    m_client->del(
        CalDavXml::resolveHref(m_url, item.href),
        [self, item, deleted](const CalDavClient::Response &response) {
            if (!self)
                return;
            qCDebug(caldavLog) << "[CalDav] Push response for" << item.title << "→ HTTP" << response.status
                               << (response.error.isEmpty() ? QString() : QStringLiteral("err=") + response.error)
                               << "(delete)";
            if (!response.error.isEmpty()) {
                qCWarning(caldavLog) << "[CalDav] Push network error for" << item.title << ":" << response.error;
                self->fail(QCoreApplication::translate("CalDavSyncClient", "Push error: %1").arg(response.error));
                return;
            }
            if (!isSuccessStatus(response.status) && response.status != 404) {
                qCWarning(caldavLog) << "[CalDav] Push HTTP" << response.status << "for" << item.title << "(delete)";
                self->recordItemFailure(item.title, response.status);
                self->pushNextEvent();
                return;
            }
            const int status = response.status;
            self->confirmDelete(response, item.href, [self, item, deleted, status](bool gone) {
                if (!self)
                    return;
                if (gone) {
                    self->removeDeletedResource(item, deleted);
                } else {
                    // The tombstone stays, so the next run deletes it again
                    // instead of the pull bringing it back.
                    qCWarning(caldavLog) << "[CalDav] The server did not confirm the deletion of" << item.title
                                         << "(HTTP" << status << "); it stays pending";
                    self->recordItemFailure(item.title, status);
                }
                self->pushNextEvent();
            });
        },
        item.etag);
}

void CalDavSyncRun::removeDeletedResource(const Event &item, const QList<Event> &deleted)
{
    // The resource held the whole series: its other rows go with it.
    QStringList ids{item.id};
    QSet<QString> deletedHere{item.id};
    for (const Event &row : deleted) {
        deletedHere.insert(row.id);
        if (!ids.contains(row.id))
            ids.append(row.id);
    }
    ids += m_liveIdsByUid.value(seriesUid(item));
    for (const QString &id : std::as_const(ids)) {
        const std::optional<Event> row = store().events->getById(id);
        if (!row || (!row->href.isEmpty() && CalDavXml::hrefKey(row->href) != CalDavXml::hrefKey(item.href)))
            continue;
        if (deletedHere.contains(id) && !row->deleted_at) {
            // Restored while the DELETE was in flight: send it again as new.
            Event restored = *row;
            restored.href.clear();
            restored.etag.clear();
            restored.sync_status = SyncStatus::Pending;
            if (!store().events->update(restored))
                qCWarning(caldavLog) << "[CalDav] Could not mark restored" << restored.title << "id=" << id << "as new";
            continue;
        }
        if (!store().events->hardDelete(id))
            qCWarning(caldavLog) << "[CalDav] hardDelete failed for" << row->title << "id=" << id;
    }
}
