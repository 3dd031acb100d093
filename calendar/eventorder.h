#pragma once

#include "store/event.h"

#include <QList>

// The one order of events by time: by start instant alone. Events that start
// together have no defined order, so no caller may rely on one.
namespace EventOrder {

bool startsBefore(const Event &a, const Event &b);
void sort(QList<Event> &events);

} // namespace EventOrder
