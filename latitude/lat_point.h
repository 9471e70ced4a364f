#pragma once

// A position of the latitude marker: angle in radians, clockwise on the screen
// from the right of the centre; value 1.0 is exactly the expected latitude.
struct LatPoint {
    double angle = 0.0;
    double value = 0.0;
};
