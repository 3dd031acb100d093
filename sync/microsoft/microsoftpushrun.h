#pragma once

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "store/calendar.h"
#include "store/event.h"
#include "sync/core/syncrepositories.h"
#include "sync/microsoft/microsoftendpoints.h"
#include "sync/oauth/pendingpush.h"
#include "sync/oauth/skippeddaywalk.h"
#include "sync/oauth/tokenrenewer.h"

#include <functional>

namespace Microsoft {

class CalendarClient;

// Sends a calendar's pending rows to Graph, a few at a time, and
// records each answer on its row. A row is marked synced only when it has
// not changed since its request was built; an edit made meanwhile stays
// pending with Graph's new id and change key. A stale change key (412) is
// answered by reading the event afresh and writing the local version over
// it once; when that fails too the row stays pending and `failed` says so.
// A change made here to one occurrence of a series changes that
// occurrence on Graph (found among the series' instances), never a new
// event beside it; deleted here before that change went out, it deletes
// that instance.
// A new series' skipped days, which Graph does not take with the event,
// are deleted as its instances before the row counts as synced; so are a
// series' when it moved in time, as Graph then gives its days anew, and
// its changed occurrences are written to their instances at their new
// places as Graph held them.
// The user's answer to an invitation goes to the organizer through
// accept, tentativelyAccept or decline, never as an edit of the attendees.
// An event Graph held and holds no more (its deletion undone here) goes up
// again as Graph held it, changed where the record was changed since: the
// account's own meeting with its guests, whom Graph invites again, an
// invitation from someone else as a plain event; its changed occurrences
// onto the new series' instances.
class PushRun : public OAuth::PendingPush
{
    Q_OBJECT
public:
    // Asked for a new token when Graph answers 401.
    void setTokenRenewer(const OAuth::TokenRenewer &renewer);
    // myAddress: the account's own address, whose answers to invitations
    // are the user's.
    PushRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
            const QString &accessToken, const QString &myAddress, QObject *parent = nullptr);

protected:
    void sendWrite(const Event &row) override;
    void sendDelete(const Event &row, const QString &changeKey) override;
    void sendOverwrite(const Event &row, const QString &changeKey) override;
    void sendFetch(const Event &row) override;
    // The series' master with its exceptions expanded.
    void sendExceptionsRead(const Event &series) override;
    int requestsInFlight() const override;
    QString versionOf(const QJsonObject &resource) const override;
    QString staleText(const Event &row, const QString &reason) const override;
    void onFetched(const QString &localId, const QJsonObject &resource) override;
    Event eventFromResource(const QJsonObject &resource) const override;
    QString conflictText(const Event &row, const QStringList &fields) const override;

private:
    // The PATCH body: what the record changed against the object it holds.
    QJsonObject changesOf(const Event &row) const;
    void sendChange(const Event &row, const QString &changeKey);
    void onResponded(const QString &localId);
    void onInstances(const QString &localId, const QList<QJsonObject> &instances);
    // Asks for the instances of the series (known to Graph) around the
    // occurrence `row` replaces; false, asking nothing, without such a
    // series.
    bool findInstance(const Event &row);
    QString seriesIdOf(const Event &row) const;
    // Whether Graph's `instance` is the occurrence `recurrenceId` names; an
    // all-day one by the date Graph lists it at.
    static bool isInstanceAt(const QJsonObject &instance, const QString &recurrenceId);
    // Deletes, one after another, the instances of the days `row` skips
    // from its series `seriesId` on Graph, then runs `then`; false, asking
    // nothing, when `row` is no series skipping a day.
    bool deleteSkippedDays(const Event &row, const QString &seriesId, std::function<void()> then);
    // The client's answers, for the skipped days first.
    void onAnswered(const QString &localId, const QString &graphId, const QString &changeKey,
                    const QJsonObject &resource);
    void onGone(const QString &localId);
    // An occurrence changed here whose stored instance is Graph's of
    // another original start: its series moved in time since.
    static bool heldAtAnotherStart(const Event &row);
    // The body that writes `row`, such an occurrence, onto the series'
    // `instance` at its new start: the day as Graph held it at its old one
    // (its stored object), changed only where the record changed it, in
    // place of what the instance took from the series (its categories).
    static QJsonObject movedDayBody(const Event &row, const QJsonObject &instance);
    // Whether Graph's `resource`, just written for the series `row`, starts
    // or repeats otherwise than the object `row` last had.
    bool movedInTime(const Event &row, const QJsonObject &resource) const;
    void onRefused(const QString &localId, const QString &reason, int status);
    // A row without Graph's id that holds Graph's object of it: Graph held
    // it and holds it no more (its deletion was undone here, or its event
    // was found gone), and it goes up again from that object.
    static bool heldAnew(const Event &row);
    // The body of a new event made here or held anew.
    QJsonObject insertBody(const Event &row) const;
    // `body` without its attendees when the account does not organize the
    // meeting.
    QJsonObject withoutGuestsUnlessOrganized(const Event &row, QJsonObject body) const;

    QString m_myAddress;
    CalendarClient *m_client;
    // Rows whose Graph object is being read because they no longer hold
    // the one last seen.
    QSet<QString> m_readingBase;
    // Rows whose series' skipped days are being deleted on Graph.
    OAuth::SkippedDayWalk m_skipped;
};

} // namespace Microsoft
