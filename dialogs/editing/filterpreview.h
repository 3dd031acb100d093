#pragma once

#include "store/event.h"
#include "store/filterrule.h"

#include <QDate>
#include <QList>
#include <QString>

class EventRepository;

// The filter form's preview: what one rule would do to the next 30 days.
namespace FilterPreview {

// Every calendar's occurrences from the day's local midnight for 30 days,
// recurring series expanded.
QList<Event> occurrences(const EventRepository *events, const QDate &today);

// "Would hide 4 of 12 events in the next 30 days.  e.g. …", from the filter
// engine's own result for the one rule.
QString describe(const QList<Event> &occurrences, const FilterRule &rule);

} // namespace FilterPreview
