#include "app/edits/eventmove.h"

#include <QDebug>

#include "app/edits/eventstamp.h"
#include "store/eventrepository.h"
#include "store/unitofwork.h"

#include <functional>
#include <memory>

namespace EventMove {

namespace {

// The writes kept together when the store can hold them in one
// transaction; without a database each write stands alone.
bool inOneWrite(Database *database, const QString &name, const std::function<bool()> &writes)
{
    std::unique_ptr<UnitOfWork> unit;
    if (database) {
        unit = std::make_unique<UnitOfWork>(database, name);
        if (!unit->isActive())
            return false;
    }
    if (!writes())
        return false;
    if (unit && !unit->commit()) {
        qWarning().noquote() << "EventMove:" << name << "failed:" << unit->errorText();
        return false;
    }
    return true;
}

} // namespace

QList<Event> occurrencesOf(EventRepository *events, const Event &original)
{
    // Only the series' own rows: a move waits for this read on the window's
    // thread, whatever else the calendar holds.
    if (!events || !original.recurrence_id.isEmpty())
        return {};
    QList<Event> occurrences = events->getOccurrencesOf(original.uid, original.calendar_id);
    occurrences.removeIf([&original](const Event &row) { return row.id == original.id; });
    return occurrences;
}

Event copiedOccurrence(const Event &occurrence, const Event &series)
{
    Event copy = occurrenceUnder(occurrence, series);
    // Its stored text is written over, so what the record does not model
    // (another client's properties, its zone) goes along under the new UID.
    EventStamp::created(copy);
    return copy;
}

bool storeCopies(Database *database, EventRepository *events, const Event &series, const QList<Event> &copies)
{
    return inOneWrite(database, QStringLiteral("event_move_copies"), [&] {
        if (!events->insert(series))
            return false;
        for (const Event &copy : copies) {
            if (!events->insert(copy))
                return false;
        }
        return true;
    });
}

bool leaveBehind(Database *database, EventRepository *events, const Event &original, const QList<Event> &occurrences,
                 const Event &series, const QList<Event> &copies)
{
    const auto removeLinked = [events](const Event &left, const QString &toId) {
        if (!events->remove(left.id))
            return false;
        // Only a row a server holds can learn of a change made there. One
        // no server holds (never uploaded, or kept on this device) is linked
        // to nothing: the link it came by, if any, passes on to the copy.
        const bool held = !left.href.isEmpty() || !left.provider_event_id.isEmpty();
        const QString fromId = held ? left.id : events->movedFrom(left.id);
        // Without the link the copy would miss what the old calendar's
        // pull finds changed there; the move itself still stands.
        if (!fromId.isEmpty() && !events->keepMove(fromId, toId))
            qWarning() << "[EventMove] Could not link moved event" << fromId << "to its copy" << toId;
        return true;
    };
    return inOneWrite(database, QStringLiteral("event_move_originals"), [&] {
        if (!removeLinked(original, series.id))
            return false;
        for (qsizetype i = 0; i < occurrences.size() && i < copies.size(); ++i) {
            if (!removeLinked(occurrences.at(i), copies.at(i).id))
                return false;
        }
        return true;
    });
}

} // namespace EventMove
