#pragma once

#include <functional>
#include <memory>

// The 50 ms timer that times a leg of the walk.
class ILegTimer {
public:
    virtual ~ILegTimer() = default;
    virtual void Start(std::function<void()> fnTick) = 0;
    virtual void Stop() = 0;
};

using LegTimerFactory = std::function<std::unique_ptr<ILegTimer>()>;
