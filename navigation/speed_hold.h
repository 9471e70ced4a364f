#pragma once

#include <mutex>
#include <optional>

// The speed hold that "Geschw. auf 0" requests and the measurement thread uses up.
// Speed and tick count change together under one lock, so the thread never sees
// a new count with an old speed, and its read-decrement-write of the count is
// one step with respect to a click.
class SpeedHold {
public:
    static constexpr int HOLD_TICKS = 50;

    // Speed 0.0 for the next HOLD_TICKS ticks; a running hold starts again.
    void Request();
    // The held speed for this tick, using up one held tick; nothing when no hold runs.
    std::optional<double> TakeTick();
    int HoldTicks() const;

private:
    mutable std::mutex m_mutex;
    double m_dSpeed = 0.0;
    int m_nHoldTicks = 0;
};
