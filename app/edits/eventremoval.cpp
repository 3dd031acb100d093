#include "app/edits/eventremoval.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include "app/edits/erasedrows.h"
#include "app/edits/eventstamp.h"
#include "app/edits/eventundo.h"
#include "calendar/recurrence.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/meetingorganizer.h"
#include "store/unitofwork.h"

#include <algorithm>

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

// What an undo writes: the tombstones live again and the erased rows
// stored anew.
struct Restored
{
    QList<Event> revived;
    QList<Event> recreated;
};

// A series stored anew has no provider's id, while its changed occurrences
// changed there name it by that id: they name it by its uid instead, so
// that it shows them in their places and its push writes them as its
// instances, not as events of their own.
void rejoinSeries(QList<Event> &recreated, const QHash<QString, QString> &uidByOldId)
{
    if (uidByOldId.isEmpty())
        return;
    for (Event &row : recreated) {
        const auto series = uidByOldId.constFind(row.master_event_uid);
        if (!row.recurrence_id.isEmpty() && series != uidByOldId.constEnd())
            row.master_event_uid = *series;
    }
}

// Every row the delete removed, as the undo writes it back, from the rows
// as stored now (one read), and the changed occurrences the series'
// deletion took along since; none when a removed row is live again.
std::optional<Restored> restoredRows(EventRepository *events, const Removal &removal)
{
    QStringList ids;
    for (const Event &row : removal.removed)
        ids.append(row.id);
    QHash<QString, Event> now;
    for (const Event &row : events->getByIds(ids))
        now.insert(row.id, row);
    Restored restored;
    QHash<QString, QString> uidByOldId;
    for (const Event &row : removal.removed) {
        const auto stored = now.constFind(row.id);
        const std::optional<Event> erased = removal.erased ? removal.erased->find(row.id) : std::nullopt;
        const std::optional<Event> back = EventUndo::restoredRow(
            row, stored == now.constEnd() ? std::nullopt : std::make_optional(*stored), erased);
        if (!back)
            return std::nullopt;
        if (stored != now.constEnd()) {
            restored.revived.append(*back);
            continue;
        }
        restored.recreated.append(*back);
        const QString oldId = erased ? erased->provider_event_id : row.provider_event_id;
        if (Recurrence::isSeries(*back) && !oldId.isEmpty() && oldId != back->uid)
            uidByOldId.insert(oldId, back->uid);
    }
    if (removal.erased) {
        for (const Event &along : removal.erased->takenAlong())
            restored.recreated.append(*EventUndo::restoredRow(along, std::nullopt, along));
    }
    rejoinSeries(restored.recreated, uidByOldId);
    return restored;
}

// Whether the deleted meeting comes back to a server that told its guests
// of the cancellation: stored anew, its deletion went up, and it goes up
// again with its guests, as the account organizes it.
bool reinvites(Database *database, const Removal &removal, const Restored &restored)
{
    const QString deletedId = removal.removed.first().id;
    const auto meeting = std::find_if(restored.recreated.cbegin(), restored.recreated.cend(),
                                      [&deletedId](const Event &row) { return row.id == deletedId; });
    if (meeting == restored.recreated.cend() || !MeetingOrganizer::hasGuests(*meeting))
        return false;
    AccountRepository accounts(database);
    CalendarRepository calendars(database);
    const std::optional<Calendar> calendar = calendars.getById(meeting->calendar_id);
    return calendar && MeetingOrganizer::organizedBy(&accounts, &calendars, *meeting, calendar->account_id);
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
    QStringList ids;
    for (const Event &row : std::as_const(removal.removed))
        ids.append(row.id);
    if (!events->removeAll(ids))
        return std::nullopt;
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
    removal.erased = std::make_shared<const ErasedRows>(events, removal.removed);
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
    const std::optional<Restored> restored = restoredRows(events, removal);
    if (!restored)
        return UndoStack::Outcome::ChangedSince;
    if (!events->giveBack(restored->revived, restored->recreated)) {
        qWarning().noquote() << "EventRemoval::undo failed: the rows could not be given back";
        return UndoStack::Outcome::Failed;
    }
    if (!unit.commit()) {
        qWarning().noquote() << "EventRemoval::undo failed:" << unit.errorText();
        return UndoStack::Outcome::Failed;
    }
    return reinvites(database, removal, *restored) ? UndoStack::Outcome::Reinvited : UndoStack::Outcome::Undone;
}

} // namespace EventRemoval
