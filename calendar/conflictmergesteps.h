#pragma once

#include "store/reminder.h"

#include <QList>
#include <QStringList>

#include <algorithm>

// The steps an event merge and a task merge share: each property is taken
// from the side that changed it, the local side where both did.
namespace ConflictMergeSteps {

// Takes the server's value of each field where the local one is still the
// base's.
template <typename Row, typename... Fields>
void takeUnchanged(Row &out, const Row &base, const Row &server, Fields... fields)
{
    const auto take = [&](auto field) {
        if (out.*field == base.*field)
            out.*field = server.*field;
    };
    (take(fields), ...);
}

// Takes the server's values of fields that change together (a start and
// its end) where none of the local ones differs from the base's.
template <typename Row, typename... Fields>
void takeUnchangedTogether(Row &out, const Row &base, const Row &local, const Row &server, Fields... fields)
{
    if (((local.*fields == base.*fields) && ...))
        ((out.*fields = server.*fields), ...);
}

// Reminders compared by what the text holds, not by their row ids.
QStringList reminderKeys(const QList<Reminder> &reminders);

// Takes the server's reminders where the local ones are still the base's
// and the server changed them; unchanged reminders keep their rows, and so
// what was acknowledged. True when it took them: they are new rows then.
template <typename Row>
bool takeChangedReminders(Row &out, const Row &base, const Row &local, const Row &server)
{
    const QStringList localKeys = reminderKeys(local.reminders);
    if (localKeys != reminderKeys(base.reminders) || reminderKeys(server.reminders) == localKeys)
        return false;
    out.reminders = server.reminders;
    return true;
}

// The higher of both sides' SEQUENCE, so the next change is newer than both.
template <typename Row>
void keepHigherSequence(Row &out, const Row &local, const Row &server)
{
    out.sequence = std::max(local.sequence, server.sequence);
}

} // namespace ConflictMergeSteps
