#pragma once

// A point of the navigation plot: x grows to the right (east), y downwards (south).
struct NavPoint {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const NavPoint&, const NavPoint&) = default;
};
