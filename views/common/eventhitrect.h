#pragma once

#include <QDateTime>
#include <QRect>
#include <QString>

// One painted event block, recorded by the paint that drew it and used to
// hit-test the mouse and keys until the next paint.
struct EventHitRect
{
    QString eventId;
    QRect rect;
    // The block's start after clipping to the painted day.
    QDateTime occurrenceStart;
};
