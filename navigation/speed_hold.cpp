#include "navigation/speed_hold.h"

void SpeedHold::Request()
{
    std::lock_guard lock(m_mutex);
    m_dSpeed = 0.0;
    m_nHoldTicks = HOLD_TICKS;
}

std::optional<double> SpeedHold::TakeTick()
{
    std::lock_guard lock(m_mutex);
    if (m_nHoldTicks <= 0)
        return std::nullopt;
    --m_nHoldTicks;
    return m_dSpeed;
}

int SpeedHold::HoldTicks() const
{
    std::lock_guard lock(m_mutex);
    return m_nHoldTicks;
}
