#pragma once

#include "navigation/nav_point.h"
#include "navigation/speed_hold.h"

#include <cmath>

// The random model behind course and speed. The arithmetic follows the
// instrument's rules bit for bit: same constants, same order of draws and of
// operations, all in double precision.
inline constexpr double NAV_TWO_PI = 6.283185307179586;
inline constexpr double NAV_NORMALISER = 3.051850947599719e-05; // 1/32767
inline constexpr int NAV_JUMP_CHANCE = 30;
inline constexpr double NAV_JUMP_HALF_WIDTH = 0.5;
inline constexpr double NAV_SPEED_OFFSET = 0.49;
inline constexpr double NAV_SPEED_STEP = 0.0013333333333333333; // 1/750
inline constexpr double NAV_SPEED_FLOOR = 0.0;
inline constexpr double NAV_SPEED_CEILING = 0.05;
inline constexpr double NAV_SPEED_RESET = 0.048;
inline constexpr int NAV_TICK_PAUSE_MS = 100;

struct NavigationState {
    double dCourse = 0.0; // radians clockwise from north, 0 to 2 pi
    double dSpeed = 0.0;  // plot units per tick
    NavPoint pos;
};

// A negative speed becomes 0.0; one above the ceiling falls back to 0.048.
inline double LimitSpeed(double dSpeed)
{
    if (dSpeed < NAV_SPEED_FLOOR)
        return NAV_SPEED_FLOOR;
    if (dSpeed > NAV_SPEED_CEILING)
        return NAV_SPEED_RESET;
    return dSpeed;
}

// Random is a source of integers uniform in 0 to 32767 with int Next(): the
// program's Rand15 in use, a scripted sequence in tests.
template <class Random>
NavigationState StartNavigation(Random& rand)
{
    NavigationState state;
    state.dCourse = rand.Next() * NAV_TWO_PI * NAV_NORMALISER;
    return state;
}

template <class Random>
void NavigationTick(NavigationState& state, SpeedHold& hold, Random& rand)
{
    if (state.dSpeed > 0.0 && rand.Next() % NAV_JUMP_CHANCE == 0) {
        state.dCourse += (rand.Next() * NAV_NORMALISER - 0.5) * NAV_TWO_PI * NAV_JUMP_HALF_WIDTH;
        if (state.dCourse > NAV_TWO_PI)
            state.dCourse -= NAV_TWO_PI;
        if (state.dCourse < 0.0)
            state.dCourse += NAV_TWO_PI;
    }

    if (const std::optional<double> held = hold.TakeTick())
        state.dSpeed = *held;
    else
        state.dSpeed += (rand.Next() * NAV_NORMALISER - NAV_SPEED_OFFSET) * NAV_SPEED_STEP;
    state.dSpeed = LimitSpeed(state.dSpeed);

    state.pos.x += state.dSpeed * std::sin(state.dCourse);
    state.pos.y -= state.dSpeed * std::cos(state.dCourse);
}
