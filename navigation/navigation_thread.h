#pragma once

#include "app/visit/visit_control.h"
#include "navigation/nav_point.h"
#include "navigation/speed_hold.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

// One tick's result, as the page receives it.
struct NavigationUpdate {
    NavPoint pos;
    double dCourse = 0.0;
    double dSpeed = 0.0;
};

struct NavigationThreadServices {
    std::function<std::int64_t()> timeSeconds;
    std::function<void(std::chrono::milliseconds)> sleep;
    // Hands a tick's result to the page; must return at once.
    std::function<void(const NavigationUpdate&)> publish;
};

// Produces course, speed and position for one visit of the navigation page,
// a tick at once and then one after every 100 ms pause, until the visit's window
// is gone or its stop flag is set; then clears the visit's disk-run flag. Runs
// below normal priority and holds still at the visit's gate between ticks.
// The hold must outlive the thread.
void NavigationThreadProc(std::shared_ptr<VisitControl> pControl, SpeedHold& hold, NavigationThreadServices services);
