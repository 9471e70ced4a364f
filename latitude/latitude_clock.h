#pragma once

#include <cstdint>

// The time a latitude run goes by: calendar seconds and its 50 ms steps.
class ILatitudeClock {
public:
    virtual ~ILatitudeClock() = default;
    virtual std::int64_t Now() = 0;
    virtual void Sleep50Milliseconds() = 0;
};

class SystemLatitudeClock : public ILatitudeClock {
public:
    std::int64_t Now() override;
    void Sleep50Milliseconds() override;
};
