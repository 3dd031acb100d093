#include "sync/google/googlepullapply.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QStringList>

#include "store/database.h"
#include "store/eventrepository.h"
#include "store/storetransaction.h"
#include "sync/core/pullapplyqueue.h"
#include "sync/google/googleeventmapping.h"

namespace Google {

namespace {

QStringList dateList(const QString &json)
{
    QStringList result;
    for (const QJsonValue &value : QJsonDocument::fromJson(json.toUtf8()).array())
        result.append(value.toString());
    return result;
}

QString dateListText(const QStringList &dates)
{
    if (dates.isEmpty())
        return QString();
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(dates)).toJson(QJsonDocument::Compact));
}

// The union of both lists, the first one's order kept.
QString mergedDates(const QString &kept, const QString &added)
{
    QStringList dates = dateList(kept);
    for (const QString &date : dateList(added)) {
        if (!dates.contains(date))
            dates.append(date);
    }
    return dateListText(dates);
}

class Applier
{
public:
    Applier(const Sync::Repositories &store, const Calendar &calendar)
        : m_events(store.events)
        , m_calendar(calendar)
    {
    }

    void apply(const QJsonObject &item);
    void excludeCancelledOccurrences();
    void removeOccurrencesOfRemovedSeries();
    PullApplyResult result() const { return m_result; }

private:
    void applyCancelled(const QJsonObject &item, const std::optional<Event> &local);
    void count(bool ok) { ++(ok ? m_result.upserted : m_result.failed); }

    EventRepository *m_events;
    const Calendar &m_calendar;
    QList<QJsonObject> m_cancelledOccurrences;
    // The Google ids and local uids of series removed on Google.
    QSet<QString> m_removedSeries;
    PullApplyResult m_result;
};

void Applier::apply(const QJsonObject &item)
{
    const QString googleId = item.value(QStringLiteral("id")).toString();
    if (googleId.isEmpty())
        return;
    const std::optional<Event> local = m_events->getByProviderEventId(m_calendar.id, googleId);
    // Tested before the pending check: Google's deletion wins over an edit.
    if (item.value(QStringLiteral("status")).toString() == QLatin1String("cancelled")) {
        applyCancelled(item, local);
        return;
    }
    if (local && local->sync_status == SyncStatus::Pending) {
        ++m_result.skippedPending;
        return;
    }
    const QString etag = item.value(QStringLiteral("etag")).toString();
    if (local && !etag.isEmpty() && local->etag == etag && !local->deleted_at) {
        ++m_result.unchanged;
        return;
    }
    Event mapped = eventFromJson(item, m_calendar.id);
    if (!local) {
        count(m_events->insert(mapped));
        return;
    }
    mapped.id = local->id;
    // Occurrences removed on Google arrive once, as cancelled instances;
    // the series' later versions do not repeat them.
    mapped.exception_dates = mergedDates(local->exception_dates, mapped.exception_dates);
    count(m_events->update(mapped));
}

void Applier::applyCancelled(const QJsonObject &item, const std::optional<Event> &local)
{
    const bool occurrence = !item.value(QStringLiteral("recurringEventId")).toString().isEmpty();
    if (local) {
        if (!occurrence && !local->recurrence_rule.isEmpty()) {
            m_removedSeries.insert(local->provider_event_id);
            m_removedSeries.insert(local->uid);
        }
        if (m_events->hardDelete(local->id))
            ++m_result.deleted;
        else
            ++m_result.failed;
    }
    if (occurrence)
        m_cancelledOccurrences.append(item);
}

// A series removed on Google takes its moved occurrences along; Google
// does not list them as cancelled of their own.
void Applier::removeOccurrencesOfRemovedSeries()
{
    m_removedSeries.remove(QString());
    if (m_removedSeries.isEmpty())
        return;
    QList<EventProviderKey> keys;
    if (!m_events->getProviderKeys(m_calendar.id, &keys)) {
        ++m_result.failed;
        return;
    }
    for (const EventProviderKey &key : std::as_const(keys)) {
        if (!m_removedSeries.contains(key.master_event_uid))
            continue;
        if (m_events->hardDelete(key.id))
            ++m_result.deleted;
        else
            ++m_result.failed;
    }
}

// After the whole listing, so that a series listed after its cancelled
// occurrences is there to take the exclusion.
void Applier::excludeCancelledOccurrences()
{
    for (const QJsonObject &item : std::as_const(m_cancelledOccurrences)) {
        const QString recurrenceId = recurrenceIdFromJson(item);
        const std::optional<Event> series =
            m_events->getByProviderEventId(m_calendar.id, item.value(QStringLiteral("recurringEventId")).toString());
        if (recurrenceId.isEmpty() || !series)
            continue;
        QStringList dates = dateList(series->exception_dates);
        if (dates.contains(recurrenceId))
            continue;
        dates.append(recurrenceId);
        Event updated = *series;
        updated.exception_dates = dateListText(dates);
        if (m_events->update(updated))
            ++m_result.deleted;
        else
            ++m_result.failed;
    }
}

} // namespace

PullApplyResult applyEventsPage(const Sync::Repositories &store, const Calendar &calendar,
                                const QList<QJsonObject> &items, const std::atomic_bool &cancelled)
{
    // One transaction for the whole listing: thousands of rows commit at once.
    const std::unique_ptr<StoreTransaction> transaction =
        PullApplyQueue::begin(store, QStringLiteral("google_pull"), cancelled);
    if (!transaction) {
        PullApplyResult none;
        none.failed = int(items.size());
        return none;
    }
    const bool wasBlocked = store.events->blockSignals(true);
    Applier applier(store, calendar);
    for (const QJsonObject &item : items) {
        if (cancelled)
            break;
        applier.apply(item);
    }
    if (!cancelled) {
        applier.excludeCancelledOccurrences();
        applier.removeOccurrencesOfRemovedSeries();
    }
    store.events->blockSignals(wasBlocked);
    return OAuth::finishPull(*transaction, applier.result(), "Google::applyEventsPage", cancelled);
}

} // namespace Google
