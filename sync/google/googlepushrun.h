#pragma once

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "store/calendar.h"
#include "store/event.h"
#include "sync/core/syncrepositories.h"
#include "sync/google/googleendpoints.h"
#include "sync/oauth/pendingpush.h"
#include "sync/oauth/skippeddaywalk.h"
#include "sync/oauth/tokenrenewer.h"

#include <functional>
#include <optional>

namespace Google {

class CalendarClient;

// Sends a calendar's pending rows to Google, a few at a time, and records
// each answer on its row. A row is marked synced only when it has
// not changed since its request was built; an edit made meanwhile stays
// pending with Google's new id and etag. An update sends only what changed
// (PATCH), so what the record does not model and what others changed stay
// Google's. A stale etag (412) is answered by reading the event afresh and
// joining both sides field by field; when that fails too the row stays
// pending and `failed` says so. An occurrence changed here updates Google's
// instance of the series, and cancels it when deleted here before the
// change went out; an insert names its own id. An event moved here
// from another calendar of the same account is moved by Google (guests,
// conference and all); from anywhere else it is made anew with what the
// old calendar's server held of it, telling its guests nothing. Every
// insert carries the record's guests, so that a meeting moved here from a
// calendar of this device keeps them there too. A series moved in time
// has Google give its days anew: its skipped days are cancelled at their
// new starts and its changed occurrences written to their instances there
// as Google held them, telling the guests nothing. An event Google held and
// holds no more (its deletion undone here) goes up again as Google held it,
// changed where the record was changed since, telling nobody; its changed
// occurrences onto the new series' instances.
class PushRun : public OAuth::PendingPush
{
    Q_OBJECT
public:
    PushRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
            const QString &accessToken, QObject *parent = nullptr);

protected:
    void sendWrite(const Event &row) override;
    void sendDelete(const Event &row, const QString &etag) override;
    void sendOverwrite(const Event &row, const QString &etag) override;
    void sendFetch(const Event &row) override;
    // The series and its changed occurrences, by the iCalendar UID they
    // share there.
    void sendExceptionsRead(const Event &series) override;
    int requestsInFlight() const override;
    QString versionOf(const QJsonObject &resource) const override;
    QString staleText(const Event &row, const QString &reason) const override;
    Event eventFromResource(const QJsonObject &resource) const override;
    QString conflictText(const Event &row, const QStringList &fields) const override;

public:
    // Asked for a new token when Google answers 401.
    void setTokenRenewer(const OAuth::TokenRenewer &renewer);
    // The id an insert of this row names, the same on every attempt.
    static QString clientEventId(const QString &localId);

private:
    // The PATCH body of what `row` changed against the resource it holds.
    static QJsonObject changesOf(const Event &row);
    // `row`, an occurrence, as written over Google's `instance` of its day.
    static Event overInstance(const Event &row, const QJsonObject &instance);
    // The PATCH body of `row`, a changed occurrence moved with its series,
    // onto the series' `instance` at its new start: the day as Google held
    // it at its old one (its stored copy), changed only where the record
    // changed it, in place of what the instance took from the series.
    static QJsonObject movedDayChanges(const Event &row, const QJsonObject &instance);
    // Asks for the instances of the series (known to Google) around the
    // occurrence `row` replaces; false, asking nothing, without such a
    // series.
    bool findInstance(const Event &row);
    void onInstances(const QString &localId, const QList<QJsonObject> &instances);
    // An event moved here from another calendar of this account: Google
    // moves it there as it is; the row left behind is done with, and what
    // changed here since goes over what Google moved.
    void onMoved(const QString &localId, const QJsonObject &resource);
    // A move Google could not make because the old copy is gone: the event
    // is made here anew, with what Google held of it before.
    void onWriteRefused(const QString &localId, const QString &reason, int status);
    // An insert, with what Google held of the event in the calendar it
    // was moved from (empty when none) and the record's guests.
    void insertCopy(const Event &row, const QJsonObject &heldThere);
    // The insert of `body` for the row, under the id it names.
    void sendInsert(const Event &row, QJsonObject body);
    bool organizedHere(const Event &row) const;
    // A row without Google's id that holds Google's copy of it: Google held
    // it and holds it no more (its deletion was undone here, or its event
    // was found gone), and it goes up again from that copy.
    static bool heldAnew(const Event &row);
    // An occurrence changed here whose stored instance is Google's of
    // another original start: its series moved in time since.
    static bool heldAtAnotherStart(const Event &row);
    // Whether Google's `resource`, just written for the series `row`,
    // starts or repeats otherwise than the copy `row` last had.
    static bool movedInTime(const Event &row, const QJsonObject &resource);
    // A write's answer; for a series moved in time, its skipped days first.
    void onAnswered(const QString &localId, const QString &googleId, const QString &etag,
                    const QJsonObject &resource);
    // Cancels, one after another, the instances of the days `row` skips
    // that the series Google `moved` does not, then runs `then`; false,
    // asking nothing, when there are none.
    bool cancelSkippedDays(const Event &row, const QJsonObject &moved, std::function<void()> then);
    // A deletion's answer, for the skipped days first.
    void onGone(const QString &localId);
    // The Google id of a row, also of one just moved whose row has none yet.
    QString googleIdOf(const Event &row) const;

    CalendarClient *m_client;
    // Rows being moved by Google, with the row each was moved from.
    QHash<QString, Event> m_moves;
    QHash<QString, QString> m_movedIds;
    // Rows whose skipped days are being cancelled after Google's move.
    OAuth::SkippedDayWalk m_skipped;
};

} // namespace Google
