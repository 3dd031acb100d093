#pragma once

#include <QPoint>

// Turns sideways wheel turns into date steps: a full step every 240 units
// (two notches) in one direction; a turn the other way starts over.
class WheelAccumulator
{
public:
    static constexpr int StepUnits = 240;

    // Whether the turn is sideways enough to be taken at all.
    static bool takes(const QPoint &angleDelta);
    // Adds a sideways turn; returns the steps to take: +1 per step forward
    // (turned left, negative x) and -1 per step back.
    int add(int x);
    int value() const { return m_value; }

private:
    int m_value = 0;
};
