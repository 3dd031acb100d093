#include "sync/caldav/caldavsyncrun.h"

#include "calendar/icscodec.h"
#include "store/accountrepository.h"
#include "store/accounttype.h"
#include "store/calendarrepository.h"
#include "store/database.h"
#include "store/eventbatchwriter.h"
#include "store/eventitemkey.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "store/storewriter.h"
#include "sync/caldav/caldavrepositories.h"
#include "sync/caldav/caldavlistingparser.h"
#include "sync/caldav/caldavparallelparse.h"
#include "sync/caldav/caldavlog.h"
#include "sync/caldav/caldavsyncclient.h"
#include "sync/core/pullapplyworker.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDataStream>
#include <QIODevice>
#include <QPointer>
#include <QThread>

#include <utility>

namespace {

const QByteArray kCtagBody = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                             "<d:propfind xmlns:d=\"DAV:\" xmlns:cs=\"http://calendarserver.org/ns/\">\n"
                             "  <d:prop>\n"
                             "    <cs:getctag/>\n"
                             "    <d:sync-token/>\n"
                             "  </d:prop>\n"
                             "</d:propfind>\n";

// How long a pull's worker waits for another writer before it gives up.
constexpr int kLockWaitMs = 5000;

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}

void writeOptional(QDataStream &out, const std::optional<QDateTime> &value)
{
    out << (value ? value->toUTC() : QDateTime());
}

} // namespace

CalDavSyncRun::CalDavSyncRun(CalDavSyncClient *owner, CalDavClient *client, const Calendar &calendar)
    : QObject(owner)
    , m_owner(owner)
    , m_client(client)
    , m_listingParser(new CalDavListingParser(this))
    , m_calendar(calendar)
    , m_calendarId(calendar.id)
    , m_url(CalDavClient::withoutUserInfo(QUrl(calendar.url, QUrl::TolerantMode)))
{
    client->setParent(this);
    // A user name and password typed into the calendar URL are the run's
    // credentials when the account has none.
    const QUrl typed(calendar.url, QUrl::TolerantMode);
    if (client->user().isEmpty() && !typed.userName().isEmpty())
        client->setCredentials(typed.userName(QUrl::FullyDecoded), typed.password(QUrl::FullyDecoded));
}

// A pull being applied stops at its next step and writes nothing; its
// worker goes before the members it reads.
CalDavSyncRun::~CalDavSyncRun()
{
    delete m_applyWorker;
    m_applyWorker = nullptr;
}

const CalDavRepositories &CalDavSyncRun::store() const
{
    return m_applyStore ? *m_applyStore : m_owner->store();
}

bool CalDavSyncRun::supportsTasks(const Calendar &calendar)
{
    return calendar.allow_tasks_override
        || calendar.supported_components.contains(QLatin1String("VTODO"), Qt::CaseInsensitive);
}

QByteArray CalDavSyncRun::fingerprint(const Event &e)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << e.calendar_id << e.uid << e.title << e.description << e.location << e.geo_location
        << e.start_time.toUTC() << e.is_all_day << e.timezone << e.recurrence_rule << e.recurrence_dates
        << e.exception_dates << e.recurrence_id << e.master_event_uid << e.status << e.event_url
        << e.conference_url << e.organizer_email << e.organizer_name << e.sequence << e.raw_icalendar
        << e.color << e.last_modified.toUTC() << e.related_to_uid;
    writeOptional(out, e.end_time);
    writeOptional(out, e.deleted_at);
    for (const Reminder &r : e.reminders)
        out << r.minutes_before << r.action << r.acknowledged;
    for (const Attendee &a : e.attendees)
        out << a.email << a.name << a.role << a.status << a.type << a.rsvp;
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QByteArray CalDavSyncRun::fingerprint(const Task &t)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << t.calendar_id << t.uid << t.title << t.description << t.status << t.priority
        << t.percent_complete << t.due_is_date_only << t.start_is_date_only << t.categories
        << t.parent_task_uid << t.sort_order << t.color << t.recurrence_rule << t.repeat_mode
        << t.item_type << t.sequence << t.raw_icalendar << t.last_modified.toUTC();
    writeOptional(out, t.due_date);
    writeOptional(out, t.start_date);
    writeOptional(out, t.completed_date);
    writeOptional(out, t.deleted_at);
    for (const Reminder &r : t.reminders)
        out << r.minutes_before << r.action << r.acknowledged;
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

void CalDavSyncRun::countRequest()
{
    ++m_owner->m_requestsSent;
}

QString CalDavSyncRun::itemPath(const QString &uid) const
{
    return CalDavXml::itemUrl(m_url, uid).path(QUrl::FullyEncoded);
}

bool CalDavSyncRun::serverTakesTasks(const QString &calendarId) const
{
    // A copy in a calendar no server holds is never uploaded: the move was
    // off the servers. Tasks go only to CalDAV calendars that take them.
    const std::optional<Calendar> calendar = store().calendars->getById(calendarId);
    if (!calendar || !supportsTasks(*calendar))
        return false;
    const std::optional<Account> account =
        store().accounts ? store().accounts->getById(calendar->account_id) : std::nullopt;
    return account && isCalDavFamily(account->type);
}

void CalDavSyncRun::fail(const QString &reason)
{
    if (m_ended)
        return;
    m_ended = true;
    qCWarning(caldavLog).noquote() << "[CalDav] Sync of" << m_calendar.name << "failed:" << reason;
    Q_EMIT m_owner->calendarSyncFailed(m_calendarId, reason);
    deleteLater();
}

void CalDavSyncRun::finish()
{
    if (m_ended)
        return;
    m_ended = true;
    if (!m_failures.isEmpty()) {
        // Every other item went through; these stay pending for the next run.
        Q_EMIT m_owner->calendarSyncFailed(
            m_calendarId,
            QCoreApplication::translate("CalDavSyncClient", "%n item(s) could not be sent to the server: %1",
                                        nullptr, int(m_failures.size()))
                .arg(m_failures.join(QStringLiteral(", "))));
    } else {
        Q_EMIT m_owner->calendarSyncCompleted(m_calendarId, m_eventCount + m_taskCount);
    }
    deleteLater();
}

void CalDavSyncRun::start()
{
    QPointer<CalDavSyncRun> self(this);
    countRequest();
    m_client->propfind(m_url, kCtagBody, 0, [self](const CalDavClient::Response &response) {
        if (self)
            self->onCtagReply(response);
    });
}

bool CalDavSyncRun::failedReply(const CalDavClient::Response &response, const QString &networkError,
                                const QString &httpError)
{
    if (!response.error.isEmpty()) {
        fail(networkError.arg(response.error));
        return true;
    }
    if (!isSuccess(response.status)) {
        fail(httpError.arg(response.status));
        return true;
    }
    return false;
}

void CalDavSyncRun::onCtagReply(const CalDavClient::Response &response)
{
    const QString networkError = QCoreApplication::translate("CalDavSyncClient", "Network error: %1");
    if (failedReply(response, networkError,
                    QCoreApplication::translate("CalDavSyncClient", "Server returned HTTP %1 during ctag check")))
        return;
    m_newCtag = CalDavXml::parseCtag(response.body);
    ListingTexts texts;
    texts.networkError = networkError;
    texts.httpError = QCoreApplication::translate("CalDavSyncClient", "Server returned HTTP %1");
    texts.incomplete = QCoreApplication::translate(
        "CalDavSyncClient", "The server's calendar listing was incomplete (HTTP %1); nothing was changed.");
    pullListing(QStringLiteral("VEVENT"), texts, &CalDavSyncRun::applyPulledEvents);
}

void CalDavSyncRun::pullListing(const QString &component, const ListingTexts &texts, Step apply)
{
    QPointer<CalDavSyncRun> self(this);
    countRequest();
    m_client->report(m_url, CalDavXml::calendarQuery(QDateTime(), QDateTime(), component), 1,
                     [self, texts, apply](const CalDavClient::Response &reply) {
                         if (self)
                             self->onQueryReply(reply, texts, apply);
                     });
}

void CalDavSyncRun::onQueryReply(const CalDavClient::Response &response, const ListingTexts &texts, Step apply)
{
    if (failedReply(response, texts.networkError, texts.httpError))
        return;
    m_listingParser->parse(response.body, m_url,
                           [this, texts, apply, status = response.status](QList<Resource> resources, bool complete) {
                               onListing(std::move(resources), complete, status, texts, apply);
                           });
}

void CalDavSyncRun::onListing(QList<Resource> resources, bool complete, int status, const ListingTexts &texts,
                              Step apply)
{
    // Local rows are removed for what the listing leaves out, so only a whole
    // multistatus may be applied: a cut body or a login page would read as
    // "the server has nothing".
    m_resources = std::move(resources);
    if (status != 207 || !complete) {
        fail(texts.incomplete.arg(status));
        return;
    }
    // Resources listed without their text are fetched, never taken for
    // deleted.
    const QStringList missing = hrefsWithoutData(m_resources);
    if (missing.isEmpty()) {
        (this->*apply)();
        return;
    }
    qCDebug(caldavLog) << "[CalDav]" << m_calendar.name << "calendar-query returned" << missing.size()
                       << "hrefs without inline data, running multiget";
    QPointer<CalDavSyncRun> self(this);
    countRequest();
    m_client->report(m_url, CalDavXml::calendarMultiget(missing), 1,
                     [self, apply](const CalDavClient::Response &reply) {
                         if (self)
                             self->onMultigetReply(reply, apply);
                     });
}

QStringList CalDavSyncRun::hrefsWithoutData(const QList<Resource> &resources)
{
    QStringList hrefs;
    for (const Resource &resource : resources) {
        if (resource.calendarData.isEmpty() && !resource.href.isEmpty())
            hrefs.append(resource.href);
    }
    return hrefs;
}

void CalDavSyncRun::fillFromMultiget(QList<Resource> &resources, const QList<Resource> &entries)
{
    QHash<QString, int> index;
    for (int i = 0; i < resources.size(); ++i)
        index.insert(CalDavXml::hrefKey(resources.at(i).href), i);
    for (const Resource &entry : entries) {
        const auto found = index.constFind(CalDavXml::hrefKey(entry.href));
        if (found == index.constEnd()) {
            resources.append(entry);
            continue;
        }
        Resource &resource = resources[found.value()];
        resource.calendarData = entry.calendarData;
        if (!entry.etag.isEmpty())
            resource.etag = entry.etag;
    }
}

void CalDavSyncRun::onMultigetReply(const CalDavClient::Response &response, Step apply)
{
    if (!response.error.isEmpty() || !isSuccess(response.status)) {
        qCWarning(caldavLog) << "[CalDav]" << m_calendar.name << "multiget failed:" << response.error
                             << "status=" << response.status;
        (this->*apply)();
        return;
    }
    m_listingParser->parse(response.body, m_url,
                           [this, apply](QList<Resource> entries, bool) { onMultigetEntries(entries, apply); });
}

void CalDavSyncRun::onMultigetEntries(const QList<Resource> &entries, Step apply)
{
    // A partial multiget only fills fewer bodies; the listing that protects
    // rows from removal is the query's, which was complete.
    fillFromMultiget(m_resources, entries);
    qCDebug(caldavLog) << "[CalDav]" << m_calendar.name << "multiget filled" << entries.size() << "of"
                       << m_resources.size() << "resources";
    for (const Resource &resource : std::as_const(m_resources)) {
        if (resource.calendarData.isEmpty())
            qCWarning(caldavLog) << "[CalDav]" << m_calendar.name << "still missing body for href"
                                 << resource.href;
    }
    (this->*apply)();
}

void CalDavSyncRun::applyPulled(PullApply apply, const PullLanding &landed)
{
    const QString path = m_owner->store().database->path();
    if (!m_owner->applyOnWorker() || !StoreWriter::canOpen(path)) {
        // A store in memory has no second connection: the pull applies here.
        const std::atomic_bool never{false};
        landed((this->*apply)(m_owner->store(), never), false);
        return;
    }
    m_applyWorker = new PullApplyWorker(this);
    m_applyWorker->run(
        path,
        [this, apply](StoreWriter *writer, const std::atomic_bool &cancelled) {
            const CalDavRepositories own = writer->records();
            m_applyStore = &own;
            m_workerOutcome = (this->*apply)(own, cancelled);
            m_applyStore = nullptr;
        },
        [this, landed](bool opened) {
            m_applyWorker->deleteLater();
            m_applyWorker = nullptr;
            landed(opened ? std::optional<PullOutcome>(m_workerOutcome) : std::nullopt, true);
        });
}

void CalDavSyncRun::applyPulledEvents()
{
    applyPulled(&CalDavSyncRun::applyPull, [this](const std::optional<PullOutcome> &outcome, bool) {
        if (!outcome) {
            fail(QCoreApplication::translate(
                "CalDavSyncClient", "Could not read the stored events of this calendar; nothing was changed."));
            return;
        }
        landPulledEvents(*outcome);
    });
}

void CalDavSyncRun::reportProgress(int handled)
{
    if (QThread::currentThread() == thread()) {
        Q_EMIT m_owner->calendarSyncProgress(m_calendarId, handled);
        return;
    }
    // From the worker: the owner's listeners hear it on their own thread.
    QMetaObject::invokeMethod(
        this, [this, handled] { Q_EMIT m_owner->calendarSyncProgress(m_calendarId, handled); },
        Qt::QueuedConnection);
}

CalDavSyncRun::PullOutcome CalDavSyncRun::applyPull(const CalDavRepositories &repositories,
                                                    const std::atomic_bool &cancelled)
{
    PullOutcome outcome;
    // One transaction for the whole pull: thousands of rows commit at once,
    // or none. The write lock is taken first, so the pending state read
    // below is the one written against: an edit saved meanwhile waits for
    // this commit and lands on top of it.
    const bool apart = repositories.database != m_owner->store().database;
    std::unique_ptr<StoreTransaction> opened;
    // Another writer (an import, a reminder pass) may hold the store for a
    // while: the worker waits for it in short steps, so quitting meanwhile
    // is prompt.
    const QDeadlineTimer lockDeadline(kLockWaitMs);
    do {
        opened = std::make_unique<StoreTransaction>(
            repositories.database, QStringLiteral("caldav_pull"),
            apart ? StoreTransaction::Lock::Immediate : StoreTransaction::Lock::Deferred);
    } while (apart && !opened->isActive() && !cancelled && !lockDeadline.hasExpired());
    StoreTransaction &work = *opened;
    if (!work.isActive() && apart) {
        // The worker's writes would stand one by one: nothing is written.
        outcome.loaded = true;
        outcome.commitError = work.errorText();
        return outcome;
    }
    if (!loadSyncKeys())
        return outcome;
    outcome.loaded = true;
    // New rows go through statements prepared once for the whole pull.
    m_newRows = std::make_unique<EventBatchWriter>(repositories.database);
    m_movedSeries = std::make_unique<CalDavMovedSeries::Cache>(repositories.events, m_calendarId);
    int &handled = outcome.handled;
    QStringList &unsaved = outcome.unsaved;
    QList<QList<Event>> parsedAhead = parseChangedResources();
    for (qsizetype at = 0; at < m_resources.size(); ++at) {
        const Resource &resource = m_resources.at(at);
        if (cancelled) {
            m_newRows.reset();
            m_movedSeries.reset();
            outcome.commitError = QStringLiteral("cancelled");
            return outcome;
        }
        if (resource.calendarData.isEmpty())
            continue;
        if (const int unchanged = unchangedRowCount(resource)) {
            for (int i = 0; i < unchanged; ++i) {
                if (++handled % 25 == 0)
                    reportProgress(handled);
            }
            continue;
        }
        // A resource an earlier one made stale was not parsed ahead.
        const QList<Event> parsed = parsedAhead.at(at).isEmpty() ? IcsCodec::parseEvents(resource.calendarData)
                                                                 : std::exchange(parsedAhead[at], {});
        settleLandedUploads(resource, parsed);
        meetPendingSeries(parsed, &unsaved);
        QSet<QString> held;
        for (const Event &event : parsed) {
            if (event.uid.isEmpty())
                continue;
            held.insert(eventItemKey(event.uid, event.recurrence_id));
            bool saved = true;
            const bool counted = applyOneEvent(event, resource, &outcome.upserted, &saved);
            if (!saved)
                unsaved.append(event.title);
            ++handled;
            if (counted && handled % 25 == 0)
                reportProgress(handled);
        }
        removeOverridesNotHeld(resource, held, &unsaved);
    }
    qCDebug(caldavLog) << "[CalDav]" << m_calendar.name << "parsed=" << handled << "upserted=" << outcome.upserted
                       << "from" << m_resources.size() << "resources";

    QSet<QString> listed;
    for (const Resource &resource : std::as_const(m_resources)) {
        if (!resource.href.isEmpty())
            listed.insert(CalDavXml::hrefKey(resource.href));
    }
    removeServerDeletedEvents(listed, &unsaved);
    m_newRows.reset();
    m_movedSeries.reset();
    if (cancelled) {
        outcome.commitError = QStringLiteral("cancelled");
        return outcome;
    }
    outcome.committed = !work.isActive() || work.commit();
    if (!outcome.committed)
        outcome.commitError = work.errorText();
    return outcome;
}

QList<QList<Event>> CalDavSyncRun::parseChangedResources() const
{
    QList<qsizetype> changed;
    QList<QString> texts;
    for (qsizetype at = 0; at < m_resources.size(); ++at) {
        const Resource &resource = m_resources.at(at);
        if (!resource.calendarData.isEmpty() && unchangedRowCount(resource) == 0) {
            changed.append(at);
            texts.append(resource.calendarData);
        }
    }
    QList<QList<Event>> parsed(m_resources.size());
    QList<QList<Event>> events = CalDavParallelParse::parse(texts);
    for (qsizetype i = 0; i < changed.size(); ++i)
        parsed[changed.at(i)] = std::move(events[i]);
    return parsed;
}

void CalDavSyncRun::landPulledEvents(const PullOutcome &outcome)
{
    if (!outcome.loaded) {
        fail(QCoreApplication::translate("CalDavSyncClient",
                                         "Could not read the stored events of this calendar; nothing was changed."));
        return;
    }
    if (!outcome.committed) {
        fail(QCoreApplication::translate("CalDavSyncClient", "Could not save the pulled events: %1")
                 .arg(outcome.commitError));
        return;
    }
    // The views are told once, after the pull has landed; the worker left
    // the log's copy into the file to the checkpointer's thread.
    if (outcome.upserted > 0) {
        store().events->notifyChanged(m_calendarId);
        store().database->checkpointLater();
    }
    if (!outcome.unsaved.isEmpty()) {
        // What was saved stays; the calendar's tag is not advanced, so the
        // next pull reads these again.
        fail(QCoreApplication::translate("CalDavSyncClient", "%n pulled event(s) could not be saved: %1", nullptr,
                                         int(outcome.unsaved.size()))
                 .arg(outcome.unsaved.join(QStringLiteral(", "))));
        return;
    }
    updateCalendarRow();
    m_eventCount = outcome.handled;
    runPush();
}

void CalDavSyncRun::updateCalendarRow()
{
    const bool ctagChanged = m_newCtag && *m_newCtag != m_calendar.ctag;
    if (m_newCtag)
        m_calendar.ctag = *m_newCtag;
    // An unchanged calendar is not rewritten: a pull that found nothing new
    // writes nothing.
    if (!ctagChanged && m_calendar.last_sync_error.isEmpty())
        return;
    m_calendar.last_sync_error.clear();
    // Only the sync state: the calendar's settings and change time are the
    // user's, and may have changed on another device meanwhile.
    if (!store().calendars->recordSyncState(m_calendar))
        qCWarning(caldavLog) << "[CalDav] Could not store the sync state of" << m_calendar.name;
}
