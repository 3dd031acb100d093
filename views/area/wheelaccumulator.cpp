#include "views/area/wheelaccumulator.h"

#include <cstdlib>

bool WheelAccumulator::takes(const QPoint &angleDelta)
{
    return angleDelta.x() != 0 && std::abs(angleDelta.y()) <= std::abs(angleDelta.x());
}

int WheelAccumulator::add(int x)
{
    if ((x > 0) != (m_value > 0))
        m_value = 0;
    m_value += x;
    int steps = 0;
    while (m_value <= -StepUnits) {
        ++steps;
        m_value += StepUnits;
    }
    while (m_value >= StepUnits) {
        --steps;
        m_value -= StepUnits;
    }
    return steps;
}
