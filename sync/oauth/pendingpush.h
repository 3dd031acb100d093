#pragma once

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include "store/calendar.h"
#include "store/event.h"
#include "sync/core/syncrepositories.h"

#include <functional>
#include <optional>
#include <tuple>
#include <type_traits>

class QTimer;

namespace OAuth {

// Sends a calendar's pending rows to a provider's service, a few requests
// at a time, and records each answer on its row; the answers that come in
// together are recorded in one commit, on a later turn, and a commit the
// store refuses leaves their rows pending. A row is marked synced only
// when it has not changed since its request was built; an edit made
// meanwhile stays pending with the provider's new id and version. A stale
// version (412) is answered by reading the event afresh and joining both
// sides against the synced copy the local edit started from: what only the
// provider changed is kept, what both changed takes the local value and
// `failed` names it; a deletion met so first hands what the provider
// changed on to the copy of an event moved to another calendar, or else
// keeps it in the tombstone for an undo (TombstoneCopy). When the
// write is refused again, or refused for any other reason, the row stays
// pending and `failed` says so, as it does when the store refuses an
// answer's write. An occurrence changed here goes out only once its series
// has the provider's id, after the series' own answer when both are
// pending (new, or moved in time, which gives its occurrences anew); one
// deleted with its series goes with the series' one deletion (each
// deletion of an organizer's meeting tells its guests), which first reads
// the changed occurrences the provider holds of the series, and one deleted
// before it ever reached the provider cancels the provider's instance of
// its day. A split's new series goes out after the series it was split
// from, whose stale version, read afresh, hands it what another device
// changed on the series (handOnToSplits). An
// event moved to another calendar leaves the provider's old copy until its
// copy is on its own server (withoutWaitingDeletions). A
// provider's run derives from it, makes the requests through its own
// client and routes the client's answers to the handlers through
// recordLater.
class PendingPush : public QObject
{
    Q_OBJECT
public:
    // Starts sending the pending rows and returns how many there were; with none, `finished` is not emitted. Rows that never
    // reached the provider and are deleted here are removed at once, but for
    // a changed occurrence whose day the provider's series still shows.
    int start();

    // New rows go out while fewer requests than this are out. The network
    // sends six to one host in parallel; as many again wait in its queue, so
    // no connection idles while this thread records answers, and answers
    // landing together stay few enough to record without holding the
    // window. The next request of a row already out (a re-read after a
    // stale version, an occurrence found in its series) goes at once, so
    // at most twice as many are out.
    static constexpr int MaxInFlight = 12;

    // The most answers recorded in one turn, in one commit.
    static constexpr int AnswersPerTurn = 4;
    // While another connection writes past the store's own wait, answers
    // are kept and tried again this much later, this many times in all.
    static constexpr int RecordRetryMs = 250;
    static constexpr int RecordAttempts = 3;

    // The most requests sent and not yet answered at one time.
    int peakInFlight() const { return m_peakInFlight; }

Q_SIGNALS:
    // A row that could not be saved to the provider, or whose answer could
    // not be saved here; the run goes on.
    void failed(const QString &reason);
    // Every row has had its answer.
    void finished();

protected:
    // logTag: how the log lines name the provider, e.g. "[Google]".
    PendingPush(const Sync::Repositories &store, const Calendar &calendar, const QString &logTag,
                QObject *parent);

    // The write of a kept row: an insert when it has no provider id yet,
    // else an update.
    virtual void sendWrite(const Event &row) = 0;
    virtual void sendDelete(const Event &row, const QString &version) = 0;
    // The local version over the provider's current one.
    virtual void sendOverwrite(const Event &row, const QString &version) = 0;
    virtual void sendFetch(const Event &row) = 0;
    // Reads the changed occurrences the provider holds now of `series`, a
    // series deleted here, every page in one answer (onExceptionsListed).
    virtual void sendExceptionsRead(const Event &series) = 0;
    virtual int requestsInFlight() const = 0;
    // The version a fetched event carries.
    virtual QString versionOf(const QJsonObject &resource) const = 0;
    // Why a row changed on the provider could not be saved there.
    virtual QString staleText(const Event &row, const QString &reason) const = 0;
    // The record a resource of the provider maps to.
    virtual Event eventFromResource(const QJsonObject &resource) const = 0;
    // That `fields` were changed both here and on the provider, and the
    // values set here were kept.
    virtual QString conflictText(const Event &row, const QStringList &fields) const = 0;

    // A slot for a client's answer signal: `handler` runs on a later turn,
    // with the other answers that came in meanwhile, in one commit.
    template <typename Push, typename... Args>
    auto recordLater(void (Push::*handler)(Args...))
    {
        Push *push = static_cast<Push *>(this);
        return [this, push, handler](Args... args) {
            auto values = std::make_tuple(std::decay_t<Args>(args)...);
            // Every answer names its row first.
            const QString localId = std::get<0>(values);
            queueAnswer(localId, [push, handler, values = std::move(values)] {
                std::apply([push, handler](const auto &...value) { (push->*handler)(value...); }, values);
            });
        };
    }

    // The client's answers; called directly, each records at once.
    void onWritten(const QString &localId, const QString &providerEventId, const QString &version,
                   const QJsonObject &resource);
    void onWriteFailed(const QString &localId, const QString &reason, int status);
    void onDeleted(const QString &localId);
    // Joins the local version with the event just read, field by field
    // against the copy the local edit started from, and writes the result;
    // a provider that reads events for other reasons too overrides it and
    // passes the rest on.
    virtual void onFetched(const QString &localId, const QJsonObject &resource);
    // The provider's changed occurrences of the series `localId`, deleted
    // here, as it holds them now, read before the series' deletion, which
    // takes them along: one changed there since the last pull that this
    // device does not hold as the provider has it is stored as the pull
    // would store it, so that the deletion erases it with the series and
    // its undo gives it back as the provider held it. A row of the series
    // pending here is left to its own request: a tombstone read before the
    // series goes, an edit made here, which wins.
    void onExceptionsListed(const QString &localId, const QList<QJsonObject> &exceptions);
    // A refused read of a series' changed occurrences: true when `localId`
    // awaited one. The series' deletion then waits for a later run, unless
    // the provider holds the series no more.
    bool exceptionsUnread(const QString &localId, const QString &reason, int status);
    // A row with nothing the provider holds changed here (an edit undone
    // before it went up, a day the series skips, which goes as its own
    // request): the pull passed it by as pending, so a change another
    // device made meanwhile is read now and taken as the row's; with none,
    // the row is as the provider has it.
    void settleUnchanged(const Event &row);
    // Marks the row synced; an empty id or version keeps the row's own.
    // False when the store refused the write.
    bool markSynced(const QString &localId, const QString &providerEventId, const QString &version,
                    const QJsonObject &resource);
    void countDown(const QString &localId);
    // After a request went out: keeps peakInFlight current.
    void noteInFlight();

    // A changed occurrence whose change was undone (isWithdrawnOccurrence)
    // is written back as its series has it, under the provider's id of
    // that occurrence: a deletion would cancel the occurrence. None when
    // the series no longer has it; the row is then deleted as any other.
    std::optional<Event> occurrenceAsSeriesHasIt(const Event &row) const;
    // The series whose occurrence `row` replaces, by its uid or by the
    // provider's id; none for a row that replaces no occurrence.
    std::optional<Event> seriesOf(const Event &row) const;
    // The start of the occurrence a recurrence id or skipped day names, in
    // UTC: a time ("yyyyMMddTHHmmss", "Z" or not), or a date's midnight;
    // invalid for any other text.
    static QDateTime originalStartOf(const QString &recurrenceId);
    // An answer made here, without a request (a write that would change
    // nothing, a deletion with nothing left to delete): recorded with the
    // others.
    void queueAnswer(const QString &localId, std::function<void()> record);

    const Calendar &calendar() const { return m_calendar; }
    const Sync::Repositories &store() const { return m_store; }
    // The row as it was when the run began, while it awaits its answer;
    // null once answered.
    const Event *pendingRow(const QString &localId) const;
    // What the row's write sends: after a stale version, the row joined
    // with the provider's newer one; else the row as the run began. Null
    // once answered.
    const Event *sentRow(const QString &localId) const;

private:
    // The synced copy the row's local edits started from, as the provider
    // had it; none when it was not kept.
    std::optional<Event> startedFrom(const QString &localId) const;
    // The record a stored text of the provider (its JSON) maps to.
    std::optional<Event> fromStored(const QString &text) const;
    // `row`, a tombstone whose deletion met the provider's newer version
    // `server`: when it was left behind by a move to another calendar, what
    // the provider changed goes to its copy (the last of its moves) first,
    // merged as a conflict is merged, the copy's own edits winning, and
    // the copy turns pending for its own calendar's server. False when the
    // copy could not take it: the tombstone then stays.
    bool handOnToMovedCopy(const Event &row, const Event &server);

    struct Item
    {
        Event snapshot;
        bool retried = false;
        // What was written over a stale version: both sides joined.
        std::optional<Event> joined;
        // Read only to learn whether the provider changed it meanwhile.
        bool settling = false;
    };

    // A row's failure: told once the answers it came with are committed.
    void report(const QString &reason);
    // `row`, a series about to be written, moved in time against the copy
    // the provider last sent: its write gives it its days anew there,
    // dropping its changed and skipped days, and the provider's next
    // listing names them gone, or cancelled at their old starts: this
    // device's doing, also when the write's answer is lost. Their old
    // recurrence ids are kept for that pull (EventRepository::
    // keepDroppedOccurrences).
    void keepDroppedDays(const Event &row);
    // The split's new series of this run, each by the series it was split
    // from in this run too (EventRepository::splitsFrom): a new series goes
    // up after that series' answer, so that what another device changed on
    // the series, met by its write as a newer version, reaches the new
    // series before it goes (handOnToSplits).
    QHash<QString, QString> splitsAfterTheirSeries(const QList<Event> &pending) const;
    // `joined`, the series `row` joined with the provider's newer copy
    // `server` against `base` after a stale version: when splits here made
    // new series of it, what the provider changed on the series reaches
    // them where the split kept what it had, and a day it skips past a
    // split is skipped in the new series there (MovedSeriesRows); the
    // series keeps its own days. False when a new series could not take
    // it: the series then stays pending for the next run.
    bool handOnToSplits(const Event &base, const Event &row, const Event &server, Event *joined);
    // A row of this run the sync changed in the store before its write
    // went: the write sends it as it stands now. One already on its way
    // stays pending, changed meanwhile, for the next run.
    void takeStoredRow(const QString &localId);
    // A changed occurrence deleted with its series, which this run deletes:
    // the provider's deletion of the series takes it along, so it is only
    // read first, and a change made there meanwhile is kept (in the
    // tombstone for an undo, or handed on to a moved series' copy). Its
    // tombstone is erased once the series' deletion is answered.
    bool goesWithSeries(const QString &localId) const { return m_seriesAfter.contains(localId); }
    void readBeforeSeries(const Event &row);
    void keepForSeriesDeletion(const QString &localId, const QJsonObject &resource);
    // The series `seriesId` is gone on the provider: the tombstones of its
    // occurrences that went with it are erased, each announced as it was
    // last (EventRepository::eventErased).
    void eraseGoneWithSeries(const QString &seriesId);
    // Every series this run deletes first reads its changed occurrences
    // there (onExceptionsListed): on Google a change to one changes no
    // version of the series, so its deletion would meet none.
    void readExceptionsFirst(const QHash<QString, QString> &goneSeries);
    // Sends that read when `row` is such a series not read yet.
    bool readsExceptionsFirst(const Event &row);
    // Stores what the provider holds of the series' changed occurrences
    // that this device does not; false when the store refused it.
    bool keepUnseenExceptions(const Event &series, const QList<QJsonObject> &exceptions);
    // One fewer answer the deletion of the series `seriesId` waits for;
    // after the last, it goes next.
    void oneFewerBeforeSeries(const QString &seriesId);
    void sendMore();
    // An occurrence changed here whose series has no provider id yet.
    bool awaitsSeriesId(const Event &row) const;
    void send(const Event &row);
    void removeLocalOnly(const QString &localId);
    // A changed occurrence deleted here before its change reached the
    // provider, whose series there skips its day here: the provider's
    // instance of that day is found by the series and cancelled (sendDelete
    // of a row without a provider id), else it would stay on every other
    // device.
    bool cancelsUnsentOccurrence(const Event &row) const;
    // The series' occurrence named by the recurrence id; none when the
    // series skips it or does not give it.
    static std::optional<Event> occurrenceOf(const Event &series, const QString &recurrenceId);
    bool clearProviderId(const QString &localId);
    // The series' rows this run does not send, once the provider took the
    // series' deletion: changed occurrences a pull added since, which the
    // provider removed with it. They are erased with it, as the store
    // announces every row it erases, so that an undo of the delete gives
    // them back with the series.
    void eraseTakenAlong(const Event &series);
    // A store write of an answer was refused: the row stays pending.
    void refused(const QString &localId);
    void recordAnswers();
    // Runs `record` in one transaction, then tells what failed and sends
    // the rows whose places came free. False, having run nothing, when the
    // store's write lock could not be had.
    bool recordInOneCommit(const std::function<void()> &record);
    // The answers kept through a busy store are left to the next run.
    void giveUpRecording();
    void settle();

    Sync::Repositories m_store;
    Calendar m_calendar;
    QString m_logTag;
    QHash<QString, Item> m_items;
    QList<Event> m_unsent;
    // Occurrences waiting for the answer to their new series, by the
    // series' local id.
    QHash<QString, QList<Event>> m_afterSeries;
    // Deleted occurrences read before their deleted series goes, with the
    // series' local id, and how many of them each series still waits for.
    QHash<QString, QString> m_seriesAfter;
    QHash<QString, int> m_occurrencesFirst;
    // By the series' local id, the occurrences read and waiting to be
    // erased with it.
    QHash<QString, QStringList> m_goneWithSeries;
    // Deleted series whose changed occurrences are still to be read, and
    // those whose read is out.
    QSet<QString> m_exceptionsToRead;
    QSet<QString> m_readingExceptions;
    int m_peakInFlight = 0;
    struct Answer
    {
        QString localId;
        std::function<void()> record;
    };
    QList<Answer> m_answers;
    // Turns in a row the store's write lock could not be had.
    int m_busyTurns = 0;
    QTimer *m_recordTimer;
    bool m_recording = false;
    bool m_sending = false;
    bool m_finished = false;
    // Of the answers being recorded: the rows whose writes a failed commit
    // undoes, and the failures to tell after it.
    int m_writtenRows = 0;
    QStringList m_reports;
};

} // namespace OAuth
