#include "views/common/sharedeventlist.h"

void SharedEventList::append(const Event &event)
{
    QList<qsizetype> &ofId = m_recordsOfId[event.id];
    // Newest first: an override is followed by the series' next occurrences.
    qsizetype record = -1;
    for (auto it = ofId.crbegin(); it != ofId.crend() && record < 0; ++it) {
        if (sameApartFromOccurrence(m_records.at(*it), event))
            record = *it;
    }
    if (record < 0) {
        record = m_records.size();
        m_records.append(event);
        ofId.append(record);
    }
    m_entries.append({record, event.start_time, event.end_time, event.recurrence_id});
}

Event SharedEventList::at(qsizetype index) const
{
    const Entry &entry = m_entries.at(index);
    Event event = m_records.at(entry.record);
    event.start_time = entry.start;
    event.end_time = entry.end;
    event.recurrence_id = entry.recurrenceId;
    return event;
}

bool SharedEventList::sameApartFromOccurrence(const Event &record, const Event &event)
{
    // The strings of one series' occurrences share their data, so this
    // mostly compares pointers.
    Event probe = record;
    probe.start_time = event.start_time;
    probe.end_time = event.end_time;
    probe.recurrence_id = event.recurrence_id;
    return probe == event;
}
