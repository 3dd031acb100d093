#pragma once

#include <QDateTime>
#include <QList>
#include <QRect>
#include <QString>

// One event block as laid out for painting and for hit-testing the mouse
// and keys; it lives exactly as long as the block it stands for.
struct EventHitRect
{
    QString eventId;
    QRect rect;
    // The start of the block's occurrence, before clipping to the day: the
    // part after midnight of an overnight occurrence starts the day before.
    QDateTime occurrenceStart;
};

// The index of the topmost block under the point (the last painted), -1
// when there is none.
int lastHitAt(const QList<EventHitRect> &hits, const QPoint &pos);
// The first block of the event that lies under the point: the piece of a
// multi-day event that was clicked; null when there is none.
const EventHitRect *eventPieceAt(const QList<EventHitRect> &hits, const QString &eventId, const QPoint &pos);
