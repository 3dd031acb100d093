#pragma once

#include <QDateTime>
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
