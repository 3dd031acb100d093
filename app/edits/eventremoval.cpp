#include "app/edits/eventremoval.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>

#include "app/edits/eventstamp.h"
#include "app/edits/eventundo.h"
#include "store/eventrepository.h"
#include "store/unitofwork.h"

namespace EventRemoval {

namespace {

// The live series a moved occurrence replaces a day of; none for any
// other row.
std::optional<Event> seriesOf(EventRepository *events, const Event &occurrence)
{
    if (occurrence.recurrence_id.isEmpty())
        return std::nullopt;
    const QString uid = occurrence.master_event_uid.isEmpty() ? occurrence.uid : occurrence.master_event_uid;
    std::optional<Event> series = events->getByUid(uid, occurrence.calendar_id);
    if (!series || !series->recurrence_id.isEmpty() || series->deleted_at || series->id == occurrence.id)
        return std::nullopt;
    return series;
}

// The series with the occurrence excluded, written as the sync clients
// write an exclusion (an all-day series by its date), so none adds it twice.
std::optional<Event> withExclusion(Event series, const QString &recurrenceId)
{
    const QString skipped = series.is_all_day ? recurrenceId.left(8) : recurrenceId;
    QJsonArray dates = QJsonDocument::fromJson(series.exception_dates.toUtf8()).array();
    if (dates.contains(QJsonValue(skipped)))
        return std::nullopt;
    dates.append(skipped);
    series.exception_dates = QString::fromUtf8(QJsonDocument(dates).toJson(QJsonDocument::Compact));
    EventStamp::changed(series);
    return series;
}

} // namespace

std::optional<Removal> remove(Database *database, EventRepository *events, const Event &stored)
{
    if (!events || stored.id.isEmpty())
        return std::nullopt;
    UnitOfWork unit(database, QStringLiteral("event_removal"));
    if (!unit.isActive())
        return std::nullopt;
    Removal removal{stored, std::nullopt};
    if (!events->remove(stored.id))
        return std::nullopt;
    if (const std::optional<Event> series = seriesOf(events, stored)) {
        if (const std::optional<Event> excluded = withExclusion(*series, stored.recurrence_id)) {
            if (!events->update(*excluded))
                return std::nullopt;
            removal.seriesBefore = series;
        }
    }
    if (!unit.commit()) {
        qWarning().noquote() << "EventRemoval::remove failed:" << unit.errorText();
        return std::nullopt;
    }
    return removal;
}

UndoStack::Outcome undo(Database *database, EventRepository *events, const Removal &removal)
{
    UnitOfWork unit(database, QStringLiteral("event_removal_undo"));
    if (!unit.isActive())
        return UndoStack::Outcome::Failed;
    if (removal.seriesBefore && !EventUndo::restoreSnapshot(events, *removal.seriesBefore))
        return UndoStack::Outcome::Failed;
    if (!EventUndo::restoreSnapshot(events, removal.removed))
        return UndoStack::Outcome::Failed;
    if (!unit.commit()) {
        qWarning().noquote() << "EventRemoval::undo failed:" << unit.errorText();
        return UndoStack::Outcome::Failed;
    }
    return UndoStack::Outcome::Undone;
}

} // namespace EventRemoval
