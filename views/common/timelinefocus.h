#pragma once

#include "store/event.h"

#include <QList>
#include <QString>

// Tab and the arrow keys on a timeline step through its timed events in
// order of start.
namespace TimelineFocus {

// The timed event after (or before) the selected one, wrapping at the ends;
// the first (or last) when nothing of the list is selected; empty when the
// list holds no timed event.
QString nextTimedEventId(const QList<Event> &events, const QString &selectedId, bool forward);

} // namespace TimelineFocus
