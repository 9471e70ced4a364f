#include "latitude/latitude_clock.h"

#include <chrono>
#include <ctime>
#include <thread>

std::int64_t SystemLatitudeClock::Now()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

void SystemLatitudeClock::Sleep50Milliseconds()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}
