#include "views/common/timelinefocus.h"

#include <algorithm>

namespace TimelineFocus {

QString nextTimedEventId(const QList<Event> &events, const QString &selectedId, bool forward)
{
    QList<const Event *> timed;
    for (const Event &event : events) {
        if (!event.is_all_day)
            timed.append(&event);
    }
    if (timed.isEmpty())
        return QString();
    std::stable_sort(timed.begin(), timed.end(),
                     [](const Event *a, const Event *b) { return a->start_time < b->start_time; });
    const auto current =
        std::find_if(timed.cbegin(), timed.cend(), [&selectedId](const Event *e) { return e->id == selectedId; });
    const int n = int(timed.size());
    int next;
    if (current == timed.cend())
        next = forward ? 0 : n - 1;
    else
        next = (int(current - timed.cbegin()) + (forward ? 1 : n - 1)) % n;
    return timed.at(next)->id;
}

KeyStep stepForKey(int key, Qt::KeyboardModifiers modifiers, const QList<Event> &events,
                   const QString &selectedId, const QList<EventHitRect> &hitRects)
{
    KeyStep step;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool forward = (key == Qt::Key_Tab && !shift) || key == Qt::Key_Down;
    const bool backward = key == Qt::Key_Backtab || (key == Qt::Key_Tab && shift) || key == Qt::Key_Up;
    if (forward || backward) {
        step.eventId = nextTimedEventId(events, selectedId, forward);
        if (!step.eventId.isEmpty())
            step.kind = KeyStep::Focus;
        return step;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !selectedId.isEmpty()) {
        step.kind = KeyStep::Activate;
        step.eventId = selectedId;
        for (const EventHitRect &entry : hitRects) {
            if (entry.eventId == selectedId) {
                step.occurrenceStart = entry.occurrenceStart;
                step.rect = entry.rect;
                break;
            }
        }
    }
    return step;
}

} // namespace TimelineFocus
