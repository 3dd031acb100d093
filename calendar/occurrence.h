#pragma once

#include <QDateTime>

// One occurrence of an expanded list, light enough to hold millions of: the
// event it comes from, as an index into the list that was expanded (a
// series, an override standing in for one of its occurrences, or a single
// event), and its start and end as UTC instants. The end is invalid for an
// event without one.
struct Occurrence
{
    qsizetype eventIndex = -1;
    QDateTime start;
    QDateTime end;

    bool operator==(const Occurrence &other) const
    {
        return eventIndex == other.eventIndex && start == other.start && end == other.end;
    }
    bool operator!=(const Occurrence &other) const { return !(*this == other); }
};
// Long lists grow in place rather than by copying.
Q_DECLARE_TYPEINFO(Occurrence, Q_RELOCATABLE_TYPE);
