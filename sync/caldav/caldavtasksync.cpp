// Task pull and push of a CalDAV sync run.
#include "sync/caldav/caldavsyncrun.h"

#include "calendar/icscodec.h"
#include "calendar/taskconflictmerge.h"
#include "store/accountrepository.h"
#include "store/accounttype.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/storetransaction.h"
#include "store/taskrepository.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavmovedcopy.h"
#include "sync/caldav/caldavpulledrow.h"
#include "sync/caldav/caldavsyncclient.h"
#include "sync/caldav/caldavtasktext.h"
#include "sync/core/movedcopy.h"
#include "sync/core/pullapplyqueue.h"

#include <QCoreApplication>
#include <QDebug>
#include <QPointer>
#include <QUuid>

namespace {

const QString kIcsType = QStringLiteral("text/calendar; charset=utf-8");

// The task's own part of a resource's text, as a pull of it stores it;
// empty when the text holds none.
QString partOf(const QString &text, const QString &uid)
{
    for (const Task &part : IcsCodec::parseTodoResource(text)) {
        if (part.uid == uid)
            return part.raw_icalendar;
    }
    return QString();
}

} // namespace

void CalDavSyncRun::runTaskPull()
{
    m_taskCount = 0;
    if (!supportsTasks(m_calendar)) {
        runTaskPush();
        return;
    }
    // Nothing of the tasks read means the run cannot call itself done.
    pullListing(QStringLiteral("VTODO"),
                {QCoreApplication::translate("CalDavSyncClient", "Network error during task pull: %1"),
                 QCoreApplication::translate("CalDavSyncClient", "Server returned HTTP %1 during task pull"),
                 QCoreApplication::translate("CalDavSyncClient",
                                             "The server's task listing was incomplete (HTTP %1); nothing was "
                                             "changed.")},
                &CalDavSyncRun::applyPulledTasks);
}

bool CalDavSyncRun::applyOneTask(Task parsed, const Resource &resource, bool shared, bool *saved)
{
    TaskRepository *tasks = store().tasks;
    CalDavPulledRow::stamp(parsed, m_calendarId, resource.href, resource.etag);

    std::optional<Task> stored = tasks->getByUidAndCalendar(parsed.uid, m_calendarId);
    if (stored && stored->sync_status == SyncStatus::Pending) {
        const bool hrefChanged = !parsed.href.isEmpty() && stored->href != parsed.href;
        if (stored->etag != parsed.etag || hrefChanged) {
            const QString storedTag = stored->etag;
            // First, while the synced copy the copy needs is still kept.
            if (!CalDavMovedCopy::handOn(tasks, *stored, storedTag, parsed)) {
                *saved = false;
                return false;
            }
            *saved = CalDavPulledRow::keepLocalEdit(
                tasks, *stored, storedTag, parsed,
                [this](const Task &local, const Task &server) { return mergedWithServer(local, server); });
        }
        return false;
    }
    if (stored) {
        // A row stored when rows held their VTODO alone takes its part of
        // the resource once, so its next edit keeps the rest of it.
        const bool heldAlone = !stored->raw_icalendar.contains(QLatin1String("BEGIN:VCALENDAR"), Qt::CaseInsensitive)
            && parsed.raw_icalendar.contains(QLatin1String("BEGIN:VCALENDAR"), Qt::CaseInsensitive);
        // One stored when rows held the whole resource takes its own part
        // of a resource it shares with other tasks.
        const bool heldWhole = shared && stored->raw_icalendar == resource.calendarData;
        // One read when only the last CATEGORIES line counted takes every
        // line's categories once, before an edit writes them back.
        const bool categoriesCut = stored->categories != parsed.categories;
        if (!parsed.etag.isEmpty() && stored->etag == parsed.etag && stored->href == parsed.href
            && !stored->deleted_at && !heldAlone && !heldWhole && !categoriesCut)
            return false;
        keepLocalParts(parsed, *stored);
        *saved = tasks->update(parsed);
        return *saved;
    }
    parsed.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    for (Reminder &reminder : parsed.reminders)
        reminder.task_id = parsed.id;
    *saved = tasks->insert(parsed);
    return *saved;
}

Task CalDavSyncRun::mergedWithServer(const Task &local, const Task &server) const
{
    const std::optional<TaskSyncBase> base = store().tasks->syncBase(local.id);
    return CalDavPulledRow::mergedOnto(
        local, server, base ? IcsCodec::parseTodoResource(base->raw_icalendar) : QList<Task>(),
        [&server](const Task &candidate) { return candidate.uid == server.uid; }, &TaskConflictMerge::merged);
}

void CalDavSyncRun::keepLocalParts(Task &parsed, const Task &stored)
{
    parsed.id = stored.id;
    // Local-only values and reminders the server text does not carry.
    if (parsed.color.isEmpty())
        parsed.color = stored.color;
    // Only the task's own VTODO counts: an occurrence changed elsewhere may
    // carry alarms of its own.
    if (!IcsCodec::todoOf(parsed.raw_icalendar, parsed.uid).contains(QLatin1String("BEGIN:VALARM"),
                                                                        Qt::CaseInsensitive))
        parsed.reminders = stored.reminders;
    claimChildRows(parsed);
}

void CalDavSyncRun::applyPulledTasks()
{
    applyPulled(&CalDavSyncRun::applyTaskPull, [this](const std::optional<PullOutcome> &outcome, bool apart) {
        if (!outcome) {
            fail(QCoreApplication::translate("CalDavSyncClient", "Could not save the pulled tasks: %1")
                     .arg(QStringLiteral("the store could not be opened")));
            return;
        }
        // The worker's writes announced nothing: the views are told once.
        if (apart && outcome->committed && outcome->upserted > 0) {
            store().tasks->notifyChanged(m_calendarId);
            store().database->checkpointLater();
        }
        landPulledTasks(*outcome);
    });
}

CalDavSyncRun::PullOutcome CalDavSyncRun::applyTaskPull(const CalDavRepositories &repositories,
                                                        const std::atomic_bool &cancelled)
{
    PullOutcome outcome;
    outcome.loaded = true;
    // The write lock comes first, so the pending rows read below are the
    // ones written against.
    const bool apart = repositories.database != m_owner->store().database;
    const std::unique_ptr<StoreTransaction> work =
        PullApplyQueue::begin(repositories.database, QStringLiteral("caldav_task_pull"), apart, cancelled);
    if (!work) {
        outcome.commitError = QStringLiteral("the store is busy");
        return outcome;
    }
    QStringList &unsaved = outcome.unsaved;
    QSet<QString> uids;
    QSet<QString> listed;
    QSet<QString> read;
    for (const Resource &resource : std::as_const(m_resources)) {
        if (cancelled) {
            outcome.commitError = QStringLiteral("cancelled");
            return outcome;
        }
        if (!resource.href.isEmpty())
            listed.insert(CalDavXml::hrefKey(resource.href));
        if (resource.calendarData.isEmpty())
            continue;
        read.insert(CalDavXml::hrefKey(resource.href));
        // One row per task: its occurrences changed elsewhere stay in the
        // row's text, its own part of the resource.
        const QList<Task> parsed = IcsCodec::parseTodoResource(resource.calendarData);
        for (const Task &task : parsed) {
            if (task.uid.isEmpty())
                continue;
            uids.insert(task.uid);
            bool saved = true;
            if (applyOneTask(task, resource, parsed.size() > 1, &saved))
                ++outcome.handled;
            if (!saved)
                unsaved.append(task.title);
            else
                ++outcome.upserted;
        }
    }

    // A task goes only when the server no longer lists it: by uid, and not
    // when its resource is still listed without a readable body. One whose
    // resource was read without its part was taken out of it elsewhere.
    // Rows never stored on the server (no href) are local and stay.
    int removed = 0;
    for (const Task &task : repositories.tasks->getByCalendar(m_calendarId)) {
        if (task.sync_status != SyncStatus::Synced || task.uid.isEmpty() || task.href.isEmpty()
            || uids.contains(task.uid))
            continue;
        const QString key = CalDavXml::hrefKey(task.href);
        if (listed.contains(key) && !read.contains(key))
            continue;
        if (repositories.tasks->hardDelete(task.id))
            ++removed;
        else
            unsaved.append(task.title); // stays synced: the next pull removes it again
    }
    removed += dropDeletedElsewhere(repositories, m_calendarId, read, uids, &unsaved);
    if (removed > 0)
        qInfo() << "[CalDav] Task pull removed" << removed << "server-deleted task(s) for" << m_calendar.name;
    outcome.upserted += removed + detachEditedElsewhere(repositories, m_calendarId, read, uids, &unsaved);
    if (cancelled) {
        outcome.commitError = QStringLiteral("cancelled");
        return outcome;
    }
    outcome.committed = !work->isActive() || work->commit();
    if (!outcome.committed)
        outcome.commitError = work->errorText();
    return outcome;
}

void CalDavSyncRun::landPulledTasks(const PullOutcome &outcome)
{
    m_taskCount += outcome.handled;
    if (!outcome.committed) {
        fail(QCoreApplication::translate("CalDavSyncClient", "Could not save the pulled tasks: %1")
                 .arg(outcome.commitError));
        return;
    }
    if (!outcome.unsaved.isEmpty()) {
        fail(QCoreApplication::translate("CalDavSyncClient", "%n pulled task(s) could not be saved: %1", nullptr,
                                         int(outcome.unsaved.size()))
                 .arg(outcome.unsaved.join(QStringLiteral(", "))));
        return;
    }
    runTaskPush();
}

void CalDavSyncRun::runTaskPush()
{
    m_taskQueue = store().tasks->getPending(m_calendarId);
    if (m_taskQueue.isEmpty()) {
        finish();
        return;
    }
    qInfo() << "[CalDav] Task push for" << m_calendar.name << "pending=" << m_taskQueue.size();
    pushNextTask();
}

void CalDavSyncRun::pushNextTask()
{
    while (!m_taskQueue.isEmpty()) {
        const Task queued = m_taskQueue.takeFirst();
        const std::optional<Task> task = store().tasks->getById(queued.id);
        if (!task || task->sync_status != SyncStatus::Pending)
            continue;
        const bool isDelete = task->deleted_at.has_value();
        const bool isCreate = !isDelete && task->href.isEmpty();
        qInfo() << "[CalDav] PUT task" << task->title << "status=" << task->status << "isCreate=" << isCreate
                << "isDelete=" << isDelete << "etag=" << (task->etag.isEmpty() ? QStringLiteral("(empty)") : task->etag);
        if (isDelete && task->href.isEmpty()) {
            qInfo() << "[CalDav] Local-only task delete skip-push for" << task->title;
            if (!store().tasks->hardDelete(task->id))
                qCWarning(caldavLog) << "[CalDav] hardDelete failed for task" << task->title << "id=" << task->id;
            continue;
        }
        if (isDelete && awaitsMovedCopy(*task)) {
            qInfo() << "[CalDav] Task" << task->title << "stays on the server until its moved copy is on its own";
            continue;
        }
        sendTask(*task, isDelete, isCreate, false);
        return;
    }
    finish();
}

bool CalDavSyncRun::awaitsMovedCopy(const Task &task) const
{
    return MovedCopy::keptForCopy<Task>(store().tasks, task.id, [this](const Task &copy) {
        return copy.href.isEmpty() && serverTakesTasks(copy.calendar_id);
    });
}

std::optional<Calendar> CalDavSyncRun::keptIn(const Task &task) const
{
    // The nearest old copy still on a server: the copies between may never
    // have been uploaded.
    QString fromId = task.href.isEmpty() ? store().tasks->movedFrom(task.id) : QString();
    for (int moves = 0; !fromId.isEmpty() && moves < CalDavPulledRow::MaxMoves; ++moves) {
        const std::optional<Task> original = store().tasks->getById(fromId);
        if (!original || !original->deleted_at)
            return std::nullopt;
        if (!original->href.isEmpty())
            return store().calendars->getById(original->calendar_id);
        fromId = store().tasks->movedFrom(fromId);
    }
    return std::nullopt;
}

void CalDavSyncRun::recordTaskFailure(const Task &task, int status)
{
    const std::optional<Calendar> calendar = keptIn(task);
    if (!calendar) {
        recordItemFailure(task.title, status);
        return;
    }
    // A moved task this server refused: its old copy stays on the old
    // calendar's server (awaitsMovedCopy), and the user learns where.
    m_failures.append(QCoreApplication::translate("CalDavSyncClient",
                                                  "\"%1\" (HTTP %2), kept in \"%3\" until this calendar's server "
                                                  "accepts it")
                          .arg(task.title, QString::number(status), calendar->name));
}

void CalDavSyncRun::sendTask(const Task &task, bool isDelete, bool isCreate, bool retried)
{
    QPointer<CalDavSyncRun> self(this);
    // The other tasks of its resource go with it: a deletion of one of
    // several leaves them there, and only the last one removes the resource.
    const QList<SharedPart> shared = tasksSharing(task);
    QStringList others;
    for (const SharedPart &part : shared)
        others.append(part.text);
    QByteArray body;
    if (isDelete) {
        if (!others.isEmpty())
            body = CalDavTaskText::remaining(others).toUtf8();
    } else {
        // Edits here write the stored text anew; what other clients added
        // is still in the server's copy the edits started from.
        Task text = task;
        if (const std::optional<TaskSyncBase> base = store().tasks->syncBase(task.id))
            text.raw_icalendar = base->raw_icalendar;
        body = CalDavTaskText::build(text, others).toUtf8();
        if (body.isEmpty()) {
            // Refused by the writer: it stays pending, and is not sent under
            // another task's UID or another zone.
            m_failures.append(QCoreApplication::translate("CalDavSyncClient",
                                                          "\"%1\" (its UID or time zone cannot be written as it is)")
                                  .arg(task.title));
            pushNextTask();
            return;
        }
    }
    // A new resource is named after the task, or anew when that name is
    // taken.
    const QUrl url = !isCreate ? CalDavXml::resolveHref(m_url, task.href)
        : CalDavXml::itemUrl(m_url, retried ? QUuid::createUuid().toString(QUuid::WithoutBraces)
                                            : CalDavXml::newItemName(task.uid));
    const QString href = isCreate ? url.path(QUrl::FullyEncoded) : task.href;
    auto reply = [self, task, href, isDelete, isCreate, retried, body,
                  shared](const CalDavClient::Response &response) {
        if (self)
            self->onTaskPushReply(response, task, href, isDelete, isCreate, retried, body, shared);
    };
    countRequest();
    if (isDelete && shared.isEmpty()) {
        m_client->del(url, reply, task.etag);
        return;
    }
    if (isCreate || retried)
        // Only where nothing is left to overwrite: a copy someone else wrote
        // meanwhile is read by the next pull, never replaced unseen.
        m_client->putIfAbsent(url, body, kIcsType, reply);
    else
        m_client->put(url, body, kIcsType, reply, task.etag);
}

void CalDavSyncRun::onTaskPushReply(const CalDavClient::Response &response, const Task &task, const QString &href,
                                    bool isDelete, bool isCreate, bool retried, const QByteArray &sent,
                                    const QList<SharedPart> &shared)
{
    qInfo() << "[CalDav] PUT task" << task.title << "→ HTTP" << response.status << response.error;
    if (!response.error.isEmpty()) {
        fail(QCoreApplication::translate("CalDavSyncClient", "Task push error: %1").arg(response.error));
        return;
    }
    if (isDelete && shared.isEmpty() && (isSuccessStatus(response.status) || response.status == 404)) {
        onTaskDeleteReply(response, task);
        return;
    }
    if (isSuccessStatus(response.status)) {
        // A re-creation starts from no copy at all.
        const QString startTag = isCreate || retried ? QString() : task.etag;
        QPointer<CalDavSyncRun> self(this);
        const int status = response.status;
        confirmUpload(response, href, startTag, sent,
                      [self, task, href, sent, status, shared](const std::optional<ServerCopy> &copy) {
                          if (self)
                              self->markTaskPushed(task, href, copy, sent, status, shared);
                      });
        return;
    }
    if (response.status == 412 && !retried && !isDelete) {
        // Changed or gone on the server since the pull: re-created only if
        // gone, otherwise left pending for the next pull to merge. A create
        // found its name taken: that resource stays, the task takes another.
        qInfo() << "[CalDav] Task push 412 for" << task.title
                << (isCreate ? "- its name is taken, creating it under another"
                             : "- re-creating it only if it is gone");
        sendTask(task, isDelete, isCreate, true);
        return;
    }
    // A moved task's copy stays where it is refused: moving it on to a
    // local list would let its old server copy go, leaving it on no server.
    if (response.status == 403 && !isDelete && !keptIn(task)) {
        const std::optional<Calendar> calendar = store().calendars->getById(m_calendarId);
        if (calendar && calendar->allow_tasks_override) {
            refuseTask(task);
            pushNextTask();
            return;
        }
    }
    recordTaskFailure(task, response.status);
    pushNextTask();
}

void CalDavSyncRun::onTaskDeleteReply(const CalDavClient::Response &response, const Task &task)
{
    QPointer<CalDavSyncRun> self(this);
    const int status = response.status;
    confirmDelete(response, task.href, [self, task, status](bool gone) {
        if (!self)
            return;
        if (!gone) {
            // The tombstone stays and the deletion goes again next run.
            qCWarning(caldavLog) << "[CalDav] The server did not confirm the deletion of task" << task.title
                                 << "(HTTP" << status << "); it stays pending";
            self->recordItemFailure(task.title, status);
        } else {
            if (const std::optional<Task> now = self->store().tasks->getById(task.id); now && now->deleted_at) {
                if (!self->store().tasks->hardDelete(task.id))
                    qCWarning(caldavLog) << "[CalDav] hardDelete failed for task" << task.title << "id=" << task.id;
            }
            // Other tasks of the resource deleted here went with it.
            self->dropDeletedSharing(task, task.href, {});
        }
        self->pushNextTask();
    });
}

void CalDavSyncRun::markTaskPushed(const Task &task, const QString &href, const std::optional<ServerCopy> &copy,
                                   const QByteArray &sent, int status, const QList<SharedPart> &shared)
{
    if (!copy) {
        qCWarning(caldavLog) << "[CalDav] The server did not confirm task" << task.title << "(HTTP" << status
                             << "); it stays pending";
        recordItemFailure(task.title, status);
        pushNextTask();
        return;
    }
    TaskRepository *tasks = store().tasks;
    if (task.deleted_at) {
        // Its part is off the server, the others' are on it.
        const std::optional<Task> now = tasks->getById(task.id);
        if (now && now->deleted_at && !tasks->hardDelete(task.id))
            qCWarning(caldavLog) << "[CalDav] hardDelete failed for task" << task.title << "id=" << task.id;
    } else if (const std::optional<Task> now = tasks->getById(task.id)) {
        // The next edit's merge starts from the stored text: it is what went
        // up, not the copy the edit was made or merged on.
        const QString own = partOf(IcsCodec::decodeText(sent), task.uid);
        const bool rewritten = rewrittenByServer(*copy, sent);
        if (fingerprint(*now) == fingerprint(task)) {
            const bool marked = own.isEmpty() ? tasks->markSynced(task.id, href, copy->etag)
                                              : tasks->markSent(task.id, href, copy->etag, own);
            if (marked && rewritten && !keepServerTask(task.id, *copy))
                qCWarning(caldavLog) << "[CalDav] Could not keep the server's copy of task" << task.title;
        } else {
            // Edited while in flight: keep it pending with the new tag, its
            // edits now made on what the server holds.
            Task pending = *now;
            pending.href = href;
            pending.etag = copy->etag;
            pending.sync_status = SyncStatus::Pending;
            const QString held = rewritten ? partOf(copy->text, task.uid) : own;
            if (!tasks->update(pending))
                qCWarning(caldavLog) << "[CalDav] Could not keep the new tag of task" << pending.title;
            else if (!held.isEmpty() && !tasks->keepSyncBase(task.id, {copy->etag, held}))
                qCWarning(caldavLog) << "[CalDav] Could not keep the synced copy of task" << pending.title;
        }
    }
    settleSharing(task, href, *copy, sent, shared);
    pushNextTask();
}

bool CalDavSyncRun::keepServerTask(const QString &id, const ServerCopy &copy)
{
    const std::optional<Task> now = store().tasks->getById(id);
    if (!now)
        return false;
    for (const Task &server : IcsCodec::parseTodoResource(copy.text)) {
        if (server.uid == now->uid)
            return keepServerTask(*now, server, copy.etag);
    }
    return false;
}

bool CalDavSyncRun::keepServerTask(const Task &now, Task server, const QString &etag)
{
    server.calendar_id = m_calendarId;
    server.href = now.href;
    server.etag = etag;
    server.sync_status = SyncStatus::Synced;
    server.created = now.created;
    if (!server.last_modified.isValid())
        server.last_modified = now.last_modified;
    keepLocalParts(server, now);
    return store().tasks->update(server);
}

void CalDavSyncRun::refuseTask(const Task &task)
{
    // The calendar row may have gone while the request was in flight.
    Calendar calendar = store().calendars->getById(m_calendarId).value_or(m_calendar);
    calendar.allow_tasks_override = false;
    if (!store().calendars->update(calendar))
        qCWarning(caldavLog) << "[CalDav] Could not turn task support off for" << calendar.name;
    m_calendar.allow_tasks_override = false;

    std::optional<Calendar> target;
    for (const Calendar &candidate : store().calendars->getAll()) {
        if (!supportsTasks(candidate))
            continue;
        const std::optional<Account> account =
            store().accounts ? store().accounts->getById(candidate.account_id) : std::nullopt;
        if (account && account->type == AccountType::Tindlebrook) {
            target = candidate;
            break;
        }
    }
    if (target) {
        Task moved = store().tasks->getById(task.id).value_or(task);
        moved.calendar_id = target->id;
        moved.href.clear();
        moved.etag.clear();
        moved.sync_status = SyncStatus::Synced;
        if (!store().tasks->update(moved))
            qCWarning(caldavLog) << "[CalDav] Could not move task" << task.title << "to" << target->name;
        Q_EMIT m_owner->calendarSyncFailed(
            m_calendarId,
            QCoreApplication::translate("CalDavSyncClient",
                                        "\"%1\" was moved to your local task list: this calendar does not accept "
                                        "tasks. Task support has been turned off for it.")
                .arg(task.title));
        return;
    }
    if (!store().tasks->markSynced(task.id, QString(), QString()))
        qCWarning(caldavLog) << "[CalDav] markSynced failed for task" << task.title << "id=" << task.id;
    Q_EMIT m_owner->calendarSyncFailed(
        m_calendarId,
        QCoreApplication::translate(
            "CalDavSyncClient",
            "\"%1\" was rejected: this calendar does not accept tasks. Task support has been turned off for it.")
            .arg(task.title));
}
