#include "sync/oauth/pendingpush.h"

#include <QDebug>
#include <QJsonDocument>
#include <QScopedValueRollback>
#include <QTimer>

#include "calendar/eventconflictmerge.h"
#include "calendar/icscodec.h"
#include "calendar/icstext.h"
#include "calendar/recurrence.h"
#include "store/eventrepository.h"
#include "store/eventsyncbase.h"
#include "store/storetransaction.h"
#include "sync/core/movedcopy.h"
#include "sync/oauth/bothsideschanged.h"
#include "sync/oauth/movedcopywait.h"
#include "sync/oauth/movedseriesskips.h"
#include "sync/oauth/tombstonecopy.h"

#include <optional>
#include <utility>

namespace OAuth {

namespace {

// The text of a moved item's copy that took a change: a provider's own copy
// of it (the JSON Google or Graph last sent) stays, as its sync compares the
// record with it to send what changed; any other is the copy's own text
// written over from the record, so what the record does not model stays.
QString movedCopyText(const Event &merged, const Event &copy)
{
    if (!copy.provider_event_id.isEmpty() && copy.raw_icalendar.trimmed().startsWith(QLatin1Char('{')))
        return copy.raw_icalendar;
    Event written = merged;
    written.raw_icalendar = copy.raw_icalendar;
    return IcsCodec::buildEventIcs(written);
}

} // namespace

PendingPush::PendingPush(const Sync::Repositories &store, const Calendar &calendar, const QString &logTag,
                         QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_calendar(calendar)
    , m_logTag(logTag)
    , m_recordTimer(new QTimer(this))
{
    // A timer, not a queued call: answers queued meanwhile join this commit
    // instead of each holding the window for one of their own.
    m_recordTimer->setSingleShot(true);
    m_recordTimer->setInterval(0);
    connect(m_recordTimer, &QTimer::timeout, this, &PendingPush::recordAnswers);
}

int PendingPush::start()
{
    const QList<Event> pending = withoutWaitingDeletions(m_store, m_store.events->getPending(m_calendar.id), m_logTag);
    // Series this run writes, by uid and by the provider's id: their
    // occurrences changed here wait for them. A new series must have its id
    // first; a series moved in time makes the provider give its occurrences
    // anew, so a change written to one before would be lost.
    QHash<QString, QString> seriesFirst;
    // Series deleted on the provider by this run, by uid and by the
    // provider's id (as an occurrence read from it names its series).
    QHash<QString, QString> goneSeries;
    for (const Event &row : pending) {
        if (!row.recurrence_rule.isEmpty() && !row.deleted_at) {
            seriesFirst.insert(row.uid, row.id);
            if (!row.provider_event_id.isEmpty())
                seriesFirst.insert(row.provider_event_id, row.id);
        }
        if (Recurrence::isSeries(row) && !row.provider_event_id.isEmpty() && row.deleted_at) {
            goneSeries.insert(row.uid, row.id);
            goneSeries.insert(row.provider_event_id, row.id);
        }
    }
    const QHash<QString, QString> splitFrom = splitsAfterTheirSeries(pending);
    QStringList localOnly;
    for (const Event &row : pending) {
        m_items.insert(row.id, Item{row, false, std::nullopt});
        const QString series = row.recurrence_id.isEmpty() ? splitFrom.value(row.id)
                                                           : seriesFirst.value(row.master_event_uid);
        const QString goneWith =
            row.recurrence_id.isEmpty() || !row.deleted_at ? QString() : goneSeries.value(row.master_event_uid);
        if (row.deleted_at && row.provider_event_id.isEmpty() && !cancelsUnsentOccurrence(row)) {
            localOnly.append(row.id);
        } else if (!series.isEmpty() && series != row.id && !row.deleted_at) {
            m_afterSeries[series].append(row);
        } else {
            m_unsent.append(row);
            if (!goneWith.isEmpty() && goneWith != row.id) {
                m_seriesAfter.insert(row.id, goneWith);
                ++m_occurrencesFirst[goneWith];
            }
        }
    }
    // A series' deletion takes its occurrences with it on the provider: its
    // deleted occurrences are read first, so that one changed there is kept
    // as the provider last held it (and a moved series' copy takes the
    // change) instead of being found gone, and so are the ones changed there
    // that this device has not seen; the series goes out first for that read.
    readExceptionsFirst(goneSeries);
    m_unsent.removeIf([this](const Event &row) {
        return m_occurrencesFirst.contains(row.id) && !m_exceptionsToRead.contains(row.id);
    });
    const int count = int(m_items.size());
    if (count == 0)
        return 0;
    // Ends with settle(), which sends the first rows.
    const bool recorded = recordInOneCommit([this, &localOnly] {
        for (const QString &localId : std::as_const(localOnly))
            removeLocalOnly(localId);
    });
    if (!recorded) {
        // The store is busy: the removals wait with the answers.
        for (const QString &localId : std::as_const(localOnly))
            m_answers.append(Answer{localId, [this, localId] { removeLocalOnly(localId); }});
        m_recordTimer->start(RecordRetryMs);
        settle();
    }
    return count;
}

void PendingPush::removeLocalOnly(const QString &localId)
{
    // It never reached the provider: nothing to tell it.
    if (m_store.events->hardDelete(localId)) {
        ++m_writtenRows;
        countDown(localId);
    } else {
        qWarning().noquote() << m_logTag << "could not remove local-only tombstone" << localId;
        refused(localId);
    }
}

void PendingPush::sendMore()
{
    // A client may refuse a request at once, answering within send(): that
    // answer waits for its turn instead of sending from in here, and the
    // call's own bound keeps such rows to a window's worth.
    if (m_sending)
        return;
    const QScopedValueRollback<bool> sending(m_sending, true);
    for (int sent = 0; sent < MaxInFlight && requestsInFlight() < MaxInFlight && !m_unsent.isEmpty(); ++sent) {
        const Event row = m_unsent.takeFirst();
        if (!m_items.contains(row.id))
            continue;
        if (awaitsSeriesId(row)) {
            // Sent alone it would become an event of its own beside the
            // series; it goes out with a later run, once the series has its id.
            qWarning().noquote() << m_logTag << "occurrence" << row.id << "waits for its series to reach the provider";
            countDown(row.id);
            continue;
        }
        send(row);
    }
}

bool PendingPush::awaitsSeriesId(const Event &row) const
{
    if (row.deleted_at || !row.provider_event_id.isEmpty() || row.master_event_uid.isEmpty()
        || row.recurrence_id.isEmpty())
        return false;
    const std::optional<Event> series = m_store.events->getByUid(row.master_event_uid, m_calendar.id);
    return series && !series->recurrence_rule.isEmpty() && series->provider_event_id.isEmpty();
}

void PendingPush::send(const Event &row)
{
    if (readsExceptionsFirst(row))
        return;
    if (goesWithSeries(row.id)) {
        readBeforeSeries(row);
        return;
    }
    const std::optional<Event> restored =
        isWithdrawnOccurrence(row) ? occurrenceAsSeriesHasIt(row) : std::nullopt;
    if (restored) {
        sendWrite(*restored);
    } else if (row.deleted_at) {
        sendDelete(row, row.etag);
    } else {
        keepDroppedDays(row);
        sendWrite(row);
    }
    noteInFlight();
}

void PendingPush::queueAnswer(const QString &localId, std::function<void()> record)
{
    m_answers.append(Answer{localId, std::move(record)});
    if (!m_recordTimer->isActive())
        m_recordTimer->start(0);
    // The request answered frees its place now: the next row is on the wire
    // while this answer waits to be recorded.
    sendMore();
}

void PendingPush::recordAnswers()
{
    // A few answers a turn: more that landed together wait for the next
    // turn, so that no turn holds the window for long.
    const qsizetype taken = qMin(m_answers.size(), qsizetype(AnswersPerTurn));
    const QList<Answer> answers = m_answers.first(taken);
    const bool recorded = recordInOneCommit([&answers] {
        for (const Answer &answer : answers)
            answer.record();
    });
    if (recorded) {
        m_answers.remove(0, taken);
        m_busyTurns = 0;
    } else if (++m_busyTurns < RecordAttempts) {
        // Kept, in their order, for a later turn: an answer dropped here
        // would send its row again.
        m_recordTimer->start(RecordRetryMs);
        return;
    } else {
        giveUpRecording();
        return;
    }
    // Armed only now, so timers that fell due meanwhile go first.
    if (!m_answers.isEmpty())
        m_recordTimer->start(0);
}

void PendingPush::giveUpRecording()
{
    // The store stayed busy: the rows stay pending and are pushed again by
    // the next run, which finds an insert that got through by the id it
    // named instead of making the event twice.
    qWarning().noquote() << m_logTag << "the store stayed busy; recording" << m_answers.size()
                         << "answer(s) is left to the next run";
    m_busyTurns = 0;
    const QList<Answer> answers = std::exchange(m_answers, {});
    for (const Answer &answer : answers)
        refused(answer.localId);
}

bool PendingPush::recordInOneCommit(const std::function<void()> &record)
{
    // One commit for the answers that came in together: a commit per row
    // waits for the disk each time, with the window held. The write lock is
    // taken first: a transaction that has read cannot wait for another
    // connection's write (a pull on its worker), and would fail at its
    // first write.
    std::optional<StoreTransaction> transaction;
    if (m_store.database) {
        transaction.emplace(m_store.database, QStringLiteral("oauth_push"), StoreTransaction::Lock::Immediate);
        if (!transaction->isActive()) {
            qWarning().noquote() << m_logTag << "store busy, answers wait:" << transaction->errorText();
            return false;
        }
    }
    m_recording = true;
    record();
    m_recording = false;
    const int written = std::exchange(m_writtenRows, 0);
    const QStringList reports = std::exchange(m_reports, {});
    const bool kept = !transaction || !transaction->isActive() || transaction->commit();
    for (const QString &reason : reports)
        Q_EMIT failed(reason);
    if (!kept) {
        // Nothing of them was kept: the rows stay pending and go out again.
        qWarning().noquote() << "OAuth::PendingPush::recordAnswers failed:" << transaction->errorText();
        if (written > 0)
            Q_EMIT failed(tr("%n pushed event(s) could not be saved here and will be sent again: %1", nullptr,
                             written)
                              .arg(transaction->errorText()));
    }
    settle();
    return true;
}

void PendingPush::report(const QString &reason)
{
    if (m_recording)
        m_reports.append(reason);
    else
        Q_EMIT failed(reason);
}

void PendingPush::refused(const QString &localId)
{
    const auto item = m_items.constFind(localId);
    if (item == m_items.constEnd())
        return;
    report(tr("The new state of \"%1\" could not be saved here; it is tried again at the next sync.").arg(item->snapshot.title));
    countDown(localId);
}

void PendingPush::noteInFlight()
{
    m_peakInFlight = qMax(m_peakInFlight, requestsInFlight());
}

const Event *PendingPush::pendingRow(const QString &localId) const
{
    const auto item = m_items.constFind(localId);
    return item == m_items.constEnd() ? nullptr : &item->snapshot;
}

const Event *PendingPush::sentRow(const QString &localId) const
{
    const auto item = m_items.constFind(localId);
    return item == m_items.constEnd() ? nullptr : item->joined ? &*item->joined : &item->snapshot;
}

bool PendingPush::markSynced(const QString &localId, const QString &providerEventId, const QString &version,
                             const QJsonObject &resource)
{
    const auto item = m_items.constFind(localId);
    if (item == m_items.constEnd())
        return true;
    const QString raw =
        resource.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
    // Changed while the request was out: it keeps the provider's id and
    // version, so the next run updates rather than inserts, and stays pending.
    const EventRepository::PushRecord record = m_store.events->recordPushed(
        item->snapshot, providerEventId, version, raw, item->joined ? &*item->joined : nullptr);
    switch (record) {
    case EventRepository::PushRecord::Gone:
        qWarning().noquote() << m_logTag << "push success but local row gone:" << localId;
        return true;
    case EventRepository::PushRecord::Failed:
        qWarning().noquote() << m_logTag << "pushed" << localId << "but could not store its new state";
        return false;
    case EventRepository::PushRecord::Synced:
    case EventRepository::PushRecord::ChangedMeanwhile:
        break;
    }
    ++m_writtenRows;
    const QString &shownId = providerEventId.isEmpty() ? item->snapshot.provider_event_id : providerEventId;
    qInfo().noquote() << m_logTag << "pushed" << localId
                      << "→ providerEventId=" + shownId.left(16) + "..."
                      << (record == EventRepository::PushRecord::Synced ? "" : "(changed meanwhile, still pending)");
    return true;
}

void PendingPush::onWritten(const QString &localId, const QString &providerEventId, const QString &version,
                            const QJsonObject &resource)
{
    // A withdrawn occurrence is its series' again on the provider: its row
    // has done its part.
    if (const Event *row = pendingRow(localId); row && isWithdrawnOccurrence(*row)) {
        onDeleted(localId);
        return;
    }
    if (markSynced(localId, providerEventId, version, resource))
        countDown(localId);
    else
        refused(localId);
}

void PendingPush::onWriteFailed(const QString &localId, const QString &reason, int status)
{
    const auto item = m_items.find(localId);
    if (item == m_items.end())
        return;
    qWarning().noquote() << m_logTag << "push failed for" << localId << "status" << status << "reason" << reason;
    const Event &row = item->snapshot;
    if (status == 412 && !item->retried) {
        item->retried = true;
        sendFetch(row);
        noteInFlight();
        return;
    }
    if (status == 404 || status == 410) {
        if (row.deleted_at) {
            onDeleted(localId);
        } else if (clearProviderId(localId)) {
            countDown(localId);
        } else {
            refused(localId);
        }
        return;
    }
    report(item->retried ? staleText(row, reason) : reason);
    countDown(localId);
}

void PendingPush::onFetched(const QString &localId, const QJsonObject &resource)
{
    if (goesWithSeries(localId)) {
        keepForSeriesDeletion(localId, resource);
        return;
    }
    const auto item = m_items.find(localId);
    if (item == m_items.end())
        return;
    const Event &row = item->snapshot;
    const QString version = versionOf(resource);
    if (item->settling && (version.isEmpty() || version == row.etag)) {
        onWritten(localId, QString(), QString(), QJsonObject());
        return;
    }
    const Event server = eventFromResource(resource);
    if (row.deleted_at) {
        std::optional<Event> restored = occurrenceAsSeriesHasIt(row);
        if (restored) {
            restored->raw_icalendar = QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
            sendOverwrite(*restored, version);
        } else if (handOnToMovedCopy(row, server)
                   && TombstoneCopy::takeNewer(m_store.events, localId, server,
                                               [this](const QString &text) { return fromStored(text); })) {
            sendDelete(row, version);
        } else {
            // It stays until what changed there is kept (a move's copy).
            refused(localId);
            return;
        }
        noteInFlight();
        return;
    }
    // Without the synced copy the edit started from, the local version wins.
    const Event base = startedFrom(localId).value_or(server);
    Event fresh = EventConflictMerge::merged(base, row, server);
    // A series this device moved in time goes up with its days anew: a day
    // the provider skips since the base is skipped where it stands now, and
    // one it dropped with this device's own move (a write that landed, its
    // answer lost) stays skipped. One it split hands what the provider
    // changed on to the new series first.
    if (const std::optional<QString> skipped = skippedDaysJoined(base, row, server)) {
        fresh.exception_dates = *skipped;
    } else if (!handOnToSplits(base, row, server, &fresh)) {
        refused(localId);
        return;
    }
    fresh.raw_icalendar = QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
    const QStringList both = bothSidesChanged(base, row, server);
    if (!both.isEmpty())
        report(conflictText(row, both));
    item->joined = fresh;
    // Nothing of this device's goes up: the provider's newer copy, with
    // what only this device holds, is the row's.
    if (item->settling) {
        onWritten(localId, QString(), version, resource);
        return;
    }
    sendOverwrite(fresh, version);
    noteInFlight();
}

void PendingPush::settleUnchanged(const Event &row)
{
    const auto item = m_items.find(row.id);
    if (item == m_items.end())
        return;
    item->settling = true;
    // A stale version met on the read is not met again by a write.
    item->retried = true;
    sendFetch(row);
}

std::optional<Event> PendingPush::startedFrom(const QString &localId) const
{
    const std::optional<EventSyncBase> synced = m_store.events->syncBase(localId);
    return synced ? fromStored(synced->raw_icalendar) : std::nullopt;
}

std::optional<Event> PendingPush::fromStored(const QString &text) const
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    return eventFromResource(document.object());
}

bool PendingPush::handOnToMovedCopy(const Event &row, const Event &server)
{
    // A cancelled event is the provider's deletion, not a change to take.
    if (server.status == QLatin1String("cancelled"))
        return true;
    const std::optional<Event> copy = MovedCopy::last<Event>(m_store.events, row.id);
    const std::optional<Event> base = copy ? startedFrom(row.id) : std::nullopt;
    if (!base)
        return true;
    qInfo().noquote() << m_logTag << copy->title << "was changed on the provider's copy in the calendar it was"
                      << "moved from; the change goes to its new calendar too";
    if (!MovedCopy::handOn(m_store.events, *copy, *base, server, &EventConflictMerge::merged, &movedCopyText)) {
        qWarning().noquote() << m_logTag << "could not hand the change of" << row.id << "on to its copy" << copy->id;
        return false;
    }
    ++m_writtenRows;
    // Should this deletion be refused too, the next one hands on only what
    // changes after this.
    if (!m_store.events->keepSyncBase(row.id, {server.etag, server.raw_icalendar}))
        qWarning().noquote() << m_logTag << "could not keep the provider's copy of" << row.id << "as handed on";
    return true;
}

bool PendingPush::clearProviderId(const QString &localId)
{
    std::optional<Event> current = m_store.events->getById(localId);
    if (!current || current->provider_event_id.isEmpty())
        return true;
    current->provider_event_id.clear();
    current->etag.clear();
    current->href.clear();
    current->last_modified = QDateTime::currentDateTimeUtc();
    if (!m_store.events->update(*current))
        return false;
    ++m_writtenRows;
    qInfo().noquote() << m_logTag << "cleared stale providerEventId on" << localId << "for retry as insert";
    return true;
}

void PendingPush::onDeleted(const QString &localId)
{
    if (!m_items.contains(localId))
        return;
    if (!m_store.events->hardDelete(localId)) {
        qWarning().noquote() << m_logTag << "pushed delete" << localId << "but could not remove its row";
        refused(localId);
        return;
    }
    ++m_writtenRows;
    qInfo().noquote() << m_logTag << "pushed delete" << localId;
    eraseGoneWithSeries(localId);
    if (const Event *row = pendingRow(localId); row && Recurrence::isSeries(*row))
        eraseTakenAlong(*row);
    countDown(localId);
}

void PendingPush::countDown(const QString &localId)
{
    if (m_items.remove(localId) == 0)
        return;
    // A deleted occurrence of a deleted series answered: after the last
    // (and the read of the series' changed occurrences), the series goes.
    const QString seriesAfter = m_seriesAfter.take(localId);
    if (!seriesAfter.isEmpty())
        oneFewerBeforeSeries(seriesAfter);
    // A series answered: its occurrences go next, once its answer is
    // committed (sendMore runs after the commit).
    const QList<Event> occurrences = m_afterSeries.take(localId);
    for (auto it = occurrences.crbegin(); it != occurrences.crend(); ++it)
        m_unsent.prepend(*it);
    // While answers are recorded, their commit comes first.
    if (!m_recording)
        settle();
}

void PendingPush::settle()
{
    sendMore();
    // Late answers for rows already settled find nothing left to finish.
    if (m_items.isEmpty() && !std::exchange(m_finished, true))
        Q_EMIT finished();
}

} // namespace OAuth
