#pragma once

#include "store/event.h"
#include "store/eventproviderkey.h"
#include "store/eventsyncbase.h"
#include "store/eventsynckey.h"
#include "store/seriesrows.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

class Database;
class QTimer;

// Access to `events` and its child rows (attendees, reminders). Deletion is
// two-stage: remove() leaves a tombstone for the sync clients to push,
// hardDelete() erases the row for good. Changes are announced through one
// coalesced signal carrying the calendar of the last write.
class EventRepository : public QObject
{
    Q_OBJECT
public:
    explicit EventRepository(Database *db, QObject *parent = nullptr);

    // Reads for display skip tombstones.
    QList<Event> getRelatedTo(const QString &uid) const;
    QList<Event> getByCalendar(const QString &calendarId) const;
    QList<Event> getInRange(const QDateTime &from, const QDateTime &to,
                            const QStringList &calendarIds = {}) const;
    QList<Event> search(const QString &text, int limit) const;

    // Look-ups for editing and sync return tombstones too.
    std::optional<Event> getById(const QString &id) const;
    // The rows of those ids still stored, in one read.
    QList<Event> getByIds(const QStringList &ids) const;
    std::optional<Event> getByUid(const QString &uid, const QString &calendarId) const;
    // An override is found by its series' uid also when the row has a uid
    // of its own and names the series in master_event_uid.
    std::optional<Event> getByUidAndRecurrenceId(const QString &uid, const QString &calendarId,
                                                 const QString &recurrenceId) const;
    // The same, live rows only: an occurrence changed anew after its change
    // was withdrawn, not the withdrawn row a calendar kept on this device
    // holds for ever.
    std::optional<Event> getLiveByUidAndRecurrenceId(const QString &uid, const QString &calendarId,
                                                     const QString &recurrenceId) const;
    QList<Event> getPending(const QString &calendarId) const;
    // The live changed occurrences of the series `uid` in one calendar: rows
    // read from a server under the series' uid, and rows changed here under
    // a uid of their own that name it in master_event_uid.
    QList<Event> getOccurrencesOf(const QString &uid, const QString &calendarId) const;
    // The same with their tombstones (deleted and withdrawn changes): every
    // row a change of the whole series may rewrite.
    QList<Event> getSeriesRows(const QString &uid, const QString &calendarId) const;
    // Every row of the calendar, tombstones included, as a sync pull sees
    // it: one read per pull instead of one look-up per server item. False
    // when the read fails.
    [[nodiscard]] bool getSyncKeys(const QString &calendarId, QList<EventSyncKey> *keys) const;
    // The row a provider (Google, Microsoft) knows by its own event id, in
    // one calendar; tombstones too.
    std::optional<Event> getByProviderEventId(const QString &calendarId, const QString &providerEventId) const;

    // The copy a pending row's local edits started from. The store keeps it
    // when a synced row first turns pending and drops it when the row is
    // synced again or deleted; rows edited before it was kept have none,
    // nor do rows no server held.
    std::optional<EventSyncBase> syncBase(const QString &id) const;
    // Replaces the kept copy, e.g. once a conflict has been merged onto the
    // server's newer text.
    [[nodiscard]] bool keepSyncBase(const QString &id, const EventSyncBase &base);
    // What an upload of the pending row `id` sent (its own text) and the tag
    // it went up against, kept beside its sync base until the row is synced
    // or the base replaced: a server copy holding it is that upload, stored
    // even if its answer never came. A row without a base (a create, a
    // change a move put where no server held one) keeps it alone, which is
    // no base. An empty text says the upload left the row out (a change
    // deleted or withdrawn here).
    [[nodiscard]] bool keepSentCopy(const QString &id, const EventSyncBase &sent);
    // The sent copy of `id` that holds a text; none otherwise.
    std::optional<EventSyncBase> sentCopy(const QString &id) const;
    // The sent copies of those of `ids` that keep one (left-out rows too),
    // each with its row's base, by row id, in one read; none when the read
    // fails.
    std::optional<QHash<QString, EventSentCopy>> sentCopies(const QStringList &ids) const;

    // The changed and skipped days a provider dropped from the series
    // `seriesId` when this device's move of it in time went up (Google and
    // Graph give such a series its days anew): the recurrence ids they had
    // before the move, which the provider's next listing may show
    // cancelled or removed. Kept until a pull has read that listing (forgotten with
    // the calendar's), and with the series.
    [[nodiscard]] bool keepDroppedOccurrences(const QString &seriesId, const QStringList &recurrenceIds);
    // Those of the calendar's series, by the series' row id; none when the
    // read fails.
    std::optional<QHash<QString, QStringList>> droppedOccurrences(const QString &calendarId) const;
    [[nodiscard]] bool forgetDroppedOccurrences(const QString &calendarId);

    // An event moved to another calendar: `fromId`, left behind as a
    // tombstone, was stored anew there as `toId` (a series and each of its
    // changed occurrences apart). The link goes when either row is deleted
    // for good; a copy moved on again hands it on to its own copy, so
    // `fromId` stays linked to where the event went last.
    [[nodiscard]] bool keepMove(const QString &fromId, const QString &toId);
    // The copy a moved row was stored as; empty when it was not moved.
    QString movedTo(const QString &fromId) const;
    // The row a copy was moved from; empty when it is none.
    QString movedFrom(const QString &toId) const;
    // The ids of the rows of `calendarId` a move left behind that wait to be
    // deleted on its server (pending tombstones): read through the moves'
    // links alone, whatever else the calendar holds pending.
    QStringList leftPendingByMoves(const QString &calendarId) const;

    [[nodiscard]] bool insert(const Event &event);
    [[nodiscard]] bool update(const Event &event);
    [[nodiscard]] bool remove(const QString &id);
    // Tombstones the rows, all of one calendar, in one statement: every one
    // of them, or none (false) when any is gone.
    [[nodiscard]] bool removeAll(const QStringList &ids);
    // An undone delete in one write: the tombstones in `revived` live again
    // (their status, SEQUENCE, stored text and modification time as given;
    // their other columns and child rows as stored) and the erased rows in
    // `recreated` stored anew, each through a statement prepared once. All
    // or nothing.
    [[nodiscard]] bool giveBack(const QList<Event> &revived, const QList<Event> &recreated);
    // Tombstones a changed occurrence whose change was taken back: the
    // sync clients send its series without it and skip no day for it, as
    // they do for a deleted one (isWithdrawnOccurrence).
    [[nodiscard]] bool withdraw(const QString &id);
    // Erases the row for good, announcing it as it was last (eventErased).
    [[nodiscard]] bool hardDelete(const QString &id);
    // A series' change (SeriesChange) in one transaction: the series
    // updated, the new series of a split inserted and linked to it, then
    // its changed occurrences updated, inserted and withdrawn. All or
    // nothing.
    [[nodiscard]] bool storeSeriesChange(const SeriesRows &rows);
    // The series splits of `fromId` started, while `fromId` waits to go up
    // with its end: the link goes when it is synced, and with either row.
    QStringList splitsFrom(const QString &fromId) const;
    [[nodiscard]] bool markSynced(const QString &id, const QString &href, const QString &etag);
    // An event whose upload the server confirmed: synced at `href` under the
    // server's tag, its stored text `text`, its own part of what went up.
    // Its sync base goes with the pending state.
    [[nodiscard]] bool markSent(const QString &id, const QString &href, const QString &etag, const QString &text);
    // A provider's answer to a pushed row, in one write of its sync columns
    // instead of a rewrite of the row and its child rows: the provider's id
    // and version (empty keeps the stored one) and the time. A row still
    // equal to `pushed` also takes `rawResource` (empty keeps the stored
    // text) and turns synced, dropping its sync base; one changed since
    // keeps the rest as it is, still pending. `joined`, when given, is what
    // was written in place of `pushed` (both sides of a conflict joined): a
    // row still equal to `pushed` is then rewritten as `joined`, so that it
    // holds what the provider holds.
    enum class PushRecord { Synced, ChangedMeanwhile, Gone, Failed };
    PushRecord recordPushed(const Event &pushed, const QString &providerEventId, const QString &etag,
                            const QString &rawResource, const Event *joined = nullptr);
    [[nodiscard]] bool restore(const Event &event);
    void notifyChanged(const QString &calendarId);
    // While held, writes announce nothing; releasing announces them once.
    // A long batch (an import) holds them so listeners read once at its end.
    void holdChanges(bool held);

    // The range statement for a number of calendar ids (none: all
    // calendars) and the values it binds. Bounded, it visits the rows that
    // start shortly before the range and the few kept apart
    // (through the partial index of EventRangeBounds); otherwise every row that starts before the range's
    // end.
    static QString rangeStatement(int calendarIdCount, bool bounded);
    static QVariantList rangeBinds(const QDateTime &from, const QDateTime &to,
                                   const QStringList &calendarIds, bool bounded);

    // Every row of the calendar, tombstones included, for the warning before
    // the calendar is deleted; 0 when it can't be counted.
    int countInCalendar(const QString &calendarId) const;

    // Every row of the calendar that a provider (Google, Microsoft) knows by
    // its own id, tombstones included, without child rows: one read per
    // pull instead of one look-up per item. False when the read fails.
    [[nodiscard]] bool getProviderKeys(const QString &calendarId, QList<EventProviderKey> *keys) const;

Q_SIGNALS:
    void eventsChanged(const QString &calendarId);
    // A row erased by hardDelete(), as it was last: a tombstone with what a
    // pull merged into it between the delete and its push, or a changed
    // occurrence a series' deletion took along; an undo of the delete gives
    // them back (ErasedRows).
    void eventErased(const Event &row);

private Q_SLOTS:
    void emitPendingChange();

private:
    QList<Event> select(const QString &sql, const QVariantList &binds) const;
    std::optional<Event> selectOne(const QString &sql, const QVariantList &binds) const;
    // getByUidAndRecurrenceId() narrowed by `rowTest`, an SQL condition
    // on the row.
    std::optional<Event> selectOccurrence(const QString &uid, const QString &calendarId,
                                          const QString &recurrenceId, const QString &rowTest) const;
    QList<Event> selectWithChildren(const QString &sql, const QVariantList &binds) const;
    [[nodiscard]] bool loadChildren(QList<Event> &events) const;
    [[nodiscard]] bool loadChildren(Event &event) const;
    [[nodiscard]] bool writeReminderRows(const Event &event, QString *error);
    [[nodiscard]] bool writeAttendeeRows(const Event &event, QString *error);
    [[nodiscard]] bool writeWithChildren(const char *operation, QSqlQuery &main, const Event &event);
    QString calendarIdOf(const QString &id) const;

    Database *m_db;
    QTimer *m_changeTimer;
    QString m_pendingCalendarId;
    bool m_changesHeld = false;
    bool m_changeHeldBack = false;

public:
    // Text search narrowed in the query itself, so the row limit counts
    // only rows that pass: live events of the given calendars (none: no
    // rows) whose title, location or description contains the text
    // literally (ASCII case-insensitive), starting inside [from, to] (both
    // ends inclusive, local date-times; an all-day event starts at local
    // midnight of its date), ordered by start.
    QList<Event> searchInRange(const QString &text, const QDateTime &from, const QDateTime &to,
                               const QStringList &calendarIds, int limit) const;
};
