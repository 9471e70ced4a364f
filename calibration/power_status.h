#pragma once

#include <optional>

// The power source: true on mains, false on battery, nothing when it cannot be told.
class IPowerStatus {
public:
    virtual ~IPowerStatus() = default;
    virtual std::optional<bool> OnMains() = 0;
};

// The demo program's notebook, always on battery.
class BatteryPowerStatus : public IPowerStatus {
public:
    std::optional<bool> OnMains() override { return false; }
};
