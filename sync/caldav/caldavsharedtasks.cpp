// Tasks of a CalDAV sync run that share one server resource: what goes up
// with an upload of one of them, and the state of the others after it.
#include "sync/caldav/caldavsyncrun.h"

#include <QDebug>
#include <QHash>

#include "calendar/icscodec.h"
#include "store/taskrepository.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavrepositories.h"

QList<CalDavSyncRun::SharedPart> CalDavSyncRun::tasksSharing(const Task &task) const
{
    QList<SharedPart> parts;
    if (task.href.isEmpty())
        return parts;
    QList<Task> others = store().tasks->getByHref(m_calendarId, task.href);
    // A moved task stays on this server until its copy is on the other.
    for (const Task &deleted : store().tasks->getDeletedByHref(m_calendarId, task.href)) {
        if (awaitsMovedCopy(deleted))
            others.append(deleted);
    }
    for (const Task &other : std::as_const(others)) {
        if (other.id == task.id || other.uid == task.uid)
            continue;
        // The server's copy of an edit not yet sent: the edit goes with its
        // own upload.
        const std::optional<TaskSyncBase> base =
            other.sync_status == SyncStatus::Pending ? store().tasks->syncBase(other.id) : std::nullopt;
        for (const Task &part : IcsCodec::parseTodoResource(base ? base->raw_icalendar : other.raw_icalendar)) {
            if (part.uid == other.uid)
                parts.append({other, part.raw_icalendar});
        }
    }
    return parts;
}

void CalDavSyncRun::settleSharing(const Task &task, const QString &href, const ServerCopy &copy,
                                  const QByteArray &sent, const QList<SharedPart> &shared)
{
    QStringList ids;
    for (const SharedPart &part : shared)
        ids.append(part.row.id);
    // What went up is their text under the new tag: an edit of one's own
    // (made before or meanwhile) stays pending and goes next on it.
    if (!store().tasks->retag(m_calendarId, href, ids, copy.etag))
        qCWarning(caldavLog) << "[CalDav] Could not keep the new tag of the tasks sharing" << task.title;
    else if (rewrittenByServer(copy, sent))
        keepServerTasks(shared, copy);
    dropDeletedSharing(task, href, QSet<QString>(ids.cbegin(), ids.cend()));
}

void CalDavSyncRun::keepServerTasks(const QList<SharedPart> &shared, const ServerCopy &copy)
{
    QHash<QString, Task> server;
    for (const Task &part : IcsCodec::parseTodoResource(copy.text))
        server.insert(part.uid, part);
    for (const SharedPart &part : shared) {
        const std::optional<Task> now = store().tasks->getById(part.row.id);
        if (now && now->sync_status == SyncStatus::Synced && fingerprint(*now) == fingerprint(part.row)
            && server.contains(now->uid) && !keepServerTask(*now, server.value(now->uid), copy.etag))
            qCWarning(caldavLog) << "[CalDav] Could not keep the server's copy of task" << now->title;
    }
}

void CalDavSyncRun::dropDeletedSharing(const Task &task, const QString &href, const QSet<QString> &kept)
{
    if (href.isEmpty())
        return;
    for (const Task &row : store().tasks->getDeletedByHref(m_calendarId, href)) {
        if (row.id == task.id || kept.contains(row.id))
            continue;
        qInfo() << "[CalDav] Task" << row.title << "deleted here is off the server with its resource's upload";
        if (!store().tasks->hardDelete(row.id))
            qCWarning(caldavLog) << "[CalDav] hardDelete failed for task" << row.title << "id=" << row.id;
    }
}

int CalDavSyncRun::dropDeletedElsewhere(const CalDavRepositories &repositories, const QString &calendarId,
                                        const QSet<QString> &read, const QSet<QString> &uids, QStringList *unsaved)
{
    int removed = 0;
    for (const Task &task : repositories.tasks->getPending(calendarId)) {
        if (!task.deleted_at || task.href.isEmpty() || uids.contains(task.uid)
            || !read.contains(CalDavXml::hrefKey(task.href)))
            continue;
        if (repositories.tasks->hardDelete(task.id))
            ++removed;
        else
            unsaved->append(task.title);
    }
    return removed;
}

int CalDavSyncRun::detachEditedElsewhere(const CalDavRepositories &repositories, const QString &calendarId,
                                         const QSet<QString> &read, const QSet<QString> &uids, QStringList *unsaved)
{
    int detached = 0;
    for (Task task : repositories.tasks->getPending(calendarId)) {
        if (task.deleted_at || task.uid.isEmpty() || task.href.isEmpty() || uids.contains(task.uid)
            || !read.contains(CalDavXml::hrefKey(task.href)))
            continue;
        // The edit wins over the removal, as over a deletion of a resource of
        // its own, but the others' resource is not written for it: the task
        // is created anew, keeping the text its edits started from.
        qInfo() << "[CalDav] Task" << task.title << "was taken out of its resource elsewhere; the edit made here"
                << "goes up as a resource of its own";
        task.href.clear();
        task.etag.clear();
        if (repositories.tasks->update(task))
            ++detached;
        else
            unsaved->append(task.title);
    }
    return detached;
}
