#pragma once

#include "store/event.h"
#include "views/common/eventhitrect.h"

#include <QDateTime>
#include <QList>
#include <QRect>
#include <QString>

// Tab and the arrow keys on a timeline step through its timed events in
// order of start.
namespace TimelineFocus {

// The timed event after (or before) the selected one, wrapping at the ends;
// the first (or last) when nothing of the list is selected; empty when the
// list holds no timed event.
QString nextTimedEventId(const QList<Event> &events, const QString &selectedId, bool forward);

// What a key pressed on a timeline asks for: move the focus to another
// event, open the selected one, or nothing the timeline handles.
struct KeyStep
{
    enum Kind { None, Focus, Activate };
    Kind kind = None;
    QString eventId;
    QDateTime occurrenceStart;
    // The selected block's rectangle in the widget; null when it is not
    // painted.
    QRect rect;
};

KeyStep stepForKey(int key, Qt::KeyboardModifiers modifiers, const QList<Event> &events,
                   const QString &selectedId, const QList<EventHitRect> &hitRects);

} // namespace TimelineFocus
