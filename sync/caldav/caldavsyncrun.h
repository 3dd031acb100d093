#pragma once

#include "store/calendar.h"
#include "store/event.h"
#include "store/eventsynckey.h"
#include "store/task.h"
#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavmovedseries.h"
#include "sync/caldav/caldavxml.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>
#include <atomic>
#include <optional>

class CalDavListingParser;
class CalDavSyncClient;
class EventBatchWriter;
class PullApplyWorker;
struct RecordRepositories;
using CalDavRepositories = RecordRepositories;

// One sync run of one calendar: event pull, event push, task pull, task
// push. Owns its CalDavClient and deletes itself when the run ends.
class CalDavSyncRun : public QObject
{
    Q_OBJECT
public:
    CalDavSyncRun(CalDavSyncClient *owner, CalDavClient *client, const Calendar &calendar);
    ~CalDavSyncRun() override;

    void start();
    const QString &calendarId() const { return m_calendarId; }
    // True once the run has reported its outcome.
    bool hasEnded() const { return m_ended; }

    static bool supportsTasks(const Calendar &calendar);
    // Everything of a row a local edit can change; equal before and after a
    // request means the row did not change while it was in flight.
    static QByteArray fingerprint(const Event &event);
    static QByteArray fingerprint(const Task &task);

private:
    // One resource of a listing: its href in the server's encoding.
    using Resource = CalDavXml::CalendarObject;
    // The tag and text of the server's copy of an upload; the text is empty
    // when the reply's tag was taken as it is.
    struct ServerCopy
    {
        QString etag;
        QString text;
    };

    static bool isSuccessStatus(int status) { return status >= 200 && status <= 299; }
    const CalDavRepositories &store() const;
    void fail(const QString &reason);
    void finish();
    void countRequest();
    QString itemPath(const QString &uid) const;
    // Whether the server of the calendar `calendarId` takes tasks from this
    // device's sync (an event's copy is judged by MovedCopy::eventAwaitsUpload).
    bool serverTakesTasks(const QString &calendarId) const;

    // Fails the run on a transport error or a status outside 2xx, in the
    // words given (each with its %1); true when it did.
    bool failedReply(const CalDavClient::Response &response, const QString &networkError,
                     const QString &httpError);

    // A pull's listing of one component: the query, a multiget of what it
    // named without a text, then `apply`. Only a whole listing goes on:
    // local rows are removed for what it leaves out.
    using Step = void (CalDavSyncRun::*)();
    struct ListingTexts
    {
        QString networkError;
        QString httpError;
        QString incomplete;
    };
    void pullListing(const QString &component, const ListingTexts &texts, Step apply);
    void onQueryReply(const CalDavClient::Response &response, const ListingTexts &texts, Step apply);
    void onListing(QList<Resource> resources, bool complete, int status, const ListingTexts &texts, Step apply);
    void onMultigetReply(const CalDavClient::Response &response, Step apply);
    void onMultigetEntries(const QList<Resource> &entries, Step apply);

    // Event pull.
    void onCtagReply(const CalDavClient::Response &response);
    // What a pull's apply did, handed from the worker to the run.
    struct PullOutcome
    {
        bool loaded = false;
        bool committed = false;
        QString commitError;
        QStringList unsaved;
        int handled = 0;
        int upserted = 0;
    };
    // Runs `apply` on a worker over a connection of its own when the store
    // is a file, here otherwise; `landed` hears the outcome on this thread,
    // none when the worker could not open the store. `apart` says the
    // writes went through the worker's connection, which announces nothing.
    using PullApply = PullOutcome (CalDavSyncRun::*)(const CalDavRepositories &, const std::atomic_bool &);
    using PullLanding = std::function<void(const std::optional<PullOutcome> &outcome, bool apart)>;
    void applyPulled(PullApply apply, const PullLanding &landed);
    void applyPulledEvents();
    // Parses and writes the pulled events through `repositories` in one
    // transaction; stops without writing when `cancelled` turns true.
    PullOutcome applyPull(const CalDavRepositories &repositories, const std::atomic_bool &cancelled);
    // The events of every resource the stored rows do not already hold, at
    // the resource's index, parsed on as many threads as are free; an empty
    // list for the others.
    QList<QList<Event>> parseChangedResources() const;
    void landPulledEvents(const PullOutcome &outcome);
    void reportProgress(int handled);
    bool applyOneEvent(Event parsed, const Resource &resource, int *upserted, bool *saved);
    // The series of a resource's rows (`parsed`) that are pending here,
    // met before their rows: each is read against the server's copy, and
    // what that copy changed reaches the new series a split made here of
    // it (CalDavMovedSeries::Cache::meet). Titles not saved go to `unsaved`.
    void meetPendingSeries(const QList<Event> &parsed, QStringList *unsaved);
    static void keepLocalParts(Event &parsed, const Event &full);
    // A pending row's record merged onto the server's newer copy, property
    // by property against the copy the local edits started from; without
    // that copy the local record as it is, on the server's text.
    Event mergedWithServer(const Event &local, const Event &server) const;
    // Rows the store refused to remove are named in `unremoved`.
    void removeOverridesNotHeld(const Resource &resource, const QSet<QString> &held, QStringList *unremoved);
    void removeServerDeletedEvents(const QSet<QString> &listed, QStringList *unremoved);
    bool removeRow(EventSyncKey &key, QStringList *unremoved);
    void keepEditedOverride(EventSyncKey &key, const Resource &resource);
    // The stored rows as this pull sees them, read once and kept current.
    bool loadSyncKeys();
    void indexSyncKey(int index);
    void rekey(EventSyncKey *key, const QString &href, const QString &etag, SyncStatus status, bool deleted);
    QList<int> rowsAt(const QString &href) const;
    EventSyncKey *storedKey(const QString &uid, const QString &recurrenceId);
    int unchangedRowCount(const Resource &resource) const;
    void updateCalendarRow();

    // Event push.
    void runPush();
    void pushNextEvent();
    // `deleted`: rows of the resource deleted here, removed once the
    // server confirms the request.
    void pushEventGroup(const Event &item, const QList<Event> &group, const QList<Event> &deleted);
    void deleteEventResource(const Event &item, const QList<Event> &deleted);
    struct EventUpload
    {
        Event item;
        QList<Event> group;
        QList<Event> deleted;
        QString href;
        QString startTag;
        QByteArray body;
        QStringList texts; // each row's own text in the body, in group order
    };
    void onEventPutReply(const CalDavClient::Response &response, const EventUpload &upload, bool recreated);
    // A new resource's reply: one refused for a name already taken goes
    // again, once, under a fresh name.
    void onEventCreateReply(const CalDavClient::Response &response, const EventUpload &upload);
    // `serverRows`: the server's copy as rows where it rewrote the upload.
    void markEventsPushed(const EventUpload &upload, const QString &etag, const QList<Event> *serverRows);
    // The server's own text of an upload it rewrote, for the rows sent.
    void keepServerEvents(const QList<Event> &group, const QString &href, const QString &etag,
                          const QList<Event> &serverRows);
    // The row of `parsed` (a server copy's rows) that stands for `row`.
    static const Event *serverRowOf(const QList<Event> &parsed, const Event &row);
    void removeDeletedResource(const Event &item, const QList<Event> &deleted);
    void skipDeletedOccurrence(QList<Event> &group, const Event &deleted);
    // A moved event's tombstone (`key`) waits while its copy, the last of
    // the moves since, is not on its own calendar's server yet (as a task's
    // does), so the event is always on one.
    bool awaitsMovedCopy(const EventSyncKey &key) const;

    // Upload confirmation: the new text's tag from the reply, or the tag and
    // text of the server's copy when the reply names no new tag; none when
    // the upload is not confirmed.
    using CopyCallback = std::function<void(const std::optional<ServerCopy> &copy)>;
    static std::optional<QString> etagOfReply(const CalDavClient::Response &response);
    void confirmUpload(const CalDavClient::Response &response, const QString &href, const QString &startTag,
                       const QByteArray &sent, const CopyCallback &done);
    static bool rewrittenByServer(const ServerCopy &copy, const QByteArray &sent);
    // Before an upload of `group` (with each row's own text in `texts`)
    // goes up against `startTag`, without the rows `deleted` here: what it
    // sends of each pending row, and that it leaves those out, kept beside
    // their sync bases (caldavsentcopies.cpp).
    void keepSentCopies(const QList<Event> &group, const QStringList &texts, const QList<Event> &deleted,
                        const QString &startTag);
    // A pull's resource holding what an earlier upload sent, though its
    // answer never came: each pending row of it whose upload that was
    // measures the server's changes from what it sent, not from the copy
    // its edit started from (that would read this device's own change as
    // another's). The whole upload is measured at once, against the
    // resource's text read once (CalDavLandedUpload).
    void settleLandedUploads(const Resource &resource, const QList<Event> &parsed);
    // A deletion is done on a plain 204/200 (or 404), or when a follow-up
    // finds the resource gone.
    void confirmDelete(const CalDavClient::Response &response, const QString &href,
                       const std::function<void(bool gone)> &done);
    void recordItemFailure(const QString &title, int status);

    // Tasks.
    void runTaskPull();
    void applyPulledTasks();
    // Parses and writes the pulled tasks through `repositories` in one
    // transaction, as applyPull does for events.
    PullOutcome applyTaskPull(const CalDavRepositories &repositories, const std::atomic_bool &cancelled);
    void landPulledTasks(const PullOutcome &outcome);
    // `shared`: the resource holds other tasks too.
    bool applyOneTask(Task parsed, const Resource &resource, bool shared, bool *saved);
    Task mergedWithServer(const Task &local, const Task &server) const;
    static void keepLocalParts(Task &parsed, const Task &stored);
    void runTaskPush();
    void pushNextTask();
    // A moved task's tombstone waits while its copy in a CalDAV calendar,
    // the last of the moves since, is not on that server yet, so the task
    // is always on one.
    bool awaitsMovedCopy(const Task &task) const;
    // A task of a resource that holds several, as its part went up with an
    // upload of another task of it.
    struct SharedPart
    {
        Task row; // as it was when its part was read
        QString text;
    };
    // The other tasks of the resource a task lives in, each as its part of
    // the server's copy, so that an upload of one leaves the others there.
    // A moved task's old copy is one of them while it waits for its new one.
    QList<SharedPart> tasksSharing(const Task &task) const;
    // After a confirmed upload of `task` to `href`: the tasks whose parts
    // went with it are in step with the server's copy again, and those
    // deleted here whose parts were left out are off the server.
    void settleSharing(const Task &task, const QString &href, const ServerCopy &copy, const QByteArray &sent,
                       const QList<SharedPart> &shared);
    // Removes the rows of `href` deleted here, but for `task` and `kept`,
    // whose deletion the server now holds.
    void dropDeletedSharing(const Task &task, const QString &href, const QSet<QString> &kept);
    // Rows deleted here whose part is no longer in the resource that `read`
    // names (hrefKey) with the `uids` it holds: nothing is left to send.
    static int dropDeletedElsewhere(const CalDavRepositories &repositories, const QString &calendarId,
                                    const QSet<QString> &read, const QSet<QString> &uids, QStringList *unsaved);
    // Rows edited here whose part another client took out of such a
    // resource: each leaves it, to go up as a resource of its own.
    static int detachEditedElsewhere(const CalDavRepositories &repositories, const QString &calendarId,
                                     const QSet<QString> &read, const QSet<QString> &uids, QStringList *unsaved);
    // A task the server did not take; a moved task's copy says where the
    // task stays meanwhile.
    void recordTaskFailure(const Task &task, int status);
    // The calendar whose server still holds a moved task's old copy while
    // `task`, its copy (after any moves between), waits for its first
    // upload; none for any other task.
    std::optional<Calendar> keptIn(const Task &task) const;
    // A create goes only where nothing is yet, under the task's own name or,
    // `retried`, a new one.
    void sendTask(const Task &task, bool isDelete, bool isCreate, bool retried);
    // `href`: where it was sent; `shared`: the other tasks' parts sent with
    // it, a deletion with none removing the resource.
    void onTaskPushReply(const CalDavClient::Response &response, const Task &task, const QString &href,
                         bool isDelete, bool isCreate, bool retried, const QByteArray &sent,
                         const QList<SharedPart> &shared);
    void markTaskPushed(const Task &task, const QString &href, const std::optional<ServerCopy> &copy,
                        const QByteArray &sent, int status, const QList<SharedPart> &shared);
    void onTaskDeleteReply(const CalDavClient::Response &response, const Task &task);
    bool keepServerTask(const QString &id, const ServerCopy &copy);
    // `server`: the task as the server's copy tagged `etag` holds it.
    bool keepServerTask(const Task &now, Task server, const QString &etag);
    // The server's own text for the tasks that went up with another's
    // upload and did not change since.
    void keepServerTasks(const QList<SharedPart> &shared, const ServerCopy &copy);
    void refuseTask(const Task &task);

    // Merges server-side multiget entries into the listing.
    static void fillFromMultiget(QList<Resource> &resources, const QList<Resource> &entries);
    static QStringList hrefsWithoutData(const QList<Resource> &resources);

    CalDavSyncClient *m_owner;
    // The worker's repositories while it applies a pull; the owner's otherwise.
    const CalDavRepositories *m_applyStore = nullptr;
    PullApplyWorker *m_applyWorker = nullptr;
    CalDavClient *m_client;
    // Listings are read off the GUI thread.
    CalDavListingParser *m_listingParser;
    Calendar m_calendar;
    QString m_calendarId;
    QUrl m_url;
    std::optional<QString> m_newCtag;
    QList<Resource> m_resources;
    PullOutcome m_workerOutcome;
    int m_eventCount = 0;
    int m_taskCount = 0;

    std::unique_ptr<EventBatchWriter> m_newRows;
    // Rows whose upload this pull found landed though unanswered: each was
    // last in step with what it sent, whatever tag the server gave that.
    QSet<QString> m_landedRows;
    // The series moved or split here that the pull meets, each read once.
    std::unique_ptr<CalDavMovedSeries::Cache> m_movedSeries;
    QList<EventSyncKey> m_keys;
    QHash<QString, int> m_keyByItem;
    QHash<QString, QList<int>> m_keysByHref;

    QList<Event> m_eventQueue;
    QHash<QString, QStringList> m_liveIdsByUid;
    // Rows deleted here whose resource the server still has.
    QHash<QString, QStringList> m_deletedIdsByUid;
    QSet<QString> m_pushedIds;
    QList<Task> m_taskQueue;
    QStringList m_failures;
    bool m_ended = false;
};
