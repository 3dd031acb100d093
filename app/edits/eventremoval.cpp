#include "app/edits/eventremoval.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include "app/edits/erasedrows.h"
#include "app/edits/eventstamp.h"
#include "app/edits/eventundo.h"
#include "calendar/recurrence.h"
#include "store/eventrepository.h"
#include "store/unitofwork.h"

namespace EventRemoval {

namespace {

// The series of `uid` in the calendar, when the row found by it is one.
std::optional<Event> seriesByUid(EventRepository *events, const QString &uid, const QString &calendarId)
{
    std::optional<Event> series = events->getByUid(uid, calendarId);
    if (!series || !series->recurrence_id.isEmpty())
        return std::nullopt;
    return series;
}

// The live series a moved occurrence replaces a day of; none for any
// other row. A provider names the series of an occurrence it changed by
// its own id, also when the series was made here under a uid of its own.
std::optional<Event> seriesOf(EventRepository *events, const Event &occurrence)
{
    if (occurrence.recurrence_id.isEmpty())
        return std::nullopt;
    const QString uid = occurrence.master_event_uid.isEmpty() ? occurrence.uid : occurrence.master_event_uid;
    std::optional<Event> series = seriesByUid(events, uid, occurrence.calendar_id);
    if (!series && !occurrence.master_event_uid.isEmpty())
        series = events->getByProviderEventId(occurrence.calendar_id, uid);
    if (!series || !series->recurrence_id.isEmpty() || series->deleted_at || series->id == occurrence.id)
        return std::nullopt;
    return series;
}

// A series' live changed occurrences, named by its uid or, as a provider
// names them, by the provider's id of the series.
QList<Event> changedOccurrencesOf(EventRepository *events, const Event &series)
{
    QList<Event> rows = events->getOccurrencesOf(series.uid, series.calendar_id);
    if (!series.provider_event_id.isEmpty() && series.provider_event_id != series.uid)
        rows += events->getOccurrencesOf(series.provider_event_id, series.calendar_id);
    QSet<QString> seen{series.id};
    QList<Event> out;
    for (const Event &row : std::as_const(rows)) {
        if (!seen.contains(row.id)) {
            seen.insert(row.id);
            out.append(row);
        }
    }
    return out;
}

// The day a series skips for the occurrence, written as the sync clients
// write an exclusion (an all-day series by its date), so none adds it twice.
QString skippedDayOf(const Event &series, const QString &recurrenceId)
{
    return series.is_all_day ? recurrenceId.left(8) : recurrenceId;
}

QJsonArray skippedDays(const Event &series)
{
    return QJsonDocument::fromJson(series.exception_dates.toUtf8()).array();
}

QString written(const QJsonArray &days)
{
    return days.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(days).toJson(QJsonDocument::Compact));
}

// Whether the entry names the day: by its date in an all-day series, else
// by its instant, in whatever form a server wrote it back.
bool namesDay(const Event &series, const QString &entry, const QString &day)
{
    if (series.is_all_day)
        return entry.left(8) == day.left(8);
    const auto instants = [](const QString &one) {
        return Recurrence::parseExceptionDates(written(QJsonArray{one}));
    };
    const QSet<qint64> wanted = instants(day);
    return !wanted.isEmpty() && instants(entry) == wanted;
}

// The series gives back the day the delete made it skip, as a new change
// of the series as it is now. ChangedSince where it is gone or skips the
// day no longer: someone changed it since, and the occurrence would come
// back beside that change.
UndoStack::Outcome unskip(EventRepository *events, const QString &seriesId, const QString &day)
{
    std::optional<Event> series = events->getById(seriesId);
    if (!series || series->deleted_at) {
        qInfo().noquote() << "[Undo] the series" << seriesId << "is gone since the delete; nothing is given back";
        return UndoStack::Outcome::ChangedSince;
    }
    QJsonArray kept;
    bool found = false;
    for (const QJsonValue &entry : skippedDays(*series)) {
        if (namesDay(*series, entry.toString(), day))
            found = true;
        else
            kept.append(entry);
    }
    if (!found) {
        qInfo().noquote() << "[Undo] the series" << seriesId << "no longer skips" << day << "; nothing is given back";
        return UndoStack::Outcome::ChangedSince;
    }
    series->exception_dates = written(kept);
    EventStamp::changed(*series);
    if (!events->update(*series)) {
        qWarning().noquote() << "EventRemoval::undo failed: could not give back the day of" << seriesId;
        return UndoStack::Outcome::Failed;
    }
    return UndoStack::Outcome::Undone;
}

} // namespace

std::optional<Removal> remove(Database *database, EventRepository *events, const Event &stored)
{
    if (!events || stored.id.isEmpty())
        return std::nullopt;
    UnitOfWork unit(database, QStringLiteral("event_removal"));
    if (!unit.isActive())
        return std::nullopt;
    Removal removal;
    removal.removed.append(stored);
    if (Recurrence::isSeries(stored))
        removal.removed += changedOccurrencesOf(events, stored);
    for (const Event &row : std::as_const(removal.removed)) {
        if (!events->remove(row.id))
            return std::nullopt;
    }
    if (std::optional<Event> series = seriesOf(events, stored)) {
        const QString day = skippedDayOf(*series, stored.recurrence_id);
        QJsonArray days = skippedDays(*series);
        if (!days.contains(QJsonValue(day))) {
            days.append(day);
            series->exception_dates = written(days);
            EventStamp::changed(*series);
            if (!events->update(*series))
                return std::nullopt;
            removal.seriesId = series->id;
            removal.skippedDay = day;
        }
    }
    if (!unit.commit()) {
        qWarning().noquote() << "EventRemoval::remove failed:" << unit.errorText();
        return std::nullopt;
    }
    QStringList ids;
    for (const Event &row : std::as_const(removal.removed))
        ids.append(row.id);
    removal.erased = std::make_shared<const ErasedRows>(events, ids);
    return removal;
}

UndoStack::Outcome undo(Database *database, EventRepository *events, const Removal &removal)
{
    UnitOfWork unit(database, QStringLiteral("event_removal_undo"));
    if (!unit.isActive())
        return UndoStack::Outcome::Failed;
    // Anything short of the whole is rolled back with the unit.
    if (!removal.seriesId.isEmpty()) {
        const UndoStack::Outcome given = unskip(events, removal.seriesId, removal.skippedDay);
        if (given != UndoStack::Outcome::Undone)
            return given;
    }
    for (const Event &row : removal.removed) {
        const UndoStack::Outcome restored =
            EventUndo::restoreRemoved(events, row, removal.erased ? removal.erased->find(row.id) : std::nullopt);
        if (restored != UndoStack::Outcome::Undone)
            return restored;
    }
    if (!unit.commit()) {
        qWarning().noquote() << "EventRemoval::undo failed:" << unit.errorText();
        return UndoStack::Outcome::Failed;
    }
    return UndoStack::Outcome::Undone;
}

} // namespace EventRemoval
