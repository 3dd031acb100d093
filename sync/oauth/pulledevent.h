#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include "store/event.h"

#include <optional>

namespace OAuth {

// What every provider's event resource becomes the same way: a new local
// id, the provider's id as id and uid, its version tag, and its title or
// "Untitled Event". A row the calendar already holds keeps its own id and
// uid (PulledRowWriter::updateKnown).
Event pulledEvent(const QString &calendarId, const QString &providerEventId, const QString &etag,
                  const QString &title);

// Closes a pulled event: last modified at `modifiedText` as `parse` reads
// it (now when the resource names no time), created then too, the resource
// kept as it came, synced.
void settlePulledEvent(Event &event, const QJsonObject &resource, const QString &modifiedText,
                       QDateTime (*parse)(const QString &text));

// An ISO 8601 instant, with or without milliseconds; invalid when neither.
QDateTime parseIsoInstant(const QString &value);

// The end a written event sends: its own, else a day after an all-day
// start or an hour after a timed one.
QDateTime endOrDefault(const Event &event);

// Reads each object of `values`; those `readOne` gives nothing for are left
// out.
template <typename T, typename Read>
QList<T> readEach(const QJsonArray &values, Read readOne)
{
    QList<T> result;
    for (const QJsonValue &value : values) {
        if (std::optional<T> one = readOne(value.toObject()))
            result.append(std::move(*one));
    }
    return result;
}

} // namespace OAuth
