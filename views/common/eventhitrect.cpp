#include "views/common/eventhitrect.h"

int lastHitAt(const QList<EventHitRect> &hits, const QPoint &pos)
{
    for (int i = int(hits.size()) - 1; i >= 0; --i) {
        if (hits.at(i).rect.contains(pos))
            return i;
    }
    return -1;
}

const EventHitRect *eventPieceAt(const QList<EventHitRect> &hits, const QString &eventId, const QPoint &pos)
{
    for (const EventHitRect &entry : hits) {
        if (entry.eventId == eventId && entry.rect.contains(pos))
            return &entry;
    }
    return nullptr;
}
