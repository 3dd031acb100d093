#pragma once

#include "store/event.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// A long list of events held lightly: the occurrences of a series differ
// only in their times and recurrence id, so each distinct record is kept
// once and an entry keeps what its occurrence changes. A month of a daily
// series then costs one record and thirty small entries, not thirty copies
// of the whole event. at() gives back the event exactly as it was added.
class SharedEventList
{
public:
    SharedEventList() = default;

    void append(const Event &event);
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    Event at(qsizetype index) const;
    // Distinct records held (tests, benchmarks).
    qsizetype recordCount() const { return m_records.size(); }

private:
    struct Entry
    {
        qsizetype record = -1;
        QDateTime start;
        std::optional<QDateTime> end;
        QString recurrenceId;
    };

    // Whether `event` is `record` with only the times and recurrence id changed.
    static bool sameApartFromOccurrence(const Event &record, const Event &event);

    QList<Event> m_records;
    QList<Entry> m_entries;
    // The records stored under each event id (a series and its overrides).
    QHash<QString, QList<qsizetype>> m_recordsOfId;
};
