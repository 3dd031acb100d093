#include "sync/microsoft/microsoftpushrun.h"

#include <QDebug>
#include <QJsonDocument>

#include "store/eventrepository.h"
#include "store/meetingorganizer.h"
#include "sync/microsoft/microsoftcalendarclient.h"
#include "sync/microsoft/microsofteventmapping.h"
#include "sync/microsoft/microsofttransactionid.h"
#include "sync/oauth/movedfrom.h"

namespace Microsoft {

PushRun::PushRun(const Sync::Repositories &store, const Endpoints &endpoints, const Calendar &calendar,
                 const QString &accessToken, const QString &myAddress, QObject *parent)
    : OAuth::PendingPush(store, calendar, QStringLiteral("[Microsoft]"), parent)
    , m_myAddress(myAddress)
    , m_client(new CalendarClient(endpoints, this))
    , m_skipped(
          [this](const QString &localId, const QString &seriesId, const QString &day) {
              const QDateTime start = originalStartOf(day);
              m_client->listInstances(localId, seriesId, start.addDays(-1), start.addDays(2));
              noteInFlight();
          },
          [this](const QString &localId, const QString &instanceId) {
              m_client->deleteEvent(localId, this->calendar().url, instanceId, QString());
              noteInFlight();
          },
          // Graph lists no cancelled instance.
          &PushRun::isInstanceAt)
{
    m_client->setAccessToken(accessToken);
    connect(m_client, &CalendarClient::eventWritten, this, recordLater(&PushRun::onAnswered));
    connect(m_client, &CalendarClient::eventResponded, this, recordLater(&PushRun::onResponded));
    connect(m_client, &CalendarClient::eventWriteFailed, this, recordLater(&PushRun::onRefused));
    connect(m_client, &CalendarClient::eventDeleted, this, recordLater(&PushRun::onGone));
    connect(m_client, &CalendarClient::eventFetched, this, recordLater(&PushRun::onFetched));
    connect(m_client, &CalendarClient::eventFetchFailed, this, recordLater(&PushRun::onRefused));
    connect(m_client, &CalendarClient::instancesListed, this, recordLater(&PushRun::onInstances));
    connect(m_client, &CalendarClient::exceptionsRead, this, recordLater(&PushRun::onExceptionsListed));
}

void PushRun::sendWrite(const Event &row)
{
    const bool known = !row.provider_event_id.isEmpty();
    // An occurrence's own id comes from the series' instances; moved with
    // its series, from the instance at its new place, the one it was
    // written to having gone with the series' old days.
    if ((!known || heldAtAnotherStart(row)) && findInstance(row))
        return;
    if (!known) {
        // Graph makes one event of every POST with the same transactionId,
        // so an insert sent again after a lost answer cannot make two.
        // Moved here: what Outlook held of it in its old calendar goes along.
        const std::optional<OAuth::MovedFrom> from = OAuth::movedFrom(store(), row);
        QJsonObject body = from ? eventToGraphForCopy(row, from->heldBy(AccountType::Microsoft)) : insertBody(row);
        body.insert(QStringLiteral("transactionId"), transactionIdOf(row));
        m_client->insertEvent(row.id, calendar().url, body);
    } else if (!holdsGraphObject(row)) {
        // Edited here as iCalendar: what changed (an HTML body, a pattern
        // this program cannot express) is known only against Graph's copy.
        // A series inserted whose answer was not recorded (a kill, a lost
        // answer) is such a row: its skipped days go first.
        const auto readBase = [this, localId = row.id, graphId = row.provider_event_id] {
            m_readingBase.insert(localId);
            m_client->getEvent(localId, graphId);
            noteInFlight();
        };
        if (!deleteSkippedDays(row, row.provider_event_id, readBase))
            readBase();
    } else if (changesOf(row).isEmpty() && responseActionFor(row, m_myAddress).isEmpty()) {
        // Nothing Graph holds changed (a day the series skips goes as its
        // deleted instance): the row is as Graph has it.
        queueAnswer(row.id, [this, localId = row.id] { onWritten(localId, QString(), QString(), QJsonObject()); });
    } else {
        sendChange(row, row.etag);
    }
}

bool PushRun::findInstance(const Event &row)
{
    const QString seriesId = seriesIdOf(row);
    if (seriesId.isEmpty())
        return false;
    // Around the start the occurrence had.
    const QDateTime original = originalStartOf(row.recurrence_id);
    m_client->listInstances(row.id, seriesId, original.addDays(-1), original.addDays(2));
    return true;
}

bool PushRun::isInstanceAt(const QJsonObject &instance, const QString &recurrenceId)
{
    const bool allDay = instance.value(QStringLiteral("isAllDay")).toBool();
    if (recurrenceIdFromGraph(instance, allDay) == recurrenceId)
        return true;
    if (!allDay)
        return false;
    // Graph lists an all-day instance from midnight in the event's zone:
    // the date it writes is the day, whatever its original start in UTC.
    const QString start = instance.value(QStringLiteral("start")).toObject().value(QStringLiteral("dateTime")).toString();
    return QDate::fromString(start.left(10), Qt::ISODate) == originalStartOf(recurrenceId).date();
}

bool PushRun::deleteSkippedDays(const Event &row, const QString &seriesId, std::function<void()> then)
{
    if (row.recurrence_rule.isEmpty())
        return false;
    QStringList days;
    for (const QJsonValue &day : QJsonDocument::fromJson(row.exception_dates.toUtf8()).array()) {
        if (originalStartOf(day.toString()).isValid())
            days.append(day.toString());
    }
    return m_skipped.start(row.id, seriesId, days, std::move(then));
}

void PushRun::onAnswered(const QString &localId, const QString &graphId, const QString &changeKey,
                         const QJsonObject &resource)
{
    // A new series: Graph took none of its skipped days, so their instances
    // are deleted before the row counts as synced. Killed meanwhile, it is
    // still pending without Graph's id, and its next insert (one event by
    // its transactionId) or the pull that takes it leads here again.
    // A series moved in time: Graph gives its days anew at their new
    // starts, the ones skipped here too, so these are deleted there as
    // well (the ones laid on it after a stale version too); its changed
    // occurrences follow it. Moved against what this device last had of
    // it: a write whose answer was lost moved it on Graph already.
    const Event *row = pendingRow(localId);
    const auto written = [this, localId, graphId, changeKey, resource] {
        onWritten(localId, graphId, changeKey, resource);
    };
    const bool daysAnew = row && (row->provider_event_id.isEmpty() || movedInTime(*row, resource));
    if (!daysAnew || !deleteSkippedDays(*sentRow(localId), graphId, written))
        written();
}

QJsonObject PushRun::movedDayBody(const Event &row, const QJsonObject &instance)
{
    // The record's fields against the instance there, which holds the
    // series' own; then what Graph held of the day beyond the record.
    Event there = row;
    there.raw_icalendar = QString::fromUtf8(QJsonDocument(instance).toJson(QJsonDocument::Compact));
    there.recurrence_rule.clear();
    QJsonObject body = eventToGraphForUpdate(there);
    const QJsonObject modelled = eventToGraph(there);
    const QJsonObject held = eventToGraphForCopy(there, QJsonDocument::fromJson(row.raw_icalendar.toUtf8()).object());
    for (auto it = held.constBegin(); it != held.constEnd(); ++it) {
        if (!modelled.contains(it.key()))
            body.insert(it.key(), it.value());
    }
    return body;
}

bool PushRun::heldAtAnotherStart(const Event &row)
{
    if (row.recurrence_id.isEmpty() || row.deleted_at || !holdsGraphObject(row))
        return false;
    const QJsonObject held = QJsonDocument::fromJson(row.raw_icalendar.toUtf8()).object();
    return !held.value(QStringLiteral("originalStart")).toString().isEmpty() && !isInstanceAt(held, row.recurrence_id);
}

bool PushRun::movedInTime(const Event &row, const QJsonObject &resource) const
{
    if (row.recurrence_rule.isEmpty() || !row.recurrence_id.isEmpty() || !holdsGraphObject(row))
        return false;
    const Event before = eventFromGraph(QJsonDocument::fromJson(row.raw_icalendar.toUtf8()).object(), calendar().id);
    const Event after = eventFromGraph(resource, calendar().id);
    return before.start_time != after.start_time || before.is_all_day != after.is_all_day
        || before.recurrence_rule != after.recurrence_rule;
}

void PushRun::onGone(const QString &localId)
{
    if (m_skipped.walking(localId))
        m_skipped.next(localId);
    else
        onDeleted(localId);
}

void PushRun::onRefused(const QString &localId, const QString &reason, int status)
{
    // Else the row stays pending; the next run deletes what is left.
    if (m_skipped.refused(localId, status) || exceptionsUnread(localId, reason, status))
        return;
    onWriteFailed(localId, reason, status);
}

// An invitation answer goes to the organizer; anything else is a PATCH of
// what changed against the object in `row`.
void PushRun::sendChange(const Event &row, const QString &changeKey)
{
    const QString answer = responseActionFor(row, m_myAddress);
    if (!answer.isEmpty())
        m_client->respondToEvent(row.id, row.provider_event_id, answer);
    else
        m_client->updateEvent(row.id, calendar().url, row.provider_event_id, changesOf(row), changeKey);
}

QJsonObject PushRun::changesOf(const Event &row) const
{
    QJsonObject changes = eventToGraphForUpdate(row);
    const QJsonDocument stored = QJsonDocument::fromJson(row.raw_icalendar.toUtf8());
    if (!stored.isObject())
        return changes;
    // The stored object through the same mapping: a member equal there is
    // one the record did not change.
    Event synced = eventFromGraph(stored.object(), calendar().id);
    synced.raw_icalendar = row.raw_icalendar;
    const QJsonObject unchanged = eventToGraphForUpdate(synced);
    for (auto it = unchanged.constBegin(); it != unchanged.constEnd(); ++it) {
        if (changes.value(it.key()) == it.value())
            changes.remove(it.key());
    }
    return changes;
}

Event PushRun::eventFromResource(const QJsonObject &resource) const
{
    return eventFromGraph(resource, calendar().id);
}

QString PushRun::conflictText(const Event &row, const QStringList &fields) const
{
    return tr("\"%1\" was changed in Outlook too; the %2 set here was kept.")
        .arg(row.title, fields.join(QStringLiteral(", ")));
}

void PushRun::sendDelete(const Event &row, const QString &changeKey)
{
    if (!row.provider_event_id.isEmpty()) {
        m_client->deleteEvent(row.id, calendar().url, row.provider_event_id, changeKey);
        return;
    }
    // An occurrence deleted before its change reached Graph: the series'
    // instance of its day is deleted, or there is nothing to delete.
    if (!findInstance(row))
        queueAnswer(row.id, [this, localId = row.id] { onDeleted(localId); });
}

void PushRun::sendOverwrite(const Event &row, const QString &changeKey)
{
    m_client->updateEvent(row.id, calendar().url, row.provider_event_id, changesOf(row), changeKey);
}

void PushRun::sendExceptionsRead(const Event &series)
{
    m_client->readExceptions(series.id, series.provider_event_id);
}

void PushRun::sendFetch(const Event &row)
{
    m_client->getEvent(row.id, row.provider_event_id);
}

int PushRun::requestsInFlight() const
{
    return m_client->requestsInFlight();
}

QString PushRun::versionOf(const QJsonObject &resource) const
{
    return resource.value(QStringLiteral("changeKey")).toString();
}

QString PushRun::staleText(const Event &row, const QString &reason) const
{
    return tr("\"%1\" was changed in Outlook and could not be saved there: %2").arg(row.title, reason);
}

void PushRun::onFetched(const QString &localId, const QJsonObject &resource)
{
    const Event *row = pendingRow(localId);
    if (!row || !m_readingBase.remove(localId)) {
        OAuth::PendingPush::onFetched(localId, resource);
        return;
    }
    // Against the copy just read, under the change key last pulled, so a
    // change made in Outlook meanwhile still answers 412.
    Event based = occurrenceAsSeriesHasIt(*row).value_or(*row);
    based.raw_icalendar = QString::fromUtf8(QJsonDocument(resource).toJson(QJsonDocument::Compact));
    sendChange(based, row->etag);
    noteInFlight();
}

void PushRun::onResponded(const QString &localId)
{
    // The answer changes the event's change key; the next pull brings both.
    onWritten(localId, QString(), QString(), QJsonObject());
}

QString PushRun::seriesIdOf(const Event &row) const
{
    if (!originalStartOf(row.recurrence_id).isValid())
        return QString();
    const std::optional<Event> series = seriesOf(row);
    if (!series || series->recurrence_rule.isEmpty())
        return QString();
    return series->provider_event_id;
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
        if (!isInstanceAt(instance, row->recurrence_id))
            continue;
        const QString instanceId = instance.value(QStringLiteral("id")).toString();
        if (row->deleted_at) {
            m_client->deleteEvent(localId, calendar().url, instanceId, QString());
        } else if (heldAnew(*row)) {
            // A changed occurrence given back with its series, as Graph held it.
            m_client->updateEvent(localId, calendar().url, instanceId,
                                  withoutGuestsUnlessOrganized(*row, instanceChangesFromHeld(*row, instance)), QString());
        } else if (heldAtAnotherStart(*row)) {
            m_client->updateEvent(localId, calendar().url, instanceId, movedDayBody(*row, instance), QString());
        } else {
            QJsonObject body = eventToGraph(*row);
            body.remove(QStringLiteral("recurrence"));
            m_client->updateEvent(localId, calendar().url, instanceId, body, QString());
        }
        noteInFlight();
        return;
    }
    // Graph lists no cancelled occurrence: nothing left to delete.
    if (row->deleted_at) {
        onDeleted(localId);
        return;
    }
    // Graph has no such occurrence (the series changed meanwhile): the row
    // stays pending until the next pull settles the series.
    qWarning().noquote() << "[Microsoft] no occurrence at" << row->recurrence_id << "for" << localId;
    countDown(localId);
}

bool PushRun::heldAnew(const Event &row)
{
    return row.provider_event_id.isEmpty() && holdsGraphObject(row);
}

QJsonObject PushRun::insertBody(const Event &row) const
{
    return heldAnew(row) ? withoutGuestsUnlessOrganized(row, eventToGraphFromHeld(row)) : eventToGraph(row);
}

QJsonObject PushRun::withoutGuestsUnlessOrganized(const Event &row, QJsonObject body) const
{
    // Graph invites every attendee of an event it creates or changes, as
    // the user's own meeting: an invitation from someone else goes up as a
    // plain event of the calendar, telling no one.
    if (!MeetingOrganizer::organizedBy(store().accounts, store().calendars, row, calendar().account_id))
        body.remove(QStringLiteral("attendees"));
    return body;
}

void PushRun::setTokenRenewer(const OAuth::TokenRenewer &renewer)
{
    m_client->setTokenRenewer(renewer);
}

} // namespace Microsoft
