#include "sync/google/googlepushrun.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>

#include "calendar/recurrence.h"
#include "store/eventrepository.h"
#include "store/eventsyncbase.h"
#include "store/meetingorganizer.h"
#include "sync/google/googlecalendarclient.h"
#include "sync/google/googleeventmapping.h"
#include "sync/oauth/changedmembers.h"
#include "sync/oauth/movedfrom.h"

namespace Google {

namespace {

QJsonObject storedResource(const Event &row)
{
    const QJsonDocument stored = QJsonDocument::fromJson(row.raw_icalendar.toUtf8());
    return stored.isObject() ? stored.object() : QJsonObject();
}

} // namespace

PushRun::PushRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
                 const QString &accessToken, QObject *parent)
    : OAuth::PendingPush(store, calendar, QStringLiteral("[Google]"), parent)
    , m_client(new CalendarClient(endpoints, this))
    , m_skipped(
          [this](const QString &localId, const QString &seriesId, const QString &day) {
              const QDateTime start = originalStartOf(day);
              m_client->listInstances(localId, this->calendar().url, seriesId, start.addDays(-1), start.addDays(2));
              noteInFlight();
          },
          [this](const QString &localId, const QString &instanceId) {
              m_client->deleteEvent(localId, this->calendar().url, instanceId, QString(), true);
              noteInFlight();
          },
          [](const QJsonObject &instance, const QString &day) {
              return recurrenceIdFromJson(instance) == Recurrence::storedRecurrenceId(day)
                  && instance.value(QStringLiteral("status")).toString() != QLatin1String("cancelled");
          })
{
    m_client->setAccessToken(accessToken);
    connect(m_client, &CalendarClient::eventWritten, this, recordLater(&PushRun::onAnswered));
    connect(m_client, &CalendarClient::eventWriteFailed, this, recordLater(&PushRun::onWriteRefused));
    connect(m_client, &CalendarClient::eventMoved, this, recordLater(&PushRun::onMoved));
    connect(m_client, &CalendarClient::eventDeleted, this, recordLater(&PushRun::onGone));
    connect(m_client, &CalendarClient::eventFetched, this, recordLater(&PushRun::onFetched));
    connect(m_client, &CalendarClient::instancesListed, this, recordLater(&PushRun::onInstances));
    connect(m_client, &CalendarClient::iCalUidListed, this, recordLater(&PushRun::onExceptionsListed));
}

void PushRun::setTokenRenewer(const OAuth::TokenRenewer &renewer)
{
    m_client->setTokenRenewer(renewer);
}

QString PushRun::clientEventId(const QString &localId)
{
    // Hex digits are base32hex, as Google asks of ids a client chooses; the
    // same row always names the same event, so a retry cannot make two.
    return QString::fromLatin1(QCryptographicHash::hash(localId.toUtf8(), QCryptographicHash::Sha1).toHex());
}

Event PushRun::overInstance(const Event &row, const QJsonObject &instance)
{
    Event based = row;
    based.raw_icalendar = QString::fromUtf8(QJsonDocument(instance).toJson(QJsonDocument::Compact));
    based.recurrence_rule.clear();
    return based;
}

QJsonObject PushRun::movedDayChanges(const Event &row, const QJsonObject &instance)
{
    // What the record changed, against the instance there; then what Google
    // held of the day beyond the record (another app's properties, its own
    // guests and colour) over what the instance took from the series.
    QJsonObject changes = changesOf(overInstance(row, instance));
    const QJsonObject held =
        OAuth::changedMembers(eventToJsonForCopy(row, instance), eventToJsonForCopy(row, storedResource(row)));
    for (auto it = held.constBegin(); it != held.constEnd(); ++it)
        changes.insert(it.key(), it.value());
    return changes;
}

QJsonObject PushRun::changesOf(const Event &row)
{
    const QJsonObject stored = storedResource(row);
    if (stored.isEmpty())
        return QJsonObject();
    // The stored copy through the same mapping, so that only what the
    // record changed differs, whatever form Google wrote its values in.
    Event synced = eventFromJson(stored, row.calendar_id);
    synced.raw_icalendar = row.raw_icalendar;
    return OAuth::changedMembers(eventToJsonForUpdate(synced), eventToJsonForUpdate(row));
}

void PushRun::sendWrite(const Event &row)
{
    if (row.provider_event_id.isEmpty()) {
        // One occurrence changed here: Google's own instance is updated.
        if (findInstance(row))
            return;
        const std::optional<OAuth::MovedFrom> from = OAuth::movedFrom(store(), row);
        if (from && from->accountId == calendar().account_id && from->calendar.id != calendar().id
            && from->row.deleted_at && !from->row.provider_event_id.isEmpty() && from->row.recurrence_id.isEmpty()) {
            m_moves.insert(row.id, from->row);
            m_client->moveEvent(row.id, from->calendar.url, from->row.provider_event_id, calendar().url);
            return;
        }
        // Google held it once (its deletion went up and was undone): it goes
        // up again from the copy Google held.
        if (!from && heldAnew(row)) {
            sendInsert(row, eventToJsonFromHeld(row));
            return;
        }
        // Moved from a calendar no server holds, it comes with no link: as
        // any insert, it takes the record's guests.
        insertCopy(row, from ? from->heldBy(AccountType::Google) : QJsonObject());
        return;
    }
    // Moved with its series: Google's instance at its new place takes it;
    // the one it was written to went with the series' old days.
    if (heldAtAnotherStart(row) && findInstance(row))
        return;
    if (storedResource(row).isEmpty()) {
        m_client->updateEvent(row.id, calendar().url, row.provider_event_id, eventToJsonForUpdate(row), row.etag);
        return;
    }
    const QJsonObject changes = changesOf(row);
    if (changes.isEmpty()) {
        // Nothing Google holds changed (a day the series skips goes as its
        // cancelled instance): nothing is written.
        settleUnchanged(row);
        return;
    }
    m_client->patchEvent(row.id, calendar().url, row.provider_event_id, changes, row.etag);
}

void PushRun::insertCopy(const Event &row, const QJsonObject &heldThere)
{
    // Its guests come along, from what Google held or else from the record
    // (a meeting moved from a calendar of this device); the insert tells
    // them nothing.
    sendInsert(row, eventToJsonForCopy(row, heldThere));
}

void PushRun::sendInsert(const Event &row, QJsonObject body)
{
    // Guests only for a meeting this account organizes: the insert makes it
    // the account's own, and one organized by someone else (an imported
    // invitation, an invitation deleted and given back) goes as a plain
    // event of the calendar.
    if (!organizedHere(row))
        body.remove(QStringLiteral("attendees"));
    body.insert(QStringLiteral("id"), clientEventId(row.id));
    m_client->insertEvent(row.id, calendar().url, body);
}

bool PushRun::organizedHere(const Event &row) const
{
    return MeetingOrganizer::organizedBy(store().accounts, store().calendars, row, calendar().account_id);
}

bool PushRun::heldAnew(const Event &row)
{
    return row.provider_event_id.isEmpty() && !storedResource(row).isEmpty();
}

bool PushRun::heldAtAnotherStart(const Event &row)
{
    if (row.recurrence_id.isEmpty() || row.deleted_at)
        return false;
    const QString heldAt = recurrenceIdFromJson(storedResource(row));
    return !heldAt.isEmpty() && heldAt != Recurrence::storedRecurrenceId(row.recurrence_id);
}

bool PushRun::movedInTime(const Event &row, const QJsonObject &resource)
{
    const QJsonObject stored = storedResource(row);
    if (row.recurrence_rule.isEmpty() || !row.recurrence_id.isEmpty() || row.provider_event_id.isEmpty()
        || stored.isEmpty())
        return false;
    const Event before = eventFromJson(stored, row.calendar_id);
    const Event after = eventFromJson(resource, row.calendar_id);
    return before.start_time != after.start_time || before.is_all_day != after.is_all_day
        || before.recurrence_rule != after.recurrence_rule;
}

void PushRun::onAnswered(const QString &localId, const QString &googleId, const QString &etag,
                         const QJsonObject &resource)
{
    const auto written = [this, localId, googleId, etag, resource] { onWritten(localId, googleId, etag, resource); };
    // A series moved in time: Google gives its days anew at their new
    // starts, the ones skipped here too, so these are cancelled there
    // before the row counts as synced (the ones laid on it after a stale
    // version too); its changed occurrences follow it. Moved against what
    // this device last had of it: a write whose answer was lost moved it
    // on Google already.
    const Event *row = pendingRow(localId);
    if (!row || !movedInTime(*row, resource)) {
        written();
        return;
    }
    if (!cancelSkippedDays(*sentRow(localId), resource, written))
        written();
}

void PushRun::onMoved(const QString &localId, const QJsonObject &resource)
{
    const Event left = m_moves.take(localId);
    if (!pendingRow(localId))
        return;
    // Its deletion would find the event gone from the old calendar anyway.
    if (!left.id.isEmpty() && !store().events->hardDelete(left.id))
        qWarning().noquote() << "[Google] the row" << left.id << "stays behind its move; its deletion ends it";
    m_movedIds.insert(localId, resource.value(QStringLiteral("id")).toString());
    // The edits made here started from what the old row last had of Google.
    const EventSyncBase base = store().events->syncBase(left.id).value_or(EventSyncBase{left.etag, left.raw_icalendar});
    if (!store().events->keepSyncBase(localId, base))
        qWarning().noquote() << "[Google] could not keep what" << localId << "was moved from";
    // A day skipped here since the last sync went with no cancelled
    // instance, and the update carries no skipped days: cancelled there
    // first.
    const auto changed = [this, localId, resource] { onFetched(localId, resource); };
    if (!cancelSkippedDays(*pendingRow(localId), resource, changed))
        changed();
}

bool PushRun::cancelSkippedDays(const Event &row, const QJsonObject &moved, std::function<void()> then)
{
    const QString seriesId = moved.value(QStringLiteral("id")).toString();
    if (row.recurrence_rule.isEmpty() || seriesId.isEmpty())
        return false;
    const QStringList held = exceptionDatesFromJson(moved);
    QStringList days;
    for (const QJsonValue &day : QJsonDocument::fromJson(row.exception_dates.toUtf8()).array()) {
        if (!held.contains(day.toString()) && originalStartOf(day.toString()).isValid())
            days.append(day.toString());
    }
    return m_skipped.start(row.id, seriesId, days, std::move(then));
}

void PushRun::onGone(const QString &localId)
{
    if (m_skipped.walking(localId))
        m_skipped.next(localId);
    else
        onDeleted(localId);
}

void PushRun::onWriteRefused(const QString &localId, const QString &reason, int status)
{
    // Else the row stays pending; the next run sends it.
    if (m_skipped.refused(localId, status) || exceptionsUnread(localId, reason, status))
        return;
    const auto move = m_moves.constFind(localId);
    if (move == m_moves.constEnd() || (status != 404 && status != 410)) {
        m_moves.remove(localId);
        onWriteFailed(localId, reason, status);
        return;
    }
    const Event left = m_moves.take(localId);
    const Event *row = pendingRow(localId);
    if (!row)
        return;
    qInfo().noquote() << "[Google]" << left.provider_event_id << "is gone from its old calendar; made anew here";
    if (!store().events->hardDelete(left.id))
        qWarning().noquote() << "[Google] the row" << left.id << "stays behind its move; its deletion ends it";
    const QJsonDocument held = QJsonDocument::fromJson(left.raw_icalendar.toUtf8());
    insertCopy(*row, held.isObject() ? held.object() : QJsonObject());
    noteInFlight();
}

QString PushRun::googleIdOf(const Event &row) const
{
    return row.provider_event_id.isEmpty() ? m_movedIds.value(row.id) : row.provider_event_id;
}

void PushRun::sendDelete(const Event &row, const QString &etag)
{
    if (!row.provider_event_id.isEmpty()) {
        m_client->deleteEvent(row.id, calendar().url, row.provider_event_id, etag);
        return;
    }
    // An occurrence deleted before its change reached Google: the series'
    // instance of its day is cancelled, or there is nothing to cancel.
    if (!findInstance(row))
        queueAnswer(row.id, [this, localId = row.id] { onDeleted(localId); });
}

bool PushRun::findInstance(const Event &row)
{
    const QDateTime original = originalStartOf(row.recurrence_id);
    std::optional<Event> series = original.isValid() ? seriesOf(row) : std::nullopt;
    if (!series || series->recurrence_rule.isEmpty() || series->provider_event_id.isEmpty())
        return false;
    m_client->listInstances(row.id, calendar().url, series->provider_event_id, original.addDays(-1),
                            original.addDays(2));
    return true;
}

void PushRun::sendOverwrite(const Event &row, const QString &etag)
{
    m_client->patchEvent(row.id, calendar().url, googleIdOf(row), changesOf(row), etag);
}

void PushRun::sendExceptionsRead(const Event &series)
{
    // Every copy Google sent of an event names its iCalendar UID; only a
    // series whose insert answer never came holds none.
    const QString iCalUid = storedResource(series).value(QStringLiteral("iCalUID")).toString();
    if (iCalUid.isEmpty()) {
        qWarning().noquote() << "[Google] no iCalUID held for the series" << series.id
                             << "; what was changed in it elsewhere since the last pull goes with it";
        queueAnswer(series.id, [this, localId = series.id] { onExceptionsListed(localId, {}); });
        return;
    }
    m_client->listByICalUid(series.id, calendar().url, iCalUid);
}

void PushRun::sendFetch(const Event &row)
{
    m_client->getEvent(row.id, calendar().url, googleIdOf(row));
}

int PushRun::requestsInFlight() const
{
    return m_client->requestsInFlight();
}

QString PushRun::versionOf(const QJsonObject &resource) const
{
    return resource.value(QStringLiteral("etag")).toString();
}

QString PushRun::staleText(const Event &row, const QString &reason) const
{
    return tr("\"%1\" was changed on Google and could not be saved there: %2").arg(row.title, reason);
}

Event PushRun::eventFromResource(const QJsonObject &resource) const
{
    return eventFromJson(resource, calendar().id);
}

QString PushRun::conflictText(const Event &row, const QStringList &fields) const
{
    return tr("\"%1\" was changed on Google too; the %2 set here was kept.")
        .arg(row.title, fields.join(QStringLiteral(", ")));
}

void PushRun::onInstances(const QString &localId, const QList<QJsonObject> &instances)
{
    const Event *row = pendingRow(localId);
    if (!row)
        return;
    if (m_skipped.walking(localId)) {
        m_skipped.listed(localId, instances);
        return;
    }
    for (const QJsonObject &instance : instances) {
        if (recurrenceIdFromJson(instance) != Recurrence::storedRecurrenceId(row->recurrence_id))
            continue;
        const QString instanceId = instance.value(QStringLiteral("id")).toString();
        if (!row->deleted_at && heldAnew(*row)) {
            // A changed occurrence given back with its series, as Google
            // held it, telling nobody as the series' insert did.
            QJsonObject changes = instanceChangesFromHeld(*row, instance);
            if (!organizedHere(*row))
                changes.remove(QStringLiteral("attendees"));
            m_client->patchEvent(localId, calendar().url, instanceId, changes, QString(), true);
        } else if (!row->deleted_at) {
            // Moved with its series, it is as the guests knew it.
            const bool moved = heldAtAnotherStart(*row);
            m_client->patchEvent(localId, calendar().url, instanceId,
                                 moved ? movedDayChanges(*row, instance) : changesOf(overInstance(*row, instance)),
                                 QString(), moved);
        } else if (instance.value(QStringLiteral("status")).toString() != QLatin1String("cancelled")) {
            m_client->deleteEvent(localId, calendar().url, instanceId, QString());
        } else {
            // Cancelled already: a run before this one lost its answer.
            onDeleted(localId);
            return;
        }
        noteInFlight();
        return;
    }
    // Nothing to cancel where Google has no such occurrence.
    if (row->deleted_at) {
        onDeleted(localId);
        return;
    }
    // Google has no such occurrence (the series changed meanwhile): the row
    // stays pending until the next pull settles the series.
    qWarning().noquote() << "[Google] no occurrence at" << row->recurrence_id << "for" << localId;
    onWriteFailed(localId, tr("\"%1\" is no longer an occurrence of its series on Google.").arg(row->title), 0);
}

} // namespace Google
